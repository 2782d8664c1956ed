// Every fuzz target's entry point, built without libFuzzer: replays the committed corpus and the
// regression inputs made below, so each build checks them. With --write-seeds <folder> it
// writes the seed corpus instead (scripts/make-fuzz-corpus).
#include "FuzzSupport.h"
#include "FuzzTargets.h"
#include "barcode/ControlBarcode.h"
#include "core/DesignFile.h"
#include "core/SKTText.h"
#include "data/SeriesFiles.h"
#include "data/spreadsheet/SSZipArchive.h"
#include "data/spreadsheet/SpreadsheetWriter.h"
#include "output/print/PrintWindowState.h"
#include "platform/PictureBudget.h"
#include "platform/Plist.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <csignal>
#include <cstdio>
#include <sys/resource.h>
#include <unistd.h>
#include <cstring>
#include <map>
#include <functional>
#include <vector>

#define FUZZ_TARGET(name) extern "C" int Fuzz_##name(const uint8_t *, size_t);
FUZZ_TARGETS
#undef FUZZ_TARGET

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
constexpr bool kSanitized = __has_feature(address_sanitizer);
#else
constexpr bool kSanitized = false;
#endif

namespace {

using Target = int (*)(const uint8_t *, size_t);
const std::vector<std::pair<QString, Target>> targets = {
#define FUZZ_TARGET(name) {QStringLiteral(#name), &Fuzz_##name},
    FUZZ_TARGETS
#undef FUZZ_TARGET
};

// The target and input being replayed, said on stderr should a target abort on it: the abort
// itself names neither.
char g_replaying[512] = "";

void sayWhatAborted(int)
{
    (void)!write(STDERR_FILENO, g_replaying, std::strlen(g_replaying));
    std::signal(SIGABRT, SIG_DFL);
    std::raise(SIGABRT);
}

// Committed inputs kept for one fault each, and what the code must do with each (beyond not
// failing its target), so that the input keeps checking that fault.
bool refusedBeforeDecoding(const QByteArray &bytes)
{
    QBuffer device;
    device.setData(bytes);
    return device.open(QIODevice::ReadOnly) && !platform::pictureDecodeRefusal(&device).isEmpty();
}
// What the workbook reader makes of a workbook file: the first cell of its first sheet, or the
// reason it gives for not reading it.
QString workbookFirstCell(const QByteArray &bytes)
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("input.xlsx")));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return QStringLiteral("not written");
    file.close();
    SpreadsheetWriter reader;
    int columns = -1;
    if (!reader.openWorkbook(file.fileName()) || !reader.ReadData(reader.sheetPartPath(1), columns))
        return reader.lastError();
    return reader.data.value(0).value(0);
}
bool readsItsNameColumn(const QByteArray &bytes) { return workbookFirstCell(bytes) == QLatin1String("Name"); }
bool refusedAsUnopenable(const QByteArray &bytes)
{
    return workbookFirstCell(bytes).endsWith(QLatin1String("failed to open an entry of the zip file."));
}
const struct {
    const char *target, *file, *must;
    bool (*holds)(const QByteArray &);
} kCorpusOutcomes[] = {
    {"PngPreviewFuzz", "progressive-jpeg-40000x40000", "be refused before it is decoded", &refusedBeforeDecoding},
    // Writers that always write ZIP64 give each entry's offset (and disk) in its ZIP64 field.
    {"XlsxFuzz", "regression-zip64-offset", "be read, its first cell \"Name\"", &readsItsNameColumn},
    {"XlsxFuzz", "regression-zip64-disk", "be read, its first cell \"Name\"", &readsItsNameColumn},
    {"XlsxFuzz", "regression-zip64-disk-lying", "be refused: its offsets miss the local headers", &refusedAsUnopenable},
    {"XlsxFuzz", "regression-zip64-disk-other", "be refused: its entries are on another disk", &refusedAsUnopenable},
};

// A binary property list of the given objects, references and offsets four bytes wide.
QByteArray binaryPlist(const QList<QByteArray> &objects)
{
    QByteArray out("bplist00"), table;
    for (const QByteArray &o : objects) {
        table += QByteArray(4, 0);
        qToBigEndian<quint32>(quint32(out.size()), table.data() + table.size() - 4);
        out += o;
    }
    QByteArray trailer(32, 0);
    trailer[6] = 4;
    trailer[7] = 4;
    qToBigEndian<quint64>(quint64(objects.size()), trailer.data() + 8);
    qToBigEndian<quint64>(quint64(out.size()), trailer.data() + 24);
    return out + table + trailer;
}

