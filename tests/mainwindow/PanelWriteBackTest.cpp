// Changes made in the property panel, seen on the rendered front side: which controls change,
// how many undo steps they make, what bad input does, and an undo journey back to the start.

#include "ControllerFixture.h"

#include "core/DesignFile.h"
#include "core/ControlArchive.h"
#include "core/SKTImage.h"
#include "core/SKTLine.h"
#include "FakeCamera.h"
#include "imaging/Cropping_Tool.h"
#include "data/SeriesFiles.h"
#include "platform/Paths.h"
#include "platform/Plist.h"
#include "data/spreadsheet/Data_From_Excel.h"
#include "core/SKTRenderingView.h"
#include "core/SKTSignature.h"
#include "core/SKTText.h"
#include "core/Shape_Control.h"
#include "properties/CardTabs.h"
#include "properties/PropertyPanel.h"
#include "visitor/Profile_Panel.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QTimer>
#include <QComboBox>
#include <QLineEdit>
#include <QDate>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTextCursor>
#include <QToolButton>
#include <optional>

namespace {

// The crop tool's own modal run, not a scripted answer.
struct RunsTheCropTool : platform::ScriptedUiServices {
    int runModal(const QString &name, const QString &text, const std::function<int()> &show) override
    {
        return name == QLatin1String("Cropping_Tool") ? show() : ScriptedUiServices::runModal(name, text, show);
    }
};

// Where a slider's handle stands, in the slider's own pixels, as the slider finds it.
QPoint handleOf(const QSlider *slider)
{
    QStyleOptionSlider o;
    o.initFrom(slider);
    o.orientation = slider->orientation();
    o.minimum = slider->minimum(), o.maximum = slider->maximum();
    o.tickPosition = slider->tickPosition(), o.tickInterval = slider->tickInterval();
    o.upsideDown = slider->orientation() == Qt::Horizontal
                       ? slider->invertedAppearance() != (slider->layoutDirection() == Qt::RightToLeft)
                       : !slider->invertedAppearance();
    o.direction = Qt::LeftToRight;
    o.sliderPosition = slider->sliderPosition(), o.sliderValue = slider->value();
    o.singleStep = slider->singleStep(), o.pageStep = slider->pageStep();
    if (slider->orientation() == Qt::Horizontal)
        o.state |= QStyle::State_Horizontal;
    return slider->style()->subControlRect(QStyle::CC_Slider, &o, QStyle::SC_SliderHandle, slider).center();
}

class PanelWriteBackTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        picture(pathIn("a.png"), Qt::red);
        picture(pathIn("b.png"), Qt::blue);
        document->removeAllGraphicsOnSide(0);
        auto rect = [](QRectF r, bool locked) {
            auto g = std::make_shared<Shape_Control>();
            g->setBounds(r);
            g->ctrl_is_locked = locked;
            return g;
        };
        auto text = [](QRectF r, int source, const QString &id) {
            auto g = std::make_shared<SKTText>();
            g->setBounds(r);
            g->Set_text_value(QStringLiteral("WWW"));
            g->text_ctrl_font.setPointSize(18);
            g->data_source_type = source;
            g->control_ID = id;
            return g;
        };
        auto image = [](QRectF r, const QString &path) {
            std::shared_ptr<SKTGraphic> g = SKTImage::initWithPath({0, 0}, path);
            g->setBounds(r);
            return g;
        };
        auto sign = [](QRectF r, const QString &path) {
            auto g = std::make_shared<SKTSignature>();
            g->setFilePath(path);
            g->setBounds(r);
            return g;
        };
        // 0, 1 rectangles (1 locked); 2 a free text, 3 a bound one, 4 a profile field; 5, 6 images;
        // 7, 8 signatures.
        place(0, {rect({10, 10, 60, 40}, false), rect({80, 10, 60, 40}, true), text({10, 60, 70, 25}, 0, {}),
                  text({90, 60, 70, 25}, 1, {}), text({170, 60, 70, 25}, 0, "Fup_Name"),
                  image({10, 95, 50, 50}, pathIn("a.png")), image({70, 95, 50, 50}, pathIn("b.png")),
                  sign({130, 100, 50, 40}, pathIn("a.png")), sign({190, 100, 50, 40}, pathIn("b.png"))});
        controller->Reset_Undo_With_Base_Snapshot();
    }
    void picture(const QString &path, QColor colour)
    {
        QImage p(40, 40, QImage::Format_RGB32);
        p.fill(Qt::white);
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 20; ++x)
                p.setPixelColor(x, y, colour);  // coloured left half: a flip shows
        ASSERT_TRUE(p.save(path));
    }
    PropertyPanel &panel() { return controller->propertyPanel(); }
    SKTGraphic &at(int i) { return *document->graphicsOfSide(0)[size_t(i)]; }
    QImage rendered() { return SKTRenderingView::image_From_Card_Graphics(controller->Card_Side_Value(0), 72); }
    // Clicks beside the controls, then on each control, adding with Ctrl; the first one named is
    // clicked last, so the panel shows it.
    void select(const SKTIndexSet &indexes)
    {
        clickAt(canvas(0), {220, 20});
        for (auto i = indexes.rbegin(); i != indexes.rend(); ++i)
            QTest::mouseClick(canvas(0), Qt::LeftButton, i == indexes.rbegin() ? Qt::NoModifier : Qt::ControlModifier,
                              ControllerTest::at(canvas(0), at(*i).bounds().center()));
        ASSERT_EQ(canvas(0)->selectedGraphics().size(), indexes.size());
    }
    // Into a field as a user gets there: a click into it, what it holds selected, the keys, then
    // Tab; or, with nothing typed (a null text), only a click into it and away by Tab or by a
    // click on the card at `away` (card points).
    void type(QLineEdit *field, const QString &text, std::optional<QPointF> away = std::nullopt)
    {
        testsupport::showTabOf(field);
        ASSERT_EQ(testsupport::unreachable(field), QString());
        QTest::mouseClick(field, Qt::LeftButton);
        ASSERT_EQ(QApplication::focusWidget(), field);
        if (!text.isNull()) {
            QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(field, text);
        }
        away ? clickAt(canvas(0), *away) : QTest::keyClick(field, Qt::Key_Tab);
        EXPECT_NE(QApplication::focusWidget(), field);
    }
    void visit(QLineEdit *field, std::optional<QPointF> away = std::nullopt) { type(field, {}, away); }
    bool undoOn() { return outlet<QToolButton>("Undo_btn")->isEnabled(); }
    int steps() { return controller->undoHistory().Get_Undo_Count(); }
};

