#pragma once
// Controls on the system clipboard. A copy offers three flavours: the controls' own type
// "Apple Sketch 2 pasteboard type" (the array of their archives), a PDF of the card with the
// copied controls (vector) and a PNG of the copied controls alone, for other programs. A
// paste reads the own type back, with the placement that keeps repeated pastes from landing
// on top of each other.

#include "core/ControlArchive.h"
#include "core/SKTError.h"

#include <QString>
#include <optional>

class Card_Property;
class QMimeData;

inline const QString SKTGraphicViewPasteboardType = QStringLiteral("Apple Sketch 2 pasteboard type");
inline const QString SKTPasteboardPDFType = QStringLiteral("application/pdf");
inline const QString SKTPasteboardPNGType = QStringLiteral("image/png");

// The clipboard content for the controls (caller owns it). A flavour that cannot be made (the
// picture of controls with no extent) is left out; the own type is always there. The PDF is a
// page of the card rectangle with that card painted under the controls (none: controls alone).
QMimeData *Pasteboard_Data_With_Graphics(const SKTGraphicList &graphics, const QRectF &cardRect = {},
                                         const Card_Property *card = nullptr);

// How many times the clipboard has changed in this run; what the canvas remembers of its last
// copy to tell its own content from content put there since.
qint64 Pasteboard_Change_Count();
// Puts the controls on the clipboard and answers the change count that copy made.
qint64 Copy_Graphics_To_Pasteboard(const SKTGraphicList &graphics, const QRectF &cardRect = {},
                                   const Card_Property *card = nullptr);

// What a paste finds, in order of preference: the controls' own type, file names, a picture.
enum class SKTPasteboardContent { Graphics, FileNames, Image, None };
SKTPasteboardContent Pasteboard_Available_Type(const QMimeData *data);

// The paste cascade of one canvas: copy makes the next paste re-placed; the first paste of
// content that came from elsewhere keeps its archived positions, later ones are re-placed.
struct SKTPasteCascade {
    qint64 _pasteboardChangeCount = -1;
    qint64 _pasteCascadeNumber = 0;

    void didCopy(qint64 changeCount)
    {
        _pasteboardChangeCount = changeCount;
        _pasteCascadeNumber = 1;
    }
};

struct SKTPasteOutcome {
    std::optional<SKTError> error;  // own-type data that cannot be read: nothing to paste
    SKTGraphicArray graphics;       // in order, ready to go to indexes 0 to n - 1
};

// The controls a paste of the clipboard content inserts on the side ("F" front, "B" back):
// decoded from the own type and, when the cascade says so, placed from the side's next
// new-control point. Empty without an error when the content is not the own type.
SKTPasteOutcome Graphics_For_Paste(const QMimeData *data, qint64 changeCount, SKTPasteCascade &cascade,
                                   const QString &card_side);
