// The barcode window on a canvas whose window is a fake: what OK hands back, what Cancel and a
// refused value leave, and what the pictures it makes read as.

#include "CanvasTestSupport.h"
#include "DesignTestSupport.h"
#include "LinearDecode.h"
#include "Press.h"
#include "TestSupport.h"

#include "barcode/ControlBarcode.h"
#include "barcode/Symbologies.h"
#include "core/Globals.h"
#include "core/SKTBarcode.h"
#include "platform/UiServices.h"
#include "properties/Barcode_Gen.h"
#include "properties/PanelWidgets.h"
#include "properties/PropertyPanel.h"
#include "FakePanelWindow.h"
#include "properties/PropertyPanelHooks.h"
#include "canvas/SmallDialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>

namespace {

using FakeWindow = FakePanelWindow;

class BarcodeWindowTest : public canvastest::CanvasTest {
protected:
    void SetUp() override
    {
        CanvasTest::SetUp();
        window.canvas = view.get();
        panel = std::make_unique<PropertyPanel>(window, tabs, &host);
        previous = Barcode_Gen::setModalRunner([this](Barcode_Gen &w) {
            if (fill)
                fill(w);
            testsupport::press(w.OK_Btn);
            if (w.isVisible())
                testsupport::press(w.Cancel_Btn);
            return w.result();
        });
    }
    void TearDown() override
    {
        Barcode_Gen::setModalRunner(previous);
    }
    // A barcode of the symbology (an index of the window's list) placed and selected alone.
    std::shared_ptr<SKTGraphic> place(int symbology, const QString &value, int level = 0, int version = 0)
    {
        auto g = std::make_shared<SKTBarcode>();
        g->linear_or_2d = symbology >= 19 ? 1 : 0;
        g->barcode_font_index = symbology;
        (g->linear_or_2d ? g->two_d_font_val : g->linear_font_val) = value;
        g->qr_ec_index = level;
        g->qr_version_index = version;
        g->setBounds({10, 10, 50, 30});
        doc->removeAllGraphicsOnSide(0);
        doc->appendGraphicOnSide(0, g);
        view->changeSelectionIndexes({0});
        view->Set_Selected_Graphic(g.get());
        return g;
    }

