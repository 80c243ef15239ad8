#include "apr.h"

#include "calcutils.h"
#include "errors.h"
#include "payment.h"
#include "realmath.h"

#include <cmath>

namespace {

// The payment for amount at the monthly rate r over n months, the numerator
// kept extended until the division.
long double paymentAt(double amount, double r, double n)
{
    const long double growth = Power(1.0L + r, n);
    return static_cast<long double>(amount) * r * growth / (growth - 1.0L);
}

}  // namespace

double levelPayment(double loanAmt, double intRate, double term)
{
    return guardedFloat([&] {
        const double r = monthlyRate(intRate);
        return static_cast<double>(static_cast<long double>(loanAmt) * r / (1.0L - 1.0L / Power(1.0L + r, term)));
    });
}

double financeCharge(double moPmt, double term, double amtFinanced)
{
    return guardedFloat([&] { return static_cast<double>(static_cast<long double>(moPmt) * term - amtFinanced); });
}

double searchAPR(double loanAmt, double intRate, double term, double amtFinanced)
{
    try {
        return guardedFloat([&] {
            const double target = static_cast<double>(paymentAt(loanAmt, monthlyRate(intRate), term));
            double a = intRate;
            double g = 0.0;
            for (int step = 0; step < aprIterationLimit; ++step) {
                const double previous = a;
                a = static_cast<double>(a + 100.0L * g / amtFinanced);
                // A correction below the resolution of a would repeat forever.
                if (g != 0.0 && a == previous)
                    return 0.0;
                g = static_cast<double>(fabsl(paymentAt(amtFinanced, monthlyRate(a), term) - target));
                if (!std::isfinite(g))
                    return 0.0;
                if (RoundDecimals(2, g) == 0.0L)
                    return a;
            }
            return 0.0;
        });
    } catch (const AppError &) {
        return 0.0;
    }
}
