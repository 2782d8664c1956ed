#pragma once
// The invitation card's layout: each text and picture the invitation wizard leaves becomes one
// control on the front, top to bottom, with fixed heights and gaps.

#include <QRectF>
#include <QString>
#include <vector>

// What the invitation wizard hands over (the two picture paths are Invite_Frame_Pic_IMG and
// Invite_Frame_IMG of the window's globals).
extern QString Invite_Title, Invite_To, Invite_Message, Invite_Date, Invite_Time, Invite_Venue, Invite_From,
    Invite_BG_IMG;

struct InvitationTexts {
    QString title, to, message, date, time, venue, from, picture, frame;
};

// One control of the invitation: its identifier, text or picture, value and frame (points).
struct InvitationRow {
    QString id;
    bool image = false;
    QString value;
    QRectF rect;
};

// The rows for a card of that location and size, in creation order; empty values make none.
std::vector<InvitationRow> Invitation_Layout(const InvitationTexts &texts, const QRectF &card);
