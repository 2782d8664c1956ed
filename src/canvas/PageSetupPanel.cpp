#include "canvas/PageSetupPanel.h"

#include "canvas/WidgetUtilities.h"
#include "platform/UiServices.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QKeyEvent>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <array>
#include <memory>
#include <optional>
#include <utility>

namespace {

using Unit = QPageLayout::Unit;

// Points in one of the unit, as Qt's page classes count them.
double pointsPer(Unit unit)
{
    switch (unit) {
    case QPageLayout::Millimeter:
        return 72 / 25.4;
    case QPageLayout::Inch:
        return 72;
    case QPageLayout::Pica:
        return 12;
    case QPageLayout::Didot:
        return 1.065826771;
    case QPageLayout::Cicero:
        return 12.789921252;
    case QPageLayout::Point:
        break;
    }
    return 1;
}

// Unrounded: Qt's own conversions round to two places (and to whole points), so a size shown in
// another unit and back came out as another size.
double converted(double value, Unit from, Unit to) { return from == to ? value : value * pointsPer(from) / pointsPer(to); }

QSizeF converted(QSizeF size, Unit from, Unit to) { return {converted(size.width(), from, to), converted(size.height(), from, to)}; }

// The page set-up panel's fields, and the object holding the handlers they are wired to.
struct PanelFields : PaperFields {
    QObject *panel;
    QDoubleSpinBox *margins[4];  // left, top, right, bottom
    QRadioButton *portrait, *landscape;
};

std::optional<PanelFields> panelFields(QPageSetupDialog &dialog, const PaperFields &paper)
{
    QObject *panel = nullptr;
    for (QObject *child : dialog.findChildren<QObject *>())
        if (child->metaObject()->indexOfSlot("pageSizeChanged()") >= 0 && child->metaObject()->indexOfSlot("unitChanged()") >= 0 &&
            child->metaObject()->indexOfSlot("pageOrientationChanged()") >= 0)
            panel = child;
    const auto field = [&](const char *name) { return dialog.findChild<QDoubleSpinBox *>(QLatin1String(name)); };
    PanelFields f{paper,
                  panel,
                  {field("leftMargin"), field("topMargin"), field("rightMargin"), field("bottomMargin")},
                  dialog.findChild<QRadioButton *>(QStringLiteral("portrait")),
                  dialog.findChild<QRadioButton *>(QStringLiteral("landscape"))};
    if (!panel || !f.portrait || !f.landscape)
        return std::nullopt;
    for (QDoubleSpinBox *margin : f.margins)
        if (!margin)
            return std::nullopt;
    return f;
}

bool sideTakes(double typed, Unit unit) { return converted(typed, unit, QPageLayout::Point) >= 1.0 - 1e-9; }

void sayRefused(bool width)
{
    platform::ui().message(width ? QCoreApplication::translate("PageSetupPanel", "The paper's width must be at least 0.36 mm (1 point).")
                                 : QCoreApplication::translate("PageSetupPanel", "The paper's height must be at least 0.36 mm (1 point)."));
}

// A paper side left empty, under a point, or typed with a minus (which the field drops) is
// refused as it is left, with a word, the side in force put back; the Return that left it then
// closes nothing, so the panel stays to be mended. Left for Cancel (Escape, the Cancel button,
// the window's close box) it is put back without a word: what was typed goes with the panel, and
// a word would stand over the window behind, or swallow the click on Cancel. It needs only the
// two fields and the unit list, so it holds also on a panel whose handlers TypedPaper cannot find.
class SideGuard : public QObject {
public:
    // To go before the panel: its fields, destroyed with it, lose the focus on the way.
    SideGuard(QPageSetupDialog &dialog, QDoubleSpinBox *width, QDoubleSpinBox *height, QComboBox *units)
        : m_width(width), m_height(height), m_units(units)
    {
        if (const auto *buttons = dialog.findChild<QDialogButtonBox *>())
            m_cancel = buttons->button(QDialogButtonBox::Cancel);
        for (QDoubleSpinBox *side : {width, height})
            side->installEventFilter(this);  // ahead of the number rule's guard, installed before
        dialog.installEventFilter(this);     // its close box
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const bool cancelling = (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) ||
                                (event->type() == QEvent::FocusOut && m_cancel && QApplication::focusWidget() == m_cancel) ||
                                event->type() == QEvent::Close;
        if (cancelling) {
            m_minus = false;
            putBack();
            return false;
        }
        if ((watched != m_width && watched != m_height) || m_refusing)
            return false;
        auto *side = static_cast<QDoubleSpinBox *>(watched);
        bool leaving = event->type() == QEvent::FocusOut;
        if (event->type() == QEvent::KeyPress) {
            const auto *key = static_cast<QKeyEvent *>(event);
            if (key->text() == QLatin1String("-"))
                m_minus = true;
            leaving = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        }
        if (!leaving || !(std::exchange(m_minus, false) || side->cleanText().trimmed().isEmpty() ||
                          !sideTakes(side->valueFromText(side->text()), m_units->currentData().value<Unit>())))
            return false;
        // Put back before the word: its box takes the focus from the field, which must not be
        // left with the refused text again.
        const bool was = std::exchange(m_refusing, true);
        putBack();
        sayRefused(side == m_width);
        m_refusing = was;
        return event->type() == QEvent::KeyPress;
    }

private:
    // The fields read when left, so each still holds the side in force; its text shows it again.
    void putBack()
    {
        for (QDoubleSpinBox *side : {m_width, m_height})
            side->setValue(side->value());
    }

