// The barcode window on a canvas whose window is a fake: what OK hands back, what Cancel and a
// refused value leave, and what the pictures it makes read as.

#include "CanvasTestSupport.h"
#include "DesignTestSupport.h"
#include "LinearDecode.h"
#include "TestSupport.h"

#include "barcode/ControlBarcode.h"
#include "barcode/Symbologies.h"
#include "core/Globals.h"
#include "core/SKTBarcode.h"
#include "platform/UiServices.h"
#include "properties/Barcode_Gen.h"
#include "properties/PanelWidgets.h"
#include "properties/PropertyPanel.h"
#include "properties/PropertyPanelHooks.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>

namespace {

struct FakeWindow : PropertyPanelHooks {
    SKTGraphicView *canvas = nullptr;
    int snapshots = 0;
    SKTGraphicView *currentCanvas() override { return canvas; }
    int Open_Camera_Window(QString &) override { return 0; }
    void Insert_In_Undo_Redo() override { ++snapshots; }
};

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
            w.OK_Btn->click();
            if (w.isVisible())
                w.Cancel_Btn->click();
            return w.result();
        });
    }
    void TearDown() override { Barcode_Gen::setModalRunner(previous); }
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
    }
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
        w.OK_Btn->click();
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

}  // namespace
