#include "core/Card_Property.h"

#include "core/ArchiveValues.h"
#include "core/ControlFields.h"
#include "core/Globals.h"
#include "platform/BraceText.h"
#include "platform/ValueBounds.h"

#include <tuple>

namespace {

QString textFrom(const QVariant &v) { return v.typeId() == QMetaType::QString ? v.toString() : QString(); }

}  // namespace

Card_Property::Card_Property()
{
    const QFont font(Text_Ctrl_Font, Text_Ctrl_Font_Size);
    m_Card_Content_font = font;
    m_Watermark_Font = font;
}

Card_Property::Card_Property(Raw) {}

QVariantMap Card_Property::encodeWithCoder() const
{
    QVariantMap a;
    a.insert(QStringLiteral("Card_border_chk"), m_Card_border_chk);
    a.insert(QStringLiteral("Card_fill_chk"), m_Card_fill_chk);
    a.insert(QStringLiteral("Card_bor_Stepper"), m_Card_bor_Stepper);
    a.insert(QStringLiteral("Card_grad_Stepper"), m_Card_grad_Stepper);
    a.insert(QStringLiteral("Card_Cat_index"), m_Card_Cat_index);
    a.insert(QStringLiteral("Card_alpha_Stepper"), double(m_Card_alpha_Stepper));
    a.insert(QStringLiteral("Card_bordr_clr"), Archive_Color(m_Card_bordr_clr));
    a.insert(QStringLiteral("Card_fill_clr"), Archive_Color(m_Card_fill_clr));
    a.insert(QStringLiteral("Card_fill_Grd_1_clr"), Archive_Color(m_Card_fill_Grd_1_clr));
    a.insert(QStringLiteral("Card_fill_Grd_2_clr"), Archive_Color(m_Card_fill_Grd_2_clr));
    a.insert(QStringLiteral("Card_hatch_bk_clr"), Archive_Color(m_Card_hatch_bk_clr));
    a.insert(QStringLiteral("Card_border_style"), m_Card_border_style);
    a.insert(QStringLiteral("Card_fill_style"), m_Card_fill_style);
    a.insert(QStringLiteral("Card_hatch_style"), m_Card_hatch_style);
    a.insert(QStringLiteral("Card_Side"), m_Card_Side);
    a.insert(QStringLiteral("Card_Side_Name"), m_Card_Side_Name);
    a.insert(QStringLiteral("Card_Shape"), m_Card_Shape);
    a.insert(QStringLiteral("Card_Name"), m_Card_Name);
    a.insert(QStringLiteral("Card_Preset"), m_Card_Preset);
    a.insert(QStringLiteral("Card_Category"), m_Card_Category);
    a.insert(QStringLiteral("Card_Sub_Category"), m_Card_Sub_Category);
    a.insert(QStringLiteral("Card_Create_Mode"), m_Card_Create_Mode);
    a.insert(QStringLiteral("Card_BG_Image_Path"), m_Card_BG_Image_Path);
    a.insert(QStringLiteral("Card_BG_Image_Layout"), m_Card_BG_Image_Layout);
    a.insert(QStringLiteral("Card_BG_Image"), Archive_Image(m_Card_BG_Image));
    a.insert(QStringLiteral("Card_Location"), platform::pointToText(m_Card_Location));
    a.insert(QStringLiteral("Card_Size"), platform::sizeToText(m_Card_Size));
    a.insert(QStringLiteral("Card_Content_clr"), Archive_Color(m_Card_Content_clr));
    a.insert(QStringLiteral("Card_Content_font"), Archive_Font(m_Card_Content_font));
    a.insert(QStringLiteral("Watermark_Used"), m_Watermark_Used);
    a.insert(QStringLiteral("Watermark_Alignment"), m_Watermark_Alignment);
    a.insert(QStringLiteral("Watermark_Transp"), double(m_Watermark_Transp));
    a.insert(QStringLiteral("Watermark_Text"), m_Watermark_Text);
    a.insert(QStringLiteral("Watermark_Color"), Archive_Color(m_Watermark_Color));
    a.insert(QStringLiteral("Watermark_Font"), Archive_Font(m_Watermark_Font));
    // A plist cannot carry empty values: leave out what is not there.
    for (auto it = a.begin(); it != a.end();) {
        if (!it->isValid())
            it = a.erase(it);
        else
            ++it;
    }
    return a;
}

