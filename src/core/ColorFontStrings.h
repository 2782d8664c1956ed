#pragma once
// Colours and fonts as they are stored in design files and records:
// colour "r:g:b:a" (components 0..1), font "name::::size". A face other than regular rides on
// the name as "Family-Face" (the face's name without spaces: "Lato-LightItalic"); bold and
// italic faces keep the names older files have ("-Bold", "-Italic", "-BoldItalic"). A face
// whose name holds a dash ("Family-Demi-Light") reads back at the split an installed family and
// face make.

#include <QColor>
#include <QFont>
#include <QString>

QString Convert_Color_to_String(const QColor &colour);
QColor Convert_String_to_Color(const QString &text);
QString Convert_Font_to_String(const QFont &font);
QFont Convert_String_to_Font(const QString &text);
