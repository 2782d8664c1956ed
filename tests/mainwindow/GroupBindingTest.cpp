#include "ControllerFixture.h"
#include "core/SKTImage.h"
#include "core/SKTText.h"
#include "data/spreadsheet/Data_From_Excel.h"
#include "groupmode/GroupMode.h"
#include "mainwindow/GroupModeWiring.h"
#include "visitor/Profile_Panel.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include <QFile>

namespace {

// The open window in group mode over a small table: columns 1 Name, 2 Title, 3 Photo.
class GroupBinding : public WindowTest {
protected:
    void road() override { chooseGroupRoad(); }
    void SetUp() override
    {
        WindowTest::SetUp();
        ASSERT_EQ(Start_Card_Option, "G");
        // The cases lay out their own controls on an empty card.
        canvas(0)->delete_all_control();
        canvas(1)->delete_all_control();
        group = Group_Mode_Of(*controller);
        ASSERT_NE(group, nullptr);
        photo = pathIn("anna.png");
        backPhoto = pathIn("back.png");
        ASSERT_TRUE(QImage(30, 40, QImage::Format_RGB32).save(photo));
        ASSERT_TRUE(QImage(30, 40, QImage::Format_RGB32).save(backPhoto));
        group->data().setColumnTitles({"No.", "Name", "Title", "Photo", "Back"});
        group->data().setRows({
            QVariantMap{{"Extension", "1"}, {"Column1", "Anna"}, {"Column2", "Boss"}, {"Column3", photo}, {"Column4", backPhoto}},
            QVariantMap{{"Extension", "2"}, {"Column1", "Ben"}, {"Column2", ""}, {"Column3", ""}, {"Column4", ""}}});
    }
    // Both sides hold these controls and nothing else.
    void layOut(const SKTGraphicArray &front, const SKTGraphicArray &back)
    {
        canvas(0)->delete_all_control();
        canvas(1)->delete_all_control();
        place(0, front);
        place(1, back);
    }
    void bind(std::initializer_list<std::pair<int, int>> bindings)
    {
        for (int i = 1; i <= 12; ++i)
            controller->excel_cb_value[i] = -1;
        for (const auto &[field, column] : bindings)
            controller->excel_cb_value[field + 1] = column;
    }
    SKTGraphicPtr text(const QString &id, bool visible = true)
    {
        auto t = std::make_shared<SKTText>();
        t->control_ID = id;
        t->Set_text_value("typed");
        t->Set_Ctrl_Is_Visible(visible);
        t->setBounds(QRectF(10, 10, 70, 20));
        return t;
    }
    SKTGraphicPtr image(const QString &id)
    {
        SKTGraphicPtr i = SKTImage::initWithPath_With_ID(QPointF(5, 5), photo, id);
        i->setBounds(QRectF(5, 5, 30, 40));
        return i;
    }
    // Each control of a side: id, text or file, visibility and column.
    QString side(int s) const
    {
        QStringList out;
        for (const SKTGraphicPtr &g : document->graphicsOfSide(s)) {
            const QString value = g->kind() == SKTGraphicKind::Image ? QFileInfo(g->_file_path).fileName() : g->Text_Value;
            out << QStringLiteral("%1=%2%3@%4").arg(g->control_ID, value, g->ctrl_is_visible ? "" : "(hidden)")
                       .arg(g->data_source_type == 2 ? g->excel_col_indx : -1);
        }
        out.sort();
        return out.join(" ");
    }

    GroupMode *group = nullptr;
    QString photo, backPhoto;
};

}  // namespace

