#include "barcode/Symbologies.h"

namespace barcode {

const QStringList &Linear_Symbology_Names()
{
    static const QStringList names = {
        QStringLiteral("Code 39"),
        QStringLiteral("Extended Code 39"),
        QStringLiteral("Interleaved 2 of 5"),
        QStringLiteral("UPCA"),
        QStringLiteral("PostNet"),
        QStringLiteral("Modified Plessey"),
        QStringLiteral("Modified Plessey (Hex)"),
        QStringLiteral("Industrial 2 of 5"),
        QStringLiteral("EAN-13"),
        QStringLiteral("Code 128"),
        QStringLiteral("Code 128 SET A"),
        QStringLiteral("Code 128 SET B"),
        QStringLiteral("Code 128 SET C"),
        QStringLiteral("Codabar"),
        QStringLiteral("UPCE"),
        QStringLiteral("EAN-8"),
        QStringLiteral("Royal Mail Barcode (RM4SCC / CBC)"),
        QStringLiteral("Planet"),
        QStringLiteral("Japan Post Barcode"),
    };
    return names;
}

const QStringList &TwoD_Symbology_Names()
{
    static const QStringList names = {
        QStringLiteral("QR Code"),
        QStringLiteral("PDF417"),
        QStringLiteral("DataMatrix"),
    };
    return names;
}

const QStringList &Barcode_Type_Names()
{
    static const QStringList names = Linear_Symbology_Names() + TwoD_Symbology_Names();
    return names;
}

static const QStringList &paneNames(int linear_or_2d)
{
    return linear_or_2d == 1 ? TwoD_Symbology_Names() : Linear_Symbology_Names();
}

QString Symbology_Name(int linear_or_2d, int index)
{
    if (linear_or_2d != 0 && linear_or_2d != 1)
        return QString();
    const QStringList &names = paneNames(linear_or_2d);
    if (linear_or_2d == 1 && index >= Linear_Symbology_Names().size())
        index -= int(Linear_Symbology_Names().size());
    return index >= 0 && index < names.size() ? names.at(index) : QString();
}

int Symbology_Index(int linear_or_2d, const QString &name)
{
    if (linear_or_2d != 0 && linear_or_2d != 1)
        return -1;
    return int(paneNames(linear_or_2d).indexOf(name));
}

const QStringList &Barcode_Alignment_Names()
{
    static const QStringList names = {
        QStringLiteral("Left"),
        QStringLiteral("Center"),
        QStringLiteral("Right"),
    };
    return names;
}

}  // namespace barcode
