#pragma once
// Group mode joined to the main window: its panel installed for the window's life.

class GroupMode;
class SKTWindowController;

// Installs the group-mode panel, answering to `window`; it goes (and the previous panel comes
// back) with the window.
void Install_Group_Mode(SKTWindowController &window);
// The window's group mode; nullptr before it is installed.
GroupMode *Group_Mode_Of(SKTWindowController &window);
