#pragma once
// The picture library of the resources: clip art by category ("LibraryImage", one folder per
// category) or card backgrounds ("Background"). The caller sets the mode, runs it and reads the
// chosen file's path.

#include "canvas/ScriptedModal.h"

#include <QDialog>
#include <QStringList>
#include <vector>

class ImageBrowserView;
class QComboBox;
class QLabel;
class QSlider;

// A clip-art category: the name shown (each word capitalised) and the real folder behind it.
struct ClipArtCategory {
    QString shown;
    QString folder;
};
// "animals" -> "Animals", "road SIGNS" -> "Road Signs".
QString Capitalized_Words(const QString &name);
// The sub-folders of `libraryFolder`, in name order; none when it is missing or not a folder.
std::vector<ClipArtCategory> Clip_Art_Categories(const QString &libraryFolder);

class Image_Library : public QDialog, public ScriptedModal<Image_Library> {
    Q_OBJECT
public:
    explicit Image_Library(QWidget *parent = nullptr);
    static Image_Library *defaultInstance();

    QString control_or_BG = QStringLiteral("C");  // "C" clip art, anything else backgrounds
    QString selected_image;
    ImageBrowserView *imageBrowser = nullptr;
    QSlider *_zoom_slider = nullptr;
    QLabel *_zoom_label = nullptr, *category_label = nullptr;
    QComboBox *cat_cmbo_bx = nullptr;

    // 1 a picture was chosen (`selected_image`), 0 cancelled (`selected_image` empty).
    int Open_Library_Window();
    void Fill_Combobox();
    void Load_and_fill_backgrounds();
    void addImageWithPath(const QString &path, const QString &name, const QString &uid);

public slots:
    void OK_Clicked();
    void Cancel_Clicked();
    void zoomSliderDidChange();
    void comboBoxSelectionDidChange();

private:
    void fillFrom(const QString &folder);
    std::vector<ClipArtCategory> m_categories;
};
