#include "core/DocumentFiles.h"

#include "core/PostScriptDevice.h"
#include "platform/WholeFile.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

QByteArray Pdf_Page_Data(const QSizeF &pagePoints, const QString &title, const std::function<void(QPainter &)> &paint)
{
    if (!(pagePoints.width() > 0 && pagePoints.height() > 0))
        return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(72);  // one unit a point
        pdf.setPageSize(QPageSize(pagePoints, QPageSize::Point, QString(), QPageSize::ExactMatch));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setTitle(title);
        pdf.setCreator(QStringLiteral("badgeloom"));
        QPainter painter;
        if (!painter.begin(&pdf))
            return {};
        paint(painter);
        painter.end();
    }
    return bytes;
}

QByteArray Ascii85_Encode(const QByteArray &bytes)
{
    QByteArray out;
    out.reserve(bytes.size() * 5 / 4 + bytes.size() / 60 + 16);
    int column = 0;
    auto put = [&](char c) {
        if (column >= 72 || (column == 0 && c == '%')) {
            // A line must not look like a DSC comment to readers that scan for them.
            if (column != 0)
                out.append('\n');
            if (c == '%')
                out.append(' ');
            column = 0;
        }
        out.append(c);
        ++column;
    };
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.constData());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; i += 4) {
        const qsizetype take = std::min<qsizetype>(4, n - i);
        quint32 word = 0;
        for (qsizetype k = 0; k < 4; ++k)
            word = (word << 8) | (k < take ? data[i + k] : 0u);
        if (take == 4 && word == 0) {
            put('z');
            continue;
        }
        char group[5];
        for (int k = 4; k >= 0; --k) {
            group[k] = char('!' + word % 85);
            word /= 85;
        }
        for (qsizetype k = 0; k < take + 1; ++k)
            put(group[k]);
    }
    put('~');
    put('>');
    out.append('\n');
    return out;
}

QByteArray Eps_Page_Data(const QSizeF &pagePoints, const QString &title, double flattenDpi, const QPainterPath &clip,
                         const std::function<void(QPainter &)> &paint)
{
    if (!(pagePoints.width() > 0 && pagePoints.height() > 0))
        return {};
    PostScriptDevice eps(pagePoints, flattenDpi, clip, title);
    QPainter painter;
    if (!painter.begin(&eps))
        return {};
    paint(painter);
    painter.end();
    return eps.data();
}

bool Write_Whole_File(const QString &path, const QByteArray &bytes, QString *error)
{
    return platform::writeWholeFile(path, bytes, error);
}
