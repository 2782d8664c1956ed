#pragma once
// The export sheet and the Export command built on it.
//
// The sheet chooses sides, format, resolution, the combined image, mirroring, the data sources
// and the range; OK leaves an ExportChoice and the run's rows. The command then writes one card
// to a file chosen in a save panel, or one card per data row into a chosen folder on a worker
// thread while a progress sheet counts the cards every 0.5 s and offers Stop.

#include "data/batch/BatchEngine.h"
#include "data/export/CardExport.h"

#include <QDialog>
#include <QPointer>
#include <QThread>
#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QRadioButton;
class QSpinBox;
class Send_Modeless;

class ExportSheet : public QDialog {
    Q_OBJECT
public:
    explicit ExportSheet(QWidget *parent = nullptr);

    // Outlets (objectName = outlet name). The side matrix holds both, front, back; the
    // resolution selector applies to every format but PDF, whose page is vector.
    QWidget *matrix_export_card_side, *mirror_matrix;
    QRadioButton *side_both, *side_front, *side_back, *mirror_horizontal, *mirror_vertical;
    QCheckBox *export_combined_image_chk, *combined_image_H_or_V_chk, *mirror_chk_box, *Export_with_batch_chk,
        *Export_with_excel_chk;
    QComboBox *fileFormatPopup, *saveDPIText;
    // The format matrix beside the pop-up: one cell per format, each mirroring the pop-up's item
    // of the same index.
    QWidget *matrix_file_type;
    QGroupBox *export_range_box;
    QRadioButton *All_print_rd, *Sel_print_rd;
    QSpinBox *Total_Text, *from_Text, *To_Text;
    QLabel *tot_label, *from_label, *to_label;

    // The starting state of an export: first format, no mirror, not combined, "All", the sides
    // by the card, the sources by what the design uses (none in visitor mode).
    void Reset(bool twoSided, bool visitorMode, const BatchSource &source);

    ExportChoice choice() const;
    // Every format the sheet writes (extensions), the chosen one first.
    QStringList formats() const;
    // The data as the user left it: the use flags of the check boxes and the card count.
    BatchSource source;
    // Set by OK: rows Print_Start .. Total_Label-1 (from 0); Print_End the range's "To".
    int Print_Start = 0, Print_End = 0, Total_Label = 1;
    // A data source is on: one card per row into a folder.
    bool batch() const;
    // The number of cards a batch shows in its progress.
    int show_count() const;

    void Set_Tot_Value(int value, int max, const QString &setFor);

public slots:
    void exportOkay();
    void exportCancel();
    void export_card_side_CellClick();
    void exportFileTypeChanged();
    void export_file_type_CellClick();
    void Mirror_image_chk_clicked();
    void Export_With_Batch_Changed();
    void Export_With_Excel_Changed();
    void All_print_RD_Clicked();
    void Sel_Print_RD_Clicked();
    void Set_Enable_Diable_Range_Box();
};

// What the window hands the Export command: a snapshot of the design and its data.
struct ExportRequest {
    BatchDesign design;
    bool twoSided = true;
    bool visitorMode = false;
};

// The question before files are replaced, naming each ("Card_1_Back and Card_1_Front already
// exist. Do you want to replace them?").
QString Replace_Question(const QStringList &names);

class ExportCommand : public QObject {
    Q_OBJECT
public:
    explicit ExportCommand(QWidget *window);
    ~ExportCommand() override;

    ExportSheet *sheet() const { return m_sheet; }
    Send_Modeless *progress() const { return m_progress; }
    // The number in the file name the save panel suggests, kept for the whole session.
    int export_card_counter = 1;

    // Runs the command. A batch goes on in the background: the call returns while it runs. A
    // bound series that could not be read is said, and nothing runs.
    void Export_Button(ExportRequest request);
    bool running() const { return m_thread != nullptr; }
    // Waits for a running batch, keeping the events flowing (its boxes need them).
    void waitForRun();
    // The last run, kept until the next one.
    CardExport *lastRun() const { return m_run.get(); }
    // Handed to each batch run: called before each row is written, on the run's thread.
    std::function<void(int row)> onRow;

signals:
    void finished();

private:
    void singleRoad(ExportRequest &request);
    QWidget *m_window;
    ExportSheet *m_sheet;
    Send_Modeless *m_progress;
    std::unique_ptr<CardExport> m_run;
    QPointer<QThread> m_thread;
};
