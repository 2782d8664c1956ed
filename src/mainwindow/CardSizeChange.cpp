// A card that changes its size takes its controls along: a design fresh from a template turned
// to the other orientation becomes the template's twin of that orientation (on the size row
// chosen, with the name, sides and grid the user set, the user left on the side and card-tab page
// of the turn); any other design has every control of both sides moved and resized in proportion.

#include "mainwindow/SKTWindowController.h"

#include "canvas/SKTGraphicView.h"
#include "core/ControllerImageFiles.h"
#include "core/Globals.h"
#include "core/SKTText.h"
#include "mainwindow/MainWindowGlobals.h"
#include "properties/CardTabs.h"

#include <QComboBox>
#include "mainwindow/Template_Wizard.h"
#include "mainwindow/VisitorWiring.h"
#include "canvas/LiveModePanel.h"
#include "visitor/VisitorMode.h"

#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QTabWidget>
#include <QToolButton>

#include <cmath>

namespace {
// The orientation twin of a template file: the same name with "(h)" and "(v)" swapped the way
// the orientation turned; empty when there is none.
QString Orientation_Twin_Path(const QString &templatePath, const QString &oldPreset, const QString &newPreset)
{
    // The marks match in any case; the rest of the name keeps its case, as file names here do.
    const QFileInfo info(templatePath);
    QString twin = info.fileName();
    if (oldPreset == QLatin1String("Horizontal") && newPreset == QLatin1String("Vertical"))
        twin.replace(QLatin1String("(h)"), QLatin1String("(v)"), Qt::CaseInsensitive);
    else if (oldPreset == QLatin1String("Vertical") && newPreset == QLatin1String("Horizontal"))
        twin.replace(QLatin1String("(v)"), QLatin1String("(h)"), Qt::CaseInsensitive);
    if (twin == info.fileName())
        return {};
    return info.dir().filePath(twin);
}
}  // namespace

void SKTWindowController::Card_Control_Size_Change_or_not(const QSizeF &oldSize)
{
    followCardSize(oldSize);
    // The name field writes the card at each key, not the title: a turn shows the name in force
    // (the twin's, or the user's carried onto it).
    Set_Log_Name_In_Title();
}

void SKTWindowController::followCardSize(const QSizeF &oldSize)
{
    const Card_Property &front = *Front_card_Prop;
    const QString preset = Preset_ComboBox->currentText();
    if (preset == QLatin1String("Custom"))
        return;
    const QList<QListWidgetItem *> rows = ColList->selectedItems();
    const int row = rows.isEmpty() ? -1 : ColList->row(rows.first());
    if (preset == front.Card_Preset() && Category_ComboBox->currentText() == front.Card_Category() &&
        row == front.Card_Cat_index())
        return;
    bool twinLoaded = false;
    QSizeF twinSize;
    // The twin may stand in only for the template as it came: an edit on either side, the one
    // not on show included, is the user's work and is scaled along like any other design.
    const bool edited = m_undo->Any_Side_Changed() || m_editsBeforeHistory ||
                        !Same_Card_Look(*Front_card_Prop, m_cardsAtHistoryStart[0]) ||
                        !Same_Card_Look(*Back_card_Prop, m_cardsAtHistoryStart[1]);
    if (!edited && ::Project_File_Name.isEmpty() &&
        preset != front.Card_Preset() && Start_Card_Option != QLatin1String("G") && !Selected_Template_Path.isEmpty()) {
        // Turned from the orientation of the template on show, not from the preset last chosen:
        // Custom chosen and left in between still finds the twin.
        const QString twin = Orientation_Twin_Path(Selected_Template_Path, m_templatePreset, preset);
        if (!twin.isEmpty() && QFileInfo::exists(twin)) {
            // The desk stays the desk: a visitor template's twin is loaded as a visitor template.
            const bool visitor = Start_Card_Option == QLatin1String("V");
            // The size chosen with the turn (another row or category than the template's own)
            // stays chosen: the twin's layout is scaled onto it below.
            const QSizeF chosen = canvasOfSide(0)->canvasBounds().size();
            const QString category = Category_ComboBox->currentText();
            QWidget *const page = sett_tab->currentWidget();
            const int side = Card_Front_Or_Back;
            // What the user set on the card tabs that is no part of the layout stays theirs on
            // the twin: the card's name and sides (where they differ from the template's), the grid.
            const QString name = front.Card_Name(), cardSide = front.Card_Side();
            const bool ownName = name != m_templateCardName, ownSide = cardSide != m_templateCardSide;
            const bool gridShown = _grid->isAlwaysShown();
            int loaded = 0;
            {
                PanelFillGuard filling;
                loaded = Read_and_load_design_Log_NEW_METHOD(twin, QStringLiteral("T"), false);
                for (Card_Property *card : {Front_card_Prop.get(), Back_card_Prop.get()}) {
                    if (ownName && loaded == 1)
                        card->setCard_Name(name);
                    if (ownSide && loaded == 1)
                        card->setCard_Side(cardSide);
                }
                // The back out of reach (or in reach again), as a file of those sides leaves it.
                if (ownSide && loaded == 1)
                    applyCardSide(cardSide);
            }
            _grid->setAlwaysShown(gridShown);
            if (loaded != 1)
                return;
            // The card tabs show the twin's card, as after the template road: what the size
            // change writes back from them next (the card's text font among it) is the twin's.
            Show_Template_Size_Choice();
            twinSize = Front_card_Prop->Card_Size();
            if (visitor)
                Resume_Visitor_Desk();
            // The loader shows the front and the card's first tab; the user stays on the side and
            // the page the card was turned on, to turn it again from there.
            if (side != 0 && Back_Side_btn->isEnabled())
                Select_back_side();
            if (sett_tab->indexOf(page) >= 0)
                sett_tab->setCurrentWidget(page);
            // A hundredth of a point apart is the same size, stored and computed.
            const QSizeF apart = chosen - twinSize;
            if (std::abs(apart.width()) > 0.01 || std::abs(apart.height()) > 0.01) {
                {
                    PanelFillGuard filling;
                    Category_ComboBox->setCurrentIndex(Category_ComboBox->findText(category));
                    cardTabs().Mark_List_New_Selection(row);
                }
                SetDocumentCanvasSize(chosen);
                Set_Card_Size_In_Control(Points_to_MM_Convert(float(chosen.width())), Points_to_MM_Convert(float(chosen.height())));
            }
            // The design is now the twin's: turned back unedited, it finds its own twin again.
            Selected_Template_Path = twin;
            twinLoaded = true;
        }
    }
    // A twin just loaded is laid out for its own card: it scales from that size, not the old one.
    // So is an unedited design left as it was under a Custom size: a template turned back to its
    // own orientation after a Custom size is its own layout again, not that layout squeezed.
    const QSizeF from = twinLoaded ? twinSize : !edited && !m_laidOutFor.isEmpty() ? m_laidOutFor : oldSize;
    const QSizeF now = canvasOfSide(0)->canvasBounds().size();
    m_laidOutFor = now;
    Set_Control_Location_Size_IF_Card_Size_Change(float(from.width()), float(from.height()), float(now.width()),
                                                  float(now.height()), true);
    // The twin starts the design afresh, as the template did; controls scaled to the new card
    // leave every snapshot before laid out for the old one. Either way Undo must not bring the
    // old card's controls back onto this card, on either side (in group mode too, where no twin
    // is loaded and the template's controls are scaled).
    if (twinLoaded || from != now) {
        Reset_Undo_With_Base_Snapshot();
        m_editsBeforeHistory = edited && !twinLoaded;
    }
}

