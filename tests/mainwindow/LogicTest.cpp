#include "mainwindow/MainWindowLogic.h"
#include "mainwindow/Start_Card.h"
#include "core/Globals.h"
#include "visitor/ProfileCaptions.h"
#include "visitor/User_Profile_Class.h"

#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct PresetCase {
    const char *category;
    const char *orientation;
    int index;
    double width;
    double height;
};

TEST(CardPresets, SizesInMillimetresByCategoryOrientationAndIndex)
{
    const PresetCase cases[] = {
        {"PVC Card", "H", 0, 85.598, 54.102},
        {"PVC Card", "V", 0, 54.102, 85.598},
        {"PVC Card", "H", 6, 73.152, 53.848},
        {"Paper Card", "H", 6, 59.944, 89.916},   // the smaller number first for 1457
        {"Paper Card", "V", 6, 89.916, 59.944},
        {"Paper Card", "H", 7, 150.114, 125.984},
        {"Paper Card", "H", 8, 30, 30},           // outside the name-badge list
        {"PVC Card", "V", 7, 30, 30},              // outside the PVC list
        {"PVC Card", "H", -1, 30, 30},
    };
    for (const PresetCase &c : cases) {
        SCOPED_TRACE(std::string(c.category) + " " + c.orientation + " " + std::to_string(c.index));
        const QSizeF s = Get_My_card_Size(QString::fromLatin1(c.category), QString::fromLatin1(c.orientation), c.index);
        EXPECT_NEAR(s.width(), c.width, 1e-3);
        EXPECT_NEAR(s.height(), c.height, 1e-3);
    }
    ASSERT_EQ(pvc_card_names().size(), 7);
    ASSERT_EQ(paper_card_names().size(), 8);
    EXPECT_EQ(pvc_card_names().at(0), "CR80-Credit Card Size");
    EXPECT_EQ(pvc_card_names().at(6), "CR70");
    EXPECT_EQ(paper_card_names().at(0), "Durable 1458 - Name Badge");
    EXPECT_EQ(paper_card_names().at(7), "Durable 1459 - Name Badge");
}

TEST(Units, FactorsCaptionsAndFieldConversion)
{
    EXPECT_FLOAT_EQ(Get_Unit_Convertor(0, 2), 25.4f);
    EXPECT_FLOAT_EQ(Get_Unit_Convertor(2, 1), 0.1f);
    EXPECT_FLOAT_EQ(Get_Unit_Convertor(1, 0), 0.39370078f);
    EXPECT_FLOAT_EQ(Get_Unit_Convertor(2, 2), 1.0f);
    EXPECT_FLOAT_EQ(Get_Unit_Convertor(5, 2), 1.0f);
    EXPECT_FLOAT_EQ(Get_Unit_Convertor(2, -1), 1.0f);

    const CardSizeFields inches = convertCardSizeFields({85.6, 54.0}, 2, 0);
    EXPECT_NEAR(inches.width, 3.370079, 1e-6);
    const CardSizeFields back = convertCardSizeFields(inches, 0, 2);
    EXPECT_NEAR(back.width, 85.6, 1e-3);
    const CardSizeFields same = convertCardSizeFields({85.6, 54.0}, 2, 2);
    EXPECT_NEAR(same.width, 85.6, 1e-5);

    struct {
        int unit;
        const char *box;
        const char *size;
    } captions[] = {{0, "Card Size (in)", "(in)"}, {1, "Card Size (cm)", "(cm)"}, {2, "Card Size (mm)", "(mm)"},
                    {7, "Card Size (mm)", "(mm)"}};
    for (const auto &c : captions) {
        const UnitCaptions u = unitCaptions(c.unit);
        EXPECT_EQ(u.cardSizeBox, c.box);
        EXPECT_EQ(u.size, c.size);
        EXPECT_EQ(u.position, "(pt)");
    }
}

TEST(Zoom, StepsClampAtBothEnds)
{
    EXPECT_FLOAT_EQ(Get_Factor_According_Index(0), 0.25f);
    EXPECT_FLOAT_EQ(Get_Factor_According_Index(3), 1.0f);
    EXPECT_FLOAT_EQ(Get_Factor_According_Index(10), 10.0f);
    EXPECT_FLOAT_EQ(Get_Factor_According_Index(11), 0.0f);
    EXPECT_FLOAT_EQ(Get_Factor_According_Index(-1), 0.0f);
    EXPECT_EQ(zoomStepFrom(10, +1), 10);
    EXPECT_EQ(zoomStepFrom(0, -1), 0);
    EXPECT_EQ(zoomStepFrom(3, +1), 4);   // 100 % -> 125 %
    EXPECT_FLOAT_EQ(Get_Factor_According_Index(zoomStepFrom(6, +1)), 4.0f);  // 200 % -> 400 %
    EXPECT_EQ(zoomStepLabel(0), "25%");
    EXPECT_EQ(zoomStepLabel(10), "1000%");
}