    QDoubleSpinBox *m_width, *m_height;
    QComboBox *m_units;
    QAbstractButton *m_cancel = nullptr;
    bool m_minus = false;  // a minus typed into a side since it was last left
    bool m_refusing = false;
};

// What the user has set, held beside Qt's panel exactly as typed (the header says what the panel
// does with it alone) and put back into the fields after each of the panel's handlers. The
// panel's own layout still follows, for its preview; OK makes the printer's paper and margins
// these.
class TypedPaper : public QObject {
public:
    TypedPaper(QPageSetupDialog &dialog, const PanelFields &fields, const QPageLayout &inForce)
        : QObject(&dialog), f(fields), m_paper(inForce.pageSize()), m_margins{inForce.margins().left(), inForce.margins().top(), inForce.margins().right(), inForce.margins().bottom()},
          m_marginUnit(inForce.units())
    {
        QObject::disconnect(f.units, &QComboBox::activated, f.panel, nullptr);
        connect(f.units, &QComboBox::activated, this, [this] { run("unitChanged"); });
        for (QRadioButton *turn : {f.portrait, f.landscape}) {
            QObject::disconnect(turn, &QRadioButton::clicked, f.panel, nullptr);
            connect(turn, &QRadioButton::clicked, this, [this] { run("pageOrientationChanged"); });
        }
        QObject::disconnect(f.sizes, &QComboBox::currentIndexChanged, f.panel, nullptr);
        connect(f.sizes, &QComboBox::currentIndexChanged, this, [this] {
            if (m_quiet)
                return;  // the panel showing its own paper
            // A standard paper chosen is the paper; Custom starts from the paper before it.
            if (!f.customChosen())
                m_paper = f.sizes->currentData().value<QPageSize>();
            run("pageSizeChanged");
        });
        for (QDoubleSpinBox *side : {f.width, f.height}) {
            QObject::disconnect(side, &QDoubleSpinBox::valueChanged, f.panel, nullptr);
            connect(side, &QDoubleSpinBox::valueChanged, this, [this, side] {
                if (!m_quiet)
                    sideTyped(side);
            });
        }
        for (int i = 0; i < 4; ++i)  // after the panel's own handler, which follows the field
            connect(f.margins[i], &QDoubleSpinBox::valueChanged, this, [this, i](double typed) {
                if (!m_quiet)
                    marginTyped(i, typed);
            });
        // Opened on a paper of the user's own size, the panel shows its list's first size.
        if (m_paper.isValid() && m_paper.id() == QPageSize::Custom) {
            const bool was = std::exchange(m_quiet, true);
            f.sizes->setCurrentIndex(f.custom);
            m_quiet = was;
            showHeld();
            run("pageSizeChanged");  // its layout and preview made of the fields
        } else {
            showHeld();
        }
    }

    // After OK: the printer's paper and margins are the ones held, in the orientation and unit
    // the panel was left in (the unit it opens in next time).
    void keep(QPrinter &printer) const
    {
        if (!m_paper.isValid())
            return;
        const QPageLayout made = printer.pageLayout();
        const Unit unit = made.units();
        const Margins held = marginsIn(unit);
        const QMarginsF margins(held[0], held[1], held[2], held[3]);
        QPageLayout kept(m_paper, made.orientation(), margins, unit, made.minimumMargins());
        kept.setMode(made.mode());
        if (!printer.setPageLayout(kept)) {
            printer.setPageSize(m_paper);
            printer.setPageMargins(margins, unit);
        }
    }

private:
    using Margins = std::array<double, 4>;  // left, top, right, bottom, as the fields

