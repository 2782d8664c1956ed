#include "core/ControlRecord.h"

#include "core/ArchiveValues.h"
#include "core/ControlArchive.h"
#include "core/ControlFields.h"
#include "core/DesignFieldIO.h"
#include "core/SKTBarcode.h"
#include "core/SKTImage.h"
#include "core/SKTLine.h"
#include "core/SKTSignature.h"
#include "core/Utilities.h"
#include "platform/TextLength.h"

#include <type_traits>

namespace {

// Entries of the binding block (text, image, barcode).
constexpr int kBindingStart = 20;

bool hasBindingBlock(SKTGraphicKind kind)
{
    return kind == SKTGraphicKind::Text || kind == SKTGraphicKind::Image || kind == SKTGraphicKind::Barcode;
}

// A barcode's picture is stored as PNG data; bytes that are there but are no picture refuse
// the record.
void picture(DesignFieldWriter &io, const QImage &image)
{
    QByteArray png;
    if (!image.isNull()) {
        png = Archive_Image(image).toByteArray();
        if (png.isEmpty())
            throw DesignFieldFailure{io.position(), QStringLiteral("the barcode picture cannot be stored")};
    }
    io.data(png);
}

// Reads a record, taking pictures that were decoded beforehand.
struct RecordReader : DesignFieldReader {
    RecordReader(const QVariantList &in, const Decoded_Pictures *decoded) : DesignFieldReader(in), decoded(decoded) {}
    const Decoded_Pictures *decoded;
};

void picture(RecordReader &io, QImage &image)
{
    QByteArray png;
    io.data(png);
    image = QImage();
    if (!png.isEmpty()) {
        image = io.decoded ? io.decoded->value(png) : QImage();
        if (image.isNull())
            image = Unarchive_Image(png);
        if (image.isNull())
            throw DesignFieldFailure{io.position() - 1, QStringLiteral("the barcode picture cannot be read")};
    }
}

// One field in the record's encoding for its type. V is const when writing.
template <class IO, class V>
void recordValue(IO &io, const SKTGraphic &g, const ControlField &field, V &value)
{
    using T = std::remove_const_t<V>;
    if constexpr (std::is_same_v<T, QRectF>) {
        io.rect(value);
    } else if constexpr (std::is_same_v<T, bool>) {
        io.yn(value);
    } else if constexpr (std::is_same_v<T, int>) {
        if (field.kind == FieldKind::Flag)
            io.ynInt(value);  // an int holding 1 or 0 travels as Y/N
        else
            io.integer(value);
    } else if constexpr (std::is_same_v<T, float> || std::is_same_v<T, double>) {
        io.real(value);
    } else if constexpr (std::is_same_v<T, QString>) {
        // A signature without a picture of its own keeps the sample of its kind.
        if constexpr (!IO::reading) {
            if (g.kind() == SKTGraphicKind::Signature && field.kind == FieldKind::Path && Trim_Str(value).isEmpty()) {
                io.text(SKTSignature::Sample_Path_For_Kind(g.sign_or_fingureprint));
                return;
            }
        }
        io.text(value);
    } else if constexpr (std::is_same_v<T, QColor>) {
        io.colour(value);
    } else if constexpr (std::is_same_v<T, QFont>) {
        io.font(value);
    } else if constexpr (std::is_same_v<T, QImage>) {
        picture(io, value);
    }
}

// The record after its letter, from the kind's field table, for both directions. G is
// `const SKTGraphic` when writing and `SKTGraphic` when reading.
template <class IO, class G>
void recordFields(IO &io, G &g)
{
    for (const ControlField &field : Control_Fields(g.kind())) {
        if (!field.has(InRecord))
            continue;
        // An older, shorter record: the fields it lacks keep the values of a new control (a
        // line without direction, an image with shadow and its path as value text).
        if (field.has(OldRecordsEnd) && io.endsHere())
            break;
        if constexpr (!IO::reading) {
            if (Field_Left_Out(g, field))
                continue;
        }
        With_Field(g, field.member, [&](auto &value) {
            recordValue(io, g, field, value);
            if constexpr (IO::reading)
                Bound_Value(field.kind, value);
        });
    }
}

// What a read control derives from its fields, whole or partly filled.
void finishReadControl(SKTGraphic &g)
{
    if (g.kind() == SKTGraphicKind::Image && g.Text_Value == QLatin1String("Text here"))
        g.Text_Value = g._file_path;
    if (g.kind() == SKTGraphicKind::Barcode) {
        g.Set_Barcode_image_control_bounds(g._bounds);
        static_cast<SKTBarcode &>(g).barcode_image_var_assign();
    }
}

std::unique_ptr<SKTGraphic> makeForLetter(const QString &letter)
{
    static const QStringList letters{"L", "T", "D", "I", "B", "S"};
    static const QStringList classes{"SKTLine", "SKTText", "Shape_Control", "SKTImage", "SKTBarcode", "SKTSignature"};
    const qsizetype i = letters.indexOf(letter);
    return i < 0 ? nullptr : Make_Graphic_Of_Class(classes[i]);
}

}  // namespace

