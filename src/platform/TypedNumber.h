#pragma once
// The one rule by which every number field reads what the user typed. A number is written with a
// point as its decimal mark, in every locale, as every field shows it; a mark that some locale puts
// between groups of digits ("1,000", "1 000", "1'000") is no part of a number. Read through the
// locale, "80,5" would be 805 under English and "1.5" would be 15 under German; by this rule a
// field uses the value typed or, when the text is no number, goes back to the value in force.
// Pure and thread-safe.

#include <QLocale>
#include <QString>
#include <optional>

namespace platform {

// The typed number, surrounding blanks aside; nothing when the text is no finite number.
std::optional<double> Typed_Number(const QString &typed);
// The typed whole number: digits, a sign before them at most, surrounding blanks aside; nothing
// for any other text. "1.500" is one and a half (a point is the decimal mark), so no whole
// number: a whole-number field refuses it as a whole rather than keep its whole part.
std::optional<double> Typed_Whole_Number(const QString &typed);
// Whether the text holds a digit-group mark, this locale's or a common one. A field keeps such a
// keystroke (dropped, "80,5" would read as 805) and refuses the whole text when it is left.
bool Holds_Digit_Grouping(const QString &typed);
// Whether the text holds a decimal point or a digit-group mark: whatever its digits, no whole
// number ("1.500" is one and a half, "1,500" read up to its mark is 1). A whole-number field
// keeps such a key and refuses the whole text when it is left.
bool Holds_Fraction_Or_Grouping(const QString &typed);
// The locale a number field shows its number in: a point as decimal mark, no digit groups.
QLocale Number_Field_Locale();

}  // namespace platform
