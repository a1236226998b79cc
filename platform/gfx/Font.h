// The font a canvas writes with: a family name as the components store it, a height in
// pixels, a colour, a style set, a charset and a rotation. Family names from the classic
// desktop are mapped onto the installed DejaVu and Liberation families so that text metrics
// are the same on every machine, and glyphs are rendered hinted and without antialiasing so
// that tests can read pixels.
#pragma once

#include "platform/core/Color.h"
#include "platform/core/EnumSet.h"

#include <QFont>
#include <QString>
#include <cstdint>
#include <functional>
#include <initializer_list>

enum class TFontStyle
{
    fsBold,
    fsItalic,
    fsUnderline,
    fsStrikeOut
};

// A set of TFontStyle values.
using TFontStyles = TEnumSet<TFontStyle>;

// Charset numbers as they are stored with a font.
inline constexpr int ANSI_CHARSET = 0;
inline constexpr int DEFAULT_CHARSET = 1;
inline constexpr int SYMBOL_CHARSET = 2;

class TFont
{
public:
    TFont();
    TFont(const TFont& other);
    // Copies the description, not the OnChange handler (as Assign does).
    TFont& operator=(const TFont& other);

    // The screen resolution that Size and Height convert with.
    static constexpr int PixelsPerInch = 96;

    const QString& Name() const { return m_name; } // "MS Sans Serif"
    void SetName(const QString& name);

    // Negative: the character height (em size) in pixels; positive: the cell height
    // (ascent + descent) in pixels; 0 takes the default height.
    int Height() const { return m_height; } // -11
    void SetHeight(int height);
    // Points, derived from Height: -Height * 72 / PixelsPerInch, rounded.
    int Size() const; // 8
    void SetSize(int points);

    TColor Color() const { return m_color; } // clWindowText
    void SetColor(TColor color);

    TFontStyles Style() const { return m_style; } // {}
    void SetStyle(TFontStyles style);

    int Charset() const { return m_charset; } // DEFAULT_CHARSET
    void SetCharset(int charset);

    // Rotation of text written with this font, in tenths of a degree counter-clockwise.
    int Orientation() const { return m_orientation; } // 0
    void SetOrientation(int tenthsOfDegree);

    // Takes over name, height, colour, style, charset and orientation; notifies once when
    // anything differed.
    void Assign(const TFont& other);

    // Called after every change that altered a value.
    std::function<void(TFont& sender)> OnChange;

    // Counts the changes; lets a painter keep what it derives from the font until the next.
    std::uint64_t Revision() const { return m_revision; }

    // The Qt font: the mapped family, pixel size, style, full hinting, no antialiasing, no
    // kerning. Orientation and colour are applied by the canvas.
    QFont ToQFont() const;

    // The installed family a stored font name is drawn with; unknown names pass through.
    static QString MapFamily(const QString& name);

    // Whether text in this font is meant in the Symbol encoding (Greek letters at the Latin
    // code points), which the canvas translates to Unicode before output.
    bool IsSymbolEncoded() const;
    static QString SymbolToUnicode(const QString& text);

    friend bool operator==(const TFont& a, const TFont& b);

private:
    void changed();

    QString m_name;
    int m_height = -11;
    TColor m_color = clWindowText;
    TFontStyles m_style;
    int m_charset = DEFAULT_CHARSET;
    int m_orientation = 0;
    std::uint64_t m_revision = 0;
};
