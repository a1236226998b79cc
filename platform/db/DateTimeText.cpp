// The locale's date forms are tried on a probe value once per settings; the outcome decides
// which form the grids show.
#include "platform/db/DateTimeText.h"

#include "platform/core/DateFormat.h"
#include "platform/core/Exceptions.h"

#include <cmath>

namespace {

struct TEditForms
{
    bool LocaleForms = false; // the locale's own forms round-trip
    QString NumericDate;      // our pattern with the parser's order, "d/m/yyyy"
    QString DateWords;        // "day/month/year", with the locale's separator
    QString TimeWords;        // "hours:minutes", with " AM/PM" for a 12-hour locale
};

// Late in the evening of a year that no two-digit year can stand for and a day above 12, so
// that a form that drops the century, confuses day and month or the day halves fails.
TDateTime probe()
{
    return EncodeDateTime(1801, 12, 15, 22, 20, 30, 0);
}

bool sameSecond(TDateTime a, TDateTime b)
{
    return std::fabs(a - b) * SecsPerDay < 0.5;
}

TEditForms formsFor(const TFormatSettings& s)
{
    TEditForms forms;
    const TDateTime p = probe();
    TDateTime back = 0;
    forms.LocaleForms = TryStrToDateTime(DateTimeToStr(p, s), back, s) && sameSecond(back, p) &&
                        TryStrToDate(DateToStr(p, s), back, s) && sameSecond(back, DateOf(p)) &&
                        TryStrToTime(TimeToStr(p, s), back, s) && sameSecond(back, TimeOf(p));
    const QString sep(s.DateSeparator);
    struct TOrder
    {
        const char* pattern;
        QString words;
    };
    const TOrder orders[] = {
        {"d/m/yyyy", QStringLiteral("day%1month%1year").arg(sep)},
        {"m/d/yyyy", QStringLiteral("month%1day%1year").arg(sep)},
        {"yyyy/m/d", QStringLiteral("year%1month%1day").arg(sep)},
    };
    forms.NumericDate = QLatin1String(orders[0].pattern);
    forms.DateWords = orders[0].words;
    for (const TOrder& order : orders) {
        const QString pattern = QLatin1String(order.pattern);
        if (TryStrToDate(FormatDateTime(pattern, p, s), back, s) && sameSecond(back, DateOf(p))) {
            forms.NumericDate = pattern;
            forms.DateWords = order.words;
            break;
        }
    }
    forms.TimeWords = QStringLiteral("hours%1minutes").arg(s.TimeSeparator);
    // The evening shows as 10 in a 12-hour locale.
    if (forms.LocaleForms && !TimeToStr(p, s).contains(QLatin1String("22")))
        forms.TimeWords += QStringLiteral(" %1/%2").arg(s.TimeAMString, s.TimePMString);
    return forms;
}

// Settings change rarely (tests pin them); the forms are worked out again when they do.
const TEditForms& editForms()
{
    static TFormatSettings seen;
    static TEditForms forms;
    static bool known = false;
    const TFormatSettings& now = FormatSettings();
    if (!known || !(now == seen)) {
        forms = formsFor(now);
        seen = now;
        known = true;
    }
    return forms;
}

} // namespace

QString DateTimeEditText(TDateTime value, TFieldType type)
{
    const TEditForms& forms = editForms();
    if (forms.LocaleForms) {
        if (type == TFieldType::ftDate)
            return DateToStr(value);
        if (type == TFieldType::ftTime)
            return TimeToStr(value);
        return DateTimeToStr(value);
    }
    const QString time = QStringLiteral("hh:nn:ss");
    if (type == TFieldType::ftDate)
        return FormatDateTime(forms.NumericDate, value);
    if (type == TFieldType::ftTime)
        return FormatDateTime(time, value);
    // As the locale's own form: the time only when there is one.
    if (TimeOf(value) == 0)
        return FormatDateTime(forms.NumericDate, value);
    return FormatDateTime(forms.NumericDate + QLatin1Char(' ') + time, value);
}

TDateTime ParseDateTimeEditText(const QString& text, TFieldType type)
{
    TDateTime result = 0;
    const bool ok = type == TFieldType::ftDate   ? TryStrToDate(text, result)
                    : type == TFieldType::ftTime ? TryStrToTime(text, result)
                                                 : TryStrToDateTime(text, result);
    if (ok)
        return result;
    const TEditForms& forms = editForms();
    const TDateTime example = EncodeDateTime(2026, 12, 15, 10, 30, 0, 0);
    QString what, words;
    switch (type) {
    case TFieldType::ftDate:
        what = QStringLiteral("date");
        words = forms.DateWords;
        break;
    case TFieldType::ftTime:
        what = QStringLiteral("time");
        words = forms.TimeWords;
        break;
    default:
        what = QStringLiteral("date and time");
        words = forms.DateWords + QLatin1Char(' ') + forms.TimeWords;
        break;
    }
    throw EConvertError(QStringLiteral("'%1' is not a valid %2. Type %3, for example %4")
                            .arg(text, what, words, DateTimeEditText(example, type)));
}
