#pragma once
// Cross-window state the main window owns and other windows read.

#include "core/Globals.h"  // Not_Draw_Only_Prop_Change
#include "imaging/CameraFiles.h"  // the camera folder and pictures, set up at the window's start

#include <QString>

extern int Measument_Unit_Is;          // 0 inch, 1 centimetre, 2 millimetre
extern int last_unit_val;              // the unit the card-size fields hold their values in
extern QString Project_File_Name;      // the open design file; empty for a new design
extern bool Fill_User_Profile;
extern bool Excel_Binding_Use;
extern QString Excel_Source_Path;      // the workbook the design is bound to
extern QString CARD_SIDE_STR;          // "2" a two-sided card, "1" one side
extern QString curr_msg_count_str;     // the stage a load is at, for the progress label
extern QString Invite_Frame_IMG;
extern QString Invite_Frame_Pic_IMG;
extern bool copy_card_design;          // set while a design is copied to the other side
