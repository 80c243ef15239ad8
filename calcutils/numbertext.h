#pragma once

#include <string>
#include <string_view>

// The regional separators used to read and write numbers. Taken from the
// system locale at start-up; tests set them directly.
struct NumberSeparators
{
    char decimal = '.';
    char thousands = ',';
};
NumberSeparators &numberSeparators();

// Blanks, an optional sign, digits with at most one regional decimal
// separator, an optional exponent, blanks; nothing else. Throws ConvertError
// "'%s' is not a valid floating point value".
double StrToFloat(std::string_view text);
bool TryStrToFloat(std::string_view text, double &value);

// Leading blanks, an optional sign, then decimal digits or a hexadecimal
// number after "$", "x" or "0x", and nothing after. Throws ConvertError
// "'%s' is not a valid integer value".
int StrToInt(std::string_view text);
bool TryStrToInt(std::string_view text, int &value);

// Text with leading and trailing blanks and control characters removed.
std::string_view Trim(std::string_view text);

// The decimal digits of a number text split into parts, for exact decimal
// conversions. False when the text does not follow the float rule.
struct DecimalText
{
    bool negative = false;
    std::string digits;  // without leading zeros, may be empty for zero
    int exponent = 0;    // value = digits * 10^exponent
};
bool parseDecimalText(std::string_view text, DecimalText &out);
