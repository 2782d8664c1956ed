// Design files as Save and Open handle them: 5,000 mixed controls with real pictures (photos
// from files, shared by many image controls, and rendered barcodes), and a spreadsheet table of
// 100,000 rows of 12 columns. Each benchmark reports the peak resident memory of the process
// (getrusage) and the resident memory before it started; run one at a time
// (--benchmark_filter=...) for a peak of its own. The files opened are written by a child
// process, so an open's peak is the open's own.

#include "GuiBenchMain.h"
#include "barcode/ControlBarcode.h"
#include "core/ControlArchive.h"
#include "core/DesignFile.h"
#include "core/SKTImage.h"
#include "platform/Plist.h"

#include <QDateTime>
#include <QFile>
#include <QProcess>

#include <optional>
#include <QTemporaryDir>

#include <sys/resource.h>
#include <unistd.h>

#include "BenchPictures.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kPhotos = 20;

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

double residentMegabytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0) : 0;
}

struct Files {
    QTemporaryDir dir;
    QStringList photos;
    Files()
    {
        for (int i = 0; i < kPhotos; ++i) {
            photos.append(dir.filePath(QStringLiteral("photo%1.jpg").arg(i)));
            benchPhoto(1600 + 8 * i, 1200).save(photos.back(), "JPG", 90);
        }
    }
    QString design() const { return dir.filePath(QStringLiteral("bench.did")); }
};

Files &files()
{
    static Files f;
    return f;
}

std::shared_ptr<SKTGraphic> control(int i)
{
    static const char *classes[] = {"SKTText", "Shape_Control", "SKTLine", "SKTImage", "SKTBarcode", "SKTSignature"};
    const QPointF at(10 + i % 50, 10 + i % 30);
    std::shared_ptr<SKTGraphic> g;
    if (i % 6 == 3)
        g = SKTImage::initWithPath(at, files().photos[(i / 6) % kPhotos]);
    else
        g = Make_Graphic_Of_Class(QString::fromLatin1(classes[i % 6]));
    g->control_ID = QStringLiteral("F_field%1").arg(i);
    g->Text_Value = QStringLiteral("Value of control %1").arg(i);
    if (g->kind() != SKTGraphicKind::Image)
        g->_bounds = QRectF(at, QSizeF(40 + i % 7, 20 + i % 5));
    if (g->kind() == SKTGraphicKind::Barcode) {
        // Every other barcode a QR code, the rest Code 128, each with a value of its own.
        g->linear_or_2d = (i / 6) % 2;
        g->qr_size_val = 40;
        g->linear_width_val = 12;
        g->linear_height_val = 4;
        g->two_d_font_val = QStringLiteral("badge %1").arg(i);
        g->linear_font_val = QStringLiteral("ID%1").arg(100000 + i);
        barcode::Install_Control_Barcode_Provider().Build_Barcode_Image(*g, barcode::Control_Barcode_Value(*g));
    }
    return g;
}

DesignData mixedDesign()
{
    DesignData design;
    for (int i = 0; i < 5000; ++i)
        (i % 2 ? design.backControls : design.frontControls).push_back(control(i));
    return design;
}

DesignData tableDesign()
{
    DesignData design;
    design.Excel_Binding_Use = true;
    design.columnTitles.append(QStringLiteral("No."));
    for (int c = 1; c <= 12; ++c)
        design.columnTitles.append(QStringLiteral("Column title %1").arg(c));
    for (int r = 0; r < 100000; ++r) {
        QVariantMap row{{QStringLiteral("Extension"), QString::number(r + 1)}};
        for (int c = 1; c <= 12; ++c)
            row.insert(QStringLiteral("Column%1").arg(c), QStringLiteral("r%1 value %2").arg(r).arg(c));
        design.tableRows.append(row);
    }
    return design;
}

void report(benchmark::State &state, double residentBefore)
{
    state.counters["peak_MB"] = peakMegabytes();
    state.counters["before_MB"] = residentBefore;
    state.counters["file_MB"] = double(QFile(files().design()).size()) / (1024.0 * 1024.0);
}

