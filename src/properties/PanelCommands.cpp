// What the panel does: the toolbar states that follow the selection, the position and size
// fields, the alignment and same-size commands, and the combo-box dispatcher.

#include "properties/PropertyPanel.h"
#include "properties/PanelPlan.h"

#include "canvas/SKTGraphicView.h"
#include "canvas/SKTGrid.h"
#include "core/ControllerImageFiles.h"
#include "core/Globals.h"
#include "core/SKTPasteboard.h"
#include "core/Utilities.h"
#include "properties/PropertyPanelHooks.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <algorithm>
#include <optional>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>

namespace {
constexpr int kOff = 0, kOn = 1, kKeep = -1, kPasteStatus = 2;
}

// --- toolbar states ---

void PropertyPanel::setToolbarStates(int cut, int copy, int paste, int rest, int unlock)
{
    auto apply = [](QToolButton *b, int state) {
        if (b && state != kKeep)
            b->setEnabled(state == kOn);
    };
    apply(m_toolbar.Cut_btn, cut);
    apply(m_toolbar.Copy_btn, copy);
    if (paste == kPasteStatus)
        Set_Paste_Button_Status();
    else
        apply(m_toolbar.Paste_btn, paste);
    for (QToolButton *b : {m_toolbar.Delete_btn, m_toolbar.Begin_Front_btn, m_toolbar.Send_Back_btn, m_toolbar.Lock_btn,
                           align_left_btn, align_right_btn, align_top_btn, align_bottom_btn, align_center_btn,
                           align_horzontal_btn, align_vertical_btn})
        apply(b, rest);
    apply(m_toolbar.Unlock_btn, unlock);
}

void PropertyPanel::Enable_Standard_Button_For_Control() { setToolbarStates(kOn, kOn, kPasteStatus, kOn, kOff); }
void PropertyPanel::Disable_Standard_Button_For_Card() { setToolbarStates(kOff, kOff, kPasteStatus, kOff, kOff); }
void PropertyPanel::Disable_Standard_Button_For_Lock() { setToolbarStates(kOff, kKeep, kOff, kOff, kOn); }
void PropertyPanel::Enable_Standard_Button_For_Unlock() { setToolbarStates(kOn, kOn, kPasteStatus, kOn, kOff); }

void PropertyPanel::Follow_Selection(const SKTGraphicArray &selected)
{
    if (selected.empty())
        return Disable_Standard_Button_For_Card();
    Enable_Standard_Button_For_Control();
    if (std::all_of(selected.begin(), selected.end(), [](const SKTGraphicPtr &g) { return g->ctrl_is_locked; }))
        Disable_Standard_Button_For_Lock();
    else
        Enable_Standard_Button_For_Unlock();
}

void PropertyPanel::Set_Paste_Button_Status()
{
    const QClipboard *clipboard = QGuiApplication::clipboard();
    if (m_toolbar.Paste_btn)
        m_toolbar.Paste_btn->setEnabled(clipboard && Pasteboard_Available_Type(clipboard->mimeData()) ==
                                                         SKTPasteboardContent::Graphics);
}

void PropertyPanel::Enable_Same_Size_Buttons(bool on)
{
    Make_same_width_btn->setEnabled(on);
    Make_same_height_btn->setEnabled(on);
}

void PropertyPanel::Enable_Natural_Size_Buttons(bool on)
{
    Make_natural_size_btn->setEnabled(on);
    fit_to_label_btn->setEnabled(on);
}

void PropertyPanel::Enable_Align_With_Grid_Button(bool on) { Align_with_grid_btn->setEnabled(on); }

void PropertyPanel::setGrid(SKTGrid *grid)
{
    Enable_Align_With_Grid_Button(grid && grid->isAlwaysShown());
    if (grid)
        connect(grid, &SKTGrid::alwaysShownChanged, this, &PropertyPanel::Enable_Align_With_Grid_Button);
}

// --- print flag and position fields ---

void PropertyPanel::Print_object_chk_changed()
{
    SKTGraphicView *canvas = m_hooks.currentCanvas();
    if (!canvas || canvas->selectedGraphics().empty())
        return;  // nothing selected: nothing changes, and no step of history
    canvas->print_contol_or_not(print_object_chk->isChecked() ? 1 : 0);
    m_hooks.Insert_In_Undo_Redo();
}

