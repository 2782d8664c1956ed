#include "data/ImportWizard.h"

#include "core/ControllerImageFiles.h"
#include "core/Utilities.h"
#include "data/ImportText.h"
#include "data/LongRead.h"
#include "data/export/ExportDialogs.h"
#include "data/SeriesFiles.h"
#include "data/SeriesImport.h"
#include "data/SeriesManagerWindow.h"
#include "data/SeriesWindow.h"
#include "data/spreadsheet/Import_Excel.h"
#include "platform/UiServices.h"

#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

Import_Wizard *Import_Wizard_DefaultInstance = nullptr;

namespace {
const QString kCorrupt = QStringLiteral("Either file is corrupted or selected file contains invalid characters.");
const QString kDefaultName = QStringLiteral("Untitled");

// The series manager's value list, as the spreadsheet column picker fills it.
class ManagerValueList : public SeriesValueList {
public:
    void Create_Value_List(const QString &value) override
    {
        if (BatchWizard_Window)
            BatchWizard_Window->Create_Value_List(value);
    }
};

// The name check that comes before anything is read, so a bad name is the first thing told.
bool nameAccepted(const ImportTarget &t)
{
    if (!t.fileMode || !Valid_Series_Name(t.seriesName).isEmpty())
        return true;
    Show_MessageBox(Empty_Name_Message(t.seriesName, QStringLiteral("Please enter valid series name.")));
    return false;
}

bool deliver(const QStringList &values, const ImportTarget &t)
{
    if (t.fileMode)
        return Create_Series_File(t.seriesName, [&](const auto &add) {
            for (const QString &v : values)
                add(v);
        });
    for (const QString &v : values) {
        if (t.toList)
            t.toList(v);
        else if (BatchWizard_Window)
            BatchWizard_Window->Create_Value_List(v);
    }
    return true;
}
}  // namespace

bool Import_Text_File(const QString &path, const ImportTarget &target, QWidget *waitOver)
{
    if (!nameAccepted(target))
        return false;
    TextFileImport read;
    ReadProgress progress;
    Run_Long_Read(waitOver, Long_Work_For_File(path), progress, [&] { read = Read_Text_File_Values(path, &progress); });
    if (read.status != TextFileImport::Ok) {
        Show_MessageBox(read.status == TextFileImport::Refused || read.status == TextFileImport::Stopped
                            ? read.reason
                        : read.status == TextFileImport::Unreadable ? QStringLiteral("Please select a valid file.")
                                                                    : kCorrupt);
        return false;
    }
    return deliver(read.values, target);
}

bool Import_Typed_Text(const QString &text, const ImportTarget &target)
{
    if (!nameAccepted(target))
        return false;
    const QString trimmed = Trim_Str(text);
    if (trimmed.isEmpty()) {
        Show_MessageBox(QStringLiteral("Please enter some data."));
        return false;
    }
    QStringList lines = Split_Text_Lines(trimmed);
    // A file keeps each typed line as it is; the value list trims its values itself.
    if (target.fileMode)
        lines.removeAll(QString());
    return deliver(lines, target);
}

bool Import_Image_Folder(const QString &folder, const ImportTarget &target)
{
    if (!nameAccepted(target))
        return false;
    // Looked at first: a folder without pictures must not cost the user an existing series.
    const QStringList pictures = Image_Folder_Values(folder);
    if (pictures.isEmpty()) {
        Show_MessageBox(QStringLiteral("The selected folder does not contains any image with supported extension."));
        return false;
    }
    return deliver(pictures, target);
}

void Open_Import_Wizard(int file_name_required, int file_name_Insert)
{
    Import_Wizard *wizard = Import_Wizard::defaultInstance();
    wizard->file_name_required = file_name_required;
    wizard->file_name_Insert = file_name_Insert;
    wizard->Open_Wnd();
}

// --- the window ---

