// The window as a new user meets it: shortcuts, the canvas menu, the grid controls, its size,
// help, templates, card-size changes, invitations and the shared small dialogs.

#include "ControllerFixture.h"
#include "HoldingDetector.h"

#include "canvas/SKTGrid.h"
#include "canvas/SKTZoomingScrollView.h"
#include "canvas/SmallDialogs.h"
#include "core/DesignFile.h"
#include "core/SKTRenderingView.h"
#include "imaging/Cropping_Tool.h"
#include "data/export/ExportDialogs.h"
#include "mainwindow/Grid_Wizard.h"
#include "mainwindow/Help_Support.h"
#include "mainwindow/Invitation.h"
#include "mainwindow/MainWindowIcons.h"
#include "platform/Paths.h"

#include <QAction>
#include <QButtonGroup>
#include <QDialog>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QPointer>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>

namespace {

using WindowCommandsTest = WindowTest;

TEST_F(WindowCommandsTest, ShortcutsActOnTheCanvasAndTheWindowFitsASmallScreen)
{
    const QSize needed = controller->minimumSizeHint().expandedTo(controller->minimumSize());
    EXPECT_TRUE(needed.width() <= 1024 && needed.height() <= 700) << needed.width() << "x" << needed.height();
    controller->show();
    QApplication::setActiveWindow(controller.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(controller.get()));
    click("Rect_Tool_btn");
    click("Triangle_Tool_btn");
    using K = QKeySequence;
    const struct Step {
        K::StandardKey keys;
        std::size_t controls, selected;
    } steps[] = {{K::SelectAll, 2, 2}, {K::Copy, 2, 2},      {K::Paste, 4, 2}, {K::Delete, 2, 0},
                 {K::SelectAll, 2, 2}, {K::Cut, 0, 0}, {K::Paste, 2, 2}};
    for (const Step &s : steps) {
        QTest::keySequence(canvas(0), K(s.keys));
        EXPECT_EQ(document->graphics().size(), s.controls) << K(s.keys).toString().toStdString();
        EXPECT_EQ(canvas(0)->selectedGraphics().size(), s.selected) << K(s.keys).toString().toStdString();
    }
}

// The Edit menu follows the selection and the clipboard, its shortcuts too: with nothing selected
// Copy and Cut leave the user's clipboard alone. The ruler item says what it will do.
TEST_F(WindowCommandsTest, EditAndViewMenusFollowSelectionClipboardAndRulers)
{
    controller->show();
    QApplication::setActiveWindow(controller.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(controller.get()));
    QAction *items[4];
    const char *names[4] = {"cut_menu", "copy_menu", "paste_menu", "delete_menu"};
    for (int i = 0; i < 4; ++i)
        ASSERT_NE(items[i] = controller->findChild<QAction *>(QString::fromLatin1(names[i])), nullptr) << names[i];
    auto *edit = qobject_cast<QMenu *>(items[0]->parent());
    ASSERT_NE(edit, nullptr);
    const auto states = [&] {
        emit edit->aboutToShow();
        std::string out;
        for (QAction *a : items)
            out += a->isEnabled() ? '1' : '0';
        return out;
    };
    QGuiApplication::clipboard()->setText(QStringLiteral("the user's words"));
    EXPECT_EQ(states(), "0000") << "cut, copy, paste, delete with nothing selected and text on the clipboard";
    for (const QKeySequence::StandardKey keys : {QKeySequence::Copy, QKeySequence::Cut}) {
        QTest::keySequence(canvas(0), QKeySequence(keys));
        EXPECT_FALSE(items[keys == QKeySequence::Copy ? 1 : 0]->isEnabled());  // nor from the menu
        EXPECT_EQ(QGuiApplication::clipboard()->text(), "the user's words") << QKeySequence(keys).toString().toStdString();
    }

    click("Rect_Tool_btn");
    ASSERT_EQ(canvas(0)->selectedGraphics().size(), 1u);
    EXPECT_EQ(std::string(1, items[1]->isEnabled() ? '1' : '0'), "1") << "the states follow without the menu shown";
    EXPECT_EQ(states(), "1101");
    QTest::keySequence(canvas(0), QKeySequence(QKeySequence::Copy));
    EXPECT_EQ(states(), "1111") << "the copied control can be pasted";
    QTest::keySequence(canvas(0), QKeySequence(QKeySequence::Paste));
    EXPECT_EQ(document->graphics().size(), 2u);
    clickEmptyCard();
    EXPECT_EQ(states(), "0010");
    // The other side has nothing selected either.
    click("Back_Side_btn");
    EXPECT_EQ(states(), "0010");
    click("Front_Side_btn");
    // A control selected by a click and let go by a side switch (which clears the selection
    // from code): Cut, Copy and Delete go off with it.
    clickAt(canvas(0), document->graphics().front()->bounds().center());
    ASSERT_EQ(canvas(0)->selectedGraphics().size(), 1u);
    EXPECT_EQ(states(), "1111");
    click("Back_Side_btn");
    click("Front_Side_btn");
    EXPECT_EQ(states(), "0010") << "after the sides were switched";
    // Select All shows no control: the tool bar's selection commands follow it all the same.
    QTest::keySequence(canvas(0), QKeySequence(QKeySequence::SelectAll));
    EXPECT_TRUE(enabled("Cut_btn") && enabled("Copy_btn") && enabled("Delete_btn") && !enabled("Unlock_btn"));

    QAction *rulers = controller->findChild<QAction *>(QStringLiteral("rulers_menu"));
    ASSERT_NE(rulers, nullptr);
    auto *view = qobject_cast<QMenu *>(rulers->parent());
    ASSERT_NE(view, nullptr);
    for (int i = 0; i < 3; ++i) {
        emit view->aboutToShow();
        const bool shown = controller->zoomViewOfSide(0)->rulersVisible();
        EXPECT_EQ(rulers->text(), shown ? "Hide Ruler" : "Show Ruler") << i;
        press(rulers);
        EXPECT_NE(controller->zoomViewOfSide(0)->rulersVisible(), shown) << i;
        EXPECT_EQ(controller->zoomViewOfSide(1)->rulersVisible(), !shown) << "both sides alike";
    }
}

TEST_F(WindowCommandsTest, EveryCanvasMenuItemActsOrIsDisabled)
{
    click("Rect_Tool_btn");
    Export_Template::setModalRunner([](Export_Template &d) {
        d.template_name->setText(QStringLiteral("  Staff "));
        pressIn(d, "OK");
        return d.result();
    });
    const QString user = QDir(Created_Resource_Path).filePath(QStringLiteral("Templates/User/Staff."));
    const auto tab = [this](QWidget *t) { return [this, t] { return controller->sett_tab->currentWidget() == t; }; };
    const struct Item {
        const char *action;
        bool enabled;
        std::function<bool()> acted;  // none: not triggered here
    } items[] = {
        {"card_properties:", true, tab(controller->card_info_tab)},
        {"select_card:", true, tab(controller->card_bkgd_tab)},
        {"export_as_template:", true, [&] { return QFile::exists(user + "did") && QFile::exists(user + "png"); }},
        {"export_id_card:", true, {}}, {"mail_id_card:", true, {}}, {"print_id_card:", true, {}},
    };
    for (const Item &item : items) {
        controller->sett_tab->setCurrentWidget(controller->card_size_tab);
        std::unique_ptr<QMenu> menu(canvas(0)->contextMenu());
        QAction *a = menu->findChild<QAction *>(QString::fromLatin1(item.action));
        ASSERT_NE(a, nullptr) << item.action;
        EXPECT_EQ(a->isEnabled(), item.enabled) << item.action;
        if (item.acted) {
            press(a);
            EXPECT_TRUE(item.acted()) << item.action;
        }
        for (QAction *any : menu->actions())
            EXPECT_FALSE(any->text().startsWith(QLatin1Char('-')));
    }
    Export_Template::setModalRunner({});
}

// The preview of a two-sided template shows one side above the other for a wide card, side by
// side for a high one; a template of that name is replaced whole.
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
        EXPECT_EQ(preview.width() > preview.height(), card.height() > card.width());
        EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList({"Badge.did", "Badge.png"}));
        EXPECT_EQ(controller->Read_and_load_design_Log_NEW_METHOD(folder + "/Badge.did", "T", false), 1);
    }
    EXPECT_EQ(ui->messages().back().trimmed(), QStringLiteral("Template exported successfully."));
}

