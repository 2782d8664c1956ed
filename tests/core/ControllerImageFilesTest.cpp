// The main window's image and file operations: cascade point, units, resolution, picture
// files, folder listings, series in use and the path check.
#include "CoreTestSupport.h"
#include "DesignTestSupport.h"

#include "core/ControllerImageFiles.h"
#include "core/PngPreview.h"
#include "core/DocumentFiles.h"
#include "core/Globals.h"
#include "core/ImageResolution.h"
#include "core/SKTBarcode.h"
#include "core/SKTImage.h"
#include "core/SKTText.h"
#include "core/Shape_Control.h"
#include "platform/PictureBudget.h"
#include "platform/UiServices.h"

#include "TestSupport.h"

#include <QDir>
#include <QPainter>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

void touch(const QString &path, const QByteArray &bytes = "x")
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

QImage redCard(int w, int h, double dpi)
{
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(QColor(200, 20, 20, 255));
    Set_Image_Dpi(image, dpi);
    return image;
}

}  // namespace

TEST(ControllerFunctions, NewControlsCascadeAndRestartNearTheEdges)
{
    const QSizeF card(243, 154);
    const struct { float x, y; int count; QPointF expected; } cases[] = {
        {10, 10, 2, {30, 30}},  {30, 30, 2, {50, 50}}, {90, 90, 2, {110, 10}}, {110, 10, 2, {130, 30}},
        {10, 10, 30, {40, 40}},  // the step grows past 20 controls
        {173, 10, 0, {10, 30}},  // x + 50 reaching the width starts over
        {172, 10, 0, {192, 30}},
    };
    for (const auto &c : cases) {
        last_ctrl_X = c.x;
        last_ctrl_Y = c.y;
        EXPECT_EQ(Control_New_Point(c.count, card), c.expected) << c.x << "," << c.y << " " << c.count;
    }
    last_ctrl_X = last_ctrl_Y = 10.0f;
    EXPECT_NEAR(Points_to_MM_Convert(243), 85.725, 1e-4);
    EXPECT_NEAR(MM_to_Points_Convert(54), 153.07, 1e-2);
}

TEST(ControllerFunctions, IncreaseDpiRedrawsAtTheResolution)
{
    const QImage card = redCard(243, 154, 72);
    const QImage raised = Increase_DPI(card, 600);
    ASSERT_EQ(raised.size(), QSize(2025, 1284));
    EXPECT_NEAR(raised.dotsPerMeterX() * 0.0254, 600, 0.05);
    EXPECT_EQ(Image_Size_In_Points(raised).toSize(), QSize(243, 154));
    EXPECT_TRUE(coretest::near(raised.pixelColor(1000, 640), QColor(200, 20, 20), 2));
    // A picture already at 300 dpi keeps its size in points.
    EXPECT_EQ(Increase_DPI(redCard(600, 300, 300), 600).size(), QSize(1200, 600));
    EXPECT_TRUE(Increase_DPI(QImage(), 600).isNull());
}

TEST(ControllerFunctions, SaveGenImageEncodesByExtension)
{
    REQUIRE_IMAGE_FORMAT("tiff");
    REQUIRE_TOOL(pdfinfo, "pdfinfo");
    QTemporaryDir dir;
    const QImage picture = redCard(486, 308, 144);  // 243 x 154 points
    // `magic`: how the written file starts; "" when the save fails and what was there stays.
    const struct { const char *name; QByteArray magic; bool blank = false; } cases[] = {
        {"a.jpg", "\xff\xd8\xff"}, {"b.JPEG", "\xff\xd8\xff"}, {"c.png", "\x89PNG"}, {"d.bmp", "BM"},
        {"e.tiff", QByteArray("II*\0", 4)}, {"f.PDF", "%PDF-"}, {"g.xyz", ""}, {"h.png", "", true},
        {"no/such/a.png", ""}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QLatin1String(c.name));
        const QByteArray previous = QByteArray(c.name).contains('/') ? "" : "previous content";
        if (!previous.isEmpty())
            touch(path, previous);
        QString error;
        const bool saved = Save_gen_image(c.blank ? QImage() : picture, path, &error);
        ASSERT_EQ(saved, !c.magic.isEmpty()) << error.toStdString();
        const QByteArray head = designtest::fileBytes(path).left(8);
        if (!saved) {
            EXPECT_EQ(designtest::fileBytes(path), previous);
        } else if (c.magic.startsWith("%PDF")) {
            const QString info = QString::fromUtf8(testsupport::runTool(pdfinfo, {path}).out);
            EXPECT_TRUE(info.contains(QRegularExpression(u"Page size:\\s+243 x 154 pts"_s)))
                << qPrintable(info);
        } else {
            const bool bigEndianTiff = c.magic.startsWith("II") && head.startsWith(QByteArray("MM\0*", 4));
            EXPECT_TRUE(head.startsWith(c.magic) || bigEndianTiff);
            const QImage back(path);
            EXPECT_EQ(back.size(), QSize(486, 308));
            EXPECT_NEAR(back.dotsPerMeterX() * 0.0254, 144, 1.0);
            EXPECT_TRUE(coretest::near(back.pixelColor(100, 100), QColor(200, 20, 20), 8));
        }
    }
    QString error;
    EXPECT_FALSE(Save_gen_image(picture, dir.filePath(QStringLiteral("g.xyz")), &error));
    EXPECT_FALSE(error.isEmpty()) << "a failure says why";
}

