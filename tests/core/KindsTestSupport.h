#pragma once
// A hub with a card side for the renderer and kind tests, and pixel probes over rendered sides.

#include "CoreTestSupport.h"

#include "core/Card_Property.h"
#include "core/SKTRenderingView.h"
#include "core/Shape_Control.h"

#include <QImage>
#include <QTemporaryDir>
#include <memory>

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
