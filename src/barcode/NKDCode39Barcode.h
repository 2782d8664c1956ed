#pragma once
// Code 39 and its full-ASCII form. Narrow elements are one module, wide elements two, and one
// narrow space separates characters. No check character is drawn.

#include "barcode/NKDBarcode.h"

namespace barcode {

class NKDCode39Barcode : public NKDBarcode {
public:
    // The value is taken in upper case.
    explicit NKDCode39Barcode(const QString &value, bool printsCaption = true);
    std::unique_ptr<NKDBarcode> clone() const override;

    QString initiator() const override;
    QString terminator() const override;
    // The pattern of one Code 39 character ("*" included, for the start and stop); nothing for
    // a character Code 39 does not have.
    QString _encodeChar(char c) const override;
    QString barcode() const override;
    // Every character is one of the 43 data characters; "*" is only the start and stop.
    bool isContentValid() const override;
    // The modulo-43 check character.
    void generateChecksum() override;

    // The Code 39 characters drawn for the content.
    virtual QString code39Text() const;
    // Value 0-42 of a Code 39 data character in the check computation, -1 for others.
    static int Code39_Value(char c);

protected:
    struct KeepCase {};
    NKDCode39Barcode(const QString &value, bool printsCaption, KeepCase);
    static QString patternOf(char c);
};

class NKDExtendedCode39Barcode : public NKDCode39Barcode {
public:
    // The value keeps its letter case.
    explicit NKDExtendedCode39Barcode(const QString &value, bool printsCaption = true);
    std::unique_ptr<NKDBarcode> clone() const override;

    // The patterns of the character's full-ASCII form (one or two Code 39 characters).
    QString _encodeChar(char c) const override;
    bool isContentValid() const override;
    QString code39Text() const override;

    // The Code 39 characters that stand for an ASCII character, "" for one the full-ASCII
    // form does not carry.
    static QString Full_ASCII_Form(char c);
};

}  // namespace barcode
