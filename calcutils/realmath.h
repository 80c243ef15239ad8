#pragma once

#include <utility>

// Clears the floating-point status flags, runs f, and turns an invalid
// operation, a division by zero or an overflow raised on the way into an
// AppError with the user's message. Every formula runs inside one of these,
// so no infinity or NaN ever reaches a box.
template<typename F>
auto guardedFloat(F &&f) -> decltype(f());

void clearFloatFlags();
// Throws the AppError for the first fault flag that is set.
void throwOnFloatFlags();

// q raised to the real power n in extended precision: a whole n of at most
// 2147483647 in magnitude by repeated squaring (the reciprocal for negative
// n), otherwise e^(n ln q). q^0 is 1 for any q.
long double Power(long double q, long double n);

// 10^d by repeated squaring; 1 / 10^|d| for negative d.
long double PowerOfTen(int d);

// Nearest 64-bit integer, ties to even; an invalid-operation fault when the
// value does not fit.
long long roundToInt64(long double x);

template<typename F>
auto guardedFloat(F &&f) -> decltype(f())
{
    clearFloatFlags();
    if constexpr (std::is_void_v<decltype(f())>) {
        std::forward<F>(f)();
        throwOnFloatFlags();
    } else {
        auto result = std::forward<F>(f)();
        throwOnFloatFlags();
        return result;
    }
}
