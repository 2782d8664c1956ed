#include "ArchiveTestSupport.h"

#include "TestSupport.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <gtest/gtest.h>

namespace archivetest {

QImage patternImage(int width, int height, QImage::Format format)
{
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgba((x * 37) % 256, (y * 53) % 256, (x * y) % 256, 255 - (x + y) % 200));
    }
    return image.convertToFormat(format);
}

bool samePixels(const QImage &a, const QImage &b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull();
    return a.size() == b.size()
        && a.convertToFormat(QImage::Format_ARGB32) == b.convertToFormat(QImage::Format_ARGB32);
}

QJsonValue pythonPlist(const QByteArray &bytes, const QString &expression)
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("data.plist")));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        ADD_FAILURE() << "cannot write " << file.fileName().toStdString();
        return {};
    }
    file.close();
    const QString script =
        QStringLiteral("import json, plistlib, sys\nv = plistlib.load(open(sys.argv[1], 'rb'))\n"
                       "print(json.dumps(%1))\n")
            .arg(expression);
    const testsupport::ToolResult r =
        testsupport::runTool(testsupport::systemPython(), {QStringLiteral("-c"), script, file.fileName()});
    if (r.exitCode != 0) {
        ADD_FAILURE() << "python could not read the property list: " << r.err.toStdString();
        return {};
    }
    const QJsonDocument doc = QJsonDocument::fromJson("[" + r.out + "]");
    return doc.array().isEmpty() ? QJsonValue() : doc.array().at(0);
}

}  // namespace archivetest
