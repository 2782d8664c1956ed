#include "mainwindow/Invitation.h"

#include "canvas/LiveModePanel.h"
#include "canvas/SKTGraphicView.h"
#include "core/ControllerImageFiles.h"
#include "core/Globals.h"
#include "core/SKTImage.h"
#include "mainwindow/MainWindowLogic.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/Invitation_Wizard.h"
#include "mainwindow/SKTWindowController.h"
#include "mainwindow/Template_Wizard.h"

#include <QLineEdit>

QString Invite_Title, Invite_To, Invite_Message, Invite_Date, Invite_Time, Invite_Venue, Invite_From, Invite_BG_IMG;

std::vector<InvitationRow> Invitation_Layout(const InvitationTexts &t, const QRectF &card)
{
    std::vector<InvitationRow> rows;
    const float W = float(card.width()), H = float(card.height());
    const float tw = W - 80, cx = (W - tw) / 2;
    float y = 40;
    auto text = [&](const char *id, const QString &value, float x, float height, float advance) {
        rows.push_back({QString::fromLatin1(id), false, value, QRectF(x, y, tw, height)});
        y += advance;
    };
    if (!t.title.isEmpty())
        text("PARTY_TITLE", t.title, cx, 30, 50);
    if (!t.to.isEmpty())
        text("PARTY_TO", QStringLiteral("Dear %1,").arg(t.to), 30, 20, 30);
    if (!t.message.isEmpty())
        text("PARTY_MSG", t.message, 50, 80, 80);
    if (!t.date.isEmpty()) {
        text("PARTY_DATE", t.time.isEmpty() ? t.date : QStringLiteral("%1 at %2").arg(t.date, t.time), 30, 20, 30);
    } else {
        // The date's line stays free either way, so the lines below sit where they would.
        if (!t.time.isEmpty())
            text("PARTY_TIME", QStringLiteral("AT ") + t.time, 30, 20, 30);
        y += 30;
    }
    if (!t.venue.isEmpty())
        text("PARTY_VENUE", t.venue, 30, 60, 70);
    else
        y += 20;
    if (!t.from.isEmpty())
        text("PARTY_FROM", t.from, cx, 40, 0);
    if (!t.picture.isEmpty())
        rows.push_back({QStringLiteral("PARTY_IMAGE"), true, t.picture, QRectF(cx, (H - 250) / 2, tw, 250)});
    if (!t.frame.isEmpty())
        rows.push_back({QStringLiteral("PARTY_IMAGE_BG"), true, t.frame, card});
    return rows;
}

void SKTWindowController::Fill_Party_Invidation_Details()
{
    const Card_Property &front = *Front_card_Prop;
    const InvitationTexts texts{Invite_Title, Invite_To,   Invite_Message,       Invite_Date,     Invite_Time,
                                Invite_Venue, Invite_From, Invite_Frame_Pic_IMG, Invite_Frame_IMG};
    const std::vector<InvitationRow> rows =
        Invitation_Layout(texts, QRectF(front.Card_Location(), front.Card_Size()));
    // Each new control lands in front of the ones before it: the frame (opaque, the whole card)
    // goes first so it stays behind everything, the photo next, the texts last and frontmost.
    std::vector<const InvitationRow *> order;
    for (const InvitationRow &row : rows)
        if (row.image)
            order.insert(order.begin(), &row);
    for (const InvitationRow &row : rows)
        if (!row.image)
            order.push_back(&row);
    const QString chosen = Library_Selected_Image;
    Library_Selected_Image.clear();  // the pictures come from the wizard, not the library
    for (const InvitationRow *row : order) {
        Selected_Control_Tool = row->image ? ImageTool : TextTool;
        _graphicView->createGraphicOfClass(row->image ? SKTGraphicKind::Image : SKTGraphicKind::Text, nullptr, true,
                                           row->rect, QStringLiteral("F"), row->value, row->id);
        // The canvas gives a text made from a rectangle its default size; the layout's own
        // frame keeps long lines from being clipped and running into the next row.
        for (const SKTGraphicPtr &g : m_document.graphics())
            if (g && g->control_ID == row->id && g->bounds() != row->rect)
                g->setBounds(row->rect);
    }
    Library_Selected_Image = chosen;
    selectArrowTool();
    Refresh_Canvas();
}

// --- the invitation wizard's roads ---

