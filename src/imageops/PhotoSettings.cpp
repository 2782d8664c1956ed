#include "imageops/PhotoSettings.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "platform/ValueBounds.h"

#include "imageops/ImageTransforms.h"

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <cmath>

bool IMG_gray_Scale = false;
bool IMG_Sepia = false;
bool IMG_invert_clr = false;
float IMG_hue_val = 0.0f;
float IMG_sat_val = 1.0f;
float IMG_brt_val = 0.0f;
float IMG_con_val = 1.0f;
float IMG_srp_val = 0.0f;
float IMG_ev_val = 0.0f;
float IMG_blr_val = 0.0f;
float IMG_trnsp_val = 100.0f;
float IMG_rotate_image = 0.0f;
bool IMG_Flip_H = false;
bool IMG_Flip_V = false;

const PhotoSliderSpec Photo_Sliders[9] = {
    {"Rotate_slidr", "Rotation", -180, 180, 0, 1},  {"Trsp_slidr", "Transparency", 0, 100, 100, 1},
    {"Hue_slidr", "Hue", -314, 314, 0, 100},        {"Sat_slidr", "Saturation", 0, 200, 100, 100},
    {"Brt_slidr", "Brightness", -100, 100, 0, 100}, {"Con_slidr", "Contrast", 25, 400, 100, 100},
    {"shrp_slidr", "Sharpness", 0, 200, 0, 100},    {"ev_slidr", "Exposure", -300, 300, 0, 100},
    {"blr_slidr", "Blur", 0, 200, 0, 10}};

namespace {
std::array<float *, 9> sliderValues(ImageAdjustments &a)
{
    return {&a.rotate, &a.tranprency, &a.hue, &a.sat, &a.brt, &a.con, &a.r, &a.g, &a.b};
}
}  // namespace

ImageAdjustments Adjustments_From_Controls(const int positions[9], const bool checks[5])
{
    ImageAdjustments a;
    a.grayscale = checks[0];
    a.sepia = checks[1];
    a.invrtclr = checks[2];
    a.flip_H = checks[3];
    a.flip_V = checks[4];
    const auto values = sliderValues(a);
    for (int i = 0; i < 9; ++i)
        *values[size_t(i)] = float(positions[i] / Photo_Sliders[i].scale);
    a.rotate = float(int(a.rotate));
    return a;
}

void Slider_Positions_Of(const ImageAdjustments &settings, int positions[9])
{
    ImageAdjustments a = settings;
    const auto values = sliderValues(a);
    for (int i = 0; i < 9; ++i) {
        const PhotoSliderSpec &spec = Photo_Sliders[i];
        const double value = std::isfinite(*values[size_t(i)]) ? *values[size_t(i)] : spec.position / spec.scale;
        positions[i] = std::clamp(int(std::lround(value * spec.scale)), spec.min, spec.max);
    }
}

ImageAdjustments Current_Image_Adjustments()
{
    ImageAdjustments s;
    s.grayscale = IMG_gray_Scale;
    s.sepia = IMG_Sepia;
    s.invrtclr = IMG_invert_clr;
    s.hue = IMG_hue_val;
    s.sat = IMG_sat_val;
    s.brt = IMG_brt_val;
    s.con = IMG_con_val;
    s.rotate = IMG_rotate_image;
    s.r = IMG_srp_val;
    s.g = IMG_ev_val;
    s.b = IMG_blr_val;
    s.tranprency = IMG_trnsp_val;
    s.flip_H = IMG_Flip_H;
    s.flip_V = IMG_Flip_V;
    return s;
}

void Store_Image_Adjustments(const ImageAdjustments &s)
{
    IMG_gray_Scale = s.grayscale;
    IMG_Sepia = s.sepia;
    IMG_invert_clr = s.invrtclr;
    IMG_hue_val = s.hue;
    IMG_sat_val = s.sat;
    IMG_brt_val = s.brt;
    IMG_con_val = s.con;
    IMG_rotate_image = s.rotate;
    IMG_srp_val = s.r;
    IMG_ev_val = s.g;
    IMG_blr_val = s.b;
    IMG_trnsp_val = s.tranprency;
    IMG_Flip_H = s.flip_H;
    IMG_Flip_V = s.flip_V;
}

