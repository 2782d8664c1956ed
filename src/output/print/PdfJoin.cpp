#include "output/print/PdfJoin.h"

#include <QIODevice>
#include <algorithm>
#include <map>

namespace {

constexpr int kInfo = 1, kCatalog = 2, kTree = 3;

bool refuse(QString *error, const QString &why)
{
    if (error)
        *error = why;
    return false;
}

bool isSpace(char c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f' || c == '\0'; }
bool isDelimiter(char c) { return isSpace(c) || QByteArray("()<>[]{}/%").contains(c); }

// Reads a whole number at `at` (after any white space), moving past it; -1 when there is none.
qint64 readNumber(const QByteArray &bytes, qsizetype &at)
{
    while (at < bytes.size() && isSpace(bytes[at]))
        ++at;
    qint64 value = -1;
    while (at < bytes.size() && bytes[at] >= '0' && bytes[at] <= '9' && value < (qint64(1) << 40))
        value = std::max<qint64>(value, 0) * 10 + (bytes[at++] - '0');
    return value;
}

// The object number of the reference after `key` ("/Root 2 0 R" gives 2), or -1.
int referenceAfter(const QByteArray &dict, const QByteArray &key)
{
    qsizetype at = dict.indexOf(key);
    if (at < 0)
        return -1;
    at += key.size();
    const qint64 number = readNumber(dict, at);
    const qint64 generation = readNumber(dict, at);
    while (at < dict.size() && isSpace(dict[at]))
        ++at;
    return generation == 0 && at < dict.size() && dict[at] == 'R' ? int(number) : -1;
}

// Every "n 0 R" of `head` with n put through `numbers`; false when one names an object the
// part does not carry over.
bool renumber(QByteArray &head, const std::map<int, int> &numbers)
{
    QByteArray out;
    out.reserve(head.size() + 16);
    qsizetype copied = 0;
    for (qsizetype at = head.indexOf(" 0 R"); at >= 0; at = head.indexOf(" 0 R", at + 4)) {
        const qsizetype end = at + 4;
        if (end < head.size() && !isDelimiter(head[end]))
            continue;
        qsizetype start = at;
        while (start > copied && head[start - 1] >= '0' && head[start - 1] <= '9')
            --start;
        if (start == at || (start > 0 && !isDelimiter(head[start - 1])))
            continue;
        const auto found = numbers.find(head.mid(start, at - start).toInt());
        if (found == numbers.end())
            return false;
        out += head.mid(copied, start - copied);
        out += QByteArray::number(found->second);
        copied = at;
    }
    out += head.mid(copied);
    head = out;
    return true;
}

struct Part {
    std::map<int, qint64> offsets;  // objects in use
    qint64 xref = 0;
    int root = -1, info = -1;
};

bool readCrossReferences(const QByteArray &pdf, Part &part)
{
    const qsizetype mark = pdf.lastIndexOf("startxref");
    if (mark < 0)
        return false;
    qsizetype at = mark + 9;
    part.xref = readNumber(pdf, at);
    if (part.xref <= 0 || part.xref >= pdf.size() || !pdf.mid(part.xref).startsWith("xref"))
        return false;
    at = part.xref + 4;
    for (;;) {
        const qsizetype section = at;
        const qint64 first = readNumber(pdf, at), count = readNumber(pdf, at);
        if (first < 0 || count < 0) {
            at = section;
            break;
        }
        for (qint64 i = 0; i < count; ++i) {
            const qint64 offset = readNumber(pdf, at);
            const qint64 generation = readNumber(pdf, at);
            while (at < pdf.size() && isSpace(pdf[at]))
                ++at;
            if (offset < 0 || generation < 0 || at >= pdf.size())
                return false;
            const char kind = pdf[at++];
            if (kind == 'n') {
                if (generation != 0 || offset >= part.xref)
                    return false;
                part.offsets[int(first + i)] = offset;
            } else if (kind != 'f') {
                return false;
            }
        }
    }
    while (at < pdf.size() && isSpace(pdf[at]))
        ++at;
    if (!pdf.mid(at).startsWith("trailer"))
        return false;
    const QByteArray trailer = pdf.mid(at, mark - at);
    part.root = referenceAfter(trailer, "/Root");
    part.info = referenceAfter(trailer, "/Info");
    return part.root > 0 && part.offsets.count(part.root) && (part.info < 0 || part.offsets.count(part.info));
}

// The body of object `number` (between "obj" and "endobj") lying in [from, to).
bool objectBody(const QByteArray &pdf, int number, qint64 from, qint64 to, QByteArray &body)
{
    const QByteArray span = pdf.mid(from, to - from);
    const QByteArray head = QByteArray::number(number) + " 0 obj";
    const qsizetype end = span.lastIndexOf("endobj");
    if (!span.startsWith(head) || end < head.size())
        return false;
    body = span.mid(head.size(), end - head.size());
    return true;
}

}  // namespace

bool PdfJoin::write(const QByteArray &bytes)
{
    if (m_failed || m_out.write(bytes) != bytes.size())
        return !(m_failed = true);
    m_written += bytes.size();
    return true;
}

bool PdfJoin::add(const QByteArray &pdf, QString *error)
{
    if (m_failed)
        return refuse(error, QStringLiteral("The PDF could not be written."));
    const auto malformed = [&] {
        m_failed = true;
        return refuse(error, QStringLiteral("A part of the PDF is not in the expected form."));
    };
    Part part;
    if (!pdf.startsWith("%PDF-") || !readCrossReferences(pdf, part))
        return malformed();

    std::vector<std::pair<qint64, int>> byOffset;
    for (const auto &[number, offset] : part.offsets)
        byOffset.emplace_back(offset, number);
    std::sort(byOffset.begin(), byOffset.end());
    std::map<int, QByteArray> bodies;
    for (std::size_t i = 0; i < byOffset.size(); ++i) {
        const qint64 to = i + 1 < byOffset.size() ? byOffset[i + 1].first : part.xref;
        if (!objectBody(pdf, byOffset[i].second, byOffset[i].first, to, bodies[byOffset[i].second]))
            return malformed();
    }
    // The catalog must say nothing but where its pages are: anything else would be lost.
    QByteArray catalog = bodies[part.root];
    const int tree = referenceAfter(catalog, "/Pages");
    catalog.replace("/Type /Catalog", "").replace("/Pages " + QByteArray::number(tree) + " 0 R", "");
    catalog.replace("<<", "").replace(">>", "");
    if (tree <= 0 || !bodies.count(tree) || !catalog.trimmed().isEmpty())
        return malformed();
    QByteArray &treeBody = bodies[tree];
    qsizetype countAt = treeBody.indexOf("/Count");
    if (countAt < 0 || !treeBody.contains("<<") || treeBody.contains("/Parent") || !treeBody.contains("/Type /Pages"))
        return malformed();
    countAt += 6;
    const qint64 count = readNumber(treeBody, countAt);
    if (count < 0)
        return malformed();

    std::map<int, int> numbers;
    for (const auto &[number, body] : bodies)
        if (number != part.root && number != part.info)
            numbers[number] = int(m_offsets.size() + numbers.size()) + 1;

    // The part is made whole before anything is written: a refused part leaves no half of it.
    QByteArray out;
    out.reserve(pdf.size() + 1024);
    qint64 at = m_written;
    std::vector<qint64> offsets;
    if (m_written == 0) {
        const qsizetype firstLine = pdf.indexOf('\n');
        out += pdf.left(firstLine + 1) + "%\xE2\xE3\xCF\xD3\n";
    }
    for (auto &[number, body] : bodies) {
        if (!numbers.count(number))
            continue;
        // Only the dictionary is renumbered; a stream's bytes are copied untouched.
        qsizetype split = body.size();
        for (qsizetype s = body.indexOf("stream"); s >= 0; s = body.indexOf("stream", s + 6)) {
            qsizetype before = s;
            while (before > 0 && isSpace(body[before - 1]))
                --before;
            const bool keyword = before >= 2 && body.mid(before - 2, 2) == ">>" && s + 6 < body.size()
                                 && (body[s + 6] == '\n' || body[s + 6] == '\r');
            if (keyword) {
                split = s;
                break;
            }
        }
        QByteArray head = body.left(split);
        if (!renumber(head, numbers))
            return malformed();
        // The part's page tree hangs under the joined file's.
        if (number == tree)
            head.insert(head.indexOf("<<") + 2, "\n/Parent " + QByteArray::number(kTree) + " 0 R");
        offsets.push_back(at + out.size());
        out += QByteArray::number(numbers[number]) + " 0 obj" + head;
        out.append(body.constData() + split, body.size() - split);
        out += "endobj\n";
    }
    if (m_written == 0 && part.info > 0)
        m_info = bodies[part.info];
    if (!write(out))
        return refuse(error, m_out.errorString());
    m_offsets.insert(m_offsets.end(), offsets.begin(), offsets.end());
    m_partTrees.push_back(numbers[tree]);
    m_pages += int(count);
    return true;
}

bool PdfJoin::finish(QString *error)
{
    if (m_failed || m_partTrees.empty())
        return refuse(error, QStringLiteral("The PDF could not be written."));
    auto object = [&](int number, const QByteArray &body) {
        m_offsets[std::size_t(number - 1)] = m_written;
        return write(QByteArray::number(number) + " 0 obj\n" + body + "\nendobj\n");
    };
    QByteArray kids;
    for (int tree : m_partTrees)
        kids += QByteArray::number(tree) + " 0 R ";
    bool ok = object(kInfo, m_info.isEmpty() ? QByteArray("<<\n>>") : m_info.trimmed())
              && object(kCatalog, "<<\n/Type /Catalog\n/Pages " + QByteArray::number(kTree) + " 0 R\n>>")
              && object(kTree, "<<\n/Type /Pages\n/Kids [" + kids + "]\n/Count " + QByteArray::number(m_pages) + "\n>>");
    const qint64 xref = m_written;
    QByteArray table = "xref\n0 " + QByteArray::number(qsizetype(m_offsets.size()) + 1) + "\n0000000000 65535 f \n";
    for (qint64 offset : m_offsets)
        table += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    table += "trailer\n<<\n/Size " + QByteArray::number(qsizetype(m_offsets.size()) + 1) + "\n/Info "
             + QByteArray::number(kInfo) + " 0 R\n/Root " + QByteArray::number(kCatalog) + " 0 R\n>>\nstartxref\n"
             + QByteArray::number(xref) + "\n%%EOF\n";
    ok = ok && write(table);
    return ok ? true : refuse(error, m_out.errorString());
}
