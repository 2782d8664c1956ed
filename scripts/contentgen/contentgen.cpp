// Makes the content the application carries: card templates of every category (real designs
// written by the design-file writer, with previews from the side renderer), the clip-art
// library, card backgrounds and the stock titles and messages. Everything is drawn here.
// Run through scripts/make-content; the output is committed.

#include "barcode/ControlBarcode.h"
#include "core/DesignFile.h"
#include "core/SKTImage.h"
#include "core/SKTRenderingView.h"
#include "core/SKTText.h"
#include "core/Shape_Control.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>
#include <cstdio>
#include <functional>

namespace {

QString g_out;

void fail(const QString &what)
{
    std::fprintf(stderr, "%s\n", qPrintable(what));
    std::exit(1);
}

void saveImage(const QImage &img, const QString &relative)
{
    const QString path = g_out + QLatin1Char('/') + relative;
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!img.save(path, nullptr, path.endsWith(QLatin1String(".jpg")) ? 88 : -1))
        fail(QStringLiteral("could not write ") + path);
}

QImage blank(int w, int h, const QColor &fill = Qt::transparent)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(fill);
    return img;
}

void paint(QImage &img, const std::function<void(QPainter &)> &fn)
{
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    fn(p);
}

// ---------------------------------------------------------------------------------------------
// templates

struct Style {
    const char *folder;
    const char *name;
    const char *org;
    const char *role;
    const char *person;
    const char *idNo;
    QColor primary, accent, paper;
    int variant;   // 0 header band, 1 gradient card with a side bar
    int barcode;   // 0 none, 1 Code 128, 2 QR Code
};

std::shared_ptr<SKTGraphic> shape(const QString &kind, const QRectF &r, const QColor &fill)
{
    auto s = std::make_shared<Shape_Control>();
    s->_shape_type = kind;
    s->setBounds(r);
    s->_fillColor = fill;
    s->_isDrawingStroke = false;
    s->Drawing_Shadow = false;
    return s;
}

std::shared_ptr<SKTGraphic> text(const QString &value, const QRectF &r, double size, bool bold, const QColor &colour,
                                 int align, const QString &id = QString())
{
    auto t = std::make_shared<SKTText>();
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(size);
    font.setBold(bold);
    t->text_ctrl_font = font;
    t->txt_clr = colour;
    t->setUndoContents(SKTTextStorage{value, font, colour});
    t->setBounds(r);
    t->text_alignmnet = align;
    t->text_alignmnet_Vert = 2;
    t->_isDrawingFill = false;
    t->_isDrawingStroke = false;
    t->Drawing_Shadow = false;
    t->control_ID = id;
    return t;
}

QImage photoPlaceholder(const QColor &tint)
{
    QImage img = blank(240, 300, QColor(236, 240, 244));
    paint(img, [&](QPainter &p) {
        p.setPen(Qt::NoPen);
        p.setBrush(tint.lighter(165));
        p.drawEllipse(QPointF(120, 118), 58, 66);
        QPainterPath body;
        body.moveTo(18, 300);
        body.cubicTo(24, 214, 70, 196, 120, 196);
        body.cubicTo(170, 196, 216, 214, 222, 300);
        body.closeSubpath();
        p.drawPath(body);
    });
    return img;
}

std::shared_ptr<SKTGraphic> photo(const QRectF &r, const QColor &tint)
{
    std::shared_ptr<SKTGraphic> image = SKTImage::initWithPosition(r.center(), photoPlaceholder(tint));
    image->setBounds(r);
    image->control_ID = QStringLiteral("Fup_Photo");
    // The placeholder travels inside the record; the name says it stands for no photo yet.
    image->_file_path = QStringLiteral("no.png");
    image->_isDrawingStroke = true;
    image->_strokeColor = Qt::white;
    image->_strokeWidth = 2;
    image->Drawing_Shadow = false;
    return image;
}

std::shared_ptr<SKTGraphic> barcode(int kind, const QString &value, QPointF centre)
{
    std::shared_ptr<SKTGraphic> code = Make_Graphic_Of_Class(QStringLiteral("SKTBarcode"));
    code->linear_or_2d = kind == 2 ? 1 : 0;
    code->barcode_font_index = kind == 2 ? 0 : 9;  // QR Code, Code 128
    (kind == 2 ? code->two_d_font_val : code->linear_font_val) = value;
    code->linear_width_val = 9;
    code->linear_height_val = 6;
    code->qr_size_val = 56;
    code->show_hide_hdr = code->show_hide_ftr = 1;
    code->show_hide_val = kind == 2 ? 1 : 0;
    code->Drawing_Shadow = false;
    if (!barcode::Install_Control_Barcode_Provider().Build_Barcode_Image(*code, value))
        fail(QStringLiteral("no barcode for ") + value);
    QRectF r = code->bounds();
    r.moveCenter(centre);
    code->setBounds(r);
    return code;
}

