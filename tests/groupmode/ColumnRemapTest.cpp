#include "groupmode/GroupList.h"
#include "groupmode/Update_XL_Column.h"

#include <gtest/gtest.h>

using groupmode::DesignGroupData;

namespace {
// Columns: 1 Name, 2 Title, 3 Room (empty in the first row).
DesignData project()
{
    DesignData d;
    d.columnTitles = QStringList{"No.", "Name", "Title", "Room"};
    d.excelColumns = {1, 2, -1, -1, -1, -1, -1, -1, -1, -1, 3, -1};
    d.tableRows.append(QVariantMap{{"Extension", "1"}, {"Column1", "Anna"}, {"Column2", "Boss"}, {"Column3", ""}});
    d.tableRows.append(QVariantMap{{"Extension", "2"}, {"Column1", "Ben"}, {"Column2", "Chief"}, {"Column3", "R2"}});
    return d;
}

ColumnRemap remap(std::array<int, 12> combos, const QString &nameText = "Name")
{
    ColumnRemap r;
    r.combos = combos;
    r.nameText = nameText;
    return r;
}
}  // namespace

// What OK writes: the twelve bindings (None as -1), the custom entries of the side, and
// whether the list must follow a new name column; a refused OK writes nothing.
TEST(ColumnRemap, OkWritesBindingsAndCustomEntries)
{
    const std::array<int, 12> noneButName{1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    const struct {
        const char *name;
        ColumnRemap remap;
        QString refusal;
        std::array<int, 12> bindings;
        bool nameChanged;
    } cases[] = {
        {"every column None but the name", remap(noneButName), "", {1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1}, false},
        {"no choice counts as None", remap({1, -1, 2, 0, 0, 0, 0, 0, 0, 0, -1, 3}), "",
         {1, -1, 2, -1, -1, -1, -1, -1, -1, -1, -1, 3}, false},
        {"a new name column", remap({2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, "Title"), "",
         {2, 1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1}, true},
        {"name None is refused", remap({0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, "None"),
         "Default column should not be 'None'.", {1, 2, -1, -1, -1, -1, -1, -1, -1, -1, 3, -1}, false},
        {"a blank name column is refused", remap({3, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, "  "),
         "Default column should not be 'None'.", {1, 2, -1, -1, -1, -1, -1, -1, -1, -1, 3, -1}, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        DesignData d = project();
        DesignGroupData data(d);
        std::vector<DynamicControlRow> list;
        bool nameChanged = !c.nameChanged;
        EXPECT_EQ(Apply_Column_Remap(c.remap, data, list, &nameChanged), c.refusal);
        EXPECT_EQ(d.excelColumns, c.bindings);
        if (c.refusal.isEmpty()) {
            EXPECT_EQ(nameChanged, c.nameChanged);
        }
        if (c.nameChanged) {
            EXPECT_EQ(groupmode::GroupList(data).entries().join(" / "), "1 - Boss / 2 - Chief");
        }
    }
}

TEST(ColumnRemap, CustomFieldsTakeTheirColumnAndFirstValue)
{
    DesignData d = project();
    DesignGroupData data(d);
    std::vector<DynamicControlRow> list{{"F_field1", "typed", "Y", "-1", "T"},
                                        {"F_field2", "old", "Y", "2", "T"},
                                        {"F_Photo3", "", "N", "-1", "P"},
                                        {"F_field4", "keep", "Y", "1", "T"}};
    ColumnRemap r = remap({1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    r.custom = {{"F_field1", 2, true}, {"F_field2", 0, false}, {"F_Photo3", 3, true}, {"F_field4", -1, false},
                {"F_field9", 1, true}};
    ASSERT_EQ(Apply_Column_Remap(r, data, list), "");
    const std::vector<DynamicControlRow> expected{{"F_field1", "Boss", "Y", "2", "T"},
                                                  {"F_field2", "old", "N", "-1", "T"},
                                                  {"F_Photo3", " ", "Y", "3", "P"},  // an empty first cell
                                                  {"F_field4", "keep", "Y", "1", "T"}};  // no choice: skipped
    EXPECT_EQ(list, expected);
}
