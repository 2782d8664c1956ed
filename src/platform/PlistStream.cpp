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

namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

bool isNameChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == ':'
           || c == '-' || c == '.';
}

const char *find(const char *from, const char *end, const char *what)
{
    const QByteArrayView rest(from, end - from);
    const qsizetype at = rest.indexOf(QByteArrayView(what));
    return at < 0 ? nullptr : from + at;
}

void appendUtf8(QByteArray &out, char32_t c)
{
    const char32_t one[1] = {c};
    out.append(QString::fromUcs4(one, 1).toUtf8());
}

}  // namespace

PlistXmlReader::PlistXmlReader(const QByteArray &bytes)
    : m_bytes(bytes), m_at(m_bytes.constData()), m_end(m_bytes.constData() + m_bytes.size())
{
}

void PlistXmlReader::fail(const QString &why)
{
    if (m_error.isEmpty())
        m_error = why;
    m_at = m_end;
}

// Skips white space, comments, processing instructions and the document type; false on text
// or at the end.
bool PlistXmlReader::skipMarkup()
{
    while (m_at < m_end) {
        if (isSpace(*m_at)) {
            ++m_at;
            continue;
        }
        const QByteArrayView rest(m_at, m_end - m_at);
        const char *close = nullptr;
        if (rest.startsWith("<!--"))
            close = find(m_at + 4, m_end, "-->"), close = close ? close + 3 : nullptr;
        else if (rest.startsWith("<?"))
            close = find(m_at + 2, m_end, "?>"), close = close ? close + 2 : nullptr;
        else if (rest.startsWith("<!DOCTYPE")) {
            const char *bracket = find(m_at, m_end, "["), *gt = find(m_at, m_end, ">");
            if (bracket && gt && bracket < gt)
                gt = find(bracket, m_end, "]"), gt = gt ? find(gt, m_end, ">") : nullptr;
            close = gt ? gt + 1 : nullptr;
        } else
            return *m_at == '<';
        if (!close) {
            fail(QStringLiteral("The property list ends inside a comment."));
            return false;
        }
        m_at = close;
    }
    return false;
}

// Reads "<name attributes>" or "<name attributes/>" at m_at.
bool PlistXmlReader::startTag()
{
    const char *name = ++m_at;
    while (m_at < m_end && isNameChar(*m_at))
        ++m_at;
    if (m_at == name) {
        fail(QStringLiteral("The property list holds a damaged tag."));
        return false;
    }
    m_name = QLatin1String(name, m_at - name);
    char quote = 0;
    for (; m_at < m_end; ++m_at) {
        if (quote) {
            quote = *m_at == quote ? 0 : quote;
        } else if (*m_at == '"' || *m_at == '\'') {
            quote = *m_at;
        } else if (*m_at == '>' || *m_at == '<') {
            break;
        }
    }
    if (m_at >= m_end || *m_at != '>') {
        fail(QStringLiteral("The property list ends inside a tag."));
        return false;
    }
    m_empty = m_at[-1] == '/';
    ++m_at;
    m_standing = true;
    return true;
}

// Reads "</name>" at m_at.
bool PlistXmlReader::closeTag(QLatin1String name)
{
    const QByteArrayView rest(m_at, m_end - m_at);
    const qsizetype length = 2 + name.size();
    qsizetype i = length;
    while (i < rest.size() && isSpace(rest[i]))
        ++i;
    if (rest.size() < length || !rest.startsWith("</") || rest.sliced(2, name.size()) != QByteArrayView(name.data(), name.size())
        || i >= rest.size() || rest[i] != '>') {
        fail(QStringLiteral("The element \"%1\" is not closed where it ends.").arg(name));
        return false;
    }
    m_at += i + 1;
    return true;
}

bool PlistXmlReader::next()
{
    if (failed())
        return false;
    if (m_standing) {
        // Into the element stood on.
        m_standing = false;
        if (m_empty)
            return false;
        m_open.push_back(m_name);
    }
    if (!skipMarkup()) {
        fail(m_at < m_end ? QStringLiteral("The property list holds text outside a value.")
                          : QStringLiteral("The property list ends too early."));
        return false;
    }
    if (m_at + 1 < m_end && m_at[1] == '/') {
        if (m_open.empty() || !closeTag(m_open.back()))
            fail(QStringLiteral("The property list closes an element it did not open."));
        if (!m_open.empty())
            m_open.pop_back();
        return false;
    }
    if (QByteArrayView(m_at, m_end - m_at).startsWith("<!")) {
        fail(QStringLiteral("The property list holds text outside a value."));
        return false;
    }
    return startTag();
}

