// Roads through the property panel on the window as a user gets it: the background thumbnails
// dragged into another order and chosen, the data-source tab of a control shown, the card size
// taken from the printer's page, and a close-set barcode as the barcode window previewed it.
#include "ControllerFixture.h"

#include "ArchiveTestSupport.h"

#include "barcode/ControlBarcode.h"
#include "core/SKTRenderingView.h"
#include "output/print/PrintInfo.h"
#include "output/print/Print_Wnd.h"
#include "properties/Barcode_Gen.h"
#include "properties/BackgroundBrowser.h"
#include "properties/CardTabs.h"
#include "properties/PropertyPanel.h"
#include "platform/PictureBudget.h"
#include "platform/WholeFile.h"

#include <QCheckBox>
#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QPageSize>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTabWidget>

namespace {

using PanelRoadsTest = WindowTest;

QImage renderedSide(SKTWindowController &c, int side)
{
    return SKTRenderingView::image_From_Card_Graphics(c.Card_Side_Value(side), 72).convertToFormat(QImage::Format_RGB32);
}

// The width in pixels of the lowest band of ink of a barcode picture: the value written under
// the bars when no footer is shown.
int valueInkWidth(const QImage &picture)
{
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    auto inked = [&](int x, int y) {
        const QRgb p = image.pixel(x, y);
        return qAlpha(p) > 128 && qGray(p) < 128;
    };
    int left = image.width(), right = -1;
    bool inBand = false;
    for (int y = image.height() - 1; y >= 0; --y) {
        bool rowInked = false;
        for (int x = 0; x < image.width(); ++x)
            if (inked(x, y)) {
                rowInked = true;
                left = std::min(left, x);
                right = std::max(right, x);
            }
        if (inBand && !rowInked)
            break;
        inBand = inBand || rowInked;
    }
    return right < left ? 0 : right - left + 1;
}

// The background thumbnails: a press that drags one moves it and chooses nothing; a click
// chooses it; each road to a background (thumbnail, Browse, Library) leaves the panel on the
// Background tab with the thumbnails on show.
TEST_F(PanelRoadsTest, BackgroundThumbnailsDragIntoOrderAndEveryRoadStaysOnTheBackgroundTab)
{
    const std::pair<const char *, QColor> colours[] = {
        {"a.png", Qt::red}, {"b.png", Qt::green}, {"c.png", Qt::blue}, {"d.png", Qt::yellow}};
    for (const auto &[name, colour] : colours) {
        QImage picture(60, 40, QImage::Format_RGB32);
        picture.fill(colour);
        ASSERT_TRUE(picture.save(pathIn(name)));
    }
    controller->resize(1024, 700);
    controller->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(controller.get()));
    clickEmptyCard();
    CardTabs &t = controller->cardTabs();
    auto *tabs = outlet<QTabWidget>("sett_tab");
    tabs->setCurrentWidget(t.card_bkgd_tab);
    if (!t.Card_fill_chk->isChecked())
        press(t.Card_fill_chk);
    press(t.Card_Image_fill_rd);
    BackgroundBrowser &browser = *t.imageBrowser;
    browser.removeAllImages();
    for (const auto &[name, colour] : colours)
        browser.addImageWithPath(pathIn(name), QString::fromLatin1(name), QString::fromLatin1(name));
    // The grid sits low on its tab: scrolled into sight, as a user would.
    for (QWidget *p = browser.parentWidget(); p; p = p->parentWidget())
        if (auto *scroll = qobject_cast<QScrollArea *>(p)) {
            scroll->ensureWidgetVisible(&browser, 0, 0);
            break;
        }
    QCoreApplication::processEvents();
    ASSERT_TRUE(browser.isVisible());
    auto order = [&] {
        QStringList names;
        for (const MyImageObject &item : browser.images())
            names << item.image_Name;
        return names;
    };
    auto centre = [&](int row) { return browser.visualRect(browser.model()->index(row, 0)).center(); };
    const QString frontBefore = controller->Front_card_Prop->Card_BG_Image_Path();