    QWidget host;
    QTabWidget *tabs = new QTabWidget(&host);
    FakeWindow window;
    std::unique_ptr<PropertyPanel> panel;
    platform::ScopedScriptedUi ui;
    std::function<void(Barcode_Gen &)> fill;
    Barcode_Gen::ModalRunner previous;
};

// Every stored field of the list comes back from OK as it was loaded; the fill colour follows
// the background choice and the unit, which the window never reads, is a new barcode's.
TEST_F(BarcodeWindowTest, OkHandsBackEveryStoredFieldAsLoaded)
{
    const int pdf417 = int(barcode::Linear_Symbology_Names().size()) + 1;
    // Before OK, every field on show is clicked into and left by Tab with nothing typed, which
    // must change nothing either.
    int visited = 0;
    fill = [&visited](Barcode_Gen &w) {
        QApplication::setActiveWindow(&w);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
        for (QLineEdit *field : w.findChildren<QLineEdit *>())
            if (!field->isReadOnly() && testsupport::unreachable(field).isEmpty()) {
                QTest::mouseClick(field, Qt::LeftButton);
                visited += field->hasFocus();
                QTest::keyClick(field, Qt::Key_Tab);
            }
    };
    for (const int symbology : {9, pdf417}) {
        SCOPED_TRACE(symbology);
        std::shared_ptr<SKTGraphic> stored = designtest::storedControl(SKTGraphicKind::Barcode, 3 + symbology);
        stored->linear_or_2d = symbology == pdf417 ? 1 : 0;
        stored->barcode_font_index = symbology;
        stored->linear_font_val = QStringLiteral("CODE 128 VALUE");
        stored->two_d_font_val = QStringLiteral("PDF417\nVALUE");
        stored->header_val = QStringLiteral("Header <&> \u00e9");
        stored->data_source_type = 0;
        for (int *hide : {&stored->show_hide_hdr, &stored->show_hide_ftr, &stored->show_hide_val, &stored->show_val_on_top})
            *hide = *hide == 1 ? 1 : 0;  // only 1 hides; any other number shows
        stored->dpi_val_index = 1;
        stored->dpi_custom_val = QStringLiteral("450");
        Barcode_Gen gen;
        const std::shared_ptr<SKTGraphic> result = gen.Open_Wnd(*stored);
        ASSERT_TRUE(result);
        auto expected = stored->clone();
        expected->barcode_unit_val = 1;
        expected->_fillColor = stored->_isDrawingFill ? QColor(Qt::transparent)
                               : symbology == pdf417    ? QColor(Qt::white)
                                                        : stored->barcode_back_clr_val;
        designtest::expectSameFields(*expected, *result, InRecord);
        EXPECT_GE(std::exchange(visited, 0), 8) << "sizes, margins and values visited";
    }
    fill = nullptr;
    // The largest values the window takes are kept by the bounds every stored number is read with.
    Barcode_Gen gen;
    for (PanelStepper *s : gen.findChildren<PanelStepper *>())
        s->setValue(s->maximum());
    SKTBarcode largest;
    barcode::Setup_To_Control(gen.Current_Setup(), largest);
    for (const ControlField &f : Control_Fields(SKTGraphicKind::Barcode))
        With_Field(largest, f.member, [&](auto &value) {
            if constexpr (std::is_arithmetic_v<std::remove_reference_t<decltype(value)>>) {
                auto bounded = value;
                Bound_Value(f.kind, bounded);
                EXPECT_EQ(bounded, value) << f.name;
            }
        });
}

// A blank value is refused with the window left open; Cancel then changes nothing and records
// nothing.
TEST_F(BarcodeWindowTest, BlankValueIsRefusedAndCancelChangesNothing)
{
    const std::shared_ptr<SKTGraphic> code = place(0, QStringLiteral("ABC"));
    const QImage before = code->_barcode_image;
    bool stayedOpen = false;
    fill = [&](Barcode_Gen &w) {
        w.dataText->setText(QStringLiteral("   "));
        testsupport::press(w.OK_Btn);
        stayedOpen = w.isVisible();
    };
    panel->Open_Barcode_Window();
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(ui->messages(), QStringList({"\nInvalid barcode value.", "\nInvalid barcode value."}));
    EXPECT_TRUE(Barcode_output_image.isNull());
    EXPECT_EQ(window.snapshots, 0);
    EXPECT_EQ(code->linear_font_val, QStringLiteral("ABC"));
    EXPECT_EQ(code->_barcode_image, before);
}

// Each picture is made from its own control's level and version, whatever the window last held.
TEST_F(BarcodeWindowTest, QrLevelComesFromEachControlAlone)
{
    REQUIRE_TOOL(zxing, "ZXingReader");
    const int qr = int(barcode::Linear_Symbology_Names().size());
    const struct {
        int symbology, level, version;
        const char *value, *format, *readLevel;
    } steps[] = {{qr, 3, 5, "FIRST", "QRCode", "H"}, {9, 0, 0, "LINEAR", "Code128", ""},
                 {qr, 0, 0, "LAST", "QRCode", "L"}};
    for (const auto &s : steps) {
        SCOPED_TRACE(s.value);
        const std::shared_ptr<SKTGraphic> code = place(s.symbology, QString::fromLatin1(s.value), s.level, s.version);
        panel->Open_Barcode_Window();
        const bctest::Decoded read = bctest::zxing(code->_barcode_image, QString::fromLatin1(s.format));
        EXPECT_EQ(read.text, QString::fromLatin1(s.value)) << read.raw.toStdString();
        EXPECT_EQ(read.ecLevel, QString::fromLatin1(s.readLevel));
    }
    EXPECT_EQ(window.snapshots, 3);
}

// Every symbology the list offers makes a picture its decoder (or zint's modules) reads back.
TEST_F(BarcodeWindowTest, EveryListedSymbologyMakesAReadablePicture)
{
    REQUIRE_TOOL(zxing, "ZXingReader");
    REQUIRE_TOOL(zint, "zint");
    REQUIRE_TOOL(dmtx, "dmtxread");
    const char *const c39 = "Code39", *const c128 = "Code128";
    const struct {
        const char *value, *reader;  // a ZXingReader format, or zint's options
        const char *read = nullptr;  // what ZXingReader reads; nullptr: the value
    } byName[] = {{"CARD42", c39},     {"Card-42", c39, "C+A+R+D-42"},  {"12345678", "ITF"},
                  {"03600029145", "UPC-A", "036000291452"},               {"12345", "-b 40"},
                  {"1234567", "-b 47 --vers=1"},                          {"12AB", "-b 86"},
                  {"0123456789", "-b 7"}, {"590123412345", "EAN-13", "5901234123457"},
                  {"Card 42", c128},    {"CARD", c128},  {"Card", c128},  {"123456", c128},
                  {"a1234b", "Codabar", "1234"},          {"0123456", "UPC-E", "01234565"},
                  {"9638507", "EAN-8", "96385074"},       {"SN34RD1A", "-b 70"},  {"12345678901", "-b 82"},
                  {"1234567", "-b 76"}, {"QR 42", "QRCode"}, {"PDF 42", "PDF417"}, {"DM 42", "dmtx"}};
    Barcode_Gen gen;
    ASSERT_EQ(gen.barcodeTypePopup->count(), int(std::size(byName)));
    for (int i = 0; i < gen.barcodeTypePopup->count(); ++i) {
        const QString name = gen.barcodeTypePopup->itemText(i), value = QString::fromLatin1(byName[i].value),
                      reader = QString::fromLatin1(byName[i].reader);
        SCOPED_TRACE(name.toStdString());
        gen.barcodeTypePopup->setCurrentIndex(i);
        for (QCheckBox *hide : {gen.hideHeaderCheckbox, gen.hideFooterCheckbox, gen.captionCheckbox})
            hide->setChecked(true);
        gen.dataText->setText(value);
        gen.dataText_2D->setPlainText(value);
        const QImage image = gen.Preview_Image();
        ASSERT_FALSE(image.isNull());
        if (reader == QLatin1String("dmtx")) {
            EXPECT_EQ(bctest::dmtx(image), value.toLatin1());
        } else if (!reader.startsWith(u'-')) {
            EXPECT_EQ(bctest::zxing(image, reader).text, byName[i].read ? QString::fromLatin1(byName[i].read) : value);
        } else {
            const auto rows = bctest::zintRows(reader.split(u' ') << QStringLiteral("-d") << value);
            const double module = 20.0 / 1000.0 * 300.0;
            EXPECT_EQ(rows.size() == 1 ? bctest::modulesOnRow(image, image.height() / 2, module)
                                       : bctest::barClassesSeen(image, rows.size() == 3),
                      rows.size() == 1 ? rows[0] : bctest::zintBarClasses(rows));
        }
    }
}

// The two-dimensional fields that the window keeps for itself: PDF417 rows and columns and the
// Data Matrix width and height follow their steppers and fields; the Data Matrix size rule and
// the QR version's least size raise the sizes and never lower them.
TEST_F(BarcodeWindowTest, TwoDimensionalFieldsFollowTheirRules)
{
    const int qr = int(barcode::Linear_Symbology_Names().size());
    PDF_Row = 0;  // as at start: a window shows the values last set
    PDF_Col = 3;
    Barcode_Gen gen;
    gen.setHooks(&window);
    // Open, so that a field typed into is left by Tab as a user leaves it.
    gen.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&gen));
    auto shown = [](QLineEdit *field) { return field->text().toInt(); };
    // A field on show typed into key by key, then left by Tab.
    const auto typeAndLeave = [](QLineEdit *field, const char *text) {
        EXPECT_EQ(testsupport::unreachable(field).toStdString(), "") << field->objectName().toStdString();
        testsupport::typeInto(field, QString::fromLatin1(text), Qt::Key_Tab);
        EXPECT_FALSE(field->hasFocus()) << field->objectName().toStdString() << " was not left";
    };
    // PDF417 rows and columns, from the stepper and from the field.
    gen.Set_Barcode_Prop_To_Control(*place(qr + 1, QStringLiteral("PDF")));
    EXPECT_EQ(std::make_pair(shown(gen.pdf_row_Text), shown(gen.pdf_col_Text)), std::make_pair(0, 3));
    gen.pdf_row_Stepper->setValue(12);
    typeAndLeave(gen.pdf_col_Text, "7");
    EXPECT_EQ(std::make_tuple(PDF_Row, PDF_Col, shown(gen.pdf_row_Text), gen.pdf_col_Stepper->value()),
              std::make_tuple(12, 7, 12, 7.0));
    // Data Matrix: a size raises width and height to its columns and rows times the module.
    gen.Set_Barcode_Prop_To_Control(*place(qr + 2, QStringLiteral("DM")));
    const struct {
        const char *step;
        std::function<void()> change;
        int width, height;
    } steps[] = {
        {"Auto changes nothing", [&] { gen.dm_format_ComboBox->setCurrentIndex(0); }, 0, 0},
        {"C8X18 at module 2", [&] { gen.dm_format_ComboBox->setCurrentText("C8X18"); }, 36, 16},
        {"module 3", [&] { gen.dm_moduleStepper_2D->setValue(3); }, 54, 24},
        {"typed width", [&] { gen.dm_widthStepper_2D->setValue(80); }, 80, 24},
        {"smaller size lowers nothing", [&] { gen.dm_format_ComboBox->setCurrentText("C10X10"); }, 80, 30},
        {"typed height", [&] { typeAndLeave(gen.dm_HeightText_2D, "44"); }, 80, 44},
        {"a fraction is no pixel size: refused, not rounded", [&] { typeAndLeave(gen.dm_HeightText_2D, "45.6"); }, 80, 44},
    };
    for (const auto &step : steps) {
        SCOPED_TRACE(step.step);
        step.change();
        EXPECT_EQ(std::make_pair(shown(gen.dm_widthText_2D), shown(gen.dm_HeightText_2D)),
                  std::make_pair(step.width, step.height));
        EXPECT_EQ(std::make_pair(gen.dm_widthStepper_2D->value(), gen.dm_HeightStepper_2D->value()),
                  std::make_pair(double(step.width), double(step.height)));
    }
    // QR: a version picked raises the size to its module count; the lists set what they name.
    gen.Set_Barcode_Prop_To_Control(*place(qr, QStringLiteral("QR")));
    EXPECT_EQ(shown(gen.HeightText_2D), 60);
    gen.qr_version_ComboBox->setCurrentIndex(40);
    EXPECT_EQ(std::make_pair(shown(gen.HeightText_2D), gen.HeightStepper_2D->value()), std::make_pair(177, 177.0));
    gen.HeightStepper_2D->setValue(100);
    EXPECT_EQ(gen.HeightStepper_2D->value(), 177.0);
    gen.qr_version_ComboBox->setCurrentIndex(2);
    EXPECT_EQ(shown(gen.HeightText_2D), 177);  // above version 2's 25: kept
    gen.qr_ec_lvl_ComboBox->setCurrentIndex(3);
    gen.qr_enc_mode_ComboBox->setCurrentIndex(2);
    EXPECT_EQ(std::make_tuple(QR_Version_Val, QR_EC_Level_Val, QR_Enc_Mode_Val), std::make_tuple(2, 3, 2));
    // A stored size loads as it was, whatever version the last control picked.
    auto stored = place(qr, QStringLiteral("QR"), 0, 40);
    stored->qr_size_val = 90;
    gen.Set_Barcode_Prop_To_Control(*stored);
    EXPECT_EQ(shown(gen.HeightText_2D), 90);
    EXPECT_EQ(gen.Current_Setup().qr_size_val, 90);
}

