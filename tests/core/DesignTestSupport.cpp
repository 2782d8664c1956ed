#include "DesignTestSupport.h"

#include "ArchiveTestSupport.h"
#include "core/DesignFile.h"
#include "TestSupport.h"

#include <QFile>
#include <gtest/gtest.h>

namespace designtest {

namespace {

QFont font(int n)
{
    static const char *const families[] = {"DejaVu Sans", "DejaVu Serif", "DejaVu Sans Mono"};
    const QString family = QString::fromLatin1(families[n % 3]);
    testsupport::requireFont(family);  // a substitute would not come back by its name
    QFont f(family);
    f.setPointSizeF(7.5 + n % 8);
    f.setBold(n % 2 == 1);
    return f;
}

QColor colour(int s, int n)
{
    return QColor((s * 37 + n * 50) % 256, (s * 11 + n * 90) % 256, (n * 70) % 256, 255 - (n * 20) % 200);
}

// A value of the field's meaning for seed s at table position n.
template <class T>
void give(T &v, const ControlField &f, int s, int n)
{
    const int k = s + n;
    if constexpr (std::is_same_v<T, QRectF>) {
        v = QRectF(10.5 + s, 20.25 + s, 30.5 + s, 40.75);
    } else if constexpr (std::is_same_v<T, bool>) {
        v = k % 2 == 0;
    } else if constexpr (std::is_same_v<T, int>) {
        switch (f.kind) {
        case FieldKind::Flag: v = 1; break;
        case FieldKind::Angle: v = 90 * (1 + k % 3); break;
        case FieldKind::Count: v = 3 + k % 6; break;
        case FieldKind::Column: v = 3 + k % 9; break;
        default: v = k % 3; break;  // a choice, zero among them
        }
    } else if constexpr (std::is_same_v<T, float> || std::is_same_v<T, double>) {
        switch (f.kind) {
        case FieldKind::Angle: v = T(45.25 + k % 90); break;
        case FieldKind::Percent: v = T(20.5 + k % 60); break;
        case FieldKind::Opacity: v = T(0.25 * (1 + k % 3)); break;
        case FieldKind::Adjustment: v = T(0.25 * (1 + k % 7)); break;
        default: v = T(1.25 + 0.5 * (k % 20)); break;
        }
    } else if constexpr (std::is_same_v<T, QString>) {
        if (f.kind == FieldKind::Path)
            v = QStringLiteral("/nowhere/photo %1.png").arg(s);
        else if (f.kind == FieldKind::Code)
            v = QString(QChar(u'A' + k % 26)) + QChar(u'a' + n % 26);
        else
            v = QStringLiteral("%1 %2 <&> \"é\"\nline two").arg(QLatin1String(f.name)).arg(s);
    } else if constexpr (std::is_same_v<T, QColor>) {
        v = colour(s, n);
    } else if constexpr (std::is_same_v<T, QFont>) {
        v = font(k);
    } else if constexpr (std::is_same_v<T, QImage>) {
        v = archivetest::patternImage(8 + k % 8, 6);
        v.setDotsPerMeterX(11811);  // 300 dpi
        v.setDotsPerMeterY(11811);
    } else if constexpr (std::is_same_v<T, std::optional<SKTTextStorage>>) {
        v = SKTTextStorage{QStringLiteral("Grüße, 名前 %1").arg(s), font(k), colour(s, 99)};
    }
}

template <class T>
void expectSame(const T &e, const T &a, const char *name)
{
    if constexpr (std::is_same_v<T, QColor>) {
        EXPECT_EQ(e.rgba(), a.rgba()) << name;
    } else if constexpr (std::is_same_v<T, QFont>) {
        EXPECT_EQ(e.family(), a.family()) << name;
        EXPECT_DOUBLE_EQ(e.pointSizeF(), a.pointSizeF()) << name;
        EXPECT_EQ(e.bold(), a.bold()) << name;
    } else if constexpr (std::is_same_v<T, QImage>) {
        EXPECT_TRUE(archivetest::samePixels(e, a)) << name;
        EXPECT_EQ(e.dotsPerMeterX(), a.dotsPerMeterX()) << name;
    } else if constexpr (std::is_same_v<T, std::optional<SKTTextStorage>>) {
        ASSERT_EQ(e.has_value(), a.has_value()) << name;
        if (e) {
            EXPECT_EQ(e->string, a->string) << name;
            expectSame(e->font, a->font, name);
            expectSame(e->foregroundColor, a->foregroundColor, name);
        }
    } else {
        EXPECT_EQ(e, a) << name;
    }
}

}  // namespace

std::shared_ptr<SKTGraphic> storedControl(SKTGraphicKind kind, int seed)
{
    std::shared_ptr<SKTGraphic> g = Make_Graphic_Of_Kind(kind);
    int n = 0;
    for (const ControlField &f : Control_Fields(kind)) {
        if (f.use & Stored)
            With_Field(*g, f.member, [&](auto &value) { give(value, f, seed, n); });
        ++n;
    }
    return g;
}

void expectSameFields(const SKTGraphic &expected, const SKTGraphic &actual, FieldUse use)
{
    ASSERT_EQ(expected.kind(), actual.kind());
    for (const ControlField &f : Control_Fields(expected.kind())) {
        if (!f.has(use))
            continue;
        With_Field(expected, f.member, [&](const auto &e) {
            With_Field(actual, f.member, [&](const auto &a) {
                if constexpr (std::is_same_v<decltype(e), decltype(a)>)
                    expectSame(e, a, f.name);
            });
        });
    }
}

Card_Property storedCard(int seed)
{
    Card_Property c;
    c.setCard_border_chk(true);
    c.setCard_bordr_clr(colour(seed, 1));
    c.setCard_bor_Stepper(3 + seed);
    c.setCard_border_style(QStringLiteral("D2"));
    c.setCard_fill_chk(true);
    c.setCard_fill_style(QStringLiteral("I"));
    c.setCard_fill_clr(colour(seed, 2));
    c.setCard_fill_Grd_1_clr(colour(seed, 3));
    c.setCard_fill_Grd_2_clr(colour(seed, 4));
    c.setCard_grad_Stepper(7);
    c.setCard_hatch_style(QStringLiteral("Cross"));
    c.setCard_hatch_bk_clr(colour(seed, 5));
    c.setCard_alpha_Stepper(0.65f);
    c.setCard_Side(QStringLiteral("2"));
    c.setCard_Side_Name(seed == 0 ? QStringLiteral("F") : QStringLiteral("B"));
    c.setCard_Shape(QStringLiteral("RR"));
    c.setCard_Name(QStringLiteral("Staff card %1").arg(seed));
    c.setCard_Location(QPointF(12.5, -3));
    c.setCard_Size(QSizeF(243 + seed, 154.5));
    c.setCard_Preset(QStringLiteral("Vertical"));
    c.setCard_Category(QStringLiteral("Badge"));
    c.setCard_Sub_Category(QStringLiteral("CR79"));
    c.setCard_Cat_index(2 + seed);
    c.setCard_Create_Mode(QStringLiteral("T"));
    c.setCard_BG_Image_Path(QStringLiteral("/nowhere/background %1.png").arg(seed));
    c.setCard_BG_Image_Layout(QStringLiteral("Tile"));
    c.setCard_Content_clr(colour(seed, 6));
    c.setCard_Content_font(font(seed));
    c.setWatermark_Used(true);
    c.setWatermark_Alignment(2);
    c.setWatermark_Transp(0.35f);
    c.setWatermark_Text(QStringLiteral("COPY %1").arg(seed));
    c.setWatermark_Color(colour(seed, 7));
    c.setWatermark_Font(font(seed + 1));
    return c;
}

void expectSameCard(const Card_Property &expected, const Card_Property &actual)
{
    auto block = [](const Card_Property &card) {
        DesignData d;
        d.front = card;
        return Design_To_Array(d, false).value_or(QVariantList()).mid(2, 34);
    };
    EXPECT_EQ(block(expected), block(actual));
}

DesignData fullDesign()
{
    DesignData d;
    d.modeLetter = QStringLiteral("L");
    d.front = storedCard(0);
    d.back = storedCard(1);
    d.Excel_Binding_Use = true;
    d.Excel_Source_Path = QStringLiteral("/home/someone/staff list.xlsx");
    d.columnTitles = {QStringLiteral("No"), QStringLiteral("Name"), QString(), QStringLiteral("Photo")};
    for (int r = 0; r < 3; ++r) {
        d.tableRows.append(QVariantMap{{QStringLiteral("Extension"), QString::number(r + 1)},
                                       {QStringLiteral("Column1"), QStringLiteral("Person %1").arg(r)},
                                       {QStringLiteral("Column2"), QString()},
                                       {QStringLiteral("Column3"), QStringLiteral("/photos/%1.jpg").arg(r)}});
    }
    for (int i = 0; i < 12; ++i)
        d.excelColumns[size_t(i)] = i % 3 == 0 ? -1 : i;
    int seed = 1;
    for (SKTGraphicKind kind : kAllKinds) {
        d.frontControls.push_back(storedControl(kind, seed++));
        d.backControls.push_back(storedControl(kind, seed++));
    }
    return d;
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace designtest
