#include "core/PostScriptDevice.h"

#include "core/DocumentFiles.h"
#include "platform/ImageWriter.h"

#include <QDateTime>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPathStroker>
#include <QPixmap>

#include <cmath>

namespace {

// A raster kept alongside larger than this many pixels is made coarser rather than refused:
// it only serves what PostScript cannot say.
constexpr double kMaxRasterPixels = 64.0e6;
constexpr double kLimit = 1.0e6;  // points; no card comes near, and readers choke on longer numbers

// A number as PostScript reads it: never "nan" or "inf", no exponent, no trailing zeros.
QByteArray num(double v, int decimals = 3)
{
    if (!std::isfinite(v))
        v = 0;
    v = std::clamp(v, -kLimit, kLimit);
    QByteArray s = QByteArray::number(v, 'f', decimals);
    if (s.contains('.')) {
        while (s.endsWith('0'))
            s.chop(1);
        if (s.endsWith('.'))
            s.chop(1);
    }
    return s == "-0" ? QByteArray("0") : s;
}

bool finite(const QTransform &t)
{
    for (double v : {t.m11(), t.m12(), t.m13(), t.m21(), t.m22(), t.m23(), t.m31(), t.m32(), t.m33()})
        if (!std::isfinite(v) || std::abs(v) > kLimit)
            return false;
    return true;
}

bool finite(const QRectF &r)
{
    return std::isfinite(r.x()) && std::isfinite(r.y()) && std::isfinite(r.width()) && std::isfinite(r.height())
        && std::abs(r.x()) + std::abs(r.width()) < kLimit && std::abs(r.y()) + std::abs(r.height()) < kLimit;
}

QByteArray matrix(const QTransform &t)
{
    return '[' + num(t.m11(), 6) + ' ' + num(t.m12(), 6) + ' ' + num(t.m21(), 6) + ' ' + num(t.m22(), 6) + ' '
         + num(t.dx()) + ' ' + num(t.dy()) + "] concat\n";
}

QByteArray colour(const QColor &c)
{
    const QColor rgb = c.toRgb();
    return num(rgb.redF()) + ' ' + num(rgb.greenF()) + ' ' + num(rgb.blueF()) + " setrgbcolor\n";
}

// The path's operators; a subpath ending where it began is closed, so strokes join there.
QByteArray pathOperators(const QPainterPath &path)
{
    QByteArray ps;
    QPointF start, last;
    bool open = false;
    auto close = [&] {
        if (open && start == last)
            ps += "h\n";
        open = false;
    };
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.isMoveTo()) {
            close();
            start = last = e;
            ps += num(e.x) + ' ' + num(e.y) + " m\n";
        } else if (e.isLineTo()) {
            last = e;
            ps += num(e.x) + ' ' + num(e.y) + " l\n";
        } else if (e.isCurveTo() && i + 2 < path.elementCount()) {
            const QPainterPath::Element c2 = path.elementAt(i + 1), end = path.elementAt(i + 2);
            last = end;
            ps += num(e.x) + ' ' + num(e.y) + ' ' + num(c2.x) + ' ' + num(c2.y) + ' ' + num(end.x) + ' '
                + num(end.y) + " c\n";
            i += 2;
        }
        open = true;
    }
    close();
    return ps;
}

bool opaqueSolid(const QBrush &brush) { return brush.style() == Qt::SolidPattern && brush.color().alpha() == 255; }
bool invisible(const QBrush &brush)
{
    return brush.style() == Qt::NoBrush || (brush.style() == Qt::SolidPattern && brush.color().alpha() == 0);
}

bool allOpaque(const QImage &image)
{
    if (!image.hasAlphaChannel())
        return true;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x)
            if (qAlpha(line[x]) != 255)
                return false;
    }
    return true;
}

// The DSC text of a title: printable ASCII only, so the header stays one clean line.
QByteArray dscText(const QString &text)
{
    QByteArray out;
    for (QChar c : text)
        out.append(c.unicode() >= 0x20 && c.unicode() < 0x7f && c != QLatin1Char('\\') ? char(c.unicode()) : '_');
    return out;
}

}  // namespace

