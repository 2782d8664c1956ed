// The card background under and over the controls: outline, fills, watermark and border.
#include "CoreTestSupport.h"

#include "core/CardPainting.h"
#include "core/Card_Property.h"
#include "core/Shape_Control.h"

#include "TestSupport.h"

#include <QFontMetricsF>
#include <QPainter>
#include <gtest/gtest.h>

using namespace coretest;

namespace {

const QRectF kCard(0, 0, 243, 154);

// Paints base, optional controls and border, as the canvas and the renderer do.
QImage paintCard(const Card_Property &prop, int shape, QColor underneath = Qt::transparent,
                 const std::function<void(QPainter &)> &controls = {})
{
    QImage image = cardImage(243, 154, underneath);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    Card_Base_Drawing(painter, prop, shape, kCard);
    if (controls)
        controls(painter);
    Card_Border_Drawing(painter, prop, shape, kCard);
    return image;
}

TEST(CardPainting, OutlineShapes)
{
    struct Case {
        int shape;
        QPoint corner;  // a pixel outside the outline near the corner
        bool cornerUntouched;
    } cases[] = {
        {1, {0, 0}, true}, {1, {1, 1}, true}, {2, {20, 10}, true}, {0, {0, 0}, false}, {7, {0, 0}, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.shape);
        Card_Property prop;
        const QImage image = paintCard(prop, c.shape, Qt::green);
        EXPECT_EQ(image.pixelColor(c.corner) == QColor(Qt::green), c.cornerUntouched);
        EXPECT_EQ(image.pixelColor(121, 77), QColor(Qt::white)) << "fill off: the card is white";
    }
}

TEST(CardPainting, ControlsInTheCornerOfARoundedCardAreCutOff)
{
    Card_Property prop;
    Shape_Control corner;
    corner._bounds = QRectF(0, 0, 30, 30);
    corner._fillColor = Qt::red;
    corner._isDrawingStroke = false;
    const QImage image = paintCard(prop, 1, Qt::green, [&](QPainter &p) { corner.drawContentsInView(p, false); });
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::green));
    EXPECT_EQ(image.pixelColor(15, 15), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(5, 5), QColor(Qt::red)) << "inside the quarter circle of radius 10";
}

TEST(CardPainting, Fills)
{
    testsupport::TempDataFolder folders;
    QImage picture(10, 10, QImage::Format_ARGB32);
    picture.fill(Qt::red);
    struct Case {
        const char *name;
        QString style;
        QString layout;
        QString hatch;
        bool withPicture;
        float alpha;
        QPoint at;
        QColor expected;
    } cases[] = {
        {"solid", "S", "", "", false, 100, {100, 70}, Qt::blue},
        {"hatch ground", "H", "", "Vertical", false, 100, {3, 70}, Qt::yellow},
        {"hatch line", "H", "", "Vertical", false, 100, {6, 70}, Qt::black},
        {"missing hatch", "H", "", "Nothing_Here", false, 100, {6, 70}, Qt::yellow},
        {"picture stretched at half opacity", "I", "Stretch", "", true, 0.5f, {100, 70}, QColor(255, 127, 127)},
        {"picture tiled stays opaque", "I", "Tile", "", true, 0.5f, {100, 70}, Qt::red},
        {"no picture: white", "I", "Stretch", "", false, 1, {100, 70}, Qt::white},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Card_Property prop;
        prop.setCard_fill_chk(true);
        prop.setCard_fill_style(c.style);
        prop.setCard_fill_clr(Qt::blue);
        prop.setCard_hatch_bk_clr(Qt::yellow);
        prop.setCard_hatch_style(c.hatch);
        prop.setCard_BG_Image_Layout(c.layout);
        prop.setCard_alpha_Stepper(c.alpha);
        if (c.withPicture)
            prop.setCard_BG_Image(picture);
        const QImage image = paintCard(prop, 0);
        EXPECT_TRUE(near(image.pixelColor(c.at), c.expected, 10)) << image.pixelColor(c.at).name().toStdString();
    }
}

TEST(CardPainting, GradientAtNinetyDegreesRunsTopToBottom)
{
    Card_Property prop;
    prop.setCard_fill_chk(true);
    prop.setCard_fill_style(QStringLiteral("G"));
    prop.setCard_fill_Grd_1_clr(Qt::red);
    prop.setCard_fill_Grd_2_clr(Qt::blue);
    prop.setCard_grad_Stepper(90);
    const QImage image = paintCard(prop, 0);
    EXPECT_TRUE(near(image.pixelColor(120, 0), Qt::red, 6));
    EXPECT_TRUE(near(image.pixelColor(120, 153), Qt::blue, 6));
    const QColor middle = image.pixelColor(120, 77);
    EXPECT_NEAR(middle.red(), 127, 6);
    EXPECT_NEAR(middle.blue(), 127, 6);
    for (const int y : {10, 77, 140})
        EXPECT_EQ(image.pixelColor(2, y), image.pixelColor(240, y)) << "constant across a row " << y;

    prop.setCard_grad_Stepper(0);
    const QImage across = paintCard(prop, 0);
    EXPECT_TRUE(near(across.pixelColor(0, 77), Qt::red, 6));
    EXPECT_TRUE(near(across.pixelColor(242, 77), Qt::blue, 6));
}

