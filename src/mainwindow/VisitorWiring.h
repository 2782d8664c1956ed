#pragma once
// Puts visitor mode into the window: its columns beside the design area in the window's split
// view, and its panels where the canvas, the start modes and the undo history look for them.

class QSplitter;
class SKTWindowController;

void Install_Visitor_Mode(SKTWindowController &window, QSplitter &split);
