#include "data/spreadsheet/SpreadsheetWriter.h"

#include "data/spreadsheet/SSZipArchive.h"
#include "data/spreadsheet/XmlPull.h"

#include "core/Utilities.h"
#include "data/LongRead.h"
#include "data/export/ExportDialogs.h"
#include "platform/Paths.h"
#include "platform/RegularFile.h"
#include "platform/WholeFile.h"

#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <pugixml.hpp>

#include <charconv>
#include <cmath>
#include <cstdio>

#include <unistd.h>

SpreadsheetWriter *spreadsheet = nullptr;
int Excel_Sheet_Number = 1;
int Excel_Sheet_Columns = 1;

namespace {

constexpr unsigned XmlFlags = pugi::parse_default;  // pugixml never reads a DTD nor expands its entities

std::string_view local(const char *name)
{
    std::string_view n(name);
    const auto colon = n.rfind(':');
    return colon == std::string_view::npos ? n : n.substr(colon + 1);
}

pugi::xml_node child(pugi::xml_node node, std::string_view name)
{
    for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_element && local(c.name()) == name)
            return c;
    return {};
}

// Attribute by local name, whatever prefix the writer gave its namespace.
QString attr(pugi::xml_node node, std::string_view name)
{
    for (pugi::xml_attribute a = node.first_attribute(); a; a = a.next_attribute())
        if (local(a.name()) == name)
            return QString::fromUtf8(a.value());
    return {};
}

// The parts read whole into a tree (the workbook part and relationships) are small in any real
// workbook, while a tree costs some hundred bytes per element: a few hundred KB of packed empty
// elements within the zip limits would take gigabytes. So they are bounded in bytes and, counted
// first by the pull scanner that holds nothing, in elements.
constexpr qint64 MaxTreeBytes = qint64(16) << 20;
constexpr qint64 MaxTreeElements = 100'000;
// Styles are streamed; their bound is on time (a real one holds some thousands of elements).
constexpr qint64 MaxStyleElements = 1'000'000;

enum class XmlLoad { Ok, Unreadable, TooLarge, Declares };

XmlLoad loadXml(pugi::xml_document &doc, const QString &file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return XmlLoad::Unreadable;
    if (f.size() > MaxTreeBytes)
        return XmlLoad::TooLarge;
    const QByteArray bytes = f.readAll();
    xmlpull::Scanner scan(bytes.constData(), bytes.constData() + bytes.size());
    std::string_view text;
    qint64 elements = 0;
    for (xmlpull::Token t = scan.next(text); t.kind != xmlpull::Token::Eof; t = scan.next(text)) {
        // The scanner stops at a document type declaration (no workbook part has one), and at
        // anything else it cannot read: the tree would be built from what it never counted.
        if (t.kind == xmlpull::Token::Error)
            return QByteArrayView(bytes).contains("<!DOCTYPE") ? XmlLoad::Declares : XmlLoad::Unreadable;
        if ((t.kind == xmlpull::Token::Start || t.kind == xmlpull::Token::Empty) && ++elements > MaxTreeElements)
            return XmlLoad::TooLarge;
    }
    return doc.load_buffer(bytes.constData(), size_t(bytes.size()), XmlFlags) ? XmlLoad::Ok : XmlLoad::Unreadable;
}

// Why a part was refused by the bounds above, or for declaring a document type.
QString treeRefusal(const QString &part, XmlLoad loaded)
{
    if (loaded == XmlLoad::Declares)
        return QStringLiteral("%1 declares a document type").arg(part);
    return QStringLiteral("%1 is larger than %2 MiB or holds more than %L3 elements")
        .arg(part)
        .arg(MaxTreeBytes >> 20)
        .arg(MaxTreeElements);
}

bool refusedTree(XmlLoad loaded) { return loaded == XmlLoad::TooLarge || loaded == XmlLoad::Declares; }

// A relationship target, as a path inside the unpacked package; empty when it would leave it.
QString resolveTarget(const QString &baseDir, const QString &target)
{
    if (target.isEmpty() || target.contains(QLatin1String("://")))
        return {};
    const QString joined = target.startsWith(QLatin1Char('/')) ? target.mid(1) : baseDir + QLatin1Char('/') + target;
    const QString clean = QDir::cleanPath(joined);
    if (clean.startsWith(QLatin1String("..")) || clean.startsWith(QLatin1Char('/')))
        return {};
    return clean;
}

struct Relationship {
    QString type;
    QString target;
};

// Relationships of a package part, keyed by id, with their targets resolved. `refusal` says why
// the relationships part was refused by the tree bounds (and nothing is answered).
QHash<QString, Relationship> readRelationships(const QString &root, const QString &part, QString &refusal)
{
    QHash<QString, Relationship> out;
    const QFileInfo info(part);
    const QString dir = info.path() == QLatin1String(".") ? QString() : info.path();
    const QString relsFile = root + QLatin1Char('/') + (dir.isEmpty() ? QString() : dir + QLatin1Char('/'))
                             + QStringLiteral("_rels/") + info.fileName() + QStringLiteral(".rels");
    pugi::xml_document doc;
    const XmlLoad loaded = loadXml(doc, relsFile);
    if (refusedTree(loaded))
        refusal = treeRefusal(QDir(root).relativeFilePath(relsFile), loaded);
    if (loaded != XmlLoad::Ok)
        return out;
    for (pugi::xml_node r = child(doc, "Relationships").first_child(); r; r = r.next_sibling())
        if (local(r.name()) == "Relationship")
            out.insert(attr(r, "Id"), {attr(r, "Type"), resolveTarget(dir.isEmpty() ? QStringLiteral(".") : dir, attr(r, "Target"))});
    return out;
}

QString byType(const QHash<QString, Relationship> &rels, const QString &suffix, const QString &fallback)
{
    for (const Relationship &r : rels)
        if (r.type.endsWith(suffix) && !r.target.isEmpty())
            return r.target;
    return fallback;
}

bool parseInt(std::string_view s, long long &out)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\n'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\n'))
        s.remove_suffix(1);
    const auto r = std::from_chars(s.data(), s.data() + s.size(), out);
    return r.ec == std::errc() && r.ptr == s.data() + s.size();
}

enum class Tag { Other, Dimension, SheetData, Row, C, V, Is, T, RPh };

Tag classify(std::string_view n)
{
    switch (n.size()) {
    case 1: return n[0] == 'c' ? Tag::C : n[0] == 'v' ? Tag::V : n[0] == 't' ? Tag::T : Tag::Other;
    case 2: return n == "is" ? Tag::Is : Tag::Other;
    case 3: return n == "row" ? Tag::Row : n == "rPh" ? Tag::RPh : Tag::Other;
    case 9: return n == "dimension" ? Tag::Dimension : n == "sheetData" ? Tag::SheetData : Tag::Other;
    default: return Tag::Other;
    }
}

