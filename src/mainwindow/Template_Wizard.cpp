#include "mainwindow/Template_Wizard.h"

#include "canvas/WidgetUtilities.h"
#include "core/ControllerImageFiles.h"
#include "core/Globals.h"
#include "core/Utilities.h"
#include "mainwindow/WindowStyle.h"
#include "platform/Paths.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

QString Selected_Template_Path;
QString Sel_Template_Category = QStringLiteral("C");
std::uint64_t User_Defined_File = 0;
QString export_template_name;

namespace {
Template_Wizard *g_instance = nullptr;
constexpr double kStartZoom = 0.6;

// The gallery's categories, in the order shown; the first letter of each picks its folder.
const char *const kCategoryEntries[] = {"Education ID", "Miscellaneous", "Corporate", "Health",
                                        "Press",        "Transport",     "Visitor",   "All Categories"};

void addFolder(std::vector<MyImageObject> &items, const QString &folder)
{
    const QString prefix = QFileInfo(folder).fileName() + QLatin1Char('/');
    for (const QString &path : Browser_Image_Files(folder)) {
        const QString name = QFileInfo(path).fileName();
        items.push_back(MyImageObject::initWithImage_Path(path, name, prefix + name));
    }
}

}  // namespace

QString Template_Category_Folder(const QString &letter)
{
    static const QHash<QString, QString> folders = {
        {"C", "Corporate"}, {"E", "Education"}, {"H", "Health"},   {"M", "Misc"},
        {"P", "Press"},     {"T", "Transport"}, {"V", "Visitor"},
    };
    return folders.value(letter, QStringLiteral("Corporate"));
}

std::vector<MyImageObject> Application_Template_Items(const QString &templatesRoot, const QString &letter)
{
    std::vector<MyImageObject> items;
    if (letter == QStringLiteral("A")) {
        const QFileInfoList folders =
            QDir(templatesRoot).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
        for (const QFileInfo &f : folders) {
            if (f.fileName() != QStringLiteral("User"))
                addFolder(items, f.absoluteFilePath());
        }
    } else {
        addFolder(items, platform::joinPath(templatesRoot, Template_Category_Folder(letter)));
    }
    return items;
}

std::vector<MyImageObject> User_Template_Items(const QString &userFolder)
{
    std::vector<MyImageObject> items;
    for (const QString &path : Browser_Image_Files(userFolder))
        items.push_back(MyImageObject::initWithImage_Path(path, QFileInfo(path).fileName(),
                                                          QStringLiteral("TEMP%1.png").arg(User_Defined_File++)));
    return items;
}

// ---------------------------------------------------------------------------------------------

Export_Template::Export_Template(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Export_Template_Window"));
    setModal(true);
    applyDialogBackground(this);
    // Wide enough for its title ("Export as Template", "Rename Template") in the title bar.
    setMinimumWidth(360);
    auto *layout = new QFormLayout(this);
    template_name = new QLineEdit(this);
    template_name->setObjectName(QStringLiteral("template_name"));
    template_passed = new QLineEdit(this);
    template_passed->setObjectName(QStringLiteral("template_passed"));
    template_passed->hide();
    layout->addRow(tr("Template name"), template_name);
    auto *buttons = new QHBoxLayout;
    auto *cancel = new QPushButton(tr("Cancel"), this);
    auto *ok = new QPushButton(tr("OK"), this);
    ok->setDefault(true);
    connect(cancel, &QPushButton::clicked, this, &Export_Template::CancelPressed);
    connect(ok, &QPushButton::clicked, this, &Export_Template::OKPressed);
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addWidget(ok);
    layout->addRow(buttons);
}

void Export_Template::OKPressed()
{
    const QString name = Remove_Reserve_Char_In_File_Name(Trim_Str(template_name->text()));
    if (name.isEmpty()) {
        Show_MessageBox(Empty_Name_Message(template_name->text(), QStringLiteral("Please enter template name.")));
        return;
    }
    if (const QString hidden = Hidden_Name_Refusal(name, QStringLiteral("template")); !hidden.isEmpty()) {
        Show_MessageBox(hidden);
        return;
    }
    const bool exists = QFile::exists(platform::joinPath(userFolder, name + QLatin1Char('.') + design_file_EXT));
    const QString old = template_passed->text();
    if (old.isEmpty() && exists &&
        Show_YES_NO_MessageBox(
            QStringLiteral("Template with this name already exists, Do you want to replace the existing template?")) != 1)
        return;
    if (!old.isEmpty() && name != old && exists) {
        Show_MessageBox(QStringLiteral("Template with this name already exists."));
        return;
    }
    export_template_name = name;
    done(1);
}

void Export_Template::CancelPressed()
{
    template_name->clear();
    done(0);
}

// ---------------------------------------------------------------------------------------------

