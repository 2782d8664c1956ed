// The card background under and over the controls: outline, fills, watermark and border.
#include "CoreTestSupport.h"

#include "core/CardPainting.h"

#include "TestSupport.h"

#include <QFontMetricsF>
#include <cmath>
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
    // A red control over the top left corner: outside the outline neither card nor control shows.
    const auto corner = kindstest::filledRect(QRectF(0, 0, 30, 30), Qt::red);
    const auto withCorner = [&](QPainter &p) { corner->drawContentsInView(p, false); };
    const struct {
        int shape;
        QPoint at;
        QColor expected;
    } cases[] = {
        {1, {0, 0}, Qt::green},   {1, {1, 1}, Qt::green}, {1, {5, 5}, Qt::red},  // rounded, radius 10
        {2, {20, 10}, Qt::green}, {0, {0, 0}, Qt::red},   {7, {0, 0}, Qt::red},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.shape);
        const QImage image = paintCard(Card_Property(), c.shape, Qt::green, withCorner);
        EXPECT_EQ(image.pixelColor(c.at), c.expected);
        EXPECT_EQ(image.pixelColor(121, 77), QColor(Qt::white)) << "fill off: the card is white";
    }
}

TEST(CardPainting, Fills)
{
    testsupport::TempDataFolder folders;
    QImage picture(10, 10, QImage::Format_ARGB32);
    picture.fill(Qt::red);
    const QColor purple(127, 0, 127);
    // The style, then the hatch, picture layout or gradient angle; a picture is a red square.
    struct Case {
        const char *name, *fill;
        bool withPicture;
        float alpha;
        QPoint at;
        QColor expected;
    } cases[] = {
        {"solid", "S", false, 100, {100, 70}, Qt::blue},
        {"hatch ground", "H Vertical", false, 100, {3, 70}, Qt::yellow},
        {"hatch line", "H Vertical", false, 100, {6, 70}, Qt::black},
        {"missing hatch", "H Nothing_Here", false, 100, {6, 70}, Qt::yellow},
        {"picture stretched at half opacity", "I Stretch", true, 0.5f, {100, 70}, QColor(255, 127, 127)},
        {"picture tiled stays opaque", "I Tile", true, 0.5f, {100, 70}, Qt::red},
        {"no picture: white", "I Stretch", false, 1, {100, 70}, Qt::white},
        {"gradient 90: top", "G 90", false, 100, {120, 0}, Qt::red},
        {"gradient 90: bottom", "G 90", false, 100, {120, 153}, Qt::blue},
        {"gradient 90: middle", "G 90", false, 100, {120, 77}, purple},
        {"gradient 90: same across a row", "G 90", false, 100, {2, 77}, purple},
        {"gradient 0: left", "G 0", false, 100, {0, 77}, Qt::red},
        {"gradient 0: right", "G 0", false, 100, {242, 77}, Qt::blue},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QStringList fill = QString::fromLatin1(c.fill).split(QLatin1Char(' '));
        Card_Property prop;
        prop.setCard_fill_chk(true);
        prop.setCard_fill_style(fill[0]);
        prop.setCard_hatch_style(fill.value(1));
        prop.setCard_BG_Image_Layout(fill.value(1));
        prop.setCard_grad_Stepper(fill.value(1).toInt());
        prop.setCard_fill_clr(Qt::blue);
        prop.setCard_hatch_bk_clr(Qt::yellow);
        prop.setCard_alpha_Stepper(c.alpha);
        prop.setCard_fill_Grd_1_clr(Qt::red);
        prop.setCard_fill_Grd_2_clr(Qt::blue);
        if (c.withPicture)
            prop.setCard_BG_Image(picture);
        const QImage image = paintCard(prop, 0);
        EXPECT_TRUE(near(image.pixelColor(c.at), c.expected)) << image.pixelColor(c.at).name().toStdString();
    }
}

TEST(CardPainting, BorderDashesMeasuredAlongTheTopEdge)
{
    struct Case {
        QString style;
        int width;
        std::vector<int> runs;
    } cases[] = {
        {"DD", 4, {24, 10, 6, 10, 24, 10, 6, 10}}, {"DD", 1, {24, 10, 6, 10, 24, 10, 6, 10}},
        {"DA", 6, {8, 2, 8, 2, 8, 2}},             {"DO", 3, {4, 6, 4, 6, 4, 6}},
        {"DDD", 2, {24, 8, 8, 8, 8, 8, 24}},       {"S", 4, {243}},
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
        const int below = std::max(1, c.width / 2) + 1;
        EXPECT_EQ(image.pixelColor(121, below), QColor(Qt::white)) << "the outer half is clipped";
    }
}