// Each change reaches the selected unlocked controls of its kind, shows on the rendered side
// and makes one undo step (typing none); bad input changes nothing, and neither does a field
// visited and left with nothing typed, though it shows its value rounded.
TEST_F(PanelWriteBackTest, ChangesReachTheRenderedSideAsOneStep)
{
    PropertyPanel &p = panel();
    QApplication::setActiveWindow(controller.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(controller.get()));
    at(2)._isDrawingFill = at(3)._isDrawingFill = true;  // their fill and shadow opacity on offer
    at(2).Drawing_Shadow = at(3).Drawing_Shadow = true;
    at(3).text_ctrl_font.setPointSizeF(7.5);
    std::vector<QRectF> frames;
    for (int i = 0; i < 9; ++i)
        frames.push_back(at(i).bounds());
    const QRectF frame0 = frames[0], frame2 = frames[2];
    const float alpha3 = at(3).alpha_val, shadow3 = at(3).Shadow_transparency, opacity5 = at(5).img_trnsp_val;
    // A row's own start: every frame as placed, values the fields show rounded ("99" and "33"
    // for the opacities, "12.4" on the rotation slider's steps), and a history with nothing to
    // undo, so a row that goes wrong leaves the next one whole.
    // `also` sets what one row starts from besides.
    const auto freshWith = [&](std::function<void()> also) {
        return [&, also] {
            for (int i = 0; i < 9; ++i)
                at(i).setBounds(frames[size_t(i)]);
            at(0).alpha_val = 0.9999f;
            at(2).alpha_val = 1.0f / 3;
            at(2).Shadow_transparency = 1.0f / 3;
            at(3).alpha_val = alpha3;
            at(3).Shadow_transparency = shadow3;
            at(5).rotate_image = 12.35f;
            at(5).img_trnsp_val = opacity5;
            also();
            controller->Reset_Undo_With_Base_Snapshot();
        };
    };
    const auto fresh = freshWith([] {});
    const auto squareShape = freshWith([&] { at(0).setBounds({10, 10, 36, 36}); });
    const auto unevenPicture = freshWith([&] { at(5).img_trnsp_val = 66.67f; });  // "67" on its steps
    // Two gradient texts at angles the panel cannot make, as a file from elsewhere holds them.
    const auto unevenAngles = freshWith([&] {
        for (int i : {2, 3})
            at(i)._fill_type = QStringLiteral("G"), at(i)._fill_Grad_clr1 = Qt::red, at(i)._fill_Grad_clr2 = Qt::blue;
        at(2)._fill_grad_angle = 10, at(3)._fill_grad_angle = 33.33;
    });
    const auto untouched = [&] {
        return !undoOn() && at(0).bounds() == frame0 && at(2).bounds() == frame2 && at(0).alpha_val == 0.9999f &&
               at(2).alpha_val == 1.0f / 3 && at(3).alpha_val == alpha3 && at(3).Shadow_transparency == shadow3 &&
               at(3).text_ctrl_font.pointSizeF() == 7.5;
    };
    // The value a field shows typed back into it: its stepper or slider already holds it.
    const auto typeShown = [&](QLineEdit *field, double held) {
        const QString shown = field->text();
        ASSERT_EQ(shown.toDouble(), held) << "the field shows no value its widget holds";
        type(field, shown);
    };
    const auto near = [](const QRectF &a, const QRectF &b) {
        return (a.topLeft() - b.topLeft()).manhattanLength() < 0.01 && std::abs(a.width() - b.width()) < 0.01 &&
               std::abs(a.height() - b.height()) < 0.01;
    };
    // 300 units with an emoji across the 250th and 251st: the limit keeps it whole.
    const QString typed300 = QString(249, QLatin1Char(' ')) + QStringLiteral("\U0001F600") + QString(49, QLatin1Char(' '));
    const struct {
        const char *what;
        SKTIndexSet selected;
        std::function<void()> change;
        std::vector<int> changed;  // controls whose pixels change
        int steps;
        std::function<bool()> stored = [] { return true; };
        std::function<void()> start = nullptr;  // a start of its own, before the selection
        bool undone = false;                    // then one Undo puts the side back, Undo out
    } rows[] = {
        // The shown rectangle is wider and taller than the text beside it.
        {"W, H visited and left by Tab, two selected", {0, 2},
         [&] { visit(p.frame_main_pic_width_val), visit(p.frame_main_pic_height_val); }, {}, 0, untouched, fresh},
        {"H visited, then a click on the card", {0}, [&] { visit(p.frame_main_pic_height_val, frame0.center()); }, {}, 0,
         untouched, fresh},
        {"opacity visited, two texts", {2, 3}, [&] { visit(p.Text_alpha_Text, freeSpot({0})); }, {}, 0,
         [&] { return untouched() && p.Text_alpha_Text->text() == "33"; }, fresh},
        {"shadow opacity visited, two texts", {2, 3}, [&] { visit(p.shadow_transp_Text); }, {}, 0, untouched, fresh},
        {"shape opacity visited", {0, 1}, [&] { visit(p.shape_alpha_Text); }, {}, 0, untouched, fresh},
        {"rotation visited", {5}, [&] { visit(p.Rotate_slidr_val); }, {}, 0,
         [&] { return !undoOn() && at(5).rotate_image == 12.35f && p.Rotate_slidr_val->text() == "12.35"; }, fresh},
        {"opacity visited", {5}, [&] { visit(p.Trsp_slidr_val); }, {}, 0,
         [&] { return !undoOn() && at(5).img_trnsp_val == 66.67f && p.Trsp_slidr_val->text() == "66.67"; },
         unevenPicture},
        {"fill, one locked", {0, 1}, [&] { ui->push(QColor(Qt::red)); press(p.shape_fill_clr); }, {0}, 1,
         [&] { return rendered().pixelColor(40, 30) == QColor(Qt::red); }, fresh},
        {"nothing selected: no fill on offer", {}, [&] { EXPECT_FALSE(testsupport::unreachable(p.shape_fill_clr).isEmpty()); },
         {}, 0},
        {"dashed border", {0}, [&] { p.shape_border_style->setCurrentIndex(1); }, {0}, 1},
        {"border index 5", {0}, [&] { p.shape_border_style->setCurrentIndex(5); }, {0}, 1,
         [&] { return at(0)._stroke_border_type == "S"; }},
        {"width not a number", {0}, [&] { type(p.shape_bor_Text, "abc"); }, {}, 0,
         [&] { return p.shape_bor_Text->text() == "1"; }},
        {"width not a whole number", {0}, [&] { type(p.shape_bor_Text, "2.5"); }, {}, 0,
         [&] { return p.shape_bor_Text->text() == "1"; }},
        {"opacity below range", {0}, [&] { type(p.shape_alpha_Text, "-20"); }, {0}, 1,
         [&] { return at(0).alpha_val == 0 && p.shape_alpha_Text->text() == "0"; }},
        {"typing over the placeholder", {2, 3, 4},
         [&] { p.Text_value_Edit->setPlainText("Text hereAB"); }, {2, 4}, 0,
         [&] { return p.Text_value_Edit->toPlainText() == "AB" && at(3).Text_contents().string == "WWW"; }},
        {"typing is held to 250", {2}, [&] { p.Text_value_Edit->setPlainText(typed300); }, {2}, 0,
         [&] { return at(2).Text_contents().string == typed300.left(251); }},
        {"grey pictures", {5, 6}, [&] { press(p.Image_Gray_Scale_chk); }, {5, 6}, 1},
        {"reset keeps each picture", {5, 6}, [&] { ui->push(true); press(p.Image_reset_btn); }, {5, 6}, 1,
         [&] { return rendered().pixelColor(20, 120) == QColor(Qt::red) && rendered().pixelColor(80, 120) == QColor(Qt::blue); }},
        {"rotation 30.7", {5}, [&] { type(p.Rotate_slidr_val, "30.7"); }, {5}, 1,
         [&] {
             std::unique_ptr<SKTGraphic> whole = at(5).clone();
             whole->rotate_image = 30;
             return at(5).rotate_image == 30.7f && at(5)._contents_with_settings == Adjusted_Control_Picture(*whole);
         }},
        {"signature border keeps each picture", {7, 8}, [&] { press(p.Sign_border_chk); }, {7, 8}, 1,
         [&] { return at(7)._file_path == pathIn("a.png") && at(8)._file_path == pathIn("b.png"); }},
        {"signature chosen for both", {7, 8}, [&] { ui->push(pathIn("b.png")); press(p.sign_browse_btn); }, {7}, 1},
        {"rotation out of range", {5}, [&] { type(p.Rotate_slidr_val, "nan"); }, {}, 0,
         [&] { return p.Rotate_slidr_val->text() == "30.7"; }},
        {"opacity in whole percents", {5}, [&] { type(p.Trsp_slidr_val, "50.5"); }, {}, 0,
         [&] { return p.Trsp_slidr_val->text() == "100"; }},
        {"picture from a file", {5}, [&] { ui->push(pathIn("b.png")); press(p.manual_browse_btn); }, {5}, 1,
         [&] { return at(5)._file_path == pathIn("b.png"); }},
        // Two pictures share the image tab alone: the source and its library are one picture's.
        {"no library for two images", {5, 6}, [&] { EXPECT_FALSE(testsupport::unreachable(p.library_browse_btn).isEmpty()); },
         {}, 0, [&] { return testsupport::unreachable(p.Image_Gray_Scale_chk).isEmpty(); }},
        // Typed into X, then on by Tab through Y, W and H: the typed X alone reaches both.
        {"X typed, Tab on through the rest", {0, 2},
         [&] {
             type(p.frame_main_pic_X_pos_val, "5");
             for (int i = 0; i < 3; ++i)
                 QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
         },
         {0, 2}, 1,
         [&] { return at(0).bounds() == frame0.translated(-5, 0) && at(2).bounds() == frame2.translated(-5, 0); }},
        // A value typed as the field shows it, with two selected, still goes to both: the field
        // shows the last one clicked, and the other one moves, resizes or changes to match.
        {"X typed as shown, two selected", {4, 0}, [&] { typeShown(p.frame_main_pic_X_pos_val, 170); }, {0}, 1,
         [&] { return at(0).bounds() == frame0.translated(160, 0) && at(4).bounds() == frames[4]; }, fresh, true},
        {"Y typed as shown, two selected", {0, 4}, [&] { typeShown(p.frame_main_pic_Y_pos_val, 10); }, {4}, 1,
         [&] { return at(4).bounds() == frames[4].translated(0, -50) && at(0).bounds() == frame0; }, fresh, true},
        {"W typed as shown, two selected", {0, 8}, [&] { typeShown(p.frame_main_pic_width_val, p.frame_main_pic_width->value()); },
         {8}, 1, [&] { return near(at(8).bounds(), {190, 100, 36, 40}); },
         squareShape, true},
        {"H typed as shown, two selected", {0, 8}, [&] { typeShown(p.frame_main_pic_height_val, p.frame_main_pic_height->value()); },
         {8}, 1, [&] { return near(at(8).bounds(), {190, 100, 50, 36}); },
         squareShape, true},
        {"fill opacity typed as shown, two texts", {3, 2}, [&] { typeShown(p.Text_alpha_Text, 25); }, {2}, 1,
         [&] { return at(2).alpha_val == 0.25f && at(3).alpha_val == 0.25f; },
         freshWith([&] { at(3).alpha_val = 0.25f; }), true},
        {"opacity slider typed as shown, two images", {6, 5}, [&] { typeShown(p.Trsp_slidr_val, 100); }, {5}, 1,
         [&] { return at(5).img_trnsp_val == 100 && at(6).img_trnsp_val == 100; },
         unevenPicture, true},
        // A whole-number field showing a control's fraction takes it typed back exactly as shown,
        // and keeps showing it when a fraction it does not show is refused.
        {"opacity slider typed as shown 66.67, two images", {5, 6}, [&] { typeShown(p.Trsp_slidr_val, 66.67); }, {6}, 1,
         [&] { return at(5).img_trnsp_val == 66.67f && at(6).img_trnsp_val == 66.67f && p.Trsp_slidr_val->text() == "66.67"; },
         unevenPicture, true},
        {"opacity slider refuses a fraction not shown", {5, 6}, [&] { type(p.Trsp_slidr_val, "50.5"); }, {}, 0,
         [&] { return at(5).img_trnsp_val == 66.67f && at(6).img_trnsp_val == 100 && p.Trsp_slidr_val->text() == "66.67"; },
         unevenPicture},
        {"gradient angle typed as shown 33.33, two texts", {3, 2}, [&] { typeShown(p.Text_grad_Text, 33.33); }, {2}, 1,
         [&] { return at(2)._fill_grad_angle == 33.33 && at(3)._fill_grad_angle == 33.33 && p.Text_grad_Text->text() == "33.33"; },
         unevenAngles, true},
        {"gradient angle refuses a fraction not shown", {3, 2}, [&] { type(p.Text_grad_Text, "12.5"); }, {}, 0,
         [&] { return at(2)._fill_grad_angle == 10 && at(3)._fill_grad_angle == 33.33 && p.Text_grad_Text->text() == "33.33"; },
         unevenAngles},
        // A value held as shown goes once the slider moves, or once another control is shown.
        {"opacity 66.67 as shown, then the slider's Left arrow twice", {5, 6},
         [&] {
             typeShown(p.Trsp_slidr_val, 66.67);
             ASSERT_EQ(testsupport::unreachable(p.Trsp_slidr), QString());
             QTest::mouseClick(p.Trsp_slidr, Qt::LeftButton, {}, handleOf(p.Trsp_slidr));
             ASSERT_EQ(QApplication::focusWidget(), p.Trsp_slidr);
             QTest::keyClick(p.Trsp_slidr, Qt::Key_Left), QTest::keyClick(p.Trsp_slidr, Qt::Key_Left);
         },
         {5, 6}, 3, [&] { return at(5).img_trnsp_val == 65 && at(6).img_trnsp_val == 65 && p.Trsp_slidr_val->text() == "65"; },
         unevenPicture},
        {"opacity 66.67 as shown, then a picture at 67 given a rotation", {5},
         [&] {
             typeShown(p.Trsp_slidr_val, 66.67);
             select({6});
             type(p.Rotate_slidr_val, "20");
         },
         {6}, 1, [&] { return at(5).img_trnsp_val == 66.67f && at(6).img_trnsp_val == 67 && at(6).rotate_image == 20; },
         freshWith([&] { at(5).img_trnsp_val = 66.67f, at(6).img_trnsp_val = 67; })},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.what);
        if (row.start)
            row.start();
        select(row.selected);
        const QImage before = rendered();
        const int stepsBefore = steps();
        row.change();
        const QImage after = rendered();
        for (int i = 0; i < 9; ++i) {
            const QRect box = (at(i).bounds() | frames[size_t(i)]).toAlignedRect();
            EXPECT_EQ(before.copy(box) != after.copy(box), std::count(row.changed.begin(), row.changed.end(), i) == 1) << i;
        }
        EXPECT_EQ(steps() - stepsBefore, row.steps);
        EXPECT_TRUE(row.stored());
        if (row.undone) {
            click("Undo_btn");
            EXPECT_EQ(rendered(), before) << "one Undo puts the whole change back";
            EXPECT_FALSE(undoOn());
        }
    }
}

