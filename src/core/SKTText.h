#pragma once
// The text control: a name, a title, a caption, a value filled in from a series or a
// spreadsheet column. Every attribute it draws with lives in the base (font, colour,
// alignment both ways, case, kerning, shadow, rotation, background and border); the text
// control lays the text out and paints it at whatever resolution the painter's device has.

#include "core/SKTGraphic.h"

inline const QString SKTTextContentsKey = QStringLiteral("contents");
inline const QString SKTTextUndoContentsKey = QStringLiteral("undoContents");

class SKTText : public SKTGraphic {
public:
    SKTText();

    std::unique_ptr<SKTGraphic> clone() const override { return std::make_unique<SKTText>(*this); }
    std::unique_ptr<SKTGraphic> makeEmpty() const override { return std::make_unique<SKTText>(); }

    // The styled text (made on first use from the value text).
    SKTTextStorage &contents() { return Text_contents(); }

    // The text as it is drawn: trimmed, case applied.
    QString Display_Text();
    // The size the drawn text takes when it wraps at the current width (unbounded when the
    // control has no width yet), measured with the font, case and kerning it is drawn with;
    // rounded up to whole points so that the text fits the size it gives.
    QSizeF naturalSize();
    // Unless locked: the bounds take the natural size, the origin stays.
    void makeNaturalSize() override;
    // The height follows the text; the width and origin stay.
    void setHeightToMatchContents();

    void drawContentsInView(QPainter &painter, bool isBeingCreateOrEdited) override;
    bool canSetDrawingStroke() const override { return false; }

    // Scripting and key-value undo of the text.
    SKTTextStorage &scriptingContents();
    void setScriptingContents(const QString &text);
    SKTTextStorage undoContents() { return Text_contents(); }
    void setUndoContents(const SKTTextStorage &contents);
    void willChangeScriptingContents();
    void didChangeScriptingContents();

    QVariant valueForKey(const QString &key) override;
    bool setValueForKey(const QString &key, const QVariant &value) override;
    QSet<QString> keysForValuesToObserveForUndo() const override;
    QString presentablePropertyNameForKey(const QString &key) const override;

    bool _contentsBeingChangedByScripting = false;
};

// How many text layouts were made since start: a long text is laid out once on the GUI thread
// and kept between paints, so repainting it makes none.
long long Text_Layouts_Made();

// Case transform codes: 1 upper case, 2 lower case, 3 each word capitalised, else as typed.
QString Text_With_Case_Transform(const QString &text, int caseCode);
