// The control archive: every kind comes back with every stored field, the record holds exactly
// the keys of its kind with their value kinds (as Python's plistlib reads them), and damaged or
// hostile records and clipboard payloads are refused without a crash.
#include "ArchiveTestSupport.h"
#include "DesignTestSupport.h"

#include "core/Globals.h"
#include "core/ImageResolution.h"
#include "core/SKTBarcode.h"
#include "core/SKTImage.h"
#include "core/SKTLine.h"
#include "core/SKTSignature.h"
#include "core/SKTText.h"
#include "platform/Plist.h"

#include <QImageWriter>
#include <QJsonArray>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace archivetest;

namespace {

TEST(ControlArchive, EveryKindComesBackWithEveryArchivedField)
{
    kindstest::CardHub hub;
    const std::pair<SKTGraphicKind, int> kinds[] = {{SKTGraphicKind::Text, 39},   {SKTGraphicKind::Image, 43},
                                                    {SKTGraphicKind::Barcode, 64}, {SKTGraphicKind::Line, 23},
                                                    {SKTGraphicKind::Shape, 24},   {SKTGraphicKind::Signature, 22}};
    for (const auto &[kind, keyCount] : kinds) {
        for (int seed : {1, 2}) {
            const auto original = designtest::storedControl(kind, seed);
            SCOPED_TRACE(original->className().toStdString());
            const QByteArray bytes = Archive_Graphic(*original);
            const std::unique_ptr<SKTGraphic> restored = Unarchive_Graphic(bytes);
            ASSERT_TRUE(restored);
            designtest::expectSameFields(*original, *restored, InArchive);
            EXPECT_EQ(Archive_Graphic(*restored), bytes) << "nothing drifts on a second trip";
            if (seed == 2)
                continue;
            const QJsonArray seen =
                pythonPlist(bytes, QStringLiteral("[v['$class'], len([k for k in v if k != '$class'])]")).toArray();
            EXPECT_EQ(seen.at(0).toString(), original->className());
            EXPECT_EQ(seen.at(1).toInt(), keyCount);
            EXPECT_EQ(Archive_Keys_For_Class(original->className()).size(), keyCount);
        }
    }
}

TEST(ControlArchive, ValueKindsAsAnotherReaderSeesThem)
{
    kindstest::CardHub hub;
    const auto text = designtest::storedControl(SKTGraphicKind::Text, 1);
    text->excel_col_indx = -1;
    text->_strokeWidth = 0.1;
    // A rectangle is brace text, BOOL a bool, int an int, float a float; objects are strings,
    // lists (colours), bytes (pictures) or dicts (text storage).
    const QJsonObject seen =
        pythonPlist(Archive_Graphic(*text), QStringLiteral("{k: [type(x).__name__, x if k in ('_bounds', "
                                                           "'excel_col_indx', '_strokeWidth') else 0] for k, x in v.items()}"))
            .toObject();
    const std::pair<const char *, const char *> expected[] = {
        {"_bounds", "str"},        {"ctrl_is_locked", "bool"}, {"print_object", "int"},   {"alpha_val", "float"},
        {"_strokeWidth", "float"}, {"_fillColor", "list"},     {"control_ID", "str"},     {"excel_binding", "bool"},
        {"text_ctrl_font", "str"}, {"_Text_contents", "dict"}, {"text_rotation", "int"}, {"Drawing_Shadow", "bool"},
    };
    for (const auto &[key, type] : expected)
        EXPECT_EQ(seen.value(QLatin1String(key)).toArray().at(0).toString(), QLatin1String(type)) << key;
    EXPECT_EQ(seen.value("_bounds").toArray().at(1).toString(), QStringLiteral("{{11.5, 21.25}, {31.5, 40.75}}"));
    EXPECT_EQ(seen.value("excel_col_indx").toArray().at(1).toInt(), -1) << "a negative int survives";
    // The outline width is a double stored at float precision.
    EXPECT_EQ(seen.value("_strokeWidth").toArray().at(1).toDouble(), double(0.1f));
    EXPECT_EQ(Unarchive_Graphic(Archive_Graphic(*text))->_strokeWidth, double(0.1f));
}

TEST(ControlArchive, ReadingStartsFromNothingNotFromTheDefaultsOfANewControl)
{
    kindstest::CardHub hub;
    SKTText text;
    text._bounds = QRectF(1, 2, 3, 4);
    const std::unique_ptr<SKTGraphic> restored = Unarchive_Graphic(Archive_Graphic(text));
    ASSERT_TRUE(restored);
    // Fields outside a text's tables are zero or none, not a new control's defaults.
    EXPECT_EQ(restored->qr_size_val, 0);
    EXPECT_EQ(restored->linear_height_val, 0.0f);
    EXPECT_TRUE(restored->header_val.isEmpty());
    EXPECT_FALSE(restored->barcode_back_clr_val.isValid());
    EXPECT_TRUE(restored->_file_path.isEmpty());
    EXPECT_EQ(restored->cor_rad_val, 0.0f);
    EXPECT_EQ(restored->_bounds, QRectF(1, 2, 3, 4));
    EXPECT_EQ(restored->Text_Value, "Text here");
    EXPECT_FALSE(restored->_Text_contents.has_value()) << "a text storage never made stays none";
}

TEST(ControlArchive, PicturesComeBackPixelEqualInEveryFormat)
{
    kindstest::CardHub hub;
    for (QImage::Format format :
         {QImage::Format_ARGB32, QImage::Format_ARGB32_Premultiplied, QImage::Format_RGB32, QImage::Format_Grayscale8}) {
        SKTSignature signature;
        signature._contents = patternImage(33, 17, format);
        const std::unique_ptr<SKTGraphic> restored = Unarchive_Graphic(Archive_Graphic(signature));
        ASSERT_TRUE(restored);
        EXPECT_TRUE(samePixels(restored->_contents, signature._contents)) << int(format);
    }
}

TEST(ControlArchive, ImageWhoseAdjustedPictureIsDamagedIsAdjustedAgain)
{
    kindstest::CardHub hub;
    const auto image = designtest::storedControl(SKTGraphicKind::Image, 1);
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

TEST(ControlArchive, DamagedValuesReadAsNothingAndUnknownClassesAsNoControl)
{
    kindstest::CardHub hub;
    QVariantMap record = encodeWithCoder(*designtest::storedControl(SKTGraphicKind::Barcode, 1));
    const QVariant qrVersion = record.value(QStringLiteral("qr_version_index"));
    record.insert(QStringLiteral("_bounds"), 42);                                   // not brace text
    record.insert(QStringLiteral("qr_size_val"), QStringLiteral("144"));            // text for an int
    record.insert(QStringLiteral("pdf_hgt_val"), qlonglong(1) << 40);               // beyond 32 bits
    record.insert(QStringLiteral("linear_height_val"), 1e300);                      // beyond float
    record.insert(QStringLiteral("_barcode_image"), QByteArray("not a picture"));   // not PNG
    record.insert(QStringLiteral("barcode_clr_val"), QVariantList{1, 2});           // short colour
    record.insert(QStringLiteral("header_val"), QVariantList{QStringLiteral("x")});  // list for a string
    record.remove(QStringLiteral("footer_val"));                                    // missing
    const std::unique_ptr<SKTGraphic> restored = initWithCoder(record);
    ASSERT_TRUE(restored);
    EXPECT_EQ(restored->_bounds, QRectF());
    EXPECT_EQ(restored->qr_size_val, 0);
    EXPECT_EQ(restored->pdf_hgt_val, 0);
    EXPECT_EQ(restored->linear_height_val, 0.0f);
    EXPECT_TRUE(restored->_barcode_image.isNull());
    EXPECT_FALSE(restored->barcode_clr_val.isValid());
    EXPECT_TRUE(restored->header_val.isEmpty());
    EXPECT_TRUE(restored->footer_val.isEmpty());
    EXPECT_EQ(restored->qr_version_index, qrVersion.toInt()) << "the undamaged keys still come back";

    for (const QVariant &className : {QVariant(QStringLiteral("NSObject")), QVariant(7), QVariant()}) {
        record.insert(SKTArchiveClassKey, className);
        EXPECT_EQ(initWithCoder(record), nullptr);
    }
    EXPECT_EQ(Unarchive_Graphic(QByteArray()), nullptr);
    EXPECT_EQ(Unarchive_Graphic(platform::plistSerialize(QVariantList{1, 2}, platform::PlistFormat::Binary)), nullptr);
}

TEST(ControlArchive, NarrowCopyTakesTheCopiedFieldsAndTheKindsOwn)
{
    kindstest::CardHub hub;
    for (SKTGraphicKind kind : designtest::kAllKinds) {
        const auto source = designtest::storedControl(kind, 1);
        const std::unique_ptr<SKTGraphic> copy = source->copyWithZone();
        const std::unique_ptr<SKTGraphic> fresh = Make_Graphic_Of_Kind(kind);
        SCOPED_TRACE(source->className().toStdString());
        ASSERT_EQ(copy->kind(), kind);
        EXPECT_EQ(copy->_bounds, source->_bounds);
        EXPECT_EQ(copy->_fillColor, source->_fillColor);
        EXPECT_EQ(copy->excel_col_indx, source->excel_col_indx);
        EXPECT_EQ(copy->control_ID, fresh->control_ID) << "not copied";
        EXPECT_EQ(copy->ctrl_is_locked, fresh->ctrl_is_locked) << "not copied";
        EXPECT_TRUE(samePixels(copy->_contents, kind == SKTGraphicKind::Image ? source->_contents : fresh->_contents));
        if (kind == SKTGraphicKind::Line) {
            EXPECT_EQ(static_cast<SKTLine &>(*copy).beginPoint(), static_cast<SKTLine &>(*source).beginPoint());
        }
    }
}

// --- the property dictionary ---

TEST(PropertyDictionary, EachKindGivesItsValuesToANewControl)
{
    kindstest::CardHub hub;
    const QStringList common{"drawingFill", "drawingStroke", "fillColor", "strokeColor", "strokeWidth"};
    const std::pair<SKTGraphicKind, QStringList> cases[] = {
        {SKTGraphicKind::Shape, {"bounds"}},
        {SKTGraphicKind::Line, {"beginPoint", "endPoint"}},
        {SKTGraphicKind::Text, {"bounds", "contents"}},
        {SKTGraphicKind::Image, {"bounds", "contents", "flippedHorizontally", "flippedVertically"}},
    };
    for (const auto &[kind, own] : cases) {
        const auto source = designtest::storedControl(kind, 1);
        source->_fillColor = QColor(200, 30, 40);
        source->alpha_val = 0.5f;
        source->alpha_val_stroke = 0.25f;
        source->_isFlippedHorizontally = true;
        SCOPED_TRACE(source->className().toStdString());
        const QVariantMap dictionary = properties(*source);
        QStringList keys = common + own;
        keys.sort();
        EXPECT_EQ(dictionary.keys(), keys);
        std::unique_ptr<SKTGraphic> made = Make_Graphic_Of_Kind(kind);
        initWithProperties(*made, dictionary);
        EXPECT_EQ(made->bounds(), source->bounds());
        EXPECT_EQ(made->_strokeWidth, source->_strokeWidth);
        EXPECT_EQ(made->_fillColor.red(), 200);
        EXPECT_NEAR(made->_fillColor.alpha(), 128, 1) << "the colour carries the control's opacity";
        EXPECT_NEAR(made->_strokeColor.alpha(), 64, 1);
        if (kind == SKTGraphicKind::Line) {
            EXPECT_EQ(static_cast<SKTLine &>(*made).beginPoint(), static_cast<SKTLine &>(*source).beginPoint());
        }
        if (kind == SKTGraphicKind::Text) {
            EXPECT_EQ(made->Text_contents().string, source->_Text_contents->string);
        }
        if (kind == SKTGraphicKind::Image) {
            EXPECT_TRUE(samePixels(made->_contents, source->_contents));
            EXPECT_TRUE(made->_isFlippedHorizontally);
        }
    }
}

TEST(PropertyDictionary, ValuesOfAnotherKindAreIgnored)
{
    kindstest::CardHub hub;
    Shape_Control shape;
    const Shape_Control fresh;
    initWithProperties(shape, {{QStringLiteral("bounds"), 5},
                               {QStringLiteral("fillColor"), QStringLiteral("red")},
                               {QStringLiteral("strokeColor"), QByteArray("junk")},
                               {QStringLiteral("strokeWidth"), QStringLiteral("wide")},
                               {QStringLiteral("drawingFill"), QStringLiteral("NO")}});
    EXPECT_EQ(shape.bounds(), fresh.bounds());
    EXPECT_EQ(shape._fillColor, fresh._fillColor);
    EXPECT_EQ(shape._strokeColor, fresh._strokeColor);
    EXPECT_EQ(shape._strokeWidth, fresh._strokeWidth);
    EXPECT_EQ(shape._isDrawingFill, fresh._isDrawingFill);
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
    const SKTGraphicArray shapes = threeShapes();
    const QByteArray data = pasteboardDataWithGraphics(Graphic_Pointers(shapes));
    EXPECT_TRUE(data.startsWith("bplist00"));
    const QJsonValue seen = pythonPlist(
        data, QStringLiteral("[plistlib.loads(a)['$class'] + ' ' + plistlib.loads(a)['_bounds'] for a in v]"));
    const QJsonArray classes = seen.toArray();
    ASSERT_EQ(classes.size(), 3);
    EXPECT_EQ(classes.at(0).toString(), "Shape_Control {{10, 10}, {30, 20}}");
    EXPECT_EQ(classes.at(2).toString(), "Shape_Control {{200, 100}, {20, 30}}");
}

TEST(PasteboardRecords, PastedControlsAreUnlockedWithoutIdentifiers)
{
    kindstest::CardHub hub;
    ScopedStartMode mode(QStringLiteral("T"));
    SKTGraphicArray source = threeShapes();
    for (auto &g : source) {
        g->ctrl_is_locked = true;
        g->control_ID = QStringLiteral("Fup_Title");
    }
    SKTError error;
    const std::optional<SKTGraphicArray> pasted =
        graphicsWithPasteboardData(pasteboardDataWithGraphics(Graphic_Pointers(source)), &error);
    ASSERT_TRUE(pasted);
    ASSERT_EQ(pasted->size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_FALSE((*pasted)[i]->ctrl_is_locked);
        EXPECT_TRUE((*pasted)[i]->control_ID.isEmpty());
        EXPECT_EQ((*pasted)[i]->bounds(), source[i]->bounds()) << "archived positions";
        EXPECT_EQ((*pasted)[i]->_fillColor, source[i]->_fillColor);
    }
}

TEST(PasteboardRecords, StartModeDecidesPictureIdentifiersAndSpreadsheetBinding)
{
    struct Case {
        const char *mode;
        bool imageGetsPictureId;
        bool spreadsheetTextUnbound;
    } cases[] = {{"T", false, false}, {"L", false, false}, {"V", true, false}, {"G", true, true}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.mode);
        kindstest::CardHub hub;
        PasteHub pasteHub;
        ScopedStartMode mode(QString::fromLatin1(c.mode));
        SKTImage image;
        image.control_ID = QStringLiteral("Fup_Photo");
        SKTText sheetText;
        sheetText.Set_Data_source_type(2);
        sheetText.excel_col_indx = 4;
        SKTText seriesText;
        seriesText.Set_Data_source_type(1);
        seriesText.batch_list_name = QStringLiteral("Names");
        seriesText.batch_list_index = 2;
        const SKTGraphicArray pasted = graphicsWithProperties(propertiesWithGraphics({&image, &sheetText, &seriesText}));
        ASSERT_EQ(pasted.size(), 3u);
        EXPECT_EQ(pasted[0]->control_ID, c.imageGetsPictureId ? QStringLiteral("F_Pic1") : QString());
        EXPECT_EQ(pasted[1]->data_source_type, c.spreadsheetTextUnbound ? 0 : 2);
        EXPECT_EQ(pasted[1]->excel_binding, !c.spreadsheetTextUnbound);
        EXPECT_EQ(pasted[1]->excel_col_indx, c.spreadsheetTextUnbound ? -1 : 4);
        EXPECT_EQ(pasted[2]->data_source_type, 1) << "a series binding is kept";
        EXPECT_EQ(pasted[2]->batch_list_name, "Names");
        EXPECT_EQ(pasted[2]->batch_list_index, 2);
    }
}

TEST(PasteboardRecords, PastedImageReloadsItsPictureFromItsFile)
{
    kindstest::CardHub hub;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("face.png"));
    QImage onDisk(40, 30, QImage::Format_ARGB32);
    onDisk.fill(QColor(0, 200, 100));
    ASSERT_TRUE(onDisk.save(path));
    SKTImage image;
    image._file_path = path;
    image._contents = patternImage(10, 10);
    image._contents_with_settings = image._contents;
    image.sat_val = 1;
    image.con_val = 1;
    image.img_trnsp_val = 100;
    const SKTGraphicArray pasted = graphicsWithProperties(propertiesWithGraphics({&image}));
    ASSERT_EQ(pasted.size(), 1u);
    EXPECT_EQ(pasted[0]->_contents.size(), QSize(40, 30));
    EXPECT_EQ(pasted[0]->_contents.pixelColor(20, 15), QColor(0, 200, 100));
    // Without the file the archived picture stays.
    image._file_path = dir.filePath(QStringLiteral("gone.png"));
    const SKTGraphicArray kept = graphicsWithProperties(propertiesWithGraphics({&image}));
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_TRUE(samePixels(kept[0]->_contents, image._contents));
}

