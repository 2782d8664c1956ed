#include "core/ControlArchive.h"

#include "core/ArchiveValues.h"
#include "core/ControllerImageFiles.h"
#include "core/CoreHub.h"
#include "core/Globals.h"
#include "core/PictureServices.h"
#include "core/SKTBarcode.h"
#include "core/SKTImage.h"
#include "core/SKTLine.h"
#include "core/SKTSignature.h"
#include "core/SKTText.h"
#include "core/Shape_Control.h"
#include "core/Utilities.h"
#include "platform/BraceText.h"
#include "platform/Plist.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <cmath>
#include <limits>
#include <variant>

namespace {

// --- the key sets ---

using Member = std::variant<QRectF SKTGraphic::*, bool SKTGraphic::*, int SKTGraphic::*, float SKTGraphic::*,
                            double SKTGraphic::*, QString SKTGraphic::*, QColor SKTGraphic::*, QFont SKTGraphic::*,
                            QImage SKTGraphic::*, std::optional<SKTTextStorage> SKTGraphic::*,
                            bool SKTLine::*>;

struct Field {
    const char *key;
    Member member;
};

#define F(name) Field{#name, &SKTGraphic::name}

const std::vector<Field> kCommon{
    F(_bounds),          F(ctrl_is_locked), F(_isDrawingFill),   F(_fillColor),         F(_isDrawingStroke),
    F(_strokeColor),     F(_strokeWidth),   F(_stroke_border_type), F(_fill_type),      F(_fill_Grad_clr1),
    F(_fill_Grad_clr2),  F(_fill_grad_angle), F(_fill_htch_clr), F(_fill_hatch_type),   F(alpha_val),
    F(alpha_val_stroke), F(print_object),   F(control_ID),       F(ctrl_is_visible),
};

const std::vector<Field> kBinding{
    F(data_source_type), F(batch_list_name), F(batch_list_index), F(excel_binding), F(excel_col_indx),
};

const std::vector<Field> kLine{
    F(_line_ori),
    F(_line_cap_style),
    Field{"_pointsRight", &SKTLine::_pointsRight},
    Field{"_pointsDown", &SKTLine::_pointsDown},
};

const std::vector<Field> kText{
    F(text_ctrl_font),      F(txt_clr),         F(_Text_contents),   F(text_alignmnet_Vert), F(text_alignmnet),
    F(text_transfrom_case), F(text_kerning),    F(Text_Value),       F(Drawing_Shadow),      F(Shadow_Color),
    F(Shadow_offset_X),     F(Shadow_offset_Y), F(Shadow_blur),      F(Shadow_transparency), F(text_rotation),
};

const std::vector<Field> kShape{
    F(_shape_type), F(cor_rad_val), F(double_star_type), F(polygon_type), F(text_rotation),
};

const std::vector<Field> kImage{
    F(_isFlippedHorizontally), F(_isFlippedVertically), F(invert_clr),  F(gray_Scale),     F(Sepia),
    F(img_trnsp_val),          F(hue_val),              F(sat_val),     F(brt_val),        F(con_val),
    F(srp_val),                F(ev_val),               F(blr_val),     F(rotate_image),   F(_file_path),
    F(Text_Value),             F(Drawing_Shadow),       F(_contents),   F(_contents_with_settings),
};

const std::vector<Field> kBarcode{
    F(_barcode_image),       F(linear_or_2d),        F(barcode_font_index),  F(linear_font_val),
    F(two_d_font_val),       F(header_val),          F(footer_val),          F(show_hide_hdr),
    F(show_hide_ftr),        F(show_hide_val),       F(show_val_on_top),     F(align_hdr_index),
    F(align_ftr_index),      F(linear_height_val),   F(linear_width_val),    F(qr_size_val),
    F(qr_version_index),     F(qr_ec_index),         F(pdf_hgt_val),         F(pdf_wdt_val),
    F(pdf_ec_val),           F(dm_module_val),       F(dm_format_index),     F(dm_encoding_index),
    F(hdr_margin_val),       F(ftr_margin_val),      F(val_margin_val),      F(TB_marging_val),
    F(LR_margin_val),        F(value_font_val),      F(header_font_val),     F(footer_font_val),
    F(barcode_hdr_clr_val),  F(barcode_ftr_clr_val), F(barcode_val_clr_val), F(barcode_back_clr_val),
    F(barcode_clr_val),      F(dpi_val_index),       F(dpi_custom_val),      F(barcode_unit_val),
};

const std::vector<Field> kSignature{
    F(sign_or_fingureprint), F(_file_path), F(_contents),
};

#undef F

bool hasBindingKeys(SKTGraphicKind kind)
{
    return kind == SKTGraphicKind::Text || kind == SKTGraphicKind::Image || kind == SKTGraphicKind::Barcode;
}

const std::vector<Field> *classBlock(SKTGraphicKind kind)
{
    switch (kind) {
    case SKTGraphicKind::Line: return &kLine;
    case SKTGraphicKind::Text: return &kText;
    case SKTGraphicKind::Shape: return &kShape;
    case SKTGraphicKind::Image: return &kImage;
    case SKTGraphicKind::Barcode: return &kBarcode;
    case SKTGraphicKind::Signature: return &kSignature;
    case SKTGraphicKind::Graphic: break;
    }
    return nullptr;
}

// The key sets of a kind, in writing order.
std::vector<const std::vector<Field> *> keySets(SKTGraphicKind kind)
{
    std::vector<const std::vector<Field> *> sets{&kCommon};
    if (hasBindingKeys(kind))
        sets.push_back(&kBinding);
    if (const auto *block = classBlock(kind))
        sets.push_back(block);
    return sets;
}

// --- object values ---

// "None" travels as an empty dictionary: a property list has no null.
QVariant noneValue() { return QVariantMap(); }

QVariant objectOrNone(const QVariant &v) { return v.isValid() ? v : noneValue(); }

QVariant archiveTextStorage(const std::optional<SKTTextStorage> &storage)
{
    if (!storage)
        return noneValue();
    QVariantMap m;
    m.insert(QStringLiteral("string"), storage->string);
    m.insert(QStringLiteral("font"), Archive_Font(storage->font));
    m.insert(QStringLiteral("foregroundColor"), objectOrNone(Archive_Color(storage->foregroundColor)));
    return m;
}

std::optional<SKTTextStorage> unarchiveTextStorage(const QVariant &v)
{
    if (v.typeId() != QMetaType::QVariantMap)
        return std::nullopt;
    const QVariantMap m = v.toMap();
    const QVariant string = m.value(QStringLiteral("string"));
    if (string.typeId() != QMetaType::QString)
        return std::nullopt;  // the empty dictionary of "none" among others
    SKTTextStorage storage;
    storage.string = string.toString();
    storage.font = Unarchive_Font(m.value(QStringLiteral("font")));
    storage.foregroundColor = Unarchive_Color(m.value(QStringLiteral("foregroundColor")));
    return storage;
}

// --- plain values, read with their kind checked ---

bool isInteger(const QVariant &v)
{
    return v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::Int || v.typeId() == QMetaType::ULongLong;
}

bool readBool(const QVariant &v)
{
    if (v.typeId() == QMetaType::Bool)
        return v.toBool();
    return isInteger(v) && v.toLongLong() != 0;
}

int readInt(const QVariant &v)
{
    if (!isInteger(v))
        return 0;
    const qlonglong n = v.toLongLong();
    if (n < std::numeric_limits<int>::min() || n > std::numeric_limits<int>::max())
        return 0;
    return int(n);
}

float readFloat(const QVariant &v)
{
    if (v.typeId() != QMetaType::Double && !isInteger(v))
        return 0;
    const double d = v.toDouble();
    // Out of float range or not a number reads as zero: no field means to hold it.
    if (!std::isfinite(d) || std::abs(d) > double(std::numeric_limits<float>::max()))
        return 0;
    return float(d);
}

QRectF readRect(const QVariant &v)
{
    if (v.typeId() != QMetaType::QString)
        return {};
    const QRectF r = platform::textToRect(v.toString());
    if (!std::isfinite(r.x()) || !std::isfinite(r.y()) || !std::isfinite(r.width()) || !std::isfinite(r.height()))
        return {};
    return r;
}

QString readString(const QVariant &v) { return v.typeId() == QMetaType::QString ? v.toString() : QString(); }

// --- writing and reading one field ---

template <class... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

QVariant writeField(const SKTGraphic &g, const Member &member)
{
    return std::visit(
        Overloaded{
            [&](QRectF SKTGraphic::*m) -> QVariant { return platform::rectToText(g.*m); },
            [&](bool SKTGraphic::*m) -> QVariant { return g.*m; },
            [&](int SKTGraphic::*m) -> QVariant { return g.*m; },
            [&](float SKTGraphic::*m) -> QVariant { return double(g.*m); },
            [&](double SKTGraphic::*m) -> QVariant { return double(float(g.*m)); },
            [&](QString SKTGraphic::*m) -> QVariant { return g.*m; },
            [&](QColor SKTGraphic::*m) -> QVariant { return objectOrNone(Archive_Color(g.*m)); },
            [&](QFont SKTGraphic::*m) -> QVariant { return Archive_Font(g.*m); },
            [&](QImage SKTGraphic::*m) -> QVariant { return objectOrNone(Archive_Image(g.*m)); },
            [&](std::optional<SKTTextStorage> SKTGraphic::*m) -> QVariant { return archiveTextStorage(g.*m); },
            [&](bool SKTLine::*m) -> QVariant {
                const auto *line = dynamic_cast<const SKTLine *>(&g);
                return line ? line->*m : false;
            },
        },
        member);
}

void readField(SKTGraphic &g, const Member &member, const QVariant &v)
{
    std::visit(Overloaded{
                   [&](QRectF SKTGraphic::*m) { g.*m = readRect(v); },
                   [&](bool SKTGraphic::*m) { g.*m = readBool(v); },
                   [&](int SKTGraphic::*m) { g.*m = readInt(v); },
                   [&](float SKTGraphic::*m) { g.*m = readFloat(v); },
                   [&](double SKTGraphic::*m) { g.*m = readFloat(v); },
                   [&](QString SKTGraphic::*m) { g.*m = readString(v); },
                   [&](QColor SKTGraphic::*m) { g.*m = Unarchive_Color(v); },
                   [&](QFont SKTGraphic::*m) { g.*m = Unarchive_Font(v); },
                   [&](QImage SKTGraphic::*m) { g.*m = Unarchive_Image(v); },
                   [&](std::optional<SKTTextStorage> SKTGraphic::*m) { g.*m = unarchiveTextStorage(v); },
                   [&](bool SKTLine::*m) {
                       if (auto *line = dynamic_cast<SKTLine *>(&g))
                           line->*m = readBool(v);
                   },
               },
               member);
}

// Every field of the base at zero, NO or none: a restored control owes nothing to the
// defaults of a new one, only to its record.
void clearAllFields(SKTGraphic &g)
{
    g._boundsBeingChangedToMatchContents = false;
    g._bounds = QRectF();
    g._isDrawingFill = false;
    g._fillColor = QColor();
    g._isDrawingStroke = false;
    g._strokeColor = QColor();
    g._strokeWidth = 0;
    g._stroke_border_type.clear();
    g._fill_type.clear();
    g._fill_Grad_clr1 = QColor();
    g._fill_Grad_clr2 = QColor();
    g._fill_grad_angle = 0;
    g._fill_htch_clr = QColor();
    g._fill_hatch_type.clear();
    g._isFlippedHorizontally = false;
    g._isFlippedVertically = false;
    g.invert_clr = false;
    g.gray_Scale = false;
    g.Sepia = false;
    g.img_trnsp_val = 0;
    g.hue_val = 0;
    g.sat_val = 0;
    g.brt_val = 0;
    g.con_val = 0;
    g.srp_val = 0;
    g.ev_val = 0;
    g.blr_val = 0;
    g.data_source_type = 0;
    g.batch_list_name.clear();
    g.batch_list_index = 0;
    g.rotate_image = 0;
    g._file_path.clear();
    g._scriptingContainer = nullptr;
    g.sign_or_fingureprint.clear();
    g._line_ori = 0;
    g._line_cap_style = 0;
    g.cor_rad_val = 0;
    g.alpha_val = 0;
    g.alpha_val_stroke = 0;
    g.text_ctrl_font = QFont();
    g.txt_clr = QColor();
    g._Text_contents.reset();
    g._shape_type.clear();
    g.bar_image_ctrl_bounds = QRectF();
    g._barcode_image = QImage();
    g.linear_or_2d = 0;
    g.barcode_font_index = 0;
    g.linear_font_val.clear();
    g.two_d_font_val.clear();
    g.header_val.clear();
    g.footer_val.clear();
    g.show_hide_hdr = 0;
    g.show_hide_ftr = 0;
    g.show_hide_val = 0;
    g.show_val_on_top = 0;
    g.align_hdr_index = 0;
    g.align_ftr_index = 0;
    g.linear_height_val = 0;
    g.linear_width_val = 0;
    g.qr_size_val = 0;
    g.qr_version_index = 0;
    g.qr_ec_index = 0;
    g.pdf_hgt_val = 0;
    g.pdf_wdt_val = 0;
    g.pdf_ec_val = 0;
    g.dm_module_val = 0;
    g.dm_format_index = 0;
    g.dm_encoding_index = 0;
    g.hdr_margin_val = 0;
    g.ftr_margin_val = 0;
    g.val_margin_val = 0;
    g.TB_marging_val = 0;
    g.LR_margin_val = 0;
    g.value_font_val = QFont();
    g.header_font_val = QFont();
    g.footer_font_val = QFont();
    g.barcode_hdr_clr_val = QColor();
    g.barcode_ftr_clr_val = QColor();
    g.barcode_val_clr_val = QColor();
    g.barcode_back_clr_val = QColor();
    g.barcode_clr_val = QColor();
    g.dpi_val_index = 0;
    g.dpi_custom_val.clear();
    g.barcode_unit_val = 0;
    g.ctrl_is_locked = false;
    g.text_alignmnet = 0;
    g.text_alignmnet_Vert = 0;
    g.text_transfrom_case = 0;
    g.text_kerning = 0;
    g.print_object = 0;
    g.control_ID.clear();
    g.excel_binding = false;
    g.excel_col_indx = 0;
    g.Text_Value.clear();
    g.ctrl_is_visible = false;
    g.double_star_type = 0;
    g.polygon_type = 0;
    g.Drawing_Shadow = false;
    g.Shadow_Color = QColor();
    g.Shadow_offset_X = 0;
    g.Shadow_offset_Y = 0;
    g.Shadow_blur = 0;
    g.Shadow_transparency = 0;
    g.text_rotation = 0;
    g._contents = QImage();
    g._contents_with_settings = QImage();
    if (auto *line = dynamic_cast<SKTLine *>(&g)) {
        line->_pointsRight = false;
        line->_pointsDown = false;
    }
}

std::optional<SKTGraphicKind> kindOfClass(const QString &name)
{
    static const SKTGraphicKind kinds[] = {SKTGraphicKind::Graphic, SKTGraphicKind::Text,      SKTGraphicKind::Image,
                                           SKTGraphicKind::Line,    SKTGraphicKind::Barcode,   SKTGraphicKind::Signature,
                                           SKTGraphicKind::Shape};
    for (SKTGraphicKind kind : kinds) {
        if (SKTGraphic::classNameForKind(kind) == name)
            return kind;
    }
    return std::nullopt;
}

ArchiveHub g_fallbackArchiveHub;
ArchiveHub *g_archiveHub = nullptr;

}  // namespace

