#include "patternformat.h"

#include "numbertext.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace {

struct Pattern
{
    std::string prefix;
    std::string suffix;
    int minIntegerDigits = 0;
    int decimals = 0;
    bool grouping = false;
};

bool isPlaceholder(char c)
{
    return c == '0' || c == '#';
}

Pattern parsePattern(std::string_view text)
{
    Pattern pattern;
    const size_t first = text.find_first_of("0#.");
    const size_t last = text.find_last_of("0#.");
    if (first == std::string_view::npos) {
        pattern.prefix = std::string(text);
        return pattern;
    }
    pattern.prefix = std::string(text.substr(0, first));
    pattern.suffix = std::string(text.substr(last + 1));
    bool afterPoint = false;
    bool zeroSeen = false;
    for (size_t at = first; at <= last; ++at) {
        const char c = text[at];
        if (c == '.') {
            afterPoint = true;
        } else if (c == ',') {
            pattern.grouping = !afterPoint || pattern.grouping;
        } else if (isPlaceholder(c)) {
            if (afterPoint) {
                ++pattern.decimals;
            } else {
                // Every place from the first "0" on is always printed.
                zeroSeen = zeroSeen || c == '0';
                if (zeroSeen)
                    ++pattern.minIntegerDigits;
            }
        }
    }
    return pattern;
}

// Reduces a count of ten-thousandths to a count of 10^-decimals units,
// ties to even.
unsigned __int128 reduce(unsigned __int128 count, int decimals)
{
    if (decimals >= 4) {
        for (int k = 4; k < decimals; ++k)
            count *= 10;
        return count;
    }
    unsigned __int128 divisor = 1;
    for (int k = decimals; k < 4; ++k)
        divisor *= 10;
    unsigned __int128 quotient = count / divisor;
    const unsigned __int128 remainder = count % divisor;
    if (remainder * 2 > divisor || (remainder * 2 == divisor && (quotient & 1)))
        ++quotient;
    return quotient;
}

std::string digitsOf(unsigned __int128 value)
{
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(value % 10)));
        value /= 10;
    } while (value != 0);
    return digits;
}

}  // namespace

std::string FormatCurrency(std::string_view patternText, Currency value)
{
    const Pattern pattern = parsePattern(patternText);
    const bool negative = value.count() < 0;
    const auto count = static_cast<__int128>(value.count());
    const unsigned __int128 units = reduce(static_cast<unsigned __int128>(negative ? -count : count), pattern.decimals);

    std::string digits = digitsOf(units);
    if (static_cast<int>(digits.size()) < pattern.decimals + 1)
        digits.insert(0, pattern.decimals + 1 - digits.size(), '0');
    std::string integerPart = digits.substr(0, digits.size() - pattern.decimals);
    const std::string fraction = digits.substr(digits.size() - pattern.decimals);
    if (integerPart == "0" && pattern.minIntegerDigits == 0 && pattern.decimals > 0)
        integerPart.clear();
    if (static_cast<int>(integerPart.size()) < pattern.minIntegerDigits)
        integerPart.insert(0, pattern.minIntegerDigits - integerPart.size(), '0');

    const NumberSeparators separators = numberSeparators();
    std::string number;
    for (size_t at = 0; at < integerPart.size(); ++at) {
        if (pattern.grouping && at > 0 && (integerPart.size() - at) % 3 == 0)
            number += separators.thousands;
        number += integerPart[at];
    }
    if (pattern.decimals > 0) {
        number += separators.decimal;
        number += fraction;
    }

    std::string text;
    if (negative && units != 0)
        text += '-';
    return text + pattern.prefix + number + pattern.suffix;
}

std::string FormatFloat(std::string_view pattern, long double value)
{
    return FormatCurrency(pattern, Currency::fromReal(value));
}

std::string FloatToStr(long double value)
{
    if (value == 0.0L)
        return "0";
    char buffer[64];
    // Fifteen significant digits, as d.dddddddddddddde±x.
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
    std::string_view text(buffer, result.ptr - buffer);
    const size_t e = text.find('e');
    const bool negative = text.front() == '-';
    std::string digits;
    for (char c : text.substr(0, e))
        if (c >= '0' && c <= '9')
            digits += c;
    int exponent = std::atoi(std::string(text.substr(e + 1)).c_str());
    digits.erase(digits.find_last_not_of('0') + 1);

    const char point = numberSeparators().decimal;
    std::string out = negative ? "-" : "";
    if (exponent >= 15 || exponent < -5) {
        out += digits[0];
        if (digits.size() > 1) {
            out += point;
            out += digits.substr(1);
        }
        out += 'E';
        out += std::to_string(exponent);
    } else if (exponent < 0) {
        out += '0';
        out += point;
        out += std::string(-exponent - 1, '0');
        out += digits;
    } else {
        if (static_cast<int>(digits.size()) <= exponent + 1) {
            out += digits + std::string(exponent + 1 - digits.size(), '0');
        } else {
            out += digits.substr(0, exponent + 1);
            out += point;
            out += digits.substr(exponent + 1);
        }
    }
    return out;
}
