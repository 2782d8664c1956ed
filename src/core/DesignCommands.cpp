#include "core/DesignCommands.h"

#include "core/DesignFile.h"
#include "core/Globals.h"
#include "core/Utilities.h"
#include "platform/MainThread.h"
#include "platform/UiServices.h"
#include "platform/WholeFile.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The save before Open, Close and Exit: Yes must end in a written file to go on.
bool offerSave(const QString &question, const DesignSaver &save)
{
    switch (Show_YES_NO_Cancel_MessageBox(question)) {
    case platform::AnswerYes: return save && save();
    case platform::AnswerNo: return true;
    default: return false;
    }
}

QString withDesignExtension(const QString &path)
{
    if (QFileInfo(path).suffix().compare(design_file_EXT, Qt::CaseInsensitive) == 0)
        return path;
    return path + QLatin1Char('.') + design_file_EXT;
}

QString removeAll(QString text, const QString &a, const QString &b)
{
    return Trim_Str(text.remove(a).remove(b));
}

}  // namespace

DesignSaveOutcome Save_project_file(const DesignData &design, const QString &currentPath,
                                    const DesignSaveRequest &request)
{
    DesignSaveOutcome outcome;
    outcome.path = currentPath;
    QString path = request.saveAs ? QString() : Trim_Str(currentPath);
    if (path.isEmpty()) {
        const QString folder = Trim_Str(currentPath).isEmpty() ? QDir::homePath() : QFileInfo(currentPath).absolutePath();
        const QString chosen = platform::ui().saveFile(QStringLiteral("Save"), folder, QString(), {design_file_EXT});
        if (chosen.isEmpty())
            return outcome;  // Cancelled: nothing written, nothing shown, the path unchanged
        path = withDesignExtension(chosen);
    }

    DesignData toWrite = design;
    toWrite.modeLetter = Start_Card_Option;
    const bool asTemplate = request.mode == QLatin1String("T");
    if (request.writing)
        request.writing(true, path);
    const DesignWriteResult written = Write_Design_File(path, toWrite, asTemplate);
    if (request.writing)
        request.writing(false, path);
    if (written.status == DesignWriteResult::BuildFailed) {
        Show_NSLog_Message(written.reason);
        Show_MessageBox(written.message());
        outcome.status = DesignSaveOutcome::Failed;
        return outcome;
    }
    if (written.status == DesignWriteResult::TooLarge) {
        Show_MessageBox(written.reason);
        outcome.status = DesignSaveOutcome::Failed;
        return outcome;
    }
    outcome.status = written.ok() ? DesignSaveOutcome::Saved : DesignSaveOutcome::Failed;
    // The design takes the chosen file only once it holds the design: a Save As that failed
    // leaves the design on the file it came from, which is still as it was last saved.
    if (written.ok())
        outcome.path = path;
    if (!written.ok())
        Show_NSLog_Message(QStringLiteral("Saving %1 failed: %2").arg(path, written.reason));
    if (request.showMessages) {
        if (written.ok()) {
            Show_MessageBox(QStringLiteral("File has been saved successfully."));
        } else {
            Show_MessageBox(platform::withReason(
                QStringLiteral("Unable to save file on this location please select any other location to save."),
                written.reason));
            if (!request.saveAs)
                outcome.path.clear();  // its own file could not take it: the design counts as unsaved
        }
        outcome.retitle = true;
    }
    return outcome;
}

bool Close_Document_Decision(const DesignSaver &save)
{
    return offerSave(QStringLiteral("Do you want to save changes?"), save);
}

bool Exit_App_Decision(const DesignSaver &save)
{
    if (!offerSave(QStringLiteral("Do you want to save changes before closing?"), save))
        return false;
    return Show_YES_NO_MessageBox(QStringLiteral("\nDo you really want to exit?")) == 1;
}

DesignOpenOutcome Open_Design_Decision(const DesignSaver &save, const QString &startFolder)
{
    if (!offerSave(QStringLiteral("Do you want to save changes before opening document?"), save))
        return {};
    return Open_Design_From_Panel(startFolder);
}

DesignOpenOutcome Open_Design_From_Panel(const QString &startFolder)
{
    DesignOpenOutcome outcome;
    const QString path = platform::ui().openFile(QStringLiteral("Open"), startFolder, {design_file_EXT});
    if (path.isEmpty())
        return outcome;
    outcome.path = path;
    DesignReadResult read = Read_Design_File(path);
    if (!read.ok()) {
        Show_Design_Refusal(path, read);
        outcome.status = DesignOpenOutcome::Refused;
        return outcome;
    }
    outcome.status = DesignOpenOutcome::Loaded;
    outcome.design = std::move(read.design);
    return outcome;
}