void cardBlock(Card_Property &card, const Style &s, bool vertical, QSizeF size, bool front)
{
    card.setCard_Size(size);
    card.setCard_Name(QString::fromUtf8(s.name));
    card.setCard_Preset(vertical ? QStringLiteral("Vertical") : QStringLiteral("Horizontal"));
    card.setCard_Category(QStringLiteral("PVC Card"));
    card.setCard_Sub_Category(QStringLiteral("CR80-Credit Card Size"));
    card.setCard_Create_Mode(QStringLiteral("T"));
    card.setCard_Side_Name(front ? QStringLiteral("F") : QStringLiteral("B"));
    card.setCard_Shape(QStringLiteral("RR"));
    card.setCard_fill_chk(true);
    card.setCard_alpha_Stepper(1.0f);
    card.setCard_border_chk(true);
    card.setCard_bordr_clr(s.primary.darker(120));
    card.setCard_bor_Stepper(1);
    if (s.variant == 1 && front) {
        card.setCard_fill_style(QStringLiteral("G"));
        card.setCard_fill_Grd_1_clr(s.paper);
        card.setCard_fill_Grd_2_clr(Qt::white);
        card.setCard_grad_Stepper(vertical ? 90 : 0);
    } else {
        card.setCard_fill_style(QStringLiteral("S"));
        card.setCard_fill_clr(front ? s.paper : QColor(250, 250, 252));
    }
}

DesignData templateDesign(const Style &s, bool vertical)
{
    const QSizeF size = vertical ? QSizeF(153.36, 242.64) : QSizeF(242.64, 153.36);
    const double W = size.width(), H = size.height();
    DesignData d;
    d.modeLetter = QStringLiteral("T");
    cardBlock(d.front, s, vertical, size, true);
    cardBlock(d.back, s, vertical, size, false);
    const QString org = QString::fromUtf8(s.org), role = QString::fromUtf8(s.role);
    const QString person = QString::fromUtf8(s.person), idNo = QString::fromUtf8(s.idNo);
    SKTGraphicArray &f = d.frontControls;
    // Index 0 is frontmost: controls are listed top to bottom.
    if (!vertical) {
        const double band = H * 0.25;
        const QRectF pic(12, band + 10, 62, 78);
        f.push_back(text(org, QRectF(12, 4, W - 24, band - 8), 11, true, Qt::white, 0, "Fup_Company"));
        f.push_back(photo(pic, s.primary));
        f.push_back(text(person, QRectF(84, band + 10, W - 96, 20), 11, true, s.primary.darker(140), 0, "Fup_Name"));
        f.push_back(text(role, QRectF(84, band + 30, W - 96, 14), 7.5, false, QColor(70, 80, 95), 0, "Fup_Title"));
        f.push_back(text(QStringLiteral("ID ") + idNo, QRectF(84, band + 46, W - 96, 12), 7, false, QColor(70, 80, 95), 0,
                         "Fup_UniqueNo"));
        if (s.barcode)
            f.push_back(barcode(s.barcode, idNo, QPointF(s.barcode == 2 ? W - 40 : W - 72, H - (s.barcode == 2 ? 42 : 32))));
        if (s.variant == 0) {
            f.push_back(shape(QStringLiteral("R"), QRectF(0, band, W, 3), s.accent));
            f.push_back(shape(QStringLiteral("R"), QRectF(0, 0, W, band), s.primary));
            f.push_back(shape(QStringLiteral("R"), QRectF(0, H - 8, W, 8), s.primary));
        } else {
            f.push_back(shape(QStringLiteral("R"), QRectF(0, 0, W, band), s.primary));
            f.push_back(shape(QStringLiteral("C"), QRectF(W - 90, -50, 150, 150), s.accent.lighter(120)));
            f.push_back(shape(QStringLiteral("R"), QRectF(0, band, 6, H - band), s.accent));
        }
    } else {
        const double band = H * 0.2;
        const QRectF pic((W - 70) / 2, band + 8, 70, 88);
        f.push_back(text(org, QRectF(8, 4, W - 16, band - 8), 10, true, Qt::white, 2, "Fup_Company"));
        f.push_back(photo(pic, s.primary));
        f.push_back(text(person, QRectF(8, pic.bottom() + 6, W - 16, 18), 11, true, s.primary.darker(140), 2, "Fup_Name"));
        f.push_back(text(role, QRectF(8, pic.bottom() + 24, W - 16, 13), 7.5, false, QColor(70, 80, 95), 2, "Fup_Title"));
        f.push_back(text(QStringLiteral("ID ") + idNo, QRectF(8, pic.bottom() + 38, W - 16, 12), 7, false,
                         QColor(70, 80, 95), 2, "Fup_UniqueNo"));
        if (s.barcode)
            f.push_back(barcode(s.barcode, idNo, QPointF(W / 2, H - (s.barcode == 2 ? 38 : 24))));
        f.push_back(shape(QStringLiteral("R"), QRectF(0, band, W, 3), s.accent));
        f.push_back(shape(QStringLiteral("R"), QRectF(0, 0, W, band), s.primary));
        if (s.variant == 1)
            f.push_back(shape(QStringLiteral("C"), QRectF(-60, H - 50, 120, 120), s.accent.lighter(130)));
    }
    SKTGraphicArray &b = d.backControls;
    b.push_back(text(org, QRectF(10, 10, W - 20, 20), 10, true, s.primary, 2));
    b.push_back(text(QStringLiteral("This card remains the property of %1. If found, please return it to the "
                                    "reception desk.")
                         .arg(org),
                     QRectF(14, 36, W - 28, 44), 7, false, QColor(60, 66, 80), 2));
    b.push_back(text(QStringLiteral("Holder's signature"), QRectF(14, H - 34, W - 28, 12), 6.5, false,
                     QColor(110, 118, 130), 2));
    b.push_back(shape(QStringLiteral("R"), QRectF(24, H - 38, W - 48, 1), QColor(150, 158, 170)));
    b.push_back(shape(QStringLiteral("R"), QRectF(0, H - 8, W, 8), s.primary));
    return d;
}

