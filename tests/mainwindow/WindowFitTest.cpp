// Every window and dialog the application opens, on a 1024x700 screen: opened the way a user
// opens it from the main window, walked through its pages, and measured on each one. A window
// must fit the screen (with room for its title bar), show its whole title, and keep one size
// from page to page, so that its buttons stay where the pointer is.

#include "ControllerFixture.h"

#include <QMenu>

#include "FakeCamera.h"
#include "canvas/WidgetUtilities.h"
#include "core/SKTImage.h"
#include "data/SeriesWindow.h"
#include "imaging/CropOperations.h"
#include "data/spreadsheet/SpreadsheetWriter.h"
#include "groupmode/Group_Mode_Wizard.h"
#include "imaging/Cropping_Tool.h"
#include "platform/Paths.h"
#include "properties/Barcode_Gen.h"
#include "properties/PropertyPanel.h"
#include "visitor/ProfileDialogBase.h"
#include "visitor/Profile_Panel.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAction>
#include <QCheckBox>
#include <QRadioButton>
#include <QStyle>
#include <QTreeWidget>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <map>
#include <optional>

namespace {

constexpr QSize kScreen(1024, 700);
constexpr int kTitleBar = 28;  // what a window manager adds above a window

// One page of a window: how to get there from the page before.
struct Page {
    const char *name;
    std::function<void(QWidget &)> go;
};

// What was seen of one window: its size and whole title on each page, in order.
struct Seen {
    QStringList pages;
    std::vector<QSize> sizes;
    QString title;
    QColor background;  // just inside the window's left edge, half way down
    QStringList clipped;  // controls not seen whole, on any page
};

// The runs of the application's modal seams, all ending in `visit`; a fake of the UI services
// that measures every modal window the application's own code asks it to run.
class MeasuringUi : public platform::ScriptedUiServices {
public:
    std::function<void(QWidget &, const QString &)> visit;
    int runModal(const QString &name, const QString &text, const std::function<int()> &show) override
    {
        if (QWidget *w = windowNamed(name))
            visit(*w, name);
        return platform::ScriptedUiServices::runModal(name, text, show);
    }
    static QWidget *windowNamed(const QString &name)
    {
        QWidget *found = nullptr;
        for (QWidget *w : QApplication::allWidgets())
            if (w->isWindow() && (w->objectName() == name || QLatin1String(w->metaObject()->className()) == name))
                found = w;  // the latest of that name
        return found;
    }
};

QStringList clippedControls(QWidget &window, const QString &face);

class WindowFitTest : public ControllerTest {
protected:
    void SetUp() override
    {
        ControllerTest::SetUp();
        auto measuring = std::make_unique<MeasuringUi>();
        m_ui = measuring.get();
        m_ui->visit = [this](QWidget &w, const QString &name) { measure(w, name); };
        m_previousUi = platform::setUi(std::move(measuring));
    }
    void TearDown() override
    {
        controller.reset();
        platform::setUi(std::move(m_previousUi));
        ControllerTest::TearDown();
    }

