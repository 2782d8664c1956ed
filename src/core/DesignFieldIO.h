#pragma once
// The two directions of the design file's string encodings, with one interface, so that each
// layout (card block, control record, root array) is listed once and serves writing and
// reading alike. Internal to the design-file code.

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QVariantList>

#include <limits>

// A value that cannot be written, or an entry that is missing or of the wrong kind; `index`
// is the position in the array being read or written.
struct DesignFieldFailure {
    int index = 0;
    QString reason;
};

// Appends each value as the file stores it: "Y"/"N", "%d", "%0.2f", colour and font strings,
// brace texts, data. Refuses numbers that are not finite rather than write them.
class DesignFieldWriter {
public:
    static constexpr bool reading = false;
    QVariantList out;

    int position() const { return int(out.size()); }
    bool endsHere() const { return false; }
    void text(const QString &v) { out.append(v); }
    void yn(const bool &v);
    void ynInt(const int &v) { yn(v != 0); }
    void integer(const int &v) { out.append(QString::number(v)); }
    template <class T> void real(const T &v) { realValue(double(v)); }
    void colour(const QColor &v);
    void font(const QFont &v);
    void point(const QPointF &v);
    void size(const QSizeF &v);
    void rect(const QRectF &v);
    void data(const QByteArray &v) { out.append(v); }
    void array(const QVariantList &v) { out.append(QVariant(v)); }

private:
    void realValue(double v);
};

// Reads the values back in the same order with a running index. Every entry must be of the
// kind its field needs: a text where a text stands, a whole number text for "%d", a finite
// number text for "%0.2f", data for data, an array for an array. Anything else throws
// DesignFieldFailure, so a damaged file is refused whole instead of half applied.
class DesignFieldReader {
public:
    static constexpr bool reading = true;
    explicit DesignFieldReader(const QVariantList &in) : m_in(in) {}

    int position() const { return m_index; }
    int remaining() const { return int(m_in.size()) - m_index; }
    bool endsHere() const { return m_index >= m_in.size(); }
    [[noreturn]] void fail(const QString &reason) const { throw DesignFieldFailure{m_index, reason}; }

    void text(QString &v) { v = nextText(); }
    void yn(bool &v) { v = nextText() == QLatin1String("Y"); }
    void ynInt(int &v) { v = nextText() == QLatin1String("Y") ? 1 : 0; }
    void integer(int &v);
    // A number beyond what the field's type holds is refused like one that is not finite: kept,
    // it would become an infinity that the design could never be saved with.
    template <class T> void real(T &v) { v = T(nextReal(double(std::numeric_limits<T>::max()))); }
    void colour(QColor &v);
    void font(QFont &v);
    void point(QPointF &v);
    void size(QSizeF &v);
    void rect(QRectF &v);
    void data(QByteArray &v);
    void array(QVariantList &v);

private:
    const QVariant &next(int kind, const char *what);
    QString nextText();
    double nextReal(double limit);

    const QVariantList &m_in;
    int m_index = 0;
};
