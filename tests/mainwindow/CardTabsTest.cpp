// The card tabs on the window: each tab's change as the rendered side shows it, kept through a
// save and an open; backgrounds per side; the content colour and the size list across changes.
#include "ControllerFixture.h"

#include "core/ControllerImageFiles.h"
#include "core/DesignFile.h"
#include "core/SKTRenderingView.h"
#include "core/SKTText.h"
#include "properties/BackgroundBrowser.h"
#include "properties/CardTabs.h"
#include "MailServer.h"
#include "data/export/CardExport.h"
#include "data/export/ExportSheet.h"
#include "output/mail/MailSettings.h"
#include "output/mail/MailWindows.h"
#include "output/print/Print_Wnd.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QListWidget>
#include <QRadioButton>
#include <QPlainTextEdit>
#include <QRegularExpression>

namespace {

// Ticks a box through a click, whatever state the card the window starts with left it in.
void tick(QAbstractButton *box)
{
    if (!box->isChecked())
        press(box);
}


using CardTabsTest = WindowTest;

QImage rendered(SKTWindowController &c, int side)
{
    return SKTRenderingView::image_From_Card_Graphics(c.Card_Side_Value(side), 72).convertToFormat(QImage::Format_ARGB32);
}

int darkPixels(const QImage &image)
{
    int dark = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            dark += QColor::fromRgba(image.pixel(x, y)).value() < 60 && qAlpha(image.pixel(x, y)) > 200;
    return dark;
}

TEST_F(CardTabsTest, EachTabsChangeShowsOnTheRenderedSideAndSurvivesSaveAndOpen)
{
    CardTabs &t = controller->cardTabs();
    const struct {
        const char *what;
        std::function<void()> change;
        std::function<bool(const QImage &)> shows;
    } rows[] = {
        {"gradient red to blue",
         [&] {
             tick(t.Card_fill_chk);
             t.Card_fill_Grd_1_clr->setColor(Qt::red);
             t.Card_fill_Grd_2_clr->setColor(Qt::blue);
             t.Card_Gradient_RD_Sel();
         },
         [](const QImage &i) {
             const QColor left = i.pixelColor(4, 76), right = i.pixelColor(i.width() - 5, 76);
             return left.red() > 200 && left.blue() < 60 && right.blue() > 200 && right.red() < 60;
         }},
        {"solid red at 40 %",
         [&] {
             t.Card_fill_clr->setColor(Qt::red);
             t.Card_Solid_RD_Sel();
             t.Card_alpha_Stepper->setValue(40);
         },
         [](const QImage &i) {
             const QColor c = i.pixelColor(120, 76);
             return c.red() > 240 && c.green() > 130 && c.green() < 175;
         }},
        {"blue border 8 wide",
         [&] {
             tick(t.Card_border_chk);
             t.Card_bordr_clr->setColor(Qt::blue);
             t.Card_bor_Stepper->setValue(8);
         },
         [](const QImage &i) { return i.pixelColor(1, 76).blue() > 200 && i.pixelColor(1, 76).red() < 60; }},
        {"watermark",
         [&] {
             tick(t.enable_watermark_chk);
             controller->WM_Text_font = QFont(QStringLiteral("DejaVu Sans"), 48);
             t.watermark_text->setText("WW");
             t.wm_alignment_combo->setCurrentIndex(1);
         },
         [](const QImage &i) { return darkPixels(i) > 300; }},
        {"ellipse outline", [&] { press(t.matrix_card_shape->button(2)); },
         [](const QImage &i) { return i.pixelColor(1, 1).blue() < 200; }},
        {"vertical card", [&] { t.Preset_ComboBox->setCurrentIndex(1); },
         [](const QImage &i) { return i.size() == QSize(153, 243) || i.size() == QSize(154, 243); }},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.what);
        EXPECT_FALSE(r.shows(rendered(*controller, 0)));
        r.change();
        EXPECT_TRUE(r.shows(rendered(*controller, 0)));
    }
    t.card_name->setText("   ");
    t.Update_Card_Graphics();
    const QImage before = rendered(*controller, 0);
    const QString path = pathIn("card.did");
    saveAs(path);
    const Card_Property saved = Read_Design_File(path).design.value().back;
    EXPECT_TRUE(saved.Card_Name() == "Untitled" && saved.Card_Shape() == "E");
    ui->push(int(platform::AnswerNo));
    click("New_btn");
    EXPECT_NE(rendered(*controller, 0), before);
    open(path);
    EXPECT_EQ(rendered(*controller, 0), before);
    EXPECT_TRUE(t.Card_gradient_fill_rd->isChecked() == false && t.Card_solid_fill_rd->isChecked());
}