    // Shows the window, walks the pages listed for it and writes down what each shows.
    void measure(QWidget &w, const QString &name)
    {
        const bool wasShown = w.isVisible();
        w.show();
        QCoreApplication::processEvents();
        Seen &s = seen[name];
        const auto note = [&](const QString &page) {
            QCoreApplication::processEvents();
            // FIT_SHOTS=<folder>: a picture of each page, for a person to look at.
            if (const QString shots = qEnvironmentVariable("FIT_SHOTS"); !shots.isEmpty())
                w.grab().save(QStringLiteral("%1/%2 - %3.png").arg(shots, name, page).replace(QLatin1Char(','), QString()));
            s.pages << page;
            s.clipped << clippedControls(w, QStringLiteral("%1 (%2)").arg(name, page));
            const QSize least = w.minimumSizeHint().expandedTo(w.minimumSize());
            // A maximised window takes the screen with its frame, which must fit it whole.
            const QSize frame = w.frameGeometry().size() - w.size();
            s.sizes.push_back(w.size().expandedTo(least) + (w.isMaximized() ? frame : QSize()));
        };
        if (qEnvironmentVariableIsSet("FIT_DUMP"))
            for (QSplitter *sp : w.findChildren<QSplitter *>())
                for (int i = 0; i < sp->count(); ++i)
                    qInfo("%s split %s[%d] %s: size %d least %d min %d", qPrintable(name), qPrintable(sp->objectName()), i,
                          qPrintable(sp->widget(i)->objectName()), sp->sizes().value(i), sp->widget(i)->minimumSizeHint().width(),
                          sp->widget(i)->minimumWidth());
        s.title = w.windowTitle();
        s.background = w.grab().toImage().pixelColor(3, w.height() / 2);
        note(QStringLiteral("first"));
        for (const Page &p : pages[name]) {
            p.go(w);
            note(QString::fromLatin1(p.name));
        }
        // The pages of every tab widget in the window.
        for (QTabWidget *tabs : w.findChildren<QTabWidget *>()) {
            if (!tabs->isVisible())
                continue;
            const int was = tabs->currentIndex();
            for (int i = 0; i < tabs->count(); ++i) {
                tabs->setCurrentIndex(i);
                note(name + QStringLiteral(" tab ") + tabs->tabText(i));
            }
            tabs->setCurrentIndex(was);
        }
        if (!wasShown)
            w.hide();
    }

    // The failures of every window measured, one line each.
    QStringList failures() const
    {
        QStringList out;
        for (const auto &[name, s] : seen) {
            if (qEnvironmentVariableIsSet("FIT_DUMP"))
                for (size_t i = 0; i < s.sizes.size(); ++i)
                    qInfo("%s / %s: %dx%d", qPrintable(name), qPrintable(s.pages[qsizetype(i)]), s.sizes[i].width(), s.sizes[i].height());
            for (size_t i = 0; i < s.sizes.size(); ++i) {
                const QSize z = s.sizes[i];
                // A window that fills the screen is maximised: its title bar is in the screen.
                const int titleBar = z == kScreen ? 0 : kTitleBar;
                if (z.width() > kScreen.width() || z.height() + titleBar > kScreen.height())
                    out << QStringLiteral("%1 (%2) is %3x%4").arg(name, s.pages[qsizetype(i)]).arg(z.width()).arg(z.height());
                if (z != s.sizes.front())
                    out << QStringLiteral("%1 changes size on %2: %3x%4 -> %5x%6")
                               .arg(name, s.pages[qsizetype(i)])
                               .arg(s.sizes.front().width()).arg(s.sizes.front().height()).arg(z.width()).arg(z.height());
            }
            out << s.clipped;
            // The title bar shows the whole title beside its buttons.
            QFont bold = QApplication::font();
            bold.setBold(true);
            const int titleWidth = QFontMetrics(bold).horizontalAdvance(s.title) + 150;
            if (!s.sizes.empty() && s.sizes.front().width() < titleWidth)
                out << QStringLiteral("%1 cuts its title \"%2\" (%3 < %4)").arg(name, s.title).arg(s.sizes.front().width()).arg(titleWidth);
        }
        return out;
    }

