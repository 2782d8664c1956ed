#pragma once
// A small pull scanner over XML bytes, for the parts of a workbook that can be large (sheets and
// shared strings): it walks tags in place, keeps no tree, and reads only what the caller asks.
// It knows no DTD: a document type declaration ends the scan as an error, so no entity of the
// file's own is ever expanded.

#include <QString>
#include <initializer_list>
#include <string_view>

namespace xmlpull {

struct Token {
    enum Kind { Start, End, Empty, CData, Other, Eof, Error } kind = Eof;
    std::string_view name;   // local name, without any prefix
    std::string_view attrs;  // raw attribute text of a start tag, or the content of a CDATA section
};

class Scanner {
public:
    Scanner(const char *begin, const char *end) : m_p(begin), m_end(end) {}
    // The next tag (Other: a comment or processing instruction); `text` receives the raw
    // character data between the previous token and this one.
    Token next(std::string_view &text);
private:
    const char *m_p;
    const char *m_end;
};

// The raw value of an unprefixed attribute, empty when absent.
std::string_view attribute(std::string_view attrs, std::string_view name);
// The raw values of several unprefixed attributes in one pass over the tag (a cell's r, t and s):
// each `value` is set to its attribute's value, or left empty when the tag has none. The first
// of repeated attributes counts, as with attribute().
struct Wanted {
    std::string_view name;
    std::string_view *value;
};
void attributes(std::string_view attrs, std::initializer_list<Wanted> wanted);
// Appends character data with its predefined and numeric references resolved and line ends
// normalised; `escapes` also resolves the workbook's "_xHHHH_" escapes of control characters.
void appendText(QString &out, std::string_view raw, bool escapes);
// Resolves the "_xHHHH_" escapes of a whole text.
void resolveEscapes(QString &text);

}  // namespace xmlpull