// A stock background chosen while the back is edited is the back's; the front stays as it was.
TEST_F(CardTabsTest, ABackgroundChosenOnTheBackLeavesTheFrontAlone)
{
    QImage green(40, 30, QImage::Format_RGB32);
    green.fill(Qt::green);
    ASSERT_TRUE(green.save(pathIn("green.png")));
    BackgroundBrowser &browser = *controller->cardTabs().imageBrowser;
    browser.addImageWithPath(pathIn("green.png") + " \n", "green", "g");
    click("Back_Side_btn");
    browser.setCurrentRow(browser.numberOfItemsInImageBrowser() - 1);
    EXPECT_EQ(rendered(*controller, 1).pixelColor(120, 76), QColor(Qt::green));
    EXPECT_EQ(rendered(*controller, 0).pixelColor(120, 76), QColor(Qt::white));
    EXPECT_TRUE(controller->cardTabs().Card_Image_fill_rd->isChecked());
}

// A background picture is taken at its own size but never wider than 724 points or higher than
// 468, each side on its own: tiled, it repeats at that size; stretched, it fills the card.
TEST_F(CardTabsTest, BackgroundPicturesAreLimitedTo724By468)
{
    CardTabs &t = controller->cardTabs();
    const struct {
        QSize picture;
        int redColumns;  // a red band down the picture's left side, the rest blue
        bool tiled;
        QSize taken;
        std::vector<std::pair<int, QColor>> shown;  // card x (on y 10) and its colour
    } rows[] = {
        {{2000, 300}, 200, true, {724, 300}, {{60, Qt::red}, {80, Qt::blue}}},
        {{1000, 1000}, 100, true, {724, 468}, {{60, Qt::red}, {80, Qt::blue}}},
        {{6000, 200}, 600, true, {724, 200}, {{60, Qt::red}, {80, Qt::blue}}},
        {{400, 100}, 40, true, {400, 100}, {{30, Qt::red}, {50, Qt::blue}}},
        {{2000, 300}, 200, false, {724, 300}, {{20, Qt::red}, {30, Qt::blue}}},
    };
    // A picture fill, chosen as a user chooses it: its Browse… is off until then.
    auto *browse = controller->findChild<QPushButton *>(QStringLiteral("Card_Image_Browse_Btn"));
    if (!t.Card_fill_chk->isChecked())
        press(t.Card_fill_chk);
    press(t.Card_Image_fill_rd);
    for (const auto &row : rows) {
        SCOPED_TRACE(testing::Message() << row.picture.width() << "x" << row.picture.height() << (row.tiled ? " tiled" : ""));
        QImage picture(row.picture, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < row.redColumns; ++x)
                picture.setPixelColor(x, y, Qt::red);
        const QString path = pathIn("background.png");
        ASSERT_TRUE(picture.save(path));
        t.Card_image_layout->setCurrentText(row.tiled ? "Tile" : "Stretch");
        ui->push(path);
        ASSERT_TRUE(press(browse));
        EXPECT_EQ(controller->Front_card_Prop->Card_BG_Image().size(), row.taken);
        const QImage card = rendered(*controller, 0);
        for (const auto &[x, colour] : row.shown) {
            const QColor c = card.pixelColor(x, 10);
            EXPECT_TRUE(std::abs(c.red() - colour.red()) < 40 && std::abs(c.blue() - colour.blue()) < 40)
                << "x " << x << ": " << c.name().toStdString();
        }
    }
}

