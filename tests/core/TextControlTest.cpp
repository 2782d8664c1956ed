// The text control: what it paints, where, and the size it asks for.
#include "CoreTestSupport.h"

#include "core/SKTText.h"

#include <QPainter>
#include <gtest/gtest.h>

using namespace kindstest;

namespace {

const QFont kFont(QStringLiteral("DejaVu Sans"), 14);

std::unique_ptr<SKTText> textControl(const QString &text, const QRectF &bounds)
{
    auto t = std::make_unique<SKTText>();
    t->_bounds = bounds;
    t->text_ctrl_font = kFont;
    t->txt_clr = Qt::black;
    t->Set_text_value(text);
    return t;
}

// The control alone painted on a white 243 x 154 card at 72 dpi (or `scale` times that).
QImage paint(SKTText &t, bool creating = false, double scale = 1.0)
{
    QImage image = coretest::cardImage(int(243 * scale), int(154 * scale), Qt::white);
    QPainter painter(&image);
    painter.scale(scale, scale);
    t.drawContentsInView(painter, creating);
    return image;
}

bool isRed(QColor c) { return c.red() > 200 && c.green() < 80 && c.blue() < 80; }

}  // namespace

TEST(TextControl, NaturalSizeGrowsWithTheFontSize)
{
    coretest::RecordingHub hub;
    QSizeF previous;
    for (int size : {8, 12, 18, 24, 36}) {
        SCOPED_TRACE(size);
        auto t = textControl(QStringLiteral("Jane Example"), QRectF(10, 10, 0, 0));
        t->text_ctrl_font.setPointSize(size);
        const QSizeF natural = t->naturalSize();
        EXPECT_GT(natural.width(), previous.width());
        EXPECT_GT(natural.height(), previous.height());
        EXPECT_GT(natural.height(), size) << "a line is at least as tall as its font";
        EXPECT_LT(natural.height(), 2 * size) << "and it stays one line";
        previous = natural;
    }
}

TEST(TextControl, NaturalSizeIsMeasuredWithWhatIsDrawn)
{
    coretest::RecordingHub hub;
    auto plain = textControl(QStringLiteral("wide words"), QRectF(0, 0, 0, 0));
    auto upper = textControl(QStringLiteral("wide words"), QRectF(0, 0, 0, 0));
    upper->text_transfrom_case = 1;
    auto kerned = textControl(QStringLiteral("wide words"), QRectF(0, 0, 0, 0));
    kerned->text_kerning = 3;
    auto padded = textControl(QStringLiteral("  wide words \n"), QRectF(0, 0, 0, 0));
    EXPECT_GT(upper->naturalSize().width(), plain->naturalSize().width());
    EXPECT_NEAR(kerned->naturalSize().width(), plain->naturalSize().width() + 10 * 3, 2.0);
    EXPECT_EQ(padded->naturalSize(), plain->naturalSize()) << "spaces and line ends around the text are not drawn";

    // Wrapped at the control's width, the height counts every line.
    auto narrow = textControl(QStringLiteral("one two three four five six"), QRectF(0, 0, 60, 20));
    auto wide = textControl(QStringLiteral("one two three four five six"), QRectF(0, 0, 1000, 20));
    EXPECT_LE(narrow->naturalSize().width(), 60);
    EXPECT_GE(narrow->naturalSize().height(), 3 * wide->naturalSize().height() - 1);
}

TEST(TextControl, MakeNaturalSizeKeepsTheOriginAndTheTextFitsOnOneLine)
{
    coretest::RecordingHub hub;
    auto t = textControl(QStringLiteral("Visitor"), QRectF(20, 30, 200, 100));
    t->text_ctrl_font.setPointSize(12);
    t->makeNaturalSize();
    const QRectF b = t->bounds();
    EXPECT_EQ(b.topLeft(), QPointF(20, 30));
    EXPECT_LT(b.width(), 100);
    EXPECT_LT(b.height(), 24);
    EXPECT_EQ(t->naturalSize(), b.size()) << "at its natural width the text does not wrap";

    auto locked = textControl(QStringLiteral("Visitor"), QRectF(20, 30, 200, 100));
    locked->ctrl_is_locked = true;
    locked->makeNaturalSize();
    EXPECT_EQ(locked->bounds(), QRectF(20, 30, 200, 100));
}

TEST(TextControl, VerticalPlacementUsesTheWrappedHeight)
{
    struct Case {
        int vertical;
        const char *where;
    } cases[] = {{0, "top"}, {7, "top"}, {1, "bottom"}, {2, "middle"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.vertical);
        coretest::RecordingHub hub;
        // Three lines at this width: an unwrapped measure would place one line's height.
        auto t = textControl(QStringLiteral("alpha beta gamma delta epsilon"), QRectF(20, 10, 90, 130));
        t->_isDrawingFill = false;
        t->text_alignmnet_Vert = c.vertical;
        const QRect ink = inkBox(paint(*t), isDark);
        ASSERT_FALSE(ink.isEmpty());
        EXPECT_GT(ink.height(), 40) << "the text wraps";
        if (std::string(c.where) == "top")
            EXPECT_LT(ink.top() - 10, 8);
        else if (std::string(c.where) == "bottom")
            EXPECT_LT(140 - ink.bottom(), 8);
        else
            EXPECT_NEAR((ink.top() + ink.bottom()) / 2.0, 75, 4);
    }
}

