// The profile model and dialogs, driven through their widgets on a real document and canvas.

#include "Press.h"
#include "TestSupport.h"

#include "canvas/SKTGraphicView.h"
#include "core/Globals.h"
#include "core/PictureServices.h"
#include "core/SKTDocument.h"
#include "core/SKTImage.h"
#include "core/SKTText.h"
#include "data/SeriesFiles.h"
#include "data/SeriesWindow.h"
#include "data/spreadsheet/Import_Excel.h"
#include "platform/UiServices.h"
#include "visitor/ProfileCaptions.h"
#include "visitor/ProfileHost.h"
#include "visitor/ProfileLayout.h"
#include "visitor/Show_User_Profile.h"
#include "visitor/User_Profile_Class.h"
#include "visitor/User_profile.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct Host : ProfileHost {
    User_Profile_Class front, back, temp;
    SKTDocument doc;
    Data_From_Excel table;
    bool use = false;
    QString path;
    User_Profile_Class &Front_user_profile() override { return front; }
    User_Profile_Class &Back_user_profile() override { return back; }
    User_Profile_Class &TEMP_user_profile() override { return temp; }
    SKTDocument *document() override { return &doc; }
    bool Excel_Binding_Use() override { return use; }
    void Set_Excel_Binding_Use(bool u) override { use = u; }
    QString Excel_Source_Path() override { return path; }
    void Set_Excel_Source_Path(const QString &p) override { path = p; }
    Data_From_Excel &Excel_Table() override { return table; }
    ExcelTableHost *Excel_Table_Host() override { return &table; }
    QString NO_Image_Path() override { return {}; }
    QStringList Allowd_Image_fileTypes() override { return {"jpg", "jpeg", "png", "bmp", "tif", "tiff", "gif"}; }
    void Temp_Design_Control_Assign() override {}
    void Fill_User_profile_info_TEMP_side(const QString &) override {}
    void Batch_Series_Button() override {}
    QString Take_Camera_Picture() override { return {}; }
};

class Profiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        Title_For_Gen_ID_Card();
        Card_Front_Or_Back = 0;
        for (User_Profile_Class *p : {&host.front, &host.back, &host.temp})
            p->Reset_All_Values();
        QDir().mkpath(Data_Folder_Path);
        Write_Series_File(Series_File_Path("roles"), QStringList{"Captain", "Mate"});
    }
    // A text control on a side of the document.
    SKTText &text(int side, const QString &id, const QString &value, QRectF at = {10, 10, 90, 20})
    {
        auto t = std::make_shared<SKTText>();
        t->setBounds(at);
        t->control_ID = id;
        t->Set_text_value(value);
        host.doc.appendGraphicOnSide(side, t);
        return *t;
    }
    // Opens the side dialog for `side`, runs `user` inside it, answers the dialog's result.
    int open(const QString &side, const std::function<void()> &user)
    {
        dlg.load_side = side;
        const ProfileModalRunner previous = Set_Profile_Modal_Runner([&](QDialog &w) {
            w.setResult(-1);
            user();
            return w.result();
        });
        const int code = dlg.Open_Wnd(true);
        Set_Profile_Modal_Runner(previous);
        return code;
    }
    void loadTable(const QList<QStringList> &rows)
    {
        host.table.fillFromSheet(rows, rows[0].size() > 1 ? QList<int>{0, 1} : QList<int>{0}, true);
        host.table.reload();
    }
    ProfileFieldRow &row(int i) { return dlg.rows[size_t(i)]; }
    // Presses the dialog's button of that name as a user does.
    static void pressIn(QWidget &dialog, const char *name)
    {
        auto *b = dialog.findChild<QAbstractButton *>(QString::fromLatin1(name));
        ASSERT_NE(b, nullptr) << name;
        testsupport::press(b);
    }

    testsupport::TempDataFolder data;
    platform::ScopedScriptedUi ui;
    Host host;
    Show_User_Profile dlg{host};
};

