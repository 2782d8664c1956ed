#pragma once
// The canvas grid shared by the three canvases: its spacing and colour, whether it is drawn,
// whether points snap to it, and the snapping arithmetic used while controls are created, moved
// and aligned. Every change of one of the four settings is announced as anyChanged(), on which
// the canvases redraw.

#include <QColor>
#include <QObject>
#include <QPointF>
#include <QRectF>

class QPainter;

inline const QString SKTGridAnyKey = QStringLiteral("any");

class SKTGrid : public QObject {
    Q_OBJECT
public:
    explicit SKTGrid(QObject *parent = nullptr);

    QColor color() const { return _color; }
    void setColor(const QColor &colour);
    double spacing() const { return _spacing; }
    void setSpacing(double spacing);
    bool isAlwaysShown() const { return _isAlwaysShown; }
    void setAlwaysShown(bool shown);
    bool isConstraining() const { return _isConstraining; }
    void setConstraining(bool constraining);

    bool isUsable() const { return _spacing > 0; }
    bool canAlign() const { return isUsable(); }
    bool canSetColor() const { return _isAlwaysShown && isUsable(); }
    bool canSetSpacing() const { return _isAlwaysShown || _isConstraining; }

    // The nearest grid point (halves go up) while usable and constraining, else the point.
    QPointF constrainedPoint(QPointF point) const;
    // Origin and far corner each snapped to the nearest grid point, whatever the flags.
    QRectF alignedRect(const QRectF &rect) const;
    // Draws every grid line that crosses `rect` (canvas points), while usable and shown.
    void drawRect(QPainter &painter, const QRectF &rect) const;

signals:
    void anyChanged();
    // The Align-with-grid command follows whether the grid is shown.
    void alwaysShownChanged(bool shown);

private:
    double snap(double v) const;

    QColor _color;
    double _spacing = 9.0;
    bool _isAlwaysShown = false;
    bool _isConstraining = false;
};
