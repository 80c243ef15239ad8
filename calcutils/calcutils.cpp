#include "calcutils.h"

#include "errors.h"
#include "realmath.h"

#include <cmath>
#include <utility>

long double RoundDecimals(int decimals, long double value)
{
    const long double scale = PowerOfTen(decimals);
    const long double bias = value > 0.0L ? 1e-10L : -1e-10L;
    const long double scaled = value * scale + bias;
    return static_cast<long double>(roundToInt64(scaled)) / scale;
}

TDateTime FirstOfMonth(TDateTime date)
{
    const DateParts parts = DecodeDate(date);
    return EncodeDate(parts.year, parts.month, 1);
}

TDateTime LastOfMonth(TDateTime date)
{
    const DateParts parts = DecodeDate(date);
    // Day 20 plus 30 days lands on day 19 to 22 of the next month, whatever
    // this month's length.
    return FirstOfMonth(EncodeDate(parts.year, parts.month, 20) + 30) - 1;
}

TDateTime NextMonthSameDay(TDateTime date)
{
    const DateParts parts = DecodeDate(date);
    const TDateTime firstOfNext = LastOfMonth(date) + 1;
    const DateParts next = DecodeDate(firstOfNext);
    try {
        return EncodeDate(next.year, next.month, parts.day);
    } catch (const AppError &) {
        return LastOfMonth(firstOfNext);
    }
}

int DaysBetween(bool thirty360, TDateTime a, TDateTime b)
{
    // Through the short date text, which keeps the calendar day only.
    TDateTime first = StrToDate(DateToStr(a));
    TDateTime second = StrToDate(DateToStr(b));
    if (first > second)
        std::swap(first, second);
    if (!thirty360)
        return static_cast<int>(std::nearbyint(second - first));
    const DateParts from = DecodeDate(first);
    const DateParts to = DecodeDate(second);
    return (to.day - from.day) + 30 * (to.month - from.month) + 360 * (to.year - from.year);
}
