#include "core/ArchiveValues.h"

#include <QBuffer>
#include <QCache>
#include <QImageReader>
#include <QMutex>
#include <QVariantList>
#include <algorithm>
#include <atomic>
#include <cmath>

namespace {

// The PNG bytes a picture was read from or last written as, so that a picture that did not
// change is not encoded again (a design keeps every barcode's picture). Keyed by the picture's
// cache key, which any change to its pixels renews; the resolution is checked as well because
// setting it on an unshared picture keeps the key.
struct EncodedPicture {
    QByteArray png;
    QSize size;
    int dpmX = 0;
    int dpmY = 0;
    bool matches(const QImage &image) const
    {
        return image.size() == size && image.dotsPerMeterX() == dpmX && image.dotsPerMeterY() == dpmY;
    }
};

class EncodedPictures {
public:
    QByteArray find(const QImage &image)
    {
        const QMutexLocker lock(&mutex);
        const EncodedPicture *entry = cache.object(image.cacheKey());
        return entry && entry->matches(image) ? entry->png : QByteArray();
    }
    void keep(const QImage &image, const QByteArray &png)
    {
        const QMutexLocker lock(&mutex);
        // Cost in kilobytes: at most 64 MB of encoded pictures are remembered.
        cache.insert(image.cacheKey(),
                     new EncodedPicture{png, image.size(), image.dotsPerMeterX(), image.dotsPerMeterY()},
                     std::max<qsizetype>(1, png.size() / 1024));
    }

private:
    QMutex mutex;
    QCache<qint64, EncodedPicture> cache{64 * 1024};
};

EncodedPictures &encodedPictures()
{
    static EncodedPictures pictures;
    return pictures;
}

}  // namespace

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

namespace {
thread_local Picture_Table *t_references = nullptr;
std::atomic<long long> g_encoded{0};
// Starts with a byte no PNG, text or number archive starts a data value with.
const QByteArray kReferencePrefix = QByteArrayLiteral("\x89" "BLPICREF:");
const qsizetype kReferenceSize = kReferencePrefix.size() + 3 * 16;
}  // namespace

Scoped_Picture_References::Scoped_Picture_References(Picture_Table &table) : m_previous(t_references)
{
    t_references = &table;
}

Scoped_Picture_References::~Scoped_Picture_References() { t_references = m_previous; }

QList<QByteArray> Picture_References_In(const QByteArray &archive)
{
    QList<QByteArray> found;
    for (qsizetype at = archive.indexOf(kReferencePrefix); at >= 0 && at + kReferenceSize <= archive.size();
         at = archive.indexOf(kReferencePrefix, at + kReferenceSize))
        found.append(archive.mid(at, kReferenceSize));
    return found;
}

long long Pictures_Encoded() { return g_encoded.load(); }

QVariant Archive_Image(const QImage &image)
{
    if (image.isNull())
        return {};
    if (t_references) {
        // The picture's identity: its cache key (renewed by any change to its pixels) and its
        // resolution (which may change without renewing it).
        const QByteArray reference = kReferencePrefix
                                     + QByteArray::number(quint64(image.cacheKey()), 16).rightJustified(16, '0')
                                     + QByteArray::number(quint32(image.dotsPerMeterX()), 16).rightJustified(16, '0')
                                     + QByteArray::number(quint32(image.dotsPerMeterY()), 16).rightJustified(16, '0');
        t_references->insert(reference, image);
        return reference;
    }
    if (QByteArray known = encodedPictures().find(image); !known.isEmpty())
        return known;
    ++g_encoded;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    if (!png.isEmpty())
        encodedPictures().keep(image, png);
    return png;
}

QImage Unarchive_Image(const QVariant &value)
{
    if (value.typeId() != QMetaType::QByteArray)
        return {};
    QByteArray bytes = value.toByteArray();
    if (bytes.startsWith(kReferencePrefix))
        return t_references ? t_references->value(bytes) : QImage();
    if (!bytes.startsWith("\x89PNG\r\n\x1a\n"))
        return {};
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "PNG");
    const QSize size = reader.size();
    if (!size.isValid() || qint64(size.width()) * size.height() > 100'000'000)
        return {};
    const QImage image = reader.read();
    if (!image.isNull())
        encodedPictures().keep(image, bytes);
    return image;
}