// Column slot (from 0) of a cell reference's letters, or -1.
int slotOf(std::string_view ref)
{
    int n = 0;
    size_t i = 0;
    for (; i < ref.size() && i < 4; ++i) {
        char c = ref[i];
        if (c >= 'a' && c <= 'z')
            c = char(c - 32);
        if (c < 'A' || c > 'Z')
            break;
        n = n * 26 + (c - 'A' + 1);
    }
    if (i == 0 || i > 3 || (i < ref.size() && !(ref[i] >= '0' && ref[i] <= '9')) || n > SpreadsheetWriter::MaxColumns)
        return -1;
    return n - 1;
}

void appendEscaped(QByteArray &out, const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        // Control characters have no place in XML 1.0; the workbook format spells them _xHHHH_,
        // so an underscore that would read as such an escape is spelled too.
        const bool looksEscaped = c == u'_' && i + 6 < text.size() && text.at(i + 1) == u'x' && text.at(i + 6) == u'_'
                                  && [&] {
                                         for (int k = 2; k < 6; ++k)
                                             if (!isxdigit(text.at(i + k).toLatin1()))
                                                 return false;
                                         return true;
                                     }();
        if ((c < 0x20 && c != u'\t' && c != u'\n') || c == 0xFFFE || c == 0xFFFF || looksEscaped) {
            out.append("_x" + QByteArray::number(int(c), 16).toUpper().rightJustified(4, '0') + '_');
            continue;
        }
        switch (c) {
        case u'&': out.append("&amp;"); break;
        case u'<': out.append("&lt;"); break;
        case u'>': out.append("&gt;"); break;
        default:
            if (c < 0x80) {
                out.append(char(c));
            } else {
                qsizetype j = i;
                while (j < text.size() && text.at(j).unicode() >= 0x80 && text.at(j).unicode() != 0xFFFE
                       && text.at(j).unicode() != 0xFFFF)
                    ++j;
                out.append(QStringView(text).mid(i, j - i).toUtf8());
                i = j - 1;
            }
        }
    }
}

bool writeWhole(const QString &file, const QByteArray &bytes, QString &error)
{
    QString why;
    if (!platform::writeWholeFile(file, bytes, &why)) {
        error = platform::withReason(QStringLiteral("Error when writing file %1").arg(file), why);
        return false;
    }
    return true;
}

const char *const MainNs = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";

}  // namespace

// --- column letters ---

int Asc_Val(const QString &s) { return s.isEmpty() ? 0 : (s.at(0).unicode() & 0xff); }

QString Get_Column_Char_Str(const QString &reference)
{
    for (qsizetype i = 0; i < reference.size(); ++i)
        if (reference.at(i) >= QLatin1Char('1') && reference.at(i) <= QLatin1Char('9'))
            return reference.left(i);
    return reference;
}

int Get_Col_index(const QString &letters, int base)
{
    const QByteArray b = letters.toLatin1();
    const int slot = slotOf(std::string_view(b.constData(), size_t(b.size())));
    return slot < 0 ? -1 : slot + 1 - (base - 64);
}

QString SpreadsheetWriter::ColumnIndexToName(int column)
{
    QString name;
    for (int n = column; n > 0; n = (n - 1) / 26)
        name.prepend(QChar(u'A' + (n - 1) % 26));
    return name;
}

int dateFormatKind(int numFmtId, const QString &formatCode)
{
    if ((numFmtId >= 14 && numFmtId <= 17))
        return 1;
    if ((numFmtId >= 18 && numFmtId <= 22) || (numFmtId >= 45 && numFmtId <= 47))
        return 2;
    if (formatCode.isEmpty())
        return 0;
    bool day = false, month = false, time = false, minute = false;
    const QString code = formatCode.toLower();
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code.at(i);
        if (c == u'"') {
            const qsizetype close = code.indexOf(u'"', i + 1);
            i = close < 0 ? code.size() : close;
        } else if (c == u'\\' || c == u'_' || c == u'*') {
            ++i;
        } else if (c == u'[') {
            const qsizetype close = code.indexOf(u']', i + 1);
            const QString inside = code.mid(i + 1, (close < 0 ? code.size() : close) - i - 1);
            if (inside == QLatin1String("h") || inside == QLatin1String("hh") || inside.startsWith(u's')
                || inside.startsWith(u'm'))
                time = true;
            i = close < 0 ? code.size() : close;
        } else if (code.mid(i, 5) == QLatin1String("am/pm") || code.mid(i, 3) == QLatin1String("a/p")) {
            time = true;
            i += code.mid(i, 5) == QLatin1String("am/pm") ? 4 : 2;
        } else if (c == u'd' || c == u'y') {
            day = true;
        } else if (c == u'h' || c == u's') {
            time = true;
        } else if (c == u'm') {
            minute = true;
        }
    }
    // "m" is a month unless the format is a time alone (h:mm, mm:ss).
    month = minute && (day || !time);
    if (!day && !month)
        return 0;
    return time ? 2 : 1;
}

// --- reading ---

SpreadsheetWriter::SpreadsheetWriter() = default;
SpreadsheetWriter::~SpreadsheetWriter() { dropPrefetch(); }

QString SpreadsheetWriter::tmpDir() const { return m_dir ? m_dir->path() : QString(); }

QString SpreadsheetWriter::sheetPartPath(int number) const
{
    if (number < 1 || number > m_sheetParts.size() || m_sheetParts.at(number - 1).isEmpty())
        return {};
    // A sheet is inflated when it is first asked for (a workbook's other sheets and its media
    // never are), into memory, where listing its columns and reading it both find it. Only the
    // sheet read is held: the unpacking budget is the workbook's own parts and one sheet, so
    // looking at every sheet in turn never adds up to a refusal.
    const QString wanted = m_sheetParts.at(number - 1);
    for (const QString &other : m_sheetParts)
        if (other.compare(wanted, Qt::CaseInsensitive) != 0)
            releasePart(other);
    if (!inflateParts({wanted}))
        return {};
    return tmpDir() + QLatin1Char('/') + wanted;
}

QString SpreadsheetWriter::heldPath(const QString &path) const
{
    const QString root = tmpDir() + QLatin1Char('/');
    return m_dir && path.startsWith(root) ? path.mid(root.size()) : QFileInfo(path).fileName();
}

void SpreadsheetWriter::releasePart(const QString &part, bool refund) const
{
    const auto held = m_parts.constFind(part.toLower());
    if (held != m_parts.constEnd()) {
        if (refund)
            m_unpackedBytes -= std::min<std::uint64_t>(m_unpackedBytes, std::uint64_t(held->size()));
        m_parts.erase(held);
    }
    // Not held is not unpacked: asked for again, it is inflated again.
    m_unpackedParts.removeIf([&](const QString &p) { return p.compare(part, Qt::CaseInsensitive) == 0; });
}