// View > Grid lends the window's own grid controls to the grid window, whatever the panel shows:
// they act on the grid at once and go back to the card's tab afterwards.
TEST_F(WindowCommandsTest, TheGridWindowSetsTheGridWhileAControlIsShown)
{
    click("Rect_Tool_btn");  // a control's tabs in the panel: the card's grid settings are hidden
    QWidget *settings = controller->findChild<QWidget *>("grid_settings");
    ASSERT_NE(settings, nullptr);
    QWidget *home = settings->parentWidget();
    bool lent = false;
    Grid_Wizard::setModalRunner([&](Grid_Wizard &w) {
        lent = w.isAncestorOf(controller->Show_hide_grid_chk) && w.isAncestorOf(controller->Grid_Space_slidr);
        press(controller->Show_hide_grid_chk);
        controller->Grid_Space_slidr->setValue(30);
        pressIn(w, "Cancel_Btn");
        return w.result();
    });
    press(controller->findChild<QAction *>("grid_menu"));
    Grid_Wizard::setModalRunner({});
    EXPECT_TRUE(lent);
    EXPECT_TRUE(controller->_grid->isAlwaysShown() && controller->_grid->spacing() == 30);
    EXPECT_EQ(settings->parentWidget(), home);
    EXPECT_TRUE(controller->Show_hide_grid_chk->isChecked() && controller->Grid_Opt_box->isEnabled());
}

// The name dialog refuses a blank name, asks before replacing a template, and refuses a rename
// onto another template's name.
TEST_F(WindowCommandsTest, TheTemplateNameDialogGuardsExistingTemplates)
{
    const QString folder = dir.filePath(QStringLiteral("User"));
    QDir().mkpath(folder);
    QFile existing(folder + "/Staff.did");
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    const struct Case {
        const char *name, *passed;
        int answer;  // to the replace question, -1 none asked
        const char *message;
        bool accepted;
    } cases[] = {
        {"   ", "", -1, "Please enter template name.", false},
        {" .draft", "", -1, // hidden: the gallery would never list it
         "A template name can't begin with a dot: the template would be hidden and not listed. Please enter another name.",
         false},
        {" Staff ", "", 0, "Template with this name already exists, Do you want to replace the existing template?", false},
        {"Staff", "", 1, "Template with this name already exists, Do you want to replace the existing template?", true},
        {"Staff", "Guests", -1, "Template with this name already exists.", false},
        {"Staff", "Staff", -1, "", true},
        {"New/One", "", -1, "", true},
    };
    for (const Case &c : cases) {
        ui->clear();
        if (c.answer >= 0)
            ui->push(c.answer == 1);
        Export_Template dialog;
        dialog.show();
        dialog.userFolder = folder;
        dialog.template_name->setText(c.name);
        dialog.template_passed->setText(c.passed);
        export_template_name.clear();
        pressIn(dialog, "OK");
        EXPECT_EQ(dialog.result() == 1, c.accepted) << c.name;
        EXPECT_EQ(ui->messages().value(0).trimmed(), c.message) << c.name;
        EXPECT_EQ(export_template_name.isEmpty(), !c.accepted) << c.name;
    }
    EXPECT_EQ(export_template_name, "New_One");
}

