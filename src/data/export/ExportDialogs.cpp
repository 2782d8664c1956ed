#include "data/export/ExportDialogs.h"
#include "canvas/WidgetUtilities.h"

#include "data/SeriesWindow.h"
#include "data/batch/RunHold.h"
#include "platform/MainThread.h"
#include "platform/UiServices.h"

#include <QCoreApplication>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <type_traits>

namespace {

QPushButton *button(QWidget *parent, QBoxLayout *row, const char *name, const QString &text)
{
    auto *b = named(new QPushButton(text, parent), name);
    row->addWidget(b);
    return b;
}

}  // namespace

// --- keep or replace -----------------------------------------------------------------------

Replcae_Confirm_Box::Replcae_Confirm_Box(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Replcae_Confirm_Box"));
    Style_Series_Window(this);
    auto *column = new QVBoxLayout(this);
    _Msg_Title = named(new QLabel(this), "_Msg_Title");
    _Msg_Val = named(new QLabel(this), "_Msg_Val");
    _Msg_Val->setWordWrap(true);
    path_control = named(new QLabel(this), "path_control");
    path_control->hide();
    apply_chk = named(new QCheckBox(tr("Apply to all"), this), "apply_chk");
    column->addWidget(_Msg_Title);
    column->addWidget(_Msg_Val);
    column->addWidget(path_control);
    column->addWidget(apply_chk);
    auto *row = new QHBoxLayout;
    column->addLayout(row);
    row->addStretch(1);
    connect(button(this, row, "Keep_btn", tr("Keep")), &QPushButton::clicked, this, &Replcae_Confirm_Box::Keep_Pressed);
    connect(button(this, row, "Replace_btn", tr("Replace")), &QPushButton::clicked, this,
            &Replcae_Confirm_Box::Replace_Pressed);
    connect(button(this, row, "Cancel_btn", tr("Cancel")), &QPushButton::clicked, this,
            &Replcae_Confirm_Box::CancelPressed);
}

void Replcae_Confirm_Box::Keep_Pressed()
{
    m_code = apply_chk->isChecked() ? 3 : 1;
    done(m_code);
}

void Replcae_Confirm_Box::Replace_Pressed()
{
    m_code = apply_chk->isChecked() ? 2 : 0;
    done(m_code);
}

void Replcae_Confirm_Box::CancelPressed()
{
    m_code = apply_chk->isChecked() ? 5 : 4;
    done(m_code);
}

int Replcae_Confirm_Box::Open_Replace_Dialog(const QString &title, const QString &message, const QString &path,
                                             bool showApplyAll)
{
    _Msg_Title->setText(title);
    _Msg_Val->setText(message);
    path_control->setText(path);
    apply_chk->setVisible(showApplyAll);
    apply_chk->setChecked(false);
    m_code = 4;  // closing the box cancels
    exec();
    return m_code;
}

int Replcae_Confirm_Box::Open_box_in_thread(const QString &title, const QString &message, const QString &path,
                                            bool showApplyAll)
{
    return platform::runOnGuiThreadFor<int>([&] {
        return platform::ui().runModal(QStringLiteral("Replcae_Confirm_Box"), message, [&] {
            Replcae_Confirm_Box box(QApplication::activeWindow());
            return box.Open_Replace_Dialog(title, message, path, showApplyAll);
        });
    });
}

// --- finished box --------------------------------------------------------------------------