class PostScriptEngine final : public QPaintEngine {
public:
    PostScriptEngine(const QSizeF &page, double dpi, const QPainterPath &pageClip, const QString &title)
        : QPaintEngine(QPaintEngine::AllFeatures), m_page(page), m_pageClip(pageClip), m_title(title)
    {
        const double pixels = page.width() * page.height() * (dpi / 72) * (dpi / 72);
        m_scale = std::isfinite(dpi) && dpi > 0 ? dpi / 72 : 1.0;
        if (pixels > kMaxRasterPixels || !std::isfinite(pixels))
            m_scale = std::sqrt(kMaxRasterPixels / std::max(page.width() * page.height(), 1.0));
    }

    QByteArray file;

    bool begin(QPaintDevice *) override
    {
        file.clear();
        m_body.clear();
        if (!(m_page.width() > 0 && m_page.height() > 0) || !finite(QRectF(QPointF(), m_page)))
            return false;
        m_raster = QImage(std::max(1, int(std::ceil(m_page.width() * m_scale))),
                          std::max(1, int(std::ceil(m_page.height() * m_scale))), QImage::Format_ARGB32_Premultiplied);
        if (m_raster.isNull())
            return false;
        m_raster.fill(Qt::transparent);
        m_shadow.begin(&m_raster);
        m_transform = {};
        m_clipOn = m_emittedClipOn = false;
        m_clip = m_emittedClip = {};
        m_shadowClipDirty = true;
        return true;
    }

    bool end() override
    {
        m_shadow.end();
        m_raster = {};
        const double pw = m_page.width(), ph = m_page.height();
        QByteArray eps;
        eps += "%!PS-Adobe-3.0 EPSF-3.0\n";
        eps += "%%BoundingBox: 0 0 " + QByteArray::number(int(std::ceil(pw - 1e-9))) + ' '
             + QByteArray::number(int(std::ceil(ph - 1e-9))) + '\n';
        eps += "%%HiResBoundingBox: 0 0 " + num(pw) + ' ' + num(ph) + '\n';
        eps += "%%Creator: badgeloom\n";
        if (!m_title.isEmpty())
            eps += "%%Title: " + dscText(m_title) + '\n';
        eps += "%%CreationDate: " + QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toLatin1() + '\n';
        eps += "%%LanguageLevel: 3\n%%DocumentData: Clean7Bit\n%%Pages: 1\n%%EndComments\n";
        eps += "%%BeginProlog\n/BLdict 8 dict def BLdict begin\n/m /moveto load def /l /lineto load def\n"
               "/c /curveto load def /h /closepath load def\nend\n%%EndProlog\n";
        eps += "%%Page: 1 1\nsave BLdict begin\n";
        // From here on the units are points from the top-left corner, y downwards.
        eps += "0 " + num(ph) + " translate 1 -1 scale\n";
        if (const QByteArray clip = pathOperators(m_pageClip); !clip.isEmpty())
            eps += "newpath\n" + clip + "clip newpath\n";
        eps += "gsave\n" + m_body + "grestore\n";
        eps += "end restore\nshowpage\n%%Trailer\n%%EOF\n";
        file = eps;
        m_body.clear();
        return true;
    }

    Type type() const override { return QPaintEngine::User; }

    void updateState(const QPaintEngineState &state) override
    {
        const DirtyFlags f = state.state();
        if (f & DirtyTransform)
            m_transform = state.transform();
        if (f & DirtyPen)
            m_pen = state.pen();
        if (f & DirtyBrush)
            m_brush = state.brush();
        if (f & DirtyBrushOrigin)
            m_brushOrigin = state.brushOrigin();
        if (f & DirtyOpacity)
            m_opacity = state.opacity();
        if (f & DirtyHints)
            m_hints = state.renderHints();
        if (f & DirtyClipEnabled) {
            m_clipEnabled = state.isClipEnabled();
            m_shadowClipDirty = true;
        }
        if (f & DirtyClipPath)
            clipTo(state.clipPath(), state.clipOperation());
        if (f & DirtyClipRegion) {
            QPainterPath path;
            path.addRegion(state.clipRegion());
            clipTo(path, state.clipOperation());
        }
    }

    void drawPath(const QPainterPath &path) override { paintPath(path, true); }