TEST_F(WindowCommandsTest, GridBoxCanvasMenuAndSnapItemAgree)
{
    SKTGrid &grid = *controller->_grid;
    QAction *snap = controller->findChild<QAction *>(QStringLiteral("snap_grid_menu"));
    ASSERT_NE(snap, nullptr);
    const std::function<void()> ways[] = {
        [&] { press(controller->Show_hide_grid_chk); },
        [&] { press(std::unique_ptr<QMenu>(canvas(0)->contextMenu())->findChild<QAction *>("show_hide_grid_lines:")); },
        [&] { controller->Grid_Space_slidr->setValue(27); }, [&] { press(snap); }, [&] { click("New_btn"); },
        [&] { press(controller->Show_hide_grid_chk); }, [&] { open(pathIn("grid.did")); },
    };
    ui->push(pathIn("grid.did"));
    ASSERT_TRUE(controller->Save_project_file(true, false, "L"));
    ui->push(int(platform::AnswerNo));
    for (const auto &way : ways) {
        way();
        EXPECT_TRUE(controller->Show_hide_grid_chk->isChecked() == grid.isAlwaysShown() &&
                    controller->Grid_Opt_box->isEnabled() == grid.isAlwaysShown() &&
                    snap->isChecked() == grid.isConstraining() && controller->Grid_Space_slidr->value() == int(grid.spacing()));
    }
    EXPECT_TRUE(!grid.isAlwaysShown() && grid.spacing() == 27) << "an opened design starts without the grid";
}

TEST_F(WindowCommandsTest, HelpOpensTheManualAndTheMailLinks)
{
    click("Help_btn");
    Help_Support help;
    help.show();
    for (const char *link : {"_Help_File_Label", "support_id", "website_1"})
        press(help.findChild<QPushButton *>(QString::fromLatin1(link)));
    QStringList opened;
    for (const auto &r : ui->requests())
        opened << r.kind + " " + r.text.section(QLatin1Char('/'), -1);
    EXPECT_EQ(opened, QStringList({"Help_Support Help and Support", "openExternally Help.pdf",
                                   "openExternally mailto:support@badgeloom.org?subject=badgeloom%20support&body=",
                                   "openExternally badgeloom.org"}));
    EXPECT_EQ(Make_Mail_Link("a@b.org", "How to", "How to use it\nThanks"),
              "mailto:a@b.org?subject=How%20to&body=How%20to%20use%20it%0A%0AThanks");
    // The share pages carry the web site in each service's own query key.
    const struct {
        const char *button, *opened;
    } shares[] = {
        {"facebook_btn", "https://www.facebook.com/sharer/sharer.php?u=https%3A%2F%2Fbadgeloom.org"},
        {"twitter_btn", "https://twitter.com/intent/tweet?source=badgeloom&url=https%3A%2F%2Fbadgeloom.org"},
        {"fb_like_btn", "https://www.facebook.com/plugins/like.php?href=https%3A%2F%2Fbadgeloom.org"},
    };
    for (const auto &share : shares) {
        ui->clear();
        press(help.findChild<QPushButton *>(QString::fromLatin1(share.button)));
        ASSERT_EQ(ui->requests().size(), 1u) << share.button;
        EXPECT_EQ(ui->requests()[0].text, share.opened);
    }
}

// With no PDF viewer on the computer, Help says which file it could not open and where it is.
TEST_F(WindowCommandsTest, HelpWithoutAViewerNamesTheManualAndItsFolder)
{
    struct NoViewer : platform::ScriptedUiServices {
        bool openExternally(const QString &path) override
        {
            ScriptedUiServices::openExternally(path);
            return false;
        }
    };
    auto *desk = new NoViewer;
    std::unique_ptr<platform::UiServices> fixture = platform::setUi(std::unique_ptr<platform::UiServices>(desk));
    Help_Support help;
    help.show();
    press(help.findChild<QPushButton *>(QStringLiteral("_Help_File_Label")));
    const QStringList shown = desk->messages();
    platform::setUi(std::move(fixture));
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].contains("\"Help.pdf\"")) << shown[0].toStdString();
    EXPECT_TRUE(shown[0].contains(QDir::toNativeSeparators(Resource_Path))) << shown[0].toStdString();
}

// When the desktop's opener finds no program, each link of the Help window says what it could not
// open: the mail address, the web page, the manual with its folder.
TEST_F(WindowCommandsTest, HelpLinksNothingOpensAreNamed)
{
    testsupport::FakeDesktop desk(3);
    ui->handToDesktop = true;
    Help_Support help;
    help.show();
    const struct {
        const char *link, *named;
    } links[] = {
        {"support_id", "No mail program on this computer could write to support@badgeloom.org."},
        {"website_1", "No program on this computer could open the web page https://badgeloom.org."},
        {"twitter_btn", "could open the web page https://twitter.com/intent/tweet?source=badgeloom&url="},
        {"_Help_File_Label", "\"Help.pdf\""},
    };
    for (const auto &l : links) {
        ui->clear();
        press(help.findChild<QPushButton *>(QString::fromLatin1(l.link)));
        ASSERT_EQ(ui->messages().size(), 1) << l.link;
        EXPECT_TRUE(ui->messages()[0].contains(QString::fromUtf8(l.named))) << ui->messages()[0].toStdString();
    }
    EXPECT_TRUE(ui->messages()[0].contains(QDir::toNativeSeparators(Resource_Path)));
    EXPECT_EQ(desk.opened().size(), 4) << "every link reached the opener";
}