const QByteArray *SpreadsheetWriter::heldPart(const QString &path) const
{
    const QString root = tmpDir() + QLatin1Char('/');
    if (!m_dir || !path.startsWith(root))
        return nullptr;
    const auto found = m_parts.constFind(path.mid(root.size()).toLower());
    return found == m_parts.constEnd() ? nullptr : &found.value();
}

namespace {
// The relationships part of a package part ("xl/workbook.xml" → "xl/_rels/workbook.xml.rels").
QString relsPartOf(const QString &part)
{
    const qsizetype slash = part.lastIndexOf(QLatin1Char('/'));
    return part.left(slash + 1) + QStringLiteral("_rels/") + part.mid(slash + 1) + QStringLiteral(".rels");
}
}  // namespace

// Inflating parts into memory touches nothing of the reader: it may run on a worker.
SpreadsheetWriter::Inflated SpreadsheetWriter::inflate(const QString &workbook, const QStringList &wanted,
                                                       std::uint64_t unpackedBefore)
{
    Inflated out;
    out.wanted = wanted;
    ZipLimits limits;
    limits.maxTotalBytes = limits.maxTotalBytes > unpackedBefore ? limits.maxTotalBytes - unpackedBefore : 0;
    out.ok = SSZipArchive::inflateEntries(workbook, wanted, out.parts, &out.error, limits, &out.written, &out.code);
    return out;
}

void SpreadsheetWriter::startPrefetch(const QString &part)
{
    dropPrefetch();
    if (part.isEmpty() || m_unpackedParts.contains(part, Qt::CaseInsensitive))
        return;
    try {
        m_prefetch = std::async(std::launch::async, &SpreadsheetWriter::inflate, m_workbookPath, QStringList{part},
                                m_unpackedBytes);
    } catch (const std::system_error &) {
        // No thread to spare: the sheet is inflated when it is asked for.
    }
}

void SpreadsheetWriter::dropPrefetch() const
{
    if (m_prefetch.valid())
        m_prefetch.get();  // waited for: its bytes are dropped and were never counted
}

bool SpreadsheetWriter::unpackParts(const QStringList &parts, bool toMemory) const
{
    QStringList wanted;
    for (const QString &p : parts)
        if (!p.isEmpty() && !m_unpackedParts.contains(p, Qt::CaseInsensitive) && !wanted.contains(p, Qt::CaseInsensitive))
            wanted.append(p);
    if (wanted.isEmpty())
        return true;
    if (!m_dir)
        return false;
    Inflated result;
    if (m_prefetch.valid()) {
        // The sheet inflated ahead counts only when it is what is asked for now, as if it were
        // inflated at this point; anything else is asked for as if it never was.
        result = m_prefetch.get();
        if (!toMemory || result.wanted.size() != 1 || wanted.size() != 1
            || result.wanted.first().compare(wanted.first(), Qt::CaseInsensitive) != 0)
            result = Inflated();
    }
    if (result.wanted.isEmpty()) {
        if (toMemory) {
            result = inflate(m_workbookPath, wanted, m_unpackedBytes);
        } else {
            ZipLimits limits;
            limits.maxTotalBytes = limits.maxTotalBytes > m_unpackedBytes ? limits.maxTotalBytes - m_unpackedBytes : 0;
            result.ok = SSZipArchive::unzipEntries(m_workbookPath, m_dir->path(), wanted, &result.error, limits,
                                                   &result.written, &result.code);
        }
    }
    const bool ok = result.ok;
    QString error = result.error;
    const int code = result.code;
    m_unpackedBytes += result.written;
    m_partError.clear();
    m_partRefused = false;
    m_partDamaged = false;
    m_partSystemFailed = false;
    if (ok) {
        m_unpackedParts += wanted;
        for (auto it = result.parts.begin(); it != result.parts.end(); ++it)
            m_parts.insert(it.key().toLower(), std::move(it.value()));
    } else {
        // Each part's budget is what the earlier parts left, so the limit shown is the whole one.
        m_partRefused = code == SSZipArchive::ErrorLimit || code == SSZipArchive::ErrorRefused;
        if (m_partRefused && error.startsWith(QLatin1String("the archive unpacks")))
            error = QStringLiteral("the archive unpacks to more than %1 MiB").arg(ZipLimits().maxTotalBytes >> 20);
        // A part that fails its checksum or cannot be inflated is a damaged workbook: say which.
        m_partDamaged = code == SSZipArchive::ErrorChecksum || code == SSZipArchive::ErrorEntry;
        // A part the temporary folder could not take is no fault of the file: the system says why.
        m_partSystemFailed = code == SSZipArchive::ErrorWrite;
        const QString name = QFileInfo(m_workbookPath).fileName();
        m_partError = m_partRefused        ? QStringLiteral("%1 was refused: %2.").arg(name, error)
                      : m_partDamaged      ? QStringLiteral("%1 is damaged: %2.").arg(name, error)
                      : m_partSystemFailed ? QStringLiteral("%1 could not be read: %2.").arg(name, error)
                                           : error;
    }
    return ok;
}

bool SpreadsheetWriter::openWorkbook(const QString &path)
{
    dropPrefetch();
    m_stopped = false;
    m_sheetNames.clear();
    m_sheetParts.clear();
    m_styleKind.clear();
    sharedStrings.clear();
    m_date1904 = false;
    m_error.clear();
    m_refused = false;
    m_damaged = false;
    m_systemFailed = false;
    m_workbookPath = path;
    m_unpackedParts.clear();
    m_parts.clear();
    m_unpackedBytes = 0;
    m_partError.clear();
    m_partRefused = false;
    m_partDamaged = false;
    m_partSystemFailed = false;
    // A private folder per opening: nobody else can plant or read files in it, and two openings
    // never see each other's parts.
    // A FIFO or a folder in the workbook's place is refused by name, as the other readers do.
    if (QFileInfo::exists(path) && !platform::isRegularFile(path)) {
        refuse(path, QStringLiteral("it is not a regular file"));
        m_dir.reset();
        return false;
    }
    m_dir = std::make_unique<QTemporaryDir>(Workbook_Folder_Template());
    if (!m_dir->isValid()) {
        m_error = QStringLiteral("Could not create a temporary folder (%1).").arg(m_dir->errorString());
        m_systemFailed = true;
        return false;
    }
    if (!loadWorkbookPart()) {
        if (m_error.isEmpty() || !m_partError.isEmpty()) {
            m_error = m_partError.isEmpty() ? QStringLiteral("The file is not a workbook.") : m_partError;
            m_refused = m_partRefused;
            m_damaged = m_partDamaged;
            m_systemFailed = m_partSystemFailed;
        }
        // Refused is refused: no sheet of it is offered, nothing of it is kept.
        m_sheetNames.clear();
        m_sheetParts.clear();
        sharedStrings.clear();
        m_styleKind.clear();
        dropPrefetch();
        m_parts.clear();
        m_dir.reset();
        return false;
    }
    return true;
}

