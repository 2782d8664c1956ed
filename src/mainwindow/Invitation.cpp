#include "mainwindow/Invitation.h"

#include "canvas/SKTGraphicView.h"
#include "core/Globals.h"
#include "core/SKTImage.h"
#include "mainwindow/MainWindowLogic.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/SKTWindowController.h"

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
