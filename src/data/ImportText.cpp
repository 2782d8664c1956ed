#include "data/ImportText.h"

#include "core/Utilities.h"
#include "data/LongRead.h"
#include "platform/RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <limits>
#include <vector>

namespace {
// Far beyond any list typed by hand; keeps a stray huge file from exhausting memory.
constexpr qint64 kMaxImportFileBytes = 64 * 1024 * 1024;
// Deeper nesting than any real document; refuses crafted input before it costs much.
constexpr size_t kMaxRtfDepth = 4096;

// Windows-1252 code points of the bytes 0x80 to 0x9F; the five unassigned ones map to
// themselves, as Windows does.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QChar cp1252(unsigned char byte)
{
    return byte >= 0x80 && byte < 0xA0 ? QChar(kCp1252High[byte - 0x80]) : QChar(byte);
}

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

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

// Groups whose content is never document text.
bool skippedDestination(QByteArrayView word)
{
    static const char *const names[] = {"fonttbl", "colortbl", "stylesheet", "info",   "pict",
                                        "filetbl", "revtbl",   "listtable",  "header", "footer",
                                        "headerl", "headerr",  "footerl",    "footerr", "listoverridetable"};
    for (const char *n : names)
        if (word == n)
            return true;
    return false;
}

// The text a control word stands for, if any.
QChar wordText(QByteArrayView word)
{
    if (word == "par" || word == "line" || word == "sect" || word == "page" || word == "row")
        return QLatin1Char('\n');
    if (word == "tab" || word == "cell")
        return QLatin1Char('\t');
    static const struct {
        const char *word;
        char16_t ch;
    } symbols[] = {{"emdash", 0x2014}, {"endash", 0x2013}, {"bullet", 0x2022}, {"lquote", 0x2018},
                   {"rquote", 0x2019}, {"ldblquote", 0x201C}, {"rdblquote", 0x201D}, {"emspace", 0x2003},
                   {"enspace", 0x2002}};
    for (const auto &s : symbols)
        if (word == s.word)
            return QChar(s.ch);
    return {};
}
}  // namespace

void Replace_Lone_Surrogates(QString &text)
{
    char16_t *p = nullptr;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text.at(i).unicode();
        if (!QChar::isSurrogate(c))
            continue;
        if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(text.at(i + 1).unicode())) {
            ++i;
            continue;
        }
        if (!p)
            p = reinterpret_cast<char16_t *>(text.data());  // detaches once, only when needed
        p[i] = QChar::ReplacementCharacter;
    }
}