bool SpreadsheetWriter::loadWorkbookPart()
{
    const QString root = m_dir->path();
    if (!unpackParts({QStringLiteral("_rels/.rels")}))
        return false;
    QString refusal;
    auto refuseTree = [&] {
        refuse(m_workbookPath, refusal);
        return false;
    };
    // The package's own relationships ("_rels/.rels") belong to the empty part name.
    const QString workbookPart = byType(readRelationships(root, QString(), refusal),
                                        QStringLiteral("/officeDocument"), QStringLiteral("xl/workbook.xml"));
    if (!refusal.isEmpty())
        return refuseTree();
    if (!unpackParts({workbookPart, relsPartOf(workbookPart)}))
        return false;
    pugi::xml_document doc;
    const XmlLoad loaded = loadXml(doc, root + QLatin1Char('/') + workbookPart);
    if (refusedTree(loaded)) {
        refusal = treeRefusal(workbookPart, loaded);
        return refuseTree();
    }
    const pugi::xml_node workbook = loaded == XmlLoad::Ok ? child(doc, "workbook") : pugi::xml_node();
    if (!workbook) {
        m_error = QStringLiteral("The file is not a workbook.");
        return false;
    }
    const QString date1904 = attr(child(workbook, "workbookPr"), "date1904");
    m_date1904 = date1904 == QLatin1String("1") || date1904 == QLatin1String("true");
    const auto rels = readRelationships(root, workbookPart, refusal);
    if (!refusal.isEmpty())
        return refuseTree();
    const QString dir = QFileInfo(workbookPart).path();
    for (pugi::xml_node s = child(workbook, "sheets").first_child(); s; s = s.next_sibling()) {
        if (local(s.name()) != "sheet")
            continue;
        // Every sheet is offered in a list: a workbook of more is no workbook a person made.
        if (m_sheetNames.size() >= MaxSheets) {
            refuse(m_workbookPath, QStringLiteral("it holds more than %L1 sheets").arg(MaxSheets));
            return false;
        }
        m_sheetNames.append(attr(s, "name"));
        m_sheetParts.append(rels.value(attr(s, "id")).target);
    }
    const QString strings = byType(rels, QStringLiteral("/sharedStrings"), dir + QStringLiteral("/sharedStrings.xml"));
    const QString styles = byType(rels, QStringLiteral("/styles"), dir + QStringLiteral("/styles.xml"));
    if (!inflateParts({strings, styles}))
        return false;
    // The first sheet is the one a window lists as the workbook opens: it inflates on a worker
    // while the shared strings are read.
    startPrefetch(m_sheetParts.value(0));
    // Read once, here: their bytes are not kept (unless a sheet is the same part).
    const QByteArray stringBytes = m_parts.value(strings.toLower());
    const QByteArray styleBytes = m_parts.value(styles.toLower());
    for (const QString &part : {strings, styles})
        if (!m_sheetParts.contains(part, Qt::CaseInsensitive))
            releasePart(part, false);  // what was read of them is held as long as the workbook
    if (!readSharedStrings(stringBytes.constData(), stringBytes.constData() + stringBytes.size(), m_workbookPath)
        && (m_refused || m_stopped))
        return false;
    return loadStyles(styleBytes, styles);
}

bool SpreadsheetWriter::loadStyles(const QByteArray &bytes, const QString &part)
{
    // Streamed: of the styles only the number formats and the cell formats matter here.
    if (bytes.isEmpty())
        return true;  // no styles: every number stays a number
    xmlpull::Scanner scan(bytes.constData(), bytes.constData() + bytes.size());
    std::string_view text;
    QHash<int, QString> codes;
    std::vector<int> formats;  // numFmtId of each cell format, in order
    int depth = 0, numFmtsDepth = -1, cellXfsDepth = -1;
    qint64 elements = 0;
    auto number = [](std::string_view raw) {
        long long n = 0;
        return parseInt(raw, n) && n >= 0 && n < 1'000'000 ? int(n) : 0;
    };
    for (xmlpull::Token t = scan.next(text); t.kind != xmlpull::Token::Eof && t.kind != xmlpull::Token::Error;
         t = scan.next(text)) {
        if (t.kind == xmlpull::Token::End) {
            --depth;
            if (depth == numFmtsDepth)
                numFmtsDepth = -1;
            if (depth == cellXfsDepth)
                cellXfsDepth = -1;
            continue;
        }
        if (t.kind != xmlpull::Token::Start && t.kind != xmlpull::Token::Empty)
            continue;
        if (++elements > MaxStyleElements) {
            m_styleKind.clear();
            refuse(m_workbookPath, QStringLiteral("%1 holds more than %L2 elements").arg(part).arg(MaxStyleElements));
            return false;
        }
        if (depth == numFmtsDepth + 1 && numFmtsDepth >= 0 && t.name == "numFmt") {
            QString code;
            xmlpull::appendText(code, xmlpull::attribute(t.attrs, "formatCode"), false);
            codes.insert(number(xmlpull::attribute(t.attrs, "numFmtId")), code);
        } else if (depth == cellXfsDepth + 1 && cellXfsDepth >= 0 && t.name == "xf") {
            if (formats.size() < 65536)  // a cell's style index is below that
                formats.push_back(number(xmlpull::attribute(t.attrs, "numFmtId")));
        } else if (depth == 1 && t.name == "numFmts" && t.kind == xmlpull::Token::Start) {
            numFmtsDepth = depth;
        } else if (depth == 1 && t.name == "cellXfs" && t.kind == xmlpull::Token::Start) {
            cellXfsDepth = depth;
        }
        if (t.kind == xmlpull::Token::Start)
            ++depth;
    }
    for (const int id : formats)
        m_styleKind.push_back(static_cast<unsigned char>(dateFormatKind(id, codes.value(id))));
    return true;
}

