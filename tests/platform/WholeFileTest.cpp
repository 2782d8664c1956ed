// A file is written whole or not at all: a full disk, whether the write fails outright or is cut
// short near the end, keeps the old file and says why.

#include "TestSupport.h"

#include "platform/WholeFile.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using testsupport::fileBytes;

QByteArray pattern(qint64 size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (qint64 i = 0; i < size; ++i)
        bytes[i] = char('a' + i % 26);
    return bytes;
}

TEST(WholeFile, AFullDiskKeepsTheOldFileAndSaysWhy)
{
    const QByteArray old("the old contents\n");
    struct Case {
        const char *name;
        qint64 room;   // bytes the disk still takes
        qint64 size;   // bytes written
        int pieces;    // written in this many pieces (a writer handed the device)
        bool written;
    } const cases[] = {
        {"no room at all", 0, 1000, 1, false},
        {"cut short in the last gathered write", 500, 1000, 1, false},
        {"cut short one byte before the end", 299'999, 300'000, 7, false},
        {"cut short in a large write", 100'000, 300'000, 1, false},
        {"many small writes, one too many", 4'000, 4'001, 4'001, false},
        {"exactly enough room", 300'000, 300'000, 7, true},
        {"plenty of room", 10'000'000, 300'000, 3'000, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("file.bin"));
        {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(old);
        }
        const QByteArray bytes = pattern(c.size);
        platform::setDiskRoomForTests(c.room);
        const auto restore = qScopeGuard([] { platform::setDiskRoomForTests(std::nullopt); });

        platform::WholeFile file(path);
        ASSERT_TRUE(file.open());
        const qint64 piece = (c.size + c.pieces - 1) / c.pieces;
        for (qint64 at = 0; at < c.size; at += piece)
            file.write(bytes.constData() + at, std::min(piece, c.size - at));
        EXPECT_EQ(file.commit(), c.written);
        EXPECT_EQ(fileBytes(path), c.written ? bytes : old);
        EXPECT_EQ(file.failure(), c.written ? QString() : QStringLiteral("No space left on device"));
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("file.bin")})
            << "no temporary is left beside the file";
    }
}

TEST(WholeFile, BytesInHandAreWrittenWholeOrTheReasonIsGiven)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.txt"));
    QString why;
    ASSERT_TRUE(platform::writeWholeFile(path, "first", &why)) << why.toStdString();
    EXPECT_EQ(fileBytes(path), QByteArray("first"));
    {
        platform::setDiskRoomForTests(3);
        const auto restore = qScopeGuard([] { platform::setDiskRoomForTests(std::nullopt); });
        EXPECT_FALSE(platform::writeWholeFile(path, "second", &why));
    }
    EXPECT_EQ(why, QStringLiteral("No space left on device"));
    EXPECT_EQ(fileBytes(path), QByteArray("first"));
    // A folder that does not exist: the system's reason, nothing made.
    const QString nowhere = dir.filePath(QStringLiteral("missing/a.txt"));
    EXPECT_FALSE(platform::writeWholeFile(nowhere, "x", &why));
    EXPECT_FALSE(why.isEmpty());
    EXPECT_FALSE(QFile::exists(nowhere));
    EXPECT_EQ(platform::withReason(QStringLiteral("Error in file accessing."), QStringLiteral("No space left on device")),
              QStringLiteral("Error in file accessing. (No space left on device)"));
    EXPECT_EQ(platform::withReason(QStringLiteral("Error in file accessing."), QString()),
              QStringLiteral("Error in file accessing."));
}

// A file that holds a secret ends with the permissions asked for, whatever the old file had; any
// other file keeps the old file's.
TEST(WholeFile, AskedPermissionsReplaceTheOldFilesOnes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("secret.plist"));
    const auto everyone = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    const auto owner = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    const struct {
        const char *name;
        std::optional<QFileDevice::Permissions> asked;
        QFileDevice::Permissions after;
    } cases[] = {{"none asked", std::nullopt, everyone}, {"owner only", owner, owner}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(platform::writeWholeFile(path, "old"));
        ASSERT_TRUE(QFile::setPermissions(path, everyone));
        ASSERT_TRUE(platform::writeWholeFile(path, "new", nullptr, c.asked));
        EXPECT_EQ(fileBytes(path), QByteArray("new"));
        EXPECT_EQ(QFile::permissions(path) & ~(QFileDevice::ReadUser | QFileDevice::WriteUser), c.after);
    }
}

// The same on a real full disk: the kernel cuts the write short, then refuses the rest.
TEST(WholeFile, ARealFullDiskKeepsTheOldFile)
{
    struct Case {
        const char *name;
        qint64 room, size;
    } const cases[] = {
        {"cut short", 8192, 40'000},
        {"cut short in a large write", 16384, 400'000},
        {"fits", 65536, 20'000},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray bytes = pattern(c.size);
        const std::optional<QByteArray> answer = testsupport::onFullDisk(
            [](const QString &folder) {
                QFile f(folder + QStringLiteral("/file.bin"));
                if (f.open(QIODevice::WriteOnly))
                    f.write("old");
            },
            c.room,
            [&](const QString &folder) {
                QString why;
                const bool ok = platform::writeWholeFile(folder + QStringLiteral("/file.bin"), bytes, &why);
                const QByteArray now = fileBytes(folder + QStringLiteral("/file.bin"));
                return QByteArray(ok ? "written|" : "refused|") + why.toUtf8() + '|' +
                       (now == bytes ? QByteArray("new") : now);
            });
        if (!answer)
            GTEST_SKIP() << "this machine does not let a test mount a tmpfs; the injected cases above still ran";
        const bool fits = c.room > c.size;
        EXPECT_EQ(*answer, fits ? QByteArray("written||new") : QByteArray("refused|No space left on device|old"));
    }
}

}  // namespace
