#pragma once
// Helpers for the widgets of every window above the canvas.

#include <QColor>
#include <QString>
#include <QStringList>

class QWidget;

// Enables or disables a control; a group box passes the state on to the controls placed in it,
// while plain grouping views leave their children alone.
void SetObjEnabled(QWidget *object, bool enabled);

class QSpinBox;
// A count field (cards, rows, a range's From or To) whose maximum is the number there is: a
// number typed past it becomes the maximum instead of the keystroke being refused, so "10" typed
// digit by digit with 7 cards ends at 7, never at the "1" a refused "0" would leave.
QSpinBox *Count_Field(QWidget *parent = nullptr);
// Every number field is one of these (or a count field). They show and read numbers by
// platform/TypedNumber.h: a point is the decimal mark in every locale, and a text holding a
// digit-group mark ("80,5", "1 000") or, in a whole-number field, a point is no number: the field
// goes back to the value in force when it is left, instead of reading 805 or 15.
QSpinBox *Whole_Number_Field(QWidget *parent = nullptr);
class QDoubleSpinBox;
QDoubleSpinBox *Decimal_Field(QWidget *parent = nullptr);
// Holds the number fields of a panel made elsewhere (Qt's page set-up, which reads "3,5" as 35;
// its print panel, whose copies read "1.500" as 150) to the same rule: shown with a point, and a
// text holding a digit-group mark, or a point in a whole number, refused as a whole when the
// field is left, gives back the value from before the typing.
void Hold_To_Number_Rule(QWidget &panel);

class QComboBox;
// A hatch list: each entry shows the hatch in words and keeps its stored name as its data.
void Fill_Hatch_Combo(QComboBox *combo);
// The stored name of the chosen hatch, empty when none is chosen.
QString Chosen_Hatch_Name(const QComboBox *combo);
// Chooses the hatch of that stored name; none when the name is empty or unknown.
void Choose_Hatch_Name(QComboBox *combo, const QString &hatchName);

// The widget with its outlet's name as object name, so windows and tests find it by that name.
template <class W>
W *named(W *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

class QLayout;
class QScrollArea;
class QSize;
// A frameless scroll area around `content` (laid out on a widget of its own) for a long panel of
// a window: it asks for the content's own size up to `most` and can shrink below it, so the
// window that holds it fits a small screen, and content that grows as the user turns pages
// scrolls instead of growing the window.
QScrollArea *Scrolling_Panel(QLayout *content, QSize most, const char *name = "scrolling_panel");
// The same around a ready panel.
QScrollArea *Scrolling_Panel(QWidget *content, QSize most, const char *name = "scrolling_panel");
// Gives a window one size for all its pages: `wanted` within the available area of its screen,
// less room for the title bar. Its pages then scroll or share the space instead of resizing it.
void Fit_Window_To_Screen(QWidget *window, QSize wanted);

// Shows a window that work on this thread is about to hold the event loop behind (a please-wait
// sheet) and returns once it is painted: the window system maps a new window in its own time
// (on X11 a window manager comes between), and a window not yet mapped when the work starts
// stays an empty frame until the work ends. The wait is bounded; a window that is never mapped
// (its parent minimized) costs at most that bound.
void Show_Painted(QWidget *window, int waitMs = 1000);

// The field being typed in `window` ends its edit as when the user leaves it. A field applies
// what was typed when it is left, and a command reached by its key or a tool button (which
// takes no focus) would otherwise save, print or send the value from before the typing. A field
// of another window (a dialog over this one) is left alone.
void Finish_Field_Edit(QWidget *window);

class QLineEdit;
// The width a box needs to show `text` whole: the text, the box's frame, its inner margins and
// the few pixels the box keeps either side of its text and for its cursor. No more: at 1024 px
// every pixel counts.
int Whole_Text_Width(const QLineEdit &box, const QString &text);
// Keeps a box at least as wide as the text it shows, between `least` and `most` pixels, as its
// text changes. A layout short of room narrows a box below its text, and the box then scrolls
// it: a number cut at its left edge ("8.34" of 48.34) reads as another number. A text longer
// than `most` still scrolls. The box's own minimum counts as `least` when none is given.
void Keep_Text_Whole(QLineEdit *box, int least = -1, int most = 240);

class QObject;
// The width a window needs for its whole title beside a title bar's icon and buttons.
int Window_Title_Width(const QWidget *window);
// While `owner` lives, every dialog of the application opens at least as wide as its title
// needs, so a small dialog (a name to type, a folder to make) never cuts its title short.
void Keep_Dialog_Titles_Whole(QObject *owner);

// The one background colour of the main window and every dialog: RGB 241, 244, 250.
QColor Window_Background_Color();
// Gives a window that background.
void Apply_Window_Background(QWidget *window);
// A style sheet giving the widgets `selector` names that background, and only them (not their
// boxes and tabs, as a palette would).
QString Window_Background_Style(const QString &selector = QStringLiteral("QDialog"));

// What a list, table or pop-up shows of a value: at most List_Cell_Max UTF-16 units, a longer
// value cut there at a whole character and ended with "…". One long value (a 60 MB cell, a
// series of one huge line) handed whole to a list item would freeze its window while it is laid
// out; the value itself stays whole in the data, so what is read, bound and exported is unchanged.
inline constexpr qsizetype List_Cell_Max = 1000;
QString List_Cell_Text(const QString &value);
QStringList List_Cell_Texts(const QStringList &values);
// A pop-up of names read from a file (sheet names, column titles): Add_Name_Items adds each name
// as List_Cell_Text shows it, and Bound_Name_Combo keeps the pop-up as wide as a few words and
// its list laid out by one row's height, so one long name or ten thousand of them neither widen
// the window that holds it past the screen nor stall it. The pop-up's items are for showing:
// callers choose by index.
void Bound_Name_Combo(QComboBox *combo);
void Add_Name_Items(QComboBox *combo, const QStringList &names);

// Holds a field to `limit` characters as the user types or pastes: a longer text is cut to its
// first `limit` characters, whole ones (platform/TextLength.h), with the cursor kept in place.
void Limit_Field_Characters(QLineEdit *field, int limit);