namespace {
// A field edit: the stepper's value into its display field, the canvas change, redraw, undo.
// Positions are points; a size in a length unit shows that unit's precision.
template <class Apply>
void frameEdit(PropertyPanelHooks &hooks, QDoubleSpinBox *stepper, QLineEdit *display, Apply apply,
               std::optional<int> unit = std::nullopt)
{
    if (Not_Draw_Only_Prop_Change)
        return;
    display->setText(unit ? Size_Field_Text(stepper->value(), *unit) : QString::number(stepper->value(), 'g', 7));
    if (SKTGraphicView *canvas = hooks.currentCanvas())
        apply(*canvas, stepper->value());
    hooks.Refresh_Canvas();
    hooks.Insert_In_Undo_Redo();
}
}  // namespace

void PropertyPanel::Frame_main_Pic_X_Pos_Changed()
{
    frameEdit(m_hooks, frame_main_pic_X_pos, frame_main_pic_X_pos_val,
              [](SKTGraphicView &c, double v) { c.Frame_main_Pic_X_Pos_Changed(v); });
}

void PropertyPanel::Frame_main_Pic_Y_Pos_Changed()
{
    frameEdit(m_hooks, frame_main_pic_Y_pos, frame_main_pic_Y_pos_val,
              [](SKTGraphicView &c, double v) { c.Frame_main_Pic_Y_Pos_Changed(v); });
}

void PropertyPanel::Frame_main_Pic_Wdith_Changed()
{
    const int unit = m_hooks.Measument_Unit_Is();
    frameEdit(m_hooks, frame_main_pic_width, frame_main_pic_width_val,
              [unit](SKTGraphicView &c, double v) { c.Frame_main_Pic_Wdith_Changed(v, unit); }, unit);
}

void PropertyPanel::Frame_main_Pic_Height_Changed()
{
    const int unit = m_hooks.Measument_Unit_Is();
    frameEdit(m_hooks, frame_main_pic_height, frame_main_pic_height_val,
              [unit](SKTGraphicView &c, double v) { c.Frame_main_Pic_Height_Changed(v, unit); }, unit);
}

// --- alignment and size commands ---

void PropertyPanel::runCommand(void (*command)(SKTGraphicView &))
{
    if (SKTGraphicView *canvas = m_hooks.currentCanvas())
        command(*canvas);
    m_hooks.Refresh_Canvas();
    m_hooks.Insert_In_Undo_Redo();
}

void PropertyPanel::Align_Left_Clicked() { runCommand([](SKTGraphicView &c) { c.alignLeftEdges(); }); }
void PropertyPanel::Align_Right_Clicked() { runCommand([](SKTGraphicView &c) { c.alignRightEdges(); }); }
void PropertyPanel::Align_Top_Clicked() { runCommand([](SKTGraphicView &c) { c.alignTopEdges(); }); }
void PropertyPanel::Align_Bottom_Clicked() { runCommand([](SKTGraphicView &c) { c.alignBottomEdges(); }); }
void PropertyPanel::Align_Center_Clicked() { runCommand([](SKTGraphicView &c) { c.alignformCenter(); }); }
void PropertyPanel::Align_Horz_Clicked() { runCommand([](SKTGraphicView &c) { c.alignHorizontalCenters(); }); }
void PropertyPanel::Align_Vert_Clicked() { runCommand([](SKTGraphicView &c) { c.alignVerticalCenters(); }); }
void PropertyPanel::Make_Fit_To_Label_Clicked() { runCommand([](SKTGraphicView &c) { c.makeSameAsLabelSize(); }); }
void PropertyPanel::Make_Natural_Clicked() { runCommand([](SKTGraphicView &c) { c.makeNaturalSize(); }); }

void PropertyPanel::Make_Same_Width_Clicked()
{
    SKTGraphicView *canvas = m_hooks.currentCanvas();
    if (!canvas || canvas->selectionIndexes().size() < 2) {
        Show_MessageBox(QStringLiteral("Please select more than one control."));
        return;
    }
    runCommand([](SKTGraphicView &c) { c.makeSameWidth(); });
}

void PropertyPanel::Make_Same_Height_Clicked()
{
    SKTGraphicView *canvas = m_hooks.currentCanvas();
    if (!canvas || canvas->selectionIndexes().size() < 2) {
        Show_MessageBox(QStringLiteral("Please select more than one control."));
        return;
    }
    runCommand([](SKTGraphicView &c) { c.makeSameHeight(); });
}

void PropertyPanel::Align_To_Grid_Clicked()
{
    SKTGraphicView *canvas = m_hooks.currentCanvas();
    if (!canvas || !canvas->grid() || !canvas->grid()->isAlwaysShown()) {
        Show_MessageBox(QStringLiteral("Please use grid option first."));
        return;
    }
    runCommand([](SKTGraphicView &c) { c.alignWithGrid(); });
}

