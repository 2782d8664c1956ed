#pragma once
// Joins PDF files of pages into one file, their pages one after the other, written out as each
// part arrives. It lets a long print run draw its pages on every core: each worker writes a run
// of pages as a PDF of its own (QPdfWriter), and the parts are joined in page order.
//
// A part must be a file as QPdfWriter writes it: one classic cross-reference table, no object
// streams, a catalog naming one page tree. Anything else is refused (the caller then draws the
// pages on one thread), never half-joined silently.

#include <QByteArray>
#include <QString>
#include <vector>

class QIODevice;

class PdfJoin {
public:
    explicit PdfJoin(QIODevice &out) : m_out(out) {}

    // Appends the pages of one part. False with a reason when the part cannot be read or the
    // output cannot be written; nothing more may be added then.
    bool add(const QByteArray &part, QString *error = nullptr);
    // Writes the page tree over every part, the catalog, the cross-reference table and the
    // trailer. False with a reason when no part was added or the output failed.
    bool finish(QString *error = nullptr);

    int pages() const { return m_pages; }

private:
    bool write(const QByteArray &bytes);

    QIODevice &m_out;
    qint64 m_written = 0;
    bool m_failed = false;
    int m_pages = 0;
    // Offsets of the objects written, by number (1-based; 1 to 3 are the joined file's own).
    std::vector<qint64> m_offsets{0, 0, 0};
    std::vector<int> m_partTrees;  // each part's page tree, by its number in the joined file
    QByteArray m_info;             // the first part's document information
};
