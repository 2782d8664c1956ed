#pragma once
// Helpers for the widgets of every window above the canvas.

#include <QString>

class QWidget;

// Enables or disables a control; a group box passes the state on to the controls placed in it,
// while plain grouping views leave their children alone.
void SetObjEnabled(QWidget *object, bool enabled);

// The widget with its outlet's name as object name, so windows and tests find it by that name.
template <class W>
W *named(W *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}
