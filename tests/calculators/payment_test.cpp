#include "calcutils/errors.h"
#include "calcutils/patternformat.h"
#include "calcutils/payment.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

namespace {

struct Solved
{
    const char *name;
    std::function<double()> solve;
    const char *pattern;
    std::string shown;
};

void PrintTo(const Solved &row, std::ostream *out)
{
    *out << row.name;
}

class PaymentEquation : public ::testing::TestWithParam<Solved>
{
};

TEST_P(PaymentEquation, ShowsTheWorkedResult)
{
    EXPECT_EQ(FormatFloat(GetParam().pattern, GetParam().solve()), GetParam().shown);
}

// Worked examples of the payment calculator, loan 100000 at 12 % for 60
// months unless a row says otherwise.
INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, PaymentEquation,
    ::testing::Values(
        Solved{"AmortizedPaymentOfTheDefaults", [] { return amortizedPayment(100000, 12, 60); }, "########0.00",
               "2224.44"},
        Solved{"InterestOnlyPaymentOfTheDefaults", [] { return interestOnlyPayment(100000, 12); }, "########0.00",
               "1000.00"},
        Solved{"TermForPayment2224_44", [] { return *loanTerm(100000, 12, 2224.44); }, "###0.00", "60.00"},
        Solved{"TermForPayment1500", [] { return *loanTerm(100000, 12, 1500); }, "###0.00", "110.41"},
        Solved{"RateForPayment2224_44", [] { return interestRate(100000, 60, 2224.44, 0); }, "###0.000", "12.000"},
        Solved{"RateWithBalloon50000", [] { return interestRate(100000, 60, 1000, 50000); }, "###0.000", "2.411"},
        Solved{"LoanAmountForPayment2224_44", [] { return loanAmount(12, 60, 2224.44, 0); }, "########0.00",
               "99999.79"},
        // The balloon is discounted over n + 1 months here, n - 1 above.
        Solved{"LoanAmountBackFromRate2_411", [] { return loanAmount(2.411, 60, 1000, 50000); }, "########0.00",
               "100709.30"},
        Solved{"LoanAmountWithBalloonAt12", [] { return loanAmount(12, 60, 1000, 50000); }, "########0.00", "72205.02"},
        // 1000.125 and 1000.135 are exact in currency; the cent ties to even.
        Solved{"InterestOnlyTieRoundsDownToEven", [] { return interestOnlyPayment(100012.5, 12); }, "########0.00",
               "1000.12"},
        Solved{"InterestOnlyTieRoundsUpToEven", [] { return interestOnlyPayment(100013.5, 12); }, "########0.00",
               "1000.14"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(LoanTerm, PaymentEqualToTheFirstInterestNeverRepays)
{
    EXPECT_FALSE(loanTerm(100000, 12, 1000).has_value());
}

TEST(LoanTerm, PaymentBelowTheFirstInterestNeverRepays)
{
    EXPECT_FALSE(loanTerm(100000, 12, 999.99).has_value());
}

TEST(InterestRate, PaymentTooSmallToAmortizeGivesANegativeRate)
{
    EXPECT_LT(interestRate(100000, 60, 1000, 0), 0.0);
}

struct Fault
{
    const char *name;
    std::function<void()> compute;
    std::string message;
};

void PrintTo(const Fault &row, std::ostream *out)
{
    *out << row.name;
}

class PaymentFault : public ::testing::TestWithParam<Fault>
{
};

TEST_P(PaymentFault, RaisesTheArithmeticError)
{
    try {
        GetParam().compute();
        FAIL() << "no fault raised";
    } catch (const AppError &e) {
        EXPECT_EQ(std::string(e.what()), GetParam().message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Faults, PaymentFault,
    ::testing::Values(
        // 1 - 1 / q^0 is 0.
        Fault{"PaymentOverTermZero", [] { amortizedPayment(100000, 12, 0.0); }, "Floating point division by zero"},
        // log10(1) / log10(1) is 0 / 0.
        Fault{"TermAtRateZero", [] { loanTerm(100000, 0, 1000); }, "Invalid floating point operation"},
        Fault{"PaymentOverAnEndlessTerm", [] { amortizedPayment(100000, 12, 1e10); }, "Floating point overflow"},
        // All values zero: 0 / 0 in the monthly rate's payment.
        Fault{"LoanAmountFromZeros", [] { loanAmount(0, 0, 0, 0); }, "Invalid floating point operation"}),
    [](const auto &info) { return std::string(info.param.name); });

}  // namespace
