#pragma once
// The test SMTP server (tests/output/smtp_server.py) on 127.0.0.1, for the tests that mail: the
// mail tests and the window's journeys.

#include "TestSupport.h"
#include "output/mail/CardMailRun.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Started on construction, killed on destruction; what it took is in its folder.
struct Server {
    QTemporaryDir dir;
    QProcess process;
    QString port, remote;  // remote: an address of this machine off the loopback ("--any")
    explicit Server(QStringList options = {})
    {
        process.start(testsupport::systemPython(),
                      QStringList{qEnvironmentVariable("BADGELOOM_SOURCE_DIR") + "/tests/output/smtp_server.py", dir.path()} + options);
        process.waitForReadyRead(10000);
        port = QString::fromLatin1(process.readLine()).trimmed();
        if (port.isEmpty())
            ADD_FAILURE() << "the test mail server did not start (python3, tests/output/smtp_server.py): "
                          << process.readAllStandardError().toStdString();
        if (options.contains("--any") && (process.canReadLine() || process.waitForReadyRead(5000)))
            remote = QString::fromLatin1(process.readLine()).trimmed();
    }
    ~Server() { process.kill(), process.waitForFinished(); }
    QJsonObject mail(int n) const
    {
        QFile f(dir.filePath(QStringLiteral("mail-%1.json").arg(n)));
        return f.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(f.readAll()).object() : QJsonObject();
    }
    int count() const { return int(QDir(dir.path()).entryList({"mail-*.json"}).size()); }
    MailAccount account() const { return {"me@example.org", QStringLiteral("pässwörd"), "127.0.0.1", port, "N"}; }
};

}  // namespace
