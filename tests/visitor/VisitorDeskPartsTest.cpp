// Pieces of the visitor desk that need no window: where a template puts a field, the dates the
// desk shows and stores, and a long name on the pass.

#include "visitor/ProfileLayout.h"
#include "visitor/VisitorMode.h"
#include "visitor/VisitorRecorder.h"
#include "visitor/Visitor_Log_Records.h"
#include "visitor/Visitor_Pass.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

// The template's placeholders count y upwards from its bottom; the card counts down from its top.
TEST(VisitorDeskParts, TemplatePlacesFlipIntoTheCard)
{
    const struct {
        QRectF frame;
        double height;
        bool caption;
        QRectF expected;
    } cases[] = {
        {{80, 100, 150, 20}, 160, false, {80, 40, 150, 20}},
        {{80, 100, 150, 20}, 160, true, {80, 30, 150, 20}},
        {{10, 30, 60, 75}, 154, false, {10, 104, 60, 75}},  // the photo too loses 20, whatever its height
        {{}, 154, false, {0, 134, 0, 0}},                   // no placeholder: the zero frame flipped
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.frame.y());
        EXPECT_EQ(Template_Control_Rect(c.frame, c.height, c.caption), c.expected);
    }
}

// One English date form for the panel and the record, whatever the desk's language; the log's
// search label names its days in the medium style.
TEST(VisitorDeskParts, DatesReadTheSameInEveryLanguage)
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(Visitor_Date_Text(QDate(2026, 12, 7)), "07-Dec-2026");
    EXPECT_EQ(Visitor_Date_Text(QDate(2026, 3, 1)), "01-Mar-2026");
    QLocale::setDefault(previous);

    EXPECT_EQ(Medium_Date_Text(QDate(2026, 12, 7), QLocale(QLocale::English, QLocale::UnitedStates)), "Dec 7, 2026");
    const QString german = Medium_Date_Text(QDate(2026, 12, 7), QLocale(QLocale::German, QLocale::Germany));
    EXPECT_TRUE(german.contains("Dez") && german.contains("2026") && !german.contains("Montag")) << german.toStdString();
}

// A 2,000-character name wraps inside its box on the pass: its last line is drawn, below the first.
TEST(VisitorDeskParts, ALongNameWrapsInsideItsBox)
{
    VisitorDetails d;
    d.caption[0][VisitorDetails::VName] = "Name :";
    QString name;
    while (name.size() < 2000)
        name += "Wolfeschlegelsteinhausenbergerdorff ";
    d.value[0][VisitorDetails::VName] = name.left(1999) + "Z";
    const QRectF page(0, 0, 595, 842);
    const PassLayout layout = Visitor_Pass_Layout(d, page);
    QRectF box;
    for (const PassItem &it : layout.items)
        if (it.text.endsWith('Z'))
            box = it.rect;
    ASSERT_FALSE(box.isEmpty());
    EXPECT_LE(box.right(), page.right() - 10);
    EXPECT_GT(box.height(), 20 * 10);  // many lines, not one clipped line

    const QImage pass = Visitor_Pass::image_of_visitor_pass(d, page, 72).convertToFormat(QImage::Format_RGB32);
    // The box's lowest lines (y counted upwards in the layout) carry ink.
    const QRect lowest(int(box.x()), int(page.height() - box.y() - 14), int(box.width()), 12);
    int ink = 0;
    for (int y = lowest.top(); y <= lowest.bottom(); ++y)
        for (int x = lowest.left(); x <= lowest.right(); ++x)
            ink += qGray(pass.pixel(x, y)) < 128;
    EXPECT_GT(ink, 20);
}

}  // namespace

#include "core/ControllerImageFiles.h"
#include "core/SKTImage.h"
#include <QTemporaryDir>

namespace {

// An image control's source picture counts only while both its picture and the source exist.
TEST(VisitorDeskParts, AnImagesSourcePathNeedsBothFiles)
{
    QTemporaryDir dir;
    const QString source = dir.filePath("source.png"), used = dir.filePath("used.png");
    QImage(4, 4, QImage::Format_RGB32).save(source);
    QImage(4, 4, QImage::Format_RGB32).save(used);
    const struct {
        QString filePath, text;
        const char *expected;
    } cases[] = {{used, source, "source"}, {dir.filePath("gone.png"), source, ""}, {used, dir.filePath("gone.png"), ""}};
    for (const auto &c : cases) {
        SKTImage image;
        image._file_path = c.filePath;
        image.Text_Value = c.text;
        EXPECT_EQ(QFileInfo(Get_Original_Path_Of_Image_Control(image)).baseName().toStdString(), c.expected);
    }
}

}  // namespace