QString Start_Mode_After_Load(const QString &currentMode, const DesignData &design, bool readTable)
{
    const QString g = QStringLiteral("G");
    if (currentMode == g || design.modeLetter == g)
        return g;
    if (readTable && design.Excel_Binding_Use && design.excelColumns[0] != -1)
        return g;
    return QStringLiteral("L");
}

std::vector<TableColumnHeader> Table_Column_Headers(const QStringList &columnTitles)
{
    std::vector<TableColumnHeader> headers;
    for (int i = 1; i < columnTitles.size(); ++i) {
        const QString title = columnTitles[i];
        headers.push_back({QStringLiteral("Column%1").arg(i),
                           title.isEmpty() ? QStringLiteral("Untitled Column %1").arg(i + 1) : title});
    }
    return headers;
}

std::vector<DynamicControlRow> Dynamic_Control_Rows(const SKTGraphicArray &controls,
                                                    const std::function<QString(const SKTGraphic &)> &imageValue)
{
    std::vector<DynamicControlRow> rows;
    for (const SKTGraphicPtr &g : controls) {
        if (!g || (g->kind() != SKTGraphicKind::Text && g->kind() != SKTGraphicKind::Image))
            continue;
        const QString &id = g->control_ID;
        if (id.isEmpty() || id.contains(QLatin1String("Fup_")) || id.contains(QLatin1String("F_Pic")))
            continue;
        const bool text = g->kind() == SKTGraphicKind::Text;
        const QString value = text ? g->Text_Value : (imageValue ? imageValue(*g) : g->_file_path);
        rows.push_back({id, value, g->ctrl_is_visible ? QStringLiteral("Y") : QStringLiteral("N"),
                        g->data_source_type == 2 ? QString::number(g->excel_col_indx) : QStringLiteral("-1"),
                        text ? QStringLiteral("T") : QStringLiteral("P")});
    }
    Pair_Dynamic_Control_Rows(rows);
    return rows;
}

void Pair_Dynamic_Control_Rows(std::vector<DynamicControlRow> &rows)
{
    const QString fLabel = QStringLiteral("F_label"), bLabel = QStringLiteral("B_label");
    const QString fField = QStringLiteral("F_field"), bField = QStringLiteral("B_field");
    const size_t n = rows.size();  // rows added by this pass are not visited
    auto firstOf = [&rows](size_t i) { return rows[i].isEmpty() ? QString() : rows[i][0]; };
    auto anyStem = [&](const QString &stem, const QString &a, const QString &b) {
        for (size_t j = 0; j < n; ++j) {
            if (removeAll(firstOf(j), a, b) == stem)
                return true;
        }
        return false;
    };
    for (size_t i = 0; i < n; ++i) {
        const QString id = firstOf(i);
        const bool label = id.contains(QLatin1String("_label"));
        const bool field = id.contains(QLatin1String("_field"));
        if (!label && !field)
            continue;
        const QString labelStem = removeAll(id, fLabel, bLabel);
        const QString fieldStem = removeAll(id, fField, bField);
        bool paired = label && anyStem(labelStem, fField, bField);
        if (!paired && field)
            paired = anyStem(fieldStem, fLabel, bLabel);
        if (paired)
            continue;
        const QString name = label ? fField + labelStem : fLabel + fieldStem;
        rows.push_back({name, name, QStringLiteral("N"), QStringLiteral("-1"), QStringLiteral("T")});
    }
}

SKTGraphicArray Deep_Copy_Controls(const SKTGraphicArray &controls)
{
    SKTGraphicArray copies;
    copies.reserve(controls.size());
    for (const SKTGraphicPtr &g : controls) {
        if (g)
            copies.push_back(g->clone());
    }
    return copies;
}

void Copy_Design_To_Other_Side(DesignData &design, int sourceSide)
{
    const bool fromFront = sourceSide == 0;
    const SKTGraphicArray &source = fromFront ? design.frontControls : design.backControls;
    SKTGraphicArray copies = Deep_Copy_Controls(source);
    if (fromFront) {
        design.backControls = std::move(copies);
        design.back = design.front;
        design.excelColumns[11] = design.excelColumns[10];
    } else {
        design.frontControls = std::move(copies);
        design.front = design.back;
        design.excelColumns[10] = design.excelColumns[11];
    }
}

void Show_Design_Refusal(const QString &path, const DesignReadResult &read)
{
    Show_NSLog_Message(QStringLiteral("%1: %2").arg(path, read.detail));
    // Which file, the reader's sentence, and why: the user can tell a damaged file from a wrong one.
    QString text = QStringLiteral("\u201C%1\u201D\n\n%2").arg(QFileInfo(path).fileName(), read.error);
    if (!read.detail.isEmpty() && read.detail != read.error)
        text += QStringLiteral("\n\nReason: %1.").arg(read.detail);
    platform::runOnGuiThread([&] { platform::ui().warning(text); });
}
