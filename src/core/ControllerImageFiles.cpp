#include "core/ControllerImageFiles.h"

#include "imageops/ImageProcesser.h"
#include "core/PngPreview.h"

#include "core/DocumentFiles.h"
#include "core/Globals.h"
#include "core/ImageResolution.h"
#include "core/SKTGraphic.h"
#include "core/Utilities.h"
#include "platform/FileIcons.h"
#include "platform/ImageWriter.h"
#include "platform/Paths.h"
#include "platform/PictureBudget.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QImageReader>
#include <QLocale>
#include <QPainter>
#include <cmath>

float last_ctrl_X = 10.0f;
float last_ctrl_Y = 10.0f;

namespace {

// The extension as the design files count it: the text after the last dot of the name, none
// for a name whose only dot leads it (".profile").
QString pathExtension(const QString &name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const qsizetype slash = name.lastIndexOf(QLatin1Char('/'));
    if (dot <= slash + 1)
        return {};
    return name.mid(dot + 1);
}

QString withoutExtension(const QString &name)
{
    const QString ext = pathExtension(name);
    return ext.isEmpty() && !name.endsWith(QLatin1Char('.')) ? name : name.left(name.size() - ext.size() - 1);
}

constexpr QDir::Filters kEverything = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;

QFileInfoList entriesOf(const QString &folder)
{
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return {};
    return QDir(folder).entryInfoList(kEverything, QDir::Name);
}

QStringList relativeBelow(const QString &folder, QDir::Filters filters, bool dropExtension)
{
    QStringList out;
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return out;
    const QDir base(folder);
    QDirIterator it(folder, filters | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString relative = base.relativeFilePath(it.next());
        out.append(dropExtension ? withoutExtension(relative) : relative);
    }
    return out;
}

bool fail(QString *error, const QString &why)
{
    if (error)
        *error = why;
    return false;
}

bool writePdfOfImage(const QImage &image, const QString &path, QString *error)
{
    const QSizeF points = Image_Size_In_Points(image);
    const QByteArray pdf = Pdf_Page_Data(points, QString(), [&](QPainter &painter) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
        painter.drawImage(QRectF(QPointF(0, 0), points), image);
    });
    if (pdf.isEmpty())
        return fail(error, QStringLiteral("The PDF could not be made."));
    return Write_Whole_File(path, pdf, error);
}

}  // namespace

QPointF Control_New_Point(int sideControlCount, const QSizeF &cardSize)
{
    const float step = float(std::max(sideControlCount, 20));
    float x = last_ctrl_X + step;
    float y = last_ctrl_Y + step;
    if (double(x) + 50.0 >= cardSize.width())
        x = 10.0f;
    if (double(y) + 50.0 >= cardSize.height())
        y = 10.0f;
    last_ctrl_X = x;
    last_ctrl_Y = y;
    return QPointF(x, y);
}

float MM_to_Points_Convert(float millimetres) { return millimetres * 2.834645669291f; }
float Points_to_MM_Convert(float points) { return points * 0.3527777777778f; }

QImage Increase_DPI(const QImage &image, double dpi)
{
    const QSize pixels = image.isNull() ? QSize() : Pixel_Size_For_Points(Image_Size_In_Points(image), dpi);
    QImage out;
    if (!pixels.isEmpty())
        out = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
    if (out.isNull()) {
        Show_NSLog_Message(QStringLiteral("Invalid image"));
        return {};
    }
    out.fill(Qt::transparent);
    {
        QPainter painter(&out);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
        const QSizeF points = Image_Size_In_Points(image);
        painter.scale(dpi / 72.0, dpi / 72.0);
        painter.drawImage(QRectF(QPointF(0, 0), points), image);
    }
    Set_Image_Dpi(out, dpi);
    return out;
}

bool Save_gen_image(const QImage &image, const QString &file_path_val, QString *error)
{
    if (image.isNull())
        return fail(error, QStringLiteral("There is no image to save."));
    if (pathExtension(QFileInfo(file_path_val).fileName()).toUpper() == QLatin1String("PDF"))
        return writePdfOfImage(image, file_path_val, error);
    QString why;
    if (!platform::writeImageFile(image, file_path_val, Image_Dpi(image), &why)) {
        Show_NSLog_Message(QStringLiteral("Image not saved at %1: %2").arg(file_path_val, why));
        return fail(error, why);
    }
    return true;
}