// On the visitor road the text editor writes the free text among the selected texts and leaves
// a profile field to the profile panel.
class PanelWriteBackOnVisitorRoad : public PanelWriteBackTest {
protected:
    void road() override { chooseVisitorRoad(); }
};

TEST_F(PanelWriteBackOnVisitorRoad, TypingSkipsProfileFields)
{
    ASSERT_EQ(Start_Card_Option, "V");
    select({2, 4});
    ASSERT_TRUE(testsupport::unreachable(panel().Text_value_Edit).isEmpty());
    const QImage before = rendered();
    panel().Text_value_Edit->setPlainText("Text hereQ");
    const QImage after = rendered();
    for (int i : {2, 4}) {
        const QRect box = at(i).bounds().toAlignedRect();
        EXPECT_EQ(before.copy(box) != after.copy(box), i == 2) << i;
    }
}

// At the desk the image tab alone is shown, with the crop command: the picture cropped in the
// tool (its own run, a user's Crop Image) goes on the control and into the profile panel's photo
// box.
TEST_F(PanelWriteBackOnVisitorRoad, TheDeskCropsAPictureIntoItsPanel)
{
    fakecamera::ScopedFakeCamera camera;  // the tool's camera list never meets a real device
    std::unique_ptr<platform::UiServices> previous = platform::setUi(std::make_unique<RunsTheCropTool>());
    Cropping_Tool *tool = Cropping_Tool::defaultInstance();
    tool->Crop_Direct_Path.clear();
    select({5});
    const QRect box = at(5).bounds().toAlignedRect();
    const QImage before = rendered().copy(box);
    QTimer crop, guard;
    QObject::connect(&crop, &QTimer::timeout, [&] {
        if (tool->isVisible() && !tool->User_Picture.isNull())
            crop.stop(), press(tool->findChild<QPushButton *>("Crop_direct_Btn"));
    });
    QObject::connect(&guard, &QTimer::timeout, tool, [tool] { tool->done(0); });
    crop.start(20);
    guard.start(20000);
    press(panel().crop_image_btn);
    guard.stop();
    platform::setUi(std::move(previous));
    const QString cropped = tool->Crop_Direct_Path;
    ASSERT_TRUE(!cropped.isEmpty() && cropped != pathIn("a.png")) << "no crop was made";
    EXPECT_EQ(at(5)._file_path, cropped);
    EXPECT_EQ(Front_Profile_Panel_OBJ->image_path_val->text(), cropped);
    // A crop of the half-red picture, and the control shows it in the place of the whole one.
    const QImage picture(cropped);
    bool red = false;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width() && !red; ++x)
            red = picture.pixelColor(x, y) == QColor(Qt::red);
    EXPECT_TRUE(red) << "the crop holds none of the picture";
    EXPECT_NE(rendered().copy(box), before);
}

