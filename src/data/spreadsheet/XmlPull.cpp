#include "data/spreadsheet/XmlPull.h"

#include <cstring>

namespace xmlpull {

namespace {

std::string_view localName(std::string_view name)
{
    const auto colon = name.rfind(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

const char *find(const char *p, const char *end, std::string_view what)
{
    while (p < end) {
        const char *hit = static_cast<const char *>(std::memchr(p, what[0], size_t(end - p)));
        if (!hit || size_t(end - hit) < what.size())
            return nullptr;
        if (std::memcmp(hit, what.data(), what.size()) == 0)
            return hit;
        p = hit + 1;
    }
    return nullptr;
}

// memchr for the short distances between the tags and quotes of a sheet: most hits are a few
// bytes away, where a call to memchr costs more than looking; far ones still go to memchr.
inline const char *findByte(const char *p, const char *end, char c)
{
    const char *near = end - p > 32 ? p + 32 : end;
    for (; p < near; ++p)
        if (*p == c)
            return p;
    return p < end ? static_cast<const char *>(std::memchr(p, c, size_t(end - p))) : nullptr;
}

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

void appendCodePoint(QString &out, char32_t cp)
{
    if (cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return;
    out.append(QString::fromUcs4(&cp, 1));
}

// Resolves "_xHHHH_" in place of the text appended from `from` on.
void resolveEscapes(QString &out, qsizetype from)
{
    qsizetype at = out.indexOf(QLatin1String("_x"), from);
    if (at < 0)
        return;
    QString result = out.left(at);
    qsizetype i = at;
    while (i < out.size()) {
        if (out.at(i) == QLatin1Char('_') && i + 6 < out.size() && out.at(i + 1) == QLatin1Char('x')
            && out.at(i + 6) == QLatin1Char('_')) {
            int value = 0;
            bool ok = true;
            for (int k = 2; k < 6 && ok; ++k) {
                const QChar ch = out.at(i + k);
                const int h = ch.unicode() < 128 ? hexValue(char(ch.unicode())) : -1;
                ok = h >= 0;
                value = value * 16 + h;
            }
            if (ok) {
                result.append(QChar(char16_t(value)));
                i += 7;
                continue;
            }
        }
        result.append(out.at(i++));
    }
    out = result;
}

}  // namespace

void resolveEscapes(QString &text) { resolveEscapes(text, 0); }

Token Scanner::next(std::string_view &text)
{
    Token token;
    const char *lt = findByte(m_p, m_end, '<');
    if (!lt) {
        text = std::string_view(m_p, size_t(m_end - m_p));
        m_p = m_end;
        return token;
    }
    text = std::string_view(m_p, size_t(lt - m_p));
    if (lt + 1 < m_end && (lt[1] == '!' || lt[1] == '?')) {
        const std::string_view rest(lt, size_t(m_end - lt));
        if (rest.starts_with("<!--")) {
            const char *close = find(lt + 4, m_end, "-->");
            if (!close)
                return {Token::Error, {}, {}};
            m_p = close + 3;
            return {Token::Other, {}, {}};
        }
        if (rest.starts_with("<![CDATA[")) {
            const char *close = find(lt + 9, m_end, "]]>");
            if (!close)
                return {Token::Error, {}, {}};
            m_p = close + 3;
            return {Token::CData, {}, std::string_view(lt + 9, size_t(close - lt - 9))};
        }
        if (rest.starts_with("<?")) {
            const char *close = find(lt + 2, m_end, "?>");
            if (!close)
                return {Token::Error, {}, {}};
            m_p = close + 2;
            return {Token::Other, {}, {}};
        }
        if (rest.starts_with("<!"))  // a document type declaration, or worse
            return {Token::Error, {}, {}};
    }
    // The tag ends at the first ">" outside quotes: quoted attribute values may hold ">".
    const char *gt = nullptr;
    for (const char *c = lt + 1; c < m_end; ++c) {
        if (*c == '>') {
            gt = c;
            break;
        }
        if (*c == '"' || *c == '\'') {
            const char *closeQuote = findByte(c + 1, m_end, *c);
            if (!closeQuote)
                return {Token::Error, {}, {}};
            c = closeQuote;
        }
    }
    if (!gt)
        return {Token::Error, {}, {}};
    m_p = gt + 1;
    const char *b = lt + 1;
    const char *e = gt;
    if (b < e && *b == '/') {
        token.kind = Token::End;
        ++b;
    } else if (e > b && e[-1] == '/') {
        token.kind = Token::Empty;
        --e;
    } else {
        token.kind = Token::Start;
    }
    const char *n = b;
    while (n < e && !isSpace(*n))
        ++n;
    token.name = localName(std::string_view(b, size_t(n - b)));
    token.attrs = std::string_view(n, size_t(e - n));
    return token;
}

namespace {
// Walks the attributes of a start tag: calls `seen` with each name (as written) and raw value.
template <class Seen>
void eachAttribute(std::string_view attrs, Seen seen)
{
    size_t i = 0;
    while (i < attrs.size()) {
        while (i < attrs.size() && isSpace(attrs[i]))
            ++i;
        const size_t nameStart = i;
        while (i < attrs.size() && attrs[i] != '=' && !isSpace(attrs[i]))
            ++i;
        const std::string_view attrName = attrs.substr(nameStart, i - nameStart);
        while (i < attrs.size() && (isSpace(attrs[i]) || attrs[i] == '='))
            ++i;
        if (i >= attrs.size())
            break;
        const char quote = attrs[i];
        if (quote != '"' && quote != '\'')
            break;
        const char *at = findByte(attrs.data() + i + 1, attrs.data() + attrs.size(), quote);
        if (!at)
            break;
        const size_t close = size_t(at - attrs.data());
        if (!seen(attrName, attrs.substr(i + 1, close - i - 1)))
            return;
        i = close + 1;
    }
}
}  // namespace

std::string_view attribute(std::string_view attrs, std::string_view name)
{
    // An unprefixed name matches only an attribute written without a prefix.
    std::string_view found;
    eachAttribute(attrs, [&](std::string_view attrName, std::string_view value) {
        if (attrName != name)
            return true;
        found = value;
        return false;
    });
    return found;
}

void attributes(std::string_view attrs, std::initializer_list<Wanted> wanted)
{
    for (const Wanted &w : wanted)
        *w.value = {};
    // Called for every cell: names are compared inline, most of them a single letter.
    auto same = [](std::string_view a, std::string_view b) {
        if (a.size() != b.size() || a.empty() || a[0] != b[0])
            return a.size() == b.size() && a.empty();
        return a.size() == 1 || std::memcmp(a.data() + 1, b.data() + 1, a.size() - 1) == 0;
    };
    eachAttribute(attrs, [&](std::string_view attrName, std::string_view value) {
        for (const Wanted &w : wanted)
            if (same(attrName, w.name) && w.value->data() == nullptr) {
                *w.value = value.data() ? value : std::string_view("", 0);
                break;
            }
        return true;
    });
}

void appendText(QString &out, std::string_view raw, bool escapes)
{
    const qsizetype start = out.size();
    const bool plain = raw.find('&') == std::string_view::npos && raw.find('\r') == std::string_view::npos;
    if (plain) {
        out.append(QString::fromUtf8(raw.data(), qsizetype(raw.size())));
    } else {
        std::string bytes;
        bytes.reserve(raw.size());
        for (size_t i = 0; i < raw.size(); ++i) {
            const char c = raw[i];
            if (c == '\r') {
                bytes.push_back('\n');
                if (i + 1 < raw.size() && raw[i + 1] == '\n')
                    ++i;
                continue;
            }
            if (c != '&') {
                bytes.push_back(c);
                continue;
            }
            const size_t semi = raw.find(';', i);
            if (semi == std::string_view::npos || semi - i > 12) {
                bytes.push_back(c);
                continue;
            }
            const std::string_view ref = raw.substr(i + 1, semi - i - 1);
            char32_t cp = 0;
            if (ref == "lt") cp = '<';
            else if (ref == "gt") cp = '>';
            else if (ref == "amp") cp = '&';
            else if (ref == "quot") cp = '"';
            else if (ref == "apos") cp = '\'';
            else if (ref.size() > 1 && ref[0] == '#') {
                const bool hex = ref[1] == 'x' || ref[1] == 'X';
                for (size_t k = hex ? 2 : 1; k < ref.size(); ++k) {
                    const int d = hex ? hexValue(ref[k]) : (ref[k] >= '0' && ref[k] <= '9' ? ref[k] - '0' : -1);
                    if (d < 0 || cp > 0x10FFFF) {
                        cp = 0;
                        break;
                    }
                    cp = cp * (hex ? 16 : 10) + char32_t(d);
                }
            }
            if (cp == 0) {  // unknown reference: kept as written
                bytes.append(raw.substr(i, semi - i + 1));
            } else {
                out.append(QString::fromUtf8(bytes.data(), qsizetype(bytes.size())));
                bytes.clear();
                appendCodePoint(out, cp);
            }
            i = semi;
        }
        out.append(QString::fromUtf8(bytes.data(), qsizetype(bytes.size())));
    }
    if (escapes)
        resolveEscapes(out, start);
}

}  // namespace xmlpull
