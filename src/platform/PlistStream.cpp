#include "platform/PlistStream.h"

#include "platform/Plist.h"

#include <QDateTime>
#include <QIODevice>
#include <QTimeZone>

namespace platform {

namespace {

constexpr int kMaxDepth = 256;
constexpr qsizetype kChunk = 1 << 20;

}  // namespace

// --- writing ---

PlistXmlWriter::PlistXmlWriter(QIODevice *device) : m_device(device)
{
    m_buffer.reserve(kChunk + 4096);
    m_buffer.append("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
                    "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n<plist version=\"1.0\">\n");
}

void PlistXmlWriter::settle()
{
    if (!m_pending)
        return;
    m_buffer.append(">\n");
    ++m_depth;
    m_pending = nullptr;
}

void PlistXmlWriter::indent() { m_buffer.append(qsizetype(m_depth), '\t'); }

void PlistXmlWriter::flushIfFull()
{
    if (m_buffer.size() < kChunk)
        return;
    if (m_device->write(m_buffer) != m_buffer.size())
        m_failed = true;
    m_flushed += m_buffer.size();
    m_buffer.truncate(0);
}

void PlistXmlWriter::opening(const char *tag)
{
    settle();
    indent();
    m_buffer.append('<').append(tag);
    m_pending = tag;
}

void PlistXmlWriter::closing(const char *tag)
{
    if (m_pending) {
        m_buffer.append("/>\n");
        m_pending = nullptr;
    } else {
        --m_depth;
        indent();
        m_buffer.append("</").append(tag).append(">\n");
    }
    flushIfFull();
}

void PlistXmlWriter::beginArray() { opening("array"); }
void PlistXmlWriter::endArray() { closing("array"); }
void PlistXmlWriter::beginDict() { opening("dict"); }
void PlistXmlWriter::endDict() { closing("dict"); }

void PlistXmlWriter::escaped(QStringView text)
{
    // The text ends at a NUL character, as the library's C strings do.
    const qsizetype nul = text.indexOf(QChar(0));
    const QByteArray utf8 = (nul < 0 ? text : text.first(nul)).toUtf8();
    qsizetype from = 0;
    for (qsizetype i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        const char *entity = c == '<' ? "&lt;" : c == '>' ? "&gt;" : c == '&' ? "&amp;" : nullptr;
        if (!entity)
            continue;
        m_buffer.append(utf8.constData() + from, i - from).append(entity);
        from = i + 1;
    }
    m_buffer.append(utf8.constData() + from, utf8.size() - from);
}

void PlistXmlWriter::element(const char *open, const QByteArray &text, const char *close)
{
    settle();
    indent();
    m_buffer.append(open).append(text).append(close).append('\n');
    flushIfFull();
}

void PlistXmlWriter::key(QStringView key)
{
    settle();
    indent();
    m_buffer.append("<key>");
    escaped(key);
    m_buffer.append("</key>\n");
}

void PlistXmlWriter::string(QStringView text)
{
    settle();
    indent();
    m_buffer.append("<string>");
    escaped(text);
    m_buffer.append("</string>\n");
    flushIfFull();
}

void PlistXmlWriter::data(const QByteArray &bytes)
{
    settle();
    indent();
    m_buffer.append("<data>\n");
    // Lines narrow with the depth, as the library wraps them.
    const qsizetype perLine = std::max(4, ((76 - m_depth * 8) / 4) * 4);
    const QByteArray base64 = bytes.toBase64();
    for (qsizetype at = 0; at < base64.size(); at += perLine) {
        indent();
        m_buffer.append(base64.constData() + at, std::min(perLine, base64.size() - at)).append('\n');
        flushIfFull();
    }
    indent();
    m_buffer.append("</data>\n");
    flushIfFull();
}

bool PlistXmlWriter::value(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::QVariantList:
    case QMetaType::QStringList:
        beginArray();
        for (const QVariant &item : v.toList()) {
            if (!value(item))
                return false;
        }
        endArray();
        return true;
    case QMetaType::QVariantMap: {
        beginDict();
        const QVariantMap map = v.toMap();
        for (auto it = map.cbegin(); it != map.cend(); ++it) {
            key(it.key());
            if (!value(it.value()))
                return false;
        }
        endDict();
        return true;
    }
    case QMetaType::QString:
        string(v.toString());
        return true;
    case QMetaType::QByteArray:
        data(v.toByteArray());
        return true;
    case QMetaType::Bool:
        element(v.toBool() ? "<true/>" : "<false/>", {}, "");
        return true;
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::Long:
        element("<integer>", QByteArray::number(v.toLongLong()), "</integer>");
        return true;
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::UShort:
    case QMetaType::ULong:
        element("<integer>", QByteArray::number(qint64(v.toULongLong())), "</integer>");
        return true;
    default: {
        // Reals and dates in the library's own spelling: the one line it writes for the value.
        bool ok = false;
        const QByteArray whole = plistSerialize(v, PlistFormat::Xml, &ok);
        const QByteArray head = "<plist version=\"1.0\">\n";
        const qsizetype from = whole.indexOf(head), to = whole.lastIndexOf("\n</plist>");
        if (!ok || from < 0 || to < from + head.size())
            return false;
        element("", whole.mid(from + head.size(), to - from - head.size()), "");
        return true;
    }
    }
}

