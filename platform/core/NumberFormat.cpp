// Number texts. Digits come from std::to_chars, which is exact and ignores the C locale, so
// the settings alone decide the separators; decimal rounding is then done on those digits
// (see the header for why it rounds the 15-digit text, not the binary value).
#include "platform/core/NumberFormat.h"

#include "platform/core/Exceptions.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace {

// A positive number as significant digits and the position of the decimal point:
// value = 0.<digits> x 10^point, so 12.5 is {"125", 2} and 0.05 is {"5", -1}.
struct TDigits
{
    std::string digits;
    int point = 0;
};

TDigits significantDigits(double positive, int count)
{
    char buffer[64];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, positive,
                                 std::chars_format::scientific, count - 1);
    const std::string text(buffer, r.ptr);
    const std::size_t e = text.find('e');
    TDigits d;
    for (std::size_t i = 0; i < e; ++i)
        if (text[i] != '.')
            d.digits += text[i];
    d.point = std::stoi(text.substr(e + 1)) + 1;
    return d;
}

// The 15 digits a double reliably holds; every decimal text of a double starts from these.
TDigits digitsOf(double positive)
{
    return significantDigits(positive, 15);
}

// Keeps the first keep digits, rounding halves away from zero; a carry out of the first
// digit adds one in front (9.96 to two digits is 10).
void roundTo(TDigits& d, int keep)
{
    if (keep >= int(d.digits.size()))
        return;
    if (keep < 0) {
        d.digits.clear();
        return;
    }
    const bool up = d.digits[std::size_t(keep)] >= '5';
    d.digits.resize(std::size_t(keep));
    if (!up)
        return;
    int i = keep - 1;
    while (i >= 0 && d.digits[std::size_t(i)] == '9')
        d.digits[std::size_t(i--)] = '0';
    if (i < 0) {
        d.digits.insert(d.digits.begin(), '1');
        ++d.point;
    } else {
        ++d.digits[std::size_t(i)];
    }
}

void trimTrailingZeros(TDigits& d)
{
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
}

QString grouped(const std::string& integerDigits, QChar thousand)
{
    QString out;
    const int n = int(integerDigits.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0 && !thousand.isNull())
            out += thousand;
        out += QLatin1Char(integerDigits[std::size_t(i)]);
    }
    return out;
}

QString specialText(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

QString assembleFixed(bool negative, const std::string& integerDigits,
                      const std::string& fractionDigits, QChar decimal, QChar thousand)
{
    const bool zero = integerDigits.find_first_not_of('0') == std::string::npos &&
                      fractionDigits.find_first_not_of('0') == std::string::npos;
    QString out;
    // A value that rounds to zero shows no sign: "-0.00" would read as a debt.
    if (negative && !zero)
        out += u'-';
    out += grouped(integerDigits.empty() ? std::string("0") : integerDigits, thousand);
    if (!fractionDigits.empty())
        out +=
            decimal + QString::fromLatin1(fractionDigits.data(), qsizetype(fractionDigits.size()));
    return out;
}

QString fixedText(double value, int decimals, QChar decimal, QChar thousand)
{
    if (!std::isfinite(value))
        return specialText(value);
    const bool negative = value < 0;
    const double a = std::fabs(value);
    std::string integerDigits, fractionDigits;
    if (a == 0) {
        fractionDigits.assign(std::size_t(decimals), '0');
    } else if (a < 1e15) {
        TDigits d = digitsOf(a);
        roundTo(d, d.point + decimals);
        const int size = int(d.digits.size());
        for (int k = 0; k < d.point; ++k)
            integerDigits += k < size ? d.digits[std::size_t(k)] : '0';
        for (int k = 0; k < decimals; ++k) {
            const int index = d.point + k;
            fractionDigits += index >= 0 && index < size ? d.digits[std::size_t(index)] : '0';
        }
    } else {
        // Beyond 15 digits there is nothing to round to the user's eye: print exactly.
        std::string buffer(std::size_t(decimals) + 400, '\0');
        const auto r = std::to_chars(buffer.data(), buffer.data() + buffer.size(), a,
                                     std::chars_format::fixed, decimals);
        const std::string text(buffer.data(), r.ptr);
        const std::size_t dot = text.find('.');
        integerDigits = text.substr(0, dot);
        if (dot != std::string::npos)
            fractionDigits = text.substr(dot + 1);
    }
    return assembleFixed(negative, integerDigits, fractionDigits, decimal, thousand);
}

QString generalText(double value, int precision, QChar decimal)
{
    if (!std::isfinite(value))
        return specialText(value);
    if (value == 0)
        return QStringLiteral("0");
    precision = std::clamp(precision, 1, 17);
    TDigits d;
    if (precision <= 15) {
        d = digitsOf(std::fabs(value));
        roundTo(d, precision);
    } else {
        d = significantDigits(std::fabs(value), precision);
    }
    trimTrailingZeros(d);
    const int exponent = d.point - 1;
    const QString digits = QString::fromLatin1(d.digits.data(), qsizetype(d.digits.size()));
    QString out = value < 0 ? QStringLiteral("-") : QString();
    if (exponent >= precision || exponent < -4) {
        out += digits.front();
        if (digits.size() > 1)
            out += decimal + digits.mid(1);
        out += u'E' + QString::number(exponent);
    } else if (d.point <= 0) {
        out += u'0' + QString(decimal) + QString(-d.point, u'0') + digits;
    } else if (d.point >= digits.size()) {
        out += digits + QString(d.point - digits.size(), u'0');
    } else {
        out += digits.left(d.point) + decimal + digits.mid(d.point);
    }
    return out;
}

std::string decimalDigitsOf(std::uint64_t magnitude)
{
    char buffer[24];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, magnitude);
    return std::string(buffer, r.ptr);
}

