#pragma once
// One-page document files of a card side or a picture: PDF drawn through a painter (vector),
// and Encapsulated PostScript, which Qt does not write: an EPSF-3.0 file holding the side as
// an image at the export resolution (Flate compressed, ASCII85 armoured), clipped to the
// card's outline, with a bounding box of the card's size in points.

#include <QByteArray>
#include <QImage>
#include <QPainterPath>
#include <QSizeF>
#include <QString>
#include <functional>

// A PDF of one page of `pagePoints`, the painter's units being points from the page's
// top-left corner. Empty when the page cannot be made.
QByteArray Pdf_Page_Data(const QSizeF &pagePoints, const QString &title, const std::function<void(QPainter &)> &paint);

// An EPS of one page of `pagePoints` covered by `image` (its top row at the top). The image is
// flattened onto white; `clip`, in the same top-left point coordinates, keeps only what lies
// inside it (an empty path clips nothing). Empty for a null image or an empty page.
QByteArray Eps_Page_Data(const QImage &image, const QSizeF &pagePoints, const QPainterPath &clip = {},
                         const QString &title = {});

// ASCII85 of the bytes, ending "~>", in lines that never begin with "%".
QByteArray Ascii85_Encode(const QByteArray &bytes);

// Writes the bytes to the path whole or not at all; false with a one-line reason.
bool Write_Whole_File(const QString &path, const QByteArray &bytes, QString *error = nullptr);