// --- the combo-box dispatcher ---

void PropertyPanel::connectCombos()
{
    for (QComboBox *combo : {Line_border_style, Line_ori_style, Line_cap_style, Text_border_style, Text_align_combo,
                             Text_vert_align_combo, Text_case_combo, Text_Orientation_Combo, shape_border_style,
                             shape_hatch_style, Image_border_style, Sign_border_style, Data_source_type, Batch_Series})
        connect(combo, &QComboBox::currentIndexChanged, this, [this, combo] { comboBoxSelectionDidChange(combo); });
}

void PropertyPanel::comboBoxSelectionDidChange(QComboBox *sender)
{
    if (sender == Line_border_style || sender == Line_ori_style || sender == Line_cap_style) {
        Update_Line_Graphics();
    } else if (sender == Text_border_style || sender == Text_align_combo || sender == Text_vert_align_combo ||
               sender == Text_case_combo) {
        Update_Text_Graphics();
    } else if (sender == Text_Orientation_Combo) {
        if (sender->currentIndex() < 0)
            return;  // no angle of the list: the slider's own value stands
        txt_rotation_slidr_val->setText(QString::number(sender->currentText().toInt()));
        Update_Text_Graphics();
    } else if (sender == shape_border_style || sender == shape_hatch_style) {
        Update_Shape_Graphics();
    } else if (sender == Image_border_style) {
        Update_Image_Graphics(false);
    } else if (sender == Sign_border_style) {
        Update_Sign_Graphics();
    } else if (sender == Data_source_type) {
        dataSourceChosen();
    } else if (sender == Batch_Series) {
        seriesChosen();
    } else {
        m_hooks.Card_Combo_Changed(sender);
    }
}

void PropertyPanel::dataSourceChosen()
{
    const QString text = Data_source_type->currentText();
    const bool manual = text == QLatin1String("Manual");
    const bool live = Start_Card_Option == QLatin1String("V") || Start_Card_Option == QLatin1String("G");
    Data_Source_Enabling(manual);
    Text_value_Edit->setReadOnly(!manual);

    // Refilling the list is no choice of an item: nothing is bound by it.
    const QSignalBlocker quiet(Batch_Series);
    Batch_Series->clear();
    // A control being shown is only being shown: its binding stays as it is.
    auto rebind = [&](const QString &name, int index) {
        if (!live && !Not_Draw_Only_Prop_Change)
            m_hooks.Change_Data_Source_To_selected_Control(Data_source_type->currentIndex(), name, index);
    };
    if (manual) {
        rebind({}, -1);
    } else if (text == QLatin1String("Series")) {
        const QStringList names = Get_datasheet_File_Name_Array();
        if (names.isEmpty()) {
            if (live || !Not_Draw_Only_Prop_Change)
                Show_MessageBox(QStringLiteral("Please create batch processing series first."));
            return;
        }
        Batch_Series->addItems(names);
        Batch_Series->setCurrentIndex(-1);
        const SKTGraphicView *canvas = m_hooks.currentCanvas();
        const SKTGraphic *selected = canvas ? canvas->Selected_Graphic() : nullptr;
        if (!live && selected && names.contains(selected->batch_list_name))
            Batch_Series->setCurrentIndex(Batch_Series->findText(selected->batch_list_name));
        rebind({}, -1);
    } else {
        m_hooks.Fill_Excel_Col_Name_In_Combo(Batch_Series);
        Batch_Series->setCurrentIndex(-1);
        rebind({}, -1);
    }
}

void PropertyPanel::Data_Source_Enabling(bool manual)
{
    view_series_btn->setEnabled(!manual);
    Batch_Series->setEnabled(!manual);
    insert_template_btn->setEnabled(manual);
    manual_brws_box->setEnabled(manual);
    Text_Date_Time_Box->setEnabled(manual);
}

void PropertyPanel::seriesChosen()
{
    const bool live = Start_Card_Option == QLatin1String("V") || Start_Card_Option == QLatin1String("G");
    if (Not_Draw_Only_Prop_Change || live || Data_source_type->currentText() == QLatin1String("Manual"))
        return;
    const QString name = Trim_Str(Batch_Series->currentText());
    if (name.isEmpty() || name == QLatin1String("<--Select-->"))
        return;
    m_hooks.Change_Data_Source_To_selected_Control(Data_source_type->currentIndex(), name, Batch_Series->currentIndex());
}