QString Decode_Import_Text(const QByteArray &bytes)
{
    const auto bom = QStringConverter::encodingForData(bytes);
    if (bom && (*bom == QStringConverter::Utf8 || *bom == QStringConverter::Utf16LE || *bom == QStringConverter::Utf16BE)) {
        QStringDecoder decoder(*bom);
        QString text = decoder(bytes);
        // UTF-16 may carry a lone surrogate: a value must be whole text before it is split.
        Replace_Lone_Surrogates(text);
        return text;
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    QString out;
    out.reserve(bytes.size());
    for (char c : bytes)
        out.append(cp1252(static_cast<unsigned char>(c)));
    return out;
}

std::optional<QString> Rtf_To_Plain_Text(const QByteArray &rtf)
{
    const qsizetype start = rtf.indexOf("{\\rtf");
    if (start < 0 || !rtf.left(start).trimmed().isEmpty())
        return std::nullopt;
    struct Group {
        bool skip = false;
        int uc = 1;  // fallback characters that follow a \u character
    };
    std::vector<Group> stack;
    QString out;
    int pendingSkip = 0;
    auto put = [&](QChar c) {
        if (!stack.empty() && !stack.back().skip)
            out += c;
    };
    // A character of text: dropped while the fallback of a \u character is being skipped.
    auto emitChar = [&](QChar c) {
        if (pendingSkip > 0) {
            --pendingSkip;
            return;
        }
        put(c);
    };
    const qsizetype n = rtf.size();
    qsizetype i = start;
    bool closed = false;
    for (; i < n && !closed; ++i) {
        const char c = rtf.at(i);
        if (c == '{') {
            if (stack.size() >= kMaxRtfDepth)
                return std::nullopt;
            stack.push_back(stack.empty() ? Group{} : stack.back());
            pendingSkip = 0;
        } else if (c == '}') {
            stack.pop_back();
            pendingSkip = 0;
            closed = stack.empty();
        } else if (c == '\r' || c == '\n') {
            // Line ends in the source only wrap it.
        } else if (c != '\\') {
            emitChar(cp1252(static_cast<unsigned char>(c)));
        } else if (i + 1 < n && isLetter(rtf.at(i + 1))) {
            qsizetype j = i + 1;
            while (j < n && isLetter(rtf.at(j)))
                ++j;
            const QByteArrayView word = QByteArrayView(rtf).sliced(i + 1, j - i - 1);
            const qsizetype numberStart = j;
            if (j < n && rtf.at(j) == '-')
                ++j;
            while (j < n && rtf.at(j) >= '0' && rtf.at(j) <= '9' && j - numberStart < 10)
                ++j;
            const bool hasNumber = j > numberStart && rtf.at(j - 1) != '-';
            const long long number = hasNumber ? QByteArrayView(rtf).sliced(numberStart, j - numberStart).toLongLong() : 0;
            if (j < n && rtf.at(j) == ' ')
                ++j;  // the delimiter belongs to the control word
            i = j - 1;
            if (skippedDestination(word)) {
                stack.back().skip = true;
            } else if (word == "uc") {
                stack.back().uc = int(qBound(0LL, number, 10LL));
            } else if (word == "u" && hasNumber) {
                const long long code = number < 0 ? number + 65536 : number;
                if (code >= 0 && code <= 0xFFFF)
                    emitChar(QChar(char16_t(code)));
                pendingSkip = stack.back().uc;
            } else {
                const QChar text = wordText(word);
                if (!text.isNull()) {
                    pendingSkip = 0;
                    put(text);
                }
            }
        } else if (i + 1 < n) {
            const char symbol = rtf.at(++i);
            if (symbol == '\'') {
                const int hi = i + 1 < n ? hexValue(rtf.at(i + 1)) : -1;
                const int lo = i + 2 < n ? hexValue(rtf.at(i + 2)) : -1;
                if (hi < 0 || lo < 0)
                    return std::nullopt;
                i += 2;
                emitChar(cp1252(static_cast<unsigned char>(hi * 16 + lo)));
            } else if (symbol == '*') {
                stack.back().skip = true;
            } else if (symbol == '~') {
                emitChar(QChar(0x00A0));
            } else if (symbol == '_') {
                emitChar(QChar(0x2011));
            } else if (symbol == '\r' || symbol == '\n') {
                put(QLatin1Char('\n'));
            } else if (symbol == '\\' || symbol == '{' || symbol == '}') {
                emitChar(QLatin1Char(symbol));
            }
            // Other control symbols (optional hyphen, formula mark ...) carry no text.
        }
    }
    if (!closed)
        return std::nullopt;
    Replace_Lone_Surrogates(out);  // \u gives UTF-16 units: an unpaired one is no text
    return out;
}

namespace {

// Walks the CSV fields of a text in one pass: field(text, endsRecord) is called per field and
// stops the walk by answering false. The field is a view into the text when it needs no
// unquoting, so plain fields cost no copy.
template <class Field>
void forEachCsvField(QStringView text, Field &&field)
{
    QString unquoted;
    bool quoted = false, wasQuoted = false, blank = true;  // blank: nothing but blanks since start
    qsizetype start = 0;
    const qsizetype n = text.size();
    auto end = [&](qsizetype at, bool endsRecord) {
        const bool go = wasQuoted ? field(QStringView(unquoted), endsRecord) : field(text.sliced(start, at - start), endsRecord);
        unquoted.clear();
        wasQuoted = false;
        blank = true;
        start = at + 1;
        return go;
    };
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c != QLatin1Char('"'))
                unquoted += c;
            else if (i + 1 < n && text.at(i + 1) == QLatin1Char('"'))
                unquoted += text.at(++i);
            else
                quoted = false;
        } else if (c == QLatin1Char('"') && !wasQuoted && blank) {
            // Blanks before an opening quote are taken as padding, as most writers mean them.
            quoted = wasQuoted = true;
        } else if (wasQuoted && c != QLatin1Char(',') && c != QLatin1Char('\r') && c != QLatin1Char('\n')) {
            unquoted += c;  // text after a closing quote belongs to the field
        } else if (c == QLatin1Char(',')) {
            if (!end(i, false))
                return;
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            const bool crlf = c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n');
            if (!end(i, true))
                return;
            if (crlf)
                start = ++i + 1;
        } else if (!c.isSpace()) {
            blank = false;
        }
    }
    if (start < n || wasQuoted || (n > 0 && text.at(n - 1) == QLatin1Char(',')))
        end(n, true);
}

// Walks the lines of a text in one pass, split at LF, CRLF and CR; stops when line() answers false.
template <class Line>
void forEachLine(QStringView text, Line &&line)
{
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\n') && c != QLatin1Char('\r'))
            continue;
        if (!line(text.sliced(start, i - start)))
            return;
        if (c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    line(text.sliced(start));
}

}  // namespace

QList<QStringList> Read_Csv_Records(const QString &text)
{
    QList<QStringList> records;
    QStringList fields;
    forEachCsvField(text, [&](QStringView field, bool endsRecord) {
        fields.append(field.toString());
        if (endsRecord) {
            records.append(fields);
            fields.clear();
        }
        return true;
    });
    return records;
}

