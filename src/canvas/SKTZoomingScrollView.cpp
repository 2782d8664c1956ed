#include "canvas/SKTZoomingScrollView.h"

#include "core/CardSide.h"

#include "core/CardPainting.h"
#include "core/CoreHub.h"
#include "canvas/SKTGraphicView.h"

#include <QComboBox>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>
#include <cmath>

namespace {
constexpr int kRulerThickness = 18;

// Rounded to the nearest whole number with halves away from zero, in single precision.
double roundAway(double v) { return double(std::round(float(v))); }
}  // namespace

// --- ruler ---

SKTRulerView::SKTRulerView(Qt::Orientation orientation, QWidget *parent) : QWidget(parent), m_orientation(orientation)
{
    setObjectName(orientation == Qt::Horizontal ? QStringLiteral("horizontalRuler") : QStringLiteral("verticalRuler"));
}

void SKTRulerView::moveRulerlineFromLocation(double from, double to)
{
    if (from >= 0) {
        const qsizetype at = m_markers.indexOf(from);
        if (at >= 0)
            m_markers.removeAt(at);
    }
    if (to >= 0)
        m_markers.append(to);
    update();
}

void SKTRulerView::setMapping(double originPixels, double scale)
{
    m_origin = originPixels;
    m_scale = scale > 0 ? scale : 1;
    update();
}

void SKTRulerView::setUnit(int unit)
{
    m_unit = unit;
    update();
}

namespace {
double pointsPerUnit(int unit) { return unit == 0 ? 72.0 : unit == 1 ? 72.0 / 2.54 : 72.0 / 25.4; }
}  // namespace

double SKTRulerView::majorStep(int unit, double pixelsPerUnit)
{
    constexpr double room = 40;  // pixels between numbers
    for (double step : {0.25, 0.5, 1.0, 2.0, 5.0, 10.0, 20.0, 50.0, 100.0, 200.0, 500.0, 1000.0})
        if ((unit == 0 || step >= 1) && step * pixelsPerUnit >= room)
            return step;
    return 1000;
}

void SKTRulerView::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Window));
    p.setPen(palette().color(QPalette::Mid));
    const bool horizontal = m_orientation == Qt::Horizontal;
    const int length = horizontal ? width() : height();
    const int depth = horizontal ? height() : width();
    // Numbered ticks in the panel's unit, each divided in four or five.
    const double unitPixels = pointsPerUnit(m_unit) * m_scale;
    const double major = majorStep(m_unit, unitPixels);
    const int parts = QString::number(major).startsWith(QLatin1Char('2')) ? 4 : 5;
    const double minorPixels = major * unitPixels / parts;
    const int firstTick = int(std::floor(-m_origin / minorPixels));
    const int lastTick = int(std::ceil((length - m_origin) / minorPixels));
    QFont small = font();
    small.setPointSizeF(6.5);
    p.setFont(small);
    const QFontMetricsF metrics(small);
    for (int t = firstTick; t <= lastTick; ++t) {
        const double at = m_origin + t * minorPixels;
        const bool numbered = t % parts == 0;
        const int size = numbered ? depth / 2 : depth / 5;
        if (horizontal)
            p.drawLine(QPointF(at, depth - size), QPointF(at, depth));
        else
            p.drawLine(QPointF(depth - size, at), QPointF(depth, at));
        // A number cut at its start reads as another one ("-60" as "60"): it waits until its tick
        // shows.
        if (!numbered || at + 2 < 0)
            continue;
        const QString label = QString::number(t / parts * major);
        if (horizontal) {
            p.drawText(QPointF(at + 2, depth / 2.0), label);
        } else {
            // Turned, the number's height lies across the ruler: centred there, it shows whole.
            p.save();
            p.translate((depth - metrics.ascent() + metrics.descent()) / 2.0, at + 2);
            p.rotate(90);
            p.drawText(QPointF(0, 0), label);
            p.restore();
        }
    }
    p.setPen(palette().color(QPalette::Text));
    for (double m : m_markers) {
        const double at = m_origin + m * m_scale;
        if (horizontal)
            p.drawLine(QPointF(at, 0), QPointF(at, depth));
        else
            p.drawLine(QPointF(0, at), QPointF(depth, at));
    }
}

// --- clip view ---

SWCenteringClipView::SWCenteringClipView(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("SWCenteringClipView"));
}

double SWCenteringClipView::centredOrigin(double documentSize, double clipSize, double currentOrigin)
{
    if (clipSize > documentSize)
        return roundAway((documentSize - clipSize) / 2.0);
    return currentOrigin;
}

double SWCenteringClipView::constrainScrollPoint(double proposed, double documentSize, double clipSize)
{
    if (clipSize <= documentSize)
        return roundAway(std::max(0.0, std::min(proposed, documentSize - clipSize)));
    return roundAway((documentSize - clipSize) / 2.0);
}

void SWCenteringClipView::paintBackdrop(QPainter &p, const QRect &bounds, const QRectF &cardRect, int shape)
{
    QLinearGradient backdrop(bounds.topLeft(), bounds.bottomLeft());
    backdrop.setColorAt(0.0, QColor::fromRgbF(0.88f, 0.88f, 0.88f));
    backdrop.setColorAt(1.0, QColor::fromRgbF(0.78f, 0.78f, 0.78f));
    p.fillRect(bounds, backdrop);
    if (cardRect.isEmpty())
        return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    // Layers of faint black growing outward from the card moved by (3, 3): a blurred shadow.
    for (int spread = 15; spread >= 0; spread -= 3) {
        const double grow = spread / 3.0;
        p.setBrush(QColor(0, 0, 0, 14));
        p.drawPath(Card_Outline_Path(shape, cardRect.translated(3, 3).adjusted(-grow, -grow, grow, grow)));
    }
    p.setBrush(Qt::white);
    p.drawPath(Card_Outline_Path(shape, cardRect));
    p.restore();
}

