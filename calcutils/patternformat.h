#pragma once

#include "currency.h"

#include <string>
#include <string_view>

// Formats a value with a display pattern such as "########0.00" or
// "$#,###,###,##0.00": "0" and "#" are digit places, "." is the regional
// decimal separator, a "," among the digit places turns on regional
// grouping, every other character is copied ("%" does not scale). The value
// is first taken as currency, then reduced to the pattern's decimals with
// ties to even; a value that rounds to zero has no sign.
std::string FormatFloat(std::string_view pattern, long double value);
std::string FormatCurrency(std::string_view pattern, Currency value);

// General number format: up to 15 significant digits, no grouping, the
// regional decimal separator, exponent form for very large or small values.
std::string FloatToStr(long double value);
