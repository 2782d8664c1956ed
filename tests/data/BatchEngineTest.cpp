// Batch runs: card counts of bound designs, rows filled into copies of a side, barcodes rebuilt
// per row, the open design left alone, and the same cards from one thread or eight.

#include "TestSupport.h"

#include "barcode/ControlBarcode.h"
#include "core/ControlArchive.h"
#include "core/Globals.h"
#include "core/SKTDocument.h"
#include "core/UndoRedo.h"
#include "data/SeriesFiles.h"
#include "data/batch/BatchEngine.h"
#include "data/batch/BatchRunner.h"
#include "data/batch/RunHold.h"

#include <QDir>
#include <QLineF>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct Design {
    testsupport::TempDataFolder data;
    QTemporaryDir photos;
    SKTDocument doc;
    Card_Property card;
    QList<QStringList> sheet;  // 12 rows: number, name, QR value, photo path (even rows), UPC-A digits

    Design()
    {
        barcode::Install_Control_Barcode_Provider();
        QDir().mkpath(Data_Folder_Path);
        Write_Series_File(Series_File_Path(QStringLiteral("People")), [](const auto &add) {
            for (int i = 1; i <= 20; ++i)
                add(QStringLiteral("P%1").arg(i));
        });
        card.setCard_Size(QSizeF(243, 154));
        QImage red(20, 20, QImage::Format_RGB32);
        red.fill(Qt::red);
        red.save(photos.filePath(QStringLiteral("red.png")));
        QFile notes(photos.filePath(QStringLiteral("notes.txt")));  // no picture: a worker must not wait for an icon
        notes.open(QIODevice::WriteOnly) && notes.write("x");
        for (int r = 0; r < 12; ++r)
            sheet << QStringList{QString::number(r + 1), QStringLiteral("Name %1").arg(r), QStringLiteral("Q-%1").arg(r),
                                 photos.filePath(QLatin1String(r % 2 ? "notes.txt" : "red.png")),
                                 r == 5 ? QStringLiteral("abc") : QStringLiteral("0360002914%1").arg(r % 10)};
    }
    SKTGraphic &add(int side, const char *cls, QRectF bounds, int type, const QString &series, int index)
    {
        SKTGraphicPtr g = Make_Graphic_Of_Class(QString::fromLatin1(cls));
        g->setBounds(bounds);
        if (g->kind() == SKTGraphicKind::Barcode) {
            g->linear_or_2d = type == 2 && index == 4 ? 0 : 1;
            g->barcode_font_index = g->linear_or_2d ? 0 : 3;  // QR code, UPC-A
            g->linear_width_val = 10, g->two_d_font_val = QStringLiteral("OWN");
            barcodeImageProvider()->Build_Barcode_Image(*g, g->linear_or_2d ? g->two_d_font_val : QStringLiteral("03600029145"));
            g->setBounds(QRectF(bounds.topLeft(), g->bounds().size()));
            check_barcode_and_set_control_bounds(g.get());
        }
        Bind_Control_Data_Source(*g, type, series, index, QStringLiteral("designed"));
        doc.appendGraphicOnSide(side, g);
        return *g;
    }
    BatchDesign take(bool twoSided = false) { return BatchDesign::Take(doc, card, card, twoSided, sheet); }
};

QString text(const CardSide &s, int i) { return s.controls[std::size_t(i)]->Text_Value; }

int inkIn(const QImage &image, const QRectF &points, double dpi)
{
    const QRect px = QRectF(points.topLeft() * dpi / 72, points.size() * dpi / 72).toAlignedRect();
    int ink = 0;
    for (int i = 0; i < px.width() * px.height(); ++i)
        ink += qGray(image.pixel(px.left() + i % px.width(), px.top() + i / px.width())) < 100;
    return ink;
}

}  // namespace

TEST(BatchEngine, TheCardCountFollowsTheBoundSources)
{
    struct Case {
        const char *name;
        bool series, sheet, back, twoSided, notPrinted, emptySheet;
        int cards;
    } cases[] = {{"series of 20 and sheet of 12", true, true, false, false, false, false, 20},
                 {"nothing bound", false, false, false, false, false, false, 1},
                 {"sheet alone", false, true, false, false, false, false, 12},
                 {"sheet bound, table empty", false, true, false, false, false, true, 1},
                 {"series on the back of a one-sided card", true, false, true, false, false, false, 1},
                 {"series on the back of a two-sided card", true, false, true, true, false, false, 20},
                 {"series on a control not printed", true, false, false, false, true, false, 1}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Design d;
        if (c.emptySheet)
            d.sheet.clear();
        if (c.series)
            d.add(c.back, "SKTText", QRectF(10, 10, 100, 20), 1, QStringLiteral("people"), 0).print_object = c.notPrinted;
        if (c.sheet)
            d.add(c.back, "SKTText", QRectF(10, 40, 100, 20), 2, QString(), 1);
        EXPECT_EQ(d.take(c.twoSided).source.Total_Batch_Excel_Card, c.cards);
    }
}