// Version 40 picked in the window gives a symbol of 177 modules that reads back.
TEST_F(BarcodeWindowTest, QrVersionFortyRaisesTheSizeAndReads)
{
    REQUIRE_TOOL(zxing, "ZXingReader");
    const int qr = int(barcode::Linear_Symbology_Names().size());
    const std::shared_ptr<SKTGraphic> code = place(qr, QStringLiteral("V40"));
    fill = [](Barcode_Gen &w) { w.qr_version_ComboBox->setCurrentIndex(40); };
    panel->Open_Barcode_Window();
    EXPECT_EQ(code->qr_version_index, 40);
    EXPECT_EQ(code->qr_size_val, 177);
    EXPECT_EQ(bctest::zxing(code->_barcode_image, QStringLiteral("QRCode")).text, QStringLiteral("V40"));
}

// The kerning box: off for the symbologies that group their digits, and it narrows the value of
// the others.
TEST_F(BarcodeWindowTest, KerningBoxFollowsTheSymbologyAndNarrowsTheValue)
{
    Barcode_Gen gen;
    gen.setHooks(&window);
    gen.Set_Barcode_Prop_To_Control(*place(9, QStringLiteral("KERNING 42")));
    const QStringList names = barcode::Linear_Symbology_Names();
    for (const auto &[name, enabled] : {std::pair{"EAN-13", false}, {"Code 128", true}, {"UPCA", false},
                                        {"EAN-8", false}, {"Code 39", true}, {"UPCE", false}}) {
        SCOPED_TRACE(name);
        gen.barcodeTypePopup->setCurrentIndex(int(names.indexOf(QString::fromLatin1(name))));
        EXPECT_EQ(gen.kerning_value_Checkbox->isEnabled(), enabled);
    }
    gen.barcodeTypePopup->setCurrentIndex(int(names.indexOf("Code 128")));
    gen.dataText->setText(QStringLiteral("KERNING 42"));
    gen.hideHeaderCheckbox->setChecked(true);
    gen.hideFooterCheckbox->setChecked(true);
    auto valueWidth = [&] {
        // The value is the lowest band of ink: bars above it.
        const auto bands = bctest::inkBands(bctest::onWhite(gen.Preview_Image()));
        return bands.empty() ? 0 : bands.back().right - bands.back().left;
    };
    const int spaced = valueWidth();
    gen.kerning_value_Checkbox->setChecked(true);
    EXPECT_EQ(gen.Current_Setup().kerning_value, 1);
    EXPECT_LT(valueWidth(), spaced - 20);
}

