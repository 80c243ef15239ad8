#include "loanscore.h"

#include "realmath.h"

namespace {

// The running sum is held as a stored double between the terms, so every
// term is rounded in at 64 bits even though each is computed extended.
class ScoreSum
{
public:
    void add(long double term) { m_sum = static_cast<double>(m_sum + term); }
    void subtract(long double term) { m_sum = static_cast<double>(m_sum - term); }
    double value() const { return m_sum; }

private:
    double m_sum = 0;
};

long double difference(int weight, double value, double average, long double scale)
{
    return weight * ((static_cast<long double>(value) - average) * scale) * 0.5L;
}

long double choice(int weight, int index)
{
    return (weight * (1 - index)) * 0.5L;
}

}  // namespace

double loanScore(const LoanFigures &loan, const LenderPreferences &prefs)
{
    return guardedFloat([&] {
        ScoreSum s;
        s.add(difference(prefs.wgtAmt, loan.amount, prefs.avgAmt, 0.00001L));
        s.add(difference(prefs.wgtRate, loan.rate, prefs.avgRate, 0.5L));
        // The lender's tables use 0.0833 per month, not a twelfth.
        s.subtract(difference(prefs.wgtTerm, loan.term, prefs.avgTerm, 0.0833L));
        s.add(choice(prefs.wgtCol, loan.quality));
        s.subtract(difference(prefs.wgtDti, loan.dti, prefs.avgDti, 0.1L));
        s.subtract(difference(prefs.wgtLtv, loan.ltv, prefs.avgLtv, 0.1L));
        s.add(difference(prefs.wgtScore, loan.creditScore, prefs.avgScore, 0.01L));
        s.add((prefs.wgtFee * (static_cast<long double>(loan.fees) - prefs.avgFee)) * 0.5L);
        s.add(choice(prefs.wgtGut, loan.feeling));
        s.add(choice(prefs.wgtHb, loan.howBad));

        double score = 5 + s.value();
        if (score > 100)
            score = 100;
        if (score < 0)
            score = 0;
        return score;
    });
}
