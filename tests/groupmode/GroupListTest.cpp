#include "groupmode/GroupList.h"
#include "groupmode/GroupListWidget.h"

#include <QListWidget>

#include <functional>
#include <gtest/gtest.h>
using groupmode::GroupList;

namespace {
// Columns: 1 name, 2 front photo, 3 title.
DesignData sheet()
{
    DesignData d;
    d.columnTitles = QStringList{"", "Name", "Photo", "Title"};
    d.excelColumns[0] = 1, d.excelColumns[10] = 2, d.excelColumns[1] = 3;
    for (const QStringList &r : {QStringList{"1", "Anna", "a.png", "Boss"}, {"2", "Ben", "", "Text here"},
                                 {"3", "Cleo", "c.png", "Chief"}})
        d.tableRows.append(QVariantMap{{"Extension", r[0]}, {"Column1", r[1]}, {"Column2", r[2]}, {"Column3", r[3]}});
    return d;
}

// Each row as extension and cells.
QString rows(const DesignData &d)
{
    QString out;
    for (qsizetype i = 0; i < d.tableRows.size(); ++i)
        for (const char *key : {"Extension", "Column1", "Column2", "Column3"})
            out += d.tableRows.value(i, key) + (key[6] == '3' ? "|" : ",");
    return out;
}

groupmode::PanelValues panel(const QString &name, const QString &title, bool titleChecked, const QString &photo)
{
    groupmode::PanelValues p;
    return p.text = {name, title}, p.checked = {false, titleChecked}, p.photoPath = photo, p;
}
const QString deleted = "Record deleted successfully.";
}  // namespace

TEST(GroupList, ListsOneEntryPerRowAndPromptsOnlyForText)
{
    DesignData d = sheet();
    groupmode::DesignGroupData data(d);
    EXPECT_EQ(GroupList(data).entries().join(" / "), "1 - Anna / 2 - Ben / 3 - Cleo");
    const GroupList list(data);  // an empty or missing photo path stays empty; missing text prompts
    EXPECT_EQ(list.panelText(1, 2, true) + list.panelText(1, 7, true) + list.panelText(1, 7), "Text here");
    d.excelColumns[0] = 4;  // past the last data column
    EXPECT_TRUE(GroupList(data).entries().isEmpty());
}

// A user's edits in order, and the rows, current row and message each leaves.
TEST(GroupList, EditsKeepRowsNumberedAndPlaceholdersOut)
{
    DesignData d = sheet();
    groupmode::DesignGroupData data(d);
    GroupList list(data);
    const auto edit = [&](auto f) { return [&list, f] { f(); return QString(); }; };
    const auto remove = [&](int row) { return [&list, row] { list.select(row); return GroupList::message(list.remove()); }; };
    const struct {
        const char *step;
        std::function<QString()> act;
        QString message, rows;
        int selected;
    } steps[] = {
        {"delete without selection", remove(-1), "", "1,Anna,a.png,Boss|2,Ben,,Text here|3,Cleo,c.png,Chief|", -1},
        {"delete second", remove(1), deleted, "1,Anna,a.png,Boss|3,Cleo,c.png,Chief|", 0},
        {"add ignores check boxes", edit([&] { list.add(panel("Dan", "Lead", false, ""), false); }), "",
         "1,Anna,a.png,Boss|3,Cleo,c.png,Chief|4,Dan,,Lead|", 2},
        {"save honours them", edit([&] { list.select(0), list.store(panel("Zed", "Text here", true, "z.png"), false); }),
         "", "1,Anna,z.png,|3,Cleo,c.png,Chief|4,Dan,,Lead|", 0},
        {"back side keeps front photo", edit([&] { list.store(panel("", "Head", true, "b.png"), true); }), "",
         "1,Anna,z.png,Head|3,Cleo,c.png,Chief|4,Dan,,Lead|", 0},
        {"delete first", remove(0), deleted, "3,Cleo,c.png,Chief|4,Dan,,Lead|", 0},
        {"delete last", remove(1), deleted, "3,Cleo,c.png,Chief|", 0},
        {"only row refused", remove(0), "Unable to delete this record because project must have one record.",
         "3,Cleo,c.png,Chief|", 0},
    };
    for (const auto &s : steps) {
        SCOPED_TRACE(s.step);
        EXPECT_EQ(s.act(), s.message);
        EXPECT_EQ(rows(d), s.rows);
        EXPECT_EQ(list.selected(), s.selected);
    }
}

// What a store would leave in the current row, worked out without touching the table.
TEST(GroupList, ToStoreIsWhatStoreWrites)
{
    DesignData d = sheet();
    groupmode::DesignGroupData data(d);
    GroupList list(data);
    list.select(2);
    const groupmode::PanelValues p = panel("Cleo Ray", "Chief", false, "c2.png");
    const QVariantMap planned = list.toStore(p, false);
    EXPECT_EQ(rows(d), "1,Anna,a.png,Boss|2,Ben,,Text here|3,Cleo,c.png,Chief|");
    list.store(p, false);
    EXPECT_EQ(d.tableRows.row(2), planned);
    EXPECT_EQ(rows(d), "1,Anna,a.png,Boss|2,Ben,,Text here|3,Cleo,c2.png,Chief|");
}

// A person's selection leaving the row on show asks first: refused, the list stays on that row
// and nothing is laid on the card; allowed, the new row is laid. Rows the program selects (after
// an add, a save or a delete) are laid without asking.
TEST(GroupListWidget, LeavingTheRowOnShowAsksFirst)
{
    DesignData d = sheet();
    groupmode::DesignGroupData data(d);
    GroupList list(data);
    std::vector<int> laid;
    int asked = 0;
    bool allow = false;
    GroupListWidget::Hooks hooks;
    hooks.applyRow = [&](int row) { laid.push_back(row); };
    hooks.leaveRow = [&] { return ++asked, allow; };
    GroupListWidget widget(list, hooks);
    widget.selectRow(0);
    const struct {
        const char *step;
        bool allow;
        int to, shown, asked;
        std::vector<int> laid;
    } steps[] = {
        {"refused", false, 2, 0, 1, {0}},
        {"allowed", true, 2, 2, 2, {0, 2}},
        {"the same row again", false, 2, 2, 2, {0, 2}},
        {"refused again", false, 1, 2, 3, {0, 2}},
    };
    for (const auto &s : steps) {
        SCOPED_TRACE(s.step);
        allow = s.allow;
        widget.view()->setCurrentRow(s.to);
        EXPECT_EQ(widget.view()->currentRow(), s.shown);
        EXPECT_EQ(list.selected(), s.shown);
        EXPECT_EQ(asked, s.asked);
        EXPECT_EQ(laid, s.laid);
    }
}
