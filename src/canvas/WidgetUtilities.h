#pragma once
// Helpers for the widgets of every window above the canvas.

class QWidget;

// Enables or disables a control; a group box passes the state on to the controls placed in it,
// while plain grouping views leave their children alone.
void SetObjEnabled(QWidget *object, bool enabled);
