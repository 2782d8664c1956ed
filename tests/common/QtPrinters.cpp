#include "QtPrinters.h"

#include <QCryptographicHash>
#include <QDebug>

void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

void PrintTo(const QStringList &texts, std::ostream *os)
{
    *os << '{';
    for (qsizetype i = 0; i < texts.size(); ++i) {
        *os << (i ? ", " : " ");
        PrintTo(texts[i], os);
    }
    *os << (texts.isEmpty() ? "}" : " }");
}

void PrintTo(const QByteArray &bytes, std::ostream *os)
{
    constexpr qsizetype kShown = 200;
    *os << '"' << bytes.left(kShown).toPercentEncoding(" !#$&'()*+,-./:;<=>?@[]^_`{|}~").toStdString()
        << (bytes.size() > kShown ? "\"..." : "\"") << " (" << bytes.size() << " bytes)";
}

void PrintTo(const QColor &colour, std::ostream *os)
{
    *os << (colour.isValid() ? colour.name(QColor::HexArgb).toStdString() : std::string("invalid colour"));
}

void PrintTo(const QVariant &value, std::ostream *os)
{
    QString shown;
    QDebug(&shown).nospace() << value;
    *os << shown.toStdString();
}

void PrintTo(const QImage &image, std::ostream *os)
{
    if (image.isNull()) {
        *os << "null image";
        return;
    }
    const QImage rgba = image.convertToFormat(QImage::Format_ARGB32);
    QCryptographicHash digest(QCryptographicHash::Sha1);
    for (int y = 0; y < rgba.height(); ++y)
        digest.addData(QByteArrayView(rgba.constScanLine(y), qsizetype(rgba.width()) * 4));
    *os << image.width() << 'x' << image.height() << " image, format " << int(image.format()) << ", device pixel ratio "
        << image.devicePixelRatio() << ", pixels " << digest.result().toHex().left(12).toStdString() << ", corners";
    for (const QPoint p : {QPoint(0, 0), QPoint(rgba.width() - 1, 0), QPoint(0, rgba.height() - 1),
                           QPoint(rgba.width() - 1, rgba.height() - 1)})
        *os << ' ' << QColor::fromRgba(rgba.pixel(p)).name(QColor::HexArgb).toStdString();
}