TEST(BatchEngine, RowsFillCopiesAndLeaveTheOpenDesignAlone)
{
    Design d;
    d.add(0, "SKTText", QRectF(10, 10, 100, 20), 1, QStringLiteral("people"), 0);  // case differs from the file
    d.add(0, "SKTText", QRectF(10, 30, 100, 20), 2, QString(), 1);
    d.add(0, "SKTText", QRectF(10, 50, 100, 20), 2, QString(), 0);
    d.add(0, "SKTImage", QRectF(10, 70, 40, 40), 2, QString(), 3);
    SKTGraphic &own = d.add(0, "SKTBarcode", QRectF(150, 10, 0, 0), 1, QStringLiteral("deleted"), 4);
    d.add(0, "SKTText", QRectF(10, 120, 100, 20), 1, QStringLiteral("people"), 0).print_object = 1;
    d.add(2, "SKTText", QRectF(0, 0, 50, 20), 0, QString(), -1);
    UndoRedoHistory history(d.doc);
    history.Insert_In_Undo_Redo();
    const DesignBackup before = Create_Design_Backup_Array(d.doc);
    const QByteArray temp = Archive_Graphic(*d.doc.graphics_temp()[0]);
    const int undoDepth = history.Get_Undo_Count();
    const bool couldUndo = d.doc.undoManager().canUndo();
    const BatchDesign run = d.take();

    struct Row {
        int row;
        const char *series, *sheet, *number;
        bool photo;
    } rows[] = {{0, "P1", "Name 0", "1", true}, {11, "P12", "Name 11", "12", false}, {15, "P16", "", "", false},
                {19, "P20", "", "", false}, {20, "", "", "", false}};
    for (const Row &r : rows) {
        SCOPED_TRACE(r.row);
        const CardSide s = run.Fill_Side_For_Row(QStringLiteral("F"), r.row);
        EXPECT_EQ(text(s, 0), QString::fromLatin1(r.series));
        EXPECT_EQ(text(s, 1), QString::fromLatin1(r.sheet));
        EXPECT_EQ(text(s, 2), QString::fromLatin1(r.number));
        EXPECT_EQ(!s.controls[3]->_contents.isNull() && s.controls[3]->_contents.pixelColor(5, 5) == Qt::red, r.photo);
        const SKTGraphic &code = *s.controls[4];
        EXPECT_FALSE(code._barcode_image.isNull()) << "a barcode of a deleted series keeps its own value";
        EXPECT_LT(QLineF(code.bounds().center(), own.bar_image_ctrl_bounds.center()).length(), 1e-3);
        EXPECT_EQ(text(s, 5), QStringLiteral("designed")) << "a control not printed takes no data";
    }

    // A whole run, then one stopped at row 50, on every core.
    for (int stopAt : {-1, 50}) {
        BatchRunner runner(8);
        const int delivered = runner.Run<QImage>(
            0, 100, [&](int row) { return run.Set_data_table_value_to_card(row, QStringLiteral("F"), false); },
            [&](int row, QImage &) { return row != stopAt; });
        EXPECT_EQ(delivered, stopAt < 0 ? 100 : 51);
        EXPECT_FALSE(Create_Card_Design_Again(d.doc, before)) << "nothing to restore";
        EXPECT_EQ(Archive_Graphic(*d.doc.graphics_temp()[0]), temp);
        EXPECT_EQ(history.Get_Undo_Count(), undoDepth);
        EXPECT_EQ(d.doc.undoManager().canUndo(), couldUndo);
    }
    d.doc.graphics()[1]->Set_text_value(QStringLiteral("edited"));
    EXPECT_TRUE(Create_Card_Design_Again(d.doc, before));
    EXPECT_EQ(Create_Design_Backup_Array(d.doc).front, before.front);
    EXPECT_EQ(Archive_Graphic(*d.doc.graphics_temp()[0]), temp);
}

