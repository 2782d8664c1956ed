#pragma once
// The window as the property panel's tests answer it: the canvas under test, the undo snapshots
// counted, and every other call recorded or answered as a window with nothing behind it would.

#include "properties/PropertyPanelHooks.h"

#include <QStringList>

class QComboBox;

struct FakePanelWindow : PropertyPanelHooks {
    SKTGraphicView *canvas = nullptr;
    int snapshots = 0, refreshes = 0, unit = 2;
    QStringList calls;  // "bind <type> <name> <index>", "view <type> <name>", "stock <mode>"
    QStringList columnTitles;
    SKTGraphicView *currentCanvas() override { return canvas; }
    void Refresh_Canvas() override { ++refreshes; }
    void Insert_In_Undo_Redo() override { ++snapshots; }
    void selectArrowTool() override {}
    void Load_Card_Tabs() override {}
    int Measument_Unit_Is() override { return unit; }
    void Change_Data_Source_To_selected_Control(int type, const QString &name, int index) override
    {
        calls << QStringLiteral("bind %1 %2 %3").arg(type).arg(name).arg(index);
    }
    void Fill_Excel_Col_Name_In_Combo(QComboBox *combo) override;
    void View_Data_Source(int type, const QString &name) override { calls << QStringLiteral("view %1 %2").arg(type).arg(name); }
    void Card_Combo_Changed(QComboBox *) override {}
    int Browse_User_Image_Manually() override { return 0; }
    int Open_Image_Library_Window(const QString &) override { return 0; }
    int Open_Camera_Window(QString &) override { return 0; }
    int Open_Template_Dialog(const QString &mode, QString &text) override
    {
        calls << QStringLiteral("stock %1").arg(mode);
        text = mode == QLatin1String("T") ? QStringLiteral("A Title") : QStringLiteral("A message");
        return 1;
    }
    int Open_Cropping_Tool(const CropRequest &) override { return 0; }
    bool excel = false;
    bool Excel_Binding_Use() override { return excel; }
    // Says which source it was asked about, so a test sees the question reach the window.
    QString First_Value_Of_Source(int type, const QString &name, int column) override
    {
        return QStringLiteral("%1-%2-%3").arg(type).arg(name).arg(column);
    }
};

#include <QComboBox>
inline void FakePanelWindow::Fill_Excel_Col_Name_In_Combo(QComboBox *combo)
{
    combo->clear();
    combo->addItems(columnTitles);
}
