#pragma once
// The visitor pass: one page showing one recorded visit. Its layout is worked out in page points
// with y growing upward from the page's bottom edge (the numbers the pass is specified in), then
// painted through the side renderer like every other output: the pass is a side whose one
// control draws the laid-out items, so image, PDF and print share one road.

#include "core/CardSide.h"
#include "core/SKTGraphic.h"
#include "visitor/VisitorDatabase.h"

#include <QImage>
#include <QRectF>
#include <QString>
#include <array>
#include <vector>

class QPrinter;

// What the details panel read for one visit: caption and value per stem and side.
struct VisitorDetails {
    // Column stems, in the panel's order.
    static constexpr int Stems = 12;
    static const std::array<const char *, Stems> field_name;
    enum Stem { VName, Position, CompanyName, Slogan, Address, Phone, Fax, Email, Website, UniqueNo, EntryDate, EntryTime };

    std::array<std::array<QString, Stems>, 2> value, caption;  // [0] front, [1] back
    QString date_time_detail, other_detail_info;
    QString details;            // the whole panel as text, sizes the pass page
    QString photoPath;          // stored photo column
    QImage visitor_image_obj;   // the photo as adjusted; null when there is none

    // Fills from a stored visit; the photo adjustments of the record apply to its photo only.
    static VisitorDetails fromColumns(const VisitColumns &columns);
    // The pass page: details box width + 100 wide, the measured text's height + 80 high, or
    // taller by what the laid-out pass needs to keep its photo and every line 5 points above the
    // frame's bottom line. At (0, 0), as Visitor_Pass_Layout takes it.
    QRectF Gate_Pass_Size(double detailsBoxWidth) const;
};

// The photo of a stored photo column with its own settings suffix applied; null when none.
QImage Visitor_Photo(const QString &stored);

struct PassItem {
    enum Kind { Text, Band, Line, Photo, Border } kind = Text;
    QRectF rect;             // points, y upward from the page's bottom edge
    QString text;
    int font = 2;            // 0 heading, 1 label, 2 value
    Qt::Alignment align = Qt::AlignLeft;
};

struct PassLayout {
    QRectF page;
    std::vector<PassItem> items;
    float drawing_Pos = 0;        // where the cursor ended
    float image_dr_botm_pt = 0;
};

// Lays the pass out over `rect` (usually at origin (0, 0)).
PassLayout Visitor_Pass_Layout(const VisitorDetails &d, const QRectF &rect);

// The control that paints a laid-out pass into a side.
class Visitor_Pass : public SKTGraphic {
public:
    Visitor_Pass(const VisitorDetails &details, const QRectF &rect);
    std::unique_ptr<SKTGraphic> clone() const override { return std::make_unique<Visitor_Pass>(*this); }
    void drawContentsInView(QPainter &painter, bool isBeingCreateOrEdited) override;

    // The pass as a side over `rect` (y downward, as the renderer takes sides).
    static CardSide passSide(const VisitorDetails &details, const QRectF &rect);
    // The pass as an image painted at `dpi` (600 for an export).
    static QImage image_of_visitor_pass(const VisitorDetails &details, const QRectF &rect, double dpi);
    // One vector PDF page of the pass.
    static QByteArray pdfDataWithGraphics_data(const VisitorDetails &details, const QRectF &rect);

private:
    PassLayout m_layout;
    QImage m_photo;
};

// Writes the pass to a file in the format its extension names ("pdf" a vector page; "jpg",
// "bmp", "png", "tif(f)" an image at 600 dpi encoded as that format). Whole or not at all.
bool Write_Visitor_Pass(const VisitorDetails &details, const QRectF &rect, const QString &path, QString *error = nullptr);

// Prints the pass on one page of the printer's paper, top margin, centred between the side margins,
// as many times as the printer's copy count; a pass larger than the printable area is scaled down
// to fit it, never up.
bool Print_Visitor_Pass(const VisitorDetails &details, const QRectF &rect, QPrinter &printer, QString *error = nullptr);
