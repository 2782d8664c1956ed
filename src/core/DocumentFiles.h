#pragma once
// One-page document files of a card side or a picture, both drawn through a painter as
// vectors: PDF, and Encapsulated PostScript (EPSF-3.0, which Qt does not write) with a
// bounding box of the page's size in points.

#include <QByteArray>
#include <QPainterPath>
#include <QSizeF>
#include <QString>
#include <functional>

// A PDF of one page of `pagePoints`, the painter's units being points from the page's
// top-left corner. Empty when the page cannot be made.
QByteArray Pdf_Page_Data(const QSizeF &pagePoints, const QString &title, const std::function<void(QPainter &)> &paint);

// An EPS of one page of `pagePoints`, painted like the PDF page. `clip`, in the same top-left
// point coordinates, keeps only what lies inside it (an empty path clips nothing); what
// PostScript cannot say is flattened at `flattenDpi`. Empty for an empty page.
QByteArray Eps_Page_Data(const QSizeF &pagePoints, const QString &title, double flattenDpi, const QPainterPath &clip,
                         const std::function<void(QPainter &)> &paint);

// ASCII85 of the bytes, ending "~>", in lines that never begin with "%".
QByteArray Ascii85_Encode(const QByteArray &bytes);

// Writes the bytes to the path whole or not at all; false with a one-line reason.
bool Write_Whole_File(const QString &path, const QByteArray &bytes, QString *error = nullptr);
