#include "data/SeriesFiles.h"

#include "core/ControllerImageFiles.h"
#include "core/Globals.h"
#include "core/Utilities.h"
#include "data/ImportText.h"
#include "data/LongRead.h"
#include "platform/Paths.h"
#include "platform/RegularFile.h"
#include "platform/WholeFile.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <algorithm>

namespace {
// A series holds what an import may bring (Max_Import_Values values, 64 MB of text); the file
// limit is the same, so a series and the file it came from pass or fail together, and the
// largest readable series costs a few hundred MB at most.
constexpr qint64 kMaxSeriesFileBytes = 64 * 1024 * 1024;

SeriesInUseTest &inUseTest()
{
    static SeriesInUseTest test;
    return test;
}
}  // namespace

QString Series_File_Path(const QString &name)
{
    return platform::joinPath(Data_Folder_Path, name + QLatin1Char('.') + batch_file_EXT);
}

QString Valid_Series_Name(const QString &typed)
{
    const QString name = Remove_Reserve_Char_In_File_Name(typed);
    // A control character inside a name makes a file name nobody can type or see.
    for (QChar c : name) {
        if (c.category() == QChar::Other_Control)
            return {};
    }
    return name;
}

std::optional<QString> Read_Series_Text(const QString &path, QString *refusal)
{
    auto refuse = [&](const QString &why) -> std::optional<QString> {
        Show_NSLog_Message(why);
        if (refusal)
            *refusal = why;
        return std::nullopt;
    };
    QFile file(path);
    if (QString why; !platform::openRegularFile(file, &why)) {
        if (QFileInfo::exists(path) && !platform::isRegularFile(path))
            return refuse(QStringLiteral("%1 was refused: %2.").arg(path, why));
        if (QFileInfo::exists(path))
            return refuse(QStringLiteral("%1 could not be read: %2.").arg(path, why));
        return std::nullopt;
    }
    const QString tooLarge = QStringLiteral("%1 was refused: it is larger than %2 MB.").arg(path).arg(kMaxSeriesFileBytes >> 20);
    if (file.size() > kMaxSeriesFileBytes)
        return refuse(tooLarge);
    QString text;
    {
        const QByteArray bytes = file.read(kMaxSeriesFileBytes + 1);
        if (bytes.size() > kMaxSeriesFileBytes)
            return refuse(tooLarge);
        // The line count is known from the bytes: a file of more values is refused before any
        // line is built.
        if (bytes.count('\n') >= Max_Import_Values)
            return refuse(QStringLiteral("%1 was refused: it holds more than %L2 values.").arg(path).arg(Max_Import_Values));
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        text = decoder(bytes);
        if (decoder.hasError())
            return refuse(QStringLiteral("%1 was refused: it is not UTF-8 text.").arg(path));
    }
    return text;
}

std::optional<QStringList> Read_Series_Lines(const QString &path, QString *refusal)
{
    const std::optional<QString> text = Read_Series_Text(path, refusal);
    if (!text)
        return std::nullopt;
    // The whole text trimmed (as Trim_Str does it) and split in one pass over a view: no copy of
    // the text, one string per line.
    QStringView view(*text);
    while (!view.isEmpty() && Trims_Away(view.front()))
        view = view.sliced(1);
    while (!view.isEmpty() && Trims_Away(view.back()))
        view.chop(1);
    QStringList lines;
    lines.reserve(view.count(QLatin1Char('\n')) + 1);
    for (const QStringView line : view.tokenize(QLatin1Char('\n')))
        lines.append(line.toString());
    return lines;
}

namespace {
std::optional<QStringList> seriesValues(const QString &path, ReadProgress *progress, QString *refusal)
{
    QStringList values;
    const std::optional<QStringList> lines = Read_Series_Lines(path, refusal);
    if (!lines)
        return progress && progress->stopped() ? std::nullopt : std::optional(values);
    values.reserve(lines->size());
    for (const QString &piece : *lines) {
        if (progress && !progress->step())
            return std::nullopt;
        const QString value = Trim_Str(piece);
        if (!value.isEmpty())
            values.append(value);
    }
    return values;
}
}  // namespace

QStringList Read_Series_Values(const QString &path) { return *seriesValues(path, nullptr, nullptr); }

std::optional<QStringList> Read_Series_Values(const QString &path, ReadProgress &progress, QString *refusal)
{
    return seriesValues(path, &progress, refusal);
}

QString Series_Value_Line(const QString &value)
{
    const auto isBreak = [](QChar c) {
        const char16_t u = c.unicode();
        return (u >= 0x0A && u <= 0x0D) || u == 0x85 || u == 0x2028 || u == 0x2029;
    };
    if (std::none_of(value.begin(), value.end(), isBreak))
        return value;
    QString line;
    line.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (!isBreak(c)) {
            line += c;
            continue;
        }
        if (c == QLatin1Char('\r') && i + 1 < value.size() && value.at(i + 1) == QLatin1Char('\n'))
            ++i;  // one break, one space
        line += QLatin1Char(' ');
    }
    return line;
}

QByteArray Series_File_Bytes(const QStringList &values)
{
    QByteArray out;
    for (const QString &v : values) {
        out += Series_Value_Line(v).toUtf8();
        out += '\n';
    }
    return out;
}

bool Write_Series_File(const QString &path,
                       const std::function<void(const std::function<void(const QString &)> &)> &produce,
                       QString *error)
{
    platform::WholeFile file(path);
    if (file.open()) {
        produce([&](const QString &value) {
            if (!file.failed())
                file.write(Series_Value_Line(value).toUtf8() + '\n');
        });
        if (file.commit())
            return true;
    }
    if (error)
        *error = file.failure();
    return false;
}

bool Write_Series_File(const QString &path, const QStringList &values, QString *error)
{
    return Write_Series_File(
        path,
        [&](const auto &add) {
            for (const QString &v : values)
                add(v);
        },
        error);
}

SeriesInUseTest Set_Series_In_Use_Test(SeriesInUseTest test)
{
    std::swap(test, inUseTest());
    return test;
}

bool Series_In_Use(const QString &name)
{
    return QFileInfo::exists(Series_File_Path(name)) && inUseTest() && inUseTest()(name);
}

bool Create_Series_File(const QString &typedName,
                        const std::function<void(const std::function<void(const QString &)> &)> &produce)
{
    const QString name = Valid_Series_Name(typedName);
    if (name.isEmpty()) {
        Show_MessageBox(Empty_Name_Message(typedName, QStringLiteral("Please enter valid series name.")));
        return false;
    }
    const QString path = Series_File_Path(name);
    if (QFileInfo::exists(path)) {
        if (Series_In_Use(name)) {
            Show_MessageBox(QStringLiteral("Batch Processing Series can't be create because it is currently in use."));
            return false;
        }
        if (Show_YES_NO_MessageBox(QStringLiteral("Batch Processing Series already exists. Do you want to replace it?")) != 1)
            return false;
    }
    // The old series stays until the new file is complete.
    QString why;
    if (!Write_Series_File(path, produce, &why)) {
        Show_MessageBox(platform::withReason(QStringLiteral("Error in file accessing."), why));
        return false;
    }
    return true;
}