QString SpreadsheetWriter::cellDate(double serial, int style) const
{
    const int kind = styleKind(style);
    if (kind == 0 || !(serial >= 0) || serial > 2958466.0)
        return {};
    const long long seconds = std::llround(serial * 86400.0);
    QDate base = m_date1904 ? QDate(1904, 1, 1) : QDate(1899, 12, 30);
    if (!m_date1904 && serial >= 1 && serial < 60)  // the format counts a 29 February 1900 that never was
        base = base.addDays(1);
    // The Gregorian date of the day, worked out directly: a list of dates has one in every row,
    // and the calendar's general formatting took a tenth of reading such a sheet.
    long long z = base.toJulianDay() + seconds / 86400 - 2440588 + 719468;  // days from 0000-03-01
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long dayOfEra = z - era * 146097;
    const long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long mp = (5 * dayOfYear + 2) / 153;
    const long long day = dayOfYear - (153 * mp + 2) / 5 + 1;
    const long long month = mp < 10 ? mp + 3 : mp - 9;
    const long long year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    if (year > 9999) {  // the 1904 count reaches past 9999
        char wide[40];
        int w = std::snprintf(wide, sizeof wide, "%04lld-%02lld-%02lld", year, month, day);
        if (kind == 2) {
            const long long s = seconds % 86400;
            w += std::snprintf(wide + w, sizeof wide - size_t(w), " %02lld:%02lld", s / 3600, s % 3600 / 60);
        }
        return QString::fromLatin1(wide, w);
    }
    // Digits by hand as well: four for the year, from 1899.
    char16_t text[16];
    auto two = [](char16_t *at, long long v) {
        at[0] = char16_t(u'0' + v / 10);
        at[1] = char16_t(u'0' + v % 10);
    };
    two(text, year / 100);
    two(text + 2, year % 100);
    text[4] = u'-';
    two(text + 5, month);
    text[7] = u'-';
    two(text + 8, day);
    qsizetype n = 10;
    if (kind == 2) {
        const long long s = seconds % 86400;
        text[10] = u' ';
        two(text + 11, s / 3600);
        text[13] = u':';
        two(text + 14, s % 3600 / 60);
        n = 16;
    }
    return QString(reinterpret_cast<const QChar *>(text), n);
}

bool SpreadsheetWriter::ReadSharedStrings(const QString &file)
{
    sharedStrings.clear();
    m_refused = false;
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly) || f.size() == 0)
        return false;
    const uchar *map = f.map(0, f.size());
    if (!map)
        return false;
    const char *begin = reinterpret_cast<const char *>(map);
    return readSharedStrings(begin, begin + f.size(), m_workbookPath.isEmpty() ? file : m_workbookPath);
}

bool SpreadsheetWriter::readSharedStrings(const char *begin, const char *end, const QString &named)
{
    sharedStrings.clear();
    m_refused = false;
    if (begin == end)
        return false;
    xmlpull::Scanner scan(begin, end);
    std::string_view text;
    QString current;
    bool underscore = false;  // only a text with "_" can hold a "_xHHHH_" escape
    int phonetic = 0;
    bool inText = false;
    for (;;) {
        const xmlpull::Token t = scan.next(text);
        if (inText && phonetic == 0) {
            // Most shared strings are plain ASCII: one look at their bytes, and no decoding. An
            // empty text still makes the value empty rather than null, as decoding did.
            bool plain = true;
            for (const char c : text) {
                plain = plain && static_cast<unsigned char>(c) < 0x80 && c != '&' && c != '\r';
                underscore = underscore || c == '_';
            }
            if (!plain)
                xmlpull::appendText(current, text, false);
            else if (current.isEmpty())
                current = QString::fromLatin1(text.data(), qsizetype(text.size()));
            else
                current.append(QLatin1StringView(text.data(), qsizetype(text.size())));
        }
        if (t.kind == xmlpull::Token::Error) {
            sharedStrings.clear();
            return false;
        }
        if (t.kind == xmlpull::Token::Eof)
            break;
        if (t.kind == xmlpull::Token::CData) {
            if (inText && phonetic == 0) {
                current.append(QString::fromUtf8(t.attrs.data(), qsizetype(t.attrs.size())));
                underscore = underscore || t.attrs.find('_') != std::string_view::npos;
            }
            continue;
        }
        // One entry per si: plain text, or the text of its runs; phonetic guides are left out.
        if (t.name == "si") {
            if (t.kind == xmlpull::Token::Start) {
                current.clear();
                underscore = false;
            } else {
                // Every shared string is a cell's value: no sheet can use more of them than cells.
                if (sharedStrings.size() >= MaxCells) {
                    sharedStrings.clear();
                    refuse(named, QStringLiteral("it holds more than %L1 shared strings").arg(MaxCells));
                    return false;
                }
                if (progress && !progress->step()) {
                    sharedStrings.clear();
                    stopRead(named);
                    return false;
                }
                if (underscore)
                    xmlpull::resolveEscapes(current);
                sharedStrings.append(t.kind == xmlpull::Token::Empty ? QString() : std::move(current));
                current = QString();
                underscore = false;
            }
        } else if (t.name == "rPh") {
            phonetic += t.kind == xmlpull::Token::Start ? 1 : t.kind == xmlpull::Token::End ? -1 : 0;
        } else if (t.name == "t") {
            inText = t.kind == xmlpull::Token::Start;
        }
    }
    return true;
}

void SpreadsheetWriter::stopRead(const QString &file)
{
    m_stopped = true;
    m_error = Read_Stopped_Message(file);
}

void SpreadsheetWriter::refuse(const QString &file, const QString &reason)
{
    m_refused = true;
    m_error = QStringLiteral("%1 was refused: %2.").arg(QFileInfo(file).fileName(), reason);
}

