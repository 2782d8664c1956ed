// The invitation wizard as a person walks it from the Tools menu: frame, photo, texts, and the
// card it leaves; its start screen's way out; the photo-edit entry.

#include "ControllerFixture.h"

#include "canvas/WidgetUtilities.h"
#include "core/ControllerImageFiles.h"
#include "core/DesignFile.h"
#include "mainwindow/Invitation.h"
#include "mainwindow/Invitation_Wizard.h"

#include <QAction>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QClipboard>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QMenu>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QTimeEdit>

namespace {

const QString kEmoji = QStringLiteral("\U0001F600");

class InvitationWizardTest : public WindowTest {
protected:
    void TearDown() override
    {
        Invitation_Wizard::setModalRunner({});
        WindowTest::TearDown();
    }
    QAction *tool(const char *name) { return controller->findChild<QAction *>(QString::fromLatin1(name)); }
    QString photo(QColor colour)
    {
        QImage picture(40, 50, QImage::Format_RGB32);
        picture.fill(colour);
        const QString path = pathIn("photo.png");
        EXPECT_TRUE(picture.save(path));
        return path;
    }
    SKTGraphic *control(const char *id) const
    {
        for (const SKTGraphicPtr &g : document->graphics())
            if (g->control_ID == QLatin1String(id))
                return g.get();
        return nullptr;
    }
};

TEST_F(InvitationWizardTest, FramePhotoAndTextsBecomeTheInvitationCard)
{
    const QString picture = photo(Qt::red);
    std::vector<std::string> seen;
    std::vector<QSize> sizes;
    const auto measure = [&](Invitation_Wizard &w) {
        QCoreApplication::processEvents();
        sizes.push_back(w.size());
        const QSize least = w.minimumSizeHint().expandedTo(w.minimumSize());
        EXPECT_TRUE(least.width() <= 1024 && least.height() <= 700) << least.width() << "x" << least.height();
    };
    Invitation_Wizard::setModalRunner([&](Invitation_Wizard &w) {
        w.show();
        measure(w);
        pressIn(w, "Using_Wizard_btn");
        measure(w);
        // Straight to the frames, the first one chosen by the wizard without moving on.
        EXPECT_EQ(w.next_counter, 2);
        EXPECT_EQ(w.imageBrowser->currentRow(), 0);
        EXPECT_FALSE(w.selected_image.isEmpty());
        // Typed key by key: a width with a digit-group mark keeps the width in force (120 mm), not
        // the 100 its first keys made on the way.
        testsupport::typeInto(w.width_Stepper, "100,5", Qt::Key_Tab);
        testsupport::typeInto(w.height_Stepper, "140", Qt::Key_Tab);
        pressIn(w, "title_nxt_btn");
        w.msg_title->setText(w.msg_title->text() + " (typed)");
        w.to_value->setText("Ann");
        QTest::keyClicks(w.from_value, QString(39, QLatin1Char('b')));
        QGuiApplication::clipboard()->setText(kEmoji + "bbbbb");
        QTest::keyClick(w.from_value, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(w.from_value->text(), QString(39, QLatin1Char('b')) + kEmoji) << "cut at 40 whole characters";
        w.venue_value->setText("Town Hall");
        // Over the whole time: without AM/PM, the day's 24 hours; digits alone go on section by section.
        for (const auto &[typed, chosen] : {std::pair<QString, QString>{"14:30", "2:30 PM"}, {"21:05", "9:05 PM"}, {"230p", "2:30 PM"}, {"905a", "9:05 AM"}}) {
            testsupport::typeInto(w.Time_picker, typed, Qt::Key_Tab);
            EXPECT_EQ(w.Time_ctrl_value->text(), chosen);
        }
        // Date and time typed key by key in the pickers' own formats: a day the month lacks
        // leaves the date shown; over the whole date, and from Home over the time a section at a time.
        const QString shownBefore = w.Date_picker->text();
        testsupport::typeShown(w.Date_picker, shownBefore);  // the date shown, typed, is chosen too
        EXPECT_EQ(w.Date_ctrl_value->text(), Invitation_Date_Text(w.Date_picker->date()));
        testsupport::typeShown(w.Date_picker, w.Date_picker->locale().toString(QDate(2027, 2, 28), w.Date_picker->displayFormat()).replace("28", "30"));
        EXPECT_EQ(w.Date_picker->text(), shownBefore);
        testsupport::typeShown(w.Date_picker, w.Date_picker->locale().toString(QDate(2027, 6, 5), w.Date_picker->displayFormat()));
        testsupport::typeFromHome(w.Time_picker, "20:15");  // over the hour and minutes of 9:05 AM
        EXPECT_EQ(w.Time_ctrl_value->text(), "8:15 PM");
        testsupport::typeFromHome(w.Time_picker, w.Time_picker->locale().toString(QTime(19, 30), w.Time_picker->displayFormat()));
        EXPECT_EQ(w.Date_ctrl_value->text() + " " + w.Time_ctrl_value->text(), "Saturday, June 5, 2027 7:30 PM");
        // A click on another frame moves on to the photo page.
        w.imageBrowser->setCurrentRow(1);
        EXPECT_EQ(w.next_counter, 3);
        press(w.Next_btn);
        EXPECT_EQ(ui->messages().value(ui->messages().size() - 1).trimmed(), "Please select photo.");
        EXPECT_FALSE(w.Load_Photo(pathIn("missing.png")));
        EXPECT_TRUE(w.Load_Photo(picture));
        w.checks[0]->setChecked(true);  // grey
        measure(w);
        press(w.Next_btn);
        seen.push_back(w.msg_title->text().toStdString());
        return w.result();
    });
    click("Back_Side_btn");
    ui->push(int(platform::AnswerNo));  // no saving of the open design
    press(tool("invitation_menu"));
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(Card_Front_Or_Back, 0) << "the invitation is shown on the front it was laid out on";
    EXPECT_TRUE(sizes.size() == 3 && sizes[0] == sizes[1] && sizes[1] == sizes[2]) << "one size through its pages";

    const QSizeF card = controller->Front_card_Prop->Card_Size();
    EXPECT_NEAR(card.width(), MM_to_Points_Convert(120), 0.01);
    EXPECT_NEAR(card.height(), MM_to_Points_Convert(140), 0.01);
    ASSERT_NE(control("PARTY_TITLE"), nullptr);
    EXPECT_EQ(control("PARTY_TITLE")->Text_Value.toStdString(), seen[0]) << "the title is what the field showed";
    EXPECT_EQ(control("PARTY_TO")->Text_Value, "Dear Ann,");
    EXPECT_EQ(control("PARTY_FROM")->Text_Value, QString(39, QLatin1Char('b')) + kEmoji);
    EXPECT_EQ(control("PARTY_DATE")->Text_Value, "Saturday, June 5, 2027 at 7:30 PM");
    EXPECT_FALSE(control("PARTY_MSG")->Text_Value.isEmpty());
    EXPECT_EQ(document->graphics().back()->control_ID, "PARTY_IMAGE_BG");
    EXPECT_EQ(document->graphics().back()->bounds(), QRectF(QPointF(0, 0), card));
    // The photo is drawn as the wizard showed it: grey, not red.
    SKTGraphic *photoControl = control("PARTY_IMAGE");
    ASSERT_NE(photoControl, nullptr);
    EXPECT_TRUE(photoControl->gray_Scale);
    const QColor middle = grabbed(0).pixelColor(at(canvas(0), photoControl->bounds().center()));
    EXPECT_LT(std::abs(middle.red() - middle.green()), 10) << middle.name().toStdString();
    EXPECT_FALSE(enabled("Undo_btn")) << "the laid-out card is the base of the undo history";
}

// The date and time the pickers already show are chosen too: today's day taken in the calendar,
// a click on the time.
TEST_F(InvitationWizardTest, TodayAndTheShownTimeReachTheCard)
{
    const QString picture = photo(Qt::red);
    QString date, time;
    Invitation_Wizard::setModalRunner([&](Invitation_Wizard &w) {
        w.show();
        pressIn(w, "Using_Wizard_btn");
        QTest::mouseClick(w.Date_picker, Qt::LeftButton, {}, QPoint(w.Date_picker->width() - 5, w.Date_picker->height() / 2));
        QCalendarWidget *calendar = w.Date_picker->calendarWidget();
        EXPECT_TRUE(testsupport::waitUntil([&] { return calendar->isVisible(); })) << "the calendar opens on today";
        QTest::keyClick(calendar->focusWidget() ? calendar->focusWidget() : calendar, Qt::Key_Return);
        QTest::mouseClick(w.Time_picker->findChild<QLineEdit *>(), Qt::LeftButton);
        date = Invitation_Date_Text(w.Date_picker->date());
        time = Invitation_Time_Text(w.Time_picker->time());
        w.imageBrowser->setCurrentRow(1);
        EXPECT_TRUE(w.Load_Photo(picture));
        press(w.Next_btn);
        return w.result();
    });
    ui->push(int(platform::AnswerNo));
    press(tool("invitation_menu"));
    ASSERT_NE(control("PARTY_DATE"), nullptr);
    EXPECT_EQ(control("PARTY_DATE")->Text_Value, date + " at " + time);
}

TEST_F(InvitationWizardTest, BackCancelAndExitOnTheStartScreen)
{
    const int before = int(document->graphics().size());
    click("Rect_Tool_btn");
    controller->Show_Canvas_And_Right_Prop();
    Invitation_Wizard::setModalRunner([&](Invitation_Wizard &w) {
        pressIn(w, "Using_Wizard_btn");
        w.to_value->setText("Ann");
        w.imageBrowser->setCurrentRow(1);
        pressIn(w, "Back_Btn");
        pressIn(w, "Back_Btn");
        // Back from the frames resets the whole wizard through its start screen.
        EXPECT_EQ(w.next_counter, 0);
        EXPECT_TRUE(w.selected_image.isEmpty() && w.to_value->text().isEmpty());
        // Exit offers to save the open design; Cancel keeps the wizard open.
        ui->push(int(platform::AnswerCancel));
        press(w.Exit_btn);
        EXPECT_TRUE(ui->messages().contains("Do you want to save changes before closing?"))
            << ui->messages().join('|').toStdString();
        EXPECT_FALSE(controller->Exit_Confirmed());
        w.reject();  // the title bar's close: the wizard's own Close is for editing a photo
        return w.result();
    });
    ui->push(int(platform::AnswerNo));
    press(tool("invitation_menu"));
    EXPECT_EQ(int(document->graphics().size()), before + 1) << "a wizard left unfinished changes nothing";
}

// "Contact us" on the start screen writes to support; with no mail program it says so.
TEST_F(InvitationWizardTest, ContactUsWithoutAMailProgramNamesTheAddress)
{
    testsupport::FakeDesktop desk(3);
    ui->handToDesktop = true;
    Invitation_Wizard::setModalRunner([&](Invitation_Wizard &w) {
        press(w.Contact_us_btn);
        w.reject();  // the title bar's close
        return w.result();
    });
    ui->push(int(platform::AnswerNo));  // no saving of the open design
    press(tool("invitation_menu"));
    ASSERT_EQ(desk.opened().size(), 1);
    EXPECT_TRUE(desk.opened()[0].startsWith("mailto:support@badgeloom.org"));
    EXPECT_TRUE(ui->messages().contains("No mail program on this computer could write to support@badgeloom.org.\n\n"
                                        "Write to that address from the mail program you use."))
        << ui->messages().join('|').toStdString();
}

// The photo page alone starts as the card shows the photo (grey, turned, flipped, see-through):
// Finish with nothing touched changes nothing, a change is one Undo step. A design opened from a
// file starts the page without a photo: Finish asks for one and Close leaves the card as it was.
TEST_F(InvitationWizardTest, ThePhotoPageAloneEditsTheInvitationPhoto)
{
    const QString picture = photo(QColor(200, 40, 40));
    Invitation_Wizard::setModalRunner([&](Invitation_Wizard &w) {
        pressIn(w, "Using_Wizard_btn");
        w.imageBrowser->setCurrentRow(1);
        EXPECT_TRUE(w.Load_Photo(picture));
        for (const int check : {0, 3})  // grey, flipped
            press(w.checks[check]);
        w.sliders[0]->setValue(30);
        w.sliders[1]->setValue(60);
        press(w.Next_btn);
        return w.result();
    });
    ui->push(int(platform::AnswerNo));
    press(tool("invitation_menu"));
    QMenu *tools = qobject_cast<QMenu *>(tool("invitation_photo_menu")->parent());
    ASSERT_NE(tools, nullptr);
    const auto onCard = [this] {
        const SKTGraphic *p = control("PARTY_IMAGE");  // none: a tuple no photo has
        return p ? std::tuple(p->gray_Scale, p->Sepia, p->_isFlippedHorizontally, p->rotate_image, p->img_trnsp_val)
                 : std::tuple(false, false, false, -1.f, -1.f);
    };
    const auto made = std::tuple(true, false, true, 30.f, 60.f);
    ASSERT_EQ(onCard(), made);
    const QImage before = grabbed(0);
    const std::function<void(Invitation_Wizard &)> visits[] = {
        [](Invitation_Wizard &w) { press(w.Finish_Btn); },
        [](Invitation_Wizard &w) {
            press(w.checks[1]);  // sepia
            press(w.Finish_Btn);
        },
        [this](Invitation_Wizard &w) {
            EXPECT_TRUE(w.image_path->text().isEmpty());
            press(w.Finish_Btn);
            EXPECT_EQ(ui->messages().value(ui->messages().size() - 1).trimmed(), "Please select photo.");
            press(w.Close_Btn);
        },
    };
    for (const auto &visit : visits) {
        Invitation_Wizard::setModalRunner([&](Invitation_Wizard &w) {
            EXPECT_TRUE(w.photo_box->isVisibleTo(&w) && !w.texts_box->isVisibleTo(&w));
            EXPECT_TRUE(w.checks[0]->isChecked() && w.checks[3]->isChecked() && w.sliders[0]->value() == 30);
            visit(w);
            return w.result();
        });
        press(tool("invitation_photo_menu"));
        if (&visit == &visits[0]) {
            EXPECT_TRUE(onCard() == made && grabbed(0) == before) << "nothing touched, nothing changed";
        }
        if (&visit == &visits[1]) {
            EXPECT_EQ(onCard(), std::tuple(true, true, true, 30.f, 60.f));
            click("Undo_btn");
            EXPECT_EQ(onCard(), made);
            saveAs(pathIn("party.did"));
            open(pathIn("party.did"));
        }
    }
    EXPECT_EQ(onCard(), made) << "closed without a photo: the card keeps its own";
    document->removeAllGraphicsOnSide(0);
    emit tools->aboutToShow();
    EXPECT_FALSE(tool("invitation_photo_menu")->isEnabled()) << "no invitation photo on the card";
}

// The wizard's start-screen choice is its own until it finishes: closed half-way it leaves the
// window's mode, so the next save writes the mode it had. "Open a saved design" opens as File >
// Open does: the design on its front side with an empty history.
TEST_F(InvitationWizardTest, OnlyAFinishedWizardChangesTheModeAndASavedDesignOpensAsFileOpens)
{
    click("Rect_Tool_btn");
    const QString saved = pathIn("saved.did");
    saveAs(saved);
    open(saved);
    const QString mode = Start_Card_Option;
    ASSERT_EQ(mode, "L");
    const std::function<void(Invitation_Wizard &)> halfWay[] = {
        [](Invitation_Wizard &w) { pressIn(w, "Using_Wizard_btn"); },
        [this](Invitation_Wizard &w) {
            ui->push(QString());  // the open panel cancelled
            pressIn(w, "Open_Log_btn");
        },
    };
    for (const auto &steps : halfWay) {
        Invitation_Wizard::setModalRunner([&](Invitation_Wizard &w) {
            steps(w);
            w.reject();  // the title bar's close
            return w.result();
        });
        ui->push(int(platform::AnswerNo));
        press(tool("invitation_menu"));
        EXPECT_EQ(Start_Card_Option, mode);
    }
    ui->clear();
    click("Save_btn");  // into the open design's own file
    ASSERT_EQ(ui->messages().value(ui->messages().size() - 1), kSaved);
    const DesignReadResult read = Read_Design_File(saved);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.design->modeLetter, "L") << "the file keeps the mode the design was opened in";

    // From the back with a change in the history, the saved design through the wizard.
    click("Back_Side_btn");
    click("Circle_Tool_btn");
    ASSERT_TRUE(enabled("Undo_btn"));
    int code = -1;
    Invitation_Wizard::setModalRunner([&](Invitation_Wizard &w) {
        ui->push(saved);
        pressIn(w, "Open_Log_btn");
        code = w.result();
        return w.result();
    });
    ui->push(int(platform::AnswerNo));
    press(tool("invitation_menu"));
    EXPECT_EQ(code, 1);
    EXPECT_EQ(Start_Card_Option, "L");
    EXPECT_EQ(Card_Front_Or_Back, 0) << "the design is shown on its front";
    EXPECT_EQ(document->graphics().size(), 1u);
    EXPECT_TRUE(document->graphics_back().empty());
    EXPECT_FALSE(enabled("Undo_btn")) << "the opened design is the base of the history";
    EXPECT_EQ(::Project_File_Name, saved);
}

// Each photo slider shows its setting beside it, the reset included; the window is painted with
// the wizard's pattern.
TEST_F(InvitationWizardTest, SliderValuesStandBesideTheSlidersOnThePatternBackground)
{
    const QString picture = photo(Qt::blue);
    std::map<std::string, std::string> shown;
    QImage painted;
    Invitation_Wizard::setModalRunner([&](Invitation_Wizard &w) {
        painted = w.grab().toImage();
        pressIn(w, "Using_Wizard_btn");
        w.imageBrowser->setCurrentRow(1);
        EXPECT_TRUE(w.Load_Photo(picture));
        const struct {
            const char *slider;
            int position;
        } moves[] = {{"Rotate_slidr", 30}, {"Sat_slidr", 150}, {"blr_slidr", 25}, {"Hue_slidr", -157}};
        for (const auto &m : moves) {
            auto *slider = w.findChild<QSlider *>(m.slider);
            auto *value = w.findChild<QLineEdit *>(QString::fromLatin1(m.slider) + "_val");
            EXPECT_TRUE(slider && value) << m.slider;
            if (!slider || !value)
                continue;
            slider->setValue(m.position);
            shown[m.slider] = value->text().toStdString();
        }
        ui->push(int(platform::AnswerYes));
        pressIn(w, "Image_reset_btn");
        if (auto *value = w.findChild<QLineEdit *>("Sat_slidr_val"))
            shown["reset"] = value->text().toStdString();
        w.reject();  // the title bar's close
        return w.result();
    });
    ui->push(int(platform::AnswerNo));
    press(tool("invitation_menu"));
    EXPECT_EQ(shown, (std::map<std::string, std::string>{
                         {"Rotate_slidr", "30"}, {"Sat_slidr", "1.50"}, {"blr_slidr", "2.5"}, {"Hue_slidr", "-1.57"},
                         {"reset", "1.00"}}));

    // The corner of the window, outside every box, shows the pattern's own pixels.
    const QImage pattern = controller->wizard_pattern_image().convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(pattern.isNull() || painted.isNull());
    int matching = 0, differing = 0;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            const QColor p = pattern.pixelColor(x, y), s = painted.pixelColor(x, y);
            matching += std::abs(p.red() - s.red()) + std::abs(p.green() - s.green()) + std::abs(p.blue() - s.blue()) <= 6;
            differing += p != Window_Background_Color();
        }
    EXPECT_GT(differing, 0) << "the pattern can be told from the plain colour";
    EXPECT_EQ(matching, 16);
}

TEST(InvitationTexts, DatesTimesAndLimits)
{
    EXPECT_EQ(Invitation_Date_Text(QDate(2027, 6, 5)), "Saturday, June 5, 2027");
    EXPECT_EQ(Invitation_Time_Text(QTime(19, 30)), "7:30 PM");
    EXPECT_EQ(Invitation_Time_Text(QTime(9, 5)), "9:05 AM");
    const struct {
        const char *field;
        int limit;
    } limits[] = {{"from_value", 40}, {"to_value", 40}, {"venue_value", 100}, {"msg_title", 100}, {"msg_value", 250}};
    for (const auto &l : limits)
        EXPECT_EQ(Invitation_Text_Limit(l.field), l.limit) << l.field;
    Hand_Over_Invitation({" T ", "M", "F", "To", "V", "D", "Ti", " frame.jpg ", "photo.png"});
    EXPECT_TRUE(Invite_Title == "T" && Invite_BG_IMG == "frame.jpg" && Invite_Frame_IMG == "frame.jpg" &&
                Invite_Frame_Pic_IMG == "photo.png");
    Hand_Over_Invitation({});
}

}  // namespace