QByteArray arrayOf(const QList<quint32> &refs)
{
    QByteArray o(1, char(0xA0 | refs.size()));
    for (quint32 r : refs) {
        o += QByteArray(4, 0);
        qToBigEndian<quint32>(r, o.data() + o.size() - 4);
    }
    return o;
}

QByteArray designWith(const SKTGraphicArray &controls)
{
    DesignData design;
    design.frontControls = controls;
    return platform::plistSerialize(*Design_To_Array(design, false));
}

// Inputs that once crashed, hung or ran out of memory, for the property-list readers.
QList<QByteArray> plistRegressions()
{
    QList<QByteArray> deep;
    for (quint32 i = 1; i < 90000; ++i)
        deep.append(arrayOf({i}));
    deep.append(arrayOf({}));
    QList<QByteArray> laughs;
    for (quint32 i = 1; i < 48; ++i)
        laughs.append(arrayOf({i, i}));
    laughs.append(arrayOf({}));
    const QByteArray nulKey = binaryPlist({QByteArray("\xD1\0\0\0\x01\0\0\0\x02", 9), QByteArray("\x61\0\0", 3),
                                           QByteArray("\x51v", 2)});
    return {"<plist><array>" + QByteArray("<array>").repeated(170000), binaryPlist(deep), binaryPlist(laughs),
            nulKey, binaryPlist({arrayOf({0})})};
}

// Controls with the stored numbers that once overflowed: bounds of 1e300, a blur of 3e38, a
// Data Matrix module of 2^31-1, barcode fonts of 400 points.
SKTGraphicArray hostileControls()
{
    SKTGraphicArray out;
    auto add = [&out](SKTGraphicKind kind, const QRectF &bounds) -> SKTGraphic & {
        out.push_back(Make_Graphic_Of_Kind(kind));
        out.back()->setBounds(bounds);
        return *out.back();
    };
    add(SKTGraphicKind::Shape, QRectF(1e300, -1e300, 1e300, 1e300));
    add(SKTGraphicKind::Image, QRectF(0, 0, 50, 50)).blr_val = 3e38f;
    SKTGraphic &matrix = add(SKTGraphicKind::Barcode, QRectF(0, 0, 50, 50));
    matrix.linear_or_2d = 1;
    matrix.two_d_font_val = QStringLiteral("DM");
    matrix.qr_version_index = 2;
    matrix.dm_module_val = 2147483647;
    // Two of them: their 400-point captions keep their size when read back, and four would need
    // more picture memory than a design may use (the design must still open).
    for (int i = 0; i < 2; ++i) {
        SKTGraphic &big = add(SKTGraphicKind::Barcode, QRectF(0, 60, 200, 80));
        big.linear_font_val = QString(60, QLatin1Char('7'));
        big.header_val = big.footer_val = big.linear_font_val;
        for (QFont *f : {&big.value_font_val, &big.header_font_val, &big.footer_font_val})
            f->setPointSizeF(400);
    }
    return out;
}

