#pragma once
// A one-line text field that keeps its line in the middle of whatever height the layout gives
// it, whatever vertical alignment it was set to: headings and titles of the small windows sit
// level with the buttons beside them however tall their row is.
//
// It is a QLabel, so callers that read `text()` or keep a QLabel pointer need not know.

#include <QLabel>
#include <QRectF>

class VerticallyCenteredTextFieldCell : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

    // Where the line is drawn for `bounds`: the label's own contents rectangle, with its top
    // moved down to bounds.top + (bounds.height - line height) / 2 and its bottom kept.
    QRectF titleRectForBounds(const QRectF &bounds) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
};
