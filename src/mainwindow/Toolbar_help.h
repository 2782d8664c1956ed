#pragma once
// The tool bar's Help button: its least size is 42 by 27 and it is never drawn smaller, whatever
// icon size, style or minimum it is given, so the way to the manual stays an easy target among
// the smaller command buttons.

#include <QToolButton>

class Toolbar_help : public QToolButton {
public:
    using QToolButton::QToolButton;
    static constexpr QSize minSize() { return QSize(42, 27); }
    QSize minimumSizeHint() const override { return minSize(); }
    QSize sizeHint() const override { return QToolButton::sizeHint().expandedTo(minSize()); }
};
