#pragma once
// Presses Stop on the please-wait sheet of a long read the moment the sheet shows, which is
// before the read's worker starts: the read then stops at its first row or value, every time.
// Only for test programs linked with the data library.

#include "data/export/ExportDialogs.h"

#include <QApplication>
#include <QEvent>
#include <QPushButton>

class StopOnShow : public QObject {
public:
    StopOnShow() { qApp->installEventFilter(this); }
    ~StopOnShow() override { qApp->removeEventFilter(this); }
    int pressed = 0;

protected:
    bool eventFilter(QObject *object, QEvent *event) override
    {
        if (event->type() == QEvent::Show)
            if (auto *sheet = qobject_cast<Plz_Wait_Sheet *>(object); sheet && !sheet->stop_btn->isHidden()) {
                sheet->stop_btn->click();
                ++pressed;
            }
        return false;
    }
};
