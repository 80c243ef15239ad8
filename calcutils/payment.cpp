#include "payment.h"

#include "calcutils.h"
#include "realmath.h"

#include <cmath>

namespace {

// Present value of n payments A plus a balloon B after m months, at the
// annual rate R.
double presentValue(long double R, double n, double m, double A, double B)
{
    const double i = monthlyRate(R);
    const long double q = 1.0L + i;
    return static_cast<double>((1.0L - 1.0L / Power(q, n)) * A / i + B / Power(q, m));
}

}  // namespace

double monthlyRate(long double R)
{
    return static_cast<double>(R / 1200.0L);
}

double amortizedPayment(double P, double R, double n)
{
    return guardedFloat([&] {
        const double i = monthlyRate(R);
        const long double q = 1.0L + i;
        return static_cast<double>(i / (1.0L - 1.0L / Power(q, n)) * P);
    });
}

double interestOnlyPayment(double P, double R)
{
    return guardedFloat([&] { return static_cast<double>(static_cast<long double>(P) * monthlyRate(R)); });
}

std::optional<double> loanTerm(double P, double R, double A)
{
    return guardedFloat([&]() -> std::optional<double> {
        const double i = monthlyRate(R);
        const long double x = (static_cast<long double>(P) / A) * i;
        if (x >= 1.0L)
            return std::nullopt;
        return static_cast<double>(log10l(1.0L / (1.0L - x)) / log10l(1.0L + i));
    });
}

double interestRate(double P, double n, double A, double B)
{
    return guardedFloat([&] {
        double m = 0.0;
        if (B != 0.0) {
            n = static_cast<double>(static_cast<long double>(n) - 1.0L);
            m = n;
        }
        double R = 1.0;
        for (int pass = 0; pass < 9; ++pass) {
            const long double PV1 = presentValue(R, n, m, A, B);
            const long double PV2 = presentValue(R + 0.1L, n, m, A, B);
            if (PV2 - PV1 != 0.0L)
                R = static_cast<double>(R + 0.1L * (P - PV1) / (PV2 - PV1));
        }
        return static_cast<double>(RoundDecimals(3, R));
    });
}

double loanAmount(double R, double n, double A, double B)
{
    return guardedFloat([&] {
        const double i = monthlyRate(R);
        const long double q = 1.0L + i;
        const long double a = (1.0L - 1.0L / Power(q, n)) * (A / static_cast<long double>(i));
        const long double c = B / (q - Power(q, n + 1.0L));
        return static_cast<double>(a - c * (1.0L - 1.0L / Power(q, n)));
    });
}
