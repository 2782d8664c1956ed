#include "core/CardSide.h"

#include "core/CardPainting.h"
#include "core/PictureServices.h"
#include "core/SKTImage.h"
#include "core/SKTSignature.h"

#include <QPainter>

int Card_Outline_Code(const Card_Property &card)
{
    const QString shape = card.Card_Shape();
    // A record without an outline (a file that never stored one) has always been a rectangle.
    if (shape.isEmpty() || shape == QLatin1String("R"))
        return 0;
    return shape == QLatin1String("RR") ? 1 : 2;
}

CardSide &CardSide::operator=(const CardSide &other)
{
    if (this != &other)
        *this = copyOfList(other.cardRect, other.card ? &*other.card : nullptr, other.list());
    cardShape = other.cardShape;
    printsPlaceholderPhotos = other.printsPlaceholderPhotos;
    return *this;
}

CardSide CardSide::copyOfList(const QRectF &cardRect, const Card_Property *card, const SKTGraphicList &controls)
{
    CardSide side;
    side.cardRect = cardRect;
    if (card) {
        side.card = *card;
        side.cardShape = Card_Outline_Code(*card);
    }
    side.controls.reserve(controls.size());
    for (const SKTGraphic *g : controls) {
        if (!g)
            continue;
        std::unique_ptr<SKTGraphic> copy = g->clone();
        // A stored path not yet loaded is loaded now, on the caller's thread: drawing a copy
        // only paints the picture it holds.
        if (auto *s = dynamic_cast<SKTSignature *>(copy.get()); s && s->file_path != s->_file_path)
            s->setFilePath(s->_file_path);
        side.controls.push_back(std::move(copy));
    }
    return side;
}

ControlPaintOptions Side_Paint_Options(const CardSide &side)
{
    ControlPaintOptions o;
    o.card = side.card ? &*side.card : nullptr;
    o.cardShape = side.cardShape;
    o.cardRect = side.cardRect;
    o.printedOnly = true;
    o.placeholderPhotos = side.printsPlaceholderPhotos;
    return o;
}

SKTGraphic *Paint_Controls(QPainter &painter, const SKTGraphicList &controls, const ControlPaintOptions &options)
{
    painter.save();
    if (options.card)
        Card_Base_Drawing(painter, *options.card, options.cardShape, options.cardRect);
    std::vector<SKTGraphic *> handles;
    for (int i = int(controls.size()) - 1; i >= 0; --i) {
        SKTGraphic *g = controls[std::size_t(i)];
        if (!g || (options.printedOnly && (g->print_object != 0 || !g->ctrl_is_visible)))
            continue;
        if (!options.dirty.isEmpty() && !g->drawingBounds().intersects(options.dirty))
            continue;
        const bool creating = g == options.creating;
        painter.save();
        if (options.clipToBounds)
            painter.setClipRect(g->drawingBounds(), Qt::IntersectClip);
        if (!options.placeholderPhotos && g->kind() == SKTGraphicKind::Image && Is_Placeholder_Picture(g->_file_path))
            static_cast<SKTImage *>(g)->Draw_the_image_border(painter, g->bounds());
        else
            g->drawContentsInView(painter, creating);
        painter.restore();
        if (!creating && options.hasHandles && options.hasHandles(i))
            handles.push_back(g);
    }
    painter.restore();  // handles may stand over the card's rounded edge
    for (SKTGraphic *g : handles)
        g->drawHandlesInView(painter, g->ctrl_is_locked);
    if (options.card) {
        painter.save();
        Card_Border_Drawing(painter, *options.card, options.cardShape, options.cardRect);
        painter.restore();
    }
    return handles.empty() ? nullptr : handles.back();
}
