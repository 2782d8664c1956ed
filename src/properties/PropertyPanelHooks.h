#pragma once
// What the property panel asks of the window it sits in. The main window implements it for the
// run; tests fake it.

#include <QString>

class QComboBox;
class SKTGraphicView;

class PropertyPanelHooks {
public:
    virtual ~PropertyPanelHooks() = default;
    // The canvas of the side being edited (front or back).
    virtual SKTGraphicView *currentCanvas() = 0;
    virtual void Refresh_Canvas() {}
    // Records an undo snapshot of the current side.
    virtual void Insert_In_Undo_Redo() {}
    virtual void selectArrowTool() {}
    // Fills the card tabs from the current side's card properties, once the panel shows them.
    virtual void Load_Card_Tabs() {}
    // The unit of the width and height fields: 0 inch, 1 centimetre, 2 millimetre.
    virtual int Measument_Unit_Is() { return 2; }
    // Binds the selected controls to a data source (0 manual, 1 series, 2 spreadsheet column).
    virtual void Change_Data_Source_To_selected_Control(int, const QString &, int) {}
    // Fills the list with the column names of the design's spreadsheet.
    virtual void Fill_Excel_Col_Name_In_Combo(QComboBox *) {}
    // A combo box of the card tabs, which the window keeps, changed its selection.
    virtual void Card_Combo_Changed(QComboBox *) {}
};