namespace {
QImage decodedThumbnail(const QString &path, int longestSide)
{
    if (path.isEmpty() || longestSide < 1 || !QFileInfo(path).isFile())
        return {};
    if (const QString refused = platform::pictureDecodeRefusal(path); !refused.isEmpty()) {
        Show_NSLog_Message(refused);
        return {};
    }
    QImageReader reader(path);
    reader.setAutoTransform(true);
    // The scale is worked out on the stored size; a quarter turn swaps the sides, not the bound.
    const QSize size = reader.size();
    // A large PNG is read row by row into its preview (Qt's reader would decode it whole first).
    if (size.isValid() && (size.width() > longestSide || size.height() > longestSide) && reader.format() == "png") {
        QImage picture = Decode_Png_Preview(path, longestSide);
        if (!picture.isNull()) {
            const QSize fitted = size.scaled(longestSide, longestSide, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
            if (picture.size() != fitted)
                picture = picture.scaled(fitted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            Set_Image_Dpi(picture, 72.0);
            return picture;
        }
    }
    if (size.isValid() && (size.width() > longestSide || size.height() > longestSide))
        reader.setScaledSize(size.scaled(longestSide, longestSide, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
    QImage picture = reader.read();
    if (picture.isNull())
        return {};
    if (picture.width() > longestSide || picture.height() > longestSide)  // readers that cannot scale
        picture = picture.scaled(longestSide, longestSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    // One pixel a point: the thumbnail's pixel size is the control's natural size.
    Set_Image_Dpi(picture, 72.0);
    return picture;
}
}  // namespace

QImage Load_Control_Picture(const QString &path, bool) { return decodedThumbnail(path, 500); }

QImage Load_Card_Background_Picture(const QString &path)
{
    // A huge file is read as a preview; the limit applies to the picture's own size, upright.
    QImage picture = decodedThumbnail(path, 4096);
    if (picture.isNull())
        return picture;
    QImageReader reader(path);
    reader.setAutoTransform(true);
    QSize own = reader.size();
    if (!own.isValid() || own.isEmpty())
        own = picture.size();
    else if ((own.width() > own.height()) != (picture.width() > picture.height()))
        own.transpose();  // a quarter turn recorded in the file
    const QSizeF limited = ImageProcesser::Set_Dimaension(QSizeF(own));
    if (limited != QSizeF(picture.size())) {
        picture = picture.scaled(limited.toSize(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        Set_Image_Dpi(picture, 72.0);
    }
    return picture;
}

QImage Thimbnail_Using_CG_Image(const QString &path, const QSizeF &size)
{
    QImage picture = decodedThumbnail(path, int(size.width()));
    if (!picture.isNull())
        return picture;
    picture = platform::fileIconImage(path, size.toSize());
    Set_Image_Dpi(picture, 72.0);
    return picture;
}

QImage imageWithPreviewOfFileAtPath(const QString &path, const QSizeF &size, bool)
{
    return Thimbnail_Using_CG_Image(path, size);
}

QImage imageResize(const QImage &image, const QSizeF &newSize)
{
    const QSize pixels(int(std::ceil(newSize.width())), int(std::ceil(newSize.height())));
    if (image.isNull() || pixels.isEmpty()) {
        Show_NSLog_Message(QStringLiteral("Invalid Image"));
        return {};
    }
    QImage out(pixels, QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    QPainter painter(&out);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QRectF(QPointF(0, 0), newSize), image);
    return out;
}

QStringList Get_Folder_Array_At_Path(const QString &folder)
{
    QStringList out;
    for (const QFileInfo &info : entriesOf(folder)) {
        if (info.isDir())
            out.append(info.fileName());
    }
    return out;
}

QStringList Get_Folders_And_Sub_Folder_Array_At_Path(const QString &folder)
{
    return relativeBelow(folder, QDir::Dirs, false);
}

QStringList Get_Files_Array_At_Path(const QString &folder, bool del_ext)
{
    QStringList out;
    for (const QFileInfo &info : entriesOf(folder)) {
        if (!info.isDir())
            out.append(del_ext ? withoutExtension(info.fileName()) : info.fileName());
    }
    return out;
}

QStringList Get_Files_And_Folder_Array_At_Path(const QString &folder)
{
    return relativeBelow(folder, QDir::AllEntries, true);
}

void Filter_Non_Log_Files_At_Path(const QString &folder)
{
    for (const QFileInfo &info : entriesOf(folder)) {
        // Compared without case: "Card.DID" is a design file too.
        if (!info.isDir() && pathExtension(info.fileName()).compare(design_file_EXT, Qt::CaseInsensitive) != 0)
            Delete_File(info.filePath());
    }
}

QStringList Get_datasheet_File_Name_Array()
{
    QStringList out;
    for (const QFileInfo &info : entriesOf(Data_Folder_Path)) {
        // Regular files only: a FIFO named like a series would hang whoever reads it.
        if (info.isFile() && pathExtension(info.fileName()).toLower() == batch_file_EXT)
            out.append(withoutExtension(info.fileName()));
    }
    return out;
}

namespace {
bool takesSeries(const std::vector<SKTGraphic *> &controls, const QString &name)
{
    for (const SKTGraphic *g : controls) {
        if (!g)
            continue;
        const SKTGraphicKind k = g->kind();
        if ((k == SKTGraphicKind::Image || k == SKTGraphicKind::Text || k == SKTGraphicKind::Barcode)
            && g->data_source_type == 1 && g->batch_list_name == name)
            return true;
    }
    return false;
}
}  // namespace

bool Check_Batch_File_In_Use_Validation(const QString &seriesName, const std::vector<SKTGraphic *> &front,
                                        const std::vector<SKTGraphic *> &back, const QString &cardSides)
{
    const QString file = platform::joinPath(Data_Folder_Path, seriesName + QLatin1Char('.') + batch_file_EXT);
    if (!QFileInfo::exists(file))
        return false;
    if (takesSeries(front, seriesName))
        return true;
    return cardSides == QLatin1String("2") && takesSeries(back, seriesName);
}

void Delete_Excel_File_Temp_Folder()
{
    Delete_Folder(platform::joinPath(QDir::tempPath(), QStringLiteral("ziptmp")));
}

QString Get_date_Value(const QString &pattern)
{
    // Qt writes "a" as "am"/"pm"; the patterns mean the marker in capitals, Qt's "AP". Quoted
    // text stays as it is.
    QString qtPattern;
    bool quoted = false;
    for (const QChar c : pattern) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (!quoted && c == QLatin1Char('a'))
            qtPattern += QStringLiteral("AP");
        else
            qtPattern += c;
    }
    return QLocale().toString(QDateTime::currentDateTime(), qtPattern);
}

const QStringList &Text_Date_Formats()
{
    static const QStringList formats{QStringLiteral("M-d-yyyy"),   QStringLiteral("M-d-yy"),
                                     QStringLiteral("MM-dd-yy"),   QStringLiteral("MM-dd-yyyy"),
                                     QStringLiteral("yy-MM-dd"),   QStringLiteral("yyyy-MM-dd"),
                                     QStringLiteral("dd-MMM-yy"),  QStringLiteral("dd-MM-yyyy"),
                                     QStringLiteral("d-M-yy")};
    return formats;
}

const QStringList &Text_Time_Formats()
{
    static const QStringList formats{QStringLiteral("h:mm:ss a"), QStringLiteral("hh:mm:ss a"),
                                     QStringLiteral("H:mm:ss"), QStringLiteral("HH:mm:ss")};
    return formats;
}
QString Get_time_Value(const QString &pattern) { return Get_date_Value(pattern); }

QString Convert_Path_From_URL(const QUrl &url) { return url.isLocalFile() ? url.toLocalFile() : url.path(); }

bool Check_And_Validate_File_Path(const QString &path)
{
    const QString trimmed = Trim_Str(path);
    if (!trimmed.isEmpty() && QFileInfo::exists(trimmed))
        return false;
    Show_MessageBox(QStringLiteral("Please select valid file path."));
    return true;
}

QString Get_Original_Path_Of_Image_Control(const SKTGraphic &control)
{
    if (control.kind() != SKTGraphicKind::Image)
        return {};
    return QFileInfo(control._file_path).isFile() && QFileInfo(control.Text_Value).isFile() ? control.Text_Value
                                                                                         : QString();
}