QString g_self;

// The design file, written by a child process.
bool written(benchmark::State &state, const char *which)
{
    if (QProcess::execute(g_self, {QStringLiteral("--write-design"), QLatin1String(which), files().design()}) == 0)
        return true;
    state.SkipWithError("save failed");
    return false;
}

// Saving a design that was opened (and a first save of pictures made since: once only).
void save(benchmark::State &state, const char *which)
{
    const std::optional<DesignData> read =
        written(state, which) ? Read_Design_File(files().design()).design : std::nullopt;
    if (!read)
        return;
    const DesignData &design = *read;
    const double before = residentMegabytes();
    for (auto _ : state) {
        const DesignWriteResult result = Write_Design_File(files().design(), design, false);
        if (!result.ok()) {
            state.SkipWithError(result.message().toUtf8().constData());
            break;
        }
    }
    report(state, before);
}

void open(benchmark::State &state, const char *which)
{
    if (!written(state, which))
        return;
    const double before = residentMegabytes();
    for (auto _ : state) {
        DesignReadResult read = Read_Design_File(files().design());
        if (!read.ok()) {
            state.SkipWithError(read.detail.toUtf8().constData());
            break;
        }
        benchmark::DoNotOptimize(read.design);
    }
    report(state, before);
}

void BM_SaveDesign5000(benchmark::State &state) { save(state, "mixed"); }
void BM_OpenDesign5000(benchmark::State &state) { open(state, "mixed"); }
void BM_SaveTable100k(benchmark::State &state) { save(state, "table"); }
void BM_OpenTable100k(benchmark::State &state) { open(state, "table"); }

BENCHMARK(BM_SaveDesign5000)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);
BENCHMARK(BM_OpenDesign5000)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);
BENCHMARK(BM_SaveTable100k)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_OpenTable100k)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// Twelve image controls, each referring to a different 8000 x 7999 PNG: the open decodes their
// 500-pixel previews row by row, on every core (target: well under 3 s and 400 MB).
void BM_OpenDesignOf12LargePictures(benchmark::State &state)
{
    static QTemporaryDir dir;
    DesignData design;
    for (int i = 0; i < 12; ++i) {
        const QString path = dir.filePath(QStringLiteral("big-%1.png").arg(i));
        if (!QFile::exists(path)) {
            QImage picture(8000, 7999, QImage::Format_RGB32);
            picture.fill(QColor(20 * i, 100, 200));
            picture.save(path);
        }
        auto image = Make_Graphic_Of_Kind(SKTGraphicKind::Image);
        image->setBounds(QRectF(10, 10, 60, 40));
        image->_file_path = path;
        design.frontControls.push_back(std::move(image));
    }
    const QByteArray bytes = platform::plistSerialize(*Design_To_Array(design, false));
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 0; i < 12; ++i)  // a changed file is decoded again, as a new one would be
            QFile(dir.filePath(QStringLiteral("big-%1.png").arg(i)))
                .setFileTime(QDateTime::currentDateTime().addSecs(-state.iterations() - 1), QFileDevice::FileModificationTime);
        state.ResumeTiming();
        const DesignReadResult read = Design_From_Bytes(bytes);
        if (!read.ok())
            state.SkipWithError(read.detail.toUtf8().constData());
    }
    state.counters["peak_MB"] = peakMegabytes();
}
BENCHMARK(BM_OpenDesignOf12LargePictures)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

}  // namespace

int main(int argc, char **argv)
{
    g_self = QString::fromLocal8Bit(argv[0]);
    if (argc == 4 && qstrcmp(argv[1], "--write-design") == 0) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        const DesignData design = qstrcmp(argv[2], "table") == 0 ? tableDesign() : mixedDesign();
        return Write_Design_File(QString::fromLocal8Bit(argv[3]), design, false).ok() ? 0 : 1;
    }
    return Run_Gui_Benchmarks(argc, argv);
}
