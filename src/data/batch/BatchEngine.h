#pragma once
// One card of a run: a data row filled into a copy of a card side and rendered. The open design
// is never written: each row fills its own copy of the side value taken when the run was
// prepared, on whichever thread runs the row, so rows run on every core at once and a stopped
// or failed run leaves nothing to undo.
//
// Export, print, mail and group mode share this road:
//     BatchDesign run = BatchDesign::Take(document, frontCard, backCard, twoSided, tableRows);
//     ... on any thread, for any row:
//     QImage front = run.Set_data_table_value_to_card(row, "F", false, render, &problems);

#include "core/CardSide.h"
#include "data/batch/BatchBinding.h"

#include <QImage>
#include <QList>
#include <QStringList>
#include <mutex>
#include <set>
#include <vector>

class Card_Property;
class SKTDocument;

// The rows of a run whose barcode value its symbology refused: those cards carry no barcode.
// Shared by the threads of a run.
class BatchProblems {
public:
    void Add_Problem_Row(int row);
    int count() const;
    std::vector<int> rows() const;  // ascending

private:
    mutable std::mutex m_mutex;
    std::set<int> m_rows;
};

// Writes row `row`'s values into the controls (a side's own copies, never the open design's):
// texts take their value, images load the row's path, barcodes are rebuilt from their stored
// set-up for the value and re-centred in `bar_image_ctrl_bounds`. Controls not marked for
// printing, unbound ones and those whose source the run does not use keep their values.
// False when a barcode's value was refused (that barcode is left without a picture).
bool Assign_Batch_Values_To_Control(const SKTGraphicList &controls, const BatchSource &source, int row);

// A copy of `side` with row `row` filled in; a refused barcode puts the row into `problems`.
CardSide Fill_Side_For_Row(const CardSide &side, const BatchSource &source, int row, BatchProblems *problems = nullptr);

// How a filled side becomes an image.
struct BatchRender {
    double dpi = 72.0;
    int mirror = -1;  // -1 none, 0 horizontal, 1 vertical
};

// The side as an image (null when it has no card rectangle), mirrored when asked.
QImage Generate_Batch_Image_For_Differ_Value(const CardSide &side, const BatchRender &render);

// The design of a run: both sides as values and the data snapshot, taken on the GUI thread.
struct BatchDesign {
    CardSide front, back;
    BatchSource source;

    // Copies of the document's front and back sides with their cards, and the data snapshot
    // (the back's bindings count only on a two-sided card).
    static BatchDesign Take(const SKTDocument &document, const Card_Property &frontCard, const Card_Property &backCard,
                            bool twoSided, const PackedRows &excelRows);

    // "F" the front, anything else the back.
    const CardSide &sideOf(const QString &side) const;
    CardSide Fill_Side_For_Row(const QString &side, int row, BatchProblems *problems = nullptr) const;
    // Fills and renders one side for one row; thread-safe. The print flag is not used.
    QImage Set_data_table_value_to_card(int row, const QString &side, bool print_box, const BatchRender &render = {},
                                        BatchProblems *problems = nullptr) const;
};

// The design backup a command may take before a run and restore after it: the archive of every
// control of the front and back, in array order.
struct DesignBackup {
    QList<QByteArray> front, back;
};
DesignBackup Create_Design_Backup_Array(const SKTDocument &document);
// Rebuilds the front and back from the backup: a side whose controls differ from it gets fresh
// controls from the archives (one that cannot be read is left out), registering nothing for
// undo; a side equal to it keeps its very controls (selections stay valid). The temp side is
// never touched. Answers whether a side was rebuilt.
bool Create_Card_Design_Again(SKTDocument &document, const DesignBackup &backup);
