#pragma once
// The small widgets the property panel is made of: a colour well, the arrows-only stepper that
// stands beside its number field, and a slider that holds fractional values.

#include <QColor>
#include <QFont>
#include <QDoubleSpinBox>
#include <QPushButton>
#include <QSlider>
#include <cmath>
#include <functional>
#include <optional>

class ColorWell : public QPushButton {
    Q_OBJECT
public:
    explicit ColorWell(QWidget *parent = nullptr);
    QColor color() const { return m_color; }
    // Shows the colour; no signal.
    void setColor(const QColor &colour);

signals:
    // The user chose a colour in the colour panel.
    void colorPicked(const QColor &colour);

private:
    QColor m_color = Qt::black;
};

// The number shows in the field beside it, not squeezed into the arrows.
class PanelStepper : public QDoubleSpinBox {
public:
    explicit PanelStepper(QWidget *parent = nullptr);
protected:
    QString textFromValue(double) const override { return {}; }
};

// An integer slider scaled by `steps` per unit, so 1.25 can be held at 100 steps.
class PanelSlider : public QSlider {
public:
    PanelSlider(double minimum, double maximum, int steps, QWidget *parent = nullptr);
    double valueF() const { return m_held ? *m_held : value() / double(m_steps); }
    void setValueF(double v)
    {
        m_held.reset();
        setValue(int(std::lround(v * m_steps)));
    }
    // A value its steps may not hold (a control's 66.67 from a file, or a field's shown 66.67
    // typed back) stands at the nearest step and is given back exactly until the slider moves:
    // writing the tab back must not round a value nobody touched.
    void holdValueF(double v);
    double minimumF() const { return minimum() / double(m_steps); }
    double maximumF() const { return maximum() / double(m_steps); }
    // One step a unit: the slider holds whole numbers only.
    bool whole() const { return m_steps == 1; }
    // Whether the mouse holds the slider (its handle dragged, its groove held down). `released`
    // runs when the mouse lets it go.
    bool mouseHeld() const { return m_mouseHeld; }
    void onMouseRelease(std::function<void()> released) { m_released = std::move(released); }

protected:
    void sliderChange(SliderChange change) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void letGo();

    int m_steps;
    std::optional<double> m_held;  // cleared by any move of the slider
    bool m_holding = false;
    bool m_mouseHeld = false;
    std::function<void()> m_released;
};

// What a font field shows: "Family ( 12.00 )".
QString Font_Field_Text(const QFont &font);

class QLineEdit;
// Runs `read` when the user leaves `field` (Tab, Return, a click elsewhere) having typed into
// it. A number field beside its stepper shows the value rounded ("33" for 33.33 %, "4.23" for
// 4.2333 mm); a field only visited is no edit, and reading that text back would change every
// selected control and start a write-back of the whole tab into them.
void On_Typed_Leave(QLineEdit *field, QObject *context, std::function<void()> read);

// Puts a typed value into the stepper or slider behind its field. One equal to what the widget
// holds sends no change signal, yet the user typed it: with two controls selected the field
// shows only the last one's value, and the others must get it too, so `changed` runs then.
void Set_Typed_Value(QDoubleSpinBox *stepper, double value, const std::function<void()> &changed);
// `exact`: the slider gives back the value itself, not its nearest step.
void Set_Typed_Value(PanelSlider *slider, double value, const std::function<void()> &changed, bool exact = false);

// What the field showed before the user typed into it.
QString Shown_Field_Text(const QLineEdit *field);
// The number typed into a stepper's or slider's field, held to the range; nothing for text that
// is no number, or a fraction in a whole-number field. A field may show a control's fraction
// (33.33 from a file) in a whole-number row: typed back exactly as it shows, that value is the
// user's and is taken (`asShown` says so).
std::optional<double> Typed_Field_Value(const QLineEdit *field, double low, double high, bool whole,
                                        bool *asShown = nullptr);