namespace {

// Stored paths pass through spreadsheets and hand editing: stray control characters at the
// ends are dropped along with white space.
QString trimmedText(const QString &text)
{
    auto junk = [](QChar c) { return c.isSpace() || c.category() == QChar::Other_Control; };
    qsizetype begin = 0, end = text.size();
    while (begin < end && junk(text[begin]))
        ++begin;
    while (end > begin && junk(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

constexpr int kSuffixFields = 17;
const QString kFilterMarker = QStringLiteral("<IMG_FILTER>");

void assignField(int number, const QString &field, ImageAdjustments &s, PhotoBorder &border)
{
    // Held to the ranges of their kinds first: a float cannot hold every double a suffix may give.
    auto value = [&](const bounds::Range &range = bounds::FilterAmount) {
        return float(range(Photo_Field_Number(field)));
    };
    switch (number) {
    case 1: s.flip_H = Photo_Field_Bool(field); break;
    case 2: s.flip_V = Photo_Field_Bool(field); break;
    case 3: s.grayscale = Photo_Field_Bool(field); break;
    case 4: s.sepia = Photo_Field_Bool(field); break;
    case 5: s.rotate = value(bounds::RotationDegrees); break;
    case 6: s.r = value(); break;
    case 7: s.g = value(); break;
    case 8: s.b = value(bounds::BlurPixels); break;
    case 9: s.sat = value(); break;
    case 10: s.brt = value(); break;
    case 11: s.con = value(); break;
    case 12: s.hue = value(); break;
    case 13: s.tranprency = value(bounds::Percent); break;
    case 14: border.on = Photo_Field_Bool(field); break;
    case 15: border.width = value(bounds::LineWidthPoints); break;
    case 16: border.style = field; break;
    case 17: border.colour = Photo_Field_Colour(field); break;
    default: break;
    }
}

}  // namespace

bool Photo_Field_Bool(const QString &field)
{
    qsizetype i = 0;
    while (i < field.size() && field[i].isSpace())
        ++i;
    if (i < field.size() && (field[i] == QLatin1Char('+') || field[i] == QLatin1Char('-')))
        ++i;
    while (i < field.size() && field[i] == QLatin1Char('0'))
        ++i;
    if (i >= field.size())
        return false;
    const QChar c = field[i];
    return QStringLiteral("YyTt").contains(c) || (c >= QLatin1Char('1') && c <= QLatin1Char('9'));
}

double Photo_Field_Number(const QString &field)
{
    static const QRegularExpression leading(
        QStringLiteral(R"(^\s*[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?)"));
    const QRegularExpressionMatch m = leading.match(field);
    if (!m.hasMatch())
        return 0.0;
    const double v = m.captured(0).trimmed().toDouble();
    return std::isfinite(v) ? v : 0.0;
}

QColor Photo_Field_Colour(const QString &field)
{
    if (trimmedText(field).isEmpty())
        return QColor(Qt::transparent);
    const QStringList parts = field.split(QLatin1Char(':'));
    float v[4] = {0, 0, 0, 0};
    for (int i = 0; i < 4 && i < parts.size(); ++i)
        v[i] = std::clamp(float(Photo_Field_Number(parts[i])), 0.0f, 1.0f);
    return QColor::fromRgbF(v[0], v[1], v[2], v[3]);
}

PhotoSettingsSuffix Split_Photo_Settings_Suffix(const QString &stored, ImageAdjustments &settings)
{
    PhotoSettingsSuffix out;
    const QString text = trimmedText(stored);
    const qsizetype marker = text.indexOf(kFilterMarker);
    if (marker < 0) {
        out.path = text;
        return out;
    }
    out.path = trimmedText(text.left(marker));
    out.hasFilter = true;
    QString rest = trimmedText(text.mid(marker + kFilterMarker.size()));
    for (int number = 1; number <= kSuffixFields; ++number) {
        const qsizetype end = rest.indexOf(QLatin1Char('_'));
        if (end < 0)
            break;
        assignField(number, trimmedText(rest.left(end)), settings, out.border);
        rest = trimmedText(rest.mid(end + 1));
    }
    return out;
}

PhotoSettingsSuffix Read_Photo_Settings_Suffix(const QString &stored)
{
    ImageAdjustments settings = Current_Image_Adjustments();
    PhotoSettingsSuffix out = Split_Photo_Settings_Suffix(stored, settings);
    // The reader never decides the invert flag: that one stays with the editors.
    settings.invrtclr = IMG_invert_clr;
    Store_Image_Adjustments(settings);
    return out;
}

QImage Apply_Photo_Settings(const QImage &picture, const ImageAdjustments &settings, const PhotoBorder &border)
{
    const QImage adjusted = ImageProcesser::Get_Processed_Image_Full_Combined(
        picture, settings, true, true, QRectF(QPointF(0, 0), QSizeF(picture.size())));
    if (!border.on || adjusted.isNull())
        return adjusted;
    return ImageTransforms::image_Drawing_with_border(adjusted, float(border.width), border.style, border.colour);
}
