#pragma once
// Puts visitor mode into the window: its columns beside the design area in the window's split
// view, and its panels where the canvas, the start modes and the undo history look for them.

class QSplitter;
class SKTWindowController;
class VisitorMode;

void Install_Visitor_Mode(SKTWindowController &window, QSplitter &split);
// The window's visitor mode (its panels and their card controls); nullptr before it is installed.
VisitorMode *Visitor_Mode_Of(SKTWindowController &window);
