#include "core/SKTText.h"

#include "core/KindPainting.h"
#include "core/PaintSupport.h"
#include "core/Utilities.h"
#include "imageops/PixelFilters.h"
#include "platform/ValueBounds.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPaintDevice>
#include <QPainter>
#include <QPalette>
#include <QTextBoundaryFinder>
#include <QTextLayout>
#include <list>
#include <atomic>
#include <QThread>
#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

// Qt's resolution for fonts that belong to no device (exported by QtGui for its modules).
Q_GUI_EXPORT int qt_defaultDpiY();

namespace {

// Wider than any card: a line never wraps against it.
constexpr double kUnboundedWidth = 1.0e7;
// Words at most this long are broken as the text engine does by itself.
constexpr qsizetype kLongWord = 200;
// A blurred shadow is a picture; on a vector device it is made at this resolution.
constexpr double kVectorShadowDpi = 300.0;
// And never larger than this many pixels, whatever the zoom.
constexpr double kMaxShadowPixels = 16.0e6;

Qt::Alignment horizontalAlignment(int code)
{
    switch (code) {
    case 1: return Qt::AlignRight | Qt::AlignAbsolute;
    case 2: return Qt::AlignHCenter;
    case 3: return Qt::AlignJustify;
    case 4: return Qt::AlignLeft;  // natural: follows the writing direction
    default: return Qt::AlignLeft | Qt::AlignAbsolute;
    }
}

// The text laid out in card points with unhinted advances, so lines break at the same places
// on the screen, in a 600-dpi export and in a PDF.
struct TextBlock {
    std::unique_ptr<QTextLayout> layout;
    QSizeF used;  // widest line and total height

    TextBlock(const QString &text, const QFont &font, double kerning, int alignment, double width)
    {
        // Laid out for no device, where a font's pixel size follows Qt's default resolution:
        // sized so that it comes to one pixel a point. (Bound to a device, a layout drops the
        // letter spacing that carries the kerning.) The glyphs are drawn with the layout's
        // own font, so any painter shows the same lines at its own resolution.
        QFont f = font;
        if (font.pointSizeF() > 0)
            f.setPointSizeF(font.pointSizeF() * 72.0 / qt_defaultDpiY());
        f.setHintingPreference(QFont::PreferNoHinting);
        if (kerning != 0 && std::isfinite(kerning))
            f.setLetterSpacing(QFont::AbsoluteSpacing, kerning);
        QString lines = text;
        lines.replace(QStringLiteral("\r\n"), QString(QChar::LineSeparator));
        lines.replace(QLatin1Char('\r'), QChar::LineSeparator);
        lines.replace(QLatin1Char('\n'), QChar::LineSeparator);
        layout = std::make_unique<QTextLayout>(lines, f);
        QTextOption option(horizontalAlignment(alignment));
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        option.setUseDesignMetrics(true);
        layout->setTextOption(option);
        const double lineWidth = width > 0 ? width : kUnboundedWidth;
        // Where a line may break. A line that starts in a word longer than kLongWord characters is
        // broken anywhere at once: breaking at a word boundary first would scan to the word's end
        // for every line, which is quadratic in the word's length. Should the line reach past
        // the word, it is laid out again the ordinary way.
        std::vector<qsizetype> breaks;
        QTextBoundaryFinder finder(QTextBoundaryFinder::Line, lines);
        for (qsizetype at = finder.toNextBoundary(); at >= 0; at = finder.toNextBoundary())
            breaks.push_back(at);
        QTextOption anywhere = option;
        anywhere.setWrapMode(QTextOption::WrapAnywhere);
        double y = 0, widest = 0;
        layout->beginLayout();
        for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
            line.setLeadingIncluded(true);
            const auto next = std::upper_bound(breaks.begin(), breaks.end(), qsizetype(line.textStart()));
            const qsizetype wordEnd = next == breaks.end() ? lines.size() : *next;
            if (wordEnd - line.textStart() > kLongWord) {
                layout->setTextOption(anywhere);
                line.setLineWidth(lineWidth);
                layout->setTextOption(option);
                if (line.textStart() + line.textLength() > wordEnd)
                    line.setLineWidth(lineWidth);
            } else {
                line.setLineWidth(lineWidth);
            }
            line.setPosition(QPointF(0, y));
            y += line.height();
            widest = std::max(widest, double(line.naturalTextWidth()));
        }
        layout->endLayout();
        used = QSizeF(widest, y);
    }
};

std::atomic<long long> g_layoutsMade{0};

