#pragma once
// Mirror, half turn and frame of a finished picture: mirrored output for export, print and
// mail, upside-down cards on a print sheet, and the border of a visitor photo.
//
// Each answers a new image of the source's size and leaves the source as it was. They keep
// no state, so unlike a shared hand-off slot they are safe to call from any thread. Painters
// that record vectors (PDF, printer) take the same geometry from the transforms below and
// draw the card through them instead of mirroring pixels.

#include <QColor>
#include <QImage>
#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QTransform>

class ImageTransforms {
public:
    ImageTransforms() = delete;

    // Left-to-right mirror, or top-to-bottom when `vertical`.
    static QImage Create_Mirror_Image_With_CG_Image(const QImage &source, bool vertical);

    // Always a half turn: the print sheet only ever turns cards upside down, and `angle`
    // and `dr_rect` are accepted for its callers without being consulted.
    static QImage imageRotatedByDegrees_Angle(const QImage &source, double angle, const QRectF &dr_rect);

    // The source with a rectangle stroked on its edges; half the line lies outside and is
    // cut off. `BorderType` is a border style code ("S", "DA", "DO", "DD", "DDD").
    static QImage image_Drawing_with_border(const QImage &source, float width, const QString &BorderType,
                                            const QColor &brdr_clr);

    // The mirror and the half turn as painter transforms over a page of `size`.
    static QTransform mirrorTransform(const QSizeF &size, bool vertical);
    static QTransform halfTurnTransform(const QSizeF &size);

    // Dash lengths in points (drawn, skipped, ...) of a border style code; empty for solid,
    // which is also what an unknown code gets.
    static QList<qreal> borderDashLengths(const QString &code);
};
