#pragma once
// Cropping a list of pictures (a folder, a series, a spreadsheet column) off the GUI thread:
// the worker reads each picture, crops it and writes the file, and touches no widget. Its
// counters may be read from any thread; a stop is honoured between pictures. What the run
// leaves (a series, a spreadsheet column) is recorded afterwards from its entries.

#include "data/batch/RunHold.h"
#include "imaging/CropOperations.h"

#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>
#include <memory>

class Data_From_Excel;

// What to do with an output file that already exists (full tool only).
enum class ExistingFile { Keep, Replace, Cancel };
using ExistingFileQuestion = std::function<ExistingFile(const QString &path)>;
// Asks the user on the GUI thread (Keep / Replace / Cancel, with "apply to all" remembered by
// the returned question itself). `beforeAsking` runs there first, each time the box is shown:
// a window brings forward what the question is about.
ExistingFileQuestion Ask_Keep_Or_Replace(std::function<void()> beforeAsking = {});

struct BatchCropPlan {
    QStringList inputs;         // picture paths in list order
    int target = CropFullTool;  // CropTarget
    QString outputFolder;       // direct modes: where the files go, named after their pictures
    CropOutputNaming naming;    // full tool
    CropSettings settings;
};

class BatchCrop {
public:
    std::atomic<int> current{0};  // number of the picture in work, from 1
    std::atomic<int> total{0};
    std::atomic<bool> stopRequested{false};
    // Before each picture, on the running thread.
    std::function<void(int index, const QString &path)> onPicture;
    ExistingFileQuestion askExisting;  // unset: existing files are asked about through the UI

    // Held while the stop question is open: the run finishes the picture in hand and waits
    // before the next one (and before it ends) until released; a stop requested meanwhile ends
    // it there. The picture in hand asks about an existing file only once released, and not at
    // all after a stop. Whoever holds must release, also on the way out, or the worker waits
    // for good.
    const std::shared_ptr<RunHold> hold = std::make_shared<RunHold>();

    // Crops the plan's pictures in order; one entry per picture worked: the file written, or ""
    // when that picture gave none (missing or unreadable, no face, no area, a failed write).
    QStringList Run(BatchCropPlan plan);
    // Every picture was worked: no stop, no cancelled question.
    bool completed() const { return completed_; }
    // The entries so far, also when the run ended by an exception.
    const QStringList &entries() const { return entries_; }
    // The plan's naming with the names the run handed out counted: the window carries on from
    // it, so its next crop does not take a name this run wrote.
    const CropOutputNaming &naming() const { return naming_; }

private:
    QString targetFor(const BatchCropPlan &plan, const QString &input);
    ExistingFile askOnceAnswered(const QString &path);
    QStringList entries_;
    CropOutputNaming naming_;
    bool completed_ = false;
    bool cancelled_ = false;
};

// Writes the cropped picture where the full tool names it, asking about an existing file;
// the path written, or "" (cancelled or failed; `cancelled` tells which).
QString Write_Full_Tool_Crop(const QImage &picture, const QString &path, const ExistingFileQuestion &ask,
                             bool *cancelled = nullptr);

// The series a batch over a series writes: the chosen series itself (replace), or a new one
// beside it named after it with the first free " (n)".
struct BatchSeriesOutput {
    QString name;
    QString path;
    bool replace = false;
};
BatchSeriesOutput Plan_Batch_Series(const QString &chosen, bool replace);
// A new series gets the lines of the pictures worked, also after a stop; a replaced series is
// written whole only when the run completed, so a stopped or failed run leaves the old one.
// False when the file could not be written.
bool Record_Batch_Series(const BatchSeriesOutput &series, const QStringList &entries, bool completed);

// The title of the column a run over the spreadsheet adds ("Column n", n counting the fixed
// first column), and adding it with one entry per row; answers its index.
QString Batch_Column_Title(const Data_From_Excel &table);
int Record_Batch_Column(Data_From_Excel &table, const QStringList &entries);
