// The control archive: every kind comes back with every stored field, the record holds exactly
// the keys of its kind with their value kinds (as Python's plistlib reads them), and damaged or
// hostile records and clipboard payloads are refused without a crash.
#include "ArchiveTestSupport.h"
#include "DesignTestSupport.h"

#include "core/ImageResolution.h"
#include "core/SKTBarcode.h"
#include "core/SKTImage.h"
#include "core/SKTLine.h"
#include "core/SKTSignature.h"
#include "core/SKTText.h"
#include "platform/Plist.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace archivetest;
using designtest::storedControl;

namespace {

// Sets the field of that archive key back to its empty value.
void clearField(SKTGraphic &g, const QString &key)
{
    for (const ControlField &f : Control_Fields(g.kind())) {
        if (key == QLatin1String(f.name))
            With_Field(g, f.member, [](auto &v) { v = std::decay_t<decltype(v)>(); });
    }
}

QByteArray binaryPlist(const QVariant &v)
{
    return platform::plistSerialize(v, platform::PlistFormat::Binary);
}

TEST(ControlArchive, EveryKindComesBackWithEveryArchivedField)
{
    kindstest::CardHub hub;
    const std::pair<SKTGraphicKind, int> kinds[] = {
        {SKTGraphicKind::Text, 39}, {SKTGraphicKind::Image, 43}, {SKTGraphicKind::Barcode, 65},
        {SKTGraphicKind::Line, 23}, {SKTGraphicKind::Shape, 24}, {SKTGraphicKind::Signature, 22}};
    for (const auto &[kind, keyCount] : kinds) {
        for (int seed : {1, 2}) {
            const auto original = storedControl(kind, seed);
            SCOPED_TRACE(original->className().toStdString());
            const QByteArray bytes = Archive_Graphic(*original);
            const std::unique_ptr<SKTGraphic> restored = Unarchive_Graphic(bytes);
            ASSERT_TRUE(restored);
            designtest::expectSameFields(*original, *restored, InArchive);
            EXPECT_EQ(Archive_Graphic(*restored), bytes) << "nothing drifts on a second trip";
            if (seed == 2)
                continue;
            const QJsonArray seen =
                pythonPlist(bytes, QStringLiteral("[v['$class'], len([k for k in v if k != '$class'])]"))
                    .toArray();
            EXPECT_EQ(seen.at(0).toString(), original->className());
            EXPECT_EQ(seen.at(1).toInt(), keyCount);
        }
    }
    // Pictures of every pixel format come back pixel-equal.
    for (QImage::Format format : {QImage::Format_ARGB32, QImage::Format_ARGB32_Premultiplied,
                                  QImage::Format_RGB32, QImage::Format_Grayscale8}) {
        SKTSignature signature;
        signature._contents = patternImage(33, 17, format);
        const std::unique_ptr<SKTGraphic> restored = Unarchive_Graphic(Archive_Graphic(signature));
        ASSERT_TRUE(restored);
        EXPECT_TRUE(samePixels(restored->_contents, signature._contents)) << int(format);
    }
}

TEST(ControlArchive, ValueKindsAsAnotherReaderSeesThem)
{
    kindstest::CardHub hub;
    const auto text = storedControl(SKTGraphicKind::Text, 1);
    text->excel_col_indx = -1;
    text->_strokeWidth = 0.1;
    // A rectangle is brace text, BOOL a bool, int an int, float a float; objects are strings,
    // lists (colours), bytes (pictures) or dicts (text storage).
    const QJsonObject seen =
        pythonPlist(Archive_Graphic(*text),
                    QStringLiteral("{k: [type(x).__name__, x if k in ('_bounds', "
                                   "'excel_col_indx', '_strokeWidth') else 0] for k, x in v.items()}"))
            .toObject();
    const std::pair<const char *, const char *> expected[] = {
        {"_bounds", "str"},         {"ctrl_is_locked", "bool"}, {"print_object", "int"},
        {"alpha_val", "float"},     {"_strokeWidth", "float"},  {"_fillColor", "list"},
        {"control_ID", "str"},      {"excel_binding", "bool"},  {"text_ctrl_font", "str"},
        {"_Text_contents", "dict"}, {"text_rotation", "int"},   {"Drawing_Shadow", "bool"},
    };
    for (const auto &[key, type] : expected)
        EXPECT_EQ(seen.value(QLatin1String(key)).toArray().at(0).toString(), QLatin1String(type)) << key;
    EXPECT_EQ(seen.value("_bounds").toArray().at(1).toString(),
              QStringLiteral("{{11.5, 21.25}, {31.5, 40.75}}"));
    EXPECT_EQ(seen.value("excel_col_indx").toArray().at(1).toInt(), -1) << "a negative int survives";
    // The outline width is a double stored at float precision.
    EXPECT_EQ(seen.value("_strokeWidth").toArray().at(1).toDouble(), double(0.1f));
    EXPECT_EQ(Unarchive_Graphic(Archive_Graphic(*text))->_strokeWidth, double(0.1f));
}

TEST(ControlArchive, DamagedValuesReadAsNothingAndUnknownClassesAsNoControl)
{
    kindstest::CardHub hub;
    // Reading starts from nothing, not from the defaults of a new control.
    SKTText text;
    text._bounds = QRectF(1, 2, 3, 4);
    const std::unique_ptr<SKTGraphic> plain = Unarchive_Graphic(Archive_Graphic(text));
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->qr_size_val, 0);
    EXPECT_FALSE(plain->barcode_back_clr_val.isValid());
    EXPECT_EQ(plain->cor_rad_val, 0.0f);
    EXPECT_EQ(plain->Text_Value, "Text here");
    EXPECT_FALSE(plain->_Text_contents.has_value()) << "a text storage never made stays none";