    // Thumbnail b dragged onto a: it lands before a; nothing is chosen, the panel stays.
    QWidget *grid = browser.viewport();
    ASSERT_TRUE(grid->rect().contains(centre(1)));
    const QPoint from = centre(1), to = centre(0);
    QTest::mousePress(grid, Qt::LeftButton, {}, from);
    for (int step = 1; step <= 4; ++step)
        QTest::mouseMove(grid, from + (to - from) * step / 4);
    QTest::mouseRelease(grid, Qt::LeftButton, {}, to);
    EXPECT_EQ(order(), QStringList({"b.png", "a.png", "c.png", "d.png"}));
    // Dragged out of the grid and let go there, a thumbnail stays where it was.
    const QPoint out(grid->width() / 2, grid->height() + 40);
    QTest::mousePress(grid, Qt::LeftButton, {}, centre(0));
    for (int step = 1; step <= 4; ++step)
        QTest::mouseMove(grid, centre(0) + (out - centre(0)) * step / 4);
    QTest::mouseRelease(grid, Qt::LeftButton, {}, out);
    EXPECT_EQ(order(), QStringList({"b.png", "a.png", "c.png", "d.png"}));
    EXPECT_EQ(controller->Front_card_Prop->Card_BG_Image_Path(), frontBefore);
    EXPECT_EQ(tabs->currentWidget(), t.card_bkgd_tab);
    EXPECT_TRUE(browser.isVisible());

    // Each road chooses a picture; the side shows it and the Background tab stays on show.
    ui->push(pathIn("c.png"));
    const struct {
        const char *road;
        std::function<void()> choose;
        QColor shown;
    } roads[] = {
        {"thumbnail", [&] { QTest::mouseClick(grid, Qt::LeftButton, {}, centre(0)); }, Qt::green},
        {"Browse", [&] { press(controller->findChild<QPushButton *>("Card_Image_Browse_Btn")); }, Qt::blue},
        {"Library, cancelled", [&] { press(controller->findChild<QPushButton *>("Card_Image_Library_Btn")); }, Qt::blue},
    };
    for (const auto &road : roads) {
        SCOPED_TRACE(road.road);
        tabs->setCurrentWidget(t.card_bkgd_tab);
        road.choose();
        QCoreApplication::processEvents();
        EXPECT_EQ(renderedSide(*controller, 0).pixelColor(120, 76), road.shown);
        EXPECT_EQ(tabs->currentWidget(), t.card_bkgd_tab);
        EXPECT_TRUE(browser.isVisible());
    }
}

// The tabs of every control shown: the series list and its viewer serve a bound control only,
// also for the first control the panel ever shows; no tab shows the control's id.
TEST_F(PanelRoadsTest, SeriesListAndViewerAreOffForAManualSourceOfEveryControlShown)
{
    PropertyPanel &panel = controller->propertyPanel();
    const struct {
        SKTGraphicKind kind;
        int source;
    } shown[] = {{SKTGraphicKind::Text, 0}, {SKTGraphicKind::Image, 0}, {SKTGraphicKind::Text, 1},
                 {SKTGraphicKind::Text, 0}, {SKTGraphicKind::Text, 0}};
    int seed = 1;
    for (const auto &c : shown) {
        SCOPED_TRACE(testing::Message() << "control " << seed << " source " << c.source);
        ++seed;
        std::shared_ptr<SKTGraphic> control = Make_Graphic_Of_Kind(c.kind);
        control->data_source_type = c.source;
        control->setBounds({20, 20, 80, 40});
        document->removeAllGraphicsOnSide(0);
        place(0, {control});
        clickAt(canvas(0), QPointF(60, 40));
        ASSERT_EQ(canvas(0)->Selected_Graphic(), control.get());
        EXPECT_EQ(panel.Data_source_type->currentIndex(), c.source);
        EXPECT_EQ(panel.view_series_btn->isEnabled(), c.source != 0);
        EXPECT_EQ(panel.Batch_Series->isEnabled(), c.source != 0);
        auto *tabs = outlet<QTabWidget>("sett_tab");
        for (int i = 0; i < tabs->count(); ++i)  // a control's id is the program's own: no "Id" row
            for (const QLabel *label : tabs->widget(i)->findChildren<QLabel *>())
                EXPECT_FALSE(label->text() == "Id" && label->isVisibleTo(tabs->widget(i))) << tabs->tabText(i).toStdString();
    }
}

