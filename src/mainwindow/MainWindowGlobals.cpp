#include "mainwindow/MainWindowGlobals.h"

int Measument_Unit_Is = 2;
int last_unit_val = 2;
QString Project_File_Name;
bool Fill_User_Profile = false;
bool Excel_Binding_Use = false;
QString Excel_Source_Path;
QString CARD_SIDE_STR = QStringLiteral("2");
QString curr_msg_count_str;
QString Invite_Frame_IMG;
QString Invite_Frame_Pic_IMG;
bool copy_card_design = false;
