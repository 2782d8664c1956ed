#include "properties/PanelWidgets.h"

#include "platform/TypedNumber.h"
#include "platform/UiServices.h"
#include "properties/PanelPlan.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPixmap>
#include <algorithm>
#include <cmath>
#include <utility>

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

void PanelSlider::holdValueF(double v)
{
    m_holding = true;
    m_held = v;
    setValue(int(std::lround(v * m_steps)));
    m_holding = false;
}

void PanelSlider::sliderChange(SliderChange change)
{
    if (change == SliderValueChange && !m_holding)
        m_held.reset();
    QSlider::sliderChange(change);
}

void PanelSlider::mousePressEvent(QMouseEvent *event)
{
    m_mouseHeld = true;
    QSlider::mousePressEvent(event);
}

void PanelSlider::mouseReleaseEvent(QMouseEvent *event)
{
    QSlider::mouseReleaseEvent(event);
    if (event->buttons() == Qt::NoButton)
        letGo();
}

// A slider hidden under the mouse (its tab left, its window closed) never sees the release.
void PanelSlider::hideEvent(QHideEvent *event)
{
    letGo();
    QSlider::hideEvent(event);
}

void PanelSlider::letGo()
{
    if (std::exchange(m_mouseHeld, false) && m_released)
        m_released();
}

namespace {
// The text a typed field showed before the user's first key: what the program last put there.
const char *const kShownText = "panelShownText";
}  // namespace

void On_Typed_Leave(QLineEdit *field, QObject *context, std::function<void()> read)
{
    field->setProperty(kShownText, field->text());
    QObject::connect(field, &QLineEdit::textChanged, field, [field] {
        if (!field->isModified())
            field->setProperty(kShownText, field->text());
    });
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

void Set_Typed_Value(PanelSlider *slider, double value, const std::function<void()> &changed, bool exact)
{
    const int before = slider->value();
    if (exact)
        slider->holdValueF(value);
    else
        slider->setValueF(value);
    if (slider->value() == before)
        changed();
}

QString Shown_Field_Text(const QLineEdit *field) { return field->property(kShownText).toString(); }

std::optional<double> Typed_Field_Value(const QLineEdit *field, double low, double high, bool whole, bool *asShown)
{
    if (asShown)
        *asShown = false;
    const QString typed = field->text();
    if (std::optional<double> v = Typed_Panel_Value(typed, low, high, whole))
        return v;
    if (!whole || typed.trimmed() != Shown_Field_Text(field).trimmed())
        return std::nullopt;
    const std::optional<double> shown = platform::Typed_Number(typed);
    if (!shown)
        return std::nullopt;
    if (asShown)
        *asShown = true;
    return std::clamp(*shown, low, high);
}

QString Font_Field_Text(const QFont &font)
{
    return QStringLiteral("%1 ( %2 )").arg(font.family(), QString::number(font.pointSizeF(), 'f', 2));
}
