// The templates the application delivers, each loaded fresh as from the gallery: the photo frame
// shows the application's placeholder picture on the card and in an export, and the picture
// panel neither reports a missing file nor shows the placeholder's file as the user's photo.

#include "ControllerFixture.h"

#include "core/ControlArchive.h"
#include "core/SKTRenderingView.h"
#include "properties/Barcode_Gen.h"
#include "platform/Paths.h"
#include "properties/PropertyPanel.h"

#include <QDirIterator>
#include <QLabel>
#include <QLineEdit>

namespace {

using DeliveredTemplatesTest = WindowTest;

TEST_F(DeliveredTemplatesTest, EveryPhotoFrameShowsThePlaceholderPicture)
{
    QStringList templates;
    QDirIterator it(platform::joinPath(Resource_Path, "Templates"), {"*.did"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        templates << it.next();
    templates.sort();
    ASSERT_EQ(templates.size(), 28);
    int frames = 0;
    for (const QString &path : templates) {
        SCOPED_TRACE(path.toStdString());
        ASSERT_EQ(controller->Read_and_load_design_Log_NEW_METHOD(path, "T", false), 1);
        for (int side = 0; side < 2; ++side) {
            for (const SKTGraphicPtr &g : document->graphicsOfSide(side)) {
                if (g->kind() != SKTGraphicKind::Image || g->control_ID != QLatin1String("Fup_Photo"))
                    continue;
                ++frames;
                // The frame's inside, on the side as exported, against the same side without it.
                const QRect inside = g->bounds().adjusted(6, 6, -6, -6).toRect();
                const QImage with = SKTRenderingView::image_From_Card_Graphics(controller->Card_Side_Value(side), 72);
                g->Set_Ctrl_Is_Visible(false);
                const QImage without = SKTRenderingView::image_From_Card_Graphics(controller->Card_Side_Value(side), 72);
                g->Set_Ctrl_Is_Visible(true);
                int differing = 0;
                for (int y = inside.top(); y <= inside.bottom(); y += 2)
                    for (int x = inside.left(); x <= inside.right(); x += 2)
                        differing += with.pixel(x, y) != without.pixel(x, y);
                EXPECT_GT(differing, inside.width() * inside.height() / 8) << "the frame shows the card behind it";

                click(side == 0 ? "Front_Side_btn" : "Back_Side_btn");
                canvas(side)->Set_Selected_Graphic(g.get());
                controller->Show_RHS_Properties(g.get());
                PropertyPanel &panel = controller->propertyPanel();
                EXPECT_FALSE(panel.Manual_image_path->text().contains("no.png")) << panel.Manual_image_path->text().toStdString();
                EXPECT_TRUE(panel.invalid_source_label->isHidden());
            }
        }
    }
    EXPECT_GE(frames, 28) << "every delivered template has a photo frame";
}

// OK in the window of a barcode double-clicked, nothing changed: the barcode stays as stored,
// though its stored picture is one a redraw here would not match.
TEST_F(DeliveredTemplatesTest, OkOnAnUntouchedBarcodeWindowChangesNothing)
{
    int opened = 0, barcodes = 0;
    const auto previous = Barcode_Gen::setModalRunner([&](Barcode_Gen &w) { return ++opened, press(w.OK_Btn), w.result(); });
    QDirIterator it(platform::joinPath(Resource_Path, "Templates"), {"*.did"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        ASSERT_EQ(controller->Read_and_load_design_Log_NEW_METHOD(path, "T", false), 1);
        for (const SKTGraphicPtr &g : document->graphics()) {
            if (g->kind() != SKTGraphicKind::Barcode)
                continue;
            g->_barcode_image = g->_barcode_image.copy(QRect(QPoint(), g->_barcode_image.size() + QSize(0, 9)));
            const QByteArray stored = Archive_Graphic(*g);
            clickAt(canvas(0), g->bounds().center());
            QTest::mouseDClick(canvas(0), Qt::LeftButton, {}, at(canvas(0), g->bounds().center()));
            EXPECT_TRUE(Archive_Graphic(*g) == stored && ++barcodes == opened) << path.toStdString();
        }
    }
    Barcode_Gen::setModalRunner(previous);
    EXPECT_EQ(barcodes, 24);
}

}  // namespace
