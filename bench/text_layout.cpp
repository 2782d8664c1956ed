// A text control holding one word far longer than its line, drawn as every repaint, export and
// print draws it. The time per drawing should grow with the word's length, not its square.

#include "GuiBenchMain.h"
#include "core/SKTText.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

void BM_DrawLongWord(benchmark::State &state)
{
    SKTText text;
    text.setBounds(QRectF(10, 10, 200, 40));
    text.setScriptingContents(QString(qsizetype(state.range(0)), QLatin1Char('W')));
    QImage image(243, 154, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        text.drawContentsInView(painter, false);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_DrawLongWord)->RangeMultiplier(4)->Range(5000, 320000)->Unit(benchmark::kMillisecond);

}  // namespace

GUI_BENCHMARK_MAIN()
