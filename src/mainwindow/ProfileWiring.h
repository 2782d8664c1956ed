#pragma once
// The profile dialogs and the visitor log joined to the main window: the window answers the
// dialogs' questions, the wizards' and the profile button's calls reach the dialogs, and the
// log command opens the one log window of the run.

class QMenu;
class SKTWindowController;

// Creates both profile dialogs and the log window for `window`, adds the profile button to its
// tool palette and "Visitor Log…" to `menu` after its "Start…" item.
void Install_Profile_Wiring(SKTWindowController &window, QMenu &menu);
// Lays the profiles on both sides of a design just made with the card wizard or from a template.
void Fill_User_profile_Details(SKTWindowController &window);
