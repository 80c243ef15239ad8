#pragma once

#include <cstdint>
#include <string_view>

// Money as a signed 64-bit count of ten-thousandths.
class Currency
{
public:
    constexpr Currency() = default;
    static constexpr Currency fromCount(std::int64_t count) { return Currency(count); }
    // x * 10000 rounded to nearest, ties to even; "Invalid floating point
    // operation" when that does not fit.
    static Currency fromReal(long double x);
    // Decimal text by the number-text rule, rounded exactly at the fourth
    // decimal, ties to even; a ConvertError for text that is not a number.
    static Currency fromText(std::string_view text);

    constexpr std::int64_t count() const { return m_count; }
    long double toReal() const { return static_cast<long double>(m_count) / 10000.0L; }

    // Exact sums and differences; "Invalid floating point operation" on overflow.
    Currency operator+(Currency other) const;
    Currency operator-(Currency other) const;
    friend constexpr bool operator==(Currency, Currency) = default;
    friend constexpr auto operator<=>(Currency, Currency) = default;

private:
    constexpr explicit Currency(std::int64_t count)
        : m_count(count)
    {
    }
    std::int64_t m_count = 0;
};
