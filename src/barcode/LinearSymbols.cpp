#include "barcode/LinearSymbols.h"

#include "barcode/BarcodeRender.h"

#include "barcode/JapanPostBarcode.h"
#include "barcode/NKDCodabarBarcode.h"
#include "barcode/NKDCode128Barcode.h"
#include "barcode/NKDCode39Barcode.h"
#include "barcode/NKDPlesseyBarcode.h"
#include "barcode/NKDPostnetBarcode.h"
#include "barcode/NKDRoyalMailBarcode.h"
#include "barcode/NKDTwoOfFiveBarcode.h"
#include "barcode/NKDUPCEANBarcode.h"
#include "barcode/Symbologies.h"

#include <QPainter>

#include <algorithm>
#include <vector>

namespace barcode {

namespace {

// Space between the bars and the digits printed beside them (UPC/EAN).
constexpr float SideCaptionGap = 1.0f;
// Modules of quiet zone a reader needs on each side of the bars.
constexpr int QuietModules = 10;

double pointSizeOf(const QFont &font)
{
    return font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize();
}

// y grows upwards from the frame's bottom edge in the geometry; the painter's grows downwards.
QRectF painterRect(const QSizeF &frame, double x, double bottom, double width, double height)
{
    return QRectF(x, frame.height() - bottom - height, width, height);
}

// The value font for digit groups that must each fit their box: the font itself while they
// fit; else without letter spacing; else scaled down to the narrowest group's room.
QFont Fit_Caption_Groups(const QFont &font, const QStringList &parts, const std::vector<QRectF> &boxes,
                         float &letterSpacing)
{
    auto scaleNeeded = [&](float spacing) {
        double scale = 1.0;
        for (size_t k = 0; k < boxes.size(); ++k) {
            const float wide = Barcode_Text_Width(font, parts.at(qsizetype(k)).trimmed(), spacing);
            if (wide > 0.0f && wide > boxes[k].width())
                scale = std::min(scale, boxes[k].width() / double(wide));
        }
        return scale;
    };
    if (scaleNeeded(letterSpacing) >= 1.0)
        return font;
    letterSpacing = 0.0f;
    const double scale = scaleNeeded(0.0f);
    if (scale >= 1.0)
        return font;
    QFont smaller(font);
    // A little under the exact ratio: glyph outlines may reach past their advance.
    smaller.setPointSizeF(std::max(1.0, pointSizeOf(font) * scale * 0.95));
    return smaller;
}

}  // namespace

std::unique_ptr<NKDBarcode> Make_Linear_Symbol(const QString &name, const QString &value, bool printsCaption)
{
    switch (Symbology_Index(0, name)) {
    case 0: return std::make_unique<NKDCode39Barcode>(value, printsCaption);
    case 1: return std::make_unique<NKDExtendedCode39Barcode>(value, printsCaption);
    case 2: return std::make_unique<NKDInterleavedTwoOfFiveBarcode>(value, printsCaption);
    case 3: return std::make_unique<NKDUPCABarcode>(value, printsCaption);
    case 4: return std::make_unique<NKDPostnetBarcode>(value, printsCaption);
    case 5: return std::make_unique<NKDModifiedPlesseyBarcode>(value, printsCaption);
    case 6: return std::make_unique<NKDModifiedPlesseyHexBarcode>(value, printsCaption);
    case 7: return std::make_unique<NKDIndustrialTwoOfFiveBarcode>(value, printsCaption);
    case 8: return std::make_unique<NKDEAN13Barcode>(value, printsCaption);
    case 9: return std::make_unique<NKDCode128Barcode>(value, printsCaption, NKDCode128Barcode::SetAuto);
    case 10: return std::make_unique<NKDCode128Barcode>(value, printsCaption, NKDCode128Barcode::SetA);
    case 11: return std::make_unique<NKDCode128Barcode>(value, printsCaption, NKDCode128Barcode::SetB);
    case 12: return std::make_unique<NKDCode128Barcode>(value, printsCaption, NKDCode128Barcode::SetC);
    case 13: return std::make_unique<NKDCodabarBarcode>(value, printsCaption);
    case 14: return std::make_unique<NKDUPCEBarcode>(value, printsCaption);
    case 15: return std::make_unique<NKDEAN8Barcode>(value, printsCaption);
    case 16: return std::make_unique<NKDRoyalMailBarcode>(value, printsCaption);
    case 17: return std::make_unique<NKDPlanetBarcode>(value, printsCaption);
    case 18: return std::make_unique<JapanPostBarcode>(value, printsCaption);
    default: return nullptr;
    }
}

void Set_Barcode_Height(NKDBarcode &symbol, const BarcodeStyle &style, float barHeightPoints)
{
    symbol.setHeight(barHeightPoints);
    if (symbol.printsCaption())
        symbol.setHeight(symbol.height() + symbol.captionHeight() * 72.0f + style.value_margin);
    if (symbol.printsHeader())
        symbol.setHeight(symbol.height() + symbol.headerHeight() * 72.0f + style.header_margin);
    if (symbol.printsFooter())
        symbol.setHeight(symbol.height() + symbol.footerHeight() * 72.0f + style.footer_margin);
    symbol.setHeight(symbol.height() + 2.0f * style.TB_margin);
}

float Set_Linear_Barcode_Width(const NKDBarcode &symbol, const BarcodeStyle &style)
{
    const float headerWidth = style.prints_header ? symbol.headerWidth() : 0.0f;
    const float footerWidth = style.prints_footer ? symbol.footerWidth() : 0.0f;
    const float width = std::max({headerWidth, footerWidth, symbol.width()}) + Barcode_Side_Allowance(style.LR_margin);
    const float bars = float(symbol.completeBarcode().size()) * symbol.barWidth();
    return std::max(width, bars + 2.0f * QuietModules * symbol.barWidth());
}

void Layout_Linear_Symbol(NKDBarcode &symbol, const BarcodeStyle &style, float barWidthPoints, float barHeightPoints)
{
    symbol.setHeader(style.header);
    symbol.setFooter(style.footer);
    symbol.setPrintsCaption(style.prints_caption);
    symbol.setPrintsHeader(style.prints_header);
    symbol.setPrintsFooter(style.prints_footer);
    symbol.setMargins({style.value_margin, style.header_margin, style.footer_margin, style.TB_margin});
    symbol.setBarWidth(barWidthPoints);
    symbol.setCaptionFontSize(float(pointSizeOf(style.value_font)), style.value_font);
    symbol.setHeaderFontSize(float(pointSizeOf(style.header_font)), style.header_font);
    symbol.setFooterFontSize(float(pointSizeOf(style.footer_font)), style.footer_font);
    Set_Barcode_Height(symbol, style, barHeightPoints);
    symbol.calculateWidth();
    symbol.setWidth(Set_Linear_Barcode_Width(symbol, style));
}

QSizeF Linear_Frame_Size(const NKDBarcode &symbol)
{
    float width = symbol.width();
    if (symbol.printsHeader())
        width = std::max(width, symbol.headerWidth());
    if (symbol.printsFooter())
        width = std::max(width, symbol.footerWidth());
    return QSizeF(width, symbol.height());
}

void Paint_Linear_Barcode(QPainter &painter, const NKDBarcode &symbol, const BarcodeStyle &style, const QSizeF &frame)
{
    painter.save();
    const QString leftCaption = symbol.leftCaption();
    const QString rightCaption = symbol.rightCaption();
    const QString caption = symbol.caption();
    const QStringList parts = symbol.printsDigitGroups() ? caption.split(u'\t') : QStringList{caption};
    const bool grouped = symbol.printsDigitGroups();
    const bool split = grouped || symbol.drawsFourStateBars();

    Paint_Barcode_Background(painter, frame, style.fill_transparent, style.back_colour);

    const QString modules = symbol.completeBarcode();
    const int n = int(modules.size());
    float bw = symbol.barWidth();
    // The bars are centred as they are seen: spaces after the last bar take no room.
    int drawnModules = n;
    while (drawnModules > 0 && modules.at(drawnModules - 1) != u'1')
        --drawnModules;
    float x0 = (float(frame.width()) - float(drawnModules) * bw) / 2.0f;
    // On pixels a module is a whole number of device pixels from a pixel edge, so equal modules
    // are equally wide at every resolution; shapes on vector devices keep the exact width.
    if (const double sx = Raster_Scale(painter).x(); sx > 0) {
        bw = float(std::max(1.0, std::round(double(bw) * sx)) / sx);
        x0 = (float(frame.width()) - float(drawnModules) * bw) / 2.0f;
        const QTransform t = painter.deviceTransform();
        x0 = float((std::round(t.m11() * x0 + t.dx()) - t.dx()) / t.m11());
    }
    const float captionHeight = symbol.printsCaption() ? symbol.captionHeight() * 72.0f : 0.0f;
    const float footerHeight = symbol.printsFooter() ? symbol.footerHeight() * 72.0f : 0.0f;
    const float base = footerHeight + style.footer_margin + style.TB_margin;
    const float y0 = style.value_on_top ? base : base + captionHeight + style.value_margin;

    // Adjacent bar modules make one rectangle; every module advances one bar width.
    painter.setRenderHint(QPainter::Antialiasing, false);
    float x = x0;
    int run = 0;
    float lastRunHeight = 0.0f;
    auto drawRun = [&](int lastModule) {
        float bottom = split ? symbol.barBottom(lastModule) : 0.0f;
        if (style.value_on_top && bottom < 0.0f)
            bottom = 0.0f;  // nothing to reach down beside
        const float top = symbol.barTop(lastModule);
        lastRunHeight = top - bottom;
        if (lastRunHeight > 0.0f)
            painter.fillRect(painterRect(frame, x, y0 + bottom, run * bw, lastRunHeight), style.bar_colour);
    };
    for (int i = 0; i < n; ++i) {
        if (modules.at(i) == u'1') {
            ++run;
            if (i == n - 1)
                drawRun(i);
        } else {
            if (run > 0)
                drawRun(i - 1);
            x += bw * float(run + 1);
            run = 0;
        }
    }

    if (symbol.printsCaption()) {
        const float yv = style.value_on_top
                             ? base + lastRunHeight + style.value_margin
                             : base;
        const float boxHeight = Barcode_Text_Box_Height(style.value_font);
        const float letterSpacing = style.value_kerning ? Barcode_Text_Kerning : 0.0f;
        const float barsWidth = float(drawnModules) * bw;
        if (grouped) {
            // Each group under the modules between its tall bars (or an equal share of the bars).
            const auto groups = symbol.digitGroupModules();
            const bool spans = groups.size() == size_t(parts.size());
            std::vector<QRectF> boxes;
            for (int k = 0; k < parts.size(); ++k) {
                const float left = spans ? x0 + float(groups[size_t(k)].first) * bw
                                         : x0 + barsWidth * float(k) / float(parts.size());
                const float width = spans ? float(groups[size_t(k)].second - groups[size_t(k)].first + 1) * bw
                                          : barsWidth / float(parts.size());
                boxes.push_back(painterRect(frame, left, yv, width, boxHeight));
            }
            // Narrow bars leave a group less room than its digits take at the value font's
            // size; centred, they would spill onto the guard bars that reach down beside them.
            // The digits then lose their spacing and, if need be, shrink until every group fits.
            float spacing = letterSpacing;
            const QFont font = Fit_Caption_Groups(style.value_font, parts, boxes, spacing);
            Draw_Barcode_Text_Box(painter, painterRect(frame, 0.0, yv, x0 - SideCaptionGap, boxHeight), leftCaption,
                            font, style.value_colour, Qt::AlignRight, 0.0f);
            for (int k = 0; k < parts.size(); ++k)
                Draw_Barcode_Text_Box(painter, boxes[size_t(k)], parts.at(k).trimmed(), font, style.value_colour,
                                      Qt::AlignHCenter, spacing);
            const float rightStart = x0 + barsWidth + SideCaptionGap;
            Draw_Barcode_Text_Box(painter,
                            painterRect(frame, rightStart, yv, std::max(0.0f, float(frame.width()) - rightStart), boxHeight),
                            rightCaption, font, style.value_colour, Qt::AlignLeft, 0.0f);
        } else {
            Draw_Barcode_Text_Box(painter, painterRect(frame, 0.0, yv, frame.width(), boxHeight), parts.value(0),
                            style.value_font, style.value_colour, Qt::AlignHCenter, letterSpacing);
        }
    }

    BarcodeStyle texts = style;
    texts.prints_header = symbol.printsHeader();
    texts.prints_footer = symbol.printsFooter();
    texts.header = symbol.header();
    texts.footer = symbol.footer();
    Draw_Barcode_Header(painter, texts, frame);
    Draw_Barcode_Footer(painter, texts, frame);
    painter.restore();
}

}  // namespace barcode