// The crop command is on show only with a picture control; it refuses what it cannot crop, and a
// finished crop of a picture control's file leaves the control showing the cropped file, as one
// undo step.
TEST_F(PanelWriteBackTest, CropCommandRefusesWhatItCannotCropAndShowsTheCrop)
{
    QPushButton *crop = panel().crop_image_btn;
    for (const SKTIndexSet &none : {SKTIndexSet{}, SKTIndexSet{2}}) {
        select(none);
        EXPECT_FALSE(testsupport::unreachable(crop).isEmpty()) << none.size();
    }
    const struct {
        SKTIndexSet selected;
        const char *moved;  // a picture file taken away first
        QString message;
    } rows[] = {
        {{5, 6}, nullptr, "Please select only one image control to 'Crop Image'."},
        {{6}, "b.png", "The selected control does not contains any image with supported extension."},
    };
    for (const auto &row : rows) {
        if (row.moved) {
            ASSERT_TRUE(QFile::rename(pathIn(row.moved), pathIn("moved.png")));
        }
        select(row.selected);
        ui->clear();
        press(crop);
        EXPECT_EQ(ui->messages(), QStringList{"\n" + row.message});
        if (row.moved) {
            ASSERT_TRUE(QFile::rename(pathIn("moved.png"), pathIn(row.moved)));
        }
    }
    select({5});
    ui->clear();
    Cropping_Tool::defaultInstance()->Crop_Direct_Path = pathIn("b.png");
    ui->push(1);  // the cropping tool's direct run, finished
    const int steps = controller->undoHistory().Get_Undo_Count();
    press(crop);
    EXPECT_TRUE(ui->messages().isEmpty());
    EXPECT_EQ(document->graphics()[5]->_file_path, pathIn("b.png"));
    EXPECT_EQ(controller->undoHistory().Get_Undo_Count(), steps + 1);
}