// Every help button shows its title and text in the help box.
TEST_F(BarcodeWindowTest, HelpButtonsShowTheirTexts)
{
    std::vector<std::pair<QString, QString>> shown;
    const auto previousBox = Long_SMS_Dlg::setModalRunner([&](Long_SMS_Dlg &box) {
        shown.emplace_back(box._Msg_Title->text(), box._Msg_Val->text());
        return 1;
    });
    Barcode_Gen gen;
    gen.show();
    // Each symbology's help is pressed on the pane its choice shows.
    const struct {
        const char *symbology, *button, *title;
    } buttons[] = {
        {"QR Code", "QR_Version_Help_Btn", "Version :"},   {"QR Code", "QR_EC_Lvl_Help_Btn", "Error correction (EC) level :"},
        {"PDF417", "PDF_row_Help_btn", "PDF Rows :"},     {"PDF417", "PDF_col_Help_btn", "PDF Columns :"},
        {"PDF417", "PDF_ec_lvl_Help_btn", "PDF EC Level :"}, {"DataMatrix", "DM_format_Help_btn", "Preferred Format :"},
        {"DataMatrix", "DM_Encoding_Help_btn", "Encoding Mode :"}, {"QR Code", "DPI_Help_Label", "DPI (Dots Per Inch) :"},
    };
    for (const auto &[symbology, name, title] : buttons) {
        SCOPED_TRACE(name);
        gen.barcodeTypePopup->setCurrentText(QString::fromLatin1(symbology));
        ASSERT_EQ(gen.barcodeTypePopup->currentText(), QString::fromLatin1(symbology));
        auto *button = gen.findChild<QPushButton *>(QString::fromLatin1(name));
        ASSERT_NE(button, nullptr);
        shown.clear();
        ASSERT_TRUE(testsupport::press(button));
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].first, QString::fromLatin1(title));
        EXPECT_GT(shown[0].second.size(), 25);
    }
    EXPECT_EQ(shown[0].second, QStringLiteral("Dots per inch is a measure of the resolution of printers in terms of "
                                              "Print Quality.\n\nBigger the DPI, Better the Print Quality. But File "
                                              "size of image also increases, as you choose bigger DPI."));
    Long_SMS_Dlg::setModalRunner(previousBox);
}

