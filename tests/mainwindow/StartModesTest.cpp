// The roads of the start dialog, the gallery's template files, the delivered content and the
// small rules of the wizard, the library and the stock texts.

#include "ControllerFixture.h"
#include "CoreTestSupport.h"

#include "barcode/ControlBarcode.h"
#include "groupmode/Group_Mode_Wizard.h"
#include "core/DesignFile.h"
#include "core/SKTRenderingView.h"
#include "core/Shape_Control.h"
#include "mainwindow/Image_Library.h"
#include "mainwindow/Insert_Template.h"
#include "output/print/Print_Wnd.h"
#include "imaging/Cropping_Tool.h"
#include "properties/CardTabs.h"
#include <QComboBox>
#include <QButtonGroup>
#include <QDir>
#include <QTabWidget>
#include <QLineEdit>
#include <QSpinBox>
#include <QCheckBox>
#include <QPushButton>
#include <QListWidget>
#include <QDoubleSpinBox>
#include <QRadioButton>
#include <QPrinter>
#include <QPageSize>
#include <QCoreApplication>

#include "platform/Paths.h"

#include <QComboBox>

namespace {

void touch(const QString &path, const QByteArray &bytes = "x")
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

class StartModesTest : public ControllerTest {
protected:
    // A user template of the given controls (index 0 frontmost) with a preview beside it.
    void userTemplate(const QString &name, SKTGraphicArray controls)
    {
        const QString folder = platform::joinPath(Created_Resource_Path, "Templates", "User");
        QDir().mkpath(folder);
        DesignData d;
        d.front.setCard_Size({243, 154});
        d.back.setCard_Size({243, 154});
        d.frontControls = std::move(controls);
        ASSERT_TRUE(Write_Design_File(platform::joinPath(folder, name + ".did"), d, true).ok());
        ASSERT_TRUE(QImage(8, 8, QImage::Format_RGB32).save(platform::joinPath(folder, name + ".png")));
    }
    // The gallery chooses this user template ("" the first delivered one) and says OK.
    void choose(const QString &name)
    {
        galleryAction = [name](Template_Wizard &w) {
            if (!name.isEmpty())
                w.cat_cmbo_bx->setCurrentIndex(1);
            for (int i = 0; i < int(w.imageBrowser->images().size()); ++i) {
                if (name.isEmpty() || w.imageBrowser->images()[size_t(i)].imageTitle() == name)
                    return w.imageBrowser->selectImage(i), pressIn(w, "OK_btn");
            }
            pressIn(w, "Cancel_btn");
        };
    }
    int snapshots() const { return int(controller->undoHistory().Ucontrol.size()); }
};

// A fresh template turned to the other orientation becomes its twin; the title names the card
// the name field shows.
TEST_F(StartModesTest, ATemplateTurnedToItsTwinKeepsItsNameInTheTitle)
{
    choose("");
    startAnswers = {10};
    ASSERT_TRUE(setUpWindow());
    outlet<QTabWidget>("sett_tab")->setCurrentWidget(controller->cardTabs().card_size_tab);
    QComboBox *orientation = controller->Preset_ComboBox;
    ASSERT_TRUE(orientation->isVisibleTo(controller.get()) && orientation->currentText() == "Horizontal");
    ASSERT_TRUE(testsupport::choose(orientation, QStringLiteral("Vertical")));
    const QString name = controller->cardTabs().card_name->text();
    EXPECT_EQ(controller->windowTitle(), controller->App_Name() + " ( " + name + " )");
    // The twin starts afresh: its texts keep their fonts, and Undo after an edit or after Copy to
    // Other Side brings nothing of the other orientation back.
    const DesignReadResult twin = Read_Design_File(platform::joinPath(Resource_Path, "Templates/Corporate/Blue Horizon (v).did"));
    ASSERT_TRUE(twin.ok() && document->graphics().front()->kind() == SKTGraphicKind::Text);
    EXPECT_EQ(document->graphics().front()->text_ctrl_font, twin.design->frontControls.front()->text_ctrl_font);
    const SideState front = state(0), back = state(1);
    click("Rect_Tool_btn");
    click("Undo_btn");
    ui->push(true);
    click("copy_card_design_btn");
    click("Undo_btn");
    EXPECT_TRUE(state(0) == front && state(1) == back && !enabled("Undo_btn"));

    // Edited, then given another size: the design is no longer the template's, and turning it
    // scales the edit along instead of loading the twin over it.
    ASSERT_TRUE(startAgain(10, "T"));
    click("Rect_Tool_btn");
    const size_t drawn = document->graphics().size();
    clickEmptyCard();
    testsupport::showTabOf(controller->ColList);
    controller->ColList->setFocus();  // the next size row, by the arrow keys
    QTest::keyClick(controller->ColList, controller->ColList->currentRow() == 0 ? Qt::Key_Down : Qt::Key_Up);
    ASSERT_TRUE(testsupport::choose(orientation, QStringLiteral("Vertical")));
    EXPECT_EQ(document->graphics().size(), drawn) << "the rectangle drawn is kept";

    // Turned back and forth unedited, from either side, a template gives each orientation's own
    // layout and background (a gradient front) on both sides, on the card size chosen (another
    // row too). Edited on a side (a lock too) and turned on the other, its controls are kept and
    // scaled along; Undo then brings no layout of the wide card back.
    chooseTemplate("Education", "Scholar Maroon (h)");
    const QString maroon = platform::joinPath(Resource_Path, "Templates/Education/Scholar Maroon (%1).did");
    const DesignReadResult uprightFile = Read_Design_File(maroon.arg("v")), wideFile = Read_Design_File(maroon.arg("h"));
    ASSERT_TRUE(uprightFile.ok() && wideFile.ok() && uprightFile.design->front.Card_fill_style() == "G");
    const char *const sides[] = {"Front_Side_btn", "Back_Side_btn"};
    const struct {
        const char *edit;  // "": none; a lock is of the side's first control
        int edited, turnedOn;
        // "Custom": chosen and left before each turn; "Custom size": a size of its own applied,
        // then the template's own orientation again before the first turn.
        const char *between = "";
        bool alsoNamed = false;  // the card named on the Setting tab before the turn
    } roads[] = {{"", 0, 0}, {"", 0, 1}, {"Rect_Tool_btn", 1, 0}, {"Rect_Tool_btn", 0, 1}, {"Lock_btn", 1, 0},
                 {"Card_border_chk", 1, 0},  // a look changed on the card tabs, no undo step
                 {"Undo_btn", 1, 0},  // a rectangle drawn and undone: the template as it came
                 {"ColList", 1, 1},  // the next size row: a size, not an edit
                 // The user's own choices on the card tabs, no part of the layout: kept on the twin.
                 {"card_name", 0, 1}, {"Sides_ComboBox", 0, 0}, {"Show_hide_grid_chk", 0, 1},
                 // A turn from another preset still finds the twin of the template on show.
                 {"", 0, 0, "Custom"}, {"", 0, 1, "Custom size"},
                 {"Rect_Tool_btn", 0, 0, "", true}};  // scaled: the title follows the name too
    QLineEdit *nameField = controller->cardTabs().card_name;
    QComboBox *sidesBox = controller->Sides_ComboBox;
    for (const auto &road : roads) {
        SCOPED_TRACE(::testing::Message() << road.edit << " on side " << road.edited << ", turned on " << road.turnedOn
                                          << " " << road.between);
        ASSERT_TRUE(startAgain(10, "T"));
        QListWidget *sizes = controller->ColList;
        const std::string edit = road.edit;
        const bool resized = edit == "ColList", named = edit == "card_name", oneSide = edit == "Sides_ComboBox",
                   gridded = edit == "Show_hide_grid_chk", undone = edit == "Undo_btn",
                   edited = *road.edit && !(resized || named || oneSide || gridded || undone);
        if (resized) {
            testsupport::showTabOf(sizes);
            ASSERT_EQ(testsupport::unreachable(sizes).toStdString(), "");
            sizes->setFocus();
            QTest::keyClick(sizes, Qt::Key_Down);
        }
        click(sides[road.edited]);
        if (edited && road.edit == std::string("Lock_btn"))
            clickAt(canvas(road.edited), document->graphicsOfSide(road.edited).front()->bounds().center());
        QCheckBox *border = controller->cardTabs().Card_border_chk;
        const bool bordered = border->isChecked();
        auto *box = *road.edit ? controller->findChild<QAbstractButton *>(road.edit) : nullptr;
        if (box && outlet<QTabWidget>("sett_tab")->isAncestorOf(box)) {  // a box on the card tabs
            clickEmptyCard(road.edited);
            testsupport::showTabOf(box);
            ASSERT_TRUE(testsupport::press(box));
        } else if (named) {
            testsupport::showTabOf(nameField);
            ASSERT_EQ(testsupport::unreachable(nameField).toStdString(), "");
            testsupport::typeInto(nameField, "My Card", Qt::Key_Tab);
        } else if (oneSide) {
            chooseIn(sidesBox, "One Side");
        } else if (undone) {
            click("Rect_Tool_btn");
            click("Undo_btn");
        } else if (edited) {
            click(road.edit);
        }
        if (road.alsoNamed)
            testsupport::typeInto(nameField, "My Card", Qt::Key_Tab);
        const SideState before[2] = {state(0), state(1)};
        const QSizeF wide = canvas(0)->canvasBounds().size();
        const std::string between = road.between;
        if (between == "Custom size") {  // no control follows a Custom size, nor the size after it
            ASSERT_TRUE(testsupport::choose(orientation, QStringLiteral("Custom")));
            testsupport::typeInto(controller->width_Text, "120", Qt::Key_Return);
            ASSERT_TRUE(press(controller->cardTabs().apply_size_btn));
            ASSERT_GT(canvas(0)->canvasBounds().width(), wide.width() + 50);
            ASSERT_TRUE(testsupport::choose(orientation, QStringLiteral("Horizontal")));
            EXPECT_TRUE(state(0) == before[0] && state(1) == before[1]);
        }
        click(sides[road.turnedOn]);
        if (between == "Custom") {
            ASSERT_TRUE(testsupport::choose(orientation, QStringLiteral("Custom")));
        }
        ASSERT_TRUE(testsupport::choose(orientation, QStringLiteral("Vertical")));
        EXPECT_EQ(controller->windowTitle(), controller->App_Name() + " ( " + nameField->text() + " )");
        // The side and the page the card was turned on stay on show, to turn it again from there.
        EXPECT_TRUE(outlet<QToolButton>(sides[road.turnedOn])->isChecked() &&
                    outlet<QTabWidget>("sett_tab")->currentWidget() == controller->cardTabs().card_size_tab);
        const QSizeF upright = canvas(0)->canvasBounds().size(), twinCard = uprightFile.design->front.Card_Size();
        EXPECT_LT((QPointF(upright.width(), upright.height()) - QPointF(wide.height(), wide.width())).manhattanLength(), 0.01);
        EXPECT_EQ(sizes->currentRow(), int(resized));
        for (const int side : {0, 1}) {
            const SKTGraphicArray &twin = side == 0 ? uprightFile.design->frontControls : uprightFile.design->backControls;
            const SideState now = state(side), &was = before[side];
            ASSERT_EQ(now.size(), edited ? was.size() : twin.size()) << side;
            for (size_t i = 0; i < now.size(); ++i) {
                const QPointF place = edited ? QPointF(was[i].bounds.x() * upright.width() / wide.width(),
                                                       was[i].bounds.y() * upright.height() / wide.height())
                                             : QPointF(twin[i]->bounds().x() * upright.width() / twinCard.width(),
                                                       twin[i]->bounds().y() * upright.height() / twinCard.height());
                EXPECT_LT((now[i].bounds.topLeft() - place).manhattanLength(), 0.5) << side << " " << i;
                EXPECT_TRUE(!edited || (now[i].kind == was[i].kind && now[i].locked == was[i].locked)) << i;
            }
            if (side == 0 || !oneSide)
                click(sides[side]);
            EXPECT_FALSE(enabled("Undo_btn")) << side;
        }
        EXPECT_EQ(controller->Back_card_Prop->Card_border_chk(), bordered != (road.edit == border->objectName()));
        if (edited)
            continue;
        const auto sameLook = [this](const DesignData &file) {
            return Same_Card_Look(*controller->Front_card_Prop, file.front) && Same_Card_Look(*controller->Back_card_Prop, file.back);
        };
        const auto userChoices = [&](const DesignData &file) {
            const QString shown = named ? "My Card" : file.front.Card_Name();
            EXPECT_TRUE(nameField->text() == shown && controller->windowTitle().contains(shown)) << nameField->text().toStdString();
            for (const Card_Property *card : {controller->Front_card_Prop.get(), controller->Back_card_Prop.get()})
                EXPECT_TRUE(card->Card_Name() == shown && card->Card_Side() == (oneSide ? "1" : "2"));
            EXPECT_TRUE(sidesBox->currentIndex() == int(oneSide) && enabled("Back_Side_btn") != oneSide);
            EXPECT_EQ(controller->_grid->isAlwaysShown() && controller->Show_hide_grid_chk->isChecked(), gridded);
        };
        EXPECT_TRUE(sameLook(*uprightFile.design));
        userChoices(*uprightFile.design);
        if (between == "Custom") {
            ASSERT_TRUE(testsupport::choose(orientation, QStringLiteral("Custom")));
        }
        ASSERT_TRUE(testsupport::choose(orientation, QStringLiteral("Horizontal")));
        EXPECT_TRUE(state(0) == before[0] && state(1) == before[1]);
        EXPECT_TRUE(sameLook(*wideFile.design));
        userChoices(*wideFile.design);
        if (named) {
            saveAs(pathIn("turned.did"));
            const DesignReadResult reopened = Read_Design_File(pathIn("turned.did"));
            EXPECT_TRUE(reopened.ok() && reopened.design->front.Card_Name() == "My Card");
        }
    }
}

// Group mode loads no twin: the template's controls are scaled to the card turned upright, and
// Undo after an edit brings back those, not the ones laid out for the card before.
TEST_F(StartModesTest, AGroupCardTurnedUprightUndoesToItsOwnLayout)
{
    chooseGroupRoad();
    ASSERT_TRUE(setUpWindow() && Start_Card_Option == "G");
    testsupport::showTabOf(controller->Preset_ComboBox);
    ASSERT_TRUE(testsupport::choose(controller->Preset_ComboBox, QStringLiteral("Vertical")));
    const SideState front = state(0);
    click("Rect_Tool_btn");
    click("Undo_btn");
    EXPECT_EQ(state(0), front);
    EXPECT_FALSE(enabled("Undo_btn"));
}

// Each road yields a design in its mode, with the undo history the mode wants.
TEST_F(StartModesTest, EveryRoadYieldsADesignInItsMode)
{
    ASSERT_TRUE(setUpWindow());  // a blank card from the wizard
    chooseGroupRoad();  // the group road sets up a project "Staff" on a two-name workbook
    const QString saved = pathIn("saved.did");
    saveAs(saved);
    const struct {
        int option;
        const char *mode;
        size_t frontControls;  // 99: at least one
    } roads[] = {{10, "T", 99}, {11, "W", 0}, {12, "L", 0}, {14, "G", 99}};
    for (const auto &road : roads) {
        SCOPED_TRACE(road.mode);
        controller->Excel_Table().Set_Table({"No.", "Name"}, {QVariantMap{{"Extension", 1}}});
        startAnswers = {10, road.option};  // the gallery is cancelled first
        galleryAction = nullptr;
        int galleries = 0;
        if (road.option == 10) {
            choose("");
            galleryAction = [this, &galleries, pick = galleryAction](Template_Wizard &w) {
                ++galleries == 1 ? pressIn(w, "Cancel_btn") : pick(w);
            };
            startAnswers = {10, 10};
        }
        ui->push(int(platform::AnswerNo));  // New asks whether to save the design first
        ui->push(saved);
        const int runs = startDialogRuns;
        click("New_btn");
        EXPECT_EQ(startDialogRuns - runs, 2);
        const bool group = road.option == 14;  // its rows are the workbook's
        EXPECT_EQ(controller->Excel_Table().rowCount(), group ? 2 : 0);
        EXPECT_EQ(::Excel_Source_Path.isEmpty(), !group);
        EXPECT_EQ(controller->Excel_Table().Column_Titles().size(), group ? 2 : 1)
            << controller->Excel_Table().Column_Titles().join('|').toStdString();
        EXPECT_EQ(Start_Card_Option, road.mode);
        EXPECT_TRUE(snapshots() == 0 && !enabled("Undo_btn"));
        EXPECT_TRUE(controller->Right_Prop_Box->isVisibleTo(controller.get()));
        const size_t count = document->graphics().size();
        EXPECT_TRUE(road.frontControls == 99 ? count > 0 : count == road.frontControls) << count;
        // The design as the road left it is the base the first change steps back to.
        document->appendGraphicOnSide(0, kindstest::filledRect(QRectF(1, 1, 9, 9), Qt::red));
        controller->Insert_In_Undo_Redo();
        EXPECT_EQ(snapshots(), 1);
        ui->clear();
    }
}

// A visitor template gets a photo control on the front unless it has any image control.
TEST_F(StartModesTest, VisitorTemplatesGetAPhotoControlOnlyWhenTheyHaveNoImage)
{
    userTemplate("text only", {kindstest::filledRect(QRectF(10, 10, 40, 20), Qt::red)});
    std::shared_ptr<SKTGraphic> picture = Make_Graphic_Of_Class(QStringLiteral("SKTImage"));
    picture->setBounds(QRectF(20, 20, 40, 50));
    userTemplate("with image", {picture});
    for (const auto &[name, images, photoIds] : {std::tuple{"text only", 1, 1}, std::tuple{"with image", 1, 0}}) {
        SCOPED_TRACE(name);
        startAnswers = {13};
        choose(name);
        if (startDialogRuns == 0)
            ASSERT_TRUE(setUpWindow());
        else
            ui->push(int(platform::AnswerNo)), click("New_btn");  // the design left unsaved
        EXPECT_EQ(Start_Card_Option, "V");
        int imageCount = 0, photos = 0;
        for (const SKTGraphicPtr &g : document->graphics()) {
            imageCount += g->kind() == SKTGraphicKind::Image;
            photos += g->control_ID == "Fup_Photo";
        }
        EXPECT_EQ(imageCount, images);
        EXPECT_EQ(photos, photoIds);
        EXPECT_TRUE(document->graphics_back().empty());
    }
}

// Copy and rename never overwrite another template, and a failed rename keeps the old one.
TEST_F(StartModesTest, UserTemplateFilesAreListedCopiedAndRenamedSafely)
{
    const QString f = dir.path();
    for (const char *name : {"a.png", "a.did", "b.jpg", "b.did", "notes.txt", "c.jpeg"})
        touch(platform::joinPath(f, name), name);
    const std::vector<MyImageObject> items = User_Template_Items(f);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_TRUE(items[0].imageTitle() == "a" && items[1].imageTitle() == "b");
    EXPECT_NE(items[0].image_UID, items[1].image_UID);
    EXPECT_EQ(Template_Design_Path(items[1].path), platform::joinPath(f, "b.did"));

    EXPECT_EQ(QFileInfo(Copy_User_Template(items[0].path)).fileName(), "a (copy 1).png");
    touch(platform::joinPath(f, "a (copy 2).did"), "another template");  // its preview is gone
    EXPECT_EQ(QFileInfo(Copy_User_Template(items[0].path)).fileName(), "a (copy 3).png");
    EXPECT_EQ(designtest::fileBytes(platform::joinPath(f, "a (copy 2).did")), "another template");
    EXPECT_EQ(designtest::fileBytes(platform::joinPath(f, "a (copy 3).did")), "a.did");

    touch(platform::joinPath(f, "taken.did"), "taken");
    EXPECT_TRUE(Rename_User_Template(items[1].path, "taken").isEmpty()) << "the design file could not be copied";
    EXPECT_TRUE(QFile::exists(items[1].path) && QFile::exists(platform::joinPath(f, "b.did")));
    EXPECT_FALSE(QFile::exists(platform::joinPath(f, "taken.jpg")));
    EXPECT_EQ(QFileInfo(Rename_User_Template(items[1].path, "badge")).fileName(), "badge.jpg");
    EXPECT_EQ(designtest::fileBytes(platform::joinPath(f, "badge.did")), "b.did");
    EXPECT_FALSE(QFile::exists(items[1].path) || QFile::exists(platform::joinPath(f, "b.did")));

    std::vector<MyImageObject> four;
    for (const char *n : {"0", "1", "2", "3"})
        four.push_back(MyImageObject::initWithImage_Path(n, n, n));
    Move_Browser_Items(four, {0}, 3);  // item 0 dropped behind item 2
    QString order;
    for (const MyImageObject &m : four)
        order += m.path;
    EXPECT_EQ(order, "1203");
}

// Every delivered template reads, renders and its barcodes decode to their values.
TEST_F(StartModesTest, DeliveredTemplatesOpenRenderAndTheirBarcodesDecode)
{
    REQUIRE_TOOL(zxing, "ZXingReader");
    barcode::Install_Control_Barcode_Provider();
    const QString root = platform::joinPath(Resource_Path, "Templates");
    for (const char *letter : {"C", "E", "H", "M", "P", "T", "V"}) {
        const std::vector<MyImageObject> items = Application_Template_Items(root, letter);
        int horizontal = 0, vertical = 0;
        for (const MyImageObject &item : items) {
            horizontal += item.imageTitle().endsWith("(h)");
            vertical += item.imageTitle().endsWith("(v)");
        }
        EXPECT_TRUE(horizontal >= 2 && vertical == horizontal) << letter;
    }
    int codes = 0;
    for (const MyImageObject &item : Application_Template_Items(root, "A")) {
        SCOPED_TRACE(item.path.toStdString());
        const DesignReadResult read = Read_Design_File(Template_Design_Path(item.path));
        ASSERT_TRUE(read.ok()) << read.detail.toStdString();
        const CardSide front = CardSide::copyOf(read.design->front, read.design->frontControls);
        const QImage shown = SKTRenderingView::image_From_Card_Graphics(front, 72);
        EXPECT_TRUE(!shown.isNull() && shown.pixelColor(shown.width() / 2, 4) != QColor(Qt::white));
        for (const SKTGraphicPtr &g : read.design->frontControls) {
            if (g->kind() != SKTGraphicKind::Barcode)
                continue;
            const QString value = g->linear_or_2d ? g->two_d_font_val : g->linear_font_val;
            EXPECT_EQ(readBarcode(zxing, g->_barcode_image), value.toUtf8());
            ++codes;
        }
    }
    EXPECT_GE(codes, 24);  // every template but the four visitor passes carries one
}

// Library folders, stock texts and the wizard's values as a person sees them.
TEST_F(StartModesTest, LibraryStockTextsAndWizardValues)
{
    const std::vector<ClipArtCategory> cats = Clip_Art_Categories(platform::joinPath(Resource_Path, "LibraryImage"));
    ASSERT_GE(cats.size(), 3u);
    EXPECT_EQ(cats[0].shown, "Animals");
    EXPECT_GE(Browser_Image_Files(cats[0].folder).size(), 3);
    EXPECT_GE(Browser_Image_Files(platform::joinPath(Resource_Path, "Background")).size(), 6);
    for (const char *name : {"x.PNG", "y.JPG", "z.jpeg", "w.gif"})
        touch(pathIn(name));
    EXPECT_EQ(Browser_Image_Files(dir.path()).size(), 2);
    EXPECT_EQ(Capitalized_Words("road SIGNS"), "Road Signs");

    EXPECT_EQ(Split_Stock_Texts("One\n\nTwo\n \n\n"), QStringList({"One", "", "Two"}));
    const struct { int index, count, step, expected; } pages[] = {{2, 3, 1, 0}, {0, 3, -1, 2}, {1, 3, 1, 2}, {0, 0, 1, 0}};
    for (const auto &p : pages)
        EXPECT_EQ(Stock_Text_Step(p.index, p.count, p.step), p.expected) << p.index << p.step;
    Insert_Template picker;
    picker.title_or_msg = "M";
    Insert_Template::setModalRunner([](Insert_Template &d) {
        pressIn(d, "Msg_Back_btn");
        pressIn(d, "OK_btn");
        return d.result();
    });
    EXPECT_EQ(picker.Open_Template_Dialog(), 1);
    EXPECT_EQ(Template_Msg_Val, picker.Message_Array.last()) << "Back from the first wraps to the last";
    Insert_Template::setModalRunner({});

    for (const auto &[value, percent] : {std::pair{0.5, 50}, {100.0, 100}, {1.0, 1}})
        EXPECT_EQ(Wizard_Transparency_Percent(value), percent);
    CardWizardChoice c;
    c.gradientOn = true;
    c.fill = Qt::red;
    c.imagePath = "x.png";
    c.hatchIndex = 3;
    c.hatchBack = Qt::blue;
    c.gradient1 = Qt::green;
    const CardWizardChoice done = Finish_Card_Wizard_Choice(c);
    EXPECT_TRUE(done.fill == Qt::white && done.imagePath.isEmpty() && done.hatchIndex == 0 && done.hatchBack == Qt::white);
    EXPECT_EQ(done.gradient1, QColor(Qt::green));
}

// The card wizard as the start dialog opens it and as its controls are used: the orientation
// rule from the start, every custom step resizing the canvas, the printer's page, the fill kinds
// after the fill box is turned off and on, and one size for both pages.
TEST_F(StartModesTest, CardWizardStatesFollowItsControls)
{
    int ran = 0;
    Card_Wizard::setModalRunner([&](Card_Wizard &w) {
        if (ran++ > 0)  // given up, the road comes back to the start dialog and its wizard
            return pressIn(w, "Next_btn"), pressIn(w, "Next_btn"), w.result();
        // Opening: a preset orientation, so the size comes from the table alone.
        EXPECT_EQ(w.Preset_ComboBox->currentText(), QStringLiteral("Horizontal"));
        EXPECT_FALSE(w.width_Stepper->isEnabled() || w.height_Stepper->isEnabled() || w.page_frm_printer_btn->isEnabled());
        EXPECT_TRUE(w.ColList->isEnabled() && w.Category_ComboBox->isEnabled());
        // Custom: each step of a stepper is a new canvas size.
        testsupport::choose(w.Preset_ComboBox, QStringLiteral("Custom"));
        EXPECT_TRUE(w.width_Stepper->isEnabled() && w.page_frm_printer_btn->isEnabled());
        for (int step = 1; step <= 2; ++step) {
            w.width_Stepper->stepUp();
            EXPECT_NEAR(canvas(0)->width() / canvas(0)->scale(), MM_to_Points_Convert(float(w.width_Stepper->value())), 1.0)
                << step;
        }
        // The printer's page: A4 on OK (210 mm, not the 209.9 of its whole points), nothing on Cancel.
        w.pageSettings().setPageSize(QPageSize(QPageSize::A4));
        w.pageSettings().setPageOrientation(QPageLayout::Portrait);
        const double before = w.width_Stepper->value();
        ui->push(int(QDialog::Rejected));
        press(w.page_frm_printer_btn);
        EXPECT_EQ(w.width_Stepper->value(), before);
        ui->push(int(QDialog::Accepted));
        press(w.page_frm_printer_btn);
        EXPECT_NEAR(w.width_Stepper->value(), 210.0, 0.01);
        EXPECT_NEAR(w.height_Stepper->value(), 297.0, 0.01);
        EXPECT_NEAR(canvas(0)->height() / canvas(0)->scale(), 842, 1.0);
        // Page two keeps the wizard's size, and so does Back.
        const QSize pageOne = w.size();
        pressIn(w, "Next_btn");
        QCoreApplication::processEvents();
        EXPECT_EQ(w.size(), pageOne);
        EXPECT_LE(w.height(), 700);
        // The fill box off and on: the chosen kind's controls alone come back.
        press(w.Card_gradient_fill_rd);
        press(w.Card_fill_chk);
        EXPECT_FALSE(w.Card_fill_Grd_1_clr->isEnabled() || w.Card_fill_clr->isEnabled() || w.Card_solid_fill_rd->isEnabled());
        press(w.Card_fill_chk);
        EXPECT_TRUE(w.Card_fill_Grd_1_clr->isEnabled() && w.Card_grad_Stepper->isEnabled());
        EXPECT_FALSE(w.Card_fill_clr->isEnabled() || w.Card_hatch_style->isEnabled() || w.Card_Image_path->isEnabled());
        EXPECT_TRUE(w.Card_gradient_fill_rd->isChecked());
        pressIn(w, "Back_btn");
        QCoreApplication::processEvents();
        EXPECT_EQ(w.size(), pageOne);
        pressIn(w, "Cancel_btn");
        EXPECT_EQ(w.result(), 0);
        return w.result();
    });
    ASSERT_TRUE(setUpWindow());
    EXPECT_EQ(ran, 2);
}

// A number typed key by key reads the same under every locale: a point is the decimal mark, and
// a digit-group mark makes no number (the field keeps the value in force, NaN below), never a
// digit. The card wizard's custom width on the start road; the print window's side gap, copies;
// the cropping tool's height to a given size, a whole number: "1.500" is one and a half, no
// height, and a field emptied (Backspace) or typed with a 0 in front takes the digits as typed.
TEST_F(StartModesTest, TypedNumbersReadTheSameUnderEveryLocale)
{
    enum Field { Width, Gap, Copies, CropHeight };
    const double kept = std::nan("");
    const std::tuple<const char *, Field, const char *, double, const char *> rows[] = {
        {"en_US", Width, "80,5", kept, ""}, {"en_US", Width, "80.5", 80.5, "80.500 mm"}, {"en_US", Gap, "1,5", kept, ""},
        {"en_US", Gap, "1.5", 1.5, "1.50"}, {"en_US", Copies, "1,5", kept, ""},         {"en_US", Copies, "12", 12, "12"},
        {"de_DE", Width, "80,5", kept, ""}, {"de_DE", Width, "1.000", kept, ""},        {"de_DE", Width, "90.25", 90.25, "90.250 mm"},
        {"de_DE", Gap, "1.5", 1.5, "1.50"}, {"de_DE", Gap, "2,5", kept, ""},            {"de_DE", Copies, "1.5", kept, ""},
        {"C", Width, "1,000", kept, ""},    {"C", Gap, "2.25", 2.25, "2.25"},
        {"de_DE", CropHeight, "1.500", kept, ""}, {"de_DE", CropHeight, "\b240", 240, "240"}, {"de_DE", CropHeight, "1,500", kept, ""},
        {"en_US", CropHeight, "0240", 240, "240"}, {"en_US", CropHeight, "1.5", kept, ""}, {"en_US", CropHeight, "\b\b7", 7, "7"}};
    const struct Restore {
        QLocale was;
        ~Restore() { QLocale::setDefault(was); }
    } restore;
    for (const char *locale : {"en_US", "de_DE", "C"}) {
        SCOPED_TRACE(locale);
        QLocale::setDefault(QLocale(QString::fromLatin1(locale)));  // windows take the locale they are made under
        controller.reset();
        controller = Set_Up_Application(*(document = std::make_unique<SKTDocument>()));
        // What the field's number is used as, and how near (a canvas has whole pixels).
        const auto typeRows = [&](Field which, QWidget &window, QWidget *field, const std::function<double()> &used,
                                  double near) {
            window.show();
            QApplication::setActiveWindow(&window);
            ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
            for (const auto &[rowLocale, rowField, typed, value, shown] : rows) {
                if (qstrcmp(rowLocale, locale) != 0 || rowField != which)
                    continue;
                const double was = used();
                const auto text = [field] {
                    auto *box = qobject_cast<QAbstractSpinBox *>(field);
                    return box ? box->text() : qobject_cast<QLineEdit *>(field)->text();
                };
                const QString wasShown = text();
                testsupport::typeInto(field, QString::fromLatin1(typed), Qt::Key_Tab);
                EXPECT_NEAR(used(), std::isnan(value) ? was : value, near) << typed;
                EXPECT_EQ(text(), std::isnan(value) ? wasShown : QString::fromLatin1(shown)) << typed;
            }
        };
        Card_Wizard::setModalRunner([&](Card_Wizard &w) {
            w.Preset_ComboBox->setCurrentIndex(2);  // Custom
            typeRows(Width, w, w.width_Stepper, [this] { return canvas(0)->width() / canvas(0)->scale() * 25.4 / 72; }, 0.4);
            pressIn(w, "Next_btn");
            pressIn(w, "Next_btn");
            return w.result();
        });
        ASSERT_TRUE(setUpWindow());
        ui->onRequest = [&](const platform::ScriptedUiServices::Request &r) {
            const testsupport::RunWindow runWindow(r.kind);
            if (auto *print = controller->findChild<Print_Wnd *>(); print && r.kind == QLatin1String("Print_Wnd")) {
                typeRows(Gap, *print, print->Side_Margin_Text, [print] { return double(print->state.side_mar); }, 1e-3);
                typeRows(Copies, *print, print->Copies_Text, [print] { return double(print->state.copies); }, 1e-3);
            }
        };
        click("Print_btn");
        // Tools > Cropping Tool…, a picture file, To a given size; Crop writes the height in force.
        QImage picture(80, 60, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        ASSERT_TRUE(picture.save(pathIn("crop.png")));
        const QString out = pathIn(locale);
        ui->onRequest = [&](const platform::ScriptedUiServices::Request &r) {
            if (r.kind != QLatin1String("Cropping_Tool"))
                return;
            Cropping_Tool *tool = Cropping_Tool::defaultInstance();
            testsupport::typeInto(tool->findChild<QLineEdit *>("file_path"), pathIn("crop.png"), Qt::Key_unknown);
            testsupport::typeInto(tool->findChild<QLineEdit *>("output_path"), out, Qt::Key_unknown);
            pressIn(*tool, "Next_Btn");
            press(tool->findChild<QButtonGroup *>("cropping_option_matrix")->button(CropBySize));
            typeRows(CropHeight, *tool, tool->findChild<QLineEdit *>("height_Text"),
                     [tool] { return double(tool->Current_Crop_Settings().height); }, 0);
            pressIn(*tool, "crop_btn");
            EXPECT_EQ(QImage(QDir(out).filePath("crop.jpg")).height(), tool->Current_Crop_Settings().height);
            pressIn(*tool, "Close_Btn");
        };
        press(menuItem(QStringLiteral("Cropping Tool…")));
        ui->onRequest = nullptr;
    }
}

// Quit in the start dialog ends the application once the user confirms.
TEST_F(StartModesTest, QuitLeavesFromTheStartDialog)
{
    Start_Card::setModalRunner([this](Start_Card &d) {
        ++startDialogRuns;
        pressIn(d, "Quit_btn");
        return d.result();
    });
    ui->push(false);
    ui->push(true);
    ASSERT_TRUE(setUpWindow());
    EXPECT_EQ(startDialogRuns, 2) << "No keeps the dialog";
    EXPECT_TRUE(controller->Exit_Confirmed());
    EXPECT_EQ(ui->messages(), QStringList({"\nDo you really want to exit?", "\nDo you really want to exit?"}));
}

}  // namespace
