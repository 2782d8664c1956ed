#pragma once
// The Plessey family. "Modified Plessey" is MSI: decimal digits, four bits each with the most
// significant first, and the modulo-10 check digit. "Modified Plessey (Hex)" is UK Plessey:
// hexadecimal digits, four bits each with the least significant first, closed by an 8-bit CRC.

#include "barcode/NKDBarcode.h"

#include <cstdint>

namespace barcode {

class NKDModifiedPlesseyBarcode : public NKDBarcode {
public:
    // The value is taken in upper case; the check digit follows it.
    explicit NKDModifiedPlesseyBarcode(const QString &value, bool printsCaption = true);
    std::unique_ptr<NKDBarcode> clone() const override;

    QString initiator() const override { return QStringLiteral("110"); }
    QString terminator() const override { return QStringLiteral("1001"); }
    // Bits of a decimal digit, most significant first: "110" for 1, "100" for 0.
    QString _encodeChar(char c) const override;
    bool isContentValid() const override;
    // The modulo-10 check digit, computed digit by digit whatever the length.
    void generateChecksum() override;

protected:
    struct Hex {};
    NKDModifiedPlesseyBarcode(const QString &value, bool printsCaption, Hex);
};

class NKDModifiedPlesseyHexBarcode : public NKDModifiedPlesseyBarcode {
public:
    explicit NKDModifiedPlesseyHexBarcode(const QString &value, bool printsCaption = true);
    std::unique_ptr<NKDBarcode> clone() const override;

    QString initiator() const override { return QStringLiteral("1110111010001110"); }
    QString terminator() const override { return QStringLiteral("1110001000101110111"); }
    // Bits of a hexadecimal digit, least significant first: "1110" for 1, "1000" for 0.
    QString _encodeChar(char c) const override;
    // The digits, then the eight CRC bits.
    QString barcode() const override;
    // The CRC closes the symbol; there is no check character.
    void generateChecksum() override {}

    // The CRC (x^8 + x^7 + x^6 + x^5 + x^3 + 1) of the digits' bits, first check bit in bit 7.
    static std::uint8_t Plessey_CRC(const QString &hexDigits);
};

}  // namespace barcode