Import_Wizard::Import_Wizard(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Import_Wizard"));
    setWindowTitle(tr("Import Wizard"));
    setModal(true);
    Style_Series_Window(this);
    if (!Import_Wizard_DefaultInstance)
        Import_Wizard_DefaultInstance = this;

    auto radio = [this](const QString &title, const char *name) {
        auto *r = new QRadioButton(title, this);
        r->setObjectName(QString::fromLatin1(name));
        r->setAutoExclusive(false);  // the option actions set all four
        return r;
    };
    auto edit = [this](const char *name) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        return e;
    };
    auto button = [this](const QString &title, const char *name) {
        auto *b = new QPushButton(title, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        return b;
    };
    Excel_RD = radio(tr("Spreadsheet (.xlsx)"), "Excel_RD");
    Text_RD = radio(tr("Text file (txt, csv, rtf)"), "Text_RD");
    Mnul_RD = radio(tr("Type or paste values"), "Mnul_RD");
    Image_RD = radio(tr("Folder of images"), "Image_RD");
    Excel_path = edit("Excel_path");
    Text_path = edit("Text_path");
    Image_path = edit("Image_path");
    Excel_btn = button(tr("Browse..."), "Excel_btn");
    Text_btn = button(tr("Browse..."), "Text_btn");
    Image_btn = button(tr("Browse..."), "Image_btn");
    Text_file_name = edit("Text_file_name");
    Manual_file_name = edit("Manual_file_name");
    Image_file_name = edit("Image_file_name");
    ManualEdit = new QPlainTextEdit(this);
    ManualEdit->setObjectName(QStringLiteral("ManualEdit"));
    // The window's one please-wait sheet: a long text read finds and reuses it.
    plz_wait_Window = new Plz_Wait_Sheet(this);
    for (QLineEdit *name : {Text_file_name, Manual_file_name, Image_file_name})
        name->setPlaceholderText(tr("Series name"));

    auto *grid = new QGridLayout;
    int row = 0;
    auto addOption = [&](QRadioButton *r, QWidget *path, QWidget *browse, QLineEdit *name) {
        grid->addWidget(r, row++, 0, 1, 3);
        grid->addWidget(path, row, 0, 1, 2);
        if (browse)
            grid->addWidget(browse, row, 2);
        ++row;
        if (name)
            grid->addWidget(name, row++, 0, 1, 3);
    };
    addOption(Excel_RD, Excel_path, Excel_btn, nullptr);
    addOption(Text_RD, Text_path, Text_btn, Text_file_name);
    addOption(Mnul_RD, ManualEdit, nullptr, Manual_file_name);
    addOption(Image_RD, Image_path, Image_btn, Image_file_name);

    auto *buttons = new QHBoxLayout;
    QPushButton *help = button(tr("?"), "HelpPressed");
    QPushButton *cancel = button(tr("Cancel"), "CancelPressed");
    QPushButton *ok = button(tr("OK"), "OKPressed");
    buttons->addWidget(help);
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addWidget(ok);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    resize(520, 520);

    connect(Excel_RD, &QRadioButton::clicked, this, &Import_Wizard::Excel_RD_Pressed);
    connect(Text_RD, &QRadioButton::clicked, this, &Import_Wizard::Text_RD_Pressed);
    connect(Mnul_RD, &QRadioButton::clicked, this, &Import_Wizard::Manual_RD_Pressed);
    connect(Image_RD, &QRadioButton::clicked, this, &Import_Wizard::Image_RD_Pressed);
    connect(Excel_btn, &QPushButton::clicked, this, &Import_Wizard::Browse_Excel_Pressed);
    connect(Text_btn, &QPushButton::clicked, this, &Import_Wizard::Browse_Text_Pressed);
    connect(Image_btn, &QPushButton::clicked, this, &Import_Wizard::Browse_Image_Pressed);
    connect(help, &QPushButton::clicked, this, &Import_Wizard::HelpPressed);
    connect(cancel, &QPushButton::clicked, this, &Import_Wizard::CancelPressed);
    connect(ok, &QPushButton::clicked, this, &Import_Wizard::OKPressed);
}

Import_Wizard::~Import_Wizard()
{
    if (Import_Wizard_DefaultInstance == this)
        Import_Wizard_DefaultInstance = nullptr;
}

Import_Wizard *Import_Wizard::defaultInstance()
{
    return Import_Wizard_DefaultInstance ? Import_Wizard_DefaultInstance : new Import_Wizard;
}

void Import_Wizard::Open_Wnd()
{
    Check_Path_And_Create_Files();
    for (QLineEdit *e : {Excel_path, Text_path, Image_path, Text_file_name, Manual_file_name, Image_file_name})
        e->clear();
    ManualEdit->clear();
    selectOption(0);
    for (QLineEdit *name : {Text_file_name, Manual_file_name, Image_file_name})
        name->setVisible(file_name_required == 1);
    Run_Series_Window(*this);
}

void Import_Wizard::selectOption(int option)
{
    import_option = option;
    Excel_RD->setChecked(option == 0);
    Text_RD->setChecked(option == 1);
    Mnul_RD->setChecked(option == 2);
    Image_RD->setChecked(option == 3);
    Enable_Disable_Excel_Option(option == 0);
    Enable_Disable_Text_Option(option == 1);
    Enable_Disable_Manual_Option(option == 2);
    Enable_Disable_Image_Option(option == 3);
}

void Import_Wizard::Excel_RD_Pressed() { selectOption(0); }
void Import_Wizard::Text_RD_Pressed() { selectOption(1); }
void Import_Wizard::Manual_RD_Pressed() { selectOption(2); }
void Import_Wizard::Image_RD_Pressed() { selectOption(3); }