TEST(CardPainting, WatermarkInEachAlignment)
{
    QFont font(QStringLiteral("Sans"));
    font.setPointSizeF(20);
    QImage probe = cardImage(10, 10);
    const double h = QFontMetricsF(font, &probe).height();
    // Long text wraps at the card width: a bottom-aligned block ends on the bottom edge.
    struct Case {
        const char *text;
        int alignment;
        float transparency;
        int lines;  // 0: nothing shows
        double top;
    } cases[] = {
        {"WWW", 0, 1, 1, 0},         {"WWW", 1, 1, 1, (154 - h) / 2},         {"WWW", 2, 1, 1, 154 - h},
        {"WWW", 5, 1, 1, 0},         {"WWW\nWWW", 2, 1, 2, 154 - 2 * h},      {"WWW", 0, 0, 0, 0},
        {"WWWWWWW WWWWWWW", 2, 1, 2, 154 - 2 * h},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.text) + " " + std::to_string(c.alignment));
        Card_Property prop;
        prop.setWatermark_Used(true);
        prop.setWatermark_Text(QString::fromLatin1(c.text));
        prop.setWatermark_Font(font);
        prop.setWatermark_Transp(c.transparency);
        prop.setWatermark_Alignment(c.alignment);
        const QImage image = paintCard(prop, 0);
        const QRect ink = kindstest::inkBox(image, [](QColor p) { return p != QColor(Qt::white); });
        ASSERT_EQ(ink.isEmpty(), c.lines == 0) << "transparency 0 hides the text";
        if (ink.isEmpty())
            continue;
        EXPECT_GE(ink.top(), int(c.top) - 1);
        EXPECT_LE(ink.bottom(), int(c.top + c.lines * h) + 1);
        EXPECT_GT(ink.bottom(), int(c.top + c.lines * h - h / 2)) << "the last line's capitals";
        EXPECT_GT(ink.height(), (c.lines - 1) * h + h / 3) << "every line shows";
        EXPECT_NEAR((ink.left() + ink.right()) / 2.0, 121.5, 3) << "centred across the card";
    }
}

}  // namespace

TEST(CardPainting, RoundedOutlineIsSmoothAt600Dpi)
{
    // The rounded card, filled yellow with a black border, drawn at 600 dpi over blue; beside it
    // the same outline and the border's inner edge filled straight in device pixels. Their edges
    // agree pixel for pixel, so the corner is a curve, never the chords of one cut at point size.
    const double scale = 600.0 / 72.0;
    const QRectF card = kCard.translated(5, 5);
    const auto blank = [&] {
        QImage image(int(40 * scale), int(40 * scale), QImage::Format_RGB32);
        image.fill(Qt::blue);
        return image;
    };
    QImage drawn = blank();
    {
        Card_Property prop;
        prop.setCard_fill_chk(true);
        prop.setCard_fill_style(QStringLiteral("S"));
        prop.setCard_fill_clr(Qt::yellow);
        prop.setCard_border_chk(true);
        prop.setCard_border_style(QStringLiteral("S"));
        prop.setCard_bor_Stepper(2);
        prop.setCard_bordr_clr(Qt::black);
        QPainter painter(&drawn);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(scale, scale);
        Card_Base_Drawing(painter, prop, 1, card);
        Card_Border_Drawing(painter, prop, 1, card);
    }
    QImage reference = blank();
    {
        QPainter painter(&reference);
        painter.setRenderHint(QPainter::Antialiasing);
        const QTransform toDevice = QTransform::fromScale(scale, scale);
        painter.fillPath(toDevice.map(Card_Outline_Path(1, card)), Qt::black);
        // The border's visible inner half ends 1 pt inside, on an arc of 9 pt.
        QPainterPath inner;
        inner.addRoundedRect(card.adjusted(1, 1, -1, -1), 9, 9);
        painter.fillPath(toDevice.map(inner), Qt::yellow);
    }
    int worst = 0;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x) {
            const QRgb a = drawn.pixel(x, y), b = reference.pixel(x, y);
            worst = std::max({worst, std::abs(qRed(a) - qRed(b)), std::abs(qBlue(a) - qBlue(b))});
        }
    EXPECT_LT(worst, 128) << "a pixel on the corner is off by more than half its coverage";
}
