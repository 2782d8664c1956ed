#pragma once
// Shared pieces of the archive, clipboard, document and undo tests: test pictures, a hub that
// hands out scripted paste points, the start mode, and python plistlib's reading of bytes.

#include "CoreTestSupport.h"

#include "core/ControlArchive.h"
#include "core/Globals.h"

#include <QJsonValue>
#include <deque>

namespace archivetest {

// A gradient with partial transparency, so that a lossy or channel-swapping round trip shows.
QImage patternImage(int width, int height, QImage::Format format = QImage::Format_ARGB32);
// Both null, or the same size and pixels (compared as ARGB32).
bool samePixels(const QImage &a, const QImage &b);

// Paste points as scripted (then 10,10); extra-picture identifiers count up.
class PasteHub : public NoWindowArchiveHub {
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
    explicit ScopedStartMode(const QString &mode) : m_saved(std::exchange(Start_Card_Option, mode)) {}
    ~ScopedStartMode() { Start_Card_Option = m_saved; }

private:
    QString m_saved;
};

// python's plistlib reading the bytes as `v` and printing json.dumps(expression); a test
// failure and an empty value when python cannot read them.
QJsonValue pythonPlist(const QByteArray &bytes, const QString &expression);

}  // namespace archivetest
