// The date pattern formatter and the date and time parsers. The value is decoded once; the
// nested formats (c, ddddd, dddddd, t, tt) are expanded from the settings at most two levels
// deep, so a settings pattern that names itself cannot recurse forever.
#include "platform/core/DateFormat.h"

#include "platform/core/Exceptions.h"

#include <optional>

namespace {

constexpr int MaxNesting = 2;

char16_t upper(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') ? char16_t(u - (u'a' - u'A')) : u;
}

bool isAsciiLetter(QChar c)
{
    const char16_t u = upper(c);
    return u >= u'A' && u <= u'Z';
}

bool matchesAt(const QString& text, qsizetype pos, QStringView what)
{
    return text.size() - pos >= what.size() &&
           QStringView(text).mid(pos, what.size()).compare(what, Qt::CaseInsensitive) == 0;
}

// The day-half specifiers, tried longest first where they share a start.
enum class TAmPm
{
    none,
    amPm,   // am/pm
    aP,     // a/p
    locale, // ampm
};

TAmPm amPmAt(const QString& pattern, qsizetype pos, qsizetype& length)
{
    if (matchesAt(pattern, pos, u"am/pm")) {
        length = 5;
        return TAmPm::amPm;
    }
    if (matchesAt(pattern, pos, u"a/p")) {
        length = 3;
        return TAmPm::aP;
    }
    if (matchesAt(pattern, pos, u"ampm")) {
        length = 4;
        return TAmPm::locale;
    }
    length = 1;
    return TAmPm::none;
}

qsizetype skipQuoted(const QString& pattern, qsizetype pos)
{
    const QChar quote = pattern[pos];
    const qsizetype end = pattern.indexOf(quote, pos + 1);
    return end < 0 ? pattern.size() : end + 1;
}

bool hasAmPm(const QString& pattern)
{
    qsizetype i = 0;
    while (i < pattern.size()) {
        const QChar c = pattern[i];
        if (c == u'"' || c == u'\'') {
            i = skipQuoted(pattern, i);
            continue;
        }
        qsizetype length = 1;
        if (upper(c) == u'A' && amPmAt(pattern, i, length) != TAmPm::none)
            return true;
        i += length;
    }
    return false;
}

QString padded(int value, int width)
{
    return QStringLiteral("%1").arg(value, width, 10, QChar(u'0'));
}

class TDateFormatter
{
public:
    TDateFormatter(TDateTime value, const TFormatSettings& settings) : m_settings(settings)
    {
        if (!TryDecodeDateTime(value, m_year, m_month, m_day, m_hour, m_minute, m_second, m_msec))
            throw EConvertError(
                QStringLiteral("Invalid date-time value %1").arg(value, 0, 'g', 17));
        m_dayOfWeek = DayOfWeek(value);
    }

    QString format(const QString& pattern)
    {
        append(pattern.isEmpty() ? QStringLiteral("c") : pattern, 0);
        return m_out;
    }

private:
    void nested(const QString& pattern, int depth)
    {
        if (depth < MaxNesting)
            append(pattern, depth + 1);
    }