TEST_F(Profiles, ResetRestoresIdsKeepsCaptionsAndNewProjectDropsThem)
{
    const QStringList ids = {"Name", "Title", "Company", "CompanySlogan", "Address", "PhoneNO",
                             "FaxNo", "EmailID", "Website", "UniqueNo", "Photo"};
    User_Profile_Class &p = host.front;
    for (ProfileSlot s : p.Profile_Slots())
        s.id = s.label_id = s.value = s.ds_name = s.label = "x", s.ds = s.xl = true, s.ds_indx = s.xl_col_indx = 4;
    p.Reset_All_Values();
    for (int i = 0; i < 11; ++i) {
        const ProfileSlot s = p.Profile_Slots()[size_t(i)];
        EXPECT_EQ(s.id, "Fup_" + ids[i]);
        EXPECT_EQ(s.label_id, "Fup_lbl_" + ids[i]);
        EXPECT_EQ(s.label, "x") << "captions survive the reset";
        EXPECT_TRUE(s.value.isEmpty() && s.ds_name.isEmpty() && !s.ds && !s.xl && s.ds_indx + s.xl_col_indx == 0);
    }
    New_Project_Profile_Reset({&host.front, &host.back});
    EXPECT_TRUE(host.front.Name_label.isEmpty() && host.front.unique_label.isEmpty());
}

TEST_F(Profiles, ValidationNamesTheFirstFieldWithoutAChoice)
{
    const struct {
        std::vector<int> seriesRows;
        QStringList messages;
    } cases[] = {
        {{5}, {"\nPlease select the 'Series / Excel Column' for 'Phone No.'"}},
        {{10, 0}, {"\nPlease select the 'Series / Excel Column' for 'Name'"}},
        {{10}, {"\nPlease select the 'Series / Excel Column' for 'Photo'"}},
        {{}, {}},
    };
    for (const auto &c : cases) {
        ui->clear();
        const int code = open("F", [&] {
            for (int r : c.seriesRows)
                row(r).ds_combo->setCurrentIndex(1);
            pressIn(dlg, "OK_Btn_Clicked");
        });
        EXPECT_EQ(ui->messages(), c.messages);
        EXPECT_EQ(code, c.messages.isEmpty() ? 1 : -1) << "the dialog stays open after a failed check";
    }
}

TEST_F(Profiles, ChoosingASeriesOrColumnShowsItsFirstValue)
{
    loadTable({{"Name", "Note"}, {"Alice", ""}, {"Bob", "b"}});
    const struct {
        int source, item;
        QString shown;
    } cases[] = {{2, 0, "1"}, {2, 1, "Alice"}, {2, 2, " "}, {1, 0, "Captain"}};
    for (const auto &c : cases) {
        open("F", [&] {
            row(0).ds_combo->setCurrentIndex(c.source);
            row(0).ser_col_cb->setCurrentIndex(c.item);
            EXPECT_EQ(row(0).value->text(), c.shown);
            EXPECT_TRUE(row(0).value_chk->isChecked());
            pressIn(dlg, "OK_Btn_Clicked");
        });
        EXPECT_EQ(host.front.Name, c.shown);
        EXPECT_EQ(c.source == 2 ? host.front.Name_xl_col_indx : host.front.Name_ds_indx, c.item);
        EXPECT_EQ(host.front.Name_ds_name, c.source == 1 ? "roles" : "");
    }
}

TEST_F(Profiles, PrefillTicksOnlyFieldsOnTheCardAndTypingTicksTheBox)
{
    loadTable({{"Name", "Note"}, {"Alice", ""}});
    text(0, "Fup_Name", "Ann");
    text(0, "Fup_lbl_Title", "Role :");
    text(0, "Fup_Company", "Hidden").ctrl_is_visible = false;
    SKTText &phone = text(0, "Fup_PhoneNO", "555");
    phone.ctrl_is_locked = true;
    phone.Set_Data_source_type(2);
    phone.excel_col_indx = 7;  // the column has gone from the table
    const int code = open("F", [&] {
        for (int i = 0; i < 10; ++i) {
            EXPECT_EQ(row(i).value_chk->isChecked(), i == 0 || i == 5) << i;
            EXPECT_EQ(row(i).label_chk->isChecked(), i == 1) << i;
            EXPECT_EQ(row(i).label->text(), i == 1 ? "Role :" : *row(i).caption);
        }
        EXPECT_EQ(row(5).ds_combo->currentIndex(), 0) << "an unreachable column falls back to typed";
        QTest::keyClicks(row(3).value, "Go");
        QTest::keyClicks(row(4).label, "!");
        EXPECT_TRUE(row(3).value_chk->isChecked() && row(4).label_chk->isChecked());
        pressIn(dlg, "OK_Btn_Clicked");
    });
    EXPECT_EQ(code, 1);
    EXPECT_EQ(ui->messages().size(), 1);
    EXPECT_EQ(QStringList({host.front.Name, host.front.Company_name, host.front.slogan, host.front.phone}),
              QStringList({"Ann", "", "Go", "555"}));
    EXPECT_EQ(QStringList({host.front.Name_label, host.front.Title_label, host.front.address_label}),
              QStringList({"", "Role :", "Address :!"}));
}

