#pragma once
// The straight-line control: a segment whose two end points follow from the bounds and two
// direction flags, so moving, aligning and undo of the bounds work as for every other control.

#include "core/SKTGraphic.h"

inline const QString SKTLineBeginPointKey = QStringLiteral("beginPoint");
inline const QString SKTLineEndPointKey = QStringLiteral("endPoint");

class SKTLine : public SKTGraphic {
public:
    SKTLine();

    bool _pointsRight = false;  // the end point lies right of the begin point
    bool _pointsDown = false;   // the end point lies below the begin point

    std::unique_ptr<SKTGraphic> clone() const override { return std::make_unique<SKTLine>(*this); }
    std::unique_ptr<SKTGraphic> makeEmpty() const override { return std::make_unique<SKTLine>(); }

    QPointF beginPoint() const;
    QPointF endPoint() const;
    // Normalised bounds of the segment; the flags tell its direction (each written when given).
    static QRectF boundsWithBeginPoint(QPointF begin, QPointF end, bool *pointsRight = nullptr,
                                       bool *pointsDown = nullptr);
    void setBeginPoint(QPointF p);
    void setEndPoint(QPointF p);

    bool isDrawingFill() const override { return false; }
    bool isDrawingStroke() const override { return true; }
    SKTBezierPath bezierPathForDrawing() const override;
    void drawContentsInView(QPainter &painter, bool isBeingCreateOrEdited) override;
    qint64 creationSizingHandle() const override { return 2; }
    bool canSetDrawingFill() const override { return false; }
    bool canSetDrawingStroke() const override { return false; }
    bool canMakeNaturalSize() const override { return false; }
    bool isContentsUnderPoint(QPointF point) const override;
    qint64 handleUnderPoint(QPointF point) const override;
    void drawHandlesInView(QPainter &painter, bool lock_hai) const override;
    qint64 resizeByMovingHandle(qint64 handle, QPointF point) override;
    void setColor(const QColor &colour) override;

    QVariant valueForKey(const QString &key) override;
    bool setValueForKey(const QString &key, const QVariant &value) override;
    QStringList keysAffectedBy(const QString &key) const override;
    QSet<QString> keysForValuesToObserveForUndo() const override;
    QString presentablePropertyNameForKey(const QString &key) const override;

private:
    void setEndPoints(QPointF begin, QPointF end);
};
