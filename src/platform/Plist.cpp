#include "platform/Plist.h"
#include "platform/RegularFile.h"
#include "platform/WholeFile.h"

#include <QDateTime>
#include <QFile>
#include <QHash>
#include <QTimeZone>

#include <plist/plist.h>

#include <locale.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>
#include <unordered_set>
#include <vector>

namespace platform {

namespace {

// Nesting deeper than this is refused rather than followed: no real document needs it.
constexpr int kMaxDepth = 256;

// Seconds between 1970-01-01 and the property-list epoch 2001-01-01.
constexpr qint64 kPlistEpochOffset = 978307200;

// Containers and values a property list may hold in all, counting a shared binary object once
// per reference (the library copies it each time): a few megabytes of references would
// otherwise unfold into billions of nodes.
constexpr qint64 kMaxNodes = 4 * 1024 * 1024;
// A binary list may unfold into this many nodes per byte of its file, and at least this many.
constexpr qint64 kNodesPerByte = 16;
constexpr qint64 kMinNodeBudget = 64 * 1024;

// The library builds and frees its trees recursively, so a deep enough list brings the stack
// down before any check of ours could see the tree. These scans walk the raw bytes without
// recursion and refuse what is too deep or too large before the library is asked.

bool skipPast(const QByteArray &b, qsizetype &i, const char *end)
{
    const qsizetype at = b.indexOf(end, i);
    if (at < 0)
        return false;
    i = at + qsizetype(qstrlen(end));
    return true;
}

QString scanXml(const QByteArray &b)
{
    const QByteArrayView all(b);
    auto v = [&all](qsizetype pos, qsizetype len) {
        return all.sliced(std::min(pos, all.size())).first(std::min(len, all.size() - std::min(pos, all.size())));
    };
    int depth = 0;
    qint64 nodes = 0;
    for (qsizetype i = b.indexOf('<'); i >= 0 && i < b.size(); i = b.indexOf('<', i)) {
        const QByteArrayView head = v(i, 9);
        bool closed = true;
        if (head.startsWith("<!--"))
            closed = skipPast(b, i, "-->");
        else if (head.startsWith("<![CDATA["))
            closed = skipPast(b, i, "]]>");
        else if (head.startsWith("<?"))
            closed = skipPast(b, i, "?>");
        else {
            const qsizetype end = b.indexOf('>', i);
            if (end < 0)
                return QStringLiteral("The property list ends inside a tag.");
            const bool closing = b.at(i + 1) == '/';
            const bool empty = b.at(end - 1) == '/';
            const QByteArrayView name = v(i + (closing ? 2 : 1), 5);
            if (name.startsWith("dict") || name.startsWith("array")) {
                if (closing)
                    depth = std::max(0, depth - 1);
                else if (!empty && ++depth > kMaxDepth)
                    return QStringLiteral("The property list is too deeply nested.");
            }
            if (!closing && ++nodes > kMaxNodes)
                return QStringLiteral("The property list holds too many values.");
            i = end + 1;
        }
        if (!closed)
            return QStringLiteral("The property list ends inside a comment.");
    }
    return {};
}

quint64 readBig(const char *p, int size)
{
    quint64 v = 0;
    for (int k = 0; k < size; ++k)
        v = (v << 8) | quint8(p[k]);
    return v;
}

QString scanBinary(const QByteArray &b)
{
    const QString damaged = QStringLiteral("The binary property list is damaged.");
    const qsizetype n = b.size();
    if (n < 8 + 32)
        return damaged;
    const char *t = b.constData() + n - 32;
    const int offsetSize = quint8(t[6]), refSize = quint8(t[7]);
    const quint64 count = readBig(t + 8, 8), top = readBig(t + 16, 8), table = readBig(t + 24, 8);
    if (offsetSize < 1 || offsetSize > 8 || refSize < 1 || refSize > 8 || top >= count || table < 8
        || table >= quint64(n - 32) || count > (quint64(n - 32) - table) / quint64(offsetSize))
        return damaged;
    const char *data = b.constData();
    // Where object `index` starts and how long its payload is; false when it leaves the objects.
    auto locate = [&](quint64 index, quint64 &at, int &type, quint64 &length) {
        if (index >= count)
            return false;
        at = readBig(data + table + index * quint64(offsetSize), offsetSize);
        if (at < 8 || at >= table)
            return false;
        const quint8 marker = quint8(data[at]);
        type = marker >> 4;
        length = marker & 0xF;
        ++at;
        if (length == 0xF && type >= 4 && type != 8) {
            if (at >= table || (quint8(data[at]) >> 4) != 1)
                return false;
            const int size = 1 << (quint8(data[at]) & 0xF);
            if (size > 8 || at + 1 + quint64(size) > table)
                return false;
            length = readBig(data + at + 1, size);
            at += 1 + quint64(size);
        }
        quint64 unit = 0;
        switch (type) {
        case 0x4: case 0x5: unit = 1; break;
        case 0x6: unit = 2; break;
        case 0xA: case 0xC: unit = quint64(refSize); break;
        case 0xD: unit = 2 * quint64(refSize); break;
        default: return true;
        }
        return length <= (table - at) / unit;
    };
    struct Pending {
        quint64 index;
        int depth;
        bool key;
    };
    // A file without shared containers unfolds into at most one node per reference it stores, so
    // a few bytes cannot honestly stand for more than a few nodes each: past that the library
    // would spend hundreds of megabytes copying the same objects over and over.
    const qint64 budget = std::min(kMaxNodes, std::max<qint64>(kMinNodeBudget, kNodesPerByte * n));
    std::vector<Pending> stack{{top, 0, false}};
    qint64 nodes = 0;
    while (!stack.empty()) {
        const Pending p = stack.back();
        stack.pop_back();
        if (++nodes > budget)
            return QStringLiteral("The property list holds too many values.");
        if (p.depth > kMaxDepth)
            return QStringLiteral("The property list is too deeply nested.");
        quint64 at = 0, length = 0;
        int type = 0;
        if (!locate(p.index, at, type, length))
            return damaged;
        if (p.key) {
            // No accessor of the library reads a key through its length: one holding U+0000
            // would be cut short or stop the process, so such a list is refused.
            bool nul = false;
            for (quint64 k = 0; !nul && (type == 0x5 || type == 0x6) && k < length; ++k)
                nul = type == 0x5 ? !data[at + k] : !data[at + 2 * k] && !data[at + 2 * k + 1];
            if (nul)
                return QStringLiteral("The property list holds a key with a NUL character.");
            continue;
        }
        if (type != 0xA && type != 0xC && type != 0xD)
            continue;
        const quint64 refs = type == 0xD ? 2 * length : length;
        for (quint64 k = 0; k < refs; ++k)
            stack.push_back({readBig(data + at + k * quint64(refSize), refSize), p.depth + 1,
                             type == 0xD && k < length});
        if (stack.size() > quint64(budget))
            return QStringLiteral("The property list holds too many values.");
    }
    return {};
}

struct PlistDeleter {
    void operator()(plist_t p) const { plist_free(p); }
};
using PlistPtr = std::unique_ptr<void, PlistDeleter>;

plist_t toNode(const QVariant &v, int depth, bool &ok)
{
    if (depth > kMaxDepth) {
        ok = false;
        return nullptr;
    }
    switch (v.typeId()) {
    case QMetaType::QVariantList:
    case QMetaType::QStringList: {
        plist_t array = plist_new_array();
        for (const QVariant &item : v.toList()) {
            plist_t child = toNode(item, depth + 1, ok);
            if (!ok) {
                plist_free(array);
                return nullptr;
            }
            plist_array_append_item(array, child);
        }
        return array;
    }
    case QMetaType::QVariantMap: {
        plist_t dict = plist_new_dict();
        const QVariantMap map = v.toMap();
        for (auto it = map.cbegin(); it != map.cend(); ++it) {
            plist_t child = toNode(it.value(), depth + 1, ok);
            if (!ok) {
                plist_free(dict);
                return nullptr;
            }
            plist_dict_set_item(dict, it.key().toUtf8().constData(), child);
        }
        return dict;
    }
    case QMetaType::QString:
        return plist_new_string(v.toString().toUtf8().constData());
    case QMetaType::QByteArray: {
        const QByteArray b = v.toByteArray();
        return plist_new_data(b.constData(), static_cast<uint64_t>(b.size()));
    }
    case QMetaType::Bool:
        return plist_new_bool(v.toBool() ? 1 : 0);
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::Long:
        return plist_new_uint(static_cast<uint64_t>(v.toLongLong()));
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::UShort:
    case QMetaType::ULong:
        return plist_new_uint(v.toULongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return plist_new_real(v.toDouble());
    case QMetaType::QDateTime: {
        const qint64 ms = v.toDateTime().toMSecsSinceEpoch() - kPlistEpochOffset * 1000;
        const qint64 sec = ms >= 0 ? ms / 1000 : -((-ms + 999) / 1000);
        // The library keeps 32-bit seconds: a date before 1933 or after 2069 would be stored
        // as another date, so it is refused instead.
        if (!v.toDateTime().isValid() || sec < std::numeric_limits<int32_t>::min()
            || sec > std::numeric_limits<int32_t>::max()) {
            ok = false;
            return nullptr;
        }
        return plist_new_date(static_cast<int32_t>(sec), static_cast<int32_t>((ms - sec * 1000) * 1000));
    }
    default:
        ok = false;
        return nullptr;
    }
}

QVariant fromNode(plist_t node, int depth, bool &ok)
{
    if (!node || depth > kMaxDepth) {
        ok = false;
        return {};
    }
    switch (plist_get_node_type(node)) {
    case PLIST_ARRAY: {
        // Walked with the library's iterator, which follows its items one to the next: asked by
        // position, a list read from a binary file is searched from its start for every item.
        QVariantList list;
        list.reserve(static_cast<qsizetype>(plist_array_get_size(node)));
        plist_array_iter it = nullptr;
        plist_array_new_iter(node, &it);
        if (!it)
            return list;
        for (plist_t item = nullptr; ok;) {
            plist_array_next_item(node, it, &item);
            if (!item)
                break;
            list.append(fromNode(item, depth + 1, ok));
        }
        free(it);
        return list;
    }
    case PLIST_DICT: {
        QVariantMap map;
        plist_dict_iter it = nullptr;
        plist_dict_new_iter(node, &it);
        if (!it)
            return map;
        for (;;) {
            char *key = nullptr;
            plist_t value = nullptr;
            plist_dict_next_item(node, it, &key, &value);
            if (!key)
                break;
            map.insert(QString::fromUtf8(key), fromNode(value, depth + 1, ok));
            free(key);
            if (!ok)
                break;
        }
        free(it);
        return map;
    }
    case PLIST_STRING: {
        // Read through the pointer and its length: a string holding a NUL byte (possible in any
        // file) makes libplist's copying accessor abort the process.
        uint64_t len = 0;
        const char *s = plist_get_string_ptr(node, &len);
        return s ? QString::fromUtf8(s, static_cast<qsizetype>(len)) : QString();
    }
    case PLIST_KEY: {
        char *s = nullptr;
        plist_get_key_val(node, &s);
        QString out = s ? QString::fromUtf8(s) : QString();
        free(s);
        return out;
    }
    case PLIST_DATA: {
        char *d = nullptr;
        uint64_t len = 0;
        plist_get_data_val(node, &d, &len);
        QByteArray out(d, static_cast<qsizetype>(len));
        free(d);
        return out;
    }
    case PLIST_BOOLEAN: {
        uint8_t b = 0;
        plist_get_bool_val(node, &b);
        return bool(b);
    }
    case PLIST_UINT: {
        uint64_t u = 0;
        plist_get_uint_val(node, &u);
        return static_cast<qlonglong>(u);
    }
    case PLIST_REAL: {
        double d = 0;
        plist_get_real_val(node, &d);
        return d;
    }
    case PLIST_DATE: {
        int32_t sec = 0, usec = 0;
        plist_get_date_val(node, &sec, &usec);
        return QDateTime::fromMSecsSinceEpoch((kPlistEpochOffset + sec) * 1000 + usec / 1000, Qt::UTC);
    }
    case PLIST_UID: {
        uint64_t u = 0;
        plist_get_uid_val(node, &u);
        return static_cast<qlonglong>(u);
    }
    default:
        ok = false;
        return {};
    }
}

// The library reads <real> with the C library's number functions, which follow LC_NUMERIC:
// under a comma-decimal locale "0.1" would read as 0 (how it writes reals differs between its
// versions, so writing is held to the same rules). For as long as it lives this holds the
// calling thread, and it alone, to C number rules: other threads keep their locale.
class CNumbersOnThisThread {
public:
    CNumbersOnThisThread()
    {
        if (locale_t base = duplocale(uselocale(locale_t(0)))) {
            m_c = newlocale(LC_NUMERIC_MASK, "C", base);
            if (!m_c)
                freelocale(base);
        }
        if (m_c)
            m_previous = uselocale(m_c);
    }
    ~CNumbersOnThisThread()
    {
        if (m_c) {
            uselocale(m_previous);
            freelocale(m_c);
        }
    }
    CNumbersOnThisThread(const CNumbersOnThisThread &) = delete;
    CNumbersOnThisThread &operator=(const CNumbersOnThisThread &) = delete;

private:
    locale_t m_c = locale_t(0);
    locale_t m_previous = locale_t(0);
};

// The binary form is written here rather than by the library: the library merges equal data,
// arrays and dictionaries through a table hashed on where each value happens to sit in memory,
// so the same value came out in one of two sizes by chance. Equal leaves are merged here by
// content, in the order they are met, so a value is written the same way every time and two
// archives compare equal byte for byte exactly when they hold the same things.
class BinaryWriter {
public:
    BinaryWriter() = default;
    BinaryWriter(const BinaryWriter &) = delete;  // its leaf sets point back at it
    BinaryWriter &operator=(const BinaryWriter &) = delete;
    bool add(const QVariant &v) { return flatten(v, 0, false) >= 0; }

    QByteArray bytes() const
    {
        const int refSize = bytesFor(quint64(m_objects.size()));
        const qsizetype table = 8 + m_bytes.size() + qsizetype(m_refs.size()) * refSize;
        const int offsetSize = bytesFor(quint64(table));
        QByteArray out(table + qsizetype(m_objects.size()) * offsetSize + 32, Qt::Uninitialized);
        char *at = out.data();
        const auto put = [&at](quint64 v, int size) {
            for (int k = size - 1; k >= 0; --k)
                *at++ = char((v >> (8 * k)) & 0xFF);
        };
        std::memcpy(at, "bplist00", 8);
        at += 8;
        std::vector<quint64> offsets;
        offsets.reserve(m_objects.size());
        for (const Object &o : m_objects) {
            offsets.push_back(quint64(at - out.constData()));
            std::memcpy(at, m_bytes.constData() + o.at, std::size_t(o.size));
            at += o.size;
            for (int k = 0; k < o.refCount; ++k)
                put(quint64(m_refs[std::size_t(o.firstRef + k)]), refSize);
        }
        for (quint64 offset : offsets)
            put(offset, offsetSize);
        std::memset(at, 0, 6);
        at += 6;
        *at++ = char(offsetSize);
        *at++ = char(refSize);
        put(quint64(m_objects.size()), 8);
        put(0, 8);
        put(quint64(table), 8);
        return out;
    }

private:
    // An object's own bytes in m_bytes: a leaf whole, a container's marker and length (its
    // references follow it when written).
    struct Object {
        qsizetype at = 0, size = 0;
        int firstRef = 0, refCount = 0;  // in m_refs
    };
    QByteArrayView bytesOf(int index) const
    {
        const Object &o = m_objects[std::size_t(index)];
        return QByteArrayView(m_bytes.constData() + o.at, o.size);
    }
    // Leaves by their bytes, kept as object indexes; not noexcept, so the set keeps each hash
    // rather than hash a large data value again when it grows.
    struct LeafHash {
        const BinaryWriter *writer;
        std::size_t operator()(int index) const { return qHash(writer->bytesOf(index)); }
    };
    struct SameLeaf {
        const BinaryWriter *writer;
        bool operator()(int a, int b) const { return writer->bytesOf(a) == writer->bytesOf(b); }
    };
    using LeafSet = std::unordered_set<int, LeafHash, SameLeaf>;

    static int bytesFor(quint64 v) { return v <= 0xFF ? 1 : v <= 0xFFFF ? 2 : v <= 0xFFFFFFFFu ? 4 : 8; }

    static void appendBig(QByteArray &b, quint64 v, int size)
    {
        char big[8];
        for (int k = 0; k < size; ++k)
            big[k] = char((v >> (8 * (size - 1 - k))) & 0xFF);
        b.append(big, size);
    }

    static void appendInteger(QByteArray &b, qint64 v)
    {
        // Negative numbers take all eight bytes, as readers take the eight-byte form as signed.
        const int size = v < 0 ? 8 : bytesFor(quint64(v));
        b.append(char(0x10 | (size == 1 ? 0 : size == 2 ? 1 : size == 4 ? 2 : 3)));
        appendBig(b, quint64(v), size);
    }

    static void appendMarker(QByteArray &b, int type, quint64 length)
    {
        if (length < 15) {
            b.append(char((type << 4) | int(length)));
            return;
        }
        b.append(char((type << 4) | 0xF));
        appendInteger(b, qint64(length));
    }

    // A real a float holds exactly takes four bytes, as lists written before took it.
    static void appendReal(QByteArray &b, double d, char eightByteMarker = 0x23)
    {
        if (const float f = float(d); eightByteMarker == 0x23 && double(f) == d) {
            quint32 bits = 0;
            std::memcpy(&bits, &f, sizeof bits);
            b.append(char(0x22));
            appendBig(b, bits, 4);
            return;
        }
        quint64 bits = 0;
        std::memcpy(&bits, &d, sizeof bits);
        b.append(eightByteMarker);
        appendBig(b, bits, 8);
    }

    // Strings and keys are cut at a NUL character, as they always were (no reader of ours reads a
    // key past one), and pass through UTF-8 as before, a lone surrogate included.
    static void appendString(QByteArray &b, const QString &text)
    {
        const qsizetype nul = text.indexOf(QChar(0));
        QStringView s = nul < 0 ? QStringView(text) : QStringView(text).left(nul);
        const bool ascii = std::all_of(s.cbegin(), s.cend(), [](QChar c) { return c.unicode() < 0x80; });
        if (ascii) {
            appendMarker(b, 0x5, quint64(s.size()));
            const qsizetype at = b.size();
            b.resize(at + s.size());
            std::transform(s.cbegin(), s.cend(), b.data() + at, [](QChar c) { return char(c.unicode()); });
            return;
        }
        QString normal;
        if (std::any_of(s.cbegin(), s.cend(), [](QChar c) { return c.isSurrogate(); })) {
            normal = QString::fromUtf8(s.toUtf8());
            s = normal;
        }
        appendMarker(b, 0x6, quint64(s.size()));
        const qsizetype at = b.size();
        b.resize(at + 2 * s.size());
        char *unit = b.data() + at;
        for (QChar c : s) {
            *unit++ = char(c.unicode() >> 8);
            *unit++ = char(c.unicode() & 0xFF);
        }
    }

    static bool appendLeaf(QByteArray &out, const QVariant &v)
    {
        switch (v.typeId()) {
        case QMetaType::QString:
            appendString(out, v.toString());
            return true;
        case QMetaType::QByteArray: {
            const QByteArray d = v.toByteArray();
            appendMarker(out, 0x4, quint64(d.size()));
            out.append(d);
            return true;
        }
        case QMetaType::Bool:
            out.append(v.toBool() ? char(0x09) : char(0x08));
            return true;
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::Short:
        case QMetaType::Long:
            appendInteger(out, v.toLongLong());
            return true;
        case QMetaType::UInt:
        case QMetaType::ULongLong:
        case QMetaType::UShort:
        case QMetaType::ULong:
            appendInteger(out, qint64(v.toULongLong()));
            return true;
        case QMetaType::Double:
        case QMetaType::Float:
            appendReal(out, v.toDouble());
            return true;
        case QMetaType::QDateTime: {
            const qint64 ms = v.toDateTime().toMSecsSinceEpoch() - kPlistEpochOffset * 1000;
            const qint64 sec = ms >= 0 ? ms / 1000 : -((-ms + 999) / 1000);
            // Dates are read back as 32-bit seconds: one outside them would come back as another
            // date, so it is refused, in both forms alike.
            if (!v.toDateTime().isValid() || sec < std::numeric_limits<int32_t>::min()
                || sec > std::numeric_limits<int32_t>::max())
                return false;
            appendReal(out, double(sec) + double((ms - sec * 1000) * 1000) / 1000000, 0x33);
            return true;
        }
        default:
            return false;
        }
    }

    // Keys are merged with keys and values with values, never a key with an equal string.
    int flatten(const QVariant &v, int depth, bool key)
    {
        if (depth > kMaxDepth)
            return -1;
        const int type = v.typeId();
        if (type == QMetaType::QVariantList || type == QMetaType::QStringList) {
            const QVariantList list = v.toList();
            const int index = begin();
            appendMarker(m_bytes, 0xA, quint64(list.size()));
            end(index);
            std::vector<int> refs;
            refs.reserve(std::size_t(list.size()));
            for (const QVariant &item : list) {
                refs.push_back(flatten(item, depth + 1, false));
                if (refs.back() < 0)
                    return -1;
            }
            return withRefs(index, refs);
        }
        if (type == QMetaType::QVariantMap) {
            QVariantMap map = v.toMap();
            // Keys that are equal once cut at a NUL hold the last of their values.
            const auto holdsNul = [](const QString &k) { return k.contains(QChar(0)); };
            if (std::any_of(map.keyBegin(), map.keyEnd(), holdsNul)) {
                QVariantMap cut;
                for (auto it = map.cbegin(); it != map.cend(); ++it)
                    cut.insert(it.key().left(it.key().indexOf(QChar(0))), it.value());
                map = cut;
            }
            const int index = begin();
            appendMarker(m_bytes, 0xD, quint64(map.size()));
            end(index);
            std::vector<int> refs(std::size_t(map.size()) * 2);
            std::size_t k = 0;
            for (auto it = map.cbegin(); it != map.cend(); ++it, ++k) {
                refs[k] = flatten(it.key(), depth + 1, true);
                refs[k + std::size_t(map.size())] = flatten(it.value(), depth + 1, false);
                if (refs[k] < 0 || refs[k + std::size_t(map.size())] < 0)
                    return -1;
            }
            return withRefs(index, refs);
        }
        const int index = begin();
        if (!appendLeaf(m_bytes, v))
            return -1;
        end(index);
        const auto [known, added] = (key ? m_keys : m_leaves).insert(index);
        if (!added) {
            m_bytes.truncate(m_objects.back().at);
            m_objects.pop_back();
        }
        return *known;
    }

    // A new object whose bytes are appended to m_bytes between begin() and end().
    int begin()
    {
        m_objects.push_back({m_bytes.size()});
        return int(m_objects.size() - 1);
    }
    void end(int index)
    {
        Object &o = m_objects[std::size_t(index)];
        o.size = m_bytes.size() - o.at;
    }

    int withRefs(int index, const std::vector<int> &refs)
    {
        Object &o = m_objects[std::size_t(index)];
        o.firstRef = int(m_refs.size());
        o.refCount = int(refs.size());
        m_refs.insert(m_refs.end(), refs.begin(), refs.end());
        return index;
    }

    std::vector<Object> m_objects;
    QByteArray m_bytes;
    std::vector<int> m_refs;
    LeafSet m_leaves{0, LeafHash{this}, SameLeaf{this}}, m_keys{0, LeafHash{this}, SameLeaf{this}};
};

}  // namespace

QByteArray plistSerialize(const QVariant &value, PlistFormat format, bool *okOut)
{
    if (format == PlistFormat::Binary) {
        BinaryWriter writer;
        const bool ok = writer.add(value);
        if (okOut)
            *okOut = ok;
        return ok ? writer.bytes() : QByteArray();
    }
    bool ok = true;
    PlistPtr root(toNode(value, 0, ok));
    if (okOut)
        *okOut = ok && root;
    if (!ok || !root)
        return {};
    char *buf = nullptr;
    uint32_t len = 0;
    QByteArray out;
    {
        const CNumbersOnThisThread cNumbers;
        plist_to_xml(root.get(), &buf, &len);
        out = QByteArray(buf, static_cast<qsizetype>(len));
        plist_to_xml_free(buf);
    }
    if (out.isEmpty() && okOut)
        *okOut = false;
    return out;
}

QVariant plistParse(const QByteArray &bytes, QString *error)
{
    auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return QVariant();
    };
    if (bytes.isEmpty())
        return fail(QStringLiteral("The property list is empty."));
    if (bytes.size() > kMaxPlistBytes)
        return fail(QStringLiteral("The property list is too large."));
    const QString refused = bytes.startsWith("bplist00") ? scanBinary(bytes) : scanXml(bytes);
    if (!refused.isEmpty())
        return fail(refused);
    plist_t raw = nullptr;
    {
        const CNumbersOnThisThread cNumbers;
        plist_from_memory(bytes.constData(), static_cast<uint32_t>(bytes.size()), &raw);
    }
    PlistPtr root(raw);
    if (!root)
        return fail(QStringLiteral("The data is not a property list."));
    bool ok = true;
    QVariant v = fromNode(root.get(), 0, ok);
    if (!ok)
        return fail(QStringLiteral("The property list holds an unsupported or too deeply nested value."));
    return v;
}

bool plistWriteFile(const QString &path, const QVariant &value, PlistFormat format, QString *error)
{
    bool ok = false;
    const QByteArray bytes = plistSerialize(value, format, &ok);
    if (!ok) {
        if (error)
            *error = QStringLiteral("The value cannot be stored in a property list.");
        return false;
    }
    return writeWholeFile(path, bytes, error);
}

QVariant plistReadFile(const QString &path, QString *error)
{
    QFile file(path);
    if (QString why; !openRegularFile(file, &why)) {
        if (error)
            *error = why;
        return {};
    }
    if (file.size() > kMaxPlistBytes) {
        if (error)
            *error = QStringLiteral("The property list is too large.");
        return {};
    }
    return plistParse(file.readAll(), error);
}

}  // namespace platform