TEST_F(Profiles, OnlyOkWritesAndOnlyTheEditedSide)
{
    host.front.Name = "Front";
    const struct {
        QString side;
        bool ok;
        QString front, back;
    } cases[] = {{"B", false, "Front", ""}, {"B", true, "Front", "Bob"}, {"F", true, "Bob", "Bob"}};
    for (const auto &c : cases) {
        Card_Front_Or_Back = c.side == "B";
        open(c.side, [&] {
            QTest::keyClicks(row(0).value, "Bob");
            pressIn(dlg, "Preview_Btn_Clicked");
            pressIn(dlg, c.ok ? "OK_Btn_Clicked" : "Cancel_Btn_Clicked");
        });
        EXPECT_EQ(host.temp.Name, "Bob");
        EXPECT_EQ(host.front.Name, c.front);
        EXPECT_EQ(host.back.Name, c.back);
    }
}

TEST_F(Profiles, WizardWritesEachFieldToTheSidesChosen)
{
    const QString photo = data.root() + "/p.png";
    QImage(4, 4, QImage::Format_RGB32).save(photo);
    const struct {
        QString total, photo;
        int nameSide;
        QString front, back, message;
    } cases[] = {{"1", photo, 1, "Ann", "", ""},         {"2", photo, 1, "", "Ann", ""},
                 {"2", photo, 2, "Ann", "Ann", ""},      {"2", "/no/such.png", 2, "", "", "\nPlease select valid image file."}};
    User_profile wizard(host);
    for (const auto &c : cases) {
        host.front.Name = host.back.Name = host.front.image = "";
        ui->clear();
        Set_Profile_Modal_Runner([&](QDialog &) {
            wizard.setResult(0);
            wizard.rows[0].value->setText("Ann");
            if (c.total == "2")
                wizard.rows[0].side_combo->setCurrentIndex(c.nameSide);
            wizard.Set_User_Image(c.photo);
            pressIn(wizard, "OK_Btn_Clicked");
            return wizard.result();
        });
        EXPECT_EQ(Open_User_Profile_Window(dlg, wizard, false, " ", c.total), c.message.isEmpty() ? 1 : 0);
        EXPECT_EQ(host.front.Name + "|" + host.back.Name, c.front + "|" + c.back);
        EXPECT_EQ(ui->messages().join(""), c.message);
        EXPECT_EQ(host.front.image, c.message.isEmpty() ? photo : "");
    }
    Set_Profile_Modal_Runner({});
}

// The placeholder picture is the card's "no photo yet": both dialogs show it with an empty path
// box, while a photo of the user's shows its path. What the dialogs write back is the photo's
// file itself, so a profile left at the placeholder still passes the photo check and keeps the
// card's photo frame.
TEST_F(Profiles, ThePlaceholderPhotoShowsNoPathInEitherDialog)
{
    const QString keptResources = Resource_Path;
    Resource_Path = data.root() + "/res";
    ASSERT_TRUE(QDir().mkpath(Resource_Path));
    QImage grey(8, 8, QImage::Format_RGB32);
    grey.fill(Qt::gray);
    ASSERT_TRUE(grey.save(Placeholder_Picture_Path()));
    const QString own = data.root() + "/visitor.png";
    ASSERT_TRUE(grey.save(own));
    const struct {
        bool wizard;
        QString photo, shown;
    } cases[] = {{true, Placeholder_Picture_Path(), ""}, {true, own, own},
                 {false, Placeholder_Picture_Path(), ""}, {false, own, own}};
    User_profile wizard(host);
    for (const auto &c : cases) {
        SCOPED_TRACE((c.wizard ? "wizard " : "side dialog ") + c.photo.toStdString());
        host.front.image = "";
        ui->clear();
        QString shown = "unset";
        bool notice = true, picture = false;
        const auto look = [&](ProfileDialogBase &d) {
            shown = d.image_path_val->text();
            notice = d.invalid_source_label->isVisibleTo(&d);
            picture = !d.user_picture->pixmap().isNull();
        };
        if (c.wizard) {
            Set_Profile_Modal_Runner([&](QDialog &) {
                wizard.setResult(0);
                wizard.Set_User_Image(c.photo);
                look(wizard);
                pressIn(wizard, "OK_Btn_Clicked");
                return wizard.result();
            });
            EXPECT_EQ(Open_User_Profile_Window(dlg, wizard, false, " ", "1"), 1) << ui->messages().join("").toStdString();
            Set_Profile_Modal_Runner({});
        } else {
            host.doc.removeAllGraphicsOnSide(0);
            std::shared_ptr<SKTGraphic> photo = SKTImage::initWithPath({0, 0}, c.photo);
            photo->setBounds({10, 10, 40, 50});
            photo->control_ID = "Fup_Photo";
            host.doc.appendGraphicOnSide(0, photo);
            EXPECT_EQ(open("F", [&] {
                          look(dlg);
                          pressIn(dlg, "OK_Btn_Clicked");
                      }),
                      1);
        }
        EXPECT_EQ(shown, c.shown);
        EXPECT_FALSE(notice) << "the placeholder is a picture that exists";
        EXPECT_TRUE(picture);
        EXPECT_EQ(host.front.image, c.photo);
    }
    Resource_Path = keptResources;
}

