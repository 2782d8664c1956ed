#pragma once
// Every length limit on a text (a field that takes at most 40 characters, a value shown cut in a
// list or a message) counts and cuts what a reader sees as one character: a letter with its
// accents, an emoji with its skin tone or its joined parts, a flag. A QString's size counts
// UTF-16 units, so a cut at a unit count can leave half an emoji, which shows as a box and is
// written as "?"; these functions never do.
//
// Work is bounded by the limit, not by the text: a 60 MB value cut to 1000 characters has its
// first few thousand units segmented only (a run of flags at a cut from the end is walked back to
// its start, unsegmented: flags pair from there). A "character" longer than any real one (marks
// piled on a letter, more than kLongestCharacter units) is counted per code point instead, so
// such text cannot slip past a limit. Pure and thread-safe.

#include <QString>
#include <QStringView>

namespace platform {

inline constexpr qsizetype kLongestCharacter = 32;  // UTF-16 units; a region's flag takes 14

// Whether the text has more than `n` characters.
bool Longer_Than(QStringView text, qsizetype n);
// The first `n` characters, the whole text when it has no more; nothing for n <= 0.
QString First_Characters(const QString &text, qsizetype n);
// The last `n` characters, the whole text when it has no more; nothing for n <= 0.
QString Last_Characters(const QString &text, qsizetype n);
// The longest start of the text of whole characters within `units` UTF-16 units: for a bound on
// what a text costs to lay out rather than on what a user may type.
QString Whole_Characters_Within(const QString &text, qsizetype units);

// How many UTF-16 units the calls above have handed to the character segmenter on this thread
// so far: the work they did, which follows the limit and not the text's length.
qsizetype Segmented_Units();

}  // namespace platform
