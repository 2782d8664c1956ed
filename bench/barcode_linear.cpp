// Encoding and drawing every linear and postal symbology, as a batch export does for each data
// row: symbols per second, for the vector drawing alone and rasterised at 300 dpi.

#include "barcode/BarcodeRender.h"
#include "barcode/Symbologies.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

// Fonts need an application object; one for the whole run.
void ensureApplication()
{
    static int argc = 1;
    static char name[] = "bench_barcode_linear";
    static char *argv[] = {name, nullptr};
    if (!QGuiApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static QGuiApplication app(argc, argv);
    }
}

// A value each symbology takes.
QString valueFor(int index)
{
    static const char *const values[] = {
        "CARD-2024",          // Code 39
        "Card-2024/a",        // Extended Code 39
        "12345678",           // Interleaved 2 of 5
        "03600029145",        // UPCA
        "12345",              // PostNet
        "1234567",            // Modified Plessey
        "12AB34CD",           // Modified Plessey (Hex)
        "12345678",           // Industrial 2 of 5
        "590123412345",       // EAN-13
        "Visitor 0042",       // Code 128
        "VISITOR 0042",       // Code 128 SET A
        "Visitor 0042",       // Code 128 SET B
        "20240042",           // Code 128 SET C
        "A1234B",             // Codabar
        "0123456",            // UPCE
        "9638507",            // EAN-8
        "SN34RD1A",           // Royal Mail
        "12345678901",        // Planet
        "2630023 A7",         // Japan Post
    };
    return QString::fromLatin1(values[index]);
}

barcode::BarcodeSetup setupFor(int index)
{
    barcode::BarcodeSetup setup;
    setup.barcode_font_index = index;
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(10.0);
    setup.value_font_val = font;
    setup.header_font_val = font;
    setup.footer_font_val = font;
    return setup;
}

void BM_EncodeAndDraw(benchmark::State &state)
{
    ensureApplication();
    const int index = int(state.range(0));
    state.SetLabel(barcode::Linear_Symbology_Names().at(index).toStdString());
    const barcode::BarcodeSetup setup = setupFor(index);
    const QString value = valueFor(index);
    QImage canvas(400, 200, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        const barcode::BarcodeImage image = barcode::Render_Barcode(setup, value);
        if (!image.isValid()) {
            state.SkipWithError("value refused");
            break;
        }
        QPainter painter(&canvas);
        image.paint(painter);
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_EncodeAndRasterise300(benchmark::State &state)
{
    ensureApplication();
    const int index = int(state.range(0));
    state.SetLabel(barcode::Linear_Symbology_Names().at(index).toStdString());
    const barcode::BarcodeSetup setup = setupFor(index);
    const QString value = valueFor(index);
    for (auto _ : state) {
        const QImage image = barcode::Render_Barcode(setup, value).toImage(300.0);
        if (image.isNull()) {
            state.SkipWithError("value refused");
            break;
        }
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetItemsProcessed(state.iterations());
}

// Header and footer are drawn letter by letter; the cost must grow with the text, not its square.
void BM_DrawLongHeader(benchmark::State &state)
{
    ensureApplication();
    barcode::BarcodeSetup setup = setupFor(0);
    setup.header_val = QString(int(state.range(0)), QLatin1Char('H'));
    const barcode::BarcodeImage image = barcode::Render_Barcode(setup, valueFor(0));
    QImage canvas(400, 200, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&canvas);
        image.paint(painter);
    }
    state.SetComplexityN(state.range(0));
}

}  // namespace

BENCHMARK(BM_DrawLongHeader)->RangeMultiplier(4)->Range(64, 4096)->Complexity();
BENCHMARK(BM_EncodeAndDraw)->DenseRange(0, 18);
BENCHMARK(BM_EncodeAndRasterise300)->DenseRange(0, 18);
