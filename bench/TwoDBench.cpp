// Encoding speed of the two-dimensional symbols: QR Code at versions 1, 10 and 40, PDF417 and
// Data Matrix, each alone and as the finished image at print resolution.
#include "GuiBenchMain.h"
#include "barcode/BarcodeRender.h"
#include "barcode/DataMatrixSymbol.h"
#include "barcode/PDF417View.h"
#include "barcode/QREncode.h"
#include "barcode/QREncoder.h"
#include "barcode/Symbologies.h"

#include <benchmark/benchmark.h>

#include <string>

using namespace barcode;

namespace {

std::string payload(size_t n)
{
    static const char alphabet[] = "The quick brown fox 0123456789 jumps over ABC-42 / lazy dogs. ";
    std::string s;
    for (size_t i = 0; i < n; ++i)
        s += alphabet[(i * 7) % (sizeof alphabet - 1)];
    return s;
}

// Version, payload bytes (about three quarters of the version's byte capacity at level M).
const int kVersions[][2] = {{1, 10}, {10, 160}, {40, 1700}};

void BM_QR_Encode(benchmark::State &state)
{
    const int version = kVersions[state.range(0)][0];
    const std::string text = payload(size_t(kVersions[state.range(0)][1]));
    for (auto _ : state) {
        CQR_Encode enc;
        const bool ok = enc.EncodeData(1, version, false, -1, text.data(), int(text.size()));
        benchmark::DoNotOptimize(ok);
        if (!ok)
            state.SkipWithError("QR encoding failed");
    }
    state.SetLabel("version " + std::to_string(version));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_QR_Encode)->DenseRange(0, 2);

void BM_QR_Image600(benchmark::State &state)
{
    const int version = kVersions[state.range(0)][0];
    const QString text = QString::fromStdString(payload(size_t(kVersions[state.range(0)][1])));
    for (auto _ : state) {
        const auto grid = QREncoder::encodeWithECLevel(1, version, text);
        const TwoDImage img = QREncoder::renderDataMatrix(grid.get(), 144, 600);
        benchmark::DoNotOptimize(img.pixels.constBits());
    }
    state.SetLabel("version " + std::to_string(version));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_QR_Image600)->DenseRange(0, 2);

// What a card export does for a QR control: Render_Barcode, then its picture at 300 dpi. The
// modules are painted once, straight at the target resolution; compare with BM_QR_Encode.
void BM_QR_RenderBarcode300(benchmark::State &state)
{
    const int version = kVersions[state.range(0)][0];
    const QString text = QString::fromStdString(payload(size_t(kVersions[state.range(0)][1])));
    BarcodeSetup setup;
    setup.linear_or_2d = 1;
    setup.barcode_font_index = int(TwoD_Symbology_Names().indexOf(QStringLiteral("QR Code")));
    setup.qr_ec_index = 1;
    setup.qr_version_index = version;
    setup.qr_size_val = 144;
    for (auto _ : state) {
        const QImage image = Render_Barcode(setup, text).toImage(300.0);
        if (image.isNull()) {
            state.SkipWithError("not drawn");
            break;
        }
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetLabel("version " + std::to_string(version));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_QR_RenderBarcode300)->DenseRange(0, 2);

void BM_PDF417_Encode(benchmark::State &state)
{
    const std::string text = payload(size_t(state.range(0)));
    for (auto _ : state) {
        _pdf417param p;
        pdf417init(&p);
        p.text = text.data();
        p.lenText = int(text.size());
        p.options = PDF417_INVERT_BITMAP | PDF417_USE_ERROR_LEVEL;
        p.errorLevel = 2;
        p.aspectRatio = 1.0f;
        paintCode(&p);
        benchmark::DoNotOptimize(p.outBits.data());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PDF417_Encode)->Arg(20)->Arg(200)->Arg(1000);

void BM_PDF417_Image600(benchmark::State &state)
{
    const QString text = QString::fromStdString(payload(size_t(state.range(0))));
    pdf417View view(QSizeF(200, 60));
    for (auto _ : state) {
        view.drawWithText(text);
        benchmark::DoNotOptimize(view.getImage().pixels.constBits());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PDF417_Image600)->Arg(20)->Arg(200);

void BM_DataMatrix_Encode(benchmark::State &state)
{
    const QByteArray text = QByteArray::fromStdString(payload(size_t(state.range(0))));
    for (auto _ : state) {
        const DataMatrixGrid grid = Encode_DataMatrix(text, 0, 0, int(state.range(1)));
        benchmark::DoNotOptimize(grid.cells.data());
    }
    state.SetLabel(state.range(1) == 4 ? "Base256 (libdmtx)" : "automatic (libiec16022)");
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DataMatrix_Encode)->Args({20, 0})->Args({200, 0})->Args({20, 4})->Args({200, 4});

void BM_DataMatrix_Image600(benchmark::State &state)
{
    const QByteArray text = QByteArray::fromStdString(payload(size_t(state.range(0))));
    for (auto _ : state) {
        const DataMatrixGrid grid = Encode_DataMatrix(text, 0, 0, 0);
        const TwoDImage img = DataMatrix_Image(grid, 2, 600);
        benchmark::DoNotOptimize(img.pixels.constBits());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DataMatrix_Image600)->Arg(20)->Arg(200);

}  // namespace

GUI_BENCHMARK_MAIN()
