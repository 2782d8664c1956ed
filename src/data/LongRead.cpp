#include "data/LongRead.h"

#include "data/export/ExportDialogs.h"

#include <QApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <thread>

QString Read_Progress_Text(qint64 done) { return QStringLiteral("%L1 rows read").arg(done); }

QString Read_Stopped_Message(const QString &path)
{
    return QStringLiteral("Reading %1 was stopped; nothing was changed.").arg(QFileInfo(path).fileName());
}

void Run_Long_Read(QWidget *window, bool longWork, ReadProgress &progress, const std::function<void()> &work)
{
    auto *app = qobject_cast<QApplication *>(QCoreApplication::instance());
    if (!longWork || !app || QThread::currentThread() != app->thread()) {
        work();
        return;
    }
    if (!window)
        window = QApplication::activeWindow();

    // The sheet is up before the worker starts, so a Stop can never miss the read.
    QPointer<Plz_Wait_Sheet> sheet;
    if (window) {
        sheet = window->findChild<Plz_Wait_Sheet *>(QString(), Qt::FindDirectChildrenOnly);
        if (!sheet)
            sheet = new Plz_Wait_Sheet(window);
        sheet->Show_Progress_Modeless(&progress.stop);
    }

    QEventLoop loop;
    std::atomic<bool> finished{false};
    std::thread worker([&] {
        work();
        finished.store(true);
        // Posted, not called: the loop belongs to the GUI thread.
        QMetaObject::invokeMethod(&loop, [&loop] { loop.quit(); }, Qt::QueuedConnection);
    });

    QTimer poll;
    poll.setInterval(500);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (sheet)
            sheet->Set_Progress_Text(Read_Progress_Text(progress.done.load(std::memory_order_relaxed)));
    });
    poll.start();
    if (!finished.load())
        loop.exec();
    poll.stop();
    worker.join();
    if (sheet)
        sheet->Hide_Destroy_Modeless();
}
