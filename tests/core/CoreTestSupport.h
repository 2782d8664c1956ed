#pragma once
// Shared pieces of the design-core tests: a recording hub, a bounds log, kind probes,
// card-sized images and pixel helpers.

#include "core/CoreHub.h"
#include "core/SKTGraphic.h"

#include <QImage>
#include <QPainterPath>
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
