// The field-definition parser: any text either yields fields this layer can
// store or fails with an AppError. Fields it yields survive being written
// back as definition text, and a table created from them opens with exactly
// those fields.
#include "datastore/table.h"
#include "memoryfile.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

std::string definitionText(const std::vector<FieldDef> &defs)
{
    std::string text;
    for (const FieldDef &def : defs) {
        text += def.name;
        switch (def.type) {
        case 'C':
            text += ", Char, " + std::to_string(def.width);
            break;
        case 'D':
            text += ", Date";
            break;
        default:
            text += ", Numeric, " + std::to_string(def.width) + ", " + std::to_string(def.decimals);
        }
        text += ';';
    }
    return text;
}

bool sameFields(const FieldDef &a, const FieldDef &b)
{
    return a.name == b.name && a.type == b.type && a.width == b.width && a.decimals == b.decimals;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    std::vector<FieldDef> defs;
    try {
        defs = parseFieldDefinitions(text);
    } catch (const AppError &) {
        return 0;
    }
    if (defs.empty())
        std::abort();
    for (std::size_t i = 0; i < defs.size(); ++i) {
        if (!validFieldName(defs[i].name) || !validFieldShape(defs[i].type, defs[i].width, defs[i].decimals))
            std::abort();
        for (std::size_t j = 0; j < i; ++j) {
            if (defs[i].name == defs[j].name)
                std::abort();
        }
    }

    const std::vector<FieldDef> again = parseFieldDefinitions(definitionText(defs));
    if (again.size() != defs.size())
        std::abort();
    for (std::size_t i = 0; i < defs.size(); ++i) {
        if (!sameFields(again[i], defs[i]))
            std::abort();
    }

    std::vector<unsigned char> file;
    int writes = 0;
    TTable table("FUZZ.DBF", memoryFile(file, writes));
    try {
        table.createTable(text);
    } catch (const AppError &) {
        // Only a layout too long for the header's 16-bit lengths is refused.
        int recordLength = 1;
        for (const FieldDef &def : defs)
            recordLength += def.width;
        if (recordLength <= 0xFFFF && 32 + 32 * defs.size() + 1 <= 0xFFFF)
            std::abort();
        return 0;
    }
    table.open();
    if (table.recordCount() != 0 || table.fields().size() != defs.size())
        std::abort();
    for (std::size_t i = 0; i < defs.size(); ++i) {
        const TField &field = *table.fields()[i];
        if (field.name() != defs[i].name || field.width() != defs[i].width || field.decimals() != defs[i].decimals
            || field.kind() != fieldKind(defs[i]))
            std::abort();
    }
    return 0;
}
