#include "calcutils/dates.h"
#include "calcutils/errors.h"

#include <gtest/gtest.h>

namespace {

TEST(Dates, DayZeroIsTheLastDayOf1899)
{
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
    EXPECT_EQ(EncodeDate(2024, 1, 15), 45306.0);
}

TEST(Dates, EncodeAndDecodeRoundTripOverTheWholeRange)
{
    for (int year : {1, 4, 100, 1600, 1899, 1900, 2000, 2023, 2024, 9999}) {
        for (int month = 1; month <= 12; ++month) {
            for (int day : {1, 28, DaysInMonth(year, month)}) {
                const DateParts parts = DecodeDate(EncodeDate(year, month, day));
                EXPECT_EQ(parts.year, year);
                EXPECT_EQ(parts.month, month);
                EXPECT_EQ(parts.day, day);
            }
        }
    }
}

TEST(Dates, ImpossibleDatesAreRefused)
{
    EXPECT_THROW(EncodeDate(2023, 2, 29), AppError);
    EXPECT_THROW(EncodeDate(2023, 4, 31), AppError);
    EXPECT_THROW(EncodeDate(0, 1, 1), AppError);
    EXPECT_THROW(EncodeDate(10000, 1, 1), AppError);
    EXPECT_NO_THROW(EncodeDate(2024, 2, 29));
}

TEST(Dates, ShortDateFormatIsMonthDayYear)
{
    setShortDateFormat("MM/dd/yyyy", '/');
    EXPECT_EQ(DateToStr(EncodeDate(2024, 1, 15)), "01/15/2024");
    EXPECT_EQ(DateToStr(EncodeDate(2024, 1, 15) + 0.5), "01/15/2024");
    EXPECT_EQ(StrToDate("01/15/2024"), EncodeDate(2024, 1, 15));
    EXPECT_EQ(StrToDate("1/5/2024"), EncodeDate(2024, 1, 5));
    EXPECT_THROW(StrToDate("13/01/2024"), ConvertError);
    EXPECT_THROW(StrToDate("01-15-2024"), ConvertError);
    EXPECT_THROW(StrToDate(""), ConvertError);
}

TEST(Dates, OtherFormatsFollowTheirOrderAndSeparator)
{
    setShortDateFormat("dd/MM/yyyy", '.');
    EXPECT_EQ(DateToStr(EncodeDate(2024, 1, 15)), "15.01.2024");
    EXPECT_EQ(StrToDate("15.01.2024"), EncodeDate(2024, 1, 15));
    setShortDateFormat("MM/dd/yyyy", '/');
}

}  // namespace
