#include "properties/CardTabLogic.h"

#include "core/Utilities.h"
#include "properties/CardSizes.h"

#include <algorithm>
#include <cmath>

QString Card_Fill_Style_Of(bool gradient, bool hatch, bool picture)
{
    return gradient ? QStringLiteral("G") : hatch ? QStringLiteral("H") : picture ? QStringLiteral("I") : QStringLiteral("S");
}

namespace {

QColor withAlpha(QColor colour, double alpha)
{
    colour.setAlphaF(float(alpha));
    return colour;
}

}  // namespace

void Write_Card_Tab(const CardTabValues &v, Card_Property &front, Card_Property &back, bool backEdited)
{
    Card_Property &card = backEdited ? back : front;
    card.setCard_border_chk(v.borderOn);
    if (v.borderOn) {
        card.setCard_bordr_clr(v.borderColour);
        card.setCard_bor_Stepper(v.borderWidth);
    }
    static const char *const styles[] = {"S", "DA", "DO", "DD", "DDD"};
    if (v.borderStyleIndex >= 0 && v.borderStyleIndex < 5)
        card.setCard_border_style(QString::fromLatin1(styles[v.borderStyleIndex]));
    const double alpha = std::clamp(std::isfinite(v.alphaPercent) ? v.alphaPercent : 100.0, 0.0, 100.0) / 100;
    card.setCard_fill_chk(v.fillOn);
    if (v.fillOn)
        card.setCard_fill_clr(withAlpha(v.fillColour, alpha));
    card.setCard_fill_style(Card_Fill_Style_Of(v.gradientOn, v.hatchOn, v.pictureOn));
    card.setCard_fill_Grd_1_clr(v.gradient1);
    card.setCard_fill_Grd_2_clr(v.gradient2);
    card.setCard_grad_Stepper(std::isfinite(v.gradientAngle) ? int(std::trunc(v.gradientAngle)) : 0);
    card.setCard_hatch_bk_clr(withAlpha(v.hatchBack, alpha));
    card.setCard_hatch_style(v.hatchName);
    card.setCard_BG_Image_Path(v.picturePath);
    card.setCard_BG_Image_Layout(v.pictureLayout);
    card.setCard_alpha_Stepper(float(alpha));
    card.setCard_Content_clr(v.contentColour);
    card.setCard_Content_font(v.contentFont);

    const QString name = Trim_Str(v.name);
    for (Card_Property *side : {&front, &back}) {
        side->setCard_Side(QString::number(v.sidesIndex == 0 ? 2 : 1));
        side->setCard_Shape(Card_Shape_Code(v.shape));
        side->setCard_Name(name.isEmpty() ? QStringLiteral("Untitled") : name);
        side->setCard_Location(v.cardRect.topLeft());
        side->setCard_Size(v.cardRect.size());
        side->setCard_Preset(v.preset);
        side->setCard_Category(v.category);
        side->setCard_Cat_index(v.row);
        if (v.row >= 0)
            side->setCard_Sub_Category(v.rowText);
        side->setCard_Create_Mode(QStringLiteral("W"));
    }
    front.setCard_Side_Name(QStringLiteral("F"));
    back.setCard_Side_Name(backEdited ? QStringLiteral("B") : QStringLiteral("F"));

    card.setWatermark_Used(v.watermarkOn);
    card.setWatermark_Alignment(v.watermarkAlignment);
    card.setWatermark_Transp(float(std::clamp(v.watermarkPercent, 0.0, 100.0) / 100));
    card.setWatermark_Text(v.watermarkText);
    card.setWatermark_Color(v.watermarkColour);
    card.setWatermark_Font(v.watermarkFont);
}

CardFillKind Card_Fill_Kind(const QString &code, const QString &layout)
{
    CardFillKind k;
    if (code == QLatin1String("G")) {
        k = {QStringLiteral("G"), true, false, true, false, false};
    } else if (code == QLatin1String("H")) {
        k = {QStringLiteral("H"), false, false, false, true, false};
    } else if (code == QLatin1String("I")) {
        k = {QStringLiteral("I"), layout == QLatin1String("Tile"), false, false, false, true};
    } else {
        k = {QStringLiteral("S"), false, true, false, false, false};
    }
    return k;
}

bool Text_Size_Steps::step(int side, const std::vector<std::shared_ptr<SKTGraphic>> &texts, QFont &content, int points,
                           double least, double most)
{
    struct Planned {
        QFont *font;
        Run *run;
        double size;
    };
    std::vector<Planned> planned;
    bool moved = false;
    const auto plan = [&](QFont &font, Run &run, double size, bool ownRun) {
        if (!ownRun)
            run = Run{run.text, size, 0, size};
        const int steps = run.steps + points;
        const double stepped =
            steps == 0 ? run.from : std::clamp(run.from + steps, std::min(least, run.from), std::max(most, run.from));
        moved = moved || stepped != size;
        planned.push_back({&font, &run, stepped});
    };
    for (const std::shared_ptr<SKTGraphic> &text : texts) {
        const double size = text->text_ctrl_font.pointSizeF();
        if (!(size > 0))
            continue;  // a font sized in pixels has no point size to step
        Run &run = m_runs[text.get()];
        const bool ownRun = run.text.lock() == text && run.shown == size;
        run.text = text;
        plan(text->text_ctrl_font, run, size, ownRun);
    }
    Run &contentRun = m_contentRuns[side == 0 ? 0 : 1];
    const double contentSize = content.pointSizeF() > 0 ? content.pointSizeF() : 12.0;
    plan(content, contentRun, contentSize, contentRun.shown == contentSize);
    if (!moved)
        return false;
    for (const Planned &p : planned) {
        p.run->steps += points;
        p.run->shown = p.size;
        p.font->setPointSizeF(p.size);
    }
    return true;
}

void Text_Size_Steps::forgetGone()
{
    std::erase_if(m_runs, [](const auto &entry) { return entry.second.text.expired(); });
}
