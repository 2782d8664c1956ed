// Card export of 1,000 spreadsheet rows on every core: to PNG at 300 dpi beside the encode-only
// floor (as many blank images of the same size encoded as PNG on every core), and to PDF.
// The card: a gradient fill, three bound texts, a bound photo and a bound QR code.
// Compare the PNG run with the floor: rendering, filling and writing should add little.

#include "GuiBenchMain.h"
#include "barcode/ControlBarcode.h"
#include "core/ControlArchive.h"
#include "core/ImageResolution.h"
#include "core/SKTGraphic.h"
#include "data/batch/BatchRunner.h"
#include "data/export/CardExport.h"
#include "platform/ImageWriter.h"
#include "platform/UiServices.h"

#include "BenchPictures.h"

#include <QBuffer>
#include <QImageWriter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kRows = 1000;

struct Design {
    QTemporaryDir dir;
    Card_Property card;
    BatchDesign design;

    Design()
    {
        barcode::Install_Control_Barcode_Provider();
        card.setCard_Size(QSizeF(243, 154));
        card.setCard_fill_chk(true);
        card.setCard_fill_style(QStringLiteral("G"));
        card.setCard_fill_Grd_1_clr(QColor(230, 240, 255));
        card.setCard_fill_Grd_2_clr(QColor(180, 200, 240));
        for (int i = 0; i < 4; ++i)
            benchPhoto(400 + i, 500).save(dir.filePath(QStringLiteral("photo%1.jpg").arg(i)));
        QList<QStringList> rows;
        for (int r = 0; r < kRows; ++r)
            rows << QStringList{QString::number(r + 1), QStringLiteral("Visitor Number %1").arg(r),
                                QStringLiteral("Head of Department %1").arg(r % 7), QStringLiteral("ID %1").arg(100000 + r),
                                dir.filePath(QStringLiteral("photo%1.jpg").arg(r % 4)),
                                QStringLiteral("https://example.org/badge/%1").arg(100000 + r)};
        std::vector<std::unique_ptr<SKTGraphic>> controls;
        auto bound = [&](const char *cls, QRectF bounds, int column) -> SKTGraphic & {
            controls.push_back(Make_Graphic_Of_Class(QString::fromLatin1(cls)));
            SKTGraphic &g = *controls.back();
            g.setBounds(bounds);
            g.Set_Data_source_type(2);
            g.Set_Excel_binding_Index(column);
            return g;
        };
        bound("SKTText", QRectF(100, 20, 135, 24), 1).text_ctrl_font = QFont(QStringLiteral("DejaVu Sans"), 14);
        bound("SKTText", QRectF(100, 48, 135, 30), 2).text_ctrl_font = QFont(QStringLiteral("DejaVu Sans"), 9);
        bound("SKTText", QRectF(100, 110, 80, 16), 3).text_ctrl_font = QFont(QStringLiteral("DejaVu Sans"), 10);
        bound("SKTImage", QRectF(12, 12, 80, 100), 4);
        SKTGraphic &qr = bound("SKTBarcode", QRectF(190, 100, 50, 50), 5);
        qr.linear_or_2d = 1;
        qr.qr_size_val = 45;
        qr.Set_Barcode_image_control_bounds(qr.bounds());
        design.front = CardSide::copyOf(card, controls);
        design.source = Check_Series_Or_Excel_Use_or_not(design.front.list(), {}, false, rows);
    }
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
BENCHMARK(BM_ExportPng300)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_ExportPdf)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

GUI_BENCHMARK_MAIN()
