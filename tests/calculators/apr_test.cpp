#include "calcutils/apr.h"
#include "calcutils/errors.h"
#include "calcutils/patternformat.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

constexpr const char *money = "$#,###,###,##0.00";
constexpr const char *rate = "###0.000%";

struct Loan
{
    const char *name;
    double loanAmt;
    double intRate;
    double term;
    double fees;
    std::string apr;
};

void PrintTo(const Loan &row, std::ostream *out)
{
    *out << row.name;
}

class AprSearch : public ::testing::TestWithParam<Loan>
{
};

TEST_P(AprSearch, FindsTheWorkedRate)
{
    const Loan &loan = GetParam();
    EXPECT_EQ(FormatFloat(rate, searchAPR(loan.loanAmt, loan.intRate, loan.term, loan.loanAmt - loan.fees)), loan.apr);
}

INSTANTIATE_TEST_SUITE_P(WorkedExamples, AprSearch,
                         ::testing::Values(Loan{"DefaultsWithFees1000", 100000, 12, 60, 1000, "12.443%"},
                                           Loan{"NoFeesGivesTheNoteRate", 100000, 12, 60, 0, "12.000%"},
                                           // The exact APR is about 13.913 %; the climb stops within half a cent.
                                           Loan{"ShortLoanStopsBelowTheExactRate", 1000, 12, 12, 10, "13.903%"},
                                           // The payment on 101000 is 22 above the target: the climb runs away.
                                           Loan{"NegativeFeesRunAway", 100000, 12, 60, -1000, "0.000%"},
                                           // 0.1 more financed raises the payment by 0.002, within half a cent.
                                           Loan{"SmallNegativeFeesKeepTheNoteRate", 100000, 12, 60, -0.1, "12.000%"},
                                           // The correction falls below the resolution of the rate.
                                           Loan{"HugeLoanStopsWhenTheRateStopsChanging", 1e15, 12, 60, 1000, "0.000%"}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(LevelPayment, DefaultsPayTheWorkedAmount)
{
    EXPECT_EQ(FormatFloat("########0.00", levelPayment(100000, 12, 60)), "2224.44");
}

struct Charge
{
    const char *name;
    double moPmt;
    double amtFinanced;
    std::string shown;
};

void PrintTo(const Charge &row, std::ostream *out)
{
    *out << row.name;
}

class FinanceCharge : public ::testing::TestWithParam<Charge>
{
};

TEST_P(FinanceCharge, IsThePaymentsLessTheAmountFinanced)
{
    EXPECT_EQ(FormatFloat(money, financeCharge(GetParam().moPmt, 60, GetParam().amtFinanced)), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(WorkedExamples, FinanceCharge,
                         ::testing::Values(Charge{"FullComputedPayment", levelPayment(100000, 12, 60), 99000,
                                                  "$34,466.69"},
                                           // 2224.44 * 60 - 99000
                                           Charge{"PaymentReadBackAtTwoDecimals", 2224.44, 99000, "$34,466.40"},
                                           Charge{"NoFees", levelPayment(100000, 12, 60), 100000, "$33,466.69"}),
                         [](const auto &info) { return std::string(info.param.name); });

struct Fault
{
    const char *name;
    double loanAmt;
    double intRate;
    double term;
    std::string message;
};

void PrintTo(const Fault &row, std::ostream *out)
{
    *out << row.name;
}

class LevelPaymentFault : public ::testing::TestWithParam<Fault>
{
};

TEST_P(LevelPaymentFault, RaisesTheArithmeticError)
{
    const Fault &fault = GetParam();
    try {
        levelPayment(fault.loanAmt, fault.intRate, fault.term);
        FAIL() << "no fault raised";
    } catch (const AppError &e) {
        EXPECT_EQ(std::string(e.what()), fault.message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Faults, LevelPaymentFault,
    ::testing::Values(Fault{"AllZeroDividesZeroByZero", 0, 0, 0, "Invalid floating point operation"},
                      Fault{"TermZeroDividesByZero", 100000, 12, 0, "Floating point division by zero"}),
    [](const auto &info) { return std::string(info.param.name); });

}  // namespace
