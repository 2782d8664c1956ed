#include "data/export/CardExport.h"

#include "core/CardPainting.h"
#include "core/DocumentFiles.h"
#include "core/ImageResolution.h"
#include "core/SKTRenderingView.h"
#include "core/Utilities.h"
#include "data/batch/BatchRunner.h"
#include "data/export/ExportDialogs.h"
#include "platform/ImageWriter.h"
#include "platform/PixelBuffers.h"
#include "platform/MainThread.h"
#include "platform/UiServices.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <deque>
#include <future>

namespace {

// A page larger than this many pixels is refused rather than attempted.
constexpr double kMaxPixels = 64.0e6;

const QString kFolderMessage = QStringLiteral(
    "Unable to continue saving barcode image.\n\nEither Destination Drive is inaccessible or there is no free space "
    "available in drive to save barcode image.");

QString sidePath(const QString &path, const QString &suffix)
{
    const QFileInfo info(path);
    const QString name = info.completeBaseName() + suffix;
    return info.path() + QLatin1Char('/') + (info.suffix().isEmpty() ? name : name + QLatin1Char('.') + info.suffix());
}

// One side placed on the page, in points.
struct Placed {
    const CardSide *side;
    QPointF at;
};

// Paints the sides on a page of `cardSize` cells, each mirrored in its own cell when asked.
void paintPage(QPainter &painter, const std::vector<Placed> &sides, const QSizeF &cardSize, int mirror)
{
    for (const Placed &p : sides) {
        painter.save();
        painter.translate(p.at);
        if (mirror == 0)
            painter.setTransform(QTransform(-1, 0, 0, 1, cardSize.width(), 0), true);
        else if (mirror == 1)
            painter.setTransform(QTransform(1, 0, 0, -1, 0, cardSize.height()), true);
        SKTRenderingView(*p.side, QString()).drawInto(painter, QRectF(QPointF(0, 0), cardSize));
        painter.restore();
    }
}

// The file of the sides laid out on one page: a vector PDF or EPS, or an image at the choice's
// resolution.
ExportFile encodePage(const std::vector<Placed> &sides, const QSizeF &cardSize, const QSizeF &page,
                      const ExportChoice &choice, const QString &suffix)
{
    ExportFile file{suffix, {}, {}};
    if (cardSize.isEmpty()) {
        file.error = QStringLiteral("Invalid image");
        return file;
    }
    if (choice.format == QLatin1String("pdf")) {
        file.bytes = Pdf_Page_Data(page, QStringLiteral("Card"), [&](QPainter &p) { paintPage(p, sides, cardSize, choice.mirror); });
        if (file.bytes.isEmpty())
            file.error = QStringLiteral("The card could not be drawn.");
        return file;
    }
    if (choice.format == QLatin1String("eps")) {
        // Outside the card's outline stays unprinted, as the side renderer leaves it.
        QPainterPath clip;
        for (const Placed &p : sides)
            if (p.side->card)
                clip.addPath(Card_Outline_Path(p.side->cardShape, QRectF(p.at, cardSize)));
        file.bytes = Eps_Page_Data(page, QStringLiteral("Card"), choice.dpi, clip,
                                   [&](QPainter &p) { paintPage(p, sides, cardSize, choice.mirror); });
        if (file.bytes.isEmpty())
            file.error = QStringLiteral("The card could not be drawn.");
        return file;
    }
    const QSize pixels = Pixel_Size_For_Points(page, choice.dpi);
    if (pixels.isEmpty() || double(pixels.width()) * pixels.height() > kMaxPixels) {
        file.error = QStringLiteral("The card is too large to draw at %1 dpi.").arg(choice.dpi);
        return file;
    }
    QImage image = platform::Reused_Image(pixels, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        file.error = QStringLiteral("The card is too large to draw at %1 dpi.").arg(choice.dpi);
        return file;
    }
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.scale(choice.dpi / 72.0, choice.dpi / 72.0);
        paintPage(painter, sides, cardSize, choice.mirror);
    }
    file.bytes = platform::encodeImage(std::move(image), platform::imageFormatForPath(QStringLiteral("x.") + choice.format),
                                       choice.dpi, &file.error);
    return file;
}

}  // namespace

