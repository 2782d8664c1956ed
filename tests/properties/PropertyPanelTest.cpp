// The property panel on a canvas of its own, the window played by a fake: which tabs a selection
// shows, what the fields show, and what the alignment and size commands do to the controls.

#include "CanvasTestSupport.h"
#include "DesignTestSupport.h"

#include "core/Globals.h"
#include "core/PaintSupport.h"
#include "properties/PropertyPanel.h"
#include "FakePanelWindow.h"
#include "Press.h"
#include "properties/PropertyPanelHooks.h"
#include "platform/UiServices.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QToolButton>

namespace {

using FakeWindow = FakePanelWindow;

class PanelTest : public canvastest::CanvasTest {
protected:
    void SetUp() override
    {
        CanvasTest::SetUp();
        window.canvas = view.get();
        panel = std::make_unique<PropertyPanel>(window, tabs, &host);
        panel->setCardTabs(new QWidget(&host), new QWidget(&host), new QWidget(&host), new QWidget(&host));
    }
    SKTGraphicPtr put(SKTGraphicKind kind, const QRectF &bounds, bool locked = false)
    {
        SKTGraphicPtr g = designtest::storedControl(kind, 3);
        g->setBounds(bounds);
        g->ctrl_is_locked = locked;
        doc->appendGraphicOnSide(0, g);
        return g;
    }
    // Selects the controls at those indexes and shows the first, as a click does.
    void select(const SKTIndexSet &indexes)
    {
        view->changeSelectionIndexes(indexes);
        panel->Show_RHS_Properties(indexes.empty() ? nullptr : front()[size_t(indexes.front())].get());
    }
    QStringList shownTabs() const
    {
        QStringList out;
        for (int i = 0; i < tabs->count(); ++i)
            out << tabs->widget(i)->objectName() + ":" + tabs->tabText(i);
        return out;
    }

