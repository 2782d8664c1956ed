#pragma once
// The Japan Post customer barcode: 20 code characters and a check character between a start
// and a stop code, each character three bars of equal width that differ in height. The value
// (postal code, address digits, hyphens and letters) becomes the 20-character code; the visible
// content keeps the digits, hyphens and letters.

#include "barcode/NKDBarcode.h"

namespace barcode {

// One 4-bit group per bar, the first bar in the highest; bit 1 the ascender, bit 0 the
// descender. Defined for the code characters "-" to "?"; 0 for others.
unsigned japanpost_characterDescriptor(char c);
// The group of the bar that module b belongs to, of a descriptor of n bars.
unsigned japanpost_barDescriptor(unsigned descriptor, int b, int n);
// Top and bottom of a bar, in millimetres, for a symbol of that point size.
float japanpost_barTop(unsigned group, float symbolSize);
float japanpost_barBottom(unsigned group, float symbolSize);

class JapanPostBarcode : public NKDBarcode {
public:
    // symbolSize: the point size the bars are proportioned by (8.0 to 11.5, else 10).
    explicit JapanPostBarcode(const QString &value, bool printsCaption = true, float symbolSize = 10.0f);
    std::unique_ptr<NKDBarcode> clone() const override;

    // Builds the code and the visible content, and the check character.
    void setContent(const QString &value) override;
    QString japanpostContents() const { return m_japanpostContents; }

    // The point size of the bars, kept within 8.5 to 11.5; the bar width is a sixth of it.
    void setSymbolSize(float size);
    float symbolSize() const { return m_symbolSize; }
    // Kept within 4/3 to 23/12 points; the point size becomes six bar widths.
    void setBarWidth(float width) override;

    QString initiator() const override { return QStringLiteral("1010"); }
    QString terminator() const override { return QStringLiteral("101"); }
    QString _encodeChar(char) const override { return QStringLiteral("101010"); }
    QString barcode() const override;
    // At least seven characters, the first seven digits (the postal code).
    bool isContentValid() const override;
    void generateChecksum() override;

    unsigned _barDescriptor(int i) const;
    float barTop(int i) const override;
    float barBottom(int i) const override;
    bool drawsFourStateBars() const override { return true; }

private:
    QString m_japanpostContents;
    float m_symbolSize = 10.0f;
};

}  // namespace barcode