QString Exported_Cards_Message(int exported, int cards)
{
    if (exported >= cards)
        return QStringLiteral("Card has been exported successfully.");
    return exported == 1 ? QStringLiteral("1 of %1 cards has been exported.").arg(cards)
                         : QStringLiteral("%1 of %2 cards have been exported.").arg(exported).arg(cards);
}

QString Create_Front_Card_Path(const QString &path) { return sidePath(path, QStringLiteral("_Front")); }
QString Create_Back_Card_Path(const QString &path) { return sidePath(path, QStringLiteral("_Back")); }

QString Check_Exist_Path_and_Create_New(const QString &path)
{
    const QFileInfo info(path);
    const QString folder = info.path(), ext = info.suffix().toLower();
    QString name = info.completeBaseName(), base = name;
    int counter = 1;
    const int open = name.indexOf(QStringLiteral(" ("));
    if (open >= 0) {
        const int v = name.mid(open + 2).trimmed().remove(QLatin1Char(')')).trimmed().toInt();
        if (v > 0) {
            base = name.left(open).trimmed();
            counter = v + 1;
        }
    }
    auto join = [&](const QString &n) {
        return folder + QLatin1Char('/') + (ext.isEmpty() ? n : n + QLatin1Char('.') + ext);
    };
    QString candidate = join(name);
    while (QFileInfo::exists(candidate))
        candidate = join(QStringLiteral("%1 (%2)").arg(base, QString::number(counter++)));
    return candidate;
}

CardExport::CardExport(BatchDesign design, ExportChoice choice) : m_design(std::move(design)), m_choice(std::move(choice))
{
    m_choice.format = m_choice.format.toLower();  // "Card_1.PNG" would sit beside "Card_1.png"
}

std::vector<ExportFile> CardExport::Render_Row(int row) const
{
    auto sideOf = [&](const char *code) {
        return row < 0 ? m_design.sideOf(QString::fromLatin1(code))
                       : m_design.Fill_Side_For_Row(QString::fromLatin1(code), row);
    };
    const QString &which = m_choice.export_card_side;
    std::vector<ExportFile> files;
    if (which == QLatin1String("BOTH")) {
        const CardSide back = sideOf("B"), front = sideOf("F");
        const QSizeF size = front.cardRect.size();
        if (m_choice.combined) {
            const QPointF second = m_choice.sideBySide ? QPointF(size.width(), 0) : QPointF(0, size.height());
            const QSizeF page = m_choice.sideBySide ? QSizeF(2 * size.width(), size.height())
                                                    : QSizeF(size.width(), 2 * size.height());
            files.push_back(encodePage({{&front, {0, 0}}, {&back, second}}, size, page, m_choice, QString()));
        } else {
            files.push_back(encodePage({{&back, {0, 0}}}, back.cardRect.size(), back.cardRect.size(), m_choice,
                                       QStringLiteral("_Back")));
            files.push_back(encodePage({{&front, {0, 0}}}, size, size, m_choice, QStringLiteral("_Front")));
        }
    } else {
        const bool front = which == QLatin1String("F");
        const CardSide side = sideOf(front ? "F" : "B");
        files.push_back(encodePage({{&side, {0, 0}}}, side.cardRect.size(), side.cardRect.size(), m_choice,
                                   front ? QStringLiteral("_Front") : QStringLiteral("_Back")));
    }
    return files;
}

bool CardExport::Job_Cancelled() const
{
    return Stop_SMS_Sending_Now && (replace_keep_file_flag == Cancel_This || replace_keep_file_flag == Cancel_All);
}