    void append(const QString& pattern, int depth)
    {
        const bool twelveHour = hasAmPm(pattern);
        const qsizetype n = pattern.size();
        char16_t lastLetter = 0;
        qsizetype i = 0;
        while (i < n) {
            const QChar c = pattern[i];
            char16_t token = upper(c);
            if (isAsciiLetter(c)) {
                // "m" after an hour is minutes, however much punctuation stands between.
                if (token == u'M' && lastLetter == u'H')
                    token = u'N';
                lastLetter = token;
            }
            qsizetype run = 1;
            while (i + run < n && upper(pattern[i + run]) == upper(c))
                ++run;

            switch (token) {
            case u'"':
            case u'\'': {
                // An unclosed quote runs to the end of the pattern.
                const qsizetype close = pattern.indexOf(c, i + 1);
                const qsizetype end = close < 0 ? n : close;
                m_out += QStringView(pattern).mid(i + 1, end - i - 1);
                i = close < 0 ? n : close + 1;
                continue;
            }
            case u'C':
                nested(m_settings.ShortDateFormat, depth);
                if (m_hour != 0 || m_minute != 0 || m_second != 0) {
                    m_out += u' ';
                    nested(m_settings.LongTimeFormat, depth);
                }
                break;
            case u'Y':
                m_out += run <= 2 ? padded(m_year % 100, 2) : padded(m_year, 4);
                break;
            case u'M':
                if (run == 1)
                    m_out += QString::number(m_month);
                else if (run == 2)
                    m_out += padded(m_month, 2);
                else if (run == 3)
                    m_out += m_settings.ShortMonthNames[m_month - 1];
                else
                    m_out += m_settings.LongMonthNames[m_month - 1];
                break;
            case u'D':
                if (run == 1)
                    m_out += QString::number(m_day);
                else if (run == 2)
                    m_out += padded(m_day, 2);
                else if (run == 3)
                    m_out += m_settings.ShortDayNames[m_dayOfWeek - 1];
                else if (run == 4)
                    m_out += m_settings.LongDayNames[m_dayOfWeek - 1];
                else if (run == 5)
                    nested(m_settings.ShortDateFormat, depth);
                else
                    nested(m_settings.LongDateFormat, depth);
                break;
            case u'H': {
                int hour = m_hour;
                if (twelveHour) {
                    hour %= 12;
                    if (hour == 0)
                        hour = 12;
                }
                m_out += run == 1 ? QString::number(hour) : padded(hour, 2);
                break;
            }
            case u'N':
                m_out += run == 1 ? QString::number(m_minute) : padded(m_minute, 2);
                break;
            case u'S':
                m_out += run == 1 ? QString::number(m_second) : padded(m_second, 2);
                break;
            case u'Z':
                m_out += run < 3 ? QString::number(m_msec) : padded(m_msec, 3);
                break;
            case u'T':
                nested(run == 1 ? m_settings.ShortTimeFormat : m_settings.LongTimeFormat, depth);
                break;
            case u'A': {
                qsizetype length = 1;
                const bool pm = m_hour >= 12;
                switch (amPmAt(pattern, i, length)) {
                case TAmPm::amPm:
                    // The pattern's own letters, so "AM/PM" gives "PM" and "am/pm" "pm".
                    m_out += pm ? pattern.mid(i + 3, 2) : pattern.mid(i, 2);
                    break;
                case TAmPm::aP:
                    m_out += pm ? pattern.mid(i + 2, 1) : pattern.mid(i, 1);
                    break;
                case TAmPm::locale:
                    m_out += pm ? m_settings.TimePMString : m_settings.TimeAMString;
                    break;
                case TAmPm::none:
                    m_out += c;
                    break;
                }
                run = length;
                break;
            }
            case u'/':
                m_out += m_settings.DateSeparator;
                run = 1;
                break;
            case u':':
                m_out += m_settings.TimeSeparator;
                run = 1;
                break;
            default:
                m_out += c;
                run = 1;
                break;
            }
            i += run;
        }
    }

    const TFormatSettings& m_settings;
    int m_year = 0, m_month = 0, m_day = 0;
    int m_hour = 0, m_minute = 0, m_second = 0, m_msec = 0;
    int m_dayOfWeek = 0;
    QString m_out;
};

// --- Parsing ------------------------------------------------------------------------------

enum class TDateOrder
{
    dmy,
    mdy,
    ymd,
};

TDateOrder dateOrderOf(const QString& shortDateFormat)
{
    qsizetype i = 0;
    while (i < shortDateFormat.size()) {
        const QChar c = shortDateFormat[i];
        if (c == u'"' || c == u'\'') {
            i = skipQuoted(shortDateFormat, i);
            continue;
        }
        switch (upper(c)) {
        case u'D':
            return TDateOrder::dmy;
        case u'M':
            return TDateOrder::mdy;
        case u'Y':
            return TDateOrder::ymd;
        default:
            break;
        }
        ++i;
    }
    return TDateOrder::mdy;
}

// A cursor over the text being parsed.
class TScanner
{
public:
    explicit TScanner(const QString& text) : m_text(text) {}

    bool atEnd() const { return m_pos >= m_text.size(); }
    qsizetype pos() const { return m_pos; }

    // Blanks, except a blank that is itself the separator being looked for.
    void skipBlanks(QChar except = QChar())
    {
        while (!atEnd() && m_text[m_pos].isSpace() && m_text[m_pos] != except)
            ++m_pos;
    }

    bool skip(QChar c)
    {
        if (atEnd() || m_text[m_pos] != c)
            return false;
        ++m_pos;
        return true;
    }

    // Up to nine ASCII digits (more would overflow and cannot be a valid part anyway).
    bool number(int& value, int& digits)
    {
        value = 0;
        digits = 0;
        while (!atEnd() && m_text[m_pos] >= u'0' && m_text[m_pos] <= u'9') {
            if (++digits > 9)
                return false;
            value = value * 10 + (m_text[m_pos].unicode() - u'0');
            ++m_pos;
        }
        return digits > 0;
    }

