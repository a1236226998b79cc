// Locale settings and the translation of Qt's date and time patterns into ours. Qt and our
// language share the letters d, y, h, s and z but differ on the rest (Qt's m is minutes,
// M the month, AP the day half; our m is the month unless it follows an hour, n is
// minutes), and in ours "/" and ":" are placeholders for the separators, so the locale's
// separator characters are turned back into those placeholders.
#include "platform/core/FormatSettings.h"

namespace {

bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// The first separator-like character of a pattern outside quotes: the locale's separator.
QChar separatorOf(const QString& qtPattern)
{
    bool quoted = false;
    for (QChar c : qtPattern) {
        if (c == u'\'') {
            quoted = !quoted;
            continue;
        }
        if (!quoted && !c.isLetterOrNumber() && !c.isSpace() && (c.isPunct() || c.isSymbol()))
            return c;
    }
    return QChar();
}

// Literal text in our language: copied as is unless it holds a character that would be read
// as a specifier, then quoted.
void appendLiteral(QString& out, const QString& text)
{
    bool needsQuotes = false;
    for (QChar c : text)
        needsQuotes |= isAsciiLetter(c) || c == u'/' || c == u':' || c == u'"' || c == u'\'';
    if (!needsQuotes) {
        out += text;
        return;
    }
    if (!text.contains(u'"')) {
        out += u'"' + text + u'"';
    } else if (!text.contains(u'\'')) {
        out += u'\'' + text + u'\'';
    } else {
        for (QChar c : text)
            appendLiteral(out, QString(c));
    }
}

// Translates one Qt pattern. The locale's separator character becomes our placeholder ('/' for
// dates, ':' for times); with a null separator every punctuation mark stays literal.
QString fromQtPattern(const QString& qt, QChar separator, QChar placeholder)
{
    QString out;
    QString literal;
    auto flush = [&] {
        appendLiteral(out, literal);
        literal.clear();
    };
    auto specifier = [&](const QString& text) {
        flush();
        out += text;
    };
    const qsizetype n = qt.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = qt[i];
        qsizetype run = 1;
        while (i + run < n && qt[i + run] == c)
            ++run;
        const char16_t u = c.unicode();
        if (u == u'\'') {
            // Qt quotes: '' is a quote character, inside or outside quoted text.
            if (i + 1 < n && qt[i + 1] == u'\'') {
                literal += u'\'';
                i += 2;
                continue;
            }
            ++i;
            while (i < n) {
                if (qt[i] == u'\'') {
                    if (i + 1 < n && qt[i + 1] == u'\'') {
                        literal += u'\'';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                literal += qt[i++];
            }
            continue;
        }
        switch (u) {
        case u'd':
            specifier(QString(qMin<qsizetype>(run, 4), u'd'));
            break;
        case u'M':
            specifier(QString(qMin<qsizetype>(run, 4), u'm'));
            break;
        case u'y':
            specifier(run == 2 ? QStringLiteral("yy") : QStringLiteral("yyyy"));
            break;
        case u'h':
        case u'H':
            specifier(run == 1 ? QStringLiteral("h") : QStringLiteral("hh"));
            break;
        case u'm':
            specifier(run == 1 ? QStringLiteral("n") : QStringLiteral("nn"));
            break;
        case u's':
            specifier(run == 1 ? QStringLiteral("s") : QStringLiteral("ss"));
            break;
        case u'z':
            specifier(run >= 3 ? QStringLiteral("zzz") : QStringLiteral("z"));
            break;
        case u't':
            // The time zone has no counterpart; the blank that set it off is trimmed below.
            flush();
            break;
        case u'a':
        case u'A':
            // "AP", "ap", "A" or "a": the locale's day-half texts, which ours gives as "ampm".
            specifier(QStringLiteral("ampm"));
            if (i + 1 < n && (qt[i + 1] == u'p' || qt[i + 1] == u'P'))
                ++i;
            run = 1;
            break;
        default:
            if (!separator.isNull() && c == separator) {
                specifier(QString(placeholder));
                run = 1;
            } else {
                literal += c;
                run = 1;
            }
            break;
        }
        i += run;
    }
    flush();
    return out.trimmed();
}

} // namespace

TFormatSettings TFormatSettings::FromLocale(const QLocale& locale)
{
    TFormatSettings s;
    const QString shortDate = locale.dateFormat(QLocale::ShortFormat);
    const QString longDate = locale.dateFormat(QLocale::LongFormat);
    const QString shortTime = locale.timeFormat(QLocale::ShortFormat);
    const QString longTime = locale.timeFormat(QLocale::LongFormat);

    // Formats without a separator (such as "d MMM yyyy") still need one for parsing typed
    // dates; "/" is what users type when the locale suggests nothing.
    const QChar dateSep = separatorOf(shortDate);
    s.DateSeparator = dateSep.isNull() ? QChar(u'/') : dateSep;
    QChar timeSep = separatorOf(shortTime);
    if (timeSep.isNull())
        timeSep = separatorOf(longTime);
    s.TimeSeparator = timeSep.isNull() ? QChar(u':') : timeSep;

    s.ShortDateFormat = fromQtPattern(shortDate, dateSep, u'/');
    // Long dates mix punctuation freely ("dddd, d. MMMM yyyy"): all of it stays literal.
    s.LongDateFormat = fromQtPattern(longDate, QChar(), u'/');
    s.ShortTimeFormat = fromQtPattern(shortTime, timeSep, u':');
    s.LongTimeFormat = fromQtPattern(longTime, timeSep, u':');

    const QString decimal = locale.decimalPoint();
    s.DecimalSeparator = decimal.isEmpty() ? QChar(u'.') : decimal.front();
    const QString group = locale.groupSeparator();
    s.ThousandSeparator = group.isEmpty() ? QChar() : group.front();
    s.TimeAMString = locale.amText();
    s.TimePMString = locale.pmText();

    // Qt numbers days Monday = 1 .. Sunday = 7; ours start with Sunday.
    for (int i = 0; i < 7; ++i) {
        const int qtDay = i == 0 ? 7 : i;
        s.ShortDayNames[i] = locale.dayName(qtDay, QLocale::ShortFormat);
        s.LongDayNames[i] = locale.dayName(qtDay, QLocale::LongFormat);
    }
    for (int m = 0; m < 12; ++m) {
        s.ShortMonthNames[m] = locale.monthName(m + 1, QLocale::ShortFormat);
        s.LongMonthNames[m] = locale.monthName(m + 1, QLocale::LongFormat);
    }
    return s;
}

TFormatSettings TFormatSettings::Fixed()
{
    TFormatSettings s;
    s.ShortDateFormat = QStringLiteral("M/d/yyyy");
    s.LongDateFormat = QStringLiteral("dddd, mmmm d, yyyy");
    s.ShortTimeFormat = QStringLiteral("h:nn AMPM");
    s.LongTimeFormat = QStringLiteral("h:nn:ss AMPM");
    s.DateSeparator = u'/';
    s.TimeSeparator = u':';
    s.DecimalSeparator = u'.';
    s.ThousandSeparator = u',';
    s.TimeAMString = QStringLiteral("AM");
    s.TimePMString = QStringLiteral("PM");
    s.ShortDayNames = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    s.LongDayNames = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    s.ShortMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    s.LongMonthNames = {"January", "February", "March",     "April",   "May",      "June",
                        "July",    "August",   "September", "October", "November", "December"};
    s.TwoDigitYearCenturyWindow = 50;
    return s;
}

TFormatSettings& FormatSettings()
{
    static TFormatSettings settings = TFormatSettings::FromLocale(QLocale::system());
    return settings;
}

TFormatSettingsGuard::TFormatSettingsGuard(const TFormatSettings& pinned)
    : m_saved(FormatSettings())
{
    FormatSettings() = pinned;
}

TFormatSettingsGuard::~TFormatSettingsGuard()
{
    FormatSettings() = m_saved;
}
