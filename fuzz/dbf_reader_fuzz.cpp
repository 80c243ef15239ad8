// The table reader: any file either opens or fails with an AppError, without
// writing; an opened file reads without a crash, and a record appended to it
// leaves a file that opens again with the record in it.
#include "datastore/table.h"
#include "memoryfile.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

void readAllFields(TTable &table)
{
    for (TField *field : table.fields()) {
        try {
            field->isNull();
            field->asString();
            field->displayText();
            field->asFloat();
            field->asDate();
            field->asInteger();
        } catch (const AppError &) {
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    std::vector<unsigned char> file(data, data + size);
    int writes = 0;
    TTable table("FUZZ.DBF", memoryFile(file, writes));
    try {
        table.open();
    } catch (const AppError &) {
        if (writes != 0 || table.active())
            std::abort();
        return 0;
    }
    if (writes != 0)
        std::abort();

    int seen = 0;
    for (table.first(); !table.eof(); table.next()) {
        readAllFields(table);
        ++seen;
    }
    if (seen != table.recordCount())
        std::abort();

    // Append a record and check that the result is a sound table again.
    const int before = table.recordCount();
    table.insert();
    for (TField *field : table.fields()) {
        try {
            switch (field->kind()) {
            case FieldKind::Text:
                field->setAsString("FUZZ");
                break;
            case FieldKind::Date:
                field->setAsDate(EncodeDate(2024, 1, 15));
                break;
            default:
                field->setAsFloat(field->width() > 1 ? 7 : 0);
            }
        } catch (const AppError &) {
        }
    }
    try {
        table.post();
    } catch (const AppError &) {
        return 0;
    }
    if (table.recordCount() != before + 1)
        std::abort();
    table.close();

    int rereadWrites = 0;
    std::vector<unsigned char> copy = file;
    TTable reopened("FUZZ.DBF", memoryFile(copy, rereadWrites));
    reopened.open();
    if (reopened.recordCount() != before + 1)
        std::abort();
    for (reopened.first(); !reopened.eof(); reopened.next()) {
    }
    for (TField *field : reopened.fields()) {
        if (field->kind() == FieldKind::Text && field->asString() != std::string("FUZZ").substr(0, field->width()))
            std::abort();
        if (field->kind() == FieldKind::Date && field->asDate() != EncodeDate(2024, 1, 15))
            std::abort();
    }
    return 0;
}
