#include "core/DesignFile.h"

#include "core/ArchiveValues.h"
#include "core/ControlRecord.h"
#include "core/CoreHub.h"
#include "core/PictureServices.h"
#include "core/DesignFieldIO.h"
#include "core/SKTImage.h"
#include "core/Utilities.h"
#include "platform/Plist.h"
#include "platform/PlistStream.h"
#include "platform/RegularFile.h"
#include "platform/ValueBounds.h"
#include "platform/TextLength.h"
#include "platform/WholeFile.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

#include <atomic>
#include <thread>
#include <type_traits>

namespace {

// One card-block entry through its getter and setter.
template <class IO, class C, class T, class Codec>
void cardField(IO &io, C &card, const T &(Card_Property::*get)() const, void (Card_Property::*set)(const T &),
               Codec codec)
{
    T value = (card.*get)();
    (io.*codec)(value);
    if constexpr (IO::reading)
        (card.*set)(value);
}

#define CARD_FIELD(codec, name) cardField(io, card, &Card_Property::name, &Card_Property::set##name, &IO::codec)

// The 34 strings of one side. C is `const Card_Property` when writing.
template <class IO, class C>
void cardBlock(IO &io, C &card)
{
    CARD_FIELD(yn, Card_border_chk);
    CARD_FIELD(colour, Card_bordr_clr);
    CARD_FIELD(integer, Card_bor_Stepper);
    CARD_FIELD(text, Card_border_style);
    CARD_FIELD(yn, Card_fill_chk);
    CARD_FIELD(text, Card_fill_style);
    CARD_FIELD(colour, Card_fill_clr);
    CARD_FIELD(colour, Card_fill_Grd_1_clr);
    CARD_FIELD(colour, Card_fill_Grd_2_clr);
    CARD_FIELD(integer, Card_grad_Stepper);
    CARD_FIELD(text, Card_hatch_style);
    CARD_FIELD(colour, Card_hatch_bk_clr);
    CARD_FIELD(template real<float>, Card_alpha_Stepper);
    CARD_FIELD(text, Card_Side);
    CARD_FIELD(text, Card_Side_Name);
    CARD_FIELD(text, Card_Shape);
    CARD_FIELD(text, Card_Name);
    CARD_FIELD(point, Card_Location);
    CARD_FIELD(size, Card_Size);
    CARD_FIELD(text, Card_Preset);
    CARD_FIELD(text, Card_Category);
    CARD_FIELD(text, Card_Sub_Category);
    CARD_FIELD(integer, Card_Cat_index);
    CARD_FIELD(text, Card_Create_Mode);
    if constexpr (IO::reading) {
        QString path;
        io.text(path);
        // A path into another installation's resources moves to this one's.
        card.setCard_BG_Image_Path(path.isEmpty() ? path : pictureServices().Check_Path_For_App_Resources(path));
    } else {
        // Only an image fill has a picture to remember.
        io.text(card.Card_fill_style() == QLatin1String("I") ? card.Card_BG_Image_Path() : QString());
    }
    CARD_FIELD(text, Card_BG_Image_Layout);
    CARD_FIELD(colour, Card_Content_clr);
    CARD_FIELD(font, Card_Content_font);
    CARD_FIELD(yn, Watermark_Used);
    CARD_FIELD(integer, Watermark_Alignment);
    CARD_FIELD(template real<float>, Watermark_Transp);
    CARD_FIELD(text, Watermark_Text);
    CARD_FIELD(colour, Watermark_Color);
    CARD_FIELD(font, Watermark_Font);
    if constexpr (IO::reading)
        card.Bound_Stored_Values();
}

#undef CARD_FIELD

void writeSide(DesignFieldWriter &io, const SKTGraphicArray &controls, bool asTemplate, const char *side)
{
    io.text(QString::number(controls.size()));
    for (size_t i = 0; i < controls.size(); ++i) {
        if (!controls[i])
            throw DesignFieldFailure{io.position(), QStringLiteral("the %1 control %2 is missing").arg(QLatin1String(side)).arg(i)};
        QString why;
        const std::optional<QVariantList> record = Get_Control_Prop_To_Array(*controls[i], asTemplate, &why);
        if (!record)
            throw DesignFieldFailure{io.position(), QStringLiteral("the %1 control %2: %3").arg(QLatin1String(side)).arg(i).arg(why)};
        io.array(*record);
    }
}

// Where a barcode record keeps its picture, as data.
constexpr int kBarcodePictureEntry = 25;

// A barcode record whose picture entry is data but no picture we can read: an archive of no
// object, or bytes of another program.
bool holdsUnreadableBarcodePicture(const QVariantList &record)
{
    if (record.size() <= kBarcodePictureEntry || record[0].typeId() != QMetaType::QString ||
        record[0].toString() != QLatin1String("B"))
        return false;
    const QVariant &picture = record[kBarcodePictureEntry];
    return picture.typeId() == QMetaType::QByteArray && !picture.toByteArray().isEmpty() &&
           Unarchive_Image(picture).isNull();
}

// Pixels of a stored picture from its header, without decoding it.
double headerPixels(const QVariant &data)
{
    QByteArray bytes = data.toByteArray();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const QSize size = QImageReader(&buffer).size();
    return size.isValid() ? double(size.width()) * size.height() : 0.0;
}

// The pixels of the pictures stored in the barcode records of the root array, from their
// headers. Only a control record starts with "B" and holds data at the picture's place.
double storedPicturePixels(const QVariantList &entries)
{
    double pixels = 0;
    for (const QVariant &entry : entries) {
        if (entry.typeId() != QMetaType::QVariantList)
            continue;
        const QVariantList record = entry.toList();
        if (record.size() > kBarcodePictureEntry && record[0].typeId() == QMetaType::QString &&
            record[0].toString() == QLatin1String("B") && record[kBarcodePictureEntry].typeId() == QMetaType::QByteArray)
            pixels += headerPixels(record[kBarcodePictureEntry]);
    }
    return pixels;
}

// The pixels of the barcode pictures that will be rebuilt from their set-up when the design is
// shown. Pictures read from files (image controls, the card background) are read at most 500
// pixels on their long side and are left out.
double rebuiltPicturePixels(const DesignData &design)
{
    const BarcodeImageProvider *provider = barcodeImageProvider();
    if (!provider)
        return 0;
    const auto firstColumnValue = [&design](int column) {
        return design.tableRows.value(0, QStringLiteral("Column%1").arg(column));
    };
    double pixels = 0;
    for (const SKTGraphicArray *side : {&design.frontControls, &design.backControls}) {
        for (const SKTGraphicPtr &g : *side) {
            if (Barcode_Needs_Image(*g))
                pixels += provider->Barcode_Picture_Pixels(*g, Barcode_Value_For_Rebuild(*g, {}, firstColumnValue));
        }
    }
    return pixels;
}

// The barcode pictures stored in the records, each distinct one decoded once, on every core:
// decoding is most of the time an open takes.
Decoded_Pictures decodeStoredPictures(const QVariantList &entries)
{
    Decoded_Pictures decoded;
    for (const QVariant &entry : entries) {
        if (entry.typeId() != QMetaType::QVariantList)
            continue;
        const QVariantList record = entry.toList();
        if (record.size() > kBarcodePictureEntry && record[0].typeId() == QMetaType::QString &&
            record[0].toString() == QLatin1String("B") && record[kBarcodePictureEntry].typeId() == QMetaType::QByteArray &&
            !record[kBarcodePictureEntry].toByteArray().isEmpty())
            decoded.insert(record[kBarcodePictureEntry].toByteArray(), QImage());
    }
    const QList<QByteArray> stored = decoded.keys();
    std::vector<QImage> images(size_t(stored.size()));
    std::atomic<qsizetype> next{0};
    const auto work = [&] {
        for (qsizetype i = next++; i < stored.size(); i = next++)
            images[size_t(i)] = Unarchive_Image(stored[i]);
    };
    {
        std::vector<std::jthread> helpers;
        const qsizetype cores = std::clamp<qsizetype>(std::thread::hardware_concurrency(), 1, 8);
        for (qsizetype t = 1; t < std::min(cores, stored.size()); ++t)
            helpers.emplace_back(work);
        work();
    }
    for (qsizetype i = 0; i < stored.size(); ++i)
        decoded[stored[i]] = images[size_t(i)];
    return decoded;
}

QString overBudgetMessage(double pixels, bool saving = false)
{
    // Four bytes a pixel.
    return QStringLiteral("This design cannot be %1: its pictures need %2 MB of memory, more than the %3 MB a "
                          "design may use.")
        .arg(saving ? QStringLiteral("saved, as it could not be opened again") : QStringLiteral("opened"))
        .arg(qRound64(pixels * 4 / 1e6))
        .arg(qRound64(bounds::MaxDesignPicturePixels * 4 / 1e6));
}

// Damaged control records a design may have and still open: past them it is no design damaged
// here and there but a file of something else, and each would cost a control and a line.
constexpr qsizetype kMaxDamagedRecords = 100;

// A control record that fails inside does not cost the rest of the design: its control is
// taken as far as the record filled it and the damage is told in `damaged`. A record position
// that holds no record at all leaves the file's structure in doubt and refuses it, and so do
// more damaged records than kMaxDamagedRecords.
void readSide(DesignFieldReader &io, SKTGraphicArray &controls, int recordsAfter, const Decoded_Pictures &decoded,
              const char *side, QStringList &damaged)
{
    int count = 0;
    io.integer(count);
    // Each record is one entry; the other side's count (and its records) must still follow.
    if (count < 0 || count > io.remaining() - recordsAfter)
        io.fail(QStringLiteral("the control count %1 does not match the file").arg(count));
    controls.reserve(size_t(count));
    for (int i = 0; i < count; ++i) {
        QVariantList record;
        io.array(record);
        QString why;
        std::unique_ptr<SKTGraphic> partial;
        std::unique_ptr<SKTGraphic> graphic = Create_Control_From_Array(record, &why, &decoded, &partial);
        if (!graphic && holdsUnreadableBarcodePicture(record)) {
            // The picture is only a cache of the stored set-up: read the record without it, and
            // the picture is rebuilt as for a barcode saved without one.
            QVariantList withoutPicture = record;
            withoutPicture[kBarcodePictureEntry] = QByteArray();
            graphic = Create_Control_From_Array(withoutPicture, &why, nullptr, &partial);
        }
        if (graphic) {
            controls.push_back(std::move(graphic));
            continue;
        }
        if (damaged.size() >= kMaxDamagedRecords)
            throw DesignFieldFailure{io.position() - 1,
                                     QStringLiteral("more than %1 control records are damaged").arg(kMaxDamagedRecords)};
        damaged.append(QStringLiteral("Control %1 of the %2 side (entry %3) is damaged (%4)%5")
                           .arg(i + 1)
                           .arg(QLatin1String(side))
                           .arg(io.position() - 1)
                           .arg(why)
                           .arg(partial ? QStringLiteral(": it is shown as far as it could be read.")
                                        : QStringLiteral(" and is left out.")));
        if (partial)
            controls.push_back(std::move(partial));
    }
}

}  // namespace

