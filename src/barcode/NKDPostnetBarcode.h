#pragma once
// POSTNET and PLANET: bars of one width and spacing, a digit told by which of its five bars
// are full (0.125 inch) and which half (0.05 inch) high.

#include "barcode/NKDBarcode.h"

namespace barcode {

class NKDPostnetBarcode : public NKDBarcode {
public:
    explicit NKDPostnetBarcode(const QString &value, bool printsCaption = true);
    std::unique_ptr<NKDBarcode> clone() const override;

    QString initiator() const override { return QStringLiteral("100"); }
    QString terminator() const override { return QStringLiteral("1"); }
    // Five bars, each followed by a two-module space.
    QString _encodeChar(char c) const override;
    // Digits only, of one of the symbology's lengths.
    bool isContentValid() const override;
    // The digit that makes the sum of all digits a multiple of 10.
    void generateChecksum() override;
    // Frame bars are full; every other bar is its digit's bar height.
    float barTop(int i) const override;

    // Height in inches of bar (1-5) of the digit at that index (the check digit past the
    // content); 0 for a character that is not a digit.
    virtual float _heightForDigit(int digitIndex, int bar) const;

protected:
    virtual bool validLength(qsizetype length) const;
};

class NKDPlanetBarcode : public NKDPostnetBarcode {
public:
    explicit NKDPlanetBarcode(const QString &value, bool printsCaption = true);
    std::unique_ptr<NKDBarcode> clone() const override;
    // Full and half exchanged.
    float _heightForDigit(int digitIndex, int bar) const override;

protected:
    bool validLength(qsizetype length) const override;
};

}  // namespace barcode
