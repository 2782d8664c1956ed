#include "core/SKTPasteboard.h"

#include "core/SKTRenderingView.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <atomic>

namespace {

std::atomic<qint64> g_changeCount{0};

// Counts the clipboard's changes from the first time anyone asks.
void followClipboard()
{
    static bool following = false;
    if (following || !qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return;
    following = true;
    QObject::connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, [] { ++g_changeCount; });
}

QByteArray pngOfGraphics(const SKTGraphicList &graphics)
{
    const QImage image = SKTRenderingView::imageWithGraphics(graphics);
    if (image.isNull())
        return {};
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    return image.save(&buffer, "PNG") ? png : QByteArray();
}

}  // namespace

QMimeData *Pasteboard_Data_With_Graphics(const SKTGraphicList &graphics, const QRectF &cardRect,
                                         const Card_Property *card)
{
    auto *data = new QMimeData;
    data->setData(SKTGraphicViewPasteboardType, pasteboardDataWithGraphics(graphics));
    const QByteArray pdf = SKTRenderingView::pdfDataWithGraphics_data(CardSide::copyOfList(cardRect, card, graphics));
    if (!pdf.isEmpty())
        data->setData(SKTPasteboardPDFType, pdf);
    const QByteArray png = pngOfGraphics(graphics);
    if (!png.isEmpty())
        data->setData(SKTPasteboardPNGType, png);
    return data;
}

qint64 Pasteboard_Change_Count()
{
    followClipboard();
    return g_changeCount.load();
}

qint64 Copy_Graphics_To_Pasteboard(const SKTGraphicList &graphics, const QRectF &cardRect,
                                   const Card_Property *card)
{
    followClipboard();
    if (auto *clipboard = QGuiApplication::clipboard())
        clipboard->setMimeData(Pasteboard_Data_With_Graphics(graphics, cardRect, card));
    return Pasteboard_Change_Count();
}

SKTPasteboardContent Pasteboard_Available_Type(const QMimeData *data)
{
    if (!data)
        return SKTPasteboardContent::None;
    if (data->hasFormat(SKTGraphicViewPasteboardType))
        return SKTPasteboardContent::Graphics;
    if (data->hasUrls())
        return SKTPasteboardContent::FileNames;
    if (data->hasImage())
        return SKTPasteboardContent::Image;
    return SKTPasteboardContent::None;
}

SKTPasteOutcome Graphics_For_Paste(const QMimeData *data, qint64 changeCount, SKTPasteCascade &cascade,
                                   const QString &card_side)
{
    SKTPasteOutcome outcome;
    if (Pasteboard_Available_Type(data) != SKTPasteboardContent::Graphics)
        return outcome;
    SKTError error;
    std::optional<SKTGraphicArray> graphics =
        graphicsWithPasteboardData(data->data(SKTGraphicViewPasteboardType), &error);
    if (!graphics) {
        outcome.error = error;
        return outcome;
    }
    if (changeCount != cascade._pasteboardChangeCount) {
        // Content copied elsewhere lands at its archived positions the first time.
        cascade._pasteboardChangeCount = changeCount;
        cascade._pasteCascadeNumber = 0;
    }
    if (graphics->empty())
        return outcome;
    if (cascade._pasteCascadeNumber > 0) {
        const QPointF point = archiveHub().Control_New_Point(card_side);
        Paste_Location_Of_Graphics(Graphic_Pointers(*graphics), point.x(), point.y(), card_side);
    }
    ++cascade._pasteCascadeNumber;
    outcome.graphics = std::move(*graphics);
    return outcome;
}
