#pragma once
// The base of every linear and postal symbology. A symbol holds the value to encode (its
// content), the texts drawn with it and its sizes, and turns the content into a module string:
// one character per module from left to right, '1' a bar module and '0' a space module. The
// renderer draws runs of '1' as bars and asks the symbol for each bar's top and bottom.
//
// Nothing here reads global state: the fonts and margins a symbol is sized with are handed to
// it by whoever lays it out.

#include <QFont>
#include <QString>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace barcode {

// The margins, in points, that a symbol's bar extents leave room for.
struct Barcode_Margins {
    float value = 0.1f;
    float header = 0.1f;
    float footer = 0.1f;
    float TB = 0.1f;
};

class NKDBarcode {
public:
    explicit NKDBarcode(const QString &content, bool printsCaption = true);
    virtual ~NKDBarcode() = default;
    virtual std::unique_ptr<NKDBarcode> clone() const;

    // Plain accessors.
    void setHeader(const QString &header) { m_header = header; }
    void setFooter(const QString &footer) { m_footer = footer; }
    virtual void setContent(const QString &content) { m_content = content; }
    virtual void setHeight(float height) { m_height = height; }
    void setWidth(float width) { m_width = width; }
    void setCheckDigit(signed char checkDigit) { m_checkDigit = checkDigit; }
    virtual void setBarWidth(float barWidth) { m_barWidth = barWidth; }
    void setPrintsCaption(bool prints) { m_printsCaption = prints; }
    void setPrintsHeader(bool prints) { m_printsHeader = prints; }
    void setPrintsFooter(bool prints) { m_printsFooter = prints; }
    void setCaptionHeight(float inches) { m_captionHeight = inches; }
    void setHeaderHeight(float inches) { m_headerHeight = inches; }
    void setFooterHeight(float inches) { m_footerHeight = inches; }
    void setHeaderWidth(float points) { m_headerWidth = points; }
    void setFooterWidth(float points) { m_footerWidth = points; }
    void set_Barcode_Orientation(int orientation) { m_orientation = orientation; }
    void setMargins(const Barcode_Margins &margins) { m_margins = margins; }

    QString content() const { return m_content; }
    float height() const { return m_height; }
    float width() const { return m_width; }
    signed char checkDigit() const { return m_checkDigit; }
    float barWidth() const { return m_barWidth; }
    bool printsCaption() const { return m_printsCaption; }
    bool printsHeader() const { return m_printsHeader; }
    bool printsFooter() const { return m_printsFooter; }
    float captionHeight() const { return m_captionHeight; }
    float headerHeight() const { return m_headerHeight; }
    float footerHeight() const { return m_footerHeight; }
    float headerWidth() const { return m_headerWidth; }
    float footerWidth() const { return m_footerWidth; }
    float caption_fontSize() const { return m_captionFontSize; }
    float header_fontSize() const { return m_headerFontSize; }
    float footer_fontSize() const { return m_footerFontSize; }
    int Barcode_Orientation() const { return m_orientation; }
    const Barcode_Margins &margins() const { return m_margins; }
    QString header() const { return m_header; }
    QString footer() const { return m_footer; }

    // Width = modules of the complete barcode x bar width.
    virtual void calculateWidth();
    bool isSizeValid() const { return true; }
    virtual void generateChecksum() {}
    // Every character has a pattern (and the content is ASCII).
    virtual bool isContentValid() const;

    virtual QString initiator() const { return QString(); }
    virtual QString terminator() const { return QString(); }
    virtual QString _encodeChar(char c) const;
    // The modules of the content and of the check digit.
    virtual QString barcode() const;
    // initiator + barcode + terminator: the module string the renderer draws.
    QString completeBarcode() const;

    // Caption sizes. The heights follow the fonts the symbol is drawn with; the sizes passed in
    // are only kept.
    void setCaptionFontSize(float size, const QFont &valueFont);
    void setHeaderFontSize(float size, const QFont &headerFont);
    void setFooterFontSize(float size, const QFont &footerFont);

    virtual int digitsToLeft() const { return 0; }
    virtual int digitsToRight() const { return 0; }
    virtual QString leftCaption() const;
    virtual QString rightCaption() const;
    virtual QString caption() const;

    // Bottom and top of the bar whose last module is at index i of the complete barcode,
    // in points above the bars' base line.
    virtual float barBottom(int i) const;
    virtual float barTop(int i) const;
    // True when bars differ in where they start, not only in how high they reach (four-state
    // postal codes), so the renderer must honour barBottom for every bar.
    virtual bool drawsFourStateBars() const { return false; }
    // True when the caption is printed in digit groups under the halves of the symbol, with
    // the left and right captions beside the bars (UPC/EAN): the caption's tabs separate the
    // groups. Any other caption is one line, whatever it holds.
    virtual bool printsDigitGroups() const { return false; }
    // The first and last module (complete barcode indexes) under which each digit group of
    // the caption is centred.
    virtual std::vector<std::pair<int, int>> digitGroupModules() const { return {}; }
    virtual float firstBar() const { return 0.0f; }
    virtual float lastBar() const { return m_width - m_barWidth; }

    bool isEqual(const NKDBarcode &other) const { return m_content == other.m_content; }

protected:
    NKDBarcode(const NKDBarcode &) = default;
    NKDBarcode &operator=(const NKDBarcode &) = default;
    // The content's ASCII bytes, or nothing (and false) when it has a character outside ASCII.
    static bool asciiForm(const QString &text, QByteArray &bytes);
    // The patterns of the text's characters joined, then the check digit's when one is set;
    // "" for a text that is not ASCII.
    static QString joinPatterns(const QString &text, signed char checkDigit,
                                const std::function<QString(char)> &pattern);
    // The text with its ASCII letters in upper case; other characters stay as they are (a
    // character outside ASCII must not turn into letters a symbol would take).
    static QString asciiUpper(const QString &text);
    // True when the text is ASCII and every character passes the test.
    static bool everyCharacter(const QString &text, const std::function<bool(char)> &test);
    // Sum of the texts' heights (points) below or above the bars, as barBottom answers it.
    float textHeightsPoints() const;

    signed char m_checkDigit = -1;
    float m_barWidth = 0.0f;
    QString m_content;
    QString m_header;
    QString m_footer;
    float m_height = 0.0f;
    float m_width = 0.0f;
    bool m_printsCaption = true;
    bool m_printsHeader = false;
    bool m_printsFooter = false;
    float m_captionFontSize = 0.0f;
    float m_headerFontSize = 0.0f;
    float m_footerFontSize = 0.0f;
    float m_captionHeight = 0.0f;
    float m_headerHeight = 0.0f;
    float m_footerHeight = 0.0f;
    float m_headerWidth = 0.0f;
    float m_footerWidth = 0.0f;
    int m_orientation = 0;
    Barcode_Margins m_margins;
};

}  // namespace barcode