TEST_F(Profiles, CancelAfterReBrowseRestoresColumnsAndRows)
{
    REQUIRE_PYTHON(python);
    const QString book = data.root() + "/new.xlsx";
    loadTable({{"Old"}, {"x"}});
    const QList<QStringList> before = host.table.Rows();
    host.path = "old.xlsx";
    const struct {
        const char *sheet;
        bool importOk, again;
    } cases[] = {{"[['New', 'N2'], ['y', 'z']]", true, true}, {"[['New']]", true, true}, {"[['New'], ['y']]", false, false}};
    for (const auto &c : cases) {
        ASSERT_EQ(testsupport::runTool(python, {"-c", QString("import openpyxl,sys\nwb=openpyxl.Workbook()\n"
                                                              "[wb.active.append(r) for r in %1]\nwb.save(sys.argv[1])")
                                                          .arg(c.sheet), book}).exitCode, 0);
        ui->push(true);
        ui->push(book);
        const SeriesModalRunner previous = Set_Series_Modal_Runner([&](QDialog &w) {
            pressIn(w, "Select_ALL_Pressed");
            if (c.importOk)
                pressIn(w, "OKPressed");
            return c.importOk ? 1 : 0;
        });
        open("F", [&] {
            pressIn(dlg, "excel_browse_btn");
            EXPECT_EQ(Browse_Excel_AGAIN, c.again);
            EXPECT_NE(host.table.Rows() == before, c.importOk);
            pressIn(dlg, "Cancel_Btn_Clicked");
        });
        Set_Series_Modal_Runner(previous);
        EXPECT_EQ(host.table.ColList.size(), 2);
        EXPECT_EQ(host.table.ColList.last().title, "Old");
        EXPECT_EQ(host.table.Rows(), before);
        EXPECT_EQ(host.path, "old.xlsx");
    }
}

TEST_F(Profiles, JourneyFillsTheCardWithRowOnesValues)
{
    loadTable({{"Name", "Note"}, {"Alice", ""}, {"Bob", ""}});
    text(0, "Fup_Name", "Name", {10, 10, 120, 24});
    text(0, "Fup_Title", "Title", {10, 50, 120, 24});
    SKTGraphicView canvas;
    canvas.bindGraphics(&host.doc, 0);
    canvas.setCanvasSize({243, 154});
    const QImage before = canvas.grab().toImage();
    ASSERT_EQ(open("F", [&] {
        row(0).ds_combo->setCurrentIndex(2);
        row(0).ser_col_cb->setCurrentIndex(1);
        row(1).ds_combo->setCurrentIndex(1);
        row(1).ser_col_cb->setCurrentIndex(0);
        pressIn(dlg, "OK_Btn_Clicked");
    }), 1);
    Lay_User_Profile(host.front, canvas, ProfilePhotoRule::Front, {});
    SKTDocument expected;
    for (auto [id, value, y] : {std::tuple{"Fup_Name", "Alice", 10}, {"Fup_Title", "Captain", 50}}) {
        auto t = std::make_shared<SKTText>();
        t->setBounds({10, qreal(y), 120, 24});
        t->Set_text_value(value);
        t->_isDrawingStroke = t->_isDrawingFill = false;
        expected.appendGraphicOnSide(0, t);
        EXPECT_EQ(canvas.Selcect_Ctrl_With_ID(id)->data_source_type, y == 10 ? 2 : 1);
    }
    SKTGraphicView reference;
    reference.bindGraphics(&expected, 0);
    reference.setCanvasSize({243, 154});
    const QImage after = canvas.grab().toImage();
    EXPECT_EQ(after, reference.grab().toImage());
    EXPECT_NE(after, before);
}

}  // namespace
