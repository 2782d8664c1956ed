#pragma once
// The image and file operations the main window offers every subsystem: the cascade point of
// new controls, millimetres and points, raising a picture's resolution, writing a picture
// file, folder listings, the series in use, date and time texts and the path check. The main
// window forwards its operations of these names here; they keep no state beyond the two
// cascade globals.

#include <QImage>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <vector>

class SKTGraphic;

// The position given to the last new or pasted control, in points; 10 each at start and
// after a new project.
extern float last_ctrl_X;
extern float last_ctrl_Y;

inline const QString batch_file_EXT = QStringLiteral("txt");
inline const QString design_file_EXT = QStringLiteral("did");

// The next new control's position: at least 20 points right of and below the last one (more
// when the side holds more controls), back to 10 near the card's right or bottom edge.
QPointF Control_New_Point(int sideControlCount, const QSizeF &cardSize);

float MM_to_Points_Convert(float millimetres);
float Points_to_MM_Convert(float points);

// The picture redrawn at `dpi` over its own size in points, smoothly, as a new image that
// records that resolution. A null image (logged "Invalid image") for a null picture or a
// size that cannot be allocated. Card sides are painted at the target resolution instead.
QImage Increase_DPI(const QImage &image, double dpi);

// Writes the picture to `path` in the format its extension names (png, jpg/jpeg, bmp,
// tif/tiff, or pdf: one page of the picture's size in points), with the picture's
// resolution, whole or not at all. JPEG and BMP are flattened onto white. False with a
// one-line reason on failure; a file already at the path is replaced only on success.
bool Save_gen_image(const QImage &image, const QString &file_path_val, QString *error = nullptr);

// A picture file as the controls load it: longer side at most 500 pixels, the orientation
// recorded in the file applied, one pixel a point. Null when no picture can be decoded there.
QImage Load_Control_Picture(const QString &path, bool asIcon = false);

// A picture file as a card background takes it: upright, one pixel a point, at its own size
// but never more than 724 points wide or 468 high (each side limited on its own, the shape not
// kept: a tiled background repeats at that size). Null when no picture can be decoded there.
QImage Load_Card_Background_Picture(const QString &path);

// The preview every file the program shows is loaded through: the picture scaled down so that
// its longer side is at most the size's width (truncated; smaller pictures keep their pixels),
// upright by the orientation the file records, one pixel a point; a file that holds no
// picture gives the desktop's icon for it stretched to `size`. Null when neither exists. The
// as-icon flag is accepted for the callers' sake and changes nothing.
QImage imageWithPreviewOfFileAtPath(const QString &path, const QSizeF &size, bool asIcon);
QImage Thimbnail_Using_CG_Image(const QString &path, const QSizeF &size);

// A new picture of the given size with the source drawn smoothly over it; null (logged
// "Invalid Image") for a null source.
QImage imageResize(const QImage &image, const QSizeF &newSize);

// --- folders and files (hidden entries included; empty when the folder is missing) ---
QStringList Get_Folder_Array_At_Path(const QString &folder);
QStringList Get_Folders_And_Sub_Folder_Array_At_Path(const QString &folder);
QStringList Get_Files_Array_At_Path(const QString &folder, bool del_ext);
QStringList Get_Files_And_Folder_Array_At_Path(const QString &folder);
// Deletes every file directly in the folder whose extension is not "did" (in any case).
void Filter_Non_Log_Files_At_Path(const QString &folder);
// Series names: files of Data_Folder_Path with the extension "txt" (any case), without it.
QStringList Get_datasheet_File_Name_Array();
// Whether a text, image or barcode control of the front (or, on a two-sided card, the back)
// takes its value from the series of that name. NO when the series file does not exist.
bool Check_Batch_File_In_Use_Validation(const QString &seriesName, const std::vector<SKTGraphic *> &front,
                                        const std::vector<SKTGraphic *> &back, const QString &cardSides);
void Delete_Excel_File_Temp_Folder();

// The current date and time in the given pattern ("dd-MMM-yyyy", "HH:mm:ss"); "a" stands for
// the AM or PM marker, in capitals.
QString Get_date_Value(const QString &pattern);
QString Get_time_Value(const QString &pattern);
// The patterns the text panel offers for Insert Date (nine) and Insert Time (four), in order.
const QStringList &Text_Date_Formats();
const QStringList &Text_Time_Formats();

QString Convert_Path_From_URL(const QUrl &url);

// The source picture of an image control, as the live-mode panels and their rows show it: its
// text value when both that and the picture in use (`_file_path`) are regular files, else "".
// A folder or a missing file is no source; any other kind of control has none.
QString Get_Original_Path_Of_Image_Control(const SKTGraphic &control);

// True (and the message "Please select valid file path.") when the trimmed path is empty or
// names nothing; false for a path that exists.
bool Check_And_Validate_File_Path(const QString &path);
