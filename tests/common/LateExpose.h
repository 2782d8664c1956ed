#pragma once
// Hands each please-wait sheet its window system expose 30 ms late, as a window manager on X11
// does, and counts the paints of the sheet's text while it is up.
#include "data/export/ExportDialogs.h"

#include <QApplication>
#include <QExposeEvent>
#include <QTimer>
#include <QWindow>
#include <vector>

class LateExpose : public QObject {
public:
    LateExpose() { qApp->installEventFilter(this); }
    ~LateExpose() override { qApp->removeEventFilter(this); }
    std::vector<int> paintedWhileUp;  // one entry each time a sheet went

protected:
    bool eventFilter(QObject *object, QEvent *event) override
    {
        auto *window = qobject_cast<QWindow *>(object);
        if (event->type() == QEvent::Expose && event->spontaneous() && window && window->isExposed() &&
            qobject_cast<Plz_Wait_Sheet *>(QWidget::find(window->winId()))) {
            QTimer::singleShot(30, window, [window] {
                QExposeEvent late(QRegion(QRect(QPoint(), window->size())));
                QCoreApplication::sendEvent(window, &late);
            });
            return true;
        }
        if (event->type() == QEvent::Hide && qobject_cast<Plz_Wait_Sheet *>(object))
            paintedWhileUp.push_back(std::exchange(painted_, 0));
        painted_ += event->type() == QEvent::Paint && object->objectName() == QLatin1String("modeless_msg_lbl");
        return false;
    }

private:
    int painted_ = 0;
};