TEST(ControllerFunctions, LoadingAPictureMakesAThumbnail)
{
    QTemporaryDir dir;
    const struct { QSize stored, loaded; } cases[] = {
        {{1200, 600}, {500, 250}}, {{300, 900}, {166, 500}}, {{120, 80}, {120, 80}}};
    for (const auto &c : cases) {
        const QString path = dir.filePath(QStringLiteral("p%1.png").arg(c.stored.width()));
        ASSERT_TRUE(redCard(c.stored.width(), c.stored.height(), 300).save(path));
        const QImage picture = Load_Control_Picture(path);
        EXPECT_EQ(picture.size(), c.loaded);
        EXPECT_EQ(Image_Size_In_Points(picture), QSizeF(c.loaded)) << "one pixel a point";
    }
    touch(dir.filePath(QStringLiteral("text.png")), "not a picture");
    EXPECT_TRUE(Load_Control_Picture(dir.filePath(QStringLiteral("text.png"))).isNull());
    EXPECT_TRUE(Load_Control_Picture(dir.filePath(QStringLiteral("missing.png"))).isNull());
    EXPECT_TRUE(Load_Control_Picture(dir.path()).isNull());
    EXPECT_EQ(imageResize(redCard(40, 20, 72), QSizeF(10, 30)).size(), QSize(10, 30));
    EXPECT_TRUE(imageResize(QImage(), QSizeF(10, 30)).isNull());
}

TEST(ControllerFunctions, FolderListings)
{
    QTemporaryDir dir;
    const QString root = dir.path();
    for (const char *name : {"a.did", "b.txt", ".hidden", "sub/inner.png", "sub/deeper/x.y.z"})
        touch(root + QLatin1Char('/') + QLatin1String(name));
    QDir(root).mkdir(QStringLiteral(".cache"));
    EXPECT_EQ(sorted(Get_Folder_Array_At_Path(root)), QStringList({".cache", "sub"}));
    EXPECT_EQ(sorted(Get_Files_Array_At_Path(root, false)), QStringList({".hidden", "a.did", "b.txt"}));
    EXPECT_EQ(sorted(Get_Files_Array_At_Path(root, true)), QStringList({".hidden", "a", "b"}));
    EXPECT_EQ(sorted(Get_Folders_And_Sub_Folder_Array_At_Path(root)).join(u' '), u".cache sub sub/deeper"_s);
    EXPECT_EQ(sorted(Get_Files_And_Folder_Array_At_Path(root)).join(u' '),
              u".cache .hidden a b sub sub/deeper sub/deeper/x.y sub/inner"_s);
    for (const QString &missing : {root + u"/nothing"_s, root + u"/a.did"_s, QString()}) {
        EXPECT_TRUE(Get_Folder_Array_At_Path(missing).isEmpty());
        EXPECT_TRUE(Get_Files_Array_At_Path(missing, true).isEmpty());
        EXPECT_TRUE(Get_Folders_And_Sub_Folder_Array_At_Path(missing).isEmpty());
    }
}

TEST(ControllerFunctions, FilterKeepsDesignFilesInAnyCaseAndFolders)
{
    QTemporaryDir dir;
    const QString root = dir.path();
    for (const char *name : {"a.DID", "b.did", "c.Did", "d.txt", "e", ".f", "g.did.bak"})
        touch(root + QLatin1Char('/') + QLatin1String(name));
    touch(root + QStringLiteral("/folder.txt/inside.txt"));
    Filter_Non_Log_Files_At_Path(root);
    EXPECT_EQ(sorted(Get_Files_Array_At_Path(root, false)), QStringList({"a.DID", "b.did", "c.Did"}));
    EXPECT_TRUE(QFile::exists(root + u"/folder.txt/inside.txt"_s)) << "folders stay, with their content";
}

