#pragma once
// Shared pieces of the design-core tests: a recording hub, a bounds log, kind probes,
// card-sized images and pixel helpers; a hub with a card side and pixel probes over sides.

#include "core/Card_Property.h"
#include "core/CoreHub.h"
#include "core/SKTRenderingView.h"
#include "core/Shape_Control.h"

#include <QImage>
#include <QPainterPath>
#include <QTemporaryDir>
#include <memory>
#include <functional>
#include <vector>

namespace coretest {

// Records what the core asks of the main window.
class RecordingHub : public CoreHub {
public:
    RecordingHub() { m_previous = setCoreHub(this); }
    ~RecordingHub() override { setCoreHub(m_previous); }
    void Refresh_Canvas() override { ++refreshes; }
    QRectF frontCanvasBounds() override { return front; }

    int refreshes = 0;
    QRectF front;

private:
    CoreHub *m_previous = nullptr;
};

// The bounds a control announced to its observers, in order, while the log lives.
class BoundsLog {
public:
    explicit BoundsLog(SKTGraphic &g) : m_graphic(g)
    {
        m_id = g.addObserver([this](SKTGraphic &, const QString &key, const QVariant &, const QVariant &now) {
            if (key == SKTGraphicBoundsKey)
                positions.push_back(now.toRectF());
        });
    }
    ~BoundsLog() { m_graphic.removeObserver(m_id); }
    std::vector<QRectF> positions;

private:
    SKTGraphic &m_graphic;
    int m_id = 0;
};

// A control of any kind, as the kinds' own classes will make it.
class KindProbe : public SKTGraphic {
public:
    explicit KindProbe(SKTGraphicKind kind) : SKTGraphic(kind) {}
    void setBounds(const QRectF &b) override
    {
        ++setBoundsCalls;
        SKTGraphic::setBounds(b);
    }
    int setBoundsCalls = 0;
};

// A transparent image at 72 dpi: one pixel per card point.
QImage cardImage(int width, int height, QColor fill = Qt::transparent);

// The on-path points of a path, in order (moves and lines; curves count their end points).
std::vector<QPointF> pathPoints(const QPainterPath &path);

// Lengths of the alternating runs along row y from x0 to x1 (exclusive), starting with the run
// the first pixel belongs to; `inked` decides what counts as ink.
std::vector<int> rowRuns(const QImage &image, int y, int x0, int x1, const std::function<bool(QRgb)> &inked);

bool near(QColor a, QColor b, int tolerance = 8);

}  // namespace coretest

namespace kindstest {

// A 243 by 154 point card, white with no border unless a test changes `card`.
class CardHub : public coretest::RecordingHub {
public:
    CardHub()
    {
        front = QRectF(0, 0, 243, 154);
        card.setCard_Size(front.size());
    }
    // The card with copies of the controls.
    template <class Range>
    CardSide side(const Range &controls) const
    {
        return CardSide::copyOf(card, controls);
    }
    Card_Property card;
};

// A borderless filled rectangle control.
std::unique_ptr<Shape_Control> filledRect(const QRectF &bounds, QColor fill);

// The bounding box of the pixels `inked` accepts; empty when none.
QRect inkBox(const QImage &image, const std::function<bool(QColor)> &inked);
// Dark pixels: text ink on a light card.
bool isDark(QColor c);

// The first bytes of a file.
QByteArray headOf(const QString &path, int count);

}  // namespace kindstest