Open_Export_Log::Open_Export_Log(const QString &path, const QString &message, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Open_Export_Files"));
    Style_Series_Window(this);
    auto *column = new QVBoxLayout(this);
    column->addWidget(named(new QLabel(message, this), "message_lbl"));
    // Where the file went, so it can be found however the box is left.
    auto *where = named(new QLabel(QDir::toNativeSeparators(path), this), "_open_log_path");
    where->setWordWrap(true);
    where->setTextInteractionFlags(Qt::TextSelectableByMouse);
    column->addWidget(where);
    open_chk = named(new QCheckBox(QFileInfo(path).isDir() ? tr("Open containing folder.") : tr("Open exported file."), this),
                     "open_chk");
    open_chk->setChecked(true);
    column->addWidget(open_chk);
    auto *row = new QHBoxLayout;
    column->addLayout(row);
    row->addStretch(1);
    connect(button(this, row, "CancelPressed", tr("Cancel")), &QPushButton::clicked, this, &QDialog::reject);
    auto *ok = button(this, row, "OKPressed", tr("OK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

int Open_Export_Log::Open(const QString &path, const QString &message)
{
    return platform::ui().runModal(QStringLiteral("Open_Export_Files"),
                                   message + QLatin1Char('\n') + QDir::toNativeSeparators(path), [&] {
        Open_Export_Log box(path, message, QApplication::activeWindow());
        return box.exec() == QDialog::Accepted && box.open_chk->isChecked() ? 1 : 0;
    });
}

// --- progress sheet ------------------------------------------------------------------------

Send_Modeless::Send_Modeless(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Send_Models_Window"));
    setWindowModality(Qt::WindowModal);
    Style_Series_Window(this);
    auto *column = new QVBoxLayout(this);
    auto *counts = new QHBoxLayout;
    column->addLayout(counts);
    tot_label = named(new QLabel(tr("Total:"), this), "tot_label");
    _tot_msg_cnt = named(new QLabel(this), "_tot_msg_cnt");
    _curr_msg_cnt = named(new QLabel(this), "_curr_msg_cnt");
    counts->addWidget(tot_label);
    counts->addWidget(_tot_msg_cnt);
    counts->addStretch(1);
    counts->addWidget(_curr_msg_cnt);
    _Curr_Progress = named(new QProgressBar(this), "_Curr_Progress");
    Round_Progress = named(new QProgressBar(this), "Round_Progress");
    Round_Progress->setRange(0, 0);
    Round_Progress->hide();
    column->addWidget(_Curr_Progress);
    column->addWidget(Round_Progress);
    pause_label = named(new QLabel(this), "pause_label");
    column->addWidget(pause_label);
    auto *row = new QHBoxLayout;
    column->addLayout(row);
    row->addStretch(1);
    _stop_btn = button(this, row, "_stop_btn", tr("Stop"));
    connect(_stop_btn, &QPushButton::clicked, this, &Send_Modeless::Stop_Sending_Pressed);
    msend_modTimer = new QTimer(this);
    msend_modTimer->setInterval(500);
    connect(msend_modTimer, &QTimer::timeout, this, &Send_Modeless::update_sending_progress_bar);
}

void Send_Modeless::Show_One_By_One_Modeless(int total, std::function<int()> done)
{
    m_total = total;
    m_done = std::move(done);
    _stop_btn->setEnabled(true);
    _Curr_Progress->setRange(0, std::max(1, total));
    _Curr_Progress->setValue(0);
    _tot_msg_cnt->setText(QString::number(total));
    _curr_msg_cnt->setText(tr("%1 / %2 Card").arg(0).arg(total));
    show();
    msend_modTimer->start();
}

void Send_Modeless::Hide_One_By_One_Modeless()
{
    msend_modTimer->stop();
    hide();
}

void Send_Modeless::update_sending_progress_bar()
{
    const int done = m_done ? m_done() : 0;
    _Curr_Progress->setValue(std::min(done, _Curr_Progress->maximum()));
    _curr_msg_cnt->setText(QStringLiteral("%1 / %2 ").arg(done).arg(m_total));
}

void Send_Modeless::Stop_Sending_Pressed()
{
    // The run waits for the answer: it neither ends nor reports behind the question.
    RunHold::whileAsking(hold, [this] {
        const QPointer<Send_Modeless> self(this);
        if (platform::ui().yesNo(tr("Are you sure you want to stop?")) && self && onStop) {
            _stop_btn->setEnabled(false);
            onStop();
        }
    });
}

void Send_Modeless::reject()
{
    if (!msend_modTimer->isActive()) {
        QDialog::reject();
        return;
    }
    // A Stop already answered Yes: the run is ending and hides the sheet itself.
    if (_stop_btn->isEnabled())
        Stop_Sending_Pressed();
}

// --- please wait ---------------------------------------------------------------------------

Plz_Wait_Sheet::Plz_Wait_Sheet(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("plz_wait_Window"));
    setWindowModality(Qt::WindowModal);
    Style_Series_Window(this);
    auto *column = new QVBoxLayout(this);
    modeless_msg_lbl = named(new QLabel(this), "modeless_msg_lbl");
    column->addWidget(modeless_msg_lbl);
    progress_lbl = named(new QLabel(this), "progress_lbl");
    column->addWidget(progress_lbl);
    stop_btn = named(new QPushButton(tr("Stop"), this), "Stop_Reading_Pressed");
    column->addWidget(stop_btn, 0, Qt::AlignRight);
    connect(stop_btn, &QPushButton::clicked, this, [this] {
        if (m_stop)
            m_stop->store(true);
        stop_btn->setEnabled(false);
    });
    progress_lbl->hide();
    stop_btn->hide();
}

void Plz_Wait_Sheet::Show_Create_Modeless()
{
    if (isHidden())
        setWindowModality(Qt::WindowModal);
    m_stop = nullptr;
    progress_lbl->hide();
    stop_btn->hide();
    modeless_msg_lbl->setText(tr("It may take a while, Please wait.."));
    Show_Painted(this);
}

void Plz_Wait_Sheet::Show_Progress_Modeless(std::atomic<bool> *stop)
{
    // Armed before it shows: Stop works from the first moment the sheet is seen. While the read
    // runs the GUI handles events, so every other window waits for it: nothing can start a
    // second read or change what this one will replace.
    if (isHidden())
        setWindowModality(Qt::ApplicationModal);
    m_stop = stop;
    modeless_msg_lbl->setText(tr("It may take a while, Please wait.."));
    progress_lbl->clear();
    progress_lbl->show();
    stop_btn->setEnabled(true);
    stop_btn->show();
    show();
}

void Plz_Wait_Sheet::Set_Progress_Text(const QString &text) { progress_lbl->setText(text); }

void Plz_Wait_Sheet::Hide_Destroy_Modeless()
{
    m_stop = nullptr;
    hide();
}

Plz_Wait_Scope::Plz_Wait_Scope(QWidget *window, bool longWork)
{
    if (!longWork || !window)
        return;
    m_sheet = window->findChild<Plz_Wait_Sheet *>(QString(), Qt::FindDirectChildrenOnly);
    if (!m_sheet)
        m_sheet = new Plz_Wait_Sheet(window);
    m_sheet->Show_Create_Modeless();
}

Plz_Wait_Scope::~Plz_Wait_Scope()
{
    if (m_sheet)
        m_sheet->Hide_Destroy_Modeless();
}

bool Long_Work_For_File(const QString &path) { return QFileInfo(path).size() > 1024 * 1024; }
bool Long_Work_For_Values(qsizetype count) { return count > 50000; }

// --- format accessory ----------------------------------------------------------------------

AccessoryViewController::AccessoryViewController(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("AccessoryViewController"));
    auto *row = new QHBoxLayout(this);
    row->addWidget(new QLabel(tr("Format:"), this));
    ext_btn = named(new QComboBox(this), "ext_btn");
    ext_btn->addItems({QStringLiteral("JPG"), QStringLiteral("BMP"), QStringLiteral("PNG"), QStringLiteral("TIFF")});
    row->addWidget(ext_btn);
    connect(ext_btn, &QComboBox::currentIndexChanged, this, &AccessoryViewController::selectFormat);
}

QString AccessoryViewController::Extension_At(int index)
{
    static const char *const names[] = {"jpg", "bmp", "png"};
    return QString::fromLatin1(index >= 0 && index < 3 ? names[index] : "tiff");
}

namespace {
// The panel's name becomes its name without extension, a point and `ext`; the panel offers that
// one type and gives it to a name typed bare.
void renameForFormat(QFileDialog *panel, const QString &ext)
{
    if (!panel)
        return;
    const QStringList chosen = panel->selectedFiles();
    const QString name = chosen.isEmpty() ? QString() : QFileInfo(chosen.first()).completeBaseName();
    panel->setNameFilter(QStringLiteral("*.%1").arg(ext));
    panel->setDefaultSuffix(ext);
    panel->selectFile(QStringLiteral("%1.%2").arg(name, ext));
}
}  // namespace

int AccessoryViewController::currentIndex() const { return ext_btn->currentIndex(); }

void AccessoryViewController::selectFormat() { renameForFormat(savePanel, extension()); }

AccessoryViewController_XL_TXT::AccessoryViewController_XL_TXT(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("AccessoryViewController_XL_TXT"));
    auto *row = new QHBoxLayout(this);
    row->addWidget(new QLabel(tr("Format:"), this));
    ext_btn = named(new QComboBox(this), "ext_btn");
    ext_btn->addItems({QStringLiteral("xlsx"), QStringLiteral("txt")});
    row->addWidget(ext_btn);
    connect(ext_btn, &QComboBox::currentIndexChanged, this, &AccessoryViewController_XL_TXT::selectFormat);
}