QString DesignWriteResult::message() const
{
    if (status == BuildFailed)
        return QStringLiteral("%1 -- %2").arg(collected).arg(reason);
    return reason;
}

namespace {

// The root array; with `withTable` false the table's entry is left an empty array, for the
// caller to stream the rows in its place.
std::optional<QVariantList> buildRoot(const DesignData &design, bool asTemplate, bool withTable, DesignWriteResult *result)
{
    DesignFieldWriter io;
    try {
        io.text(Design_File_Signature);
        io.text(asTemplate ? QStringLiteral("T") : design.modeLetter);
        cardBlock(io, design.front);
        cardBlock(io, design.back);
        io.yn(design.Excel_Binding_Use);
        io.text(design.Excel_Source_Path);
        io.array(asTemplate ? QVariantList() : QVariant(design.columnTitles).toList());
        if (!asTemplate && !design.tableRows.problem().isEmpty())
            throw DesignFieldFailure{io.position(), design.tableRows.problem()};
        io.array(asTemplate || !withTable ? QVariantList() : QVariantList(design.tableRows));
        for (int column : design.excelColumns)
            io.integer(column);
        writeSide(io, design.frontControls, asTemplate, "front");
        writeSide(io, design.backControls, asTemplate, "back");
    } catch (const DesignFieldFailure &failure) {
        if (result)
            *result = {DesignWriteResult::BuildFailed, int(io.out.size()), failure.reason};
        return std::nullopt;
    }
    if (result)
        *result = {};
    return io.out;
}

// Values of the entry as a reader counts them: each element once.
qint64 valueCount(const QVariant &v)
{
    qint64 n = 1;
    if (v.typeId() == QMetaType::QVariantList) {
        for (const QVariant &item : v.toList())
            n += valueCount(item);
    }
    return n;
}

void writeTable(platform::PlistXmlWriter &out, const DesignTable &table)
{
    out.beginArray();
    for (qsizetype r = 0; r < table.size(); ++r) {
        out.beginDict();
        table.forEachCell(r, [&out](QStringView key, DesignTable::CellType type, QStringView text) {
            out.key(key);
            switch (type) {
            case DesignTable::Text: out.string(text); break;
            case DesignTable::Integer: out.value(text.toLongLong()); break;
            case DesignTable::Real: out.value(text.toDouble()); break;
            case DesignTable::Boolean: out.value(text == QLatin1String("1")); break;
            }
        });
        out.endDict();
    }
    out.endArray();
}

DesignWriteResult tooLarge(int collected, qint64 maxBytes)
{
    return {DesignWriteResult::TooLarge, collected,
            QStringLiteral("This design is too large to be saved: its file would be more than %1 MB, or hold more "
                           "than %2 values, and could not be opened again. Remove rows of its table or some of its "
                           "controls, then save again.")
                .arg(maxBytes / (1024 * 1024))
                .arg(Design_File_Max_Values)};
}

}  // namespace

