#pragma once
// Reading two-dimensional symbols back with the independent decoders installed as oracles.

#include <QByteArray>
#include <QImage>
#include <QString>

namespace twodtest {

struct Decoded {
    bool found = false;
    QString text;       // the decoder's text
    QByteArray bytes;   // the symbol's data bytes
    QString format;     // "QRCode", "PDF417", "DataMatrix"
    QString ecLevel;    // as ZXingReader reports it
    bool hasEci = false;
    bool mirrored = false;
    QString raw;        // the whole report, for failure messages
};

// The image flattened onto white and surrounded by `margin` white pixels.
QImage onWhite(const QImage &image, int margin = 0);

// ZXingReader restricted to one format; the image is flattened onto white first.
Decoded zxing(const QImage &image, const QString &format);
// zbarimg's raw text (QR only); empty when nothing was read.
QByteArray zbar(const QImage &image);
// dmtxread's raw bytes; empty when nothing was read.
QByteArray dmtx(const QImage &image);

// Ghostscript's rendering of an EPS text at `dpi` (cropped to its bounding box), grey on white;
// null with the reason in `error` when gs fails.
QImage renderEps(const QByteArray &eps, int dpi, QString *error = nullptr);

// Tool names for REQUIRE_TOOL.
inline constexpr const char *kZXing = "ZXingReader";
inline constexpr const char *kZbar = "zbarimg";
inline constexpr const char *kDmtx = "dmtxread";

}  // namespace twodtest