    const std::pair<const char *, QVariant> damage[] = {
        {"_bounds", 42},                                 // not brace text
        {"qr_size_val", QStringLiteral("144")},          // text for an int
        {"pdf_hgt_val", qlonglong(1) << 40},             // beyond 32 bits
        {"linear_height_val", 1e300},                    // beyond float
        {"_barcode_image", QByteArray("not a picture")}, // not PNG
        {"barcode_clr_val", QVariantList{1, 2}},         // short colour
        {"header_val", QVariantList{QStringLiteral("x")}},  // list for a string
        {"footer_val", QVariant()},                      // missing
    };
    const auto expected = storedControl(SKTGraphicKind::Barcode, 1);
    QVariantMap record = encodeWithCoder(*expected);
    for (const auto &[key, value] : damage) {
        if (value.isValid())
            record.insert(QLatin1String(key), value);
        else
            record.remove(QLatin1String(key));
        clearField(*expected, QLatin1String(key));
    }
    const std::unique_ptr<SKTGraphic> restored = initWithCoder(record);
    ASSERT_TRUE(restored);
    designtest::expectSameFields(*expected, *restored, InArchive);  // the undamaged keys still come back

    for (const QVariant &className : {QVariant(QStringLiteral("NSObject")), QVariant(7), QVariant()}) {
        record.insert(SKTArchiveClassKey, className);
        EXPECT_EQ(initWithCoder(record), nullptr);
    }
    EXPECT_EQ(Unarchive_Graphic(QByteArray()), nullptr);
    EXPECT_EQ(Unarchive_Graphic(binaryPlist(QVariantList{1, 2})), nullptr);
}

TEST(ControlArchive, ImageWhoseAdjustedPictureIsDamagedIsAdjustedAgain)
{
    kindstest::CardHub hub;
    const auto image = storedControl(SKTGraphicKind::Image, 1);
    image->invert_clr = image->Sepia = false;
    image->gray_Scale = true;
    image->rotate_image = 0;
    QVariantMap record = encodeWithCoder(*image);
    record.insert(QStringLiteral("_contents_with_settings"), QByteArray("\x89PNG\r\n\x1a\n garbage"));
    const std::unique_ptr<SKTGraphic> restored = initWithCoder(record);
    ASSERT_TRUE(restored);
    ASSERT_FALSE(restored->_contents_with_settings.isNull());
    EXPECT_TRUE(samePixels(restored->_contents_with_settings, Adjusted_Control_Picture(*restored)));
    const QColor grey = restored->_contents_with_settings.pixelColor(5, 5);
    EXPECT_NEAR(grey.red(), grey.green(), 2) << "the grey setting was applied";
}

TEST(ControlArchive, NarrowCopyTakesTheCopiedFieldsAndTheKindsOwn)
{
    kindstest::CardHub hub;
    for (SKTGraphicKind kind : designtest::kAllKinds) {
        const auto source = storedControl(kind, 1);
        const std::unique_ptr<SKTGraphic> copy = source->copyWithZone();
        SCOPED_TRACE(source->className().toStdString());
        designtest::expectSameFields(*source, *copy, Copied);
        designtest::expectSameFields(*source, *copy, CopiedByKind);
        EXPECT_EQ(copy->control_ID, Make_Graphic_Of_Kind(kind)->control_ID) << "not copied";
        EXPECT_FALSE(copy->ctrl_is_locked) << "not copied";
    }
}

