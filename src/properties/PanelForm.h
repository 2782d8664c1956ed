#pragma once
// Captioned rows in a grid, as every tab of the property panel lays out its fields: the widget
// of each row takes its outlet's name.

#include "properties/PanelWidgets.h"
#include "canvas/WidgetUtilities.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

// The outlet and its name, for the builders below.
#define OUT(field) field, #field

struct PanelForm {
    QWidget *host;
    QGridLayout *grid;
    int row = 0;
    explicit PanelForm(QWidget *h) : host(h), grid(new QGridLayout(h)) { grid->setColumnStretch(1, 1); }

    void line(const QString &caption, QWidget *w, QWidget *extra = nullptr)
    {
        if (!caption.isEmpty())
            grid->addWidget(new QLabel(caption, host), row, 0);
        grid->addWidget(w, row, caption.isEmpty() ? 0 : 1, 1, caption.isEmpty() && !extra ? 3 : 1);
        if (extra)
            grid->addWidget(extra, row, 2);
        ++row;
    }
    template <class W>
    W *add(const QString &caption, W *&field, const char *name, W *made, QWidget *extra = nullptr)
    {
        field = named(made, name);
        line(caption, field, extra);
        return field;
    }
    // A read-only font name across the row, its Font… button under it: the name shows whole
    // ("Vu Sans ( 11.00 )" is no font), and beside the button it would not fit a narrow panel.
    // The style widens a short button to a stock width: the button keeps only the room of its
    // caption.
    QLineEdit *font(const QString &caption, QLineEdit *&field, const char *name, QPushButton *button)
    {
        const int pad = 2 * (button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button) +
                             button->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button));
        button->setFixedWidth(button->fontMetrics().horizontalAdvance(button->text()) + pad);
        field = named(new QLineEdit(host), name);
        field->setReadOnly(true);
        Keep_Text_Whole(field);
        grid->addWidget(new QLabel(caption, host), row, 0);
        grid->addWidget(field, row++, 1, 1, 2);
        grid->addWidget(button, row++, 1, 1, 2, Qt::AlignRight);
        return field;
    }
    QComboBox *combo(const QString &caption, QComboBox *&field, const char *name, const QStringList &items)
    {
        add(caption, field, name, new QComboBox(host))->addItems(items);
        return field;
    }
    // The hatch list of a fill box. Sized by its longest caption it would push the tab past the
    // panel's edge; the row stretches it over the room there is, and its opened list shows every
    // caption whole.
    QComboBox *hatch(const QString &caption, QComboBox *&field, const char *name)
    {
        Fill_Hatch_Combo(combo(caption, field, name, {}));
        field->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        field->setMinimumContentsLength(8);
        return field;
    }
    ColorWell *well(const QString &caption, ColorWell *&field, const char *name)
    {
        add(caption, field, name, new ColorWell(host))->setToolTip(caption);
        return field;
    }
    QCheckBox *check(const QString &text, QCheckBox *&field, const char *name)
    {
        return add(QString(), field, name, new QCheckBox(text, host));
    }
    QGroupBox *box(QGroupBox *&field, const char *name, const QString &title = {})
    {
        return add(QString(), field, name, new QGroupBox(title, host));
    }
    // A number field with its arrows beside it.
    template <class S = PanelStepper>
    void stepper(const QString &caption, PanelStepper *&stepper, const char *stepperName, QLineEdit *&text,
                 const char *textName, double minimum, double maximum, QLabel **label = nullptr,
                 const char *labelName = nullptr)
    {
        text = named(new QLineEdit(host), textName);
        Keep_Text_Whole(text);
        stepper = named(new S(host), stepperName);
        stepper->setRange(minimum, maximum);
        auto *l = new QLabel(caption, host);
        if (label)
            *label = named(l, labelName);
        grid->addWidget(l, row, 0);
        grid->addWidget(text, row, 1);
        grid->addWidget(stepper, row, 2);
        ++row;
    }
    void slider(const QString &caption, PanelSlider *&slider, const char *sliderName, QLineEdit *&value,
                const char *valueName, double minimum, double maximum, int steps)
    {
        slider = named(new PanelSlider(minimum, maximum, steps, host), sliderName);
        value = named(new QLineEdit(host), valueName);
        value->setFixedWidth(52);
        line(caption, slider, value);
    }
    // Arrows that step the row just added, beside its value field and in the value's own cell:
    // a fourth column would widen every row of the tab past the panel's edge.
    void arrowsBesideLast(QWidget *arrows)
    {
        QLayoutItem *item = grid->itemAtPosition(row - 1, 2);
        QWidget *value = item ? item->widget() : nullptr;
        if (!value) {
            grid->addWidget(arrows, row - 1, 2);
            return;
        }
        grid->removeWidget(value);
        auto *cell = new QWidget(host);
        auto *pair = new QHBoxLayout(cell);
        pair->setContentsMargins(0, 0, 0, 0);
        pair->setSpacing(0);
        pair->addWidget(value);
        pair->addWidget(arrows);
        grid->addWidget(cell, row - 1, 2);
    }
};