// The print option of the panel's header is a selected control's: off, with the reason, while
// the card is on show; with a control chosen it sets that control's flag.
TEST_F(PanelRoadsTest, PrintOptionIsOffWithTheReasonUntilAControlIsChosen)
{
    PropertyPanel &panel = controller->propertyPanel();
    std::shared_ptr<SKTGraphic> text = Make_Graphic_Of_Kind(SKTGraphicKind::Text);
    text->setBounds({20, 20, 80, 40});
    place(0, {text});
    clickEmptyCard();
    EXPECT_FALSE(panel.print_object_chk->isEnabled());
    EXPECT_TRUE(panel.print_object_chk->toolTip().contains(QStringLiteral("Select a control")));
    clickAt(canvas(0), QPointF(60, 40));
    ASSERT_EQ(canvas(0)->Selected_Graphic(), text.get());
    ASSERT_TRUE(panel.print_object_chk->isEnabled());
    const int before = text->print_object;
    press(panel.print_object_chk);
    EXPECT_NE(text->print_object, before);
    clickEmptyCard();
    EXPECT_FALSE(panel.print_object_chk->isEnabled());
}

// "Size of the Printer's Page…", the card wizard's printer button (the wizard opened from the
// start dialog), the print window's Page Setup and its Add profile all set the paper of the one
// print set-up; the card roads take that paper as the card, a profile saves it. A custom paper
// typed key by key in millimetres (or a side in inches), under either locale, is shown as typed at
// each key and once left by Tab before anything is clicked (not as the postcard or A6 near it),
// and used as typed (not at whole points), through any orientation clicks and unit switches (the
// fields show it turned and converted at each click, never snapped to a standard size), and the
// margins in force stay as they were; a width typed as "100,5" is refused (the paper keeps its
// width) instead of being read as 1005, and one of 0, empty or negative is refused with a word.
TEST_F(PanelRoadsTest, PrinterPageSizeIsThePaperOfTheOnePrintSetUp)
{
    auto *panels = new testsupport::DrivenPanels;  // the page set-up panel really runs
    std::unique_ptr<platform::UiServices> previous = platform::setUi(std::unique_ptr<platform::UiServices>(panels));
    QPrinter &setUp = printInfo();
    const QPageLayout before = setUp.pageLayout();
    const struct Restore {
        QLocale was;
        ~Restore() { QLocale::setDefault(was); }
    } restore;
    enum Road { CardTab, Wizard, PrintWindow, Profile };  // Profile: the print window's Add, as saved
    const double kept = QPageSize(QPageSize::A5).size(QPageSize::Millimeter).width();
    constexpr auto mm = QPageLayout::Millimeter, in = QPageLayout::Inch;
    const auto points = [](QPageLayout::Unit unit) { return unit == mm ? 72 / 25.4 : unit == in ? 72.0 : 1.0; };
    // The unit the panel is left in; "again": the paper of the rows above, last set in that unit,
    // opened again; clicks after typing: Landscape, Portrait, the unit chosen: inches, millimetres;
    // or Escape.
    const std::tuple<const char *, Road, const char *, double, QPageLayout::Unit, bool, const char *> rows[] = {
        {"en_US", CardTab, "100.5", 100.5, mm, false, "LP"},       {"en_US", Wizard, "100.5", 100.5, mm, false, "LPL"},
        {"en_US", PrintWindow, "100.5", 100.5, mm, false, "imLP"}, {"de_DE", CardTab, "100.5", 100.5, mm, false, "iLPm"},
        {"de_DE", Wizard, "100.5", 100.5, mm, false, "PLP"},       {"de_DE", PrintWindow, "100.5", 100.5, mm, false, "L"},
        {"de_DE", CardTab, "100,5", kept, mm, false, ""},           {"en_US", Wizard, "100,5", kept, mm, false, ""},
        {"de_DE", PrintWindow, "100,5", kept, mm, false, "LP"},     {"en_US", Wizard, "100.5", 100.5, in, false, "LP"},
        {"en_US", CardTab, "", 100.5, in, true, "mi"},              {"de_DE", PrintWindow, "", 100.5, in, true, "mLPi"},
        {"en_US", Wizard, "4.5", 114.3, in, true, "LP"},            {"de_DE", Wizard, "", 100.5, mm, true, "im"},
        {"en_US", PrintWindow, "0", kept, mm, false, "LP"},         {"de_DE", CardTab, "\b", kept, mm, false, "iL"},
        {"en_US", Wizard, "-5", kept, mm, false, "i"},              {"en_US", Profile, "100.5", 100.5, mm, false, "LP"},
        {"de_DE", Profile, "", 100.5, in, true, "mLi"},            {"de_DE", PrintWindow, "0", 100.5, mm, true, "E"},
        {"en_US", PrintWindow, "-5", 100.5, in, true, "E"},        {"de_DE", CardTab, "100.5", 100.5, mm, false, ""},
        {"en_US", Wizard, "4.15", 105.41, in, true, ""}};
    int profiles = 0;
    for (const auto &[locale, road, width, wantWidth, unit, again, clicks] : rows) {
        SCOPED_TRACE(testing::Message() << locale << " road " << road << " " << width << (again ? " again " : " ") << clicks);
        QLocale::setDefault(QLocale(QString::fromLatin1(locale)));  // the panel's own unit follows it
        // Margins of 10 points in force, in the unit the paper was last set in (points: none yet).
        const QPageLayout::Unit inForce = again ? unit : QPageLayout::Point;
        const double margin = 10 / points(inForce);
        setUp.setPageLayout(QPageLayout(again ? QPageSize({100.5, 148.25}, QPageSize::Millimeter, {}, QPageSize::ExactMatch)
                                              : QPageSize(QPageSize::A5),
                                        QPageLayout::Portrait, QMarginsF(margin, margin, margin, margin), inForce));
        panels->clear();
        const bool worded = wantWidth == kept && qstrcmp(width, "100,5") != 0;
        const bool turned = QByteArray(clicks).lastIndexOf('L') > QByteArray(clicks).lastIndexOf('P');
        // Custom, in millimetres; the width, and a height of 148.25 (100.5 x 148.25 mm is no
        // postcard), typed key by key; the clicks, each leaving the paper as typed in the fields;
        // the unit; OK. Opened again: only the width typed, if any, in the unit shown.
        const auto drive = [&, typed = QString::fromLatin1(width), refused = wantWidth == kept, again = again, unit = unit,
                            clicks = QByteArray(clicks)](QDialog &panel) {
            auto *widthField = panel.findChild<QDoubleSpinBox *>(QStringLiteral("pageWidth"));
            auto *heightField = panel.findChild<QDoubleSpinBox *>(QStringLiteral("pageHeight"));
            auto *units = panel.findChild<QComboBox *>(QStringLiteral("unitCombo"));
            if (!again) {
                testsupport::choose(panel.findChild<QComboBox *>(QStringLiteral("pageSizeCombo")), QStringLiteral("Custom"));
                testsupport::choose(units, QStringLiteral("Millimeters (mm)"));
            }
            if (clicks == "E")  // typed, then Escape: the panel goes, with what was typed and no word
                return testsupport::typeInto(widthField, typed, Qt::Key_Escape);
            if (refused)  // a width refused with a word leaves the panel open, even on Return
                testsupport::typeInto(widthField, typed, worded ? Qt::Key_Return : Qt::Key_Tab);
            else if (!typed.isEmpty())
                testsupport::typeShown(widthField, typed);
            if (!again)
                testsupport::typeShown(heightField, QStringLiteral("148.25"));
            bool landscape = false;
            const auto showsTyped = [&](const std::string &after) {
                const double shown = units->currentData().value<QPageLayout::Unit>() == in ? 25.4 : 1;
                QSizeF typedSize(wantWidth / shown, 148.25 / shown);
                if (landscape)
                    typedSize.transpose();
                EXPECT_NEAR(widthField->value(), typedSize.width(), 0.006) << after;
                EXPECT_NEAR(heightField->value(), typedSize.height(), 0.006) << after;
            };
            showsTyped("Tab");  // the sides left by Tab alone, nothing clicked yet
            for (const char click : clicks) {
                if (click == 'L' || click == 'P')
                    press(panel.findChild<QRadioButton *>(QLatin1String(click == 'L' ? "landscape" : "portrait")));
                else
                    testsupport::choose(units, QLatin1String(click == 'i' ? "Inches (in)" : "Millimeters (mm)"));
                landscape = click == 'L' || (landscape && click != 'P');
                showsTyped(std::string(1, click));
            }
            if (!again)
                testsupport::choose(units, QLatin1String(unit == in ? "Inches (in)" : "Millimeters (mm)"));
            press(panel.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok));
        };
        panels->drive[QStringLiteral("Page_Setup")] = panels->drive[QStringLiteral("QPageSetupDialog")] = drive;
        QSizeF used;  // mm
        if (road == CardTab) {
            CardTabs &t = controller->cardTabs();
            clickEmptyCard();
            testsupport::choose(t.Preset_ComboBox, QStringLiteral("Custom"));  // the printer button can be used
            press(t.page_frm_printer_btn);
            used = controller->Front_card_Prop->Card_Size() * (25.4 / 72);
            EXPECT_NEAR(t.width_Text->text().toDouble(), used.width(), 0.01) << t.width_Text->text().toStdString();
        } else if (road == Wizard) {
            // New, the design on show not saved, and the start dialog's card wizard.
            const auto finish = Card_Wizard::setModalRunner([&](Card_Wizard &w) {
                testsupport::choose(w.Preset_ComboBox, QStringLiteral("Custom"));
                press(w.page_frm_printer_btn);
                used = {w.width_Stepper->value(), w.height_Stepper->value()};
                pressIn(w, "Next_btn");
                pressIn(w, "Next_btn");
                return w.result();
            });
            panels->push(platform::AnswerNo);
            startAnswers = {1};
            click("New_btn");
            Card_Wizard::setModalRunner(finish);
        } else {
            const QString name = QStringLiteral("Paper %1").arg(++profiles);
            panels->onRequest = [&](const platform::ScriptedUiServices::Request &r) {
                const testsupport::RunWindow runWindow(r.kind);
                auto *print = controller->findChild<Print_Wnd *>();
                if (print && r.kind == QLatin1String("Add_Print_Profile"))
                    testsupport::typeInto(print->profileDialog->Profile_name, name, Qt::Key_unknown);
                if (!print || r.kind != QLatin1String("Print_Wnd"))
                    return;
                if (road == PrintWindow) {
                    press(print->findChild<QPushButton *>(QStringLiteral("pagesetup")));
                    used = print->state.paper.paperSize * (25.4 / 72);
                    return;
                }
                print->profileFolder = pathIn("profiles");
                panels->push(1);  // the profile's name typed, OK
                press(print->findChild<QPushButton *>(QStringLiteral("Add_profile_btn")));
                const QStringList saved = Read_Print_Profile(print->profileFolder, name);
                used = {saved.value(3).toDouble(), saved.value(4).toDouble()};
            };
            click("Print_btn");
            panels->onRequest = nullptr;
        }
        EXPECT_NEAR(used.width(), turned ? 148.25 : wantWidth, 0.01);
        EXPECT_NEAR(used.height(), turned ? wantWidth : 148.25, 0.01);
        const QPageLayout after = setUp.pageLayout();
        EXPECT_NEAR(after.margins().left() * points(after.units()), 10, 1e-6);
        EXPECT_NEAR(after.margins().bottom() * points(after.units()), 10, 1e-6);
        EXPECT_EQ(panels->messages().contains(QStringLiteral("The paper's width must be at least 0.36 mm (1 point).")), worded)
            << panels->messages().join('|').toStdString();
    }
    setUp.setPageLayout(before);
    platform::setUi(std::move(previous));
}

