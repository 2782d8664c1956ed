#pragma once
// Code 128. "Code 128" chooses the shortest encoding of the content, switching between the
// three code sets as it goes; "SET A" and "SET B" start in that set and reach characters it
// lacks through SHIFT or a change to the other of the two; "SET C" takes digits only, in
// pairs, with an odd last digit written in set B.

#include "barcode/NKDBarcode.h"

#include <vector>

namespace barcode {

class NKDCode128Barcode : public NKDBarcode {
public:
    enum CodeSet { SetA = 0, SetB = 1, SetC = 2, SetAuto = 3 };

    NKDCode128Barcode(const QString &value, bool printsCaption = true, int codeSet = SetAuto);
    std::unique_ptr<NKDBarcode> clone() const override;

    // The code set the symbol starts in (SetAuto is replaced by the chosen one).
    int codeSet() const { return m_codeSet; }

    QString initiator() const override;
    QString terminator() const override;
    // The pattern of a character in the symbol's start set (A or B), "" when it has none there.
    QString _encodeChar(char c) const override;
    // The symbols after the start, then the check symbol.
    QString barcode() const override;
    bool isContentValid() const override;
    // The check value (0-102), kept in the check digit field.
    void generateChecksum() override;

    // The 11-module pattern of a symbol value 0-105 ("" for others).
    static QString _encodeNumberPair(int value);
    // Symbol values between the start and the check symbol.
    const std::vector<int> &symbolValues() const { return m_symbols; }
    int startValue() const { return 103 + m_codeSet; }

private:
    void encode(int requestedSet);

    int m_codeSet = SetB;
    bool m_encodable = false;
    std::vector<int> m_symbols;
};

}  // namespace barcode
