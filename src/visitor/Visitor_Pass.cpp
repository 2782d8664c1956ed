#include "visitor/Visitor_Pass.h"

#include "core/PaintSupport.h"
#include "core/SKTRenderingView.h"
#include "core/Utilities.h"
#include "imageops/PhotoSettings.h"
#include "output/print/PrintJob.h"
#include "platform/ImageWriter.h"
#include "platform/PictureBudget.h"
#include "platform/RegularFile.h"
#include "platform/WholeFile.h"

#include <QFontMetricsF>
#include <QImageReader>
#include <QPainter>
#include <QPrinter>
#include <QTextLayout>
#include <QTextOption>

#include <algorithm>

const std::array<const char *, VisitorDetails::Stems> VisitorDetails::field_name = {
    "VName", "Position", "CompanyName", "Slogan", "Address", "Phone", "Fax", "Email", "Website", "UniqueNo", "EntryDate", "EntryTime"};

namespace {

const QColor kLightGray = QColor::fromRgbF(2.0 / 3, 2.0 / 3, 2.0 / 3);

QFont passFont(int kind)
{
    QFont f(QStringLiteral("Verdana"));
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(kind == 0 ? 12 : 10);
    f.setBold(kind != 2);
    f.setKerning(false);
    return f;
}

// A 72-dpi device: measured in it, a font's sizes are page points.
const QImage &pointDevice()
{
    static const QImage device = [] {
        QImage img(1, 1, QImage::Format_ARGB32);
        img.setDotsPerMeterX(qRound(72 / 0.0254));
        img.setDotsPerMeterY(qRound(72 / 0.0254));
        return img;
    }();
    return device;
}

// Lines break at words, and inside a word longer than the box, so no text runs out of its box.
QTextOption wrapping(Qt::Alignment align)
{
    QTextOption option(align | Qt::AlignTop);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    return option;
}

// Texts are laid out once, at a print-like resolution, both to size their boxes and to draw
// them: 72-dpi metrics are rounded to whole pixels, and over many lines the rounding would push
// the last ones out of the box a printer draws them in.
constexpr double kLayoutScale = 16;  // 1152 dpi

// One paragraph per hard line break, each wrapped into `width` points; the lines stacked.
struct PassText {
    std::vector<std::unique_ptr<QTextLayout>> paragraphs;
    double height = 0;  // points
};

PassText layOut(const QString &text, int kind, double width, Qt::Alignment align = Qt::AlignLeft)
{
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QFont font = passFont(kind);
    font.setPointSizeF(font.pointSizeF() * kLayoutScale);
    const double spacing = QFontMetricsF(font, &pointDevice()).lineSpacing();
    PassText out;
    double y = 0;
    for (const QString &paragraph : t.split(QLatin1Char('\n'))) {
        auto layout = std::make_unique<QTextLayout>(paragraph, font, &pointDevice());
        layout->setTextOption(wrapping(align));
        layout->beginLayout();
        int lines = 0;
        while (true) {
            QTextLine line = layout->createLine();
            if (!line.isValid())
                break;
            line.setLineWidth(width * kLayoutScale);
            line.setPosition(QPointF(0, y + lines * spacing));
            ++lines;
        }
        layout->endLayout();
        y += std::max(lines, 1) * spacing;
        out.paragraphs.push_back(std::move(layout));
    }
    out.height = y / kLayoutScale;
    return out;
}

double textHeight(const QString &text, int kind, double width = 1e6) { return layOut(text, kind, width).height; }

Qt::Alignment alignment(const QString &code)
{
    if (code == QLatin1String("C"))
        return Qt::AlignHCenter;
    if (code == QLatin1String("R"))
        return Qt::AlignRight;
    return Qt::AlignLeft;
}

}  // namespace

QImage Visitor_Photo(const QString &stored)
{
    if (Trim_Str(stored).isEmpty())
        return {};
    // A copy of the live adjustments: showing a visit must not change the photo editors' settings.
    ImageAdjustments settings = Current_Image_Adjustments();
    const PhotoSettingsSuffix suffix = Split_Photo_Settings_Suffix(stored, settings);
    // A path from the log may name anything by now: a FIFO would hang the desk.
    if (!platform::mayDecodePictureFile(suffix.path))
        return {};
    QImageReader reader(suffix.path);
    reader.setAutoTransform(true);
    const QImage picture = reader.read();
    if (picture.isNull())
        return {};
    return suffix.hasFilter ? Apply_Photo_Settings(picture, settings, suffix.border) : picture;
}

