#pragma once
// Hands the window system's expose of each please-wait sheet in a little late, as a window manager
// on X11 does, and counts what the sheet's text painted while the sheet was up: a sheet that
// only lets events run once before its work shows an empty frame. Only for test programs linked
// with the data library.

#include "data/export/ExportDialogs.h"

#include <QApplication>
#include <QEvent>
#include <QExposeEvent>
#include <QPointer>
#include <QTimer>
#include <QWindow>
#include <vector>

class LateExpose : public QObject {
public:
    LateExpose() { qApp->installEventFilter(this); }
    ~LateExpose() override { qApp->removeEventFilter(this); }
    // For each time a sheet went, how often its text had been painted since it came.
    std::vector<int> paintedWhileUp;

protected:
    bool eventFilter(QObject *object, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::Expose:
            if (auto *window = qobject_cast<QWindow *>(object);
                window && event->spontaneous() && window->isExposed() && isSheet(window)) {
                QTimer::singleShot(30, window, [w = QPointer<QWindow>(window)] {
                    QExposeEvent late(QRegion(QRect(QPoint(), w->size())));
                    QCoreApplication::sendEvent(w, &late);
                });
                return true;
            }
            break;
        case QEvent::Show: painted_ = qobject_cast<Plz_Wait_Sheet *>(object) ? 0 : painted_; break;
        case QEvent::Hide:
            if (qobject_cast<Plz_Wait_Sheet *>(object))
                paintedWhileUp.push_back(painted_);
            break;
        case QEvent::Paint: painted_ += object->objectName() == QLatin1String("modeless_msg_lbl"); break;
        default: break;
        }
        return false;
    }

private:
    static bool isSheet(const QWindow *window)
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->windowHandle() == window)
                return qobject_cast<Plz_Wait_Sheet *>(w) != nullptr;
        return false;
    }
    int painted_ = 0;
};
