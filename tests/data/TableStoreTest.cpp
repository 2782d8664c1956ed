// The spreadsheet table keeps each row packed; every way in and out gives back the cells as they
// went in: absent keys stay absent, empty values stay empty, and edits touch only their cell.
#include "data/spreadsheet/Data_From_Excel.h"

#include <gtest/gtest.h>

namespace {
// A row as text: absent slots "~", others in brackets.
std::string show(const QStringList &row)
{
    std::string out;
    for (const QString &cell : row) {
        if (cell.isNull()) {
            out += '~';
            continue;
        }
        out += '[';
        out += cell.toStdString();
        out += ']';
    }
    return out;
}
}  // namespace

TEST(TableStore, RowsComeBackAsTheyWentIn)
{
    const QList<QStringList> rows = {
        {QStringLiteral("1"), QStringLiteral("Ann"), QString(), QStringLiteral("")},
        {QStringLiteral("2")},
        {QString(), QString(), QStringLiteral("only C")},
        {QStringLiteral("4"), QStringLiteral("Zoë ✓ 𝄞"), QStringLiteral(""), QStringLiteral("x")},
        {},
    };
    Data_From_Excel table;
    table.Set_Rows(rows);
    ASSERT_EQ(table.rowCount(), rows.size());
    const QList<QStringList> back = table.Rows();
    for (int r = 0; r < rows.size(); ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(show(table.Row(r)), show(rows[r]));
        EXPECT_EQ(show(back[r]), show(rows[r]));
        for (int k = 0; k < 5; ++k) {
            const std::optional<QString> cell = table.Get_Item_Text(r, k);
            const bool present = k < rows[r].size() && !rows[r][k].isNull();
            ASSERT_EQ(cell.has_value(), present) << k;
            if (present) {
                EXPECT_EQ(*cell, rows[r][k]);
            }
        }
    }
    EXPECT_EQ(table.Rows(2).size(), 2);
    EXPECT_TRUE(table.Row(9).isEmpty());
    EXPECT_EQ(table.Get_Item_Text(9, 0), QString());  // a row that does not exist reads empty
}

TEST(TableStore, EditsTouchOnlyTheirCell)
{
    const struct {
        int row;
        const char *key;
        const char *value;
        bool accepted;
        const char *after;  // row 0 then row 1
    } cases[] = {
        {0, "Column1", "Bea", true, "[1][Bea]~[b] [2][B]"},
        {0, "Column2", "", true, "[1][A][][b] [2][B]"},
        {1, "Column3", "far", true, "[1][A]~[b] [2][B]~[far]"},
        {0, "Extension", "9", true, "[9][A]~[b] [2][B]"},
        {2, "Column1", "none", false, "[1][A]~[b] [2][B]"},
        {0, "Other", "none", false, "[1][A]~[b] [2][B]"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.key);
        Data_From_Excel table;
        table.Set_Rows({{QStringLiteral("1"), QStringLiteral("A"), QString(), QStringLiteral("b")},
                        {QStringLiteral("2"), QStringLiteral("B")}});
        const Data_From_Excel::RowStore backup = table.Row_Store();
        EXPECT_EQ(table.setObjectValue(c.row, QString::fromLatin1(c.key), QString::fromUtf8(c.value)), c.accepted);
        EXPECT_EQ(show(table.Row(0)) + " " + show(table.Row(1)), c.after);
        table.Set_Row_Store(backup);  // a backup taken before is the table as it was
        EXPECT_EQ(show(table.Row(0)) + " " + show(table.Row(1)), "[1][A]~[b] [2][B]");
    }
}