// --- scroll view ---

const QStringList &SKTZoomingScrollView::zoomLabels()
{
    static const QStringList labels{QStringLiteral("25%"),  QStringLiteral("50%"),  QStringLiteral("75%"),
                                    QStringLiteral("100%"), QStringLiteral("125%"), QStringLiteral("150%"),
                                    QStringLiteral("200%"), QStringLiteral("400%"), QStringLiteral("600%"),
                                    QStringLiteral("800%"), QStringLiteral("1000%")};
    return labels;
}

const QList<double> &SKTZoomingScrollView::zoomFactors()
{
    static const QList<double> factors{0.25, 0.5, 0.75, 1.0, 1.25, 1.5, 2.0, 4.0, 6.0, 8.0, 10.0};
    return factors;
}

SKTZoomingScrollView::SKTZoomingScrollView(QWidget *parent) : QScrollArea(parent)
{
    setObjectName(QStringLiteral("SKTZoomingScrollView"));
    setViewport(new SWCenteringClipView);
    setAlignment(Qt::AlignCenter);
    setWidgetResizable(false);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_hRuler = new SKTRulerView(Qt::Horizontal, this);
    m_vRuler = new SKTRulerView(Qt::Vertical, this);
    m_hRuler->hide();
    m_vRuler->hide();
    validateFactorPopUpButton();
}

void SKTZoomingScrollView::setCanvas(SKTGraphicView *canvas)
{
    setWidget(canvas);
    if (canvas)
        canvas->setScale(_factor);
    layoutRulers();
}

SKTGraphicView *SKTZoomingScrollView::canvas() const { return qobject_cast<SKTGraphicView *>(widget()); }

QComboBox *SKTZoomingScrollView::validateFactorPopUpButton()
{
    if (_factorPopUpButton)
        return _factorPopUpButton;
    _factorPopUpButton = new QComboBox(this);
    _factorPopUpButton->setObjectName(QStringLiteral("factorPopUpButton"));
    QFont small = _factorPopUpButton->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    _factorPopUpButton->setFont(small);
    for (int i = 0; i < zoomLabels().size(); ++i)
        _factorPopUpButton->addItem(tr(qPrintable(zoomLabels()[i])), zoomFactors()[i]);
    _factorPopUpButton->setCurrentIndex(3);
    _factorPopUpButton->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    connect(_factorPopUpButton, &QComboBox::activated, this,
            [this](int index) { setFactor(_factorPopUpButton->itemData(index).toDouble()); });
    addScrollBarWidget(_factorPopUpButton, Qt::AlignLeft);
    return _factorPopUpButton;
}

void SKTZoomingScrollView::setFactor(double factor)
{
    if (!(factor > 0))
        return;
    _factor = factor;
    if (SKTGraphicView *c = canvas())
        c->setScale(factor);
    QComboBox *popUp = validateFactorPopUpButton();
    const int index = popUp->findData(factor);
    if (index >= 0 && index != popUp->currentIndex())
        popUp->setCurrentIndex(index);
    layoutRulers();
    viewport()->update();
    emit factorChanged(factor);
}

void SKTZoomingScrollView::setRulersVisible(bool visible)
{
    m_rulersVisible = visible;
    setViewportMargins(visible ? kRulerThickness : 0, visible ? kRulerThickness : 0, 0, 0);
    m_hRuler->setVisible(visible);
    m_vRuler->setVisible(visible);
    layoutRulers();
}

void SKTZoomingScrollView::layoutRulers()
{
    if (!m_rulersVisible)
        return;
    const QRect vp = viewport()->geometry();
    m_hRuler->setGeometry(vp.x(), vp.y() - kRulerThickness, vp.width(), kRulerThickness);
    m_vRuler->setGeometry(vp.x() - kRulerThickness, vp.y(), kRulerThickness, vp.height());
    const QWidget *c = widget();
    const QPoint origin = c ? c->pos() : QPoint();
    m_hRuler->setMapping(origin.x(), _factor);
    m_vRuler->setMapping(origin.y(), _factor);
}

void SKTZoomingScrollView::paintEvent(QPaintEvent *)
{
    QPainter p(viewport());
    const QWidget *card = widget();
    const SKTGraphicView *view = canvas();
    const int shape = view && view->cardProperty() ? Card_Outline_Code(*view->cardProperty()) : 0;
    SWCenteringClipView::paintBackdrop(p, viewport()->rect(),
                                       card && card->isVisible() ? QRectF(card->geometry()) : QRectF(), shape);
}

void SKTZoomingScrollView::resizeEvent(QResizeEvent *event)
{
    QScrollArea::resizeEvent(event);
    layoutRulers();
}

void SKTZoomingScrollView::setRulerUnit(int unit)
{
    m_hRuler->setUnit(unit);
    m_vRuler->setUnit(unit);
}

void SKTZoomingScrollView::showEvent(QShowEvent *event)
{
    QScrollArea::showEvent(event);
    layoutRulers();
}

bool SKTZoomingScrollView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == widget() && (event->type() == QEvent::Move || event->type() == QEvent::Resize)) {
        layoutRulers();
        viewport()->update();  // the card's outline follows a card of a new size at once
    }
    return QScrollArea::eventFilter(watched, event);
}

void SKTZoomingScrollView::scrollContentsBy(int dx, int dy)
{
    QScrollArea::scrollContentsBy(dx, dy);
    layoutRulers();
}
