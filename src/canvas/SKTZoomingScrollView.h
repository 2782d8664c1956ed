#pragma once
// The frame around a card canvas: a scroll view that zooms by scaling (a pop-up of eleven
// factors at the left end of its horizontal scroll bar), a centring clip view that keeps a
// card smaller than the visible area in the middle and paints the grey backdrop and the card's
// white, shadowed outline, and the two rulers, which echo a moving rectangle with marker lines.

#include <QList>
#include <QPointF>
#include <QScrollArea>
#include <QSizeF>
#include <QWidget>

class QComboBox;
class QPainter;
class SKTGraphicView;

inline const QString SKTZoomingScrollViewFactor = QStringLiteral("factor");

// A ruler along one edge of the visible card: a scale in points and the echo lines, held in
// canvas points (-1 stands for no line).
class SKTRulerView : public QWidget {
    Q_OBJECT
public:
    SKTRulerView(Qt::Orientation orientation, QWidget *parent = nullptr);
    Qt::Orientation orientation() const { return m_orientation; }
    // Moves a marker line; from -1 adds one, to -1 removes one.
    void moveRulerlineFromLocation(double from, double to);
    QList<double> markerLocations() const { return m_markers; }
    // Canvas x (or y) of widget coordinate 0, and pixels per point.
    void setMapping(double originPixels, double scale);
    // The unit the scale counts in: 0 inch, 1 centimetre, 2 millimetre (the panel's units).
    void setUnit(int unit);
    int unit() const { return m_unit; }
    // The spacing of numbered ticks, in units, for `pixelsPerUnit`: the first of 1, 2, 5, 10, 20 …
    // (quarters and halves of an inch too) that leaves room for a number.
    static double majorStep(int unit, double pixelsPerUnit);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Qt::Orientation m_orientation;
    QList<double> m_markers;
    double m_origin = 0;
    double m_scale = 1;
    int m_unit = 2;
};

// The viewport of the zooming scroll view.
class SWCenteringClipView : public QWidget {
    Q_OBJECT
public:
    explicit SWCenteringClipView(QWidget *parent = nullptr);

    // The bounds origin that centres a document smaller than the clip on an axis, or keeps the
    // current origin otherwise ((document - clip) / 2, rounded half away from zero).
    static double centredOrigin(double documentSize, double clipSize, double currentOrigin);
    // A scroll position kept inside the document, or the centre when the clip is larger.
    static double constrainScrollPoint(double proposed, double documentSize, double clipSize);

    // The grey backdrop and the card's white, shadowed outline around `cardRect` (widget
    // coordinates of the clip view).
    static void paintBackdrop(QPainter &painter, const QRect &bounds, const QRectF &cardRect, int cardShape);
};

class SKTZoomingScrollView : public QScrollArea {
    Q_OBJECT
public:
    // The zoom table: labels and factors; "100%" is index 3.
    static const QStringList &zoomLabels();
    static const QList<double> &zoomFactors();

    explicit SKTZoomingScrollView(QWidget *parent = nullptr);

    // Takes the canvas as the document view.
    void setCanvas(SKTGraphicView *canvas);
    SKTGraphicView *canvas() const;

    double factor() const { return _factor; }
    // Scales the canvas; the clip view keeps the card centred. The pop-up follows.
    void setFactor(double factor);
    QComboBox *factorPopUpButton() { return validateFactorPopUpButton(); }
    QComboBox *validateFactorPopUpButton();

    bool rulersVisible() const { return m_rulersVisible; }
    void setRulersVisible(bool visible);
    SKTRulerView *horizontalRuler() const { return m_hRuler; }
    SKTRulerView *verticalRuler() const { return m_vRuler; }
    void setRulerUnit(int unit);

signals:
    void factorChanged(double factor);

protected:
    // The viewport's painting comes here: the clip view's backdrop.
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    // A view shown again, or a card that moved inside it, maps its rulers afresh.
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void layoutRulers();

    double _factor = 1.0;
    QComboBox *_factorPopUpButton = nullptr;
    bool m_rulersVisible = false;
    SKTRulerView *m_hRuler = nullptr;
    SKTRulerView *m_vRuler = nullptr;
};