// Pasted controls after the first cascade by the side's control count (the front has 21, the
// back none); a picture pasted at the visitor desk gets a free identifier.
TEST_F(WindowCommandsTest, PastedControlsCascadeByTheSideCountAndLivePicturesGetIds)
{
    place(0, SKTGraphicArray(21, designtest::storedControl(SKTGraphicKind::Shape, 1)));
    last_ctrl_X = last_ctrl_Y = 10;
    EXPECT_EQ(archiveHub().Control_New_Point("F"), QPointF(31, 31));
    EXPECT_EQ(archiveHub().Control_New_Point("B"), QPointF(51, 51));
}

class WindowCommandsAtTheDesk : public WindowCommandsTest {
protected:
    void road() override { chooseVisitorRoad(); }
};

// Each picture pasted twice over gets a picture identifier of its own, unlike any on the card.
TEST_F(WindowCommandsAtTheDesk, PastedLivePicturesGetIds)
{
    ASSERT_EQ(Start_Card_Option, "V");
    place(0, {designtest::storedControl(SKTGraphicKind::Image, 1), designtest::storedControl(SKTGraphicKind::Image, 2)});
    controller->show();
    QApplication::setActiveWindow(controller.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(controller.get()));
    const auto pictureIds = [this] {
        QStringList ids;
        for (const SKTGraphicPtr &g : document->graphicsOfSide(0))
            if (g->kind() == SKTGraphicKind::Image)
                ids << g->control_ID;
        return ids;
    };
    const QStringList before = pictureIds();
    QTest::keySequence(canvas(0), QKeySequence(QKeySequence::SelectAll));
    press(outlet<QAction>("copy_menu"));
    press(outlet<QAction>("paste_menu"));
    press(outlet<QAction>("paste_menu"));
    QStringList pasted = pictureIds();
    for (const QString &id : before)
        pasted.removeOne(id);
    ASSERT_EQ(pasted.size(), 2 * before.size());
    for (const QString &id : pasted) {
        EXPECT_TRUE(id.startsWith("F_Pic")) << id.toStdString();
        EXPECT_EQ(pictureIds().count(id), 1) << id.toStdString() << " is not the picture's own";
    }
}

TEST_F(WindowCommandsTest, ADragToTheEdgeScrollsAZoomedCard)
{
    controller->resize(1024, 700);
    controller->show();
    click("Rect_Tool_btn");
    SKTZoomingScrollView *view = controller->zoomViewOfSide(0);
    view->setFactor(4.0);
    QScrollBar *bar = view->horizontalScrollBar();
    bar->setValue(0);
    const QPoint from = at(canvas(0), document->graphics().back()->bounds().center());
    const QPoint edge(view->viewport()->width() - 2, from.y());
    QTest::mousePress(canvas(0), Qt::LeftButton, {}, from);
    QTest::mouseMove(canvas(0), edge);
    EXPECT_GT(bar->value(), 0);
    QTest::mouseRelease(canvas(0), Qt::LeftButton, {}, edge);
}

// Positions and widths follow the card in proportion, barcodes keep their size, texts keep a
// least size and font; a card without a size scales nothing.
TEST_F(WindowCommandsTest, ControlsFollowTheCardSize)
{
    using K = SKTGraphicKind;
    const struct Case {
        K kind;
        float from, to;  // card widths; the height stays 50
        QRectF before, after;
        double font;  // text: 10 pt before
    } cases[] = {{K::Shape, 100, 200, {10, 10, 40, 20}, {20, 10, 80, 20}, 0},
                 {K::Barcode, 100, 200, {10, 10, 60, 30}, {20, 10, 60, 30}, 0},
                 {K::Text, 100, 200, {10, 10, 30, 15}, {20, 10, 60, 20}, 20},
                 {K::Text, 200, 100, {20, 10, 120, 30}, {10, 10, 60, 30}, 8},
                 {K::Shape, 0, 200, {10, 10, 40, 20}, {10, 10, 40, 20}, 0}};
    for (const Case &c : cases) {
        SKTGraphicPtr g = designtest::storedControl(c.kind, 3);
        g->setBounds(c.before);
        g->text_ctrl_font.setPointSizeF(10);
        document->removeAllGraphicsOnSide(0);
        place(0, {g});
        controller->Set_Control_Location_Size_IF_Card_Size_Change(c.from, 50, c.to, 50, true);
        EXPECT_EQ(g->bounds(), c.after) << int(c.kind);
        EXPECT_TRUE(c.font == 0 || g->text_ctrl_font.pointSizeF() == c.font) << g->text_ctrl_font.pointSizeF();
    }
}

// A template turned to the other orientation right after it was loaded becomes its twin; once
// edited, its own controls are kept and scaled instead.
TEST_F(WindowCommandsTest, AnUneditedTemplateTurnsIntoItsOrientationTwin)
{
    const QString h = platform::joinPath(Resource_Path, "Templates/Visitor", "Visitor Amber (h).did");
    const DesignReadResult horizontal = Read_Design_File(h), vertical = Read_Design_File(QString(h).replace("(h)", "(v)"));
    ASSERT_TRUE(horizontal.ok() && vertical.ok());
    for (const bool edited : {false, true}) {
        Selected_Template_Path = h;
        ASSERT_EQ(controller->Read_and_load_design_Log_NEW_METHOD(h, "T", false), 1);
        controller->Show_Template_Size_Choice();
        ASSERT_EQ(controller->Preset_ComboBox->currentText(), "Horizontal");
        controller->Reset_Undo_With_Base_Snapshot();
        if (edited)
            click("Rect_Tool_btn");
        controller->Preset_ComboBox->setCurrentText("Vertical");
        EXPECT_EQ(document->graphics().size(), (edited ? horizontal : vertical).design->frontControls.size() + edited);
        EXPECT_EQ(document->graphics().back()->bounds() == vertical.design->frontControls.back()->bounds(), !edited);
    }
    Selected_Template_Path.clear();
}