TEST(BatchEngine, BarcodesFollowTheirRowAndARefusedValueLeavesNoBarcode)
{
    REQUIRE_TOOL(zxing, "ZXingReader");
    Design d;
    d.add(0, "SKTBarcode", QRectF(20, 20, 0, 0), 2, QString(), 2);
    const SKTGraphic &upc = d.add(0, "SKTBarcode", QRectF(110, 60, 0, 0), 2, QString(), 4);
    const BatchDesign run = d.take();
    auto cards = [&](int threads, BatchProblems &problems) {
        std::vector<QImage> out;
        BatchRunner(threads).Run<QImage>(
            0, 12, [&](int row) { return run.Set_data_table_value_to_card(row, QStringLiteral("F"), false, {300, -1}, &problems); },
            [&](int row, QImage &card) { return out.push_back(card), int(out.size()) == row + 1; });
        return out;
    };
    BatchProblems one, eight;
    const std::vector<QImage> single = cards(1, one), parallel = cards(8, eight);
    ASSERT_EQ(single.size(), 12u);
    EXPECT_TRUE(single == parallel) << "eight threads paint the very pixels of one";
    EXPECT_EQ(eight.rows(), std::vector<int>{5});
    EXPECT_GT(inkIn(single[4], upc.bar_image_ctrl_bounds, 300), 0);
    EXPECT_EQ(inkIn(single[5], upc.bar_image_ctrl_bounds, 300), 0) << "no barcode, not the row before's";
    const QString png = d.photos.filePath(QStringLiteral("row3.png"));
    ASSERT_TRUE(single[3].save(png));
    const auto read = testsupport::runTool(zxing, {QStringLiteral("-format"), QStringLiteral("QRCode"), png});
    EXPECT_TRUE(read.out.contains("\"Q-3\"")) << read.out.constData();
}

TEST(BatchEngine, BindingALockedControlChangesNothing)
{
    Design d;
    struct Case {
        const char *cls;
        bool locked;
        int images;
        bool bound;
    } cases[] = {{"SKTImage", false, 1, true}, {"SKTImage", true, 1, false}, {"SKTImage", false, 2, false},
                 {"SKTText", true, 1, false}, {"SKTText", false, 1, true}};
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.cls) + (c.locked ? " locked" : ""));
        std::vector<std::unique_ptr<SKTGraphic>> selected;
        for (int i = 0; i < c.images; ++i)
            selected.push_back(Make_Graphic_Of_Class(QString::fromLatin1(c.cls)));
        selected[0]->ctrl_is_locked = c.locked;
        const QString designed = selected[0]->_file_path;
        QString message;
        const SKTGraphicList bound =
            Change_Data_Source_To_selected_Control(Graphic_Pointers(selected), 2, QString(), 3, d.sheet, &message);
        EXPECT_EQ(bound.size(), c.bound ? 1u : 0u);
        EXPECT_EQ(selected[0]->data_source_type, c.bound ? 2 : 0);
        EXPECT_EQ(message.isEmpty(), c.images == 1);
        if (QLatin1String(c.cls) == QLatin1String("SKTImage")) {
            EXPECT_EQ(selected[0]->_file_path, c.bound ? d.sheet[0][3] : designed);
        }
    }
}

// Whatever a row's work or delivery throws ends the run there, on one thread or many, and the
// program goes on. Rows are delivered in order with no gap: on one thread every row before the
// failing one, on many those delivered before the stop was seen.
TEST(BatchRunnerTest, AnythingARowThrowsStopsTheRunNotTheProgram)
{
    for (int threads : {1, 8}) {
        for (bool inDelivery : {false, true}) {
            SCOPED_TRACE(std::to_string(threads) + (inDelivery ? " delivery" : " work"));
            std::vector<int> got;
            const int delivered = BatchRunner(threads).Run<int>(
                0, 40,
                [&](int row) {
                    if (!inDelivery && row == 9)
                        throw 9;  // not a std::exception
                    return row * 2;
                },
                [&](int row, int &value) {
                    if (inDelivery && row == 9)
                        throw QStringLiteral("no");
                    got.push_back(value);
                    return true;
                });
            std::vector<int> expected;
            for (int row = 0; row < 9; ++row)
                expected.push_back(row * 2);
            if (threads == 1 || inDelivery) {
                EXPECT_EQ(got, expected);
            }
            ASSERT_LE(got.size(), expected.size());
            EXPECT_TRUE(std::equal(got.begin(), got.end(), expected.begin()));
            EXPECT_LE(delivered, 10);
        }
    }
}

// A window's report of a run's end waits while the run's stop question is open, and comes once
// it is answered; with no question open it comes at once.
TEST(BatchRunnerTest, AReportOfARunsEndWaitsForTheStopQuestionsAnswer)
{
    RunHold hold;
    int shown = 0;
    hold.hold();
    hold.afterAnswer([&] { ++shown; });
    QCoreApplication::processEvents();
    EXPECT_EQ(shown, 0) << "shown while the question is open";
    hold.release();
    EXPECT_TRUE(QTest::qWaitFor([&] { return shown == 1; }, 10000));
    hold.afterAnswer([&] { ++shown; });
    EXPECT_EQ(shown, 2);
}
