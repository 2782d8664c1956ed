// The text control: what it paints, where, and the size it asks for.
#include "CoreTestSupport.h"

#include "core/ControlArchive.h"
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

bool isGreen(QColor c) { return c.green() > 200 && c.red() < 50; }
bool notWhite(QColor c) { return c != QColor(Qt::white); }

}  // namespace

TEST(TextControl, NaturalSizeIsMeasuredWithWhatIsDrawn)
{
    coretest::RecordingHub hub;
    const QString words = QStringLiteral("wide words"), six = QStringLiteral("one two three four five six");
    const QSizeF plain = textControl(words, {})->naturalSize();
    const double w = plain.width(), h = plain.height();
    using Set = void (*)(SKTText &);
    const Set as = [](SKTText &) {}, upper = [](SKTText &t) { t.text_transfrom_case = 1; };
    const Set kern = [](SKTText &t) { t.text_kerning = 3; };
    const Set big = [](SKTText &t) { t.text_ctrl_font.setPointSize(36); };
    struct Case {
        const char *name;
        QString text;
        double boundsWidth;  // the text wraps at it
        Set set;
        QSizeF min, max;
    } cases[] = {
        {"upper case is wider", words, 0, upper, {w + 5, h}, {w * 2, h}},
        {"kerning: 3 points a gap", words, 0, kern, {w + 28, h}, {w + 32, h}},
        {"spaces and line ends around are not drawn", "  wide words \n", 0, as, plain, plain},
        {"36 points: one line as tall as its font", words, 0, big, {2.4 * w, 36}, {2.8 * w, 72}},
        {"wrapped: every line counts", six, 60, as, {0, 3 * h - 1}, {60, 6 * h}},
        {"unwrapped at a wide control", six, 1000, as, {2 * w, h}, {4 * w, h}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        auto t = textControl(c.text, QRectF(5, 7, c.boundsWidth, 20));
        c.set(*t);
        const QSizeF n = t->naturalSize();
        EXPECT_GE(n.width(), c.min.width());
        EXPECT_LE(n.width(), c.max.width());
        EXPECT_GE(n.height(), c.min.height());
        EXPECT_LE(n.height(), c.max.height());
        t->makeNaturalSize();
        EXPECT_EQ(t->bounds(), QRectF(QPointF(5, 7), n)) << "the origin stays";
        EXPECT_EQ(t->naturalSize(), n) << "at its natural width the text wraps no further";
    }
    auto locked = textControl(words, QRectF(20, 30, 200, 100));
    locked->ctrl_is_locked = true;
    locked->makeNaturalSize();
    EXPECT_EQ(locked->bounds(), QRectF(20, 30, 200, 100));
}

TEST(TextControl, WhereTheInkAndBackgroundAre)
{
    const char *wraps = "alpha beta gamma delta epsilon", *name = "Name", *turned = "Long line";
    const char *blank = "  \n\t ", *justified = "aa bb cc dd ee ff gg hh ii jj kk ll mm nn";
    const QRect tall(20, 10, 90, 130), line(20, 10, 200, 40), wide(20, 10, 150, 130), box(20, 20, 100, 60);
    const QRect across(60, 57, 120, 40), none;
    const QMargins one(1, 1, 1, 1);
    enum { Hidden = 1, Creating = 2, Filled = 4 };
    // Wrapped text (four lines) is placed by its wrapped height; unknown codes are top and left.
    // Filled: green inside a red border 4 wide, turned with the control. Justified: the first line.
    struct Case {
        const char *name;
        QString text;
        QRect bounds;
        int horizontal, vertical, rotation, flags;
        bool (*inked)(QColor);
        QRect expected;
        int tolerance;
    } cases[] = {
        {"top", wraps, tall, 0, 0, 0, 0, isDark, {21, 13, 77, 68}, 3},
        {"unknown vertical: top", wraps, tall, 0, 7, 0, 0, isDark, {21, 13, 77, 68}, 3},
        {"bottom", wraps, tall, 0, 1, 0, 0, isDark, {21, 71, 77, 68}, 3},
        {"middle", wraps, tall, 0, 2, 0, 0, isDark, {21, 42, 77, 68}, 3},
        {"left", name, line, 0, 0, 0, 0, isDark, {22, 13, 41, 11}, 3},
        {"unknown horizontal: left", name, line, 4, 0, 0, 0, isDark, {22, 13, 41, 11}, 3},
        {"right", name, line, 1, 0, 0, 0, isDark, {177, 13, 42, 11}, 3},
        {"centre", name, line, 2, 0, 0, 0, isDark, {99, 13, 42, 11}, 3},
        {"justified: first line, both edges", justified, wide, 3, 0, 0, 0, isDark, {21, 13, 148, 13}, 3},
        {"turned: background", turned, across, 2, 2, 90, Filled, isGreen, {102, 19, 36, 116}, 1},
        {"turned: the line runs downwards", turned, across, 2, 2, 90, 0, isDark, {112, 45, 14, 65}, 4},
        {"blank text: background, no border", blank, box, 2, 2, 0, Filled, notWhite, box, 0},
        {"with text the border", "x", box, 2, 2, 0, Filled, notWhite, box + one * 2, 1},
        {"hidden", name, box, 2, 2, 0, Hidden | Filled, notWhite, none, 0},
        {"creating: a frame one point out", name, box, 2, 2, 0, Creating | Filled, notWhite, box + one, 0},
        {"creating: no fill", name, box, 2, 2, 0, Creating | Filled, isGreen, none, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        coretest::RecordingHub hub;
        auto t = textControl(c.text, c.bounds);
        t->text_alignmnet = c.horizontal;
        t->text_alignmnet_Vert = c.vertical;
        t->text_rotation = c.rotation;
        t->ctrl_is_visible = !(c.flags & Hidden);
        t->_isDrawingFill = t->_isDrawingStroke = c.flags & Filled;
        t->_fillColor = Qt::green;
        t->_strokeColor = Qt::red;
        t->_strokeWidth = 4;
        const QRect look = c.horizontal == 3 ? QRect(0, 10, 243, 16) : QRect(0, 0, 243, 154);
        const QImage image = paint(*t, c.flags & Creating);
        const QRect ink = inkBox(image.copy(look), c.inked).translated(look.topLeft());
        ASSERT_EQ(ink.isEmpty(), c.expected.isEmpty());
        if (ink.isEmpty())
            continue;
        EXPECT_NEAR(ink.left(), c.expected.left(), c.tolerance);
        EXPECT_NEAR(ink.top(), c.expected.top(), c.tolerance);
        EXPECT_NEAR(ink.right(), c.expected.right(), c.tolerance);
        EXPECT_NEAR(ink.bottom(), c.expected.bottom(), c.tolerance);
    }
}

TEST(TextControl, CaseTransforms)
{
    const struct {
        int code;
        const char *in, *out;
    } cases[] = {
        {0, "mIxed case", "mIxed case"}, {1, "mIxed case", "MIXED CASE"}, {2, "mIxed case", "mixed case"},
        {3, "mIxed  case\nnEXT", "Mixed  Case\nNext"}, {5, "mIxed case", "mIxed case"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Text_With_Case_Transform(QString::fromUtf8(c.in), c.code), QLatin1String(c.out)) << c.code;
}

TEST(TextControl, ShadowOpacityFollowsTheTransparencyAndDrawingChangesNothing)
{
    // A transparent glyph: only its shadow shows, 30 points right and 10 down. The control is
    // stored alike before and after: a drawing that wrote into it would be a change no one made,
    // which the undo history would take for the user's step.
    struct Case {
        float transparency;
        int blur;
        double scale;
        int minRed, maxRed;  // red channel of the shadow's core over white
    } cases[] = {
        {50, 0, 1, 0, 10}, {0.5f, 0, 1, 110, 145}, {0.2f, 0, 1, 190, 215}, {1, 0, 1, 0, 10},
        {1, 8, 1, 0, 255}, {1, 8, 4, 0, 255},
    };
    std::vector<double> widths;
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.transparency << " blur " << c.blur << " at " << c.scale);
        coretest::RecordingHub hub;
        auto t = textControl(QStringLiteral("I"), QRectF(20, 20, 100, 60));
        t->text_ctrl_font = QFont(QStringLiteral("DejaVu Sans"), 40, QFont::Black);
        t->txt_clr = Qt::transparent;
        t->_isDrawingFill = false;
        t->text_alignmnet = 0;
        t->Drawing_Shadow = true;
        t->Shadow_Color = Qt::black;
        t->Shadow_offset_X = 30;
        t->Shadow_offset_Y = 10;
        t->Shadow_blur = c.blur;
        t->Shadow_transparency = c.transparency;
        t->Text_contents();  // made on first use from the value, as on the canvas
        const QByteArray stored = Archive_Graphic(*t);
        const QImage image = paint(*t, false, c.scale);
        EXPECT_EQ(Archive_Graphic(*t), stored) << "drawing changed the control";
        // Earlier saves hold the colour with the opacity already in it: read back, it draws the
        // same shadow.
        t->Shadow_Color.setAlphaF(std::clamp(c.transparency, 0.0f, 1.0f));
        const std::unique_ptr<SKTGraphic> earlier = Archived_Copy(*t);
        ASSERT_TRUE(earlier);
        EXPECT_EQ(paint(static_cast<SKTText &>(*earlier), false, c.scale), image);
        const QRect shadow = inkBox(image, [](QColor p) { return p.lightness() < 250; });
        ASSERT_FALSE(shadow.isEmpty());
        EXPECT_GE(shadow.center().x() / c.scale, 20 + 30 + 5) << "offset to the right";
        const QColor core = image.pixelColor(shadow.center());
        EXPECT_GE(core.red(), c.minRed);
        EXPECT_LE(core.red(), c.maxRed);
        widths.push_back(shadow.width() / c.scale);
    }
    EXPECT_GT(widths[4], widths[3] + 4) << "a blurred shadow spreads beyond the glyph";
    EXPECT_NEAR(widths[5], widths[4], 3) << "and covers the same card area at any resolution";
}

TEST(TextControl, KeyValueUndoOfTheText)
{
    coretest::RecordingHub hub;
    SKTText t;
    EXPECT_FALSE(t.keysForValuesToObserveForUndo().contains(SKTTextUndoContentsKey));
    int heard = 0;  // the text is recorded for undo while it changes, and only then
    t.addObserver([&](SKTGraphic &g, const QString &key, const QVariant &, const QVariant &) {
        heard += key == SKTTextUndoContentsKey && g.keysForValuesToObserveForUndo().contains(key);
    });
    t.setValueForKey(SKTTextUndoContentsKey, QStringLiteral("Changed"));
    EXPECT_EQ(t.Text_contents().string, "Changed");
    EXPECT_EQ(heard, 1);
    EXPECT_FALSE(t.keysForValuesToObserveForUndo().contains(SKTTextUndoContentsKey));
}

TEST(TextControl, ALongTextIsLaidOutOnceAndPaintedTheSameFromItsLayout)
{
    // Layouts are kept for the whole process: texts no earlier run of this test laid out.
    static int run = 0;
    const QString tail = QString::number(++run);
    SKTText text;
    text.setBounds(QRectF(10, 10, 200, 40));
    text.setScriptingContents(QString(20000, QLatin1Char('W')) + tail);
    auto paint = [&] {
        QImage image(243, 154, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter painter(&image);
        text.drawContentsInView(painter, false);
        return image;
    };
    const long long before = Text_Layouts_Made();
    const QImage first = paint();
    EXPECT_EQ(Text_Layouts_Made(), before + 1);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(paint(), first);
    EXPECT_EQ(Text_Layouts_Made(), before + 1);  // repaints and the natural size reuse the layout
    (void)text.naturalSize();
    text.setBounds(QRectF(10, 10, 180, 40));  // another width is another layout
    const QImage narrower = paint();
    EXPECT_EQ(Text_Layouts_Made(), before + 2);
    EXPECT_NE(narrower, first);
    long long made = Text_Layouts_Made();
    text.setScriptingContents(QString(20000, QLatin1Char('V')) + tail);  // other text, another layout
    paint();
    EXPECT_EQ(Text_Layouts_Made(), made + 1);
}