    // One of the texts, case-insensitive and not running on into a letter; the longest wins.
    std::optional<int> oneOf(std::initializer_list<QStringView> texts)
    {
        std::optional<int> found;
        qsizetype foundLength = 0;
        int index = 0;
        for (QStringView t : texts) {
            const qsizetype end = m_pos + t.size();
            if (!t.isEmpty() && t.size() > foundLength && matchesAt(m_text, m_pos, t) &&
                (end >= m_text.size() || !m_text[end].isLetter())) {
                found = index;
                foundLength = t.size();
            }
            ++index;
        }
        if (found)
            m_pos += foundLength;
        return found;
    }

private:
    const QString& m_text;
    qsizetype m_pos = 0;
};

int windowedYear(int year, int window)
{
    const int current = CurrentYear();
    if (window <= 0)
        return current / 100 * 100 + year;
    const int threshold = current - window;
    int result = threshold / 100 * 100 + year;
    if (result < threshold)
        result += 100;
    return result;
}

bool scanDate(TScanner& scan, TDateTime& result, const TFormatSettings& settings)
{
    const QChar sep = settings.DateSeparator;
    int values[3] = {};
    int digits[3] = {};
    // Formats such as "yy. M. d." end with the separator, and so may the text; elsewhere a
    // dangling separator is junk, not a hint that a part was left out.
    const QString format = settings.ShortDateFormat.trimmed();
    const bool endsWithSeparator = format.endsWith(u'/') || (!sep.isNull() && format.endsWith(sep));
    int count = 0;
    scan.skipBlanks(sep);
    while (count < 3) {
        if (!scan.number(values[count], digits[count]))
            return false;
        ++count;
        scan.skipBlanks(sep);
        if (!scan.skip(sep))
            break;
        scan.skipBlanks(sep);
        if (count == 3 || scan.atEnd()) {
            if (!endsWithSeparator)
                return false;
            break;
        }
    }
    if (count < 2)
        return false;

    int year = 0, month = 0, day = 0, yearDigits = 4;
    const TDateOrder order = dateOrderOf(settings.ShortDateFormat);
    if (count == 2) {
        year = CurrentYear();
        if (order == TDateOrder::dmy) {
            day = values[0];
            month = values[1];
        } else {
            month = values[0];
            day = values[1];
        }
    } else {
        switch (order) {
        case TDateOrder::dmy:
            day = values[0], month = values[1], year = values[2], yearDigits = digits[2];
            break;
        case TDateOrder::mdy:
            month = values[0], day = values[1], year = values[2], yearDigits = digits[2];
            break;
        case TDateOrder::ymd:
            year = values[0], month = values[1], day = values[2], yearDigits = digits[0];
            break;
        }
        if (yearDigits <= 2)
            year = windowedYear(year, settings.TwoDigitYearCenturyWindow);
    }
    return TryEncodeDate(year, month, day, result);
}

// The day half at the scanner: 0 for AM, 1 for PM.
std::optional<int> scanAmPm(TScanner& scan, const TFormatSettings& settings)
{
    const std::optional<int> which =
        scan.oneOf({settings.TimeAMString, settings.TimePMString, u"AM", u"PM", u"A", u"P"});
    if (!which)
        return std::nullopt;
    return *which % 2;
}

bool scanTime(TScanner& scan, TDateTime& result, const TFormatSettings& settings)
{
    scan.skipBlanks();
    std::optional<int> half = scanAmPm(scan, settings);
    scan.skipBlanks();
    int hour = 0, minute = 0, second = 0, msec = 0, digits = 0;
    if (!scan.number(hour, digits))
        return false;
    bool hasMinutes = false;
    if (scan.skip(settings.TimeSeparator)) {
        if (!scan.number(minute, digits))
            return false;
        hasMinutes = true;
        if (scan.skip(settings.TimeSeparator)) {
            if (!scan.number(second, digits))
                return false;
            if (scan.skip(settings.DecimalSeparator)) {
                // A fraction of a second: ".5" is 500 ms.
                if (!scan.number(msec, digits) || digits > 3)
                    return false;
                for (int d = digits; d < 3; ++d)
                    msec *= 10;
            }
        }
    }
    scan.skipBlanks();
    if (!half) {
        half = scanAmPm(scan, settings);
        scan.skipBlanks();
    }
    if (!scan.atEnd() || (!hasMinutes && !half))
        return false;
    if (half) {
        if (hour > 12)
            return false;
        hour = hour % 12 + (*half == 1 ? 12 : 0);
    }
    return TryEncodeTime(hour, minute, second, msec, result);
}

bool tryStrToDate(const QString& text, TDateTime& result, const TFormatSettings& settings)
{
    TScanner scan(text);
    TDateTime date = 0;
    if (!scanDate(scan, date, settings))
        return false;
    scan.skipBlanks();
    if (!scan.atEnd())
        return false;
    result = date;
    return true;
}

bool tryStrToTime(const QString& text, TDateTime& result, const TFormatSettings& settings)
{
    TScanner scan(text);
    TDateTime time = 0;
    if (!scanTime(scan, time, settings))
        return false;
    result = time;
    return true;
}

[[noreturn]] void raiseNotValid(const QString& text, const char* what)
{
    throw EConvertError(QStringLiteral("'%1' is not a valid %2").arg(text, QLatin1String(what)));
}

} // namespace