// The crop command's tool keeps the rest of the application waiting while it runs, as a
// window of its own over the main window: the window's Delete is out of reach until the crop
// finishes, and the crop goes on the control as one step.
TEST_F(PanelWriteBackTest, CropToolIsApplicationModalAndHoldsTheWindowBack)
{
    std::unique_ptr<platform::UiServices> previous = platform::setUi(std::make_unique<RunsTheCropTool>());
    Cropping_Tool *tool = Cropping_Tool::defaultInstance();
    select({5});
    bool modal = false, acted = false;
    QString deleteRefused;
    const int steps = controller->undoHistory().Get_Undo_Count();
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        // In the tool's modal loop: the tool is up with its picture.
        if (acted || !tool->isVisible() || tool->User_Picture.isNull())
            return;
        acted = true;
        modal = QApplication::activeModalWidget() == tool && QGuiApplication::modalWindow() == tool->windowHandle();
        deleteRefused = testsupport::unreachable(outlet<QToolButton>("Delete_btn"));
        press(tool->findChild<QPushButton *>("Crop_direct_Btn"));
    });
    poll.start();
    // Never left hanging; the guard dies with this test, since a pending one on the shared tool
    // would close whatever later run of the tool is open when it fires.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, tool, [tool] {
        if (tool->isVisible())
            tool->done(0);
    });
    guard.start(20000);
    press(panel().crop_image_btn);
    poll.stop();
    guard.stop();
    platform::setUi(std::move(previous));
    ASSERT_TRUE(acted);
    EXPECT_TRUE(modal);
    EXPECT_TRUE(deleteRefused.contains("is open over its window")) << deleteRefused.toStdString();
    EXPECT_FALSE(tool->isVisible());
    const QString cropped = tool->Crop_Direct_Path;
    ASSERT_FALSE(cropped.isEmpty());
    EXPECT_TRUE(QFileInfo::exists(cropped));
    EXPECT_EQ(at(5)._file_path, cropped);
    EXPECT_EQ(controller->undoHistory().Get_Undo_Count(), steps + 1);

    // The tool command's full tool too: modal while it runs, gone when it has run.
    bool fullModal = false;
    ui->onRequest = [&](const platform::ScriptedUiServices::Request &r) {
        if (r.kind == QLatin1String("Cropping_Tool"))
            fullModal = tool->isVisible() && QApplication::activeModalWidget() == tool;
    };
    click("Cropping_Tool_btn");
    ui->onRequest = nullptr;
    EXPECT_TRUE(fullModal);
    EXPECT_FALSE(tool->isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// After a crop the control shows the cropped picture, and keeps it through the next change in
// the image tab (the path field feeds that write-back); a series or column crop binds the
// control to the new series or column and shows its first picture.
TEST_F(PanelWriteBackTest, CroppedPictureStaysThroughTheNextChange)
{
    PropertyPanel &p = panel();
    picture(pathIn("c.png"), Qt::green);
    ASSERT_TRUE(Write_Series_File(Series_File_Path("Staff"), QStringList{pathIn("a.png")}));
    ASSERT_TRUE(Write_Series_File(Series_File_Path("Staff (1)"), QStringList{pathIn("c.png")}));
    Data_From_Excel &table = *Data_From_Excel::defaultInstance();
    const auto tableBefore = std::make_pair(table.ColList, table.Rows());
    table.ColList = {{"Extension", "Extension"}, {"Column1", "Photo"}, {"Column2", "Photo cropped"}};
    table.Set_Rows({{"1", pathIn("a.png"), pathIn("c.png")}});
    Cropping_Tool &tool = *Cropping_Tool::defaultInstance();
    const struct {
        const char *what;
        int source, column;
        QString series, croppedFile, croppedSeries;
        int croppedColumn;
        std::function<bool(const SKTGraphic &)> bound;
    } rows[] = {
        {"own file", 0, -1, {}, pathIn("c.png"), {}, -1,
         [&](const SKTGraphic &g) { return g.data_source_type == 0 && g.Text_Value != pathIn("c.png"); }},
        {"series", 1, -1, "Staff", {}, "Staff (1)", -1,
         [&](const SKTGraphic &g) {
             return g.batch_list_name == "Staff (1)" && p.Batch_Series->currentText() == "Staff (1)" &&
                    g.batch_list_index == p.Batch_Series->currentIndex();
         }},
        {"column", 2, 1, {}, {}, {}, 2,
         [&](const SKTGraphic &g) {
             return g.excel_col_indx == 2 && g.Text_Value == pathIn("c.png") &&
                    p.Batch_Series->currentText() == "Photo cropped";
         }},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.what);
        auto &image = static_cast<SKTImage &>(at(5));
        image.setFilePath(pathIn("a.png"), true);
        image.data_source_type = row.source;
        image.batch_list_name = row.series;
        image.excel_col_indx = row.column;
        select({5});
        tool.Crop_Direct_Path = row.croppedFile;
        tool.Crop_Direct_Series = row.croppedSeries;
        tool.Crop_New_Excel_Col_Index = row.croppedColumn;
        ui->clear();
        ui->push(1);  // the cropping tool's direct run, finished
        press(p.crop_image_btn);
        EXPECT_TRUE(ui->messages().isEmpty()) << ui->messages().join("|").toStdString();
        EXPECT_EQ(p.Manual_image_path->text(), pathIn("c.png"));
        EXPECT_EQ(Library_Selected_Image, pathIn("c.png"));
        EXPECT_TRUE(row.bound(image));
        press(p.Image_border_chk);
        EXPECT_EQ(image._file_path, pathIn("c.png"));
        EXPECT_EQ(rendered().pixelColor(20, 120), QColor(Qt::green));
    }
    table.ColList = tableBefore.first;
    table.Set_Rows(tableBefore.second);
}

// Insert Date and Insert Time put now, in the chosen pattern, at the editor's cursor and into
// the text as one step; with no pattern chosen they say so and change nothing.
TEST_F(PanelWriteBackTest, DateAndTimeGoInAtTheCursor)
{
    PropertyPanel &p = panel();
    const struct {
        QPushButton *button;
        QComboBox *list;
        int item;  // -1: none chosen
        QRegularExpression inserted;
        QString message;
    } rows[] = {
        {p.insert_date_btn, p.Text_Date_style, 5,
         QRegularExpression("^WW" + QRegularExpression::escape(QDate::currentDate().toString("yyyy-MM-dd")) + "W$"), {}},
        {p.insert_time_btn, p.Text_Time_style, 0, QRegularExpression("^WW1?[0-9]:[0-5][0-9]:[0-5][0-9] (AM|PM)W$"), {}},
        {p.insert_time_btn, p.Text_Time_style, 3, QRegularExpression("^WW[0-2][0-9]:[0-5][0-9]:[0-5][0-9]W$"), {}},
        {p.insert_date_btn, p.Text_Date_style, -1, QRegularExpression("^WWW$"), "\nPlease select Date format."},
        {p.insert_time_btn, p.Text_Time_style, -1, QRegularExpression("^WWW$"), "\nPlease select Time format."},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.button->text().toStdString() + " " + std::to_string(row.item));
        at(2).Set_text_value(QStringLiteral("WWW"));
        select({2});
        row.list->setCurrentIndex(row.item);
        QTextCursor cursor = p.Text_value_Edit->textCursor();
        cursor.setPosition(2);
        p.Text_value_Edit->setTextCursor(cursor);
        ui->clear();
        const int before = steps();
        press(row.button);
        EXPECT_TRUE(row.inserted.match(at(2).Text_contents().string).hasMatch()) << at(2).Text_contents().string.toStdString();
        EXPECT_EQ(ui->messages(), row.message.isEmpty() ? QStringList() : QStringList{row.message});
        EXPECT_EQ(steps() - before, row.message.isEmpty() ? 1 : 0);
    }
}