bool SpreadsheetWriter::ReadData(const QString &sheetFile, int &columns, bool firstRowOnly)
{
    data.clear();
    m_error.clear();
    m_refused = false;
    m_damaged = false;
    m_systemFailed = false;
    m_stopped = false;
    columns = 0;
    if (sheetFile.isEmpty()) {  // no such sheet, or its part was refused or damaged
        m_error = m_partError.isEmpty() ? QStringLiteral("Error: the sheet cannot be read.") : m_partError;
        m_refused = m_partRefused;
        m_damaged = m_partDamaged;
        m_systemFailed = m_partSystemFailed;
        return false;
    }
    // A sheet of the open workbook is held in memory; any other file is mapped, not loaded. The
    // scan walks the bytes once and keeps only the rows.
    const char *begin = nullptr;
    qint64 size = 0;
    QFile f;
    if (const QByteArray *held = heldPart(sheetFile)) {
        begin = held->constData();
        size = held->size();
    } else {
        f.setFileName(sheetFile);
        if (!f.open(QIODevice::ReadOnly)) {
            m_error = QStringLiteral("Error: the sheet cannot be read.");
            return false;
        }
        size = f.size();
        const uchar *map = size > 0 ? f.map(0, size) : nullptr;
        if (size > 0 && !map) {
            m_error = QStringLiteral("Error: the sheet cannot be read.");
            return false;
        }
        begin = reinterpret_cast<const char *>(map);
    }
    if (size == 0) {
        m_error = QStringLiteral("Error: the sheet is empty.");
        return false;
    }
    const QString named = m_workbookPath.isEmpty() ? sheetFile : m_workbookPath;
    xmlpull::Scanner scan(begin, begin + size);
    using xmlpull::Token;

    int width = 0, stated = 0, firstRowWidth = 0;
    qint64 storedCells = 0, rows = 0;
    bool inSheetData = false, inRow = false, inCell = false, inValue = false, inInline = false, inText = false;
    bool keep = true;  // whether the row being read is stored (firstRowOnly keeps one)
    int phonetic = 0;
    QStringList row;
    int slot = 0, nextSlot = 0, style = -1;
    std::string_view type;
    std::string value;  // raw bytes of the cell's v
    QString inlineText;
    bool hasValue = false;
    std::string_view text;

    bool rootSeen = false;
    bool stopped = false;  // Stop was asked for: tooLarge then tells that instead
    auto tooLarge = [&] {
        if (stopped)
            stopRead(named);
        else
            refuse(named, QStringLiteral("the sheet holds more than %L1 cells").arg(MaxCells));
        data.clear();
        return false;
    };
    // Every stored row is a row, cells or not (a batch makes a card of each); one without cells
    // costs at least one cell of the limit, so a sheet of bare rows stays bounded too.
    auto withinLimit = [&] { return rows * qint64(std::max(width, 1)) <= MaxCells; };
    auto finishRow = [&] {
        inRow = false;
        if (progress && !progress->step()) {
            stopped = true;
            return false;
        }
        ++rows;
        if (!withinLimit())
            return false;
        if (keep)
            data.append(std::move(row));
        if (rows == 1)
            firstRowWidth = width;
        keep = !firstRowOnly;
        row = QStringList();
        row.reserve(width);  // the next row is most likely as wide
        return true;
    };
    // The column names need only the first row, and the sheet beyond it only while its stated
    // width is not yet met by stored cells (a dimension may promise more than the sheet holds):
    // a sheet whose first row spans it is not read further. The row read finds its own width.
    // Without a stated width a first row of cells is enough; a bare first row leaves the width to
    // the cells below it.
    auto namesKnown = [&] {
        if (!firstRowOnly || rows < 1)
            return false;
        return stated > 0 ? width >= stated : firstRowWidth > 0;
    };
    auto finishCell = [&] {
        width = std::max(width, slot + 1);
        nextSlot = slot + 1;
        if (++storedCells > MaxCells)
            return false;
        if (!keep) {  // only counted
            row.resize(1);
            return true;
        }
        QString result;
        if (type == "s") {
            long long index = -1;
            if (parseInt(value, index) && index >= 0 && index < sharedStrings.size())
                result = sharedStrings.at(qsizetype(index));
        } else if (type == "inlineStr" || (!hasValue && !inlineText.isEmpty())) {
            result = inlineText;
            xmlpull::resolveEscapes(result);
        } else if (type.empty() || type == "n") {
            result = QString::fromLatin1(value.data(), qsizetype(value.size()));
            double serial = 0;
            if (hasValue && styleKind(style) != 0) {
                const auto r = std::from_chars(value.data(), value.data() + value.size(), serial);
                if (r.ec == std::errc() && r.ptr == value.data() + value.size()) {
                    const QString date = cellDate(serial, style);
                    if (!date.isEmpty())
                        result = date;
                }
            }
        } else {  // str, b, e and d keep their stored text
            xmlpull::appendText(result, value, false);
            if (type == "str")
                xmlpull::resolveEscapes(result);
        }
        if (slot >= row.size())
            row.resize(slot + 1);
        if (firstRowOnly && result.size() > MaxNameChars)
            result.truncate(MaxNameChars);
        row[slot] = std::move(result);
        return true;
    };

    // Column names are read for lists, which show less of a name than this: a title of tens of
    // millions of characters is not read whole to list it.
    const auto room = [&](qsizetype held) { return !firstRowOnly || held < MaxNameChars; };
    for (;;) {
        const Token t = scan.next(text);
        if (inValue && room(qsizetype(value.size())))
            value.append(text);
        else if (inText && phonetic == 0 && room(inlineText.size()))
            xmlpull::appendText(inlineText, text, false);
        if (t.kind == Token::Error) {
            m_error = QStringLiteral("Error: the sheet is not well-formed XML.");
            data.clear();
            return false;
        }
        if (t.kind == Token::Eof)
            break;
        if (t.kind == Token::CData) {
            if (inValue && room(qsizetype(value.size())))
                value.append(t.attrs);
            else if (inText && phonetic == 0 && room(inlineText.size()))
                inlineText += QString::fromUtf8(t.attrs.data(), qsizetype(t.attrs.size()));
            continue;
        }
        // A sheet's relationship may point at any part: one that is no worksheet has no columns
        // to offer, and the user is told so rather than shown none.
        if (!rootSeen && (t.kind == Token::Start || t.kind == Token::Empty)) {
            rootSeen = true;
            if (t.name != "worksheet") {
                m_damaged = true;
                m_error = QStringLiteral("%1 is damaged: its sheet is kept in %2, which is no worksheet.")
                              .arg(QFileInfo(named).fileName(), heldPath(sheetFile));
                data.clear();
                return false;
            }
        }
        const Tag tag = classify(t.name);
        if (!inSheetData) {
            if (tag == Tag::Dimension && t.kind != Token::End) {
                const std::string_view ref = xmlpull::attribute(t.attrs, "ref");
                const auto colon = ref.find(':');
                const std::string_view last = colon == std::string_view::npos ? std::string_view() : ref.substr(colon + 1);
                stated = std::max(0, slotOf(last) + 1);
            } else if (tag == Tag::SheetData && t.kind == Token::Start) {
                inSheetData = true;
            }
            continue;
        }
        if (tag == Tag::SheetData && t.kind == Token::End)
            break;
        if (tag == Tag::Row && !inRow) {
            nextSlot = 0;
            inRow = t.kind == Token::Start;
            if (!inRow && t.kind == Token::Empty) {  // <row r="6"/>
                if (!finishRow())
                    return tooLarge();
                if (namesKnown())
                    break;
            }
        } else if (tag == Tag::Row && t.kind == Token::End) {
            if (!finishRow())
                return tooLarge();
            if (namesKnown())
                break;
        } else if (inRow && tag == Tag::C && t.kind != Token::End && !inCell) {
            std::string_view ref, styleText;
            xmlpull::attributes(t.attrs, {{"r", &ref}, {"t", &type}, {"s", &styleText}});
            const int fromRef = ref.empty() ? -1 : slotOf(ref);
            // A cell without a usable reference stands where it is written.
            slot = fromRef >= 0 ? fromRef : nextSlot;
            long long s = -1;
            style = !styleText.empty() && parseInt(styleText, s) && s >= 0 && s < 65536 ? int(s) : -1;
            value.clear();
            inlineText.clear();
            hasValue = false;
            if (slot >= MaxColumns) {
                m_error = QStringLiteral("Error: the sheet is too wide.");
                data.clear();
                return false;
            }
            inCell = t.kind == Token::Start;
            if (!inCell && !finishCell())
                return tooLarge();
            if (!inCell && namesKnown())
                break;
        } else if (inCell) {
            if (tag == Tag::C && t.kind == Token::End) {
                inCell = false;
                if (!finishCell())
                    return tooLarge();
                if (namesKnown())
                    break;
            } else if (tag == Tag::V) {
                inValue = t.kind == Token::Start;
                hasValue = true;
            } else if (tag == Tag::Is) {
                inInline = t.kind == Token::Start;
            } else if (inInline && tag == Tag::RPh) {
                phonetic += t.kind == Token::Start ? 1 : t.kind == Token::End ? -1 : 0;
            } else if (inInline && tag == Tag::T) {
                inText = t.kind == Token::Start;
            }
        }
    }
    if (inRow && !finishRow())  // a sheet cut off inside its last row keeps what it has
        return tooLarge();
    if (!withinLimit())
        return tooLarge();
    // The column names: the first row, widened to the stated dimension as far as cells reach.
    if (firstRowOnly)
        width = stated > 0 ? std::max(firstRowWidth, std::min(stated, width)) : firstRowWidth > 0 ? firstRowWidth : width;
    // Every row as wide as the widest: bounded above, rows times width is at most MaxCells.
    for (QStringList &r : data)
        if (r.size() < width)
            r.resize(width);
    if (firstRowOnly && !data.isEmpty()) {
        QStringList &names = data.first();
        for (int i = 0; i < names.size(); ++i)
            if (Trim_Str(names.at(i)).isEmpty())
                names[i] = QStringLiteral("Untitled Column %1").arg(i + 1);
    }
    if (width == 0)
        data.clear();
    columns = width;
    return true;
}