// Long texts laid out on the GUI thread, kept between paints: laying out a word of millions of
// characters takes seconds, and every repaint of the canvas would do it again. Only the GUI
// thread keeps them (a layout is not to be shared between threads; workers draw each side
// once). Keyed by everything the layout depends on; at most kCachedCharacters characters are
// kept, the least recently used going first.
class TextBlockCache {
public:
    static constexpr qsizetype kShortest = 1000;  // shorter texts lay out in well under a millisecond
    static constexpr qsizetype kCachedCharacters = 8'000'000;

    std::shared_ptr<const TextBlock> find(const QString &text, const QString &font, double kerning, int alignment,
                                          double width)
    {
        for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
            if (it->kerning == kerning && it->alignment == alignment && it->width == width && it->font == font
                && it->text == text) {
                m_entries.splice(m_entries.begin(), m_entries, it);  // most recently used first
                return m_entries.front().block;
            }
        }
        return nullptr;
    }
    void keep(const QString &text, const QString &font, double kerning, int alignment, double width,
              std::shared_ptr<const TextBlock> block)
    {
        m_entries.push_front({text, font, kerning, alignment, width, std::move(block)});
        m_characters += text.size();
        while (m_characters > kCachedCharacters && m_entries.size() > 1) {
            m_characters -= m_entries.back().text.size();
            m_entries.pop_back();
        }
    }

private:
    struct Entry {
        QString text, font;
        double kerning;
        int alignment;
        double width;
        std::shared_ptr<const TextBlock> block;
    };
    std::list<Entry> m_entries;
    qsizetype m_characters = 0;
};

std::shared_ptr<const TextBlock> textBlock(const QString &text, const QFont &font, double kerning, int alignment,
                                           double width)
{
    const bool cached = text.size() >= TextBlockCache::kShortest && QCoreApplication::instance()
                        && QThread::currentThread() == QCoreApplication::instance()->thread();
    // Never destroyed: its layouts must not outlive the application's fonts at exit.
    static auto *cache = new TextBlockCache;
    const QString fontKey = cached ? font.toString() : QString();
    if (cached) {
        if (auto block = cache->find(text, fontKey, kerning, alignment, width))
            return block;
    }
    ++g_layoutsMade;
    auto block = std::make_shared<const TextBlock>(text, font, kerning, alignment, width);
    if (cached)
        cache->keep(text, fontKey, kerning, alignment, width, block);
    return block;
}

QColor knobColor() { return QGuiApplication::palette().color(QPalette::Dark); }

// What the painter's device shows, in the painter's coordinates, with a margin for glyphs that
// reach past their line; null (everything) when it cannot be told.
QRectF visibleArea(const QPainter &painter)
{
    const QPaintDevice *device = painter.device();
    bool invertible = false;
    // The combined transform, not the device transform: a widget painted into its window's
    // backing store has the widget's offset in the device transform, which would move the area
    // shown away from the widget and leave every line of text undrawn.
    const QTransform back = painter.combinedTransform().inverted(&invertible);
    if (!device || !invertible || device->width() <= 0 || device->height() <= 0)
        return {};
    QRectF visible = back.mapRect(QRectF(0, 0, device->width(), device->height()));
    if (painter.hasClipping())
        visible &= painter.clipBoundingRect();
    if (visible.isEmpty())
        return QRectF(back.map(QPointF(0, 0)), QSizeF(1e-3, 1e-3));  // nothing shows: a speck, not "all"
    const double margin = std::max(visible.width(), visible.height()) * 0.05 + 64;
    return visible.adjusted(-margin, -margin, margin, margin);
}

// How many device pixels a card point covers on this painter.
double deviceScale(const QPainter &painter)
{
    const QTransform t = painter.deviceTransform();
    const double s = std::sqrt(std::abs(t.determinant()));
    const int type = painter.device() ? painter.device()->devType() : QInternal::Image;
    const bool raster = type == QInternal::Image || type == QInternal::Pixmap || type == QInternal::Widget;
    return raster ? std::max(s, 0.01) : std::max(s, kVectorShadowDpi / 72.0);
}

