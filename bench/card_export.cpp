// Card export of 1,000 spreadsheet rows on every core: to PNG at 300 dpi beside the encode-only
// floor (as many blank images of the same size encoded as PNG on every core), and to PDF.
// The card: a gradient fill, three bound texts, a bound photo and a bound QR code.
// Compare the PNG run with the floors: rendering, filling and writing should add little.

#include "GuiBenchMain.h"
#include "barcode/ControlBarcode.h"
#include "core/ControlArchive.h"
#include "core/ImageResolution.h"
#include "core/SKTGraphic.h"
#include "data/batch/BatchRunner.h"
#include "data/export/CardExport.h"
#include "platform/ImageWriter.h"
#include "platform/UiServices.h"

#include "BenchBadge.h"

#include <QBuffer>
#include <QImageWriter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kRows = 1000;

struct Design : BenchBadge {
    Design() : BenchBadge(kRows) {}
};

Design &design()
{
    static Design d;
    return d;
}

void BM_EncodeFloorPng300(benchmark::State &state)
{
    const QSize pixels = Pixel_Size_For_Points(QSizeF(243, 154), 300);
    for (auto _ : state) {
        BatchRunner runner;
        runner.Run<QByteArray>(
            0, kRows,
            [&](int) {
                QImage blank(pixels, QImage::Format_ARGB32_Premultiplied);
                blank.fill(Qt::transparent);
                if (state.range(0) == 1)
                    return platform::encodeImage(blank, "PNG", 300);
                QByteArray bytes;
                QBuffer buffer(&bytes);
                buffer.open(QIODevice::WriteOnly);
                QImageWriter(&buffer, "PNG").write(blank);
                return bytes;
            },
            [](int, QByteArray &bytes) { return !bytes.isEmpty(); });
    }
    state.counters["rows_per_second"] = benchmark::Counter(double(kRows) * state.iterations(), benchmark::Counter::kIsRate);
    state.counters["cores"] = double(BatchRunner().threads());
}

// The floor of the same pixels: eight rows drawn beforehand, then 1,000 of those pictures
// encoded as PNG on every core by the encoder the export uses (no drawing, no files). Against
// this the export adds filling, drawing and writing only; the blank floor above also leaves out
// what encoding a card's real content costs. The pictures go to the encoder as drawn, so it
// writes them as the export does: RGBA, since the card's rounded edges are not opaque.
void BM_EncodeFloorDrawnPng300(benchmark::State &state)
{
    std::vector<QImage> drawn;
    for (int row = 0; row < 8; ++row)
        drawn.push_back(design().design.Set_data_table_value_to_card(row, QStringLiteral("F"), false, BatchRender{300, -1}));
    // What the encoder makes of them: colour type 6 (RGBA) or 2 (RGB), byte 25 of a PNG.
    const QByteArray sample = platform::encodeImage(drawn.front(), "PNG", 300);
    state.SetLabel(sample.size() > 25 && sample.at(25) == 6 ? "RGBA, as the export writes" : "RGB");
    for (auto _ : state) {
        BatchRunner runner;
        runner.Run<QByteArray>(
            0, kRows, [&](int row) { return platform::encodeImage(drawn[std::size_t(row % 8)], "PNG", 300); },
            [](int, QByteArray &bytes) { return !bytes.isEmpty(); });
    }
    state.counters["rows_per_second"] = benchmark::Counter(double(kRows) * state.iterations(), benchmark::Counter::kIsRate);
}

void exportRows(benchmark::State &state, const char *format)
{
    platform::ScopedScriptedUi ui;
    ExportChoice choice;
    choice.format = QString::fromLatin1(format);
    choice.dpi = 300;
    for (auto _ : state) {
        QTemporaryDir out;
        CardExport run(design().design, choice);
        if (run.Export_Batch_File(out.path(), 0, kRows) != kRows) {
            state.SkipWithError("not every row was written");
            break;
        }
    }
    state.counters["rows_per_second"] = benchmark::Counter(double(kRows) * state.iterations(), benchmark::Counter::kIsRate);
}

void BM_ExportPng300(benchmark::State &state) { exportRows(state, "png"); }
void BM_ExportPdf(benchmark::State &state) { exportRows(state, "pdf"); }

// encoder 0: the general PNG encoder; 1: the one the export uses.
BENCHMARK(BM_EncodeFloorPng300)->Arg(0)->Arg(1)->ArgName("encoder")->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_EncodeFloorDrawnPng300)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_ExportPng300)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_ExportPdf)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

GUI_BENCHMARK_MAIN()