QString CardExport::Path_To_Write(QString path, bool skipCheck)
{
    if (Job_Cancelled())
        return {};
    if (!skipCheck && QFileInfo::exists(path)) {
        int code = replace_keep_file_flag;
        if (code != Replace_All && code != Keep_All) {
            // Never over the stop question: asked once it is answered, and not at all after Yes.
            hold->runOnGuiThreadWhenAnswered([&] {
                if (Job_Cancelled())
                    return;
                code = Replcae_Confirm_Box::Open_box_in_thread(
                    QStringLiteral("File already exists :"),
                    QFileInfo(path).fileName() +
                        QStringLiteral("\n\nFile already exists in this location.\n\nDo you want to replace it with "
                                       "one you processed?"),
                    path, true);
                replace_keep_file_flag = code;
            });
            if (Job_Cancelled())
                return {};
        }
        if (code == Cancel_This || code == Cancel_All) {
            Stop_SMS_Sending_Now = true;
            return {};
        }
        if (code == Keep_This || code == Keep_All)
            path = Check_Exist_Path_and_Create_New(path);
        // A replaced file is written over whole: it is never deleted before its successor exists.
    }
    return path;
}

void CardExport::Note_Written(const QString &path)
{
    if (QFileInfo(path).completeBaseName().endsWith(QLatin1String("Back")) &&
        m_choice.export_card_side == QLatin1String("BOTH"))
        Export_Back_File_Path = path;
    else
        Export_File_Path = path;
    check_any_card_exported = true;
    written << path;
}

QString CardExport::Export_File_Function(QString path, const QByteArray &bytes, bool skipCheck)
{
    path = Path_To_Write(path, skipCheck);
    if (path.isEmpty())
        return {};
    QString error;
    if (!Write_Whole_File(path, bytes, &error)) {
        m_writeError = QStringLiteral("%1 could not be written: %2").arg(QFileInfo(path).fileName(), error);
        return {};
    }
    Note_Written(path);
    return path;
}

int CardExport::Export_Batch_File(const QString &parent, int first, int end)
{
    Stop_SMS_Sending_Now = false;
    curr_card_count = 0;
    m_writeError.clear();
    const int before = int(written.size());
    const QString folder = QDir(parent).filePath(QStringLiteral("VELK ID Card"));
    if (!QDir().mkpath(folder)) {
        if (Hide_One_By_One_Modeless)
            platform::runOnGuiThread(Hide_One_By_One_Modeless);
        Show_MessageBox(kFolderMessage);
        return 0;
    }
    const QString ext = m_choice.format;
    // The names and questions go in row order on this thread; the writing itself (each file
    // synced to the disk before it takes its name) goes on a few threads at once, so a slow disk
    // does not hold up the rows. Files are noted as written in row order as their writes end.
    struct Write {
        int row;
        QString path;
        std::future<QString> error;
    };
    // Files written of each row: a card counts as exported when all its files are.
    std::vector<int> rowFiles(std::size_t(std::max(0, end - first)), 0);
    std::deque<Write> writes;
    const auto settle = [&](std::size_t keep) {
        while (writes.size() > keep) {
            Write done = std::move(writes.front());
            writes.pop_front();
            const QString error = done.error.get();
            if (!error.isEmpty()) {
                if (m_writeError.isEmpty())
                    m_writeError = QStringLiteral("%1 could not be written: %2").arg(QFileInfo(done.path).fileName(), error);
                continue;
            }
            Note_Written(done.path);
            ++rowFiles[std::size_t(done.row - first)];
        }
    };
    constexpr std::size_t kWritesAtOnce = 8;
    BatchRunner runner;
    runner.Run<std::vector<ExportFile>>(
        first, std::max(0, end - first), [this](int row) { return Render_Row(row); },
        [&](int row, std::vector<ExportFile> &files) {
            // The stop question open: what is under way is written, then the answer is awaited.
            if (hold->holding())
                settle(0);
            hold->waitWhileHeld();
            if (Job_Cancelled())
                return false;
            if (onRow)
                onRow(row);
            ++curr_card_count;
            const QString name = QStringLiteral("Card_%1").arg(row + 1);
            for (ExportFile &file : files) {
                const QString fileName = name + file.suffix + QLatin1Char('.') + ext;
                if (file.bytes.isEmpty()) {
                    // Every later row would fail the same way: stop and say why.
                    if (m_writeError.isEmpty())
                        m_writeError = QStringLiteral("%1 could not be written: %2").arg(fileName, file.error);
                    return false;
                }
                const QString path = Path_To_Write(QDir(folder).filePath(fileName), false);
                if (path.isEmpty())
                    continue;
                writes.push_back({row, path, std::async(std::launch::async, [path, bytes = std::move(file.bytes)] {
                                      QString error;
                                      return Write_Whole_File(path, bytes, &error) ? QString() : error;
                                  })});
                settle(kWritesAtOnce);
                if (!m_writeError.isEmpty())
                    return false;
            }
            return !Job_Cancelled();
        });
    settle(0);
    // A stop asked for during the last row is answered before the run reports its end.
    hold->runOnGuiThreadWhenAnswered([this] {
        if (Hide_One_By_One_Modeless)
            Hide_One_By_One_Modeless();
    });
    if (!m_writeError.isEmpty())
        Show_MessageBox(m_writeError);
    Export_File_Path = folder;
    Export_Back_File_Path.clear();
    const int filesPerCard = m_choice.export_card_side == QLatin1String("BOTH") && !m_choice.combined ? 2 : 1;
    Export_File_Message = Exported_Cards_Message(
        int(std::count(rowFiles.begin(), rowFiles.end(), filesPerCard)), int(rowFiles.size()));
    platform::runOnGuiThread([this] { Open_Export_File_Box(*this); });
    return int(written.size()) - before;
}

