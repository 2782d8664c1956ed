#include "core/ColorFontStrings.h"
#include "core/Globals.h"

#include <QFontDatabase>
#include <QRandomGenerator>
#include <gtest/gtest.h>

TEST(ColourStrings, EveryEightBitChannelValueRoundTripsExactly)
{
    for (int v = 0; v < 256; ++v) {
        const QColor samples[] = {QColor(v, 0, 0, 255), QColor(0, v, 0, 255), QColor(0, 0, v, 255),
                                  QColor(255, 255, 255, v), QColor(v, 255 - v, v / 2, 255 - v)};
        for (const QColor &c : samples) {
            const QColor back = Convert_String_to_Color(Convert_Color_to_String(c));
            EXPECT_EQ(back.rgba(), c.rgba()) << Convert_Color_to_String(c).toStdString();
        }
    }
    QRandomGenerator rng(11);
    for (int i = 0; i < 20000; ++i) {
        const QColor c = QColor::fromRgba(rng.generate());
        ASSERT_EQ(Convert_String_to_Color(Convert_Color_to_String(c)).rgba(), c.rgba());
    }
    // The colour that "%0.1f" used to turn into 204,25,25 now survives a save.
    EXPECT_EQ(Convert_String_to_Color(Convert_Color_to_String(QColor(200, 30, 30))).rgba(), QColor(200, 30, 30).rgba());
}

TEST(ColourStrings, DecodesTolerantly)
{
    struct Case {
        const char *text;
        float r, g, b, a;
    } cases[] = {
        {"0.2:0.4:0.6:1.0", 0.2f, 0.4f, 0.6f, 1.0f},
        {"1.0:0.0:0.0:1.0", 1, 0, 0, 1},
        {"1.0:1.0:1.0", 1, 1, 1, 0},  // no alpha: transparent
        {"", 0, 0, 0, 0},
        {"abc:0.5x:  0.25:1", 0, 0.5f, 0.25f, 1},
        {"0.1:0.2:0.3:0.4:0.9:7", 0.1f, 0.2f, 0.3f, 0.4f},  // extra fields are skipped
        {"2:-1:0.5:1", 1, 0, 0.5f, 1},                        // out of range clamps
    };
    for (const Case &c : cases) {
        const QColor col = Convert_String_to_Color(QString::fromLatin1(c.text));
        EXPECT_NEAR(col.redF(), c.r, 1e-3) << c.text;
        EXPECT_NEAR(col.greenF(), c.g, 1e-3) << c.text;
        EXPECT_NEAR(col.blueF(), c.b, 1e-3) << c.text;
        EXPECT_NEAR(col.alphaF(), c.a, 1e-3) << c.text;
    }
    EXPECT_EQ(Convert_Color_to_String(Convert_String_to_Color(QStringLiteral("0.2:0.4:0.6:1.0"))),
              QStringLiteral("0.200:0.400:0.600:1.000"));
    EXPECT_EQ(Convert_Color_to_String(QColor()), QStringLiteral("0.000:0.000:0.000:0.000"));
}

TEST(FontStrings, InstalledFontsRoundTripUnknownOnesFallBack)
{
    const QStringList families = QFontDatabase::families();
    ASSERT_FALSE(families.isEmpty()) << "no fonts installed";
    const QString family = families.contains(QStringLiteral("DejaVu Sans")) ? QStringLiteral("DejaVu Sans")
                                                                              : families.first();
    QFont font(family);
    font.setPointSizeF(12);
    const QString text = Convert_Font_to_String(font);
    EXPECT_EQ(text, family + QStringLiteral("::::12.00"));
    const QFont back = Convert_String_to_Font(text);
    EXPECT_EQ(back.family(), family);
    EXPECT_DOUBLE_EQ(back.pointSizeF(), 12.0);

    QFont bold(family);
    bold.setPointSizeF(9.5);
    bold.setBold(true);
    bold.setItalic(true);
    const QFont boldBack = Convert_String_to_Font(Convert_Font_to_String(bold));
    EXPECT_EQ(boldBack.family(), family);
    EXPECT_TRUE(boldBack.bold());
    EXPECT_TRUE(boldBack.italic());
    EXPECT_DOUBLE_EQ(boldBack.pointSizeF(), 9.5);

    DEFAULT_FONT = QFont(family);
    DEFAULT_FONT.setPointSizeF(13);
    for (const char *unknown : {"No Such Font Anywhere::::12.00", "Weird:Name::::8.00", "no separator", "", "::::"}) {
        const QFont f = Convert_String_to_Font(QString::fromLatin1(unknown));
        EXPECT_EQ(f, DEFAULT_FONT) << unknown;
    }
    // A name with colons is split at the first four-colon run.
    EXPECT_EQ(Convert_String_to_Font(family + QStringLiteral("::::10.00::::3")).pointSizeF(), 10.0);
}
