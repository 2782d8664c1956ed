#include "core/SKTGraphic.h"

#include "core/ControlFields.h"
#include "core/CoreHub.h"
#include "core/Globals.h"
#include "core/ImageResolution.h"
#include "core/PaintSupport.h"
#include "core/Utilities.h"
#include "platform/BraceText.h"
#include "platform/Paths.h"

#include <QCursor>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPaintDevice>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QRandomGenerator>
#include <cmath>

SKTGraphic::SKTGraphic() : SKTGraphic(SKTGraphicKind::Graphic) {}

SKTGraphic::SKTGraphic(SKTGraphicKind kind) : m_kind(kind)
{
    _isDrawingFill = !(kind == SKTGraphicKind::Text || kind == SKTGraphicKind::Barcode);
    _isDrawingStroke = !(kind == SKTGraphicKind::Text || kind == SKTGraphicKind::Image);
    Drawing_Shadow = kind != SKTGraphicKind::Text;
    _file_path = platform::joinPath(Resource_Path, QStringLiteral("no.png"));
    // The house text style; whoever places the control on a card gives it the window's.
    text_ctrl_font = QFont(Text_Ctrl_Font, Text_Ctrl_Font_Size);
    const QFont small(Text_Ctrl_Font, 10);
    value_font_val = small;
    header_font_val = small;
    footer_font_val = small;
}

SKTGraphic::~SKTGraphic() = default;
SKTGraphic::SKTGraphic(const SKTGraphic &other) = default;
SKTGraphic &SKTGraphic::operator=(const SKTGraphic &other) = default;

QString SKTGraphic::classNameForKind(SKTGraphicKind kind)
{
    switch (kind) {
    case SKTGraphicKind::Text: return QStringLiteral("SKTText");
    case SKTGraphicKind::Image: return QStringLiteral("SKTImage");
    case SKTGraphicKind::Line: return QStringLiteral("SKTLine");
    case SKTGraphicKind::Barcode: return QStringLiteral("SKTBarcode");
    case SKTGraphicKind::Signature: return QStringLiteral("SKTSignature");
    case SKTGraphicKind::Shape: return QStringLiteral("Shape_Control");
    case SKTGraphicKind::Graphic: break;
    }
    return QStringLiteral("SKTGraphic");
}

QString SKTGraphic::className() const { return classNameForKind(m_kind); }

std::unique_ptr<SKTGraphic> SKTGraphic::clone() const { return std::make_unique<SKTGraphic>(*this); }
std::unique_ptr<SKTGraphic> SKTGraphic::makeEmpty() const { return std::make_unique<SKTGraphic>(); }

std::unique_ptr<SKTGraphic> SKTGraphic::copyWithZone() const
{
    std::unique_ptr<SKTGraphic> copy = makeEmpty();
    copy->takeCopiedFields(*this);
    return copy;
}

void SKTGraphic::takeCopiedFields(const SKTGraphic &s)
{
    auto take = [&](const ControlField &field) {
        With_Field(s, field.member, [&](const auto &from) {
            With_Field(*this, field.member, [&](auto &to) {
                if constexpr (std::is_same_v<std::decay_t<decltype(from)>, std::decay_t<decltype(to)>>)
                    to = from;
            });
        });
    };
    for (const ControlField &field : All_Control_Fields()) {
        if (field.has(Copied))
            take(field);
    }
    for (const ControlField &field : Control_Fields(kind())) {
        if (field.has(CopiedByKind))
            take(field);
    }
}

// --- accessors with side effects ---

QColor SKTGraphic::fillColor()
{
    _fillColor = Color_With_Opacity(_fillColor, alpha_val);
    return _fillColor;
}

QColor SKTGraphic::strokeColor()
{
    _strokeColor = Color_With_Opacity(_strokeColor, alpha_val_stroke);
    return _strokeColor;
}

QColor SKTGraphic::fill_hatch_bk_clr()
{
    _fill_htch_clr = Color_With_Opacity(_fill_htch_clr, alpha_val);
    return _fill_htch_clr;
}

void SKTGraphic::setXPosition(double x)
{
    QRectF b = bounds();
    b.moveLeft(x);
    setBounds(b);
}

void SKTGraphic::setYPosition(double y)
{
    QRectF b = bounds();
    b.moveTop(y);
    setBounds(b);
}

void SKTGraphic::setWidth(double w)
{
    QRectF b = bounds();
    b.setWidth(w);
    setBounds(b);
}

void SKTGraphic::setHeight(double h)
{
    QRectF b = bounds();
    b.setHeight(h);
    setBounds(b);
}

