#include "groupmode/Group_Mode_Wizard.h"
#include "canvas/ScriptedModal.h"
#include "canvas/WidgetUtilities.h"

#include "canvas/ImageBrowser.h"
#include "core/Globals.h"
#include "core/UserTemplates.h"
#include "core/Utilities.h"
#include "data/spreadsheet/Data_From_Excel.h"
#include "data/spreadsheet/SpreadsheetWriter.h"
#include "platform/Paths.h"
#include "platform/UiServices.h"
#include "visitor/ProfileCaptions.h"

#include <QCheckBox>
#include <QHash>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTemporaryFile>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <numeric>
#include <utility>

namespace {

const QString kSelectProject = QStringLiteral("Please select project.");
const QString kSelectTemplate = QStringLiteral("Please select template.");
const QString kBadSheet = QStringLiteral("Either file is corrupted or selected file contains invalid characters.");
constexpr int PathRole = Qt::UserRole, KindRole = Qt::UserRole + 1;
std::uint64_t g_userTemplateIds = 0;  // ids of user-template items, unique for the run
Group_Mode_Wizard::ModalRunner g_runner;

void say(const QString &text) { Show_MessageBox(text); }

QPushButton *button(const QString &text, const char *name, QWidget *owner, void (Group_Mode_Wizard::*slot)(),
                    Group_Mode_Wizard *wizard)
{
    auto *b = named(new QPushButton(text, owner), name);
    QObject::connect(b, &QPushButton::clicked, wizard, slot);
    return b;
}

bool isDesignFile(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isFile() && QFileInfo(path.trimmed()).suffix().toLower() == QStringLiteral("did");
}

QString categoryFolder(const QString &letter)
{
    static const QHash<QString, QString> folders = {
        {"C", "Corporate"}, {"E", "Education"}, {"H", "Health"}, {"M", "Misc"},
        {"P", "Press"},     {"T", "Transport"}, {"V", "Visitor"}};
    return folders.value(letter, QStringLiteral("Corporate"));
}

}  // namespace

void Group_Table_From_Sheet(const QList<QStringList> &sheet, bool header, QStringList &titles, QVariantList &rows)
{
    titles = {QStringLiteral("No.")};
    rows.clear();
    if (sheet.isEmpty())
        return;
    const QStringList &head = sheet.first();
    for (int i = 0; i < head.size(); ++i) {
        const QString t = head[i].trimmed();
        titles << (t.isEmpty() ? QStringLiteral("Untitled Column %1").arg(i + 1) : t);
    }
    for (qsizetype r = header ? 1 : 0; r < sheet.size(); ++r) {
        const QStringList &cells = sheet[r];
        if (std::all_of(cells.begin(), cells.end(), [](const QString &c) { return c.trimmed().isEmpty(); }))
            continue;
        QVariantMap record{{QStringLiteral("Extension"), int(rows.size()) + 1}};
        for (int k = 0; k < head.size(); ++k)
            record.insert(QStringLiteral("Column%1").arg(k + 1), cells.value(k).trimmed());
        rows << record;
    }
}

