// The file commands as a user drives them through their questions and panels, and the pieces
// the window applies after an open: start mode, table headers, live-mode rows, the copy of a
// design to the other side.

#include "ArchiveTestSupport.h"
#include "DesignTestSupport.h"
#include "core/DesignCommands.h"
#include "core/DesignFile.h"
#include "platform/UiServices.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace designtest;
using platform::AnswerCancel;
using platform::AnswerNo;
using platform::AnswerYes;
using Answer = platform::ScriptedUiServices::Answer;
using namespace Qt::StringLiterals;

namespace {

// The kinds of box the user was shown, in order, space separated.
QString kindsOf(const platform::ScriptedUiServices &ui)
{
    QStringList kinds;
    for (const auto &r : ui.requests())
        kinds << r.kind;
    return kinds.join(u' ');
}

const QString kSaved = QStringLiteral("File has been saved successfully.");
const QString kUnable =
    QStringLiteral("Unable to save file on this location please select any other location to save.");

}  // namespace

TEST(DesignSave, PathsPanelsAndMessages)
{
    QTemporaryDir dir;
    const QString existing = dir.filePath(u"current.did"_s), chosen = dir.filePath(u"c"_s);
    const QString nowhere = dir.filePath(u"no/such/x.did"_s), chosenDid = chosen + u".did"_s;
    const DesignSaveRequest plain{false, true, "L"}, silent{false, false, "L"}, saveAs{true, true, "L"};
    archivetest::ScopedStartMode mode(QStringLiteral("G"));
    const DesignData design = fullDesign();
    using S = DesignSaveOutcome;
    // `written`: the file expected to exist afterwards ("" none).
    const struct { const char *name; QString current; DesignSaveRequest request; std::vector<Answer> script;
        S::Status status; QString pathAfter, written; const char *boxes; } cases[] = {
        {"save to the current path", existing, plain, {}, S::Saved, existing, existing, "message"},
        {"unsaved design asks", {}, plain, {chosen}, S::Saved, chosenDid, chosenDid, "saveFile message"},
        {"blanks count as no path", "   ", plain, {QString()}, S::Cancelled, "   ", {}, "saveFile"},
        {"save as, cancel keeps path", existing, saveAs, {QString()}, S::Cancelled, existing, {}, "saveFile"},
        {"silent save shows nothing", existing, silent, {}, S::Saved, existing, existing, ""},
        {"unwritable place, with messages", nowhere, plain, {}, S::Failed, {}, {}, "message"},
        {"unwritable place, silent keeps the path", nowhere, silent, {}, S::Failed, nowhere, {}, ""},
        {"save as to an unwritable place keeps the file", existing, saveAs, {nowhere}, S::Failed, existing, {}, "saveFile message"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(existing);
        QFile::remove(chosenDid);
        platform::ScopedScriptedUi ui;
        for (const auto &a : c.script)
            ui->push(a);
        const DesignSaveOutcome outcome = Save_project_file(design, c.current, c.request);
        EXPECT_EQ(outcome.status, c.status);
        EXPECT_EQ(outcome.path, c.pathAfter);
        EXPECT_EQ(kindsOf(*ui), QLatin1String(c.boxes));
        EXPECT_EQ(outcome.retitle, c.request.showMessages && c.status != S::Cancelled);
        if (QByteArray(c.boxes).contains("message")) {
            // A failure says the system's reason too.
            EXPECT_TRUE(ui->messages().last().endsWith(
                c.status == S::Saved ? kSaved : kUnable + QStringLiteral(" (No such file or directory)")));
        }
        if (!c.written.isEmpty()) {
            const DesignReadResult read = Read_Design_File(c.written);
            ASSERT_TRUE(read.ok());
            EXPECT_EQ(read.design->modeLetter, QStringLiteral("G"));  // the start mode at saving
        }
    }
}

TEST(DesignSave, DesignThatCannotBeBuiltIsReportedEvenWhenSilent)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("d.did"));
    ASSERT_TRUE(Write_Design_File(path, fullDesign(), false).ok());
    const QByteArray before = fileBytes(path);
    DesignData broken = fullDesign();
    broken.frontControls.push_back(std::make_shared<SKTGraphic>());
    platform::ScopedScriptedUi ui;
    const DesignSaveOutcome outcome = Save_project_file(broken, path, {false, false, "L"});
    EXPECT_EQ(outcome.status, DesignSaveOutcome::Failed);
    ASSERT_EQ(ui->messages().size(), 1);
    EXPECT_TRUE(ui->messages()[0].contains(QStringLiteral(" -- ")));
    EXPECT_EQ(fileBytes(path), before);
}