// The content font's smaller and larger buttons step it by one point, and each unlocked text of
// the side in its own size, its face and colour kept; a locked text stays as it is. Stepping back
// gives every text its own size exactly (7.3 + 1 − 1 is not 7.3 in binary arithmetic), also after
// the least size held the texts still. Each press is one step of the side's history.
TEST_F(CardTabsTest, ContentFontButtonsStepTheTextsByOnePoint)
{
    CardTabs &t = controller->cardTabs();
    // A text in the default font, or in `face` at `points`.
    auto text = [](QRectF bounds, bool locked, QFont face = {}, double points = 0, QColor colour = Qt::black) {
        auto g = std::make_shared<SKTText>();
        g->setBounds(bounds);
        g->Set_text_value(QStringLiteral("WWW"));
        g->ctrl_is_locked = locked;
        if (points > 0)
            (g->text_ctrl_font = face).setPointSizeF(points);
        g->txt_clr = colour;
        return g;
    };
    const QFont sans(QStringLiteral("DejaVu Sans")), serif(QStringLiteral("DejaVu Serif"));
    // On the back, as a user meets a template's heading and small print.
    click("Back_Side_btn");
    place(1, {text({10, 10, 150, 40}, false), text({10, 60, 150, 40}, true),
              text({10, 100, 220, 20}, false, QFont(sans.family(), -1, QFont::Bold), 10, QColor(21, 128, 61)),
              text({10, 120, 220, 12}, false, sans, 6),
              text({10, 132, 220, 12}, false, QFont(serif.family(), -1, -1, true), 7.3, Qt::red),
              text({160, 10, 60, 12}, false, sans, 4.5), text({160, 50, 60, 30}, false, sans, 20),
              text({160, 30, 60, 20}, true, QFont(serif.family(), -1, QFont::Bold), 9, Qt::blue),
              text({160, 80, 60, 12}, false, sans, 3)});  // below the least size a press gives
    clickEmptyCard(1);
    const auto texts = [&] { return document->graphicsOfSide(1); };
    std::vector<std::pair<QFont, QColor>> before;
    for (const SKTGraphicPtr &g : texts())
        before.emplace_back(g->text_ctrl_font, g->txt_clr);
    ASSERT_TRUE(before[2].first.bold() && before[4].first.italic() && !before[3].first.bold());
    const double start = controller->All_Text_font.pointSizeF(), own = before[0].first.pointSizeF();
    const struct {
        QPushButton *button;
        int clicks;
        double size;                 // the content font's
        std::vector<double> sizes;  // the unlocked texts' in order
    } steps[] = {{t.content_font_increase_btn, 2, start + 2, {own + 2, 12, 8, 9.3, 6.5, 22, 5}},
                 // The 3 pt text is never pulled up to the least size: it stays where it is.
                 {t.content_font_decrease_btn, 3, start - 1, {own - 1, 9, 5, 6.3, 4, 19, 3}},
                 {t.content_font_increase_btn, 1, start, {own, 10, 6, 7.3, 4.5, 20, 3}},
                 // Past the least size while the large text still moves, then back as many times:
                 // every text and the content font as before, not all alike.
                 {t.content_font_decrease_btn, 10, 4, {4, 4, 4, 4, 4, 10, 3}},
                 {t.content_font_increase_btn, 10, start, {own, 10, 6, 7.3, 4.5, 20, 3}},
                 // The last four presses move nothing and count for nothing: the next moves again.
                 {t.content_font_decrease_btn, 20, 4, {4, 4, 4, 4, 4, 4, 3}},
                 {t.content_font_increase_btn, 1, std::max(4.0, start - 15), {std::max(4.0, own - 15), 4, 4, 4, 4, 5, 3}},
                 {t.content_font_increase_btn, 15, start, {own, 10, 6, 7.3, 4.5, 20, 3}}};
    for (const auto &step : steps) {
        SCOPED_TRACE(step.size);
        const QImage picture = rendered(*controller, 1);
        for (int i = 0; i < step.clicks; ++i)
            press(step.button);
        EXPECT_EQ(controller->All_Text_font.pointSizeF(), step.size);
        EXPECT_TRUE(t.All_Text_font_value->text().contains(QString::number(step.size, 'f', 2)));
        EXPECT_NE(rendered(*controller, 1), picture);
        for (size_t i = 0, unlocked = 0; i < texts().size(); ++i) {
            const QFont now = texts()[i]->text_ctrl_font, was = before[i].first;
            const double size = texts()[i]->ctrl_is_locked ? was.pointSizeF() : step.sizes[unlocked++];
            EXPECT_EQ(now.pointSizeF(), size) << i;  // exactly: the last row gives every text back
            EXPECT_TRUE(now.family() == was.family() && now.bold() == was.bold() && now.italic() == was.italic()) << i;
            EXPECT_EQ(texts()[i]->txt_clr, before[i].second) << i;
        }
    }
    // Two presses, one Undo: the texts stand as the first press left them.
    press(t.content_font_increase_btn);
    press(t.content_font_increase_btn);
    click("Undo_btn");
    for (size_t i = 0; i < texts().size(); ++i)
        EXPECT_EQ(texts()[i]->text_ctrl_font.pointSizeF(), before[i].first.pointSizeF() + !texts()[i]->ctrl_is_locked) << i;
    // The content font goes back with them, on the tab and in the side's card, and Redo takes it on.
    const auto contentFont = [&](double size) {
        return controller->Back_card_Prop->Card_Content_font().pointSizeF() == size &&
               t.All_Text_font_value->text().contains(QString::number(size, 'f', 2));
    };
    EXPECT_TRUE(contentFont(start + 1)) << t.All_Text_font_value->text().toStdString();
    click("Redo_btn");
    EXPECT_TRUE(contentFont(start + 2)) << t.All_Text_font_value->text().toStdString();

    // The Font… button asks through the window's services: the font chosen reaches the texts.
    QFont chosen(QStringLiteral("DejaVu Serif"));
    chosen.setPointSizeF(17);
    ui->push(chosen);
    press(t.all_content_font_btn);
    EXPECT_EQ(texts()[0]->text_ctrl_font.pointSizeF(), 17.0);
    EXPECT_EQ(controller->All_Text_font.family(), chosen.family());
    EXPECT_TRUE(t.All_Text_font_value->text().startsWith(chosen.family()));
}

