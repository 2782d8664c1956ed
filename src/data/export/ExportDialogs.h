#pragma once
// The small windows of long runs: the keep-or-replace question, the progress sheet with its Stop
// button, the export-finished box, the "please wait" sheet, and the format chooser a save panel
// carries. Each modal one runs through platform::ui().runModal, so tests script its answer.

#include <QDialog>
#include <QPointer>
#include <QString>
#include <atomic>
#include <functional>
#include <memory>

class RunHold;
class QCheckBox;
class QComboBox;
class QFileDialog;
class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

// Asks what to do with a file that exists: Keep (1, with "apply to all" 3), Replace (0 / 2) or
// Cancel (4 / 5).
class Replcae_Confirm_Box : public QDialog {
    Q_OBJECT
public:
    explicit Replcae_Confirm_Box(QWidget *parent = nullptr);
    QLabel *_Msg_Title, *_Msg_Val, *path_control;
    QCheckBox *apply_chk;
    int Open_Replace_Dialog(const QString &title, const QString &message, const QString &path, bool showApplyAll);
    // From any thread: the question is asked on the GUI thread and the caller waits for its code.
    static int Open_box_in_thread(const QString &title, const QString &message, const QString &path,
                                  bool showApplyAll);

public slots:
    void Keep_Pressed();
    void Replace_Pressed();
    void CancelPressed();

private:
    int m_code = 4;
};

// The export-finished box: the message and a check box to open what was written. 1 when OK was
// pressed with the check box on.
class Open_Export_Log : public QDialog {
    Q_OBJECT
public:
    Open_Export_Log(const QString &path, const QString &message, QWidget *parent = nullptr);
    QCheckBox *open_chk;
    static int Open(const QString &path, const QString &message);
};

// The progress sheet of a run: "<done> / <total>" and a bar, refreshed every 0.5 s from the
// counts the run keeps; Stop asks first, holding the run meanwhile, then calls `onStop`. It stays
// until the run ends: closing it would leave the run going on out of reach of Stop.
class Send_Modeless : public QDialog {
    Q_OBJECT
public:
    explicit Send_Modeless(QWidget *parent = nullptr);
    QLabel *tot_label, *_tot_msg_cnt, *_curr_msg_cnt;
    QProgressBar *_Curr_Progress, *Round_Progress;
    QPushButton *_stop_btn;
    QLabel *pause_label;  // a mail run's pause countdown, empty otherwise
    std::function<void()> onStop;
    // The run held while Stop's question is open (none: the run goes on meanwhile).
    std::shared_ptr<RunHold> hold;

    // Shows the sheet for `total` cards and polls `done` every 0.5 s until Hide.
    void Show_One_By_One_Modeless(int total, std::function<int()> done);
    void Hide_One_By_One_Modeless();
    void update_sending_progress_bar();

public slots:
    void Stop_Sending_Pressed();
    // Escape or the close box during a run asks as Stop does.
    void reject() override;

private:
    QTimer *msend_modTimer;
    std::function<int()> m_done;
    int m_total = 0;
};

// The window's "please wait" sheet around long reads.
class Plz_Wait_Sheet : public QDialog {
    Q_OBJECT
public:
    explicit Plz_Wait_Sheet(QWidget *parent = nullptr);
    QLabel *modeless_msg_lbl;
    QLabel *progress_lbl;       // rows read, while a read runs on a worker
    QPushButton *stop_btn;      // asks that read to stop
    // Shown and painted before it returns: the work that follows holds the event loop.
    void Show_Create_Modeless();
    // The sheet of a read on a worker: progress and a Stop button that sets `stop`.
    void Show_Progress_Modeless(std::atomic<bool> *stop);
    void Set_Progress_Text(const QString &text);
    void Hide_Destroy_Modeless();

private:
    std::atomic<bool> *m_stop = nullptr;
};

// Work on the GUI thread that takes long, under the please-wait sheet of `window`: the sheet is
// made, shown and painted only when `longWork` (a design opened in milliseconds shows none),
// and it goes when the scope ends, before any message that follows the work.
class Plz_Wait_Scope {
public:
    Plz_Wait_Scope(QWidget *window, bool longWork);
    ~Plz_Wait_Scope();
    Plz_Wait_Scope(const Plz_Wait_Scope &) = delete;
    Plz_Wait_Scope &operator=(const Plz_Wait_Scope &) = delete;

private:
    Plz_Wait_Sheet *m_sheet = nullptr;
};
// Work worth the sheet: reading a file of more than 1 MiB, handling more than 50,000 values.
bool Long_Work_For_File(const QString &path);
bool Long_Work_For_Values(qsizetype count);

// The format chooser a save panel carries: choosing one renames the panel's file to it.
class AccessoryViewController : public QWidget {
    Q_OBJECT
public:
    explicit AccessoryViewController(QWidget *parent = nullptr);
    QComboBox *ext_btn;
    QPointer<QFileDialog> savePanel;
    // 0 "jpg", 1 "bmp", 2 "png", any other "tiff".
    static QString Extension_At(int index);
    QString extension() const { return Extension_At(currentIndex()); }

public slots:
    void selectFormat();

private:
    int currentIndex() const;
};

// The same for a list's export: 0 "xlsx", any other "txt".
class AccessoryViewController_XL_TXT : public QWidget {
    Q_OBJECT
public:
    explicit AccessoryViewController_XL_TXT(QWidget *parent = nullptr);
    QComboBox *ext_btn;
    QPointer<QFileDialog> savePanel;
    static QString Extension_At(int index);
    QString extension() const;

public slots:
    void selectFormat();
};

// `path` with ".<extension>" added when its name has no extension of its own: what the save
// panel does with a name typed bare once a format is chosen.
QString With_Chosen_Extension(const QString &path, const QString &extension);

// A save panel carrying the image-format chooser, which starts at the suggested name's format.
// Answers the path (a bare name gets the chosen format's extension), empty when cancelled.
QString Save_Image_Panel(const QString &title, const QString &dir, const QString &suggestedName);
// A save panel carrying the xlsx/txt chooser, which starts at "xlsx"; answered the same way.
QString Save_List_Panel(const QString &title, const QString &dir, const QString &suggestedName);
