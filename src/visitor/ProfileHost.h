#pragma once
// What the profile dialogs ask of the main window: its three profiles, the open design, the
// spreadsheet binding state, and the few window services a dialog triggers (the temp design for a
// preview, the series manager, the camera). The main window implements it; tests fake it.

#include "core/SKTGraphic.h"

#include <QString>
#include <QStringList>

class Data_From_Excel;
class ExcelTableHost;
class SKTDocument;
class User_Profile_Class;

class ProfileHost {
public:
    virtual ~ProfileHost() = default;

    virtual User_Profile_Class &Front_user_profile() = 0;
    virtual User_Profile_Class &Back_user_profile() = 0;
    virtual User_Profile_Class &TEMP_user_profile() = 0;
    // The open design, whose front and back controls pre-fill the side profile dialog.
    virtual SKTDocument *document() = 0;

    // The design's spreadsheet binding: in use, and the workbook it came from.
    virtual bool Excel_Binding_Use() = 0;
    virtual void Set_Excel_Binding_Use(bool use) = 0;
    virtual QString Excel_Source_Path() = 0;
    virtual void Set_Excel_Source_Path(const QString &path) = 0;
    // The spreadsheet table and the window that owns the bindings into it.
    virtual Data_From_Excel &Excel_Table();
    virtual ExcelTableHost *Excel_Table_Host() { return nullptr; }

    // The placeholder picture of a photo not yet chosen, and the picture types an open panel offers.
    virtual QString NO_Image_Path() { return {}; }
    virtual QStringList Allowd_Image_fileTypes();

    // Preview: the temp design takes the side's controls, then the temp profile is laid on it.
    virtual void Temp_Design_Control_Assign() {}
    virtual void Fill_User_profile_info_TEMP_side(const QString &) {}
    // The series manager, run modally; the window's own series list follows.
    virtual void Batch_Series_Button() {}
    // The camera window: the path of the accepted picture, empty when none was taken.
    virtual QString Take_Camera_Picture() = 0;
};