TEST(TextControl, HorizontalAlignment)
{
    struct Case {
        int alignment;
        double expectedCentre;  // of the ink, in the 20..220 box
    } cases[] = {{0, -1}, {1, 1}, {2, 0}, {4, -1}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.alignment);
        coretest::RecordingHub hub;
        auto t = textControl(QStringLiteral("Name"), QRectF(20, 10, 200, 40));
        t->_isDrawingFill = false;
        t->text_alignmnet = c.alignment;
        const QRect ink = inkBox(paint(*t), isDark);
        ASSERT_FALSE(ink.isEmpty());
        if (c.expectedCentre < 0)
            EXPECT_LE(ink.left(), 23);
        else if (c.expectedCentre > 0)
            EXPECT_GE(ink.right(), 216);
        else
            EXPECT_NEAR((ink.left() + ink.right()) / 2.0, 120, 3);
    }
}

TEST(TextControl, JustifiedLinesReachBothEdgesButTheLastDoesNot)
{
    coretest::RecordingHub hub;
    auto t = textControl(QStringLiteral("aa bb cc dd ee ff gg hh ii jj kk ll mm nn"), QRectF(20, 10, 150, 130));
    t->_isDrawingFill = false;
    t->text_alignmnet = 3;
    t->text_alignmnet_Vert = 0;
    const QImage image = paint(*t);
    const QRect firstLine = inkBox(image.copy(0, 10, 243, 16), isDark);
    EXPECT_LE(firstLine.left(), 22);
    EXPECT_GE(firstLine.right(), 165);
}

TEST(TextControl, CaseTransforms)
{
    struct Case {
        int code;
        const char *in, *out;
    } cases[] = {
        {0, "mIxed case", "mIxed case"}, {1, "mIxed case", "MIXED CASE"},  {2, "mIxed case", "mixed case"},
        {3, "mIxed  case\nnEXT", "Mixed  Case\nNext"}, {5, "mIxed case", "mIxed case"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Text_With_Case_Transform(QString::fromUtf8(c.in), c.code), QString::fromUtf8(c.out)) << c.code;
}

TEST(TextControl, BlankTextDrawsTheBackgroundButNoBorder)
{
    coretest::RecordingHub hub;
    auto t = textControl(QStringLiteral("  \n\t "), QRectF(20, 20, 100, 60));
    t->_isDrawingFill = true;
    t->_fillColor = Qt::green;
    t->_isDrawingStroke = true;
    t->_strokeColor = Qt::red;
    t->_strokeWidth = 4;
    const QImage image = paint(*t);
    EXPECT_EQ(image.pixelColor(70, 50), QColor(Qt::green));
    EXPECT_EQ(image.pixelColor(21, 50), QColor(Qt::green)) << "no border over the edge";

    t->Set_text_value(QStringLiteral("x"));
    EXPECT_TRUE(isRed(paint(*t).pixelColor(20, 50))) << "with text the border is drawn";
}

TEST(TextControl, HiddenDrawsNothingAndCreationShowsOnlyAFrame)
{
    coretest::RecordingHub hub;
    auto t = textControl(QStringLiteral("Hidden"), QRectF(20, 20, 100, 60));
    t->_isDrawingFill = true;
    t->_fillColor = Qt::green;
    t->ctrl_is_visible = false;
    const QImage hidden = paint(*t);
    EXPECT_TRUE(inkBox(hidden, [](QColor c) { return c != QColor(Qt::white); }).isEmpty());

    t->ctrl_is_visible = true;
    const QImage creating = paint(*t, true);
    const QRect frame = inkBox(creating, [](QColor c) { return c != QColor(Qt::white); });
    EXPECT_EQ(frame, QRect(19, 19, 102, 62)) << "a frame one point outside the bounds";
    EXPECT_EQ(creating.pixelColor(70, 50), QColor(Qt::white)) << "no fill and no text while creating";
}

TEST(TextControl, RotationTurnsTextAndOutlineAboutTheCentre)
{
    coretest::RecordingHub hub;
    auto t = textControl(QStringLiteral("Long line"), QRectF(60, 57, 120, 40));
    t->_isDrawingFill = true;
    t->_fillColor = Qt::green;
    t->text_rotation = 90;
    const QImage image = paint(*t);
    const QRect ink = inkBox(image, isDark);
    EXPECT_GT(ink.height(), ink.width()) << "the line runs downwards";
    EXPECT_NEAR((ink.left() + ink.right()) / 2.0, 120, 12);
    const QRect fill = inkBox(image, [](QColor c) { return c.green() > 200 && c.red() < 50; });
    EXPECT_NEAR(fill.width(), 40, 2) << "the background follows the turned outline";
    EXPECT_NEAR(fill.height(), 120, 2);
}

TEST(TextControl, ShadowOpacityFollowsTheTransparencyAndIsKept)
{
    struct Case {
        float transparency;
        int minRed, maxRed;  // red channel of the shadow over white
        int alpha;
    } cases[] = {{50, 0, 10, 255}, {0.5f, 110, 145, 128}, {1, 0, 10, 255}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.transparency);
        coretest::RecordingHub hub;
        auto t = textControl(QStringLiteral("I"), QRectF(20, 20, 100, 60));
        t->text_ctrl_font = QFont(QStringLiteral("DejaVu Sans"), 40, QFont::Black);
        t->_isDrawingFill = false;
        t->txt_clr = Qt::transparent;  // only the shadow shows
        t->text_alignmnet = 0;
        t->Drawing_Shadow = true;
        t->Shadow_Color = Qt::black;
        t->Shadow_offset_X = 30;
        t->Shadow_offset_Y = 10;
        t->Shadow_blur = 0;
        t->Shadow_transparency = c.transparency;
        const QImage image = paint(*t);
        const QRect shadow = inkBox(image, [](QColor p) { return p.lightness() < 200; });
        ASSERT_FALSE(shadow.isEmpty());
        EXPECT_GE(shadow.left(), 20 + 30) << "offset to the right";
        const QColor core = image.pixelColor(shadow.center());
        EXPECT_GE(core.red(), c.minRed);
        EXPECT_LE(core.red(), c.maxRed);
        EXPECT_EQ(t->Shadow_Color.alpha(), c.alpha);
    }
}

