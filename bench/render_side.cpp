// A card side with text, shapes and a photo rendered and written to PNG at 300 and 600 dpi,
// as a batch export does for every data row. Reports cards per second.

#include "GuiBenchMain.h"
#include "core/Card_Property.h"
#include "core/SKTImage.h"
#include "core/SKTRenderingView.h"
#include "core/SKTText.h"
#include "core/Shape_Control.h"
#include "platform/ImageWriter.h"

#include <QPainter>
#include <QTemporaryDir>

#include <chrono>

#include "BenchPictures.h"

#include <benchmark/benchmark.h>

namespace {

struct Card {
    Card_Property card;
    std::vector<std::unique_ptr<SKTGraphic>> controls;

    Card()
    {
        card.setCard_Size(QSizeF(243, 154));
        card.setCard_fill_chk(true);
        card.setCard_fill_style(QStringLiteral("G"));
        card.setCard_fill_Grd_1_clr(QColor(230, 240, 255));
        card.setCard_fill_Grd_2_clr(QColor(180, 200, 240));
        card.setCard_border_chk(true);
        auto text = [&](const QString &value, const QRectF &bounds, int size, bool shadow) {
            auto t = std::make_unique<SKTText>();
            t->_bounds = bounds;
            t->text_ctrl_font = QFont(QStringLiteral("DejaVu Sans"), size);
            t->Set_text_value(value);
            t->Drawing_Shadow = shadow;
            t->Shadow_blur = 2;
            t->Shadow_transparency = 0.5f;
            controls.push_back(std::move(t));
        };
        text(QStringLiteral("Jane Example"), QRectF(100, 20, 135, 24), 16, true);
        text(QStringLiteral("Head of Visitor Services"), QRectF(100, 48, 135, 30), 9, false);
        text(QStringLiteral("ID 000123"), QRectF(100, 110, 135, 16), 10, false);
        auto band = std::make_unique<Shape_Control>();
        band->_bounds = QRectF(0, 130, 243, 24);
        band->_fillColor = QColor(20, 60, 140);
        controls.push_back(std::move(band));
        auto ring = std::make_unique<Shape_Control>();
        ring->_shape_type = QStringLiteral("C");
        ring->_bounds = QRectF(200, 90, 30, 30);
        controls.push_back(std::move(ring));
        controls.push_back(SKTImage::initWithPosition(QPointF(50, 70), benchPhoto(400, 500)));
        SKTGraphic &picture = *controls.back();
        picture._bounds = QRectF(12, 12, 80, 100);
        picture._file_path = QStringLiteral("photo.png");
    }
};

void BM_WriteSidePng(benchmark::State &state)
{
    const double dpi = double(state.range(0));
    Card card;
    const CardSide side = CardSide::copyOf(card.card, card.controls);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Card_1.png"));
    for (auto _ : state) {
        QString error;
        if (!SKTRenderingView::Write_Side_File(side, path, dpi, &error)) {
            state.SkipWithError(error.toUtf8().constData());
            break;
        }
    }
    state.counters["cards_per_second"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_WriteSidePng)->Arg(300)->Arg(600)->Unit(benchmark::kMillisecond)->UseRealTime();

// The whole write against its floor: the same pixels, already drawn, only encoded and written.
// "to_floor" is the ratio of the two; drawing the card should add little to the encoding.
void BM_SidePngAgainstEncodeFloor(benchmark::State &state)
{
    const double dpi = double(state.range(0));
    Card card;
    const CardSide side = CardSide::copyOf(card.card, card.controls);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Card_1.png"));
    // The card is opaque, so the writer encodes it as RGB: the floor starts from those pixels.
    const QImage drawn = SKTRenderingView::image_From_Card_Graphics(side, dpi).convertToFormat(QImage::Format_RGB32);
    using Clock = std::chrono::steady_clock;
    Clock::duration whole{}, floor{};
    for (auto _ : state) {
        const auto t0 = Clock::now();
        QString error;
        if (!SKTRenderingView::Write_Side_File(side, path, dpi, &error)) {
            state.SkipWithError(error.toUtf8().constData());
            break;
        }
        const auto t1 = Clock::now();
        if (!platform::writeImageFile(drawn, path, dpi, &error)) {
            state.SkipWithError(error.toUtf8().constData());
            break;
        }
        const auto t2 = Clock::now();
        whole += t1 - t0;
        floor += t2 - t1;
        state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
    }
    const double floorSeconds = std::chrono::duration<double>(floor).count();
    if (floorSeconds > 0)
        state.counters["to_floor"] = std::chrono::duration<double>(whole).count() / floorSeconds;
    state.counters["floor_ms"] = state.iterations() ? 1e3 * floorSeconds / double(state.iterations()) : 0.0;
}
BENCHMARK(BM_SidePngAgainstEncodeFloor)->Arg(300)->Arg(600)->Unit(benchmark::kMillisecond)->UseManualTime();

}  // namespace

GUI_BENCHMARK_MAIN()
