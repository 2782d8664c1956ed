#include "barcode/PDF417View.h"

#include "core/Utilities.h"
#include "platform/UiServices.h"

#include <QBuffer>
#include <QDateTime>
#include <QImageWriter>
#include <QMimeData>
#include <QPainter>

#include <algorithm>

namespace barcode {

pdf417View::pdf417View(const QSizeF &frame)
    : m_bounds(frame)
{
    pdf417init(&p);
    _drawEmptyString();
}

void pdf417View::setErrorLevel(int level)
{
    errorLevel = level;
    Show_NSLog_Message(QStringLiteral("ErrorLevel set to %1").arg(level));
}

void pdf417View::toggleTargetState()
{
    isDragTarget = !isDragTarget;
    Show_NSLog_Message(QStringLiteral("TargetState set to %1").arg(isDragTarget ? 1 : 0));
}

void pdf417View::toggleSourceState()
{
    isDragSource = !isDragSource;
    Show_NSLog_Message(QStringLiteral("SourceState set to %1").arg(isDragSource ? 1 : 0));
}

void pdf417View::_eraseOldDrawing()
{
    pdf417Image = {};
    pdf417free(&p);
}

QByteArray pdf417View::encoderBytes(const QString &text, int *eci)
{
    const bool latin1 = std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() <= 0xFF; });
    if (eci)
        *eci = latin1 ? 0 : 26;
    return latin1 ? text.toLatin1() : text.toUtf8();
}

int pdf417View::drawWithText(const QString &text)
{
    if (text.isEmpty()) {
        _drawEmptyString();
        return m_imageState;
    }
    int eci = 0;
    m_text = encoderBytes(text, &eci);
    pdf417init(&p);
    p.text = m_text.constData();
    p.lenText = int(m_text.size());
    p.options = PDF417_INVERT_BITMAP | PDF417_USE_ERROR_LEVEL;
    p.errorLevel = errorLevel;
    p.aspectRatio = 1.0f;
    p.eci = eci;
    paintCode(&p);
    if (p.error) {
        Show_NSLog_Message(QStringLiteral("Error encountered while drawing barcode, error %1.").arg(p.error));
        pdf417free(&p);
        m_imageState = ImageFailed;
        return m_imageState;
    }

    // One pixel a module; with the inverted bitmap a 0 bit is a bar.
    const int bytesPerRow = p.lenBits / p.codeRows;
    QImage modules(p.bitColumns, p.codeRows, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < p.codeRows; ++y) {
        auto *line = reinterpret_cast<QRgb *>(modules.scanLine(y));
        const unsigned char *row = p.outBits.data() + size_t(y) * size_t(bytesPerRow);
        for (int x = 0; x < p.bitColumns; ++x)
            line[x] = (row[x / 8] & (0x80 >> (x % 8))) ? qRgba(255, 255, 255, 255) : qRgba(0, 0, 0, 255);
    }
    // Stretched over the frame at the print resolution, but never so coarse that a module
    // would fall between two pixels and vanish.
    double dpi = m_dpi;
    if (m_bounds.width() > 0 && m_bounds.height() > 0) {
        dpi = std::max({dpi, 72.0 * p.bitColumns / m_bounds.width(), 72.0 * p.codeRows / m_bounds.height()});
    }
    TwoDImage raised = Increase_DPI(TwoDImage{modules, m_bounds, {}}, dpi, m_raise);
    if (raised.isNull()) {
        m_imageState = ImageFailed;
        return m_imageState;
    }
    pdf417Image = raised;
    m_imageState = ImageReady;
    return m_imageState;
}

QByteArray pdf417View::makeEPS() const
{
    if (p.outBits.empty() || p.codeRows <= 0)
        return {};
    QByteArray eps;
    const double W = m_bounds.width(), H = m_bounds.height();
    eps += QStringLiteral("%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox: 0 0 %1 %2\n")
               .arg(QString::number(W, 'f', 0), QString::number(H, 'f', 0))
               .toLatin1();
    eps += QStringLiteral("%%Title: pdf417View_EPS_image\n%%Creator: pdf417View\n%%CreationDate: %1\n")
               .arg(QDateTime::currentDateTime().toString(QStringLiteral("HH:mm:ss t")))
               .toLatin1();
    eps += QStringLiteral("%1 %2 scale\n").arg(W, 0, 'f', 2).arg(H, 0, 'f', 2).toLatin1();
    eps += QStringLiteral("%1 %2 1 [%1 0 0 %3 0 %2]{<").arg(p.bitColumns).arg(p.codeRows).arg(-p.codeRows).toLatin1();
    const int bytesPerRow = p.lenBits / p.codeRows;
    for (int k = 0; k < p.lenBits; ++k) {
        if (k % bytesPerRow == 0)
            eps += '\n';
        eps += QByteArray::number(p.outBits[size_t(k)], 16).rightJustified(2, '0').toUpper();
    }
    eps += "\n>}image\n";
    Show_NSLog_Message(QString::fromLatin1(eps));
    return eps;
}

void pdf417View::drawRect(QPainter &painter) const
{
    const QRectF bounds(QPointF(0, 0), m_bounds);
    switch (m_imageState) {
    case ImageReady:
        painter.save();
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.drawImage(bounds, pdf417Image.pixels);
        painter.restore();
        break;
    case ImageEmpty:
        painter.fillRect(bounds, QColor::fromRgbF(2.0f / 3, 2.0f / 3, 2.0f / 3));
        break;
    default:
        painter.fillRect(bounds, Qt::white);
        painter.drawText(bounds, Qt::TextWordWrap, QStringLiteral("There was a problem drawing the barcode."));
        break;
    }
    if (dragSessionInProgress) {
        painter.save();
        painter.setPen(QPen(Qt::red, 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(bounds.adjusted(0.5, 0.5, -0.5, -0.5));
        painter.restore();
    }
}

bool pdf417View::draggingEntered(const QMimeData *data)
{
    if (!isDragTarget || !_canTakeValueFromPasteboard(data))
        return false;
    dragSessionInProgress = true;
    return true;
}

bool pdf417View::performDragOperation(const QMimeData *data)
{
    return _takeValueFromPasteboard(data, QStringLiteral("drop"));
}

bool pdf417View::_canTakeValueFromPasteboard(const QMimeData *data) const
{
    return data && data->hasText();
}

bool pdf417View::_takeValueFromPasteboard(const QMimeData *data, const QString &operationName)
{
    if (!_canTakeValueFromPasteboard(data)) {
        platform::ui().message(QStringLiteral("Unable to perform %1 operation.").arg(operationName));
        return false;
    }
    return drawWithText(data->text()) == ImageReady;
}

QMimeData *pdf417View::dragMimeData() const
{
    if (!isDragSource || pdf417Image.isNull())
        return nullptr;
    auto *mime = new QMimeData;
    QByteArray tiff;
    QBuffer buffer(&tiff);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "tiff");
    if (writer.write(pdf417Image.pixels))
        mime->setData(QStringLiteral("image/tiff"), tiff);
    mime->setImageData(pdf417Image.pixels);
    return mime;
}

}  // namespace barcode
