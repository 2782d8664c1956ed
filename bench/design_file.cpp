// A design with 200 controls (every kind, a barcode picture among them) saved to a design file
// and opened again, as Save and Open do it.

#include "core/ControlArchive.h"
#include "core/DesignFile.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

std::shared_ptr<SKTGraphic> control(int i)
{
    static const char *classes[] = {"SKTText", "Shape_Control", "SKTLine", "SKTImage", "SKTBarcode", "SKTSignature"};
    std::shared_ptr<SKTGraphic> g = Make_Graphic_Of_Class(QString::fromLatin1(classes[i % 6]));
    g->_bounds = QRectF(i % 50, i % 30, 40 + i % 7, 20 + i % 5);
    g->control_ID = QStringLiteral("F_field%1").arg(i);
    g->Text_Value = QStringLiteral("Value of control %1").arg(i);
    if (g->kind() == SKTGraphicKind::Barcode) {
        QImage picture(160, 60, QImage::Format_ARGB32);
        picture.fill(Qt::white);
        for (int x = 0; x < 160; x += 3 + (x / 7) % 3)
            for (int y = 0; y < 60; ++y)
                picture.setPixel(x, y, qRgb(0, 0, 0));
        g->_barcode_image = picture;
    }
    return g;
}

struct Setup {
    Setup()
    {
        static int argc = 1;
        static char name[] = "bench_design_file";
        static char *argv[] = {name, nullptr};
        if (!QGuiApplication::instance())
            app = new QGuiApplication(argc, argv);
        for (int i = 0; i < 200; ++i)
            (i % 2 ? design.backControls : design.frontControls).push_back(control(i));
        path = dir.filePath(QStringLiteral("bench.did"));
    }
    QGuiApplication *app = nullptr;
    DesignData design;
    QTemporaryDir dir;
    QString path;
};

Setup &setup()
{
    static Setup s;
    return s;
}

void BM_SaveDesign200(benchmark::State &state)
{
    Setup &s = setup();
    for (auto _ : state) {
        if (!Write_Design_File(s.path, s.design, false).ok())
            state.SkipWithError("save failed");
    }
}
BENCHMARK(BM_SaveDesign200)->Unit(benchmark::kMillisecond);

void BM_OpenDesign200(benchmark::State &state)
{
    Setup &s = setup();
    Write_Design_File(s.path, s.design, false);
    for (auto _ : state) {
        DesignReadResult read = Read_Design_File(s.path);
        if (!read.ok())
            state.SkipWithError("open failed");
        benchmark::DoNotOptimize(read.design);
    }
}
BENCHMARK(BM_OpenDesign200)->Unit(benchmark::kMillisecond);

}  // namespace