// A Code 128 with the close-set box on reaches the card as narrow as the window previewed it,
// reads as its value, and stays so in every output: after the box was unticked in a window that
// was cancelled, at 600 dpi, and when the design is saved and opened again.
TEST_F(PanelRoadsTest, CloseSetBarcodeReachesTheCardAsPreviewed)
{
    REQUIRE_TOOL(zxing, "ZXingReader");
    click("Barcode_Tool_btn");
    clickAt(canvas(0), QPointF(120, 80));
    ASSERT_EQ(document->graphics().size(), 1u);
    const QString value = QStringLiteral("KERNING 42");
    QImage preview;
    int spacedWidth = 0;
    const auto previous = Barcode_Gen::setModalRunner([&](Barcode_Gen &w) {
        w.barcodeTypePopup->setCurrentText(QStringLiteral("Code 128"));
        w.dataText->setText(value);
        w.hideHeaderCheckbox->setChecked(true);
        w.hideFooterCheckbox->setChecked(true);
        spacedWidth = valueInkWidth(w.Preview_Image());
        w.kerning_value_Checkbox->setChecked(true);
        preview = w.Preview_Image();
        press(w.OK_Btn);
        return w.result();
    });
    press(controller->findChild<QPushButton *>("Barcode_Edit_btn"));
    Barcode_Gen::setModalRunner(previous);
    const int previewWidth = valueInkWidth(preview);
    ASSERT_LT(previewWidth, spacedWidth - 10);
    const QImage onCard = document->graphics()[0]->_barcode_image;
    EXPECT_EQ(valueInkWidth(onCard), previewWidth);
    EXPECT_TRUE(archivetest::samePixels(onCard, preview));
    EXPECT_EQ(readBarcode(zxing, onCard), value.toLatin1());

    const auto untickAndCancel = Barcode_Gen::setModalRunner([](Barcode_Gen &w) {
        EXPECT_TRUE(w.kerning_value_Checkbox->isChecked()) << "the control's own choice";
        w.kerning_value_Checkbox->setChecked(false);
        press(w.Cancel_Btn);
        return w.result();
    });
    press(controller->findChild<QPushButton *>("Barcode_Edit_btn"));
    Barcode_Gen::setModalRunner(untickAndCancel);
    // At 600 dpi the value is as narrow, against the same barcode spaced.
    const auto printedWidth = [&](int closeSet) {
        CardSide side = controller->Card_Side_Value(0);
        side.controls[0]->kerning_value = closeSet;
        const QRectF at = side.controls[0]->bounds();
        const QRect frame = QRectF(at.topLeft() * 600 / 72, at.size() * 600 / 72).toAlignedRect();
        const QImage card = SKTRenderingView::image_From_Card_Graphics(side, 600.0);
        return valueInkWidth(card.copy(frame & card.rect().adjusted(0, 0, -20, -20)));  // the card's edge apart
    };
    const int printed = printedWidth(document->graphics()[0]->kerning_value);
    EXPECT_LT(printed, printedWidth(0) - 20);

    saveAs(pathIn("close.did"));
    open(pathIn("close.did"));
    ASSERT_EQ(document->graphics().size(), 1u);
    EXPECT_EQ(valueInkWidth(document->graphics()[0]->_barcode_image), previewWidth);
    EXPECT_EQ(readBarcode(zxing, document->graphics()[0]->_barcode_image), value.toLatin1());
    EXPECT_EQ(printedWidth(document->graphics()[0]->kerning_value), printed);
}

}  // namespace

