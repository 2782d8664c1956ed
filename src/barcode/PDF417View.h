#pragma once
// The PDF417 view: encodes a text with the PDF417 encoder, stretches the symbol over the view's
// frame at the print resolution, paints its state, writes the symbol as EPS, and decides the
// drag-and-drop exchanges for the widget that hosts it (text dropped in, the image dragged out).

#include "barcode/PDF417Encoder.h"
#include "barcode/TwoDImage.h"

#include <QByteArray>
#include <QSizeF>
#include <QString>

class QMimeData;
class QPainter;

namespace barcode {

class pdf417View {
public:
    enum ImageState { ImageReady = 0, ImageEmpty = 1, ImageFailed = 2 };

    explicit pdf417View(const QSizeF &frame = QSizeF(100, 20));  // initWithFrame

    void setFrameSize(const QSizeF &size) { m_bounds = size; }
    QSizeF bounds() const { return m_bounds; }
    // Resolution the symbol image is raised to (the barcode's print resolution).
    void setResolution(double dpi) { m_dpi = dpi; }
    void setRaise(Raise raise) { m_raise = raise; }

    // Encodes and builds the image; returns the new image state.
    int drawWithText(const QString &text);
    TwoDImage getImage() const { return pdf417Image; }
    TwoDImage _imageValue() const { return pdf417Image; }
    int imageState() const { return m_imageState; }
    const _pdf417param &encoding() const { return p; }

    void setErrorLevel(int level);
    int getErrorLevel() const { return errorLevel; }
    void toggleTargetState();
    void toggleSourceState();
    bool getTargetState() const { return isDragTarget; }
    bool getSourceState() const { return isDragSource; }

    // EPS text of the last encoded symbol scaled to the frame; empty when there is none.
    QByteArray makeEPS() const;
    // Paints the view's bounds by its state, with a red frame while text is dragged over it.
    void drawRect(QPainter &painter) const;

    // Drag and drop. A drop is accepted only as a target and only for plain text.
    bool draggingEntered(const QMimeData *data);
    void draggingExited() { dragSessionInProgress = false; }
    void concludeDragOperation() { dragSessionInProgress = false; }
    bool prepareForDragOperation() const { return true; }
    bool performDragOperation(const QMimeData *data);
    bool isDragSessionInProgress() const { return dragSessionInProgress; }
    bool _canTakeValueFromPasteboard(const QMimeData *data) const;
    bool _takeValueFromPasteboard(const QMimeData *data, const QString &operationName);
    // The image as TIFF for a drag out; null unless the view is a drag source with an image.
    QMimeData *dragMimeData() const;

    // The bytes handed to the encoder: ISO-8859-1 when the text fits it, else UTF-8 behind
    // ECI 26 (returned through eci).
    static QByteArray encoderBytes(const QString &text, int *eci);

private:
    void _drawEmptyString() { m_imageState = ImageEmpty; }
    void _eraseOldDrawing();

    TwoDImage pdf417Image;
    _pdf417param p;
    QByteArray m_text;  // keeps the encoder's text alive
    bool dragSessionInProgress = false;
    int errorLevel = 2;
    bool isDragTarget = false;
    bool isDragSource = false;
    int m_imageState = ImageEmpty;
    QSizeF m_bounds;
    double m_dpi = 600;
    Raise m_raise = Raise::ToDpi;
};

}  // namespace barcode
