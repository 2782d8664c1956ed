#pragma once
// A card side as a value: the card rectangle in points, that side's card properties and outline,
// and its own copies of the controls. Rendering a side reads nothing but the value, so any
// number of sides render at once on any threads while the open design goes on changing.

#include "core/Card_Property.h"

#include <QRectF>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QPainter;
class SKTGraphic;

// Controls of one side, index 0 frontmost; not owned.
using SKTGraphicList = std::vector<SKTGraphic *>;

// The controls of any container of pointers (raw, unique or shared) as a list.
template <class Range>
SKTGraphicList Graphic_Pointers(const Range &controls)
{
    SKTGraphicList out;
    for (const auto &c : controls)
        out.push_back(std::to_address(c));
    return out;
}

// The outline code of the card's shape: 0 rectangle ("R", or none stored), 1 rounded rectangle
// ("RR"), 2 ellipse (any other value).
int Card_Outline_Code(const Card_Property &card);

struct CardSide {
    QRectF cardRect;                   // points, y downwards
    std::optional<Card_Property> card; // none: no card base or border is painted
    int cardShape = 0;
    // A design's photo at the placeholder picture is a sample and prints. Where the photo is a
    // person's (the visitor desk, group mode) it marks a photo still to come: off, none prints.
    bool printsPlaceholderPhotos = true;
    std::vector<std::unique_ptr<SKTGraphic>> controls;  // index 0 frontmost

    CardSide() = default;
    CardSide(CardSide &&) = default;
    CardSide &operator=(CardSide &&) = default;
    CardSide(const CardSide &other) { *this = other; }
    CardSide &operator=(const CardSide &other);

    // A side over `card`'s own size (Card_Size), with copies of the controls.
    template <class Range>
    static CardSide copyOf(const Card_Property &card, const Range &controls)
    {
        return copyOfList(QRectF(QPointF(0, 0), card.Card_Size()), &card, Graphic_Pointers(controls));
    }
    // A side of the rectangle and copies of the controls; without a card, controls alone.
    static CardSide copyOfList(const QRectF &cardRect, const Card_Property *card, const SKTGraphicList &controls);

    SKTGraphicList list() const { return Graphic_Pointers(controls); }
};

// How a list of controls is painted. Every output (canvas, side images, PDF, EPS, printers,
// clipboard pictures) paints through Paint_Controls with the options it needs.
struct ControlPaintOptions {
    const Card_Property *card = nullptr;  // card base under the controls, border over them
    int cardShape = 0;
    QRectF cardRect;
    bool clipToBounds = false;  // each control clipped to its own drawing bounds
    bool printedOnly = false;   // skip hidden controls and those not marked for printing
    bool placeholderPhotos = true;  // off: a picture at the placeholder paints as an empty one
    QRectF dirty;               // non-empty: controls whose drawing bounds miss it are skipped
    const SKTGraphic *creating = nullptr;        // drawn as being created, without handles
    std::function<bool(int index)> hasHandles;  // selection knobs for these indexes
};

// Paints back to front (the last index first). Handles stand over the card base's clip, under
// the border. Answers the frontmost control whose handles were drawn, or nullptr.
SKTGraphic *Paint_Controls(QPainter &painter, const SKTGraphicList &controls, const ControlPaintOptions &options);

// The options that paint `side` as printed: its card, printed and visible controls, unclipped.
ControlPaintOptions Side_Paint_Options(const CardSide &side);