// A cancelled file chooser leaves no earlier choice behind and changes no picture.
TEST_F(PanelWriteBackTest, CancelledFileChooserForgetsTheLastChoice)
{
    select({5});
    Library_Selected_Image = pathIn("b.png");
    ui->push(QString());
    press(panel().manual_browse_btn);
    EXPECT_TRUE(Library_Selected_Image.isEmpty());
    EXPECT_EQ(at(5)._file_path, pathIn("a.png"));
}

// A text's font, colour and alignment, a rectangle's fill and dash and a picture's filter, then
// Undo step by step shows each earlier canvas again, back to the start.
TEST_F(PanelWriteBackTest, UndoTakesEachChangeBackOnTheCanvas)
{
    PropertyPanel &p = panel();
    const std::pair<int, std::function<void()>> changes[] = {
        {2, [&] { ui->push(QFont("Serif", 12)); press(p.text_font_btn); }},
        {2, [&] { ui->push(QColor(Qt::darkGreen)); press(p.Text_clr); }},
        {2, [&] { p.Text_align_combo->setCurrentIndex(1); }},
        {0, [&] { ui->push(QColor(Qt::yellow)); press(p.shape_fill_clr); }},
        {0, [&] { p.shape_border_style->setCurrentIndex(2); }},
        {5, [&] { press(p.Image_FIH_chk); }},
    };
    std::vector<QImage> shown{grabbed(0)};
    for (const auto &[control, change] : changes) {
        select({control});
        change();
        select({});
        shown.push_back(grabbed(0));
        EXPECT_NE(shown.back(), shown[shown.size() - 2]) << shown.size();
    }
    for (size_t i = shown.size() - 1; i-- > 0;) {
        click("Undo_btn");
        EXPECT_EQ(grabbed(0), shown[i]) << i;
    }
}