QList<QByteArray> designRegressions()
{
    auto text = Make_Graphic_Of_Kind(SKTGraphicKind::Text);
    text->setBounds(QRectF(10, 10, 200, 40));
    static_cast<SKTText &>(*text).setScriptingContents(QString(80000, QLatin1Char('W')));
    text->Drawing_Shadow = true;
    text->Shadow_blur = 3.4e38f;
    // A hundred thousand damaged records (a bare letter each) once took half a minute and 2 GB.
    QVariantList root = *Design_To_Array(DesignData(), false);
    const qsizetype countAt = Design_First_Record_Index - 1;
    root[countAt] = QStringLiteral("100000");
    for (int i = 0; i < 100'000; ++i)
        root.insert(countAt + 1, QVariant(QVariantList{QStringLiteral("T")}));
    return {designWith({std::move(text)}), platform::plistSerialize(root)};
}

// Designs that must open (with their numbers held to range) or be refused as too large.
std::vector<std::pair<QByteArray, bool>> designOutcomes()
{
    DesignData huge;
    huge.front.setCard_Size(QSizeF(1e300, 1e300));
    huge.frontControls = hostileControls();
    // Sixteen barcodes whose stored pictures are 5600 by 5600 pixels each.
    QImage picture(5600, 5600, QImage::Format_Mono);
    picture.fill(1);
    DesignData many;
    for (int i = 0; i < 16; ++i) {
        many.frontControls.push_back(Make_Graphic_Of_Kind(SKTGraphicKind::Barcode));
        many.frontControls.back()->_barcode_image = picture;
    }
    return {{platform::plistSerialize(*Design_To_Array(huge, false)), true},
            {platform::plistSerialize(*Design_To_Array(many, false)), false}};
}

// A stored barcode set-up as BarcodeFuzz reads it: integers, reals, font sizes, then the value.
QByteArray barcodeInput(const QList<qint64> &ints, const QList<double> &reals, QByteArray value)
{
    QByteArray out;
    for (qint64 v : ints) {
        const qint32 wide = qint32(v);
        out += v > -128 && v < 128 ? QByteArray(1, char(v))
                                   : "\x80" + QByteArray(reinterpret_cast<const char *>(&wide), 4);
    }
    for (double v : reals)
        out += QByteArray("\x80") + QByteArray(reinterpret_cast<const char *>(&v), 8);
    return out + value;
}

// A workbook's parts as XlsxFuzz takes them (workbook, its relationships, sheet, shared strings,
// styles), and the same packed as a workbook file.
QByteArray workbookParts()
{
    const QByteArray ns = "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"";
    return QList<QByteArray>{
        "<workbook " + ns + " xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
            "<workbookPr date1904=\"0\"/><sheets><sheet name=\"S\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>",
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
            "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
            "worksheet\" Target=\"worksheets/sheet1.xml\"/></Relationships>",
        "<worksheet " + ns + "><dimension ref=\"A1:C3\"/><sheetData><row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c>"
            "<c r=\"B1\" t=\"inlineStr\"><is><t>in&amp;line</t><rPh><t>x</t></rPh></is></c><c r=\"C1\" t=\"str\">"
            "<v>_x000D_</v></c></row><row/><row r=\"3\"><c r=\"A3\" s=\"1\"><v>45306.5</v></c><c t=\"b\"><v>1</v></c>"
            "<c r=\"XFD3\"><v><![CDATA[9]]></v></c></row></sheetData></worksheet>",
        "<sst " + ns + "><si><t>Name</t></si><si><r><t>Ri</t></r><r><t>ch</t></r></si></sst>",
        "<styleSheet " + ns + "><numFmts><numFmt numFmtId=\"164\" formatCode=\"yyyy-mm-dd h:mm\"/></numFmts>"
            "<cellXfs><xf numFmtId=\"0\"/><xf numFmtId=\"164\"/></cellXfs></styleSheet>"}
        .join("\n--part--\n");
}

QByteArray workbookFile(const QByteArray &parts)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("seed.xlsx"));
    SSZipArchive zip(path);
    if (!zip.open())
        std::exit(1);
    zip.writeData("<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                  "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
                  "relationships/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>",
                  QStringLiteral("_rels/.rels"));
    const char *const names[] = {"xl/workbook.xml", "xl/_rels/workbook.xml.rels", "xl/worksheets/sheet1.xml",
                                 "xl/sharedStrings.xml", "xl/styles.xml"};
    qsizetype from = 0;
    for (const char *name : names) {
        const qsizetype at = parts.indexOf("\n--part--\n", from);
        zip.writeData(parts.mid(from, at < 0 ? -1 : at - from), QString::fromLatin1(name));
        from = at + 10;
    }
    if (!zip.close())
        std::exit(1);
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeSeeds(const QString &root)
{
    SKTGraphicArray all;
    for (SKTGraphicKind kind : {SKTGraphicKind::Text, SKTGraphicKind::Image, SKTGraphicKind::Line,
                                SKTGraphicKind::Barcode, SKTGraphicKind::Signature, SKTGraphicKind::Shape}) {
        all.push_back(Make_Graphic_Of_Kind(kind));
        all.back()->setBounds(QRectF(10, 10, 90, 30));
    }
    const QVariant sample = QVariantList{QStringLiteral("a"), 1.5, QVariantMap{{QStringLiteral("k"), true}},
                                         QByteArray("\x01\x02")};
    std::map<QString, QList<QByteArray>> seeds;
    seeds[QStringLiteral("PlistFuzz")] = {platform::plistSerialize(sample),
                                          platform::plistSerialize(sample, platform::PlistFormat::Binary)};
    for (const SKTGraphicPtr &g : all)
        seeds[QStringLiteral("ArchiveFuzz")].append(Archive_Graphic(*g));
    seeds[QStringLiteral("PasteboardFuzz")] = {pasteboardDataWithGraphics(Graphic_Pointers(all))};
    seeds[QStringLiteral("DesignFuzz")] = {designWith(all)};
    seeds[QStringLiteral("PhotoSettingsFuzz")] = {
        "photo.png", "photo.png<IMG_FILTER>1_0_1_0_90_0.5_0.2_2_1_0.1_1.2_30_20_1_3_2_#ff0000_",
        "photo.png<IMG_FILTER>0_0_0_0_0_0_0_3e38_0_0_0_0_0_1_1e30_0_0_",
        "photo.png<IMG_FILTER>0_0_0_0_1e300_-1e30_1e30_nan_1e38_-1e38_inf_-inf_2e9_1_-1e30_0_0_"};
    const QList<double> reals{6, 20, 1, 1, 1, 1};
    seeds[QStringLiteral("BarcodeFuzz")] = {
        barcodeInput({0, 0, 0, 0, 0, 0, 1, 60, 0, 0, 20, 100, 2, 2, 0, 0, 0, 1}, reals + QList<double>{10, 10, 10}, "0123"),
        barcodeInput({1, 0, 0, 0, 0, 0, 1, 60, 0, 0, 20, 100, 2, 2, 0, 0, 0, 1}, reals + QList<double>{10, 10, 10}, "QR"),
        barcodeInput({1, 2, 0, 0, 0, 0, 1, 60, 0, 0, 20, 100, 2, 2147483647, 0, 0, 0, 1},
                     reals + QList<double>{10, 10, 10}, "DM"),
        barcodeInput({1, 2, 0, 0, 0, 0, 1, 60, 0, 0, 20, 100, 2, 2, 3, 0, 0, 1}, reals + QList<double>{10, 10, 10},
                     QByteArray(400, 'x')),
        barcodeInput({0, 0, 0, 0, 0, 0, 1, 60, 0, 0, 20, 100, 2, 2, 0, 0, 0, 1}, reals + QList<double>{400, 400, 400},
                     "0123"),
        barcodeInput({0, 0, 0, 0, 0, 0, 1, 60, 0, 0, 20, 100, 2, 2, 0, 0, 0, 1},
                     QList<double>{1e300, 3e38, -1e300, 1e308, 1e300, 1e300, 1e300, 1e300, 1e300}, "0123")};
    seeds[QStringLiteral("XlsxFuzz")] = {workbookParts(), workbookFile(workbookParts())};
    // Small pictures of each PNG kind, larger than the previews the target asks for.
    for (const QImage::Format format : {QImage::Format_ARGB32, QImage::Format_RGB32, QImage::Format_Indexed8,
                                        QImage::Format_Grayscale8, QImage::Format_RGBA64, QImage::Format_Mono}) {
        QImage picture(90, 70, QImage::Format_ARGB32);
        picture.fill(QColor(200, 40, 60, 180));
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        picture.convertToFormat(format).save(&buffer, "PNG");
        seeds[QStringLiteral("PngPreviewFuzz")].append(png);
    }
    seeds[QStringLiteral("TextImportFuzz")] = {
        " one \r\n\r\ntwo\r{three}\n", "a,\"b, c\",\"say \"\"hi\"\"\"\r\n\"two\nlines\", d\n",
        QByteArray("\xff\xfe" "A\0\x00\xd8\n\0B\0", 10), "Ren\xe9\n\x80 5", "\xef\xbb\xbfJos\xc3\xa9",
        "{\\rtf1\\ansi{\\fonttbl{\\f0 Helvetica;}}\\f0 Caf\\'e9 \\{1\\}\\par Zo\\u235?\\line \\uc0\\u-10240 x\\par}"};
    seeds[QStringLiteral("SeriesFileFuzz")] = {
        Series_File_Bytes({QStringLiteral("Ann"), QStringLiteral(" Bo "), QString(), QStringLiteral("Caf\u00e9")}),
        "one\r\ntwo\r\n\r\n three", "\n\n\x01 x \x7f\n", "bad \xc3\x28 utf-8\n"};
    {
        PrintWindowState state;
        const QStringList items = Print_Profile_Items(state, QStringLiteral("Printer"));
        QVariantList list;
        for (const QString &item : items)
            list << item;
        QVariantList tooFew = list.mid(0, 3);
        seeds[QStringLiteral("PrintProfileFuzz")] = {platform::plistSerialize(list),
                                                     platform::plistSerialize(list, platform::PlistFormat::Binary),
                                                     platform::plistSerialize(tooFew)};
    }
    for (const auto &[name, list] : seeds) {
        QDir().mkpath(root + QLatin1Char('/') + name);
        for (qsizetype i = 0; i < list.size(); ++i) {
            QFile f(QStringLiteral("%1/%2/seed-%3").arg(root, name).arg(i));
            if (!f.open(QIODevice::WriteOnly) || f.write(list[i]) != list[i].size())
                std::exit(1);
        }
    }
}

}  // namespace