QStringList CardExport::Single_File_Paths(const QString &path, bool show) const
{
    QStringList paths;
    for (const char *suffix : {"_Back", "_Front"}) {
        const bool wanted = m_choice.export_card_side == QLatin1String("BOTH")
                                ? !m_choice.combined
                                : (m_choice.export_card_side == QLatin1String("F")) == (suffix[1] == 'F');
        if (wanted)
            paths << (show || m_choice.export_card_side == QLatin1String("BOTH") ? sidePath(path, QString::fromLatin1(suffix))
                                                                                 : path);
    }
    if (paths.isEmpty())
        paths << path;
    return paths;
}

int CardExport::Export_Single_File(const QString &path, bool show)
{
    m_writeError.clear();
    const int before = int(written.size());
    const std::vector<ExportFile> files = Render_Row(-1);
    const QStringList paths = Single_File_Paths(path, show);
    for (std::size_t i = 0; i < files.size() && i < std::size_t(paths.size()); ++i) {
        if (files[i].bytes.isEmpty())
            m_writeError = QStringLiteral("%1 could not be written: %2").arg(QFileInfo(paths[int(i)]).fileName(), files[i].error);
        else
            Export_File_Function(paths[int(i)], files[i].bytes, show);
        if (!m_writeError.isEmpty()) {
            Show_MessageBox(m_writeError);
            return int(written.size()) - before;
        }
    }
    const bool combined = m_choice.export_card_side == QLatin1String("BOTH") && m_choice.combined;
    if (show && written.size() > before) {
        Export_File_Message = combined ? QStringLiteral("Card has been exported successfully.")
                                       : QStringLiteral("File has been exported successfully.");
        platform::runOnGuiThread([this] { Open_Export_File_Box(*this); });
    }
    return int(written.size()) - before;
}

void CardExport::Stop()
{
    replace_keep_file_flag = Cancel_All;
    Stop_SMS_Sending_Now = true;
    hold->release();
}

bool Open_Export_File_Box(const CardExport &run)
{
    if (!run.check_any_card_exported)
        return false;
    if (Open_Export_Log::Open(run.Export_File_Path, run.Export_File_Message) == 1) {
        platform::Open_Or_Explain(run.Export_File_Path);
        if (!run.Export_Back_File_Path.isEmpty() && QFileInfo(run.Export_Back_File_Path).isFile())
            platform::Open_Or_Explain(run.Export_Back_File_Path);
    }
    return true;
}
