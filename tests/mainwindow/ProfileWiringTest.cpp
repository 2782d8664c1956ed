// The profile dialogs and the visitor log as the window opens them.

#include "ControllerFixture.h"
#include "core/ControlArchive.h"
#include "data/SeriesManagerWindow.h"
#include "data/spreadsheet/Data_From_Excel.h"
#include "data/SeriesWindow.h"
#include "visitor/ProfileDialogBase.h"

#include <QAction>
#include <QApplication>
#include <QScreen>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyleOptionComboBox>
#include <QTableWidget>

namespace {

using ProfileWiringTest = ControllerTest;

// The card wizard's profile button and the window's own: a typed name lands on the card, the
// window's road as one undo step; the log command opens one window for the run, Mail on.
TEST_F(ProfileWiringTest, ATypedNameReachesTheCardAndTheLogOpensOneWindow)
{
    struct Case { bool wizardRoad; QString name, title; int undoSteps; };
    for (const Case &c : {Case{true, "Ada Lovelace", "User Profile Information", 0},
                          Case{false, "Bo Diddley", "Front Side User Profile Information", 1}}) {
        SCOPED_TRACE(c.name.toStdString());
        QStringList titles;
        const ProfileModalRunner previous = Set_Profile_Modal_Runner([&](QDialog &d) {
            auto &dlg = dynamic_cast<ProfileDialogBase &>(d);
            titles << d.windowTitle();
            dlg.rows[0].value->setText(c.name);
            emit dlg.rows[0].value->textEdited(c.name);
            pressIn(dlg, "OK_Btn_Clicked");
            return dlg.result();
        });
        Card_Wizard::setModalRunner([&](Card_Wizard &w) {
            pressIn(w, "Next_btn");
            if (c.wizardRoad)
                press(w.fill_profile_btn);
            pressIn(w, "Next_btn");
            return w.result();
        });
        controller.reset();
        document = std::make_unique<SKTDocument>();
        controller = Set_Up_Application(*document);
        ASSERT_TRUE(setUpWindow());
        const int before = int(controller->undoHistory().Ucontrol.size());
        if (!c.wizardRoad)
            click("User_Profile_Btn");
        Set_Profile_Modal_Runner(previous);
        EXPECT_EQ(titles, QStringList{c.title});
        QString shown;
        for (const SKTGraphicPtr &g : document->graphicsOfSide(0))
            shown += g->control_ID == QLatin1String("Fup_Name") && g->ctrl_is_visible ? g->Text_Value : QString();
        EXPECT_EQ(shown, c.name);
        EXPECT_EQ(int(controller->undoHistory().Ucontrol.size()) - before, c.undoSteps);
    }
    // A visit on record: the log lists it.
    REQUIRE_TOOL(sqlite, "sqlite3");
    ASSERT_EQ(testsupport::runTool(sqlite, {Database_Path, "INSERT INTO Visitor_Records(VName,Date_Time_Stamp) "
                                                           "VALUES('Ada','2026-03-29 08:00:00');"})
                  .exitCode,
              0);
    press(outlet<QAction>("Visitor_Log_menu")), press(outlet<QAction>("Visitor_Log_menu"));
    const auto requests = ui->requests();
    EXPECT_EQ(std::count_if(requests.begin(), requests.end(), [](auto &r) { return r.kind == "Visitor_Log_Records"; }), 2);
    EXPECT_EQ(controller->findChildren<QDialog *>(QStringLiteral("Visitor_Log_Records")).size(), 1);
    // The visit opened from the list: its details offer Mail, which opens the visitor details
    // mail window with the pass attached, no recipient.
    outlet<QDialog>("Visitor_Log_Records")->show();
    auto *list = outlet<QTableWidget>("ColList");
    ASSERT_GE(list->rowCount(), 1);
    const QPoint firstRow = list->visualRect(list->model()->index(0, 1)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, firstRow);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, firstRow);
    ui->clear();
    ASSERT_TRUE(press(outlet<QPushButton>("Mail")));
    const auto mailed = ui->requests();
    EXPECT_EQ(std::count_if(mailed.begin(), mailed.end(), [](auto &r) { return r.kind == "Direct_Mail"; }), 1);
    auto *mail = outlet<QDialog>("Direct_Mail");
    ASSERT_NE(mail, nullptr);
    EXPECT_TRUE(mail->findChild<QLineEdit *>("file_path_ctrl")->text().endsWith("VisitorDetails.pdf"));
    EXPECT_TRUE(mail->findChild<QLineEdit *>("to_txt")->text().isEmpty());
}

}  // namespace

