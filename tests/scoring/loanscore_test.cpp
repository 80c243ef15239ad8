#include "calcutils/loanscore.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

namespace {

// The averages a new preference file is seeded with, all weights 2.
LenderPreferences newFilePreferences()
{
    LenderPreferences p;
    p.avgAmt = 100000;
    p.avgRate = 12;
    p.avgTerm = 60;
    p.avgDti = 30;
    p.avgLtv = 70;
    p.avgScore = 600;
    p.avgFee = 1;
    p.wgtAmt = p.wgtRate = p.wgtTerm = p.wgtCol = p.wgtDti = 2;
    p.wgtLtv = p.wgtScore = p.wgtFee = p.wgtGut = p.wgtHb = 2;
    return p;
}

// A loan equal to those averages with every choice on its middle item.
LoanFigures averageLoan()
{
    LoanFigures l;
    l.amount = 100000;
    l.rate = 12;
    l.term = 60;
    l.dti = 30;
    l.ltv = 70;
    l.creditScore = 600;
    l.fees = 1;
    return l;
}

struct ScoreCase
{
    std::string name;
    std::function<void(LoanFigures &, LenderPreferences &)> change;
    double expected;
};

void PrintTo(const ScoreCase &row, std::ostream *os)
{
    *os << row.name;
}

class LoanScoreTest : public testing::TestWithParam<ScoreCase>
{
};

TEST_P(LoanScoreTest, Score)
{
    LoanFigures loan = averageLoan();
    LenderPreferences prefs = newFilePreferences();
    GetParam().change(loan, prefs);
    EXPECT_DOUBLE_EQ(loanScore(loan, prefs), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LoanScoreTest,
    testing::Values(
        ScoreCase{"average_loan_scores_5", [](LoanFigures &, LenderPreferences &) {}, 5.0},
        // +1 amount, +1 rate, +1 collateral, +0.5 credit score, +1 gut feeling.
        ScoreCase{"good_loan_scores_9_5",
                  [](LoanFigures &l, LenderPreferences &) {
                      l.amount = 200000;
                      l.rate = 14;
                      l.quality = 0;
                      l.creditScore = 650;
                      l.feeling = 0;
                  },
                  9.5},
        // 2 * (12 * 0.0833) * 0.5 = 0.9996 subtracted.
        ScoreCase{"term_72_uses_0_0833", [](LoanFigures &l, LenderPreferences &) { l.term = 72; }, 4.0004},
        ScoreCase{"rate_12_5_adds_a_quarter", [](LoanFigures &l, LenderPreferences &) { l.rate = 12.5; }, 5.25},
        ScoreCase{"weight_0_removes_the_factor",
                  [](LoanFigures &l, LenderPreferences &p) {
                      l.term = 72;
                      p.wgtTerm = 0;
                  },
                  5.0},
        // (2 * (1 - -1)) * 0.5 = 2, twice what the first item gives.
        ScoreCase{"typed_over_choice_counts_as_index_minus_1",
                  [](LoanFigures &l, LenderPreferences &) { l.quality = -1; }, 7.0},
        ScoreCase{"last_choice_lowers_by_weight_half", [](LoanFigures &l, LenderPreferences &) { l.howBad = 2; }, 4.0},
        // 2 * ((45 - 30) * 0.1) * 0.5 = 1.5 subtracted, the same for LTV.
        ScoreCase{"higher_dti_and_ltv_lower_the_score",
                  [](LoanFigures &l, LenderPreferences &) {
                      l.dti = 45;
                      l.ltv = 85;
                  },
                  2.0},
        // (2 * (3 - 1)) * 0.5 = 2 added.
        ScoreCase{"higher_fees_raise_the_score", [](LoanFigures &l, LenderPreferences &) { l.fees = 3; }, 7.0},
        // 2 * ((-10000 - 600) * 0.01) * 0.5 = -106, then held at 0.
        ScoreCase{"score_below_0_is_held_at_0", [](LoanFigures &l, LenderPreferences &) { l.creditScore = -10000; },
                  0.0},
        // 2 * (4900000 * 0.00001) * 0.5 = 49.
        ScoreCase{"amount_4_9_million_over_scores_54", [](LoanFigures &l, LenderPreferences &) { l.amount = 5000000; },
                  54.0},
        ScoreCase{"score_above_100_is_held_at_100",
                  [](LoanFigures &l, LenderPreferences &) { l.amount = 999999999999; }, 100.0},
        ScoreCase{"blank_record_scores_5_whatever_the_loan",
                  [](LoanFigures &l, LenderPreferences &p) {
                      p = LenderPreferences{};
                      l.amount = 123456;
                      l.quality = 0;
                  },
                  5.0}),
    [](const testing::TestParamInfo<ScoreCase> &info) { return info.param.name; });

}  // namespace
