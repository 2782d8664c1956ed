// The window as a new user meets it: clipboard shortcuts, the canvas menu, the grid controls, the
// window's size, help and export as template.

#include "ControllerFixture.h"

#include "canvas/SKTGrid.h"
#include "canvas/SmallDialogs.h"
#include "canvas/SKTZoomingScrollView.h"
#include "core/DesignFile.h"
#include "data/export/ExportDialogs.h"
#include "platform/Paths.h"
#include "mainwindow/Help_Support.h"
#include "mainwindow/Invitation.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTimer>
#include <atomic>
#include <thread>

namespace {

using WindowCommandsTest = WindowTest;

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
}

TEST_F(WindowCommandsTest, ClipboardShortcutsActOnTheCanvas)
{
    controller->show();
    QApplication::setActiveWindow(controller.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(controller.get()));
    click("Rect_Tool_btn");
    click("Triangle_Tool_btn");
    const struct Step {
        QKeySequence::StandardKey keys;
        std::size_t controls, selected;
    } steps[] = {{QKeySequence::SelectAll, 2, 2}, {QKeySequence::Copy, 2, 2}, {QKeySequence::Paste, 4, 2},
                 {QKeySequence::Delete, 2, 0},    {QKeySequence::SelectAll, 2, 2}, {QKeySequence::Cut, 0, 0},
                 {QKeySequence::Paste, 2, 2}};
    for (const Step &s : steps) {
        const QKeySequence keys(s.keys);
        SCOPED_TRACE(keys.toString().toStdString());
        QTest::keySequence(canvas(0), keys);
        EXPECT_EQ(document->graphics().size(), s.controls);
        EXPECT_EQ(canvas(0)->selectedGraphics().size(), s.selected);
    }
}

TEST_F(WindowCommandsTest, EveryCanvasMenuItemActsOrIsDisabled)
{
    click("Rect_Tool_btn");
    Export_Template::setModalRunner([](Export_Template &d) {
        d.template_name->setText(QStringLiteral("  Staff "));
        d.OKPressed();
        return d.result();
    });
    const QString user = QDir(Created_Resource_Path).filePath(QStringLiteral("Templates/User"));
    const struct Item {
        const char *action;
        bool enabled;
        std::function<bool()> acted;  // none: not triggered here
    } items[] = {
        {"card_properties:", true, [&] { return controller->sett_tab->currentWidget() == controller->card_info_tab; }},
        {"select_card:", true, [&] { return controller->sett_tab->currentWidget() == controller->card_bkgd_tab; }},
        {"export_as_template:", true,
         [&] { return QFile::exists(user + "/Staff.did") && QFile::exists(user + "/Staff.png"); }},
        {"export_id_card:", true, {}},
        {"mail_id_card:", false, {}},
        {"print_id_card:", false, {}},
    };
    for (const Item &item : items) {
        SCOPED_TRACE(item.action);
        controller->sett_tab->setCurrentWidget(controller->card_size_tab);
        std::unique_ptr<QMenu> menu(canvas(0)->contextMenu());
        QAction *a = menu->findChild<QAction *>(QString::fromLatin1(item.action));
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->isEnabled(), item.enabled);
        if (item.acted) {
            a->trigger();
            EXPECT_TRUE(item.acted());
        }
        for (QAction *any : menu->actions())
            EXPECT_FALSE(any->text().startsWith(QLatin1Char('-')));
    }
    Export_Template::setModalRunner({});
}