TEST(PasteboardRecords, PasteInTemplateModeLandsAtThePointThenAtTheCascade)
{
    kindstest::CardHub hub;
    PasteHub pasteHub;
    ScopedStartMode mode(QStringLiteral("T"));
    pasteHub.points = {{30, 30}, {50, 50}};
    SKTGraphicArray source = threeShapes();
    source[1]->ctrl_is_locked = true;  // archived locked: a paste unlocks it
    std::optional<SKTGraphicArray> pasted =
        graphicsWithPasteboardData(pasteboardDataWithGraphics(Graphic_Pointers(source)));
    ASSERT_TRUE(pasted);
    Paste_Location_Of_Graphics(Graphic_Pointers(*pasted), 70, 80, QStringLiteral("B"));
    ASSERT_EQ(pasted->size(), 3u);
    EXPECT_EQ((*pasted)[0]->bounds(), QRectF(70, 80, 30, 20));
    EXPECT_EQ((*pasted)[1]->bounds(), QRectF(30, 30, 40, 40));
    EXPECT_EQ((*pasted)[2]->bounds(), QRectF(50, 50, 20, 30));
    for (const auto &g : *pasted)
        EXPECT_FALSE(g->ctrl_is_locked);
    EXPECT_EQ(pasteHub.sides, (std::vector<QString>{QStringLiteral("B"), QStringLiteral("B")}));
}