// A missing date keeps its line free: a time alone stands at the date's place, the venue 60
// points lower. Rows are the card's width less 80, centred ones starting at 40.
TEST_F(WindowCommandsTest, InvitationLinesStandWhereTheLayoutPutsThem)
{
    controller->SetDocumentCanvasSize({243, 400});
    const struct Case {
        InvitationTexts texts;
        QStringList shown;  // "id y text", sorted
    } cases[] = {
        {{"", "", "", "", "7:30 PM", "Town Hall", "", "", ""}, {"PARTY_TIME 40 AT 7:30 PM", "PARTY_VENUE 100 Town Hall"}},
        {{"Party", "Ann", "", "Friday", "8 PM", "", "Bo", "", ""},
         {"PARTY_DATE 120 Friday at 8 PM", "PARTY_FROM 170 Bo", "PARTY_TITLE 40 Party", "PARTY_TO 90 Dear Ann,"}},
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
        EXPECT_EQ(shown, c.shown);
    }
    const auto rows = Invitation_Layout({"T", "", "", "", "", "", "F", "", ""}, QRectF(0, 0, 243, 153));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_TRUE(rows[0].rect == QRectF(40, 40, 163, 30) && rows[1].rect == QRectF(40, 140, 163, 40));
}

// A delivered frame fills the whole card behind everything; the photo and every text row stand
// in their own rectangles in front of it, long lines unclipped.
TEST_F(WindowCommandsTest, AnInvitationCardShowsItsRowsInFrontOfTheFrame)
{
    controller->SetDocumentCanvasSize({340, 425});
    QImage photo(60, 60, QImage::Format_RGB32);
    photo.fill(QColor(0, 0, 255));
    const QString photoPath = pathIn("photo.png");
    ASSERT_TRUE(photo.save(photoPath));
    const QString frame = platform::joinPath(Resource_Path, "Background", "warm_paper.jpg");
    ASSERT_TRUE(QFileInfo::exists(frame));
    Invite_Title = "Summer Garden Party";
    Invite_Date = "Saturday, 5 June 2027";
    Invite_Time = "7:30 PM";
    Invite_To = Invite_Message = Invite_Venue = Invite_From = QString();
    Invite_Frame_Pic_IMG = photoPath;
    Invite_Frame_IMG = frame;
    document->removeAllGraphicsOnSide(0);
    controller->Fill_Party_Invidation_Details();
    Invite_Title = Invite_Date = Invite_Time = Invite_Frame_Pic_IMG = Invite_Frame_IMG = QString();

    QStringList order;
    for (const SKTGraphicPtr &g : document->graphics())
        order << g->control_ID;
    EXPECT_EQ(order.back(), "PARTY_IMAGE_BG") << order.join(' ').toStdString();
    const auto rows = Invitation_Layout({"T", "", "", "D", "", "", "", "p", "f"}, QRectF(0, 0, 340, 425));
    const auto rectOf = [&](const char *id) {
        for (const auto &r : rows)
            if (r.id == id)
                return r.rect;
        return QRectF();
    };
    for (const SKTGraphicPtr &g : document->graphics())
        EXPECT_EQ(g->bounds(), rectOf(qPrintable(g->control_ID))) << g->control_ID.toStdString();

    const QImage card = SKTRenderingView::image_From_Card_Graphics(controller->Card_Side_Value(0), 72.0)
                            .convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(card.size(), QSize(340, 425));
    const auto count = [&](QRectF r, auto test) {
        int n = 0;
        for (int y = int(r.top()); y < int(r.bottom()); ++y)
            for (int x = int(r.left()); x < int(r.right()); ++x)
                n += test(card.pixelColor(x, y));
        return n;
    };
    const auto ink = [](QColor c) { return c.lightness() < 60; };
    const auto blue = [](QColor c) { return c.blue() > 200 && c.red() < 60 && c.green() < 60; };
    const QRectF photoRect = rectOf("PARTY_IMAGE"), title = rectOf("PARTY_TITLE"), date = rectOf("PARTY_DATE");
    EXPECT_GT(count(title, ink), 60) << "the title is drawn";
    EXPECT_GT(count(date, ink), 60) << "the date line is drawn";
    // The date line lies over the photo: the photo shows around its ink.
    EXPECT_GT(count(photoRect, blue), int(photoRect.width() * photoRect.height() * 0.8));
    // Text right of the title's 70-point default width: the line is not clipped.
    EXPECT_GT(count(title.adjusted(80, 0, 0, 0), ink), 10);
    const QImage paper = QImage(frame).scaled(340, 425).convertToFormat(QImage::Format_RGB32);
    for (const QPoint p : {QPoint(10, 10), QPoint(330, 415), QPoint(20, 380)})
        EXPECT_LT(std::abs(card.pixelColor(p).lightness() - paper.pixelColor(p).lightness()), 25)
            << "the frame shows at " << p.x() << "," << p.y();
}

// Normal use keeps stderr quiet: starting from a template and loading a design print nothing.
using QuietStart = ControllerTest;

