#pragma once
// The one background colour of the main window and every dialog: RGB 241, 244, 250.

#include "canvas/WidgetUtilities.h"

#include <QColor>

class QWidget;

inline QColor dialogBackgroundColor() { return Window_Background_Color(); }
void applyDialogBackground(QWidget *widget);
