#include "core/ColorFontStrings.h"
#include "core/Globals.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QRandomGenerator>
#include <gtest/gtest.h>

TEST(ColourStrings, EveryEightBitChannelValueRoundTripsExactly)
{
    // (200, 30, 30) is the colour a one-decimal format once turned into (204, 25, 25).
    std::vector<QColor> samples{QColor(200, 30, 30)};
    for (int v = 0; v < 256; ++v)
        samples.insert(samples.end(), {QColor(v, 0, 0), QColor(0, v, 0), QColor(0, 0, v),
                                       QColor(255, 255, 255, v), QColor(v, 255 - v, v / 2, 255 - v)});
    QRandomGenerator rng(11);
    for (int i = 0; i < 20000; ++i)
        samples.push_back(QColor::fromRgba(rng.generate()));
    for (const QColor &c : samples)
        ASSERT_EQ(Convert_String_to_Color(Convert_Color_to_String(c)).rgba(), c.rgba())
            << Convert_Color_to_String(c).toStdString();
}

TEST(ColourStrings, DecodesTolerantly)
{
    const struct { const char *text; float r, g, b, a; } cases[] = {
        {"0.2:0.4:0.6:1.0", 0.2f, 0.4f, 0.6f, 1.0f},
        {"1.0:1.0:1.0", 1, 1, 1, 0},  // no alpha: transparent
        {"", 0, 0, 0, 0},
        {"abc:0.5x:  0.25:1", 0, 0.5f, 0.25f, 1},
        {"0.1:0.2:0.3:0.4:0.9:7", 0.1f, 0.2f, 0.3f, 0.4f},  // extra fields are skipped
        {"2:-1:0.5:1", 1, 0, 0.5f, 1},                        // out of range clamps
    };
    for (const auto &c : cases) {
        const QColor want = QColor::fromRgbF(c.r, c.g, c.b, c.a);
        EXPECT_EQ(Convert_String_to_Color(QLatin1String(c.text)).rgba(), want.rgba()) << c.text;
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
    for (const auto &[size, bold] : {std::pair(12.0, false), std::pair(9.5, true)}) {
        QFont font(family);
        font.setPointSizeF(size);
        font.setBold(bold);
        font.setItalic(bold);
        const QString text = Convert_Font_to_String(font);
        if (!bold) {
            EXPECT_EQ(text, family + QStringLiteral("::::12.00"));
        }
        const QFont back = Convert_String_to_Font(text);
        EXPECT_EQ(std::tuple(back.family(), back.pointSizeF(), back.bold(), back.italic()),
                  std::tuple(family, size, bold, bold));
    }
    DEFAULT_FONT = QFont(family);
    DEFAULT_FONT.setPointSizeF(13);
    // A family not installed here is drawn in the default one at its stored size and style.
    const struct {
        const char *text;
        double size;
        bool bold, italic;
    } unknown[] = {{"No Such Font::::8.50", 8.5, false, false}, {"Weird:Name-BoldItalic::::8.00", 8.0, true, true},
                   {"no colons", 13, false, false},          {"", 13, false, false},
                   {"::::", 13, false, false}};
    for (const auto &u : unknown) {
        const QFont f = Convert_String_to_Font(QString::fromLatin1(u.text));
        EXPECT_EQ(std::tuple(f.family(), f.pointSizeF(), f.bold(), f.italic()),
                  std::tuple(family, u.size, u.bold, u.italic))
            << u.text;
    }
    // A name with colons is split at the first four-colon run.
    EXPECT_EQ(Convert_String_to_Font(family + QStringLiteral("::::10.00::::3")).pointSizeF(), 10.0);

    // A font made without a family is stored under the family it is drawn with, and reads back
    // at its size (not as no font).
    QFont unnamed{QString()};
    unnamed.setPointSizeF(15);
    ASSERT_TRUE(unnamed.family().isEmpty());
    const QString stored = Convert_Font_to_String(unnamed);
    EXPECT_FALSE(stored.startsWith(QStringLiteral("::::"))) << stored.toStdString();
    const QFont back = Convert_String_to_Font(stored);
    EXPECT_EQ(back.family(), QFontInfo(unnamed).family());
    EXPECT_EQ(back.pointSizeF(), 15.0);
}