Template_Wizard::Template_Wizard(QWidget *parent) : QDialog(parent)
{
    g_instance = this;
    setObjectName(QStringLiteral("Template_Wizard"));
    setWindowTitle(tr("Templates"));
    setModal(true);
    applyDialogBackground(this);
    resize(900, 620);
    auto *layout = new QVBoxLayout(this);
    auto *top = new QHBoxLayout;
    category_label = new QLabel(tr("Templates"), this);
    cat_cmbo_bx = new QComboBox(this);
    cat_cmbo_bx->setObjectName(QStringLiteral("cat_cmbo_bx"));
    cat_cmbo_bx->addItems({tr("Application templates"), tr("My templates")});
    sub_category_label = new QLabel(tr("Category"), this);
    template_category_combo = new QComboBox(this);
    template_category_combo->setObjectName(QStringLiteral("template_category_combo"));
    template_category_combo->setMinimumWidth(160);
    for (QWidget *w : std::initializer_list<QWidget *>{category_label, cat_cmbo_bx, sub_category_label,
                                                       template_category_combo})
        top->addWidget(w);
    top->addStretch();
    _zoom_label = new QLabel(tr("Zoom"), this);
    _zoom_slider = new QSlider(Qt::Horizontal, this);
    _zoom_slider->setObjectName(QStringLiteral("_zoom_slider"));
    _zoom_slider->setRange(0, 100);
    _zoom_slider->setFixedWidth(160);
    top->addWidget(_zoom_label);
    top->addWidget(_zoom_slider);
    layout->addLayout(top);
    connect(cat_cmbo_bx, &QComboBox::currentIndexChanged, this, [this] { comboBoxSelectionDidChange(cat_cmbo_bx); });
    connect(template_category_combo, &QComboBox::currentIndexChanged, this,
            [this] { comboBoxSelectionDidChange(template_category_combo); });
    connect(_zoom_slider, &QSlider::valueChanged, this, &Template_Wizard::zoomSliderDidChange);

    imageBrowser = new ImageBrowserView(this);
    connect(imageBrowser, &ImageBrowserView::imageSelected, this, [](const QString &p) { Selected_Template_Path = p; });
    connect(imageBrowser, &QListWidget::itemDoubleClicked, this, &Template_Wizard::OK_Click);
    layout->addWidget(imageBrowser, 1);

    auto *bottom = new QHBoxLayout;
    user_btn_box = new QWidget(this);
    user_btn_box->setObjectName(QStringLiteral("user_btn_box"));
    auto *userButtons = new QHBoxLayout(user_btn_box);
    userButtons->setContentsMargins(0, 0, 0, 0);
    const struct {
        QPushButton **field;
        const char *name, *title;
        void (Template_Wizard::*slot)();
    } buttons[] = {{&Delete_temp_btn, "Delete_temp_btn", "Delete", &Template_Wizard::Delete_Template_Click},
                   {&Copy_temp_btn, "Copy_temp_btn", "Copy", &Template_Wizard::Copy_Templatee_Click},
                   {&Rename_temp_btn, "Rename_temp_btn", "Rename…", &Template_Wizard::Rename_Template_Click}};
    for (const auto &b : buttons) {
        *b.field = new QPushButton(tr(b.title), user_btn_box);
        (*b.field)->setObjectName(QString::fromLatin1(b.name));
        (*b.field)->setAutoDefault(false);
        connect(*b.field, &QPushButton::clicked, this, b.slot);
        userButtons->addWidget(*b.field);
    }
    bottom->addWidget(user_btn_box);
    user_profile_btn = new QPushButton(tr("Profile…"), this);
    user_profile_btn->setObjectName(QStringLiteral("user_profile_btn"));
    user_profile_btn->setAutoDefault(false);
    connect(user_profile_btn, &QPushButton::clicked, this, &Template_Wizard::User_Profile_Click);
    bottom->addWidget(user_profile_btn);
    bottom->addStretch();
    auto *cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(QStringLiteral("Cancel_btn"));
    cancel->setAutoDefault(false);
    auto *ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("OK_btn"));
    ok->setDefault(true);
    connect(cancel, &QPushButton::clicked, this, &Template_Wizard::CancelClick);
    connect(ok, &QPushButton::clicked, this, &Template_Wizard::OK_Click);
    bottom->addWidget(cancel);
    bottom->addWidget(ok);
    layout->addLayout(bottom);
    Export_Template_Window = new Export_Template(this);
}

Template_Wizard *Template_Wizard::defaultInstance() { return g_instance; }

QString Template_Wizard::templatesRoot() const { return platform::joinPath(Resource_Path, QStringLiteral("Templates")); }
QString Template_Wizard::userFolder() const
{
    return platform::joinPath(Created_Resource_Path, QStringLiteral("Templates"), QStringLiteral("User"));
}