// --- one control ---

std::unique_ptr<SKTGraphic> Make_Graphic_Of_Kind(SKTGraphicKind kind)
{
    switch (kind) {
    case SKTGraphicKind::Text: return std::make_unique<SKTText>();
    case SKTGraphicKind::Image: return std::make_unique<SKTImage>();
    case SKTGraphicKind::Line: return std::make_unique<SKTLine>();
    case SKTGraphicKind::Barcode: return std::make_unique<SKTBarcode>();
    case SKTGraphicKind::Signature: return std::make_unique<SKTSignature>();
    case SKTGraphicKind::Shape: return std::make_unique<Shape_Control>();
    case SKTGraphicKind::Graphic: break;
    }
    return std::make_unique<SKTGraphic>();
}

std::unique_ptr<SKTGraphic> Make_Graphic_Of_Class(const QString &className)
{
    const std::optional<SKTGraphicKind> kind = kindOfClass(className);
    return kind ? Make_Graphic_Of_Kind(*kind) : nullptr;
}

QStringList Archive_Keys_For_Class(const QString &className)
{
    QStringList keys;
    const std::optional<SKTGraphicKind> kind = kindOfClass(className);
    if (!kind)
        return keys;
    for (const auto *set : keySets(*kind)) {
        for (const Field &field : *set)
            keys.append(QLatin1String(field.key));
    }
    return keys;
}

