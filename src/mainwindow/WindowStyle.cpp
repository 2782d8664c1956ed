#include "mainwindow/WindowStyle.h"

#include <QWidget>

void applyDialogBackground(QWidget *widget) { Apply_Window_Background(widget); }