Group_Mode_Wizard::Group_Mode_Wizard(GroupModeHost &host, QWidget *parent) : QDialog(parent), m_host(host)
{
    setObjectName(QStringLiteral("Group_Mode_Wizard"));
    setWindowTitle(tr("Group Mode"));
    setModal(true);
    Apply_Window_Background(this);  // as every other window
    auto *layout = new QVBoxLayout(this);

    // Screen 0: the three choices.
    first_screen = named(new QWidget(this), "first_screen");
    auto *first = new QVBoxLayout(first_screen);
    start_new_btn = named(new QRadioButton(tr("Create a new project"), first_screen), "start_new_btn");
    new_box = named(new QGroupBox(first_screen), "new_box");
    auto *newForm = new QFormLayout(new_box);
    proj_name = named(new QLineEdit(new_box), "proj_name");
    proj_path = named(new QComboBox(new_box), "proj_path");
    excel_path = named(new QLineEdit(new_box), "excel_path");
    newForm->addRow(tr("Project name"), proj_name);
    auto *folderRow = new QHBoxLayout;
    folderRow->addWidget(proj_path, 1);
    folderRow->addWidget(button(tr("New Folder"), "new_folder_btn", new_box, &Group_Mode_Wizard::New_Folder_Click, this));
    newForm->addRow(tr("Folder"), folderRow);
    auto *excelRow = new QHBoxLayout;
    excelRow->addWidget(excel_path, 1);
    excelRow->addWidget(button(tr("Browse"), "browse_excel_btn", new_box, &Group_Mode_Wizard::Browse_excel_Btn_Clicked, this));
    newForm->addRow(tr("Excel file"), excelRow);

    open_exist_btn = named(new QRadioButton(tr("Open a project"), first_screen), "open_exist_btn");
    open_box = named(new QGroupBox(first_screen), "open_box");
    auto *openLayout = new QVBoxLayout(open_box);
    treeView = named(new QTreeWidget(open_box), "treeView");
    treeView->setHeaderHidden(true);
    openLayout->addWidget(treeView);
    auto *projectButtons = new QHBoxLayout;
    projectButtons->addWidget(button(tr("Copy"), "copy_prj_btn", open_box, &Group_Mode_Wizard::Copy_Prj_Click, this));
    projectButtons->addWidget(button(tr("Rename"), "rename_prj_btn", open_box, &Group_Mode_Wizard::Rename_Prj_Click, this));
    projectButtons->addWidget(button(tr("Delete"), "delete_prj_btn", open_box, &Group_Mode_Wizard::Delete_Prj_Click, this));
    // Folders are deleted through the same command as projects.
    delete_folder_btn = button(tr("Delete Folder"), "delete_folder_btn", open_box, &Group_Mode_Wizard::Delete_Prj_Click, this);
    projectButtons->addWidget(delete_folder_btn);
    openLayout->addLayout(projectButtons);

    open_log_btn = named(new QRadioButton(tr("Open a design file"), first_screen), "open_log_btn");
    open_log_box = named(new QGroupBox(first_screen), "open_log_box");
    auto *logRow = new QHBoxLayout(open_log_box);
    log_path = named(new QLineEdit(open_log_box), "log_path");
    logRow->addWidget(log_path, 1);
    logRow->addWidget(button(tr("Browse"), "browse_log_btn", open_log_box, &Group_Mode_Wizard::Browse_log_Btn_Clicked, this));
    for (QWidget *w : std::initializer_list<QWidget *>{start_new_btn, new_box, open_exist_btn, open_box, open_log_btn, open_log_box})
        first->addWidget(w);
    connect(start_new_btn, &QRadioButton::clicked, this, &Group_Mode_Wizard::New_Radio_Click);
    connect(open_exist_btn, &QRadioButton::clicked, this, &Group_Mode_Wizard::Open_Radio_Click);
    connect(open_log_btn, &QRadioButton::clicked, this, &Group_Mode_Wizard::Open_log_Radio_Click);
    connect(treeView, &QTreeWidget::itemSelectionChanged, this, [this] {
        const TreeItem item = Selected_Tree_Item();
        delete_folder_btn->setEnabled(item.kind() == TreeItem::Folder && !item.name().isEmpty() && item.name() != kAllFolder);
    });

    // Screen 1: the template gallery.
    second_screen = named(new QWidget(this), "second_screen");
    auto *second = new QVBoxLayout(second_screen);
    auto *kindRow = new QHBoxLayout;
    cat_cmbo_bx = named(new QComboBox(second_screen), "cat_cmbo_bx");
    cat_cmbo_bx->addItems({tr("Application templates"), tr("User templates")});
    template_category_label = named(new QLabel(tr("Category"), second_screen), "template_category_label");
    template_category_combo = named(new QComboBox(second_screen), "template_category_combo");
    _zoom_slider = named(new QSlider(Qt::Horizontal, second_screen), "_zoom_slider");
    _zoom_slider->setRange(0, 100);
    _zoom_slider->setFixedWidth(160);  // as in the template gallery: room to drag
    kindRow->addWidget(cat_cmbo_bx);
    kindRow->addWidget(template_category_label);
    kindRow->addWidget(template_category_combo);
    kindRow->addStretch();
    kindRow->addWidget(named(new QLabel(tr("Zoom"), second_screen), "zoom_label"));
    kindRow->addWidget(_zoom_slider);
    second->addLayout(kindRow);
    imageBrowser = named(new ImageBrowserView(second_screen), "imageBrowser");
    second->addWidget(imageBrowser, 1);
    template_btn_box = named(new QWidget(second_screen), "template_btn_box");
    auto *templateButtons = new QHBoxLayout(template_btn_box);
    templateButtons->addWidget(button(tr("Copy"), "copy_template_btn", template_btn_box, &Group_Mode_Wizard::Copy_Templatee_Click, this));
    templateButtons->addWidget(button(tr("Rename"), "rename_template_btn", template_btn_box, &Group_Mode_Wizard::Rename_Template_Click, this));
    templateButtons->addWidget(button(tr("Delete"), "delete_template_btn", template_btn_box, &Group_Mode_Wizard::Delete_Template_Click, this));
    second->addWidget(template_btn_box);
    connect(imageBrowser, &ImageBrowserView::imageSelected, this, [this](const QString &path) { Selected_Template_Path = path; });
    connect(_zoom_slider, &QSlider::valueChanged, this, &Group_Mode_Wizard::zoomSliderDidChange);
    connect(cat_cmbo_bx, &QComboBox::currentIndexChanged, this, [this](int index) {
        Selected_Template_Path.clear();
        const bool user = index > 0;
        user ? Fill_Templates_User_Defined() : Fill_Templates();
        template_btn_box->setVisible(user);
        template_category_label->setVisible(!user);
        template_category_combo->setVisible(!user);
    });
    connect(template_category_combo, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index < 0)
            return;
        Sel_Template_Category = template_category_combo->itemText(index).left(1).toUpper();
        Fill_Templates();
    });

    // Screen 2: sheet and columns.
    third_screen = named(new QWidget(this), "third_screen");
    auto *third = new QGridLayout(third_screen);
    Pass_proj_name = named(new QLineEdit(third_screen), "Pass_proj_name");
    Pass_proj_path = named(new QLineEdit(third_screen), "Pass_proj_path");
    Pass_excel_file = named(new QLineEdit(third_screen), "Pass_excel_file");
    Sheet_ComboBox = named(new QComboBox(third_screen), "Sheet_ComboBox");
    contains_header = named(new QCheckBox(tr("First row holds the column titles"), third_screen), "contains_header");
    contains_header->setChecked(true);
    int row = 0;
    for (auto [text, widget] : {std::pair{tr("Project"), static_cast<QWidget *>(Pass_proj_name)},
                                {tr("Folder"), Pass_proj_path}, {tr("Excel file"), Pass_excel_file},
                                {tr("Sheet"), Sheet_ComboBox}}) {
        if (auto *edit = qobject_cast<QLineEdit *>(widget))
            edit->setReadOnly(true);
        third->addWidget(new QLabel(text, third_screen), row, 0);
        third->addWidget(widget, row++, 1);
    }
    third->addWidget(contains_header, row, 1);
    third->addWidget(button(tr("View"), "view_excel_btn", third_screen, &Group_Mode_Wizard::View_Excel_Btn_Clicked, this), row++, 2);
    static const char *const combos[12] = {"name_col_cb", "title_col_cb", "comp_name_col_cb", "slogan_col_cb",
                                           "address_col_cb", "phone_col_cb", "fax_col_cb", "email_col_cb",
                                           "website_col_cb", "unique_col_cb", "image_col_cb", "back_image_col_cb"};
    static const char *const labels[12] = {"name_label", "title_label", "comp_name_label", "slogan_label",
                                           "address_label", "phone_label", "fax_label", "email_label",
                                           "website_label", "unique_label", "frnt_pic_label", "back_pic_label"};
    for (int i = 0; i < 12; ++i) {
        columnLabels[size_t(i)] = named(new QLabel(third_screen), labels[i]);
        columnCombos[size_t(i)] = named(new QComboBox(third_screen), combos[i]);
        third->addWidget(columnLabels[size_t(i)], row, 0);
        third->addWidget(columnCombos[size_t(i)], row++, 1);
    }
    columnLabels[10]->setText(tr("Front photo"));
    columnLabels[11]->setText(tr("Back photo"));
    connect(Sheet_ComboBox, &QComboBox::currentIndexChanged, this, &Group_Mode_Wizard::Sheet_Selection_Changed);

    for (QWidget *screen : {first_screen, second_screen, third_screen})
        layout->addWidget(screen, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    back_btn = button(tr("Back"), "back_btn", this, &Group_Mode_Wizard::Back_Click, this);
    buttons->addWidget(back_btn);
    buttons->addWidget(button(tr("Cancel"), "cancel_btn", this, &Group_Mode_Wizard::Cancel_Click, this));
    ok_btn = button(tr("Next"), "ok_btn", this, &Group_Mode_Wizard::OK_Click, this);
    ok_btn->setDefault(true);
    buttons->addWidget(ok_btn);
    layout->addLayout(buttons);
    // One size for the three screens, so Next and Back stay under the pointer.
    Fit_Window_To_Screen(this, {820, 660});
}