std::optional<QVariantList> Design_To_Array(const DesignData &design, bool asTemplate, DesignWriteResult *result)
{
    return buildRoot(design, asTemplate, true, result);
}

DesignWriteResult Write_Design_File(const QString &path, const DesignData &design, bool asTemplate, qint64 maxBytes)
{
    DesignWriteResult result;
    const std::optional<QVariantList> root = buildRoot(design, asTemplate, false, &result);
    if (!root)
        return result;
    const int collected = int(root->size());
    qint64 values = 0;
    for (const QVariant &entry : *root)
        values += valueCount(entry);
    if (values - 1 > Design_File_Max_Values)  // the table's own entry is not among them
        return tooLarge(collected, maxBytes);
    if (const double pixels = storedPicturePixels(*root) + rebuiltPicturePixels(design);
        pixels > bounds::MaxDesignPicturePixels)
        return {DesignWriteResult::TooLarge, collected, overBudgetMessage(pixels, true)};
    platform::WholeFile file(path);
    if (!file.open())
        return {DesignWriteResult::WriteFailed, collected, file.failure()};
    platform::PlistXmlWriter out(&file);
    out.beginArray();
    for (qsizetype i = 0; i < root->size(); ++i) {
        if (i == Design_Table_Rows_Index && !asTemplate)
            writeTable(out, design.tableRows);
        else
            out.value((*root)[i]);
        // Stopped before the whole is written: the file at the path is never touched.
        if (out.size() > maxBytes) {
            file.cancel();
            return tooLarge(collected, maxBytes);
        }
    }
    out.endArray();
    const bool written = out.finish();
    if (out.size() > maxBytes) {
        file.cancel();
        return tooLarge(collected, maxBytes);
    }
    if (!written)
        file.cancel();
    if (!written || !file.commit())
        return {DesignWriteResult::WriteFailed, collected, file.failure()};
    return result;
}

