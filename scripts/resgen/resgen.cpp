// Draws the application's own pictures (placeholders, side buttons, tool icons, patterns) into
// the resources folder, and with --icons the desktop icons. Run through scripts/make-images and
// scripts/make-icons; the output is committed.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QTextDocument>
#include <QRandomGenerator>
#include <QtMath>

#include <cstdio>
#include <functional>

namespace {

QString g_out;

const QColor kInk(52, 64, 84);
const QColor kAccent(37, 99, 235);
const QColor kSoft(226, 232, 240);

void save(const QImage &img, const QString &name, int quality = 92)
{
    const QString path = g_out + QLatin1Char('/') + name;
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!img.save(path, nullptr, quality)) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
        std::exit(1);
    }
}

QImage canvas(int w, int h, const QColor &fill = Qt::transparent)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(fill);
    return img;
}

void draw(QImage &img, const std::function<void(QPainter &)> &fn)
{
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    fn(p);
}

// A framed picture placeholder: sky, hills and sun, for an image control with no picture.
QImage landscape(int w, int h, bool crossed)
{
    QImage img = canvas(w, h, QColor(241, 245, 249));
    draw(img, [&](QPainter &p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(203, 213, 225));
        QPainterPath hills;
        hills.moveTo(0, h * 0.78);
        hills.cubicTo(w * 0.25, h * 0.45, w * 0.45, h * 0.5, w * 0.6, h * 0.68);
        hills.cubicTo(w * 0.72, h * 0.58, w * 0.88, h * 0.55, w, h * 0.7);
        hills.lineTo(w, h);
        hills.lineTo(0, h);
        p.drawPath(hills);
        p.setBrush(QColor(250, 204, 21));
        p.drawEllipse(QPointF(w * 0.72, h * 0.3), w * 0.08, w * 0.08);
        p.setPen(QPen(QColor(148, 163, 184), 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(1, 1, w - 2, h - 2));
        if (crossed) {
            p.setPen(QPen(QColor(220, 38, 38), w / 24.0, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(w * 0.3, h * 0.3), QPointF(w * 0.7, h * 0.7));
            p.drawLine(QPointF(w * 0.7, h * 0.3), QPointF(w * 0.3, h * 0.7));
        }
    });
    return img;
}

// Head and shoulders: the photo slot of visitor and group mode.
QImage person(int w, int h)
{
    QImage img = canvas(w, h, QColor(241, 245, 249));
    draw(img, [&](QPainter &p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(148, 163, 184));
        p.drawEllipse(QPointF(w / 2.0, h * 0.38), w * 0.2, w * 0.2);
        QPainterPath body;
        body.moveTo(w * 0.12, h);
        body.cubicTo(w * 0.14, h * 0.62, w * 0.86, h * 0.62, w * 0.88, h);
        body.closeSubpath();
        p.drawPath(body);
        p.setPen(QPen(QColor(203, 213, 225), 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(1, 1, w - 2, h - 2));
    });
    return img;
}

QImage noCamera(int w, int h)
{
    QImage img = canvas(w, h, QColor(30, 41, 59));
    draw(img, [&](QPainter &p) {
        const QRectF body(w * 0.3, h * 0.36, w * 0.4, h * 0.3);
        p.setPen(QPen(QColor(148, 163, 184), 6));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(body, 10, 10);
        p.drawEllipse(body.center(), h * 0.08, h * 0.08);
        p.drawRect(QRectF(w * 0.42, h * 0.3, w * 0.1, h * 0.06));
        p.setPen(QPen(QColor(239, 68, 68), 8, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(w * 0.25, h * 0.75), QPointF(w * 0.75, h * 0.25));
        p.setPen(QColor(203, 213, 225));
        QFont f;
        f.setPixelSize(h / 12);
        p.setFont(f);
        p.drawText(QRectF(0, h * 0.78, w, h * 0.15), Qt::AlignCenter, QStringLiteral("No camera picture"));
    });
    return img;
}

QImage signature(int w, int h)
{
    QImage img = canvas(w, h);
    draw(img, [&](QPainter &p) {
        QPainterPath s;
        s.moveTo(w * 0.06, h * 0.62);
        s.cubicTo(w * 0.12, h * 0.1, w * 0.2, h * 0.15, w * 0.18, h * 0.7);
        s.cubicTo(w * 0.17, h * 0.95, w * 0.3, h * 0.3, w * 0.36, h * 0.42);
        s.cubicTo(w * 0.42, h * 0.55, w * 0.38, h * 0.75, w * 0.46, h * 0.55);
        s.cubicTo(w * 0.52, h * 0.38, w * 0.56, h * 0.62, w * 0.62, h * 0.5);
        s.cubicTo(w * 0.7, h * 0.3, w * 0.74, h * 0.72, w * 0.8, h * 0.48);
        s.cubicTo(w * 0.85, h * 0.3, w * 0.9, h * 0.45, w * 0.95, h * 0.4);
        p.setPen(QPen(QColor(30, 58, 138), h / 28.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(s);
        p.setPen(QPen(QColor(30, 58, 138), h / 40.0, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(w * 0.1, h * 0.82), QPointF(w * 0.9, h * 0.8));
    });
    return img;
}

QImage fingerprint(int w, int h)
{
    QImage img = canvas(w, h);
    draw(img, [&](QPainter &p) {
        p.setPen(QPen(QColor(51, 65, 85), w / 45.0, Qt::SolidLine, Qt::RoundCap));
        const QPointF c(w / 2.0, h * 0.55);
        for (int i = 1; i <= 11; ++i) {
            const double rx = w * 0.035 * i, ry = h * 0.042 * i;
            const int start = 200 + (i % 3) * 12, span = 300 - (i % 4) * 25;
            p.drawArc(QRectF(c.x() - rx, c.y() - ry, 2 * rx, 2 * ry), start * 16, -span * 16);
        }
    });
    return img;
}

QImage barcodeSample(int w, int h)
{
    QImage img = canvas(w, h, Qt::white);
    draw(img, [&](QPainter &p) {
        p.setRenderHint(QPainter::Antialiasing, false);
        const int widths[] = {2, 1, 1, 3, 1, 2, 2, 1, 3, 1, 1, 2, 1, 3, 2, 1, 1, 2, 3, 1, 2, 1, 1, 3, 1, 2};
        double x = w * 0.08;
        const double unit = (w * 0.84) / 96.0;
        bool dark = true;
        for (int k = 0; x < w * 0.92; ++k) {
            const double bw = widths[k % 26] * unit;
            if (dark)
                p.fillRect(QRectF(x, h * 0.1, bw, h * 0.66), Qt::black);
            x += bw;
            dark = !dark;
        }
        QFont f(QStringLiteral("DejaVu Sans Mono"));
        f.setPixelSize(int(h * 0.16));
        p.setFont(f);
        p.setPen(Qt::black);
        p.drawText(QRectF(0, h * 0.78, w, h * 0.2), Qt::AlignCenter, QStringLiteral("0123"));
    });
    return img;
}

QImage sideButton(const QString &text, bool selected)
{
    QImage img = canvas(120, 36);
    draw(img, [&](QPainter &p) {
        const QRectF r(1, 1, 118, 34);
        p.setPen(QPen(selected ? kAccent.darker(120) : QColor(148, 163, 184), 1.5));
        p.setBrush(selected ? kAccent : QColor(248, 250, 252));
        p.drawRoundedRect(r, 8, 8);
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setPixelSize(15);
        f.setBold(true);
        p.setFont(f);
        p.setPen(selected ? Qt::white : kInk);
        p.drawText(r, Qt::AlignCenter, text);
    });
    return img;
}

QImage pattern(int w, int h, const QColor &base, const QColor &line, int step)
{
    QImage img = canvas(w, h, base);
    draw(img, [&](QPainter &p) {
        p.setPen(QPen(line, 1));
        for (int d = -h; d < w; d += step)
            p.drawLine(d, h, d + h, 0);
    });
    return img;
}

// Tool icons: 64 px, drawn on a 32-unit grid.
QImage toolIcon(const std::function<void(QPainter &)> &fn)
{
    QImage img = canvas(64, 64);
    draw(img, [&](QPainter &p) {
        p.scale(2, 2);
        p.setPen(QPen(kInk, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(kSoft);
        fn(p);
    });
    return img;
}

QPolygonF star(QPointF c, double outer, double inner, int points, double rotate = -90)
{
    QPolygonF poly;
    for (int i = 0; i < points * 2; ++i) {
        const double r = (i % 2 == 0) ? outer : inner;
        const double a = qDegreesToRadians(rotate + i * 180.0 / points);
        poly << QPointF(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
    }
    return poly;
}

QPolygonF regular(QPointF c, double r, int n)
{
    QPolygonF poly;
    for (int i = 0; i < n; ++i) {
        const double a = qDegreesToRadians(-90 + i * 360.0 / n);
        poly << QPointF(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
    }
    return poly;
}

void makeToolIcons()
{
    const QPointF c(16, 16);
    save(toolIcon([](QPainter &p) {
             QPolygonF a{{9, 4}, {9, 25}, {14, 20}, {18, 28}, {21, 27}, {17, 19}, {24, 19}};
             p.setBrush(Qt::white);
             p.drawPolygon(a);
         }),
         QStringLiteral("icons/tool_arrow.png"));
    save(toolIcon([](QPainter &p) { p.drawLine(QPointF(6, 26), QPointF(26, 6)); }), QStringLiteral("icons/tool_line.png"));
    save(toolIcon([](QPainter &p) {
             QFont f(QStringLiteral("DejaVu Serif"));
             f.setPixelSize(24);
             f.setBold(true);
             p.setFont(f);
             p.drawText(QRectF(0, 0, 32, 32), Qt::AlignCenter, QStringLiteral("T"));
         }),
         QStringLiteral("icons/tool_text.png"));
    save(toolIcon([](QPainter &p) { p.drawRect(QRectF(5, 8, 22, 16)); }), QStringLiteral("icons/tool_rectangle.png"));
    save(toolIcon([&](QPainter &p) { p.drawEllipse(c, 11, 8); }), QStringLiteral("icons/tool_ellipse.png"));
    save(toolIcon([](QPainter &p) { p.drawRoundedRect(QRectF(5, 8, 22, 16), 5, 5); }),
         QStringLiteral("icons/tool_rounded_rectangle.png"));
    save(toolIcon([](QPainter &p) { p.drawPolygon(QPolygonF{{16, 5}, {27, 26}, {5, 26}}); }),
         QStringLiteral("icons/tool_triangle.png"));
    save(toolIcon([](QPainter &p) { p.drawPolygon(QPolygonF{{16, 4}, {27, 16}, {16, 28}, {5, 16}}); }),
         QStringLiteral("icons/tool_diamond.png"));
    save(toolIcon([](QPainter &p) {
             p.drawRect(QRectF(5, 7, 22, 18));
             p.setBrush(kAccent);
             p.setPen(Qt::NoPen);
             p.drawPolygon(QPolygonF{{7, 23}, {14, 14}, {19, 20}, {22, 17}, {25, 23}});
             p.drawEllipse(QPointF(21, 12), 2, 2);
         }),
         QStringLiteral("icons/tool_image.png"));
    save(toolIcon([](QPainter &p) {
             p.drawRoundedRect(QRectF(4, 6, 18, 16), 2, 2);
             p.drawRoundedRect(QRectF(10, 11, 18, 16), 2, 2);
             p.setBrush(kAccent);
             p.setPen(Qt::NoPen);
             p.drawEllipse(QPointF(19, 19), 4, 4);
         }),
         QStringLiteral("icons/tool_clipart.png"));
    save(toolIcon([](QPainter &p) {
             p.setPen(Qt::NoPen);
             p.setBrush(kInk);
             const double xs[] = {5, 8, 10, 14, 16, 19, 22, 24, 26};
             const double ws[] = {2, 1, 2.5, 1, 1.5, 2, 1, 1, 1.5};
             for (int i = 0; i < 9; ++i)
                 p.drawRect(QRectF(xs[i], 6, ws[i], 20));
         }),
         QStringLiteral("icons/tool_barcode.png"));
    save(toolIcon([](QPainter &p) {
             p.setBrush(Qt::NoBrush);
             QPainterPath s;
             s.moveTo(4, 20);
             s.cubicTo(8, 4, 12, 6, 11, 20);
             s.cubicTo(11, 28, 16, 12, 19, 17);
             s.cubicTo(22, 22, 24, 12, 28, 14);
             p.drawPath(s);
             p.drawLine(QPointF(4, 27), QPointF(28, 27));
         }),
         QStringLiteral("icons/tool_signature.png"));
    save(toolIcon([&](QPainter &p) {
             p.setBrush(Qt::NoBrush);
             p.setPen(QPen(kInk, 1.5, Qt::SolidLine, Qt::RoundCap));
             for (int i = 1; i <= 5; ++i)
                 p.drawArc(QRectF(16 - 2.4 * i, 17 - 2.8 * i, 4.8 * i, 5.6 * i), 200 * 16, -290 * 16);
         }),
         QStringLiteral("icons/tool_fingerprint.png"));
    save(toolIcon([&](QPainter &p) { p.drawPolygon(star(c, 12, 5, 5)); }), QStringLiteral("icons/tool_star.png"));
    save(toolIcon([&](QPainter &p) {
             p.drawPolygon(star(c, 12, 7, 8));
             p.drawPolygon(star(c, 6, 3, 8, -67.5));
         }),
         QStringLiteral("icons/tool_double_star.png"));
    save(toolIcon([&](QPainter &p) { p.drawPolygon(regular(c, 12, 6)); }), QStringLiteral("icons/tool_polygon.png"));
    save(toolIcon([](QPainter &p) {
             p.drawRoundedRect(QRectF(4, 7, 24, 18), 2, 2);
             QFont f(QStringLiteral("DejaVu Sans"));
             f.setPixelSize(9);
             f.setBold(true);
             p.setFont(f);
             p.setPen(QColor(148, 163, 184));
             p.translate(16, 16);
             p.rotate(-25);
             p.drawText(QRectF(-14, -6, 28, 12), Qt::AlignCenter, QStringLiteral("WM"));
         }),
         QStringLiteral("icons/tool_watermark.png"));
}

// --- the print window's pictures ---

// One card of the arrangement pictures: a letter for its side and a bar along its head edge, so
// a card turned head down reads as turned. `behind` draws it as the reverse of a duplex sheet.
void printCard(QPainter &p, const QRectF &r, const QString &side, bool turned, bool behind = false)
{
    p.save();
    p.translate(r.center());
    if (turned)
        p.rotate(180);
    const QRectF card(-r.width() / 2, -r.height() / 2, r.width(), r.height());
    p.setPen(QPen(behind ? QColor(148, 163, 184) : kInk, 1.5, behind ? Qt::DashLine : Qt::SolidLine));
    p.setBrush(behind ? QColor(241, 245, 249) : Qt::white);
    p.drawRoundedRect(card, 4, 4);
    p.setPen(Qt::NoPen);
    p.setBrush(side == QLatin1String("F") ? kAccent : QColor(217, 119, 6));
    p.drawRect(QRectF(card.left() + 3, card.top() + 3, card.width() - 6, 5));
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(int(r.height() * 0.45));
    f.setBold(true);
    p.setFont(f);
    p.setPen(behind ? QColor(148, 163, 184) : kInk);
    p.drawText(card.adjusted(0, 6, 0, 0), Qt::AlignCenter, side);
    p.restore();
}

// The arrangement pictures (sides on the sheet) and the block-position pictures (where the
// block of cards sits on the page), normal and selected.
void makePrintPictures()
{
    const int w = 96, h = 72;
    const QRectF top(28, 4, 40, 30), bottom(28, 38, 40, 30), left(6, 21, 40, 30), right(50, 21, 40, 30);
    const QRectF single(24, 16, 48, 36), front(20, 12, 44, 33), back(34, 26, 44, 33);
    const struct {
        const char *name;
        std::function<void(QPainter &)> paint;
    } arrangements[] = {
        {"up-down-flip", [&](QPainter &p) { printCard(p, top, "F", false); printCard(p, bottom, "B", true); }},
        {"up-down", [&](QPainter &p) { printCard(p, top, "F", false); printCard(p, bottom, "B", false); }},
        {"left-rite", [&](QPainter &p) { printCard(p, left, "F", false); printCard(p, right, "B", false); }},
        {"both_up", [&](QPainter &p) { printCard(p, back, "B", false, true); printCard(p, front, "F", false); }},
        {"head_up_head_down", [&](QPainter &p) { printCard(p, back, "B", true, true); printCard(p, front, "F", false); }},
        {"front", [&](QPainter &p) { printCard(p, single, "F", false); }},
        {"front_flip", [&](QPainter &p) { printCard(p, single, "F", true); }},
        {"back", [&](QPainter &p) { printCard(p, single, "B", false); }},
        {"back_flip", [&](QPainter &p) { printCard(p, single, "B", true); }},
    };
    for (const auto &a : arrangements) {
        QImage img = canvas(w, h);
        draw(img, a.paint);
        save(img, QStringLiteral("print/%1.png").arg(QString::fromLatin1(a.name)));
    }
    // The nine positions, in reading order, under the names the window looks them up by.
    const char *const positions[9][2] = {
        {"top_left", "top_left - sel"},         {"top_center", "top_center - sel"},
        {"top_right", "top_right - sel"},       {"middle_left", "middle_left - sel"},
        {"middle_center", "middle_center_sel"}, {"middle_right", "middle_right - sel"},
        {"bootom_left", "bootom_left - sel"},   {"bootom_center", "bootom_center - sel"},
        {"boottom_right", "boottom_right - sel"},
    };
    for (int i = 0; i < 9; ++i) {
        for (int selected = 0; selected < 2; ++selected) {
            QImage img = canvas(40, 40);
            draw(img, [&](QPainter &p) {
                // A page with the block of cards in one of its nine places.
                p.setPen(QPen(selected ? kAccent.darker(120) : QColor(148, 163, 184), 1.5));
                p.setBrush(selected ? QColor(219, 234, 254) : QColor(248, 250, 252));
                p.drawRoundedRect(QRectF(2, 2, 36, 36), 3, 3);
                p.setPen(Qt::NoPen);
                p.setBrush(selected ? kAccent : QColor(100, 116, 139));
                p.drawRect(QRectF(6 + (i % 3) * 10, 6 + (i / 3) * 10, 8, 8));
            });
            save(img, QStringLiteral("print/%1.png").arg(QString::fromLatin1(positions[i][selected])));
        }
    }
}


// The user guide opened by the Help buttons.
void makeHelp()
{
    const QString path = g_out + QStringLiteral("/Help.pdf");
    QPdfWriter pdf(path);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(18, 18, 18, 18), QPageLayout::Millimeter);
    pdf.setTitle(QStringLiteral("badgeloom Help"));
    pdf.setCreator(QStringLiteral("badgeloom"));
    QTextDocument doc;
    doc.setDefaultFont(QFont(QStringLiteral("DejaVu Sans"), 10));
    doc.setHtml(QStringLiteral(
        "<h1>badgeloom</h1>"
        "<p>badgeloom designs ID cards, badges and visitor passes. A card has a front, a back and a "
        "temporary design side; each side holds controls drawn over the card's background.</p>"
        "<h2>Starting</h2>"
        "<p>At start and after <b>New</b>, choose how to begin: from a template, with the card wizard, "
        "from a saved design, in visitor mode or in group mode. Cancel brings the choice back.</p>"
        "<h2>Drawing</h2>"
        "<p>The tool palette on the left creates a control at once: line, text, rectangle, ellipse, "
        "rounded rectangle, triangle, diamond, star, double star, polygon, image from a file, clip art, "
        "barcode, signature and fingerprint. With the arrow tool, click to select, Ctrl-click to add or "
        "remove a control from the selection, drag to move, drag a handle to resize, drag on the card to "
        "select with a marquee. The arrow keys move the selection by one point. Delete removes it; a "
        "locked control (red handles) is neither moved nor deleted.</p>"
        "<h2>Editing</h2>"
        "<p>The Edit menu and the toolbar hold Undo (Ctrl+Z) and Redo (Ctrl+Shift+Z; each side keeps "
        "its own history), Cut (Ctrl+X), Copy (Ctrl+C) and Paste (Ctrl+V, also between the sides), "
        "Delete (Del) and Select All (Ctrl+A); the toolbar also has To Front, To Back, Lock, Unlock and "
        "the zoom. Rest the pointer on a toolbar button to see its name and shortcut. The right-click "
        "menu of the card has the alignment, size and order commands, Show/Hide Grid, the card's "
        "properties and background, Export ID Card and Export as Template.</p>"
        "<h2>Zoom and rulers</h2>"
        "<p>Zoom from 25% to 1000% with the toolbar or Ctrl++ and Ctrl+-. The rulers count in the unit "
        "chosen under View &gt; Units. Dragging a control to the edge of the visible part of a zoomed "
        "card scrolls the card along.</p>"
        "<h2>Templates</h2>"
        "<p>Export as Template (right-click menu) saves the design with a preview among your own "
        "templates, where the template gallery offers it. A template of the same name is replaced only "
        "after you agree, and only once the new one has been written.</p>"
        "<h2>Tools</h2>"
        "<p>The Tools menu and toolbar open the Series Manager (lists of values such as numbers or "
        "names, one per card), Create Series (numbered, constant or random series), the Import Wizard "
        "(series from a workbook, a text file, typed text or a picture folder) and the Cropping Tool. A "
        "text or image control takes its values from a series on its Data tab.</p>"
        "<h2>Invitations</h2>"
        "<p>Tools &gt; Invitation Wizard makes a party invitation. Choose the card size and a frame, "
        "then a photo, which you can turn, lighten, blur or make grey or sepia. Beside the pages, write "
        "the title and message (the arrows page through ready-made ones), who it is for, who it is from, "
        "the venue, and pick a date and a time. Finish lays the invitation out on the front: the frame "
        "fills the card behind everything, the photo sits in the middle and the texts run from top to "
        "bottom. The design stays as it was until you finish. Tools &gt; Invitation Photo adjusts the "
        "photo of the invitation on the card again.</p>"
        "<h2>Help and support</h2>"
        "<p>Help &gt; Help and Support (F1) opens this manual in your PDF viewer and offers the "
        "project's support address and web site. When no program on the computer shows PDF files, a "
        "message names the folder where Help.pdf is.</p>"
        "<h2>Card</h2>"
        "<p>The card properties on the right set the name, category, orientation, preset size (CR80 "
        "credit-card size by default) or your own width and height in the unit chosen under Setting, "
        "the background fill and the border. The grid can be shown and used to snap controls; View &gt; "
        "Grid sets it whatever the panel shows, and View &gt; Snap to Grid makes controls snap to it.</p>"
        "<h2>Sides</h2>"
        "<p>The Front and Back buttons switch the side being designed; Preview shows the temporary "
        "design side.</p>"));
    // The document breaks itself into as many pages as its text needs.
    doc.print(&pdf);
}


// --- desktop icons: drawn on a 256 grid and scaled, so every size is painted sharp ---

// A badge on a lanyard clip: photo, name lines and a barcode strip.
void paintAppIcon(QPainter &p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 41, 59, 60));
    p.drawRoundedRect(QRectF(44, 52, 176, 196), 22, 22);  // shadow
    p.setBrush(Qt::white);
    p.setPen(QPen(kInk, 6));
    p.drawRoundedRect(QRectF(36, 40, 176, 200), 22, 22);
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    QPainterPath inside;
    inside.addRoundedRect(QRectF(39, 43, 170, 194), 19, 19);
    p.save();
    p.setClipPath(inside);
    p.drawRect(QRectF(39, 43, 170, 60));  // the band across the top
    p.restore();
    p.setBrush(kInk);
    p.drawRoundedRect(QRectF(100, 14, 48, 44), 10, 10);  // clip
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(110, 26, 28, 10), 5, 5);
    p.setBrush(kSoft);
    p.drawRoundedRect(QRectF(56, 116, 64, 78), 8, 8);  // photo
    p.setBrush(QColor(148, 163, 184));
    p.drawEllipse(QRectF(74, 126, 28, 28));
    p.drawChord(QRectF(64, 156, 48, 56), 0, 180 * 16);
    p.setBrush(kInk);
    for (int i = 0; i < 3; ++i)
        p.drawRoundedRect(QRectF(132, 122 + i * 22, i == 2 ? 40 : 60, 10), 5, 5);
    for (int x = 56; x < 192; x += 9)
        p.drawRect(QRectF(x, 208, x % 2 ? 3 : 5, 18));
}

// A page with a folded corner; `mark` draws what the document holds.
void paintDocument(QPainter &p, const std::function<void(QPainter &)> &mark)
{
    QPainterPath page;
    page.moveTo(48, 12);
    page.lineTo(168, 12);
    page.lineTo(216, 60);
    page.lineTo(216, 244);
    page.lineTo(48, 244);
    page.closeSubpath();
    p.setPen(QPen(kInk, 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::white);
    p.drawPath(page);
    p.setBrush(kSoft);
    p.drawPolygon(QPolygonF({QPointF(168, 12), QPointF(168, 60), QPointF(216, 60)}));
    p.setPen(Qt::NoPen);
    mark(p);
}

void paintDesignDocument(QPainter &p)
{
    paintDocument(p, [](QPainter &q) {
        q.setBrush(kAccent);
        q.drawRoundedRect(QRectF(72, 96, 120, 120), 14, 14);
        q.setBrush(Qt::white);
        q.drawEllipse(QRectF(90, 116, 34, 34));
        q.drawChord(QRectF(80, 154, 54, 60), 0, 180 * 16);
        for (int i = 0; i < 3; ++i)
            q.drawRoundedRect(QRectF(142, 124 + i * 24, 36, 10), 5, 5);
    });
}

void paintProfileDocument(QPainter &p)
{
    paintDocument(p, [](QPainter &q) {
        q.setBrush(kAccent);
        for (int row = 0; row < 4; ++row)
            for (int col = 0; col < 2; ++col)
                q.drawRoundedRect(QRectF(70 + col * 64, 80 + row * 40, 56, 32), 6, 6);
    });
}

void makeDesktopIcons(const QString &folder)
{
    const struct {
        const char *context, *name;
        void (*paint)(QPainter &);
    } icons[] = {{"apps", "badgeloom", paintAppIcon},
                 {"mimetypes", "application-x-badgeloom-design", paintDesignDocument},
                 {"mimetypes", "application-x-badgeloom-print-profile", paintProfileDocument}};
    g_out = folder;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256, 512}) {
        for (const auto &icon : icons) {
            QImage img = canvas(size, size);
            draw(img, [&](QPainter &p) {
                p.scale(size / 256.0, size / 256.0);
                icon.paint(p);
            });
            // Smallest files: PNG's quality is its compression, 0 the strongest.
            save(img, QStringLiteral("%1x%1/%2/%3.png").arg(size).arg(QLatin1String(icon.context), QLatin1String(icon.name)),
                 0);
        }
    }
}

}  // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc < 2 || (argc < 3 && QLatin1String(argv[1]) == QLatin1String("--icons"))) {
        std::fprintf(stderr, "usage: resgen <resources folder> | resgen --icons <hicolor folder>\n");
        return 2;
    }
    if (QLatin1String(argv[1]) == QLatin1String("--icons")) {
        makeDesktopIcons(QString::fromLocal8Bit(argv[2]));
        return 0;
    }
    g_out = QString::fromLocal8Bit(argv[1]);

    save(noCamera(640, 480), QStringLiteral("no_camera.jpg"));
    save(landscape(240, 180, true), QStringLiteral("pic_err.png"));
    save(person(240, 300), QStringLiteral("pic_ic.png"));
    save(landscape(240, 180, false), QStringLiteral("no.png"));
    save(pattern(64, 64, QColor(248, 250, 252), QColor(226, 232, 240), 8), QStringLiteral("banner.png"));
    save(pattern(256, 256, QColor(241, 244, 250), QColor(228, 233, 243), 12), QStringLiteral("pattern_1.jpg"));
    save(pattern(256, 256, QColor(253, 246, 236), QColor(245, 230, 210), 16), QStringLiteral("Wizard_pattern.jpg"));
    save(signature(400, 140), QStringLiteral("sign_sample.png"));
    save(fingerprint(240, 300), QStringLiteral("fingerprints.png"));
    save(barcodeSample(300, 120), QStringLiteral("barcode_sample.png"));
    save(sideButton(QStringLiteral("Front"), false), QStringLiteral("front-2.png"));
    save(sideButton(QStringLiteral("Back"), false), QStringLiteral("back-2.png"));
    save(sideButton(QStringLiteral("Front"), true), QStringLiteral("front-sel.png"));
    save(sideButton(QStringLiteral("Back"), true), QStringLiteral("back-sel.png"));
    makeToolIcons();
    makePrintPictures();
    makeHelp();
    return 0;
}
