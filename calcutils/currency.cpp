#include "currency.h"

#include "errors.h"
#include "numbertext.h"
#include "realmath.h"

#include <limits>

static AppError outOfRange()
{
    return AppError("Invalid floating point operation");
}

Currency Currency::fromReal(long double x)
{
    return Currency(roundToInt64(x * 10000.0L));
}

Currency Currency::fromText(std::string_view text)
{
    DecimalText parts;
    if (!parseDecimalText(text, parts))
        throw ConvertError(formatMessage("'%s' is not a valid floating point value", std::string(text)));
    if (parts.digits.empty())
        return Currency();

    // Count of ten-thousandths: shift the decimal point four places right and
    // round the digits that fall behind it exactly, ties to even.
    const long long length = static_cast<long long>(parts.digits.size());
    const long long keep = length + parts.exponent + 4;  // digits before the point
    if (keep > 19)
        throw outOfRange();
    if (keep < 0)
        return Currency();
    unsigned __int128 whole = 0;
    for (long long k = 0; k < keep; ++k)
        whole = whole * 10 + (k < length ? parts.digits[k] - '0' : 0);
    if (keep < length) {
        // The digits carry no trailing zeros: anything after the first
        // dropped digit puts the value above the half.
        const int dropped = parts.digits[keep] - '0';
        const bool moreAfter = keep + 1 < length;
        if (dropped > 5 || (dropped == 5 && (moreAfter || (whole & 1))))
            ++whole;
    }
    const unsigned __int128 limit =
        static_cast<unsigned __int128>(std::numeric_limits<std::int64_t>::max()) + (parts.negative ? 1 : 0);
    if (whole > limit)
        throw outOfRange();
    const auto signedWhole = static_cast<__int128>(whole);
    return Currency(static_cast<std::int64_t>(parts.negative ? -signedWhole : signedWhole));
}

Currency Currency::operator+(Currency other) const
{
    std::int64_t sum;
    if (__builtin_add_overflow(m_count, other.m_count, &sum))
        throw outOfRange();
    return Currency(sum);
}

Currency Currency::operator-(Currency other) const
{
    std::int64_t difference;
    if (__builtin_sub_overflow(m_count, other.m_count, &difference))
        throw outOfRange();
    return Currency(difference);
}
