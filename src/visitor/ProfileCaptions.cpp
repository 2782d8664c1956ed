#include "visitor/ProfileCaptions.h"

QString Title_Name, Title_Title, Title_Company_name, Title_slogan, Title_address, Title_phone, Title_fax, Title_email,
    Title_website, Title_unique, Title_image, Title_Date, Title_Time;

namespace {
QString *const targets[13] = {&Title_Name,  &Title_Title, &Title_Company_name, &Title_slogan, &Title_address,
                              &Title_phone, &Title_fax,   &Title_email,        &Title_website, &Title_unique,
                              &Title_image, &Title_Date,  &Title_Time};

void applyCaptions(const char *const (&texts)[13])
{
    for (int i = 0; i < 13; ++i)
        *targets[i] = QString::fromUtf8(texts[i]);
}
}  // namespace

QStringList Profile_Captions()
{
    QStringList captions;
    for (const QString *t : targets)
        captions.append(*t);
    return captions;
}

void Set_Profile_Captions(const QStringList &captions)
{
    for (int i = 0; i < 13 && i < captions.size(); ++i)
        *targets[i] = captions[i];
}

void Title_For_Gen_ID_Card()
{
    static const char *const texts[13] = {"Name :",       "Position / Title :", "Company Name :", "Company Slogan :",
                                          "Address :",    "Phone No. :",        "Fax No. :",      "Email Id :",
                                          "Website :",    "Unique No. :",       "Photo :",        "Date :",
                                          "Time :"};
    applyCaptions(texts);
}

void Title_For_Student()
{
    static const char *const texts[13] = {"Name :",    "Father's Name :", "Institution :",       "Class / Section :",
                                          "Address :", "Phone No. :",     "DOB :",               "Session :",
                                          "Department :", "Registration No. :", "Photo :", "Date :", "Time :"};
    applyCaptions(texts);
}

void Title_For_Visitor()
{
    static const char *const texts[13] = {"Name :",      "Position / Title :", "Company Name :", "Purpose :",
                                          "Address :",   "Phone No. :",        "Visitor Type :", "Email Id :",
                                          "Person to Meet :", "Visitor No. :", "Photo :",        "Date :",
                                          "Time :"};
    applyCaptions(texts);
}
