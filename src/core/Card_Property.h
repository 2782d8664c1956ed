#pragma once
// The appearance and identity of one card side: size and preset, category, outline shape,
// background (border, fill of four kinds, opacity, picture and its layout), content font and
// colour, watermark. It only stores values; Card_Base_Drawing / Card_Border_Drawing paint them.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <QVariantMap>
#include <memory>

// A getter named like the field and a setter "set" + field name.
#define CARD_PROPERTY_FIELD(Type, Name)                                                                 \
public:                                                                                                 \
    const Type &Name() const { return m_##Name; }                                                       \
    void set##Name(const Type &value) { m_##Name = value; }                                             \
                                                                                                        \
private:                                                                                                \
    Type m_##Name

class Card_Property {
    CARD_PROPERTY_FIELD(bool, Card_border_chk) = false;
    CARD_PROPERTY_FIELD(bool, Card_fill_chk) = false;
    CARD_PROPERTY_FIELD(QColor, Card_bordr_clr) = Qt::black;
    CARD_PROPERTY_FIELD(QColor, Card_fill_clr) = Qt::white;
    CARD_PROPERTY_FIELD(QColor, Card_fill_Grd_1_clr) = Qt::white;
    CARD_PROPERTY_FIELD(QColor, Card_fill_Grd_2_clr) = Qt::white;
    CARD_PROPERTY_FIELD(QColor, Card_hatch_bk_clr) = Qt::white;
    CARD_PROPERTY_FIELD(int, Card_bor_Stepper) = 1;
    CARD_PROPERTY_FIELD(int, Card_grad_Stepper) = 0;
    CARD_PROPERTY_FIELD(int, Card_Cat_index) = 0;
    CARD_PROPERTY_FIELD(float, Card_alpha_Stepper) = 100;
    CARD_PROPERTY_FIELD(QString, Card_border_style) = QStringLiteral("S");
    CARD_PROPERTY_FIELD(QString, Card_fill_style) = QStringLiteral("S");
    CARD_PROPERTY_FIELD(QString, Card_hatch_style);
    CARD_PROPERTY_FIELD(QString, Card_Side) = QStringLiteral("2");
    CARD_PROPERTY_FIELD(QString, Card_Side_Name) = QStringLiteral("F");
    CARD_PROPERTY_FIELD(QString, Card_Shape) = QStringLiteral("R");
    CARD_PROPERTY_FIELD(QString, Card_Name) = QStringLiteral("Untitled");
    CARD_PROPERTY_FIELD(QString, Card_Preset) = QStringLiteral("Horizontal");
    CARD_PROPERTY_FIELD(QString, Card_Category) = QStringLiteral("PVC Card");
    CARD_PROPERTY_FIELD(QString, Card_Sub_Category) = QStringLiteral("CR80-Credit Card Size");
    CARD_PROPERTY_FIELD(QString, Card_Create_Mode) = QStringLiteral("W");
    CARD_PROPERTY_FIELD(QString, Card_BG_Image_Path);
    CARD_PROPERTY_FIELD(QString, Card_BG_Image_Layout) = QStringLiteral("Stretch");
    CARD_PROPERTY_FIELD(QImage, Card_BG_Image);
    CARD_PROPERTY_FIELD(QPointF, Card_Location);
    CARD_PROPERTY_FIELD(QSizeF, Card_Size) = QSizeF(0, 0);
    CARD_PROPERTY_FIELD(QColor, Card_Content_clr) = Qt::black;
    CARD_PROPERTY_FIELD(QFont, Card_Content_font);
    CARD_PROPERTY_FIELD(bool, Watermark_Used) = false;
    CARD_PROPERTY_FIELD(QString, Watermark_Text) = QStringLiteral("Watermark");
    CARD_PROPERTY_FIELD(QColor, Watermark_Color) = Qt::black;
    CARD_PROPERTY_FIELD(QFont, Watermark_Font);
    CARD_PROPERTY_FIELD(int, Watermark_Alignment) = 0;
    CARD_PROPERTY_FIELD(float, Watermark_Transp) = 1.0f;

public:
    // Every default; the fonts are Text_Ctrl_Font at Text_Ctrl_Font_Size.
    Card_Property();
    std::unique_ptr<Card_Property> copyWithZone() const { return std::make_unique<Card_Property>(*this); }

    // The keyed archive as a property-list dictionary: the 35 keys named like the fields.
    // Colours, fonts and the picture travel as ArchiveValues.h writes them, the point and the
    // size as brace texts.
    QVariantMap encodeWithCoder() const;
    // Reads the 35 keys; a missing or unreadable key gives zero, NO, an empty text or no object
    // (not the defaults of a new object).
    static Card_Property initWithCoder(const QVariantMap &archive);

    // Holds every number read from a file or an archive to the range of its kind: sizes and
    // places in points, the border width, the gradient angle, opacities, indexes and font sizes.
    void Bound_Stored_Values();

private:
    struct Raw {};
    explicit Card_Property(Raw);
};

#undef CARD_PROPERTY_FIELD

// Whether two sides look the same: outline, border, fill of the kind chosen, background picture and
// watermark. The card's name, size, preset and category are left out.
bool Same_Card_Look(const Card_Property &a, const Card_Property &b);
