// The control base: defaults by kind, accessors with side effects, copying, notifications.
#include "CoreTestSupport.h"

#include "core/Globals.h"
#include "core/SKTLine.h"
#include "core/Shape_Control.h"

#include <gtest/gtest.h>

using namespace coretest;
using namespace Qt::StringLiterals;

namespace {

TEST(Graphic, FillStrokeAndShadowFollowTheKind)
{
    using K = SKTGraphicKind;
    const struct { K kind; bool fill, stroke, shadow; } cases[] = {
        {K::Text, false, false, false}, {K::Barcode, false, true, true}, {K::Image, true, false, true},
        {K::Signature, true, true, true}, {K::Line, true, true, true},   {K::Shape, true, true, true},
    };
    for (const auto &c : cases) {
        const KindProbe g(c.kind);
        EXPECT_EQ(std::tuple(g._isDrawingFill, g._isDrawingStroke, g.Drawing_Shadow),
                  std::tuple(c.fill, c.stroke, c.shadow)) << g.className().toStdString();
    }
}

TEST(Graphic, OpacityIsAppliedWhenAColourIsReadAndStoredBack)
{
    const struct { float alpha; int want; } cases[] = {{0.5f, 128}, {1, 255}, {100, 255}, {-3, 0}, {0, 0}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.alpha);
        Shape_Control s;
        s._fillColor = Qt::red;
        s.alpha_val = s.alpha_val_stroke = c.alpha;
        s._fill_htch_clr = Qt::green;
        EXPECT_NEAR(s.fillColor().alpha(), c.want, 1);
        EXPECT_EQ(s._fillColor.rgba(), qRgba(255, 0, 0, s.fillColor().alpha())) << "stored back";
        EXPECT_NEAR(s.strokeColor().alpha(), c.want, 1);
        EXPECT_NEAR(s.fill_hatch_bk_clr().alpha(), c.want, 1);
    }
    Shape_Control s;
    s._fillColor = Qt::red;
    s.alpha_val = 0.5f;
    s.fillColor();
    s.alpha_val = 1.0f;
    EXPECT_EQ(s.fillColor(), QColor(Qt::red)) << "opaque again once the opacity is 1";
    s._fillColor = QColor();
    EXPECT_FALSE(s.fillColor().isValid()) << "a missing colour stays missing";
    s._fill_Grad_clr1 = QColor(0, 0, 255);
    s.alpha_val = 0.2f;
    EXPECT_EQ(s.fill_Grad_clr1().alpha(), 255) << "gradient colours are not made transparent";
}

TEST(Graphic, DataSourceTypeClearsTheOtherBinding)
{
    const struct { int type; QString name; int listIndex; bool excel; int column; } cases[] = {
        {0, "", -1, false, -1}, {1, "Names", 4, false, -1}, {2, "", -1, true, 7}, {9, "Names", 4, false, 7}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.type);
        Shape_Control s;
        s.batch_list_name = QStringLiteral("Names");
        s.batch_list_index = 4;
        s.excel_col_indx = 7;
        s.Set_Data_source_type(c.type);
        EXPECT_EQ(std::tuple(s.data_source_type, s.batch_list_name, s.batch_list_index),
                  std::tuple(c.type, c.name, c.listIndex));
        EXPECT_EQ(std::tuple(s.excel_binding, s.excel_col_indx), std::tuple(c.excel, c.column));
    }
}

TEST(Graphic, SizeSettersAndPicturesGoThroughTheKindsOwnSetBounds)
{
    KindProbe text(SKTGraphicKind::Text);
    text._bounds = QRectF(3, 4, 10, 10);
    BoundsLog log(text);
    text.setWidth(50);
    text.setXPosition(7);
    EXPECT_EQ(text.setBoundsCalls, 2);
    EXPECT_EQ(text.bounds(), QRectF(7, 4, 50, 10));
    ASSERT_EQ(log.positions.size(), 2u);
    EXPECT_EQ(log.positions.back(), QRectF(7, 4, 50, 10)) << "observers hear of every bounds change";

    KindProbe barcode(SKTGraphicKind::Barcode);
    barcode._bounds = QRectF(5, 6, 1, 1);
    QImage picture(120, 40, QImage::Format_ARGB32);
    picture.fill(Qt::black);
    barcode.Set_Barcode_image(picture);
    EXPECT_EQ(barcode.setBoundsCalls, 2) << "width, then height";
    EXPECT_EQ(barcode.bounds(), QRectF(5, 6, 120, 40)) << "a barcode takes its picture's size at its origin";
}

