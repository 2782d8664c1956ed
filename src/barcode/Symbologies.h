#pragma once
// The symbology lists of the barcode window. A barcode control stores the index of its
// symbology in the list of its pane (barcode_font_index), so the order here is part of the
// stored design files and must not change.

#include <QString>
#include <QStringList>

namespace barcode {

// Linear and postal symbologies, in the order of the linear pane ("Code 39" is 0).
const QStringList &Linear_Symbology_Names();
// Two-dimensional symbologies, in the order of the two-dimensional pane.
const QStringList &TwoD_Symbology_Names();

// The barcode window's one symbology list: the linear names, then the two-dimensional ones
// ("QR Code" is 19). A two-dimensional control stores its index in this list.
const QStringList &Barcode_Type_Names();

// The name stored at that index of the pane (linear_or_2d 0 or 1), or "" when there is none.
// A two-dimensional index counts in Barcode_Type_Names() (19 to 21); 0 to 2 of designs made
// before the window existed still name the same three symbologies.
QString Symbology_Name(int linear_or_2d, int index);
// The index of a name in the pane's list, or -1.
int Symbology_Index(int linear_or_2d, const QString &name);

// Texts of the header and footer alignment lists; align_hdr_index and align_ftr_index index
// them, and index 1 ("Center") is the default.
const QStringList &Barcode_Alignment_Names();

}  // namespace barcode
