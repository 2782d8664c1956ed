#pragma once
// The Royal Mail four-state customer code: digits and capital letters, four bars each, every
// bar a tracker, an ascender (tracker and upper part), a descender (tracker and lower part) or
// full height; closed by a check character.

#include "barcode/NKDBarcode.h"

#include <cstdint>

namespace barcode {

// Four 4-bit groups, the first bar in the highest; bit 1 the ascender, bit 0 the descender.
std::uint32_t royalmail_characterDescriptor(char c);
// The group of the bar that module b (0-7) of a character belongs to.
unsigned royalmail_barDescriptor(std::uint32_t descriptor, int b);
// Top and bottom of a bar, in millimetres above the symbol's base.
float royalmail_barTop(unsigned group);
float royalmail_barBottom(unsigned group);
// The four ascender (descender) bits, first bar in bit 3.
unsigned royalmail_collapseAscenders(std::uint32_t descriptor);
unsigned royalmail_collapseDescenders(std::uint32_t descriptor);

class NKDRoyalMailBarcode : public NKDBarcode {
public:
    // The value is taken in upper case.
    explicit NKDRoyalMailBarcode(const QString &value, bool printsCaption = true);
    std::unique_ptr<NKDBarcode> clone() const override;

    QString initiator() const override { return QStringLiteral("10"); }
    QString terminator() const override { return QStringLiteral("1"); }
    // Four one-module bars with one-module spaces, for a digit or capital letter.
    QString _encodeChar(char c) const override;
    bool isContentValid() const override;
    void generateChecksum() override;

    unsigned _barDescriptor(int i) const;
    float barTop(int i) const override;
    float barBottom(int i) const override;
    bool drawsFourStateBars() const override { return true; }
};

}  // namespace barcode