TEST(TextControl, BlurredShadowSpreadsBeyondTheGlyphs)
{
    coretest::RecordingHub hub;
    auto sharp = textControl(QStringLiteral("I"), QRectF(20, 20, 100, 60));
    sharp->text_ctrl_font = QFont(QStringLiteral("DejaVu Sans"), 40, QFont::Black);
    sharp->_isDrawingFill = false;
    sharp->txt_clr = Qt::transparent;
    sharp->Drawing_Shadow = true;
    sharp->Shadow_Color = Qt::black;
    sharp->Shadow_transparency = 1;
    sharp->Shadow_offset_X = 0;
    sharp->Shadow_offset_Y = 0;
    sharp->Shadow_blur = 0;
    auto soft = textControl(QStringLiteral("I"), QRectF(20, 20, 100, 60));
    soft->text_ctrl_font = sharp->text_ctrl_font;
    soft->_isDrawingFill = false;
    soft->txt_clr = Qt::transparent;
    soft->Drawing_Shadow = true;
    soft->Shadow_Color = Qt::black;
    soft->Shadow_transparency = 1;
    soft->Shadow_offset_X = 0;
    soft->Shadow_offset_Y = 0;
    soft->Shadow_blur = 8;
    auto touched = [](QColor p) { return p.lightness() < 250; };
    const QRect a = inkBox(paint(*sharp), touched), b = inkBox(paint(*soft), touched);
    EXPECT_GT(b.width(), a.width() + 4);
    // At four times the resolution the soft shadow covers the same card area.
    const QRect big = inkBox(paint(*soft, false, 4.0), touched);
    EXPECT_NEAR(big.width() / 4.0, b.width(), 3);
}

TEST(TextControl, KeyValueUndoOfTheText)
{
    coretest::RecordingHub hub;
    SKTText t;
    EXPECT_FALSE(t.keysForValuesToObserveForUndo().contains(SKTTextUndoContentsKey));
    QStringList heard;
    t.addObserver([&](SKTGraphic &g, const QString &key, const QVariant &, const QVariant &) {
        heard << key;
        if (key == SKTTextUndoContentsKey) {
            EXPECT_TRUE(g.keysForValuesToObserveForUndo().contains(SKTTextUndoContentsKey));
        }
    });
    t.setValueForKey(SKTTextUndoContentsKey, QStringLiteral("Changed"));
    EXPECT_EQ(t.Text_Value, "Changed");
    EXPECT_EQ(t.Text_contents().string, "Changed");
    EXPECT_TRUE(heard.contains(SKTTextUndoContentsKey));
    EXPECT_EQ(t.presentablePropertyNameForKey(SKTTextUndoContentsKey), "Text");

    // While the height follows the text, the bounds change is not one the document records.
    t._bounds = QRectF(0, 0, 50, 300);
    t.text_ctrl_font = kFont;
    int boundsChanges = 0;
    t.addObserver([&](SKTGraphic &g, const QString &key, const QVariant &, const QVariant &) {
        if (key == SKTGraphicBoundsKey) {
            ++boundsChanges;
            EXPECT_FALSE(g.keysForValuesToObserveForUndo().contains(SKTGraphicBoundsKey));
        }
    });
    t.setHeightToMatchContents();
    EXPECT_EQ(boundsChanges, 1);
    EXPECT_EQ(t.bounds().width(), 50);
    EXPECT_LT(t.bounds().height(), 40);
    EXPECT_TRUE(t.keysForValuesToObserveForUndo().contains(SKTGraphicBoundsKey)) << "restored afterwards";
}
