#pragma once
// Laying a profile on a card side's canvas: the profile-field controls of the side are hidden
// (the date and time, which no profile holds, keep their visibility), then every field with a value shows it in its value control (found by id, or created where
// `placeFor` says) bound to the field's source, the photo by the side's rule, and every caption
// in its caption control. The caller sets the window's fill flag around it and takes the undo
// snapshot.

#include <QRectF>
#include <QString>
#include <functional>

class SKTGraphicView;
class User_Profile_Class;

enum class ProfilePhotoRule {
    Front,  // photo laid when in use; a photo control of a side that does not use it is hidden
    Back,   // photo laid when in use; otherwise left as it is
    Temp,   // photo always laid, file or not
};

// The place of a control that is not on the card yet, from its id and value.
using ProfilePlacement = std::function<QRectF(const QString &id, const QString &value)>;

void Lay_User_Profile(User_Profile_Class &profile, SKTGraphicView &canvas, ProfilePhotoRule rule,
                      const ProfilePlacement &placeFor);

// The card rectangle of a layout template's placeholder. The placeholder frame is given with its
// origin at the template's bottom left (y upwards); a caption stands 10 points above its value,
// and every control's top lies 20 points below the placeholder's y counted from the template's top.
QRectF Template_Control_Rect(const QRectF &placeholderFromBottom, double templateHeight, bool caption);