int Template_Wizard::Open_Template_Window(const QString &startCategory)
{
    Selected_Template_Path.clear();
    {
        const QSignalBlocker quietSource(cat_cmbo_bx), quietSub(template_category_combo);
        cat_cmbo_bx->setCurrentIndex(0);
        template_category_combo->clear();
        for (const char *entry : kCategoryEntries)
            template_category_combo->addItem(QString::fromLatin1(entry));
    }
    comboBoxSelectionDidChange(cat_cmbo_bx);
    template_category_combo->setCurrentIndex(std::max(0, int(template_category_combo->findText(startCategory))));
    comboBoxSelectionDidChange(template_category_combo);
    _zoom_slider->setValue(int(kStartZoom * 100));
    imageBrowser->setZoomValue(kStartZoom);
    const int code = runScripted(*this);
    if (code != 1)
        Selected_Template_Path.clear();
    return code == 1 ? 1 : 0;
}

void Template_Wizard::comboBoxSelectionDidChange(QComboBox *box)
{
    if (box == cat_cmbo_bx) {
        Selected_Template_Path.clear();
        const bool application = cat_cmbo_bx->currentIndex() <= 0;
        if (application)
            Fill_Templates();
        else
            Fill_Templates_User_Defined();
        Show_Hide_Template_Buttons(application);
        if (application)
            user_profile_btn->setEnabled(true);
        template_category_combo->setVisible(application);
        sub_category_label->setVisible(application);
    } else if (box == template_category_combo && template_category_combo->currentIndex() >= 0) {
        Sel_Template_Category = template_category_combo->currentText().left(1).toUpper();
        Fill_Templates();
    }
}

void Template_Wizard::showItems(const std::vector<MyImageObject> &items, bool titles)
{
    imageBrowser->removeAllImages();
    imageBrowser->setShowsTitles(titles);
    for (const MyImageObject &item : items)
        imageBrowser->addImageWithPath(item.path, item.image_Name, item.image_UID);
    _zoom_slider->setEnabled(!items.empty());
    Selected_Template_Path.clear();
    imageBrowser->selectImage(0);
}

void Template_Wizard::Fill_Templates()
{
    if (!QFileInfo(templatesRoot()).isDir())
        return;
    showItems(Application_Template_Items(templatesRoot(), Sel_Template_Category), false);
}

void Template_Wizard::Fill_Templates_User_Defined()
{
    if (!QFileInfo(userFolder()).isDir())
        QDir().mkpath(userFolder());
    const std::vector<MyImageObject> items = User_Template_Items(userFolder());
    showItems(items, true);
    const bool any = !items.empty();
    user_profile_btn->setEnabled(any);
    SetObjEnabled(user_btn_box, any);
    for (QPushButton *b : {Delete_temp_btn, Copy_temp_btn, Rename_temp_btn})
        b->setEnabled(any);
}

void Template_Wizard::Show_Hide_Template_Buttons(bool hide)
{
    user_btn_box->setHidden(hide);
    for (QPushButton *b : {Delete_temp_btn, Copy_temp_btn, Rename_temp_btn})
        b->setHidden(hide);
}

bool Template_Wizard::haveChoice()
{
    if (!Selected_Template_Path.isEmpty() && QFileInfo(Selected_Template_Path).isFile())
        return true;
    Show_MessageBox(QStringLiteral("Please select template."));
    return false;
}

void Template_Wizard::OK_Click()
{
    if (!haveChoice())
        return;
    Selected_Template_Path = Template_Design_Path(Selected_Template_Path);
    done(1);
}

void Template_Wizard::CancelClick()
{
    Selected_Template_Path.clear();
    done(0);
}

void Template_Wizard::User_Profile_Click()
{
    if (haveChoice() && openProfile)
        openProfile();
}

void Template_Wizard::Delete_Template_Click()
{
    if (!haveChoice() || Show_YES_NO_MessageBox(QStringLiteral("Do you want to delete this template?")) != 1)
        return;
    Delete_User_Template(Selected_Template_Path);
    Fill_Templates_User_Defined();
}

void Template_Wizard::Copy_Templatee_Click()
{
    if (!haveChoice() || Show_YES_NO_MessageBox(QStringLiteral("Do you want to make copy of this template?")) != 1)
        return;
    if (Copy_User_Template(Selected_Template_Path).isEmpty())
        Show_MessageBox(QStringLiteral("Template could not be copied."));
    Fill_Templates_User_Defined();
}

void Template_Wizard::Rename_Template_Click()
{
    if (!haveChoice())
        return;
    const QString old = QFileInfo(Selected_Template_Path).completeBaseName();
    Export_Template_Window->userFolder = userFolder();
    Export_Template_Window->template_name->setText(old);
    Export_Template_Window->template_passed->setText(old);
    Export_Template_Window->setWindowTitle(tr("Rename Template"));
    if (Export_Template_Window->runModal() != 1)
        return;
    if (Rename_User_Template(Selected_Template_Path, export_template_name).isEmpty())
        Show_MessageBox(QStringLiteral("Template could not be renamed."));
    Fill_Templates_User_Defined();
}

void Template_Wizard::zoomSliderDidChange()
{
    imageBrowser->setZoomValue(_zoom_slider->value() / 100.0);
    Show_NSLog_Message(QStringLiteral("ZOOM : %1\n").arg(_zoom_slider->value() / 100.0, 0, 'f', 6));
}