TEST_F(QuietStart, AStartAndALoadPrintNothing)
{
    static QStringList printed;
    printed.clear();
    const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &m) {
        if (!m.contains(QLatin1String("propagateSizeHints")))  // the offscreen test platform's own
            printed << m;
    });
    galleryAction = [](Template_Wizard &w) { w.imageBrowser->selectImage(0), pressIn(w, "OK_btn"); };
    startAnswers = {10};
    const bool started = setUpWindow();
    // A design with a PDF417 and a Data Matrix code, read back from its file.
    SKTGraphicArray codes;
    for (const int symbology : {1, 2}) {  // PDF417, Data Matrix
        SKTGraphicPtr code = designtest::storedControl(SKTGraphicKind::Barcode, 5);
        code->linear_or_2d = 1;
        code->barcode_font_index = symbology;
        code->two_d_font_val = QStringLiteral("QUIET 42");
        codes.push_back(code);
    }
    place(0, codes);
    ui->push(pathIn("codes.did"));
    controller->Save_project_file(true, false, "L");
    const int loaded = controller->Read_and_load_design_Log_NEW_METHOD(pathIn("codes.did"), "L", true);
    controller->Refresh_Canvas();
    grabbed(0);
    qInstallMessageHandler(previous);
    ASSERT_TRUE(started);
    EXPECT_EQ(loaded, 1);
    EXPECT_TRUE(printed.isEmpty()) << printed.join('\n').toStdString();
}

// A crop of all holds the cropping tool (Tools > Cropping Tool…, six pictures of a folder by
// face) until it ends: Escape on its progress sheet asks whether to stop, as Stop does, instead
// of hiding the sheet with the run going on; closing the window is refused while it runs; and a
// window that goes (destroyed, as when the application closes) while the stop question holds
// the run stops it after the picture in hand and lets its worker go.
TEST_F(WindowCommandsTest, ACropOfAllHoldsItsWindowUntilItEnds)
{
    const QString folder = pathIn("many"), out = pathIn("out");
    ASSERT_TRUE(QDir().mkpath(folder));
    for (int i = 0; i < 6; ++i) {
        QImage picture(120, 120, QImage::Format_RGB32);
        picture.fill(QColor(60, 70, 90));
        ASSERT_TRUE(picture.save(QDir(folder).filePath(QStringLiteral("p%1.png").arg(i))));
    }
    const auto crops = [&] { return QDir(out).entryList({"*.jpg"}, QDir::Files).size(); };
    enum Act { Escape, Close, Destroy };
    const struct {
        const char *name;
        Act act;
        int files;  // written once the run is over
        bool asked;
    } rows[] = {{"Escape on the progress sheet, answered Yes", Escape, 3, true},
                {"the window's close box", Close, 6, false},
                {"the window destroyed while asked", Destroy, 3, true}};
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        QDir(out).removeRecursively();
        ui->clear();
        const auto holder = std::make_shared<HoldingDetector>(3);
        QPointer<Cropping_Tool> tool;
        bool asked = false, windowStayed = false;
        ui->onRequest = [&](const platform::ScriptedUiServices::Request &r) {
            if (r.kind == "yesNo") {
                asked = r.text == "Are you sure you want to stop?";
                holder->release();
                if (row.act != Destroy)
                    return;
                // Asked, the run finishes the picture in hand and waits; then the window goes.
                EXPECT_TRUE(testsupport::waitUntil([&] { return tool->Crop_All_Held(); }));
                // A window that never lets its worker go holds this thread in its end for good:
                // after a while the watchdog lets the run go in its place, so that this row
                // fails and the program goes on to the next tests.
                const std::shared_ptr<RunHold> runHold = tool->Crop_All_Hold();
                std::atomic<bool> gone{false}, letGoByWatchdog{false};
                std::thread watchdog([&] {
                    for (int i = 0; i < 300 && !gone; ++i)
                        std::this_thread::sleep_for(std::chrono::milliseconds(50));
                    if (!gone) {
                        letGoByWatchdog = true;
                        runHold->release();
                    }
                });
                delete tool.data();
                gone = true;
                watchdog.join();
                EXPECT_FALSE(letGoByWatchdog) << "a cropping tool destroyed mid-run never let its worker go";
                return;
            }
            if (r.kind != "Cropping_Tool")
                return;
            tool = Cropping_Tool::defaultInstance();
            tool->faceDetector = holder;
            press(tool->findChild<QButtonGroup *>("input_option_matrix")->button(SourceFolder));
            testsupport::typeInto(tool->findChild<QLineEdit *>("folder_path"), folder, Qt::Key_unknown);
            testsupport::typeInto(tool->findChild<QLineEdit *>("output_path"), out, Qt::Key_unknown);
            pressIn(*tool, "Next_Btn");
            press(tool->findChild<QButtonGroup *>("cropping_option_matrix")->button(CropByFace));
            pressIn(*tool, "crop_all_btn");
            ASSERT_TRUE(testsupport::waitUntil([&] { return holder->reached.load(); }));
            auto *sheet = tool->findChild<QDialog *>("Send_Models_Window");
            ASSERT_TRUE(sheet && sheet->isVisible());
            switch (row.act) {
            case Escape:
                ui->push(true);
                QTest::keyClick(sheet, Qt::Key_Escape);
                break;
            case Close:
                tool->close();
                windowStayed = tool->isVisible();
                break;
            case Destroy:
                ui->push(false);
                pressIn(*sheet, "_stop_btn");
                break;
            }
            holder->release();  // a run nothing stopped goes on to its end
            if (!tool)
                return;
            EXPECT_TRUE(testsupport::waitUntil([&] { return !tool->Crop_All_Thread_Running; }));
            pressIn(*tool, "Close_Btn");
        };
        press(menuItem(QStringLiteral("Cropping Tool…")));
        ui->onRequest = nullptr;
        EXPECT_EQ(asked, row.asked);
        EXPECT_EQ(windowStayed, row.act == Close) << "closed with the run going on";
        EXPECT_EQ(crops(), row.files);
        if (tool) {
            EXPECT_FALSE(tool->isVisible());
            delete tool.data();  // the next row's tool starts anew, with the cascade
        }
    }
}

