// Number readings: any text either reads as a finite number or fails with
// the conversion error; never a crash, never inf or NaN.
#include "calcutils/currency.h"
#include "calcutils/errors.h"
#include "calcutils/numbertext.h"

#include <cmath>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);

    double value = 0;
    if (TryStrToFloat(text, value) && !std::isfinite(value))
        std::abort();

    int whole = 0;
    const bool readsAsInt = TryStrToInt(text, whole);
    try {
        if (StrToInt(text) != whole || !readsAsInt)
            std::abort();
    } catch (const ConvertError &) {
        if (readsAsInt)
            std::abort();
    }

    try {
        // The exact currency reading lies within half a ten-thousandth of
        // the float reading of the same text.
        const Currency money = Currency::fromText(text);
        double real = 0;
        if (!TryStrToFloat(text, real))
            std::abort();
        if (fabsl(money.toReal() - real) > 0.00005L + fabsl(real) * 1e-15L)
            std::abort();
    } catch (const AppError &) {
    }
    Trim(text);
    return 0;
}