QString hexDigits(std::uint64_t bits, int digits)
{
    char buffer[24];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, bits, 16);
    QString out = QString::fromLatin1(buffer, r.ptr - buffer).toUpper();
    if (out.size() < digits)
        out.prepend(QString(digits - out.size(), u'0'));
    return out;
}

// --- Format -------------------------------------------------------------------------------

// Large enough for any sensible text, small enough that a typo cannot ask for gigabytes.
constexpr int MaxWidthOrPrecision = 1000;

class TFormatter
{
public:
    TFormatter(const TFormatSettings& settings, const QString& pattern,
               std::initializer_list<TFormatArg> args)
        : m_settings(settings), m_pattern(pattern), m_args(args)
    {}

    QString run()
    {
        QString out;
        const qsizetype n = m_pattern.size();
        qsizetype i = 0;
        while (i < n) {
            const QChar c = m_pattern[i];
            if (c != u'%') {
                out += c;
                ++i;
                continue;
            }
            if (i + 1 < n && m_pattern[i + 1] == u'%') {
                out += u'%';
                i += 2;
                continue;
            }
            out += specifier(i);
        }
        return out;
    }

private:
    // Reads the specifier at pos (which holds the "%"), moves pos past it and returns its
    // text.
    QString specifier(qsizetype& pos)
    {
        const qsizetype start = pos++;
        int index = -1, width = -1, precision = -1;
        bool left = false;
        int number = -1;
        if (readNumber(pos, number, start)) {
            if (pos < m_pattern.size() && m_pattern[pos] == u':') {
                index = number;
                ++pos;
            } else {
                width = number;
            }
        }
        if (width < 0) {
            if (pos < m_pattern.size() && m_pattern[pos] == u'-') {
                left = true;
                ++pos;
            }
            readNumber(pos, width, start);
        }
        if (pos < m_pattern.size() && m_pattern[pos] == u'.') {
            ++pos;
            if (!readNumber(pos, precision, start))
                invalid(start, pos);
        }
        if (pos >= m_pattern.size())
            invalid(start, pos);
        const char16_t type = m_pattern[pos].toLower().unicode();
        ++pos;
        const QString written = m_pattern.mid(start, pos - start);

        if (index >= 0)
            m_next = index;
        if (m_next >= int(m_args.size()))
            throw EConvertError(QStringLiteral("Format \"%1\": no argument for \"%2\" (%3 given)")
                                    .arg(m_pattern, written)
                                    .arg(m_args.size()));
        const int argNumber = m_next;
        const TFormatArg& arg = m_args.begin()[m_next++];

        QString text;
        switch (type) {
        case u'd': {
            const auto& v = integer(arg, written, argNumber);
            std::string digits = decimalDigitsOf(v.magnitude);
            if (int(digits.size()) < precision)
                digits.insert(0, std::size_t(precision) - digits.size(), '0');
            text = (v.negative ? QStringLiteral("-") : QString()) + QString::fromStdString(digits);
            break;
        }
        case u'x': {
            const auto& v = integer(arg, written, argNumber);
            std::uint64_t bits = v.negative ? std::uint64_t(0) - v.magnitude : v.magnitude;
            if (v.bits < 64)
                bits &= (std::uint64_t(1) << v.bits) - 1;
            text = hexDigits(bits, precision);
            break;
        }
        case u'f':
        case u'n': {
            const QChar thousand = type == u'n' ? m_settings.ThousandSeparator : QChar();
            const int decimals = precision < 0 ? 2 : precision;
            if (const auto* v = std::get_if<TFormatArg::TInteger>(&arg.Value()))
                // Exact for every integer, even those a double cannot hold.
                text = assembleFixed(v->negative, decimalDigitsOf(v->magnitude),
                                     std::string(std::size_t(decimals), '0'),
                                     m_settings.DecimalSeparator, thousand);
            else
                text = fixedText(real(arg, written, argNumber), decimals,
                                 m_settings.DecimalSeparator, thousand);
            break;
        }
        case u'g':
            text = generalText(real(arg, written, argNumber), precision < 0 ? 15 : precision,
                               m_settings.DecimalSeparator);
            break;
        case u's': {
            const auto* s = std::get_if<QString>(&arg.Value());
            if (!s)
                mismatch(written, argNumber, arg);
            text = precision >= 0 ? s->left(precision) : *s;
            break;
        }
        default:
            invalid(start, pos);
        }
        if (text.size() < width) {
            const QString padding(width - text.size(), u' ');
            text = left ? text + padding : padding + text;
        }
        return text;
    }

