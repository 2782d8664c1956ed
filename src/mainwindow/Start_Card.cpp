#include "mainwindow/Start_Card.h"
#include "canvas/ScriptedModal.h"

#include "core/Globals.h"
#include "core/Utilities.h"
#include "mainwindow/MainWindowLogic.h"
#include "mainwindow/WindowStyle.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
Start_Card::ModalRunner g_runner;

struct Choice {
    const char *object;
    const char *title;
    const char *detail;
    void (Start_Card::*slot)();
};
}  // namespace

Start_Card::Start_Card(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("start_window"));
    setWindowTitle(tr("Start"));
    setModal(true);
    applyDialogBackground(this);

    auto *layout = new QVBoxLayout(this);
    auto *heading = new QLabel(tr("How would you like to begin?"), this);
    QFont big = heading->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    heading->setFont(big);
    layout->addWidget(heading);

    static const Choice choices[] = {
        {"Using_Template_btn", "Design from a template", "Start from a ready-made card layout.",
         &Start_Card::Using_Template_Click},
        {"Using_Wizard_btn", "Design with the card wizard", "Choose size, shape and background step by step.",
         &Start_Card::Using_Wizard_Click},
        {"Open_Log_btn", "Open a saved design", "Continue a design saved earlier.", &Start_Card::Open_Log_Click},
        {"Using_Visitor_btn", "Visitor mode", "Enter visitors' details and print passes.",
         &Start_Card::Using_Visitor_Click},
        {"Using_Group_Batch_btn", "Group mode", "Make cards for the rows of a spreadsheet.",
         &Start_Card::Using_Group_Batch_Click},
    };
    auto *grid = new QGridLayout;
    int row = 0;
    for (const Choice &c : choices) {
        auto *button = new QPushButton(tr(c.title), this);
        button->setObjectName(QString::fromLatin1(c.object));
        button->setMinimumSize(260, 44);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, c.slot);
        grid->addWidget(button, row, 0);
        auto *detail = new QLabel(tr(c.detail), this);
        detail->setWordWrap(true);
        grid->addWidget(detail, row, 1);
        ++row;
    }
    layout->addLayout(grid);

    auto *buttons = new QHBoxLayout;
    auto *help = new QPushButton(tr("Help"), this);
    help->setObjectName(QStringLiteral("Help_btn"));
    help->setAutoDefault(false);  // Return must not open the help
    connect(help, &QPushButton::clicked, this, &Start_Card::HelpClick);
    auto *cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(QStringLiteral("Cancel_btn"));
    connect(cancel, &QPushButton::clicked, this, &Start_Card::CancelClick);
    auto *quit = new QPushButton(tr("Quit"), this);
    quit->setObjectName(QStringLiteral("Quit_btn"));
    quit->setAutoDefault(false);
    connect(quit, &QPushButton::clicked, this, &Start_Card::Quit_Click);
    buttons->addWidget(help);
    buttons->addStretch();
    buttons->addWidget(quit);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
}

int Start_Card::runModal()
{
    if (g_runner)
        return runShownModal(*this, g_runner);
    return exec();
}

Start_Card::ModalRunner Start_Card::setModalRunner(ModalRunner runner)
{
    std::swap(runner, g_runner);
    return runner;
}

void Start_Card::Select_card_option(int index)
{
    const QString code = startOptionCode(index);
    if (!code.isEmpty())
        Start_Card_Option = code;
    OK_Click();
}

void Start_Card::Using_Template_Click() { Select_card_option(0); }
void Start_Card::Using_Wizard_Click() { Select_card_option(1); }
void Start_Card::Open_Log_Click() { Select_card_option(2); }
void Start_Card::Using_Visitor_Click() { Select_card_option(3); }
void Start_Card::Using_Group_Batch_Click() { Select_card_option(4); }

void Start_Card::OK_Click()
{
    done(1);
}

void Start_Card::CancelClick()
{
    Start_Card_Option.clear();
    done(0);
}

void Start_Card::HelpClick()
{
    Open_Help_File();
}

void Start_Card::Quit_Click()
{
    done(QuitCode);
}

void Start_Card::closeEvent(QCloseEvent *event)
{
    // Closing the window is the way out, not another Cancel that would bring it straight back.
    event->accept();
    done(ClosedCode);
}
