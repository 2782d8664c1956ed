// The series windows driven as a user drives them: generate a series, view it, edit a value,
// save it and open it again.
#include "core/Globals.h"
#include "data/SeriesFiles.h"
#include "data/SeriesGeneratorWindow.h"
#include "data/SeriesManagerWindow.h"
#include "data/SeriesViewer.h"
#include "data/SeriesWindow.h"
#include "platform/UiServices.h"
#include "Press.h"
#include "TestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QAbstractButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>
#include <map>

namespace {
template <typename W = QWidget>
W *child(QWidget &window, const char *name)
{
    auto *w = window.findChild<W *>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

// Radio buttons and check boxes take clicks on their box, at the left.
void click(QWidget &window, const char *name)
{
    auto *b = child<QAbstractButton>(window, name);
    const bool boxed = b->inherits("QRadioButton") || b->inherits("QCheckBox");
    QTest::mouseClick(b, Qt::LeftButton, {}, boxed ? QPoint(6, b->height() / 2) : b->rect().center());
}

void type(QWidget &window, const char *field, const QString &text)
{
    QLineEdit *edit = child<QLineEdit>(window, field);
    edit->clear();
    QTest::keyClicks(edit, text);
}

// Ctrl+V in the field, at its cursor.
void paste(QWidget &window, const char *field, const QString &text)
{
    QGuiApplication::clipboard()->setText(text);
    QTest::keyClick(child<QLineEdit>(window, field), Qt::Key_V, Qt::ControlModifier);
}

QStringList rows(QWidget &window, const char *table)
{
    QStringList out;
    auto *t = child<QTableWidget>(window, table);
    for (int r = 0; r < t->rowCount(); ++r)
        out.append(t->item(r, 0)->text());
    return out;
}

void doubleClickRow(QWidget &window, const char *table, int row)
{
    auto *t = child<QTableWidget>(window, table);
    t->selectRow(row);
    const QRect cell = t->visualItemRect(t->item(row, 0));
    // An item view takes a double click only after the press that starts it.
    QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(t->viewport(), Qt::LeftButton, {}, cell.center());
}

// Runs each window with the steps a test gave for it, by its name.
struct Script {
    std::map<QString, std::function<void(QDialog &)>> steps;
    SeriesModalRunner previous = Set_Series_Modal_Runner([this](QDialog &w) {
        w.show();
        const auto it = steps.find(w.objectName());
        EXPECT_NE(it, steps.end()) << w.objectName().toStdString();
        if (it != steps.end())
            it->second(w);
        return w.result();
    });
    ~Script() { Set_Series_Modal_Runner(previous); }
};
}  // namespace

TEST(SeriesWindows, GenerateViewEditSaveReopen)
{
    testsupport::TempDataFolder data;
    platform::ScopedScriptedUi ui;
    Script script;
    BatchWizard manager;
    Generate_List generator;
    View_Data_Series viewer;

    script.steps["Generate_List"] = [](QDialog &g) {
        type(g, "from_txt", "1");
        type(g, "to_txt", "12");
        click(g, "manage_digit_chk");
        type(g, "seq_file_name", "/Badges/");
        click(g, "OKPressed");
    };
    script.steps["View_Data_Series"] = [](QDialog &v) {
        EXPECT_EQ(child<QLabel>(v, "list_count")->text(), "Total Rows : 12");
        EXPECT_EQ(rows(v, "List").mid(0, 2), (QStringList{"01", "02"}));
        click(v, "OK_Btn_Clicked");
    };
    script.steps["Update_Value_Wnd"] = [](QDialog &e) {
        type(e, "m_ex_num_str", "   ");
        click(e, "OKPressed");  // refused: the editor stays
        type(e, "m_ex_num_str", " B-2");
        paste(e, "m_ex_num_str", "\nB-2a\r\n");  // a line break inside stays one value
        click(e, "OKPressed");
    };
    script.steps["Load_Number_Window"] = [](QDialog &p) { click(p, "NOPressed"); };
    script.steps["BatchWizard"] = [&](QDialog &m) {
        click(m, "CreateSeries_Btn_Clicked");
        EXPECT_EQ(rows(m, "List"), QStringList{"Badges"});
        EXPECT_EQ(child<QLabel>(m, "batch_list_count")->text(), "Total List : 1");
        viewer.file_name = "Badges";
        viewer.Open_Wnd();

        doubleClickRow(m, "List", 0);
        EXPECT_TRUE(child(m, "avl_list_box")->isHidden());
        EXPECT_EQ(child<QLineEdit>(m, "batch_list_name")->text(), "Badges");
        doubleClickRow(m, "List_value", 1);
        // Two more values appended from the generator in list mode.
        script.steps["Generate_List"] = [](QDialog &g) {
            click(g, "radioButton_Constant");
            type(g, "value_txt", " la");
            paste(g, "value_txt", "s\nt ");
            type(g, "count_txt", "123456");
            EXPECT_EQ(child<QLineEdit>(g, "count_txt")->text(), "10000");
            EXPECT_EQ(child<QSpinBox>(g, "count_stepper")->value(), 10000);
            for (const char *name : {"count_txt", "rand_count_txt"}) {  // its most digits show whole
                const QLineEdit *box = child<QLineEdit>(g, name);
                EXPECT_GE(box->contentsRect().width() - box->textMargins().left() - box->textMargins().right(),
                          box->fontMetrics().horizontalAdvance("10000") + 4) << name;
            }
            // A fraction stays as typed, for OK to refuse, not read as 15; emptied and typed anew,
            // the 2 is the count, not put after a "1" that filled the gap.
            auto *count = child<QLineEdit>(g, "count_txt");
            for (const auto &[typed, shown] : {std::pair{"1.5", "1.5"}, {"\b2", "2"}}) {
                QTest::keyClick(count, Qt::Key_A, Qt::ControlModifier);
                QTest::keyClicks(count, typed);
                EXPECT_EQ(count->text(), shown) << typed;
            }
            // Left empty, it is a count of 1, and its arrows say so too.
            QApplication::setActiveWindow(&g);  // Tab leaves a field of the active window only
            ASSERT_TRUE(QTest::qWaitForWindowActive(&g));
            testsupport::typeInto(count, "\b", Qt::Key_Tab);
            EXPECT_EQ(count->text(), "1");
            EXPECT_EQ(child<QSpinBox>(g, "count_stepper")->value(), 1);
            QTest::keyClicks(count, "\b2");
            EXPECT_TRUE(child(g, "const_file_name")->isHidden());
            click(g, "OKPressed");
        };
        click(m, "Series_Value_Btn_Clicked");
        EXPECT_EQ(child<QLabel>(m, "batch_value_count")->text(), "Total Rows : 14");
        click(m, "Save_Btn_Clicked");
        EXPECT_FALSE(child(m, "avl_list_box")->isHidden());

        child<QTableWidget>(m, "List")->selectRow(0);
        click(m, "Update_Btn_Clicked");
        EXPECT_EQ(rows(m, "List_value").mid(0, 3), (QStringList{"01", "B-2 B-2a", "03"}));
        EXPECT_EQ(rows(m, "List_value").mid(11), (QStringList{"12", "las t", "las t"}));
        click(m, "Close_2_Btn_Clicked");
    };
    manager.Open_Wnd();

    EXPECT_EQ(ui->messages(), QStringList{"\nPlease enter a valid value."});
    QFile file(Series_File_Path("Badges"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("01\nB-2 B-2a\n03\n04\n05\n06\n07\n08\n09\n10\n11\n12\nlas t\nlas t\n"));
}