TEST(Graphic, CopyTakesGeometryPaintAndBindingButNotLockOrIdentifier)
{
    KindProbe source(SKTGraphicKind::Text);
    const auto text = [](const SKTGraphic &g) {
        return std::tuple(g._bounds, g._fillColor, g._fill_hatch_type, g.batch_list_name, g.Text_Value);
    };
    KindProbe &s = source;
    std::tie(s._bounds, s._fillColor, s._fill_hatch_type, s.batch_list_name, s.Text_Value) =
        std::tuple(QRectF(1, 2, 3, 4), QColor(Qt::cyan), u"Dots"_s, u"S1"_s, u"Hello"_s);
    std::tie(s.ctrl_is_locked, s.control_ID, s.text_rotation) = std::tuple(true, u"Fup_Name"_s, 30);
    source.text_ctrl_font = QFont(u"Mono"_s, 40);
    const auto copy = source.copyWithZone();
    EXPECT_EQ(text(*copy), text(source));
    EXPECT_EQ(std::tuple(copy->ctrl_is_locked, copy->control_ID, copy->text_rotation),
              std::tuple(false, QString(), 0));
    EXPECT_EQ(copy->text_ctrl_font.pointSize(), Text_Ctrl_Font_Size) << "the house font, not the source's";

    SKTLine line;
    line._bounds = QRectF(0, 0, 10, 10);
    line._pointsRight = true;
    line._pointsDown = false;
    line.control_ID = QStringLiteral("x");
    const auto lineCopy = line.copyWithZone();
    ASSERT_EQ(lineCopy->kind(), SKTGraphicKind::Line);
    EXPECT_EQ(static_cast<SKTLine &>(*lineCopy).beginPoint(), QPointF(0, 10));
    EXPECT_EQ(static_cast<SKTLine &>(*lineCopy).endPoint(), QPointF(10, 0));
    EXPECT_EQ(line.clone()->control_ID, "x") << "a whole copy keeps every field";
}

TEST(Graphic, GenericSettersNotifyObserversDirectWritesDoNot)
{
    RecordingHub hub;
    Shape_Control s;
    s._bounds = QRectF(0, 0, 10, 10);
    QStringList heard;  // key: before -> after
    const int id = s.addObserver([&](SKTGraphic &, const QString &key, const QVariant &a, const QVariant &b) {
        heard << key + u": "_s + a.toString() + u" -> "_s + b.toString();
    });
    s._fillColor = Qt::red;  // direct write: nobody hears
    ASSERT_TRUE(s.setValueForKey(SKTGraphicFillColorKey, QColor(Qt::blue)));
    s.setWidth(30);
    EXPECT_EQ(heard.join(u'|'), u"fillColor: #ff0000 -> #0000ff|drawingContents:  -> |bounds:  -> |"
                                u"xPosition: 0 -> 0|yPosition: 0 -> 0|width: 10 -> 30|"
                                u"height: 10 -> 10|drawingBounds:  -> "_s);
    heard.clear();
    s.clone()->setValueForKey(SKTGraphicStrokeWidthKey, 9.0);
    EXPECT_TRUE(heard.empty()) << "a copy has no observers";
    s.removeObserver(id);
    s.setValueForKey(SKTGraphicIsDrawingFillKey, false);
    EXPECT_TRUE(heard.empty());
    EXPECT_FALSE(s._isDrawingFill);
    EXPECT_FALSE(s.setValueForKey(QStringLiteral("noSuchKey"), 1));
}

TEST(Graphic, ScriptingSetsTurnFillOnOrAreRefusedWithoutChange)
{
    Shape_Control shape;
    shape._isDrawingFill = false;
    EXPECT_FALSE(shape.scriptingFillColor().has_value());
    EXPECT_TRUE(shape.setScriptingFillColor(QColor(Qt::green)).isEmpty());
    EXPECT_EQ(shape.scriptingFillColor().value_or(QColor()), QColor(Qt::green));
    EXPECT_TRUE(shape.setScriptingStrokeWidth(std::nullopt).isEmpty());
    EXPECT_FALSE(shape._isDrawingStroke);
    SKTLine line;
    EXPECT_EQ(line.setScriptingFillColor(QColor(Qt::red)),
              "You can't set the fill color of this kind of graphic.");
    EXPECT_NE(line._fillColor, QColor(Qt::red));
    EXPECT_EQ(line.setScriptingStrokeColor(std::nullopt),
              "You can't remove the stroke from this kind of graphic.");
    EXPECT_TRUE(line._isDrawingStroke);
}

}  // namespace