QStringList Split_Text_Lines(const QString &text)
{
    QStringList lines;
    forEachLine(text, [&](QStringView line) {
        lines.append(line.toString());
        return true;
    });
    return lines;
}

QStringList Text_Import_Values(const QString &text, bool csv)
{
    return Text_Import_Values(text, csv, std::numeric_limits<qsizetype>::max(), nullptr);
}

QStringList Text_Import_Values(const QString &text, bool csv, qsizetype maxValues, bool *tooMany)
{
    return Text_Import_Values(text, csv, maxValues, tooMany, nullptr);
}

QStringList Text_Import_Values(const QString &text, bool csv, qsizetype maxValues, bool *tooMany,
                               ReadProgress *progress)
{
    QStringList values;
    if (tooMany)
        *tooMany = false;
    // One value at a time, straight into the list: no list of lines or records in between.
    auto add = [&](QStringView piece, bool lineEnds) {
        if (progress && !progress->step()) {
            values.clear();
            return false;
        }
        if (piece.trimmed().isEmpty())
            return true;
        QString value = piece.toString();
        if (lineEnds) {
            // A line break inside a quoted field becomes a space.
            QString joined;
            forEachLine(value, [&](QStringView part) {
                if (!joined.isNull())
                    joined += QLatin1Char(' ');
                joined += part;
                return true;
            });
            value = joined;
        }
        value = Trim_Str(value);
        if (value.trimmed().isEmpty())  // blanks that control characters wrapped are no value either
            return true;
        if (values.size() >= maxValues) {
            if (tooMany)
                *tooMany = true;
            values.clear();
            return false;
        }
        values.append(value);
        return true;
    };
    if (csv)
        forEachCsvField(text, [&](QStringView field, bool) {
            const bool breaks = field.contains(QLatin1Char('\n')) || field.contains(QLatin1Char('\r'));
            return add(field, breaks);
        });
    else
        forEachLine(text, [&](QStringView line) { return add(line, false); });
    return values;
}

const QStringList &Import_Image_Extensions()
{
    static const QStringList list{QStringLiteral("jpg"), QStringLiteral("jpeg"), QStringLiteral("jpe"),
                                  QStringLiteral("jfif"), QStringLiteral("gif"), QStringLiteral("bmp"),
                                  QStringLiteral("png"), QStringLiteral("tif"), QStringLiteral("tiff")};
    return list;
}

QStringList Image_Folder_Values(const QString &folder)
{
    const QDir dir(folder);
    QStringList paths;
    for (const QFileInfo &info : dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name))
        if (Import_Image_Extensions().contains(info.suffix().toLower()))
            paths.append(dir.absoluteFilePath(info.fileName()));
    return paths;
}

TextFileImport Read_Text_File_Values(const QString &path, ReadProgress *progress)
{
    TextFileImport result;
    QFile file(path);
    const QString name = QFileInfo(path).fileName();
    if (QFileInfo(path).isDir())
        return result;
    if (QString why; !platform::openRegularFile(file, &why)) {
        // A FIFO or a device would hang the window or never end: said, not waited on.
        if (QFileInfo::exists(path) && !platform::isRegularFile(path)) {
            result.status = TextFileImport::Refused;
            result.reason = QStringLiteral("%1 was refused: %2.").arg(name, why);
        }
        return result;
    }
    if (file.size() > kMaxImportFileBytes) {
        result.status = TextFileImport::Refused;
        result.reason = QStringLiteral("%1 was refused: it is larger than %2 MB.").arg(name).arg(kMaxImportFileBytes >> 20);
        return result;
    }
    const QByteArray bytes = file.read(kMaxImportFileBytes + 1);
    if (bytes.size() > kMaxImportFileBytes) {  // grew while we looked, or a device
        result.status = TextFileImport::Refused;
        result.reason = QStringLiteral("%1 was refused: it is larger than %2 MB.").arg(name).arg(kMaxImportFileBytes >> 20);
        return result;
    }
    result.status = TextFileImport::Empty;
    const QString extension = QFileInfo(path).suffix().toUpper();
    std::optional<QString> text;
    if (extension == QLatin1String("RTF"))
        text = Rtf_To_Plain_Text(bytes);
    else
        text = Decode_Import_Text(bytes);
    if (!text)
        return result;
    bool tooMany = false;
    result.values = Text_Import_Values(*text, extension == QLatin1String("CSV"), Max_Import_Values, &tooMany, progress);
    if (progress && progress->stopped()) {
        result.values.clear();
        result.status = TextFileImport::Stopped;
        result.reason = Read_Stopped_Message(path);
    } else if (tooMany) {
        result.status = TextFileImport::Refused;
        result.reason = QStringLiteral("%1 was refused: it holds more than %L2 values.").arg(name).arg(Max_Import_Values);
    } else if (!result.values.isEmpty()) {
        result.status = TextFileImport::Ok;
    }
    return result;
}