void SKTGraphic::Set_Barcode_image(const QImage &image)
{
    _barcode_image = image;
    const QSizeF size = Image_Size_In_Points(image);
    setWidth(size.width());
    setHeight(size.height());
}

void SKTGraphic::Set_text_value(const QString &text)
{
    Text_Value = text;
    if (_Text_contents)
        _Text_contents->string = text;
}

SKTTextStorage &SKTGraphic::Text_contents()
{
    if (!_Text_contents)
        _Text_contents = SKTTextStorage{Text_Value, QFont(Text_Ctrl_Font, Text_Ctrl_Font_Size), Qt::black};
    return *_Text_contents;
}

void SKTGraphic::Set_Data_source_type(int type)
{
    data_source_type = type;
    if (type == 0) {
        batch_list_index = -1;
        batch_list_name.clear();
        excel_binding = false;
        excel_col_indx = -1;
    } else if (type == 1) {
        excel_binding = false;
        excel_col_indx = -1;
    } else if (type == 2) {
        excel_binding = true;
        batch_list_index = -1;
        batch_list_name.clear();
    }
}

QString SKTGraphic::description() const
{
    return QStringLiteral("{className = %1; bounds = \"%2\"; }").arg(className(), platform::rectToText(_bounds));
}

// --- generic access by key ---

QVariant SKTGraphic::valueForKey(const QString &key)
{
    if (key == SKTGraphicIsDrawingFillKey) return isDrawingFill();
    if (key == SKTGraphicIsDrawingStrokeKey) return isDrawingStroke();
    if (key == SKTGraphicFillColorKey) return fillColor();
    if (key == SKTGraphicStrokeColorKey) return strokeColor();
    if (key == SKTGraphicStrokeWidthKey) return strokeWidth();
    if (key == SKTGraphicBoundsKey) return bounds();
    if (key == SKTGraphicXPositionKey) return xPosition();
    if (key == SKTGraphicYPositionKey) return yPosition();
    if (key == SKTGraphicWidthKey) return width();
    if (key == SKTGraphicHeightKey) return height();
    if (key == SKTGraphicDrawingBoundsKey) return drawingBounds();
    if (key == SKTGraphicCanSetDrawingFillKey) return canSetDrawingFill();
    if (key == SKTGraphicCanSetDrawingStrokeKey) return canSetDrawingStroke();
    if (key == SKTGraphicClassNameKey) return className();
    return {};
}

bool SKTGraphic::setValueForKey(const QString &key, const QVariant &value)
{
    if (key == SKTGraphicBoundsKey) {
        setBounds(value.toRectF());
    } else if (key == SKTGraphicIsDrawingFillKey) {
        changeValueForKey(key, [&] { _isDrawingFill = value.toBool(); });
    } else if (key == SKTGraphicIsDrawingStrokeKey) {
        changeValueForKey(key, [&] { _isDrawingStroke = value.toBool(); });
    } else if (key == SKTGraphicFillColorKey) {
        changeValueForKey(key, [&] { _fillColor = value.value<QColor>(); });
    } else if (key == SKTGraphicStrokeColorKey) {
        changeValueForKey(key, [&] { _strokeColor = value.value<QColor>(); });
    } else if (key == SKTGraphicStrokeWidthKey) {
        changeValueForKey(key, [&] { _strokeWidth = value.toDouble(); });
    } else if (key == SKTGraphicXPositionKey) {
        setXPosition(value.toDouble());
    } else if (key == SKTGraphicYPositionKey) {
        setYPosition(value.toDouble());
    } else if (key == SKTGraphicWidthKey) {
        setWidth(value.toDouble());
    } else if (key == SKTGraphicHeightKey) {
        setHeight(value.toDouble());
    } else {
        return false;
    }
    return true;
}

int SKTGraphic::addObserver(SKTGraphicObserver observer)
{
    const int id = m_observers.nextId++;
    m_observers.list.emplace_back(id, std::move(observer));
    return id;
}

void SKTGraphic::removeObserver(int id)
{
    std::erase_if(m_observers.list, [id](const auto &entry) { return entry.first == id; });
}

QStringList SKTGraphic::keysAffectedBy(const QString &key) const
{
    if (key == SKTGraphicBoundsKey)
        return {SKTGraphicXPositionKey, SKTGraphicYPositionKey, SKTGraphicWidthKey, SKTGraphicHeightKey,
                SKTGraphicDrawingBoundsKey};
    if (key == SKTGraphicStrokeWidthKey)
        return {SKTGraphicDrawingBoundsKey};
    if (key == SKTGraphicIsDrawingFillKey || key == SKTGraphicFillColorKey || key == SKTGraphicIsDrawingStrokeKey
        || key == SKTGraphicStrokeColorKey)
        return {SKTGraphicDrawingContentsKey};
    return {};
}

