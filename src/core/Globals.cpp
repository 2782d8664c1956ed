#include "core/Globals.h"

#include "platform/Paths.h"

#include <QFontDatabase>
#include <QGuiApplication>

QString Resource_Path;
QString Created_Resource_Path;
QString Data_Folder_Path;
QString Cropped_Img_Path;
QString Database_Path;
QString print_profile_path;

QString Start_Card_Option = QStringLiteral("T");
int Card_Front_Or_Back = 0;
PanelFillFlag Not_Draw_Only_Prop_Change;

QFont DEFAULT_FONT;
QString Text_Ctrl_Font;
int Text_Ctrl_Font_Size = 12;

void Init_Application_Paths()
{
    Resource_Path = platform::resourceFolderPath();
    Created_Resource_Path = platform::dataFolderPath();
    Data_Folder_Path = platform::joinPath(Created_Resource_Path, QStringLiteral("DataSet"));
    if (QGuiApplication::instance()) {
        DEFAULT_FONT = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
        Text_Ctrl_Font = DEFAULT_FONT.family();
    }
}
