#include "data/batch/BatchEngine.h"

#include "core/ControlArchive.h"
#include "core/CoreHub.h"
#include "core/SKTBarcode.h"
#include "core/SKTDocument.h"
#include "core/SKTImage.h"
#include "core/SKTRenderingView.h"
#include "core/Utilities.h"

#include <exception>

void BatchProblems::Add_Problem_Row(int row)
{
    std::lock_guard lock(m_mutex);
    m_rows.insert(row);
}

int BatchProblems::count() const
{
    std::lock_guard lock(m_mutex);
    return int(m_rows.size());
}

std::vector<int> BatchProblems::rows() const
{
    std::lock_guard lock(m_mutex);
    return {m_rows.begin(), m_rows.end()};
}

namespace {

// Rebuilds a barcode for the value; false when the symbology refused it.
bool assignBarcode(SKTGraphic &g, const QString &value)
{
    auto *barcode = dynamic_cast<SKTBarcode *>(&g);
    if (value.isEmpty()) {
        g.Set_Barcode_image(QImage());
        if (barcode) {
            barcode->_barcode_value.clear();
            barcode->barcode_image_var_assign();
        }
        return true;
    }
    // A control made before its bounds were recorded keeps the centre it has now.
    const QRectF frame = g.bar_image_ctrl_bounds.isNull() ? g.bounds() : g.bar_image_ctrl_bounds;
    BarcodeImageProvider *provider = barcodeImageProvider();
    if (!provider || !provider->Build_Barcode_Image(g, value)) {
        // Without a picture of this row the card carries no barcode, never the row before's.
        g._barcode_image = QImage();
        if (barcode) {
            barcode->_barcode_value.clear();
            barcode->barcode_image_var_assign();
        }
        return false;
    }
    // The symbol grows and shrinks with its value about the centre it was designed at.
    const float halfWidth = float(g.width()) / 2.0f, halfHeight = float(g.height()) / 2.0f;
    g.setXPosition(frame.x() + 0.5 * frame.width() - halfWidth);
    g.setYPosition(frame.y() + 0.5 * frame.height() - halfHeight);
    return true;
}

}  // namespace

bool Assign_Batch_Values_To_Control(const SKTGraphicList &controls, const BatchSource &source, int row)
{
    bool allBuilt = true;
    try {
        for (SKTGraphic *g : controls) {
            if (!g || g->print_object == 1)
                continue;
            const SKTGraphicKind kind = g->kind();
            if (kind != SKTGraphicKind::Text && kind != SKTGraphicKind::Image && kind != SKTGraphicKind::Barcode)
                continue;
            QString value;
            bool seriesMissing = false;
            if (g->data_source_type == Batch_Source_Series && source.Use_Data_Sheet_Values) {
                if (g->batch_list_index == -1)
                    continue;
                g->batch_list_index = source.Get_Data_SetIndex_According_Name(g->batch_list_name);
                seriesMissing = g->batch_list_index == -1;
                value = Trim_Str(source.Get_sel_row_col_value_of_dataset(row, g->batch_list_index));
            } else if (g->data_source_type == Batch_Source_Sheet && source.Use_Excel_Binding_Values) {
                if (g->excel_col_indx == -1)
                    continue;
                value = Trim_Str(source.Get_sel_row_col_value_of_Excel(row, g->excel_col_indx));
            } else {
                continue;
            }
            if (kind == SKTGraphicKind::Text) {
                g->Set_text_value(value);
            } else if (kind == SKTGraphicKind::Image) {
                if (auto *image = dynamic_cast<SKTImage *>(g))
                    image->setFilePath(value, false);
            } else {
                // A barcode whose series was deleted keeps showing its own data.
                if (seriesMissing && value.isEmpty())
                    value = g->linear_or_2d != 0 ? g->two_d_font_val : g->linear_font_val;
                allBuilt = assignBarcode(*g, value) && allBuilt;
            }
        }
    } catch (const std::exception &e) {
        Show_NSLog_Message(QStringLiteral("Batch row %1 not filled: %2").arg(row).arg(QString::fromUtf8(e.what())));
    }
    return allBuilt;
}

CardSide Fill_Side_For_Row(const CardSide &side, const BatchSource &source, int row, BatchProblems *problems)
{
    CardSide filled = side;
    if (!Assign_Batch_Values_To_Control(filled.list(), source, row) && problems)
        problems->Add_Problem_Row(row);
    return filled;
}

QImage Generate_Batch_Image_For_Differ_Value(const CardSide &side, const BatchRender &render)
{
    const QImage image = SKTRenderingView::image_From_Card_Graphics(side, render.dpi);
    if (image.isNull() || render.mirror < 0)
        return image;
    return image.mirrored(render.mirror == 0, render.mirror == 1);
}

BatchDesign BatchDesign::Take(const SKTDocument &document, const Card_Property &frontCard,
                              const Card_Property &backCard, bool twoSided, const PackedRows &excelRows)
{
    BatchDesign design;
    design.front = CardSide::copyOf(frontCard, document.graphicsOfSide(0));
    design.back = CardSide::copyOf(backCard, document.graphicsOfSide(1));
    design.source = Check_Series_Or_Excel_Use_or_not(design.front.list(), design.back.list(), twoSided, excelRows);
    return design;
}

const CardSide &BatchDesign::sideOf(const QString &side) const
{
    return side == QLatin1String("F") ? front : back;
}

CardSide BatchDesign::Fill_Side_For_Row(const QString &side, int row, BatchProblems *problems) const
{
    return ::Fill_Side_For_Row(sideOf(side), source, row, problems);
}

QImage BatchDesign::Set_data_table_value_to_card(int row, const QString &side, bool, const BatchRender &render,
                                                 BatchProblems *problems) const
{
    return Generate_Batch_Image_For_Differ_Value(Fill_Side_For_Row(side, row, problems), render);
}

DesignBackup Create_Design_Backup_Array(const SKTDocument &document)
{
    DesignBackup backup;
    for (const SKTGraphicPtr &g : document.graphicsOfSide(0))
        backup.front.append(Archive_Graphic(*g));
    for (const SKTGraphicPtr &g : document.graphicsOfSide(1))
        backup.back.append(Archive_Graphic(*g));
    return backup;
}

bool Create_Card_Design_Again(SKTDocument &document, const DesignBackup &backup)
{
    bool rebuilt = false;
    for (int side : {0, 1}) {
        const QList<QByteArray> &archives = side == 0 ? backup.front : backup.back;
        QList<QByteArray> live;
        for (const SKTGraphicPtr &g : document.graphicsOfSide(side))
            live.append(Archive_Graphic(*g));
        if (live == archives)
            continue;
        SKTGraphicArray restored;
        std::vector<int> indexes;
        for (const QByteArray &archive : archives) {
            SKTGraphicPtr g = Unarchive_Graphic(archive);
            if (!g)
                continue;
            check_barcode_and_set_control_bounds(g.get());
            indexes.push_back(int(restored.size()));
            restored.push_back(std::move(g));
        }
        document.Enable_Disable_Undo_Registraion(false);
        document.removeAllGraphicsOnSide(side);
        document.insertGraphicsOnSide(side, restored, indexes);
        document.Enable_Disable_Undo_Registraion(true);
        rebuilt = true;
    }
    if (rebuilt)
        coreHub().Refresh_Canvas();
    return rebuilt;
}

void Batch_Runner_Log(const QString &text) { Show_NSLog_Message(QStringLiteral("Batch row failed: %1").arg(text)); }
