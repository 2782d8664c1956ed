#include "properties/PanelWidgets.h"

#include "platform/UiServices.h"

#include <QLineEdit>
#include <QPixmap>
#include <cmath>

ColorWell::ColorWell(QWidget *parent) : QPushButton(parent)
{
    setFixedSize(40, 22);
    setColor(Qt::black);
    connect(this, &QPushButton::clicked, this, [this] {
        const QColor chosen = platform::ui().chooseColor(toolTip(), m_color);
        if (!chosen.isValid())
            return;
        setColor(chosen);
        emit colorPicked(chosen);
    });
}

void ColorWell::setColor(const QColor &colour)
{
    m_color = colour;
    QPixmap swatch(28, 12);
    swatch.fill(colour);
    setIcon(swatch);
    setIconSize(swatch.size());
}

PanelStepper::PanelStepper(QWidget *parent) : QDoubleSpinBox(parent)
{
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    setFixedWidth(22);
    setFocusPolicy(Qt::NoFocus);  // typed through the field beside it
    setRange(-100000, 100000);
    setDecimals(3);
}

PanelSlider::PanelSlider(double minimum, double maximum, int steps, QWidget *parent)
    : QSlider(Qt::Horizontal, parent), m_steps(steps)
{
    setRange(int(std::lround(minimum * steps)), int(std::lround(maximum * steps)));
}

void On_Typed_Leave(QLineEdit *field, QObject *context, std::function<void()> read)
{
    QObject::connect(field, &QLineEdit::editingFinished, context, [field, read = std::move(read)] {
        if (field->isModified())
            read();
    });
}

void Set_Typed_Value(QDoubleSpinBox *stepper, double value, const std::function<void()> &changed)
{
    const double before = stepper->value();
    stepper->setValue(value);
    if (stepper->value() == before)
        changed();
}

void Set_Typed_Value(PanelSlider *slider, double value, const std::function<void()> &changed)
{
    const int before = slider->value();
    slider->setValueF(value);
    if (slider->value() == before)
        changed();
}

QString Font_Field_Text(const QFont &font)
{
    return QStringLiteral("%1 ( %2 )").arg(font.family(), QString::number(font.pointSizeF(), 'f', 2));
}
