// Card properties: copies and the keyed archive.
#include "DesignTestSupport.h"

#include "core/ArchiveValues.h"
#include "core/Card_Property.h"
#include "platform/Plist.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QVariant throughPlist(const QVariant &value, platform::PlistFormat format)
{
    bool ok = false;
    const QByteArray bytes = platform::plistSerialize(QVariantMap{{"v", value}}, format, &ok);
    EXPECT_TRUE(ok);
    return platform::plistParse(bytes).toMap().value("v");
}

TEST(CardProperty, ArchiveRoundTripsThroughAPropertyListAndCopiesAreIndependent)
{
    Card_Property p = designtest::storedCard(1);
    QImage picture(3, 2, QImage::Format_ARGB32);
    picture.fill(QColor(1, 2, 3));
    picture.setPixelColor(2, 1, QColor(200, 100, 50));
    p.setCard_BG_Image(picture);
    const QVariantMap archive = p.encodeWithCoder();
    EXPECT_EQ(archive.size(), 35);
    const Card_Property back =
        Card_Property::initWithCoder(throughPlist(archive, platform::PlistFormat::Binary).toMap());
    designtest::expectSameCard(p, back);
    EXPECT_EQ(back.Card_BG_Image().convertToFormat(QImage::Format_ARGB32), picture);

    const auto copy = p.copyWithZone();
    copy->setCard_bordr_clr(Qt::blue);
    EXPECT_NE(p.Card_bordr_clr(), QColor(Qt::blue));
}

TEST(CardProperty, MissingOrForeignKeysGiveEmptyValuesNotDefaults)
{
    const QVariantMap archive{{"Card_Name", QStringLiteral("Badge")},
                              {"Card_bordr_clr", 17},  // wrong kind
                              {"Card_BG_Image", QByteArray("not a png")},
                              {"Card_Size", QStringLiteral("{garbage")}};
    const Card_Property p = Card_Property::initWithCoder(archive);
    EXPECT_EQ(p.Card_Name(), "Badge");
    EXPECT_TRUE(p.Watermark_Text().isEmpty()) << "no watermark text, not \"Watermark\"";
    EXPECT_TRUE(p.Card_Side().isEmpty());
    EXPECT_FALSE(p.Card_bordr_clr().isValid());
    EXPECT_TRUE(p.Card_BG_Image().isNull());
    EXPECT_EQ(p.Watermark_Transp(), 0.0f);
    EXPECT_EQ(p.Card_bor_Stepper(), 0);
}

TEST(ArchiveValues, ColoursFontsAndPicturesComeBackExactly)
{
    for (const QColor &c : {QColor::fromRgbF(0.1234f, 0.5f, 0.98765f, 0.3333f), QColor(12, 34, 56, 78),
                            QColor(Qt::white), QColor::fromRgba64(1, 65534, 32767, 0)})
        EXPECT_EQ(Unarchive_Color(throughPlist(Archive_Color(c), platform::PlistFormat::Xml)).rgba64(),
                  c.rgba64());
    QFont font(QStringLiteral("Serif"));
    font.setPointSizeF(13.5);
    font.setBold(true);
    font.setItalic(true);
    const QFont back = Unarchive_Font(Archive_Font(font));
    EXPECT_EQ(std::tuple(back.pointSizeF(), back.bold(), back.italic()), std::tuple(13.5, true, true));
}

TEST(ArchiveValues, ForeignValuesReadAsNone)
{
    for (const QVariant &v : {QVariant(), QVariant(5), QVariant(QVariantList{1, 2, 3}),
                              QVariant(QVariantList{"a", "b", "c", "d"}), QVariant(u"1:0:0:1"_s)})
        EXPECT_FALSE(Unarchive_Color(v).isValid());
    EXPECT_EQ(Unarchive_Color(QVariantList{2.0, -1.0, 0.5, 1.0}).rgba64(),
              QColor::fromRgba64(65535, 0, 32768, 65535).rgba64()) << "out-of-range channels are pinned";
    EXPECT_TRUE(Unarchive_Image(QByteArray("\x89PNG\r\n\x1a\n truncated")).isNull());
    EXPECT_TRUE(Unarchive_Image(QStringLiteral("png")).isNull());
    EXPECT_TRUE(Archive_Image(QImage()).isNull());
    EXPECT_FALSE(Archive_Color(QColor()).isValid());
}

}  // namespace