VisitorDetails VisitorDetails::fromColumns(const VisitColumns &c)
{
    VisitorDetails d;
    auto col = [&](const QString &name) { return Trim_Str(c.value(name)); };
    d.date_time_detail = c.value(QStringLiteral("Date_Time_Stamp"));
    d.photoPath = c.value(QStringLiteral("Photo"));
    d.visitor_image_obj = Visitor_Photo(d.photoPath);
    const QString heading = QStringLiteral("Visitor Details - %1").arg(d.date_time_detail);
    d.details = QStringLiteral("\r\nVisitor Details\r\n") + heading + QStringLiteral("\r\n");
    d.other_detail_info = Trim_Str(c.value(QStringLiteral("Other")) + QStringLiteral("\r\n") + c.value(QStringLiteral("Other_B")));
    if (!d.other_detail_info.isEmpty())
        d.details += QStringLiteral("Other Details :\r\n\r\n") + d.other_detail_info + QStringLiteral("\r\n");
    for (int side : {1, 0}) {
        const QString sfx = side ? QStringLiteral("_B") : QString();
        for (int i = Stems - 1; i >= 0; --i) {
            const QString stem = QLatin1String(field_name[std::size_t(i)]);
            const QString cap = col(stem + QStringLiteral("_lb") + sfx);
            QString val = col(stem + sfx);
            if ((i == EntryDate && col(QStringLiteral("Use_Date") + sfx) == QLatin1String("0")) ||
                (i == EntryTime && col(QStringLiteral("Use_Time") + sfx) == QLatin1String("0")))
                val.clear();
            if (cap.isEmpty() && val.isEmpty())
                continue;
            d.caption[std::size_t(side)][std::size_t(i)] = cap;
            d.value[std::size_t(side)][std::size_t(i)] = val;
            d.details += cap + QLatin1Char(' ') + val + QStringLiteral("\r\n");
        }
    }
    return d;
}

QRectF VisitorDetails::Gate_Pass_Size(double detailsBoxWidth) const
{
    QString text = details;
    if (!Trim_Str(other_detail_info).isEmpty())
        text.remove(QStringLiteral("Other Details :\r\n\r\n"));
    QRectF page(0, 0, detailsBoxWidth + 100, textHeight(text, 0) + 80);
    // The measured text does not bound the laid-out pass: the photo hangs 160 points below the
    // top whatever the text, and every line moves the cursor 15 points, more than a line's
    // height. The layout counts down from the page's top while the frame's bottom line stays
    // 10 points above the page's bottom, so a page taller by d lifts every item by d: the page
    // grows by just what its lowest item lacks, and a pass that already holds them keeps its size.
    const PassLayout laidOut = Visitor_Pass_Layout(*this, page);
    double frameBottom = 0, lowest = page.height();
    for (const PassItem &it : laidOut.items) {
        if (it.kind == PassItem::Border)
            frameBottom = it.rect.y();  // y upward: the frame's bottom line
        else
            lowest = std::min(lowest, it.rect.y());  // an item's bottom edge
    }
    // Clear of the frame's line (and of both half-point strokes) by a gap the eye reads as one,
    // so a descender or the photo's edge never meets it.
    constexpr double kFrameClearance = 5;
    page.setHeight(page.height() + std::max(0.0, frameBottom + kFrameClearance - lowest));
    return page;
}