QString Control_Record_Letter(SKTGraphicKind kind)
{
    switch (kind) {
    case SKTGraphicKind::Line: return QStringLiteral("L");
    case SKTGraphicKind::Text: return QStringLiteral("T");
    case SKTGraphicKind::Shape: return QStringLiteral("D");
    case SKTGraphicKind::Image: return QStringLiteral("I");
    case SKTGraphicKind::Barcode: return QStringLiteral("B");
    case SKTGraphicKind::Signature: return QStringLiteral("S");
    case SKTGraphicKind::Graphic: break;
    }
    return {};
}

std::optional<QVariantList> Get_Control_Prop_To_Array(const SKTGraphic &graphic, bool unbound, QString *error)
{
    const QString letter = Control_Record_Letter(graphic.kind());
    if (letter.isEmpty()) {
        if (error)
            *error = QStringLiteral("a control of class %1 cannot be stored").arg(graphic.className());
        return std::nullopt;
    }
    DesignFieldWriter io;
    io.text(letter);
    try {
        recordFields(io, graphic);
    } catch (const DesignFieldFailure &failure) {
        if (error)
            *error = failure.reason;
        return std::nullopt;
    }
    if (unbound && hasBindingBlock(graphic.kind())) {
        const QStringList none{QStringLiteral("0"), QString(), QStringLiteral("-1"), QStringLiteral("N"),
                               QStringLiteral("-1")};
        for (int i = 0; i < none.size(); ++i)
            io.out[kBindingStart + i] = none[i];
    }
    return io.out;
}

std::unique_ptr<SKTGraphic> Create_Control_From_Array(const QVariantList &record, QString *error,
                                                      const Decoded_Pictures *decoded,
                                                      std::unique_ptr<SKTGraphic> *partial)
{
    RecordReader io(record, decoded);
    std::unique_ptr<SKTGraphic> graphic;
    try {
        QString letter;
        io.text(letter);
        graphic = makeForLetter(letter);
        if (!graphic)
            io.fail(QStringLiteral("\"%1\" is not the letter of a control").arg(platform::First_Characters(letter, 8)));
        recordFields(io, *graphic);
        if (!io.endsHere())
            io.fail(QStringLiteral("the record holds %1 entries, more than a %2 record")
                        .arg(record.size())
                        .arg(graphic->className()));
        finishReadControl(*graphic);
        return graphic;
    } catch (const DesignFieldFailure &failure) {
        if (error)
            *error = failure.reason;
        if (partial && graphic) {
            finishReadControl(*graphic);
            *partial = std::move(graphic);
        }
        return nullptr;
    }
}

bool Barcode_Needs_Image(const SKTGraphic &graphic)
{
    return graphic.kind() == SKTGraphicKind::Barcode && graphic._barcode_image.isNull();
}

QString Barcode_Value_For_Rebuild(const SKTGraphic &graphic,
                                  const std::function<QString(const QString &)> &firstSeriesValue,
                                  const std::function<QString(int)> &firstColumnValue)
{
    QString value;
    if (graphic.data_source_type == 1 && firstSeriesValue)
        value = Trim_Str(firstSeriesValue(graphic.batch_list_name));
    else if (graphic.data_source_type == 2 && firstColumnValue)
        value = Trim_Str(firstColumnValue(graphic.excel_col_indx));
    if (graphic.data_source_type == 0 || value.isEmpty())
        value = Trim_Str(graphic.linear_or_2d != 0 ? graphic.two_d_font_val : graphic.linear_font_val);
    return value;
}
