// The window's commands that open other subsystems' windows, the card's own tabs from the
// canvas menu, the series lists, and the grid controls kept in step with the one grid.

#include "canvas/SKTGraphicView.h"
#include "canvas/SKTGrid.h"
#include "core/ControllerImageFiles.h"
#include "core/Globals.h"
#include "data/ImportWizard.h"
#include "data/SeriesGeneratorWindow.h"
#include "data/SeriesManagerWindow.h"
#include "imaging/Cropping_Tool.h"
#include "mainwindow/ControllerHub.h"
#include "mainwindow/Help_Support.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/SKTWindowController.h"
#include "platform/UiServices.h"
#include "core/Utilities.h"
#include "platform/Paths.h"
#include "properties/CardTabs.h"
#include "properties/PropertyPanel.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QGroupBox>
#include <QSignalBlocker>
#include <QSlider>
#include <QTabWidget>

bool SKTWindowController::Window_Command_Available(const QString &action)
{
    static const QStringList available{QStringLiteral("card_properties:"), QStringLiteral("select_card:"),
                                       QStringLiteral("export_id_card:"), QStringLiteral("export_as_template:"),
                                       QStringLiteral("mail_id_card:"), QStringLiteral("print_id_card:")};
    return available.contains(action);
}

void SKTWindowController::Refresh_All_Series_Combobox()
{
    // Only a list showing series names reads the folder; a spreadsheet's columns stay as they are.
    if (!Batch_Series || !Data_source_type)
        return;
    const QString source = Data_source_type->currentText();
    if (source != QLatin1String("Series") && source != QLatin1String("Manual"))
        return;
    PanelFillGuard filling;
    Refresh_Data_Set_File_Name_In_Combo(Batch_Series, QString());
}

void SKTWindowController::Refresh_Data_Set_File_Name_In_Combo(QComboBox *combo, const QString &newName)
{
    if (!combo)
        return;
    const QString chosen = newName.isEmpty() ? combo->currentText() : newName;
    const QSignalBlocker quiet(combo);
    combo->clear();
    combo->addItems(Get_datasheet_File_Name_Array());
    combo->setCurrentIndex(combo->findText(chosen));
}

int SKTWindowController::Image_Is_Over_Size(const QString &, bool) { return 0; }

quint64 SKTWindowController::Get_File_Size_At_Path(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() ? quint64(info.size()) : 0;
}

QString SKTWindowController::Get_Original_Path_Of_Image_Control(const SKTGraphic &control)
{
    return ::Get_Original_Path_Of_Image_Control(control);
}

QString SKTWindowController::Check_Path_For_App_Resources(const QString &path, const QString &resources)
{
    const QString p = Trim_Str(path);
    if (p.isEmpty() || resources.isEmpty())
        return p;
    const QString here = QDir::cleanPath(resources);
    if (p == here || p.startsWith(here + QLatin1Char('/')))
        return p;
    // Installed copies keep their resources in "<prefix>/share/badgeloom", but so does every
    // user's data folder (~/.local/share/badgeloom): a file that is there stays where it is, and
    // only a missing one is looked for among this installation's resources.
    static const QString marker = QStringLiteral("/share/badgeloom/");
    if (const qsizetype at = p.indexOf(marker); at >= 0 && !QFileInfo::exists(p)) {
        const QString local = platform::joinPath(here, p.mid(at + marker.size()));
        return QFileInfo(local).isFile() ? local : p;
    }
    if (!p.contains(QLatin1Char('/')) && QFileInfo(platform::joinPath(here, p)).isFile())
        return platform::joinPath(here, p);
    return p;
}

QString ControllerHub::Check_Path_For_App_Resources(const QString &path)
{
    return SKTWindowController::Check_Path_For_App_Resources(path, Resource_Path);
}

void SKTWindowController::SetFocus(QWidget *view)
{
    if (view && view->window() == this)
        view->setFocus(Qt::OtherFocusReason);
}

void SKTWindowController::Batch_Series_Button()
{
    BatchWizard::defaultInstance()->Open_Wnd();
    Refresh_All_Series_Combobox();
}

void SKTWindowController::Import_Wizard_Button()
{
    Open_Import_Wizard(1, 0);
    Refresh_All_Series_Combobox();
}

void SKTWindowController::Create_Series_Button()
{
    Generate_List *generator = Generate_List::defaultInstance();
    generator->file_name_required = 1;
    generator->file_name_Insert = 0;
    generator->Open_Wnd();
    Refresh_All_Series_Combobox();
}

void SKTWindowController::Cropping_Tool_Clicked()
{
    Cropping_Tool::defaultInstance()->Open_Wnd();
    Refresh_All_Series_Combobox();
}

void SKTWindowController::Help_Button()
{
    Help_Support window(this);
    platform::ui().runModal(QStringLiteral("Help_Support"), window.windowTitle(), [&] { return window.exec(); });
}

void SKTWindowController::Card_Prop_Clicked()
{
    Show_RHS_Properties(nullptr);
    sett_tab->setCurrentWidget(card_info_tab);
}

void SKTWindowController::Card_Bckgrnd_Clicked()
{
    Show_RHS_Properties(nullptr);
    m_cardTabs->Card_Image_Library_Btn();
    sett_tab->setCurrentWidget(card_bkgd_tab);
}

void SKTWindowController::Show_Hide_Text_Transp_Ctrl(bool hidden) { m_panel->Show_Hide_Text_Transp_Ctrl(hidden); }
void SKTWindowController::Show_Hide_Shape_Transp_Ctrl(bool hidden) { m_panel->Show_Hide_Shape_Transp_Ctrl(hidden); }
void SKTWindowController::Show_Hide_Card_Transp_Ctrl(bool hidden) { m_cardTabs->Show_Hide_Card_Transp_Ctrl(hidden); }

void SKTWindowController::Sync_Grid_Controls()
{
    // The grid is the one record of its state; every control only mirrors it, quietly, so that
    // mirroring is never taken for a user's change.
    const bool shown = _grid->isAlwaysShown();
    {
        const QSignalBlocker box(Show_hide_grid_chk), slider(Grid_Space_slidr);
        Show_hide_grid_chk->setChecked(shown);
        Grid_Space_slidr->setValue(int(_grid->spacing()));
    }
    Grid_Opt_box->setEnabled(shown);
    if (snap_grid_menu) {
        const QSignalBlocker menu(snap_grid_menu);
        snap_grid_menu->setChecked(_grid->isConstraining());
    }
    for (SKTGraphicView *canvas : {_graphicView, _graphicView_BACK, _graphicView_TEMP})
        if (canvas)
            canvas->update();
}

// --- utility operations ---

bool SKTWindowController::Create_Camera_Path_File()
{
    return ::Create_Camera_Path_File(camera_path_file);
}

// --- the canvas's requests for these commands ---

bool ControllerHub::Window_Command_Available(const QString &action)
{
    return SKTWindowController::Window_Command_Available(action);
}
void ControllerHub::Card_Prop_Clicked() { m_controller.Card_Prop_Clicked(); }
void ControllerHub::Card_Bckgrnd_Clicked() { m_controller.Card_Bckgrnd_Clicked(); }
void ControllerHub::Export_As_Template_Clicked() { m_controller.Export_As_Template_Clicked(); }

QPointF ControllerHub::Control_New_Point(const QString &card_side)
{
    const int side = card_side == QLatin1String("F") ? 0 : 1;
    return ::Control_New_Point(int(m_controller.document().graphicsOfSide(side).size()), frontCanvasBounds().size());
}

QString ControllerHub::Generate_Extra_image_control_ID() { return m_controller.Generate_Extra_image_control_ID(); }