void writeTemplate(const Style &s, bool vertical)
{
    const DesignData design = templateDesign(s, vertical);
    const QString base = QStringLiteral("Templates/%1/%2 (%3)")
                             .arg(QString::fromUtf8(s.folder), QString::fromUtf8(s.name), vertical ? "v" : "h");
    const QString did = g_out + QLatin1Char('/') + base + QStringLiteral(".did");
    QDir().mkpath(QFileInfo(did).absolutePath());
    const DesignWriteResult written = Write_Design_File(did, design, true);
    if (!written.ok())
        fail(did + QStringLiteral(": ") + written.message());
    // The preview is the front as printed, at a size the gallery shows sharply.
    const QImage preview =
        SKTRenderingView::image_From_Card_Graphics(CardSide::copyOf(design.front, design.frontControls), 150);
    saveImage(preview, base + QStringLiteral(".png"));
}

const Style kStyles[] = {
    {"Corporate", "Blue Horizon", "Northwind Partners", "Account Manager", "Alex Morgan", "NW-20417",
     QColor(29, 78, 216), QColor(250, 204, 21), QColor(239, 246, 255), 0, 1},
    {"Corporate", "Slate Executive", "Calder & Finch", "Chief Financial Officer", "Jordan Ellis", "CF-00931",
     QColor(51, 65, 85), QColor(20, 184, 166), QColor(241, 245, 249), 1, 2},
    {"Education", "Campus Green", "Riverside College", "Student, Year 2", "Sam Okafor", "RC-240118",
     QColor(21, 128, 61), QColor(253, 224, 71), QColor(240, 253, 244), 0, 1},
    {"Education", "Scholar Maroon", "Hillcrest High School", "Student, Grade 10", "Priya Nair", "HHS-7731",
     QColor(136, 19, 55), QColor(251, 191, 36), QColor(255, 241, 242), 1, 2},
    {"Health", "Care Teal", "St. Aldric Clinic", "Registered Nurse", "Maria Lopez", "SAC-5120",
     QColor(15, 118, 110), QColor(248, 113, 113), QColor(240, 253, 250), 0, 1},
    {"Health", "Medic Blue", "Lakeside Hospital", "Emergency Physician", "Dr. Chen Wei", "LH-88204",
     QColor(3, 105, 161), QColor(239, 68, 68), QColor(240, 249, 255), 1, 2},
    {"Misc", "Club Sunset", "Harbour Rowing Club", "Member", "Chris Walsh", "HRC-0412",
     QColor(194, 65, 12), QColor(251, 191, 36), QColor(255, 247, 237), 0, 2},
    {"Misc", "Event Violet", "Summer Makers Fair", "Exhibitor", "Robin Haas", "SMF-2291",
     QColor(109, 40, 217), QColor(244, 114, 182), QColor(245, 243, 255), 1, 1},
    {"Press", "Press Red", "Daily Meridian", "Staff Photographer", "Lena Fischer", "DM-PR-118",
     QColor(185, 28, 28), QColor(17, 24, 39), QColor(254, 242, 242), 0, 1},
    {"Press", "Media Black", "Channel Nine News", "Field Reporter", "Omar Haddad", "C9-4470",
     QColor(17, 24, 39), QColor(234, 179, 8), QColor(243, 244, 246), 1, 2},
    {"Transport", "Transit Orange", "Metro Transit Authority", "Bus Operator", "Dana Price", "MTA-31907",
     QColor(234, 88, 12), QColor(30, 64, 175), QColor(255, 247, 237), 0, 1},
    {"Transport", "Airside Navy", "Eastfield Airport", "Ground Crew, Airside", "Kim Larsen", "EFA-6625",
     QColor(30, 58, 138), QColor(56, 189, 248), QColor(239, 246, 255), 1, 2},
    // A visitor pass carries no barcode: the desk fills in the visitor's own number, and a code
    // holding the sample number would send a scanner at the door to another visitor. Its number
    // is a placeholder, not a number: a visitor given none is recorded under no one's number.
    {"Visitor", "Visitor Amber", "Welcome to Northwind", "Visitor", "Visitor Name", "number",
     QColor(217, 119, 6), QColor(31, 41, 55), QColor(255, 251, 235), 0, 0},
    {"Visitor", "Guest Cyan", "Lakeside Hospital", "Guest, escorted", "Guest Name", "number",
     QColor(8, 145, 178), QColor(250, 204, 21), QColor(236, 254, 255), 1, 0},
};