    bool readNumber(qsizetype& pos, int& value, qsizetype start)
    {
        const qsizetype from = pos;
        value = 0;
        while (pos < m_pattern.size() && m_pattern[pos] >= u'0' && m_pattern[pos] <= u'9') {
            value = value * 10 + (m_pattern[pos].unicode() - u'0');
            if (value > MaxWidthOrPrecision)
                invalid(start, pos + 1);
            ++pos;
        }
        if (pos == from)
            value = -1;
        return pos > from;
    }

    const TFormatArg::TInteger& integer(const TFormatArg& arg, const QString& written, int number)
    {
        const auto* v = std::get_if<TFormatArg::TInteger>(&arg.Value());
        if (!v)
            mismatch(written, number, arg);
        return *v;
    }

    double real(const TFormatArg& arg, const QString& written, int number)
    {
        if (const auto* v = std::get_if<double>(&arg.Value()))
            return *v;
        if (const auto* v = std::get_if<TFormatArg::TInteger>(&arg.Value()))
            return v->negative ? -double(v->magnitude) : double(v->magnitude);
        mismatch(written, number, arg);
    }

    [[noreturn]] void mismatch(const QString& written, int number, const TFormatArg& arg)
    {
        const char* kind = std::holds_alternative<QString>(arg.Value())  ? "a text"
                           : std::holds_alternative<double>(arg.Value()) ? "a number with decimals"
                                                                         : "an integer";
        throw EConvertError(
            QStringLiteral("Format \"%1\": argument %2 is %3, which \"%4\" cannot show")
                .arg(m_pattern)
                .arg(number + 1)
                .arg(QLatin1String(kind), written));
    }

    [[noreturn]] void invalid(qsizetype start, qsizetype end)
    {
        throw EConvertError(
            QStringLiteral("Format \"%1\": \"%2\" at position %3 is not a valid specifier")
                .arg(m_pattern, m_pattern.mid(start, end - start))
                .arg(start + 1));
    }

    const TFormatSettings& m_settings;
    const QString& m_pattern;
    std::initializer_list<TFormatArg> m_args;
    int m_next = 0;
};

// An integer text as sign and magnitude; false for anything else or more than 64 bits.
bool scanInteger(const QString& text, bool& negative, std::uint64_t& magnitude)
{
    const QString t = text.trimmed();
    qsizetype i = 0;
    negative = false;
    if (i < t.size() && (t[i] == u'-' || t[i] == u'+'))
        negative = t[i++] == u'-';
    int base = 10;
    if (i < t.size() && t[i] == u'$') {
        base = 16;
        ++i;
    } else if (i + 1 < t.size() && t[i] == u'0' && (t[i + 1] == u'x' || t[i + 1] == u'X')) {
        base = 16;
        i += 2;
    }
    if (i >= t.size())
        return false;
    magnitude = 0;
    for (; i < t.size(); ++i) {
        const char16_t c = t[i].toUpper().unicode();
        int digit = -1;
        if (c >= u'0' && c <= u'9')
            digit = c - u'0';
        else if (base == 16 && c >= u'A' && c <= u'F')
            digit = c - u'A' + 10;
        if (digit < 0)
            return false;
        if (magnitude > (std::numeric_limits<std::uint64_t>::max() - std::uint64_t(digit)) /
                            std::uint64_t(base))
            return false;
        magnitude = magnitude * std::uint64_t(base) + std::uint64_t(digit);
    }
    return true;
}

