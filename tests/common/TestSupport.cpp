#include "TestSupport.h"

#include "core/Globals.h"
#include "platform/Paths.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <locale.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

namespace testsupport {

FifoWatch::FifoWatch(const QString &path) : m_path(QFile::encodeName(path))
{
    m_thread = std::thread([this] {
        const auto start = std::chrono::steady_clock::now();
        while (!m_done) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            if (std::chrono::steady_clock::now() - start < std::chrono::seconds(1))
                continue;
            const int fd = ::open(m_path.constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) {  // only succeeds while someone has it open for reading
                m_readerWaited = true;
                ::close(fd);
            }
        }
    });
}

FifoWatch::~FifoWatch() { stop(); }

bool FifoWatch::readerWaited()
{
    stop();
    return m_readerWaited;
}

void FifoWatch::stop()
{
    m_done = true;
    if (m_thread.joinable())
        m_thread.join();
}

CommaDecimalLocale::CommaDecimalLocale()
{
    if (locale_t comma = newlocale(LC_ALL_MASK, name(), locale_t(0))) {
        m_locale = comma;
        m_previous = uselocale(comma);
    }
}

CommaDecimalLocale::~CommaDecimalLocale()
{
    if (m_locale) {
        uselocale(static_cast<locale_t>(m_previous));
        freelocale(static_cast<locale_t>(m_locale));
    }
}

bool requireFont(const QString &family, const QString &style, const char *package)
{
    if (QFontDatabase::families().contains(family) && (style.isEmpty() || QFontDatabase::styles(family).contains(style)))
        return true;
    // Said once in each test, however often the test asks.
    static QSet<QString> said;
    const ::testing::TestInfo *test = ::testing::UnitTest::GetInstance()->current_test_info();
    const QString key = family + QLatin1Char(' ') + style + QLatin1Char('/') + QLatin1String(test ? test->test_suite_name() : "") +
                        QLatin1Char('.') + QLatin1String(test ? test->name() : "");
    if (said.contains(key))
        return false;
    said.insert(key);
    ADD_FAILURE() << "this test needs the font " << (family + QLatin1Char(' ') + style).trimmed().toStdString()
                  << ": install " << package << " (scripts/bootstrap does)";
    return false;
}

bool requireImageFormat(const QByteArray &format)
{
    if (QImageReader::supportedImageFormats().contains(format) && QImageWriter::supportedImageFormats().contains(format))
        return true;
    ADD_FAILURE() << "this test needs Qt's " << format.toStdString()
                  << " image plugin: install qt6-image-formats-plugins (scripts/bootstrap does)";
    return false;
}

bool waitUntil(const std::function<bool()> &done, int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
    return true;
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

std::optional<QByteArray> onFullDisk(const std::function<void(const QString &folder)> &prepare, qint64 roomBytes,
                                     const std::function<QByteArray(const QString &folder)> &act)
{
    QTemporaryDir dir;
    const QByteArray where = QFile::encodeName(dir.path());
    int out[2];
    if (!dir.isValid() || pipe(out) != 0)
        return std::nullopt;
    const pid_t child = fork();
    if (child == 0) {
        close(out[0]);
        constexpr int kCannotMount = 77;
        if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            mount("badgeloom-full", where.constData(), "tmpfs", 0, "size=1m,mode=0700") != 0)
            _exit(kCannotMount);
        prepare(dir.path());
        // Fill the disk, then give back about `roomBytes`.
        const QByteArray filler = where + "/filler";
        const int fd = ::open(filler.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        static char block[4096];
        qint64 filled = 0;
        for (ssize_t n; fd >= 0 && (n = ::write(fd, block, sizeof block)) > 0;)
            filled += n;
        if (fd < 0 || ftruncate(fd, std::max<qint64>(0, filled - roomBytes)) != 0)
            _exit(kCannotMount);
        ::close(fd);
        const QByteArray answer = act(dir.path());
        qint64 done = 0;
        while (done < answer.size()) {
            const ssize_t n = ::write(out[1], answer.constData() + done, size_t(answer.size() - done));
            if (n <= 0)
                _exit(1);
            done += n;
        }
        _exit(0);
    }
    close(out[1]);
    QByteArray answer;
    char buffer[4096];
    for (ssize_t n; (n = ::read(out[0], buffer, sizeof buffer)) != 0;) {
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            break;
        answer.append(buffer, n);
    }
    close(out[0]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == 77)
        return std::nullopt;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return QByteArray("the child process on the full disk failed");
    return answer;
}

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

bool writeProgressiveJpegClaiming(const QString &path, int side)
{
    QImage small(16, 16, QImage::Format_RGB32);
    small.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setProgressiveScanWrite(true);
    if (!writer.write(small))
        return false;
    // The frame header (marker FFC2) holds the height, then the width, after its length and precision.
    for (qsizetype at = 2; at + 9 < bytes.size();) {
        const auto marker = quint8(bytes[at + 1]);
        if (marker == 0xC2) {
            for (qsizetype field : {at + 5, at + 7}) {
                bytes[field] = char(side >> 8);
                bytes[field + 1] = char(side & 0xFF);
            }
            QFile file(path);
            return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
        }
        at += 2 + (quint8(bytes[at + 2]) << 8 | quint8(bytes[at + 3]));
    }
    return false;
}

}  // namespace testsupport