TEST(PropertyDictionary, EachKindGivesItsValuesToANewControlAndIgnoresForeignOnes)
{
    kindstest::CardHub hub;
    const std::pair<SKTGraphicKind, QStringList> cases[] = {
        {SKTGraphicKind::Shape, {"bounds"}},
        {SKTGraphicKind::Line, {"beginPoint", "endPoint"}},
        {SKTGraphicKind::Text, {"bounds", "contents"}},
        {SKTGraphicKind::Image, {"bounds", "contents", "flippedHorizontally", "flippedVertically"}},
    };
    for (const auto &[kind, own] : cases) {
        const auto source = storedControl(kind, 1);
        source->_fillColor = QColor(200, 30, 40);
        source->alpha_val = 0.5f;
        source->_isFlippedHorizontally = true;
        const QVariantMap dictionary = properties(*source);
        QStringList keys =
            own + QStringList{"drawingFill", "drawingStroke", "fillColor", "strokeColor", "strokeWidth"};
        keys.sort();
        EXPECT_EQ(dictionary.keys(), keys);
        std::unique_ptr<SKTGraphic> made = Make_Graphic_Of_Kind(kind);
        initWithProperties(*made, dictionary);
        EXPECT_EQ(made->_fillColor.red(), 200);
        EXPECT_NEAR(made->_fillColor.alpha(), 128, 1) << "the colour carries the control's opacity";
        for (const QString &key : keys) {
            const QVariant value = properties(*made).value(key);
            EXPECT_TRUE(key == "contents" || key.endsWith("Color") || value == dictionary.value(key))
                << key.toStdString();
        }
        EXPECT_TRUE(kind != SKTGraphicKind::Text
                    || made->Text_contents().string == source->_Text_contents->string);
        EXPECT_TRUE(kind != SKTGraphicKind::Image || samePixels(made->_contents, source->_contents));
    }
    Shape_Control shape;
    initWithProperties(shape, {{QStringLiteral("bounds"), 5},
                               {QStringLiteral("fillColor"), QStringLiteral("red")},
                               {QStringLiteral("strokeColor"), QByteArray("junk")},
                               {QStringLiteral("strokeWidth"), QStringLiteral("wide")},
                               {QStringLiteral("drawingFill"), QStringLiteral("NO")}});
    EXPECT_EQ(properties(shape), properties(*Make_Graphic_Of_Kind(SKTGraphicKind::Shape)));
}

// --- lists: clipboard data, pasting, moving, bounds ---

SKTGraphicArray threeShapes()
{
    SKTGraphicArray list;
    list.push_back(kindstest::filledRect(QRectF(10, 10, 30, 20), Qt::red));
    list.push_back(kindstest::filledRect(QRectF(100, 50, 40, 40), Qt::green));
    list.push_back(kindstest::filledRect(QRectF(200, 100, 20, 30), Qt::blue));
    return list;
}

TEST(PasteboardRecords, ClipboardDataIsABinaryArrayOfOneArchivePerControl)
{
    kindstest::CardHub hub;
    const QByteArray data = pasteboardDataWithGraphics(Graphic_Pointers(threeShapes()));
    EXPECT_TRUE(data.startsWith("bplist00"));
    const QJsonValue seen = pythonPlist(
        data,
        QStringLiteral("[plistlib.loads(a)['$class'] + ' ' + plistlib.loads(a)['_bounds'] for a in v]"));
    EXPECT_EQ(seen.toArray(),
              (QJsonArray{"Shape_Control {{10, 10}, {30, 20}}", "Shape_Control {{100, 50}, {40, 40}}",
                          "Shape_Control {{200, 100}, {20, 30}}"}));
}

