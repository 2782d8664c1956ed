#include "canvas/WidgetUtilities.h"

#include "core/PaintSupport.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

void SetObjEnabled(QWidget *object, bool enabled)
{
    if (!object)
        return;
    if (auto *box = qobject_cast<QGroupBox *>(object)) {
        // A group box passes the state on to the controls placed in it.
        for (QWidget *child : box->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            SetObjEnabled(child, enabled);
        return;
    }
    // Only controls take an enabled state; plain grouping views leave their children alone.
    if (qobject_cast<QAbstractButton *>(object) || qobject_cast<QLineEdit *>(object) ||
        qobject_cast<QLabel *>(object) || qobject_cast<QComboBox *>(object) ||
        qobject_cast<QAbstractSpinBox *>(object) || qobject_cast<QAbstractSlider *>(object) ||
        qobject_cast<QAbstractItemView *>(object) || qobject_cast<QTextEdit *>(object) ||
        qobject_cast<QPlainTextEdit *>(object))
        object->setEnabled(enabled);
}

void Fill_Hatch_Combo(QComboBox *combo)
{
    for (const QString &name : Hatch_Style_Names())
        combo->addItem(Hatch_Style_Caption(name), name);
}

QString Chosen_Hatch_Name(const QComboBox *combo)
{
    return combo->currentIndex() < 0 ? QString() : combo->currentData().toString();
}

void Choose_Hatch_Name(QComboBox *combo, const QString &hatchName)
{
    combo->setCurrentIndex(hatchName.isEmpty() ? -1 : combo->findData(hatchName));
}
