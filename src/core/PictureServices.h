#pragma once
// How the image, signature and barcode controls and the design reader get their pictures.
// The defaults load files the way the controls always do; a window installs its own to point
// stored paths into its installation and to reset its picture panel.

#include <QImage>
#include <QString>

class SKTGraphic;

class PictureServices {
public:
    virtual ~PictureServices() = default;
    // The preview of a file at 500 by 500 (imageWithPreviewOfFileAtPath): the picture, or the
    // desktop's icon for a file that holds none; a null image when nothing is at the path.
    // Loading a file again while it is unchanged gives the same shared picture.
    virtual QImage Get_Image_For_Path(const QString &path, bool asIcon);
    // A stored path made to point into this installation's resources: a bare file name (as the
    // delivered templates give their "no.png" photo) names the resources' file of that name when
    // there is one; any other path is only trimmed.
    virtual QString Check_Path_For_App_Resources(const QString &path);
    // The image control's loaded picture through the filter chain with the control's settings.
    virtual QImage Get_Image_With_Update_Settings(SKTGraphic &control);
    // Puts the property panel's image controls back to their defaults.
    virtual void Reset_Image_Editing_Controls() = 0;
};

// The loaders above with no picture panel to reset: what runs without a window.
class NoWindowPictureServices : public PictureServices {
public:
    void Reset_Image_Editing_Controls() override {}
};

// The application's own "no photo yet" picture, "no.png" in its resources.
QString Placeholder_Picture_Path();
// Whether a stored picture path names that placeholder (the resources' file, or the bare name
// the delivered templates give): it stands where a photo is still to come, no file of the user's.
bool Is_Placeholder_Picture(const QString &path);
// What a photo box shows, or a row stores, for a control's picture path: nothing for the
// placeholder, the path itself otherwise.
QString Shown_Picture_Path(const QString &path);

// Whether the file a person chose as a picture (a photo, an image control's file) holds one the
// application reads. When it does not, the person is told so in one line and the caller keeps
// the picture it had, rather than showing the desktop's icon for the file.
bool Check_Picture_File(const QString &path);

// The installed services, or the defaults. Installing happens before any control is made;
// the defaults guard the previews they share, so workers may load pictures through them.
PictureServices &pictureServices();
// Installs services (not owned) and returns the previous ones (nullptr for the defaults).
PictureServices *setPictureServices(PictureServices *services);

// Decodes the previews of these files (paths as Get_Image_For_Path takes them) on every core,
// each distinct file once, into the previews the default services share, so controls loading
// them next find them made. The decodes in flight together stay within 512 MB of what each
// holds while decoding (File_Preview_Decode_Bytes).
void Prefetch_File_Previews(const QStringList &paths);
// What decoding the preview of this file holds at once, in bytes: the preview for a PNG (read
// row by row), an eighth of each side for a large JPEG, the whole picture for the rest.
qint64 File_Preview_Decode_Bytes(const QString &path);
// How many file previews were decoded since start (a file's unchanged preview is decoded once).
long long File_Previews_Decoded();
// The pixels the previews of these files take, from their headers alone (each distinct file
// once): what a design's referenced pictures count against its picture budget.
double File_Preview_Pixels(const QStringList &paths);
