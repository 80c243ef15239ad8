#include "table.h"

#include "calcutils/numbertext.h"
#include "calcutils/patternformat.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace {

constexpr int kSignificantDigits = 18;

// Adds one to a string of decimal digits.
void incrementDigits(std::string &digits)
{
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

// The value as fixed-point text with the given decimals, rounded with halves
// away from zero on its decimal expansion to 18 significant digits, so that a
// binary value just below a half (2.675) rounds the way its decimal reads.
// False when the value has no such text without an exponent.
bool fixedText(double value, int decimals, std::string &out)
{
    if (!std::isfinite(value))
        return false;
    std::string scaled;  // |value| * 10^decimals, rounded, as digits
    if (value != 0) {
        char buffer[64];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                          std::chars_format::scientific, kSignificantDigits - 1);
        const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
        const std::size_t e = text.find('e');
        std::string significand(1, text[0]);
        significand.append(text.substr(2, e - 2));
        int exponent = 0;
        const char *expBegin = text.data() + e + 1;
        const bool negativeExponent = *expBegin == '-';
        if (*expBegin == '-' || *expBegin == '+')
            ++expBegin;
        std::from_chars(expBegin, text.data() + text.size(), exponent);
        if (negativeExponent)
            exponent = -exponent;
        if (exponent >= kSignificantDigits)
            return false;

        const int keep = exponent + 1 + decimals;
        if (keep >= kSignificantDigits) {
            scaled = significand + std::string(static_cast<std::size_t>(keep - kSignificantDigits), '0');
        } else if (keep >= 0) {
            scaled = significand.substr(0, static_cast<std::size_t>(keep));
            if (significand[static_cast<std::size_t>(keep)] >= '5')
                incrementDigits(scaled);
        }
    }
    const std::size_t firstNonZero = scaled.find_first_not_of('0');
    scaled = firstNonZero == std::string::npos ? std::string() : scaled.substr(firstNonZero);
    const bool negative = value < 0 && !scaled.empty();
    if (scaled.size() < static_cast<std::size_t>(decimals) + 1)
        scaled.insert(0, static_cast<std::size_t>(decimals) + 1 - scaled.size(), '0');

    out = negative ? "-" : "";
    out.append(scaled, 0, scaled.size() - static_cast<std::size_t>(decimals));
    if (decimals > 0) {
        out += '.';
        out.append(scaled, scaled.size() - static_cast<std::size_t>(decimals));
    }
    return true;
}

// The fixed-point text of a currency count that the field's decimals hold
// exactly, built from the count's digits. It is the text fixedText gives for
// the equal real: below 10^13 units of the last decimal, that real and its
// 18 significant digits lie within two thousandths of a unit of it, so
// rounding them at the last decimal lands on the count again. False for any
// other count, which goes by its real value.
bool exactCurrencyText(std::int64_t count, int decimals, std::string &out)
{
    if (decimals < 0 || decimals > 4)
        return false;
    std::int64_t unit = 1;
    for (int i = decimals; i < 4; ++i)
        unit *= 10;
    if (count % unit != 0)
        return false;
    const std::int64_t scaled = count / unit;
    constexpr std::int64_t kLimit = 10'000'000'000'000;
    if (scaled <= -kLimit || scaled >= kLimit)
        return false;

    char digits[24];
    int n = 0;
    for (std::int64_t rest = scaled < 0 ? -scaled : scaled; rest != 0 || n <= decimals; rest /= 10)
        digits[n++] = static_cast<char>('0' + rest % 10);
    out.clear();
    if (scaled < 0)
        out += '-';
    while (n > decimals)
        out += digits[--n];
    if (decimals > 0) {
        out += '.';
        while (n > 0)
            out += digits[--n];
    }
    return true;
}

std::string_view trimBlanks(std::string_view text)
{
    const std::size_t begin = text.find_first_not_of(' ');
    if (begin == std::string_view::npos)
        return {};
    return text.substr(begin, text.find_last_not_of(' ') - begin + 1);
}