bool SKTGraphic::automaticallyNotifiesObserversForKey(const QString &key)
{
    return !(key == SKTGraphicXPositionKey || key == SKTGraphicYPositionKey || key == SKTGraphicWidthKey
             || key == SKTGraphicHeightKey);
}

void SKTGraphic::changeValueForKey(const QString &key, const std::function<void()> &change)
{
    if (m_observers.list.empty()) {
        change();
        return;
    }
    QStringList keys{key};
    keys += keysAffectedBy(key);
    QVariantList before;
    for (const QString &k : keys)
        before.append(valueForKey(k));
    change();
    // Observers may remove themselves while being told.
    const auto observers = m_observers.list;
    for (int i = 0; i < keys.size(); ++i) {
        const QVariant after = valueForKey(keys[i]);
        for (const auto &entry : observers)
            entry.second(*this, keys[i], before[i], after);
    }
}

QSet<QString> SKTGraphic::keysForValuesToObserveForUndo() const
{
    return {SKTGraphicIsDrawingFillKey, SKTGraphicFillColorKey,   SKTGraphicIsDrawingStrokeKey,
            SKTGraphicStrokeColorKey,   SKTGraphicStrokeWidthKey, SKTGraphicBoundsKey};
}

QString SKTGraphic::presentablePropertyNameForKey(const QString &) const { return QString(); }

// --- scripting ---

std::optional<QColor> SKTGraphic::scriptingFillColor()
{
    if (!isDrawingFill())
        return std::nullopt;
    return fillColor();
}

std::optional<QColor> SKTGraphic::scriptingStrokeColor()
{
    if (!isDrawingStroke())
        return std::nullopt;
    return strokeColor();
}

std::optional<double> SKTGraphic::scriptingStrokeWidth() const
{
    if (!isDrawingStroke())
        return std::nullopt;
    return strokeWidth();
}

namespace {
// Turns the flag on or off through the generic setter when the kind allows it; the error text
// otherwise (empty when nothing had to change or the change was made).
QString switchDrawing(SKTGraphic &g, const QString &flagKey, bool wanted, bool current, bool allowed,
                      const char *refusal)
{
    if (current == wanted)
        return {};
    if (!allowed)
        return QString::fromLatin1(refusal);
    g.setValueForKey(flagKey, wanted);
    return {};
}
}  // namespace

QString SKTGraphic::setScriptingFillColor(const std::optional<QColor> &colour)
{
    if (colour) {
        QString error = switchDrawing(*this, SKTGraphicIsDrawingFillKey, true, isDrawingFill(), canSetDrawingFill(),
                                      "You can't set the fill color of this kind of graphic.");
        if (error.isEmpty())
            setValueForKey(SKTGraphicFillColorKey, *colour);
        return error;
    }
    return switchDrawing(*this, SKTGraphicIsDrawingFillKey, false, isDrawingFill(), canSetDrawingFill(),
                         "You can't remove the fill from this kind of graphic.");
}

QString SKTGraphic::setScriptingStrokeColor(const std::optional<QColor> &colour)
{
    if (colour) {
        QString error = switchDrawing(*this, SKTGraphicIsDrawingStrokeKey, true, isDrawingStroke(),
                                      canSetDrawingStroke(), "You can't set the stroke color of this kind of graphic.");
        if (error.isEmpty())
            setValueForKey(SKTGraphicStrokeColorKey, *colour);
        return error;
    }
    return switchDrawing(*this, SKTGraphicIsDrawingStrokeKey, false, isDrawingStroke(), canSetDrawingStroke(),
                         "You can't remove the stroke from this kind of graphic.");
}

QString SKTGraphic::setScriptingStrokeWidth(const std::optional<double> &width)
{
    if (width) {
        QString error =
            switchDrawing(*this, SKTGraphicIsDrawingStrokeKey, true, isDrawingStroke(), canSetDrawingStroke(),
                          "You can't set the stroke thickness of this kind of graphic.");
        if (error.isEmpty())
            setValueForKey(SKTGraphicStrokeWidthKey, *width);
        return error;
    }
    return switchDrawing(*this, SKTGraphicIsDrawingStrokeKey, false, isDrawingStroke(), canSetDrawingStroke(),
                         "You can't remove the stroke from this kind of graphic.");
}

// --- geometry ---

