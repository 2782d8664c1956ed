#include "LinearDecode.h"

#include "TestSupport.h"

#include "barcode/Symbologies.h"

#include <QPainter>
#include <QTemporaryDir>

#include <cctype>
#include <cmath>

namespace bctest {

namespace {

// Runs a tool over the image saved as a PNG on white with a 20-pixel margin.
testsupport::ToolResult runOnPng(const QImage &image, const QString &tool, QStringList args)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("symbol.png"));
    onWhite(image, 20).save(path, "PNG");
    return testsupport::runTool(tool, args << path);
}

// Darker than mid-grey; transparent counts as white.
bool isDark(QRgb pixel) { return qAlpha(pixel) >= 128 && qGray(pixel) < 128; }

QChar barClass(bool up, bool down, bool fourState)
{
    if (!fourState)
        return up ? u'F' : u'T';
    return up && down ? u'F' : up ? u'A' : down ? u'D' : u'T';
}

}  // namespace

barcode::BarcodeSetup linearSetup(const QString &symbology, bool bare)
{
    barcode::BarcodeSetup setup;
    setup.barcode_font_index = barcode::Symbology_Index(0, symbology);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(10.0);
    setup.value_font_val = setup.header_font_val = setup.footer_font_val = font;
    if (bare)
        setup.show_hide_hdr = setup.show_hide_ftr = setup.show_hide_val = 1;
    return setup;
}

QImage onWhite(const QImage &image, int margin)
{
    QImage out(image.width() + 2 * margin, image.height() + 2 * margin, QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter(&out).drawImage(margin, margin, image);
    return out;
}

Decoded zxing(const QImage &image, const QString &format)
{
    // Its downscaling pass aborts on large linear symbols, so it is left out.
    const auto r = runOnPng(image, QStringLiteral("ZXingReader"),
                            {QStringLiteral("-noscale"), QStringLiteral("-format"), format});
    Decoded d;
    d.raw = QString::fromUtf8(r.out + r.err);
    bool sameFormat = false, error = false;
    for (const QByteArray &line : r.out.split('\n')) {
        const int colon = line.indexOf(':');
        const QByteArray key = line.left(colon).trimmed(), value = line.mid(colon + 1).trimmed();
        const bool quoted = value.size() > 1 && value.startsWith('"') && value.endsWith('"');
        if (key == "Text")
            d.text = QString::fromUtf8(quoted ? value.mid(1, value.size() - 2) : value);
        else if (key == "Bytes")
            d.bytes = QByteArray::fromHex(QByteArray(value).replace(' ', ""));
        else if (key == "EC Level")
            d.ecLevel = QString::fromUtf8(value);
        sameFormat |= key == "Format" && value == format.toLatin1();
        error |= key == "Error";
        d.hasEci |= key == "HasECI" && value == "true";
        d.mirrored |= key == "IsMirrored" && value == "true";
    }
    if (error || !sameFormat)
        d.text.clear(), d.bytes.clear();
    return d;
}

QByteArray zbarRead(const QImage &image, const QString &symbology)
{
    const auto r = runOnPng(image, QStringLiteral("zbarimg"),
                            {QStringLiteral("-q"), QStringLiteral("--raw"), QStringLiteral("-Sdisable"),
                             QStringLiteral("-S%1.enable").arg(symbology), QStringLiteral("-Sbinary")});
    return r.exitCode == 0 ? r.out.chopped(r.out.endsWith('\n') ? 1 : 0) : QByteArray();
}

QByteArray dmtx(const QImage &image)
{
    const auto r = runOnPng(image, QStringLiteral("dmtxread"), {QStringLiteral("-N1")});
    return r.exitCode == 0 ? r.out : QByteArray();
}

QImage renderEps(const QByteArray &eps, int dpi, QString *error)
{
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("symbol.png"));
    QStringList args = QStringLiteral("-q -dSAFER -dBATCH -dNOPAUSE -dEPSCrop -sDEVICE=pnggray").split(u' ');
    args << QStringLiteral("-r%1").arg(dpi) << QStringLiteral("-sOutputFile=") + png << QStringLiteral("-");
    const auto r = testsupport::runTool(QStringLiteral("gs"), args, eps);
    if (error)
        *error = QString::fromUtf8(r.err);
    return r.exitCode == 0 ? QImage(png) : QImage();
}

