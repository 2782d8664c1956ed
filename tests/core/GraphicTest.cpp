// The control base: defaults by kind, accessors with side effects, copying, notifications.
#include "CoreTestSupport.h"

#include "core/Globals.h"
#include "core/SKTLine.h"
#include "core/Shape_Control.h"

#include <gtest/gtest.h>

using namespace coretest;

namespace {

struct KindDefaults {
    SKTGraphicKind kind;
    const char *className;
    bool fill, stroke, shadow;
};

class GraphicDefaults : public ::testing::TestWithParam<KindDefaults> {};

TEST_P(GraphicDefaults, FillStrokeAndShadowFollowTheKind)
{
    const KindDefaults expected = GetParam();
    KindProbe g(expected.kind);
    EXPECT_EQ(g.className(), QString::fromLatin1(expected.className));
    EXPECT_EQ(g._isDrawingFill, expected.fill);
    EXPECT_EQ(g._isDrawingStroke, expected.stroke);
    EXPECT_EQ(g.Drawing_Shadow, expected.shadow);
    // Shared defaults every kind starts with.
    EXPECT_EQ(g._bounds, QRectF());
    EXPECT_EQ(g._fillColor, QColor(Qt::white));
    EXPECT_EQ(g._strokeColor, QColor(Qt::black));
    EXPECT_EQ(g._strokeWidth, 1.0);
    EXPECT_EQ(g._stroke_border_type, "S");
    EXPECT_EQ(g._shape_type, "R");
    EXPECT_EQ(g.Text_Value, "Text here");
    EXPECT_EQ(g.cor_rad_val, 10.0f);
    EXPECT_EQ(g.alpha_val, 100.0f);
    EXPECT_EQ(g.Shadow_Color, QColor(Qt::blue));
    EXPECT_EQ(g.Shadow_transparency, 50.0f);
    EXPECT_EQ(g.double_star_type, 1);
    EXPECT_EQ(g.polygon_type, 1);
    EXPECT_EQ(g.text_alignmnet, 2);
    EXPECT_EQ(g.linear_font_val, "0123");
    EXPECT_EQ(g.header_val, "HEADER");
    EXPECT_EQ(g.qr_size_val, 60);
    EXPECT_EQ(g.dm_module_val, 2);
    EXPECT_EQ(g.linear_height_val, 6.0f);
    EXPECT_EQ(g.barcode_unit_val, 1);
    EXPECT_EQ(g.value_font_val.pointSizeF(), 10.0);
    EXPECT_TRUE(g.ctrl_is_visible);
    EXPECT_FALSE(g.ctrl_is_locked);
    EXPECT_FALSE(g._Text_contents.has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, GraphicDefaults,
    ::testing::Values(KindDefaults{SKTGraphicKind::Text, "SKTText", false, false, false},
                      KindDefaults{SKTGraphicKind::Barcode, "SKTBarcode", false, true, true},
                      KindDefaults{SKTGraphicKind::Image, "SKTImage", true, false, true},
                      KindDefaults{SKTGraphicKind::Signature, "SKTSignature", true, true, true},
                      KindDefaults{SKTGraphicKind::Line, "SKTLine", true, true, true},
                      KindDefaults{SKTGraphicKind::Shape, "Shape_Control", true, true, true},
                      KindDefaults{SKTGraphicKind::Graphic, "SKTGraphic", true, true, true}));

TEST(Graphic, FileDefaultIsNoPictureOfTheResources)
{
    const QString saved = Resource_Path;
    Resource_Path = QStringLiteral("/res");
    Shape_Control s;
    Resource_Path = saved;
    EXPECT_EQ(s._file_path, "/res/no.png");
}

TEST(Graphic, OpacityIsAppliedWhenAColourIsReadAndStoredBack)
{
    struct Case {
        float alpha;
        int expectedAlpha;
    } cases[] = {{0.5f, 128}, {1.0f, 255}, {100.0f, 255}, {-3.0f, 0}, {0.0f, 0}};
    for (const Case &c : cases) {
        Shape_Control s;
        s._fillColor = Qt::red;
        s.alpha_val = c.alpha;
        s.alpha_val_stroke = c.alpha;
        s._fill_htch_clr = Qt::green;
        EXPECT_NEAR(s.fillColor().alpha(), c.expectedAlpha, 1) << c.alpha;
        EXPECT_NEAR(s._fillColor.alpha(), c.expectedAlpha, 1) << "stored back " << c.alpha;
        EXPECT_EQ(s._fillColor.red(), 255);
        EXPECT_NEAR(s.strokeColor().alpha(), c.expectedAlpha, 1);
        EXPECT_NEAR(s.fill_hatch_bk_clr().alpha(), c.expectedAlpha, 1);
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
    struct Case {
        int type;
        QString name;
        int listIndex;
        bool excel;
        int column;
    } cases[] = {
        {0, "", -1, false, -1},
        {1, "Names", 4, false, -1},
        {2, "", -1, true, 7},
        {9, "Names", 4, false, 7},
    };
    for (const Case &c : cases) {
        Shape_Control s;
        s.batch_list_name = QStringLiteral("Names");
        s.batch_list_index = 4;
        s.excel_col_indx = 7;
        s.Set_Data_source_type(c.type);
        EXPECT_EQ(s.data_source_type, c.type);
        EXPECT_EQ(s.batch_list_name, c.name) << c.type;
        EXPECT_EQ(s.batch_list_index, c.listIndex) << c.type;
        EXPECT_EQ(s.excel_binding, c.excel) << c.type;
        EXPECT_EQ(s.excel_col_indx, c.column) << c.type;
    }
}

TEST(Graphic, SizeSettersGoThroughTheKindsOwnSetBounds)
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
}

TEST(Graphic, BarcodeImageSetsWidthThenHeightKeepingTheOrigin)
{
    KindProbe barcode(SKTGraphicKind::Barcode);
    barcode._bounds = QRectF(5, 6, 1, 1);
    BoundsLog log(barcode);
    QImage picture(120, 40, QImage::Format_ARGB32);
    picture.fill(Qt::black);
    barcode.Set_Barcode_image(picture);
    EXPECT_EQ(barcode.setBoundsCalls, 2);
    ASSERT_EQ(log.positions.size(), 2u);
    EXPECT_EQ(log.positions[0], QRectF(5, 6, 120, 1));
    EXPECT_EQ(log.positions[1], QRectF(5, 6, 120, 40));
    EXPECT_EQ(barcode._barcode_image.size(), QSize(120, 40));
}

TEST(Graphic, TextStorageFollowsTheValueAndIsMadeOnFirstUse)
{
    Shape_Control s;
    s.Set_text_value(QStringLiteral("Before"));
    EXPECT_FALSE(s._Text_contents.has_value()) << "only the value text changes";
    EXPECT_EQ(s.Text_contents().string, "Before");
    EXPECT_EQ(s.Text_contents().foregroundColor, QColor(Qt::black));
    EXPECT_EQ(s.Text_contents().font.pointSize(), Text_Ctrl_Font_Size);
    s.Set_text_value(QStringLiteral("After"));
    EXPECT_EQ(s.Text_contents().string, "After");
    EXPECT_EQ(s.Text_Value, "After");
}

TEST(Graphic, CopyTakesGeometryPaintAndBindingButNotLockOrIdentifier)
{
    KindProbe source(SKTGraphicKind::Text);
    source._bounds = QRectF(1, 2, 3, 4);
    source._fillColor = Qt::cyan;
    source._strokeWidth = 6;
    source._fill_type = QStringLiteral("H");
    source._fill_hatch_type = QStringLiteral("Dots");
    source.batch_list_name = QStringLiteral("S1");
    source.excel_col_indx = 3;
    source.Text_Value = QStringLiteral("Hello");
    source.ctrl_is_locked = true;
    source.control_ID = QStringLiteral("Fup_Name");
    source.text_rotation = 30;
    source.text_ctrl_font = QFont(QStringLiteral("Mono"), 40);

    SKTLine line;
    line._bounds = QRectF(0, 0, 10, 10);
    line._pointsRight = true;
    line._pointsDown = false;
    line.control_ID = QStringLiteral("x");

    const auto copy = source.copyWithZone();
    EXPECT_EQ(copy->kind(), SKTGraphicKind::Graphic) << "a probe copies as a plain control";
    EXPECT_EQ(copy->_bounds, source._bounds);
    EXPECT_EQ(copy->_fillColor, QColor(Qt::cyan));
    EXPECT_EQ(copy->_strokeWidth, 6);
    EXPECT_EQ(copy->_fill_hatch_type, "Dots");
    EXPECT_EQ(copy->batch_list_name, "S1");
    EXPECT_EQ(copy->excel_col_indx, 3);
    EXPECT_EQ(copy->Text_Value, "Hello");
    EXPECT_FALSE(copy->ctrl_is_locked);
    EXPECT_TRUE(copy->control_ID.isEmpty());
    EXPECT_EQ(copy->text_rotation, 0);
    EXPECT_EQ(copy->text_ctrl_font.pointSize(), Text_Ctrl_Font_Size) << "the house font, not the source's";

    const auto lineCopy = line.copyWithZone();
    ASSERT_EQ(lineCopy->kind(), SKTGraphicKind::Line);
    EXPECT_EQ(static_cast<SKTLine &>(*lineCopy).beginPoint(), QPointF(0, 10));
    EXPECT_EQ(static_cast<SKTLine &>(*lineCopy).endPoint(), QPointF(10, 0));
    EXPECT_TRUE(lineCopy->control_ID.isEmpty());

    const auto whole = line.clone();
    EXPECT_EQ(whole->control_ID, "x") << "a whole copy keeps every field";
}

TEST(Graphic, GenericSettersNotifyObserversDirectWritesDoNot)
{
    RecordingHub hub;
    Shape_Control s;
    s._bounds = QRectF(0, 0, 10, 10);
    std::vector<std::tuple<QString, QVariant, QVariant>> heard;
    const int id = s.addObserver([&](SKTGraphic &, const QString &key, const QVariant &before, const QVariant &after) {
        heard.emplace_back(key, before, after);
    });

    s._fillColor = Qt::red;  // direct write: nobody hears
    EXPECT_TRUE(heard.empty());

    ASSERT_TRUE(s.setValueForKey(SKTGraphicFillColorKey, QColor(Qt::blue)));
    ASSERT_EQ(heard.size(), 2u);
    EXPECT_EQ(std::get<0>(heard[0]), "fillColor");
    EXPECT_EQ(std::get<1>(heard[0]).value<QColor>(), QColor(Qt::red));
    EXPECT_EQ(std::get<2>(heard[0]).value<QColor>(), QColor(Qt::blue));
    EXPECT_EQ(std::get<0>(heard[1]), "drawingContents");

    heard.clear();
    s.setWidth(30);
    QStringList keys;
    for (const auto &h : heard)
        keys << std::get<0>(h);
    EXPECT_EQ(keys, QStringList({"bounds", "xPosition", "yPosition", "width", "height", "drawingBounds"}));
    EXPECT_EQ(std::get<1>(heard[3]).toDouble(), 10.0);
    EXPECT_EQ(std::get<2>(heard[3]).toDouble(), 30.0);

    heard.clear();
    const auto copy = s.clone();
    copy->setValueForKey(SKTGraphicStrokeWidthKey, 9.0);
    EXPECT_TRUE(heard.empty()) << "a copy has no observers";

    s.removeObserver(id);
    s.setValueForKey(SKTGraphicIsDrawingFillKey, false);
    EXPECT_TRUE(heard.empty());
    EXPECT_FALSE(s._isDrawingFill);
    EXPECT_FALSE(s.setValueForKey(QStringLiteral("noSuchKey"), 1));
    EXPECT_FALSE(SKTGraphic::automaticallyNotifiesObserversForKey(SKTGraphicWidthKey));
    EXPECT_TRUE(SKTGraphic::automaticallyNotifiesObserversForKey(SKTGraphicBoundsKey));
}

TEST(Graphic, UndoKeysAndScriptingRefusals)
{
    Shape_Control shape;
    SKTLine line;
    EXPECT_EQ(shape.keysForValuesToObserveForUndo(),
              QSet<QString>({"drawingFill", "fillColor", "drawingStroke", "strokeColor", "strokeWidth", "bounds"}));
    EXPECT_EQ(line.keysForValuesToObserveForUndo(), QSet<QString>({"drawingFill", "fillColor", "drawingStroke",
                                                                   "strokeColor", "strokeWidth", "beginPoint",
                                                                   "endPoint"}));
    EXPECT_EQ(line.presentablePropertyNameForKey("beginPoint"), "Beginpoint");
    EXPECT_EQ(shape.presentablePropertyNameForKey("bounds"), "");

    shape._isDrawingFill = false;
    EXPECT_FALSE(shape.scriptingFillColor().has_value());
    EXPECT_TRUE(shape.setScriptingFillColor(QColor(Qt::green)).isEmpty());
    EXPECT_TRUE(shape._isDrawingFill);
    EXPECT_EQ(shape.scriptingFillColor().value(), QColor(Qt::green));
    EXPECT_TRUE(shape.setScriptingStrokeWidth(std::nullopt).isEmpty());
    EXPECT_FALSE(shape._isDrawingStroke);

    line._strokeWidth = 2;
    EXPECT_EQ(line.setScriptingFillColor(QColor(Qt::red)), "You can't set the fill color of this kind of graphic.");
    EXPECT_FALSE(line._fillColor == QColor(Qt::red)) << "a refused change leaves the control as it was";
    EXPECT_EQ(line.setScriptingStrokeColor(std::nullopt), "You can't remove the stroke from this kind of graphic.");
    EXPECT_EQ(line.scriptingStrokeWidth().value(), 2.0);
}

}  // namespace
