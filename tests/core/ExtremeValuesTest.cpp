// Values at and beyond the edges of what a field can hold, arriving from a design file or the
// clipboard: whatever opens must save again, and whatever is drawn must be drawn in bounded work.

#include "DesignTestSupport.h"
#include "KindsTestSupport.h"
#include "core/ControlArchive.h"
#include "core/DesignFile.h"
#include "core/SKTRenderingView.h"
#include "platform/Plist.h"

#include <QPainter>
#include <gtest/gtest.h>

using namespace designtest;
using namespace kindstest;

namespace {

DesignReadResult readRoot(const QVariantList &root)
{
    return Design_From_Array(platform::plistParse(platform::plistSerialize(QVariant(root))));
}

bool isDecimalText(const QVariant &v)
{
    if (v.typeId() != QMetaType::QString)
        return false;
    bool ok = false;
    v.toString().toDouble(&ok);
    return ok && v.toString().contains(QLatin1Char('.'));
}

}  // namespace

// A number too large for the field it lands in either refuses the file or is kept as a value
// the file can store: an opened design never turns into one that cannot be saved.
TEST(ExtremeValues, EveryDesignThatOpensSavesAgain)
{
    DesignWriteResult written;
    const std::optional<QVariantList> root = Design_To_Array(fullDesign(), false, &written);
    ASSERT_TRUE(root.has_value()) << written.message().toStdString();
    const QStringList extremes{QStringLiteral("1e39"), QStringLiteral("-1e39"), QStringLiteral("1e300"),
                               QStringLiteral("3.5e38"), QStringLiteral("1e-60")};
    int decimalEntries = 0, opened = 0;
    auto tryEntry = [&](QVariantList spoilt, const QString &where) {
        const DesignReadResult read = readRoot(spoilt);
        if (!read.ok())
            return;
        ++opened;
        DesignWriteResult again;
        EXPECT_TRUE(Design_To_Array(*read.design, false, &again).has_value())
            << where.toStdString() << ": opened, but saving says " << again.message().toStdString();
    };
    for (int i = 0; i < root->size(); ++i) {
        const QVariant &entry = (*root)[i];
        if (isDecimalText(entry)) {
            ++decimalEntries;
            for (const QString &value : extremes) {
                QVariantList spoilt = *root;
                spoilt[i] = value;
                tryEntry(spoilt, QStringLiteral("root %1 = %2").arg(i).arg(value));
            }
        }
        if (i < Design_First_Record_Index || entry.typeId() != QMetaType::QVariantList)
            continue;
        const QVariantList record = entry.toList();
        for (int k = 0; k < record.size(); ++k) {
            if (!isDecimalText(record[k]))
                continue;
            ++decimalEntries;
            for (const QString &value : extremes) {
                QVariantList badRecord = record;
                badRecord[k] = value;
                QVariantList spoilt = *root;
                spoilt[i] = badRecord;
                tryEntry(spoilt, QStringLiteral("record %1 entry %2 = %3").arg(i).arg(k).arg(value));
            }
        }
    }
    // The file has decimals in the card blocks and in every kind of record, and the tiny and
    // double-range values are still read.
    EXPECT_GT(decimalEntries, 60);
    EXPECT_GT(opened, decimalEntries);
}

// A vertex count far beyond what a stepper gives (from a file or the clipboard) draws an
// ellipse-like figure in bounded work instead of millions of vertices on every repaint.
TEST(ExtremeValues, HugeVertexCountsDrawABoundedFigure)
{
    CardHub hub;
    const QRectF bounds(40, 20, 160, 110);
    for (const char *code : {"P", "DS"}) {
        for (int kind : {3'000'000, 3'000'001, std::numeric_limits<int>::max()}) {
            SCOPED_TRACE(std::string(code) + " " + std::to_string(kind));
            Shape_Control made;
            made._shape_type = QString::fromLatin1(code);
            made._bounds = bounds;
            made.polygon_type = made.double_star_type = kind;
            made._fillColor = Qt::blue;
            // The clipboard's way in holds the count to a range; the drawing bounds it too.
            std::unique_ptr<SKTGraphic> pasted = Unarchive_Graphic(Archive_Graphic(made));
            ASSERT_TRUE(pasted);
            ASSERT_LE(pasted->polygon_type, 1000);
            const SKTBezierPath path = made.bezierPathForDrawing();
            EXPECT_LT(path.path.elementCount(), 5000);
            // The figure fills the bounds as an ellipse would: centre inside, corners outside.
            EXPECT_TRUE(pasted->isContentsUnderPoint(bounds.center()));
            EXPECT_FALSE(pasted->isContentsUnderPoint(bounds.topLeft() + QPointF(3, 3)));
            const QImage side = SKTRenderingView::image_From_Card_Graphics(hub.side(SKTGraphicList{pasted.get()}));
            ASSERT_FALSE(side.isNull());
            const QRect ink = inkBox(side, [](QColor c) { return c.blue() > 200 && c.red() < 60; });
            EXPECT_NEAR(ink.left(), 40, 2);
            EXPECT_NEAR(ink.right(), 199, 2);
            EXPECT_NEAR(ink.top(), 20, 2);
            EXPECT_NEAR(ink.bottom(), 129, 2);
        }
    }
}
