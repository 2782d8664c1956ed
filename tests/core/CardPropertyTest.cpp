// Card properties: defaults, copies and the keyed archive.
#include "core/Card_Property.h"

#include "platform/Plist.h"

#include <gtest/gtest.h>

namespace {

TEST(CardProperty, Defaults)
{
    const Card_Property p;
    EXPECT_EQ(p.Card_Side(), "2");
    EXPECT_EQ(p.Card_Side_Name(), "F");
    EXPECT_EQ(p.Card_Shape(), "R");
    EXPECT_EQ(p.Card_Name(), "Untitled");
    EXPECT_EQ(p.Card_BG_Image_Layout(), "Stretch");
    EXPECT_EQ(p.Card_Sub_Category(), "CR80-Credit Card Size");
    EXPECT_EQ(p.Watermark_Transp(), 1.0f);
    EXPECT_EQ(p.Watermark_Text(), "Watermark");
    EXPECT_EQ(p.Card_alpha_Stepper(), 100.0f);
    EXPECT_EQ(p.Card_bor_Stepper(), 1);
    EXPECT_EQ(p.Card_Size(), QSizeF(0, 0));
    EXPECT_EQ(p.Card_Content_font().pointSize(), 12);
    EXPECT_FALSE(p.Card_fill_chk());
}

TEST(CardProperty, CopyIsIndependent)
{
    Card_Property source;
    source.setCard_bordr_clr(Qt::red);
    const auto copy = source.copyWithZone();
    copy->setCard_bordr_clr(Qt::blue);
    EXPECT_EQ(source.Card_bordr_clr(), QColor(Qt::red));
    EXPECT_EQ(copy->Card_bordr_clr(), QColor(Qt::blue));
}

TEST(CardProperty, ArchiveRoundTripsThroughAPropertyList)
{
    Card_Property p;
    p.setCard_border_chk(true);
    p.setCard_bor_Stepper(3);
    p.setCard_grad_Stepper(45);
    p.setCard_alpha_Stepper(0.25f);
    p.setCard_fill_Grd_2_clr(QColor(12, 34, 56, 78));
    p.setCard_fill_style(QStringLiteral("I"));
    p.setCard_hatch_style(QStringLiteral("Dots"));
    p.setCard_Shape(QStringLiteral("RR"));
    p.setCard_Size(QSizeF(243, 154));
    p.setCard_Location(QPointF(4, 5));
    p.setWatermark_Used(true);
    p.setWatermark_Alignment(2);
    p.setWatermark_Transp(0.5f);
    QImage picture(3, 2, QImage::Format_ARGB32);
    picture.fill(QColor(1, 2, 3));
    picture.setPixelColor(2, 1, QColor(200, 100, 50));
    p.setCard_BG_Image(picture);

    const QVariantMap archive = p.encodeWithCoder();
    EXPECT_EQ(archive.size(), 35);
    bool ok = false;
    const QByteArray bytes = platform::plistSerialize(archive, platform::PlistFormat::Binary, &ok);
    ASSERT_TRUE(ok);
    const Card_Property back = Card_Property::initWithCoder(platform::plistParse(bytes).toMap());
    EXPECT_TRUE(back.Card_border_chk());
    EXPECT_EQ(back.Card_bor_Stepper(), 3);
    EXPECT_EQ(back.Card_grad_Stepper(), 45);
    EXPECT_EQ(back.Card_alpha_Stepper(), 0.25f);
    EXPECT_EQ(back.Card_fill_Grd_2_clr(), QColor(12, 34, 56, 78));
    EXPECT_EQ(back.Card_fill_style(), "I");
    EXPECT_EQ(back.Card_hatch_style(), "Dots");
    EXPECT_EQ(back.Card_Shape(), "RR");
    EXPECT_EQ(back.Card_Size(), QSizeF(243, 154));
    EXPECT_EQ(back.Card_Location(), QPointF(4, 5));
    EXPECT_TRUE(back.Watermark_Used());
    EXPECT_EQ(back.Watermark_Alignment(), 2);
    EXPECT_EQ(back.Watermark_Text(), "Watermark");
    EXPECT_EQ(back.Card_BG_Image().convertToFormat(QImage::Format_ARGB32), picture);
}

TEST(CardProperty, MissingOrForeignKeysGiveEmptyValuesNotDefaults)
{
    QVariantMap archive;
    archive.insert(QStringLiteral("Card_Name"), QStringLiteral("Badge"));
    archive.insert(QStringLiteral("Card_bordr_clr"), 17);          // wrong kind
    archive.insert(QStringLiteral("Card_BG_Image"), QByteArray("not a png"));
    archive.insert(QStringLiteral("Card_Size"), QStringLiteral("{garbage"));
    const Card_Property p = Card_Property::initWithCoder(archive);
    EXPECT_EQ(p.Card_Name(), "Badge");
    EXPECT_TRUE(p.Watermark_Text().isEmpty()) << "no watermark text, not \"Watermark\"";
    EXPECT_TRUE(p.Card_Side().isEmpty());
    EXPECT_FALSE(p.Card_bordr_clr().isValid());
    EXPECT_TRUE(p.Card_BG_Image().isNull());
    EXPECT_EQ(p.Watermark_Transp(), 0.0f);
    EXPECT_EQ(p.Card_bor_Stepper(), 0);
}

}  // namespace

#include "core/ArchiveValues.h"

namespace {

TEST(ArchiveValues, ColoursFontsAndPicturesComeBackExactly)
{
    const QColor colours[] = {QColor::fromRgbF(0.1234f, 0.5f, 0.98765f, 0.3333f), QColor(12, 34, 56, 78), Qt::white,
                              QColor::fromRgba64(1, 65534, 32767, 0)};
    for (const QColor &c : colours) {
        bool ok = false;
        const QByteArray bytes = platform::plistSerialize(QVariantMap{{"c", Archive_Color(c)}},
                                                          platform::PlistFormat::Xml, &ok);
        ASSERT_TRUE(ok);
        EXPECT_EQ(Unarchive_Color(platform::plistParse(bytes).toMap().value("c")).rgba64(), c.rgba64());
    }
    QFont font(QStringLiteral("Serif"));
    font.setPointSizeF(13.5);
    font.setBold(true);
    font.setItalic(true);
    const QFont back = Unarchive_Font(Archive_Font(font));
    EXPECT_EQ(back.pointSizeF(), 13.5);
    EXPECT_TRUE(back.bold());
    EXPECT_TRUE(back.italic());
}

TEST(ArchiveValues, ForeignValuesReadAsNone)
{
    const QVariant colourInputs[] = {QVariant(), QVariant(5), QVariantList{1, 2, 3},
                                     QVariantList{"a", "b", "c", "d"}, QVariant(QStringLiteral("1:0:0:1"))};
    for (const QVariant &v : colourInputs)
        EXPECT_FALSE(Unarchive_Color(v).isValid());
    EXPECT_EQ(Unarchive_Color(QVariantList{2.0, -1.0, 0.5, 1.0}).rgba64(), QColor::fromRgba64(65535, 0, 32768, 65535).rgba64())
        << "out-of-range channels are pinned";
    EXPECT_TRUE(Unarchive_Image(QByteArray("\x89PNG\r\n\x1a\n truncated")).isNull());
    EXPECT_TRUE(Unarchive_Image(QStringLiteral("png")).isNull());
    EXPECT_TRUE(Archive_Image(QImage()).isNull());
    EXPECT_FALSE(Archive_Color(QColor()).isValid());
}

}  // namespace
