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

namespace {

QStringList kindsOf(const platform::ScriptedUiServices &ui)
{
    QStringList kinds;
    for (const auto &r : ui.requests())
        kinds << r.kind;
    return kinds;
}

const QString kSaved = QStringLiteral("File has been saved successfully.");
const QString kUnable = QStringLiteral("Unable to save file on this location please select any other location to save.");

}  // namespace

TEST(DesignSave, PathsPanelsAndMessages)
{
    QTemporaryDir dir;
    const QString existing = dir.filePath(QStringLiteral("current.did"));
    const QString chosen = dir.filePath(QStringLiteral("chosen"));
    archivetest::ScopedStartMode mode(QStringLiteral("G"));
    const DesignData design = fullDesign();

    // `written`: the file expected to exist afterwards ("" none).
    const struct { const char *name; QString current; DesignSaveRequest request;
        std::vector<platform::ScriptedUiServices::Answer> script; DesignSaveOutcome::Status status;
        QString pathAfter, written; QStringList boxes; }
    cases[] = {
        {"save to the current path", existing, {false, true, "L"}, {}, DesignSaveOutcome::Saved, existing, existing,
         {QStringLiteral("message")}},
        {"unsaved design asks for a path", QString(), {false, true, "L"}, {chosen}, DesignSaveOutcome::Saved,
         chosen + QStringLiteral(".did"), chosen + QStringLiteral(".did"), {QStringLiteral("saveFile"), QStringLiteral("message")}},
        {"blanks count as no path", QStringLiteral("   "), {false, true, "L"}, {QString()}, DesignSaveOutcome::Cancelled,
         QStringLiteral("   "), QString(), {QStringLiteral("saveFile")}},
        {"save as then cancel keeps the path", existing, {true, true, "L"}, {QString()}, DesignSaveOutcome::Cancelled,
         existing, QString(), {QStringLiteral("saveFile")}},
        {"silent save shows nothing", existing, {false, false, "L"}, {}, DesignSaveOutcome::Saved, existing, existing, {}},
        {"unwritable place, with messages", dir.filePath(QStringLiteral("no/such/x.did")), {false, true, "L"}, {},
         DesignSaveOutcome::Failed, QString(), QString(), {QStringLiteral("message")}},
        {"unwritable place, silent keeps the path", dir.filePath(QStringLiteral("no/such/x.did")), {false, false, "L"}, {},
         DesignSaveOutcome::Failed, dir.filePath(QStringLiteral("no/such/x.did")), QString(), {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(existing);
        QFile::remove(chosen + QStringLiteral(".did"));
        platform::ScopedScriptedUi ui;
        for (const auto &a : c.script)
            ui->push(a);
        const DesignSaveOutcome outcome = Save_project_file(design, c.current, c.request);
        EXPECT_EQ(outcome.status, c.status);
        EXPECT_EQ(outcome.path, c.pathAfter);
        EXPECT_EQ(kindsOf(*ui), c.boxes);
        EXPECT_EQ(outcome.retitle, c.request.showMessages && c.status != DesignSaveOutcome::Cancelled);
        if (c.boxes.contains(QStringLiteral("message"))) {
            EXPECT_TRUE(ui->messages().last().endsWith(c.status == DesignSaveOutcome::Saved ? kSaved : kUnable));
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
    const struct { const char *name; int answer; bool saveWorks; bool reallyExit; bool closeGoesOn; bool exitGoesOn;
        int saves; }
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
        const DesignSaver save = [&] {
            ++saves;
            return c.saveWorks;
        };
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
        EXPECT_EQ(saves, 2 * c.saves);
    }
}

TEST(DesignCommands, OpenChoosesAndChecksTheFileBeforeAnythingIsReset)
{
    QTemporaryDir dir;
    const QString good = dir.filePath(QStringLiteral("good.did"));
    ASSERT_TRUE(Write_Design_File(good, fullDesign(), false).ok());
    const QString bad = dir.filePath(QStringLiteral("bad.did"));
    {
        QFile f(bad);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(fileBytes(good).left(3000));
    }
    const QString question = QStringLiteral("Do you want to save changes before opening document?");
    const struct { const char *name; std::vector<platform::ScriptedUiServices::Answer> script; bool saveWorks;
        DesignOpenOutcome::Status status; QStringList requests; }
    cases[] = {
        {"cancel the question", {AnswerCancel}, true, DesignOpenOutcome::Cancelled, {"yesNoCancel"}},
        {"yes but the save failed", {AnswerYes}, false, DesignOpenOutcome::Cancelled, {"yesNoCancel"}},
        {"cancel the panel", {AnswerNo, QString()}, true, DesignOpenOutcome::Cancelled, {"yesNoCancel", "openFile"}},
        {"a corrupt file", {AnswerNo, bad}, true, DesignOpenOutcome::Refused, {"yesNoCancel", "openFile", "message"}},
        {"a missing file", {AnswerNo, dir.filePath(QStringLiteral("gone.did"))}, true, DesignOpenOutcome::Refused,
         {"yesNoCancel", "openFile", "message"}},
        {"saved, then a good file", {AnswerYes, good}, true, DesignOpenOutcome::Loaded, {"yesNoCancel", "openFile"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        platform::ScopedScriptedUi ui;
        for (const auto &a : c.script)
            ui->push(a);
        const DesignOpenOutcome outcome = Open_Design_Decision([&] { return c.saveWorks; }, dir.path());
        EXPECT_EQ(outcome.status, c.status);
        EXPECT_EQ(kindsOf(*ui), c.requests);
        EXPECT_EQ(ui->requests()[0].text, question);
        EXPECT_EQ(outcome.design.has_value(), c.status == DesignOpenOutcome::Loaded);
        if (c.status == DesignOpenOutcome::Refused) {
            EXPECT_EQ(ui->messages().last(), QStringLiteral("\nFile is corrupt and cannot be opened."));
        }
        if (outcome.design) {
            EXPECT_EQ(outcome.design->frontControls.size(), 6u);
        }
    }
}

TEST(DesignLoad, StartModeAfterLoading)
{
    const struct { const char *current; const char *file; bool binding; int column1; bool readTable;
        const char *expected; }
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
        EXPECT_EQ(Start_Mode_After_Load(QLatin1String(c.current), d, c.readTable), QLatin1String(c.expected))
            << c.current << " " << c.file << " " << c.binding << " " << c.column1 << " " << c.readTable;
    }
}

TEST(DesignLoad, TableHeadersSkipTheFirstColumnAndNameEmptyOnes)
{
    const std::vector<TableColumnHeader> h =
        Table_Column_Headers({QStringLiteral("No"), QStringLiteral("Name"), QStringLiteral("Title"), QString()});
    ASSERT_EQ(h.size(), 3u);
    EXPECT_EQ(h[0].identifier, QStringLiteral("Column1"));
    EXPECT_EQ(h[0].title, QStringLiteral("Name"));
    EXPECT_EQ(h[2].identifier, QStringLiteral("Column3"));
    EXPECT_EQ(h[2].title, QStringLiteral("Untitled Column 4"));
    EXPECT_TRUE(Table_Column_Headers({QStringLiteral("only")}).empty());
}

TEST(DesignLoad, DynamicControlRowsAndTheirPartners)
{
    auto text = [](const QString &id, bool visible, int source, int column) {
        auto g = storedControl(SKTGraphicKind::Text, 1);
        g->control_ID = id;
        g->Text_Value = id + QStringLiteral(" value");
        g->ctrl_is_visible = visible;
        g->data_source_type = source;
        g->excel_col_indx = column;
        return g;
    };
    auto image = storedControl(SKTGraphicKind::Image, 2);
    image->control_ID = QStringLiteral("F_field9");
    SKTGraphicArray controls{text(QStringLiteral("F_label2"), true, 0, 0),
                             text(QStringLiteral("F_label3"), false, 2, 5),
                             text(QStringLiteral("B_field3"), true, 2, 6),
                             text(QStringLiteral("Fup_Name"), true, 0, 0),
                             text(QStringLiteral("F_Pic1"), true, 0, 0),
                             text(QString(), true, 0, 0),
                             storedControl(SKTGraphicKind::Shape, 1),
                             image};
    const std::vector<DynamicControlRow> rows =
        Dynamic_Control_Rows(controls, [](const SKTGraphic &g) { return QStringLiteral("orig:") + g._file_path; });
    const std::vector<DynamicControlRow> expected{
        {"F_label2", "F_label2 value", "Y", "-1", "T"},
        {"F_label3", "F_label3 value", "N", "5", "T"},
        {"B_field3", "B_field3 value", "Y", "6", "T"},
        {"F_field9", "orig:/nowhere/photo 2.png", "Y", "-1", "P"},
        {"F_field2", "F_field2", "N", "-1", "T"},
        {"F_label9", "F_label9", "N", "-1", "T"},
    };
    EXPECT_EQ(rows, expected);
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
