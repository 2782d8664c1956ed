#pragma once
// The one background colour of the main window and every dialog: RGB 241, 244, 250.

#include <QColor>

class QWidget;

inline QColor dialogBackgroundColor()
{
    return QColor::fromRgbF(0.9450980392156862f, 0.9568627450980393f, 0.9803921568627451f, 1.0f);
}
void applyDialogBackground(QWidget *widget);
