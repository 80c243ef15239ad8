#pragma once

#include <string>
#include <string_view>

// A date-time as a count of days since 30 December 1899; the integer part is
// the calendar day, the fraction the time of day.
using TDateTime = double;

struct DateParts
{
    int year;
    int month;
    int day;
};

// Throws AppError for a date outside years 1 to 9999 or a day the month
// does not have.
TDateTime EncodeDate(int year, int month, int day);
bool TryEncodeDate(int year, int month, int day, TDateTime &date);
DateParts DecodeDate(TDateTime date);
bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
// Today's local date at midnight.
TDateTime Today();

// Conversions through the program-wide short date format ("MM/dd/yyyy").
std::string DateToStr(TDateTime date);
// Throws ConvertError "'%s' is not a valid date".
TDateTime StrToDate(std::string_view text);

// The program-wide short date format: "MM", "M", "dd", "d", "yyyy" and "yy"
// are replaced, "/" stands for the date separator, anything else is copied.
void setShortDateFormat(std::string_view format, char separator);
