// Numbers to text and back with the locale's separators, and Format, a typed printf-like
// helper for the patterns the components build their texts with ("%.2d", "%s %s", "%.2n").
//
// Format specifiers are "%" [index ":"] ["-"] [width] ["." precision] type:
//   d  integer; precision = least number of digits, zero-filled ("%.2d" of 5 is "05")
//   x  integer in upper-case hexadecimal; precision as for d; negative values in two's
//      complement of the argument's own width (-1 as an int is FFFFFFFF)
//   f  fixed decimals, precision 2 unless given
//   n  as f, with thousand separators
//   g  general: the shortest text of up to precision (default 15) significant digits, in
//      scientific notation from 1E15 up and below 1E-4 (as FloatToStr)
//   s  text; a precision cuts it to that many characters
//   %% a percent sign
// A width pads with blanks on the left, or on the right after "-"; an index picks the
// argument, and the following specifiers go on from there. Decimal and thousand separators
// come from the settings.
//
// Decimal rounding works on the value as it is written with 15 significant digits, halves
// away from zero: 2.675 shows as "2.68" with two decimals, as a user who sees 2.675 expects,
// although the double nearest to 2.675 lies just below it.
//
// Arguments are typed: integers are taken by d, x, f, n and g, numbers with decimals by f,
// n and g, texts by s only. A missing or unsuitable argument, or a malformed specifier,
// raises EConvertError naming the pattern and the specifier; surplus arguments are ignored.
#pragma once

#include "platform/core/FormatSettings.h"

#include <QChar>
#include <QString>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <type_traits>
#include <variant>

// The integer types Format takes as numbers: flags and character types are not among them.
template <typename T>
concept TFormatInteger = std::integral<T> && !std::same_as<T, bool> && !std::same_as<T, char> &&
                         !std::same_as<T, wchar_t> && !std::same_as<T, char8_t> &&
                         !std::same_as<T, char16_t> && !std::same_as<T, char32_t>;

// One argument of Format: an integer (with the width of its type, for hexadecimal), a
// number with decimals, or a text.
class TFormatArg
{
public:
    struct TInteger
    {
        bool negative;
        std::uint64_t magnitude;
        int bits;
    };

    template <TFormatInteger T>
    TFormatArg(T value)
        : m_value(TInteger{isNegative(value), magnitudeOf(value), int(sizeof(T) * 8)})
    {}
    template <std::floating_point T>
    TFormatArg(T value) : m_value(double(value))
    {}
    TFormatArg(const QString& text) : m_value(text) {}
    TFormatArg(const char* text) : m_value(QString::fromUtf8(text)) {}
    TFormatArg(QChar c) : m_value(QString(c)) {}
    TFormatArg(char c) : m_value(QString(QLatin1Char(c))) {}
    // A flag is not a number here: write the text it stands for.
    TFormatArg(bool) = delete;
    TFormatArg(std::nullptr_t) = delete;

    const std::variant<TInteger, double, QString>& Value() const { return m_value; }

private:
    template <typename T>
    static bool isNegative(T value)
    {
        if constexpr (std::is_signed_v<T>)
            return value < 0;
        else
            return false;
    }

    template <typename T>
    static std::uint64_t magnitudeOf(T value)
    {
        // Unsigned negation is defined, so the most negative value needs no special case.
        if constexpr (std::is_signed_v<T>)
            return value < 0 ? std::uint64_t(0) - std::uint64_t(std::int64_t(value))
                             : std::uint64_t(value);
        else
            return std::uint64_t(value);
    }

    std::variant<TInteger, double, QString> m_value;
};

QString Format(const QString& pattern, std::initializer_list<TFormatArg> args);
QString Format(const TFormatSettings& settings, const QString& pattern,
               std::initializer_list<TFormatArg> args);

// What Format accepts as its arguments: anything a TFormatArg is made from.
template <typename T>
concept TFormatArgument = std::constructible_from<TFormatArg, const T&>;

template <TFormatArgument... Args>
QString Format(const QString& pattern, const Args&... args)
{
    return Format(pattern, {TFormatArg(args)...});
}

template <TFormatArgument... Args>
QString Format(const TFormatSettings& settings, const QString& pattern, const Args&... args)
{
    return Format(settings, pattern, {TFormatArg(args)...});
}

// The shortest general text with up to 15 significant digits: "0.1", "2.5", "1E20", "1E-5";
// "NAN", "INF" and "-INF" for the values that are no numbers.
QString FloatToStr(double value);
QString FloatToStr(double value, const TFormatSettings& settings);

// Optional blanks, sign, digits with at most one decimal separator (the locale's; "." is not
// accepted in its place), an optional exponent. No thousand separators.
bool TryStrToFloat(const QString& text, double& result);
bool TryStrToFloat(const QString& text, double& result, const TFormatSettings& settings);
// StrToFloat raises EConvertError "'text' is not a valid floating point value".
double StrToFloat(const QString& text);
double StrToFloat(const QString& text, const TFormatSettings& settings);

QString IntToStr(std::int64_t value);
// Optional blanks and sign, then decimal digits, or hexadecimal ones after "$" or "0x". The
// value must fit the result type.
bool TryStrToInt(const QString& text, int& result);
int StrToInt(const QString& text); // EConvertError "'text' is not a valid integer value"
bool TryStrToInt64(const QString& text, std::int64_t& result);
std::int64_t StrToInt64(const QString& text);

// Upper-case hexadecimal with at least digits digits; negative values in two's complement of
// the type's width (IntToHex(-1, 2) is "FFFFFFFF" for an int).
QString UIntToHex(std::uint64_t bits, int digits);
template <TFormatInteger T>
QString IntToHex(T value, int digits)
{
    return UIntToHex(std::uint64_t(std::make_unsigned_t<T>(value)), digits);
}
