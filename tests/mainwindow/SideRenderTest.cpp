// A side of the open design rendered away from the window: the back while the front is shown.
#include "ControllerFixture.h"
#include "CoreTestSupport.h"

#include "core/SKTRenderingView.h"

#include <QTemporaryDir>

namespace {

using SideRenderTest = ControllerTest;

TEST_F(SideRenderTest, TheBackRendersToPngAndPdfWhileTheWindowShowsTheFront)
{
    REQUIRE_TOOL(pdftoppm, "pdftoppm");
    ASSERT_TRUE(setUpWindow());
    controller->SetDocumentCanvasSize({243, 154});
    document->appendGraphicOnSide(0, kindstest::filledRect(QRectF(20, 20, 60, 60), Qt::red));
    document->appendGraphicOnSide(1, kindstest::filledRect(QRectF(120, 40, 60, 60), Qt::blue));
    controller->Back_card_Prop->setCard_fill_chk(true);
    controller->Back_card_Prop->setCard_fill_clr(Qt::green);
    click("Front_Side_btn");
    ASSERT_EQ(Card_Front_Or_Back, 0);

    const CardSide back = controller->Card_Side_Value(1);
    // The value is a copy: later edits of the open design do not reach it.
    document->graphics_back().front()->_fillColor = Qt::yellow;
    controller->Back_card_Prop->setCard_fill_clr(Qt::white);

    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("back.png"));
    const QString pdf = dir.filePath(QStringLiteral("back.pdf"));
    QString error;
    ASSERT_TRUE(SKTRenderingView::Write_Side_File(back, png, 144, &error)) << error.toStdString();
    ASSERT_TRUE(SKTRenderingView::Write_Side_File(back, pdf, 144, &error)) << error.toStdString();
    const auto r = testsupport::runTool(pdftoppm, {QStringLiteral("-r"), QStringLiteral("144"), QStringLiteral("-png"),
                                                   QStringLiteral("-singlefile"), pdf, dir.filePath(QStringLiteral("page"))});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();

    for (const QString &path : {png, dir.filePath(QStringLiteral("page.png"))}) {
        SCOPED_TRACE(path.toStdString());
        const QImage image(path);
        ASSERT_EQ(image.size(), QSize(486, 308));
        EXPECT_TRUE(coretest::near(image.pixelColor(300, 140), Qt::blue, 10)) << "the back's control";
        EXPECT_TRUE(coretest::near(image.pixelColor(100, 100), Qt::green, 10)) << "the back's card, not the front";
        EXPECT_TRUE(kindstest::inkBox(image, [](QColor c) { return c.red() > 200 && c.green() < 80; }).isEmpty())
            << "nothing of the front";
    }
    EXPECT_EQ(Card_Front_Or_Back, 0) << "the window still shows the front";
    EXPECT_EQ(controller->Card_Side_Value(0).controls.size(), 1u);
}

}  // namespace
