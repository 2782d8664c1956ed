#include "platform/Plist.h"

#include <QDateTime>
#include <QFile>
#include <QSaveFile>
#include <QTimeZone>

#include <plist/plist.h>

#include <limits>
#include <memory>

namespace platform {

namespace {

// Nesting deeper than this is refused rather than followed: no real document needs it.
constexpr int kMaxDepth = 256;

// Seconds between 1970-01-01 and the property-list epoch 2001-01-01.
constexpr qint64 kPlistEpochOffset = 978307200;

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
        QVariantList list;
        const uint32_t n = plist_array_get_size(node);
        list.reserve(static_cast<qsizetype>(n));
        for (uint32_t i = 0; i < n && ok; ++i)
            list.append(fromNode(plist_array_get_item(node, i), depth + 1, ok));
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

}  // namespace

QByteArray plistSerialize(const QVariant &value, PlistFormat format, bool *okOut)
{
    bool ok = true;
    PlistPtr root(toNode(value, 0, ok));
    if (okOut)
        *okOut = ok && root;
    if (!ok || !root)
        return {};
    char *buf = nullptr;
    uint32_t len = 0;
    QByteArray out;
    if (format == PlistFormat::Xml) {
        plist_to_xml(root.get(), &buf, &len);
        out = QByteArray(buf, static_cast<qsizetype>(len));
        plist_to_xml_free(buf);
    } else {
        plist_to_bin(root.get(), &buf, &len);
        out = QByteArray(buf, static_cast<qsizetype>(len));
        plist_to_bin_free(buf);
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
    plist_t raw = nullptr;
    plist_from_memory(bytes.constData(), static_cast<uint32_t>(bytes.size()), &raw);
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
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

QVariant plistReadFile(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
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
