#include "core/DocumentFiles.h"

#include "platform/ImageWriter.h"

#include <QBuffer>
#include <QDateTime>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <cmath>

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

namespace {

QByteArray number(double v) { return QByteArray::number(v, 'f', 3); }

// The path in PostScript operators, y turned upwards from the page's bottom edge.
QByteArray postScriptPath(const QPainterPath &path, double pageHeight)
{
    QByteArray ps;
    auto xy = [&](double x, double y) { return number(x) + ' ' + number(pageHeight - y); };
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.isMoveTo()) {
            if (i > 0)
                ps += "closepath\n";
            ps += xy(e.x, e.y) + " moveto\n";
        } else if (e.isLineTo()) {
            ps += xy(e.x, e.y) + " lineto\n";
        } else if (e.isCurveTo() && i + 2 < path.elementCount()) {
            const QPainterPath::Element c2 = path.elementAt(i + 1), end = path.elementAt(i + 2);
            ps += xy(e.x, e.y) + ' ' + xy(c2.x, c2.y) + ' ' + xy(end.x, end.y) + " curveto\n";
            i += 2;
        }
    }
    if (!ps.isEmpty())
        ps += "closepath\n";
    return ps;
}

// The DSC text of a title: printable ASCII only, so the header stays one clean line.
QByteArray dscText(const QString &text)
{
    QByteArray out;
    for (QChar c : text)
        out.append(c.unicode() >= 0x20 && c.unicode() < 0x7f && c != QLatin1Char('\\') ? char(c.unicode()) : '_');
    return out;
}

}  // namespace

QByteArray Eps_Page_Data(const QImage &image, const QSizeF &pagePoints, const QPainterPath &clip, const QString &title)
{
    if (image.isNull() || !(pagePoints.width() > 0 && pagePoints.height() > 0))
        return {};
    const QImage rgb = platform::flattenedOnto(image, Qt::white).convertToFormat(QImage::Format_RGB888);
    const int w = rgb.width(), h = rgb.height();
    QByteArray samples;
    samples.reserve(qsizetype(w) * h * 3);
    for (int y = 0; y < h; ++y)
        samples.append(reinterpret_cast<const char *>(rgb.constScanLine(y)), qsizetype(w) * 3);
    // qCompress puts a four-byte length before the zlib stream that FlateDecode reads.
    const QByteArray flate = qCompress(samples, 9).mid(4);

    const double pw = pagePoints.width(), ph = pagePoints.height();
    QByteArray eps;
    eps += "%!PS-Adobe-3.0 EPSF-3.0\n";
    eps += "%%BoundingBox: 0 0 " + QByteArray::number(int(std::ceil(pw - 1e-9))) + ' '
         + QByteArray::number(int(std::ceil(ph - 1e-9))) + '\n';
    eps += "%%HiResBoundingBox: 0 0 " + number(pw) + ' ' + number(ph) + '\n';
    eps += "%%Creator: badgeloom\n";
    if (!title.isEmpty())
        eps += "%%Title: " + dscText(title) + '\n';
    eps += "%%CreationDate: " + QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toLatin1() + '\n';
    eps += "%%LanguageLevel: 3\n%%DocumentData: Clean7Bit\n%%Pages: 1\n%%EndComments\n";
    eps += "%%BeginProlog\n%%EndProlog\n%%Page: 1 1\n";
    eps += "save\n";
    const QByteArray clipPath = postScriptPath(clip, ph);
    if (!clipPath.isEmpty())
        eps += "newpath\n" + clipPath + "clip newpath\n";
    eps += number(pw) + ' ' + number(ph) + " scale\n";
    eps += "/DeviceRGB setcolorspace\n";
    eps += "/BLA85 currentfile /ASCII85Decode filter def\n";
    eps += "/BLData BLA85 /FlateDecode filter def\n";
    // The data follows this line; the filters are read to their ends so the file goes on
    // after the data whatever the decoder left unread.
    eps += "{ << /ImageType 1 /Width " + QByteArray::number(w) + " /Height " + QByteArray::number(h)
         + " /BitsPerComponent 8 /Decode [0 1 0 1 0 1] /ImageMatrix [" + QByteArray::number(w) + " 0 0 "
         + QByteArray::number(-h) + " 0 " + QByteArray::number(h)
         + "] /DataSource BLData >> image BLData flushfile BLA85 flushfile } exec\n";
    eps += Ascii85_Encode(flate);
    eps += "restore\nshowpage\n%%Trailer\n%%EOF\n";
    return eps;
}

bool Write_Whole_File(const QString &path, const QByteArray &bytes, QString *error)
{
    // Unbuffered, so a failed write says why ("No space left on device"), not "Unknown error".
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    if (error)
        *error = file.errorString();
    return false;
}
