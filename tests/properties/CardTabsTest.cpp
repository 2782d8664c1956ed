// The card tabs' rules without a window: what lands in the records, the named sizes, the outline
// codes and the background browser's reordering.

#include "core/CardSide.h"
#include "core/SKTGraphic.h"
#include "properties/BackgroundBrowser.h"
#include "properties/CardSizes.h"
#include "properties/CardTabLogic.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(CardTabLogic, TheTabLandsInTheSidesRecordAndTheSharedFieldsInBoth)
{
    const struct {
        bool gradient, hatch, picture;
        const char *style;
        const char *name, *savedName;
        int sides, shape;
        const char *sidesText, *shapeText;
    } rows[] = {
        {true, true, true, "G", "  ", "Untitled", 0, 0, "2", "R"},
        {false, true, true, "H", " Pass ", "Pass", 1, 1, "1", "RR"},
        {false, false, true, "I", "", "Untitled", -1, 2, "1", "E"},
        {false, false, false, "S", "Badge", "Badge", 0, 5, "2", "E"},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.style);
        Card_Property front, back;
        back.setCard_bordr_clr(Qt::green);
        CardTabValues v;
        v.fillOn = true;
        v.fillColour = Qt::red;
        v.hatchBack = Qt::blue;
        v.alphaPercent = 40;
        v.gradientOn = r.gradient, v.hatchOn = r.hatch, v.pictureOn = r.picture;
        v.name = r.name, v.sidesIndex = r.sides, v.shape = r.shape;
        v.borderColour = Qt::yellow;  // the border is off: its colour stays
        Write_Card_Tab(v, front, back, true);
        EXPECT_EQ(back.Card_fill_style(), r.style);
        EXPECT_FLOAT_EQ(back.Card_fill_clr().alphaF(), 0.4f);
        EXPECT_FLOAT_EQ(back.Card_hatch_bk_clr().alphaF(), 0.4f);
        EXPECT_FLOAT_EQ(back.Card_alpha_Stepper(), 0.4f);
        EXPECT_EQ(back.Card_bordr_clr(), QColor(Qt::green));
        EXPECT_EQ(front.Card_fill_style(), "S") << "the other side's own fields stay";
        for (const Card_Property *card : {&front, &back}) {
            EXPECT_EQ(card->Card_Name(), r.savedName);
            EXPECT_EQ(card->Card_Side(), r.sidesText);
            EXPECT_EQ(card->Card_Shape(), r.shapeText);
        }
    }
}

TEST(CardSizes, NamedSizesInEveryUnitAndRowsOutsideTheList)
{
    const struct {
        const char *category, *orientation;
        int row, unit;
        double width, height;  // in the unit
    } rows[] = {
        {"PVC Card", "H", 0, 2, 85.598, 54.102},      {"PVC Card", "V", 0, 2, 54.102, 85.598},
        {"PVC Card", "H", 0, 0, 3.37, 2.13},          {"Paper Card", "H", 6, 2, 59.944, 89.916},
        {"Paper Card", "V", 6, 2, 89.916, 59.944},    {"PVC Card", "H", -1, 2, 30, 30},
        {"PVC Card", "H", 7, 2, 30, 30},  // a paper row kept for the PVC list
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(testing::Message() << r.category << r.orientation << r.row);
        const QSizeF mm = Get_My_card_Size(r.category, r.orientation, r.row);
        const float toUnit = Get_Unit_Convertor(2, r.unit);
        EXPECT_NEAR(mm.width() * toUnit, r.width, 1e-3);
        EXPECT_NEAR(mm.height() * toUnit, r.height, 1e-3);
        const QSizeF points = Card_Size_In_Points(mm.width() * toUnit, mm.height() * toUnit, r.unit);
        EXPECT_NEAR(points.width(), mm.width() * 72 / 25.4, 0.01);
    }
    const QSizeF cr80 = Card_Size_In_Points(85.598, 54.102, 2);
    EXPECT_NEAR(cr80.width(), 242.64, 0.005);
    EXPECT_NEAR(cr80.height(), 153.36, 0.005);
}

