#pragma once
// XML property lists as a stream, for documents too large to hold twice (a design with a
// table of many thousand rows): the writer puts out the very bytes plistSerialize gives for the
// same value, a few kilobytes at a time; the reader walks the elements without building a
// tree, so the caller can keep what it reads in a form of its own.

#include <QByteArray>
#include <QString>
#include <QVariant>

#include <limits>
#include <vector>

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

// Walks an XML property list in its bytes, without decoding more than one element's text at a
// time. Elements are met one at a time: next() moves to the next child of the current array or
// dict (entering the one it stands on; false at the container's end, or on an error), value()
// reads the whole element it stands on, text() the text of a key or a string. Text is taken
// as the library writes it, control characters included.
class PlistXmlReader {
public:
    explicit PlistXmlReader(const QByteArray &bytes);

    // Moves to the root value; false when the bytes are not a property list.
    bool begin();
    // After the root value: true when the document ends properly there.
    bool end();

    bool next();
    QLatin1String name() const { return m_name; }
    bool isArray() const { return m_name == QLatin1String("array"); }
    bool isDict() const { return m_name == QLatin1String("dict"); }
    // The element as a value (arrays and dicts whole); invalid on an error.
    QVariant value();
    QString text();
    // Values read so far (each element inside an array or dict counts), and the most that may
    // be read before the reader refuses the rest: a bound on the memory a list can claim.
    qint64 values() const { return m_values; }
    void setValueLimit(qint64 limit) { m_valueLimit = limit; }

    bool failed() const { return !m_error.isEmpty(); }
    QString error() const { return m_error; }
    void fail(const QString &why);

private:
    QVariant valueAt(int depth);
    QByteArray rawText();
    bool skipMarkup();
    bool closeTag(QLatin1String name);
    bool startTag();

    QByteArray m_bytes;
    const char *m_at;
    const char *m_end;
    QLatin1String m_name;
    // The element stood on was "<name/>", or its start tag has not been read past yet.
    bool m_empty = false;
    bool m_standing = false;
    std::vector<QLatin1String> m_open;
    QString m_error;
    qint64 m_values = 0;
    qint64 m_valueLimit = std::numeric_limits<qint64>::max();
};

}  // namespace platform