TEST(PasteboardRecords, PlacementSkipsLockedControlsButUsesUpTheirPoint)
{
    kindstest::CardHub hub;
    PasteHub pasteHub;
    pasteHub.points = {{30, 30}, {50, 50}};
    SKTGraphicArray list = threeShapes();
    list[1]->ctrl_is_locked = true;
    Paste_Location_Of_Graphics(Graphic_Pointers(list), 5, 6, QStringLiteral("F"));
    EXPECT_EQ(list[0]->bounds().topLeft(), QPointF(5, 6));
    EXPECT_EQ(list[1]->bounds().topLeft(), QPointF(100, 50)) << "locked: stays";
    EXPECT_EQ(list[2]->bounds().topLeft(), QPointF(50, 50)) << "the second point went to the locked control";
}

TEST(PasteboardRecords, CommonMoveLeavesControlsThatWouldLeaveTheCard)
{
    kindstest::CardHub hub;  // the card is 243 by 154
    SKTGraphicArray list = threeShapes();
    list.push_back(kindstest::filledRect(QRectF(235, 10, 5, 5), Qt::black));  // would go wholly off
    auto line = std::make_shared<SKTLine>();
    line->_bounds = QRectF(20, 120, 100, 0);  // horizontal: bounds of no height
    list.push_back(line);
    auto locked = kindstest::filledRect(QRectF(60, 60, 10, 10), Qt::black);
    locked->ctrl_is_locked = true;
    list.push_back(std::move(locked));
    SKTBarcode barcode;
    barcode._bounds = QRectF(150, 10, 40, 20);
    std::vector<SKTGraphic *> pointers = Graphic_Pointers(list);
    pointers.push_back(&barcode);
    translateGraphics(pointers, 10, 0);
    EXPECT_EQ(list[0]->bounds(), QRectF(20, 10, 30, 20));
    EXPECT_EQ(list[1]->bounds(), QRectF(110, 50, 40, 40));
    EXPECT_EQ(list[2]->bounds(), QRectF(210, 100, 20, 30));
    EXPECT_EQ(list[3]->bounds(), QRectF(235, 10, 5, 5)) << "would leave the card";
    EXPECT_EQ(list[4]->bounds(), QRectF(30, 120, 100, 0)) << "a straight line moves too";
    EXPECT_EQ(list[5]->bounds(), QRectF(60, 60, 10, 10)) << "locked";
    EXPECT_EQ(barcode.bar_image_ctrl_bounds, QRectF(160, 10, 40, 20)) << "the barcode image follows";
}

