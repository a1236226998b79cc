// The text a data grid shows for a date-time, date or time field and takes back from the
// user. Whatever the locale, the shown text parses back to the same value (to the second):
// the locale's own short date and long time forms where they do (they hold numbers only and
// a four-digit year), otherwise numbers in the locale's order with its separators, as in
// "15/12/2026 10:30:00". A text that does not parse is refused with the form the user should
// type and an example, never with a bare "not a valid date".
#pragma once

#include "platform/core/DateTime.h"
#include "platform/db/FieldDefs.h"

#include <QString>

// type is ftDateTime, ftDate or ftTime. A date-time at midnight shows its date only. Raises
// EConvertError for a value outside the calendar.
QString DateTimeEditText(TDateTime value, TFieldType type);
// Also takes every form StrToDateTime (StrToDate, StrToTime) takes. Raises EConvertError
// "'text' is not a valid date and time. Type day/month/year hours:minutes, for example
// 15/12/2026 10:30:00" (in the order and with the separators of the locale).
TDateTime ParseDateTimeEditText(const QString& text, TFieldType type);