SpreadsheetWriter *SpreadsheetWriter::shared()
{
    static std::unique_ptr<SpreadsheetWriter> instance;
    if (!spreadsheet) {
        instance = std::make_unique<SpreadsheetWriter>();
        spreadsheet = instance.get();
    }
    return spreadsheet;
}

bool SpreadsheetWriter::ReadOffGui(SpreadsheetWriter &reader, QWidget *window, const QString &path,
                                   const std::function<void()> &read)
{
    ReadProgress progress;
    reader.progress = &progress;
    Run_Long_Read(window, Long_Work_For_Workbook(path), progress, read);
    reader.progress = nullptr;
    return !reader.stopped();
}

namespace {
const QLatin1String FolderPrefix("badgeloom-xlsx-");

// When the process `pid` started, in ms since the epoch; -1 when there is no such process.
qint64 processStart(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    // The command name is in parentheses and may hold anything: count fields after its end.
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    QFile uptime(QStringLiteral("/proc/uptime"));
    if (fields.size() < 20 || !uptime.open(QIODevice::ReadOnly))
        return 0;  // there, but its start unknown: taken as old
    const double sinceBoot = fields.at(19).toDouble() / double(sysconf(_SC_CLK_TCK));
    const double up = uptime.readAll().split(' ').value(0).toDouble();
    return QDateTime::currentMSecsSinceEpoch() - qint64((up - sinceBoot) * 1000.0);
}
}  // namespace

QString SpreadsheetWriter::Workbook_Folder_Template(const QString &tempFolder)
{
    return (tempFolder.isEmpty() ? QDir::tempPath() : tempFolder) + QLatin1Char('/') + FolderPrefix
           + QString::number(QCoreApplication::applicationPid()) + QStringLiteral("-XXXXXX");
}

namespace {
// Whether what a run left in the temporary folder, named `rest` after its prefix ("<pid>-XXXXXX",
// or "XXXXXX" from an earlier version), is stale: its run is gone, or the number now belongs to
// a process that started after it was last written to (a run writes there as it works).
bool staleRunEntry(const QFileInfo &entry, const QString &rest)
{
    const qsizetype dash = rest.indexOf(QLatin1Char('-'));
    bool numbered = false;
    const qint64 pid = dash > 0 ? rest.left(dash).toLongLong(&numbered) : 0;
    if (numbered && pid > 0) {
        const qint64 started = processStart(pid);
        return started < 0 || started > entry.lastModified().toMSecsSinceEpoch() + 2000;
    }
    // One of an earlier version names no process: gone after a day.
    return entry.lastModified().secsTo(QDateTime::currentDateTime()) > 24 * 3600;
}

bool ownEntry(const QFileInfo &entry) { return !entry.isSymLink() && entry.ownerId() == uint(getuid()); }
}  // namespace

int SpreadsheetWriter::Sweep_Stale_Workbook_Folders(const QString &tempFolder)
{
    const QDir temp(tempFolder.isEmpty() ? QDir::tempPath() : tempFolder);
    int swept = 0;
    const QFileInfoList entries = temp.entryInfoList({FolderPrefix + QLatin1Char('*')},
                                                     QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QFileInfo &entry : entries) {
        // Only our own folders, never through a link.
        if (ownEntry(entry) && staleRunEntry(entry, entry.fileName().mid(FolderPrefix.size()))
            && QDir(entry.absoluteFilePath()).removeRecursively())
            ++swept;
    }
    // The part files of archives a killed run was writing, found by the notes it left: only a
    // file of ours named as our part files are, never a link, and never what a running one writes.
    const QFileInfoList notes =
        temp.entryInfoList({SSZipArchive::PartNotePrefix + QLatin1Char('*')}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo &note : notes) {
        if (!ownEntry(note) || !staleRunEntry(note, note.fileName().mid(SSZipArchive::PartNotePrefix.size())))
            continue;
        QFile file(note.absoluteFilePath());
        const QFileInfo part(file.open(QIODevice::ReadOnly) ? QFile::decodeName(file.read(4096)) : QString());
        file.close();
        if (part.isAbsolute() && part.isFile() && ownEntry(part) && SSZipArchive::Is_Part_File_Name(part.fileName())
            && QFile::remove(part.absoluteFilePath()))
            ++swept;
        QFile::remove(note.absoluteFilePath());
    }
    return swept;
}

bool SpreadsheetWriter::Long_Work_For_Workbook(const QString &path)
{
    // What a read costs follows what the workbook unpacks to, which may be a hundred times its
    // file: a small file of packed empty elements is long work all the same.
    return Long_Work_For_File(path) || SSZipArchive::declaredUnpackedSize(path) > LongWorkUnpackedBytes;
}

SpreadsheetWriter::Table SpreadsheetWriter::ReadWorkbook(const QString &path, bool only_col)
{
    shared();
    if (only_col) {
        Release_Data();
        Excel_Sheet_Columns = 1;
        if (!spreadsheet->openWorkbook(path))
            Show_NSLog_Message(spreadsheet->lastError());
        return spreadsheet->data;
    }
    // A sheet whose part was refused or is damaged comes back empty: ReadData then takes over
    // the reason, which the windows show.
    const QString part = spreadsheet->sheetPartPath(Excel_Sheet_Number);
    int columns = Excel_Sheet_Columns;
    if (!spreadsheet->ReadData(part, columns)) {
        spreadsheet->data.clear();
        Show_NSLog_Message(spreadsheet->lastError());
    }
    Excel_Sheet_Columns = columns;
    return spreadsheet->data;
}

