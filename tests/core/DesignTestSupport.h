#pragma once
// Designs for the design-file tests: controls of every kind and card blocks with each stored
// field away from its default (values the file keeps exactly: two decimals, 8-bit colours,
// installed fonts), and field-by-field comparisons written independently of the file layout.

#include "core/DesignData.h"

#include <memory>

namespace designtest {

// A control of the kind; `seed` varies every value so that two controls never agree.
std::shared_ptr<SKTGraphic> storedControl(SKTGraphicKind kind, int seed);
// A card side with every one of its 34 stored values set (image fill, so the picture path stays).
Card_Property storedCard(int seed);
// Both sides with every kind, a bound table and profile-field columns.
DesignData fullDesign();
// `count` controls cycling through the kinds on each side.
DesignData largeDesign(int count);

// The bytes of a file; empty when it cannot be read.
QByteArray fileBytes(const QString &path);

// Expects every value the design file stores to be equal.
void expectSameStoredFields(const SKTGraphic &expected, const SKTGraphic &actual);
void expectSameCard(const Card_Property &expected, const Card_Property &actual);

inline const SKTGraphicKind kAllKinds[] = {SKTGraphicKind::Line, SKTGraphicKind::Text, SKTGraphicKind::Shape,
                                           SKTGraphicKind::Image, SKTGraphicKind::Barcode, SKTGraphicKind::Signature};

}  // namespace designtest
