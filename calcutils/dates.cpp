#include "dates.h"

#include "errors.h"

#include <algorithm>
#include <cmath>
#include <ctime>

namespace {

// Day 0 is 30 December 1899; this is its count of days from 1 March of year 0.
constexpr long long kEpochOffset = 693899;

long long daysFromCivil(int year, int month, int day)
{
    const long long y = month <= 2 ? year - 1 : year;
    const long long era = y / 400;
    const long long yearOfEra = y - era * 400;
    const long long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra;
}

std::string shortDateFormat = "MM/dd/yyyy";
char dateSeparator = '/';

std::string twoDigits(int value)
{
    return value < 10 ? "0" + std::to_string(value) : std::to_string(value);
}

}  // namespace

bool IsLeapYear(int year)
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

bool TryEncodeDate(int year, int month, int day, TDateTime &date)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        return false;
    date = static_cast<double>(daysFromCivil(year, month, day) - kEpochOffset);
    return true;
}

TDateTime EncodeDate(int year, int month, int day)
{
    TDateTime date;
    if (!TryEncodeDate(year, month, day, date))
        throw AppError("Invalid argument to date encode");
    return date;
}

DateParts DecodeDate(TDateTime date)
{
    const long long z = static_cast<long long>(std::trunc(date)) + kEpochOffset;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long dayOfEra = z - era * 146097;
    const long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long mp = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
    const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const int year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
    return {year, month, day};
}

TDateTime Today()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

void setShortDateFormat(std::string_view format, char separator)
{
    shortDateFormat = std::string(format);
    dateSeparator = separator;
}

std::string DateToStr(TDateTime date)
{
    const DateParts parts = DecodeDate(date);
    const std::string &format = shortDateFormat;
    std::string text;
    for (size_t at = 0; at < format.size();) {
        auto starts = [&](const char *token) {
            return format.compare(at, std::char_traits<char>::length(token), token) == 0;
        };
        if (starts("yyyy")) {
            std::string year = std::to_string(parts.year);
            text += std::string(4 - std::min<size_t>(4, year.size()), '0') + year;
            at += 4;
        } else if (starts("yy")) {
            text += twoDigits(parts.year % 100);
            at += 2;
        } else if (starts("MM")) {
            text += twoDigits(parts.month);
            at += 2;
        } else if (starts("M")) {
            text += std::to_string(parts.month);
            at += 1;
        } else if (starts("dd")) {
            text += twoDigits(parts.day);
            at += 2;
        } else if (starts("d")) {
            text += std::to_string(parts.day);
            at += 1;
        } else {
            text += format[at] == '/' ? dateSeparator : format[at];
            at += 1;
        }
    }
    return text;
}

TDateTime StrToDate(std::string_view text)
{
    auto fail = [&]() -> ConvertError {
        return ConvertError(formatMessage("'%s' is not a valid date", std::string(text)));
    };
    // The order of the three numbers follows the short date format.
    std::string order;
    for (char c : shortDateFormat) {
        const char field = c == 'y' ? 'y' : c == 'M' ? 'M' : c == 'd' ? 'd' : 0;
        if (field && order.find(field) == std::string::npos)
            order += field;
    }
    int numbers[3] = {0, 0, 0};
    int count = 0;
    size_t at = 0;
    while (at < text.size() && text[at] == ' ')
        ++at;
    while (count < 3) {
        const size_t begin = at;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9' && at - begin < 4)
            numbers[count] = numbers[count] * 10 + (text[at++] - '0');
        if (at == begin)
            throw fail();
        ++count;
        if (count < 3) {
            if (at >= text.size() || text[at] != dateSeparator)
                throw fail();
            ++at;
        }
    }
    while (at < text.size() && text[at] == ' ')
        ++at;
    if (at != text.size() || order.size() != 3)
        throw fail();
    int year = 0, month = 0, day = 0;
    for (int k = 0; k < 3; ++k) {
        if (order[k] == 'y')
            year = numbers[k];
        else if (order[k] == 'M')
            month = numbers[k];
        else
            day = numbers[k];
    }
    TDateTime date;
    if (!TryEncodeDate(year, month, day, date))
        throw fail();
    return date;
}