// The preview of a two-sided template shows both sides: one above the other for a wide card,
// side by side for a high one. A template of that name is replaced whole.
TEST_F(WindowCommandsTest, ExportAsTemplateReplacesTheOldPairWithDesignAndPreview)
{
    const QString folder = dir.filePath(QStringLiteral("User"));
    QDir().mkpath(folder);
    for (const QSizeF card : {QSizeF(243, 153), QSizeF(153, 243)}) {
        QFile old(folder + "/Badge.did");
        ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
        old.close();
        controller->SetDocumentCanvasSize(card);
        ASSERT_TRUE(controller->Export_As_Template(folder, QStringLiteral("Badge")));
        const QImage preview(folder + "/Badge.png");
        EXPECT_EQ(preview.width() > preview.height(), card.height() > card.width()) << preview.size().width();
        EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList({"Badge.did", "Badge.png"}));
        EXPECT_EQ(controller->Read_and_load_design_Log_NEW_METHOD(folder + "/Badge.did", "T", false), 1);
    }
    EXPECT_EQ(ui->messages().back().trimmed(), QStringLiteral("Template exported successfully."));
    CARD_SIDE_STR = QStringLiteral("2");
}

TEST_F(WindowCommandsTest, GridBoxCanvasMenuAndSnapItemAgree)
{
    SKTGrid &grid = *controller->_grid;
    QAction *snap = controller->findChild<QAction *>(QStringLiteral("snap_grid_menu"));
    ASSERT_NE(snap, nullptr);
    const auto agree = [&] {
        return controller->Show_hide_grid_chk->isChecked() == grid.isAlwaysShown() &&
               controller->Grid_Opt_box->isEnabled() == grid.isAlwaysShown() &&
               snap->isChecked() == grid.isConstraining() &&
               controller->Grid_Space_slidr->value() == int(grid.spacing());
    };
    const std::function<void()> ways[] = {
        [&] { controller->Show_hide_grid_chk->click(); },
        [&] { std::unique_ptr<QMenu>(canvas(0)->contextMenu())->findChild<QAction *>("show_hide_grid_lines:")->trigger(); },
        [&] { controller->Grid_Space_slidr->setValue(27); },
        [&] { snap->trigger(); },
        [&] { click("New_btn"); },
    };
    ui->push(int(platform::AnswerNo));
    bool shown = grid.isAlwaysShown();
    for (const auto &way : ways) {
        way();
        EXPECT_TRUE(agree());
        shown = grid.isAlwaysShown();
    }
    EXPECT_FALSE(shown) << "a new design starts without the grid";
    EXPECT_EQ(grid.spacing(), 27);
}

TEST_F(WindowCommandsTest, TheWindowFitsASmallScreen)
{
    const QSize needed = controller->minimumSizeHint().expandedTo(controller->minimumSize());
    EXPECT_LE(needed.width(), 1024);
    EXPECT_LE(needed.height(), 700);
}

TEST_F(WindowCommandsTest, HelpOpensTheManualAndTheMailLinks)
{
    click("Help_btn");
    Help_Support help;
    for (const char *link : {"_Help_File_Label", "support_id", "website_1"})
        help.findChild<QPushButton *>(QString::fromLatin1(link))->click();
    QStringList opened;
    for (const auto &r : ui->requests())
        if (r.kind == QLatin1String("openExternally") || r.kind == QLatin1String("Help_Support"))
            opened << r.kind + " " + r.text.section(QLatin1Char('/'), -1);
    EXPECT_EQ(opened, QStringList({"Help_Support Help and Support", "openExternally Help.pdf",
                                   "openExternally mailto:support@badgeloom.org?subject=badgeloom%20support&body=",
                                   "openExternally badgeloom.org"}));
    EXPECT_EQ(Make_Mail_Link("a@b.org", "How to", "How to use it\nThanks"),
              "mailto:a@b.org?subject=How%20to&body=How%20to%20use%20it%0A%0AThanks");
}

// Pasted controls after the first cascade by the side's control count; a picture pasted in a live
// mode gets a free identifier.
TEST_F(WindowCommandsTest, PastedControlsCascadeByTheSideCountAndLivePicturesGetIds)
{
    SKTGraphicArray many;
    for (int i = 0; i < 21; ++i)
        many.push_back(designtest::storedControl(SKTGraphicKind::Shape, i + 1));
    place(0, many);
    const struct Case {
        const char *side;
        QPointF next;
    } cases[] = {{"F", {31, 31}}, {"B", {51, 51}}};
    last_ctrl_X = last_ctrl_Y = 10;
    for (const Case &c : cases)
        EXPECT_EQ(archiveHub().Control_New_Point(c.side), c.next) << c.side;
    Start_Card_Option = QStringLiteral("V");
    EXPECT_TRUE(archiveHub().Generate_Extra_image_control_ID().startsWith("F_Pic"));
    Start_Card_Option = QStringLiteral("T");
}