QString FormatDateTime(const QString& pattern, TDateTime value)
{
    return FormatDateTime(pattern, value, FormatSettings());
}

QString FormatDateTime(const QString& pattern, TDateTime value, const TFormatSettings& settings)
{
    return TDateFormatter(value, settings).format(pattern);
}

QString DateToStr(TDateTime value)
{
    return DateToStr(value, FormatSettings());
}

QString DateToStr(TDateTime value, const TFormatSettings& settings)
{
    return FormatDateTime(QStringLiteral("ddddd"), value, settings);
}

QString TimeToStr(TDateTime value)
{
    return TimeToStr(value, FormatSettings());
}

QString TimeToStr(TDateTime value, const TFormatSettings& settings)
{
    return FormatDateTime(QStringLiteral("tt"), value, settings);
}

QString DateTimeToStr(TDateTime value)
{
    return DateTimeToStr(value, FormatSettings());
}

QString DateTimeToStr(TDateTime value, const TFormatSettings& settings)
{
    return FormatDateTime(QStringLiteral("c"), value, settings);
}

bool TryStrToDate(const QString& text, TDateTime& result)
{
    return tryStrToDate(text, result, FormatSettings());
}

bool TryStrToDate(const QString& text, TDateTime& result, const TFormatSettings& settings)
{
    return tryStrToDate(text, result, settings);
}

TDateTime StrToDate(const QString& text)
{
    return StrToDate(text, FormatSettings());
}

TDateTime StrToDate(const QString& text, const TFormatSettings& settings)
{
    TDateTime result = 0;
    if (!tryStrToDate(text, result, settings))
        raiseNotValid(text, "date");
    return result;
}

bool TryStrToTime(const QString& text, TDateTime& result)
{
    return tryStrToTime(text, result, FormatSettings());
}

bool TryStrToTime(const QString& text, TDateTime& result, const TFormatSettings& settings)
{
    return tryStrToTime(text, result, settings);
}

TDateTime StrToTime(const QString& text)
{
    return StrToTime(text, FormatSettings());
}

TDateTime StrToTime(const QString& text, const TFormatSettings& settings)
{
    TDateTime result = 0;
    if (!tryStrToTime(text, result, settings))
        raiseNotValid(text, "time");
    return result;
}

bool TryStrToDateTime(const QString& text, TDateTime& result)
{
    return TryStrToDateTime(text, result, FormatSettings());
}

bool TryStrToDateTime(const QString& text, TDateTime& result, const TFormatSettings& settings)
{
    TDateTime date = 0, time = 0;
    if (tryStrToDate(text, date, settings)) {
        result = date;
        return true;
    }
    if (tryStrToTime(text, time, settings)) {
        result = time;
        return true;
    }
    // Dates and times may both hold blanks ("1. 2. 2001", "3 PM"), so every blank is tried as
    // the place where the date ends.
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!text[i].isSpace())
            continue;
        if (tryStrToDate(text.left(i), date, settings) &&
            tryStrToTime(text.mid(i + 1), time, settings)) {
            result = ComposeDateTime(date, time);
            return true;
        }
    }
    return false;
}

TDateTime StrToDateTime(const QString& text)
{
    return StrToDateTime(text, FormatSettings());
}

TDateTime StrToDateTime(const QString& text, const TFormatSettings& settings)
{
    TDateTime result = 0;
    if (!TryStrToDateTime(text, result, settings))
        raiseNotValid(text, "date and time");
    return result;
}
