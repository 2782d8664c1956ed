// The full filter chain on a photo-sized picture, as the cropping tool and the image controls
// run it each time a slider moves.

#include "imageops/ImageProcesser.h"

#include <QImage>

#include "BenchPictures.h"

#include <benchmark/benchmark.h>

namespace {

ImageAdjustments everyStage()
{
    ImageAdjustments s;
    s.grayscale = true;
    s.sepia = true;
    s.hue = 0.4f;
    s.sat = 1.3f;
    s.brt = 0.05f;
    s.con = 1.1f;
    s.r = 0.4f;
    s.g = 0.5f;
    s.b = 4.0f;
    s.flip_H = true;
    s.flip_V = true;
    s.rotate = 30.0f;
    return s;
}

void FullChain1000(benchmark::State &state)
{
    const QImage source = benchPhoto(1000, 1000);
    const ImageAdjustments s = everyStage();
    for (auto _ : state)
        benchmark::DoNotOptimize(ImageProcesser::Get_Processed_Image_Full_Combined(source, s));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(FullChain1000)->Unit(benchmark::kMillisecond);

void ColourStagesOnly1000(benchmark::State &state)
{
    const QImage source = benchPhoto(1000, 1000);
    ImageAdjustments s;
    s.hue = 0.4f;
    s.sat = 1.3f;
    s.con = 1.1f;
    for (auto _ : state)
        benchmark::DoNotOptimize(ImageProcesser::Get_Processed_Image_Full_Combined(source, s));
}
BENCHMARK(ColourStagesOnly1000)->Unit(benchmark::kMillisecond);

void BoxBlur1000(benchmark::State &state)
{
    const QImage source = benchPhoto(1000, 1000);
    ImageAdjustments s;
    s.b = float(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(ImageProcesser::Get_Processed_Image_Full_Combined(source, s));
}
BENCHMARK(BoxBlur1000)->Arg(2)->Arg(20)->Unit(benchmark::kMillisecond);

}  // namespace