int main(int argc, char **argv)
{
    (void)Fuzz_Input(nullptr, 0);
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));
    if (args.size() == 3 && args[1] == QStringLiteral("--write-seeds")) {
        writeSeeds(args[2]);
        return 0;
    }
    if (args.size() < 2)
        return 2;
    std::map<QString, QList<QByteArray>> inputs;
    std::map<QString, QStringList> inputNames;  // the corpus files; the regression inputs follow them
    for (const QString &name : QDir(args[1]).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        for (const QFileInfo &file : QDir(args[1] + QLatin1Char('/') + name).entryInfoList(QDir::Files)) {
            QFile f(file.filePath());
            if (f.open(QIODevice::ReadOnly)) {
                inputs[name].append(f.readAll());
                inputNames[name].append(file.fileName());
            }
        }
    for (const auto &o : kCorpusOutcomes) {
        const qsizetype at = inputNames[QString::fromLatin1(o.target)].indexOf(QString::fromLatin1(o.file));
        if (at < 0 || !o.holds(inputs[QString::fromLatin1(o.target)][at])) {
            std::fprintf(stderr, "%s: the input %s must %s\n", o.target, o.file,
                         at < 0 ? "be in the corpus" : o.must);
            return 1;
        }
    }
    for (const char *name : {"PlistFuzz", "PasteboardFuzz", "ArchiveFuzz", "DesignFuzz"})
        inputs[QString::fromLatin1(name)] += plistRegressions();
    inputs[QStringLiteral("DesignFuzz")] += designRegressions();
    const SKTGraphicArray hostile = hostileControls();
    for (const SKTGraphicPtr &g : hostile)
        inputs[QStringLiteral("ArchiveFuzz")] += Archive_Graphic(*g);
    inputs[QStringLiteral("PasteboardFuzz")] += pasteboardDataWithGraphics(Graphic_Pointers(hostile));
    barcode::Install_Control_Barcode_Provider();
    for (const auto &[bytes, opens] : designOutcomes()) {
        const DesignReadResult read = Design_From_Bytes(bytes);
        if (read.ok() != opens || (!opens && !read.error.contains(QLatin1String("MB of memory")))) {
            std::fprintf(stderr, "a design of %lld bytes: %s\n", qlonglong(bytes.size()), qPrintable(read.detail));
            return 1;
        }
        if (opens && read.design->front.Card_Size().width() > 1e5)
            return 1;
        inputs[QStringLiteral("DesignFuzz")] += bytes;
    }
    std::signal(SIGABRT, sayWhatAborted);
    int replayed = 0;
    for (const auto &[name, target] : targets) {
        for (qsizetype i = 0; i < inputs[name].size(); ++i) {
            const QByteArray &input = inputs[name][i];
            const QStringList &files = inputNames[name];
            const QByteArray which = i < files.size() ? QFile::encodeName(files[i])
                                                      : "regression input " + QByteArray::number(i - files.size() + 1);
            std::snprintf(g_replaying, sizeof g_replaying, "%s aborted on %s (%lld bytes)\n", qPrintable(name),
                          which.constData(), qlonglong(input.size()));
            QElapsedTimer timer;
            timer.start();
            target(reinterpret_cast<const uint8_t *>(input.constData()), size_t(input.size()));
            ++replayed;
            // Reported, not judged: the time a machine takes is no test's business.
            if (timer.elapsed() > 500)
                std::fprintf(stderr, "%s: an input of %lld bytes took %lld ms\n", qPrintable(name),
                             qlonglong(input.size()), qlonglong(timer.elapsed()));
        }
        if (inputs[name].isEmpty()) {
            std::fprintf(stderr, "no inputs for %s\n", qPrintable(name));
            return 1;
        }
    }
    // Peak memory of the whole replay; sanitizers keep freed memory aside and add their own.
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%d inputs replayed, peak %ld MB\n", replayed, usage.ru_maxrss / 1024);
    if (!kSanitized && usage.ru_maxrss > 300 * 1024)
        return 1;
    return 0;
}