// The first-row pass over both sides, in add and in update mode.
TEST_F(GroupBinding, FirstRowPassLaysBoundFieldsOnTheirSides)
{
    const struct {
        const char *name;
        std::initializer_list<std::pair<int, int>> bindings;
        std::vector<SKTGraphicPtr> front, back;
        const char *mode;
        QString frontAfter, backAfter;
    } cases[] = {
        {"nothing bound changes nothing", {}, {text("Fup_Name")}, {}, "A", "Fup_Name=typed@-1", ""},
        {"update mode creates nothing", {{0, 1}, {1, 2}}, {}, {}, "U", "", ""},
        {"add mode: a field on neither side goes to the front", {{1, 2}}, {}, {}, "A", "Fup_Title=Boss@2", ""},
        {"a field only on the back is refreshed there", {{0, 1}}, {}, {text("Fup_Name")}, "A", "", "Fup_Name=Anna@1"},
        // Each field keeps its own visibility: a hidden name does not hide a title made anew.
        {"hidden name, new title", {{0, 1}, {1, 2}}, {text("Fup_Name", false)}, {}, "A",
         "Fup_Name=Anna(hidden)@1 Fup_Title=Boss@2", ""},
        {"back photo made beside a front one", {{11, 4}}, {image("Fup_Photo")}, {}, "A", "Fup_Photo=anna.png@-1",
         "Fup_Photo=back.png@4"},
        {"a missing cell shows the placeholder", {{1, 7}}, {text("Fup_Title")}, {}, "U", "Fup_Title=Text here@7", ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        layOut(c.front, c.back);
        bind(c.bindings);
        Library_Selected_Image.clear();
        group->Update_Excel_Column_Binding(QString::fromLatin1(c.mode));
        EXPECT_EQ(side(0).toStdString(), c.frontAfter.toStdString());
        EXPECT_EQ(side(1).toStdString(), c.backAfter.toStdString());
        // Nothing pending is left for the next picture control.
        EXPECT_TRUE(Library_Selected_Image.isEmpty());
    }
}

// One control created or updated on one side.
TEST_F(GroupBinding, CreateOrUpdateHonoursItsFlags)
{
    const struct {
        const char *name;
        std::vector<SKTGraphicPtr> front, back;
        int column;
        bool visible, updateOnly, checkOther;
        QString frontAfter;
        bool selected;
    } cases[] = {
        {"update only, no control", {}, {}, 1, true, true, false, "", false},
        {"other side has it", {}, {text("Fup_Name")}, 1, true, false, true, "", false},
        {"column -1 leaves it typed", {text("Fup_Name")}, {}, -1, true, false, false, "Fup_Name=Ben@-1", true},
        {"hidden and no selection", {text("Fup_Name")}, {}, 1, false, false, false, "Fup_Name=Ben(hidden)@1", false},
        {"made at a free place", {}, {}, 1, true, false, false, "Fup_Name=Ben@1", true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        layOut(c.front, c.back);
        group->Check_and_create_control_for_group_mode(0, "Fup_Name", "Ben", "T", c.column, c.visible, c.updateOnly,
                                                       c.checkOther);
        EXPECT_EQ(side(0).toStdString(), c.frontAfter.toStdString());
        EXPECT_EQ(canvas(0)->selectedGraphics().size(), c.selected ? 1u : 0u);
    }
}

// The custom fields of a side: what the list holds and the column each id answers.
TEST_F(GroupBinding, CustomFieldListAndColumnsOfIds)
{
    bind({{0, 1}});
    auto bound = text("F_field1");
    bound->Set_Data_source_type(2);
    bound->Set_Excel_binding_Index(2);
    auto gone = image("F_Photo2");
    gone->Set_Control_File_path(pathIn("gone.png"));
    place(0, {bound, text("F_field1"), text("F_label1"), text("Fup_Title"), text("", true), text("F_field3", false), gone,
              designtest::storedControl(SKTGraphicKind::Barcode, 3)});
    document->graphicsOfSide(0).back()->control_ID = "F_field9";
    group->Create_Dynamic_Control_List();
    const std::vector<DynamicControlRow> expected{{"F_field1", "typed", "Y", "2", "T"},
                                                  {"F_field1", "typed", "Y", "-1", "T"},
                                                  {"F_field3", "typed", "N", "-1", "T"},
                                                  {"F_Photo2", "", "Y", "-1", "P"}};
    EXPECT_EQ(controller->dynamic_ctrl_list_front, expected);
    const struct {
        const char *id;
        int column;
    } ids[] = {{"F_field1", 2}, {"F_field7", -1}, {"Fup_Name", 1}, {"Fup_Photo", -1}, {"Fup_Date", -1}, {"Fup_lbl_Name", -1}};
    for (const auto &i : ids)
        EXPECT_EQ(group->Get_Excel_Coulmn_Index_According_ID(i.id), i.column) << i.id;
    Card_Front_Or_Back = 1;  // the back's list is empty
    EXPECT_EQ(group->Get_Excel_Coulmn_Index_According_ID("F_field1"), -1);
    Card_Front_Or_Back = 0;
}

// A custom field bound to a column takes the first row's value on the card and stays as it is
// when its control is gone; the re-binding pass binds visible controls only.
TEST_F(GroupBinding, FirstRowReachesCustomFieldsAndBindingsFollowIds)
{
    bind({{0, 1}});
    place(0, {text("F_field1"), text("F_field2", false), text("Fup_Name")});
    controller->dynamic_ctrl_list_front = {{"F_field1", "", "Y", "2", "T"},
                                           {"F_field2", "", "N", "1", "T"},
                                           {"F_field5", "", "Y", "1", "T"}};
    group->Update_Value_For_Dynamic_Control("A", QString());
    EXPECT_EQ(side(0).toStdString(), "F_field1=Boss@2 F_field2=Anna(hidden)@1 Fup_Name=typed@-1");
    group->Update_excel_col_binding_on_panel(0);
    EXPECT_EQ(side(0).toStdString(), "F_field1=Boss@2 F_field2=Anna(hidden)@1 Fup_Name=typed@1");
}

// A custom field made on the canvas in group mode takes the column its id has in the side's
// list; the View button has nothing to show for an empty table.
TEST_F(GroupBinding, NewCustomFieldTakesItsColumnAndEmptyTableHasNoView)
{
    controller->dynamic_ctrl_list_front = {{"F_field4", "", "Y", "2", "T"}};
    controller->Selected_Control_Tool = 2;
    canvas(0)->createGraphicOfClass(SKTGraphicKind::Text, nullptr, false, QRectF(), "F", "Boss", "F_field4");
    EXPECT_EQ(side(0).toStdString(), "F_field4=Boss@2");
    const struct {
        int rows;
        QString message;
        QString kind;
    } cases[] = {{2, "", "Data_From_Excel"}, {0, "There is no excel data to view.", "message"}};
    for (const auto &c : cases) {
        group->data().setRows(group->data().rows().mid(0, c.rows));
        ui->clear();
        press(outlet<QPushButton>("View_Excel_Btn"));
        ASSERT_EQ(ui->requests().size(), 1u);
        EXPECT_EQ(ui->requests().front().kind.toStdString(), c.kind.toStdString());
        EXPECT_EQ(ui->requests().front().text.trimmed().toStdString(), c.message.toStdString());
    }
}

// A row without a photo leaves the photo control and the panel's path empty, never the prompt;
// saving it stores no prompt either.
TEST_F(GroupBinding, ARowWithoutPhotoKeepsThePathEmpty)
{
    bind({{0, 1}, {10, 3}});
    layOut({text("Fup_Name"), image("Fup_Photo")}, {});
    group->Set_Group_Mode_List_Setting_After_Loading(QString(), "U");  // no project: nothing happens
    ::Project_File_Name = pathIn("p.did");
    group->Set_Group_Mode_List_Setting_After_Loading(::Project_File_Name, "U");
    const struct {
        int row;
        const char *card, *panelPath;
    } rows[] = {{1, "Fup_Name=Ben@1 Fup_Photo=@3", ""}, {0, "Fup_Name=Anna@1 Fup_Photo=anna.png@3", "anna.png"}};
    for (const auto &r : rows) {
        group->Mark_Group_List_New_Selection(r.row);
        EXPECT_EQ(side(0).toStdString(), r.card);
        EXPECT_EQ(QFileInfo(Front_Profile_Panel_OBJ->image_path_val->text()).fileName().toStdString(), r.panelPath);
    }
    group->Mark_Group_List_New_Selection(1);
    press(outlet<QPushButton>("Save_Excel_Details_Btn"));
    EXPECT_EQ(group->data().row(1).value("Column3").toString(), "");
    ::Project_File_Name.clear();
}

// A group design opened again gives the entry panels its custom rows, and the row on show fills
// them: the field's text and the photo row's picture (the group placeholder for "no.png").
TEST_F(GroupBinding, OpeningAGroupDesignRebuildsTheCustomRowsAndTheirPictures)
{
    const QString red = pathIn("red.png"), blue = pathIn("blue.png");
    for (const auto &[file, colour] : {std::pair{red, Qt::red}, {blue, Qt::blue}}) {
        QImage picture(30, 40, QImage::Format_RGB32);
        picture.fill(colour);
        ASSERT_TRUE(picture.save(file));
    }
    group->data().setColumnTitles({"No.", "Name", "Badge", "Picture"});
    group->data().setRows({QVariantMap{{"Extension", "1"}, {"Column1", "Anna"}, {"Column2", "A-7"}, {"Column3", red}},
                           QVariantMap{{"Extension", "2"}, {"Column1", "Ben"}, {"Column2", "B-9"}, {"Column3", blue}},
                           QVariantMap{{"Extension", "3"}, {"Column1", "Cleo"}, {"Column2", ""}, {"Column3", pathIn("no.png")}}});
    bind({{0, 1}});
    SKTGraphicPtr caption = text("F_label1"), field = text("F_field1"), picture = image("F_Photo1");
    caption->Set_text_value("Badge");
    for (const auto &[control, column] : {std::pair{field, 2}, {picture, 3}}) {
        control->Set_Data_source_type(2);
        control->Set_Excel_binding(true);
        control->Set_Excel_binding_Index(column);
    }
    field->setBounds(QRectF(10, 40, 70, 20));
    picture->setBounds(QRectF(100, 5, 30, 40));
    layOut({caption, field, picture}, {});
    // Group mode saves into the project the road made.
    const QString project = ::Project_File_Name;
    ASSERT_FALSE(project.isEmpty());
    click("Save_btn");
    ASSERT_EQ(ui->messages().value(ui->messages().size() - 1), kSaved);
    controller->New_Project_Setting_Reset(true);
    ASSERT_EQ(Front_Profile_Panel_OBJ->Get_Dynamic_Photo_Ctrl("F_Photo1"), nullptr);
    open(project);
    ASSERT_EQ(Start_Card_Option, "G");

    Profile_Panel *front = Front_Profile_Panel_OBJ;
    auto *box = qobject_cast<QLineEdit *>(front->Get_Dynamic_Label_Ctrl("F_field1", "T"));
    ASSERT_NE(box, nullptr) << "the custom field is a panel row again";
    QLabel *view = front->Get_Dynamic_Photo_Ctrl("F_Photo1");
    ASSERT_NE(view, nullptr) << "the custom photo is a panel row again";
    const QImage placeholder = QPixmap::fromImage(controller->no_image_ctrl_GP().scaled(38, 23, Qt::KeepAspectRatio,
                                                                                      Qt::SmoothTransformation))
                                   .toImage();
    const struct {
        int row;
        const char *badge;
        QColor colour;  // invalid: the placeholder
    } rows[] = {{1, "B-9", Qt::blue}, {2, "", QColor()}, {0, "A-7", Qt::red}};
    for (const auto &r : rows) {
        SCOPED_TRACE(r.row);
        group->Mark_Group_List_New_Selection(r.row);
        EXPECT_EQ(box->text(), r.badge);
        const QImage shown = view->pixmap().toImage();
        ASSERT_FALSE(shown.isNull());
        if (r.colour.isValid())
            EXPECT_EQ(shown.pixelColor(shown.rect().center()), r.colour);
        else
            EXPECT_EQ(shown.convertToFormat(placeholder.format()), placeholder);
    }
    // The first-row pass of the custom fields (after a re-mapping) shows the first row's picture.
    QVariantList table = group->data().rows();
    QVariantMap first = table[0].toMap();
    first["Column3"] = blue;
    table[0] = first;
    group->data().setRows(table);
    group->Create_Dynamic_Control_List();
    group->Update_Value_For_Dynamic_Control("A", QString());
    const QImage shown = view->pixmap().toImage();
    EXPECT_EQ(shown.pixelColor(shown.rect().center()), QColor(Qt::blue));
    // Before an undo restore the row shows the placeholder, whole within its small view.
    controller->Live_Mode_Panel(0)->Refresh_Visitor_Dyn_Ctrl_and_image();
    EXPECT_EQ(view->pixmap().toImage().convertToFormat(placeholder.format()), placeholder);
}

// The group list has no rows of its own: it lists the window's one spreadsheet table, and its
// edits land there, where the viewer, the batch engine and the design file read them.
TEST_F(GroupBinding, TheListReadsAndWritesTheWindowsOneTable)
{
    bind({{0, 1}, {1, 2}});
    ::Project_File_Name = pathIn("p.did");
    group->Set_Group_Mode_List_Setting_After_Loading(::Project_File_Name, "U");
    auto *list = controller->findChild<QListWidget *>("GroupList");
    ASSERT_NE(list, nullptr);
    const auto entries = [list] {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
        return out.join(" / ");
    };
    EXPECT_EQ(entries(), "1 - Anna / 2 - Ben");

    // A new sheet in the window's table is what the list shows.
    Data_From_Excel &table = controller->Excel_Table();
    table.Set_Table({"No.", "Name", "Title"}, {QVariantMap{{"Extension", "1"}, {"Column1", "Cleo"}, {"Column2", "Chef"}},
                                               QVariantMap{{"Extension", "2"}, {"Column1", "Dan"}, {"Column2", "Cook"}},
                                               QVariantMap{{"Extension", "5"}, {"Column1", "Eve"}, {"Column2", "Host"}}});
    group->Create_Group_List_By_Excel_List();
    EXPECT_EQ(entries(), "1 - Cleo / 2 - Dan / 3 - Eve");

    // A row added from the panel is a row of that table.
    groupmode::PanelValues panel;
    panel.text[0] = "Finn";
    panel.text[1] = "Guard";
    EXPECT_EQ(group->list().add(panel, false), 3);
    ASSERT_EQ(table.rowCount(), 4);
    EXPECT_EQ(table.Table_Row(3).value("Extension").toString(), "6");
    EXPECT_EQ(table.Table_Row(3).value("Column1").toString(), "Finn");
    EXPECT_EQ(table.Table_Row(3).value("Column2").toString(), "Guard");
    ::Project_File_Name.clear();
}