// Placement puts the first control at the point and the rest at the side's next points; a
// locked control stays but uses up its point. A paste unlocks and unnames what it pastes.
TEST(PasteboardRecords, PlacementAndWhatAPasteUnlocks)
{
    kindstest::CardHub hub;
    for (bool pasted : {true, false}) {
        SCOPED_TRACE(pasted ? "pasted" : "placed");
        PasteHub pasteHub;
        pasteHub.points = {{30, 30}, {50, 50}};
        SKTGraphicArray list = threeShapes();
        for (auto &g : list)
            g->control_ID = QStringLiteral("Fup_Title");
        list[1]->ctrl_is_locked = true;
        if (pasted) {
            std::optional<SKTGraphicArray> read =
                graphicsWithPasteboardData(pasteboardDataWithGraphics(Graphic_Pointers(list)));
            ASSERT_TRUE(read && read->size() == 3u);
            list = *read;
        }
        Paste_Location_Of_Graphics(Graphic_Pointers(list), 70, 80, QStringLiteral("B"));
        const QRectF expected[] = {
            {70, 80, 30, 20}, pasted ? QRectF(30, 30, 40, 40) : QRectF(100, 50, 40, 40), {50, 50, 20, 30}};
        const QColor fills[] = {Qt::red, Qt::green, Qt::blue};
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(list[i]->bounds(), expected[i]) << i;
            EXPECT_EQ(list[i]->_fillColor, fills[i]);
            EXPECT_EQ(list[i]->ctrl_is_locked, !pasted && i == 1);
            EXPECT_EQ(list[i]->control_ID.isEmpty(), pasted);
        }
        EXPECT_EQ(pasteHub.sides, (std::vector<QString>{QStringLiteral("B"), QStringLiteral("B")}));
    }
}

TEST(PasteboardRecords, StartModeDecidesPictureIdentifiersAndSpreadsheetBinding)
{
    const struct {
        const char *mode;
        bool imageGetsPictureId;
        bool spreadsheetTextUnbound;
    } cases[] = {{"T", false, false}, {"L", false, false}, {"V", true, false}, {"G", true, true}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.mode);
        kindstest::CardHub hub;
        PasteHub pasteHub;
        ScopedStartMode mode(QString::fromLatin1(c.mode));
        SKTImage image;
        image.control_ID = QStringLiteral("Fup_Photo");
        SKTText sheetText, seriesText;
        sheetText.Set_Data_source_type(2);
        sheetText.excel_col_indx = 4;
        seriesText.Set_Data_source_type(1);
        seriesText.batch_list_name = QStringLiteral("Names");
        seriesText.batch_list_index = 2;
        const SKTGraphicArray pasted =
            graphicsWithProperties(propertiesWithGraphics({&image, &sheetText, &seriesText}));
        ASSERT_EQ(pasted.size(), 3u);
        EXPECT_EQ(pasted[0]->control_ID, c.imageGetsPictureId ? QStringLiteral("F_Pic1") : QString());
        EXPECT_EQ(pasted[1]->data_source_type, c.spreadsheetTextUnbound ? 0 : 2);
        EXPECT_EQ(pasted[1]->excel_binding, !c.spreadsheetTextUnbound);
        EXPECT_EQ(pasted[1]->excel_col_indx, c.spreadsheetTextUnbound ? -1 : 4);
        EXPECT_TRUE(pasted[2]->data_source_type == 1 && pasted[2]->batch_list_name == "Names"
                    && pasted[2]->batch_list_index == 2) << "a series binding is kept";
    }
}

TEST(PasteboardRecords, PastedImageReloadsItsPictureFromItsFileWhenThere)
{
    kindstest::CardHub hub;
    QTemporaryDir dir;
    QImage onDisk(40, 30, QImage::Format_ARGB32);
    onDisk.fill(QColor(0, 200, 100));
    ASSERT_TRUE(onDisk.save(dir.filePath(QStringLiteral("face.png"))));
    SKTImage image;
    image._contents = image._contents_with_settings = patternImage(10, 10);
    image.sat_val = image.con_val = 1;
    image.img_trnsp_val = 100;
    for (const char *file : {"face.png", "gone.png"}) {
        image._file_path = dir.filePath(QLatin1String(file));
        const SKTGraphicArray pasted = graphicsWithProperties(propertiesWithGraphics({&image}));
        ASSERT_EQ(pasted.size(), 1u);
        EXPECT_TRUE(samePixels(pasted[0]->_contents, file[0] == 'f' ? onDisk : image._contents)) << file;
    }
}

