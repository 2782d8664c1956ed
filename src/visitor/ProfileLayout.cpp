#include "visitor/ProfileLayout.h"

#include "visitor/User_Profile_Class.h"

#include "canvas/CanvasRequests.h"
#include "canvas/SKTGraphicView.h"
#include "core/SKTImage.h"

#include <QFileInfo>
#include <vector>

namespace {
void bind(SKTGraphic *g, const ProfileSlot &s)
{
    if (!g)
        return;
    if (s.ds) {
        g->Set_Data_source_type(1);
        g->Set_Batch_List_Name(s.ds_name);
        g->Set_Batch_List_Index(s.ds_indx);
        g->Set_Excel_binding(false);
    } else if (s.xl) {
        g->Set_Data_source_type(2);
        g->Set_Excel_binding(true);
        g->Set_Excel_binding_Index(s.xl_col_indx);
    } else {
        g->Set_Data_source_type(0);
        g->Set_Excel_binding(false);
        g->Set_Excel_binding_Index(-1);
        g->Set_Batch_List_Index(-1);
        g->Set_Batch_List_Name(QString());
    }
}

void place(SKTGraphicView &canvas, SKTGraphicKind kind, const QString &id, const QString &value,
           const ProfilePlacement &placeFor)
{
    const bool missing = canvas.Selcect_Ctrl_With_ID(id) == nullptr;
    const QRectF rect = missing && placeFor ? placeFor(id, value) : QRectF();
    canvas.ReplaceGraphicText(kind, missing, rect, QStringLiteral("F"), value, id);
}
}  // namespace

void Lay_User_Profile(User_Profile_Class &profile, SKTGraphicView &canvas, ProfilePhotoRule rule,
                      const ProfilePlacement &placeFor)
{
    CanvasRequests &window = canvasRequests();
    const auto fields = profile.Profile_Slots();
    // A profile has no date or time field, so the dialogs cannot have meant to take the side's
    // date and time off the card: they stay as they were, captions too.
    std::vector<SKTGraphic *> clock;
    for (const char *id : {"Fup_Date", "Fup_Time", "Fup_lbl_Date", "Fup_lbl_Time"}) {
        for (const SKTGraphicPtr &g : canvas.graphics())
            if (g && g->control_ID == QLatin1String(id) && g->ctrl_is_visible)
                clock.push_back(g.get());
    }
    canvas.Hide_all_Text_control_FUP_Control();
    for (SKTGraphic *g : clock)
        g->Set_Ctrl_Is_Visible(true);
    window.Set_Selected_Control_Tool(2);
    for (int i = 0; i < 10; ++i) {
        const ProfileSlot &s = fields[size_t(i)];
        if (s.value.isEmpty())
            continue;
        place(canvas, SKTGraphicKind::Text, s.id, s.value, placeFor);
        bind(canvas.Selected_Graphic(), s);
    }
    const ProfileSlot &photo = fields[10];
    const bool lay = rule == ProfilePhotoRule::Temp ||
                     (profile.image_USE && (QFileInfo(photo.value).isFile() || photo.ds || photo.xl));
    if (lay) {
        window.Set_Selected_Control_Tool(8);
        Library_Selected_Image = photo.value;
        place(canvas, SKTGraphicKind::Image, photo.id, photo.value, placeFor);
        bind(canvas.Selected_Graphic(), photo);
    } else if (rule == ProfilePhotoRule::Front && !profile.image_USE) {
        if (SKTGraphic *g = canvas.Selcect_Ctrl_With_ID(photo.id))
            g->Set_Ctrl_Is_Visible(false);
    }
    window.Set_Selected_Control_Tool(2);
    for (int i = 0; i < 10; ++i) {
        const ProfileSlot &s = fields[size_t(i)];
        if (!s.label.isEmpty())
            place(canvas, SKTGraphicKind::Text, s.label_id, s.label, placeFor);
    }
}

QRectF Template_Control_Rect(const QRectF &frame, double templateHeight, bool caption)
{
    QRectF rect = frame;
    if (caption)
        rect.moveTop(rect.y() + 10.0);
    rect.moveTop(templateHeight - rect.y() - 20.0);
    return rect;
}