namespace {

// The texts of a side's visible controls by id.
QMap<QString, QString> shownTexts(const SKTDocument &doc, int side)
{
    QMap<QString, QString> out;
    for (const SKTGraphicPtr &g : doc.graphicsOfSide(side))
        if (g->ctrl_is_visible)
            out[g->control_ID] += g->Text_Value;
    return out;
}

// Preview lays the typed profile on a copy of the side: the preview shows the name, Cancel leaves
// the card and its undo history as they were. Series… opens the series manager.
TEST_F(ProfileWiringTest, PreviewShowsACopyAndCancelLeavesTheCard)
{
    ASSERT_TRUE(setUpWindow());
    const QMap<QString, QString> before = shownTexts(*document, 0);
    const size_t undoBefore = controller->undoHistory().Ucontrol.size();
    QMap<QString, QString> previewed;
    QString previewLabel;
    int seriesWindows = 0;
    const SeriesModalRunner previousSeries = Set_Series_Modal_Runner([&](QDialog &d) {
        seriesWindows += d.objectName() == BatchWizard::defaultInstance()->objectName();
        return 0;
    });
    const ProfileModalRunner previous = Set_Profile_Modal_Runner([&](QDialog &d) {
        auto &dlg = dynamic_cast<ProfileDialogBase &>(d);
        dlg.rows[0].value->setText("Pat Preview");
        emit dlg.rows[0].value->textEdited("Pat Preview");
        pressIn(dlg, "Preview_Btn_Clicked");
        previewed = shownTexts(*document, 2);
        previewLabel = outlet<QLabel>("Front_back_label")->text();
        press(dlg.batch_series_btn);
        pressIn(dlg, "Cancel_Btn_Clicked");
        return dlg.result();
    });
    click("User_Profile_Btn");
    Set_Profile_Modal_Runner(previous);
    Set_Series_Modal_Runner(previousSeries);
    EXPECT_EQ(previewed.value("Fup_Name").toStdString(), "Pat Preview");
    EXPECT_EQ(previewLabel.toStdString(), "TEMP");
    EXPECT_EQ(shownTexts(*document, 0), before);
    EXPECT_EQ(controller->undoHistory().Ucontrol.size(), undoBefore);
    EXPECT_TRUE(document->graphicsOfSide(2).empty());
    EXPECT_NE(outlet<QLabel>("Front_back_label")->text(), "TEMP");
    EXPECT_EQ(seriesWindows, 1);
}

// Preview shows the profile where the person at the dialog sees it, on both roads on the
// smallest screen: from the card wizard (the design area not yet shown) and from the window's
// Profile button (the dialog over the card). The preview and the dialog stand side by side on
// the screen, the preview drawn with the typed name; it goes when the dialog closes.
TEST_F(ProfileWiringTest, PreviewIsSeenBesideTheDialog)
{
    const auto darkPixels = [](const QImage &image) {
        int dark = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                dark += QColor(image.pixel(x, y)).value() < 90;
        return dark;
    };
    for (const bool wizardRoad : {true, false}) {
        SCOPED_TRACE(wizardRoad ? "card wizard" : "Profile button");
        struct Seen {
            bool shown = false, onScreen = false, besideTheDialog = false, designShown = true;
            int darkWithName = 0, darkWithout = 0;
        } seen;
        QWidget *preview = nullptr;
        const ProfileModalRunner previous = Set_Profile_Modal_Runner([&](QDialog &d) {
            auto &dlg = dynamic_cast<ProfileDialogBase &>(d);
            d.show();  // as its modal run shows it
            const QRect screen = d.screen()->availableGeometry();
            for (const QString name : {"Pat Preview", ""}) {
                dlg.rows[0].value->setText(name);
                emit dlg.rows[0].value->textEdited(name);
                pressIn(dlg, "Preview_Btn_Clicked");
                preview = nullptr;
                for (QWidget *w : QApplication::topLevelWidgets())
                    if (w->objectName() == "Profile_Preview_Wnd" && w->isVisible())
                        preview = w;
                if (!preview)
                    continue;
                auto *picture = preview->findChild<QLabel *>("profile_preview_picture");
                const int dark = picture ? darkPixels(picture->pixmap().toImage()) : 0;
                (name.isEmpty() ? seen.darkWithout : seen.darkWithName) = dark;
                seen.shown = true;
                seen.onScreen = screen.contains(preview->frameGeometry()) && screen.contains(d.frameGeometry());
                // The screen has room for both: the preview stands clear of the dialog.
                seen.besideTheDialog = !preview->frameGeometry().intersects(d.frameGeometry());
            }
            seen.designShown = controller->findChild<QWidget *>("Right_Prop_Box")->isVisible();
            pressIn(dlg, "Cancel_Btn_Clicked");
            return dlg.result();
        });
        Card_Wizard::setModalRunner([&](Card_Wizard &w) {
            pressIn(w, "Next_btn");
            if (wizardRoad)
                press(w.fill_profile_btn);
            pressIn(w, "Next_btn");
            return w.result();
        });
        controller.reset();
        document = std::make_unique<SKTDocument>();
        controller = Set_Up_Application(*document);
        ASSERT_TRUE(setUpWindow());
        controller->show();
        if (!wizardRoad)
            click("User_Profile_Btn");
        Set_Profile_Modal_Runner(previous);
        EXPECT_TRUE(seen.shown);
        EXPECT_TRUE(seen.onScreen);
        EXPECT_TRUE(seen.besideTheDialog);
        EXPECT_GT(seen.darkWithName, seen.darkWithout + 30) << seen.darkWithName << " " << seen.darkWithout;
        EXPECT_EQ(seen.designShown, !wizardRoad);  // the card itself is not there to be seen
        EXPECT_TRUE(preview == nullptr || !preview->isVisible());
    }
}

// After either dialog the main data-source list offers "Excel" exactly while the design is bound
// to a spreadsheet.
TEST_F(ProfileWiringTest, TheDataSourceListFollowsTheSpreadsheetBinding)
{
    ASSERT_TRUE(setUpWindow());
    for (const bool bound : {true, false, true}) {
        SCOPED_TRACE(bound);
        const ProfileModalRunner previous = Set_Profile_Modal_Runner([&](QDialog &d) {
            Excel_Binding_Use = bound;
            auto &dlg = dynamic_cast<ProfileDialogBase &>(d);
            pressIn(dlg, "Cancel_Btn_Clicked");
            Excel_Binding_Use = bound;
            return dlg.result();
        });
        click("User_Profile_Btn");
        Set_Profile_Modal_Runner(previous);
        EXPECT_EQ(controller->Data_source_type->count(), bound ? 3 : 2);
        EXPECT_EQ(controller->Data_source_type->findText("Excel") >= 0, bound);
    }
    Excel_Binding_Use = false;
}

}  // namespace

