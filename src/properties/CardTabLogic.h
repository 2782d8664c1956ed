#pragma once
// The card tabs' write-back without widgets: what the four card tabs show, read into one plain
// value, and how that value lands in the side's record and in the fields both sides share.

#include "core/Card_Property.h"
#include "core/SKTGraphic.h"

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>
#include <array>
#include <memory>
#include <unordered_map>
#include <vector>

struct CardTabValues {
    // border
    bool borderOn = false;
    QColor borderColour = Qt::black;
    int borderWidth = 1;
    int borderStyleIndex = -1;  // 0..4 "S" … "DDD"; any other index keeps the stored style
    // fill
    bool fillOn = false;
    QColor fillColour = Qt::white;
    bool gradientOn = false, hatchOn = false, pictureOn = false;
    QColor gradient1 = Qt::white, gradient2 = Qt::white;
    double gradientAngle = 0;
    QString hatchName;
    QColor hatchBack = Qt::white;
    double alphaPercent = 100;
    QString picturePath;    // the side's own path field
    QString pictureLayout;  // "Stretch" or "Tile"
    QColor contentColour = Qt::black;
    QFont contentFont;
    // shared by both sides
    int sidesIndex = 0;  // 0 two sides, anything else one
    int shape = 0;       // 0 rectangle, 1 rounded rectangle, 2 ellipse
    QString name;
    QRectF cardRect;     // the front canvas's bounds
    QString preset, category;
    int row = -1;        // the size list's selected row
    QString rowText;
    // watermark
    bool watermarkOn = false;
    int watermarkAlignment = -1;
    double watermarkPercent = 100;
    QString watermarkText;
    QColor watermarkColour = Qt::black;
    QFont watermarkFont;
};

// The fill kind the radio buttons give: gradient before hatch before picture, else solid.
QString Card_Fill_Style_Of(bool gradient, bool hatch, bool picture);

// Writes the tab into the record of the side being edited (`backEdited` picks it) and the shared
// fields into both records. The picture object itself is never touched here.
void Write_Card_Tab(const CardTabValues &v, Card_Property &front, Card_Property &back, bool backEdited);

// Which fill controls a fill kind enables, and whether the opacity row is hidden.
struct CardFillKind {
    QString radio;  // "S", "G", "H" or "I": the radio button that is on
    bool hideOpacity = false;
    bool solid = false, gradient = false, hatch = false, picture = false;
};
CardFillKind Card_Fill_Kind(const QString &code, const QString &layout);

// The smaller and larger buttons of the Setting tab step each text in its own size, and the
// side's content font: one point a press, the family, face, weight, slant and colour kept. Each
// remembers the size its steps started from and how many it took, so stepping back gives that size
// exactly, however binary arithmetic rounded on the way (7.3 + 1 − 1 is not 7.3). A press that
// moves any of them counts for all, also for one a bound holds still: pressed to a bound and back
// until the content font reads as before (or as many times), every text is in its own size again
// instead of all alike. A press that moves nothing counts for none. A size already outside the
// bounds is never pulled into them; a size set by other means starts a new run from that size.
class Text_Size_Steps {
public:
    // One press on `side`: its texts and its content font by `points` within [least, most]; true
    // when any of them changed size.
    bool step(int side, const std::vector<std::shared_ptr<SKTGraphic>> &texts, QFont &content, int points, double least,
              double most);
    // Runs of texts that are gone (deleted, or replaced by Undo) are dropped.
    void forgetGone();

private:
    struct Run {
        std::weak_ptr<SKTGraphic> text;
        double from = 0;  // the own size when the run began
        int steps = 0;
        double shown = 0;  // the size the last step gave
    };
    std::unordered_map<const SKTGraphic *, Run> m_runs;
    std::array<Run, 2> m_contentRuns;  // each side's content font
};