QVariantMap encodeWithCoder(const SKTGraphic &graphic)
{
    QVariantMap record;
    record.insert(SKTArchiveClassKey, graphic.className());
    for (const auto *set : keySets(graphic.kind())) {
        for (const Field &field : *set)
            record.insert(QLatin1String(field.key), writeField(graphic, field.member));
    }
    return record;
}

std::unique_ptr<SKTGraphic> initWithCoder(const QVariantMap &record)
{
    std::unique_ptr<SKTGraphic> g = Make_Graphic_Of_Class(readString(record.value(SKTArchiveClassKey)));
    if (!g)
        return nullptr;
    clearAllFields(*g);
    for (const auto *set : keySets(g->kind())) {
        for (const Field &field : *set)
            readField(*g, field.member, record.value(QLatin1String(field.key)));
    }
    // A picture whose adjusted form did not survive is adjusted again from its settings.
    if (g->kind() == SKTGraphicKind::Image && g->_contents_with_settings.isNull() && !g->_contents.isNull())
        g->_contents_with_settings = pictureServices().Get_Image_With_Update_Settings(*g);
    return g;
}

QByteArray Archive_Graphic(const SKTGraphic &graphic)
{
    bool ok = false;
    const QByteArray bytes = platform::plistSerialize(encodeWithCoder(graphic), platform::PlistFormat::Binary, &ok);
    if (!ok) {
        Show_NSLog_Message(QStringLiteral("NSException in ENCODING:\n\n %1 - \n%2\n\n%3 - %4")
                               .arg(0)
                               .arg(QStringLiteral("The control cannot be stored in a property list."),
                                    graphic._file_path, graphic.className()));
        return {};
    }
    return bytes;
}

