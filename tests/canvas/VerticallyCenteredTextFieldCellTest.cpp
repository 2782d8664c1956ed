// A one-line text field draws its line in the middle of a taller field, whatever vertical
// alignment it was given: the same pixels as the field drawn exactly one line high, moved down.

#include "canvas/VerticallyCenteredTextFieldCell.h"

#include <QFontMetrics>
#include <QImage>
#include <gtest/gtest.h>

namespace {

QImage drawn(Qt::Alignment vertical, const QFont &font, int height)
{
    VerticallyCenteredTextFieldCell cell(QStringLiteral("Hxg Ag 14"));
    cell.setFont(font);
    cell.setAlignment(Qt::AlignLeft | vertical);
    cell.resize(120, height);
    return cell.grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

bool sameRow(const QImage &a, int ya, const QImage &b, int yb)
{
    for (int x = 0; x < a.width(); ++x)
        if (a.pixel(x, ya) != b.pixel(x, yb))
            return false;
    return true;
}

bool blankRow(const QImage &a, int y, QRgb background)
{
    for (int x = 0; x < a.width(); ++x)
        if (a.pixel(x, y) != background)
            return false;
    return true;
}

TEST(VerticallyCenteredTextFieldCell, ALineFourteenHighStartsThirteenDownInAFieldFortyHigh)
{
    // A font whose line is 14 pixels high.
    QFont font;
    for (int px = 6; px <= 30 && QFontMetrics(font).height() != 14; ++px)
        font.setPixelSize(px);
    ASSERT_EQ(QFontMetrics(font).height(), 14);

    for (const Qt::Alignment vertical : {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom}) {
        const QImage line = drawn(vertical, font, 14), field = drawn(vertical, font, 40);
        const QRgb background = field.pixel(field.width() - 1, 0);
        int ink = 0;
        for (int y = 0; y < line.height(); ++y)
            ink += !blankRow(line, y, background);
        ASSERT_GT(ink, 5) << "the line itself is drawn, alignment " << int(vertical);
        for (int y = 0; y < field.height(); ++y) {
            const bool inLine = y >= 13 && y < 27;
            EXPECT_TRUE(inLine ? sameRow(field, y, line, y - 13) : blankRow(field, y, background))
                << "row " << y << ", alignment " << int(vertical);
        }
    }
}

}  // namespace