namespace {
void enableWithName(bool flag, std::initializer_list<QWidget *> controls, QLineEdit *name)
{
    for (QWidget *w : controls)
        w->setEnabled(flag);
    name->setEnabled(flag);
    if (flag && Trim_Str(name->text()).isEmpty())
        name->setText(kDefaultName);
}
}  // namespace

void Import_Wizard::Enable_Disable_Excel_Option(bool flag)
{
    Excel_btn->setEnabled(flag);
    Excel_path->setEnabled(flag);
}

void Import_Wizard::Enable_Disable_Text_Option(bool flag) { enableWithName(flag, {Text_btn, Text_path}, Text_file_name); }

void Import_Wizard::Enable_Disable_Manual_Option(bool flag)
{
    ManualEdit->setReadOnly(!flag);
    enableWithName(flag, {}, Manual_file_name);
}

void Import_Wizard::Enable_Disable_Image_Option(bool flag)
{
    enableWithName(flag, {Image_btn, Image_path}, Image_file_name);
}

void Import_Wizard::Browse_Excel_Pressed()
{
    Delete_Excel_File_Temp_Folder();
    const QString path = platform::ui().openFile(tr("Select a spreadsheet"), QDir::homePath(),
                                                 {QStringLiteral("xlsx"), QStringLiteral("XLSX")});
    if (path.isEmpty())
        return;
    Excel_path->setText(path);
    OKPressed();
}

void Import_Wizard::Browse_Text_Pressed()
{
    const QString path = platform::ui().openFile(
        tr("Select a text file"), QDir::homePath(),
        {QStringLiteral("txt"), QStringLiteral("TXT"), QStringLiteral("rtf"), QStringLiteral("RTF"),
         QStringLiteral("csv"), QStringLiteral("CSV")});
    if (path.isEmpty())
        return;
    Text_path->setText(path);
    OKPressed();
}

void Import_Wizard::Browse_Image_Pressed()
{
    const QString folder = platform::ui().chooseFolder(tr("Select a folder of images"), QDir::homePath());
    if (folder.isEmpty())
        return;
    Image_path->setText(folder);
    OKPressed();
}

void Import_Wizard::OKPressed()
{
    switch (import_option) {
    case 0: {
        if (Check_And_Validate_File_Path(Excel_path->text()))
            return;
        const QString path = Trim_Str(Excel_path->text());
        if (file_name_required == 1) {
            hide();
            Import_Excel_DataSheet *sheet = Import_Excel_DataSheet::defaultInstance();
            sheet->file_name_Insert = file_name_Insert;
            sheet->Open_excel_datasheet_Wnd(path);
        } else {
            static ManagerValueList managerList;
            Import_Excel *picker = Import_Excel::defaultInstance();
            picker->open_mode = QStringLiteral("D");
            picker->seriesList = &managerList;
            picker->Open_excel_Wnd(path);
        }
        done(1);
        return;
    }
    case 1:
        if (!Check_And_Validate_File_Path(Text_path->text()))
            finished(Create_And_Save_Text_Data_Sheet(Trim_Str(Text_path->text())));
        return;
    case 2:
        finished(Create_And_Save_Manual_Paste_data_Sheet());
        return;
    case 3:
        if (!Check_And_Validate_File_Path(Image_path->text()))
            finished(Create_And_Save_Image_data_Sheet(Trim_Str(Image_path->text())));
        return;
    default:
        return;
    }
}

void Import_Wizard::finished(bool complete)
{
    if (!complete)
        return;
    if (file_name_Insert == 1 && BatchWizard_Window)
        BatchWizard_Window->Fill_List();
    done(1);
}

ImportTarget Import_Wizard::target(QLineEdit *name) const
{
    ImportTarget t;
    t.fileMode = file_name_required == 1;
    t.seriesName = name->text();
    return t;
}

bool Import_Wizard::Create_And_Save_Text_Data_Sheet(const QString &path)
{
    return Import_Text_File(path, target(Text_file_name), this);
}

bool Import_Wizard::Create_And_Save_Manual_Paste_data_Sheet()
{
    Show_Create_Modeless();
    const bool ok = Import_Typed_Text(ManualEdit->toPlainText(), target(Manual_file_name));
    Hide_Destroy_Modeless();
    return ok;
}

bool Import_Wizard::Create_And_Save_Image_data_Sheet(const QString &folder)
{
    Show_Create_Modeless();
    const bool ok = Import_Image_Folder(folder, target(Image_file_name));
    Hide_Destroy_Modeless();
    return ok;
}

void Import_Wizard::CancelPressed() { done(0); }
void Import_Wizard::HelpPressed() { Open_Help_File(); }

void Import_Wizard::Show_Create_Modeless()
{
    // Messages come up during an import, so the pointer is left as it is.
    plz_wait_Window->Show_Create_Modeless();
}

void Import_Wizard::Hide_Destroy_Modeless() { plz_wait_Window->Hide_Destroy_Modeless(); }