// A colour or font pushed into the texts is the new baseline: a later push (a size change
// does one) leaves a text's own colour alone. A stored row that the other category's list
// does not have marks no row.
TEST_F(CardTabsTest, PushedContentIsTheBaselineAndAStoredRowIsBoundToItsList)
{
    CardTabs &t = controller->cardTabs();
    place(0, {designtest::storedControl(SKTGraphicKind::Text, 1), designtest::storedControl(SKTGraphicKind::Text, 2)});
    SKTGraphic &own = *document->graphics().at(0), &locked = *document->graphics().at(1);
    own.ctrl_is_locked = false;
    locked.ctrl_is_locked = true;
    locked.txt_clr = Qt::black;
    emit t.All_Text_clr->colorPicked(Qt::red);
    EXPECT_TRUE(own.txt_clr == QColor(Qt::red) && locked.txt_clr == QColor(Qt::black));
    own.txt_clr = Qt::blue;
    clickEmptyCard();
    if (!testsupport::unreachable(t.apply_size_btn).isEmpty())
        t.Preset_ComboBox->setCurrentIndex(2);  // Custom: a size of the user's own to apply
    ASSERT_TRUE(press(t.apply_size_btn));
    EXPECT_EQ(own.txt_clr, QColor(Qt::blue));

    t.Category_ComboBox->setCurrentIndex(1);
    t.ColList->setCurrentRow(7);
    EXPECT_EQ(controller->Front_card_Prop->Card_Cat_index(), 7);
    t.Category_ComboBox->setCurrentIndex(0);
    EXPECT_TRUE(t.ColList->selectedItems().isEmpty());
    EXPECT_EQ(controller->Front_card_Prop->Card_Cat_index(), -1);
}