Group_Mode_Wizard::~Group_Mode_Wizard() = default;

int Group_Mode_Wizard::Open_Wnd()
{
    Reset_For_Opening();
    if (g_runner)
        return runShownModal(*this, g_runner);
    return platform::ui().runModal(QStringLiteral("Group_Mode_Wizard"), QString(), [this] { return exec(); });
}

Group_Mode_Wizard::ModalRunner Group_Mode_Wizard::setModalRunner(ModalRunner runner)
{
    return std::exchange(g_runner, std::move(runner));
}

void Group_Mode_Wizard::Reset_For_Opening()
{
    setResult(0);
    next_counter = 0;
    Selected_Template_Path.clear();
    const QString *captions[10] = {&Title_Name, &Title_Title, &Title_Company_name, &Title_slogan, &Title_address,
                                   &Title_phone, &Title_fax, &Title_email, &Title_website, &Title_unique};
    for (int i = 0; i < 10; ++i)
        columnLabels[size_t(i)]->setText(*captions[i]);
    for (QLineEdit *e : {Pass_proj_name, Pass_proj_path, Pass_excel_file, excel_path, log_path})
        e->clear();
    {
        const QSignalBlocker block(cat_cmbo_bx);
        cat_cmbo_bx->setCurrentIndex(0);
    }
    template_btn_box->hide();
    template_category_label->show();
    template_category_combo->show();
    imageBrowser->removeAllImages();
    _zoom_slider->setValue(50);
    zoomSliderDidChange(50);
    Excel_Sheet_Number = 1;
    contains_header->setChecked(true);
    Sheet_ComboBox->clear();
    excel_content.clear();
    m_workbook.reset();
    Reset_All_Combo_Box();
    template_category_combo->clear();
    template_category_combo->addItems({QStringLiteral("Education ID"), QStringLiteral("Miscellaneous")});
    template_category_combo->setCurrentIndex(0);  // category "E" and its templates
    proj_name->setText(QStringLiteral("MyProject"));
    Fill_Folder_Combo_Box();
    Fill_Tree_View();
    Show_And_Hide_Fisrt_Screen(false);
    if (project_created)
        Open_Radio_Click();
}

