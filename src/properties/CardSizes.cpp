#include "properties/CardSizes.h"

#include <array>

namespace {

struct PresetSize {
    float first;
    float second;
};

const std::array<PresetSize, 7> kPvcSizes{{
    {3.37f, 2.13f}, {3.31f, 2.06f}, {3.62f, 2.38f}, {3.88f, 2.62f}, {3.50f, 1.75f}, {3.25f, 2.34f}, {2.88f, 2.12f},
}};
const std::array<PresetSize, 8> kPaperSizes{{
    {3.94f, 4.09f}, {2.36f, 1.58f}, {2.95f, 1.58f}, {2.95f, 1.58f},
    {3.54f, 2.13f}, {3.54f, 2.36f}, {2.36f, 3.54f}, {5.91f, 4.96f},
}};

}  // namespace

const QStringList &pvc_card_names()
{
    static const QStringList names{
        QStringLiteral("CR80-Credit Card Size"), QStringLiteral("CR79"), QStringLiteral("CR90-Over Sized"),
        QStringLiteral("CR100-Military Size"), QStringLiteral("CR50"), QStringLiteral("CR60"), QStringLiteral("CR70"),
    };
    return names;
}

const QStringList &paper_card_names()
{
    static const QStringList names{
        QStringLiteral("Durable 1458 - Name Badge"), QStringLiteral("Durable 1452 - Name Badge"),
        QStringLiteral("Durable 1453 - Name Badge"), QStringLiteral("Durable 1454 - Name Badge"),
        QStringLiteral("Durable 1455 - Name Badge"), QStringLiteral("Durable 1456 - Name Badge"),
        QStringLiteral("Durable 1457 - Name Badge"), QStringLiteral("Durable 1459 - Name Badge"),
    };
    return names;
}

QSizeF Get_My_card_Size(const QString &category, const QString &orientation, int list_index)
{
    const bool pvc = category == QStringLiteral("PVC Card");
    const int count = pvc ? int(kPvcSizes.size()) : int(kPaperSizes.size());
    if (Bounded_List_Row(list_index, count) < 0)
        return {30, 30};
    const PresetSize s = pvc ? kPvcSizes[size_t(list_index)] : kPaperSizes[size_t(list_index)];
    const float first = s.first * 25.4f;
    const float second = s.second * 25.4f;
    if (orientation == QStringLiteral("V"))
        return {second, first};
    return {first, second};
}

float Get_Unit_Convertor(int from, int into)
{
    static const float table[3][3] = {
        {1.0f, 2.54f, 25.4f},
        {0.39370078f, 1.0f, 10.0f},
        {0.03937008f, 0.1f, 1.0f},
    };
    if (from < 0 || from > 2 || into < 0 || into > 2)
        return 1.0f;
    return table[from][into];
}

QSizeF Card_Size_In_Points(double width, double height, int unit)
{
    const double toMM = Get_Unit_Convertor(unit, 2);
    constexpr double kPointsPerMM = 2.834645669291;
    return {float(width * toMM * kPointsPerMM), float(height * toMM * kPointsPerMM)};
}

int Bounded_List_Row(int row, int count) { return row >= 0 && row < count ? row : -1; }

QString Card_Shape_Code(int shape)
{
    return shape == 0 ? QStringLiteral("R") : shape == 1 ? QStringLiteral("RR") : QStringLiteral("E");
}
