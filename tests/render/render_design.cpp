// Renders both sides of a design file to PNG with the model and barcode libraries alone, as a
// batch export will: no window, no canvas.
//   render_design <design file> <output stem> [dpi]   writes <stem>_front.png and <stem>_back.png
//   render_design --sample <design file>              writes a two-sided design to try it on

#include "barcode/ControlBarcode.h"
#include "core/DesignFile.h"
#include "core/SKTRenderingView.h"
#include "core/Shape_Control.h"

#include <QGuiApplication>
#include <cstdio>

namespace {

std::shared_ptr<SKTGraphic> barcodeControl(int linearOr2d, int symbology, const QString &value, QPointF at)
{
    std::shared_ptr<SKTGraphic> code = Make_Graphic_Of_Class(QStringLiteral("SKTBarcode"));
    code->linear_or_2d = linearOr2d;
    code->barcode_font_index = symbology;
    (linearOr2d ? code->two_d_font_val : code->linear_font_val) = value;
    code->linear_width_val = 10;
    barcode::Install_Control_Barcode_Provider().Build_Barcode_Image(*code, value);
    code->setBounds(QRectF(at, code->bounds().size()));
    return code;
}

int writeSample(const QString &path)
{
    DesignData design;
    for (Card_Property *card : {&design.front, &design.back})
        card->setCard_Size(QSizeF(243, 154));
    design.back.setCard_fill_chk(true);
    design.back.setCard_fill_clr(QColor(255, 240, 200));
    design.frontControls.push_back(barcodeControl(0, 9, QStringLiteral("front-side"), QPointF(20, 30)));
    design.backControls.push_back(barcodeControl(1, 0, QStringLiteral("back-side"), QPointF(90, 40)));
    auto band = std::make_shared<Shape_Control>();
    band->setBounds(QRectF(0, 134, 243, 20));
    band->_fillColor = Qt::darkBlue;
    design.backControls.push_back(band);
    const DesignWriteResult written = Write_Design_File(path, design, false);
    if (!written.ok())
        std::fprintf(stderr, "%s\n", qPrintable(written.message()));
    return written.ok() ? 0 : 1;
}

}  // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() == 2 && args[0] == QLatin1String("--sample"))
        return writeSample(args[1]);
    if (args.size() < 2 || args.size() > 3) {
        std::fprintf(stderr, "usage: render_design <design file> <output stem> [dpi]\n");
        return 2;
    }
    barcode::Install_Control_Barcode_Provider();
    const DesignReadResult read = Read_Design_File(args[0]);
    if (!read.ok()) {
        std::fprintf(stderr, "%s (%s)\n", qPrintable(read.error), qPrintable(read.detail));
        return 1;
    }
    const double dpi = args.size() == 3 ? args[2].toDouble() : 300.0;
    const DesignData &design = *read.design;
    for (const bool back : {false, true}) {
        const QString path = args[1] + (back ? QStringLiteral("_back.png") : QStringLiteral("_front.png"));
        const CardSide side = CardSide::copyOf(back ? design.back : design.front,
                                               back ? design.backControls : design.frontControls);
        QString error;
        if (!SKTRenderingView::Write_Side_File(side, path, dpi, &error)) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(error));
            return 1;
        }
        std::printf("%s\n", qPrintable(path));
    }
    return 0;
}