namespace {

// The design from the root's entries. A table read apart from them (`table`) stands for the
// empty array at its entry; otherwise the entry's dictionaries are taken.
DesignReadResult designFromEntries(const QVariantList &entries, const DesignTable *table)
{
    DesignReadResult result;
    auto refuse = [&result](const QString &detail) {
        result.design.reset();
        result.error = Design_File_Corrupt_Message;
        result.detail = detail;
        return result;
    };
    if (entries.isEmpty() || entries[0].typeId() != QMetaType::QString || entries[0].toString() != Design_File_Signature)
        return refuse(QStringLiteral("the file does not start with the design signature"));

    // Pictures are counted from their headers before any is decoded: a design over the budget
    // is refused whole rather than opened without some of its pictures.
    auto overBudget = [&result](double pixels) {
        result.design.reset();
        result.error = overBudgetMessage(pixels);
        result.detail = result.error;
        return result;
    };
    const double stored = storedPicturePixels(entries);
    if (stored > bounds::MaxDesignPicturePixels)
        return overBudget(stored);

    const Decoded_Pictures decoded = decodeStoredPictures(entries);
    DesignData design;
    DesignFieldReader io(entries);
    try {
        QString signature;
        io.text(signature);
        io.text(design.modeLetter);
        cardBlock(io, design.front);
        cardBlock(io, design.back);
        io.yn(design.Excel_Binding_Use);
        io.text(design.Excel_Source_Path);
        QVariantList titles;
        io.array(titles);
        for (const QVariant &title : titles) {
            if (title.typeId() != QMetaType::QString)
                io.fail(QStringLiteral("a column title of entry %1 is not a text").arg(io.position() - 1));
            design.columnTitles.append(title.toString());
        }
        QVariantList rows;
        io.array(rows);
        design.tableRows = table ? *table : DesignTable(rows);
        if (!design.tableRows.problem().isEmpty())
            io.fail(design.tableRows.problem());
        for (int &column : design.excelColumns)
            io.integer(column);
        readSide(io, design.frontControls, 1, decoded, "front", design.damagedRecords);
        readSide(io, design.backControls, 0, decoded, "back", design.damagedRecords);
        if (!io.endsHere())
            io.fail(QStringLiteral("the file has %1 entries after the last control").arg(io.remaining()));
    } catch (const DesignFieldFailure &failure) {
        return refuse(QStringLiteral("entry %1: %2").arg(failure.index).arg(failure.reason));
    }

    // Pictures the image controls refer to count by the previews they become.
    QStringList referenced;
    for (const SKTGraphicArray *side : {&design.frontControls, &design.backControls}) {
        for (const SKTGraphicPtr &g : *side) {
            if (g->kind() == SKTGraphicKind::Image)
                referenced.append(pictureServices().Check_Path_For_App_Resources(g->_file_path));
        }
    }
    if (const double pixels = stored + rebuiltPicturePixels(design) + File_Preview_Pixels(referenced);
        pixels > bounds::MaxDesignPicturePixels)
        return overBudget(pixels);

    // The file is sound: image controls load their pictures now, decoded on every core first.
    Prefetch_File_Previews(referenced);
    for (const SKTGraphicArray *side : {&design.frontControls, &design.backControls}) {
        for (const SKTGraphicPtr &g : *side) {
            if (g->kind() == SKTGraphicKind::Image)
                static_cast<SKTImage &>(*g).setFilePath(g->_file_path, false);
        }
    }
    result.design = std::move(design);
    return result;
}

// "&#0;", "&#x00;" and the like: a reference to the NUL character.
bool holdsNulReference(const QByteArray &bytes)
{
    for (qsizetype at = bytes.indexOf("&#"); at >= 0; at = bytes.indexOf("&#", at + 2)) {
        qsizetype i = at + 2;
        const bool hex = i < bytes.size() && (bytes[i] == 'x' || bytes[i] == 'X');
        i += hex;
        const qsizetype digits = i;
        while (i < bytes.size() && bytes[i] == '0')
            ++i;
        if (i < bytes.size() && bytes[i] == ';' && (hex || i > digits))
            return true;
    }
    return false;
}

// The root entries of design-file bytes, an XML property list, read as a stream; the table's
// rows go into *table instead of its entry. Anything else is refused before it is parsed, and so
// is text that would put a NUL character into a string.
std::optional<QVariantList> parseDesignBytes(const QByteArray &bytes, qint64 maxBytes, DesignTable *table,
                                             QString *why)
{
    const QByteArray head = bytes.left(64).trimmed();
    if (!head.startsWith("<?xml") && !head.startsWith("<plist")) {
        *why = QStringLiteral("the file is not an XML property list");
        return std::nullopt;
    }
    if (bytes.size() > maxBytes) {
        *why = QStringLiteral("the file is too large");
        return std::nullopt;
    }
    if (bytes.contains('\0') || holdsNulReference(bytes)) {
        *why = QStringLiteral("the file holds a NUL character");
        return std::nullopt;
    }
    platform::PlistXmlReader in(bytes);
    if (!in.begin() || !in.isArray()) {
        *why = in.failed() ? in.error() : QStringLiteral("the file is not an array");
        return std::nullopt;
    }
    in.setValueLimit(Design_File_Max_Values);
    QVariantList entries;
    while (in.next()) {
        if (entries.size() == Design_Table_Rows_Index && in.isArray()) {
            const qint64 before = in.values();
            in.setValueLimit(std::numeric_limits<qint64>::max());
            while (in.next()) {
                if (!in.isDict()) {
                    in.fail(QStringLiteral("a table row of entry %1 is not a dictionary").arg(entries.size()));
                    break;
                }
                table->beginRow();
                while (in.next()) {
                    if (in.name() != QLatin1String("key")) {
                        in.fail(QStringLiteral("a table row of entry %1 is not a dictionary").arg(entries.size()));
                        break;
                    }
                    const QString key = in.text();
                    if (in.failed() || !in.next()) {
                        in.fail(QStringLiteral("a table row of entry %1 is not a dictionary").arg(entries.size()));
                        break;
                    }
                    const QVariant cell = in.value();
                    switch (cell.typeId()) {
                    case QMetaType::QString: table->addCell(key, DesignTable::Text, cell.toString()); break;
                    case QMetaType::LongLong:
                        table->addCell(key, DesignTable::Integer, QString::number(cell.toLongLong()));
                        break;
                    case QMetaType::Double:
                        table->addCell(key, DesignTable::Real, QString::number(cell.toDouble(), 'g', 17));
                        break;
                    case QMetaType::Bool:
                        table->addCell(key, DesignTable::Boolean, cell.toBool() ? QStringLiteral("1") : QStringLiteral("0"));
                        break;
                    default:
                        in.fail(QStringLiteral("the table cell \"%1\" of entry %2 is not a value")
                                    .arg(platform::First_Characters(key, 40), QString::number(entries.size())));
                        break;
                    }
                }
                table->endRow();
            }
            in.setValueLimit(Design_File_Max_Values + (in.values() - before));
            entries.append(QVariant(QVariantList()));
        } else {
            entries.append(in.value());
        }
        if (in.failed())
            break;
    }
    if (!in.end()) {
        *why = in.error();
        return std::nullopt;
    }
    return entries;
}

QByteArray readBounded(const QString &path, qint64 maxBytes, QString *why)
{
    QFile file(path);
    if (!platform::openRegularFile(file, why))
        return {};
    if (file.size() > maxBytes) {
        *why = QStringLiteral("the file is too large");
        return {};
    }
    return file.readAll();
}

}  // namespace