void Group_Mode_Wizard::showScreen(int screen)
{
    next_counter = screen;
    // The outgoing screens go first, so the window never holds two at once.
    QWidget *screens[] = {first_screen, second_screen, third_screen};
    for (int i = 0; i < 3; ++i)
        if (i != screen)
            screens[i]->hide();
    screens[screen]->show();
    ok_btn->setText(screen == 2 ? tr("Finish") : tr("Next"));
}

void Group_Mode_Wizard::Show_And_Hide_Fisrt_Screen(bool hide)
{
    if (!hide) {
        Project_Name_Val.clear();
        Project_Path_Val.clear();
        Project_Excel_Val.clear();
    }
    new_or_open_or_log = 0;
    start_new_btn->setChecked(true);
    new_box->setEnabled(true);
    open_box->setEnabled(false);
    open_log_box->setEnabled(false);
    showScreen(0);
    first_screen->setVisible(!hide);
}

void Group_Mode_Wizard::New_Radio_Click() { Show_And_Hide_Fisrt_Screen(false); }

void Group_Mode_Wizard::Open_Radio_Click()
{
    new_or_open_or_log = 1;
    open_exist_btn->setChecked(true);
    new_box->setEnabled(false);
    open_box->setEnabled(true);
    open_log_box->setEnabled(false);
}

void Group_Mode_Wizard::Open_log_Radio_Click()
{
    new_or_open_or_log = 2;
    open_log_btn->setChecked(true);
    new_box->setEnabled(false);
    open_box->setEnabled(false);
    open_log_box->setEnabled(true);
}

// --- project store ---------------------------------------------------------------------------

void Group_Mode_Wizard::Fill_Folder_Combo_Box()
{
    proj_path->clear();
    Ensure_Group_Store();
    proj_path->addItems(Group_Store_Folders());
    if (proj_path->count() > 0)
        proj_path->setCurrentIndex(0);
    if (!add_new_folder.isEmpty() && proj_path->findText(add_new_folder) >= 0)
        proj_path->setCurrentIndex(proj_path->findText(add_new_folder));
}

void Group_Mode_Wizard::Fill_Tree_View()
{
    project_created = false;
    treeView->clear();
    Ensure_Group_Store();
    QList<QTreeWidgetItem *> rows;
    for (const TreeItem &folder : Build_Project_Tree()) {
        auto *top = new QTreeWidgetItem(treeView, {folder.name()});
        top->setData(0, PathRole, folder.path());
        top->setData(0, KindRole, int(TreeItem::Folder));
        rows << top;
        for (const TreeItem &project : folder.getTreeItems()) {
            auto *child = new QTreeWidgetItem(top, {project.name()});
            child->setData(0, PathRole, project.path());
            child->setData(0, KindRole, int(TreeItem::Project));
            rows << child;
        }
    }
    treeView->expandAll();
    if (last_tree_sel_val == 0)
        last_tree_sel_val = 1;
    if (last_tree_sel_val < rows.size())
        treeView->setCurrentItem(rows[last_tree_sel_val]);
    project_created = rows.size() >= 2;
}

TreeItem Group_Mode_Wizard::Selected_Tree_Item() const
{
    const QTreeWidgetItem *item = treeView->currentItem();
    if (!item)
        return TreeItem::TreeItemName(QString());
    return TreeItem::TreeItemName(item->text(0), TreeItem::Kind(item->data(0, KindRole).toInt()),
                                  item->data(0, PathRole).toString());
}

bool Group_Mode_Wizard::Chk_xl_data_fil_exist(const QString &name, const QString &folder)
{
    bool exists = false;
    final_grp_design_path = Group_Project_Path(name, folder, &exists);
    return exists;
}

namespace {
int currentRow(QTreeWidget *tree)
{
    int row = 0;
    for (QTreeWidgetItemIterator it(tree); *it; ++it, ++row) {
        if (*it == tree->currentItem())
            return row;
    }
    return 0;
}
}  // namespace