TEST(PasteboardRecords, CommonMoveLeavesControlsThatWouldLeaveTheCardAndBoundsCombine)
{
    kindstest::CardHub hub;  // the card is 243 by 154
    SKTGraphicArray list = threeShapes();
    list.push_back(kindstest::filledRect(QRectF(235, 10, 5, 5), Qt::black));  // would go wholly off
    auto line = std::make_shared<SKTLine>();
    line->_bounds = QRectF(20, 120, 100, 0);  // horizontal: bounds of no height
    list.push_back(line);
    list.push_back(kindstest::filledRect(QRectF(60, 60, 10, 10), Qt::black));
    list.back()->ctrl_is_locked = true;
    SKTBarcode barcode;
    barcode._bounds = QRectF(150, 10, 40, 20);
    std::vector<SKTGraphic *> pointers = Graphic_Pointers(list);
    pointers.push_back(&barcode);
    translateGraphics(pointers, 10, 0);
    const QRectF expected[] = {{20, 10, 30, 20},
                               {110, 50, 40, 40},
                               {210, 100, 20, 30},
                               {235, 10, 5, 5} /* would leave the card */,
                               {30, 120, 100, 0} /* a straight line moves too */,
                               {60, 60, 10, 10} /* locked */};
    for (std::size_t i = 0; i < std::size(expected); ++i)
        EXPECT_EQ(list[i]->bounds(), expected[i]) << i;
    EXPECT_EQ(barcode.bar_image_ctrl_bounds, QRectF(160, 10, 40, 20)) << "the barcode image follows";

    EXPECT_EQ(boundsOfGraphics({}), QRectF());
    EXPECT_EQ(drawingBoundsOfGraphics({}), QRectF(0, 0, 243, 154)) << "the front canvas";
    list.resize(3);
    list.push_back(kindstest::filledRect(QRectF(300, 300, 0, 10), Qt::black));
    EXPECT_EQ(boundsOfGraphics(Graphic_Pointers(list)), QRectF(20, 10, 210, 120))
        << "empty bounds add nothing";
    EXPECT_TRUE(drawingBoundsOfGraphics(Graphic_Pointers(list)).contains(QRectF(20, 10, 210, 120)));
}

// --- hostile clipboard payloads ---

// Refused payloads answer error 2; readable archives among unreadable elements are kept. Random
// bytes and damaged valid payloads are refused or give whole controls, never a crash.
TEST(PasteboardRecords, PayloadsThatAreNotArraysOfArchivesAreRefusedWithError2)
{
    kindstest::CardHub hub;
    const QByteArray valid = pasteboardDataWithGraphics(Graphic_Pointers(threeShapes()));
    QVariantList mixed = propertiesWithGraphics(Graphic_Pointers(threeShapes()));
    mixed.insert(1, QByteArray("junk"));
    mixed.append(42);
    std::vector<std::pair<QByteArray, int>> cases = {  // -1: refused, -2: either
        {QByteArray(), -1},
        {"random text, not a property list", -1},
        {binaryPlist(QVariantMap{{QStringLiteral("a"), 1}}), -1},
        {binaryPlist(QVariantList{QStringLiteral("x"), 3, QByteArray("junk")}), -1},
        {binaryPlist(mixed), 3},
        {binaryPlist(QVariantList()), 0},
    };
    // Cut anywhere: the binary list's trailer is at its end, so none parses.
    for (int length = 0; length < valid.size(); length += 1 + length / 16)
        cases.emplace_back(valid.left(length), -1);
    QRandomGenerator random(20240613);
    for (int i = 0; i < 600; ++i) {
        QByteArray bytes = valid;
        if (i < 300) {  // random bytes, half with the binary list's magic
            bytes = QByteArray(int(random.bounded(1, 400)), Qt::Uninitialized);
            for (char &b : bytes)
                b = char(random.bounded(256));
            if (i % 2)
                bytes.replace(0, 8, "bplist00");
        } else {  // a few bytes changed inside a valid payload
            for (int f = int(random.bounded(1, 8)); f > 0; --f)
                bytes[int(random.bounded(bytes.size()))] = char(random.bounded(256));
        }
        cases.emplace_back(bytes, -2);
    }
    int refused = 0;
    for (const auto &[data, kept] : cases) {
        SKTError error;
        const std::optional<SKTGraphicArray> result = graphicsWithPasteboardData(data, &error);
        if (kept != -2) {
            EXPECT_EQ(result ? int(result->size()) : -1, kept) << data.left(40).toStdString();
        }
        for (const auto &g : result.value_or(SKTGraphicArray()))
            Archive_Graphic(*g);  // whatever came back is a whole control
        refused += !result;
        EXPECT_TRUE(result || (error.code == 2 && error.domain == "SketchErrorDomain"
                               && !error.localizedDescription.isEmpty()));
    }
    EXPECT_GT(refused, 300);
}

}  // namespace