// Each field of the panel typed once is one step, and one Undo takes it back: the side ends
// where it began, stored alike, with Undo out. The canvas is drawn between the steps as the
// screen draws it; a drawing that wrote into a control would be a step nobody made.
TEST_F(PanelWriteBackTest, EveryTypedFieldIsOneStepThatOneUndoTakesBack)
{
    PropertyPanel &p = panel();
    QApplication::setActiveWindow(controller.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(controller.get()));
    auto line = std::make_shared<SKTLine>();
    line->setBounds({150, 15, 80, 30});
    document->insertGraphicsOnSide(0, {line}, {9});
    const auto stored = [&] {
        QList<QByteArray> out;
        for (const SKTGraphicPtr &g : document->graphicsOfSide(0))
            out.append(Archive_Graphic(*g));
        return out;
    };
    using Set = std::function<void(SKTGraphic &)>;
    const Set none = [](SKTGraphic &) {};
    const Set border = [](SKTGraphic &g) { g._isDrawingStroke = true; };
    const Set fill = [](SKTGraphic &g) { g._isDrawingFill = true, g._fill_type = QStringLiteral("S"); };
    const Set gradient = [](SKTGraphic &g) { g._isDrawingFill = true, g._fill_type = QStringLiteral("G"); };
    const Set shadow = [](SKTGraphic &g) { g.Drawing_Shadow = true, g.Shadow_Color = Qt::darkRed; };
    const auto shape = [](const char *code) { return [code](SKTGraphic &g) { g.Set_Shape_Type(QLatin1String(code)); }; };
    // None of a picture's settings at its default, its adjusted picture made from them.
    const Set adjusted = [](SKTGraphic &g) {
        g.rotate_image = 12, g.img_trnsp_val = 40, g.hue_val = 1.5f, g.sat_val = 0.5f, g.brt_val = 0.25f;
        g.con_val = 2, g.srp_val = 1, g.ev_val = 1.5f, g.blr_val = 2;
        g._contents_with_settings = Adjusted_Control_Picture(g);
    };
    // A drag of `slider` is one step however many values it passes (the history holds 50), and
    // the card follows it with none recorded until the release. With nothing typed (a null
    // `typed`, no `slider` or one dragged `back`) the row moves the control one point by the Right
    // arrow, then types back what the field shows, or presses `button` twice (the file panel
    // answering `chosen` each time), or drags `slider` out and back: that changes nothing, so it
    // is no step, and one Undo takes back the move.
    const struct {
        const char *what;
        SKTIndexSet selected;
        Set start;
        QLineEdit *field = nullptr;
        const char *typed = nullptr;
        QAbstractButton *button = nullptr;
        const char *chosen = nullptr;
        PanelSlider *slider = nullptr;
        int moves = 60;
        bool back = false;
    } rows[] = {
        {"X", {0}, none, p.frame_main_pic_X_pos_val, "20"},
        {"Y", {0}, none, p.frame_main_pic_Y_pos_val, "20"},
        {"W", {0}, none, p.frame_main_pic_width_val, "15"},
        {"H", {0}, none, p.frame_main_pic_height_val, "10"},
        {"shape border", {0}, border, p.shape_bor_Text, "3"},
        {"shape gradient angle", {0}, gradient, p.shape_grad_Text, "45"},
        {"shape opacity", {0}, fill, p.shape_alpha_Text, "40"},
        {"corner radius", {0}, shape("RR"), p.shape_cor_radius_Text, "8"},
        {"star points", {0}, shape("DS"), p.double_star_Text, "4"},
        {"polygon", {0}, shape("P"), p.polygon_Text, "6"},
        {"shape rotation", {0}, none, p.shape_rotation_slidr_val, "30"},
        {"line width", {9}, none, p.Line_Wdt_Text, "4"},
        {"line opacity", {9}, none, p.Line_alpha_Text, "40"},
        {"text border", {2}, border, p.Text_bor_Text, "3"},
        {"text gradient angle", {2}, gradient, p.Text_grad_Text, "45"},
        {"text fill opacity", {2}, fill, p.Text_alpha_Text, "40"},
        {"kerning", {2}, none, p.Text_Kern_Text, "2"},
        {"shadow X", {2}, shadow, p.shadow_x_Text, "4"},
        {"shadow Y", {2}, shadow, p.shadow_y_Text, "-4"},
        {"shadow blur", {2}, shadow, p.shadow_blur_Text, "3"},
        {"shadow opacity", {2}, shadow, p.shadow_transp_Text, "20"},
        {"shadow opacity, two texts", {2, 3}, shadow, p.shadow_transp_Text, "20"},
        {"text rotation", {2}, none, p.txt_rotation_slidr_val, "30"},
        {"picture border", {5}, border, p.Image_bor_Text, "3"},
        {"picture rotation", {5}, none, p.Rotate_slidr_val, "30"},
        {"picture opacity", {5}, none, p.Trsp_slidr_val, "40"},
        {"hue", {5}, none, p.Hue_slidr_val, "1.5"},
        {"saturation", {5}, none, p.Sat_slidr_val, "0.5"},
        {"brightness", {5}, none, p.Brt_slidr_val, "0.25"},
        {"contrast", {5}, none, p.Con_slidr_val, "2"},
        {"sharpness", {5}, none, p.shrp_slidr_val, "1"},
        {"exposure", {5}, none, p.ev_slidr_val, "1.5"},
        {"blur", {5}, none, p.blr_slidr_val, "2"},
        {"signature border", {7}, border, p.Sign_bor_Text, "3"},
        {"picture rotation as shown", {5}, adjusted, p.Rotate_slidr_val, nullptr},
        {"hue as shown", {5}, adjusted, p.Hue_slidr_val, nullptr},
        {"saturation as shown", {5}, adjusted, p.Sat_slidr_val, nullptr},
        {"brightness as shown", {5}, adjusted, p.Brt_slidr_val, nullptr},
        {"contrast as shown", {5}, adjusted, p.Con_slidr_val, nullptr},
        {"sharpness as shown", {5}, adjusted, p.shrp_slidr_val, nullptr},
        {"exposure as shown", {5}, adjusted, p.ev_slidr_val, nullptr},
        {"blur as shown", {5}, adjusted, p.blr_slidr_val, nullptr},
        {"Apply filters twice", {5}, adjusted, nullptr, nullptr, p.draw_image_filter_chkbox},
        {"Browse… the picture it shows, twice", {5}, adjusted, nullptr, nullptr, p.manual_browse_btn, "a.png"},
        {.what = "opacity dragged", .selected = {5}, .start = none, .slider = p.Trsp_slidr},
        {.what = "rotation dragged", .selected = {5}, .start = none, .slider = p.Rotate_slidr},
        {.what = "hue dragged", .selected = {5}, .start = none, .slider = p.Hue_slidr},
        {.what = "saturation dragged", .selected = {5}, .start = none, .slider = p.Sat_slidr},
        {.what = "brightness dragged", .selected = {5}, .start = none, .slider = p.Brt_slidr},
        {.what = "contrast dragged", .selected = {5}, .start = none, .slider = p.Con_slidr},
        {.what = "sharpness dragged", .selected = {5}, .start = none, .slider = p.shrp_slidr},
        {.what = "exposure dragged", .selected = {5}, .start = none, .slider = p.ev_slidr},
        {.what = "blur dragged", .selected = {5}, .start = none, .slider = p.blr_slidr},
        {.what = "text rotation dragged", .selected = {2}, .start = none, .slider = p.txt_rotation_slidr},
        {.what = "shape rotation dragged", .selected = {0}, .start = fill, .slider = p.shape_rotation_slidr},
        {.what = "a slow short drag", .selected = {5}, .start = none, .slider = p.Trsp_slidr, .moves = 10},
        {.what = "opacity dragged out and back past its end", .selected = {5},
         .start = [](SKTGraphic &g) { g.img_trnsp_val = 100; }, .slider = p.Trsp_slidr, .back = true},
    };
    // The slider's handle pressed and dragged as a person does: half the moves a third of its
    // width toward its middle, a third of them back half that way, the rest on a quarter of it,
    // or (`back`) past its end, where it began; then let go.
    const auto drag = [&](PanelSlider *slider, int moves, bool back) {
        testsupport::showTabOf(slider);
        ASSERT_EQ(testsupport::unreachable(slider), QString());
        const int stepsBefore = steps();
        const QList<QByteArray> before = stored();
        QPoint at = handleOf(slider);
        const int toward = at.x() < slider->width() / 2 ? 1 : -1, reach = slider->width() / 3;
        const auto leg = [&](int n, int pixels) {
            const QPoint from = at;
            for (int i = 1; i <= n; ++i)
                QTest::mouseMove(slider, at = from + QPoint(toward * pixels * i / n, 0));
        };
        QTest::mousePress(slider, Qt::LeftButton, {}, at);
        leg(moves / 2, reach);
        EXPECT_NE(stored(), before) << "the card follows the drag";
        EXPECT_EQ(steps(), stepsBefore) << "no step while the mouse holds the slider";
        leg(moves / 3, -reach / 2);
        leg(moves - moves / 2 - moves / 3, back ? -reach : reach / 4);
        grabbed(0);
        QTest::mouseRelease(slider, Qt::LeftButton, {}, at);
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.what);
        for (int i : row.selected)
            row.start(at(i));
        controller->Reset_Undo_With_Base_Snapshot();
        select(row.selected);
        grabbed(0);
        const QImage shown = rendered();
        const QList<QByteArray> before = stored();
        if (row.typed || (row.slider && !row.back)) {
            row.slider ? drag(row.slider, row.moves, false) : type(row.field, QString::fromLatin1(row.typed));
            EXPECT_EQ(steps(), 1);
            EXPECT_NE(stored(), before) << "the typed value reached no control";
        } else {
            QTest::keyClick(canvas(0), Qt::Key_Right);
            ASSERT_EQ(steps(), 1) << "the move is a step";
            grabbed(0);
            const QList<QByteArray> moved = stored();
            const QImage movedShown = rendered();
            if (row.field)
                type(row.field, row.field->text());
            else if (row.slider)
                drag(row.slider, row.moves, true);
            else
                for (int i = 0; i < 2; ++i) {
                    if (row.chosen)
                        ui->push(pathIn(row.chosen));
                    press(row.button);
                }
            grabbed(0);
            EXPECT_EQ(steps(), 1) << "a change that changes nothing is no step";
            EXPECT_EQ(stored(), moved);
            EXPECT_EQ(rendered(), movedShown);
        }
        grabbed(0);
        click("Undo_btn");
        grabbed(0);
        EXPECT_EQ(stored(), before);
        EXPECT_EQ(rendered(), shown);
        EXPECT_FALSE(undoOn());
    }
}