namespace {

// A picture that would take gigabytes to decode, chosen on the window's picture roads: the
// reason is shown and nothing changes (no control made, the card keeps its background).
TEST_F(PanelRoadsTest, APictureBombIsRefusedWithItsReasonOnEveryChooser)
{
    const QString bomb = pathIn("bomb.jpg");
    ASSERT_TRUE(testsupport::writeProgressiveJpegClaiming(bomb, 40000));
    const QString reason = QStringLiteral("\n") + platform::pictureDecodeRefusal(bomb);  // its wording: the core's test
    ASSERT_TRUE(reason.contains(QLatin1String("40000 by 40000")));
    controller->resize(1024, 700);
    controller->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(controller.get()));
    clickEmptyCard();
    CardTabs &t = controller->cardTabs();
    outlet<QTabWidget>("sett_tab")->setCurrentWidget(t.card_bkgd_tab);
    if (!t.Card_fill_chk->isChecked())
        press(t.Card_fill_chk);
    press(t.Card_Image_fill_rd);
    const QString background = controller->Front_card_Prop->Card_BG_Image_Path();
    ASSERT_TRUE(platform::writeWholeFile(pathIn("notes.png"), "notes\n"));
    const struct {
        const char *button;
        QString file, said;
    } roads[] = {{"Card_Image_Browse_Btn", bomb, reason},
                 {"image_tool_btn", bomb, reason},
                 {"image_tool_btn", pathIn("notes.png"), QStringLiteral("\u201Cnotes.png\u201D is not a picture.")}};
    for (const auto &road : roads) {
        SCOPED_TRACE(road.button + road.file.toStdString());
        auto *chooser = controller->findChild<QAbstractButton *>(QString::fromLatin1(road.button));
        ASSERT_TRUE(chooser && chooser->isVisible() && chooser->isEnabled());
        ui->clear();
        ui->push(road.file);
        press(chooser);
        EXPECT_EQ(ui->messages().join(QString()).trimmed(), road.said.trimmed());
        EXPECT_TRUE(document->graphics().empty());
        EXPECT_EQ(controller->Front_card_Prop->Card_BG_Image_Path(), background);
    }
}

}  // namespace
