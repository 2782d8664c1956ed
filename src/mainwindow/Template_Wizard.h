#pragma once
// The template gallery behind the "T" and "V" start modes: the previews of the application's
// templates by category, or of the user's own templates, which it can also copy, rename and
// delete. Its result is the chosen template's design file in `Selected_Template_Path`.

#include "canvas/ImageBrowser.h"
#include "canvas/ScriptedModal.h"
#include "core/UserTemplates.h"

#include <QDialog>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

extern QString Selected_Template_Path;
extern QString Sel_Template_Category;  // "C" Corporate … "V" Visitor, "A" every category
extern std::uint64_t User_Defined_File;  // identifiers of user templates, never reset in a run
extern QString export_template_name;    // the name the template-name dialog accepted

// The category folder of a letter: "C" Corporate, "E" Education, "H" Health, "M" Misc, "P"
// Press, "T" Transport, "V" Visitor; any other letter Corporate.
QString Template_Category_Folder(const QString &letter);
// The previews of the application's templates of a category letter ("A": every sub-folder of
// the root but "User"), identified by folder and file name.
std::vector<MyImageObject> Application_Template_Items(const QString &templatesRoot, const QString &letter);
// The previews of the user's templates, identified "TEMP<n>.png" by the run's counter.
std::vector<MyImageObject> User_Template_Items(const QString &userFolder);

// The template-name dialog: a new name (and the old one when renaming).
class Export_Template : public QDialog, public ScriptedModal<Export_Template> {
    Q_OBJECT
public:
    explicit Export_Template(QWidget *parent = nullptr);
    QLineEdit *template_name = nullptr, *template_passed = nullptr;
    QString userFolder;
    int runModal() { return runScripted(*this); }
public slots:
    void OKPressed();
    void CancelPressed();
};

class Template_Wizard : public QDialog, public ScriptedModal<Template_Wizard> {
    Q_OBJECT
public:
    explicit Template_Wizard(QWidget *parent = nullptr);
    static Template_Wizard *defaultInstance();

    // The visitor subsystem's profile dialog; the main window installs it.
    std::function<void()> openProfile;

    // 1 a template was chosen (`Selected_Template_Path` holds its design file), 0 cancelled.
    // Opens on the delivered category `startCategory` ("Visitor" on the visitor road), else the first.
    int Open_Template_Window(const QString &startCategory = QString());
    void Fill_Templates();
    void Fill_Templates_User_Defined();
    void Show_Hide_Template_Buttons(bool hide);
    QString templatesRoot() const;
    QString userFolder() const;

    ImageBrowserView *imageBrowser = nullptr;
    QSlider *_zoom_slider = nullptr;
    QLabel *_zoom_label = nullptr, *category_label = nullptr, *sub_category_label = nullptr;
    QComboBox *cat_cmbo_bx = nullptr, *template_category_combo = nullptr;
    QWidget *user_btn_box = nullptr;
    QPushButton *Delete_temp_btn = nullptr, *Copy_temp_btn = nullptr, *Rename_temp_btn = nullptr,
                *user_profile_btn = nullptr;
    Export_Template *Export_Template_Window = nullptr;

public slots:
    void OK_Click();
    void CancelClick();
    void User_Profile_Click();
    void Delete_Template_Click();
    void Copy_Templatee_Click();
    void Rename_Template_Click();
    void zoomSliderDidChange();
    void comboBoxSelectionDidChange(QComboBox *box);

private:
    void showItems(const std::vector<MyImageObject> &items, bool titles);
    bool haveChoice();
};
