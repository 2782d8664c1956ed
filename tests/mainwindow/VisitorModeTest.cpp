// Visitor mode in the window: the live face, the profile panels' captions, ticking and typing
// onto the card, where a new field goes and where a photo lands.

#include "VisitorFixture.h"
#include "CoreTestSupport.h"

#include "canvas/LiveModePanel.h"
#include "core/ControllerImageFiles.h"
#include "core/SKTImage.h"
#include "core/SKTRenderingView.h"
#include "visitor/ProfileCaptions.h"
#include "visitor/VisitorMode.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>

namespace {

// Each start road puts its caption set in force; the visitor face shows the front panel at 380.
TEST_F(VisitorModeTest, StartRoadsChooseCaptionsAndTheVisitorFace)
{
    startVisitor();
    EXPECT_EQ(front().label[3]->text(), "Purpose :");
    EXPECT_EQ(front().label[8]->text(), "Person to Meet :");
    auto *split = outlet<QSplitter>("verticalSplitView");
    ASSERT_NE(split, nullptr);
    EXPECT_FALSE(split->widget(0)->isVisibleTo(controller.get()));
    EXPECT_TRUE(front().isVisibleTo(controller.get()));
    // Wider than the screen, where the panel has the width it asks for: the maximised window
    // restored first.
    controller->setWindowState(Qt::WindowNoState);
    controller->resize(1300, 700);
    controller->show();
    QCoreApplication::processEvents();
    EXPECT_EQ(split->sizes().value(1), 380);
    EXPECT_EQ(front().value[0]->text(), control("Fup_Name")->Text_Value);  // the card's values loaded
    EXPECT_FALSE(enabled("text_tool_btn"));
    // The photo's caption follows the caption set in force, as the fields' captions do.
    const QString photoCaption = Title_image;
    Title_image = QStringLiteral("Picture :");
    front().Refresh_Controls();
    QStringList labels;
    for (const QLabel *l : front().findChildren<QLabel *>())
        labels << l->text();
    EXPECT_TRUE(labels.contains("Picture :")) << labels.join('|').toStdString();
    Title_image = photoCaption;
    front().Refresh_Controls();

    startAnswers = {10};
    galleryAction = [](Template_Wizard &w) { w.imageBrowser->selectImage(0), pressIn(w, "OK_btn"); };
    ui->push(int(platform::AnswerNo));  // the visit's design left unsaved
    click("New_btn");
    EXPECT_EQ(Start_Card_Option, "T");
    EXPECT_EQ(Title_Title, "Father's Name :");
    EXPECT_EQ(Title_slogan, "Class / Section :");
    EXPECT_FALSE(split->widget(1)->isVisibleTo(controller.get()));
    EXPECT_TRUE(enabled("text_tool_btn"));
}

// A visit: typed fields and a photo from a file are on the card, key by key.
TEST_F(VisitorModeTest, TypedFieldsAndAFilePhotoAreOnTheCard)
{
    startVisitor();
    const struct {
        int row;
        const char *id, *typed;
    } fields[] = {{0, "Fup_Name", "Ada Byron"}, {2, "Fup_Company", "Engines Ltd"}, {3, "Fup_CompanySlogan", "Audit"}};
    for (const auto &f : fields) {
        SCOPED_TRACE(f.id);
        QLineEdit *box = front().value[size_t(f.row)];
        QCheckBox *shown = front().value_chk[size_t(f.row)];
        if (f.row == 0)
            shown->setChecked(false);  // an enabled box whose field is off: typing ticks it
        else if (!shown->isChecked())
            press(shown);  // a field the template lacks is made by ticking it
        box->clear();
        QTest::keyClicks(box, QString::fromLatin1(f.typed).left(3));
        EXPECT_TRUE(shown->isChecked());
        ASSERT_NE(control(f.id), nullptr);
        EXPECT_EQ(control(f.id)->Text_Value, QString::fromLatin1(f.typed).left(3));
        QTest::keyClicks(box, QString::fromLatin1(f.typed).mid(3));
        EXPECT_EQ(control(f.id)->Text_Value, f.typed);
        EXPECT_TRUE(control(f.id)->ctrl_is_visible);
    }
    QImage red(60, 80, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(pathIn("visitor.png")));
    ui->push(pathIn("visitor.png"));
    controller->canvasOfSide(0)->Set_Selection_Index_According_ID("Fup_Photo");
    press(front().browse_pic_btn);
    EXPECT_EQ(front().image_path_val->text(), pathIn("visitor.png"));
    ASSERT_FALSE(front().user_picture->pixmap().isNull());

    // Each field paints inside its frame: the card without it differs there.
    const CardSide side = controller->Card_Side_Value(0);
    const QImage shown = rendered(side);
    for (const char *id : {"Fup_Name", "Fup_Company", "Fup_CompanySlogan", "Fup_Photo"}) {
        SCOPED_TRACE(id);
        CardSide without = side;
        std::erase_if(without.controls, [id](const auto &g) { return g->control_ID == id; });
        const QRect frame = control(id)->bounds().toAlignedRect().intersected(shown.rect());
        ASSERT_FALSE(frame.isEmpty());
        EXPECT_NE(shown.copy(frame), rendered(without).copy(frame));
    }
    const QRectF photo = control("Fup_Photo")->bounds();
    EXPECT_EQ(shown.pixelColor(photo.center().toPoint()), QColor(Qt::red));
}

// Where a ticked field goes, and where a photo goes on a side without a usable image control.
TEST_F(VisitorModeTest, NewFieldsAndPhotosArePlacedByTheirPartners)
{
    startVisitor();
    const double cardWidth = controller->canvasOfSide(0)->canvasBounds().width();
    const struct {
        QPointF caption;
        QPointF expected;  // where a new Fup_Name goes; cascade when null
    } cases[] = {{{10, 10}, {80, 10}}, {{cardWidth - 60, 40}, {cardWidth - 60, 60}}, {{0, 0}, {}}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.caption.x());
        SKTGraphicPtr caption = kindstest::filledRect(QRectF(c.caption, QSizeF(70, 20)), Qt::blue);
        caption->control_ID = QStringLiteral("Fup_lbl_Name");
        if (front().value_chk[0]->isChecked())  // the template's own name field, put out of use
            press(front().value_chk[0]);
        while (!document->graphics().empty())
            document->removeGraphicsOnSide(0, {0});
        place(0, {caption});
        front().label_chk[0]->setChecked(true);
        front().value[0]->setText("Grace");
        press(front().value_chk[0]);
        ASSERT_NE(control("Fup_Name"), nullptr);
        const QPointF cascade(last_ctrl_X, last_ctrl_Y);  // the latest new-control point
        EXPECT_EQ(control("Fup_Name")->bounds().topLeft(), c.expected.isNull() ? cascade : c.expected);
        EXPECT_EQ(control("Fup_Name")->Text_Value, "Grace");
        press(front().value_chk[0]);  // off: hidden, kept
        EXPECT_FALSE(control("Fup_Name")->ctrl_is_visible);
        EXPECT_FALSE(front().value[0]->isEnabled());
    }

    // No image control: the photo makes "Fup_Photo"; a lone locked one refuses.
    QImage picture(10, 10, QImage::Format_RGB32);
    picture.fill(Qt::green);
    ASSERT_TRUE(picture.save(pathIn("p.png")));
    for (const bool locked : {false, true}) {
        SCOPED_TRACE(locked);
        while (!document->graphics().empty())
            document->removeGraphicsOnSide(0, {0});
        if (locked) {
            std::shared_ptr<SKTGraphic> image = Make_Graphic_Of_Class(QStringLiteral("SKTImage"));
            image->setBounds(QRectF(5, 5, 40, 40));
            image->ctrl_is_locked = true;
            place(0, {image});
        }
        ui->clear();
        if (!locked)
            ui->push(pathIn("p.png"));
        press(front().browse_pic_btn);
        EXPECT_EQ(control("Fup_Photo") != nullptr, !locked);
        EXPECT_EQ(ui->messages(), locked ? QStringList{"Image control is locked."} : QStringList{});
    }
}

}  // namespace