Card_Property Card_Property::initWithCoder(const QVariantMap &a)
{
    auto v = [&a](const char *key) { return a.value(QLatin1String(key)); };
    Card_Property p{Raw{}};
    p.m_Card_border_chk = v("Card_border_chk").toBool();
    p.m_Card_fill_chk = v("Card_fill_chk").toBool();
    p.m_Card_bor_Stepper = v("Card_bor_Stepper").toInt();
    p.m_Card_grad_Stepper = v("Card_grad_Stepper").toInt();
    p.m_Card_Cat_index = v("Card_Cat_index").toInt();
    p.m_Card_alpha_Stepper = v("Card_alpha_Stepper").toFloat();
    p.m_Card_bordr_clr = Unarchive_Color(v("Card_bordr_clr"));
    p.m_Card_fill_clr = Unarchive_Color(v("Card_fill_clr"));
    p.m_Card_fill_Grd_1_clr = Unarchive_Color(v("Card_fill_Grd_1_clr"));
    p.m_Card_fill_Grd_2_clr = Unarchive_Color(v("Card_fill_Grd_2_clr"));
    p.m_Card_hatch_bk_clr = Unarchive_Color(v("Card_hatch_bk_clr"));
    p.m_Card_border_style = textFrom(v("Card_border_style"));
    p.m_Card_fill_style = textFrom(v("Card_fill_style"));
    p.m_Card_hatch_style = textFrom(v("Card_hatch_style"));
    p.m_Card_Side = textFrom(v("Card_Side"));
    p.m_Card_Side_Name = textFrom(v("Card_Side_Name"));
    p.m_Card_Shape = textFrom(v("Card_Shape"));
    p.m_Card_Name = textFrom(v("Card_Name"));
    p.m_Card_Preset = textFrom(v("Card_Preset"));
    p.m_Card_Category = textFrom(v("Card_Category"));
    p.m_Card_Sub_Category = textFrom(v("Card_Sub_Category"));
    p.m_Card_Create_Mode = textFrom(v("Card_Create_Mode"));
    p.m_Card_BG_Image_Path = textFrom(v("Card_BG_Image_Path"));
    p.m_Card_BG_Image_Layout = textFrom(v("Card_BG_Image_Layout"));
    p.m_Card_BG_Image = Unarchive_Image(v("Card_BG_Image"));
    p.m_Card_Location = platform::textToPoint(textFrom(v("Card_Location")));
    p.m_Card_Size = platform::textToSize(textFrom(v("Card_Size")));
    p.m_Card_Content_clr = Unarchive_Color(v("Card_Content_clr"));
    p.m_Card_Content_font = Unarchive_Font(v("Card_Content_font"));
    p.m_Watermark_Used = v("Watermark_Used").toBool();
    p.m_Watermark_Alignment = v("Watermark_Alignment").toInt();
    p.m_Watermark_Transp = v("Watermark_Transp").toFloat();
    p.m_Watermark_Text = textFrom(v("Watermark_Text"));
    p.m_Watermark_Color = Unarchive_Color(v("Watermark_Color"));
    p.m_Watermark_Font = Unarchive_Font(v("Watermark_Font"));
    p.Bound_Stored_Values();
    return p;
}

void Card_Property::Bound_Stored_Values()
{
    m_Card_bor_Stepper = bounds::LineWidthPoints.toInt(m_Card_bor_Stepper);
    m_Card_grad_Stepper = bounds::RotationDegrees.toInt(m_Card_grad_Stepper);
    m_Card_Cat_index = bounds::Choice.toInt(m_Card_Cat_index);
    m_Watermark_Alignment = bounds::Choice.toInt(m_Watermark_Alignment);
    m_Card_alpha_Stepper = float(bounds::Opacity(m_Card_alpha_Stepper));
    m_Watermark_Transp = float(bounds::Opacity(m_Watermark_Transp));
    m_Card_Location = QPointF(bounds::CardPoints(m_Card_Location.x()), bounds::CardPoints(m_Card_Location.y()));
    m_Card_Size = QSizeF(bounds::CardSizePoints(m_Card_Size.width()), bounds::CardSizePoints(m_Card_Size.height()));
    Bound_Value(FieldKind::Font, m_Card_Content_font);
    Bound_Value(FieldKind::Font, m_Watermark_Font);
}

bool Same_Card_Look(const Card_Property &a, const Card_Property &b)
{
    // Only what is painted counts: the card tabs also write back the choices a side does not use
    // (the hatch of a plain fill), which change nothing a user sees.
    if (a.Card_Shape() != b.Card_Shape() || a.Card_border_chk() != b.Card_border_chk() ||
        a.Card_fill_chk() != b.Card_fill_chk() || a.Watermark_Used() != b.Watermark_Used())
        return false;
    if (a.Card_border_chk() && std::tie(a.Card_bordr_clr(), a.Card_bor_Stepper(), a.Card_border_style()) !=
                                   std::tie(b.Card_bordr_clr(), b.Card_bor_Stepper(), b.Card_border_style()))
        return false;
    if (a.Watermark_Used() &&
        std::tie(a.Watermark_Text(), a.Watermark_Color(), a.Watermark_Font(), a.Watermark_Alignment(), a.Watermark_Transp()) !=
            std::tie(b.Watermark_Text(), b.Watermark_Color(), b.Watermark_Font(), b.Watermark_Alignment(), b.Watermark_Transp()))
        return false;
    if (!a.Card_fill_chk())
        return true;
    const QString &style = a.Card_fill_style();
    if (style != b.Card_fill_style())
        return false;
    if (style == QLatin1String("G"))
        return std::tie(a.Card_fill_Grd_1_clr(), a.Card_fill_Grd_2_clr(), a.Card_grad_Stepper()) ==
               std::tie(b.Card_fill_Grd_1_clr(), b.Card_fill_Grd_2_clr(), b.Card_grad_Stepper());
    if (style == QLatin1String("H"))
        return std::tie(a.Card_hatch_bk_clr(), a.Card_hatch_style()) == std::tie(b.Card_hatch_bk_clr(), b.Card_hatch_style());
    if (style == QLatin1String("I"))  // the picture last: comparing pixels costs the most
        return std::tie(a.Card_BG_Image_Layout(), a.Card_alpha_Stepper()) == std::tie(b.Card_BG_Image_Layout(), b.Card_alpha_Stepper()) &&
               a.Card_BG_Image() == b.Card_BG_Image();
    return a.Card_fill_clr() == b.Card_fill_clr();
}
