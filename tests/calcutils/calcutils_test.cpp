#include "calcutils/calcutils.h"

#include <gtest/gtest.h>

namespace {

struct RoundCase
{
    const char *name;
    int decimals;
    long double value;
    long double expected;
};

class RoundDecimalsTest : public ::testing::TestWithParam<RoundCase>
{
};

TEST_P(RoundDecimalsTest, RoundsLikeTheHandComputation)
{
    const RoundCase &c = GetParam();
    EXPECT_EQ(RoundDecimals(c.decimals, c.value), c.expected);
}

// The stored doubles are widened first, as callers pass them.
INSTANTIATE_TEST_SUITE_P(
    Cases, RoundDecimalsTest,
    ::testing::Values(
        // 2.675 is held just below the half; the bias carries it over.
        RoundCase{"just_below_half_goes_up", 2, static_cast<long double>(2.675), 2.68L},
        RoundCase{"negative_just_below_half", 2, static_cast<long double>(-2.675), -2.68L},
        // With 53-bit arithmetic the bias is lost here and 20000.12 comes out.
        RoundCase{"extended_keeps_the_bias", 2, static_cast<long double>(20000.125), 20000.13L},
        RoundCase{"negative_extended_keeps_the_bias", 2, static_cast<long double>(-20000.125), -20000.13L},
        RoundCase{"three_decimals", 3, static_cast<long double>(1.0005), 1.001L},
        RoundCase{"zero_with_two_decimals", 2, 0.0L, 0.0L}, RoundCase{"zero_with_no_decimals", 0, 0.0L, 0.0L},
        RoundCase{"below_half_goes_down", 2, static_cast<long double>(2.674), 2.67L},
        RoundCase{"negative_decimals_round_to_tens", -1, 125.0L, 130.0L}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(RoundDecimals, ValueTooLargeForTheScaledIntegerFails)
{
    EXPECT_THROW(RoundDecimals(2, 1e18L), std::exception);
}

TDateTime date(int y, int m, int d)
{
    return EncodeDate(y, m, d);
}

TEST(LastOfMonth, EveryDayOfAMonthGivesItsLastDay)
{
    for (int day = 1; day <= 29; ++day)
        EXPECT_EQ(LastOfMonth(date(2024, 2, day)), date(2024, 2, 29)) << day;
    for (int day = 1; day <= 28; ++day)
        EXPECT_EQ(LastOfMonth(date(2023, 2, day)), date(2023, 2, 28)) << day;
    EXPECT_EQ(LastOfMonth(date(2023, 12, 15)), date(2023, 12, 31));
    EXPECT_EQ(LastOfMonth(date(2023, 4, 30)), date(2023, 4, 30));
    EXPECT_EQ(FirstOfMonth(date(2023, 4, 30)), date(2023, 4, 1));
}

TEST(NextMonthSameDay, ClampsToTheLastDayOfAShorterMonth)
{
    EXPECT_EQ(NextMonthSameDay(date(2023, 1, 31)), date(2023, 2, 28));
    EXPECT_EQ(NextMonthSameDay(date(2024, 1, 31)), date(2024, 2, 29));
    EXPECT_EQ(NextMonthSameDay(date(2023, 1, 30)), date(2023, 2, 28));
    EXPECT_EQ(NextMonthSameDay(date(2024, 1, 30)), date(2024, 2, 29));
    EXPECT_EQ(NextMonthSameDay(date(2024, 2, 29)), date(2024, 3, 29));
    EXPECT_EQ(NextMonthSameDay(date(2023, 3, 31)), date(2023, 4, 30));
    EXPECT_EQ(NextMonthSameDay(date(2023, 11, 15)), date(2023, 12, 15));
    EXPECT_EQ(NextMonthSameDay(date(2023, 12, 31)), date(2024, 1, 31));
    // A time of day is dropped.
    EXPECT_EQ(NextMonthSameDay(date(2023, 11, 15) + 0.75), date(2023, 12, 15));
}

struct DaysCase
{
    const char *name;
    TDateTime a;
    TDateTime b;
    int days360;
    int days365;
};

class DaysBetweenTest : public ::testing::TestWithParam<DaysCase>
{
};

TEST_P(DaysBetweenTest, CountsBothCalendarsInEitherOrder)
{
    const DaysCase &c = GetParam();
    EXPECT_EQ(DaysBetween(true, c.a, c.b), c.days360);
    EXPECT_EQ(DaysBetween(false, c.a, c.b), c.days365);
    EXPECT_EQ(DaysBetween(true, c.b, c.a), c.days360);
    EXPECT_EQ(DaysBetween(false, c.b, c.a), c.days365);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DaysBetweenTest,
    ::testing::Values(DaysCase{"month_end_to_next_first", date(2023, 1, 31), date(2023, 2, 1), 0, 1},
                      DaysCase{"february_end_common_year", date(2023, 2, 28), date(2023, 3, 1), 3, 1},
                      DaysCase{"year_over_a_leap_day", date(2024, 1, 15), date(2025, 1, 15), 360, 366},
                      DaysCase{"same_day_other_times", date(2024, 5, 5) + 0.1, date(2024, 5, 5) + 0.9, 0, 0},
                      DaysCase{"january_31_to_march_1", date(2023, 1, 31), date(2023, 3, 1), 30, 29},
                      DaysCase{"whole_common_year", date(2023, 1, 1), date(2023, 12, 31), 360, 364},
                      DaysCase{"whole_leap_year", date(2024, 1, 1), date(2024, 12, 31), 360, 365}),
    [](const auto &info) { return std::string(info.param.name); });

}  // namespace