std::unique_ptr<SKTGraphic> Unarchive_Graphic(const QByteArray &data)
{
    const QVariant root = platform::plistParse(data);
    if (root.typeId() != QMetaType::QVariantMap)
        return nullptr;
    return initWithCoder(root.toMap());
}

std::unique_ptr<SKTGraphic> Archived_Copy(const SKTGraphic &graphic) { return initWithCoder(encodeWithCoder(graphic)); }

// --- property dictionary ---

namespace {

QByteArray dataOf(const QVariant &value)
{
    return value.isValid() ? platform::plistSerialize(value, platform::PlistFormat::Binary) : QByteArray();
}

QVariant fromData(const QVariant &value)
{
    return value.typeId() == QMetaType::QByteArray ? platform::plistParse(value.toByteArray()) : QVariant();
}

bool isNumber(const QVariant &v) { return v.typeId() == QMetaType::Double || isInteger(v) || v.typeId() == QMetaType::Bool; }

}  // namespace

QVariantMap properties(SKTGraphic &graphic)
{
    QVariantMap p;
    p.insert(QStringLiteral("bounds"), platform::rectToText(graphic.bounds()));
    p.insert(QStringLiteral("drawingFill"), graphic.isDrawingFill());
    if (const QColor fill = graphic.fillColor(); fill.isValid())
        p.insert(QStringLiteral("fillColor"), dataOf(Archive_Color(fill)));
    p.insert(QStringLiteral("drawingStroke"), graphic.isDrawingStroke());
    if (const QColor stroke = graphic.strokeColor(); stroke.isValid())
        p.insert(QStringLiteral("strokeColor"), dataOf(Archive_Color(stroke)));
    p.insert(QStringLiteral("strokeWidth"), graphic.strokeWidth());
    switch (graphic.kind()) {
    case SKTGraphicKind::Line: {
        const auto &line = static_cast<const SKTLine &>(graphic);
        p.remove(QStringLiteral("bounds"));
        p.insert(QStringLiteral("beginPoint"), platform::pointToText(line.beginPoint()));
        p.insert(QStringLiteral("endPoint"), platform::pointToText(line.endPoint()));
        break;
    }
    case SKTGraphicKind::Text:
        p.insert(QStringLiteral("contents"), dataOf(archiveTextStorage(graphic.Text_contents())));
        break;
    case SKTGraphicKind::Image:
        if (!graphic._contents.isNull())
            p.insert(QStringLiteral("contents"), Archive_Image(graphic._contents));
        p.insert(QStringLiteral("flippedHorizontally"), graphic._isFlippedHorizontally);
        p.insert(QStringLiteral("flippedVertically"), graphic._isFlippedVertically);
        break;
    default:
        break;
    }
    return p;
}