QString AccessoryViewController_XL_TXT::Extension_At(int index)
{
    return index == 0 ? QStringLiteral("xlsx") : QStringLiteral("txt");
}

QString AccessoryViewController_XL_TXT::extension() const { return Extension_At(ext_btn->currentIndex()); }

void AccessoryViewController_XL_TXT::selectFormat() { renameForFormat(savePanel, extension()); }

QString With_Chosen_Extension(const QString &path, const QString &extension)
{
    if (path.isEmpty() || extension.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + QLatin1Char('.') + extension;
}

namespace {
template <class Accessory>
QString saveWithAccessory(const QString &title, const QString &dir, const QString &suggestedName, int first)
{
    QStringList extensions;
    for (int i = 0; i < (std::is_same_v<Accessory, AccessoryViewController> ? 4 : 2); ++i)
        extensions << Accessory::Extension_At(i);
    QString chosen = Accessory::Extension_At(first);
    const QString path = platform::ui().saveFileWithAccessory(title, dir, suggestedName, extensions, [&](QFileDialog *panel) {
        auto *accessory = new Accessory(panel);
        accessory->ext_btn->setCurrentIndex(first);
        accessory->savePanel = panel;
        accessory->selectFormat();  // the panel knows the starting format's extension too
        QObject::connect(accessory->ext_btn, &QComboBox::currentIndexChanged, accessory,
                         [&chosen, accessory] { chosen = accessory->extension(); });
        return accessory;
    });
    return With_Chosen_Extension(path, chosen);
}
}  // namespace

QString Save_Image_Panel(const QString &title, const QString &dir, const QString &suggestedName)
{
    const QString suffix = QFileInfo(suggestedName).suffix().toLower();
    int first = 2;  // png
    for (int i = 0; i < 4; ++i)
        if (AccessoryViewController::Extension_At(i) == suffix)
            first = i;
    return saveWithAccessory<AccessoryViewController>(title, dir, suggestedName, first);
}

QString Save_List_Panel(const QString &title, const QString &dir, const QString &suggestedName)
{
    return saveWithAccessory<AccessoryViewController_XL_TXT>(title, dir, suggestedName, 0);
}
