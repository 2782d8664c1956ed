#pragma once
// A main window controller as at start-up with every question, panel and start dialog scripted;
// the steps a person takes on it and what a side shows.

#include "canvas/SKTGraphicView.h"
#include "DesignTestSupport.h"
#include "core/Globals.h"
#include "core/SKTDocument.h"
#include "data/spreadsheet/Data_From_Excel.h"
#include "data/spreadsheet/SpreadsheetWriter.h"
#include "groupmode/Group_Mode_Wizard.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/ApplicationSetup.h"
#include "mainwindow/SKTWindowController.h"
#include "mainwindow/Card_Wizard.h"
#include "groupmode/Group_Mode_Wizard.h"
#include "mainwindow/Image_Library.h"
#include "mainwindow/Start_Card.h"
#include "mainwindow/Template_Wizard.h"
#include "platform/UiServices.h"
#include "Press.h"
#include "TestSupport.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>
#include <numeric>

namespace {

using testsupport::press;

// What a side shows: each control's kind and frame, front to back, and whether it is locked.
struct Shown {
    SKTGraphicKind kind;
    QRectF bounds;
    bool locked;
    bool operator==(const Shown &) const = default;
};
using SideState = std::vector<Shown>;

[[maybe_unused]] std::ostream &operator<<(std::ostream &os, const Shown &s)
{
    const QRectF &b = s.bounds;
    return os << int(s.kind) << "@(" << b.x() << "," << b.y() << " " << b.width() << "x" << b.height() << ")"
              << (s.locked ? "L" : "");
}

const QString kSaved = QStringLiteral("\nFile has been saved successfully.");

class ControllerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Card_Front_Or_Back = 0;
        Start_Card_Option = QStringLiteral("T");
        // Start dialog answers in turn: 1 a blank card from the wizard, 2 open a saved design,
        // 0 Cancel, or an option index + 10 (10 template … 14 group mode).
        m_previousRunner = Start_Card::setModalRunner([this](Start_Card &dialog) {
            ++startDialogRuns;
            if (onStartDialog)
                onStartDialog();
            const int answer = startAnswers.empty() ? 1 : startAnswers.front();
            if (!startAnswers.empty())
                startAnswers.erase(startAnswers.begin());
            pressIn(dialog, startButton(answer));
            return dialog.result();
        });
        // The wizard finishes with what it shows; the gallery does what the test says.
        m_previousWizard = Card_Wizard::setModalRunner([](Card_Wizard &w) {
            pressIn(w, "Next_btn");
            pressIn(w, "Next_btn");
            return w.result();
        });
        m_previousGallery = Template_Wizard::setModalRunner([this](Template_Wizard &w) {
            if (!galleryAction)
                pressIn(w, "Cancel_btn");
            else
                galleryAction(w);
            return w.result();
        });
        m_previousLibrary = Image_Library::setModalRunner([](Image_Library &w) {
            pressIn(w, "Cancel_btn");
            return w.result();
        });
        document = std::make_unique<SKTDocument>();
        controller = Set_Up_Application(*document);
    }
    void TearDown() override
    {
        controller.reset();
        document.reset();
        Start_Card::setModalRunner(m_previousRunner);
        Card_Wizard::setModalRunner(m_previousWizard);
        Template_Wizard::setModalRunner(m_previousGallery);
        Image_Library::setModalRunner(m_previousLibrary);
        if (m_groupRoadTaken)
            Group_Mode_Wizard::setModalRunner(m_previousGroupWizard);
        Card_Front_Or_Back = 0;
    }
    // The window as the application's start leaves it: set up, then shown when ready.
    bool setUpWindow()
    {
        const bool ready = controller->awakeFromNib();
        if (ready)
            controller->show();
        return ready;
    }
    // The start dialog's button for an answer of `startAnswers`.
    static const char *startButton(int answer)
    {
        static const char *const options[] = {"Using_Template_btn", "Using_Wizard_btn", "Open_Log_btn",
                                              "Using_Visitor_btn", "Using_Group_Batch_btn"};
        return answer == 1 ? "Using_Wizard_btn"
               : answer == 2 ? "Open_Log_btn"
               : answer >= 10 && answer < 15 ? options[answer - 10]
                                             : "Cancel_btn";
    }
    // Presses the window's button of that name (or, for one without a name, that text) as a
    // user does.
    static void pressIn(QWidget &window, const char *name)
    {
        auto *b = window.findChild<QAbstractButton *>(QString::fromLatin1(name));
        for (QAbstractButton *any : window.findChildren<QAbstractButton *>())
            b = b ? b : any->text() == QLatin1String(name) && any->objectName().isEmpty() ? any : nullptr;
        ASSERT_NE(b, nullptr) << name << " in " << window.objectName().toStdString();
        press(b);
    }
    // The start dialog's visitor road on the delivered `title` template, taken by the next start
    // dialog; `openedOn` takes the category the gallery opened on.
    void chooseVisitorRoad(QString *openedOn = nullptr, const QString &title = QStringLiteral("Visitor Amber (h)"))
    {
        startAnswers = {13};
        chooseTemplate(QStringLiteral("Visitor"), title, openedOn);
    }
    // The gallery, when it opens next, chooses the delivered template `title` of `category`.
    void chooseTemplate(const QString &category, const QString &title, QString *openedOn = nullptr)
    {
        galleryAction = [openedOn, category, title](Template_Wizard &w) {
            if (openedOn)
                *openedOn = w.template_category_combo->currentText();
            w.template_category_combo->setCurrentIndex(w.template_category_combo->findText(category));
            for (int i = 0; i < int(w.imageBrowser->images().size()); ++i) {
                if (w.imageBrowser->images()[size_t(i)].imageTitle() == title)
                    return w.imageBrowser->selectImage(i), pressIn(w, "OK_btn");
            }
            pressIn(w, "Cancel_btn");
        };
    }
    // Chooses `text` in a combo box a user can reach (its tab brought forward), by the arrow
    // keys on it, as a user does.
    static void chooseIn(QComboBox *combo, const QString &text)
    {
        testsupport::showTabOf(combo);
        ASSERT_EQ(testsupport::unreachable(combo).toStdString(), "") << combo->objectName().toStdString();
        const int to = combo->findText(text);
        ASSERT_GE(to, 0) << text.toStdString();
        combo->setFocus();
        while (combo->currentIndex() != to) {
            const int at = combo->currentIndex();
            QTest::keyClick(combo, at < to ? Qt::Key_Down : Qt::Key_Up);
            ASSERT_NE(combo->currentIndex(), at) << "the key moved no choice";
        }
    }
    // The start dialog's group road, taken by the next start dialog: a new project "Staff" on a
    // workbook of `sheet` (titles first), the first application template, its first column the
    // names.
    void chooseGroupRoad(const QList<QStringList> &sheet = {{"Name"}, {"Ann"}, {"Ben"}})
    {
        const QString book = pathIn("group.xlsx");
        ASSERT_TRUE(SpreadsheetWriter::WriteWorkbook(book, sheet, true));
        startAnswers = {14};
        const auto runner = Group_Mode_Wizard::setModalRunner([book](Group_Mode_Wizard &w) {
            auto *next = w.findChild<QPushButton *>(QStringLiteral("ok_btn"));
            press(w.findChild<QRadioButton *>(QStringLiteral("start_new_btn")));
            w.proj_name->setText(QStringLiteral("Staff"));
            w.excel_path->setText(book);
            press(next);
            w.imageBrowser->selectImage(0);
            press(next);
            w.columnCombos[0]->setCurrentIndex(1);
            press(next);
            return w.result();
        });
        if (!m_groupRoadTaken)
            m_previousGroupWizard = runner;
        m_groupRoadTaken = true;
    }
    // New, the open design left unsaved, and the start dialog's `option` (10 template … 14 group
    // mode); a road given up in its wizard comes back to the start dialog, which then takes the
    // card wizard. Whether the window came back in the mode `code`.
    // New, or the menu item `via` (File > Start…), to the start dialog's `option`.
    bool startAgain(int option, const char *code, QAction *via = nullptr)
    {
        ui->push(int(platform::AnswerNo));
        startAnswers = {option};
        via ? void(testsupport::press(via)) : click("New_btn");
        return Start_Card_Option == QLatin1String(code);
    }
    QAction *menuItem(const QString &text)
    {
        for (QAction *a : controller->findChildren<QAction *>())
            if (a->text() == text)
                return a;
        ADD_FAILURE() << text.toStdString();
        return nullptr;
    }
    template <class W>
    W *outlet(const char *name)
    {
        W *w = controller->findChild<W *>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QString pathIn(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }

    // --- what a person does and sees ---
    SKTGraphicView *canvas(int side) const { return controller->canvasOfSide(side); }
    QImage grabbed(int side) const { return canvas(side)->grab().toImage(); }
    // The colours inside `area` (card points, its edge left aside) of a picture of a card side.
    int coloursIn(const QImage &card, const QRectF &area) const
    {
        const double k = card.width() / controller->Front_card_Prop->Card_Size().width();
        const QRect r = QRectF(area.topLeft() * k, area.size() * k).toRect().adjusted(3, 3, -3, -3);
        QSet<QRgb> seen;
        for (int y = r.top(); y <= r.bottom(); y += 2)
            for (int x = r.left(); x <= r.right(); x += 2)
                seen.insert(card.pixel(x, y));
        return int(seen.size());
    }
    SideState state(int side) const
    {
        SideState out;
        for (const SKTGraphicPtr &g : document->graphicsOfSide(side))
            out.push_back({g->kind(), g->bounds(), g->ctrl_is_locked});
        return out;
    }
    void click(const char *button)
    {
        auto *b = controller->findChild<QToolButton *>(QString::fromLatin1(button));
        ASSERT_NE(b, nullptr) << button;
        ASSERT_TRUE(testsupport::press(b));
    }
    bool enabled(const char *button) const
    {
        auto *b = controller->findChild<QToolButton *>(QString::fromLatin1(button));
        return b && b->isEnabled();
    }
    static QPoint at(SKTGraphicView *view, QPointF points) { return (points * view->scale()).toPoint(); }
    void drag(SKTGraphicView *v, QPointF from, QPointF to)
    {
        QTest::mousePress(v, Qt::LeftButton, {}, at(v, from));
        QTest::mouseMove(v, at(v, (from + to) / 2));
        QTest::mouseMove(v, at(v, to));
        QTest::mouseRelease(v, Qt::LeftButton, {}, at(v, to));
    }
    void clickAt(SKTGraphicView *v, QPointF p) { QTest::mouseClick(v, Qt::LeftButton, {}, at(v, p)); }
    // A click on the side's card where no control lies, as a user brings the card's own tabs.
    void clickEmptyCard(int side = 0) { clickAt(canvas(side), freeSpot({side})); }
    // A place on the card (points) where no control of the sides lies.
    QPointF freeSpot(std::initializer_list<int> sides) const
    {
        const QSizeF card = controller->Front_card_Prop->Card_Size();
        for (double y = 4; y < card.height() - 4; y += 4)
            for (double x = 4; x < card.width() - 4; x += 4) {
                bool free = true;
                for (const int side : sides)
                    for (const SKTGraphicPtr &g : document->graphicsOfSide(side))
                        free = free && !g->bounds().adjusted(-4, -4, 4, 4).contains(QPointF(x, y));
                if (free)
                    return {x, y};
            }
        ADD_FAILURE() << "no free spot on the card";
        return {};
    }
    // Puts the controls onto a side in their order (index 0 frontmost).
    void place(int side, const SKTGraphicArray &controls)
    {
        std::vector<int> indexes(controls.size());
        std::iota(indexes.begin(), indexes.end(), 0);
        document->insertGraphicsOnSide(side, controls, indexes);
    }
    // What ZXingReader reads from a barcode picture printed on a white margin.
    QByteArray readBarcode(const QString &zxing, const QImage &picture) const
    {
        QImage printed(picture.size() + QSize(80, 80), QImage::Format_RGB32);
        printed.fill(Qt::white);
        QPainter(&printed).drawImage(40, 40, picture);
        EXPECT_TRUE(printed.save(pathIn("code.png")));
        return testsupport::runTool(zxing, {"-bytes", pathIn("code.png")}).out;
    }
    // Every kind of control on both sides, both card blocks and the profile-field columns set.
    void drawDesign()
    {
        SKTGraphicArray sides[2];
        int seed = 1;
        for (SKTGraphicKind kind : designtest::kAllKinds) {
            sides[0].push_back(designtest::storedControl(kind, seed));
            sides[1].push_back(designtest::storedControl(kind, seed++ + 10));
        }
        place(0, sides[0]);
        place(1, sides[1]);
        *controller->Front_card_Prop = designtest::storedCard(1);
        *controller->Back_card_Prop = designtest::storedCard(2);
        // A CR80 card to the millimetre's thousandth; the card properties hold the size.
        controller->SetDocumentCanvasSize({85.598 * 72 / 25.4, 54.102 * 72 / 25.4});
        for (int i = 1; i <= 12; ++i)
            controller->excel_cb_value[i] = i % 3 == 0 ? -1 : i + 2;
    }
    // Save into a file chosen in the panel; Open of a file with nothing to save first.
    void saveAs(const QString &path)
    {
        ui->push(path);
        click("Save_btn");
        ASSERT_EQ(ui->messages().value(ui->messages().size() - 1), kSaved);
        ui->clear();
    }
    // File > Start… over the open design, left on each start answer by the Cancel of the road it
    // leads to (the start dialog, the gallery, the card wizard, the group wizard); `check` looks
    // at the window after each.
    // File > Start… over the open design, which is not saved, answering the start dialog; the
    // questions on the road get `answers`.
    void startOver(int answer, std::initializer_list<int> answers = {})
    {
        ui->clear();
        ui->push(int(platform::AnswerNo));
        for (const int a : answers)
            ui->push(a);
        startAnswers = {answer};
        for (QAction *a : controller->findChildren<QAction *>())
            if (a->text() == QObject::tr("Start…"))
                testsupport::press(a);
    }
    void cancelEachStart(std::initializer_list<int> answers, const std::function<void(int)> &check)
    {
        const auto wizard = Card_Wizard::setModalRunner([](Card_Wizard &w) { return pressIn(w, "Cancel_btn"), w.result(); });
        const auto group = Group_Mode_Wizard::setModalRunner([](Group_Mode_Wizard &w) { return pressIn(w, "cancel_btn"), w.result(); });
        const auto gallery = std::exchange(galleryAction, nullptr);
        for (const int answer : answers) {
            startOver(answer);
            check(answer);
        }
        galleryAction = gallery;
        Card_Wizard::setModalRunner(wizard);
        Group_Mode_Wizard::setModalRunner(group);
    }
    void open(const QString &path)
    {
        ui->clear();
        ui->push(int(platform::AnswerNo));
        ui->push(path);
        click("Open_btn");
    }

    testsupport::TempDataFolder folders;
    platform::ScopedScriptedUi ui;
    QTemporaryDir dir;
    std::unique_ptr<SKTDocument> document;
    std::unique_ptr<SKTWindowController> controller;
    std::vector<int> startAnswers;  // 1 when none is left
    int startDialogRuns = 0;
    std::function<void(Template_Wizard &)> galleryAction;  // none: Cancel
    std::function<void()> onStartDialog;  // each time the start dialog opens

private:
    Start_Card::ModalRunner m_previousRunner;
    Card_Wizard::ModalRunner m_previousWizard;
    Template_Wizard::ModalRunner m_previousGallery;
    Image_Library::ModalRunner m_previousLibrary;
    Group_Mode_Wizard::ModalRunner m_previousGroupWizard;
    bool m_groupRoadTaken = false;
};

// The window as the start dialog leaves it, its questions not yet asked.
class WindowTest : public ControllerTest {
protected:
    // The start dialog's road the window opens on: the wizard's blank card unless a test's
    // fixture chooses another.
    virtual void road() {}
    void SetUp() override
    {
        ControllerTest::SetUp();
        road();
        ASSERT_TRUE(setUpWindow());
        // The document's own default card rather than the wizard's preset.
        controller->SetDocumentCanvasSize(SKTDocument::canvasSize(true, {}));
        ui->clear();
    }
};

}  // namespace
