#include "mainwindow/Image_Library.h"

#include "canvas/ImageBrowser.h"
#include "core/Globals.h"
#include "core/Utilities.h"
#include "mainwindow/WindowStyle.h"
#include "platform/Paths.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

QString Capitalized_Words(const QString &name)
{
    QString out = name.toLower();
    bool start = true;
    for (QChar &c : out) {
        if (start && c.isLetter())
            c = c.toUpper();
        start = !c.isLetterOrNumber();
    }
    return out;
}

std::vector<ClipArtCategory> Clip_Art_Categories(const QString &libraryFolder)
{
    std::vector<ClipArtCategory> out;
    if (!QFileInfo(libraryFolder).isDir())
        return out;
    const QFileInfoList folders = QDir(libraryFolder).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &f : folders)
        out.push_back({Capitalized_Words(f.fileName()), f.absoluteFilePath()});
    return out;
}

namespace {
Image_Library *g_instance = nullptr;
constexpr double kStartZoom = 0.4;
}  // namespace

Image_Library::Image_Library(QWidget *parent) : QDialog(parent)
{
    g_instance = this;
    setObjectName(QStringLiteral("Image_Library"));
    setModal(true);
    applyDialogBackground(this);
    resize(760, 560);
    auto *layout = new QVBoxLayout(this);
    auto *top = new QHBoxLayout;
    category_label = new QLabel(tr("Category"), this);
    category_label->setObjectName(QStringLiteral("category_label"));
    cat_cmbo_bx = new QComboBox(this);
    cat_cmbo_bx->setObjectName(QStringLiteral("cat_cmbo_bx"));
    cat_cmbo_bx->setMinimumWidth(200);
    connect(cat_cmbo_bx, &QComboBox::currentIndexChanged, this, &Image_Library::comboBoxSelectionDidChange);
    top->addWidget(category_label);
    top->addWidget(cat_cmbo_bx);
    top->addStretch();
    _zoom_label = new QLabel(tr("Zoom"), this);
    _zoom_label->setObjectName(QStringLiteral("_zoom_label"));
    _zoom_slider = new QSlider(Qt::Horizontal, this);
    _zoom_slider->setObjectName(QStringLiteral("_zoom_slider"));
    _zoom_slider->setRange(0, 100);
    _zoom_slider->setFixedWidth(160);
    connect(_zoom_slider, &QSlider::valueChanged, this, &Image_Library::zoomSliderDidChange);
    top->addWidget(_zoom_label);
    top->addWidget(_zoom_slider);
    layout->addLayout(top);

    imageBrowser = new ImageBrowserView(this);
    connect(imageBrowser, &ImageBrowserView::imageSelected, this, [this](const QString &p) { selected_image = p; });
    connect(imageBrowser, &QListWidget::itemDoubleClicked, this, &Image_Library::OK_Clicked);
    layout->addWidget(imageBrowser, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    auto *cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(QStringLiteral("Cancel_btn"));
    auto *ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("OK_btn"));
    ok->setDefault(true);
    connect(cancel, &QPushButton::clicked, this, &Image_Library::Cancel_Clicked);
    connect(ok, &QPushButton::clicked, this, &Image_Library::OK_Clicked);
    buttons->addWidget(cancel);
    buttons->addWidget(ok);
    layout->addLayout(buttons);
}

Image_Library *Image_Library::defaultInstance() { return g_instance; }

int Image_Library::Open_Library_Window()
{
    imageBrowser->removeAllImages();
    _zoom_slider->setValue(int(kStartZoom * 100));
    imageBrowser->setZoomValue(kStartZoom);
    selected_image.clear();
    const bool clipArt = control_or_BG == QStringLiteral("C");
    setWindowTitle(clipArt ? tr("Image Library") : tr("Background Image Library"));
    cat_cmbo_bx->setVisible(clipArt);
    category_label->setVisible(clipArt);
    if (clipArt)
        Fill_Combobox();
    else
        Load_and_fill_backgrounds();
    _zoom_slider->setEnabled(!imageBrowser->images().empty());
    imageBrowser->selectImage(0);
    const int code = runScripted(*this);
    if (code != 1)
        selected_image.clear();
    return code == 1 ? 1 : 0;
}

void Image_Library::Fill_Combobox()
{
    const QSignalBlocker quiet(cat_cmbo_bx);
    cat_cmbo_bx->clear();
    m_categories = Clip_Art_Categories(platform::joinPath(Resource_Path, QStringLiteral("LibraryImage")));
    for (const ClipArtCategory &c : m_categories)
        cat_cmbo_bx->addItem(c.shown);
    if (!m_categories.empty()) {
        cat_cmbo_bx->setCurrentIndex(0);
        comboBoxSelectionDidChange();
    }
}

void Image_Library::comboBoxSelectionDidChange()
{
    // The shown name is capitalised; the real folder behind it keeps its own letter case.
    const int i = cat_cmbo_bx->currentIndex();
    if (i < 0 || i >= int(m_categories.size()))
        return;
    fillFrom(m_categories[size_t(i)].folder);
    imageBrowser->selectImage(0);
}

void Image_Library::Load_and_fill_backgrounds()
{
    fillFrom(platform::joinPath(Resource_Path, QStringLiteral("Background")));
}

void Image_Library::fillFrom(const QString &folder)
{
    if (!QFileInfo(folder).isDir())
        return;
    imageBrowser->removeAllImages();
    for (const QString &path : Browser_Image_Files(folder)) {
        const QString name = QFileInfo(path).fileName();
        addImageWithPath(path, name, name);
    }
}

void Image_Library::addImageWithPath(const QString &path, const QString &name, const QString &uid)
{
    imageBrowser->addImageWithPath(path, name, uid);
}

void Image_Library::zoomSliderDidChange() { imageBrowser->setZoomValue(_zoom_slider->value() / 100.0); }

void Image_Library::OK_Clicked()
{
    if (!selected_image.isEmpty() && QFileInfo::exists(selected_image)) {
        done(1);
        return;
    }
    Show_MessageBox(QStringLiteral("Please select image."));
}

void Image_Library::Cancel_Clicked()
{
    selected_image.clear();
    done(0);
}
