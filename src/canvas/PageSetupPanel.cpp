#include "canvas/PageSetupPanel.h"

#include "canvas/WidgetUtilities.h"
#include "platform/UiServices.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QSignalBlocker>
#include <cmath>
#include <memory>
#include <optional>
#include <utility>

namespace {

// The panel's paper fields, found by their names; a panel without them is left as it is.
struct PaperFields {
    QComboBox *sizes, *units;
    QDoubleSpinBox *width, *height;
    int custom;  // the one entry of the size list that carries no standard size

    bool customChosen() const { return sizes->currentIndex() == custom; }
    QPageSize::Unit unit() const { return QPageSize::Unit(units->currentData().value<QPageLayout::Unit>()); }
};

std::optional<PaperFields> paperFields(QPageSetupDialog &dialog)
{
    auto *sizes = dialog.findChild<QComboBox *>(QStringLiteral("pageSizeCombo"));
    auto *units = dialog.findChild<QComboBox *>(QStringLiteral("unitCombo"));
    auto *width = dialog.findChild<QDoubleSpinBox *>(QStringLiteral("pageWidth"));
    auto *height = dialog.findChild<QDoubleSpinBox *>(QStringLiteral("pageHeight"));
    if (!sizes || !units || !width || !height || !units->currentData().canConvert<QPageLayout::Unit>())
        return std::nullopt;
    int custom = -1;
    for (int i = 0; i < sizes->count(); ++i)
        if (!sizes->itemData(i).isValid())
            custom = i;
    if (custom < 0)
        return std::nullopt;
    return PaperFields{sizes, units, width, height, custom};
}

// The panel makes a paper of the fields as soon as one of them has a new number, matches it to a
// standard size near it and writes that size back into both fields. Its handler is run here
// instead, between noting the numbers the fields show and putting them back, so its layout and
// preview follow the fields while the fields keep what the user left in them; OK then makes
// them the paper (Keep_Typed_Paper). A panel without that handler is left as it is.
void Show_Typed_Size(QPageSetupDialog &dialog, const PaperFields &fields)
{
    QObject *panel = nullptr;
    for (QObject *child : dialog.findChildren<QObject *>())
        if (child->metaObject()->indexOfSlot("pageSizeChanged()") >= 0)
            panel = child;
    if (!panel)
        return;
    auto remaking = std::make_shared<bool>(false);
    for (QDoubleSpinBox *field : {fields.width, fields.height}) {
        QObject::disconnect(field, &QDoubleSpinBox::valueChanged, panel, nullptr);
        QObject::connect(field, &QDoubleSpinBox::valueChanged, panel, [panel, fields, remaking] {
            if (*remaking)
                return;  // the panel writing its own size
            const double width = fields.width->value(), height = fields.height->value();
            *remaking = true;
            QMetaObject::invokeMethod(panel, "pageSizeChanged", Qt::DirectConnection);
            *remaking = false;
            if (!fields.customChosen())
                return;
            for (auto [field, shown] : {std::pair(fields.width, width), std::pair(fields.height, height)}) {
                const QSignalBlocker quiet(field);
                field->setValue(shown);
            }
        });
    }
}

// Chooses the panel's "Custom" entry with the paper's own size.
void Keep_Custom_Paper(const PaperFields &fields, const QPageLayout &layout)
{
    if (layout.pageSize().id() != QPageSize::Custom || !layout.pageSize().isValid())
        return;
    QSizeF size = layout.pageSize().size(fields.unit());
    if (layout.orientation() == QPageLayout::Landscape)
        size.transpose();
    fields.sizes->setCurrentIndex(fields.custom);
    fields.width->setValue(size.width());
    fields.height->setValue(size.height());
}

// After OK: a custom paper is the size its fields show, not the standard size the panel matched.
// The fields hold a side only to two places of their unit (100.5 mm is 3.96 in): a side they
// still show is kept to the last place, as it was in force before the panel opened (the panel
// remade its paper of the rounded numbers as it opened, so an OK with nothing changed moved the
// paper, and a card made of it, each time), else as the panel made it of a size typed before
// its unit was changed; only a side typed anew is taken from its field.
void Keep_Typed_Paper(const PaperFields &fields, QPrinter &printer, const QPageSize &inForce)
{
    if (!fields.customChosen())
        return;
    QSizeF typed(fields.width->value(), fields.height->value());
    if (printer.pageLayout().orientation() == QPageLayout::Landscape)
        typed.transpose();
    const double half = std::pow(10.0, -fields.width->decimals()) / 2;
    const auto shows = [&](const QPageSize &paper) {
        const QSizeF size = paper.isValid() ? paper.size(fields.unit()) : QSizeF();
        return std::pair(std::abs(typed.width() - size.width()) < half, std::abs(typed.height() - size.height()) < half);
    };
    const QPageSize made = printer.pageLayout().pageSize();
    QPageSize kept(typed, fields.unit(), QString(), QPageSize::ExactMatch);
    for (const QPageSize &base : {inForce, made}) {
        const auto [width, height] = shows(base);
        if (width && height) {
            kept = base;
        } else if (width || height) {
            // In the unit the paper was defined in, each typed side as exact as its field holds it.
            const QPageSize::Unit unit = base.definitionUnits();
            const QSizeF retyped = QPageSize(typed * 1000, fields.unit(), {}, QPageSize::ExactMatch).size(unit) / 1000;
            const QSizeF exact = base.definitionSize();
            kept = QPageSize(QSizeF(width ? exact.width() : retyped.width(), height ? exact.height() : retyped.height()),
                             unit, QString(), QPageSize::ExactMatch);
        } else {
            continue;
        }
        break;
    }
    if (kept.isValid() && kept != made)
        printer.setPageSize(kept);
}

}  // namespace

int Run_Page_Setup(QPrinter &printer, QWidget *parent, const QString &runName)
{
    QPageSetupDialog dialog(&printer, parent);
    // Its sizes and margins show and read their numbers as every field of ours does, and are
    // read when they are left: read at each key, a size was remade and written back mid-typing.
    Hold_To_Number_Rule(dialog);
    for (QDoubleSpinBox *field : dialog.findChildren<QDoubleSpinBox *>())
        field->setKeyboardTracking(false);
    const std::optional<PaperFields> fields = paperFields(dialog);
    const QPageSize inForce = printer.pageLayout().pageSize();
    if (fields) {
        Show_Typed_Size(dialog, *fields);
        Keep_Custom_Paper(*fields, printer.pageLayout());
    }
    const int answer = platform::ui().runModal(runName, QString(), [&] { return dialog.exec(); });
    if (answer == QDialog::Accepted && fields)
        Keep_Typed_Paper(*fields, printer, inForce);
    return answer;
}

QSizeF Paper_Size_MM(const QPageLayout &layout) { return layout.fullRect(QPageLayout::Millimeter).size(); }
