// Starting the application clears what a run killed while it read a workbook left in the
// temporary folder, and leaves a running instance's parts alone.

#include "ControllerFixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>

TEST(StartUp, TheApplicationSweepsWhatAKilledWorkbookReadLeft)
{
    QProcess killed;
    killed.start(QStringLiteral("/bin/sleep"), {QStringLiteral("30")});
    ASSERT_TRUE(killed.waitForStarted());
    const qint64 gone = killed.processId();
    killed.kill();
    ASSERT_TRUE(killed.waitForFinished());

    QTemporaryDir temp;
    const QString left = temp.filePath(QStringLiteral("badgeloom-xlsx-%1-Ab12Cd").arg(gone));
    const QString running = temp.filePath(QStringLiteral("badgeloom-xlsx-%1-Ef34Gh").arg(QCoreApplication::applicationPid()));
    for (const QString &folder : {left, running}) {
        ASSERT_TRUE(QDir().mkpath(folder + QStringLiteral("/xl/worksheets")));
        QFile part(folder + QStringLiteral("/xl/worksheets/sheet1.xml"));
        ASSERT_TRUE(part.open(QIODevice::WriteOnly) && part.write("<worksheet/>") > 0);
    }

    const QByteArray savedTemp = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(temp.path()));
    {
        testsupport::TempDataFolder data;
        platform::ScopedScriptedUi ui;
        SKTDocument document;
        const std::unique_ptr<SKTWindowController> window = Set_Up_Application(document);
        EXPECT_FALSE(QFileInfo::exists(left));
        EXPECT_TRUE(QFileInfo::exists(running + QStringLiteral("/xl/worksheets/sheet1.xml")));
    }
    if (savedTemp.isNull())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", savedTemp);
}