void initWithProperties(SKTGraphic &graphic, const QVariantMap &p)
{
    if (const QVariant v = p.value(QStringLiteral("bounds")); v.typeId() == QMetaType::QString)
        graphic.setBounds(readRect(v));
    if (const QVariant v = p.value(QStringLiteral("drawingFill")); isNumber(v))
        graphic._isDrawingFill = v.toBool();
    if (const QColor c = Unarchive_Color(fromData(p.value(QStringLiteral("fillColor")))); c.isValid())
        graphic._fillColor = c;
    if (const QVariant v = p.value(QStringLiteral("drawingStroke")); isNumber(v))
        graphic._isDrawingStroke = v.toBool();
    if (const QColor c = Unarchive_Color(fromData(p.value(QStringLiteral("strokeColor")))); c.isValid())
        graphic._strokeColor = c;
    if (const QVariant v = p.value(QStringLiteral("strokeWidth")); isNumber(v) && std::isfinite(v.toDouble()))
        graphic._strokeWidth = v.toDouble();
    switch (graphic.kind()) {
    case SKTGraphicKind::Line: {
        auto pointAt = [&p](const char *key) {
            const QVariant v = p.value(QLatin1String(key));
            return v.typeId() == QMetaType::QString ? platform::textToPoint(v.toString()) : QPointF();
        };
        auto &line = static_cast<SKTLine &>(graphic);
        bool right = false, down = false;
        const QRectF bounds = SKTLine::boundsWithBeginPoint(pointAt("beginPoint"), pointAt("endPoint"), &right, &down);
        line._pointsRight = right;
        line._pointsDown = down;
        line.setBounds(bounds);
        break;
    }
    case SKTGraphicKind::Text:
        if (std::optional<SKTTextStorage> storage = unarchiveTextStorage(fromData(p.value(QStringLiteral("contents")))))
            graphic._Text_contents = storage;
        break;
    case SKTGraphicKind::Image:
        if (const QImage picture = Unarchive_Image(p.value(QStringLiteral("contents"))); !picture.isNull())
            graphic._contents = picture;
        if (const QVariant v = p.value(QStringLiteral("flippedHorizontally")); isNumber(v))
            graphic._isFlippedHorizontally = v.toBool();
        if (const QVariant v = p.value(QStringLiteral("flippedVertically")); isNumber(v))
            graphic._isFlippedVertically = v.toBool();
        break;
    default:
        break;
    }
}