void SKTWindowController::Set_Control_Location_Size_IF_Card_Size_Change(float old_width, float old_height,
                                                                        float new_width, float new_height, bool)
{
    if (old_width == new_width && old_height == new_height)
        return;
    // A card that had no size cannot be scaled from.
    if (!(old_width > 0 && old_height > 0))
        return;
    const float pw = (new_width - old_width) * 100 / old_width;
    const float ph = (new_height - old_height) * 100 / old_height;
    Chane_control_size_location_for_both_side(m_document.graphics(), pw, ph);
    Chane_control_size_location_for_both_side(m_document.graphics_back(), pw, ph);
    Refresh_Canvas();
}

void SKTWindowController::Chane_control_size_location_for_both_side(const SKTGraphicArray &controls,
                                                                    float percent_value_width,
                                                                    float percent_value_height)
{
    for (const SKTGraphicPtr &g : controls) {
        if (!g)
            continue;
        const QRectF b = g->bounds();
        const float x = float(b.x()), y = float(b.y());
        float w = float(b.width()), h = float(b.height());
        const float nx = x + x * percent_value_width / 100;
        const float ny = y + y * percent_value_height / 100;
        if (g->kind() != SKTGraphicKind::Barcode) {
            w = w + w * percent_value_width / 100;
            h = h + h * percent_value_height / 100;
        }
        if (g->kind() == SKTGraphicKind::Text) {
            w = std::max(w, 50.0f);
            h = std::max(h, 20.0f);
            QFont font = g->text_ctrl_font;
            const float s = float(font.pointSizeF());
            font.setPointSizeF(std::max(8.0f, s + s * percent_value_width / 100));
            g->text_ctrl_font = font;
        }
        g->setBounds(QRectF(nx, ny, w, h));
    }
}

void SKTWindowController::Resume_Visitor_Desk()
{
    Start_Card_Option = QStringLiteral("V");
    LiveModePanel &panel = liveModePanel();
    panel.Reset_All_Visitor_Grp_Mode_Ctrl();
    Check_For_Defalut_Photo_Control();
    panel.Show_Hide_Profile_Panel_Live_Mode(true);
    if (VisitorMode *mode = Visitor_Mode_Of(*this))
        mode->Create_Control_For_Visitor_Mode();
    Show_Hide_Main_Window(true);
}
