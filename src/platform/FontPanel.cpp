#include "platform/FontPanel.h"

#include "platform/TypedNumber.h"
#include "platform/UiServices.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QSignalBlocker>
#include <QValidator>
#include <algorithm>
#include <cmath>

namespace platform {

namespace {

constexpr double kLeastPoints = 1, kMostPoints = 512;  // the panel's own bounds

double pointsOf(const QFont &font) { return font.pointSizeF() > 0 ? font.pointSizeF() : QFontInfo(font).pointSizeF(); }

// The keys a size is typed with: digits and the point, and the marks the number rule refuses as
// a whole at OK ("10,5"): dropped key by key, they would make 105 of it.
class SizeKeys : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString &text, int &) const override
    {
        if (text.size() > 12)
            return Invalid;
        for (const QChar c : text)
            if (!c.isDigit() && c != QLatin1Char('.') && !Holds_Digit_Grouping(QString(c)))
                return Invalid;
        return Acceptable;
    }
};

// The effects box taken out, its place goes to what stood below it and to the lists: the writing
// system moves up beside the sample, the sample keeps room for a line of text, and the lists grow
// by the height the box took, so the panel keeps its size and shows more fonts where a hole was.
void giveEffectsPlaceToLists(QDialog &panel, QGroupBox &effects, QWidget *sampleBox, QListView *aList)
{
    auto *grid = qobject_cast<QGridLayout *>(panel.layout());
    const int before = panel.sizeHint().height();
    effects.hide();
    const int effectsAt = grid ? grid->indexOf(&effects) : -1, sampleAt = grid ? grid->indexOf(sampleBox) : -1,
              listAt = grid ? grid->indexOf(aList) : -1;
    if (effectsAt < 0 || sampleAt < 0 || listAt < 0)
        return;
    struct Place {
        int row, column, rows, columns;
    };
    const auto placeOf = [grid](int index) {
        Place p;
        grid->getItemPosition(index, &p.row, &p.column, &p.rows, &p.columns);
        return p;
    };
    const Place gone = placeOf(effectsAt), sample = placeOf(sampleAt), list = placeOf(listAt);
    QList<std::pair<Place, QWidget *>> below;
    for (int i = 0; i < grid->count(); ++i) {
        const Place p = placeOf(i);
        QWidget *w = grid->itemAt(i)->widget();
        if (w && p.column == gone.column && p.row > gone.row && p.row < sample.row + sample.rows)
            below.append({p, w});
    }
    std::sort(below.begin(), below.end(), [](const auto &a, const auto &b) { return a.first.row < b.first.row; });
    int next = gone.row;
    for (const auto &[p, w] : below) {
        grid->removeWidget(w);
        grid->addWidget(w, next, p.column, p.rows, p.columns);
        next += p.rows;
    }
    // What the sample's rows hold beyond the writing system goes below it, not between its parts;
    // a panel made taller gives its height to the lists above all.
    grid->setRowStretch(sample.row + sample.rows - 1, 1);
    grid->setRowStretch(list.row, 10);
    sampleBox->setMinimumHeight(sampleBox->sizeHint().height() + 2 * panel.fontMetrics().height());
    grid->invalidate();
    const int freed = before - panel.sizeHint().height();
    int tallest = 0;
    for (int i = 0; i < grid->count(); ++i)
        if (const Place p = placeOf(i); p.row == list.row && p.rows == 1)
            tallest = std::max(tallest, grid->itemAt(i)->sizeHint().height());
    if (freed > 0)
        grid->setRowMinimumHeight(list.row, tallest + freed);
}

// Qt's panel with its fields read by Read_Font_Panel. Its parts are found by the labels that
// name them; a panel made otherwise is read as it is, an OK with nothing changed still giving
// the font it opened on.
class FontPanel : public QFontDialog {
public:
    FontPanel(const QFont &initial, QWidget *parent);
    void done(int result) override;

    std::optional<QFont> chosen;

private:
    Font_Panel_Fields fields() const;
    void keepTypedSize();
    void showSample();

    const QFont m_initial;
    QFont m_openedOnly;  // the panel's own font as it opened, for a panel whose parts were not found
    QListView *m_families = nullptr, *m_styles = nullptr;
    QLineEdit *m_size = nullptr, *m_sample = nullptr;
    Font_Panel_Fields m_opened;
    QString m_sizeText, m_sizeInForce;
};