// --- lists ---

QPointF ArchiveHub::Control_New_Point(const QString &)
{
    return ::Control_New_Point(0, coreHub().frontCanvasBounds().size());
}

ArchiveHub &archiveHub() { return g_archiveHub ? *g_archiveHub : g_fallbackArchiveHub; }

ArchiveHub *setArchiveHub(ArchiveHub *hub)
{
    ArchiveHub *previous = g_archiveHub;
    g_archiveHub = hub;
    return previous;
}

QList<QByteArray> Archives_Of(const SKTGraphicList &graphics)
{
    QList<QByteArray> archives;
    for (SKTGraphic *g : graphics) {
        if (!g)
            continue;
        const QByteArray data = Archive_Graphic(*g);
        if (!data.isEmpty())
            archives.append(data);
    }
    return archives;
}

QVariantList propertiesWithGraphics(const SKTGraphicList &graphics)
{
    QVariantList archives;
    for (const QByteArray &data : Archives_Of(graphics))
        archives.append(data);
    return archives;
}

QByteArray pasteboardDataWithGraphics(const SKTGraphicList &graphics)
{
    return platform::plistSerialize(propertiesWithGraphics(graphics), platform::PlistFormat::Binary);
}

std::optional<SKTGraphicArray> graphicsWithPasteboardData(const QByteArray &data, SKTError *error)
{
    const QVariant root = platform::plistParse(data);
    std::optional<SKTGraphicArray> result;
    if (root.typeId() == QMetaType::QVariantList) {
        const QVariantList archives = root.toList();
        SKTGraphicArray graphics = graphicsWithProperties(archives);
        // Something that was meant to be controls and yields none is damaged, not empty.
        if (!graphics.empty() || archives.isEmpty())
            result = std::move(graphics);
    }
    if (!result && error)
        *error = SKTErrorWithCode(SKTUnknownPasteboardReadError);
    return result;
}