bool PlistXmlWriter::finish()
{
    m_buffer.append("</plist>\n");
    if (m_device->write(m_buffer) != m_buffer.size())
        m_failed = true;
    m_flushed += m_buffer.size();
    m_buffer.clear();
    return !m_failed;
}

// --- reading ---

PlistXmlReader::PlistXmlReader(const QByteArray &bytes) : m_bytes(bytes), m_device(&m_bytes)
{
    m_device.open(QIODevice::ReadOnly);
    m_xml.setDevice(&m_device);
}

void PlistXmlReader::fail(const QString &why)
{
    if (m_error.isEmpty())
        m_error = why;
}

bool PlistXmlReader::next()
{
    while (!failed()) {
        switch (m_xml.readNext()) {
        case QXmlStreamReader::StartElement:
            return true;
        case QXmlStreamReader::EndElement:
            return false;
        case QXmlStreamReader::Characters:
            if (!m_xml.isWhitespace())
                fail(QStringLiteral("The property list holds text outside a value."));
            break;
        case QXmlStreamReader::Comment:
        case QXmlStreamReader::ProcessingInstruction:
        case QXmlStreamReader::DTD:
        case QXmlStreamReader::StartDocument:
            break;
        default:
            fail(QStringLiteral("The property list ends too early."));
            break;
        }
    }
    return false;
}

bool PlistXmlReader::begin()
{
    if (!next() || name() != QLatin1String("plist")) {
        fail(QStringLiteral("The data is not a property list."));
        return false;
    }
    if (!next()) {
        fail(QStringLiteral("The property list holds no value."));
        return false;
    }
    return true;
}

bool PlistXmlReader::end()
{
    if (next())
        fail(QStringLiteral("The property list holds more than one value."));
    while (!failed() && !m_xml.atEnd()) {
        const QXmlStreamReader::TokenType token = m_xml.readNext();
        if (token == QXmlStreamReader::EndDocument)
            break;
        if (token != QXmlStreamReader::Comment && token != QXmlStreamReader::ProcessingInstruction
            && !(token == QXmlStreamReader::Characters && m_xml.isWhitespace()))
            fail(QStringLiteral("The property list has more after its end."));
    }
    return !failed();
}

bool PlistXmlReader::enter() { return isArray() || isDict(); }

QVariant PlistXmlReader::value() { return valueAt(0); }

QVariant PlistXmlReader::valueAt(int depth)
{
    if (depth > kMaxDepth) {
        fail(QStringLiteral("The property list is too deeply nested."));
        return {};
    }
    if (++m_values > m_valueLimit) {
        fail(QStringLiteral("The property list holds too many values."));
        return {};
    }
    const QStringView tag = name();
    auto text = [this] { return m_xml.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement); };
    if (tag == QLatin1String("array")) {
        QVariantList list;
        while (next())
            list.append(valueAt(depth + 1));
        return failed() ? QVariant() : QVariant(list);
    }
    if (tag == QLatin1String("dict")) {
        QVariantMap map;
        while (next()) {
            if (name() != QLatin1String("key")) {
                fail(QStringLiteral("A dictionary entry has no key."));
                break;
            }
            const QString key = text();
            if (!next()) {
                fail(QStringLiteral("A dictionary key has no value."));
                break;
            }
            map.insert(key, valueAt(depth + 1));
        }
        return failed() ? QVariant() : QVariant(map);
    }
    QVariant v;
    if (tag == QLatin1String("string")) {
        v = text();
    } else if (tag == QLatin1String("data")) {
        v = QByteArray::fromBase64(text().toLatin1());
    } else if (tag == QLatin1String("integer")) {
        const QString digits = text().trimmed();
        v = digits.startsWith(QLatin1Char('-')) ? digits.toLongLong() : qlonglong(digits.toULongLong());
    } else if (tag == QLatin1String("real")) {
        v = text().trimmed().toDouble();
    } else if (tag == QLatin1String("true") || tag == QLatin1String("false")) {
        v = tag == QLatin1String("true");
        text();
    } else if (tag == QLatin1String("date")) {
        QDateTime date = QDateTime::fromString(text().trimmed(), Qt::ISODate);
        if (!date.isValid())
            fail(QStringLiteral("A date of the property list cannot be read."));
        v = date.toUTC();
    } else {
        fail(QStringLiteral("The property list holds an unsupported value."));
    }
    return failed() ? QVariant() : v;
}

}  // namespace platform