    void drawPolygon(const QPointF *points, int count, PolygonDrawMode mode) override
    {
        if (count < 2)
            return;
        QPainterPath path(points[0]);
        for (int i = 1; i < count; ++i)
            path.lineTo(points[i]);
        if (mode != PolylineMode)
            path.closeSubpath();
        path.setFillRule(mode == OddEvenMode ? Qt::OddEvenFill : Qt::WindingFill);
        paintPath(path, mode != PolylineMode);
    }

    void drawPixmap(const QRectF &r, const QPixmap &pm, const QRectF &sr) override
    {
        drawImage(r, pm.toImage(), sr, Qt::AutoColor);
    }

    void drawImage(const QRectF &r, const QImage &image, const QRectF &sr, Qt::ImageConversionFlags) override
    {
        if (image.isNull() || !drawable() || !finite(r) || !finite(sr) || r.isEmpty() || sr.isEmpty())
            return;
        syncShadow();
        m_shadow.drawImage(r, image, sr);
        const QTransform unit = QTransform(r.width(), 0, 0, r.height(), r.x(), r.y()) * m_transform;
        if (std::abs(unit.determinant()) < 1e-6)
            return;
        QPainterPath quad;
        quad.addRect(r);
        const QRect source = sr.toAlignedRect() & image.rect();
        QImage part = source == image.rect() ? image : image.copy(source);
        if (part.isNull() || m_opacity < 1.0 || !allOpaque(part)) {
            paintRaster(m_transform.map(quad));
            return;
        }
        // A picture far finer than the page can show is brought down to the flattening resolution.
        const QSizeF shown = m_transform.mapRect(r).size() * m_scale;
        if (part.width() > 1.5 * shown.width() && part.height() > 1.5 * shown.height())
            part = part.scaled(std::max(1, int(std::ceil(shown.width()))), std::max(1, int(std::ceil(shown.height()))),
                               Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        syncClip();
        writeImage(part, unit, m_hints.testFlag(QPainter::SmoothPixmapTransform));
    }

    void drawTextItem(const QPointF &p, const QTextItem &item) override
    {
        // Text is drawn as glyph outlines: the base engine turns the item's glyphs into a path
        // and fills it through drawPath, so no font has to travel with the file.
        QPaintEngine::drawTextItem(p, item);
    }

private:
    QSizeF m_page;
    QPainterPath m_pageClip;
    QString m_title;
    double m_scale = 1;
    QByteArray m_body;
    QImage m_raster;
    QPainter m_shadow;

    QTransform m_transform;
    QPen m_pen;
    QBrush m_brush;
    QPointF m_brushOrigin;
    double m_opacity = 1;
    QPainter::RenderHints m_hints;
    bool m_clipOn = false, m_clipEnabled = true;  // a clip path is set, and in force
    QPainterPath m_clip;                          // in page points
    bool m_emittedClipOn = false, m_shadowClipDirty = true;
    QPainterPath m_emittedClip;

    bool clipActive() const { return m_clipOn && m_clipEnabled; }

    void clipTo(const QPainterPath &path, Qt::ClipOperation op)
    {
        m_shadowClipDirty = true;
        if (op == Qt::NoClip) {
            m_clipOn = false;
            m_clip = {};
            return;
        }
        const QPainterPath mapped = finite(m_transform) ? m_transform.map(path) : QPainterPath();
        m_clip = op == Qt::IntersectClip && m_clipOn ? m_clip.intersected(mapped) : mapped;
        m_clipOn = true;
    }

    // False when nothing painted now could show: a clip that leaves nothing, or a transform
    // with numbers no reader can take.
    bool drawable() const
    {
        if (!finite(m_transform) || !m_transform.isAffine())
            return false;
        return !clipActive() || !m_clip.boundingRect().isEmpty();
    }

    // The clip in force written once for the operations that share it: the outer gsave level
    // holds it, and a change goes back to that level and sets the new one.
    void syncClip()
    {
        const bool on = clipActive();
        if (on == m_emittedClipOn && (!on || m_clip == m_emittedClip))
            return;
        m_body += "grestore gsave\n";
        if (on)
            m_body += "newpath\n" + pathOperators(m_clip) + (m_clip.fillRule() == Qt::OddEvenFill ? "eoclip" : "clip")
                    + " newpath\n";
        m_emittedClipOn = on;
        m_emittedClip = on ? m_clip : QPainterPath();
    }

    // Brings the raster's painter to the state in force; composition is always over what lies
    // beneath, as on paper.
    void syncShadow()
    {
        if (m_shadowClipDirty) {
            m_shadow.setWorldTransform(QTransform::fromScale(m_scale, m_scale));
            if (clipActive())
                m_shadow.setClipPath(m_clip);
            else
                m_shadow.setClipping(false);
            m_shadowClipDirty = false;
        }
        m_shadow.setWorldTransform(m_transform * QTransform::fromScale(m_scale, m_scale));
        m_shadow.setRenderHints(m_hints);
        m_shadow.setOpacity(m_opacity);
        m_shadow.setBrushOrigin(m_brushOrigin);
        m_shadow.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }

    void paintPath(const QPainterPath &path, bool fillAllowed)
    {
        if (path.isEmpty() || !drawable() || !finite(path.controlPointRect()))
            return;
        const bool fill = fillAllowed && !invisible(m_brush);
        const double width = m_pen.widthF();
        const bool stroke = m_pen.style() != Qt::NoPen && !invisible(m_pen.brush()) && std::isfinite(width)
                         && width >= 0 && width < kLimit;
        if (!fill && !stroke)
            return;
        syncShadow();
        m_shadow.setPen(stroke ? m_pen : QPen(Qt::NoPen));
        m_shadow.setBrush(fill ? m_brush : QBrush());
        m_shadow.drawPath(path);

        const bool cosmetic = m_pen.isCosmetic();
        if (m_opacity < 1.0 || (fill && !opaqueSolid(m_brush)) || (stroke && !opaqueSolid(m_pen.brush()))) {
            QPainterPath outline;
            if (fill)
                outline = m_transform.map(path);
            if (stroke) {
                QPainterPathStroker stroker(m_pen);
                stroker.setWidth(cosmetic ? std::max(width, 1.0) : width);
                const QPainterPath edge =
                    cosmetic ? stroker.createStroke(m_transform.map(path)) : m_transform.map(stroker.createStroke(path));
                if (fill) {
                    // Any area holding all that was painted will do: the raster has what lay beneath.
                    QPainterPath box;
                    box.addRect(outline.controlPointRect() | edge.controlPointRect());
                    outline = box;
                } else {
                    outline = edge;
                }
            }
            paintRaster(outline);
            return;
        }
        syncClip();
        if (fill)
            m_body += colour(m_brush.color()) + pathOperators(m_transform.map(path))
                    + (path.fillRule() == Qt::OddEvenFill ? "eofill\n" : "fill\n");
        if (!stroke)
            return;
        QByteArray style = num(width) + " setlinewidth ";
        style += QByteArray::number(m_pen.capStyle() == Qt::RoundCap ? 1 : m_pen.capStyle() == Qt::SquareCap ? 2 : 0)
               + " setlinecap ";
        style += QByteArray::number(m_pen.joinStyle() == Qt::RoundJoin ? 1 : m_pen.joinStyle() == Qt::BevelJoin ? 2 : 0)
               + " setlinejoin " + num(std::max(1.0, m_pen.miterLimit())) + " setmiterlimit\n";
        if (m_pen.style() != Qt::SolidLine) {
            // Dashes count in pen widths here and in units there.
            const double unit = width > 0 ? width : 1.0;
            QByteArray dashes;
            double total = 0;
            for (double d : m_pen.dashPattern()) {
                const double v = std::isfinite(d) ? std::clamp(d * unit, 0.0, kLimit) : 0.0;
                total += v;
                dashes += num(v) + ' ';
            }
            if (total > 0)
                style += '[' + dashes + "] " + num(m_pen.dashOffset() * unit) + " setdash\n";
        }
        if (cosmetic) {
            m_body += "gsave\n" + colour(m_pen.color()) + style + pathOperators(m_transform.map(path)) + "stroke grestore\n";
        } else if (std::abs(m_transform.determinant()) > 1e-9) {
            // Widths and dashes are measured where they were set, so they scale with the drawing.
            m_body += "gsave\n" + matrix(m_transform) + colour(m_pen.color()) + style + pathOperators(path)
                    + "stroke grestore\n";
        }
    }

    // Writes the raster under `outline` (page points), clipped to it: the composited result of
    // what was just painted over what lay beneath.
    void paintRaster(const QPainterPath &outline)
    {
        QRectF area = outline.controlPointRect() & QRectF(QPointF(), m_page);
        if (clipActive())
            area &= m_clip.controlPointRect();
        if (area.isEmpty() || !finite(area))
            return;
        const QRect pixels =
            QRectF(area.topLeft() * m_scale, area.size() * m_scale).toAlignedRect().adjusted(-1, -1, 1, 1) & m_raster.rect();
        if (pixels.isEmpty())
            return;
        // Unpainted paper is white.
        const QImage part = platform::flattenedOnto(m_raster.copy(pixels), Qt::white);
        syncClip();
        m_body += "gsave\nnewpath\n" + pathOperators(outline)
                + (outline.fillRule() == Qt::OddEvenFill ? "eoclip" : "clip") + " newpath\n";
        const double s = m_scale;
        writeImage(part, QTransform(pixels.width() / s, 0, 0, pixels.height() / s, pixels.x() / s, pixels.y() / s),
                   false);
        m_body += "grestore\n";
    }

    // An opaque picture over the unit square that `unit` maps onto the page: RGB samples,
    // Flate compressed and ASCII85 armoured, its top row first.
    void writeImage(const QImage &image, const QTransform &unit, bool smooth)
    {
        const QImage rgb = platform::flattenedOnto(image, Qt::white).convertToFormat(QImage::Format_RGB888);
        const int w = rgb.width(), h = rgb.height();
        QByteArray samples;
        samples.reserve(qsizetype(w) * h * 3);
        for (int y = 0; y < h; ++y)
            samples.append(reinterpret_cast<const char *>(rgb.constScanLine(y)), qsizetype(w) * 3);
        // qCompress puts a four-byte length before the zlib stream that FlateDecode reads.
        const QByteArray flate = qCompress(samples, 9).mid(4);
        m_body += "gsave\n" + matrix(unit) + "/DeviceRGB setcolorspace\n";
        m_body += "/BLA85 currentfile /ASCII85Decode filter def\n/BLData BLA85 /FlateDecode filter def\n";
        // The data follows this line; the filters are read to their ends so the file goes on
        // after the data whatever the decoder left unread.
        m_body += "{ << /ImageType 1 /Width " + QByteArray::number(w) + " /Height " + QByteArray::number(h)
                + " /BitsPerComponent 8 /Decode [0 1 0 1 0 1] /ImageMatrix [" + QByteArray::number(w) + " 0 0 "
                + QByteArray::number(h) + " 0 0] /Interpolate " + (smooth ? "true" : "false")
                + " /DataSource BLData >> image BLData flushfile BLA85 flushfile } exec\n";
        m_body += Ascii85_Encode(flate);
        m_body += "grestore\n";
    }
};

PostScriptDevice::PostScriptDevice(const QSizeF &pagePoints, double flattenDpi, const QPainterPath &pageClip,
                                   const QString &title)
    : m_page(pagePoints), m_engine(std::make_unique<PostScriptEngine>(pagePoints, flattenDpi, pageClip, title))
{
}

PostScriptDevice::~PostScriptDevice() = default;

QPaintEngine *PostScriptDevice::paintEngine() const { return m_engine.get(); }

QByteArray PostScriptDevice::data() const { return m_engine->file; }

int PostScriptDevice::metric(PaintDeviceMetric metric) const
{
    const double w = std::isfinite(m_page.width()) ? std::clamp(m_page.width(), 0.0, kLimit) : 0.0;
    const double h = std::isfinite(m_page.height()) ? std::clamp(m_page.height(), 0.0, kLimit) : 0.0;
    switch (metric) {
    case PdmWidth:
        return int(std::ceil(w));
    case PdmHeight:
        return int(std::ceil(h));
    case PdmWidthMM:
        return qRound(w * 25.4 / 72);
    case PdmHeightMM:
        return qRound(h * 25.4 / 72);
    case PdmNumColors:
        return INT_MAX;
    case PdmDepth:
        return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return 72;  // one unit a point
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(devicePixelRatioFScale());
    }
    return QPaintDevice::metric(metric);
}
