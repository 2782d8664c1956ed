#include "core/ArchiveValues.h"

#include <QBuffer>
#include <QImageReader>
#include <QVariantList>
#include <algorithm>
#include <cmath>

QVariant Archive_Color(const QColor &colour)
{
    if (!colour.isValid())
        return {};
    const QRgba64 c = colour.toRgb().rgba64();
    return QVariantList{c.red() / 65535.0, c.green() / 65535.0, c.blue() / 65535.0, c.alpha() / 65535.0};
}

QColor Unarchive_Color(const QVariant &value)
{
    if (value.typeId() != QMetaType::QVariantList)
        return {};
    const QVariantList parts = value.toList();
    if (parts.size() != 4)
        return {};
    quint16 channel[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        const double v = parts[i].toDouble(&ok);
        if (!ok || !std::isfinite(v))
            return {};
        channel[i] = quint16(std::lround(std::clamp(v, 0.0, 1.0) * 65535.0));
    }
    return QColor(QRgba64::fromRgba64(channel[0], channel[1], channel[2], channel[3]));
}

QVariant Archive_Font(const QFont &font) { return font.toString(); }

QFont Unarchive_Font(const QVariant &value)
{
    QFont font;
    if (value.typeId() != QMetaType::QString)
        return font;
    const QString text = value.toString();
    // A font without a family name (the platform's default font can have none) is written with an
    // empty first field, which QFont refuses to read: its size and style would be lost on every
    // undo and paste. Read the rest under a stand-in name and keep the family empty.
    if (text.startsWith(u',')) {
        if (font.fromString(QStringLiteral("_") + text))
            font.setFamily(QString());
        return font;
    }
    font.fromString(text);
    return font;
}

QVariant Archive_Image(const QImage &image)
{
    if (image.isNull())
        return {};
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

QImage Unarchive_Image(const QVariant &value)
{
    if (value.typeId() != QMetaType::QByteArray)
        return {};
    QByteArray bytes = value.toByteArray();
    if (!bytes.startsWith("\x89PNG\r\n\x1a\n"))
        return {};
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "PNG");
    const QSize size = reader.size();
    if (!size.isValid() || qint64(size.width()) * size.height() > 100'000'000)
        return {};
    return reader.read();
}