SKTGraphicArray graphicsWithProperties(const QVariantList &archives)
{
    SKTGraphicArray graphics;
    for (const QVariant &element : archives) {
        if (element.typeId() != QMetaType::QByteArray)
            continue;
        std::unique_ptr<SKTGraphic> g = Unarchive_Graphic(element.toByteArray());
        if (!g)
            continue;
        g->control_ID.clear();
        g->ctrl_is_locked = false;
        if (g->kind() == SKTGraphicKind::Image) {
            const QString path = g->_file_path;
            if (!path.isEmpty() && QFileInfo(path).isFile())
                static_cast<SKTImage *>(g.get())->setFilePath(path, false);
            if (Start_Card_Option == QLatin1String("V") || Start_Card_Option == QLatin1String("G"))
                g->control_ID = archiveHub().Generate_Extra_image_control_ID();
        }
        if (Start_Card_Option == QLatin1String("G")
            && (g->kind() == SKTGraphicKind::Text || g->kind() == SKTGraphicKind::Image) && g->data_source_type == 2) {
            g->Set_Data_source_type(0);
            g->Set_Excel_binding(false);
            g->Set_Excel_binding_Index(-1);
            g->Set_Batch_List_Index(-1);
            g->Set_Batch_List_Name(QString());
        }
        graphics.push_back(std::move(g));
    }
    return graphics;
}

namespace {
// The platform's union: an empty rectangle adds nothing.
QRectF unionRect(const QRectF &a, const QRectF &b)
{
    if (b.width() <= 0 || b.height() <= 0)
        return a;
    if (a.width() <= 0 || a.height() <= 0)
        return b;
    return a.united(b);
}

QRectF combined(const SKTGraphicList &graphics, QRectF (SKTGraphic::*rect)() const)
{
    QRectF r;
    bool first = true;
    for (SKTGraphic *g : graphics) {
        if (!g)
            continue;
        r = first ? (g->*rect)() : unionRect(r, (g->*rect)());
        first = false;
    }
    return r;
}

// Whether the moved bounds still lie on the card. A line along an axis has bounds of no width
// or height; it counts as on the card while its extent overlaps it.
bool onCard(const QRectF &r, const QRectF &card)
{
    if (card.width() <= 0 || card.height() <= 0)
        return true;  // no card to leave
    auto overlaps = [](double start, double length, double cardStart, double cardLength) {
        if (length <= 0)
            return start >= cardStart && start < cardStart + cardLength;
        return start < cardStart + cardLength && start + length > cardStart;
    };
    return overlaps(r.x(), r.width(), card.x(), card.width()) && overlaps(r.y(), r.height(), card.y(), card.height());
}

void placeGraphic(SKTGraphic &g, const QRectF &bounds)
{
    g.setBounds(bounds);
    if (g.kind() == SKTGraphicKind::Barcode)
        g.Set_Barcode_image_control_bounds(bounds);
}
}  // namespace

QRectF boundsOfGraphics(const SKTGraphicList &graphics) { return combined(graphics, &SKTGraphic::bounds); }

QRectF drawingBoundsOfGraphics(const SKTGraphicList &graphics)
{
    for (SKTGraphic *g : graphics) {
        if (g)
            return combined(graphics, &SKTGraphic::drawingBounds);
    }
    return coreHub().frontCanvasBounds();
}

void translateGraphics(const SKTGraphicList &graphics, double dx, double dy)
{
    const QRectF card = coreHub().frontCanvasBounds();
    for (SKTGraphic *g : graphics) {
        if (!g || g->Is_Control_Locked())
            continue;
        const QRectF moved = g->bounds().translated(dx, dy);
        if (onCard(moved, card))
            placeGraphic(*g, moved);
    }
}

void Paste_Location_Of_Graphics(const SKTGraphicList &graphics, double x, double y,
                                const QString &card_side)
{
    for (std::size_t i = 0; i < graphics.size(); ++i) {
        SKTGraphic *g = graphics[i];
        if (!g)
            continue;
        QPointF origin(x, y);
        if (i > 0)
            origin = archiveHub().Control_New_Point(card_side);
        if (g->Is_Control_Locked())
            continue;
        placeGraphic(*g, QRectF(origin, g->bounds().size()));
    }
}

void check_barcode_and_set_control_bounds(SKTGraphic *graphic)
{
    if (graphic && graphic->kind() == SKTGraphicKind::Barcode)
        graphic->Set_Barcode_image_control_bounds(graphic->bounds());
}
