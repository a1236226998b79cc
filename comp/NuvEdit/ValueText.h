// The text rules of the typed edit that do not need a window: how a value text is
// classified (integer, decimal, hexadecimal), what number it stands for, how money values
// are grouped, how mixed case is applied and which texts look like links. The edit and its
// tests share them, so the rules live in one place.
#pragma once

#include "platform/core/FormatSettings.h"

#include <QChar>
#include <QString>

enum class TValueKind
{
    vkInteger,
    vkDecimal,
    vkHex,
    vkOther
};

// A minus sign counts only as the first character: "1-2" is no number of any kind.
TValueKind ClassifyValue(const QString& text, const TFormatSettings& settings);
TValueKind ClassifyValue(const QString& text);

// The text without thousand separators, converted in the locale format; 0 when it does not
// convert.
double NumberOfText(const QString& text, const TFormatSettings& settings);
double NumberOfText(const QString& text);

// The value of hexadecimal digits (a leading "-" negates; other characters count 0).
double HexValue(const QString& text);

// The part before the first decimal separator without thousand separators: what a length
// limit counts.
int IntegerPartLength(const QString& value, const TFormatSettings& settings);

// A money value with its integer part grouped anew ("1234567.5" -> "1,234,567.5"), or
// ungrouped when grouping is off. Sign and decimal part (from the decimal separator on) are
// kept as they stand; leading zeros of the integer part go. Works on the digits themselves, so
// long values keep every digit.
QString RegroupMoney(const QString& value, bool grouping, const TFormatSettings& settings);

// Upper case after a word separator, lower case elsewhere, with the "Mc", "Mac" and roman
// numeral ("II", "III" at the end) exceptions.
QString MixedCase(const QString& text);

// Text that contains "://", has an "@" after its first character or starts with "www.".
bool LooksLikeLink(const QString& text);
