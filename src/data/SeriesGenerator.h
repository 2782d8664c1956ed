#pragma once
// The values of a generated series: a numbered run From..To with prefix, suffix and optional
// zero padding; one value repeated; or random whole numbers of a chosen digit count. The window
// reads its fields into SeriesGenInput; everything it decides is here.

#include <QString>
#include <functional>

class QRandomGenerator;

enum class SeriesGenMode { Sequential, Constant, Random };

struct SeriesGenInput {
    SeriesGenMode mode = SeriesGenMode::Sequential;
    QString prefix, suffix, from, to;  // texts as they stand in the fields
    bool padDigits = false;
    QString value, count = QStringLiteral("1");
    QString randPrefix, randSuffix, randLength = QStringLiteral("1"), randCount = QStringLiteral("1");
};

// The refusal of an input: the message and the objectName of the field that gets the focus.
struct SeriesGenCheck {
    QString message;
    QString focus;
    bool ok() const { return message.isEmpty(); }
};

inline constexpr int kSeriesMaxCount = 10000;
inline constexpr int kSeriesMaxLength = 9;

SeriesGenCheck Check_Series_Input(const SeriesGenInput &input);

// Hands each value to `add`, in order. The input must have passed Check_Series_Input. Random
// values come from `rng` (the system's generator when null), drawn uniformly.
void Generate_Series_Values(const SeriesGenInput &input, const std::function<void(const QString &)> &add,
                            QRandomGenerator *rng = nullptr);

// The text with "0" put in front until it is at least `length` long.
QString PadZero(const QString &text, int length);
// A uniform draw from min..max inclusive.
quint32 getRandomNumberBetweenMin(quint32 min, quint32 max, QRandomGenerator *rng = nullptr);

// What a count field shows after a key: at most `maxChars` characters and at most `maxValue`
// (Count and random Count: 5 and 10000; Length: 1 and 9). An empty or zero text stays as typed
// while typing goes on: a "1" put in its place would take the next digits after it.
QString Count_Field_Text(const QString &text, int maxChars, int maxValue);
// What it shows once left: the same, and at least 1 (a count below one would make an empty
// series that looks like a success). A text that is no whole number is left for the check.
QString Count_Field_Left_Text(const QString &text, int maxChars, int maxValue);
// What From and To show after an edit: letters, blanks and symbols gone from both ends, at most
// 10 characters.
QString Number_Field_Text(const QString &text);
// The whole number a field's text begins with (blanks, a sign, digits), as the fields read it:
// 0 when there is none; clamped to the 64-bit range.
qint64 Field_Number(const QString &text);