    std::map<QString, Seen> seen;
    std::map<QString, std::vector<Page>> pages;
    MeasuringUi *m_ui = nullptr;

private:
    std::unique_ptr<platform::UiServices> m_previousUi;
};

// Each control of the live face that a person cannot see whole: a button or box cut by the edge
// of a column or of the window, a button squeezed below the width of its text, and a column that
// has to be scrolled sideways. Scrolling down a column is fine; scrolling across is not.
QStringList clippedControls(QWidget &window, const QString &face)
{
    QStringList out;
    for (const char *column : {"scrollView", "gp_scrollView"}) {
        auto *area = window.findChild<QScrollArea *>(QString::fromLatin1(column));
        if (area && area->isVisible() && area->horizontalScrollBar()->maximum() > 0)
            out << QStringLiteral("%1: %2 scrolls sideways by %3").arg(face, column).arg(area->horizontalScrollBar()->maximum());
    }
    QList<QWidget *> controls;
    for (QAbstractButton *b : window.findChildren<QAbstractButton *>())
        controls << b;
    for (QLineEdit *e : window.findChildren<QLineEdit *>())
        controls << e;
    for (QWidget *w : controls) {
        if (!w->isVisible() || w->window() != &window || qobject_cast<QAbstractScrollArea *>(w->parentWidget()))
            continue;
        const QString name = w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
        const QString text = qobject_cast<QAbstractButton *>(w) ? static_cast<QAbstractButton *>(w)->text() : QString();
        const QString what = QStringLiteral("%1: %2 \"%3\"").arg(face, name, text);
        const auto *tool = qobject_cast<QToolButton *>(w);
        const bool textShown = !text.isEmpty() && !(tool && tool->toolButtonStyle() == Qt::ToolButtonIconOnly);
        if (auto *b = qobject_cast<QAbstractButton *>(w); b && textShown) {
            // The text, the box or dot before it, an icon, and a little room on either side.
            const bool mark = qobject_cast<QCheckBox *>(b) || qobject_cast<QRadioButton *>(b);
            const int needs = b->fontMetrics().size(0, QString(text).remove(QLatin1Char('&'))).width()
                              + (mark ? b->style()->pixelMetric(QStyle::PM_IndicatorWidth) + 4 : 6)
                              + (b->icon().isNull() ? 0 : b->iconSize().width() + 4);
            if (b->width() < needs)
                out << QStringLiteral("%1 is %2 wide, its text needs %3").arg(what).arg(b->width()).arg(needs);
        }
        QRect r = w->geometry();
        bool scrolled = false;
        for (QWidget *a = w->parentWidget(); a; r.translate(a->pos()), a = a->parentWidget()) {
            // The inside of a scroll area may be scrolled down to, never across.
            scrolled = scrolled || (a->parentWidget() && qobject_cast<QAbstractScrollArea *>(a->parentWidget()));
            const bool across = r.left() < 0 || r.right() >= a->width();
            const bool down = !scrolled && (r.top() < 0 || r.bottom() >= a->height());
            if (scrolled)
                r = QRect(r.x(), 0, r.width(), 1);
            if (across || down) {
                out << QStringLiteral("%1 is cut by %2 (%3,%4 %5x%6 in %7x%8)")
                           .arg(what, a->objectName().isEmpty() ? QString::fromLatin1(a->metaObject()->className()) : a->objectName())
                           .arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()).arg(a->width()).arg(a->height());
                break;
            }
            if (a == &window)
                break;
        }
    }
    return out;
}

// A profile caption, the clock's date or time cut by its box, and a card at 100% that runs out of
// its column.
QStringList cutCaptionsAndCard(SKTWindowController &window, const QString &face)
{
    QStringList out;
    const Profile_Panel &panel = *Front_Profile_Panel_OBJ;
    std::vector<QLineEdit *> boxes(panel.label.begin(), panel.label.end());
    boxes.insert(boxes.end(), {panel.value[kDateField], panel.value[kTimeField]});
    for (QLineEdit *box : boxes)
        if (box->fontMetrics().horizontalAdvance(box->text()) > box->contentsRect().width() - 8)
            out << QStringLiteral("%1: \"%2\" is cut").arg(face, box->text());
    SKTGraphicView *card = window.canvasOfSide(0);
    if (!card->parentWidget()->rect().contains(QRect(card->mapTo(card->parentWidget(), QPoint()), card->size())))
        out << QStringLiteral("%1: the card is cut by its column").arg(face);
    return out;
}