TEST(ControllerFunctions, SeriesNamesAndSeriesInUse)
{
    testsupport::TempDataFolder folder;
    for (const char *name : {"Names.txt", "Codes.txt", "Upper.TXT", "notes.csv"})
        touch(Data_Folder_Path + QLatin1Char('/') + QLatin1String(name));
    QDir(Data_Folder_Path).mkdir(QStringLiteral("dir.txt"));
    EXPECT_EQ(sorted(Get_datasheet_File_Name_Array()), QStringList({"Codes", "Names", "Upper"}));

    coretest::RecordingHub hub;
    SKTText text;
    Shape_Control shape;
    SKTBarcode code;
    SKTImage photo;
    using Series = std::pair<SKTGraphic *, const char *>;
    for (auto [g, series] : {Series(&text, "Names"), {&shape, "Names"}, {&code, "Codes"}, {&photo, "Pics"}}) {
        g->data_source_type = 1;
        g->batch_list_name = QLatin1String(series);
    }
    const struct { QString series; std::vector<SKTGraphic *> front, back; QString sides; bool inUse; }
    cases[] = {
        {"Names", {&text}, {}, "1", true},      {"Names", {&shape}, {}, "1", false},
        {"Codes", {}, {&code}, "1", false},     {"Codes", {}, {&code}, "2", true},
        {"Pics", {&photo}, {}, "2", false},   {"Names", {&code}, {&shape}, "2", false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.series.toStdString() + " " + c.sides.toStdString());
        EXPECT_EQ(Check_Batch_File_In_Use_Validation(c.series, c.front, c.back, c.sides), c.inUse);
    }
}

TEST(ControllerFunctions, PathCheckAndTexts)
{
    platform::ScopedScriptedUi ui;
    QTemporaryDir dir;
    touch(dir.filePath(u"here.png"_s));
    EXPECT_FALSE(Check_And_Validate_File_Path(u"  "_s + dir.filePath(u"here.png"_s) + u"\n"_s));
    EXPECT_TRUE(ui->messages().isEmpty());
    EXPECT_TRUE(Check_And_Validate_File_Path(dir.filePath(QStringLiteral("gone.png"))));
    EXPECT_TRUE(Check_And_Validate_File_Path(QStringLiteral("   ")));
    ASSERT_EQ(ui->messages().size(), 2);
    EXPECT_TRUE(ui->messages().at(0).contains(QStringLiteral("Please select valid file path.")));

    const QString temp = QDir::temp().filePath(QStringLiteral("ziptmp"));
    touch(temp + QStringLiteral("/xl/sheet1.xml"));
    Delete_Excel_File_Temp_Folder();
    EXPECT_FALSE(QFileInfo::exists(temp));
}

TEST(DocumentFiles, Ascii85DecodesWithAnIndependentReader)
{
    REQUIRE_PYTHON(python);
    QByteArray random(5000, Qt::Uninitialized);
    for (char &c : random)
        c = char(QRandomGenerator::global()->bounded(256));
    const QByteArrayList samples = {QByteArray(), "a", QByteArray(4, '\0'), QByteArray(9, '\0'),
                                    "\xff\xff\xff\xff\xff", random, random.left(4097), QByteArray(3000, '%')};
    for (const QByteArray &sample : samples) {
        SCOPED_TRACE(sample.size());
        const QByteArray encoded = Ascii85_Encode(sample);
        for (const QByteArray &line : encoded.split('\n'))
            EXPECT_FALSE(line.startsWith('%')) << "a data line never looks like a comment";
        const QString script = u"import base64,sys; d=sys.stdin.buffer.read(); sys.stdout.buffer.write("
                               u"base64.a85decode(d, adobe=True, ignorechars=b' \\n'))"_s;
        const auto r = testsupport::runTool(python, {u"-c"_s, script}, QByteArray("<~") + encoded.trimmed());
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_EQ(r.out, sample);
    }
}