PassLayout Visitor_Pass_Layout(const VisitorDetails &d, const QRectF &R)
{
    using S = VisitorDetails;
    PassLayout L;
    L.page = R;
    const QRectF B(R.x() + 10, R.y() + 10, R.width() - 20, R.height() - 20);
    const QRectF P(B.x() + 10, B.y(), B.width() - 20, B.height());
    const double charHeight = textHeight(QStringLiteral("A"), 2);
    const bool hasPhoto = !d.visitor_image_obj.isNull();
    float &pos = L.drawing_Pos;
    int back_line_draw = 0;
    L.items.push_back({PassItem::Border, B, {}, 0, {}});

    auto line = [&] {
        L.items.push_back({PassItem::Line, QRectF(B.x(), pos, B.width(), 0), {}, 0, {}});
        pos -= 2;
    };
    // One text line at the cursor. Values of several lines hang down from their label's line and
    // move the cursor by their extra height, so they never overlap the lines above.
    auto drawString = [&](const char *align, const QString &label, const QString &value, bool heading, bool separate,
                          bool back) {
        const QString l = Trim_Str(label), v = Trim_Str(value);
        if (l.isEmpty() && v.isEmpty())
            return;
        if (back && back_line_draw == 0) {
            if (hasPhoto) {
                while (pos > L.image_dr_botm_pt)
                    pos -= 15;
                pos -= 2;
            }
            pos -= 2;
            line();
            pos -= 15;
            ++back_line_draw;
        }
        const Qt::Alignment a = alignment(QLatin1String(align));
        double extra = 0;
        if (heading) {
            L.items.push_back({PassItem::Text, QRectF(P.x(), pos, P.width(), textHeight(v, 0)), v, 0, a});
        } else if (separate) {
            if (!l.isEmpty())
                L.items.push_back({PassItem::Text, QRectF(P.x(), pos, 150, textHeight(l, 1)), l, 1, a});
            const double vh = textHeight(v, 2, P.width() - 150);
            if (!v.isEmpty())
                L.items.push_back({PassItem::Text, QRectF(P.x() + 150, pos - vh + charHeight, P.width() - 150, vh), v, 2, a});
            extra = std::max(0.0, vh - charHeight);
        } else {
            L.items.push_back({PassItem::Text, QRectF(P.x(), pos, P.width(), textHeight(l + v, 2)), l + v, 2, a});
        }
        pos -= float(15 + extra);
    };

    pos = float(B.height() - 20);
    drawString("C", {}, QStringLiteral("Visitor Details"), true, false, false);
    pos -= 15;
    L.items.push_back({PassItem::Band, QRectF(B.x() + 1, pos, B.width() - 2, 15), {}, 0, {}});
    const float bandPos = pos;
    drawString("L", d.caption[0][S::UniqueNo], d.value[0][S::UniqueNo], false, false, false);
    pos = bandPos;  // both band strings share one line
    drawString("R", QStringLiteral("Date & Time : "), d.date_time_detail, false, false, false);
    pos -= 15;
    L.image_dr_botm_pt = pos - 60;
    if (hasPhoto)
        L.items.push_back({PassItem::Photo, QRectF(P.width() - 80, pos - 60, 80, 80), {}, 0, {}});

    const int order[] = {S::VName, S::CompanyName, S::Position, S::Fax, S::Slogan, S::Website,
                         S::Address, S::Phone, S::Email, S::UniqueNo, S::EntryDate, S::EntryTime};
    for (int side : {0, 1})
        for (int i : order)
            if (side == 1 || i != S::UniqueNo)
                drawString("L", d.caption[std::size_t(side)][std::size_t(i)], d.value[std::size_t(side)][std::size_t(i)],
                           false, true, side == 1);
    if (!Trim_Str(d.other_detail_info).isEmpty()) {
        pos -= 2;
        line();
        pos -= 15;
        drawString("L", QStringLiteral("Other Details : "), d.other_detail_info, false, true, false);
    }
    return L;
}

Visitor_Pass::Visitor_Pass(const VisitorDetails &details, const QRectF &rect)
    : m_layout(Visitor_Pass_Layout(details, rect)), m_photo(details.visitor_image_obj)
{
    _bounds = rect;
}

