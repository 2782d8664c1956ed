#include "TwoDDecode.h"

#include "TestSupport.h"
#include "platform/ImageWriter.h"

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

namespace twodtest {

namespace {

QString writePng(const QImage &image, QTemporaryDir &dir)
{
    const QString path = dir.filePath(QStringLiteral("symbol.png"));
    onWhite(image).save(path, "PNG");
    return path;
}

}  // namespace

QImage onWhite(const QImage &image, int margin)
{
    QImage out(image.width() + 2 * margin, image.height() + 2 * margin, QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter p(&out);
    p.drawImage(margin, margin, image);
    return out;
}

Decoded zxing(const QImage &image, const QString &format)
{
    Decoded d;
    QTemporaryDir dir;
    const QString path = writePng(image, dir);
    const auto r = testsupport::runTool(testsupport::findTool(QString::fromLatin1(kZXing)),
                                        {QStringLiteral("-format"), format, path});
    d.raw = QString::fromUtf8(r.out + r.err);
    for (const QByteArray &line : r.out.split('\n')) {
        const int colon = line.indexOf(':');
        if (colon < 0)
            continue;
        const QByteArray key = line.left(colon).trimmed();
        const QByteArray value = line.mid(colon + 1).trimmed();
        if (key == "Text") {
            d.found = true;
            QByteArray t = value;
            if (t.startsWith('"') && t.endsWith('"') && t.size() >= 2)
                t = t.mid(1, t.size() - 2);
            d.text = QString::fromUtf8(t);
        } else if (key == "Bytes") {
            d.bytes = QByteArray::fromHex(QByteArray(value).replace(' ', ""));
        } else if (key == "Format") {
            d.format = QString::fromUtf8(value);
        } else if (key == "EC Level") {
            d.ecLevel = QString::fromUtf8(value);
        } else if (key == "HasECI") {
            d.hasEci = value == "true";
        } else if (key == "IsMirrored") {
            d.mirrored = value == "true";
        } else if (key == "Error") {
            d.found = false;
        }
    }
    if (!d.format.isEmpty() && d.format != format)
        d.found = false;
    return d;
}

QByteArray zbar(const QImage &image)
{
    QTemporaryDir dir;
    const QString path = writePng(image, dir);
    const auto r = testsupport::runTool(testsupport::findTool(QString::fromLatin1(kZbar)),
                                        {QStringLiteral("-q"), QStringLiteral("--raw"), QStringLiteral("-Sqrcode.enable"),
                                         QStringLiteral("-Sbinary"), path});
    QByteArray out = r.out;
    if (out.endsWith('\n'))
        out.chop(1);
    return r.exitCode == 0 ? out : QByteArray();
}

QByteArray dmtx(const QImage &image)
{
    QTemporaryDir dir;
    const QString path = writePng(image, dir);
    const auto r = testsupport::runTool(testsupport::findTool(QString::fromLatin1(kDmtx)),
                                        {QStringLiteral("-N1"), path});
    return r.exitCode == 0 ? r.out : QByteArray();
}

QImage renderEps(const QByteArray &eps, int dpi, QString *error)
{
    QTemporaryDir dir;
    const QString epsPath = dir.filePath(QStringLiteral("symbol.eps"));
    const QString pngPath = dir.filePath(QStringLiteral("symbol.png"));
    QFile f(epsPath);
    if (!f.open(QIODevice::WriteOnly) || f.write(eps) != eps.size())
        return {};
    f.close();
    const auto r = testsupport::runTool(testsupport::findTool(QStringLiteral("gs")),
                                        {QStringLiteral("-q"), QStringLiteral("-dSAFER"), QStringLiteral("-dBATCH"),
                                         QStringLiteral("-dNOPAUSE"), QStringLiteral("-dEPSCrop"),
                                         QStringLiteral("-sDEVICE=pnggray"), QStringLiteral("-r%1").arg(dpi),
                                         QStringLiteral("-sOutputFile=") + pngPath, epsPath});
    if (error)
        *error = QString::fromUtf8(r.err);
    return r.exitCode == 0 ? QImage(pngPath) : QImage();
}

}  // namespace twodtest
