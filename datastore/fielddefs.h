#pragma once

#include <string>
#include <string_view>
#include <vector>

// Field kinds as the program sees them.
enum class FieldKind { Text, Date, SmallInt, Float };

struct FieldDef
{
    std::string name;
    char type;  // 'C', 'D' or 'N' as stored in the file
    int width;
    int decimals;
};

// Numeric with no decimals and at most four digits is a small whole number;
// every other Numeric is a float.
FieldKind fieldKind(const FieldDef &def);

// Parses "NAME, Char, 4; NAME, Date; NAME, Numeric, 12, 2;" (blanks ignored).
// Throws AppError on text that does not follow that grammar.
std::vector<FieldDef> parseFieldDefinitions(std::string_view text);

// Whether a descriptor is one this layer can store: a name of letters,
// digits and "_" starting with a letter, and a width and decimals its type
// allows. Shared by the parser and the file reader.
bool validFieldName(std::string_view name);
bool validFieldShape(char type, int width, int decimals);

extern const char *const kAmortFieldDefinitions;
extern const char *const kPrefFieldDefinitions;