QRectF SKTGraphic::drawingBounds() const
{
    double margin = SKTGraphicHandleHalfWidth;
    if (isDrawingStroke() && strokeWidth() / 2 > margin)
        margin = strokeWidth() / 2;
    QRectF r = bounds();
    if (m_kind == SKTGraphicKind::Text || m_kind == SKTGraphicKind::Shape)
        r = ::Rotated_Path_Rect(r, float(text_rotation));
    else if (m_kind == SKTGraphicKind::Line)
        r = bezierPathForDrawing().path.boundingRect();
    r.adjust(-margin, -margin, margin, margin);
    r.setWidth(r.width() + 1.0);
    r.setHeight(r.height() + 1.0);
    return r;
}

QPointF SKTGraphic::randomPoint(const QRectF &r) const
{
    const qint64 w = std::max<qint64>(1, qint64(r.width()));
    const qint64 h = std::max<qint64>(1, qint64(r.height()));
    auto *gen = QRandomGenerator::global();
    return QPointF(r.x() + double(gen->bounded(w)), r.y() + double(gen->bounded(h)));
}

SKTBezierPath SKTGraphic::Rotated_Control_Path() const
{
    SKTBezierPath p;
    p.path.addRect(bounds());
    const QPointF centre(float(_bounds.x() + _bounds.width() / 2), float(_bounds.y() + _bounds.height() / 2));
    SKTBezierPath turned = ::rotatedPath(p, text_rotation, centre);
    turned.lineWidth = strokeWidth();
    return turned;
}

SKTBezierPath SKTGraphic::bezierPathForDrawing() const
{
    // Only the kinds that paint a path override this; asking the base is a programming error.
    Show_NSLog_Message(QStringLiteral("Neither -drawContentsInView: nor -bezierPathForDrawing has been overridden."));
    return {};
}

void SKTGraphic::drawContentsInView(QPainter &, bool) {}

QPointF SKTGraphic::handlePoint(const QRectF &r, qint64 handle)
{
    const double minX = r.x(), midX = r.x() + r.width() * 0.5, maxX = r.x() + r.width();
    const double minY = r.y(), midY = r.y() + r.height() * 0.5, maxY = r.y() + r.height();
    switch (handle) {
    case 1: return {minX, minY};
    case 2: return {midX, minY};
    case 3: return {maxX, minY};
    case 4: return {minX, midY};
    case 5: return {maxX, midY};
    case 6: return {minX, maxY};
    case 7: return {midX, maxY};
    case 8: return {maxX, maxY};
    default: return {};
    }
}

QRectF SKTGraphic::handleRect() const
{
    if (m_kind == SKTGraphicKind::Text)
        return ::Rotated_Path_Rect(bounds(), float(text_rotation));
    return bounds();
}

void SKTGraphic::drawHandlesInView(QPainter &painter, bool lock_hai) const
{
    const QRectF r = handleRect();
    for (qint64 h = 1; h <= 8; ++h)
        drawHandleInView(painter, handlePoint(r, h), lock_hai);
}

void SKTGraphic::drawHandleInView(QPainter &painter, QPointF point, bool lock_hai) const
{
    QRectF square(point.x() - SKTGraphicHandleHalfWidth, point.y() - SKTGraphicHandleHalfWidth,
                  SKTGraphicHandleWidth, SKTGraphicHandleWidth);
    // Align the square to whole device pixels so the handle stays crisp at any zoom.
    const QTransform toDevice = painter.deviceTransform();
    bool invertible = false;
    const QTransform fromDevice = toDevice.inverted(&invertible);
    if (invertible) {
        const QRectF device = toDevice.mapRect(square);
        const QRectF aligned(std::round(device.x()), std::round(device.y()), std::round(device.width()),
                             std::round(device.height()));
        square = fromDevice.mapRect(aligned);
    }
    const QPalette palette = QGuiApplication::palette();
    painter.fillRect(square.translated(1, 1), palette.color(QPalette::Shadow));
    painter.fillRect(square, lock_hai ? QColor(Qt::red) : palette.color(QPalette::Highlight));
}

QCursor SKTGraphic::creationCursor()
{
    static const QCursor cursor = [] {
        const QPixmap cross(platform::joinPath(Resource_Path, QStringLiteral("Cross.png")));
        if (cross.isNull())
            return QCursor(Qt::CrossCursor);
        return QCursor(cross, cross.width() / 2, cross.height() / 2);
    }();
    return cursor;
}

