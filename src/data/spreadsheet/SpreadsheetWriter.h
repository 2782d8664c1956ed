#pragma once
// Reading and writing .xlsx workbooks. Workbooks come from anywhere: only the parts the reader
// needs (the workbook, its relationships, shared strings, styles and a sheet when it is read)
// are unpacked, within the zip limits: the workbook part and its relationships into a private
// temporary folder per opening, the others into memory; sheets are
// found by name through the workbook part and its relationships, and a sheet's XML is scanned in
// place, row by row, into a table of strings (slot 0 is column A). The table is sized by the
// cells the sheet stores, never by its stated dimension, and holds at most MaxCells cells.
// Writing fills the shipped "Template.xlsx" with one worksheet and its shared strings.

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdint>
#include <functional>
#include <future>
#include <memory>
#include <vector>

struct ReadProgress;
class QWidget;

class SpreadsheetWriter {
public:
    using Table = QList<QStringList>;

    // Bounds on what a sheet may make us hold. MaxCells counts the cells of the table we build
    // (rows times their common width) and the shared strings: a million and a half holds the
    // 100,000 x 12 workbook of bench/xlsx_read (read and filled into the table in about a second
    // and 260 MB), and keeps any sheet within a few hundred MB.
    static constexpr int MaxColumns = 16384;
    static constexpr qint64 MaxCells = 1'500'000;
    // Sheets a workbook may list: each is a line of the sheet list.
    static constexpr int MaxSheets = 10'000;
    // Characters of a column name read to list a sheet's columns (ReadData's `firstRowOnly`):
    // more than any list shows of it.
    static constexpr qsizetype MaxNameChars = 4096;

    SpreadsheetWriter();
    ~SpreadsheetWriter();

    // --- reading ---
    // Unpacks the workbook and loads its sheet list, shared strings and date styles. False, with
    // a one-line reason in lastError(), when the file is not a workbook or is refused.
    bool openWorkbook(const QString &path);
    QString tmpDir() const;
    // Sheet names in workbook order; position p is sheet number p + 1.
    QStringList Read_Sheet_Name() const { return m_sheetNames; }
    // The part of sheet number `number` (from 1) as a path under tmpDir(), empty when there is
    // none or it fails to inflate. The sheet is inflated into memory, not into the folder:
    // ReadData finds its bytes by this path.
    QString sheetPartPath(int number) const;
    bool ReadSharedStrings(const QString &file);
    // Reads the sheet into `data`: one row per stored row, cells or not (rows the sheet does not
    // store are not made up); every row is as wide as the widest stored cell of the sheet (its
    // stated dimension is not trusted), and a sheet without cells has no rows. `columns`
    // receives that width (the value passed in is ignored). With `firstRowOnly` it keeps only the
    // first row, whose empty cells are named "Untitled Column %d", widened to the stated
    // dimension as far as stored cells reach, each at most MaxNameChars long; it reads on past
    // that row only while the dimension is wider than the cells seen, so listing a sheet's
    // columns does not read the whole sheet.
    bool ReadData(const QString &sheetFile, int &columns, bool firstRowOnly = false);
    QString lastError() const { return m_error; }
    // Whether the last failure was a refusal by a limit (lastError() then names the file and
    // the limit, ready to show), rather than a damaged file.
    bool refused() const { return m_refused; }
    // Whether the last failure was a damaged part of the workbook (a checksum error, data that
    // does not inflate); lastError() then names the file and the part.
    bool damaged() const { return m_damaged; }
    // The one line a window shows for the last failed read: the reader's own reason when a
    // limit, Stop, a damaged part or the system (a full temporary folder) ended it, else
    // `fallback` (the window's word for a file that is not a workbook).
    QString failureMessage(const QString &fallback) const
    {
        return m_refused || m_stopped || m_damaged || m_systemFailed ? m_error : fallback;
    }
    // Whether the last read gave up because Stop was asked for in `progress` (lastError() then
    // says so); its table is empty.
    bool stopped() const { return m_stopped; }

    // Where reads count their rows and look for Stop (none: they run to the end). Reads that
    // run on a worker set it; nothing else of the instance is touched meanwhile.
    ReadProgress *progress = nullptr;

    Table data;
    QStringList sharedStrings;

    // --- the calls the rest of the application makes, on the shared instance ---
    // only_col true: opens the workbook (answers the unchanged table); false: reads every row of
    // sheet Excel_Sheet_Number of the workbook opened before.
    static Table ReadWorkbook(const QString &path, bool only_col);
    static Table ReadData_only_column();
    // The shared instance, made at the first use.
    static SpreadsheetWriter *shared();
    // Runs `read` (calls on `reader`) as Run_Long_Read does: on a worker under the please-wait
    // sheet of `window`, with progress and Stop, when the workbook at `path` is long work.
    // False when the reader gave up on Stop (its lastError() says so).
    static bool ReadOffGui(SpreadsheetWriter &reader, QWidget *window, const QString &path,
                           const std::function<void()> &read);
    // Whether reading the workbook at `path` goes to a worker under the please-wait sheet: its
    // file or what it unpacks to is large.
    static bool Long_Work_For_Workbook(const QString &path);
    static constexpr std::uint64_t LongWorkUnpackedBytes = std::uint64_t(8) << 20;
    QString workbookPath() const { return m_workbookPath; }
    // The private folders workbooks are unpacked into, named after the process that owns them
    // ("badgeloom-xlsx-<pid>-XXXXXX" in the temporary folder), so a killed run's parts can be
    // told from a running one's.
    static QString Workbook_Folder_Template(const QString &tempFolder = {});
    // Removes what killed runs left: our own folders whose process is gone (or whose number a
    // later process took), and unnumbered ones of earlier versions older than a day; and the
    // part files of archives such a run was writing (SSZipArchive::Part_Note_Template). Never
    // another user's, a link, or a running instance's. Called once at start; answers how many.
    static int Sweep_Stale_Workbook_Folders(const QString &tempFolder = {});
    static void Release_Data() {}

