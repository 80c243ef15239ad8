#include "fielddefs.h"

#include "calcutils/errors.h"
#include "calcutils/numbertext.h"

#include <cctype>
#include <charconv>

const char *const kAmortFieldDefinitions =
    "C_FLD1  , Char       ,   4       ;"
    "D_FLD1  , Date                   ;"
    "N_FLD1  , Numeric    ,  12  ,  2 ;"
    "N_FLD2  , Numeric    ,  12  ,  2 ;"
    "N_FLD3  , Numeric    ,  12  ,  2 ;"
    "N_FLD4  , Numeric    ,  12  ,  2 ;"
    "N_FLD5  , Numeric    ,  12  ,  2 ;";

const char *const kPrefFieldDefinitions =
    "LAST_UPD  , Char       ,  10       ;"
    "AVG_AMT   , Numeric    ,  14  ,  0 ;"
    "AVG_DTI   , Numeric    ,   3  ,  0 ;"
    "AVG_FEE   , Numeric    ,   5  ,  2 ;"
    "AVG_LTV   , Numeric    ,   3  ,  0 ;"
    "AVG_RATE  , Numeric    ,   7  ,  3 ;"
    "AVG_SCORE , Numeric    ,   3  ,  0 ;"
    "AVG_TERM  , Numeric    ,   3  ,  0 ;"
    "WGT_AMT   , Numeric    ,   1  ,  0 ;"
    "WGT_COL   , Numeric    ,   1  ,  0 ;"
    "WGT_DTI   , Numeric    ,   1  ,  0 ;"
    "WGT_FEE   , Numeric    ,   1  ,  0 ;"
    "WGT_GUT   , Numeric    ,   1  ,  0 ;"
    "WGT_HB    , Numeric    ,   1  ,  0 ;"
    "WGT_LTV   , Numeric    ,   1  ,  0 ;"
    "WGT_RATE  , Numeric    ,   1  ,  0 ;"
    "WGT_SCORE , Numeric    ,   1  ,  0 ;"
    "WGT_TERM  , Numeric    ,   1  ,  0 ;"
    "RESULT    , Numeric    ,   4  ,  1 ;";

FieldKind fieldKind(const FieldDef &def)
{
    switch (def.type) {
    case 'C':
        return FieldKind::Text;
    case 'D':
        return FieldKind::Date;
    default:
        return def.decimals == 0 && def.width <= 4 ? FieldKind::SmallInt : FieldKind::Float;
    }
}

bool validFieldName(std::string_view name)
{
    if (name.empty() || name.size() > 10 || !std::isalpha(static_cast<unsigned char>(name[0])))
        return false;
    for (char c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_')
            return false;
    }
    return true;
}

bool validFieldShape(char type, int width, int decimals)
{
    switch (type) {
    case 'C':
        return width >= 1 && width <= 254 && decimals == 0;
    case 'D':
        return width == 8 && decimals == 0;
    case 'N':
        // A fraction needs room for the point and at least one digit before it.
        return width >= 1 && width <= 20 && decimals >= 0 && (decimals == 0 || decimals <= width - 2);
    default:
        return false;
    }
}

namespace {

[[noreturn]] void badDefinition(std::string_view entry)
{
    throw AppError(formatMessage("Invalid field definition '%s'", std::string(Trim(entry))));
}

std::vector<std::string_view> splitItems(std::string_view entry)
{
    std::vector<std::string_view> items;
    for (;;) {
        const auto comma = entry.find(',');
        items.push_back(Trim(entry.substr(0, comma)));
        if (comma == std::string_view::npos)
            return items;
        entry.remove_prefix(comma + 1);
    }
}

bool readNumber(std::string_view text, int &value)
{
    if (text.empty())
        return false;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size();
}

bool sameWord(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

FieldDef parseEntry(std::string_view entry)
{
    const auto items = splitItems(entry);
    FieldDef def{std::string(items[0]), 0, 0, 0};
    if (!validFieldName(def.name) || items.size() < 2)
        badDefinition(entry);
    for (char &c : def.name)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));

    const std::string_view type = items[1];
    bool ok = false;
    if (sameWord(type, "Char")) {
        def.type = 'C';
        ok = items.size() == 3 && readNumber(items[2], def.width);
    } else if (sameWord(type, "Date")) {
        def.type = 'D';
        def.width = 8;
        ok = items.size() == 2;
    } else if (sameWord(type, "Numeric")) {
        def.type = 'N';
        ok = items.size() == 4 && readNumber(items[2], def.width) && readNumber(items[3], def.decimals);
    }
    if (!ok || !validFieldShape(def.type, def.width, def.decimals))
        badDefinition(entry);
    return def;
}

}  // namespace

std::vector<FieldDef> parseFieldDefinitions(std::string_view text)
{
    std::vector<FieldDef> defs;
    for (;;) {
        const auto semicolon = text.find(';');
        if (semicolon == std::string_view::npos) {
            if (!Trim(text).empty())
                badDefinition(text);
            break;
        }
        FieldDef def = parseEntry(text.substr(0, semicolon));
        for (const FieldDef &other : defs) {
            if (other.name == def.name)
                throw AppError(formatMessage("Duplicate field name '%s'", def.name));
        }
        defs.push_back(std::move(def));
        text.remove_prefix(semicolon + 1);
    }
    if (defs.empty())
        throw AppError("A table needs at least one field");
    return defs;
}
