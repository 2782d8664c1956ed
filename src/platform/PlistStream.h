#pragma once
// XML property lists as a stream, for documents too large to hold twice (a design with a
// table of many thousand rows): the writer puts out the very bytes plistSerialize gives for the
// same value, a few kilobytes at a time; the reader walks the elements without building a
// tree, so the caller can keep what it reads in a form of its own.

#include <QBuffer>
#include <QByteArray>
#include <QString>
#include <QVariant>
#include <QXmlStreamReader>

#include <limits>

class QIODevice;

namespace platform {

class PlistXmlWriter {
public:
    // Starts the document on the device (open for writing).
    explicit PlistXmlWriter(QIODevice *device);

    void beginArray();
    void endArray();
    void beginDict();
    void endDict();
    void key(QStringView key);
    void string(QStringView text);
    void data(const QByteArray &bytes);
    // Any value a property list holds (containers too); false for one it cannot hold.
    bool value(const QVariant &value);
    // Closes the document and hands the last bytes to the device; false when the device took
    // fewer bytes than it was given, at any time.
    bool finish();
    // Bytes written so far, the buffered ones included.
    qint64 size() const { return m_flushed + m_buffer.size(); }

private:
    void element(const char *open, const QByteArray &text, const char *close);
    void escaped(QStringView text);
    void opening(const char *tag);
    void closing(const char *tag);
    void settle();
    void indent();
    void flushIfFull();

    QIODevice *m_device;
    QByteArray m_buffer;
    qint64 m_flushed = 0;
    int m_depth = 0;
    // A container whose first child has not come yet: empty, it is written as "<array/>".
    const char *m_pending = nullptr;
    bool m_failed = false;
};

// Walks an XML property list. Elements are met one at a time: next() moves to the next child
// of the current array or dict (false at its end, or on an error), value() reads the whole
// element it stands on, enter() steps into an array or dict to walk its children.
class PlistXmlReader {
public:
    explicit PlistXmlReader(const QByteArray &bytes);

    // Moves to the root value; false when the bytes are not a property list.
    bool begin();
    // After the root value: true when the document ends properly there.
    bool end();

    bool next();
    QStringView name() const { return m_xml.name(); }
    bool isArray() const { return name() == QLatin1String("array"); }
    bool isDict() const { return name() == QLatin1String("dict"); }
    // Steps into the array or dict the reader stands on.
    bool enter();
    // The element as a value (arrays and dicts whole); invalid on an error.
    QVariant value();
    // The text of the element (a key, a string).
    QString text() { return m_xml.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement); }
    // Values read so far (each element inside an array or dict counts), and the most that may
    // be read before the reader refuses the rest: a bound on the memory a list can claim.
    qint64 values() const { return m_values; }
    void setValueLimit(qint64 limit) { m_valueLimit = limit; }

    bool failed() const { return !m_error.isEmpty() || m_xml.hasError(); }
    QString error() const { return m_xml.hasError() ? m_xml.errorString() : m_error; }
    void fail(const QString &why);

private:
    QVariant valueAt(int depth);

    // Read through a device, a few kilobytes at a time: given the bytes whole, the stream
    // reader would first decode all of them into one string.
    QByteArray m_bytes;
    QBuffer m_device;
    QXmlStreamReader m_xml;
    QString m_error;
    qint64 m_values = 0;
    qint64 m_valueLimit = std::numeric_limits<qint64>::max();
};

}  // namespace platform
