#pragma once
// Controls and designs for the tests, built from the kinds' field tables: every stored field
// away from zero and its default, with values both stores keep exactly (quarters, 8-bit
// colours, installed fonts); and comparisons from the same tables.

#include "core/ControlFields.h"
#include "core/DesignData.h"

#include <memory>

namespace designtest {

// A control of the kind with every field set; `seed` varies every value.
std::shared_ptr<SKTGraphic> storedControl(SKTGraphicKind kind, int seed);
// A card side with each of its 34 stored values set (image fill, so the picture path stays).
Card_Property storedCard(int seed);
// Both sides with every kind, a bound table and profile-field columns.
DesignData fullDesign();

QByteArray fileBytes(const QString &path);

// Expects every field of the kind's table that travels by `use` to be equal.
void expectSameFields(const SKTGraphic &expected, const SKTGraphic &actual, FieldUse use);
inline void expectSameStoredFields(const SKTGraphic &expected, const SKTGraphic &actual)
{
    expectSameFields(expected, actual, InRecord);
}
// Expects the two cards to be stored alike in a design file.
void expectSameCard(const Card_Property &expected, const Card_Property &actual);

inline const SKTGraphicKind kAllKinds[] = {SKTGraphicKind::Line,    SKTGraphicKind::Text,
                                           SKTGraphicKind::Shape,   SKTGraphicKind::Image,
                                           SKTGraphicKind::Barcode, SKTGraphicKind::Signature};

}  // namespace designtest