TEST(PasteboardRecords, CombinedBounds)
{
    kindstest::CardHub hub;
    EXPECT_EQ(boundsOfGraphics({}), QRectF());
    EXPECT_EQ(drawingBoundsOfGraphics({}), QRectF(0, 0, 243, 154)) << "the front canvas";
    SKTGraphicArray list = threeShapes();
    auto empty = kindstest::filledRect(QRectF(300, 300, 0, 10), Qt::black);
    list.push_back(std::move(empty));
    EXPECT_EQ(boundsOfGraphics(Graphic_Pointers(list)), QRectF(10, 10, 210, 120)) << "empty bounds add nothing";
    const QRectF drawing = drawingBoundsOfGraphics(Graphic_Pointers(list));
    EXPECT_TRUE(drawing.contains(QRectF(10, 10, 210, 120)));
}

// --- hostile clipboard payloads ---

void expectRefused(const QByteArray &data)
{
    SKTError error;
    error.code = -1;
    const std::optional<SKTGraphicArray> result = graphicsWithPasteboardData(data, &error);
    EXPECT_FALSE(result.has_value());
    EXPECT_EQ(error.code, 2);
    EXPECT_EQ(error.domain, "SketchErrorDomain");
    EXPECT_FALSE(error.localizedDescription.isEmpty());
}

