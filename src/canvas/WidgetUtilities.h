#pragma once
// Helpers for the widgets of every window above the canvas.

#include <QString>

class QWidget;

// Enables or disables a control; a group box passes the state on to the controls placed in it,
// while plain grouping views leave their children alone.
void SetObjEnabled(QWidget *object, bool enabled);

class QComboBox;
// A hatch list: each entry shows the hatch in words and keeps its stored name as its data.
void Fill_Hatch_Combo(QComboBox *combo);
// The stored name of the chosen hatch, empty when none is chosen.
QString Chosen_Hatch_Name(const QComboBox *combo);
// Chooses the hatch of that stored name; none when the name is empty or unknown.
void Choose_Hatch_Name(QComboBox *combo, const QString &hatchName);

// The widget with its outlet's name as object name, so windows and tests find it by that name.
template <class W>
W *named(W *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}