// Every tool bar command shows a picture: the desktop theme's where the system has one, our own
// drawn picture for import and cropping; a lettered tile only for a command the theme lacks.
TEST_F(WindowCommandsTest, ToolBarCommandsShowPicturesNotLetters)
{
    const auto tileShare = [](const QIcon &icon) {
        const QImage image = icon.pixmap(48, 48).toImage().convertToFormat(QImage::Format_ARGB32);
        int tile = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                tile += image.pixelColor(x, y) == QColor(0x3d, 0x6b, 0x9e);
        return double(tile) / (image.width() * image.height());
    };
    ASSERT_GT(tileShare(commandIcon("", "Im")), 0.4) << "the lettered tile this test tells apart";
    const bool desktopTheme = QIcon::hasThemeIcon("document-new");
    const QList<QToolButton *> buttons =
        controller->findChild<QWidget *>("tool_bar")->findChildren<QToolButton *>(QString(), Qt::FindDirectChildrenOnly);
    int checked = 0;
    for (QToolButton *b : buttons) {
        if (!b->objectName().endsWith("_btn"))
            continue;  // the bar's own overflow button
        ++checked;
        EXPECT_FALSE(b->icon().isNull()) << b->objectName().toStdString();
        EXPECT_FALSE(b->toolTip().isEmpty()) << b->objectName().toStdString();
        const bool ours = b->objectName() == "Import_Wizard_btn" || b->objectName() == "Cropping_Tool_btn";
        if (ours || desktopTheme) {
            EXPECT_LT(tileShare(b->icon()), 0.1) << b->objectName().toStdString();
        }
    }
    EXPECT_GT(checked, 20);
}

// The small look-ups other windows call: a series list refilled keeps its series by name (or
// takes a new one), file sizes, the picture an image control came from, and the camera-folder
// file written whole.
TEST_F(WindowCommandsTest, UtilityLookUpsAnswerFromTheFiles)
{
    const auto write = [](const QString &path, const QByteArray &bytes) {
        QFile f(path);
        return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
    };
    QDir().mkpath(Data_Folder_Path);
    for (const char *name : {"Alpha", "Beta", "Gamma"})
        ASSERT_TRUE(write(QDir(Data_Folder_Path).filePath(QString::fromLatin1(name) + ".txt"), "1\n2\n"));
    QComboBox combo;
    SKTWindowController::Refresh_Data_Set_File_Name_In_Combo(&combo, {});
    combo.setCurrentText("Beta");
    ASSERT_TRUE(QFile::remove(QDir(Data_Folder_Path).filePath("Alpha.txt")));
    ASSERT_TRUE(write(QDir(Data_Folder_Path).filePath("Delta.txt"), "x\n"));
    const struct {
        const char *newName, *shown;
    } refills[] = {{"", "Beta"}, {"Delta", "Delta"}, {"Gone", ""}};
    for (const auto &r : refills) {
        SKTWindowController::Refresh_Data_Set_File_Name_In_Combo(&combo, r.newName);
        EXPECT_EQ(combo.count(), 3);
        EXPECT_EQ(combo.currentText(), r.shown) << r.newName;
    }

    const QString picture = pathIn("in_use.png"), source = pathIn("source.png");
    ASSERT_TRUE(write(picture, "12345") && write(source, "abc"));
    const struct {
        QString path;
        quint64 size;
    } sizes[] = {{picture, 5}, {pathIn("none.png"), 0}, {dir.path(), 0}};
    for (const auto &s : sizes)
        EXPECT_EQ(SKTWindowController::Get_File_Size_At_Path(s.path), s.size) << s.path.toStdString();
    SKTGraphicPtr image = designtest::storedControl(SKTGraphicKind::Image, 2);
    image->Set_Control_File_path(picture);
    image->Text_Value = source;
    EXPECT_EQ(SKTWindowController::Get_Original_Path_Of_Image_Control(*image), source);
    ASSERT_TRUE(QFile::remove(picture));
    EXPECT_EQ(SKTWindowController::Get_Original_Path_Of_Image_Control(*image), "") << "the picture in use is gone";

    Camera_Folder_Path = dir.filePath("Camera Shots");
    ASSERT_TRUE(controller->Create_Camera_Path_File());
    QFile camera(controller->camera_path_file);
    ASSERT_TRUE(camera.open(QIODevice::ReadOnly));
    EXPECT_EQ(QFileInfo(camera).fileName(), "daziruzevodud.txt");
    EXPECT_EQ(QString::fromUtf8(camera.readAll()), Camera_Folder_Path);
}

