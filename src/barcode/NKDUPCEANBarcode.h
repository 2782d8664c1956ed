#pragma once
// The UPC/EAN family: EAN-13, EAN-8, UPC-A and UPC-E. A value is taken without its check
// digit (which is then computed) or with it (which is then verified).

#include "barcode/NKDBarcode.h"

#include <functional>

namespace barcode {

class NKDAbstractUPCEANBarcode : public NKDBarcode {
public:
    // Left-hand odd-parity (L) pattern of a digit; nothing for anything else.
    QString _encodeChar(char c) const override;
    QString initiator() const override { return QStringLiteral("101"); }
    QString terminator() const override { return QStringLiteral("101"); }
    // Modules x bar width x 1.2: a tenth of the width is quiet zone on each side.
    void calculateWidth() override;
    float firstBar() const override { return m_width * 0.1f; }
    float lastBar() const override { return m_width * 0.9f - m_barWidth; }
    void generateChecksum() override;
    // All digits, the symbology's length, and a check digit that was given must be the right one.
    bool isContentValid() const override;

    int digitsToLeft() const override { return 1; }
    int digitsToRight() const override { return 1; }
    QString rightCaption() const override;
    // Guard bars reach down beside the printed value; every other bar starts on the base line.
    float barBottom(int i) const override;
    bool printsDigitGroups() const override { return true; }
    // The runs of modules between the tall bars.
    std::vector<std::pair<int, int>> digitGroupModules() const override;

    // The modulo-10 check digit (as an ASCII digit) of a string of digits: from the rightmost
    // digit leftwards the weights are 3, 1, 3, ...
    static char Check_Digit_For(const QString &digits);
    // R (right-hand) and G (even parity) patterns from an L pattern.
    static QString swapHandedness(const QString &pattern);
    static QString swapParity(const QString &pattern);

protected:
    // dataLength: the number of digits the symbol holds without its check digit.
    NKDAbstractUPCEANBarcode(const QString &value, bool printsCaption, int dataLength);
    // Takes the value: the data digits alone, or followed by their check digit.
    void takeValue(const QString &value);
    virtual bool isGuardModule(int i) const = 0;
    QString digitPattern(int index, char parity) const;  // parity 'L', 'R' or 'G'
    // Digits first to middle - 1 with their left-hand parity, the centre guard, digits middle
    // to last in R, then the check digit in R.
    QString twoHalves(int first, int middle, int last, const std::function<char(int)> &leftParity) const;
    static bool allDigits(const QString &text);

    int m_dataLength;
    signed char m_givenCheck = -1;  // the check digit that came with the value
};

class NKDEAN13Barcode : public NKDAbstractUPCEANBarcode {
public:
    explicit NKDEAN13Barcode(const QString &value, bool printsCaption = true);
    std::unique_ptr<NKDBarcode> clone() const override;
    QString barcode() const override;
    int digitsToRight() const override { return 0; }
    QString rightCaption() const override { return QString(); }
    QString caption() const override;
    // YES (G) when the digit at index (1-6) of an EAN-13 takes even parity under this system digit.
    static bool _parityForSystemDigit(char systemDigit, int index);

protected:
    NKDEAN13Barcode(const QString &value, bool printsCaption, int dataLength);
    bool isGuardModule(int i) const override;
};

class NKDEAN8Barcode : public NKDEAN13Barcode {
public:
    explicit NKDEAN8Barcode(const QString &value, bool printsCaption = true);
    std::unique_ptr<NKDBarcode> clone() const override;
    QString barcode() const override;
    int digitsToLeft() const override { return 0; }
    QString caption() const override;

protected:
    bool isGuardModule(int i) const override;
};

class NKDUPCABarcode : public NKDAbstractUPCEANBarcode {
public:
    explicit NKDUPCABarcode(const QString &value, bool printsCaption = true);
    std::unique_ptr<NKDBarcode> clone() const override;
    QString barcode() const override;
    QString caption() const override;

protected:
    NKDUPCABarcode(const QString &value, bool printsCaption, int dataLength);
    bool isGuardModule(int i) const override;
};

// Holds the number system ('0' or '1') and the six zero-suppressed digits; its check digit is
// the one of the UPC-A number it stands for. Takes those seven digits (optionally with the
// check digit), or a UPC-A number of 11 digits (optionally with its check digit) that zero
// suppression can represent.
class NKDUPCEBarcode : public NKDUPCABarcode {
public:
    explicit NKDUPCEBarcode(const QString &value, bool printsCaption = true);
    std::unique_ptr<NKDBarcode> clone() const override;
    QString terminator() const override { return QStringLiteral("010101"); }
    QString barcode() const override;
    QString caption() const override;
    void generateChecksum() override;
    bool isContentValid() const override;
    // YES (G) when the digit at position (1-6) takes even parity.
    bool parityForDigit(int position) const;

    // The six zero-suppressed digits of a UPC-A number (11 digits, or 12 with its check digit),
    // or "" when zero suppression cannot represent it.
    static QString UPCAToUPCE(const QString &upca);
    // The 11-digit UPC-A number (without check digit) of a number system and six digits.
    static QString UPCEToUPCA(const QString &upce);

protected:
    bool isGuardModule(int i) const override;
};

}  // namespace barcode