TEST(ControllerFunctions, LargePngPreviewsAreReadRowByRowAsQtWouldShowThem)
{
    // 1203 x 611: four coloured quarters, the top right one half transparent, so every block of
    // the preview away from the edges between them has one known colour.
    QImage source(1203, 611, QImage::Format_ARGB32);
    source.fill(Qt::transparent);
    {
        QPainter p(&source);
        p.fillRect(QRect(0, 0, 601, 305), QColor(200, 30, 30));
        p.fillRect(QRect(601, 0, 602, 305), QColor(20, 40, 220, 128));
        p.fillRect(QRect(0, 305, 601, 306), QColor(30, 160, 60));
        p.fillRect(QRect(601, 305, 602, 306), QColor(250, 250, 250));
    }
    const struct {
        const char *name;
        QImage::Format format;
    } kinds[] = {{"rgba", QImage::Format_ARGB32}, {"rgb", QImage::Format_RGB32}, {"palette", QImage::Format_Indexed8},
                 {"gray", QImage::Format_Grayscale8}, {"16-bit", QImage::Format_RGBA64}};
    QTemporaryDir dir;
    for (const auto &k : kinds) {
        SCOPED_TRACE(k.name);
        const QString path = dir.filePath(QLatin1String(k.name) + QStringLiteral(".png"));
        const QImage stored = source.convertToFormat(k.format, Qt::ThresholdDither | Qt::AvoidDither);
        ASSERT_TRUE(stored.save(path, "PNG"));
        const QImage preview = Load_Control_Picture(path);
        // Inside each quarter the preview shows what the whole decode shows at the same place.
        const QImage expected = QImage(path).convertToFormat(QImage::Format_ARGB32);
        EXPECT_EQ(preview.size(), QSize(1203, 611).scaled(500, 500, Qt::KeepAspectRatio));
        const QImage got = preview.convertToFormat(QImage::Format_ARGB32);
        for (const QPoint at : {QPoint(100, 60), QPoint(400, 60), QPoint(100, 200), QPoint(400, 200)}) {
            const QColor a = got.pixelColor(at);
            const QColor b = expected.pixelColor(at.x() * 1203 / preview.width(), at.y() * 611 / preview.height());
            EXPECT_LE(std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue())
                          + std::abs(a.alpha() - b.alpha()), 8)
                << at.x() << "," << at.y() << " " << qPrintable(a.name(QColor::HexArgb)) << " "
                << qPrintable(b.name(QColor::HexArgb));
        }
    }
    // Not a PNG, or a damaged one: the row reader declines and the caller reads as before.
    QFile damaged(dir.filePath(QStringLiteral("damaged.png")));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    QFile whole(dir.filePath(QStringLiteral("rgba.png")));
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    damaged.write(whole.read(200));
    damaged.close();
    EXPECT_TRUE(Decode_Png_Preview(damaged.fileName(), 500).isNull());
    EXPECT_TRUE(Decode_Png_Preview(dir.filePath(QStringLiteral("missing.png")), 500).isNull());
    // Past the pixel limit the header alone declines it (1203 x 611 is 735,033 pixels).
    EXPECT_FALSE(Decode_Png_Preview(whole.fileName(), 500, 735'033).isNull());
    EXPECT_TRUE(Decode_Png_Preview(whole.fileName(), 500, 735'032).isNull());
}

namespace {

// A progressive JPEG of a few hundred bytes claiming 40000 by 40000 pixels would hold gigabytes
// while decoded, whatever size is asked of the reader: every road that loads a picture file
// refuses it from its header (a road with a fallback shows the file's icon), and a progressive
// JPEG within the budget still loads.
TEST(PictureBudget, AProgressiveJpegClaimingTooManyPixelsIsRefusedOnEveryRoad)
{
    QTemporaryDir dir;
    // The roads decode the one just past the budget (a few hundred megabytes, should one slip).
    const QString huge = dir.filePath(u"huge.jpg"_s), bomb = dir.filePath(u"bomb.jpg"_s),
                  sound = dir.filePath(u"sound.jpg"_s), padded = dir.filePath(u"padded.jpg"_s);
    for (const auto &[path, side] : {std::pair(huge, 40000), std::pair(bomb, 8100), std::pair(sound, 300)})
        ASSERT_TRUE(testsupport::writeProgressiveJpegClaiming(path, side));
    // Bytes the decoder passes over before a frame (junk, a marker without a segment) hide nothing.
    touch(padded, testsupport::fileBytes(huge).insert(2, QByteArray("junk\xFF\xD0", 6)));
    EXPECT_EQ(platform::pictureDecodeRefusal(huge),
              u"The picture \"huge.jpg\" was not loaded: it claims 40000 by 40000 pixels in a JPEG stored in several "
              "scans, more than a picture may have (64 million pixels)."_s);
    EXPECT_TRUE(!platform::pictureDecodeRefusal(bomb).isEmpty() && !platform::pictureDecodeRefusal(padded).isEmpty());
    EXPECT_EQ(platform::pictureDecodeRefusal(sound), QString());
    const struct {
        const char *road;
        std::function<QImage(const QString &)> load;
        bool iconInstead;
    } roads[] = {
        {"control picture", [](const QString &p) { return Load_Control_Picture(p); }, false},
        {"card background", Load_Card_Background_Picture, false},
        {"file preview", [](const QString &p) { return imageWithPreviewOfFileAtPath(p, {500, 500}, false); }, true},
        {"image control", [](const QString &p) { return SKTImage::initWithPath({}, p)->_contents; }, true},
    };
    for (const auto &road : roads) {
        SCOPED_TRACE(road.road);
        const QImage refused = road.load(bomb);
        EXPECT_TRUE((road.iconInstead || refused.isNull()) && std::max(refused.width(), refused.height()) <= 500);
        EXPECT_EQ(road.load(sound).size(), QSize(300, 300));
    }
}

}  // namespace
