#include "platform/BraceText.h"

#include <QList>
#include <gtest/gtest.h>

using namespace platform;

TEST(BraceText, WritesThePlatformForm)
{
    EXPECT_EQ(pointToText({10, 20.5}), QStringLiteral("{10, 20.5}"));
    EXPECT_EQ(sizeToText({243, 154}), QStringLiteral("{243, 154}"));
    EXPECT_EQ(rectToText({1.25, -2, 30, 0}), QStringLiteral("{{1.25, -2}, {30, 0}}"));
    EXPECT_EQ(pointToText({-0.0, 0.1}), QStringLiteral("{0, 0.1}"));
}

TEST(BraceText, RoundTripsExactly)
{
    const QList<QRectF> rects = {{0, 0, 0, 0}, {0.1, 0.2, 0.3, 0.7}, {-1e-9, 1e9, 243.0001, 154.123456789},
                                 {1.0 / 3, 2.0 / 3, 85.598, 54.102}};
    for (const QRectF &r : rects) {
        EXPECT_EQ(textToRect(rectToText(r)), r);
        EXPECT_EQ(textToPoint(pointToText(r.topLeft())), r.topLeft());
        EXPECT_EQ(textToSize(sizeToText(r.size())), r.size());
    }
}

TEST(BraceText, ReadsTolerantly)
{
    struct Case {
        QString text;
        QRectF want;
    } cases[] = {
        {QStringLiteral("{{1,2},{3,4}}"), {1, 2, 3, 4}},
        {QStringLiteral("  { { 1.5 , -2 } , { 3e1 , .5 } }  "), {1.5, -2, 30, 0.5}},
        {QStringLiteral("{{1, 2}, {3}}"), {1, 2, 3, 0}},
        {QStringLiteral(""), {0, 0, 0, 0}},
        {QStringLiteral("garbage"), {0, 0, 0, 0}},
        {QStringLiteral("{{nan, inf}, {1, 2}}"), {1, 2, 0, 0}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(textToRect(c.text), c.want) << c.text.toStdString();
    EXPECT_EQ(textToPoint(QStringLiteral("{7, 8}")), QPointF(7, 8));
    EXPECT_EQ(textToSize(QStringLiteral("{7}")), QSizeF(7, 0));
}
