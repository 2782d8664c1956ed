// Memory the spreadsheet table holds for 100,000 rows x 12 columns of typical cells (names,
// numbers, short texts), filled the way a workbook import fills it. Reported as counters:
// heap bytes the filled table holds, per cell (row number included), and the peak resident size.

#include "data/spreadsheet/Data_From_Excel.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/resource.h>

namespace {

constexpr int Rows = 100000;
constexpr int Columns = 12;

// Heap bytes in use now (small blocks and mapped ones): exact, unlike the resident size, which
// freed small blocks do not lower.
double heapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return double(info.uordblks) + double(info.hblkhd);
}

// The sheet as the reader hands it over: a title row, then the rows.
QList<QStringList> sheetRows()
{
    QList<QStringList> rows;
    rows.reserve(Rows + 1);
    QStringList titles;
    for (int c = 0; c < Columns; ++c)
        titles << QStringLiteral("Column title %1").arg(c + 1);
    rows << titles;
    for (int r = 0; r < Rows; ++r) {
        QStringList row;
        row.reserve(Columns);
        for (int c = 0; c < Columns; ++c)
            row << (c % 3 == 0 ? QString::number(100000 + r * Columns + c)
                    : c % 3 == 1 ? QStringLiteral("Name %1 Surname").arg(r)
                                 : QStringLiteral("Dept-%1").arg(c));
        rows << row;
    }
    return rows;
}

void BM_TableHolds100kRows(benchmark::State &state)
{
    static int argc = 1;
    static char name[] = "bench_table_memory";
    static char *argv[] = {name, nullptr};
    if (!QCoreApplication::instance())
        new QCoreApplication(argc, argv);
    QList<int> chosen;
    for (int c = 0; c < Columns; ++c)
        chosen << c;
    double added = 0;
    for (auto _ : state) {
        Data_From_Excel table;
        const double before = heapInUse();
        {
            const QList<QStringList> rows = sheetRows();
            table.fillFromSheet(rows, chosen, true);
        }  // the reader's rows are gone: what stays is the table's own
        added = heapInUse() - before;
        benchmark::DoNotOptimize(table.rowCount());
    }
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["table_MB"] = added / 1e6;
    state.counters["bytes_per_cell"] = added / (double(Rows) * (Columns + 1));
    state.counters["peak_rss_MB"] = double(usage.ru_maxrss) / 1024.0;
}
BENCHMARK(BM_TableHolds100kRows)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