TEST(Tools, EveryToolMakesItsControlWithItsDefaultSize)
{
    EXPECT_FALSE(toolSpec(ArrowTool).has_value());
    EXPECT_FALSE(toolSpec(16).has_value());
    const auto barcode = toolSpec(BarcodeTool);
    ASSERT_TRUE(barcode);
    EXPECT_EQ(barcode->kind, SKTGraphicKind::Barcode);
    EXPECT_EQ(barcode->defaultRect.size(), QSizeF(120, 60));
    EXPECT_EQ(toolSpec(SignatureTool)->defaultRect.size(), QSizeF(100, 50));
    EXPECT_EQ(toolSpec(FingerprintTool)->defaultRect.size(), QSizeF(50, 50));
    const char *shapes[] = {"R", "C", "RR", "T", "D"};
    for (int code = RectTool; code <= DiamondTool; ++code)
        EXPECT_EQ(toolSpec(code)->shapeCode, shapes[code - RectTool]);
    EXPECT_EQ(toolSpec(StarTool)->shapeCode, "S");
    EXPECT_EQ(toolSpec(DoubleStarTool)->shapeCode, "DS");
    EXPECT_EQ(toolSpec(PolygonTool)->shapeCode, "P");
    EXPECT_EQ(toolActionName(FingerprintTool), "Fingure_Print_Tool_Clicked");
}

TEST(WindowTitle, WithAndWithoutAnExistingDesignFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Staff.did"));
    EXPECT_EQ(formatWindowTitle("badgeloom", "Untitled", path), "badgeloom ( Untitled )");  // not there yet
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("x");
    f.close();
    EXPECT_EQ(formatWindowTitle("badgeloom", "Staff", path), "badgeloom ( Staff - Staff.did )");
    EXPECT_EQ(formatWindowTitle("badgeloom", "Staff", QString()), "badgeloom ( Staff )");
}

TEST(StartDialog, ChoicesSetTheModeAndCancelEmptiesIt)
{
    Start_Card dialog;
    const struct {
        const char *button;
        const char *code;
    } choices[] = {{"Using_Template_btn", "T"}, {"Using_Wizard_btn", "W"}, {"Open_Log_btn", "L"},
                   {"Using_Visitor_btn", "V"}, {"Using_Group_Batch_btn", "G"}};
    for (const auto &c : choices) {
        Start_Card_Option = QStringLiteral("x");
        dialog.setResult(-1);
        auto *button = dialog.findChild<QPushButton *>(QString::fromLatin1(c.button));
        ASSERT_NE(button, nullptr) << c.button;
        button->click();
        EXPECT_EQ(Start_Card_Option, c.code);
        EXPECT_EQ(dialog.result(), 1);
    }
    Start_Card_Option = QStringLiteral("G");
    dialog.OK_Click();
    EXPECT_EQ(Start_Card_Option, "G");
    EXPECT_EQ(dialog.result(), 1);
    dialog.Select_card_option(9);
    EXPECT_EQ(Start_Card_Option, "G");
    dialog.findChild<QPushButton *>(QStringLiteral("Cancel_btn"))->click();
    EXPECT_TRUE(Start_Card_Option.isEmpty());
    EXPECT_EQ(dialog.result(), 0);
}

TEST(TemplateWords, ReplacedByCategory)
{
    const QString text = QStringLiteral("Employee Name / Company Name / Designation / Unique No.");
    EXPECT_EQ(Change_Value_Of_Template(text, "E"), "Student Name / School Name / Class Name / Unique No.");
    EXPECT_EQ(Change_Value_Of_Template(text, "V"), "Visitor Name / Company Name / Designation / Visitor No.");
    EXPECT_EQ(Change_Value_Of_Template(text, "H"), "Person Name / Hospital Name / Designation / Unique No.");
    EXPECT_EQ(Change_Value_Of_Template(text, "Q"), text);
}

TEST(Profiles, ResetRestoresIdsAndSourcesButKeepsCaptions)
{
    User_Profile_Class p;
    EXPECT_TRUE(p.Name_id.isEmpty());
    p.Name = QStringLiteral("Ann");
    p.Name_label = QStringLiteral("Name :");
    p.slogan_ds = true;
    p.slogan_ds_name = QStringLiteral("S");
    p.slogan_ds_indx = 3;
    p.image_xl = true;
    p.image_xl_col_indx = 2;
    p.image_USE = true;
    p.phone_id = QStringLiteral("other");
    p.Reset_All_Values();
    EXPECT_TRUE(p.Name.isEmpty());
    EXPECT_EQ(p.Name_label, "Name :");
    EXPECT_EQ(p.Name_id, "Fup_Name");
    EXPECT_EQ(p.slogan_label_id, "Fup_lbl_CompanySlogan");
    EXPECT_EQ(p.phone_id, "Fup_PhoneNO");
    EXPECT_EQ(p.image_label_id, "Fup_lbl_Photo");
    EXPECT_FALSE(p.slogan_ds);
    EXPECT_TRUE(p.slogan_ds_name.isEmpty());
    EXPECT_EQ(p.slogan_ds_indx, 0);
    EXPECT_FALSE(p.image_xl);
    EXPECT_EQ(p.image_xl_col_indx, 0);
    EXPECT_FALSE(p.image_USE);

    Title_For_Student();
    EXPECT_EQ(Title_Title, "Father's Name :");
    Title_For_Gen_ID_Card();
    EXPECT_EQ(Title_Title, "Position / Title :");
    EXPECT_EQ(Title_unique, "Unique No. :");
    EXPECT_EQ(Title_Time, "Time :");
}

}  // namespace
