#include "scheduletable.h"

#include "amortization/schedule.h"

#include "calcutils/errors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>

namespace {

long long cents(double amount)
{
    return std::llround(amount * 100.0);
}

struct RowCase
{
    const char *name;
    Loan loan;
    std::size_t expectedRows;
    std::size_t row;  // 1 for the first
    const char *year;
    const char *dueDate;
    double payment;
    double interest;
    double principal;
    double balance;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const RowCase &c, std::ostream *os)
{
    *os << c.name;
}

Loan withMonths(int months)
{
    Loan loan;
    loan.months = months;
    return loan;
}

Loan withPayment(const char *payment, int months)
{
    Loan loan;
    loan.payment = payment;
    loan.months = months;
    return loan;
}

Loan withTerm(const char *amount, const char *rate, int term, int months)
{
    Loan loan;
    loan.amount = amount;
    loan.rate = rate;
    loan.term = term;
    loan.months = months;
    return loan;
}

class ScheduleRows : public ::testing::TestWithParam<RowCase>
{
};

TEST_P(ScheduleRows, RowReadBackFromTheTable)
{
    const RowCase &c = GetParam();
    ScheduleTable table;
    table.generate(c.loan);
    const std::vector<ScheduleRow> rows = table.rows();
    ASSERT_EQ(rows.size(), c.expectedRows);
    const ScheduleRow &row = rows.at(c.row - 1);
    EXPECT_EQ(row.year, c.year);
    EXPECT_EQ(DateToStr(row.dueDate), c.dueDate);
    EXPECT_EQ(row.number, static_cast<double>(c.row));
    EXPECT_EQ(cents(row.payment), cents(c.payment));
    EXPECT_EQ(cents(row.interest), cents(c.interest));
    EXPECT_EQ(cents(row.principal), cents(c.principal));
    EXPECT_EQ(cents(row.balance), cents(c.balance));
}

// The defaults are the worked example: A = 2224.4448, rounded to 2224.44.
// The other rows were computed by hand with exact fractions, step by step.
INSTANTIATE_TEST_SUITE_P(
    Generation, ScheduleRows,
    ::testing::Values(RowCase{"DefaultsRow1", Loan(), 60, 1, "2024", "01/15/2024", 2224.44, 1000.00, 1224.44, 98775.56},
                      RowCase{"DefaultsRow2", Loan(), 60, 2, "2024", "02/15/2024", 2224.44, 987.76, 1236.68, 97538.88},
                      RowCase{"DefaultsRow3", Loan(), 60, 3, "2024", "03/15/2024", 2224.44, 975.39, 1249.05, 96289.83},
                      RowCase{"DefaultsRow60LeavesCents", Loan(), 60, 60, "2028", "12/15/2028", 2224.44, 22.03, 2202.41,
                              0.43},
                      RowCase{"MonthsBeyondTermAddOneFullPayment", withMonths(360), 61, 61, "2029", "01/15/2029",
                              2224.44, 0.00, 2224.44, -2224.01},
                      RowCase{"FixedPaymentEndsBelowZero", withPayment("2500.00", 360), 52, 52, "2028", "04/15/2028",
                              2500.00, 8.38, 2491.62, -1653.35},
                      // (1.01)^-60 = 0.5504496, so A = 1000 / (1 - 1.8166967) = -1224.44.
                      RowCase{"NegativeTermGrowsFirstRow", withTerm("100000.00", "12.000", -60, 5), 5, 1, "2024",
                              "01/15/2024", -1224.44, 1000.00, -2224.44, 102224.44},
                      RowCase{"NegativeTermGrowsUntilMonthsRunOut", withTerm("100000.00", "12.000", -60, 5), 5, 5,
                              "2024", "05/15/2024", -1224.44, 1090.32, -2314.76, 111346.87},
                      // A = 10 / (1 - 1/1.0201) = 507.5124; the second row clears the loan.
                      RowCase{"ShortTermEndsAtZero", withTerm("1000.00", "12.000", 2, 10), 2, 2, "2024", "02/15/2024",
                              507.51, 5.02, 502.49, 0.00},
                      // Payment 2224.4451: C = 1224.4451 -> 1224.45, N = 98775.5549 -> 98775.55.
                      RowCase{"PaymentBeyondCentsRow1", withPayment("2224.4451", 3), 3, 1, "2024", "01/15/2024",
                              2224.45, 1000.00, 1224.45, 98775.55},
                      // B = 98775.55, I = 987.7555 -> 987.76, C = 1236.6851 -> 1236.69.
                      RowCase{"PaymentBeyondCentsRow2", withPayment("2224.4451", 3), 3, 2, "2024", "02/15/2024",
                              2224.45, 987.76, 1236.69, 97538.86},
                      RowCase{"LoanBeyondCentsRoundsBalance", withTerm("1000.005", "12.000", 2, 10), 2, 1, "2024",
                              "01/15/2024", 507.52, 10.00, 497.52, 502.49}),
    [](const ::testing::TestParamInfo<RowCase> &info) { return std::string(info.param.name); });

TEST(ScheduleTotals, DefaultInterestAddsUpToTheWorkedExample)
{
    ScheduleTable table;
    table.generate(Loan());
    long long interest = 0;
    for (const ScheduleRow &row : table.rows())
        interest += cents(row.interest);
    EXPECT_EQ(interest, 3346683);
}

TEST(ScheduleTotals, PaymentNumbersCountFromOne)
{
    ScheduleTable table;
    table.generate(Loan());
    const std::vector<ScheduleRow> rows = table.rows();
    for (std::size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(rows[i].number, static_cast<double>(i + 1)) << "row " << i + 1;
}

TEST(ScheduleTotals, ZeroRateSplitsTheLoanEvenly)
{
    ScheduleTable table;
    table.data.tblAmort.createTable(kAmortFieldDefinitions);
    GenerateSchedule(4, 10, Currency::fromText("1000.00"), 0.0L, Currency(), EncodeDate(2024, 1, 15),
                     table.data.tblAmort);
    const std::vector<ScheduleRow> rows = table.rows();
    ASSERT_EQ(rows.size(), 4u);
    for (const ScheduleRow &row : rows) {
        EXPECT_EQ(cents(row.payment), 25000);
        EXPECT_EQ(cents(row.interest), 0);
    }
    EXPECT_EQ(cents(rows.back().balance), 0);
}

struct DateCase
{
    const char *name;
    int year;
    int month;
    int day;
    std::vector<std::string> dueDates;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const DateCase &c, std::ostream *os)
{
    *os << c.name;
}

class DueDates : public ::testing::TestWithParam<DateCase>
{
};

TEST_P(DueDates, EachFollowsThePreviousOne)
{
    const DateCase &c = GetParam();
    Loan loan;
    loan.year = c.year;
    loan.month = c.month;
    loan.day = c.day;
    loan.months = static_cast<int>(c.dueDates.size());
    ScheduleTable table;
    table.generate(loan);
    std::vector<std::string> dates;
    for (const ScheduleRow &row : table.rows())
        dates.push_back(DateToStr(row.dueDate));
    EXPECT_EQ(dates, c.dueDates);
}

INSTANTIATE_TEST_SUITE_P(
    Generation, DueDates,
    ::testing::Values(DateCase{"MonthEndInLeapYearStaysClamped",
                               2024,
                               1,
                               31,
                               {"01/31/2024", "02/29/2024", "03/29/2024", "04/29/2024", "05/29/2024"}},
                      DateCase{
                          "MonthEndInCommonYearStaysClamped", 2023, 1, 31, {"01/31/2023", "02/28/2023", "03/28/2023"}},
                      DateCase{"ThirtiethClampsToApril", 2024, 3, 31, {"03/31/2024", "04/30/2024", "05/30/2024"}},
                      DateCase{"YearEndRollsOver", 2023, 12, 31, {"12/31/2023", "01/31/2024", "02/29/2024"}}),
    [](const ::testing::TestParamInfo<DateCase> &info) { return std::string(info.param.name); });

TEST(ScheduleYears, YearFieldFollowsTheDueDate)
{
    Loan loan;
    loan.month = 11;
    loan.months = 3;
    ScheduleTable table;
    table.generate(loan);
    std::vector<std::string> years;
    for (const ScheduleRow &row : table.rows())
        years.push_back(row.year);
    EXPECT_EQ(years, (std::vector<std::string>{"2024", "2024", "2025"}));
}

struct EmptyCase
{
    const char *name;
    const char *amount;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const EmptyCase &c, std::ostream *os)
{
    *os << c.name;
}

class EmptySchedule : public ::testing::TestWithParam<EmptyCase>
{
};

TEST_P(EmptySchedule, NoRowsAndTableClosed)
{
    Loan loan;
    loan.amount = GetParam().amount;
    ScheduleTable table;
    table.generate(loan);
    EXPECT_FALSE(table.data.tblAmort.active());
    EXPECT_TRUE(table.rows().empty());
}

INSTANTIATE_TEST_SUITE_P(Generation, EmptySchedule,
                         ::testing::Values(EmptyCase{"ZeroLoan", "0.00"}, EmptyCase{"NegativeLoan", "-5000.00"}),
                         [](const ::testing::TestParamInfo<EmptyCase> &info) { return std::string(info.param.name); });

struct FailureCase
{
    const char *name;
    Loan loan;
    const char *message;
    std::size_t keptRows;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const FailureCase &c, std::ostream *os)
{
    *os << c.name;
}

class ScheduleFailures : public ::testing::TestWithParam<FailureCase>
{
};

TEST_P(ScheduleFailures, ErrorPassesOnWithPostedRowsKept)
{
    const FailureCase &c = GetParam();
    ScheduleTable table;
    try {
        table.generate(c.loan);
        FAIL() << "no error";
    } catch (const AppError &e) {
        EXPECT_EQ(std::string(e.what()), c.message);
    }
    EXPECT_FALSE(table.data.tblAmort.active());
    EXPECT_EQ(table.rows().size(), c.keptRows);
}

Loan growing(const char *amount, const char *payment)
{
    Loan loan;
    loan.amount = amount;
    loan.payment = payment;
    return loan;
}

INSTANTIATE_TEST_SUITE_P(
    Generation, ScheduleFailures,
    ::testing::Values(
        FailureCase{"ZeroTermDividesByZero", withTerm("100000.00", "12.000", 0, 60), "Floating point division by zero",
                    0},
        // 1.01^n leaves the extended range after about 1.14 million factors.
        FailureCase{"HugeTermOverflowsThePower", withTerm("100000.00", "12.000", 2000000000, 60),
                    "Floating point overflow", 0},
        // Balances 989799999.99 and 999697999.98 fit, the third 1009694979.97 does not.
        FailureCase{"BalanceOverFieldRange", growing("980000000.00", "0.01"), "Numeric out of range.", 2},
        FailureCase{"LoanOverFieldRangeAtFirstRow", growing("1200000000.00", "0.00"), "Numeric out of range.", 0},
        // 1000 - (100002000 - 10) = -100000990.00 is below -99999999.99.
        FailureCase{"BalanceBelowFieldRange", growing("1000.00", "100002000.00"), "Numeric out of range.", 0}),
    [](const ::testing::TestParamInfo<FailureCase> &info) { return std::string(info.param.name); });

TEST(ScheduleTable, RegenerationReplacesEarlierRows)
{
    ScheduleTable table;
    table.generate(Loan());
    Loan shorter;
    shorter.months = 3;
    table.generate(shorter);
    EXPECT_EQ(table.rows().size(), 3u);
}

}  // namespace
