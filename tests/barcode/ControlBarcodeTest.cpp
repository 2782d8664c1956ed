// Barcode controls made on the canvas with the barcode library installed: the picture decodes
// to the value an independent reader sees.

#include "LinearDecode.h"
#include "TestSupport.h"

#include "barcode/ControlBarcode.h"
#include "core/ControlArchive.h"
#include "core/ImageResolution.h"
#include "core/SKTDocument.h"
#include "canvas/CanvasRequests.h"
#include "canvas/SKTGraphicView.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace {

class BarcodeToolHub : public CoreHub, public CanvasRequests {
public:
    BarcodeToolHub() : m_previous(setCoreHub(this)), m_previousRequests(setCanvasRequests(this)) {}
    ~BarcodeToolHub() override
    {
        setCanvasRequests(m_previousRequests);
        setCoreHub(m_previous);
    }
    int Selected_Control_Tool() override { return tool; }
    void Set_Selected_Control_Tool(int t) override { tool = t; }
    QRectF frontCanvasBounds() override { return QRectF(0, 0, 243, 154); }
    int tool = 10;

private:
    CoreHub *m_previous = nullptr;
    CanvasRequests *m_previousRequests = nullptr;
};

// The control alone on white, at 300 dpi, as printed.
QImage printed(SKTGraphic &control)
{
    const QRectF b = control.bounds();
    QImage image(int(b.width() * 300 / 72) + 80, int(b.height() * 300 / 72) + 80, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.translate(40, 40);
    p.scale(300.0 / 72, 300.0 / 72);
    p.translate(-b.topLeft());
    control.drawContentsInView(p, false);
    return image;
}

}  // namespace

TEST(ControlBarcodeTest, ABarcodePlacedOnTheCanvasDecodesToTheSampleValue)
{
    REQUIRE_TOOL(zxing, "ZXingReader");
    testsupport::TempDataFolder data;
    BarcodeToolHub hub;
    barcode::ControlBarcodeProvider provider;
    BarcodeImageProvider *previous = setBarcodeImageProvider(&provider);
    SKTDocument doc;
    SKTGraphicView canvas;
    canvas.bindGraphics(&doc, 0);
    canvas.createGraphicOfClass(SKTGraphicKind::Barcode, nullptr, false, QRectF(), "F", QString(), QString());
    setBarcodeImageProvider(previous);

    ASSERT_EQ(doc.graphics().size(), 1u);
    SKTGraphic &code = *doc.graphics()[0];
    EXPECT_EQ(code.kind(), SKTGraphicKind::Barcode);
    ASSERT_FALSE(code._barcode_image.isNull());
    EXPECT_NEAR(code._barcode_image.dotsPerMeterX() * 0.0254, barcode::ControlBarcodeDpi, 1);
    EXPECT_EQ(code.bounds().size(), Image_Size_In_Points(code._barcode_image)) << "sized to its picture";
    EXPECT_EQ(code.bar_image_ctrl_bounds, code.bounds());
    EXPECT_EQ(hub.tool, 0);
    EXPECT_EQ(lineartest::zxingRead(printed(code), QStringLiteral("Code39")), QByteArray("0123"));
}

TEST(ControlBarcodeTest, TheControlsOwnSetUpIsUsedAndARefusedValueChangesNothing)
{
    REQUIRE_TOOL(zxing, "ZXingReader");
    testsupport::TempDataFolder data;
    BarcodeToolHub hub;
    std::unique_ptr<SKTGraphic> code = Make_Graphic_Of_Class(QStringLiteral("SKTBarcode"));
    code->barcode_font_index = 9;  // Code 128
    barcode::ControlBarcodeProvider provider;
    ASSERT_TRUE(provider.Build_Barcode_Image(*code, QStringLiteral("Badge-42")));
    EXPECT_EQ(lineartest::zxingRead(printed(*code), QStringLiteral("Code128")), QByteArray("Badge-42"));

    const QImage before = code->_barcode_image;
    code->barcode_font_index = 3;  // UPC-A takes digits only
    EXPECT_FALSE(provider.Build_Barcode_Image(*code, QStringLiteral("not digits")));
    EXPECT_EQ(code->_barcode_image, before);
}