    bool landscape() const { return f.landscape->isChecked(); }
    // The held paper, upright, and margins in `unit`, converted unrounded.
    QSizeF paperIn(Unit unit) const { return converted(m_paper.definitionSize(), Unit(m_paper.definitionUnits()), unit); }
    Margins marginsIn(Unit unit) const
    {
        Margins margins = m_margins;
        for (double &margin : margins)
            margin = converted(margin, m_marginUnit, unit);
        return margins;
    }

    // One of the panel's handlers, then what the user set shown again.
    void run(const char *handler)
    {
        const bool was = std::exchange(m_quiet, true);
        QMetaObject::invokeMethod(f.panel, handler, Qt::DirectConnection);
        m_quiet = was;
        showHeld();
    }

    // The held paper (turned for landscape) and margins in the fields, in the unit they show.
    void showHeld()
    {
        const bool was = std::exchange(m_quiet, true);
        const Unit unit = f.unit();
        if (f.customChosen() && m_paper.isValid()) {
            QSizeF size = paperIn(unit);
            if (landscape())
                size.transpose();
            f.width->setValue(size.width());
            f.height->setValue(size.height());
        }
        const Margins margins = marginsIn(unit);
        for (int i = 0; i < 4; ++i)
            f.margins[i]->setValue(margins[i]);  // the panel's layout follows
        m_quiet = was;
    }

    // A side typed: the paper is remade in the unit it was typed in, the other side converted
    // unrounded.
    void sideTyped(QDoubleSpinBox *side)
    {
        const Unit unit = f.unit();
        const double typed = side->value();
        if (!sideTakes(typed, unit) || !m_paper.isValid()) {  // stepped down to 0 by its arrows
            showHeld();
            return sayRefused(side == f.width);
        }
        QSizeF size = paperIn(unit);
        if ((side == f.width) != landscape())
            size.setWidth(typed);
        else
            size.setHeight(typed);
        m_paper = QPageSize(size, QPageSize::Unit(unit), QString(), QPageSize::ExactMatch);
        run("pageSizeChanged");
    }

    // A margin typed: all four are held in the unit it was typed in.
    void marginTyped(int index, double typed)
    {
        const Unit unit = f.unit();
        m_margins = marginsIn(unit);
        m_margins[index] = typed;
        m_marginUnit = unit;
    }

    PanelFields f;
    QPageSize m_paper;
    Margins m_margins;
    Unit m_marginUnit;
    bool m_quiet = false;  // the fields being written by the panel or by show()
};

}  // namespace

bool PaperFields::customChosen() const { return sizes->currentIndex() == custom; }

QPageLayout::Unit PaperFields::unit() const { return units->currentData().value<QPageLayout::Unit>(); }

std::optional<PaperFields> Find_Paper_Fields(const QWidget &panel)
{
    const auto field = [&](const char *name) { return panel.findChild<QDoubleSpinBox *>(QLatin1String(name)); };
    PaperFields f{panel.findChild<QComboBox *>(QStringLiteral("pageSizeCombo")), panel.findChild<QComboBox *>(QStringLiteral("unitCombo")),
                  field("pageWidth"), field("pageHeight"), -1};
    if (!f.sizes || !f.units || !f.width || !f.height || !f.units->currentData().canConvert<QPageLayout::Unit>())
        return std::nullopt;
    for (int i = 0; i < f.sizes->count(); ++i)
        if (!f.sizes->itemData(i).isValid())
            f.custom = i;
    if (f.custom < 0)
        return std::nullopt;
    return f;
}

int Run_Page_Setup(QPrinter &printer, QWidget *parent, const QString &runName)
{
    QPageSetupDialog dialog(&printer, parent);
    // Its sizes and margins show and read their numbers as every field of ours does, and are
    // read when they are left: read at each key, a size was remade and written back mid-typing.
    Hold_To_Number_Rule(dialog);
    for (QDoubleSpinBox *field : dialog.findChildren<QDoubleSpinBox *>())
        field->setKeyboardTracking(false);
    std::unique_ptr<SideGuard> guard;
    TypedPaper *typed = nullptr;
    if (const std::optional<PaperFields> paper = Find_Paper_Fields(dialog)) {
        guard = std::make_unique<SideGuard>(dialog, paper->width, paper->height, paper->units);
        if (const std::optional<PanelFields> fields = panelFields(dialog, *paper))
            typed = new TypedPaper(dialog, *fields, printer.pageLayout());
    }
    const int answer = platform::ui().runModal(runName, QString(), [&] { return dialog.exec(); });
    if (answer == QDialog::Accepted && typed)
        typed->keep(printer);
    return answer;
}

QSizeF Paper_Size_MM(const QPageLayout &layout) { return layout.fullRect(QPageLayout::Millimeter).size(); }
