// Batch rows filled and rendered at 300 dpi: a card with three bound texts, a bound photo path
// and a bound QR code, one spreadsheet row per card, on one thread and on every core.
// Reports rows per second.

#include "GuiBenchMain.h"
#include "barcode/ControlBarcode.h"
#include "core/Card_Property.h"
#include "core/ControlArchive.h"
#include "core/SKTGraphic.h"
#include "data/batch/BatchEngine.h"
#include "data/batch/BatchRunner.h"

#include "BenchPictures.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kRows = 96;

struct Run {
    QTemporaryDir dir;
    Card_Property card;
    BatchDesign design;

    Run()
    {
        barcode::Install_Control_Barcode_Provider();
        card.setCard_Size(QSizeF(243, 154));
        card.setCard_fill_chk(true);
        card.setCard_fill_style(QStringLiteral("G"));
        card.setCard_fill_Grd_1_clr(QColor(230, 240, 255));
        card.setCard_fill_Grd_2_clr(QColor(180, 200, 240));
        QList<QStringList> rows;
        for (int i = 0; i < 4; ++i)
            benchPhoto(400 + i, 500).save(dir.filePath(QStringLiteral("photo%1.jpg").arg(i)));
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

void BM_BatchRowsAt300Dpi(benchmark::State &state)
{
    static Run run;
    const BatchRender render{300, -1};
    std::int64_t rows = 0;
    for (auto _ : state) {
        BatchRunner runner(int(state.range(0)));
        BatchProblems problems;
        rows += runner.Run<QImage>(
            0, kRows,
            [&](int row) { return run.design.Set_data_table_value_to_card(row, QStringLiteral("F"), false, render, &problems); },
            [](int, QImage &card) { return !card.isNull(); });
        if (problems.count() > 0) {
            state.SkipWithError("a row's barcode was refused");
            break;
        }
    }
    state.counters["rows_per_second"] = benchmark::Counter(double(rows), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_BatchRowsAt300Dpi)->Arg(1)->Arg(0)->ArgName("threads")->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

GUI_BENCHMARK_MAIN()
