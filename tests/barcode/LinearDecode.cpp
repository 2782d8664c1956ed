#include "LinearDecode.h"

#include "TestSupport.h"
#include "TwoDDecode.h"

#include "barcode/Symbologies.h"


#include <algorithm>
#include <cmath>
#include <QTemporaryDir>

namespace lineartest {

namespace {

QString savedPng(const QImage &image, QTemporaryDir &dir)
{
    const QString path = dir.filePath(QStringLiteral("symbol.png"));
    twodtest::onWhite(image, 20).save(path);
    return path;
}

}  // namespace

QByteArray zxingRead(const QImage &image, const QString &format)
{
    QTemporaryDir dir;
    const QString path = savedPng(image, dir);
    const auto result = testsupport::runTool(QStringLiteral("ZXingReader"),
                                             {QStringLiteral("-format"), format, QStringLiteral("-bytes"), path});
    return result.out;
}

QByteArray zbarRead(const QImage &image, const QString &symbology)
{
    QTemporaryDir dir;
    const QString path = savedPng(image, dir);
    const auto result = testsupport::runTool(
        QStringLiteral("zbarimg"),
        {QStringLiteral("-q"), QStringLiteral("--raw"), QStringLiteral("-Sdisable"),
         QStringLiteral("-S%1.enable").arg(symbology), path});
    QByteArray out = result.out;
    if (out.endsWith('\n'))
        out.chop(1);
    return out;
}

std::vector<QString> zintRows(const QStringList &arguments)
{
    const auto result = testsupport::runTool(QStringLiteral("zint"), arguments + QStringList{QStringLiteral("--dump")});
    std::vector<QString> rows;
    for (const QByteArray &line : result.out.split('\n')) {
        QString bits;
        for (const char c : line) {
            bool ok = false;
            const int nibble = QString(QChar(c)).toInt(&ok, 16);
            if (ok)
                bits += QStringLiteral("%1").arg(nibble, 4, 2, QChar(u'0'));
        }
        while (bits.endsWith(u'0'))
            bits.chop(1);
        if (!bits.isEmpty())
            rows.push_back(bits);
    }
    return rows;
}

QString zintBarClasses(const std::vector<QString> &rows)
{
    if (rows.size() < 2)
        return QString();
    // The row that holds every bar: the tracker row of a four-state code, the bottom row of a
    // height-modulated one.
    const bool fourState = rows.size() == 3;
    const QString &all = rows[1];
    QString classes;
    for (int i = 0; i < all.size(); ++i) {
        if (all.at(i) != u'1')
            continue;
        const bool up = i < rows[0].size() && rows[0].at(i) == u'1';
        if (!fourState) {
            classes += up ? u'F' : u'T';
            continue;
        }
        const bool down = i < rows[2].size() && rows[2].at(i) == u'1';
        classes += up && down ? u'F' : up ? u'A' : down ? u'D' : u'T';
    }
    return classes;
}

barcode::BarcodeSetup linearSetup(const QString &symbology)
{
    barcode::BarcodeSetup setup;
    setup.linear_or_2d = 0;
    setup.barcode_font_index = barcode::Symbology_Index(0, symbology);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(10.0);
    setup.value_font_val = font;
    setup.header_font_val = font;
    setup.footer_font_val = font;
    return setup;
}

bool isDark(QRgb pixel)
{
    if (qAlpha(pixel) < 128)
        return false;
    return qGray(pixel) < 128;
}

std::vector<SeenBar> barsOnRow(const QImage &image, int row)
{
    std::vector<SeenBar> bars;
    if (row < 0 || row >= image.height())
        return bars;
    int x = 0;
    while (x < image.width()) {
        if (!isDark(image.pixel(x, row))) {
            ++x;
            continue;
        }
        SeenBar bar;
        bar.left = x;
        while (x < image.width() && isDark(image.pixel(x, row)))
            ++x;
        bar.right = x - 1;
        const int middle = (bar.left + bar.right) / 2;
        bar.top = row;
        while (bar.top > 0 && isDark(image.pixel(middle, bar.top - 1)))
            --bar.top;
        bar.bottom = row;
        while (bar.bottom + 1 < image.height() && isDark(image.pixel(middle, bar.bottom + 1)))
            ++bar.bottom;
        bars.push_back(bar);
    }
    return bars;
}

int rowCrossingMostBars(const QImage &image)
{
    int best = 0;
    size_t most = 0;
    for (int row = 0; row < image.height(); ++row) {
        size_t runs = 0;
        bool inside = false;
        for (int x = 0; x < image.width(); ++x) {
            const bool dark = isDark(image.pixel(x, row));
            if (dark && !inside)
                ++runs;
            inside = dark;
        }
        if (runs > most) {
            most = runs;
            best = row;
        }
    }
    return best;
}

QString modulesOnRow(const QImage &image, int row, double modulePixels)
{
    int first = -1;
    int last = -1;
    for (int x = 0; x < image.width(); ++x) {
        if (isDark(image.pixel(x, row))) {
            if (first < 0)
                first = x;
            last = x;
        }
    }
    QString modules;
    if (first < 0)
        return modules;
    int x = first;
    while (x <= last) {
        const bool dark = isDark(image.pixel(x, row));
        int length = 0;
        while (x <= last && isDark(image.pixel(x, row)) == dark) {
            ++length;
            ++x;
        }
        const double count = length / modulePixels;
        if (std::abs(count - std::round(count)) > 0.01 || std::round(count) < 1)
            return QString();
        modules += QString(int(std::round(count)), dark ? u'1' : u'0');
    }
    return modules;
}

QString barClassesSeen(const QImage &image, bool fourState)
{
    const std::vector<SeenBar> bars = barsOnRow(image, rowCrossingMostBars(image));
    if (bars.empty())
        return QString();
    int lowestTop = 0, highestTop = image.height(), highestBottom = image.height(), lowestBottom = 0;
    for (const SeenBar &bar : bars) {
        lowestTop = std::max(lowestTop, bar.top);
        highestTop = std::min(highestTop, bar.top);
        highestBottom = std::min(highestBottom, bar.bottom);
        lowestBottom = std::max(lowestBottom, bar.bottom);
    }
    QString classes;
    for (const SeenBar &bar : bars) {
        if (!fourState) {
            classes += bar.top < (lowestTop + highestTop) / 2 ? u'F' : u'T';
            continue;
        }
        // Trackers have the lowest tops and the highest bottoms.
        const bool up = bar.top < (lowestTop + highestTop) / 2;
        const bool down = bar.bottom > (highestBottom + lowestBottom) / 2;
        classes += up && down ? u'F' : up ? u'A' : down ? u'D' : u'T';
    }
    return classes;
}

}  // namespace lineartest
