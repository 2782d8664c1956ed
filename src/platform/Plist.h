#pragma once
// Property lists (design files, print profiles, settings, control archives) over libplist.
// Values are QVariants: QVariantList = array, QVariantMap = dict, QString = string,
// QByteArray = data, integer types = integer, double/float = real, bool = boolean,
// QDateTime = date.

#include <QByteArray>
#include <QString>
#include <QVariant>

namespace platform {

enum class PlistFormat { Xml, Binary };

// Largest property list we accept from a file or the clipboard.
constexpr qint64 kMaxPlistBytes = 256LL * 1024 * 1024;

// Serialises the value; an empty result (and *ok false) when it holds a type a property list
// cannot carry.
QByteArray plistSerialize(const QVariant &value, PlistFormat format = PlistFormat::Xml, bool *ok = nullptr);

// Parses XML or binary property-list bytes. An invalid QVariant, with a one-line reason in
// *error, when the bytes are not a property list.
QVariant plistParse(const QByteArray &bytes, QString *error = nullptr);

// Writes the file whole or not at all.
bool plistWriteFile(const QString &path, const QVariant &value, PlistFormat format = PlistFormat::Xml,
                    QString *error = nullptr);
QVariant plistReadFile(const QString &path, QString *error = nullptr);

}  // namespace platform