TEST(PasteboardRecords, PayloadsThatAreNotArraysOfArchivesAreRefusedWithError2)
{
    kindstest::CardHub hub;
    expectRefused(QByteArray());
    expectRefused("random text, not a property list");
    expectRefused(platform::plistSerialize(QVariantMap{{QStringLiteral("a"), 1}}, platform::PlistFormat::Binary));
    expectRefused(platform::plistSerialize(QVariantList{QStringLiteral("x"), 3, QByteArray("junk")},
                                           platform::PlistFormat::Binary));
    // Readable archives among unreadable elements are kept; an empty array pastes nothing.
    const SKTGraphicArray shapes = threeShapes();
    QVariantList mixed = propertiesWithGraphics(Graphic_Pointers(shapes));
    mixed.insert(1, QByteArray("junk"));
    mixed.append(42);
    const auto kept =
        graphicsWithPasteboardData(platform::plistSerialize(mixed, platform::PlistFormat::Binary), nullptr);
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->size(), 3u);
    const auto none = graphicsWithPasteboardData(platform::plistSerialize(QVariantList(), platform::PlistFormat::Binary));
    ASSERT_TRUE(none);
    EXPECT_TRUE(none->empty());
}

TEST(PasteboardRecords, FuzzedPayloadsNeverCrash)
{
    kindstest::CardHub hub;
    const QByteArray valid = pasteboardDataWithGraphics(Graphic_Pointers(threeShapes()));
    QRandomGenerator random(20240613);
    int refused = 0, accepted = 0;
    auto probe = [&](const QByteArray &data) {
        SKTError error;
        const auto result = graphicsWithPasteboardData(data, &error);
        if (result) {
            ++accepted;
            for (const auto &g : *result)
                Archive_Graphic(*g);  // whatever came back is a whole control
        } else {
            ++refused;
            EXPECT_EQ(error.code, 2);
        }
    };
    // Truncations of a valid payload: the binary list's trailer is at its end, so none parses.
    for (int length = 0; length < valid.size(); length += 1 + length / 16)
        probe(valid.left(length));
    // Random bytes, with and without the binary list's magic.
    for (int i = 0; i < 300; ++i) {
        QByteArray bytes(int(random.bounded(1, 400)), Qt::Uninitialized);
        for (char &b : bytes)
            b = char(random.bounded(256));
        if (i % 2)
            bytes.replace(0, 8, "bplist00");
        probe(bytes);
    }
    // Bit flips and byte runs inside a valid payload.
    for (int i = 0; i < 300; ++i) {
        QByteArray bytes = valid;
        const int flips = int(random.bounded(1, 8));
        for (int f = 0; f < flips; ++f)
            bytes[int(random.bounded(bytes.size()))] = char(random.bounded(256));
        probe(bytes);
    }
    EXPECT_GT(refused, 0);
    EXPECT_GT(accepted + refused, 600);
}

}  // namespace
