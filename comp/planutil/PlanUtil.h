// The small helpers the planner, the to-do list and the markup renderer share: the filter
// patterns of the planner's text search, short-date parsing in the locale's day/month/year
// order, escaping line breaks for one-line storage, days in a month, the banded two-colour
// gradient and the mapping of alignments to text-output flags.
#pragma once

#include "platform/core/Color.h"
#include "platform/core/DateTime.h"
#include "platform/core/Rect.h"

#include <QString>

class TCanvas;

enum class TAlignment
{
    taLeftJustify,
    taRightJustify,
    taCenter
};

enum class TVAlignment
{
    vtaTop,
    vtaCenter,
    vtaBottom
};

// Whether text matches a filter pattern: terms joined by "&" (and), ";" or "^" (or),
// evaluated left to right without precedence; a term is a comparison (">", ">=", "<", "<=",
// numeric, then by date, then by text) or a wildcard pattern ("*", "?") that a "!" negates.
bool MatchFilter(const QString& pattern, const QString& text, bool caseSensitive);

// Reads text as day, month and year in the order of the locale's short date format,
// separated by its date separator. False, with date untouched, for anything else.
bool ParseShortDate(const QString& text, TDateTime& date);

// Every carriage return becomes the two characters "\n"; line feeds are dropped.
QString EscapeLineBreaks(const QString& text);

// 28 or 29 for February by the Gregorian leap rule; 0 for a month outside 1..12.
int DaysInMonth(int month, int year);

// Fills r with `steps` bands (1 when 0 or less) from startColor to endColor: vertical strips
// left to right when across is set, else horizontal strips top to bottom. The canvas's pen
// and brush are put back afterwards.
void GradientFill(TCanvas& canvas, TColor startColor, TColor endColor, bool across, const TRect& r,
                  int steps);

// DT_LEFT (0), DT_RIGHT (2) or DT_CENTER (1).
unsigned HorzAlignFlag(TAlignment alignment);
// DT_TOP (0), DT_VCENTER (4) or DT_BOTTOM (8).
unsigned VertAlignFlag(TVAlignment alignment);
