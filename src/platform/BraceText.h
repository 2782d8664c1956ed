#pragma once
// The brace texts in which design files store points, sizes and rectangles:
// "{x, y}", "{w, h}" and "{{x, y}, {w, h}}".

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

namespace platform {

QString pointToText(QPointF p);
QString sizeToText(QSizeF s);
QString rectToText(const QRectF &r);

// Tolerant readers: the numbers are taken in order wherever they stand; a missing or
// unreadable number counts as 0, so a damaged text yields a defined value, never a failure.
QPointF textToPoint(const QString &text);
QSizeF textToSize(const QString &text);
QRectF textToRect(const QString &text);

}  // namespace platform
