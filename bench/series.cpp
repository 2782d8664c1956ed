// A generated series of 10,000 padded, prefixed numbers written as a series file and read back,
// as the generator and the series manager do it. Should stay well under a second.

#include "core/Globals.h"
#include "data/ImportText.h"
#include "data/SeriesFiles.h"
#include "data/SeriesGenerator.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <benchmark/benchmark.h>

namespace {
SeriesGenInput tenThousand()
{
    SeriesGenInput in;
    in.prefix = QStringLiteral("EMP-");
    in.from = QStringLiteral("1");
    in.to = QStringLiteral("10000");
    in.padDigits = true;
    return in;
}

void BM_GenerateAndWriteSeries(benchmark::State &state)
{
    QTemporaryDir dir;
    Data_Folder_Path = dir.path();
    const SeriesGenInput in = tenThousand();
    for (auto _ : state) {
        const bool ok = Write_Series_File(Series_File_Path(QStringLiteral("Staff")),
                                          [&](const auto &add) { Generate_Series_Values(in, add); });
        benchmark::DoNotOptimize(ok);
    }
}
BENCHMARK(BM_GenerateAndWriteSeries)->Unit(benchmark::kMillisecond);

void BM_ReadSeries(benchmark::State &state)
{
    QTemporaryDir dir;
    Data_Folder_Path = dir.path();
    const SeriesGenInput in = tenThousand();
    Write_Series_File(Series_File_Path(QStringLiteral("Staff")), [&](const auto &add) { Generate_Series_Values(in, add); });
    for (auto _ : state)
        benchmark::DoNotOptimize(Read_Series_Values(Series_File_Path(QStringLiteral("Staff"))));
}
BENCHMARK(BM_ReadSeries)->Unit(benchmark::kMillisecond);

// The hostile-input targets of text imports and series files: at most 3 s and 400 MB for one
// file at the byte limit (63 MB), whether it is refused for its value count (short lines, CRLF
// alone) or read whole (a million lines of 60 characters, the value limit).
long peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

QByteArray fileOfKind(int kind)
{
    switch (kind) {
    case 0: return QByteArray("a\n").repeated(63 << 19);                      // 33 M short lines
    case 1: return QByteArray("\r\n").repeated(30 << 20);                     // line ends alone
    case 2: return QByteArray("a,").repeated(63 << 19);                        // CSV of short fields
    default: return (QByteArray(59, 'v') + '\n').repeated(1'000'000 - 1);      // the value limit
    }
}

void BM_ImportTextAtTheByteLimit(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(state.range(0) == 2 ? QStringLiteral("big.csv") : QStringLiteral("big.txt"));
    {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(fileOfKind(int(state.range(0))));
    }
    for (auto _ : state) {
        const TextFileImport read = Read_Text_File_Values(path);
        if ((read.status == TextFileImport::Ok) != (state.range(0) == 3))
            state.SkipWithError("the file was not refused or read as expected");
        benchmark::DoNotOptimize(read.values.size());
    }
    state.counters["peak_MB"] = double(peakMegabytes());
}
BENCHMARK(BM_ImportTextAtTheByteLimit)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_ReadSeriesAtTheValueLimit(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.txt"));
    {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(fileOfKind(3));
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(Read_Series_Values(path).size());
    state.counters["peak_MB"] = double(peakMegabytes());
}
BENCHMARK(BM_ReadSeriesAtTheValueLimit)->Unit(benchmark::kMillisecond)->Iterations(1);
}  // namespace