// The two-dimensional pane shows none of the linear symbologies' labels and buttons.
TEST_F(BarcodeWindowTest, TwoDimensionalPaneHidesLinearOnlyLabels)
{
    const int qr = int(barcode::Linear_Symbology_Names().size());
    Barcode_Gen gen;
    const char *const linearOnly[] = {"val_mar_label", "val_font_label", "val_font_btn", "val_clr_label",
                                      "bar_clr_label", "value_font_value", "barcode_clr", "bar_val_clr"};
    for (const auto &[symbology, hidden] : {std::pair{9, false}, {qr, true}, {qr + 2, true}, {0, false}}) {
        SCOPED_TRACE(symbology);
        gen.Set_Barcode_Prop_To_Control(*place(symbology, QStringLiteral("123")));
        for (const char *name : linearOnly) {
            const auto *w = gen.findChild<QWidget *>(QString::fromLatin1(name));
            ASSERT_NE(w, nullptr) << name;
            EXPECT_EQ(w->isHidden(), hidden) << name;
        }
        // The labels that stay name the header and footer, on both panes.
        EXPECT_FALSE(gen.findChild<QWidget *>("hdr_font_btn")->isHidden());
    }
}

// The data-source half: "Excel" offered while a spreadsheet is bound (never in visitor mode), a
// series or column chosen binds the working copy and shows its first value, and the viewer
// button asks for a series before it shows one.
TEST_F(BarcodeWindowTest, SourcesBindTheFirstValueAndViewTheirValues)
{
    QFile series(QDir(Data_Folder_Path).filePath("Staff.txt"));
    ASSERT_TRUE(QDir().mkpath(Data_Folder_Path) && series.open(QIODevice::WriteOnly));
    series.write("A-1\nA-2\n");
    series.close();
    window.columnTitles = {"Extension", "Name", "Code"};
    for (const auto &[mode, excel, sources] : {std::tuple{"V", true, 1}, {"T", false, 2}, {"T", true, 3}}) {
        SCOPED_TRACE(testing::Message() << mode << excel);
        Start_Card_Option = QString::fromLatin1(mode);
        window.excel = excel;
        window.calls.clear();
        bool checked = false;
        fill = [&, sources = sources](Barcode_Gen &w) {
            checked = true;
            EXPECT_EQ(w.Data_source_type->count(), sources);
            EXPECT_EQ(!w.view_series_btn->isHidden(), sources > 1);
            EXPECT_EQ(!w.Batch_Series->isHidden(), sources > 1);
            if (sources < 3)
                return;
            EXPECT_FALSE(w.view_series_btn->isEnabled());  // manual
            w.Data_source_type->setCurrentText("Series");
            EXPECT_TRUE(w.view_series_btn->isEnabled());
            EXPECT_EQ(w.Batch_Series->currentIndex(), -1);
            ui->clear();
            testsupport::press(w.view_series_btn);
            EXPECT_EQ(ui->messages(), QStringList{"\nPlease select the series."});
            w.Batch_Series->setCurrentText("Staff");
            EXPECT_EQ(w.dataText->text(), QStringLiteral("1-Staff--1"));
            EXPECT_EQ(w.Preview_Image().isNull(), false);
            testsupport::press(w.view_series_btn);
            w.Data_source_type->setCurrentText("Excel");
            w.Batch_Series->setCurrentIndex(2);
            EXPECT_EQ(w.dataText->text(), QStringLiteral("2-Code-2"));
            testsupport::press(w.view_series_btn);
        };
        const std::shared_ptr<SKTGraphic> code = place(9, QStringLiteral("ABC"));
        panel->Open_Barcode_Window();
        EXPECT_TRUE(checked);
        if (sources < 3)
            continue;
        EXPECT_EQ(window.calls, (QStringList{"view 1 Staff", "view 2 "}));
        EXPECT_EQ(std::make_tuple(code->data_source_type, code->excel_col_indx, code->linear_font_val),
                  std::make_tuple(2, 2, QStringLiteral("2-Code-2")));
        EXPECT_GT(window.refreshes, 0);
    }
    Start_Card_Option = QStringLiteral("T");
}

}  // namespace
