#pragma once
// The controller's answer to what the layers below ask of the main window: the card painting
// of the design core, the canvas's requests, the picture panel's reset and the property
// panel's hooks. (The live-mode entry panels are the visitor
// and group panels' own to install.) A separate object so the controller keeps its fields
// under their own names (the tool code is a field there and an operation here); each call
// forwards to the controller.

#include "canvas/CanvasRequests.h"
#include "core/ControlArchive.h"
#include "core/CoreHub.h"
#include "core/PictureServices.h"
#include "properties/CardTabsHooks.h"
#include "properties/PropertyPanelHooks.h"

class SKTWindowController;

class ControllerHub : public CoreHub, public CanvasRequests, public PictureServices, public PropertyPanelHooks,
                      public CardTabsHooks, public ArchiveHub {
public:
    explicit ControllerHub(SKTWindowController &controller);
    ~ControllerHub() override;

    // Both roles: the core's refresh after a control drew itself and the canvas's own.
    void Refresh_Canvas() override;

    // --- CoreHub ---
    QRectF frontCanvasBounds() override;

    // --- CanvasRequests ---
    QFont All_Text_font() override;
    QColor All_Text_clr() override;
    void Insert_In_Undo_Redo() override;
    void Show_RHS_Properties(SKTGraphic *control) override;
    int Selected_Control_Tool() override;
    void Set_Selected_Control_Tool(int tool) override;
    bool Fill_User_Profile() override;
    void Undo_Action_Perform() override;
    void Redo_Action_Perform() override;
    void Lock_Clicked() override;
    void Unlock_Clicked() override;
    void Set_Control_Pos_And_Size(SKTGraphic *control) override;
    void Set_Paste_Button_Status() override;
    void Enable_Same_Size_Buttons(bool on) override;
    void Enable_Natural_Size_Buttons(bool on) override;
    void Export_Button() override;
    void Open_Barcode_Window() override;
    void Mail_Button() override;
    void Print_Button() override;
    bool Window_Command_Available(const QString &action) override;
    void Card_Prop_Clicked() override;
    void Card_Bckgrnd_Clicked() override;
    void Export_As_Template_Clicked() override;

    // --- ArchiveHub: pasted controls cascade by the side's count; live-mode pictures get ids ---
    QPointF Control_New_Point(const QString &card_side) override;
    QString Generate_Extra_image_control_ID() override;

    // --- PictureServices ---
    void Reset_Image_Editing_Controls() override;
    QString Check_Path_For_App_Resources(const QString &path) override;  // WindowCommands.cpp

    // --- PropertyPanelHooks ---
    SKTGraphicView *currentCanvas() override;
    void selectArrowTool() override;
    void Load_Card_Tabs() override;
    int Measument_Unit_Is() override;
    int Browse_User_Image_Manually() override;
    int Open_Image_Library_Window(const QString &code) override;
    int Open_Cropping_Tool(const CropRequest &request) override;  // CropCommands.cpp
    int Open_Camera_Window(QString &picture) override;            // CropCommands.cpp
    // DataSourceCommands.cpp
    void Change_Data_Source_To_selected_Control(int type, const QString &name, int index) override;
    void Fill_Excel_Col_Name_In_Combo(QComboBox *combo) override;
    void View_Data_Source(int type, const QString &name) override;
    int Open_Template_Dialog(const QString &mode, QString &text) override;
    bool Excel_Binding_Use() override;
    QString First_Value_Of_Source(int type, const QString &seriesName, int column) override;
    void Card_Combo_Changed(QComboBox *sender) override;

    // --- CardTabsHooks ---
    Card_Property &cardOfSide(int side) override;
    void Insert_In_Undo_Redo_Replacing_Card(int side, const Card_Property &replaced) override;
    const SKTGraphicArray &controlsOfSide(int side) override;
    CardContent cardContent() override;
    void Apply_Card_Size(const QSizeF &points) override;
    void Card_Control_Size_Change_or_not(const QSizeF &oldSize) override;
    void Set_Card_Size_In_Control(double widthMM, double heightMM) override;
    void Card_Sides_Changed(bool oneSide) override;
    void Reload_Card_Panel() override;
    QString Choose_Library_Background() override;
    QPrinter &printInfo() override;

private:
    SKTWindowController &m_controller;
    CoreHub *m_previous = nullptr;
    CanvasRequests *m_previousRequests = nullptr;
    PictureServices *m_previousPictures = nullptr;
    ArchiveHub *m_previousArchives = nullptr;
};
