// A generated series of 10,000 padded, prefixed numbers written as a series file and read back,
// as the generator and the series manager do it. Should stay well under a second.

#include "core/Globals.h"
#include "data/SeriesFiles.h"
#include "data/SeriesGenerator.h"

#include <QDir>
#include <QTemporaryDir>

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
}  // namespace