TEST(CardPainting, BorderDashesMeasuredAlongTheTopEdge)
{
    struct Case {
        QString style;
        int width;
        std::vector<int> runs;
    } cases[] = {
        {"DD", 4, {24, 10, 6, 10, 24, 10, 6, 10}},
        {"DD", 1, {24, 10, 6, 10, 24, 10, 6, 10}},
        {"DA", 6, {8, 2, 8, 2, 8, 2}},
        {"DO", 3, {4, 6, 4, 6, 4, 6}},
        {"DDD", 2, {24, 8, 8, 8, 8, 8, 24}},
        {"S", 4, {243}},
        {"", 4, {243}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE((c.style + " " + QString::number(c.width)).toStdString());
        Card_Property prop;
        prop.setCard_border_chk(true);
        prop.setCard_border_style(c.style);
        prop.setCard_bor_Stepper(c.width);
        prop.setCard_bordr_clr(Qt::black);
        const QImage image = paintCard(prop, 0);
        // The inner half of the line shows: rows 0 .. width/2 - 1.
        std::vector<int> runs = rowRuns(image, 0, 0, 243, [](QRgb p) { return qGray(p) < 128; });
        runs.resize(std::min(runs.size(), c.runs.size()));
        EXPECT_EQ(runs, c.runs);
        EXPECT_EQ(image.pixelColor(121, std::max(1, c.width / 2) + 1), QColor(Qt::white)) << "the outer half is clipped";
    }
}

TEST(CardPainting, WatermarkInEachAlignment)
{
    QFont font(QStringLiteral("Sans"));
    font.setPointSizeF(20);
    QImage probe = cardImage(10, 10);
    const double textHeight = QFontMetricsF(font, &probe).height();
    struct Case {
        int alignment;
        double top;
    } cases[] = {
        {0, 0}, {1, (154 - textHeight) / 2}, {2, 154 - textHeight}, {5, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.alignment);
        Card_Property prop;
        prop.setWatermark_Used(true);
        prop.setWatermark_Text(QStringLiteral("WWW"));
        prop.setWatermark_Font(font);
        prop.setWatermark_Color(Qt::black);
        prop.setWatermark_Transp(1.0f);
        prop.setWatermark_Alignment(c.alignment);
        const QImage image = paintCard(prop, 0);
        int minX = 243, maxX = -1, minY = 154, maxY = -1;
        for (int y = 0; y < 154; ++y)
            for (int x = 0; x < 243; ++x)
                if (qGray(image.pixel(x, y)) < 128) {
                    minX = std::min(minX, x);
                    maxX = std::max(maxX, x);
                    minY = std::min(minY, y);
                    maxY = std::max(maxY, y);
                }
        ASSERT_GE(maxY, 0) << "the watermark is drawn";
        EXPECT_GE(minY, int(c.top) - 1);
        EXPECT_LE(maxY, int(c.top + textHeight) + 1);
        EXPECT_GT(maxY - minY, textHeight / 3) << "a line of capitals";
        EXPECT_NEAR((minX + maxX) / 2.0, 121.5, 3) << "centred across the card";
    }

    // Two lines, one by a line break and one by wrapping: at the bottom, the last ends on the
    // bottom edge and nothing runs off the card.
    for (const QString &text : {QStringLiteral("WWW\nWWW"), QStringLiteral("WWWWWWW WWWWWWW")}) {
        Card_Property prop;
        prop.setWatermark_Used(true);
        prop.setWatermark_Text(text);
        prop.setWatermark_Font(font);
        prop.setWatermark_Alignment(2);
        const QImage image = paintCard(prop, 0);
        int minY = 154, maxY = -1;
        for (int y = 0; y < 154; ++y)
            for (int x = 0; x < 243; ++x)
                if (qGray(image.pixel(x, y)) < 128) {
                    minY = std::min(minY, y);
                    maxY = std::max(maxY, y);
                }
        SCOPED_TRACE(text.toStdString());
        EXPECT_GE(minY, int(154 - 2 * textHeight) - 1) << "two lines above the bottom";
        EXPECT_LT(minY, int(154 - textHeight)) << "the first line stands above the last";
        EXPECT_GT(maxY, int(154 - textHeight / 2)) << "the last line sits on the bottom edge";
    }

    Card_Property hidden;
    hidden.setWatermark_Used(true);
    hidden.setWatermark_Font(font);
    hidden.setWatermark_Transp(0);
    const QImage image = paintCard(hidden, 0);
    for (int y = 0; y < 154; y += 2)
        for (int x = 0; x < 243; x += 2)
            ASSERT_EQ(image.pixelColor(x, y), QColor(Qt::white)) << "transparency 0 hides the text";
}

}  // namespace
