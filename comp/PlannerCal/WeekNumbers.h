// Week numbering of the month calendar: each row of a shown month gets the number of the week
// its last day falls in, counted from where the year starts (YearStartAt), with the starts of
// the years before and after for rows that reach into them.
#pragma once

#include "comp/PlannerCal/CalendarSettings.h"

// The week number of row w (1..6) of a month shown with weeks starting on startDay
// (1 = Monday ... 7 = Sunday), counted from the year start that applies.
int CalendarWeekNumber(int year, int month, int row, int startDay, const TYearStartAt& yearStart);