// A design file from elsewhere holds values the sliders' steps cannot make. Opened, another
// field written back, or one of them typed as it shows, leaves the rest as the file held them:
// in the saved file, in the fields, and on the card (whose block the file keeps to two decimals).
TEST_F(PanelWriteBackTest, ValuesAFileHoldsAreSavedAsTheyAre)
{
    PropertyPanel &p = panel();
    CardTabs &card = controller->cardTabs();
    QApplication::setActiveWindow(controller.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(controller.get()));
    for (int i : {5, 6})
        at(i).img_trnsp_val = 66.67f, at(i).blr_val = 1.5f, at(i).rotate_image = 12.35f, at(i).ev_val = 0.25f;
    controller->Front_card_Prop->setWatermark_Used(true);
    controller->Front_card_Prop->setWatermark_Transp(0.37f);
    const QString file = pathIn("uneven.did");
    saveAs(file);
    QVariantList root = platform::plistReadFile(file).toList();
    ASSERT_EQ(root.mid(2, 34).count(QStringLiteral("0.37")), 1);
    root[root.indexOf(QStringLiteral("0.37"))] = QStringLiteral("0.3737");
    ASSERT_TRUE(platform::plistWriteFile(file, QVariant(root)));
    const struct {
        const char *what;
        SKTIndexSet selected;  // none: the card's tabs
        std::function<void()> change;
        float saturation;  // of the first picture, as saved
        std::function<bool(const Card_Property &)> cardSaved = [](const Card_Property &) { return true; };
    } rows[] = {
        {"saturation typed", {5}, [&] { type(p.Sat_slidr_val, "1.2"); }, 1.2f},
        {"opacity typed as shown, two pictures", {5, 6}, [&] { type(p.Trsp_slidr_val, "66.67"); }, 1},
        {"blur typed as shown", {5}, [&] { type(p.blr_slidr_val, "1.5"); }, 1},
        {"watermark alignment chosen", {}, [&] { chooseIn(card.wm_alignment_combo, card.wm_alignment_combo->itemText(2)); }, 1,
         [](const Card_Property &c) { return c.Watermark_Alignment() == 2 && c.Watermark_Transp() == 0.37f; }},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.what);
        const QString copy = pathIn("row.did");
        QFile::remove(copy);
        ASSERT_TRUE(QFile::copy(file, copy));
        open(copy);
        ASSERT_EQ(document->graphicsOfSide(0).size(), 9u) << ui->messages().join('|').toStdString();
        if (row.selected.empty())
            clickEmptyCard();
        else
            select(row.selected);
        row.change();
        if (row.selected.empty())
            EXPECT_EQ(card.wm_transp_val->text(), "37.37");
        else
            for (const auto &[field, shown] : {std::pair{p.Trsp_slidr_val, "66.67"}, {p.blr_slidr_val, "1.5"},
                                                {p.Rotate_slidr_val, "12.35"}, {p.ev_slidr_val, "0.25"}})
                EXPECT_EQ(field->text(), shown) << field->objectName().toStdString();
        EXPECT_EQ(controller->Front_card_Prop->Watermark_Transp(), 0.3737f);
        ui->clear();
        click("Save_btn");
        EXPECT_EQ(ui->messages(), QStringList{kSaved});
        const DesignReadResult read = Read_Design_File(copy);
        ASSERT_TRUE(read.ok());
        for (int i : {5, 6}) {
            const SKTGraphic &g = *read.design->frontControls[size_t(i)];
            EXPECT_EQ(g.img_trnsp_val, 66.67f) << i;
            EXPECT_EQ(g.blr_val, 1.5f) << i;
            EXPECT_EQ(g.rotate_image, 12.35f) << i;
            EXPECT_EQ(g.ev_val, 0.25f) << i;
            EXPECT_EQ(g.sat_val, i == 5 ? row.saturation : 1) << i;
        }
        EXPECT_TRUE(row.cardSaved(read.design->front));
    }
}

}  // namespace


// A picture control that holds the placeholder shows an empty path box, after a Reset too, and
// keeps its placeholder on the card and in the saved file.
TEST_F(PanelWriteBackTest, ThePlaceholderShowsNoPathAndStaysStored)
{
    const QString placeholder = controller->NO_Image_Path;
    EXPECT_EQ(panel().Manual_image_path->text().toStdString(), "") << "a new design";
    place(0, {SKTImage::initWithPath({0, 0}, placeholder)});
    at(0).setBounds({10, 150, 60, 60});
    select({0});
    EXPECT_EQ(panel().Manual_image_path->text().toStdString(), "");
    ui->push(true);
    press(panel().Image_reset_btn);
    EXPECT_EQ(panel().Manual_image_path->text().toStdString(), "");
    EXPECT_EQ(at(0)._file_path, placeholder);
    EXPECT_FALSE(at(0)._contents.isNull()) << "the placeholder is drawn";
    saveAs(pathIn("kept.did"));
    const DesignReadResult read = Read_Design_File(pathIn("kept.did"));
    ASSERT_TRUE(read.ok());
    const auto &stored = read.design->frontControls;
    EXPECT_EQ(std::count_if(stored.begin(), stored.end(), [&](const auto &g) {
                  return g->kind() == SKTGraphicKind::Image && g->_file_path == placeholder;
              }),
              1);
}

// Reset on a delivered template's photo frame, which holds the placeholder: the frame's data
// source stays as the template gave it, and the installation's path is not stored.
TEST_F(PanelWriteBackTest, ResetLeavesThePlaceholdersPathOutOfTheDesign)
{
    open(platform::joinPath(Resource_Path, "Templates/Visitor/Guest Cyan (v).did"));
    const auto frame = [this]() -> SKTGraphic & {
        for (const SKTGraphicPtr &g : document->graphicsOfSide(0))
            if (g->control_ID == QLatin1String("Fup_Photo"))
                return *g;
        throw std::runtime_error("no photo frame");
    };
    const QString given = frame().Text_Value;
    clickAt(canvas(0), {1, 1});
    QTest::mouseClick(canvas(0), Qt::LeftButton, Qt::NoModifier, ControllerTest::at(canvas(0), frame().bounds().center()));
    ASSERT_EQ(canvas(0)->Selected_Graphic(), &frame());
    ui->push(true);
    testsupport::press(panel().Image_reset_btn);
    ui->push(pathIn("reset.did"));
    click("SaveAs_btn");
    const DesignReadResult read = Read_Design_File(pathIn("reset.did"));
    ASSERT_TRUE(read.ok());
    const auto &stored = read.design->frontControls;
    const auto photo = std::find_if(stored.begin(), stored.end(), [](const auto &g) { return g->control_ID == "Fup_Photo"; });
    ASSERT_NE(photo, stored.end());
    EXPECT_EQ((*photo)->Text_Value.toStdString(), given.toStdString());
}
