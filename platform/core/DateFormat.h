// Date-time values to text and back, in the pattern language the components' stored
// properties are written in ("d/MM/yyyy", "mm/dd/yyyy", "\"Today\" DDD/mm, YYYY").
//
// Pattern letters, in either case:
//   c        short date, then a blank and the long time unless the time is midnight
//   d dd     day of month, dd with a leading zero
//   ddd dddd short and long day name
//   ddddd    short date format;  dddddd long date format
//   m mm     month, mm with a leading zero; minutes instead when the last letter before was
//            an hour (h or hh), as in "h:mm"
//   mmm mmmm short and long month name
//   yy yyyy  two-digit year, four-digit year
//   h hh     hour; 12-hour when the pattern holds am/pm, a/p or ampm anywhere
//   n nn     minutes;  s ss seconds;  z zzz milliseconds
//   t tt     short and long time format
//   am/pm a/p  "am"/"pm" ("a"/"p") in the letter case written in the pattern
//   ampm     the locale's AM or PM text
//   /        the locale's date separator;  : the locale's time separator
//   "..." '...'  literal text
// Every other character, a letter included, is copied as it stands, so a pattern the
// formatter does not understand comes out literally. An empty pattern means "c".
//
// Parsing reads the numbers of a date in the order of d, m and y in the short date format,
// separated by the date separator. A year of one or two digits falls within the settings'
// century window around the current year (of the pinned clock in tests); a missing year is
// the current one. Invalid dates are refused, never moved to a nearby valid one.
#pragma once

#include "platform/core/DateTime.h"
#include "platform/core/FormatSettings.h"

#include <QString>

// Raise EConvertError for a value that does not decode (NaN, outside years 1..9999).
QString FormatDateTime(const QString& pattern, TDateTime value);
QString FormatDateTime(const QString& pattern, TDateTime value, const TFormatSettings& settings);

QString DateToStr(TDateTime value); // short date
QString DateToStr(TDateTime value, const TFormatSettings& settings);
QString TimeToStr(TDateTime value); // long time
QString TimeToStr(TDateTime value, const TFormatSettings& settings);
QString DateTimeToStr(TDateTime value); // "c"
QString DateTimeToStr(TDateTime value, const TFormatSettings& settings);

// Dates: "d/m/y", "d/m" (current year), in the short date format's order. Blanks around the
// numbers are allowed; anything else is refused.
bool TryStrToDate(const QString& text, TDateTime& result);
bool TryStrToDate(const QString& text, TDateTime& result, const TFormatSettings& settings);
TDateTime StrToDate(const QString& text); // EConvertError "'text' is not a valid date"
TDateTime StrToDate(const QString& text, const TFormatSettings& settings);

// Times: "h:n", "h:n:s", "h:n:s.zzz" (the decimal separator before the fraction of a
// second), optionally with the AM/PM text (or "am"/"pm", "a"/"p") before or after; "3 PM"
// alone is a time too. The result is the fraction of a day.
bool TryStrToTime(const QString& text, TDateTime& result);
bool TryStrToTime(const QString& text, TDateTime& result, const TFormatSettings& settings);
TDateTime StrToTime(const QString& text); // EConvertError "'text' is not a valid time"
TDateTime StrToTime(const QString& text, const TFormatSettings& settings);

// A date, a time, or a date followed by blanks and a time.
bool TryStrToDateTime(const QString& text, TDateTime& result);
bool TryStrToDateTime(const QString& text, TDateTime& result, const TFormatSettings& settings);
TDateTime StrToDateTime(const QString& text);
TDateTime StrToDateTime(const QString& text, const TFormatSettings& settings);
