#include "core/SKTSignature.h"

#include "core/Globals.h"
#include "core/ImageResolution.h"
#include "core/KindPainting.h"
#include "core/PictureServices.h"
#include "platform/Paths.h"

#include <QPaintDevice>
#include <QPainter>

SKTSignature::SKTSignature() : SKTGraphic(SKTGraphicKind::Signature) {}

QString SKTSignature::Sample_Path_For_Kind(const QString &sign_or_FP)
{
    return platform::joinPath(Resource_Path, sign_or_FP == QLatin1String("S") ? QStringLiteral("sign_sample.png")
                                                                               : QStringLiteral("fingerprints.png"));
}

std::unique_ptr<SKTSignature> SKTSignature::initWithPosition(QPointF point, const QImage &contents,
                                                             const QString &sign_or_FP)
{
    auto s = std::make_unique<SKTSignature>();
    s->_contents_img = contents;
    s->file_path = Sample_Path_For_Kind(sign_or_FP);
    s->_file_path = s->file_path;
    s->Set_Sign_Or_FP(sign_or_FP);
    s->setBounds(Rect_Centred_On(point, Image_Size_In_Points(contents)));
    pictureServices().Reset_Image_Editing_Controls();
    return s;
}

void SKTSignature::setFilePath(const QString &path)
{
    file_path = path == QLatin1String("Default") ? Sample_Path_For_Kind(Sign_Or_FP_Val()) : path;
    file_path = pictureServices().Check_Path_For_App_Resources(file_path);
    Set_Control_File_path(file_path);
    _contents_img = pictureServices().Get_Image_For_Path(file_path, false);
}

void SKTSignature::drawContentsInView(QPainter &painter, bool)
{
    if (!ctrl_is_visible)
        return;
    // A path stored by the design file, the archive or the panel takes effect here on the
    // canvas; copies made for rendering load it when they are made, and paint what they hold.
    if (file_path != _file_path && painter.device() && painter.device()->devType() == QInternal::Widget)
        setFilePath(_file_path);
    Draw_Picture_Stretched(painter, _contents_img, bounds(), 1.0);
    if (isDrawingStroke())
        Stroke_Border_Rect(painter, bounds(), strokeColor(), strokeWidth(), strokeBorderType());
}

void SKTSignature::makeNaturalSize()
{
    if (ctrl_is_locked)
        return;
    setBounds(QRectF(bounds().topLeft(), Image_Size_In_Points(_contents_img)));
}