TEST(CardOutline, StoredCodesReadTheSameEverywhere)
{
    const std::pair<const char *, int> rows[] = {{"R", 0}, {"", 0}, {"RR", 1}, {"E", 2}, {"C", 2}, {"X", 2}};
    Card_Property card;
    for (const auto &[code, outline] : rows) {
        card.setCard_Shape(code);
        EXPECT_EQ(Card_Outline_Code(card), outline) << code;
        card.setCard_Shape(Card_Shape_Code(outline));  // as the tabs write it back
        EXPECT_EQ(Card_Outline_Code(card), outline) << code;
    }
}

TEST(BackgroundBrowser, MovedItemsKeepTheirOrderAsOneRun)
{
    const struct {
        QList<int> indexes;
        int destination;
        QString expected;
    } rows[] = {{{0, 1}, 3, "CABD"}, {{3}, 0, "DABC"}, {{1, 3}, 4, "ACBD"}, {{2, 9}, 1, "ACBD"}};
    for (const auto &r : rows) {
        std::vector<MyImageObject> items;
        for (const char *name : {"A", "B", "C", "D"})
            items.push_back(MyImageObject::initWithImage_Path(name, name, name));
        Move_Browser_Items(items, r.indexes, r.destination);
        QString order;
        for (const MyImageObject &item : items)
            order += item.path;
        EXPECT_EQ(order, r.expected) << r.destination;
    }
}

// A thumbnail dragged onto another one moves there; the background chosen stays chosen and is
// not handed on again.
TEST(BackgroundBrowser, AThumbnailDraggedOntoAnotherMovesThere)
{
    // The drop as the viewport hands it on (a drag of Qt's own needs a window system).
    struct Browser : BackgroundBrowser {
        using BackgroundBrowser::dropEvent;
    };
    QTemporaryDir dir;
    Browser browser;
    browser.resize(400, 300);
    browser.show();
    for (const char *name : {"A", "B", "C"}) {
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        ASSERT_TRUE(picture.save(dir.filePath(QString::fromLatin1(name) + ".png")));
        browser.addImageWithPath(dir.filePath(QString::fromLatin1(name) + ".png"), name, name);
    }
    QStringList handed;
    browser.chosen = [&](const QString &path) { handed << QFileInfo(path).baseName(); };
    browser.setCurrentRow(0);
    auto order = [&] {
        QString out;
        for (int i = 0; i < browser.numberOfItemsInImageBrowser(); ++i)
            out += QFileInfo(browser.itemAtIndex(i)->path).baseName();
        return out;
    };
    // A is dragged and dropped on C.
    const QPoint onC = browser.visualItemRect(browser.item(2)).center();
    std::unique_ptr<QMimeData> dragged(browser.model()->mimeData(browser.selectionModel()->selectedIndexes()));
    QDropEvent drop(onC, Qt::MoveAction, dragged.get(), Qt::LeftButton, {});
    browser.dropEvent(&drop);
    EXPECT_EQ(order(), QStringLiteral("BAC"));
    EXPECT_EQ(QFileInfo(browser.selectedPath()).baseName(), QStringLiteral("A"));
    EXPECT_EQ(handed, QStringList{"A"});
}

// A grid on a tab nobody opened decodes no pictures; its first showing gives every cell its
// preview, and cells added afterwards come with theirs.
TEST(BackgroundBrowser, PreviewsAreDecodedOnlyOnceTheGridShows)
{
    QTemporaryDir dir;
    for (const char *name : {"A", "B", "C"}) {
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        ASSERT_TRUE(picture.save(dir.filePath(QString::fromLatin1(name) + ".png")));
    }
    BackgroundBrowser browser;
    browser.Load_and_fill_backgrounds(dir.path());
    ASSERT_EQ(browser.count(), 3);
    for (int i = 0; i < browser.count(); ++i)
        EXPECT_TRUE(browser.item(i)->icon().isNull()) << i;
    browser.show();
    for (int i = 0; i < browser.count(); ++i)
        EXPECT_FALSE(browser.item(i)->icon().isNull()) << i;
    browser.addImageWithPath(dir.filePath("A.png"), "again", "again");
    EXPECT_FALSE(browser.item(3)->icon().isNull());
}

}  // namespace