std::vector<QString> zintRows(const QStringList &arguments)
{
    std::vector<QString> rows;
    const auto dump = testsupport::runTool(QStringLiteral("zint"), QStringList(arguments) << "--dump");
    for (const QByteArray &line : dump.out.split('\n')) {
        QString bits;
        for (const char c : line)
            if (std::isxdigit(uchar(c)))
                bits += QString::number(QByteArray(1, c).toInt(nullptr, 16) | 16, 2).mid(1);  // four bits
        while (bits.endsWith(u'0'))
            bits.chop(1);
        if (!bits.isEmpty())
            rows.push_back(bits);
    }
    return rows;
}

QString zintBarClasses(const std::vector<QString> &rows)
{
    // The row that holds every bar: the tracker row of a four-state code, the bottom row of a
    // height-modulated one.
    const bool fourState = rows.size() == 3;
    auto on = [&](size_t row, int i) { return row < rows.size() && rows[row].mid(i, 1) == u"1"; };
    QString classes;
    for (int i = 0; rows.size() > 1 && i < rows[1].size(); ++i)
        classes += on(1, i) ? QString(barClass(on(0, i), on(2, i), fourState)) : QString();
    return classes;
}

std::vector<SeenBar> barsOnRow(const QImage &image, int row)
{
    std::vector<SeenBar> bars;
    auto dark = [&](int x, int y) { return isDark(image.pixel(x, y)); };
    for (int x = 0; row >= 0 && row < image.height() && x < image.width(); ++x) {
        if (!dark(x, row))
            continue;
        SeenBar bar{x, x, row, row};
        while (x + 1 < image.width() && dark(x + 1, row))
            ++x;
        bar.right = x;
        const int middle = (bar.left + bar.right) / 2;
        while (bar.top > 0 && dark(middle, bar.top - 1))
            --bar.top;
        while (bar.bottom + 1 < image.height() && dark(middle, bar.bottom + 1))
            ++bar.bottom;
        bars.push_back(bar);
    }
    return bars;
}

QString modulesOnRow(const QImage &image, int row, double modulePixels)
{
    const std::vector<SeenBar> bars = barsOnRow(image, row);
    QString modules;
    for (size_t i = 0; i < bars.size(); ++i) {
        // A space before the bar, then the bar.
        for (const auto &[length, mark] : {std::pair{i ? bars[i].left - bars[i - 1].right - 1 : 0, u'0'},
                                           std::pair{bars[i].right - bars[i].left + 1, u'1'}}) {
            const double count = length / modulePixels;
            if (std::abs(count - std::round(count)) > 0.01 || (length > 0 && std::round(count) < 1))
                return QString();
            modules += QString(int(std::round(count)), mark);
        }
    }
    return modules;
}

QString barClassesSeen(const QImage &image, bool fourState)
{
    // Every bar crosses the middle of a four-state code and the bottom of a height-modulated one;
    // trackers have the lowest tops and the highest bottoms.
    const Band ink = inkBands(image).at(0);
    const std::vector<SeenBar> bars = barsOnRow(image, fourState ? (ink.first + ink.last) / 2 : ink.last);
    int lowestTop = 0, highestTop = image.height(), highestBottom = image.height(), lowestBottom = 0;
    for (const SeenBar &bar : bars) {
        lowestTop = std::max(lowestTop, bar.top);
        highestTop = std::min(highestTop, bar.top);
        highestBottom = std::min(highestBottom, bar.bottom);
        lowestBottom = std::max(lowestBottom, bar.bottom);
    }
    QString classes;
    for (const SeenBar &bar : bars)
        classes += barClass(bar.top < (lowestTop + highestTop) / 2,
                            bar.bottom > (highestBottom + lowestBottom) / 2, fourState);
    return classes;
}

std::vector<Band> inkBands(const QImage &image)
{
    std::vector<Band> bands;
    bool inside = false;
    for (int y = 0; y < image.height(); ++y) {
        int left = -1, right = -1;
        for (int x = 0; x < image.width(); ++x)
            if (isDark(image.pixel(x, y)))
                left = left < 0 ? x : left, right = x;
        if (left >= 0 && !inside)
            bands.push_back({y, y, left, right});
        if ((inside = left >= 0)) {
            Band &band = bands.back();
            band.last = y;
            band.left = std::min(band.left, left), band.right = std::max(band.right, right);
        }
    }
    return bands;
}

}  // namespace bctest
