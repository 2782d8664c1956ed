#pragma once
// Shared pieces of the archive, clipboard, document and undo tests: controls with every field
// set away from its default, field-by-field comparison, a hub that hands out scripted paste
// points, and a python plistlib reading of archive bytes.

#include "KindsTestSupport.h"

#include "core/ControlArchive.h"

#include <QByteArray>
#include <QImage>
#include <QJsonObject>
#include <QString>
#include <deque>
#include <memory>

namespace archivetest {

// A new control of the kind with every field it archives set to a value no default has.
std::unique_ptr<SKTGraphic> richControl(SKTGraphicKind kind);

// A picture with a gradient and partial transparency, so that a lossy or channel-swapping
// round trip shows.
QImage patternImage(int width, int height, QImage::Format format = QImage::Format_ARGB32);

// True when both are null, or have the same size and the same pixels (compared as ARGB32).
bool samePixels(const QImage &a, const QImage &b);

// Expects every field of the kind's key sets to be equal (reports each difference).
void expectArchivedFieldsEqual(const SKTGraphic &expected, const SKTGraphic &actual);

// A card hub whose paste points are scripted and whose extra-image identifiers count up.
class PasteHub : public ArchiveHub {
public:
    PasteHub() { m_previous = setArchiveHub(this); }
    ~PasteHub() override { setArchiveHub(m_previous); }
    QPointF Control_New_Point(const QString &card_side) override
    {
        sides.push_back(card_side);
        if (points.empty())
            return {10, 10};
        const QPointF p = points.front();
        points.pop_front();
        return p;
    }
    QString Generate_Extra_image_control_ID() override { return QStringLiteral("F_Pic%1").arg(++pictureIds); }

    std::deque<QPointF> points;
    std::vector<QString> sides;
    int pictureIds = 0;

private:
    ArchiveHub *m_previous = nullptr;
};

// Sets Start_Card_Option for the lifetime of the object.
class ScopedStartMode {
public:
    explicit ScopedStartMode(const QString &mode);
    ~ScopedStartMode();

private:
    QString m_saved;
};

// What Python's plistlib makes of property-list bytes: the JSON the script prints, or an empty
// object (and a test failure) when python cannot read them. The script sees the parsed value
// as `v` and prints json.dumps of its expression.
QJsonValue pythonPlist(const QByteArray &bytes, const QString &expression);

}  // namespace archivetest