TEST_F(WindowCommandsTest, ADragToTheEdgeScrollsAZoomedCard)
{
    controller->resize(1024, 700);
    controller->show();
    click("Rect_Tool_btn");
    SKTZoomingScrollView *view = controller->zoomViewOfSide(0);
    view->setFactor(4.0);
    QScrollBar *bar = view->horizontalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    bar->setValue(0);
    SKTGraphicView *v = canvas(0);
    const QPoint from = at(v, document->graphics().back()->bounds().center());
    QTest::mousePress(v, Qt::LeftButton, {}, from);
    QTest::mouseMove(v, QPoint(bar->value() + view->viewport()->width() - 2, from.y()));
    EXPECT_GT(bar->value(), 0);
    QTest::mouseRelease(v, Qt::LeftButton, {}, QPoint(bar->value() + view->viewport()->width() - 2, from.y()));
}

// A card that changes size takes its controls along: positions and widths in proportion, barcodes
// keep their size, texts keep a least size and font; a card without a size scales nothing.
TEST_F(WindowCommandsTest, ControlsFollowTheCardSize)
{
    const struct Case {
        SKTGraphicKind kind;
        QSizeF from, to;
        QRectF before, after;
        double font;  // text only
    } cases[] = {
        {SKTGraphicKind::Shape, {100, 50}, {200, 50}, {10, 10, 40, 20}, {20, 10, 80, 20}, 0},
        {SKTGraphicKind::Barcode, {100, 50}, {200, 50}, {10, 10, 60, 30}, {20, 10, 60, 30}, 0},
        {SKTGraphicKind::Text, {100, 50}, {200, 50}, {10, 10, 30, 15}, {20, 10, 60, 20}, 20},
        {SKTGraphicKind::Text, {200, 50}, {100, 50}, {20, 10, 120, 30}, {10, 10, 60, 30}, 8},
        {SKTGraphicKind::Shape, {0, 50}, {200, 50}, {10, 10, 40, 20}, {10, 10, 40, 20}, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(int(c.kind));
        SKTGraphicPtr g = designtest::storedControl(c.kind, 3);
        g->setBounds(c.before);
        g->text_ctrl_font.setPointSizeF(c.to.width() > c.from.width() ? 10 : 12);
        document->removeAllGraphicsOnSide(0);
        place(0, {g});
        controller->Set_Control_Location_Size_IF_Card_Size_Change(float(c.from.width()), float(c.from.height()),
                                                                  float(c.to.width()), float(c.to.height()), true);
        EXPECT_EQ(g->bounds(), c.after);
        EXPECT_TRUE(c.font == 0 || g->text_ctrl_font.pointSizeF() == c.font) << g->text_ctrl_font.pointSizeF();
    }
}

// A template turned to the other orientation right after it was loaded becomes its twin; once
// edited, its own controls are kept and scaled instead.
TEST_F(WindowCommandsTest, AnUneditedTemplateTurnsIntoItsOrientationTwin)
{
    const QString folder = platform::joinPath(Resource_Path, "Templates", "Visitor");
    const QString h = folder + "/Visitor Amber (h).did", v = folder + "/Visitor Amber (v).did";
    const DesignReadResult horizontal = Read_Design_File(h), vertical = Read_Design_File(v);
    ASSERT_TRUE(horizontal.ok() && vertical.ok());
    for (const bool edited : {false, true}) {
        SCOPED_TRACE(edited);
        Selected_Template_Path = h;
        Project_File_Name.clear();
        ASSERT_EQ(controller->Read_and_load_design_Log_NEW_METHOD(h, "T", false), 1);
        controller->Show_Template_Size_Choice();
        ASSERT_EQ(controller->Preset_ComboBox->currentText(), "Horizontal");
        controller->Reset_Undo_With_Base_Snapshot();
        if (edited)
            click("Rect_Tool_btn");
        controller->Preset_ComboBox->setCurrentText("Vertical");
        EXPECT_EQ(document->graphics().size(),
                  edited ? horizontal.design->frontControls.size() + 1 : vertical.design->frontControls.size());
        EXPECT_EQ(document->graphics().back()->bounds() == vertical.design->frontControls.back()->bounds(), !edited);
    }
    Selected_Template_Path.clear();
}

// The source picture of an image control counts only while the picture in use is there too.
TEST_F(WindowCommandsTest, OriginalPictureAndFileSizes)
{
    const QString inUse = pathIn("use.png"), source = pathIn("source.png");
    const struct Case {
        bool useThere, sourceThere;
        bool original;
    } cases[] = {{true, true, true}, {false, true, false}, {true, false, false}};
    for (const Case &c : cases) {
        QFile::remove(inUse);
        QFile::remove(source);
        for (const auto &[there, path] : {std::pair{c.useThere, inUse}, std::pair{c.sourceThere, source}})
            if (there)
                writeBytes(path, "png");
        SKTGraphicPtr image = designtest::storedControl(SKTGraphicKind::Image, 1);
        image->_file_path = inUse;
        image->Text_Value = source;
        EXPECT_EQ(SKTWindowController::Get_Original_Path_Of_Image_Control(*image), c.original ? source : QString());
        EXPECT_EQ(SKTWindowController::Get_File_Size_At_Path(source), c.sourceThere ? 3u : 0u);
    }
}

// The invitation's lines down the front: a missing date keeps its line free, so a time alone
// stands at the date's place and the venue 60 points lower.
TEST_F(WindowCommandsTest, InvitationLinesStandWhereTheLayoutPutsThem)
{
    controller->SetDocumentCanvasSize({243, 400});
    const struct Case {
        InvitationTexts texts;
        QStringList shown;  // "id y text" of each control, top to bottom
    } cases[] = {
        {{"", "", "", "", "7:30 PM", "Town Hall", "", "", ""}, {"PARTY_TIME 40 AT 7:30 PM", "PARTY_VENUE 100 Town Hall"}},
        {{"Party", "Ann", "", "Friday", "8 PM", "", "Bo", "", ""},
         {"PARTY_TITLE 40 Party", "PARTY_TO 90 Dear Ann,", "PARTY_DATE 120 Friday at 8 PM", "PARTY_FROM 170 Bo"}},
        {{}, {}},  // last: the hand-over globals end empty
    };
    for (const Case &c : cases) {
        document->removeAllGraphicsOnSide(0);
        std::tie(Invite_Title, Invite_To, Invite_Message, Invite_Date, Invite_Time, Invite_Venue, Invite_From) =
            std::tie(c.texts.title, c.texts.to, c.texts.message, c.texts.date, c.texts.time, c.texts.venue, c.texts.from);
        controller->Fill_Party_Invidation_Details();
        QStringList shown;
        for (const SKTGraphicPtr &g : document->graphics())
            shown << QStringLiteral("%1 %2 %3").arg(g->control_ID).arg(g->bounds().y()).arg(g->Text_Value);
        shown.sort();
        QStringList want = c.shown;
        want.sort();
        EXPECT_EQ(shown, want);
    }
    const auto rows = Invitation_Layout({"T", "", "", "", "", "", "F", "", ""}, QRectF(0, 0, 243, 153));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].rect, QRectF(40, 40, 163, 30));
    EXPECT_EQ(rows[1].rect, QRectF(40, 140, 163, 40));
}

