#include "realmath.h"

#include "errors.h"

#include <cfenv>
#include <cmath>

void clearFloatFlags()
{
    std::feclearexcept(FE_ALL_EXCEPT);
}

void throwOnFloatFlags()
{
    const int raised = std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW);
    std::feclearexcept(FE_ALL_EXCEPT);
    // An infinity from a division by zero or an overflow turns into an
    // invalid operation further on; the earlier fault is the one to report.
    if (raised & FE_DIVBYZERO)
        throw AppError("Floating point division by zero");
    if (raised & FE_OVERFLOW)
        throw AppError("Floating point overflow");
    if (raised & FE_INVALID)
        throw AppError("Invalid floating point operation");
}

static long double wholePower(long double base, long long exponent)
{
    long double result = 1.0L;
    while (exponent != 0) {
        if (exponent & 1)
            result *= base;
        exponent >>= 1;
        // Squaring past the last bit could overflow on its own.
        if (exponent != 0)
            base *= base;
    }
    return result;
}

long double Power(long double q, long double n)
{
    if (n == 0.0L)
        return 1.0L;
    if (n == truncl(n) && fabsl(n) <= 2147483647.0L) {
        const long long e = static_cast<long long>(n);
        return e < 0 ? 1.0L / wholePower(q, -e) : wholePower(q, e);
    }
    return expl(n * logl(q));
}

long double PowerOfTen(int d)
{
    const long double p = wholePower(10.0L, d < 0 ? -static_cast<long long>(d) : d);
    return d < 0 ? 1.0L / p : p;
}

long long roundToInt64(long double x)
{
    // 2^63 exactly; anything at or beyond it, or NaN, does not fit.
    constexpr long double limit = 9223372036854775808.0L;
    if (!(x >= -limit && x < limit))
        throw AppError("Invalid floating point operation");
    return llrintl(x);
}
