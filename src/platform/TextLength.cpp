#include "platform/TextLength.h"

#include <QTextBoundaryFinder>
#include <algorithm>
#include <cstdlib>

namespace platform {

namespace {
thread_local qsizetype t_segmented = 0;  // units handed to the segmenter by this thread

// The unit position after `n` code points from the front, or before `n` from the back.
qsizetype afterCodePoints(QStringView text, qsizetype n)
{
    qsizetype i = 0;
    for (; i < text.size() && n > 0; --n)
        i += text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate() ? 2 : 1;
    return i;
}
qsizetype beforeCodePoints(QStringView text, qsizetype n)
{
    qsizetype i = text.size();
    for (; i > 0 && n > 0; --n)
        i -= text.at(i - 1).isLowSurrogate() && i >= 2 && text.at(i - 2).isHighSurrogate() ? 2 : 1;
    return i;
}

bool indicatorAt(QStringView text, qsizetype i)
{
    return i >= 0 && i + 1 < text.size() && text.at(i).unicode() == 0xD83C && text.at(i + 1).unicode() >= 0xDDE6
        && text.at(i + 1).unicode() <= 0xDDFF;
}

// Where a window ending at the text's end may start at or before `at` so that it splits neither
// a surrogate pair nor a flag: the segmenter pairs regional indicators from the start of what it
// is given, so a window starting on a flag's second half would pair every flag after it wrongly
// and cut one in two. The run of indicators is walked back to its start (a comparison per
// indicator, nothing segmented) to learn which half `at` falls on.
qsizetype flagSafeStart(QStringView text, qsizetype at)
{
    if (at > 0 && at < text.size() && text.at(at).isLowSurrogate() && text.at(at - 1).isHighSurrogate())
        --at;
    if (!indicatorAt(text, at))
        return at;
    qsizetype before = 0;
    for (qsizetype i = at - 2; indicatorAt(text, i); i -= 2)
        ++before;
    return before % 2 == 1 ? at - 2 : at;
}

// Whether `at` falls between the two halves of a flag (two regional indicators, paired from the
// start of their run), which the boundary finder of some Qt versions would split.
bool insideFlag(QStringView text, qsizetype at)
{
    const auto indicatorBefore = [&](qsizetype i) {
        return i >= 2 && text.at(i - 2).unicode() == 0xD83C && text.at(i - 1).unicode() >= 0xDDE6
            && text.at(i - 1).unicode() <= 0xDDFF;
    };
    if (!indicatorBefore(at) || !indicatorBefore(at + 2))
        return false;
    qsizetype run = 0;
    for (qsizetype i = at; indicatorBefore(i); i -= 2)
        ++run;
    return run % 2 == 1;
}

// Where the first `n` characters end (fromFront) or the last `n` begin: the text's size (or 0)
// when it has no more. Only a window of about n * kLongestCharacter units at that end is
// segmented; a boundary found within kLongestCharacter units of the window's inner edge could
// depend on what lies beyond it and is not used.
qsizetype cutPosition(QStringView text, qsizetype n, bool fromFront)
{
    if (text.size() <= n)  // never more characters than units
        return fromFront ? text.size() : 0;
    qsizetype window = std::min(text.size(), (n + 2) * kLongestCharacter);
    const qsizetype offset = fromFront ? 0 : flagSafeStart(text, text.size() - window);
    window = fromFront ? window : text.size() - offset;
    const bool whole = window == text.size();
    const qsizetype margin = whole ? 0 : kLongestCharacter;
    const QStringView part = text.sliced(offset, window);
    t_segmented += part.size();
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, part.data(), int(part.size()));
    if (!fromFront)
        finder.toEnd();
    qsizetype at = fromFront ? 0 : window, count = 0;
    while (count < n) {
        const qsizetype next = fromFront ? finder.toNextBoundary() : finder.toPreviousBoundary();
        if (next < 0 || (fromFront ? next > window - margin : next < margin))
            break;
        if ((fromFront ? next == 0 : next == window) || insideFlag(part, next))
            continue;
        if (std::abs(next - at) > kLongestCharacter)  // marks piled on a letter: no real character
            return fromFront ? afterCodePoints(text, n) : beforeCodePoints(text, n);
        at = next;
        ++count;
    }
    if (count == n)
        return offset + at;
    if (whole)
        return fromFront ? text.size() : 0;
    // Characters longer than any real one (marks piled on a letter): counted per code point.
    return fromFront ? afterCodePoints(text, n) : beforeCodePoints(text, n);
}
}  // namespace

bool Longer_Than(QStringView text, qsizetype n)
{
    return n < 0 ? true : cutPosition(text, n, true) < text.size();
}

QString First_Characters(const QString &text, qsizetype n)
{
    if (n <= 0)
        return {};
    return text.left(cutPosition(text, n, true));
}

QString Last_Characters(const QString &text, qsizetype n)
{
    if (n <= 0)
        return {};
    return text.mid(cutPosition(text, n, false));
}

QString Whole_Characters_Within(const QString &text, qsizetype units)
{
    if (text.size() <= units)
        return text;
    if (units <= 0)
        return {};
    const QStringView part = QStringView(text).first(std::min(text.size(), units + kLongestCharacter));
    t_segmented += part.size();
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, part.data(), int(part.size()));
    finder.setPosition(int(units + 1));
    qsizetype at = finder.toPreviousBoundary();
    while (at > 0 && insideFlag(part, at))
        at = finder.toPreviousBoundary();
    if (at <= 0) {  // one character longer than any real one: cut at a code point
        at = units;
        if (text.at(at - 1).isHighSurrogate() && text.at(at).isLowSurrogate())
            --at;
    }
    return text.left(at);
}

qsizetype Segmented_Units() { return t_segmented; }

}  // namespace platform