// A worker asking the keep-or-replace box waits for the person's answer and gets it back from
// the call: Keep 1 (3 for all), Replace 0 (2), Cancel 4 (5).
TEST(KeepOrReplaceBox, AWorkerGetsTheButtonPressedOnTheGuiThread)
{
    const struct Case {
        const char *button;
        bool all;
        int code;
    } cases[] = {{"Keep_btn", false, 1}, {"Keep_btn", true, 3},   {"Replace_btn", false, 0},
                 {"Replace_btn", true, 2}, {"Cancel_btn", false, 4}, {"Cancel_btn", true, 5}};
    for (const Case &c : cases) {
        std::atomic<int> answer{-1};
        QTimer person;  // fires inside the box's own modal loop
        QObject::connect(&person, &QTimer::timeout, [&] {
            if (auto *box = qobject_cast<Replcae_Confirm_Box *>(QApplication::activeModalWidget())) {
                box->apply_chk->setChecked(c.all);
                box->findChild<QPushButton *>(c.button)->click();
            }
        });
        person.start(5);
        std::thread worker([&] { answer = Replcae_Confirm_Box::Open_box_in_thread("File exists", "a.png", "/tmp/a.png", true); });
        while (answer == -1)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        worker.join();
        EXPECT_EQ(answer, c.code) << c.button << c.all;
    }
}

