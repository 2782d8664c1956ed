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

#include "BenchBadge.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kRows = 96;

struct Run : BenchBadge {
    Run() : BenchBadge(kRows) {}
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
