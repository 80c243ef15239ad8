// The pattern formatter: any pattern with any value either formats or fails
// with the invalid-operation error for a value beyond the currency range.
#include "calcutils/errors.h"
#include "calcutils/patternformat.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    if (size < sizeof(double))
        return 0;
    double value;
    std::memcpy(&value, data, sizeof value);
    const std::string_view pattern(reinterpret_cast<const char *>(data) + sizeof value, size - sizeof value);

    try {
        const std::string text = FormatFloat(pattern, value);
        for (const char *word : {"nan", "inf"})
            if (text.find(word) != std::string::npos && pattern.find(word) == std::string_view::npos)
                std::abort();
    } catch (const AppError &) {
        if (std::isfinite(value) && std::fabs(value) < 9.2e14)
            std::abort();
    }
    if (std::isfinite(value))
        FloatToStr(value);
    return 0;
}