TEST(RulerScale, NumberedTicksLeaveRoomForTheirNumbers)
{
    const struct Case {
        int unit;
        double pixelsPerUnit, step;
    } cases[] = {{2, 72 / 25.4, 20}, {2, 10 * 72 / 25.4, 2}, {0, 72, 1}, {0, 4 * 72, 0.25}, {1, 0.25 * 72 / 2.54, 10},
                 {1, 10 * 72 / 2.54, 1}};
    for (const Case &c : cases)
        EXPECT_EQ(SKTRulerView::majorStep(c.unit, c.pixelsPerUnit), c.step) << c.unit << " " << c.pixelsPerUnit;
}

}  // namespace

namespace {

TEST(SmallDialogs, IntegerFieldsAndTheLongMessageBox)
{
    for (const char *good : {"", "12", "-5", " 7"})
        EXPECT_TRUE(OnlyIntegerValueFormatter::isPartialStringValid(good)) << good;
    for (const char *bad : {"-", "1.5", "12a", "a"})
        EXPECT_FALSE(OnlyIntegerValueFormatter::isPartialStringValid(bad)) << bad;

    // The help form: the globals' texts, one "OK", no check box, 1. The two-button form with the
    // check box opens with the state the last such box left; ticked and No gives 0 and keeps it.
    const struct Case {
        const char *title;
        int check;  // -1 left as it opened, else ticked (1) or cleared (0)
        bool pressYes;
        int result;
        const char *firstButton;
        bool noShown, checkShown, keptState;
    } cases[] = {{"", -1, true, 1, "OK", false, false, false},
                 {"Replace?", 1, false, 0, "Yes", true, true, true},
                 {"Replace?", -1, true, 1, "Yes", true, true, true},
                 {"Replace?", 0, true, 1, "Yes", true, true, false}};
    Cutom_Msg_Title = "Help";
    Cutom_Msg_Val = "Long help text";
    Msg_Apply_All_Chk = false;
    Long_SMS_Dlg box;
    bool previous = false;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.title);
        box.title_val = c.title;
        box.apply_chk_show = true;
        Long_SMS_Dlg::setModalRunner([&](Long_SMS_Dlg &d) {
            EXPECT_EQ(d.yes_button->text(), c.firstButton);
            EXPECT_EQ(d.no_button->isVisibleTo(&d), c.noShown);
            EXPECT_EQ(d.apply_chk->isVisibleTo(&d), c.checkShown);
            EXPECT_EQ(d._Msg_Title->text(), *c.title ? c.title : "Help");
            EXPECT_TRUE(!c.checkShown || d.apply_chk->isChecked() == previous);
            if (c.check >= 0)
                d.apply_chk->setChecked(c.check == 1);
            c.pressYes ? d.yes_button->click() : d.no_button->click();
            return d.result();
        });
        EXPECT_EQ(box.Open_Long_sms_Dialog(), c.result);
        EXPECT_EQ(Msg_Apply_All_Chk, c.keptState);
        previous = Msg_Apply_All_Chk;
    }
    Long_SMS_Dlg::setModalRunner({});
}

}  // namespace