// ---------------------------------------------------------------------------------------------
// clip art: 256-pixel vector drawings on a transparent ground

using Drawing = std::function<void(QPainter &)>;

QPainterPath star(QPointF c, double outer, double inner, int points)
{
    QPainterPath path;
    for (int i = 0; i < points * 2; ++i) {
        const double r = i % 2 ? inner : outer, a = -M_PI / 2 + i * M_PI / points;
        const QPointF p = c + QPointF(r * std::cos(a), r * std::sin(a));
        i ? path.lineTo(p) : path.moveTo(p);
    }
    path.closeSubpath();
    return path;
}

void fillPath(QPainter &p, const QPainterPath &path, const QColor &c, const QColor &line = Qt::transparent)
{
    p.setPen(line.alpha() ? QPen(line, 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin) : QPen(Qt::NoPen));
    p.setBrush(c);
    p.drawPath(path);
}

QPainterPath ellipse(double x, double y, double w, double h)
{
    QPainterPath path;
    path.addEllipse(x, y, w, h);
    return path;
}
QPainterPath rounded(double x, double y, double w, double h, double r)
{
    QPainterPath path;
    path.addRoundedRect(x, y, w, h, r, r);
    return path;
}
QPainterPath poly(std::initializer_list<QPointF> points)
{
    QPainterPath path;
    bool first = true;
    for (QPointF p : points) {
        first ? path.moveTo(p) : path.lineTo(p);
        first = false;
    }
    path.closeSubpath();
    return path;
}

const QColor kInk(38, 45, 60);

struct ClipArt {
    const char *category, *name;
    Drawing draw;
};

