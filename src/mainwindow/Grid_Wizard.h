#pragma once
// The grid window: a modal frame around the main window's own grid controls (show grid, spacing,
// colour), so the grid can be set whatever the property panel shows. The controls change the
// grid at once; the window only lends them its frame and gives them back when it closes.

#include "canvas/ScriptedModal.h"

#include <QDialog>

class Grid_Wizard : public QDialog, public ScriptedModal<Grid_Wizard> {
    Q_OBJECT
public:
    explicit Grid_Wizard(QWidget *parent = nullptr);
    static Grid_Wizard *defaultInstance();

    // Runs the window with `controls` in it; they go back to their own place afterwards.
    void Open_Wnd(QWidget *controls);

public slots:
    void OK_Btn_Clicked() { done(1); }
    void Cancel_Btn_Clicked() { done(0); }
};