DesignReadResult Design_From_Array(const QVariant &root)
{
    if (root.typeId() != QMetaType::QVariantList) {
        DesignReadResult result;
        result.error = Design_File_Corrupt_Message;
        result.detail = QStringLiteral("the file is not an array");
        return result;
    }
    return designFromEntries(root.toList(), nullptr);
}

DesignReadResult Design_From_Bytes(const QByteArray &bytes, qint64 maxBytes)
{
    QString why;
    DesignTable table;
    const std::optional<QVariantList> entries = parseDesignBytes(bytes, maxBytes, &table, &why);
    if (!entries) {
        DesignReadResult result;
        result.error = Design_File_Corrupt_Message;
        result.detail = why;
        return result;
    }
    return designFromEntries(*entries, &table);
}

DesignReadResult Read_Design_File(const QString &path, qint64 maxBytes)
{
    QString why;
    const QByteArray bytes = readBounded(path, maxBytes, &why);
    if (bytes.isEmpty() && !why.isEmpty()) {
        DesignReadResult result;
        result.error = Design_File_Corrupt_Message;
        result.detail = why;
        return result;
    }
    return Design_From_Bytes(bytes, maxBytes);
}

bool Check_for_Valid_Log_File(const QString &path)
{
    QString why;
    DesignTable table;
    const std::optional<QVariantList> entries =
        parseDesignBytes(readBounded(path, Design_File_Max_Bytes, &why), Design_File_Max_Bytes, &table, &why);
    const bool valid = entries && !entries->isEmpty() && (*entries)[0].typeId() == QMetaType::QString &&
                       (*entries)[0].toString() == Design_File_Signature;
    if (!valid)
        Show_MessageBox(Design_File_Corrupt_Message);
    return valid;
}