namespace {

// A new sheet chosen in the side dialog and confirmed: controls bound to the old sheet lose their
// binding, except the current side's profile fields, which the dialog binds anew.
TEST_F(ProfileWiringTest, ANewSheetUnbindsTheOldSheetsControls)
{
    ASSERT_TRUE(setUpWindow());
    CARD_SIDE_STR = QStringLiteral("2");
    auto boundText = [](const char *id) {
        std::shared_ptr<SKTGraphic> g = Make_Graphic_Of_Class(QStringLiteral("SKTText"));
        g->control_ID = QString::fromLatin1(id);
        g->Set_Data_source_type(2);
        g->Set_Excel_binding_Index(1);
        return g;
    };
    place(0, {boundText("Fup_Company"), boundText("my_text")});
    place(1, {boundText("Fup_Name")});
    Data_From_Excel &table = *Data_From_Excel::defaultInstance();
    const QList<QStringList> rows = table.Rows();
    table.Set_Rows({{"1", "Ann"}});
    const ProfileModalRunner previous = Set_Profile_Modal_Runner([](QDialog &d) {
        auto &dlg = dynamic_cast<ProfileDialogBase &>(d);
        pressIn(dlg, "Cancel_Btn_Clicked");
        Browse_Excel_AGAIN = true;  // as a confirmed re-browse leaves it
        return 1;
    });
    click("User_Profile_Btn");
    Set_Profile_Modal_Runner(previous);
    table.Set_Rows(rows);
    Browse_Excel_AGAIN = false;
    QStringList sources;
    for (int side : {0, 1})
        for (const SKTGraphicPtr &g : document->graphicsOfSide(side))
            sources << g->control_ID + "=" + QString::number(g->data_source_type_val());
    sources.sort();
    EXPECT_EQ(sources.join(' ').toStdString(), "Fup_Company=2 Fup_Name=0 my_text=0");
}

// A caption previewed on one design is not in the preview of the next: File > New starts the
// card wizard's profile from nothing, so its Preview shows what its OK lays.
TEST_F(ProfileWiringTest, APreviewAfterNewShowsNoCaptionOfTheDesignBefore)
{
    ASSERT_TRUE(setUpWindow());
    QStringList captions;
    const ProfileModalRunner previous = Set_Profile_Modal_Runner([&](QDialog &d) {
        auto &dlg = dynamic_cast<ProfileDialogBase &>(d);
        if (dlg.rows[0].label_chk) {  // the side's own dialog has the captions
            press(dlg.rows[0].label_chk);
            dlg.rows[0].label->setText("Holder :");
        }
        pressIn(dlg, "Preview_Btn_Clicked");
        captions << shownTexts(*document, 2).value("Fup_lbl_Name");
        pressIn(dlg, "Cancel_Btn_Clicked");
        return dlg.result();
    });
    click("User_Profile_Btn");
    Card_Wizard::setModalRunner([](Card_Wizard &w) {
        pressIn(w, "Next_btn"), press(w.fill_profile_btn), pressIn(w, "Next_btn");
        return w.result();
    });
    ui->push(int(platform::AnswerNo));  // the design before is not saved
    click("New_btn");
    Set_Profile_Modal_Runner(previous);
    EXPECT_EQ(captions, QStringList({"Holder :", ""}));
}

// The first sheet bound in the side dialog fills its column lists, which ask for more room: each
// caption, value and chosen column still shows from its first letter to its last.
TEST_F(ProfileWiringTest, TheFirstSheetBoundKeepsCaptionsAndValuesWhole)
{
    ASSERT_TRUE(setUpWindow());
    const QString book = pathIn("staff.xlsx");
    ASSERT_TRUE(SpreadsheetWriter::WriteWorkbook(
        book, {{"Full name of the person", "Job title held", "Role"}, {"Alexandra Montgomery", "Logistics Coordinator", "Head"}}, true));
    const SeriesModalRunner picker = Set_Series_Modal_Runner([](QDialog &w) {
        return pressIn(w, "Select_ALL_Pressed"), pressIn(w, "OKPressed"), w.result();
    });
    QStringList cut;
    const ProfileModalRunner previous = Set_Profile_Modal_Runner([&](QDialog &d) {
        auto &dlg = dynamic_cast<ProfileDialogBase &>(d);
        ui->push(book);
        pressIn(dlg, "excel_browse_btn");
        for (size_t i = 0; i < 10; ++i)
            dlg.rows[i].ds_combo->setCurrentIndex(2), dlg.rows[i].ser_col_cb->setCurrentIndex(1 + int(i % 3));
        QCoreApplication::processEvents();  // laid out as the person then sees it
        for (size_t i = 0; i < 10; ++i) {
            for (QLineEdit *box : {dlg.rows[i].label, dlg.rows[i].value})
                if (box->end(false), box->grab(), box->cursorPositionAt({box->contentsRect().left() + 4, box->height() / 2}) != 0)
                    cut << box->text();
            QComboBox *column = dlg.rows[i].ser_col_cb;
            QStyleOptionComboBox field;
            field.initFrom(column);
            if (column->fontMetrics().horizontalAdvance(column->currentText())
                > column->style()->subControlRect(QStyle::CC_ComboBox, &field, QStyle::SC_ComboBoxEditField, column).width())
                cut << column->currentText();
        }
        return pressIn(dlg, "Cancel_Btn_Clicked"), dlg.result();
    });
    click("User_Profile_Btn");
    Set_Profile_Modal_Runner(previous);
    Set_Series_Modal_Runner(picker);
    EXPECT_EQ(cut.join(" | ").toStdString(), "");
}

}  // namespace
