#pragma once
// A paint device that writes what is painted on it as one page of Encapsulated PostScript
// (EPSF-3.0), in points from the page's top-left corner. Paths are filled and stroked, clips
// and transforms kept and pictures embedded as PostScript; text becomes glyph outlines. What
// PostScript cannot say (translucency, gradient and pattern fills, pictures with soft edges)
// is composited on a raster kept alongside at the flattening resolution and written as a
// picture of that area, clipped to what was painted, so it shows over what lies beneath.

#include <QByteArray>
#include <QPaintDevice>
#include <QPainterPath>
#include <QSizeF>
#include <QString>

#include <memory>

class PostScriptEngine;

class PostScriptDevice : public QPaintDevice {
public:
    // `pageClip`, in page points, keeps only what lies inside it (an empty path clips nothing).
    PostScriptDevice(const QSizeF &pagePoints, double flattenDpi, const QPainterPath &pageClip = {},
                     const QString &title = {});
    ~PostScriptDevice() override;
    PostScriptDevice(const PostScriptDevice &) = delete;
    PostScriptDevice &operator=(const PostScriptDevice &) = delete;

    QPaintEngine *paintEngine() const override;
    // The file once a painter has ended on the device; empty before that or for an empty page.
    QByteArray data() const;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    QSizeF m_page;
    std::unique_ptr<PostScriptEngine> m_engine;
};
