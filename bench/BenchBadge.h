#pragma once
// The badge the batch benchmarks run rows through: a gradient card with three bound texts, a
// bound photo path and a bound QR code, filled from `rows` spreadsheet rows.

#include "BenchPictures.h"
#include "barcode/ControlBarcode.h"
#include "core/Card_Property.h"
#include "core/ControlArchive.h"
#include "core/SKTGraphic.h"
#include "data/batch/BatchEngine.h"

#include <QTemporaryDir>

struct BenchBadge {
    QTemporaryDir dir;
    Card_Property card;
    BatchDesign design;

    explicit BenchBadge(int rowCount)
    {
        barcode::Install_Control_Barcode_Provider();
        card.setCard_Size(QSizeF(243, 154));
        card.setCard_fill_chk(true);
        card.setCard_fill_style(QStringLiteral("G"));
        card.setCard_fill_Grd_1_clr(QColor(230, 240, 255));
        card.setCard_fill_Grd_2_clr(QColor(180, 200, 240));
        for (int i = 0; i < 4; ++i)
            benchPhoto(400 + i, 500).save(dir.filePath(QStringLiteral("photo%1.jpg").arg(i)));
        QList<QStringList> rows;
        for (int r = 0; r < rowCount; ++r)
            rows << QStringList{QString::number(r + 1), QStringLiteral("Visitor Number %1").arg(r),
                                QStringLiteral("Head of Department %1").arg(r % 7),
                                QStringLiteral("ID %1").arg(100000 + r),
                                dir.filePath(QStringLiteral("photo%1.jpg").arg(r % 4)),
                                QStringLiteral("https://example.org/badge/%1").arg(100000 + r)};
        std::vector<std::unique_ptr<SKTGraphic>> controls;
        auto bound = [&](const char *cls, QRectF bounds, int column) -> SKTGraphic & {
            controls.push_back(Make_Graphic_Of_Class(QString::fromLatin1(cls)));
            SKTGraphic &g = *controls.back();
            g.setBounds(bounds);
            g.Set_Data_source_type(2);
            g.Set_Excel_binding_Index(column);
            return g;
        };
        bound("SKTText", QRectF(100, 20, 135, 24), 1).text_ctrl_font = QFont(QStringLiteral("DejaVu Sans"), 14);
        bound("SKTText", QRectF(100, 48, 135, 30), 2).text_ctrl_font = QFont(QStringLiteral("DejaVu Sans"), 9);
        bound("SKTText", QRectF(100, 110, 80, 16), 3).text_ctrl_font = QFont(QStringLiteral("DejaVu Sans"), 10);
        bound("SKTImage", QRectF(12, 12, 80, 100), 4);
        SKTGraphic &qr = bound("SKTBarcode", QRectF(190, 100, 50, 50), 5);
        qr.linear_or_2d = 1;
        qr.qr_size_val = 45;
        qr.Set_Barcode_image_control_bounds(qr.bounds());
        design.front = CardSide::copyOf(card, controls);
        design.source = Check_Series_Or_Excel_Use_or_not(design.front.list(), {}, false, rows);
    }
};
