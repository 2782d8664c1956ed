#pragma once
// The captions in force for the thirteen profile fields, set all at once by a caption set.

#include <QString>
#include <QStringList>

extern QString Title_Name, Title_Title, Title_Company_name, Title_slogan, Title_address, Title_phone, Title_fax,
    Title_email, Title_website, Title_unique, Title_image, Title_Date, Title_Time;

// The general ID-card captions ("Name :", "Position / Title :", …).
void Title_For_Gen_ID_Card();
// The student captions ("Name :", "Father's Name :", …).
void Title_For_Student();
// The visitor-pass captions ("Purpose :", "Visitor Type :", "Person to Meet :", …).
void Title_For_Visitor();
// The thirteen captions in force, and putting such a list back.
QStringList Profile_Captions();
void Set_Profile_Captions(const QStringList &captions);
