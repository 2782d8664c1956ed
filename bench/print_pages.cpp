// Batch rows printed to a PDF file, 10 cards a sheet: the benchmark badge (a gradient card with
// three bound texts, a bound photo and a bound QR code over a light box at the back), one
// spreadsheet row per card, pages drawn on every core while they stream into the file in order.
// Reports seconds, the time against the 1,000-row time (linear: rows / 1,000), the process's
// peak resident memory and the machine's load when the run ended.

#include "GuiBenchMain.h"
#include "core/ControlArchive.h"
#include "core/Shape_Control.h"
#include "output/print/PrintJob.h"

#include "BenchBadge.h"

#include <QFileInfo>
#include <QPdfWriter>
#include <QSaveFile>
#include <QPageSize>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <map>
#include <sys/resource.h>

namespace {

Printing_View makeView(BenchBadge &badge, int rows)
{
    // The box lies behind everything else (the last control is drawn first).
    auto box = std::make_unique<Shape_Control>();
    box->setBounds(QRectF(6, 6, 231, 142));
    box->_fillColor = QColor(250, 250, 245);
    badge.design.front.controls.push_back(std::move(box));
    auto batch = std::make_shared<BatchDesign>(badge.design);

    PrintLayout layout;
    layout.Print_Card_Side = QStringLiteral("F");
    layout.label_align_val = 5;
    const PaperInfo paper = Paper_Info_From_Page_Layout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(18, 18, 18, 18), QPageLayout::Point));
    Set_values_From_Printer(layout, paper);
    LayoutFields fields{3, 3, 0, 85.6f, 54, 2, 5};
    Check_Max_Cell_Value(layout, paper, fields);
    PrintContent content{batch->front, {}, false, 0, batch};
    return Printing_View(QRectF(QPointF(), paper.paperSize), layout, paper, Print_Run_For_Range(true, rows, 0, 0, false),
                         std::move(content), true);
}

std::map<int, double> seconds;

void BM_PrintRowsToPdf(benchmark::State &state)
{
    const int rows = int(state.range(0));
    BenchBadge badge(rows);
    const Printing_View view = makeView(badge, rows);
    if (view.layout().cellsPerPage() != 10) {
        state.SkipWithError("the sheet does not hold 10 cards");
        return;
    }
    const QString pdf = badge.dir.filePath(QStringLiteral("run.pdf"));
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const PrintOutcome outcome = Print_To_Pdf_File(pdf, view);
        seconds[rows] = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (!outcome.ok || outcome.pages != rows / 10) {
            state.SkipWithError("the PDF was not written whole");
            return;
        }
        state.counters["pdf_mb"] = double(QFileInfo(pdf).size()) / 1e6;
    }
    // Set BENCH_KEEP_PDF to a folder to keep the file for checking it with pdftotext/ZXingReader.
    if (const QByteArray keep = qgetenv("BENCH_KEEP_PDF"); !keep.isEmpty())
        QFile::copy(pdf, QString::fromLocal8Bit(keep) + QStringLiteral("/print_%1.pdf").arg(rows));
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    double load[1] = {0};
    getloadavg(load, 1);
    state.counters["seconds"] = seconds[rows];
    state.counters["peak_rss_mb"] = double(usage.ru_maxrss) / 1024.0;
    state.counters["cores"] = double(std::thread::hardware_concurrency());
    state.counters["load"] = load[0];
    if (seconds.count(1000) && rows != 1000)
        state.counters["ratio_to_1000"] = seconds[rows] / seconds[1000];
}
BENCHMARK(BM_PrintRowsToPdf)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->ArgName("rows")
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The printer's road for comparison: rows filled on every core, but every page drawn by the one
// thread that holds the device (a QPdfWriter here, as the print system's PDF engine behind a
// printer).
void BM_PrintRowsOnOneWriter(benchmark::State &state)
{
    const int rows = int(state.range(0));
    BenchBadge badge(rows);
    const Printing_View view = makeView(badge, rows);
    double taken = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        QSaveFile file(badge.dir.filePath(QStringLiteral("one.pdf")));
        file.open(QIODevice::WriteOnly);
        PrintOutcome outcome;
        {
            QPdfWriter pdf(&file);
            pdf.setPageLayout(view.paper().pageLayout);
            pdf.setResolution(1200);
            outcome = Print_Pages(pdf, view);
        }
        file.cancelWriting();
        taken = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (!outcome.ok || outcome.pages != rows / 10) {
            state.SkipWithError("the pages were not drawn");
            return;
        }
    }
    state.counters["seconds"] = taken;
    // How many times faster the file of the same rows came with pages drawn on every core.
    if (seconds.count(rows) && seconds[rows] > 0)
        state.counters["every_core_speedup"] = taken / seconds[rows];
}
BENCHMARK(BM_PrintRowsOnOneWriter)->Arg(1000)->Arg(10000)->ArgName("rows")->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

GUI_BENCHMARK_MAIN()
