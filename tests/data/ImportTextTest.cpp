// Values a user gets from text, CSV and rich-text files, whatever their line ends and encoding.
#include "data/ImportText.h"
#include "data/ImportWizard.h"
#include "platform/UiServices.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(ImportText, FilesGiveTheirValues)
{
    const QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fswiss Helvetica;}}{\\colortbl;\\red0\\green0\\blue0;}"
                           "{\\*\\expandedcolortbl;;}\\f0\\fs24 Caf\\'e9 \\{1\\}\\par\r\nZo\\u235?\\line "
                           "C:\\\\Badges\\par}";
    const struct {
        const char *file;
        QByteArray bytes;
        QStringList values;
        const char *message;
    } cases[] = {
        {"lf.txt", " one \n\ntwo\n{three}\n", {"one", "two", "{three}"}, ""},
        {"crlf.txt", " one \r\n\r\ntwo\r\n{three}\r\n", {"one", "two", "{three}"}, ""},
        {"cr.TXT", " one \r\rtwo\r{three}", {"one", "two", "{three}"}, ""},
        {"paths.txt", "C:\\Badges\\photo.jpg\nNSFont = x\nlast", {"C:\\Badges\\photo.jpg", "NSFont = x", "last"}, ""},
        {"quoted.csv", "a,\"b, c\",\"say \"\"hi\"\"\"\r\n\"two\nlines\", d\n", {"a", "b, c", "say \"hi\"", "two lines", "d"}, ""},
        {"single.csv", "red\rblue\rpink", {"red", "blue", "pink"}, ""},
        {"doc.rtf", rtf, {"Caf\u00e9 {1}", "Zo\u00eb", "C:\\Badges"}, ""},
        {"bom16.txt", QByteArray("\xff\xfe" "A\0\n\0\xe9\0", 8), {"A", "\u00e9"}, ""},
        {"latin.txt", "Ren\xe9\n\x80 5", {"Ren\u00e9", "\u20ac 5"}, ""},
        {"utf8.txt", "\xef\xbb\xbfJos\xc3\xa9", {"Jos\u00e9"}, ""},
        {"blank.txt", " \n\t\n", {}, "\nEither file is corrupted or selected file contains invalid characters."},
        {"broken.rtf", "{\\rtf1 open", {}, "\nEither file is corrupted or selected file contains invalid characters."},
        {"missing.txt", {}, {}, "\nPlease select a valid file."},
    };
    QTemporaryDir dir;
    for (const auto &c : cases) {
        platform::ScopedScriptedUi ui;
        const QString path = dir.filePath(c.file);
        if (!c.bytes.isNull()) {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(c.bytes);
        }
        QStringList got;
        const bool ok = Import_Text_File(path, {false, {}, [&](const QString &v) { got.append(v); }});
        EXPECT_EQ(got, c.values) << c.file;
        EXPECT_EQ(ok, !*c.message) << c.file;
        EXPECT_EQ(ui->messages(), *c.message ? QStringList{c.message} : QStringList{}) << c.file;
    }
}

TEST(ImportText, OversizedFilesAreRefusedByNameAndInvalidUtf16IsReplacedBeforeSplitting)
{
    const QByteArray lone16("\xff\xfe" "A\0\x00\xd8\n\0B\0\x00\xdc\r\0\n\0C\0", 18);  // lone high, then lone low
    const QByteArray overValues = QByteArray("a\n").repeated(Max_Import_Values + 1);
    const struct {
        const char *file;
        QByteArray bytes;
        qint64 sparseSize;  // when set, the file is this long (and holds no bytes we wrote)
        QStringList values;
        QString message;
    } cases[] = {
        {"lone.txt", lone16, 0, {"A\uFFFD", "B\uFFFD", "C"}, {}},
        {"wrapped.txt", "\b \x01\nx", 0, {"x"}, {}},  // blanks wrapped in control characters are no value
        {"many.txt", overValues, 0, {},
         QStringLiteral("\nmany.txt was refused: it holds more than %L1 values.").arg(Max_Import_Values)},
        {"many.csv", QByteArray("a,").repeated(Max_Import_Values) + "b", 0, {},
         QStringLiteral("\nmany.csv was refused: it holds more than %L1 values.").arg(Max_Import_Values)},
        {"limit.txt", overValues.left(overValues.size() - 2), 0, QStringList(Max_Import_Values, QStringLiteral("a")), {}},
        {"huge.txt", {}, (qint64(64) << 20) + 1, {}, QStringLiteral("\nhuge.txt was refused: it is larger than 64 MB.")},
        {"crlf.txt", QByteArray("\r\n").repeated(3'000'000) + "last", 0, {"last"}, {}},
        {"pars.rtf", "{\\rtf1 " + QByteArray("\\par ").repeated(1'000'000) + "x\\par}", 0, {"x"}, {}},
        {"quotes.csv", QByteArray(100000, ' ') + "x" + QByteArray(100000, '"'), 0,
         {"x" + QString(100000, QLatin1Char('"'))}, {}},
    };
    QTemporaryDir dir;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file);
        platform::ScopedScriptedUi ui;
        const QString path = dir.filePath(c.file);
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(c.bytes);
        if (c.sparseSize) {
            ASSERT_TRUE(f.resize(c.sparseSize));
        }
        f.close();
        QStringList got;
        const bool ok = Import_Text_File(path, {false, {}, [&](const QString &v) { got.append(v); }});
        EXPECT_EQ(ok, c.message.isEmpty());
        EXPECT_TRUE(got == c.values) << got.size() << " values, first " << qPrintable(got.value(0));
        EXPECT_EQ(ui->messages(), c.message.isEmpty() ? QStringList{} : QStringList{c.message});
    }
}