void Visitor_Pass::drawContentsInView(QPainter &painter, bool)
{
    const QRectF R = m_layout.page;
    // Laid out with y upward from the page's bottom edge; the renderer's y runs downward.
    auto down = [&](const QRectF &r) { return QRectF(r.x(), R.y() + R.height() - (r.y() - R.y()) - r.height(), r.width(), r.height()); };
    painter.save();
    painter.fillRect(R, Qt::white);
    for (const PassItem &it : m_layout.items) {
        const QRectF r = down(it.rect);
        switch (it.kind) {
        case PassItem::Border:
            painter.setPen(QPen(Qt::black, 1));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(r);
            break;
        case PassItem::Band:
            painter.setPen(QPen(Qt::black, 1));
            painter.setBrush(kLightGray);
            painter.drawRect(r);
            break;
        case PassItem::Line:
            painter.setPen(QPen(kLightGray, 1));
            painter.drawLine(QPointF(r.left(), r.top()), QPointF(r.right(), r.top()));
            break;
        case PassItem::Photo:
            painter.drawImage(r, m_photo);
            painter.setPen(QPen(Qt::black, 1));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(r);
            break;
        case PassItem::Text:
            painter.save();
            painter.setClipRect(r, Qt::IntersectClip);
            painter.setPen(Qt::black);
            painter.translate(r.topLeft());
            painter.scale(1 / kLayoutScale, 1 / kLayoutScale);
            for (const auto &paragraph : layOut(it.text, it.font, r.width(), it.align).paragraphs)
                paragraph->draw(&painter, QPointF());
            painter.restore();
            break;
        }
    }
    painter.restore();
}

CardSide Visitor_Pass::passSide(const VisitorDetails &details, const QRectF &rect)
{
    CardSide side;
    side.cardRect = rect;
    side.controls.push_back(std::make_unique<Visitor_Pass>(details, rect));
    return side;
}

QImage Visitor_Pass::image_of_visitor_pass(const VisitorDetails &details, const QRectF &rect, double dpi)
{
    return SKTRenderingView(passSide(details, rect), QStringLiteral("Visitor Pass")).imageInsideRect(rect, dpi);
}

QByteArray Visitor_Pass::pdfDataWithGraphics_data(const VisitorDetails &details, const QRectF &rect)
{
    return SKTRenderingView(passSide(details, rect), QStringLiteral("Visitor Pass")).dataWithPDFInsideRect(rect);
}

bool Write_Visitor_Pass(const VisitorDetails &details, const QRectF &rect, const QString &path, QString *error)
{
    if (path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) {
        const QByteArray pdf = Visitor_Pass::pdfDataWithGraphics_data(details, rect);
        if (pdf.isEmpty()) {
            if (error)
                *error = QStringLiteral("the pass could not be drawn");
            return false;
        }
        return platform::writeWholeFile(path, pdf, error);
    }
    if (platform::imageFormatForPath(path).isEmpty()) {
        if (error)
            *error = QStringLiteral("unknown image format");
        return false;
    }
    return platform::writeImageFile(Visitor_Pass::image_of_visitor_pass(details, rect, 600), path, 600, error);
}

bool Print_Visitor_Pass(const VisitorDetails &details, const QRectF &rect, QPrinter &printer, QString *error)
{
    const PaperInfo paper = Paper_Info_From_Printer(printer);
    const QSizeF W = paper.paperSize;
    const QRectF area = paper.imageableBounds;
    PrintLayout l;
    l.Print_Card_Side = QStringLiteral("F");
    l.label_align_val = 2;  // top, centred
    l.Show_margin_rect = false;
    l.Left_Mar = float(area.x());
    l.Rite_Mar = float(W.width() - area.x() - area.width());
    l.Top_Mar = float(W.height() - area.y() - area.height());
    l.Bot_Mar = float(area.y());
    // A pass larger than the paper's printable area is scaled down to fit it whole, its
    // proportions kept (the side is drawn into the cell as it is); never scaled up, so on a
    // paper it fits it prints at its own size.
    double scale = 1;
    if (!rect.isEmpty() && !area.isEmpty())
        scale = std::min({1.0, area.width() / rect.width(), area.height() / rect.height()});
    l.label_width = float(rect.width() * scale);
    l.label_hight = float(rect.height() * scale);
    PrintContent content;
    content.front = Visitor_Pass::passSide(details, rect);
    // The copies its print panel set: handed to a printer that makes them, repeated in a PDF file,
    // as the print window's copies are.
    PrintRun run;
    run.copies = std::max(1, printer.copyCount());
    const Printing_View view(QRectF(QPointF(0, 0), W), l, paper, run, std::move(content), true);
    const PrintOutcome out = Print_To_Printer(printer, view);
    if (!out.ok && error)
        *error = out.error;
    return out.ok;
}
