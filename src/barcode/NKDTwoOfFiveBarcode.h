#pragma once
// Interleaved 2 of 5 (digits in pairs, the first in the bars and the second in the spaces,
// wide elements three modules) and Industrial 2 of 5 (every digit in five bars, each followed
// by a narrow space, with start and stop of its own).

#include "barcode/NKDBarcode.h"

namespace barcode {

class NKDInterleavedTwoOfFiveBarcode : public NKDBarcode {
public:
    explicit NKDInterleavedTwoOfFiveBarcode(const QString &value, bool printsCaption = true);
    std::unique_ptr<NKDBarcode> clone() const override;

    QString initiator() const override { return QStringLiteral("1010"); }
    QString terminator() const override { return QStringLiteral("11101"); }
    // An odd number of digits gets a leading "0".
    QString barcode() const override;
    // Digits only, at least one.
    bool isContentValid() const override;
    void generateChecksum() override;

    // YES when element (0-4) of the digit is narrow.
    static bool _getBarForDigit(char digit, int element);

protected:
    // The digits drawn: the content followed by the check digit when one is set.
    QString digitsToDraw() const;
};

class NKDIndustrialTwoOfFiveBarcode : public NKDInterleavedTwoOfFiveBarcode {
public:
    explicit NKDIndustrialTwoOfFiveBarcode(const QString &value, bool printsCaption = true);
    std::unique_ptr<NKDBarcode> clone() const override;

    // Bars wide, wide, narrow and bars wide, narrow, wide.
    QString initiator() const override { return QStringLiteral("1110111010"); }
    QString terminator() const override { return QStringLiteral("111010111"); }
    QString barcode() const override;
};

}  // namespace barcode
