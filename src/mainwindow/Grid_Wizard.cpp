#include "mainwindow/Grid_Wizard.h"

#include "mainwindow/WindowStyle.h"

#include <QBoxLayout>
#include <QDialogButtonBox>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
Grid_Wizard *g_instance = nullptr;
}

Grid_Wizard *Grid_Wizard::defaultInstance() { return g_instance; }

Grid_Wizard::Grid_Wizard(QWidget *parent) : QDialog(parent)
{
    g_instance = this;
    setObjectName(QStringLiteral("Grid_Wizard"));
    setWindowTitle(tr("Grid"));
    setModal(true);
    applyDialogBackground(this);
    setMinimumWidth(360);
    auto *layout = new QVBoxLayout(this);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OK_Btn"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("Cancel_Btn"));
    buttons->button(QDialogButtonBox::Cancel)->setToolTip(tr("Closes the window; the grid keeps what was set"));
    connect(buttons, &QDialogButtonBox::accepted, this, &Grid_Wizard::OK_Btn_Clicked);
    connect(buttons, &QDialogButtonBox::rejected, this, &Grid_Wizard::Cancel_Btn_Clicked);
    layout->addWidget(buttons);
}

void Grid_Wizard::Open_Wnd(QWidget *controls)
{
    if (!controls)
        return;
    QPointer<QWidget> home = controls->parentWidget();
    auto *homeLayout = home ? qobject_cast<QBoxLayout *>(home->layout()) : nullptr;
    const int place = homeLayout ? homeLayout->indexOf(controls) : -1;
    const bool shown = controls->isVisibleTo(home);
    static_cast<QBoxLayout *>(layout())->insertWidget(0, controls);
    controls->show();
    runScripted(*this);
    layout()->removeWidget(controls);
    controls->setParent(home);
    if (homeLayout)
        homeLayout->insertWidget(place, controls);
    controls->setVisible(shown);
}
