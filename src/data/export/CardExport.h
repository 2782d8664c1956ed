#pragma once
// Cards written to files: the card with its designed values once, or one card per data row into
// the folder "VELK ID Card" under a chosen folder, named "Card_<n>" with the side's suffix.
//
// Rows are filled into copies of the sides and encoded on every core at once (the open design is
// never touched); the files are named and written on the calling thread in row order, so the
// keep-or-replace question and the numbering come out as one thread would make them. Stop is
// honoured between rows. Raster formats are painted at the chosen resolution and encoded as their
// extension names; PDF pages are vector (texts stay texts, barcodes stay bars).
//
//     CardExport run(BatchDesign::Take(...), choice);
//     run.Export_Batch_File(folder, first, end);   // blocking; call it from a worker

#include "core/SKTGraphic.h"
#include "data/batch/BatchEngine.h"
#include "data/batch/RunHold.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>
#include <memory>
#include <vector>

// What the export sheet chose for a run.
struct ExportChoice {
    QString export_card_side = QStringLiteral("F");  // "F", "B" or "BOTH"
    QString format = QStringLiteral("png");          // the extension: png jpg bmp tiff pdf eps
    bool combined = false;    // "BOTH" as one image of both sides
    bool sideBySide = false;  // combined: side by side, otherwise front above back
    int mirror = -1;          // -1 none, 0 horizontal, 1 vertical
    double dpi = 600;         // raster formats, and what an EPS must flatten; PDF and EPS are vector
};

// Answers of the keep-or-replace question (`replace_keep_file_flag`).
enum KeepReplaceCode { Replace_This = 0, Keep_This = 1, Replace_All = 2, Keep_All = 3, Cancel_This = 4, Cancel_All = 5 };

// The side's path: the last component's name with "_Front" / "_Back" before its extension.
QString Create_Front_Card_Path(const QString &path);
QString Create_Back_Card_Path(const QString &path);
// A path that names no existing file: the path itself (extension lower-cased) when it is free,
// otherwise "<name> (<n>).<ext>" with the first free n (counting on from an "(n)" the name has).
QString Check_Exist_Path_and_Create_New(const QString &path);

// What the finished box says of a batch: success when every card was written whole, otherwise
// how many of how many (a Keep, a Cancel or Stop, a failed write left the rest unwritten).
QString Exported_Cards_Message(int exported, int cards);

// One file of a card: its name's suffix ("_Back", "_Front" or none for one combined image) and
// its encoded bytes, or the reason there are none.
struct ExportFile {
    QString suffix;
    QByteArray bytes;
    QString error;
};

class CardExport {
public:
    CardExport(BatchDesign design, ExportChoice choice);

    const ExportChoice &choice() const { return m_choice; }

    // The files of row `row` (-1: the design's own values) in the order they are written, back
    // before front; any thread.
    std::vector<ExportFile> Render_Row(int row) const;

    // Writes `bytes` at `path`; unless `skipCheck`, an existing file is kept or replaced by the
    // run's answer or the question's. Answers the path written, empty when nothing was.
    QString Export_File_Function(QString path, const QByteArray &bytes, bool skipCheck);

    // Rows first .. end-1 (from 0) into parent/"VELK ID Card" on every core, then the finished
    // box. Blocking; boxes are shown on the GUI thread. Answers the number of files written.
    int Export_Batch_File(const QString &parent, int first, int end);
    // The design's own values at `path` ("_Front"/"_Back" added as the choice needs); `show`
    // (the Export command) has asked about existing files already and ends in the finished box.
    int Export_Single_File(const QString &path, bool show);
    // Every path the single export of `path` would write, in order.
    QStringList Single_File_Paths(const QString &path, bool show) const;

    // The progress sheet's Stop: the run ends before its next row (a held run goes on to end).
    void Stop();
    // Held while the stop question is open: the row in hand is written whole, then the run waits
    // for the answer; its keep-or-replace questions and the finished box wait for it too. Shared
    // with the sheet that asks, which may outlive the run.
    std::shared_ptr<RunHold> hold = std::make_shared<RunHold>();
    // Before each row's files are named and written, on the run's thread.
    std::function<void(int row)> onRow;

    // Shared with the progress sheet's timer and the boxes.
    std::atomic<int> replace_keep_file_flag{Replace_This};
    std::atomic<bool> Stop_SMS_Sending_Now{false};
    std::atomic<int> curr_card_count{0};
    std::atomic<int> show_count{0};

    // Run on the GUI thread when a batch's rows are done, before the finished box.
    std::function<void()> Hide_One_By_One_Modeless;

    // What the finished box offers, and every file written in order.
    bool check_any_card_exported = false;
    QString Export_File_Path, Export_Back_File_Path, Export_File_Message;
    QStringList written;

private:
    // The path a file of the run goes to after the keep-or-replace rule (asking when needed);
    // empty when it is not to be written.
    QString Path_To_Write(QString path, bool skipCheck);
    // Cancel in the keep-or-replace box ends the job whether or not it applies to all (the
    // box's Cancel and Stop both set the stop flag).
    bool Job_Cancelled() const;
    // Records a written file for the finished box and the run's list.
    void Note_Written(const QString &path);

    BatchDesign m_design;
    ExportChoice m_choice;
    QString m_writeError;
};

// The finished box: shown only when a file was written; OK with its check box on opens the path
// (and the back file of a two-file export). Answers whether it was shown.
bool Open_Export_File_Box(const CardExport &run);