template <class W>
std::function<void(QWidget &)> on(std::function<void(W &)> f)
{
    return [f](QWidget &w) { f(dynamic_cast<W &>(w)); };
}

TEST_F(WindowFitTest, EveryWindowFitsTheScreenAndKeepsItsSizeThroughItsPages)
{
    ASSERT_EQ(QGuiApplication::primaryScreen()->availableGeometry().size(), kScreen)
        << "run under ctest, which gives the offscreen platform a 1024x700 screen";

    // A sheet and a picture folder for the windows that need something to show.
    const QString book = pathIn("people.xlsx");
    ASSERT_TRUE(SpreadsheetWriter::WriteWorkbook(book, {{"Name", "Email"}, {"Anna", "a@x"}}, true));
    QImage face(300, 400, QImage::Format_RGB32);
    face.fill(QColor(200, 160, 120));
    ASSERT_TRUE(face.save(pathIn("face.png")));

    pages["Card_Wizard"] = {{"next", on<Card_Wizard>([](Card_Wizard &w) { pressIn(w, "Next_btn"); })},
                            {"back", on<Card_Wizard>([](Card_Wizard &w) { pressIn(w, "Back_btn"); })},
                            {"next again", on<Card_Wizard>([](Card_Wizard &w) { pressIn(w, "Next_btn"); })}};
    std::optional<fakecamera::ScopedFakeCamera> camera;  // for the cropping tool's camera screen
    pages["Cropping_Tool"] = {
        {"crop screen", on<Cropping_Tool>([this](Cropping_Tool &w) {
             w.findChild<QLineEdit *>("file_path")->setText(pathIn("face.png"));
             w.findChild<QLineEdit *>("output_path")->setText(pathIn("out"));
             pressIn(w, "Next_Btn");
         })},
        {"back", on<Cropping_Tool>([](Cropping_Tool &w) { pressIn(w, "Back_Btn"); })},
        {"crop screen of a folder", on<Cropping_Tool>([this](Cropping_Tool &w) {
             pressIn(w, "input_option_matrix_1");  // a folder
             w.findChild<QLineEdit *>("folder_path")->setText(dir.path());
             pressIn(w, "Next_Btn");
         })},
        {"back again", on<Cropping_Tool>([](Cropping_Tool &w) { pressIn(w, "Back_Btn"); })},
        {"camera screen", on<Cropping_Tool>([&camera](Cropping_Tool &w) {
             camera.emplace();
             press(w.findChild<QAbstractButton *>("input_option_matrix_2"));
             pressIn(w, "Refresh_Camera_btn");  // the camera plugged in after the tool opened
             press(w.findChild<QAbstractButton *>("output_option_matrix_1"));
             pressIn(w, "Next_Btn");  // the custom name is the one the tool suggests
         })},
        {"back from the camera", on<Cropping_Tool>([](Cropping_Tool &w) { pressIn(w, "Back_Btn"); })},
    };
    const auto pressNamed = [](const char *button) {
        return [button](QWidget &w) {
            auto *b = w.findChild<QAbstractButton *>(QString::fromLatin1(button));
            ASSERT_NE(b, nullptr) << button;
            press(b);
        };
    };
    pages["Import_Wizard"] = {{"text file", pressNamed("Text_RD")}, {"typed values", pressNamed("Mnul_RD")},
                              {"picture folder", pressNamed("Image_RD")}, {"spreadsheet", pressNamed("Excel_RD")}};
    pages["BatchWizard"] = {{"values of a new series", pressNamed("AddNew_Btn_Clicked")},
                            {"series", pressNamed("Back_Btn_Clicked")}};
    pages["Print_Wnd"] = {{"Save as PDF", [](QWidget &w) {
                               auto *printers = w.findChild<QComboBox *>("Printer_ComboBox");
                               printers->setCurrentIndex(printers->count() - 1);
                           }},
                          {"add a profile", pressNamed("Add_profile_btn")},
                          {"first printer", [](QWidget &w) { w.findChild<QComboBox *>("Printer_ComboBox")->setCurrentIndex(0); }}};
    pages["Send_Mail"] = {{"plain message", pressNamed("rd_without_barcode")},
                          {"settings", [](QWidget &w) {
                               for (QPushButton *b : w.findChildren<QPushButton *>())
                                   if (b->text() == QLatin1String("Settings"))
                                       press(b);
                           }},
                          {"the card", pressNamed("rd_mail_curr_barcode")}};
    pages["Group_Mode_Wizard, a project to open"] = {
        {"open", on<Group_Mode_Wizard>([](Group_Mode_Wizard &w) {
             pressIn(w, "open_exist_btn");
             w.treeView->setCurrentItem(w.treeView->topLevelItem(0)->child(0));
         })},
        {"rename the project", pressNamed("rename_prj_btn")},
        {"new project", on<Group_Mode_Wizard>([](Group_Mode_Wizard &w) { pressIn(w, "start_new_btn"); })},
        {"new folder", pressNamed("new_folder_btn")}};
    pages["Barcode_Gen"] = {
        {"2-D pane", on<Barcode_Gen>([](Barcode_Gen &w) { w.barcodeTypePopup->setCurrentText(QStringLiteral("QR Code")); })},
        {"linear pane", on<Barcode_Gen>([](Barcode_Gen &w) { w.barcodeTypePopup->setCurrentIndex(0); })}};
    pages["Group_Mode_Wizard"] = {
        {"open", on<Group_Mode_Wizard>([](Group_Mode_Wizard &w) { pressIn(w, "open_exist_btn"); })},
        {"new", on<Group_Mode_Wizard>([](Group_Mode_Wizard &w) { pressIn(w, "start_new_btn"); })},
        {"templates", on<Group_Mode_Wizard>([&book](Group_Mode_Wizard &w) {
             w.proj_name->setText(QStringLiteral("Fit"));
             w.excel_path->setText(book);
             pressIn(w, "ok_btn");
         })},
        {"columns", on<Group_Mode_Wizard>([](Group_Mode_Wizard &w) {
             w.cat_cmbo_bx->setCurrentIndex(0);
             w.cat_cmbo_bx->setCurrentIndex(1);
             w.imageBrowser->selectImage(0);
             pressIn(w, "ok_btn");
         })},
        {"back", on<Group_Mode_Wizard>([](Group_Mode_Wizard &w) { pressIn(w, "back_btn"); })},
        {"first", on<Group_Mode_Wizard>([](Group_Mode_Wizard &w) { pressIn(w, "back_btn"); })},
    };

    // The seams that hand a window to a runner instead of waiting for a person.
    Card_Wizard::setModalRunner([this](Card_Wizard &w) {
        measure(w, "Card_Wizard");
        pressIn(w, "Back_btn");
        pressIn(w, "Next_btn");
        pressIn(w, "Next_btn");
        return w.result();
    });
    const auto previousGroup = Group_Mode_Wizard::setModalRunner([this](Group_Mode_Wizard &w) {
        measure(w, "Group_Mode_Wizard");
        pressIn(w, "cancel_btn");
        return w.result();
    });
    const auto previousBarcode = Barcode_Gen::setModalRunner([this](Barcode_Gen &w) {
        measure(w, "Barcode_Gen");
        pressIn(w, "Cancel_Btn");
        return w.result();
    });
    const auto previousProfile = Set_Profile_Modal_Runner([this](QDialog &d) {
        measure(d, d.windowTitle());
        d.reject();
        return 0;
    });
    const auto previousSeries = Set_Series_Modal_Runner([this](QDialog &d) {
        measure(d, QString::fromLatin1(d.metaObject()->className()));
        d.reject();
        return 0;
    });
    Start_Card::setModalRunner([this](Start_Card &d) {
        measure(d, "Start_Card");
        const int answer = startAnswers.empty() ? 1 : startAnswers.front();
        if (!startAnswers.empty())
            startAnswers.erase(startAnswers.begin());
        pressIn(d, startButton(answer));
        return d.result();
    });

    // The main window in design mode and what it opens; its design kept as a user template.
    ASSERT_TRUE(setUpWindow());
    controller->show();  // as the application shows it, over the whole screen, from here on
    const QString user = platform::joinPath(Created_Resource_Path, "Templates/User");
    ASSERT_TRUE(QDir().mkpath(user));
    ASSERT_TRUE(controller->Export_As_Template(user, QStringLiteral("Badge")));
    measure(*controller, "main window, design mode");
    click("Barcode_Tool_btn");
    clickAt(canvas(0), QPointF(120, 80));
    QTest::mouseDClick(canvas(0), Qt::LeftButton, {}, at(canvas(0), document->graphics().back()->bounds().center()));
    for (const char *button : {"Print_btn", "Mail_btn", "Batch_Series_btn", "Import_Wizard_btn", "Cropping_Tool_btn", "Help_btn"})
        click(button);
    for (const char *item : {"create_series_menu", "Visitor_Log_menu", "share_it_dlg_menu"})
        press(outlet<QAction>(item));
    click("User_Profile_Btn");
    // The gallery of pictures, the template export, the units and the export of the card.
    const auto previousLibrary = Image_Library::setModalRunner([this](Image_Library &w) {
        measure(w, "Image_Library");
        pressIn(w, "Cancel_btn");
        return w.result();
    });
    click("image_library_tool_btn");
    clickAt(canvas(0), QPointF(40, 40));
    Image_Library::setModalRunner(previousLibrary);
    Export_Template::setModalRunner([this](Export_Template &w) {
        measure(w, "Export_Template");
        w.reject();
        return 0;
    });
    press(std::unique_ptr<QMenu>(canvas(0)->contextMenu())->findChild<QAction *>("export_as_template:"));
    Export_Template::setModalRunner({});
    controller->doPreferences();
    click("Export_btn");
    {
        std::shared_ptr<SKTGraphic> picture = SKTImage::initWithPath({0, 0}, pathIn("face.png"));
        picture->setBounds({20, 20, 80, 60});
        place(0, {picture});
        canvas(0)->Set_Selected_Graphic(picture.get());
        controller->Show_RHS_Properties(picture.get());
        fakecamera::ScopedFakeCamera camera;
        press(controller->propertyPanel().camera_btn);
    }

    // Visitor mode, with the front and the back entry panel.
    startAnswers = {13};
    galleryAction = [this](Template_Wizard &w) {
        measure(w, "Template_Wizard");
        // The category the gallery opens on, as a new user takes it.
        w.imageBrowser->selectImage(0);
        pressIn(w, "OK_btn");
    };
    // Started afresh into visitor mode, the window shown only once the mode is set up, as at a start.
    controller.reset();
    document = std::make_unique<SKTDocument>();
    controller = Set_Up_Application(*document);
    ASSERT_TRUE(setUpWindow());
    ASSERT_EQ(Start_Card_Option, "V") << m_ui->messages().join('|').toStdString();
    controller->show();
    measure(*controller, "main window, visitor mode");
    QStringList clipped = clippedControls(*controller, "visitor mode") << cutCaptionsAndCard(*controller, "visitor mode");
    click("Back_Side_btn");
    measure(*controller, "main window, visitor mode, back panel");
    clipped << clippedControls(*controller, "visitor mode, back panel");
    click("Front_Side_btn");
    press(Front_Profile_Panel_OBJ->Add_label_btn);  // a field of the visitor's own under the fixed ones
    QCoreApplication::processEvents();
    clipped << clippedControls(*controller, "visitor mode, a field added");

    // Group mode: its wizard on each screen, then the window over a project.
    Group_Mode_Wizard::setModalRunner([&](Group_Mode_Wizard &w) {
        measure(w, "Group_Mode_Wizard");  // left on its first screen
        pressIn(w, "start_new_btn");
        w.proj_name->setText(QStringLiteral("FitProject"));
        w.excel_path->setText(book);
        pressIn(w, "ok_btn");
        w.cat_cmbo_bx->setCurrentIndex(0);
        w.cat_cmbo_bx->setCurrentIndex(1);  // the user's templates
        w.imageBrowser->selectImage(0);
        pressIn(w, "ok_btn");
        w.columnCombos[0]->setCurrentIndex(1);
        pressIn(w, "ok_btn");
        return w.result();
    });
    startAnswers = {14};
    m_ui->push(int(platform::AnswerNo));  // the visit's design left unsaved
    click("New_btn");
    EXPECT_EQ(Start_Card_Option, "G") << m_ui->messages().join('|').toStdString();
    measure(*controller, "main window, group mode");
    QCoreApplication::processEvents();
    clipped << clippedControls(*controller, "group mode") << cutCaptionsAndCard(*controller, "group mode");
    press(Front_Profile_Panel_OBJ->image_ctrl_type);
    press(Front_Profile_Panel_OBJ->Add_label_btn);  // a photo row
    QCoreApplication::processEvents();
    clipped << clippedControls(*controller, "group mode, a photo field added");
    Group_Mode_Wizard::setModalRunner([&](Group_Mode_Wizard &w) {
        measure(w, "Group_Mode_Wizard, a project to open");
        pressIn(w, "cancel_btn");
        return w.result();
    });
    m_ui->push(int(platform::AnswerNo));  // New's save question, on this test's scripted UI
    startAgain(14, "G");
    Group_Mode_Wizard::setModalRunner(previousGroup);

    // The back side's profile dialog.
    Set_Profile_Modal_Runner([this](QDialog &d) {
        measure(d, d.windowTitle());
        d.reject();
        return 0;
    });
    click("Back_Side_btn");
    press(outlet<QAction>("profile_menu"));  // group mode's panel holds the fields, not the tool column

    Barcode_Gen::setModalRunner(previousBarcode);
    Set_Profile_Modal_Runner(previousProfile);
    Set_Series_Modal_Runner(previousSeries);

    const QStringList expected = {"main window, design mode", "Start_Card", "Card_Wizard", "Barcode_Gen",
                                  "Print_Wnd", "Send_Mail", "BatchWizard", "Import_Wizard", "Generate_List",
                                  "Cropping_Tool", "Help_Support", "Visitor_Log_Records", "Camera",
                                  "Front Side User Profile Information", "Template_Wizard", "Group_Mode_Wizard",
                                  "main window, visitor mode", "main window, visitor mode, back panel",
                                  "main window, group mode", "Group_Mode_Wizard, a project to open",
                                  "Export_Template_Window", "CreateFolder", "Email_Setting", "Add_Print_Profile",
                                  "Back Side User Profile Information", "Image_Library", "Export_Template",
                                  "Unit_PrefWindow", "ExportWindow", "Share_It_Dlg"};
    for (const QString &name : expected)
        EXPECT_TRUE(seen.count(name)) << name.toStdString() << " was not opened";
    EXPECT_EQ(failures().join('\n').toStdString(), "");
    EXPECT_EQ(clipped.join('\n').toStdString(), "");

    // The windows share the main window's one background colour.
    QStringList colours;
    for (const auto &[name, s] : seen) {
        if (qEnvironmentVariableIsSet("FIT_DUMP"))
            qInfo("%s background %s", qPrintable(name), qPrintable(s.background.name()));
        const bool shared = name.startsWith(QLatin1String("main window")) || name == "Start_Card";
        if (!shared && s.background != Window_Background_Color())
            colours << QStringLiteral("%1: %2").arg(name, s.background.name());
    }
    EXPECT_EQ(colours.join('\n').toStdString(), "");
}

}  // namespace