FontPanel::FontPanel(const QFont &initial, QWidget *parent) : QFontDialog(parent), m_initial(initial)
{
    setOption(QFontDialog::DontUseNativeDialog);
    // The face the font is drawn in, by the name its family gives it: looked up by a generic
    // name ("Normal"), a face the family lacks fell back on the first one of the list.
    QFont shown = initial;
    const QFontInfo drawn(initial);
    if (QFontDatabase::styles(drawn.family()).contains(drawn.styleName())) {
        shown.setFamily(drawn.family());
        shown.setStyleName(drawn.styleName());
    }
    setCurrentFont(shown);
    m_openedOnly = currentFont();
    // Nothing in a design keeps them.
    QGroupBox *effects = nullptr;
    const QList<QCheckBox *> effectBoxes = findChildren<QCheckBox *>();
    for (QCheckBox *effect : effectBoxes) {
        effect->setChecked(false);
        if (auto *group = qobject_cast<QGroupBox *>(effect->parentWidget()))
            effects = group;
    }

    QList<QListView *> lists;
    for (QLabel *label : findChildren<QLabel *>()) {
        if (auto *list = qobject_cast<QListView *>(label->buddy()))
            lists << list;
        else if (auto *edit = qobject_cast<QLineEdit *>(label->buddy()))
            m_size = edit;
    }
    m_sample = findChild<QLineEdit *>(QStringLiteral("qt_fontDialog_sampleEdit"));
    if (effects)
        giveEffectsPlaceToLists(*this, *effects, m_sample ? m_sample->parentWidget() : nullptr, lists.value(0));
    for (QCheckBox *effect : effectBoxes)
        effect->hide();
    if (lists.size() != 2 || !m_size || !m_sample || !lists[0]->selectionModel() || !lists[1]->selectionModel()) {
        m_size = nullptr;
        return;
    }
    m_families = lists[0];
    m_styles = lists[1];

    m_size->setValidator(new SizeKeys(m_size));
    m_sizeText = m_sizeInForce = Font_Panel_Size_Text(pointsOf(initial));
    m_size->setText(m_sizeText);
    m_opened = fields();
    // The size in force: the one the panel opened on, one chosen from the size list, or one typed
    // and left; not each number on the way to what is being typed.
    connect(m_size, &QLineEdit::textChanged, this, [this](const QString &text) {
        m_sizeText = text;
        if (!m_size->isModified() && Font_Panel_Size(text))
            m_sizeInForce = text;
        showSample();
    });
    connect(m_size, &QLineEdit::editingFinished, this, [this] {
        if (Font_Panel_Size(m_sizeText))
            m_sizeInForce = m_sizeText;
    });
    // Choosing a family or face makes the panel write its own whole size into the size field.
    for (QListView *list : {m_families, m_styles})
        connect(list->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { keepTypedSize(); });
    showSample();
}

Font_Panel_Fields FontPanel::fields() const
{
    return {m_families->currentIndex().data().toString(), m_styles->currentIndex().data().toString(), m_sizeText};
}

void FontPanel::keepTypedSize()
{
    if (m_size->text() != m_sizeText) {
        const QSignalBlocker quiet(m_size);
        m_size->setText(m_sizeText);
    }
    showSample();
}

void FontPanel::showSample()
{
    if (const Font_Panel_Choice choice = Read_Font_Panel(m_initial, m_opened, fields()); choice.font)
        m_sample->setFont(*choice.font);
}

void FontPanel::done(int result)
{
    if (result == QDialog::Accepted && m_size) {
        const Font_Panel_Choice choice = Read_Font_Panel(m_initial, m_opened, fields());
        if (!choice.font) {
            ui().warning(choice.refusal);
            m_size->setText(m_sizeInForce);
            m_size->setFocus();
            m_size->selectAll();
            return;
        }
        chosen = choice.font;
    } else if (result == QDialog::Accepted) {
        chosen = currentFont() == m_openedOnly ? m_initial : currentFont();
    }
    QFontDialog::done(result);
}

}  // namespace

std::optional<double> Font_Panel_Size(const QString &typed)
{
    if (Holds_Digit_Grouping(typed))
        return std::nullopt;
    const std::optional<double> points = Typed_Number(typed);
    if (!points || *points < kLeastPoints || *points > kMostPoints)
        return std::nullopt;
    return std::round(*points * 100) / 100;
}

QString Font_Panel_Size_Text(double points)
{
    QString text = QString::number(std::round(points * 100) / 100, 'f', 2);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text;
}

Font_Panel_Choice Read_Font_Panel(const QFont &initial, const Font_Panel_Fields &opened, const Font_Panel_Fields &shown)
{
    double points = pointsOf(initial);
    if (shown.size != opened.size) {
        const std::optional<double> typed = Font_Panel_Size(shown.size);
        if (!typed)
            return {std::nullopt,
                    shown.size.trimmed().isEmpty()
                        ? QStringLiteral("Please type a font size from 1 to 512 points.")
                        : QStringLiteral("\u201C%1\u201D is no font size: type one from 1 to 512 points, with a point "
                                         "before its decimals (10.5).")
                              .arg(shown.size.trimmed())};
        points = *typed;
    }
    if (shown == opened)
        return {initial, {}};
    QFont font = initial;
    if (shown.family != opened.family || shown.style != opened.style)
        font = QFontDatabase::font(shown.family, shown.style, 12);
    font.setPointSizeF(points);
    return {font, {}};
}

std::optional<QFont> Run_Font_Panel(const QString &title, const QFont &initial, QWidget *parent)
{
    FontPanel panel(initial, parent);
    panel.setWindowTitle(title);
    const int answer = ui().runModal(QStringLiteral("QFontDialog"), title, [&] { return panel.exec(); });
    if (answer != QDialog::Accepted)
        return std::nullopt;
    return panel.chosen;
}

}  // namespace platform
