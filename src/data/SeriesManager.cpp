#include "data/SeriesManager.h"

#include "core/Utilities.h"
#include "data/ImportWizard.h"
#include "data/SeriesFiles.h"
#include "data/export/ExportDialogs.h"
#include "data/spreadsheet/SpreadsheetWriter.h"
#include "platform/UiServices.h"
#include "platform/WholeFile.h"

#include <QFileInfo>
#include <algorithm>
#include <optional>

QString Export_File_Path;
QString Export_File_Message;

namespace {
// The application's own writer and box unless a caller installs others: a spreadsheet export
// and its finished box never depend on a join made elsewhere.
SeriesWorkbookWriter &workbookWriter()
{
    static SeriesWorkbookWriter w = [](const QString &path, const QList<QStringList> &rows, bool hasTitleRow) {
        return SpreadsheetWriter::WriteWorkbook(path, rows, hasTitleRow);
    };
    return w;
}
SeriesExportFinishedBox &finishedBox()
{
    static SeriesExportFinishedBox b = [] {
        if (Open_Export_Log::Open(Export_File_Path, Export_File_Message) == 1)
            platform::Open_Or_Explain(Export_File_Path);
    };
    return b;
}
SeriesImportWizard &importWizard()
{
    static SeriesImportWizard w = &Open_Import_Wizard;
    return w;
}

template <typename T>
T swapIn(T &slot, T value)
{
    std::swap(slot, value);
    return value;
}

const QString kErrorFile = QStringLiteral("Error in file accessing.");

void removeRows(QStringList &list, QList<int> rows)
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
        if (*it >= 0 && *it < list.size())
            list.removeAt(*it);
    }
}
}  // namespace

SeriesWorkbookWriter Set_Series_Workbook_Writer(SeriesWorkbookWriter w) { return swapIn(workbookWriter(), std::move(w)); }
SeriesExportFinishedBox Set_Series_Export_Finished_Box(SeriesExportFinishedBox b)
{
    return swapIn(finishedBox(), std::move(b));
}
SeriesImportWizard Set_Series_Import_Wizard(SeriesImportWizard w) { return swapIn(importWizard(), std::move(w)); }
const SeriesImportWizard &Series_Import_Wizard() { return importWizard(); }

bool Save_Series(const QStringList &values, const QString &typedName, const QString &oldName)
{
    const QString name = Valid_Series_Name(typedName);
    if (name.isEmpty()) {
        Show_MessageBox(Empty_Name_Message(typedName, QStringLiteral("Please enter valid series name.")));
        return false;
    }
    const bool renamed = name != oldName;
    if (!oldName.isEmpty() && Series_In_Use(oldName)) {
        Show_MessageBox(QStringLiteral("Batch Processing Series can't be update because it is currently in use."));
        return false;
    }
    // The series that would be replaced is tested too, under the name the file really gets.
    if (renamed && Series_In_Use(name)) {
        Show_MessageBox(QStringLiteral("Batch Processing Series can't be create because it is currently in use."));
        return false;
    }
    const QString target = Series_File_Path(name);
    const bool targetExisted = QFileInfo::exists(target);
    if (targetExisted && renamed
        && Show_YES_NO_MessageBox(QStringLiteral("Batch Processing Series already exists. Do you want to replace it?"))
               != 1)
        return false;
    Export_File_Path = target;
    QString why;
    const bool written = Write_Series_File(
        target,
        [&](const auto &add) {
            for (const QString &v : values) {
                const QString value = Trim_Str(v);
                if (!value.isEmpty())
                    add(value);
            }
        },
        &why);
    if (!written) {
        Show_MessageBox(platform::withReason(kErrorFile, why));
        return false;
    }
    // A move to a free name; replacing another series leaves the one opened where it was.
    if (!oldName.isEmpty() && renamed && !targetExisted)
        Delete_File(Series_File_Path(oldName));
    return true;
}

bool Delete_Series(const QStringList &names)
{
    bool anyInUse = false;
    bool asking = true;  // until "Apply to All" is ticked, for this deletion only
    for (const QString &name : names) {
        if (Series_In_Use(name)) {
            anyInUse = true;
            if (asking) {
                bool applyToAll = false;
                platform::ui().alert(QStringLiteral("Series is in use\n\n%1\n\nBatch Processing Series can't be delete "
                                                    "because it is currently in use.")
                                         .arg(name),
                                     {QStringLiteral("OK")}, QStringLiteral("Apply to All"), &applyToAll);
                asking = !applyToAll;
            }
        } else {
            Delete_File(Series_File_Path(name));
        }
    }
    return anyInUse;
}

int Delete_Value_Rows(QStringList &values, QList<int> selected, int current)
{
    removeRows(values, std::move(selected));
    return current - 1 >= 0 && current - 1 < values.size() ? current - 1 : -1;
}

int Delete_Series_Rows(QStringList &names, QList<int> selected)
{
    const int last = selected.isEmpty() ? -1 : *std::max_element(selected.begin(), selected.end());
    removeRows(names, std::move(selected));
    if (last >= 0 && last < names.size())
        return last;
    return names.isEmpty() ? -1 : 0;
}

QString Export_Series_Values(const QStringList &values, const QString &destination, QWidget *waitOver)
{
    QString path = destination;
    const QString ext = QFileInfo(path).suffix().toLower();
    bool written = false;
    QString why;
    std::optional<Plz_Wait_Scope> waiting;
    waiting.emplace(waitOver, Long_Work_For_Values(values.size()));
    if (ext == QLatin1String("xlsx")) {
        QList<QStringList> rows{{QStringLiteral("Batch Value")}};
        for (const QString &v : values)
            rows.append(QStringList{v});
        written = workbookWriter() && workbookWriter()(path, rows, false);
    } else {
        if (ext != QLatin1String("txt"))
            path += QStringLiteral(".txt");
        written = Write_Series_File(path, values, &why);
    }
    waiting.reset();
    if (!written) {
        Show_MessageBox(platform::withReason(kErrorFile, why));
        return {};
    }
    Export_File_Message = QStringLiteral("Record has been exported successfully.");
    Export_File_Path = path;
    if (finishedBox())
        finishedBox()();
    else
        Show_MessageBox(Export_File_Message);
    return path;
}
