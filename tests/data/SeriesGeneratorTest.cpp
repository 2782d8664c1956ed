// The generator's values, its refusals and its field rules.
#include "data/SeriesGenerator.h"

#include <QRandomGenerator>
#include <QStringList>
#include <gtest/gtest.h>
#include <set>

namespace {
QStringList generate(const SeriesGenInput &in)
{
    QStringList out;
    Generate_Series_Values(in, [&](const QString &v) { out.append(v); });
    return out;
}

SeriesGenInput sequential(const char *from, const char *to, bool pad, const char *prefix = "", const char *suffix = "")
{
    SeriesGenInput in;
    in.from = from;
    in.to = to;
    in.padDigits = pad;
    in.prefix = prefix;
    in.suffix = suffix;
    return in;
}
}  // namespace

TEST(SeriesGenerator, SequentialAndConstantValues)
{
    SeriesGenInput constant;
    constant.mode = SeriesGenMode::Constant;
    constant.value = " x ";
    constant.count = "3";
    SeriesGenInput capped = constant;
    capped.count = "123456";
    const struct {
        SeriesGenInput in;
        qsizetype count;
        const char *first, *last;
    } cases[] = {
        {sequential("1", "200", true), 200, "001", "200"},
        {sequential("0", "200", true), 201, "000", "200"},
        {sequential("1", "1000", true), 1000, "0001", "1000"},
        {sequential("007", "12", true), 6, "007", "012"},
        {sequential("001", "00200", true), 200, "00001", "00200"},
        {sequential("1", "200", false), 200, "1", "200"},
        {sequential("8", "11", false, "A-", "/X"), 4, "A-8/X", "A-11/X"},
        {sequential("-2", "1", false), 4, "-2", "1"},
        {sequential("2147483645", "2147483647", false), 3, "2147483645", "2147483647"},
        {constant, 3, " x ", " x "},
        {capped, 10000, " x ", " x "},
    };
    for (const auto &c : cases) {
        const QStringList values = generate(c.in);
        ASSERT_EQ(values.size(), c.count) << c.in.from.toStdString() << ".." << c.in.to.toStdString();
        EXPECT_EQ(values.first(), c.first);
        EXPECT_EQ(values.last(), c.last);
    }
}

TEST(SeriesGenerator, RefusedInputsNameTheirField)
{
    SeriesGenInput noValue;
    noValue.mode = SeriesGenMode::Constant;
    SeriesGenInput noLength;
    noLength.mode = SeriesGenMode::Random;
    noLength.randLength = "";
    SeriesGenInput grouped = noValue, groupedRandom = noLength;  // a thousand written with a group mark
    grouped.value = "x";
    grouped.count = "1,000";
    SeriesGenInput fraction = grouped;  // a point is the decimal mark: one and a half is no count
    fraction.count = "1.500";
    groupedRandom.randLength = "4";
    groupedRandom.randCount = "1 000";
    const struct {
        SeriesGenInput in;
        const char *focus;  // empty: accepted
    } cases[] = {
        {sequential("", "5", false), "from_txt"},
        {sequential("1", "", false), "to_txt"},
        {sequential("5", "5", false), "from_txt"},
        {sequential("2147483648", "2147483649", false), "from_txt"},
        {sequential("1", "9999999999", false), "to_txt"},
        {sequential("-5", "5", true), "from_txt"},
        {sequential("-5", "5", false), ""},
        {sequential("0", "5", true), ""},
        {noValue, "value_txt"},
        {noLength, "rand_length_txt"},
        {sequential("1,000", "2000", false), "from_txt"},
        {sequential("1", "2'000", false), "to_txt"},
        {grouped, "count_txt"},
        {fraction, "count_txt"},
        {sequential("1.5", "20", false), "from_txt"},
        {groupedRandom, "rand_count_txt"},
    };
    for (const auto &c : cases) {
        const SeriesGenCheck check = Check_Series_Input(c.in);
        EXPECT_EQ(check.focus, c.focus) << c.in.from.toStdString() << ".." << c.in.to.toStdString();
        EXPECT_EQ(check.ok(), check.focus.isEmpty());
    }
}

TEST(SeriesGenerator, FieldRules)
{
    const struct {
        const char *typed;
        int chars, max;
        const char *shown, *left;  // while typing; once the field is left
    } counts[] = {{"123456", 5, 10000, "10000", "10000"}, {"000000", 5, 10000, "00000", "1"}, {"", 5, 10000, "", "1"},
                  {"-5", 5, 10000, "-5", "1"},           {"250", 5, 10000, "250", "250"},    {"12", 1, 9, "1", "1"},
                  {"0", 1, 9, "0", "1"},                 {"7", 1, 9, "7", "7"},              {"1.500", 5, 10000, "1.500", "1.500"}};
    for (const auto &c : counts) {
        EXPECT_EQ(Count_Field_Text(c.typed, c.chars, c.max), c.shown) << c.typed;
        EXPECT_EQ(Count_Field_Left_Text(c.typed, c.chars, c.max), c.left) << c.typed;
    }
    const struct {
        const char *typed, *shown;
    } numbers[] = {{"abc12 ", "12"}, {"+5", "5"}, {"-5", "-5"}, {"12345678901", "1234567890"}};
    for (const auto &c : numbers)
        EXPECT_EQ(Number_Field_Text(c.typed), c.shown) << c.typed;
}

TEST(SeriesGenerator, RandomValuesHaveExactlyTheirLength)
{
    QRandomGenerator rng(23);
    for (const int length : {1, 4, 9}) {
        SeriesGenInput in;
        in.mode = SeriesGenMode::Random;
        in.randLength = QString::number(length);
        in.randCount = "10000";
        in.randPrefix = "R";
        std::set<QString> seen;
        Generate_Series_Values(in, [&](const QString &v) {
            EXPECT_TRUE(v.startsWith('R'));
            EXPECT_EQ(v.size(), length + 1) << v.toStdString();
            EXPECT_NE(v.at(1), QLatin1Char('0')) << v.toStdString();
            seen.insert(v);
        }, &rng);
        if (length == 1) {
            EXPECT_EQ(seen.size(), 9u);  // every digit 1..9 drawn, never 0
        }
    }
}
