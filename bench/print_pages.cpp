// Batch rows printed to a PDF file, 10 cards a sheet: a card with a box, three bound texts and a
// bound QR code, one spreadsheet row per card, the rows filled on every core while the pages
// stream into the file. Reports seconds, the 10,000-row time against the 1,000-row time, and the
// process's peak resident memory.

#include "GuiBenchMain.h"
#include "barcode/ControlBarcode.h"
#include "core/ControlArchive.h"
#include "core/SKTGraphic.h"
#include "data/batch/BatchBinding.h"
#include "data/batch/BatchEngine.h"
#include "output/print/PrintJob.h"

#include <QFileInfo>
#include <QPageSize>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>
#include <map>
#include <sys/resource.h>

namespace {

Printing_View makeView(int rows)
{
    barcode::Install_Control_Barcode_Provider();
    Card_Property card;
    card.setCard_Size(QSizeF(243, 154));
    std::vector<std::unique_ptr<SKTGraphic>> controls;
    auto add = [&](const char *cls, QRectF bounds, int column) -> SKTGraphic & {
        controls.push_back(Make_Graphic_Of_Class(QString::fromLatin1(cls)));
        SKTGraphic &g = *controls.back();
        g.setBounds(bounds);
        if (column > 0)
            Bind_Control_Data_Source(g, 2, {}, column, QStringLiteral("designed"));
        return g;
    };
    add("Shape_Control", QRectF(8, 8, 227, 138), 0)._fillColor = QColor(230, 240, 255);
    add("SKTText", QRectF(20, 20, 150, 24), 1).text_ctrl_font = QFont(QStringLiteral("DejaVu Sans"), 14);
    add("SKTText", QRectF(20, 50, 150, 20), 2).text_ctrl_font = QFont(QStringLiteral("DejaVu Sans"), 9);
    add("SKTText", QRectF(20, 110, 100, 16), 3).text_ctrl_font = QFont(QStringLiteral("DejaVu Sans"), 10);
    SKTGraphic &qr = add("SKTBarcode", QRectF(180, 90, 55, 55), 4);
    qr.linear_or_2d = 1;
    qr.qr_size_val = 50;
    qr.Set_Barcode_image_control_bounds(qr.bounds());

    QList<QStringList> sheet;
    for (int r = 0; r < rows; ++r)
        sheet << QStringList{QString::number(r + 1), QStringLiteral("Visitor Number %1").arg(r),
                             QStringLiteral("Head of Department %1").arg(r % 7), QStringLiteral("ID %1").arg(100000 + r),
                             QStringLiteral("https://example.org/badge/%1").arg(100000 + r)};
    auto batch = std::make_shared<BatchDesign>();
    batch->front = CardSide::copyOf(card, controls);
    batch->source = Check_Series_Or_Excel_Use_or_not(batch->front.list(), {}, false, sheet);

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
    const Printing_View view = makeView(rows);
    if (view.layout().cellsPerPage() != 10) {
        state.SkipWithError("the sheet does not hold 10 cards");
        return;
    }
    QTemporaryDir dir;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const PrintOutcome outcome = Print_To_Pdf_File(dir.filePath(QStringLiteral("run.pdf")), view);
        seconds[rows] = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (!outcome.ok || outcome.pages != rows / 10) {
            state.SkipWithError("the PDF was not written whole");
            return;
        }
        state.counters["pdf_mb"] = double(QFileInfo(dir.filePath(QStringLiteral("run.pdf"))).size()) / 1e6;
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["seconds"] = seconds[rows];
    state.counters["peak_rss_mb"] = double(usage.ru_maxrss) / 1024.0;
    state.counters["cores"] = double(std::thread::hardware_concurrency());
    if (seconds.count(1000) && rows != 1000)
        state.counters["ratio_to_1000"] = seconds[rows] / seconds[1000];
}
BENCHMARK(BM_PrintRowsToPdf)->Arg(1000)->Arg(10000)->ArgName("rows")->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

GUI_BENCHMARK_MAIN()