void Group_Mode_Wizard::Copy_Prj_Click()
{
    last_tree_sel_val = currentRow(treeView);
    const TreeItem item = Selected_Tree_Item();
    if (item.kind() != TreeItem::Project || !QFileInfo::exists(item.path()))
        return say(kSelectProject);
    if (!platform::ui().yesNo(QStringLiteral("Do you want to make copy of this project?")))
        return;
    const QString error = Copy_Group_Project(item.path());
    if (!error.isEmpty())
        say(error);
    Fill_Tree_View();
}

void Group_Mode_Wizard::Rename_Prj_Click()
{
    last_tree_sel_val = currentRow(treeView);
    const TreeItem item = Selected_Tree_Item();
    if (item.kind() != TreeItem::Project || !QFileInfo::exists(item.path()))
        return say(kSelectProject);
    const QString name = askName(QStringLiteral("Rename Project"), item.name());
    if (name.isEmpty())
        return;
    QString renamed;
    const QString error = Rename_Group_Project(item.path(), name, &renamed);
    if (!error.isEmpty())
        say(error);
    // The project open in the window goes with its file: a later save must not bring the old
    // name back beside the new one.
    else if (!renamed.isEmpty() && Holds_Open_Design(item.path()))
        m_host.Open_Design_Renamed(renamed);
    Fill_Tree_View();
}

bool Group_Mode_Wizard::Holds_Open_Design(const QString &path) const
{
    const QString open = m_host.Open_Design_Path().trimmed();
    if (open.isEmpty())
        return false;
    const QString file = QDir::cleanPath(QFileInfo(open).absoluteFilePath());
    const QString here = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    return file == here || file.startsWith(here + QLatin1Char('/'));
}

void Group_Mode_Wizard::Delete_Prj_Click()
{
    last_tree_sel_val = currentRow(treeView);
    const TreeItem item = Selected_Tree_Item();
    QString error;
    // The window would write the open project back at its next save: it is closed first.
    if (QFileInfo::exists(item.path()) && Holds_Open_Design(item.path()))
        return say(item.kind() == TreeItem::Project
                       ? QStringLiteral("This project is open. Close it (File > Close) before deleting it.")
                       : QStringLiteral("This folder holds the open project. Close it (File > Close) before deleting "
                                        "the folder."));
    if (item.kind() == TreeItem::Project && QFileInfo::exists(item.path())) {
        if (!platform::ui().yesNo(QStringLiteral("Do you want to delete this project?")))
            return;
        error = Delete_Group_Project(item.path());
    } else if (item.kind() == TreeItem::Folder && item.name() != kAllFolder && QFileInfo(item.path()).isDir()) {
        if (!platform::ui().yesNo(QStringLiteral("This Folder may be contain files if you delete this folder, also "
                                                 "deleted contain files. Do you want to delete this folder permanently?")))
            return;
        error = Delete_Group_Folder(item.path());
    } else {
        return say(kSelectProject);
    }
    if (!error.isEmpty())
        say(error);
    Fill_Tree_View();
    Fill_Folder_Combo_Box();
}

void Group_Mode_Wizard::New_Folder_Click()
{
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("CreateFolder"));
    dialog.setWindowTitle(tr("New Folder"));
    Apply_Window_Background(&dialog);
    auto *form = new QFormLayout(&dialog);
    auto *folder_name = named(new QLineEdit(&dialog), "folder_name");
    auto *folder_combo = named(new QComboBox(&dialog), "folder_combo");
    folder_combo->addItems(Group_Store_Folders());
    form->addRow(tr("Name"), folder_name);
    form->addRow(tr("Inside"), folder_combo);
    auto *box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    form->addRow(box);
    connect(box, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    connect(box, &QDialogButtonBox::accepted, &dialog, [&] {
        QString relative;
        const QString error = Create_Group_Folder(folder_combo->currentText(), folder_name->text(), &relative);
        if (!error.isEmpty())
            return say(error);  // the dialog stays open
        add_new_folder = relative;
        dialog.accept();
    });
    const int result = platform::ui().runModal(QStringLiteral("CreateFolder"), QString(), [&] { return dialog.exec(); });
    if (result != 1)
        add_new_folder.clear();
    Fill_Folder_Combo_Box();
}

QString Group_Mode_Wizard::askName(const QString &title, const QString &current)
{
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("Export_Template_Window"));
    dialog.setWindowTitle(title);
    Apply_Window_Background(&dialog);
    auto *layout = new QVBoxLayout(&dialog);
    auto *name = named(new QLineEdit(current, &dialog), "template_name");
    layout->addWidget(name);
    auto *box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    layout->addWidget(box);
    connect(box, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (platform::ui().runModal(QStringLiteral("Export_Template_Window"), title, [&] { return dialog.exec(); }) != 1)
        return {};
    return name->text().trimmed();
}