bool PlistXmlReader::begin()
{
    if (!skipMarkup() || !startTag() || m_name != QLatin1String("plist")) {
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
    if (failed())
        return false;
    if (next() || failed() || !m_open.empty()) {
        fail(QStringLiteral("The property list holds more than one value."));
        return false;
    }
    if (skipMarkup() || m_at < m_end)
        fail(QStringLiteral("The property list has more after its end."));
    return !failed();
}

// The text up to the element's end tag, entities replaced, as UTF-8.
QByteArray PlistXmlReader::rawText()
{
    if (!m_standing || failed())
        return {};
    m_standing = false;
    if (m_empty)
        return {};
    const char *close = find(m_at, m_end, "</");
    if (!close) {
        fail(QStringLiteral("The property list ends too early."));
        return {};
    }
    QByteArray out;
    const char *amp = static_cast<const char *>(memchr(m_at, '&', size_t(close - m_at)));
    const char *lt = static_cast<const char *>(memchr(m_at, '<', size_t(close - m_at)));
    if (!amp && !lt) {
        out = QByteArray(m_at, close - m_at);
        m_at = close;
    } else {
        while (m_at < m_end && !(m_at[0] == '<' && m_at + 1 < m_end && m_at[1] == '/')) {
            const QByteArrayView rest(m_at, m_end - m_at);
            if (rest.startsWith("<![CDATA[")) {
                const char *stop = find(m_at, m_end, "]]>");
                if (!stop)
                    break;
                out.append(m_at + 9, stop - m_at - 9);
                m_at = stop + 3;
            } else if (rest.startsWith("<!--")) {
                const char *stop = find(m_at, m_end, "-->");
                if (!stop)
                    break;
                m_at = stop + 3;
            } else if (*m_at == '<') {
                fail(QStringLiteral("A value of the property list holds an element."));
                return {};
            } else if (*m_at == '&') {
                const char *semi = static_cast<const char *>(memchr(m_at, ';', size_t(std::min<qsizetype>(12, m_end - m_at))));
                const QByteArrayView entity = semi ? QByteArrayView(m_at + 1, semi - m_at - 1) : QByteArrayView();
                bool ok = false;
                char32_t c = 0;
                if (entity == "lt") c = '<', ok = true;
                else if (entity == "gt") c = '>', ok = true;
                else if (entity == "amp") c = '&', ok = true;
                else if (entity == "quot") c = '"', ok = true;
                else if (entity == "apos") c = '\'', ok = true;
                else if (entity.startsWith("#x") || entity.startsWith("#X"))
                    c = char32_t(entity.sliced(2).toUInt(&ok, 16));
                else if (entity.startsWith("#"))
                    c = char32_t(entity.sliced(1).toUInt(&ok, 10));
                if (!ok || c == 0 || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
                    fail(QStringLiteral("The property list holds an unknown entity."));
                    return {};
                }
                appendUtf8(out, c);
                m_at = semi + 1;
            } else {
                const char *stop = m_at;
                while (stop < m_end && *stop != '<' && *stop != '&')
                    ++stop;
                out.append(m_at, stop - m_at);
                m_at = stop;
            }
        }
    }
    if (!closeTag(m_name))
        return {};
    return out;
}

QString PlistXmlReader::text() { return QString::fromUtf8(rawText()); }

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
    const QLatin1String tag = name();
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
        v = QByteArray::fromBase64(rawText());
    } else if (tag == QLatin1String("integer")) {
        const QByteArray digits = rawText().trimmed();
        v = digits.startsWith('-') ? digits.toLongLong() : qlonglong(digits.toULongLong());
    } else if (tag == QLatin1String("real")) {
        v = rawText().trimmed().toDouble();
    } else if (tag == QLatin1String("true") || tag == QLatin1String("false")) {
        v = tag == QLatin1String("true");
        rawText();
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
