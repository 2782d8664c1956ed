#pragma once
// Codabar. A value carries its start and stop characters (A to D, either case) at both ends,
// or none at all, in which case A is drawn at both ends.

#include "barcode/NKDBarcode.h"

namespace barcode {

class NKDCodabarBarcode : public NKDBarcode {
public:
    explicit NKDCodabarBarcode(const QString &value, bool printsCaption = true);
    std::unique_ptr<NKDBarcode> clone() const override;

    QString _encodeChar(char c) const override;
    // The characters' patterns, with one narrow space between consecutive characters.
    QString barcode() const override;
    bool isContentValid() const override;
    // The characters drawn: the content, with start and stop added when it has none; "" when
    // the content has a start or stop character anywhere but at both ends.
    QString symbolText() const;
};

}  // namespace barcode