// --- gallery ---------------------------------------------------------------------------------

void Group_Mode_Wizard::Fill_Templates()
{
    imageBrowser->setShowsTitles(false);
    const QString templates = platform::joinPath(Resource_Path, QStringLiteral("Templates"));
    QStringList folders;
    if (Sel_Template_Category == QStringLiteral("A")) {
        for (const QString &sub : QDir(templates).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
            if (sub != QStringLiteral("User"))
                folders << sub;
    } else {
        folders << categoryFolder(Sel_Template_Category);
    }
    imageBrowser->removeAllImages();
    for (const QString &folder : folders) {
        const QString dir = platform::joinPath(templates, folder);
        for (const QString &file : Browser_Image_Files(dir)) {
            const QString entry = QFileInfo(file).fileName();
            imageBrowser->addImageWithPath(file, entry, folder + QLatin1Char('/') + entry);
        }
    }
    _zoom_slider->setEnabled(!imageBrowser->images().empty());
    if (!imageBrowser->images().empty())
        imageBrowser->selectImage(0);
}

QString Group_Mode_Wizard::userTemplateFolder() const
{
    return platform::joinPath(Created_Resource_Path, QStringLiteral("Templates"), QStringLiteral("User"));
}

void Group_Mode_Wizard::Fill_Templates_User_Defined()
{
    imageBrowser->setShowsTitles(true);
    imageBrowser->removeAllImages();
    for (const QString &file : Browser_Image_Files(userTemplateFolder()))
        imageBrowser->addImageWithPath(file, QFileInfo(file).fileName(), QStringLiteral("TEMP%1.png").arg(g_userTemplateIds++));
    const bool any = !imageBrowser->images().empty();
    _zoom_slider->setEnabled(any);
    template_btn_box->setEnabled(any);
    if (any)
        imageBrowser->selectImage(0);
    else
        Selected_Template_Path.clear();
}

void Group_Mode_Wizard::zoomSliderDidChange(int value) { imageBrowser->setZoomValue(value / 100.0); }

void Group_Mode_Wizard::Copy_Templatee_Click()
{
    if (Selected_Template_Path.isEmpty() || !QFileInfo::exists(Selected_Template_Path))
        return say(kSelectTemplate);
    if (!platform::ui().yesNo(QStringLiteral("Do you want to make copy of this template?")))
        return;
    if (Copy_User_Template(Selected_Template_Path).isEmpty())
        say(QStringLiteral("Template could not be copied."));
    Fill_Templates_User_Defined();
}

void Group_Mode_Wizard::Rename_Template_Click()
{
    if (Selected_Template_Path.isEmpty() || !QFileInfo::exists(Selected_Template_Path))
        return say(kSelectTemplate);
    const QString old = QFileInfo(Selected_Template_Path).completeBaseName();
    const QString typed = askName(QStringLiteral("Rename Template"), old);
    if (typed.isEmpty())
        return;
    // A name of nothing but reserved characters is no name: said, as the template gallery says it.
    const QString name = Clean_Store_Name(typed);
    if (name.isEmpty())
        return say(Empty_Name_Message(typed, QStringLiteral("Please enter template name.")));
    if (const QString hidden = Hidden_Name_Refusal(name, QStringLiteral("template")); !hidden.isEmpty())
        return say(hidden);
    if (name == old)
        return;
    const QString preview = QFileInfo(Selected_Template_Path).dir().filePath(name + QLatin1Char('.') + QFileInfo(Selected_Template_Path).suffix());
    if (QFileInfo::exists(preview) || QFileInfo::exists(Template_Design_Path(preview)))
        return say(QStringLiteral("Template with this name already exists."));
    if (Rename_User_Template(Selected_Template_Path, name).isEmpty())
        say(QStringLiteral("Template could not be renamed."));
    Fill_Templates_User_Defined();
}

void Group_Mode_Wizard::Delete_Template_Click()
{
    if (Selected_Template_Path.isEmpty() || !QFileInfo::exists(Selected_Template_Path))
        return say(kSelectTemplate);
    if (!platform::ui().yesNo(QStringLiteral("Do you want to delete this template?")))
        return;
    Delete_User_Template(Selected_Template_Path);
    Fill_Templates_User_Defined();
}

// --- workbook --------------------------------------------------------------------------------

bool Group_Mode_Wizard::Load_file_Func(const QString &path)
{
    const QSignalBlocker block(Sheet_ComboBox);
    Sheet_ComboBox->clear();
    excel_content.clear();
    if (!QFileInfo::exists(path)) {
        say(QStringLiteral("%1 does not exist.").arg(QFileInfo(path).fileName()));
        Reset_All_Combo_Box();
        return false;
    }
    m_workbook = std::make_unique<SpreadsheetWriter>();
    bool opened = false;
    SpreadsheetWriter::ReadOffGui(*m_workbook, this, path, [&] { opened = m_workbook->openWorkbook(path); });
    if (!opened) {
        // Refused, damaged or stopped: the reader's one line; anything else is no workbook.
        say(m_workbook->failureMessage(kBadSheet));
        m_workbook.reset();
        Reset_All_Combo_Box();
        return false;
    }
    // Workbook order, resolved through the workbook's relationships, as every reader agrees.
    Add_Name_Items(Sheet_ComboBox, m_workbook->Read_Sheet_Name());
    Sheet_ComboBox->setCurrentIndex(0);
    Sheet_Selection_Changed(Sheet_ComboBox->currentIndex());
    return true;
}

void Group_Mode_Wizard::Sheet_Selection_Changed(int index)
{
    if (!m_workbook || index < 0) {
        Excel_Sheet_Number = index + 1;
        Reset_All_Combo_Box();
        return;
    }
    int columns = 0;
    bool read = false;
    const QString part = m_workbook->sheetPartPath(index + 1);
    if (!SpreadsheetWriter::ReadOffGui(*m_workbook, this, m_workbook->workbookPath(),
                                       [&] { read = m_workbook->ReadData(part, columns, true); })) {
        // Stopped: the sheet chosen before stays, with its columns.
        const QSignalBlocker block(Sheet_ComboBox);
        Sheet_ComboBox->setCurrentIndex(Excel_Sheet_Number - 1);
        return say(m_workbook->lastError());
    }
    if (!read) {
        // Refused or damaged: said why, and the sheet chosen before stays, with its columns.
        const QSignalBlocker block(Sheet_ComboBox);
        Sheet_ComboBox->setCurrentIndex(Excel_Sheet_Number - 1);
        return say(m_workbook->failureMessage(kBadSheet));
    }
    Excel_Sheet_Number = index + 1;
    Reset_All_Combo_Box();
    excel_content = m_workbook->data;
    if (excel_content.isEmpty())
        return;
    for (QComboBox *combo : columnCombos) {
        Add_Name_Items(combo, excel_content.first());
        combo->setCurrentIndex(0);
    }
}

bool Group_Mode_Wizard::readChosenSheet(int &columns)
{
    if (!m_workbook)
        return false;
    bool read = false;
    const QString part = m_workbook->sheetPartPath(Excel_Sheet_Number);
    SpreadsheetWriter::ReadOffGui(*m_workbook, this, m_workbook->workbookPath(),
                                  [&] { read = m_workbook->ReadData(part, columns); });
    return read;
}

void Group_Mode_Wizard::View_Excel_Btn_Clicked()
{
    // The chosen sheet as the project will take it, in a table of its own.
    int columns = 0;
    Data_From_Excel table;
    if (readChosenSheet(columns)) {
        QList<int> all(columns);
        std::iota(all.begin(), all.end(), 0);
        table.fillFromSheet(m_workbook->data, all, contains_header->isChecked());
    }
    if (m_workbook && m_workbook->stopped())
        return say(m_workbook->lastError());
    if (table.rowCount() == 0)
        return say(QStringLiteral("There is no excel data to view."));
    Data_From_Excel_Viewer viewer(&table, this);
    platform::ui().runModal(QStringLiteral("Data_From_Excel"), QString(), [&] { return viewer.exec(); });
}

void Group_Mode_Wizard::Reset_All_Combo_Box()
{
    for (QComboBox *combo : columnCombos) {
        combo->clear();
        combo->addItem(QStringLiteral("None"));
    }
}

std::array<int, 12> Group_Mode_Wizard::Set_Group_Mode_Excel_Col_Index() const
{
    std::array<int, 12> bindings{};
    for (size_t i = 0; i < 12; ++i) {
        const int index = columnCombos[i]->currentIndex();
        bindings[i] = index <= 0 ? -1 : index;
    }
    return bindings;
}

namespace {
// Makes the folder when needed and tries a file in it: the permission bits alone do not say
// whether this user may write there.
bool Folder_Takes_Files(const QString &folder)
{
    if (!Create_Folder(folder, 0777))
        return false;
    QTemporaryFile probe(folder + QStringLiteral("/.probe-XXXXXX"));
    return probe.open();
}
}  // namespace

// --- the screens -----------------------------------------------------------------------------

void Group_Mode_Wizard::OK_Click()
{
    if (next_counter == 2)
        return finish();
    if (next_counter == 1) {
        if (Selected_Template_Path.isEmpty() || !QFileInfo::exists(Selected_Template_Path))
            return say(kSelectTemplate);
        if (Project_Excel_Val != Pass_excel_file->text()) {
            // A workbook the reader refuses has been named with the reason: the template screen
            // stays, and the next OK reads it again.
            if (!Load_file_Func(Project_Excel_Val))
                return;
            Pass_excel_file->setText(Project_Excel_Val);
        }
        showScreen(2);
        Pass_proj_name->setText(Project_Name_Val);
        Pass_proj_path->setText(Project_Path_Val);
        for (QComboBox *combo : columnCombos)
            combo->setCurrentIndex(0);
        return;
    }
    if (new_or_open_or_log == 1)
        return openExisting(Selected_Tree_Item().kind() == TreeItem::Project ? Selected_Tree_Item().path() : QString(),
                            kSelectProject);
    if (new_or_open_or_log == 2)
        return openExisting(log_path->text(), QStringLiteral("Please browse valid log file."));

    const QString name = proj_name->text().trimmed();
    const QString folder = proj_path->currentText().trimmed();
    const QString workbook = excel_path->text().trimmed();
    if (name.isEmpty())
        return say(QStringLiteral("Please enter project name."));
    if (proj_path->currentIndex() < 0 || folder.isEmpty())
        return say(QStringLiteral("Please select project path."));
    if (workbook.isEmpty())
        return say(QStringLiteral("Please select excel file."));
    if (const QString hidden = Hidden_Name_Refusal(Clean_Store_Name(name), QStringLiteral("project")); !hidden.isEmpty())
        return say(hidden);
    if (Chk_xl_data_fil_exist(name, folder))
        return say(QStringLiteral("Project name already exist."));
    if (final_grp_design_path.isEmpty())
        return say(Empty_Name_Message(name, QStringLiteral("Please enter a valid project name.")));
    Project_Name_Val = QFileInfo(final_grp_design_path).completeBaseName();
    Project_Path_Val = folder;
    Project_Excel_Val = workbook;
    _zoom_slider->setValue(50);
    Show_And_Hide_Fisrt_Screen(true);
    showScreen(1);
}

void Group_Mode_Wizard::openExisting(const QString &path, const QString &failure)
{
    if (!isDesignFile(path))
        return say(failure);
    if (m_host.Read_and_load_design_Log_NEW_METHOD(path, QStringLiteral("T"), true) == 0)
        return;  // the loader has said why; the wizard stays open
    m_host.Open_Group_Project(path);
    done(1);
}

void Group_Mode_Wizard::finish()
{
    // The sheet first: a project without rows is not made, whatever the columns say.
    GroupProjectSetup setup;
    setup.projectPath = final_grp_design_path;
    setup.workbookPath = Project_Excel_Val;
    int columns = 0;
    const bool read = readChosenSheet(columns);
    if (read)
        Group_Table_From_Sheet(m_workbook->data, contains_header->isChecked(), setup.titles, setup.rows);
    if (m_workbook && m_workbook->stopped())
        return say(m_workbook->lastError());
    if (!read)
        return say(m_workbook ? m_workbook->failureMessage(kBadSheet) : kBadSheet);
    if (setup.rows.isEmpty())
        return say(QStringLiteral("The chosen sheet of %1 has no data rows.")
                       .arg(QFileInfo(setup.workbookPath).fileName()));
    if (columnCombos[0]->currentIndex() <= 0 || columnCombos[0]->currentText().trimmed().isEmpty())
        return say(QStringLiteral("Default column should not be 'None'."));
    setup.bindings = Set_Group_Mode_Excel_Col_Index();
    // The template replaces the window's design: a folder that cannot take the project is found
    // out before, so that the user's Cancel still finds the design they had.
    const QString cannotSave = QStringLiteral("The project could not be saved.");
    if (!Folder_Takes_Files(QFileInfo(setup.projectPath).absolutePath()))
        return say(cannotSave);
    const QString design = Template_Design_Path(Selected_Template_Path);
    if (m_host.Read_and_load_design_Log_NEW_METHOD(design, QStringLiteral("T"), true) == 0)
        return;  // the loader has said why; the column screen stays
    m_host.Check_For_Defalut_Photo_Control();
    if (!m_host.Create_Group_Project(setup))
        return say(cannotSave);
    excel_content.clear();
    done(1);
}

void Group_Mode_Wizard::Back_Click()
{
    if (next_counter == 0)
        return Cancel_Click();
    if (next_counter == 1)
        return showScreen(0);
    showScreen(1);
}

void Group_Mode_Wizard::Cancel_Click()
{
    Selected_Template_Path.clear();
    m_host.Reset_Card_Shape();
    done(0);
}

void Group_Mode_Wizard::Browse_excel_Btn_Clicked()
{
    const QString path = platform::ui().openFile(tr("Choose a workbook"), QString(), {QStringLiteral("xlsx"), QStringLiteral("XLSX")});
    if (path.isEmpty())
        return;
    excel_path->setText(path);
    if (!QFileInfo::exists(path))
        say(QStringLiteral("Please select valid file path."));
}

void Group_Mode_Wizard::Browse_log_Btn_Clicked()
{
    const QString path = platform::ui().openFile(tr("Choose a design file"), QString(), {QStringLiteral("did")});
    if (!path.isEmpty())
        log_path->setText(path);
}