namespace {
// The wizard's adjustments kept on the photo control, so the file keeps them and every output
// draws the photo as the wizard showed it.
void Take_Photo_Adjustments(SKTGraphic &photo, const ImageAdjustments &a)
{
    photo.gray_Scale = a.grayscale;
    photo.Sepia = a.sepia;
    photo.invert_clr = a.invrtclr;
    photo.hue_val = a.hue;
    photo.sat_val = a.sat;
    photo.brt_val = a.brt;
    photo.con_val = a.con;
    photo.rotate_image = a.rotate;
    photo.srp_val = a.r;
    photo.ev_val = a.g;
    photo.blr_val = a.b;
    photo.img_trnsp_val = a.tranprency;
    photo._isFlippedHorizontally = a.flip_H;
    photo._isFlippedVertically = a.flip_V;
    if (auto *image = dynamic_cast<SKTImage *>(&photo))
        image->setFileNSImage_Variable(Adjusted_Control_Picture(photo));
}
}  // namespace

SKTGraphic *SKTWindowController::Invitation_Photo_Control() const
{
    for (const SKTGraphicPtr &g : m_document.graphics())
        if (g && g->control_ID == QLatin1String("PARTY_IMAGE"))
            return g.get();
    return nullptr;
}

void SKTWindowController::Invitation_Wizard_Button()
{
    if (Save_Changes_Before_New())
        Start_From_Invitation();
}

int SKTWindowController::Start_From_Invitation()
{
    // The open design stays untouched until the wizard finishes.
    if (inv_wzrd_Window->Open_Wnd() != 1)
        return 0;
    if (inv_wzrd_Window->road() == 2)
        return 1;  // a saved design was opened from the wizard's start screen
    const InvitationDetails chosen = inv_wzrd_Window->details();
    New_Project_Setting_Reset(true);
    Hand_Over_Invitation(chosen);  // the reset empties the hand-over pictures
    Selected_Template_Path.clear();
    Start_Card_Option = QStringLiteral("W");
    // The reset left the face of the mode that was in force: an invitation has the design face's buttons.
    liveModePanel().Show_Hide_Profile_Panel_Live_Mode(false);
    for (Card_Property *card : {Front_card_Prop.get(), Back_card_Prop.get()})
        card->setCard_Shape(QStringLiteral("R"));
    Set_Card_Size_In_Control(chosen.widthMM, chosen.heightMM);
    SetDocumentCanvasSize(
        QSizeF(MM_to_Points_Convert(float(chosen.widthMM)), MM_to_Points_Convert(float(chosen.heightMM))));
    Main_Photo_image = inv_wzrd_Window->adjustedPhoto();
    Show_Canvas_And_Right_Prop();
    liveModePanel().Hide_Visitor_panel();  // an invitation is a design, whatever mode came before
    if (Card_Front_Or_Back != 0)
        Select_front_side();
    Fill_Party_Invidation_Details();
    if (SKTGraphic *photo = Invitation_Photo_Control())
        Take_Photo_Adjustments(*photo, inv_wzrd_Window->adjustments());
    Set_Log_Name_In_Title();
    Show_RHS_Properties(nullptr);
    Refresh_Canvas();
    Reset_Undo_With_Base_Snapshot();
    return 1;
}

void SKTWindowController::Edit_Invitation_Photo_Clicked()
{
    SKTGraphic *photo = Invitation_Photo_Control();
    if (!photo)
        return;
    // The wizard's photo lives as long as the design it made: a design opened from a file starts
    // the page without one, and the user chooses it again.
    const bool fromWizard = !Main_Photo_image.isNull();
    if (inv_wzrd_Window->Open_Wnd_For_Edit_Photo(fromWizard ? photo->_contents : QImage(), photo->FilePath(),
                                                 main_photo_ds_batch, Control_Image_Adjustments(*photo)) != 1
        || !inv_wzrd_Window->photoChanged())
        return;
    Insert_In_Undo_Redo();  // the state before, in case a change went unrecorded
    const QString picked = inv_wzrd_Window->image_path->text();
    if (picked != photo->FilePath())
        if (auto *image = dynamic_cast<SKTImage *>(photo))
            image->setFilePath(picked, true);
    Main_Photo_image = inv_wzrd_Window->adjustedPhoto();
    Take_Photo_Adjustments(*photo, inv_wzrd_Window->adjustments());
    Insert_In_Undo_Redo();
    Show_RHS_Properties(nullptr);
    Refresh_Canvas();
}
