#include "imaging/BatchCrop.h"
#include "data/export/CardExport.h"

#include "core/ControllerImageFiles.h"
#include "core/Utilities.h"
#include "data/SeriesFiles.h"
#include "data/spreadsheet/Data_From_Excel.h"
#include "platform/MainThread.h"
#include "platform/UiServices.h"

#include <QDir>
#include <QFileInfo>
#include <memory>
#include <optional>

ExistingFileQuestion Ask_Keep_Or_Replace(std::function<void()> beforeAsking)
{
    auto remembered = std::make_shared<std::optional<ExistingFile>>();
    return [remembered, beforeAsking = std::move(beforeAsking)](const QString &path) {
        if (*remembered)
            return **remembered;
        bool all = false;
        const int button = platform::runOnGuiThreadFor<int>([&] {
            if (beforeAsking)
                beforeAsking();
            return platform::ui().alert(QFileInfo(path).fileName()
                                            + QStringLiteral("\n\nFile already exists in this location.\n\n"
                                                             "Do you want to Keep or Replace it?"),
                                        {QStringLiteral("Keep"), QStringLiteral("Replace"), QStringLiteral("Cancel")},
                                        QStringLiteral("Apply to all"), &all);
        });
        const ExistingFile answer = button == 0 ? ExistingFile::Keep
                                    : button == 1 ? ExistingFile::Replace
                                                  : ExistingFile::Cancel;
        if (all)
            *remembered = answer;
        return answer;
    };
}

QString Write_Full_Tool_Crop(const QImage &picture, const QString &path, const ExistingFileQuestion &ask,
                             bool *cancelled)
{
    if (cancelled)
        *cancelled = false;
    QString target = path;
    if (QFileInfo::exists(target)) {
        switch (ask ? ask(target) : ExistingFile::Keep) {
        case ExistingFile::Keep: target = Check_Exist_Path_and_Create_New(target); break;
        case ExistingFile::Replace: break;
        case ExistingFile::Cancel:
            if (cancelled)
                *cancelled = true;
            return {};
        }
    }
    return Save_gen_image(picture, target) ? target : QString();
}

QString BatchCrop::targetFor(const BatchCropPlan &plan, const QString &input)
{
    if (plan.target == CropFullTool)
        return naming_.next(input);
    return Check_Exist_Path_and_Create_New(QDir(plan.outputFolder).filePath(QFileInfo(input).fileName()));
}

ExistingFile BatchCrop::askOnceAnswered(const QString &path)
{
    // The picture in hand may meet an existing file while the stop question is open: its own
    // question waits for that answer rather than opening over it, and after a stop none is asked.
    ExistingFile answer = ExistingFile::Cancel;
    hold->runOnGuiThreadWhenAnswered([&] {
        if (!stopRequested)
            answer = askExisting(path);
    });
    return answer;
}

QStringList BatchCrop::Run(BatchCropPlan plan)
{
    completed_ = false;
    cancelled_ = false;
    current = 0;
    total = int(plan.inputs.size());
    naming_ = plan.naming;
    if (!askExisting)
        askExisting = Ask_Keep_Or_Replace();
    QDir().mkpath(plan.target == CropFullTool ? plan.naming.folder : plan.outputFolder);
    QStringList &entries = entries_;
    entries.clear();
    for (int i = 0; i < plan.inputs.size(); ++i) {
        hold->waitWhileHeld();
        if (stopRequested || cancelled_)
            break;
        current = i + 1;
        const QString input = plan.inputs.at(i).trimmed();
        if (onPicture)
            onPicture(i, input);
        QString written;
        const QImage cropped = Crop_Picture_File(input, plan.settings);
        if (!cropped.isNull()) {
            const QString target = targetFor(plan, input);
            if (plan.target == CropFullTool)
                written = Write_Full_Tool_Crop(
                    cropped, target, [this](const QString &path) { return askOnceAnswered(path); }, &cancelled_);
            else if (Save_gen_image(cropped, target))
                written = target;
        }
        entries.append(written);
    }
    // A question asked during the last picture is answered before the run reports its end.
    hold->waitWhileHeld();
    // A stop asked for during the last picture came too late to leave anything out.
    completed_ = !cancelled_ && entries.size() == plan.inputs.size();
    return entries;
}

BatchSeriesOutput Plan_Batch_Series(const QString &chosen, bool replace)
{
    BatchSeriesOutput out;
    out.replace = replace;
    out.name = replace ? chosen : Remove_Reserve_Char_In_File_Name(chosen);
    out.path = Series_File_Path(out.name);
    if (!replace) {
        out.path = Check_Exist_Path_and_Create_New(out.path);
        out.name = QFileInfo(out.path).completeBaseName();
    }
    return out;
}

bool Record_Batch_Series(const BatchSeriesOutput &series, const QStringList &entries, bool completed)
{
    if (series.replace && !completed)
        return true;  // the old series stays as it was
    return Write_Series_File(series.path, entries);
}

QString Batch_Column_Title(const Data_From_Excel &table)
{
    return QStringLiteral("Column %1").arg(table.ColList.size() + 1);
}

int Record_Batch_Column(Data_From_Excel &table, const QStringList &entries)
{
    const int column = table.appendColumn(Batch_Column_Title(table));
    const QString key = Data_From_Excel::keyOf(column);
    for (int row = 0; row < table.rowCount(); ++row)
        table.setObjectValue(row, key, entries.value(row));
    table.reload();
    return column;
}
