#pragma once
// Turning outside sources into series values, apart from any window: text in any of the common
// encodings, rich text, CSV, and folders of pictures.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

struct ReadProgress;

// Text of a file whose encoding nobody told us: a byte-order mark (UTF-8, UTF-16 LE or BE)
// decides, else UTF-8 when the bytes are valid UTF-8, else Windows-1252. A lone surrogate of
// UTF-16 becomes U+FFFD, so the text is whole before anything splits it.
QString Decode_Import_Text(const QByteArray &bytes);
void Replace_Lone_Surrogates(QString &text);

// The most values one file may bring: far beyond any series, and what keeps a file of short
// lines (the byte limit allows 32 million) from costing gigabytes.
inline constexpr qsizetype Max_Import_Values = 1'000'000;

// The plain text of a rich-text document: paragraphs and line breaks become line feeds, escaped
// characters are decoded, and font tables, colour tables, style sheets, document information,
// pictures and ignorable destinations are dropped. Nothing when the bytes are no rich text or
// their groups do not balance.
std::optional<QString> Rtf_To_Plain_Text(const QByteArray &rtf);

// The records of a CSV text: fields separated by commas, records by any line ending (LF, CRLF,
// CR); a field in double quotes may hold commas, line ends and doubled quotes.
QList<QStringList> Read_Csv_Records(const QString &text);

// The lines of a text, split at every line ending (LF, CRLF, CR).
QStringList Split_Text_Lines(const QString &text);

// Series values of a text: every line (CSV: every field) trimmed, empty ones dropped, in order.
// A line break inside a quoted CSV field becomes a space, since a line feed ends a value.
// Both walk the text once, keeping only the values. With `maxValues`, a text holding more gives
// nothing and sets `tooMany`.
QStringList Text_Import_Values(const QString &text, bool csv);
QStringList Text_Import_Values(const QString &text, bool csv, qsizetype maxValues, bool *tooMany);
// The same, counting each value into `progress`; a Stop asked for there ends the walk and
// gives nothing.
QStringList Text_Import_Values(const QString &text, bool csv, qsizetype maxValues, bool *tooMany,
                               ReadProgress *progress);

// The picture extensions an image-folder import takes (compared in lower case).
const QStringList &Import_Image_Extensions();
// Full paths of the picture files directly inside the folder (sub-folders are not entered), by
// name.
QStringList Image_Folder_Values(const QString &folder);

// Outcome of reading a text file for an import.
struct TextFileImport {
    enum Status { Ok, Unreadable, Empty, Refused, Stopped } status = Unreadable;
    QStringList values;
    QString reason;  // Refused: one line naming the file and the limit it passed
};
// Reads a txt, csv or rtf file (by its extension, any case) into series values. Unreadable: the
// file cannot be read; Empty: no value in it, or rich text that does not parse; Refused: more
// than 64 MB or more than Max_Import_Values values; Stopped: Stop was asked for in `progress`
// (no values then).
TextFileImport Read_Text_File_Values(const QString &path, ReadProgress *progress = nullptr);
