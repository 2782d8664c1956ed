#include "mainwindow/WindowStyle.h"

#include <QPalette>
#include <QWidget>

void applyDialogBackground(QWidget *widget)
{
    QPalette pal = widget->palette();
    pal.setColor(QPalette::Window, dialogBackgroundColor());
    widget->setPalette(pal);
    widget->setAutoFillBackground(true);
}