// Paints the laid-out text's shadow: blurred through a picture at device resolution, or, with
// no blur, as the text itself in the shadow colour.
void drawShadow(QPainter &painter, const TextBlock &block, QPointF origin, const QTransform &rotation,
                const QColor &colour, QPointF offset, double blur)
{
    painter.save();
    painter.translate(offset);
    blur = bounds::BlurPoints(blur);
    if (!(blur > 0)) {
        painter.setTransform(rotation, true);
        painter.setPen(colour);
        block.layout->draw(&painter, origin);
        painter.restore();
        return;
    }
    QRectF extent =
        rotation.mapRect(QRectF(origin, block.layout->boundingRect().size())).adjusted(-2 * blur, -2 * blur,
                                                                                       2 * blur, 2 * blur);
    // Only what can be seen is blurred, with a margin the blur reaches across.
    QRectF visible;
    if (const QPaintDevice *device = painter.device())
        visible = painter.deviceTransform().inverted().mapRect(QRectF(0, 0, device->width(), device->height()));
    if (painter.hasClipping())
        visible = visible.isEmpty() ? painter.clipBoundingRect() : visible & painter.clipBoundingRect();
    if (!visible.isEmpty())
        extent &= visible.adjusted(-2 * blur, -2 * blur, 2 * blur, 2 * blur);
    if (extent.isEmpty()) {
        painter.restore();
        return;
    }
    double scale = deviceScale(painter);
    const double pixels = extent.width() * extent.height() * scale * scale;
    if (pixels > kMaxShadowPixels)
        scale *= std::sqrt(kMaxShadowPixels / pixels);
    // A blur of many pixels takes away all detail finer than a few of them: past a radius of
    // four pixels the shadow is made coarser in step, and smoothly stretched when drawn.
    constexpr double kFinestRadius = 4.0;
    const double radiusPixels = blur * scale / 2.0;
    if (radiusPixels > kFinestRadius)
        scale *= kFinestRadius / radiusPixels;
    // The shadow is one colour: only its coverage is drawn and blurred, then coloured once.
    QImage coverage(std::max(1, int(std::ceil(extent.width() * scale))), std::max(1, int(std::ceil(extent.height() * scale))),
                    QImage::Format_Alpha8);
    if (!coverage.isNull()) {
        coverage.fill(0);
        {
            QPainter p(&coverage);
            p.setRenderHint(QPainter::Antialiasing, true);
            p.setRenderHint(QPainter::TextAntialiasing, true);
            p.scale(scale, scale);
            p.translate(-extent.topLeft());
            p.setTransform(rotation, true);
            p.setPen(colour);
            block.layout->draw(&p, origin);
        }
        // Three box passes come close to the soft edge of a Gaussian whose sigma is half the radius.
        const int radius = std::max(1, int(std::lround(blur * scale / 2.0)));
        for (int pass = 0; pass < 3; ++pass)
            imageops::boxBlurAlpha(coverage, radius);
        QImage picture(coverage.size(), QImage::Format_ARGB32_Premultiplied);
        if (!picture.isNull()) {
            QRgb shade[256];
            const QColor opaque = QColor(colour.red(), colour.green(), colour.blue());
            for (int a = 0; a < 256; ++a)
                shade[a] = qPremultiply(qRgba(opaque.red(), opaque.green(), opaque.blue(), a));
            for (int y = 0; y < coverage.height(); ++y) {
                const uint8_t *in = coverage.constScanLine(y);
                auto *out = reinterpret_cast<QRgb *>(picture.scanLine(y));
                for (int x = 0; x < coverage.width(); ++x)
                    out[x] = shade[in[x]];
            }
            painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
            painter.drawImage(extent, picture);
        }
    }
    painter.restore();
}

}  // namespace

long long Text_Layouts_Made() { return g_layoutsMade.load(); }

QString Text_With_Case_Transform(const QString &text, int caseCode)
{
    switch (caseCode) {
    case 1: return text.toUpper();
    case 2: return text.toLower();
    case 3: {
        QString out = text.toLower();
        bool wordStart = true;
        for (qsizetype i = 0; i < out.size(); ++i) {
            if (out[i].isSpace()) {
                wordStart = true;
            } else if (wordStart) {
                out[i] = out[i].toUpper();
                wordStart = false;
            }
        }
        return out;
    }
    default: return text;
    }
}

SKTText::SKTText() : SKTGraphic(SKTGraphicKind::Text) {}

QString SKTText::Display_Text()
{
    return Text_With_Case_Transform(Trim_Str(Text_contents().string), text_transfrom_case);
}

QSizeF SKTText::naturalSize()
{
    const QString text = Display_Text();
    if (text.isEmpty())
        return QSizeF(0, 0);
    const auto block = textBlock(text, text_ctrl_font, text_kerning, text_alignmnet, width());
    return QSizeF(std::ceil(block->used.width()), std::ceil(block->used.height()));
}

void SKTText::makeNaturalSize()
{
    if (ctrl_is_locked)
        return;
    setBounds(QRectF(bounds().topLeft(), naturalSize()));
}

void SKTText::setHeightToMatchContents()
{
    auto flag = [this](bool on) {
        changeValueForKey(SKTGraphicKeysForValuesToObserveForUndoKey, [&] { _boundsBeingChangedToMatchContents = on; });
    };
    flag(true);
    const QRectF b = bounds();
    setBounds(QRectF(b.x(), b.y(), b.width(), naturalSize().height()));
    flag(false);
}