    QWidget host;
    QTabWidget *tabs = new QTabWidget(&host);
    FakeWindow window;
    std::unique_ptr<PropertyPanel> panel;
    platform::ScopedScriptedUi ui;
};

// Each kind shows its own tabs and titles; a locked control only the lock tab; showing changes
// no control and records nothing.
TEST_F(PanelTest, EachKindShowsItsTabsAndLoadingChangesNothing)
{
    using K = SKTGraphicKind;
    const struct {
        K kind;
        QString shape, mode;
        bool locked;
        QString title, letter, tabs;
    } rows[] = {
        {K::Text, "", "T", false, "Text Properties", "T",
         "text_edtng_tab:Text|text_prop_tab:Style|datasource_tab:Source|aligmnt_tab:Align"},
        {K::Text, "", "G", false, "Text Properties", "T", "text_edtng_tab:Text|text_prop_tab:Style|aligmnt_tab:Align"},
        {K::Text, "", "T", true, "Text Properties", "T", "Lock_tab:Text Properties"},
        {K::Image, "", "T", false, "Image Properties", "I", "datasource_tab:Source|image_tab:Image|aligmnt_tab:Align"},
        {K::Line, "", "T", false, "Line Properties", "NONE", "line_tab:Line|aligmnt_tab:Align"},
        {K::Signature, "", "T", false, "Signature Properties", "F", "sign_tab:Signature|aligmnt_tab:Align"},
        {K::Barcode, "", "T", false, "Barcode Properties", "NONE", "barcode_tab:Barcode|aligmnt_tab:Align"},
        {K::Barcode, "", "T", true, "Barcode Properties", "NONE", "Lock_tab:Barcode Properties"},
        {K::Shape, "RR", "T", false, "Shape Properties", "NONE", "shape_tab:General|aligmnt_tab:Align"},
        {K::Shape, "RR", "T", true, "Shape Properties", "NONE", "Lock_tab:Rounded Rectangle Settings"},
        {K::Shape, "DS", "T", false, "Shape Properties", "NONE", "shape_tab:General|aligmnt_tab:Align"},
        {K::Barcode, "", "T", false, "Barcode Properties", "NONE", "barcode_tab:Barcode|aligmnt_tab:Align"},
        {K::Text, "", "T", false, "Text Properties", "T",
         "text_edtng_tab:Text|text_prop_tab:Style|datasource_tab:Source|aligmnt_tab:Align"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE((row.title + " " + row.shape + " " + row.mode + (row.locked ? " locked" : "")).toStdString());
        Start_Card_Option = row.mode;
        doc->removeAllGraphicsOnSide(0);
        const SKTGraphicPtr g = put(row.kind, {20, 20, 60, 30}, row.locked);
        g->_shape_type = row.shape.isEmpty() ? g->_shape_type : row.shape;
        g->sign_or_fingureprint = QStringLiteral("F");
        const std::unique_ptr<SKTGraphic> before = g->clone();
        select({0});
        EXPECT_EQ(shownTabs().join('|'), row.tabs);
        EXPECT_EQ(panel->properties_title->text(), row.title);
        EXPECT_EQ(panel->sel_control_name->text(), row.letter);
        EXPECT_EQ(panel->Make_natural_size_btn->isEnabled(), row.kind != K::Barcode);
        // A barcode is as large as its symbol: W and H take no typing for it, and do again after it.
        for (const QLineEdit *typed : {panel->frame_main_pic_width_val, panel->frame_main_pic_height_val})
            EXPECT_EQ(typed->isEnabled(), row.kind != K::Barcode) << typed->objectName().toStdString();
        EXPECT_EQ(panel->shape_cor_radius_Stepper->isVisibleTo(&host), row.shape == "RR" && !row.locked);
        EXPECT_EQ(panel->double_star_Stepper->isVisibleTo(&host), row.shape == "DS");
        designtest::expectSameStoredFields(*before, *g);
        EXPECT_EQ(g->bounds(), before->bounds());
        EXPECT_EQ(window.snapshots + hub.snapshots, 0);
        EXPECT_FALSE(Not_Draw_Only_Prop_Change);
        select({});
        EXPECT_EQ(shownTabs().join('|'), ":|:|:|:") << "the four card tabs";
        EXPECT_EQ(panel->properties_title->text(), "Card Properties");
    }
}

// Fields show stored fractions as percentages and sizes in the shown unit; a width typed in
// inches is taken in inches, a position in points, each one step of the history. A field left
// with nothing typed changes nothing, though it shows the frame rounded.
TEST_F(PanelTest, FieldsShowPercentagesAndTheUnitAndTakeTypedValues)
{
    const SKTGraphicPtr text = put(SKTGraphicKind::Text, {10, 20, 72, 36.5});
    text->alpha_val = 0.355f;
    text->Shadow_transparency = 1.5f;  // above 1 is full opacity
    window.unit = 0;
    select({0});
    EXPECT_DOUBLE_EQ(panel->Text_alpha_Stepper->value(), 35.5);
    EXPECT_EQ(panel->Text_alpha_Text->text(), "35");
    EXPECT_EQ(panel->shadow_transp_Text->text(), "100");
    EXPECT_NEAR(panel->frame_main_pic_width->value(), 1.0, 1e-4);
    EXPECT_EQ(panel->frame_main_pic_X_pos_val->text(), "10");
    EXPECT_EQ(panel->frame_main_pic_height_val->text(), "0.507");
    const struct {
        QLineEdit *field;
        QString typed;  // null: the field is only visited
        QRectF bounds;
    } edits[] = {{panel->frame_main_pic_height_val, {}, {10, 20, 72, 36.5}},
                 {panel->frame_main_pic_width_val, "2", {10, 20, 144, 36.5}},
                 {panel->frame_main_pic_X_pos_val, "30", {30, 20, 144, 36.5}},
                 {panel->frame_main_pic_height_val, "abc", {30, 20, 144, 36.5}},
                 {panel->frame_main_pic_height_val, {}, {30, 20, 144, 36.5}}};
    int steps = 0;
    for (const auto &e : edits) {
        testsupport::typeInto(e.field, e.typed, Qt::Key_Return);
        steps += !e.typed.isNull() && e.typed != "abc";
        EXPECT_EQ(text->bounds(), e.bounds) << e.typed.toStdString();
        EXPECT_EQ(window.snapshots, steps);
    }
    // Sizes show the unit's precision: 61 pt is 21.519 mm and 0.847 in.
    text->setBounds({30, 20, 61, 36});
    for (const auto &[unit, shown] : {std::pair{2, "21.52"}, std::pair{0, "0.847"}}) {
        window.unit = unit;
        select({});
        select({0});
        EXPECT_EQ(panel->frame_main_pic_width_val->text(), shown);
    }
}

// The alignment and size commands move and size the unlocked controls from the first selected
// one, locked or not, each as one step; refusals say why and record nothing.
TEST_F(PanelTest, AlignmentAndSizeCommandsFollowTheFirstSelectedControl)
{
    using P = PropertyPanel;
    const struct {
        void (P::*command)();
        SKTIndexSet selected;
        std::vector<QRectF> expected;  // of the three rectangles below
        QString message;
    } rows[] = {
        {&P::Align_Left_Clicked, {0, 1}, {{50, 10, 40, 20}, {50, 60, 80, 30}, {5, 100, 30, 30}}, ""},
        {&P::Align_Right_Clicked, {0, 1}, {{50, 10, 40, 20}, {10, 60, 80, 30}, {5, 100, 30, 30}}, ""},
        {&P::Align_Left_Clicked, {2}, {{50, 10, 40, 20}, {10, 60, 80, 30}, {0, 100, 30, 30}}, ""},
        {&P::Align_Right_Clicked, {2}, {{50, 10, 40, 20}, {10, 60, 80, 30}, {213, 100, 30, 30}}, ""},
        {&P::Make_Same_Width_Clicked, {0, 1, 2}, {{50, 10, 40, 20}, {10, 60, 40, 30}, {5, 100, 40, 30}}, ""},
        {&P::Make_Same_Height_Clicked, {1, 2}, {{50, 10, 40, 20}, {10, 60, 80, 30}, {5, 100, 30, 30}}, ""},
        {&P::Make_Same_Width_Clicked, {1}, {}, "\nPlease select more than one control."},
        {&P::Align_To_Grid_Clicked, {1}, {}, "\nPlease use grid option first."},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.message.isEmpty() ? std::to_string(row.selected.size()) : row.message.toStdString());
        doc->removeAllGraphicsOnSide(0);
        addRect({50, 10, 40, 20})->ctrl_is_locked = true;
        addRect({10, 60, 80, 30});
        addRect({5, 100, 30, 30});
        view->changeSelectionIndexes(row.selected);
        ui->clear();
        window.snapshots = 0;
        (panel.get()->*row.command)();
        EXPECT_EQ(ui->messages(), row.message.isEmpty() ? QStringList() : QStringList{row.message});
        EXPECT_EQ(window.snapshots, row.message.isEmpty() ? 1 : 0);
        for (size_t i = 0; i < row.expected.size(); ++i)
            EXPECT_EQ(front()[i]->bounds(), row.expected[i]) << i;
    }
}

// A text made its natural size hugs its words; a barcode beside it keeps its size.
TEST_F(PanelTest, NaturalSizeFitsATextToItsWords)
{
    const SKTGraphicPtr text = put(SKTGraphicKind::Text, {10, 10, 200, 120});
    text->Set_text_value(QStringLiteral("Hi"));
    const SKTGraphicPtr code = put(SKTGraphicKind::Barcode, {10, 140, 90, 10});
    view->changeSelectionIndexes({0, 1});
    panel->Make_Natural_Clicked();
    const QFontMetricsF metrics(text->text_ctrl_font);
    EXPECT_LT(text->width(), 200);
    EXPECT_GE(text->width(), metrics.horizontalAdvance(QStringLiteral("Hi")) * 0.5);
    EXPECT_LT(text->height(), 120);
    EXPECT_GT(text->height(), 0);
    EXPECT_EQ(code->bounds(), QRectF(10, 140, 90, 10));
    EXPECT_EQ(window.snapshots, 1);
}

// The control shown is held so that deleting it leaves nothing to compare with: the next
// control selected is loaded whatever its address; a fill inside another keeps the guard set.
TEST_F(PanelTest, ADeletedShownControlIsForgottenAndNestedFillsKeepTheGuard)
{
    doc->Enable_Disable_Undo_Registraion(false);  // as the window's snapshot undo replaces controls
    put(SKTGraphicKind::Line, {10, 10, 50, 0});
    select({0});
    ASSERT_EQ(panel->Last_Selected_Graphic(), front()[0].get());
    doc->removeAllGraphicsOnSide(0);
    EXPECT_EQ(panel->Last_Selected_Graphic(), nullptr);
    put(SKTGraphicKind::Text, {10, 10, 50, 20});
    select({0});
    EXPECT_EQ(shownTabs().front(), "text_edtng_tab:Text");

    Start_Card_Option = QStringLiteral("V");
    put(SKTGraphicKind::Image, {10, 40, 50, 50});
    {
        PanelFillGuard loadingADesign;
        panel->Show_RHS_Properties(front()[1].get());  // a visitor photo is shown even then
        EXPECT_EQ(shownTabs().front(), "image_tab:Image");
        EXPECT_TRUE(Not_Draw_Only_Prop_Change) << "the inner fill must not end the outer one";
    }
    EXPECT_FALSE(Not_Draw_Only_Prop_Change);
}

// Hatch lists show words and store names: a shape's hatch and the card's read the same.
TEST_F(PanelTest, HatchListsShowWordsAndStoreTheHatchName)
{
    EXPECT_EQ(Hatch_Style_Caption(QStringLiteral("Backward_Diagonal")), "Backward diagonal");
    EXPECT_EQ(Hatch_Style_Caption(QStringLiteral("Brick")), "Brick");
    const SKTGraphicPtr shape = put(SKTGraphicKind::Shape, {10, 10, 60, 40});
    shape->_isDrawingFill = true;
    shape->_fill_type = QStringLiteral("H");
    shape->_fill_hatch_type = QStringLiteral("Backward_Diagonal");
    select({0});
    EXPECT_EQ(panel->shape_hatch_style->currentText(), "Backward diagonal");
    for (int i = 0; i < panel->shape_hatch_style->count(); ++i)
        EXPECT_FALSE(panel->shape_hatch_style->itemText(i).contains('_')) << i;
    panel->shape_hatch_style->setCurrentIndex(panel->shape_hatch_style->findText(QStringLiteral("Diagonal cross")));
    EXPECT_EQ(shape->_fill_hatch_type, "Diagonal_Cross");
}

// The rotation arrows step the slider's row: they sit beside its value, never on a row alone.
TEST_F(PanelTest, RotationArrowsSitBesideTheirSlider)
{
    const auto rowOf = [](QWidget *w) {
        // The tab's row grid, climbing out of a cell that holds a field with its arrows.
        auto *grid = qobject_cast<QGridLayout *>(w->parentWidget()->layout());
        while (!(grid && grid->indexOf(w) >= 0) && w->parentWidget()->parentWidget()) {
            w = w->parentWidget();
            grid = qobject_cast<QGridLayout *>(w->parentWidget()->layout());
        }
        int row = -1, column = -1, rows = 0, columns = 0;
        if (grid && grid->indexOf(w) >= 0)
            grid->getItemPosition(grid->indexOf(w), &row, &column, &rows, &columns);
        return row;
    };
    for (const auto &[slider, arrows] : {std::pair<QWidget *, QWidget *>{panel->Rotate_slidr, panel->Image_rotate_Stepper},
                                         {panel->shape_rotation_slidr, panel->Shape_Rotate_Stepper}}) {
        ASSERT_GE(rowOf(slider), 0);
        EXPECT_EQ(rowOf(arrows), rowOf(slider)) << arrows->objectName().toStdString();
    }
}

// The polygon's number picks a kind; its caption says what the card will show.
TEST_F(PanelTest, PolygonCaptionNamesWhatTheKindDraws)
{
    const SKTGraphicPtr shape = put(SKTGraphicKind::Shape, {10, 10, 60, 60});
    shape->_shape_type = QStringLiteral("P");
    shape->polygon_type = 3;
    select({0});
    EXPECT_EQ(panel->polygon_Label->text(), "Polygon: hexagon");
    const struct {
        int kind;
        const char *caption;
    } kinds[] = {{1, "Polygon: corner star"}, {2, "Polygon: pentagon"}, {5, "Polygon: octagon"},
                 {7, "Polygon: 7-point star"}, {8, "Polygon: corner star"}, {12, "Polygon: hexagon"},
                 {20, "Polygon: decagon"}};
    for (const auto &k : kinds) {
        panel->polygon_Stepper->setValue(k.kind);
        EXPECT_EQ(panel->polygon_Label->text(), k.caption) << k.kind;
        EXPECT_EQ(shape->polygon_type, k.kind);
    }
}

}  // namespace
