#pragma once
// Everything a barcode control stores about how its symbol is made. Every render takes one of
// these whole, so a batch render can never pick up another barcode's settings.

#include <QColor>
#include <QFont>
#include <QString>

namespace barcode {

struct BarcodeSetup {
    int linear_or_2d = 0;          // 0 linear or postal, 1 two-dimensional
    int barcode_font_index = 0;    // index in the symbology list of that pane
    QString linear_font_val = QStringLiteral("0123");
    QString two_d_font_val = QStringLiteral("0123");
    QString header_val = QStringLiteral("HEADER");
    QString footer_val = QStringLiteral("FOOTER");
    int show_hide_hdr = 0;         // 1 hides the header
    int show_hide_ftr = 0;         // 1 hides the footer
    int show_hide_val = 0;         // 1 hides the human-readable value
    int show_val_on_top = 0;       // 1 prints the value above the bars
    int align_hdr_index = 1;
    int align_ftr_index = 1;
    double linear_height_val = 6.0;   // bar height, millimetres
    double linear_width_val = 20.0;   // narrow bar width, mils
    int qr_size_val = 60;
    int qr_version_index = 0;      // 0 automatic, 1..40
    int qr_ec_index = 0;           // L, M, Q, H
    int pdf_hgt_val = 20;
    int pdf_wdt_val = 100;
    int pdf_ec_val = 2;
    int dm_module_val = 2;
    int dm_format_index = 0;       // 0 automatic, then the fixed sizes
    int dm_encoding_index = 0;     // 0 automatic, 1 ASCII, 2 C40, 3 Text, 4 Base256
    double hdr_margin_val = 1.0;   // millimetres
    double ftr_margin_val = 1.0;
    double val_margin_val = 1.0;
    double TB_marging_val = 1.0;
    double LR_margin_val = 1.0;
    QFont value_font_val;          // callers set these to Text_Ctrl_Font at 10 pt
    QFont header_font_val;
    QFont footer_font_val;
    QColor barcode_hdr_clr_val = Qt::black;
    QColor barcode_ftr_clr_val = Qt::black;
    QColor barcode_val_clr_val = Qt::black;
    QColor barcode_back_clr_val = Qt::white;
    QColor barcode_clr_val = Qt::black;
    int dpi_val_index = 0;
    QString dpi_custom_val = QStringLiteral("0");
    int barcode_unit_val = 1;
    bool transparent_background = false;  // the control's fill flag, for a barcode
    int kerning_value = 0;         // the window's kerning box (1: the value is drawn without
                                   // letter spacing)

    bool operator==(const BarcodeSetup &) const = default;
};

}  // namespace barcode
