// The locale settings that date patterns, number formats and text-to-value conversions read:
// date and time formats in our own pattern language (see DateFormat.h), separators, day and
// month names, AM/PM texts. There is one process-wide instance, filled from the system
// locale on first use; tests pin it with TFormatSettingsGuard or assign Fixed() to it.
//
// The fields keep the names the components use for them, so they are plain public members.
#pragma once

#include <QChar>
#include <QLocale>
#include <QString>
#include <array>

struct TFormatSettings
{
    // Patterns in our language; "/" in a date format and ":" in a time format stand for the
    // separators below.
    QString ShortDateFormat; // "M/d/yyyy" in Fixed()
    QString LongDateFormat;  // "dddd, mmmm d, yyyy"
    QString ShortTimeFormat; // "h:nn AMPM"
    QString LongTimeFormat;  // "h:nn:ss AMPM"
    QChar DateSeparator;     // '/'
    QChar TimeSeparator;     // ':'
    QChar DecimalSeparator;  // '.'
    QChar ThousandSeparator; // ','; a null QChar means the locale groups no digits
    QString TimeAMString;    // "AM"
    QString TimePMString;    // "PM"
    // Day names indexed Sunday first (0 = Sunday .. 6 = Saturday), as DayOfWeek - 1.
    std::array<QString, 7> ShortDayNames;
    std::array<QString, 7> LongDayNames;
    // Month names, 0 = January.
    std::array<QString, 12> ShortMonthNames;
    std::array<QString, 12> LongMonthNames;
    // A year typed with one or two digits lands in the 100 years starting this many years
    // before the current one; 0 means the current century.
    int TwoDigitYearCenturyWindow = 50;

    // Reads a Qt locale, translating its date and time patterns into our language (Qt's
    // "MM" is our "mm", its "mm" our "nn", its "AP" our "ampm"; its time zone is dropped).
    static TFormatSettings FromLocale(const QLocale& locale);
    // Deterministic United States English settings, independent of the machine.
    static TFormatSettings Fixed();

    friend bool operator==(const TFormatSettings&, const TFormatSettings&) = default;
};

// The process-wide settings, read from QLocale::system() on first use. Assigning to the
// reference changes what every later conversion sees.
TFormatSettings& FormatSettings();

// Pins the global settings for one scope and restores the previous ones afterwards.
class TFormatSettingsGuard
{
public:
    explicit TFormatSettingsGuard(const TFormatSettings& pinned);
    ~TFormatSettingsGuard();
    TFormatSettingsGuard(const TFormatSettingsGuard&) = delete;
    TFormatSettingsGuard& operator=(const TFormatSettingsGuard&) = delete;

private:
    TFormatSettings m_saved;
};