[[noreturn]] void outOfRange()
{
    throw AppError("Numeric out of range.");
}

int checkedInt(double value)
{
    const double rounded = std::nearbyint(value);
    if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0))
        outOfRange();
    return static_cast<int>(rounded);
}

}  // namespace

TField::TField(TTable &table, FieldDef def, int offset)
    : m_table(table)
    , m_def(std::move(def))
    , m_kind(fieldKind(m_def))
    , m_offset(offset)
{
}

const std::string &TField::name() const
{
    return m_def.name;
}

FieldKind TField::kind() const
{
    return m_kind;
}

int TField::width() const
{
    return m_def.width;
}

int TField::decimals() const
{
    return m_def.decimals;
}

std::string_view TField::stored() const
{
    static const std::string blanks(255, ' ');
    const std::string_view record = m_table.recordBytes();
    const auto offset = static_cast<std::size_t>(m_offset);
    const auto width = static_cast<std::size_t>(m_def.width);
    // A field kept from before the table was closed reads blank.
    if (record.size() < offset + width)
        return std::string_view(blanks).substr(0, width);
    return record.substr(offset, width);
}

void TField::store(std::string_view text)
{
    m_table.writeRecordBytes(m_offset, text);
}

bool TField::isNull() const
{
    return trimBlanks(stored()).empty();
}

double TField::storedNumber() const
{
    const std::string_view text = trimBlanks(stored());
    if (text.empty())
        return 0;
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        throw AppError(formatMessage("'%s' is not a valid number in field '%s'", std::string(text), m_def.name));
    return value;
}

void TField::storeNumber(double value)
{
    std::string text;
    if (m_kind == FieldKind::SmallInt) {
        if (!std::isfinite(value) || std::fabs(value) >= 1e9)
            outOfRange();
        // Whole-number fields round halves to the even neighbour.
        text = std::to_string(static_cast<long long>(std::nearbyint(value)));
    } else if (!fixedText(value, m_def.decimals, text)) {
        outOfRange();
    }
    storeRightAligned(text);
}

void TField::storeRightAligned(const std::string &text)
{
    if (text.size() > static_cast<std::size_t>(m_def.width))
        outOfRange();
    store(std::string(static_cast<std::size_t>(m_def.width) - text.size(), ' ') + text);
}

std::string TField::asString() const
{
    switch (m_kind) {
    case FieldKind::Text: {
        const std::string_view text = stored();
        const std::size_t end = text.find_last_not_of(' ');
        return std::string(end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1));
    }
    case FieldKind::Date:
        return isNull() ? std::string() : DateToStr(asDate());
    case FieldKind::SmallInt:
        return isNull() ? std::string() : std::to_string(asInteger());
    case FieldKind::Float:
        break;
    }
    return isNull() ? std::string() : FloatToStr(asFloat());
}

double TField::asFloat() const
{
    switch (m_kind) {
    case FieldKind::Text:
        return StrToFloat(asString());
    case FieldKind::Date:
        return asDate();
    default:
        return storedNumber();
    }
}

int TField::asInteger() const
{
    if (m_kind == FieldKind::Text)
        return StrToInt(asString());
    return checkedInt(asFloat());
}

TDateTime TField::asDate() const
{
    switch (m_kind) {
    case FieldKind::Text:
        return isNull() ? 0 : StrToDate(asString());
    case FieldKind::Date:
        break;
    default:
        return storedNumber();
    }
    const std::string_view text = stored();
    if (isNull())
        return 0;
    int parts[3] = {0, 0, 0};
    const int lengths[3] = {4, 2, 2};
    std::size_t pos = 0;
    bool ok = true;
    for (int i = 0; i < 3 && ok; ++i) {
        const char *begin = text.data() + pos;
        const auto [end, ec] = std::from_chars(begin, begin + lengths[i], parts[i]);
        ok = ec == std::errc() && end == begin + lengths[i];
        pos += static_cast<std::size_t>(lengths[i]);
    }
    TDateTime date = 0;
    if (!ok || !TryEncodeDate(parts[0], parts[1], parts[2], date))
        throw AppError(formatMessage("'%s' is not a valid date in field '%s'", std::string(text), m_def.name));
    return date;
}

