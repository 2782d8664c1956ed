#pragma once
// What the property panel asks of the window it sits in. The main window implements it for the
// run; tests fake it.

#include <QString>

class QComboBox;
class SKTGraphicView;

// What the crop command hands to the cropping tool: the control's source (0 its own picture
// file, 1 every picture of a series, 2 every picture of a spreadsheet column) and where the
// pictures are.
struct CropRequest {
    int sourceType = 0;
    QString path;        // the picture the control shows (source 0, and group mode)
    QString seriesName;  // source 1
    int columnIndex = -1;  // source 2
};

// Every call is answered by the window (no empty defaults): a call the window forgot fails to
// build. Tests answer with a fake of their own.
class PropertyPanelHooks {
public:
    virtual ~PropertyPanelHooks() = default;
    // The canvas of the side being edited (front or back).
    virtual SKTGraphicView *currentCanvas() = 0;
    virtual void Refresh_Canvas() = 0;
    // Records an undo snapshot of the current side.
    virtual void Insert_In_Undo_Redo() = 0;
    virtual void selectArrowTool() = 0;
    // Fills the card tabs from the current side's card properties, once the panel shows them.
    virtual void Load_Card_Tabs() = 0;
    // The unit of the width and height fields: 0 inch, 1 centimetre, 2 millimetre.
    virtual int Measument_Unit_Is() = 0;
    // Binds the selected controls to a data source (0 manual, 1 series, 2 spreadsheet column):
    // the series `name` or the column at `index` (-1: the type alone changed), and shows the
    // first value at once.
    virtual void Change_Data_Source_To_selected_Control(int type, const QString &name, int index) = 0;
    // Empties the list and fills it with the title of every column of the spreadsheet table,
    // column 0 (the row number) first.
    virtual void Fill_Excel_Col_Name_In_Combo(QComboBox *combo) = 0;
    // The data behind a choice: the series viewer for the series `name`, the spreadsheet table's
    // viewer for a column (type 2).
    virtual void View_Data_Source(int type, const QString &name) = 0;
    // A combo box of the card tabs, which the window keeps, changed its selection.
    virtual void Card_Combo_Changed(QComboBox *) = 0;

    // --- picture sources and tools; each answers 1 when the user chose, 0 when cancelled ---
    // The open panel for one picture file; the path goes into `Library_Selected_Image`.
    virtual int Browse_User_Image_Manually() = 0;
    // The image library for a control ("C"); the path goes into `Library_Selected_Image`.
    virtual int Open_Image_Library_Window(const QString &code) = 0;
    // The camera window; `picture` is the path of the picture taken.
    virtual int Open_Camera_Window(QString &picture) = 0;
    // The stock-text picker in title ("T") or message ("M") mode; `text` is the one chosen.
    virtual int Open_Template_Dialog(const QString &mode, QString &text) = 0;
    // The cropping tool on the picture of an image control.
    virtual int Open_Cropping_Tool(const CropRequest &request) = 0;

    // --- data sources as the barcode window offers them ---
    // Whether the design binds controls to a spreadsheet: "Excel" is then offered as a source.
    virtual bool Excel_Binding_Use() = 0;
    // The value a control shows as soon as it is bound: the first value of the series (type 1)
    // or the first row's value of the spreadsheet column (type 2).
    virtual QString First_Value_Of_Source(int type, const QString &seriesName, int column) = 0;
};
