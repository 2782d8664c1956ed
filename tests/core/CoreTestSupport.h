#pragma once
// Shared pieces of the design-core tests: a recording hub, kind probes, card-sized images and
// pixel helpers.

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
    void Set_Control_Pos_And_Size(SKTGraphic *g) override { positions.push_back(g ? g->bounds() : QRectF()); }
    QRectF frontCanvasBounds() override { return front; }
    QFont All_Text_font() override { return textFont; }
    QColor All_Text_clr() override { return textColour; }

    int refreshes = 0;
    std::vector<QRectF> positions;
    QRectF front;
    QFont textFont{QStringLiteral("Serif"), 17};
    QColor textColour{Qt::darkGreen};

private:
    CoreHub *m_previous = nullptr;
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