template <typename T>
bool tryStrToIntegral(const QString& text, T& result)
{
    bool negative = false;
    std::uint64_t magnitude = 0;
    if (!scanInteger(text, negative, magnitude))
        return false;
    const auto maxMagnitude = std::uint64_t(std::numeric_limits<T>::max());
    if (negative) {
        if (magnitude > maxMagnitude + 1)
            return false;
        result = magnitude == maxMagnitude + 1 ? std::numeric_limits<T>::min()
                                               : T(-std::int64_t(magnitude));
    } else {
        if (magnitude > maxMagnitude)
            return false;
        result = T(magnitude);
    }
    return true;
}

[[noreturn]] void raiseNotValid(const QString& text, const char* what)
{
    throw EConvertError(QStringLiteral("'%1' is not a valid %2").arg(text, QLatin1String(what)));
}

} // namespace

QString Format(const QString& pattern, std::initializer_list<TFormatArg> args)
{
    return TFormatter(FormatSettings(), pattern, args).run();
}

QString Format(const TFormatSettings& settings, const QString& pattern,
               std::initializer_list<TFormatArg> args)
{
    return TFormatter(settings, pattern, args).run();
}

QString FloatToStr(double value)
{
    return FloatToStr(value, FormatSettings());
}

QString FloatToStr(double value, const TFormatSettings& settings)
{
    return generalText(value, 15, settings.DecimalSeparator);
}

bool TryStrToFloat(const QString& text, double& result)
{
    return TryStrToFloat(text, result, FormatSettings());
}

bool TryStrToFloat(const QString& text, double& result, const TFormatSettings& settings)
{
    // Checked here character by character, then handed to from_chars in its own spelling,
    // which is the only one it reads whatever the locale.
    const QString t = text.trimmed();
    std::string ascii;
    qsizetype i = 0;
    if (i < t.size() && (t[i] == u'-' || t[i] == u'+')) {
        if (t[i] == u'-')
            ascii += '-';
        ++i;
    }
    int mantissaDigits = 0;
    bool seenDecimal = false;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c >= u'0' && c <= u'9') {
            ascii += char(c.unicode());
            ++mantissaDigits;
        } else if (c == settings.DecimalSeparator && !seenDecimal) {
            ascii += '.';
            seenDecimal = true;
        } else {
            break;
        }
    }
    if (mantissaDigits == 0)
        return false;
    if (i < t.size() && (t[i] == u'e' || t[i] == u'E')) {
        ascii += 'e';
        ++i;
        if (i < t.size() && (t[i] == u'-' || t[i] == u'+'))
            ascii += char(t[i++].unicode());
        int exponentDigits = 0;
        for (; i < t.size() && t[i] >= u'0' && t[i] <= u'9'; ++i, ++exponentDigits)
            ascii += char(t[i].unicode());
        if (exponentDigits == 0)
            return false;
    }
    if (i != t.size())
        return false;
    double value = 0;
    const auto r = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (r.ec != std::errc() || r.ptr != ascii.data() + ascii.size())
        return false;
    result = value;
    return true;
}

double StrToFloat(const QString& text)
{
    return StrToFloat(text, FormatSettings());
}

double StrToFloat(const QString& text, const TFormatSettings& settings)
{
    double result = 0;
    if (!TryStrToFloat(text, result, settings))
        raiseNotValid(text, "floating point value");
    return result;
}

QString IntToStr(std::int64_t value)
{
    return QString::number(value);
}

bool TryStrToInt(const QString& text, int& result)
{
    return tryStrToIntegral(text, result);
}

int StrToInt(const QString& text)
{
    int result = 0;
    if (!tryStrToIntegral(text, result))
        raiseNotValid(text, "integer value");
    return result;
}

bool TryStrToInt64(const QString& text, std::int64_t& result)
{
    return tryStrToIntegral(text, result);
}

std::int64_t StrToInt64(const QString& text)
{
    std::int64_t result = 0;
    if (!tryStrToIntegral(text, result))
        raiseNotValid(text, "integer value");
    return result;
}

QString UIntToHex(std::uint64_t bits, int digits)
{
    return hexDigits(bits, digits);
}
