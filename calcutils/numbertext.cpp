#include "numbertext.h"

#include "errors.h"

#include <charconv>
#include <cstdint>

NumberSeparators &numberSeparators()
{
    static NumberSeparators separators;
    return separators;
}

static bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool parseDecimalText(std::string_view text, DecimalText &out)
{
    const char separator = numberSeparators().decimal;
    size_t at = 0;
    auto skipBlanks = [&] {
        while (at < text.size() && text[at] == ' ')
            ++at;
    };
    skipBlanks();
    out = DecimalText();
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
        out.negative = text[at++] == '-';

    std::string digits;
    int pointShift = 0;
    bool anyDigit = false;
    bool seenSeparator = false;
    for (; at < text.size(); ++at) {
        const char c = text[at];
        if (isDigit(c)) {
            anyDigit = true;
            digits += c;
            if (seenSeparator)
                --pointShift;
        } else if (c == separator && !seenSeparator) {
            seenSeparator = true;
        } else {
            break;
        }
    }
    if (!anyDigit)
        return false;

    long long exponent = 0;
    if (at < text.size() && (text[at] == 'E' || text[at] == 'e')) {
        ++at;
        bool negativeExponent = false;
        if (at < text.size() && (text[at] == '+' || text[at] == '-'))
            negativeExponent = text[at++] == '-';
        if (at >= text.size() || !isDigit(text[at]))
            return false;
        for (; at < text.size() && isDigit(text[at]); ++at) {
            // Far beyond any real's range: the value is zero or out of range anyway.
            if (exponent < 100000)
                exponent = exponent * 10 + (text[at] - '0');
        }
        if (negativeExponent)
            exponent = -exponent;
    }
    skipBlanks();
    if (at != text.size())
        return false;

    const size_t firstNonZero = digits.find_first_not_of('0');
    if (firstNonZero == std::string::npos) {
        out.digits.clear();
        out.exponent = 0;
        return true;
    }
    digits.erase(0, firstNonZero);
    const size_t lastNonZero = digits.find_last_not_of('0');
    pointShift += static_cast<int>(digits.size() - 1 - lastNonZero);
    digits.erase(lastNonZero + 1);
    out.digits = std::move(digits);
    out.exponent = static_cast<int>(exponent + pointShift);
    return true;
}

bool TryStrToFloat(std::string_view text, double &value)
{
    DecimalText parts;
    if (!parseDecimalText(text, parts))
        return false;
    if (parts.digits.empty()) {
        value = parts.negative ? -0.0 : 0.0;
        return true;
    }
    const int magnitude = parts.exponent + static_cast<int>(parts.digits.size());
    if (magnitude < -400) {
        value = parts.negative ? -0.0 : 0.0;
        return true;
    }
    if (magnitude > 400)
        return false;
    const std::string canonical = parts.digits + 'e' + std::to_string(parts.exponent);
    double magnitudeValue = 0.0;
    const auto [end, error] = std::from_chars(canonical.data(), canonical.data() + canonical.size(), magnitudeValue);
    if (error == std::errc::result_out_of_range) {
        if (magnitude > 0)
            return false;
        magnitudeValue = 0.0;
    } else if (error != std::errc() || end != canonical.data() + canonical.size()) {
        return false;
    }
    value = parts.negative ? -magnitudeValue : magnitudeValue;
    return true;
}

double StrToFloat(std::string_view text)
{
    double value = 0.0;
    if (!TryStrToFloat(text, value))
        throw ConvertError(formatMessage("'%s' is not a valid floating point value", std::string(text)));
    return value;
}

bool TryStrToInt(std::string_view text, int &value)
{
    size_t at = 0;
    while (at < text.size() && text[at] == ' ')
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
        negative = text[at++] == '-';

    int base = 10;
    if (at < text.size() && text[at] == '$') {
        base = 16;
        ++at;
    } else if (at < text.size() && (text[at] == 'x' || text[at] == 'X')) {
        base = 16;
        ++at;
    } else if (at + 1 < text.size() && text[at] == '0' && (text[at + 1] == 'x' || text[at + 1] == 'X')) {
        base = 16;
        at += 2;
    }
    if (at >= text.size())
        return false;

    std::uint64_t magnitude = 0;
    for (; at < text.size(); ++at) {
        const char c = text[at];
        int digit;
        if (isDigit(c))
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return false;
        magnitude = magnitude * base + digit;
        if (magnitude > 0xFFFFFFFFull)
            return false;
    }
    if (base == 10) {
        const std::uint64_t limit = negative ? 2147483648ull : 2147483647ull;
        if (magnitude > limit)
            return false;
        value = negative ? static_cast<int>(-static_cast<long long>(magnitude)) : static_cast<int>(magnitude);
    } else {
        // Hexadecimal covers the whole 32-bit pattern, so $FFFFFFFF is -1.
        const auto bits = static_cast<std::uint32_t>(magnitude);
        const auto pattern = static_cast<std::int32_t>(negative ? 0u - bits : bits);
        value = pattern;
    }
    return true;
}

int StrToInt(std::string_view text)
{
    int value = 0;
    if (!TryStrToInt(text, value))
        throw ConvertError(formatMessage("'%s' is not a valid integer value", std::string(text)));
    return value;
}

std::string_view Trim(std::string_view text)
{
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ')
        ++begin;
    while (end > begin && static_cast<unsigned char>(text[end - 1]) <= ' ')
        --end;
    return text.substr(begin, end - begin);
}