// The words on the first page of a PDF: each one's text and where its box begins, in points
// from the page's top left corner.
std::vector<std::tuple<QString, double, double>> pdfWords(const QString &pdftotext, const QString &pdf)
{
    const QString boxes = QString::fromUtf8(
        testsupport::runTool(pdftotext, {QStringLiteral("-bbox"), QStringLiteral("-l"), QStringLiteral("1"), pdf,
                                         QStringLiteral("-")})
            .out);
    static const QRegularExpression word(
        QStringLiteral("<word xMin=\"([-0-9.]+)\" yMin=\"([-0-9.]+)\"[^>]*>([^<]*)</word>"));
    std::vector<std::tuple<QString, double, double>> words;
    for (const QRegularExpressionMatch &m : word.globalMatch(boxes))
        words.emplace_back(m.captured(3), m.captured(1).toDouble(), m.captured(2).toDouble());
    return words;
}

// A typed number counts as its field shows it: saved by key or tool bar, printed, exported or
// mailed before the field is left; left holding no number or one past its range, the field shows
// the value in force.
TEST_F(CardTabsTest, TypedNumbersCountAsTheirFieldsShowThem)
{
    REQUIRE_TOOL(pdftotext, "pdftotext");
    REQUIRE_PYTHON(python);  // the test mail server
    Server server;
    ASSERT_TRUE(flushPreferences({"", "me@example.org", "pw", "127.0.0.1", server.port, false}));
    controller->show();
    // The window active again as it is once the last output's windows have gone.
    const auto activate = [this] {
        QApplication::setActiveWindow(controller.get());
        return QTest::qWaitForWindowActive(controller.get());
    };
    ASSERT_TRUE(activate());
    saveAs(pathIn("typed.did"));
    CardTabs &t = controller->cardTabs();
    tick(t.Card_border_chk);
    t.Preset_ComboBox->setCurrentIndex(2);  // Custom
    click("text_tool_btn");
    ASSERT_EQ(document->graphicsOfSide(0).size(), 1u);
    const SKTGraphicPtr moved = document->graphicsOfSide(0)[0];
    moved->Set_text_value(QStringLiteral("MOVED"));
    // Its twin below it stays where it is: the outputs place the card as they will, and the
    // moved text is measured from its twin.
    SKTGraphicPtr still = moved->clone();
    still->setBounds(moved->bounds().translated(-moved->bounds().x(), moved->bounds().height() + 4));
    place(0, {still});
    auto *x = outlet<QLineEdit>("frame_main_pic_X_pos_val");
    // Print leaves the card's tabs on show: a click on the text brings its fields back.
    const auto showFieldsOfMoved = [&] {
        if (!testsupport::unreachable(x).isEmpty())
            clickAt(canvas(0), moved->bounds().center());
        ASSERT_EQ(testsupport::unreachable(x), QString());
    };
    showFieldsOfMoved();
    const auto type = [](QLineEdit *f, const char *typed) {
        f->setFocus(), QTest::keyClick(f, Qt::Key_A, Qt::ControlModifier), QTest::keyClicks(f, typed);
    };
    const auto savedX = [this] {  // the upper text's; its twin stands at 0
        const DesignReadResult read = Read_Design_File(pathIn("typed.did"));
        const SKTGraphicArray &saved = read.design.value().frontControls;
        const auto upper = std::min_element(saved.begin(), saved.end(),
                                            [](const auto &a, const auto &b) { return a->yPosition() < b->yPosition(); });
        return saved.size() == 2 ? (*upper)->xPosition() : -1.0;
    };
    const auto pdfX = [&](const QString &pdf) {
        std::vector<std::tuple<QString, double, double>> words = pdfWords(pdftotext, pdf);
        std::erase_if(words, [](const auto &w) { return std::get<0>(w) != QLatin1String("MOVED"); });
        EXPECT_EQ(words.size(), 2u) << pdf.toStdString();
        if (words.size() != 2)
            return -1.0;
        std::sort(words.begin(), words.end(),
                  [](const auto &a, const auto &b) { return std::get<2>(a) < std::get<2>(b); });
        return std::get<1>(words[0]) - std::get<1>(words[1]);  // the twin stands at 0
    };
    // What each window is asked as a user answers it: one card printed to a PDF, the export in
    // PDF, the card mailed to one recipient.
    ui->onRequest = [&](const platform::ScriptedUiServices::Request &r) {
        const testsupport::RunWindow runWindow(r.kind);
        if (r.kind == QLatin1String("Print_Wnd")) {
            auto *w = controller->findChild<Print_Wnd *>();
            w->Printer_ComboBox->setCurrentIndex(w->Printer_ComboBox->findText(QString::fromLatin1(kSaveAsPdfPrinter)));
            testsupport::typeInto(w->Total_Text, QStringLiteral("1"), Qt::Key_unknown);
            press(w->findChild<QPushButton *>(QStringLiteral("PrintButtonPressed")));
        } else if (r.kind == QLatin1String("ExportWindow")) {
            press(controller->findChild<QRadioButton *>(QStringLiteral("matrix_file_type_4")));  // PDF
        } else if (r.kind == QLatin1String("Send_Mail")) {
            auto *mail = controller->findChild<Send_Mail *>();
            mail->to_txt->setFocus();
            QTest::keyClicks(mail->to_txt, QStringLiteral("you@example.org"));
            for (QPushButton *b : mail->findChildren<QPushButton *>())
                if (b->text() == QLatin1String("Send"))
                    press(b);
            mail->waitForRun();
        }
    };
    const struct {
        const char *output, *typed;
        std::function<double()> run;  // where the output holds the text
    } outputs[] = {
        {"Ctrl+S", "150", [&] { return QTest::keyClick(x, Qt::Key_S, Qt::ControlModifier), savedX(); }},
        {"Save", "160", [&] { return click("Save_btn"), savedX(); }},
        {"Print", "40",
         [&] {
             ui->push(pathIn("printed.pdf"));
             click("Print_btn");
             return pdfX(pathIn("printed.pdf"));
         }},
        {"Export", "100",
         [&] {
             ui->push(1), ui->push(dir.path()), ui->push(0);  // the sheet's OK, the folder, the finished box
             click("Export_btn");
             controller->exportCommand()->waitForRun();
             const QStringList written = controller->exportCommand()->lastRun()->written;
             const QStringList front = written.filter(QStringLiteral("_Front.pdf"));
             EXPECT_EQ(front.size(), 1) << written.join(' ').toStdString();
             return front.size() == 1 ? pdfX(front[0]) : -1.0;
         }},
        {"Mail", "60",
         [&] {
             click("Mail_btn");
             const QStringList sent = QDir(server.dir.path()).entryList({QStringLiteral("mail-1-*_Front.pdf")});
             EXPECT_EQ(sent.size(), 1) << ui->messages().join(QLatin1Char('|')).toStdString();
             return sent.size() == 1 ? pdfX(server.dir.filePath(sent[0])) : -1.0;
         }},
    };
    for (const auto &o : outputs) {
        ui->clear();
        ASSERT_TRUE(activate());
        showFieldsOfMoved();
        type(x, o.typed);
        ASSERT_EQ(QApplication::focusWidget(), x) << o.output;
        EXPECT_NEAR(o.run(), QByteArray(o.typed).toDouble(), 2) << o.output;
    }
    ui->onRequest = nullptr;
    ASSERT_TRUE(activate());
    // A size the card cannot take, applied, is refused with its reason and the card's size shown.
    // A field only visited (no text typed: null) keeps the value in force, which it may show
    // rounded: 85.598 mm shows as 85.6 and stays 85.598; the height, never typed, stays too.
    QPushButton *apply = t.apply_size_btn;
    // A width refused on Apply: the field shows the width in force again, set while no leave of
    // it was under way, so its next visit sends a leave that a field read back untyped would act
    // on.
    const auto reshown = [&] {
        type(t.width_Text, "0");
        QTest::keyClick(t.width_Text, Qt::Key_Tab);
        press(apply);
    };
    const struct {
        QLineEdit *field;
        const char *typed;
        QPushButton *then;
        const char *shows;
        double applied;
        std::function<void()> first = nullptr;
    } rows[] = {
        {x, "abc", nullptr, "60", 0}, {x, "4,5", nullptr, "60", 0}, {t.Card_bor_Text, "abc", nullptr, "1", 0},
        {t.Card_bor_Text, "2.5", nullptr, "1", 0}, {t.Card_bor_Text, "99", nullptr, "50", 0}, {t.width_Text, "abc", nullptr, "85.6", 0},
        {t.width_Text, "", nullptr, "85.6", 0}, {t.width_Text, "85.6", apply, "85.6", 85.6}, {t.width_Text, "0", apply, "85.6", 85.6},
        {t.width_Text, "-7", apply, "85.6", 85.6}, {t.width_Text, "85.598", apply, "85.6", 85.598},
        {t.width_Text, nullptr, apply, "85.6", 85.598}, {t.height_Text, nullptr, apply, "54.1", 85.598},
        {t.width_Text, "80.5", apply, "80.5", 80.5}, {t.width_Text, "85.598", apply, "85.6", 85.598},
        {t.width_Text, nullptr, apply, "85.6", 85.598, reshown}};
    const auto cardMM = [this] { return controller->Front_card_Prop->Card_Size() * 25.4 / 72; };
    const double height = t.height_Stepper->value();  // the height in force, the next Apply's
    ASSERT_NE(t.height_Text->text(), QString::number(height, 'g', 12)) << "a height the field shows rounded";
    for (const auto &[field, typed, then, shows, applied, first] : rows) {
        if (first)
            first();
        if (field != x && x->isVisible())
            clickAt(canvas(0), QPointF(3, 3));  // the card beside the text: its tabs
        if (field == x)
            showFieldsOfMoved();
        testsupport::showTabOf(field);
        ui->clear();
        const char *shownTyped = typed ? typed : "(visited)";
        ASSERT_EQ(testsupport::unreachable(field), QString()) << shownTyped;
        if (typed)
            type(field, typed);
        else
            QTest::mouseClick(field, Qt::LeftButton);
        ASSERT_EQ(QApplication::focusWidget(), field) << shownTyped;
        QTest::keyClick(field, Qt::Key_Tab);
        if (then)
            press(then);
        EXPECT_EQ(field->text().toStdString(), shows) << shownTyped;
        if (then) {
            EXPECT_NEAR(cardMM().width(), applied, 1e-4) << shownTyped;
            EXPECT_NEAR(cardMM().height(), height, 1e-4) << shownTyped;
            EXPECT_EQ(ui->messages().size(), typed && (typed[0] == '0' || typed[0] == '-') ? 1 : 0) << shownTyped;
        }
    }
}

}  // namespace