TEST(DesignCommands, CloseAndExitStopWhenTheSaveIsNotWritten)
{
    const struct { const char *name; int answer; bool saveWorks, reallyExit, closeGoesOn, exitGoesOn; int n; }
    cases[] = {
        {"yes and saved", AnswerYes, true, true, true, true, 1},
        {"yes but the save failed", AnswerYes, false, true, false, false, 1},
        {"no", AnswerNo, true, true, true, true, 0},
        {"no, then not really exit", AnswerNo, true, false, true, false, 0},
        {"cancel", AnswerCancel, true, true, false, false, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        int saves = 0;
        const DesignSaver save = [&] { return ++saves, c.saveWorks; };
        {
            platform::ScopedScriptedUi ui;
            ui->push(c.answer);
            EXPECT_EQ(Close_Document_Decision(save), c.closeGoesOn);
            ASSERT_EQ(ui->requests().size(), 1u);
            EXPECT_EQ(ui->requests()[0].text, QStringLiteral("Do you want to save changes?"));
        }
        {
            platform::ScopedScriptedUi ui;
            ui->push(c.answer);
            ui->push(c.reallyExit);
            EXPECT_EQ(Exit_App_Decision(save), c.exitGoesOn);
            EXPECT_EQ(ui->requests()[0].text, QStringLiteral("Do you want to save changes before closing?"));
            const bool asked = c.answer == AnswerNo || (c.answer == AnswerYes && c.saveWorks);
            ASSERT_EQ(ui->requests().size(), asked ? 2u : 1u);
            if (asked) {
                EXPECT_EQ(ui->requests()[1].text, QStringLiteral("\nDo you really want to exit?"));
            }
        }
        EXPECT_EQ(saves, 2 * c.n);
    }
}

TEST(DesignCommands, OpenChoosesAndChecksTheFileBeforeAnythingIsReset)
{
    QTemporaryDir dir;
    const QString good = dir.filePath(QStringLiteral("good.did"));
    ASSERT_TRUE(Write_Design_File(good, fullDesign(), false).ok());
    const QString bad = dir.filePath(QStringLiteral("bad.did"));
    QFile f(bad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(fileBytes(good).left(3000)) == 3000);
    f.close();
    const QString question = QStringLiteral("Do you want to save changes before opening document?");
    using O = DesignOpenOutcome;
    const struct { const char *name; std::vector<Answer> script; bool ok; O::Status want; const char *boxes; }
    cases[] = {
        {"cancel the question", {AnswerCancel}, true, O::Cancelled, "yesNoCancel"},
        {"yes but the save failed", {AnswerYes}, false, O::Cancelled, "yesNoCancel"},
        {"cancel the panel", {AnswerNo, QString()}, true, O::Cancelled, "yesNoCancel openFile"},
        {"a corrupt file", {AnswerNo, bad}, true, O::Refused, "yesNoCancel openFile message"},
        {"missing file", {AnswerNo, dir.filePath(u"-"_s)}, true, O::Refused, "yesNoCancel openFile message"},
        {"saved, then a good file", {AnswerYes, good}, true, O::Loaded, "yesNoCancel openFile"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        platform::ScopedScriptedUi ui;
        for (const auto &a : c.script)
            ui->push(a);
        const DesignOpenOutcome outcome = Open_Design_Decision([&] { return c.ok; }, dir.path());
        EXPECT_EQ(outcome.status, c.want);
        EXPECT_EQ(kindsOf(*ui), QLatin1String(c.boxes));
        EXPECT_EQ(ui->requests()[0].text, question);
        if (c.want == O::Refused) {
            EXPECT_TRUE(ui->messages().last().contains(QStringLiteral("\u201D\n\nFile is corrupt and cannot be opened.\n\nReason: ")));
        }
        EXPECT_EQ(outcome.design ? outcome.design->frontControls.size() : 0, c.want == O::Loaded ? 6u : 0);
    }
}

TEST(DesignLoad, StartModeAfterLoading)
{
    // current mode, the file's mode, bound to a table, its first column, table read: the mode after.
    const struct { const char *now, *file; bool binding; int column1; bool read; const char *after; }
    cases[] = {
        {"T", "L", false, -1, true, "L"}, {"L", "G", false, -1, true, "G"}, {"G", "L", false, -1, false, "G"},
        {"V", "T", false, -1, false, "L"}, {"L", "L", true, 3, true, "G"}, {"L", "L", true, 3, false, "L"},
        {"L", "L", false, 3, true, "L"},  {"L", "L", true, -1, true, "L"},
    };
    for (const auto &c : cases) {
        DesignData d;
        d.modeLetter = QLatin1String(c.file);
        d.Excel_Binding_Use = c.binding;
        d.excelColumns[0] = c.column1;
        EXPECT_EQ(Start_Mode_After_Load(QLatin1String(c.now), d, c.read), QLatin1String(c.after))
            << c.now << " " << c.file << " " << c.binding << " " << c.column1 << " " << c.read;
    }
}

TEST(DesignLoad, TableHeadersSkipTheFirstColumnAndNameEmptyOnes)
{
    for (const auto &[titles, headers] : {std::pair{"No|Name|Title|", "1 Name|2 Title|3 Untitled Column 4"},
                                          std::pair{"only", ""}}) {
        QStringList got;
        for (const TableColumnHeader &h : Table_Column_Headers(QString::fromLatin1(titles).split(u'|')))
            got << h.identifier.mid(6) + u' ' + h.title;  // "ColumnN"
        EXPECT_EQ(got.join(u'|'), QLatin1String(headers));
    }
}

TEST(DesignLoad, DynamicControlRowsAndTheirPartners)
{
    const struct { const char *id; bool visible; int source, column; } texts[] = {
        {"F_label2", true, 0, 0}, {"F_label3", false, 2, 5}, {"B_field3", true, 2, 6},
        {"Fup_Name", true, 0, 0}, {"F_Pic1", true, 0, 0}, {"", true, 0, 0}};
    using K = SKTGraphicKind;
    SKTGraphicArray controls{storedControl(K::Shape, 1), storedControl(K::Image, 2)};
    controls[1]->control_ID = u"F_field9"_s;
    for (const auto &t : texts) {
        auto g = storedControl(K::Text, 1);
        g->control_ID = QLatin1String(t.id);
        g->Text_Value = g->control_ID + u" value"_s;
        g->ctrl_is_visible = t.visible;
        std::tie(g->data_source_type, g->excel_col_indx) = std::tie(t.source, t.column);
        controls.push_back(g);
    }
    QStringList rows;
    const auto picturePath = [](const SKTGraphic &g) { return g._file_path; };
    for (const DynamicControlRow &row : Dynamic_Control_Rows(controls, picturePath))
        rows << row.join(u',');
    EXPECT_EQ(rows.join(u'|'), u"F_field9,/nowhere/photo 2.png,Y,-1,P|F_label2,F_label2 value,Y,-1,T|"
                               u"F_label3,F_label3 value,N,5,T|B_field3,B_field3 value,Y,6,T|"
                               u"F_label9,F_label9,N,-1,T|F_field2,F_field2,N,-1,T"_s);
}

TEST(DesignCopy, OtherSideGetsItsOwnControlsAndCard)
{
    for (int source : {0, 1}) {
        SCOPED_TRACE(source);
        DesignData d = fullDesign();
        d.excelColumns[10] = 4;
        d.excelColumns[11] = 9;
        const SKTGraphicArray original = source == 0 ? d.frontControls : d.backControls;
        const Card_Property card = source == 0 ? d.front : d.back;
        Copy_Design_To_Other_Side(d, source);
        const SKTGraphicArray &target = source == 0 ? d.backControls : d.frontControls;
        ASSERT_EQ(target.size(), original.size());
        for (size_t i = 0; i < target.size(); ++i) {
            EXPECT_NE(target[i].get(), original[i].get());
            expectSameStoredFields(*original[i], *target[i]);
        }
        expectSameCard(card, source == 0 ? d.back : d.front);
        EXPECT_EQ(d.excelColumns[10], source == 0 ? 4 : 9);
        EXPECT_EQ(d.excelColumns[11], source == 0 ? 4 : 9);
        // Editing one side leaves the other as it was.
        target[1]->Text_Value = QStringLiteral("changed");
        target[0]->_bounds.translate(5, 5);
        EXPECT_NE(original[1]->Text_Value, QStringLiteral("changed"));
        EXPECT_NE(original[0]->_bounds, target[0]->_bounds);
    }
    DesignData empty = fullDesign();
    empty.frontControls.clear();
    Copy_Design_To_Other_Side(empty, 0);
    EXPECT_TRUE(empty.backControls.empty());
}