const std::vector<ClipArt> &clipArt()
{
    static const std::vector<ClipArt> all = {
        {"animals", "cat", [](QPainter &p) {
             fillPath(p, poly({{50, 110}, {70, 30}, {118, 86}}) + poly({{206, 110}, {186, 30}, {138, 86}}), QColor(245, 158, 11), kInk);
             fillPath(p, ellipse(40, 70, 176, 150), QColor(251, 191, 36), kInk);
             fillPath(p, ellipse(82, 122, 22, 28) + ellipse(152, 122, 22, 28), kInk);
             fillPath(p, poly({{118, 162}, {138, 162}, {128, 174}}), QColor(236, 72, 153));
         }},
        {"animals", "fish", [](QPainter &p) {
             fillPath(p, poly({{190, 128}, {246, 78}, {246, 178}}), QColor(14, 165, 233), kInk);
             fillPath(p, ellipse(22, 70, 190, 116), QColor(56, 189, 248), kInk);
             fillPath(p, ellipse(58, 104, 20, 20), kInk);
         }},
        {"animals", "paw", [](QPainter &p) {
             const QColor c(120, 72, 40);
             fillPath(p, ellipse(70, 120, 116, 100), c);
             for (QPointF t : {QPointF(48, 80), QPointF(92, 40), QPointF(144, 40), QPointF(188, 80)})
                 fillPath(p, ellipse(t.x(), t.y(), 40, 52), c);
         }},
        {"animals", "bird", [](QPainter &p) {
             fillPath(p, ellipse(40, 80, 160, 130), QColor(239, 68, 68), kInk);
             fillPath(p, ellipse(120, 40, 96, 90), QColor(248, 113, 113), kInk);
             fillPath(p, poly({{210, 80}, {250, 92}, {210, 104}}), QColor(251, 191, 36), kInk);
             fillPath(p, ellipse(170, 70, 14, 14), kInk);
         }},
        {"business", "briefcase", [](QPainter &p) {
             fillPath(p, rounded(92, 44, 72, 40, 10), Qt::transparent, kInk);
             fillPath(p, rounded(28, 76, 200, 140, 18), QColor(120, 72, 40), kInk);
             fillPath(p, rounded(112, 132, 32, 24, 4), QColor(251, 191, 36), kInk);
         }},
        {"business", "chart", [](QPainter &p) {
             const QColor bars[] = {QColor(59, 130, 246), QColor(16, 185, 129), QColor(245, 158, 11)};
             for (int i = 0; i < 3; ++i)
                 fillPath(p, rounded(48 + i * 60, 180 - 50 * (i + 1), 44, 50 * (i + 1) + 20, 6), bars[i], kInk);
             fillPath(p, rounded(28, 204, 200, 10, 5), kInk);
         }},
        {"business", "handshake", [](QPainter &p) {
             fillPath(p, rounded(20, 100, 110, 56, 28), QColor(251, 191, 36), kInk);
             fillPath(p, rounded(126, 100, 110, 56, 28), QColor(217, 119, 6), kInk);
             fillPath(p, ellipse(104, 92, 48, 72), QColor(253, 230, 138), kInk);
         }},
        {"business", "globe", [](QPainter &p) {
             fillPath(p, ellipse(28, 28, 200, 200), QColor(59, 130, 246), kInk);
             p.setPen(QPen(QColor(219, 234, 254), 6));
             p.setBrush(Qt::NoBrush);
             p.drawEllipse(QRectF(78, 28, 100, 200));
             p.drawLine(QPointF(28, 128), QPointF(228, 128));
             p.drawLine(QPointF(128, 28), QPointF(128, 228));
         }},
        {"education", "book", [](QPainter &p) {
             fillPath(p, poly({{128, 70}, {30, 50}, {30, 200}, {128, 220}}), QColor(37, 99, 235), kInk);
             fillPath(p, poly({{128, 70}, {226, 50}, {226, 200}, {128, 220}}), QColor(96, 165, 250), kInk);
         }},
        {"education", "graduation cap", [](QPainter &p) {
             fillPath(p, poly({{78, 130}, {178, 130}, {178, 190}, {128, 206}, {78, 190}}), QColor(31, 41, 55), kInk);
             fillPath(p, poly({{128, 50}, {240, 100}, {128, 150}, {16, 100}}), QColor(55, 65, 81), kInk);
             p.setPen(QPen(QColor(251, 191, 36), 6));
             p.drawLine(QPointF(128, 100), QPointF(210, 120));
             p.drawLine(QPointF(210, 120), QPointF(210, 180));
         }},
        {"education", "pencil", [](QPainter &p) {
             p.translate(128, 128);
             p.rotate(-45);
             fillPath(p, rounded(-90, -20, 150, 40, 6), QColor(250, 204, 21), kInk);
             fillPath(p, poly({{60, -20}, {100, 0}, {60, 20}}), QColor(253, 230, 138), kInk);
             fillPath(p, rounded(-112, -20, 26, 40, 8), QColor(244, 114, 182), kInk);
         }},
        {"education", "apple", [](QPainter &p) {
             fillPath(p, ellipse(40, 70, 100, 150) + ellipse(116, 70, 100, 150), QColor(220, 38, 38), kInk);
             fillPath(p, ellipse(132, 30, 50, 30), QColor(22, 163, 74), kInk);
         }},
        {"medical", "cross", [](QPainter &p) {
             fillPath(p, rounded(96, 28, 64, 200, 12) + rounded(28, 96, 200, 64, 12), QColor(220, 38, 38), kInk);
         }},
        {"medical", "heart", [](QPainter &p) {
             QPainterPath h;
             h.moveTo(128, 220);
             h.cubicTo(20, 150, 20, 40, 128, 80);
             h.cubicTo(236, 40, 236, 150, 128, 220);
             fillPath(p, h, QColor(239, 68, 68), kInk);
         }},
        {"medical", "pill", [](QPainter &p) {
             p.translate(128, 128);
             p.rotate(-35);
             fillPath(p, rounded(-100, -40, 200, 80, 40), QColor(59, 130, 246), kInk);
             fillPath(p, rounded(0, -40, 100, 80, 40) + rounded(0, -40, 40, 80, 0), QColor(241, 245, 249), kInk);
         }},
        {"medical", "stethoscope", [](QPainter &p) {
             p.setPen(QPen(kInk, 12, Qt::SolidLine, Qt::RoundCap));
             p.setBrush(Qt::NoBrush);
             QPainterPath tube;
             tube.moveTo(70, 30);
             tube.cubicTo(50, 150, 170, 150, 160, 30);
             tube.moveTo(115, 130);
             tube.cubicTo(115, 220, 200, 220, 200, 160);
             p.drawPath(tube);
             fillPath(p, ellipse(180, 120, 40, 40), QColor(148, 163, 184), kInk);
         }},
        {"symbols", "star", [](QPainter &p) { fillPath(p, star({128, 136}, 112, 48, 5), QColor(250, 204, 21), kInk); }},
        {"symbols", "check", [](QPainter &p) {
             fillPath(p, ellipse(20, 20, 216, 216), QColor(22, 163, 74));
             p.setPen(QPen(Qt::white, 26, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
             p.drawPolyline(QPolygonF({{70, 132}, {112, 172}, {190, 88}}));
         }},
        {"symbols", "shield", [](QPainter &p) {
             QPainterPath s;
             s.moveTo(128, 20);
             s.lineTo(220, 56);
             s.cubicTo(220, 150, 180, 200, 128, 236);
             s.cubicTo(76, 200, 36, 150, 36, 56);
             s.closeSubpath();
             fillPath(p, s, QColor(30, 64, 175), kInk);
             fillPath(p, star({128, 124}, 50, 22, 5), QColor(250, 204, 21));
         }},
        {"symbols", "info", [](QPainter &p) {
             fillPath(p, ellipse(20, 20, 216, 216), QColor(37, 99, 235));
             fillPath(p, ellipse(112, 56, 32, 32) + rounded(112, 104, 32, 96, 8), Qt::white);
         }},
        {"transport", "car", [](QPainter &p) {
             fillPath(p, poly({{70, 90}, {186, 90}, {214, 136}, {42, 136}}), QColor(147, 197, 253), kInk);
             fillPath(p, rounded(20, 130, 216, 60, 16), QColor(220, 38, 38), kInk);
             fillPath(p, ellipse(48, 168, 48, 48) + ellipse(160, 168, 48, 48), kInk);
         }},
        {"transport", "bus", [](QPainter &p) {
             fillPath(p, rounded(40, 30, 176, 180, 20), QColor(234, 179, 8), kInk);
             fillPath(p, rounded(60, 52, 136, 70, 8), QColor(191, 219, 254), kInk);
             fillPath(p, ellipse(64, 196, 36, 36) + ellipse(156, 196, 36, 36), kInk);
         }},
        {"transport", "plane", [](QPainter &p) {
             fillPath(p, rounded(116, 20, 24, 216, 12), QColor(148, 163, 184), kInk);
             fillPath(p, poly({{128, 96}, {236, 150}, {236, 170}, {128, 140}, {20, 170}, {20, 150}}), QColor(100, 116, 139), kInk);
             fillPath(p, poly({{128, 196}, {176, 224}, {176, 236}, {128, 224}, {80, 236}, {80, 224}}), QColor(100, 116, 139), kInk);
         }},
        {"transport", "bicycle", [](QPainter &p) {
             p.setBrush(Qt::NoBrush);
             p.setPen(QPen(kInk, 10));
             p.drawEllipse(QPointF(64, 170), 44, 44);
             p.drawEllipse(QPointF(192, 170), 44, 44);
             p.setPen(QPen(QColor(22, 163, 74), 10, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
             p.drawPolyline(QPolygonF({{64, 170}, {110, 96}, {176, 96}, {192, 170}, {128, 170}, {110, 96}}));
             p.drawLine(QPointF(176, 96), QPointF(168, 70));
         }},
    };
    return all;
}

// ---------------------------------------------------------------------------------------------
// backgrounds: CR80 landscape at 300 dpi

struct Background {
    const char *name;
    Drawing draw;
};

constexpr int kBgW = 1011, kBgH = 639;

QLinearGradient diagonal(const QColor &a, const QColor &b)
{
    QLinearGradient g(0, 0, kBgW, kBgH);
    g.setColorAt(0, a);
    g.setColorAt(1, b);
    return g;
}

void waves(QPainter &p, const QColor &c, int count, double amp, double y0)
{
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < count; ++i) {
        QPainterPath w;
        const double y = y0 + i * 18;
        w.moveTo(0, y);
        for (int x = 0; x <= kBgW; x += 8)
            w.lineTo(x, y + amp * std::sin(x / 90.0 + i * 0.35));
        p.setPen(QPen(c, 2));
        p.drawPath(w);
    }
}

const std::vector<Background> &backgrounds()
{
    static const std::vector<Background> all = {
        {"ocean_waves", [](QPainter &p) {
             p.fillRect(QRect(0, 0, kBgW, kBgH), diagonal(QColor(224, 242, 254), QColor(186, 230, 253)));
             waves(p, QColor(255, 255, 255, 150), 14, 22, 330);
         }},
        {"sunrise", [](QPainter &p) {
             p.fillRect(QRect(0, 0, kBgW, kBgH), diagonal(QColor(255, 237, 213), QColor(254, 215, 170)));
             QRadialGradient sun(QPointF(kBgW * 0.85, kBgH * 0.2), 420);
             sun.setColorAt(0, QColor(253, 186, 116, 200));
             sun.setColorAt(1, QColor(253, 186, 116, 0));
             p.fillRect(QRect(0, 0, kBgW, kBgH), sun);
         }},
        {"forest_lines", [](QPainter &p) {
             p.fillRect(QRect(0, 0, kBgW, kBgH), diagonal(QColor(236, 253, 245), QColor(209, 250, 229)));
             p.setPen(QPen(QColor(16, 185, 129, 60), 3));
             for (int x = -kBgH; x < kBgW; x += 26)
                 p.drawLine(QPointF(x, kBgH), QPointF(x + kBgH, 0));
         }},
        {"soft_dots", [](QPainter &p) {
             p.fillRect(QRect(0, 0, kBgW, kBgH), QColor(248, 250, 252));
             p.setPen(Qt::NoPen);
             for (int y = 12; y < kBgH; y += 28)
                 for (int x = (y / 28) % 2 ? 26 : 12; x < kBgW; x += 28) {
                     p.setBrush(QColor(99, 102, 241, 20 + 60 * x / kBgW));
                     p.drawEllipse(QPointF(x, y), 5, 5);
                 }
         }},
        {"guilloche", [](QPainter &p) {
             p.fillRect(QRect(0, 0, kBgW, kBgH), diagonal(QColor(245, 243, 255), QColor(237, 233, 254)));
             p.setBrush(Qt::NoBrush);
             p.setPen(QPen(QColor(124, 58, 237, 70), 1.6));
             for (int k = 0; k < 36; ++k) {
                 QPainterPath c;
                 for (int t = 0; t <= 720; ++t) {
                     const double a = t * M_PI / 360, r = 150 + 40 * std::sin(6 * a + k * 0.17);
                     const QPointF pt(kBgW / 2 + r * std::cos(a) * 2.2, kBgH / 2 + r * std::sin(a) * 1.2);
                     t ? c.lineTo(pt) : c.moveTo(pt);
                 }
                 p.drawPath(c);
             }
         }},
        {"triangles", [](QPainter &p) {
             p.fillRect(QRect(0, 0, kBgW, kBgH), QColor(241, 245, 249));
             p.setPen(Qt::NoPen);
             for (int row = 0; row < 8; ++row)
                 for (int col = 0; col < 14; ++col) {
                     const double x = col * 80 - (row % 2) * 40, y = row * 84;
                     const int shade = 200 + ((row * 7 + col * 13) % 40);
                     p.setBrush(QColor(shade - 40, shade - 20, shade + 15 > 255 ? 255 : shade + 15, 120));
                     p.drawPolygon(QPolygonF({{x, y + 84}, {x + 40, y}, {x + 80, y + 84}}));
                 }
         }},
        {"corporate_blue", [](QPainter &p) {
             p.fillRect(QRect(0, 0, kBgW, kBgH), Qt::white);
             p.setPen(Qt::NoPen);
             p.setBrush(QColor(29, 78, 216));
             p.drawPolygon(QPolygonF({{0, 0}, {kBgW * 0.55, 0}, {kBgW * 0.35, kBgH * 0.28}, {0, kBgH * 0.28}}));
             p.setBrush(QColor(96, 165, 250));
             p.drawPolygon(QPolygonF({{kBgW * 0.55, 0}, {kBgW * 0.6, 0}, {kBgW * 0.4, kBgH * 0.28}, {kBgW * 0.35, kBgH * 0.28}}));
             p.setBrush(QColor(29, 78, 216, 30));
             p.drawRect(QRectF(0, kBgH - 40, kBgW, 40));
         }},
        {"warm_paper", [](QPainter &p) {
             p.fillRect(QRect(0, 0, kBgW, kBgH), QColor(254, 252, 232));
             quint32 seed = 7;
             for (int i = 0; i < 9000; ++i) {
                 seed = seed * 1664525u + 1013904223u;
                 const int x = int(seed % kBgW), y = int((seed >> 12) % kBgH);
                 p.setPen(QColor(180, 150, 90, 18 + int(seed >> 28)));
                 p.drawPoint(x, y);
             }
         }},
        {"night_sky", [](QPainter &p) {
             p.fillRect(QRect(0, 0, kBgW, kBgH), diagonal(QColor(30, 27, 75), QColor(49, 46, 129)));
             quint32 seed = 11;
             p.setPen(Qt::NoPen);
             for (int i = 0; i < 220; ++i) {
                 seed = seed * 1664525u + 1013904223u;
                 p.setBrush(QColor(255, 255, 255, 90 + int(seed >> 26) * 2));
                 p.drawEllipse(QPointF(seed % kBgW, (seed >> 11) % kBgH), 1.2 + (seed >> 30), 1.2 + (seed >> 30));
             }
         }},
        {"rose_gradient", [](QPainter &p) {
             p.fillRect(QRect(0, 0, kBgW, kBgH), diagonal(QColor(255, 241, 242), QColor(252, 231, 243)));
             waves(p, QColor(244, 114, 182, 70), 8, 30, 60);
         }},
    };
    return all;
}

// ---------------------------------------------------------------------------------------------
// stock texts

const char *const kTitles[] = {
    "Identity Card", "Employee ID", "Staff Pass", "Visitor Pass", "Student Card", "Library Card", "Member Card",
    "Press Pass", "Contractor", "Volunteer", "Security Pass", "Event Pass", "All Access", "Guest", "Speaker",
    "Exhibitor", "Crew", "Driver", "Access Card", "Parking Permit",
};
const char *const kMessages[] = {
    "This card must be worn visibly at all times while on site.",
    "If found, please return this card to the reception desk.",
    "This card is not transferable and remains the property of the issuer.",
    "Please present this card when asked by security staff.",
    "Valid only with a photo and the holder's signature.",
    "Report a lost or stolen card to the front office at once.",
    "Visitors must be accompanied by a member of staff.",
    "Access is limited to the areas shown on this card.",
    "Thank you for visiting. Please return this pass when you leave.",
    "Keep this card away from heat, bending and strong magnets.",
    "Use of this card is subject to the terms of issue.",
    "Welcome! We hope you enjoy your visit.",
    "In an emergency, follow the instructions of staff and use the nearest exit.",
    "This pass is valid for the date shown only.",
    "Show this card to borrow books and use study rooms.",
};

void writeText(const QString &relative, const char *const *lines, size_t count)
{
    QFile f(g_out + QLatin1Char('/') + relative);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        fail(QStringLiteral("could not write ") + relative);
    for (size_t i = 0; i < count; ++i)
        f.write(QByteArray(lines[i]) + '\n');
}

void clean(const QString &relative)
{
    QDir dir(g_out + QLatin1Char('/') + relative);
    if (dir.exists())
        dir.removeRecursively();
    QDir().mkpath(dir.path());
}

}  // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: contentgen <resources folder>\n");
        return 2;
    }
    g_out = QString::fromLocal8Bit(argv[1]);
    barcode::Install_Control_Barcode_Provider();
    for (const char *folder : {"Templates", "LibraryImage", "Background"})
        clean(QString::fromLatin1(folder));
    for (const Style &s : kStyles) {
        writeTemplate(s, false);
        writeTemplate(s, true);
    }
    for (const ClipArt &art : clipArt()) {
        QImage img = blank(256, 256);
        paint(img, art.draw);
        saveImage(img, QStringLiteral("LibraryImage/%1/%2.png").arg(art.category, art.name));
    }
    for (const Background &bg : backgrounds()) {
        QImage img = blank(kBgW, kBgH, Qt::white);
        paint(img, bg.draw);
        saveImage(img.convertToFormat(QImage::Format_RGB32), QStringLiteral("Background/%1.jpg").arg(bg.name));
    }
    writeText(QStringLiteral("Title.txt"), kTitles, std::size(kTitles));
    writeText(QStringLiteral("Message.txt"), kMessages, std::size(kMessages));
    return 0;
}
