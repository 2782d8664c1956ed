#include "canvas/WidgetUtilities.h"

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
