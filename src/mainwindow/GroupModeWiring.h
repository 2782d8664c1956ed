#pragma once
// Group mode joined to the main window: its panel installed for the window's life.

class SKTWindowController;

// Installs the group-mode panel, answering to `window`; it goes (and the previous panel comes
// back) with the window.
void Install_Group_Mode(SKTWindowController &window);