    // --- writing ---
    // Writes the rows as a one-sheet workbook at `destination`, whole or not at all.
    static bool WriteWorkbook(const QString &destination, const Table &rows, bool hasTitleRow,
                              QString *error = nullptr);
    bool WriteWorksheetData(const QString &file);
    bool WriteSharedStringsXML(const QString &file);
    static QString ColumnIndexToName(int column);
    static QString ColumnNumber_To_Name(int column) { return ColumnIndexToName(column); }
    // Whether the text is written as a number: it must be the plain C-locale form of that number,
    // so "007", "1.50", "3,5" and "1e5" stay texts, and at most 15 digits (what a spreadsheet keeps).
    static bool isCanonicalNumber(const QString &text);

private:
    bool loadWorkbookPart();
    // Unpacks parts of the open workbook (paths inside it) into the folder, or with `toMemory`
    // into m_parts, within what is left of the workbook's unpacking budget; false with the
    // reason in m_partError. The parts read into a tree go to the folder; those the pull scanner
    // reads (shared strings, styles, sheets: the large ones) are inflated into memory, which
    // spares writing tens of MB to disk and reading them back.
    bool unpackParts(const QStringList &parts, bool toMemory = false) const;
    bool inflateParts(const QStringList &parts) const { return unpackParts(parts, true); }
    // What inflating parts into memory gave; `wanted` empty: nothing was tried.
    struct Inflated {
        QStringList wanted;
        bool ok = false;
        QString error;
        int code = 0;
        std::uint64_t written = 0;
        QHash<QString, QByteArray> parts;
    };
    static Inflated inflate(const QString &workbook, const QStringList &wanted, std::uint64_t unpackedBefore);
    // Inflates `part` on a worker, to be taken by the next unpackParts if it asks for that part
    // alone, as if inflated then (same budget, same reasons); otherwise dropped.
    void startPrefetch(const QString &part);
    void dropPrefetch() const;
    // Drops the bytes held for `part` (a path in the workbook), with `refund` giving them back
    // to the unpacking budget.
    void releasePart(const QString &part, bool refund = true) const;
    // The part of the workbook a path under tmpDir() stands for (another file: its name).
    QString heldPath(const QString &path) const;
    // The bytes held for a path under tmpDir(), or null.
    const QByteArray *heldPart(const QString &path) const;
    bool readSharedStrings(const char *begin, const char *end, const QString &named);
    void refuse(const QString &file, const QString &reason);
    void stopRead(const QString &file);
    // False, refused, when the styles part `part` holds more elements than any real one.
    bool loadStyles(const QByteArray &bytes, const QString &part);
    QString cellDate(double serial, int style) const;
    int styleKind(int style) const
    {
        return style >= 0 && size_t(style) < m_styleKind.size() ? m_styleKind[size_t(style)] : 0;
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    QStringList m_sheetNames;
    QStringList m_sheetParts;
    std::vector<unsigned char> m_styleKind;  // per cell format: 0 plain, 1 date, 2 date and time
    bool m_date1904 = false;
    QString m_error;
    bool m_refused = false;
    bool m_damaged = false;
    bool m_systemFailed = false;  // the temporary folder could not take the parts
    bool m_stopped = false;
    QString m_workbookPath;
    mutable QStringList m_unpackedParts;
    mutable std::future<Inflated> m_prefetch;
    mutable QHash<QString, QByteArray> m_parts;  // inflated parts, by lower-case path in the workbook
    mutable std::uint64_t m_unpackedBytes = 0;
    mutable QString m_partError;
    mutable bool m_partRefused = false;
    mutable bool m_partDamaged = false;
    mutable bool m_partSystemFailed = false;
};

// The shared instance (created at the first use) and the sheet being read.
extern SpreadsheetWriter *spreadsheet;
extern int Excel_Sheet_Number;
extern int Excel_Sheet_Columns;

// Column letters of a cell reference ("AB" of "AB12"); the whole text when it holds no digit.
QString Get_Column_Char_Str(const QString &reference);
// Column of its letters, bijective base 26: with base 64 the number (A 1, AA 27, XFD 16384),
// with base 65 the slot (A 0). -1 for anything that is not 1 to 3 letters.
int Get_Col_index(const QString &letters, int base);
int Asc_Val(const QString &s);
// Whether a number format shows a date: 0 no, 1 a date, 2 a date with a time.
int dateFormatKind(int numFmtId, const QString &formatCode);
