#pragma once

#include "dates.h"

// value * 10^decimals plus a bias of 1e-10 away from zero, rounded to the
// nearest integer with ties to even, divided back; all in extended precision.
long double RoundDecimals(int decimals, long double value);

TDateTime FirstOfMonth(TDateTime date);
TDateTime LastOfMonth(TDateTime date);
// The same day of the following month, or that month's last day.
TDateTime NextMonthSameDay(TDateTime date);
// Days from the earlier to the later calendar day of a and b: the 30/360
// count when thirty360 is true, the actual count otherwise.
int DaysBetween(bool thirty360, TDateTime a, TDateTime b);