void SKTText::drawContentsInView(QPainter &painter, bool isBeingCreateOrEdited)
{
    if (!ctrl_is_visible)
        return;
    const QRectF b = bounds();
    const SKTBezierPath outline = Rotated_Control_Path();
    if (isBeingCreateOrEdited) {
        const QRectF frame = b.adjusted(-1, -1, 1, 1);
        QPainterPath band;
        band.addRect(frame);
        band.addRect(frame.adjusted(1, 1, -1, -1));
        band.setFillRule(Qt::OddEvenFill);
        painter.fillPath(band, knobColor());
        return;
    }
    const QString text = Display_Text();
    if (isDrawingFill()) {
        if (_fill_type == QLatin1String("G")) {
            painter.fillPath(outline.path, _fill_Grad_clr1);
            Fill_Path_With_Gradient(painter, outline.path, _fill_Grad_clr1, _fill_Grad_clr2, _fill_grad_angle);
        } else {
            painter.fillPath(outline.path, _fillColor);
        }
    }
    if (!text.isEmpty() && b.width() > 0) {
        const auto cachedBlock = textBlock(text, text_ctrl_font, text_kerning, text_alignmnet, b.width());
        const TextBlock &block = *cachedBlock;
        // Placed by the height of the text as it is drawn, wrapped at the control's width.
        const double th = block.used.height();
        double top = b.y();
        if (text_alignmnet_Vert == 1)
            top = b.y() + (b.height() - th);
        else if (text_alignmnet_Vert == 2)
            top = b.y() + (b.height() - th) / 2;
        const QPointF origin(float(b.x()), float(top));
        const QPointF centre(float(b.x() + b.width() / 2), float(b.y() + b.height() / 2));
        const QTransform rotation = RotationTransform(text_rotation, centre.x(), centre.y());
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setRenderHint(QPainter::TextAntialiasing, true);
        // The opacity goes on a copy: a drawing that wrote it into the control would be a change
        // nobody made, which the undo history would record and Undo would take back in place of
        // the user's own step.
        if (Drawing_Shadow)
            drawShadow(painter, block, origin, rotation, Color_With_Opacity(Shadow_Color, Shadow_transparency),
                       QPointF(Shadow_offset_X, Shadow_offset_Y), Shadow_blur);
        painter.setTransform(rotation, true);
        painter.setPen(txt_clr);
        // Only the lines the device shows are drawn: a long word makes thousands of lines below
        // the card, and drawing them cost most of a paint.
        block.layout->draw(&painter, origin, {}, visibleArea(painter));
        painter.restore();
        if (isDrawingStroke())
            painter.strokePath(outline.path, Border_Pen(_strokeColor, _strokeWidth, _stroke_border_type));
    }
}

SKTTextStorage &SKTText::scriptingContents() { return Text_contents(); }

void SKTText::setScriptingContents(const QString &text)
{
    willChangeScriptingContents();
    Set_text_value(text);
    Text_contents().string = text;
    didChangeScriptingContents();
}

void SKTText::setUndoContents(const SKTTextStorage &storage)
{
    willChangeScriptingContents();
    _Text_contents = storage;
    Text_Value = storage.string;
    didChangeScriptingContents();
}

void SKTText::willChangeScriptingContents()
{
    changeValueForKey(SKTGraphicKeysForValuesToObserveForUndoKey, [&] { _contentsBeingChangedByScripting = true; });
}

void SKTText::didChangeScriptingContents()
{
    changeValueForKey(SKTTextUndoContentsKey, [] {});
    changeValueForKey(SKTGraphicKeysForValuesToObserveForUndoKey, [&] { _contentsBeingChangedByScripting = false; });
}

QVariant SKTText::valueForKey(const QString &key)
{
    if (key == SKTTextUndoContentsKey || key == SKTTextContentsKey)
        return Text_contents().string;
    if (key == SKTGraphicKeysForValuesToObserveForUndoKey)
        return QStringList(keysForValuesToObserveForUndo().values());
    return SKTGraphic::valueForKey(key);
}

bool SKTText::setValueForKey(const QString &key, const QVariant &value)
{
    if (key == SKTTextUndoContentsKey || key == SKTTextContentsKey) {
        setScriptingContents(value.toString());
        return true;
    }
    return SKTGraphic::setValueForKey(key, value);
}

QSet<QString> SKTText::keysForValuesToObserveForUndo() const
{
    QSet<QString> keys = SKTGraphic::keysForValuesToObserveForUndo();
    if (_contentsBeingChangedByScripting)
        keys.insert(SKTTextUndoContentsKey);
    if (_boundsBeingChangedToMatchContents)
        keys.remove(SKTGraphicBoundsKey);
    return keys;
}

QString SKTText::presentablePropertyNameForKey(const QString &key) const
{
    if (key == SKTTextUndoContentsKey)
        return QCoreApplication::translate("UndoStrings", "Text");
    return SKTGraphic::presentablePropertyNameForKey(key);
}
