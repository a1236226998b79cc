// Classification, numbers, grouping and casing of the typed edit's value texts.
#include "comp/NuvEdit/ValueText.h"

#include "platform/core/NumberFormat.h"

namespace {

bool isHexDigit(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Separators closer than three positions to each other make no grouped number.
bool thousandsSpacedWell(const QString& text, QChar thousand)
{
    if (thousand.isNull())
        return true;
    int previous = -1;
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] != thousand)
            continue;
        if (previous >= 0 && i - previous < 3)
            return false;
        previous = i;
    }
    return true;
}

bool isMixedCaseSeparator(QChar c)
{
    static const QString separators = QStringLiteral(" \"$()*,-./:[\\]");
    return separators.contains(c);
}

} // namespace

TValueKind ClassifyValue(const QString& text, const TFormatSettings& settings)
{
    if (text.isEmpty())
        return TValueKind::vkOther;
    if (text.count(u'-') > 1 || text.count(settings.DecimalSeparator) > 1)
        return TValueKind::vkOther;
    if (text.indexOf(u'-') > 0)
        return TValueKind::vkOther;
    bool integer = true;
    bool decimal = true;
    bool hex = true;
    for (QChar c : text) {
        const bool digit = isDigit(c) || c == u'-';
        integer = integer && digit;
        decimal = decimal && (digit || c == u',' || c == u'.');
        hex = hex && (digit || isHexDigit(c));
    }
    // A lone sign is no number.
    if (text == QStringLiteral("-"))
        return TValueKind::vkOther;
    if (integer)
        return TValueKind::vkInteger;
    if (decimal && thousandsSpacedWell(text, settings.ThousandSeparator))
        return TValueKind::vkDecimal;
    if (hex)
        return TValueKind::vkHex;
    return TValueKind::vkOther;
}

TValueKind ClassifyValue(const QString& text)
{
    return ClassifyValue(text, FormatSettings());
}

double NumberOfText(const QString& text, const TFormatSettings& settings)
{
    QString plain = text;
    if (!settings.ThousandSeparator.isNull())
        plain.remove(settings.ThousandSeparator);
    double result = 0;
    if (!TryStrToFloat(plain, result, settings))
        return 0;
    return result;
}

double NumberOfText(const QString& text)
{
    return NumberOfText(text, FormatSettings());
}

double HexValue(const QString& text)
{
    double result = 0;
    for (QChar c : text) {
        int digit = 0;
        if (isDigit(c))
            digit = c.unicode() - u'0';
        else if (c >= u'A' && c <= u'F')
            digit = c.unicode() - u'A' + 10;
        else if (c >= u'a' && c <= u'f')
            digit = c.unicode() - u'a' + 10;
        result = result * 16 + digit;
    }
    return text.startsWith(u'-') ? -result : result;
}

int IntegerPartLength(const QString& value, const TFormatSettings& settings)
{
    const int dec = value.indexOf(settings.DecimalSeparator);
    QString part = dec >= 0 ? value.left(dec) : value;
    if (!settings.ThousandSeparator.isNull())
        part.remove(settings.ThousandSeparator);
    return int(part.size());
}

QString RegroupMoney(const QString& value, bool grouping, const TFormatSettings& settings)
{
    QString rest = value;
    QString sign;
    if (rest.startsWith(u'-')) {
        sign = QStringLiteral("-");
        rest.remove(0, 1);
    }
    const int dec = rest.indexOf(settings.DecimalSeparator);
    const QString decimals = dec >= 0 ? rest.mid(dec) : QString();
    QString digits;
    for (QChar c : dec >= 0 ? rest.left(dec) : rest)
        if (isDigit(c))
            digits += c;
    while (digits.size() > 1 && digits.startsWith(u'0'))
        digits.remove(0, 1);
    if (digits.isEmpty())
        digits = QStringLiteral("0");
    if (grouping && !settings.ThousandSeparator.isNull())
        for (qsizetype i = digits.size() - 3; i > 0; i -= 3)
            digits.insert(i, settings.ThousandSeparator);
    return sign + digits + decimals;
}

QString MixedCase(const QString& text)
{
    QString s = text;
    for (int i = 0; i < s.size(); ++i) {
        const bool afterSeparator = i == 0 || isMixedCaseSeparator(s[i - 1]);
        s[i] = afterSeparator ? s[i].toUpper() : s[i].toLower();
    }
    if (s.startsWith(QStringLiteral("Mc")) && s.size() > 2)
        s[2] = s[2].toUpper();
    if (s.startsWith(QStringLiteral("Mac")) && s.size() > 3)
        s[3] = s[3].toUpper();
    for (qsizetype at = s.indexOf(QStringLiteral(" Mc")); at >= 0;
         at = s.indexOf(QStringLiteral(" Mc"), at + 1))
        if (at + 3 < s.size())
            s[at + 3] = s[at + 3].toUpper();
    // Roman numerals after a name ("Henry II", "Volume III") are only looked for at the end.
    for (qsizetype i = std::max<qsizetype>(0, s.size() - 3); i < s.size(); ++i) {
        if ((i >= 2 && s.mid(i - 2, 2) == QStringLiteral(" I")) ||
            (i >= 3 && s.mid(i - 3, 3) == QStringLiteral(" II")))
            s[i] = s[i].toUpper();
    }
    return s;
}

bool LooksLikeLink(const QString& text)
{
    return text.contains(QStringLiteral("://")) || text.indexOf(u'@') > 0 ||
           text.startsWith(QStringLiteral("www."), Qt::CaseInsensitive);
}
