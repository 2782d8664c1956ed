#include "TestSupport.h"

#include "core/Globals.h"
#include "platform/Paths.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace testsupport {

bool oraclesRequired()
{
    return qEnvironmentVariableIntValue("BADGELOOM_REQUIRE_ORACLES") == 1;
}

QString findTool(const QString &name)
{
    if (QFileInfo(name).isAbsolute())
        return QFileInfo::exists(name) ? name : QString();
    return QStandardPaths::findExecutable(name);
}

ToolResult runTool(const QString &program, const QStringList &args, const QByteArray &input)
{
    ToolResult r;
    QProcess p;
    p.start(program, args);
    if (!p.waitForStarted(10000))
        return r;
    if (!input.isEmpty())
        p.write(input);
    p.closeWriteChannel();
    if (!p.waitForFinished(30000)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

QString systemPython()
{
    if (QFileInfo::exists(QStringLiteral("/usr/bin/python3")))
        return QStringLiteral("/usr/bin/python3");
    return findTool(QStringLiteral("python3"));
}

TempDataFolder::TempDataFolder()
{
    m_saved[0] = Resource_Path;
    m_saved[1] = Created_Resource_Path;
    m_saved[2] = Data_Folder_Path;
    m_saved[3] = Cropped_Img_Path;
    m_saved[4] = Database_Path;
    m_saved[5] = print_profile_path;
    Resource_Path = platform::resourceFolderPath();
    Created_Resource_Path = platform::joinPath(m_dir.path(), QStringLiteral("data"));
    Data_Folder_Path = platform::joinPath(Created_Resource_Path, QStringLiteral("DataSet"));
    Cropped_Img_Path.clear();
    Database_Path.clear();
    print_profile_path.clear();
}

TempDataFolder::~TempDataFolder()
{
    Resource_Path = m_saved[0];
    Created_Resource_Path = m_saved[1];
    Data_Folder_Path = m_saved[2];
    Cropped_Img_Path = m_saved[3];
    Database_Path = m_saved[4];
    print_profile_path = m_saved[5];
}

QString TempDataFolder::dataPath() const { return Created_Resource_Path; }
QString TempDataFolder::resourcePath() const { return Resource_Path; }

FakeDesktop::FakeDesktop(int exitCode) : m_path(qgetenv("PATH"))
{
    const QByteArray log = QFile::encodeName(m_dir.filePath(QStringLiteral("opened.log")));
    const struct {
        const char *name;
        QByteArray body;
    } tools[] = {
        {"xdg-mime", "#!/bin/sh\necho viewer.desktop\n"},
        {"xdg-open", "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" + log + "'\necho 'no method available' >&2\nexit " +
                         QByteArray::number(exitCode) + "\n"},
    };
    for (const auto &t : tools) {
        QFile script(m_dir.filePath(QString::fromLatin1(t.name)));
        if (script.open(QIODevice::WriteOnly))
            script.write(t.body);
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    qputenv("PATH", QFile::encodeName(m_dir.path()) + ":" + m_path);
}

FakeDesktop::~FakeDesktop() { qputenv("PATH", m_path); }

QStringList FakeDesktop::opened() const
{
    QFile log(m_dir.filePath(QStringLiteral("opened.log")));
    if (!log.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(log.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

}  // namespace testsupport
