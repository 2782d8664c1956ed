#include "mainwindow/ApplicationSetup.h"

#include "canvas/CanvasRequests.h"
#include "canvas/LiveModePanel.h"
#include "canvas/WidgetUtilities.h"
#include "core/ControlArchive.h"
#include "core/CoreHub.h"
#include "core/Globals.h"
#include "core/PictureServices.h"
#include "data/SeriesFiles.h"
#include "data/SeriesManager.h"
#include "data/batch/BatchBinding.h"
#include "data/spreadsheet/Data_From_Excel.h"
#include "data/spreadsheet/SpreadsheetWriter.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/SKTWindowController.h"
#include "visitor/VisitorMode.h"

#include <QObject>

namespace {

// What a replaceable function holds now, read without changing it.
template <class T, class Setter>
T current(Setter set)
{
    T now = set(T{});
    set(now);
    return now;
}

// The joins that are functions of a lower folder rather than interfaces: installed while the
// window lives, the previous ones given back when it goes.
class WindowJoins : public QObject {
public:
    explicit WindowJoins(SKTWindowController &window) : QObject(&window), m_window(window)
    {
        setObjectName(QStringLiteral("WindowJoins"));
        m_previousInUse = Set_Series_In_Use_Test([this](const QString &name) { return inUse(name); });
    }
    ~WindowJoins() override { Set_Series_In_Use_Test(m_previousInUse); }

private:
    // A series a control of the open design is bound to may be neither replaced nor deleted.
    bool inUse(const QString &name) const
    {
        const SKTDocument &d = m_window.document();
        return Check_Batch_File_In_Use_Validation(Graphic_Pointers(d.graphics()), Graphic_Pointers(d.graphics_back()),
                                                  CARD_SIDE_STR == QLatin1String("2"), name);
    }

    SKTWindowController &m_window;
    SeriesInUseTest m_previousInUse;
};

}  // namespace

std::unique_ptr<SKTWindowController> Set_Up_Application(SKTDocument &document)
{
    // A run killed while it read a workbook left its unpacked parts behind.
    SpreadsheetWriter::Sweep_Stale_Workbook_Folders();
    auto window = std::make_unique<SKTWindowController>(document);
    new WindowJoins(*window);
    Keep_Dialog_Titles_Whole(window.get());
    return window;
}

QStringList Missing_Application_Joins(const SKTWindowController &window)
{
    QStringList missing;
    const auto need = [&missing](bool joined, const char *name) {
        if (!joined)
            missing << QString::fromLatin1(name);
    };
    need(current<CoreHub *>(&setCoreHub) != nullptr, "core hub");
    need(current<CanvasRequests *>(&setCanvasRequests) != nullptr, "canvas requests");
    need(current<PictureServices *>(&setPictureServices) != nullptr, "picture services");
    need(current<ArchiveHub *>(&setArchiveHub) != nullptr, "archive hub");
    need(barcodeImageProvider() != nullptr, "barcode pictures");
    // The live face is the window's visitor mode, with the group panel and the profile dialogs
    // it hands their calls to.
    auto *face = dynamic_cast<VisitorMode *>(installedLiveModePanel());
    need(face != nullptr, "visitor and group entry panels");
    need(face && face->groupPanel() != nullptr, "group panel of the live face");
    need(face && face->profilePanel() != nullptr, "profile dialogs of the live face");
    need(Data_From_Excel::defaultInstance() == &window.Excel_Table(), "spreadsheet table");
    need(bool(current<SeriesInUseTest>(&Set_Series_In_Use_Test)), "series in-use test");
    need(bool(current<SeriesWorkbookWriter>(&Set_Series_Workbook_Writer)), "series spreadsheet writer");
    need(bool(current<SeriesExportFinishedBox>(&Set_Series_Export_Finished_Box)), "export-finished box");
    need(bool(current<SeriesImportWizard>(&Set_Series_Import_Wizard)), "import wizard");
    need(window.findChild<QObject *>(QStringLiteral("WindowJoins")) != nullptr, "window joins");
    need(window.findChild<QObject *>(QStringLiteral("ProfileWiring")) != nullptr, "profile dialogs");
    return missing;
}