SpreadsheetWriter::Table SpreadsheetWriter::ReadData_only_column()
{
    if (!spreadsheet)
        return {};
    const QString part = spreadsheet->sheetPartPath(Excel_Sheet_Number);
    int columns = 0;
    if (!spreadsheet->ReadData(part, columns, true)) {
        spreadsheet->data.clear();
        Show_NSLog_Message(spreadsheet->lastError());
    }
    Excel_Sheet_Columns = columns;
    return spreadsheet->data;
}

// --- writing ---

bool SpreadsheetWriter::isCanonicalNumber(const QString &text)
{
    if (text.isEmpty() || text.size() > 40)
        return false;
    const QByteArray b = text.toLatin1();
    if (b != text.toUtf8())
        return false;
    double d = 0;
    const auto r = std::from_chars(b.constData(), b.constData() + b.size(), d);
    if (r.ec != std::errc() || r.ptr != b.constData() + b.size() || !std::isfinite(d))
        return false;
    char buffer[400];
    const auto w = std::to_chars(buffer, buffer + sizeof buffer, d, std::chars_format::fixed);
    if (w.ec != std::errc() || std::string_view(buffer, size_t(w.ptr - buffer)) != std::string_view(b.constData(), size_t(b.size())))
        return false;
    int digits = 0;
    bool leading = true;
    for (const char c : b) {
        if (c < '0' || c > '9')
            continue;
        leading = leading && c == '0';
        digits += leading ? 0 : 1;
    }
    return digits <= 15;
}

bool SpreadsheetWriter::WriteWorksheetData(const QString &file)
{
    sharedStrings.clear();
    const int K = data.isEmpty() ? 0 : int(data.first().size());
    const int R = int(data.size());
    const QByteArray last = (ColumnIndexToName(K) + QString::number(R)).toLatin1();
    QByteArray xml;
    xml.reserve(R * K * 24 + 1024);
    xml.append("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<worksheet xmlns=\"");
    xml.append(MainNs);
    xml.append("\" xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\""
               " xmlns:mc=\"http://schemas.openxmlformats.org/markup-compatibility/2006\""
               " xmlns:x14ac=\"http://schemas.microsoft.com/office/spreadsheetml/2009/9/ac\" mc:Ignorable=\"x14ac\">\n");
    xml.append("  <dimension ref=\"A1:" + last + "\"/>\n");
    xml.append("  <sheetViews>\n    <sheetView tabSelected=\"1\" workbookViewId=\"0\">\n      <selection activeCell=\""
               + last + "\" sqref=\"" + last + "\"/>\n    </sheetView>\n  </sheetViews>\n");
    xml.append("  <sheetFormatPr baseColWidth=\"10\" defaultRowHeight=\"15\" x14ac:dyDescent=\"0\"/>\n  <sheetData>\n");
    const QByteArray spans = "\" spans=\"1:" + QByteArray::number(K) + "\">\n";
    QList<QByteArray> names;
    for (int r = 0; r < R; ++r) {
        const QByteArray rowNumber = QByteArray::number(r + 1);
        xml.append("    <row r=\"" + rowNumber + spans);
        const QStringList &row = data.at(r);
        for (int c = 0; c < row.size(); ++c) {
            while (names.size() <= c)
                names.append(ColumnIndexToName(int(names.size()) + 1).toLatin1());
            xml.append("      <c r=\"" + names.at(c) + rowNumber);
            if (isCanonicalNumber(row.at(c))) {
                xml.append("\"><v>" + row.at(c).toLatin1() + "</v></c>\n");
            } else {
                xml.append("\" t=\"s\"><v>" + QByteArray::number(sharedStrings.size()) + "</v></c>\n");
                sharedStrings.append(row.at(c));
            }
        }
        xml.append("    </row>\n");
    }
    xml.append("  </sheetData>\n  <pageMargins left=\"0.75\" right=\"0.75\" top=\"1\" bottom=\"0.5\" header=\"0.5\""
               " footer=\"0.5\"/>\n  <extLst>\n    <ext xmlns:mx=\"http://schemas.microsoft.com/office/mac/excel/2008/main\""
               " uri=\"{64002731-A6B0-56B0-2670-7721B7C09600}\">\n      <mx:PLV Mode=\"0\" OnePage=\"0\" WScale=\"0\"/>\n"
               "    </ext>\n  </extLst>\n</worksheet>\n");
    return writeWhole(file, xml, m_error);
}

bool SpreadsheetWriter::WriteSharedStringsXML(const QString &file)
{
    QByteArray xml("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<sst xmlns=\"");
    xml.append(MainNs);
    if (sharedStrings.isEmpty()) {
        xml.append("\"/>\n");
    } else {
        const QByteArray count = QByteArray::number(sharedStrings.size());
        xml.append("\" count=\"" + count + "\" uniqueCount=\"" + count + "\">\n");
        for (const QString &s : sharedStrings) {
            // Leading and trailing blanks are part of the value.
            xml.append(s != s.trimmed() ? "  <si><t xml:space=\"preserve\">" : "  <si><t>");
            appendEscaped(xml, s);
            xml.append("</t></si>\n");
        }
        xml.append("</sst>\n");
    }
    return writeWhole(file, xml, m_error);
}

bool SpreadsheetWriter::WriteWorkbook(const QString &destination, const Table &rows, bool, QString *error)
{
    auto fail = [&](const QString &reason) {
        Show_NSLog_Message(reason);
        if (error)
            *error = reason;
        return false;
    };
    if (rows.isEmpty() || rows.first().isEmpty())
        return fail(QStringLiteral("There is nothing to write."));
    const QString templ = platform::joinPath(platform::resourceFolderPath(), QStringLiteral("Template.xlsx"));
    QTemporaryDir work(Workbook_Folder_Template());
    if (!work.isValid())
        return fail(QStringLiteral("Could not create a temporary folder."));
    QString zipError;
    if (!QFileInfo::exists(templ))
        return fail(QStringLiteral("The workbook template %1 is missing.").arg(templ));
    if (!SSZipArchive::unzipFileAtPath(templ, work.path(), true, QString(), &zipError))
        return fail(zipError);
    // A writer of its own: the shared instance keeps the workbook the user is reading from.
    SpreadsheetWriter writer;
    writer.data = rows;
    QDir().mkpath(work.path() + QStringLiteral("/xl/worksheets"));
    if (!writer.WriteWorksheetData(work.path() + QStringLiteral("/xl/worksheets/sheet1.xml"))
        || !writer.WriteSharedStringsXML(work.path() + QStringLiteral("/xl/sharedStrings.xml")))
        return fail(writer.m_error);
    QStringList items;
    for (const QString &item : QDir(work.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot))
        items.append(work.path() + QLatin1Char('/') + item);
    if (!SSZipArchive::createZipFileAtPath(destination, items, &zipError))
        return fail(zipError);
    return true;
}