namespace {
// Origin edges belong to a rectangle, far edges do not.
bool halfOpenContains(const QRectF &r, QPointF p)
{
    return p.x() >= r.x() && p.x() < r.x() + r.width() && p.y() >= r.y() && p.y() < r.y() + r.height();
}

qint64 mirroredHorizontally(qint64 h)
{
    static const qint64 table[9] = {0, 3, 2, 1, 5, 4, 8, 7, 6};
    return h >= 0 && h <= 8 ? table[h] : h;
}

qint64 mirroredVertically(qint64 h)
{
    static const qint64 table[9] = {0, 6, 7, 8, 4, 5, 1, 2, 3};
    return h >= 0 && h <= 8 ? table[h] : h;
}
}  // namespace

bool SKTGraphic::isContentsUnderPoint(QPointF point) const { return halfOpenContains(bounds(), point); }

bool SKTGraphic::isHandleAtPoint(QPointF handlePoint, QPointF point) const
{
    const QRectF square(handlePoint.x() - SKTGraphicHandleHalfWidth, handlePoint.y() - SKTGraphicHandleHalfWidth,
                        SKTGraphicHandleWidth, SKTGraphicHandleWidth);
    return halfOpenContains(square, point);
}

qint64 SKTGraphic::handleUnderPoint(QPointF point) const
{
    const QRectF r = handleRect();
    for (qint64 h = 1; h <= 8; ++h) {
        if (isHandleAtPoint(handlePoint(r, h), point))
            return h;
    }
    return SKTGraphicNoHandle;
}

qint64 SKTGraphic::resizeByMovingHandle(qint64 handle, QPointF p)
{
    if (m_kind == SKTGraphicKind::Barcode)
        return SKTGraphicNoHandle;
    const QRectF b = bounds();
    double x = b.x(), y = b.y(), w = b.width(), h = b.height();
    if (handle == 1 || handle == 4 || handle == 6) {
        w = b.x() + b.width() - p.x();
        x = p.x();
    } else if (handle == 3 || handle == 5 || handle == 8) {
        w = p.x() - b.x();
    }
    if (w < 0) {
        handle = mirroredHorizontally(handle);
        w = -w;
        x -= w;
        flipHorizontally();
    }
    if (handle == 1 || handle == 2 || handle == 3) {
        h = b.y() + b.height() - p.y();
        y = p.y();
    } else if (handle == 6 || handle == 7 || handle == 8) {
        h = p.y() - b.y();
    }
    if (h < 0) {
        handle = mirroredVertically(handle);
        h = -h;
        y -= h;
        flipVertically();
    }
    setBounds(QRectF(x, y, w, h));
    return handle;
}

void SKTGraphic::makeNaturalSize()
{
    if (m_kind == SKTGraphicKind::Barcode || ctrl_is_locked)
        return;
    QRectF b = bounds();
    if (b.height() > b.width())
        b.setHeight(b.width());
    else if (b.width() > b.height())
        b.setWidth(b.height());
    else
        return;
    setBounds(b);
}

void SKTGraphic::makeSameAsLabelSize()
{
    if (m_kind == SKTGraphicKind::Barcode || ctrl_is_locked)
        return;
    const QRectF card = coreHub().frontCanvasBounds();
    if (card.width() <= 0 || card.height() <= 0)
        return;  // no card to cover
    setBounds(QRectF(0, 0, card.width(), card.height()));
}

void SKTGraphic::setBounds(const QRectF &b)
{
    changeValueForKey(SKTGraphicBoundsKey, [&] { _bounds = b; });
}

void SKTGraphic::setColor(const QColor &colour)
{
    if (!canSetDrawingFill())
        return;
    if (!isDrawingFill())
        setValueForKey(SKTGraphicIsDrawingFillKey, true);
    setValueForKey(SKTGraphicFillColorKey, colour);
}

void SKTGraphic::paintPath(QPainter &painter)
{
    if (!ctrl_is_visible)
        return;
    const SKTBezierPath path = bezierPathForDrawing();
    if (!path.isEmpty()) {
        if (isDrawingFill()) {
            if (_fill_type == QLatin1String("G")) {
                painter.fillPath(path.path, fill_Grad_clr1());
                Fill_Path_With_Gradient(painter, path.path, fill_Grad_clr1(), fill_Grad_clr2(), fill_grad_angle());
            } else if (_fill_type == QLatin1String("H")) {
                painter.fillPath(path.path, fill_hatch_bk_clr());
                const QImage pattern = Hatch_Pattern_Image(fill_hatch_type());
                if (!pattern.isNull())
                    painter.fillPath(path.path, QBrush(pattern));
            } else {
                painter.fillPath(path.path, fillColor());
            }
        }
        if (isDrawingStroke())
            painter.strokePath(path.path, Border_Pen(strokeColor(), path.lineWidth, strokeBorderType(), path.lineCapStyle));
    }
}