// Stored picture paths point into this installation: another installation's resources, and the
// bare placeholder name the delivered templates carry; a delivered template shows its photo.
TEST_F(WindowCommandsTest, PicturePathsPointIntoThisInstallation)
{
    const QString here = Resource_Path;
    const struct {
        QString stored, used;
    } cases[] = {
        {"", ""},
        {"  /home/ann/photo.png ", "/home/ann/photo.png"},
        {"/opt/old/share/badgeloom/Background/sunrise.jpg", here + "/Background/sunrise.jpg"},
        {"/usr/share/badgeloom/Gone/none.png", "/usr/share/badgeloom/Gone/none.png"},
        {here + "/no.png", here + "/no.png"},
        {"no.png", here + "/no.png"},
        {"not_a_resource.png", "not_a_resource.png"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(SKTWindowController::Check_Path_For_App_Resources(c.stored, here), c.used) << c.stored.toStdString();

    const QString delivered = platform::joinPath(Resource_Path, "Templates/Corporate", "Blue Horizon (h).did");
    ASSERT_EQ(controller->Read_and_load_design_Log_NEW_METHOD(delivered, "T", false), 1);
    const SKTGraphic *photo = nullptr;
    for (const SKTGraphicPtr &g : document->graphics())
        if (g->kind() == SKTGraphicKind::Image)
            photo = g.get();
    ASSERT_NE(photo, nullptr);
    EXPECT_EQ(photo->FilePath(), here + "/no.png");
    EXPECT_FALSE(photo->_contents.isNull());
    // The placeholder's own pixels stand in its frame, not the card behind it.
    const QImage card = SKTRenderingView::image_From_Card_Graphics(controller->Card_Side_Value(0), 72.0);
    const QImage bare = [&] {
        CardSide side = controller->Card_Side_Value(0);
        side.controls.clear();
        return SKTRenderingView::image_From_Card_Graphics(side, 72.0);
    }();
    int differing = 0, total = 0;
    const QRect frame = photo->bounds().toAlignedRect().adjusted(2, 2, -2, -2) & card.rect();
    for (int y = frame.top(); y <= frame.bottom(); y += 2)
        for (int x = frame.left(); x <= frame.right(); x += 2, ++total)
            differing += card.pixel(x, y) != bare.pixel(x, y);
    EXPECT_GT(differing, total / 2) << differing << " of " << total;
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
            if (auto *box = qobject_cast<Replcae_Confirm_Box *>(QApplication::activeModalWidget()))
                box->apply_chk->setChecked(c.all), press(box->findChild<QPushButton *>(c.button));
        });
        person.start(5);
        std::thread worker([&] { answer = Replcae_Confirm_Box::Open_box_in_thread("File exists", "a.png", "/tmp/a.png", true); });
        const bool answered = testsupport::waitUntil([&] { return answer != -1; });
        if (QWidget *box = QApplication::activeModalWidget(); !answered && box)
            box->close();  // lets the worker go, so the failure below is read rather than hung on
        worker.join();
        ASSERT_TRUE(answered) << "the box never answered the worker";
        EXPECT_EQ(answer, c.code) << c.button << c.all;
    }
}

// Whole numbers only in number fields. The help form of the long box has the globals' texts and
// one "OK"; the two-button form opens its check box as the last one left it and keeps the state.
TEST(SmallDialogs, IntegerFieldsAndTheLongMessageBox)
{
    for (const char *good : {"", "12", "-5", " 7"})
        EXPECT_TRUE(OnlyIntegerValueFormatter::isPartialStringValid(good)) << good;
    for (const char *bad : {"-", "1.5", "12a"})
        EXPECT_FALSE(OnlyIntegerValueFormatter::isPartialStringValid(bad)) << bad;
    const struct Case {
        const char *title, *firstButton;
        int check;  // -1 left as it opened, else ticked (1) or cleared (0)
        bool pressYes, opensChecked, kept;
    } cases[] = {{"", "OK", -1, true, false, false}, {"Replace?", "Yes", 1, false, false, true},
                 {"Replace?", "Yes", -1, true, true, true}, {"Replace?", "Yes", 0, true, true, false}};
    Cutom_Msg_Title = "Help";
    Msg_Apply_All_Chk = false;
    Long_SMS_Dlg box;
    box.apply_chk_show = true;
    for (const Case &c : cases) {
        box.title_val = c.title;
        Long_SMS_Dlg::setModalRunner([&](Long_SMS_Dlg &d) {
            EXPECT_TRUE(d.yes_button->text() == c.firstButton && d.no_button->isVisibleTo(&d) == (*c.title != 0));
            EXPECT_EQ(d._Msg_Title->text(), *c.title ? c.title : "Help");
            EXPECT_EQ(d.apply_chk->isVisibleTo(&d) && d.apply_chk->isChecked(), c.opensChecked);
            if (c.check >= 0)
                d.apply_chk->setChecked(c.check == 1);
            press((c.pressYes ? d.yes_button : d.no_button));
            return d.result();
        });
        EXPECT_EQ(box.Open_Long_sms_Dialog(), c.pressYes ? 1 : 0);
        EXPECT_EQ(Msg_Apply_All_Chk, c.kept) << c.check;
    }
    Long_SMS_Dlg::setModalRunner({});
}

// The shared long box is the last one made while it lives; once that one is gone, asking for it
// makes a new box instead of handing out the one that was destroyed.
TEST(SmallDialogs, TheSharedLongBoxOutlivesNoDestroyedBox)
{
    {
        Long_SMS_Dlg local;
        EXPECT_EQ(Long_SMS_Dlg::defaultInstance(), &local);
    }
    std::unique_ptr<Long_SMS_Dlg> made(Long_SMS_Dlg::defaultInstance());
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->objectName(), QStringLiteral("Long_SMS_Dlg"));
    made->title_val = "Replace?";
    Long_SMS_Dlg::setModalRunner([](Long_SMS_Dlg &d) {
        press(d.yes_button);
        return d.result();
    });
    EXPECT_EQ(made->Open_Long_sms_Dialog(), 1);
    Long_SMS_Dlg::setModalRunner({});
    EXPECT_EQ(Long_SMS_Dlg::defaultInstance(), made.get());
}

// The shared long box made on demand has no window for a parent; it goes when the application
// leaves its event loop rather than outliving it, and asking again then makes a new one.
TEST(SmallDialogs, TheSharedLongBoxGoesWhenTheApplicationQuits)
{
    QPointer<Long_SMS_Dlg> made = Long_SMS_Dlg::defaultInstance();
    ASSERT_FALSE(made.isNull());
    EXPECT_EQ(made->parent(), nullptr);
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    qApp->exec();
    EXPECT_TRUE(made.isNull()) << "the shared box outlived the application";
    std::unique_ptr<Long_SMS_Dlg> again(Long_SMS_Dlg::defaultInstance());
    EXPECT_EQ(again->objectName(), QStringLiteral("Long_SMS_Dlg"));
}

}  // namespace