std::string TField::displayText() const
{
    if (m_kind == FieldKind::Text || m_kind == FieldKind::Date || isNull())
        return asString();
    if (!m_displayFormat.empty())
        return FormatFloat(m_displayFormat, asFloat());
    return asString();
}

void TField::setAsString(std::string_view text)
{
    if (m_kind == FieldKind::Text) {
        const std::string_view cut = text.substr(0, static_cast<std::size_t>(m_def.width));
        store(std::string(cut) + std::string(static_cast<std::size_t>(m_def.width) - cut.size(), ' '));
        return;
    }
    if (text.empty()) {
        clear();
        return;
    }
    switch (m_kind) {
    case FieldKind::Date:
        setAsDate(StrToDate(text));
        return;
    case FieldKind::SmallInt: {
        int value = 0;
        if (!TryStrToInt(text, value))
            throw AppError(
                formatMessage("'%s' is not a valid integer value for field '%s'", std::string(text), m_def.name));
        setAsInteger(value);
        return;
    }
    default: {
        double value = 0;
        if (!TryStrToFloat(text, value))
            throw AppError(formatMessage("'%s' is not a valid floating point value for field '%s'", std::string(text),
                                         m_def.name));
        setAsFloat(value);
        return;
    }
    }
}

void TField::setAsFloat(double value)
{
    switch (m_kind) {
    case FieldKind::Text:
        setAsString(FloatToStr(value));
        return;
    case FieldKind::Date:
        setAsDate(value);
        return;
    default:
        storeNumber(value);
    }
}

void TField::setAsInteger(int value)
{
    if (m_kind == FieldKind::Text)
        setAsString(std::to_string(value));
    else
        setAsFloat(value);
}

void TField::setAsCurrency(Currency value)
{
    // Schedule amounts are whole cents: their text needs no binary rounding.
    std::string text;
    if (m_kind == FieldKind::Float && exactCurrencyText(value.count(), m_def.decimals, text)) {
        storeRightAligned(text);
        return;
    }
    setAsFloat(static_cast<double>(value.toReal()));
}

void TField::setAsDate(TDateTime value)
{
    switch (m_kind) {
    case FieldKind::Text:
        setAsString(DateToStr(value));
        return;
    case FieldKind::Date:
        break;
    default:
        storeNumber(value);
        return;
    }
    if (!std::isfinite(value))
        throw AppError(formatMessage("Invalid date for field '%s'", m_def.name));
    // Only the calendar day is kept; a time of day is dropped.
    const DateParts parts = DecodeDate(std::floor(value));
    char text[16];
    if (parts.year >= 0 && parts.year <= 9999) {
        // Written out by hand: this runs for every schedule row.
        const int digits[] = {parts.year / 1000, parts.year / 100 % 10, parts.year / 10 % 10, parts.year % 10,
                              parts.month / 10,  parts.month % 10,      parts.day / 10,       parts.day % 10};
        for (int i = 0; i < 8; ++i)
            text[i] = static_cast<char>('0' + digits[i]);
    } else {
        std::snprintf(text, sizeof text, "%04d%02d%02d", parts.year, parts.month, parts.day);
    }
    store(std::string_view(text, 8));
}

void TField::clear()
{
    store(std::string(static_cast<std::size_t>(m_def.width), ' '));
}

void TField::setDisplayFormat(std::string pattern)
{
    m_displayFormat = std::move(pattern);
    m_table.notifyRecordChanged();
}

const std::string &TField::displayFormat() const
{
    return m_displayFormat;
}
