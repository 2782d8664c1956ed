#include "core/ControlArchive.h"

#include "core/ArchiveValues.h"
#include "core/ControlFields.h"
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

namespace {

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

// The archive's value of each field type: doubles travel with float precision.
QVariant archived(const QRectF &r) { return platform::rectToText(r); }
QVariant archived(bool b) { return b; }
QVariant archived(int n) { return n; }
QVariant archived(float f) { return double(f); }
QVariant archived(double d) { return double(float(d)); }
QVariant archived(const QString &s) { return s; }
QVariant archived(const QColor &c) { return objectOrNone(Archive_Color(c)); }
QVariant archived(const QFont &f) { return Archive_Font(f); }
QVariant archived(const QImage &i) { return objectOrNone(Archive_Image(i)); }
QVariant archived(const std::optional<SKTTextStorage> &t) { return archiveTextStorage(t); }

void unarchive(const QVariant &v, QRectF &r) { r = readRect(v); }
void unarchive(const QVariant &v, bool &b) { b = readBool(v); }
void unarchive(const QVariant &v, int &n) { n = readInt(v); }
void unarchive(const QVariant &v, float &f) { f = readFloat(v); }
void unarchive(const QVariant &v, double &d) { d = readFloat(v); }
void unarchive(const QVariant &v, QString &s) { s = readString(v); }
void unarchive(const QVariant &v, QColor &c) { c = Unarchive_Color(v); }
void unarchive(const QVariant &v, QFont &f) { f = Unarchive_Font(v); }
void unarchive(const QVariant &v, QImage &i) { i = Unarchive_Image(v); }
void unarchive(const QVariant &v, std::optional<SKTTextStorage> &t) { t = unarchiveTextStorage(v); }

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

NoWindowArchiveHub g_fallbackArchiveHub;
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
    for (const ControlField &field : Control_Fields(*kind)) {
        if (field.has(InArchive))
            keys.append(QLatin1String(field.name));
    }
    return keys;
}

QVariantMap encodeWithCoder(const SKTGraphic &graphic)
{
    QVariantMap record;
    record.insert(SKTArchiveClassKey, graphic.className());
    for (const ControlField &field : Control_Fields(graphic.kind())) {
        if (field.has(InArchive) && !Field_Left_Out(graphic, field))
            With_Field(graphic, field.member,
                       [&](const auto &value) { record.insert(QLatin1String(field.name), archived(value)); });
    }
    return record;
}

std::unique_ptr<SKTGraphic> initWithCoder(const QVariantMap &record)
{
    std::unique_ptr<SKTGraphic> g = Make_Graphic_Of_Class(readString(record.value(SKTArchiveClassKey)));
    if (!g)
        return nullptr;
    clearAllFields(*g);
    for (const ControlField &field : Control_Fields(g->kind())) {
        if (field.has(InArchive))
            With_Field(*g, field.member, [&](auto &value) {
                unarchive(record.value(QLatin1String(field.name)), value);
                Bound_Value(field.kind, value);
            });
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
    if (const QVariant v = p.value(QStringLiteral("bounds")); v.typeId() == QMetaType::QString) {
        QRectF bounds = readRect(v);
        Bound_Value(FieldKind::Rect, bounds);
        graphic.setBounds(bounds);
    }
    if (const QVariant v = p.value(QStringLiteral("drawingFill")); isNumber(v))
        graphic._isDrawingFill = v.toBool();
    if (const QColor c = Unarchive_Color(fromData(p.value(QStringLiteral("fillColor")))); c.isValid())
        graphic._fillColor = c;
    if (const QVariant v = p.value(QStringLiteral("drawingStroke")); isNumber(v))
        graphic._isDrawingStroke = v.toBool();
    if (const QColor c = Unarchive_Color(fromData(p.value(QStringLiteral("strokeColor")))); c.isValid())
        graphic._strokeColor = c;
    if (const QVariant v = p.value(QStringLiteral("strokeWidth")); isNumber(v) && std::isfinite(v.toDouble())) {
        graphic._strokeWidth = v.toDouble();
        Bound_Value(FieldKind::Length, graphic._strokeWidth);
    }
    switch (graphic.kind()) {
    case SKTGraphicKind::Line: {
        auto pointAt = [&p](const char *key) {
            const QVariant v = p.value(QLatin1String(key));
            return v.typeId() == QMetaType::QString ? platform::textToPoint(v.toString()) : QPointF();
        };
        auto &line = static_cast<SKTLine &>(graphic);
        bool right = false, down = false;
        QRectF bounds = SKTLine::boundsWithBeginPoint(pointAt("beginPoint"), pointAt("endPoint"), &right, &down);
        Bound_Value(FieldKind::Rect, bounds);
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

QPointF NoWindowArchiveHub::Control_New_Point(const QString &)
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
