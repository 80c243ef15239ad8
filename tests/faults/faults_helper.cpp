// A second running copy of the program's table work, driven line by line
// over its standard input, so that tests can hold a table or a record in a
// separate process the way another copy of the program would:
//
//   hold-pref DIR   edits the preference record as the preference window
//                   does and says "editing"; on "post W" writes every weight
//                   as W and posts, then says "posted".
//   hold-amort DIR  opens TEMPAMORT.DBF as the report's preview does and says
//                   "open N"; on "read" prints every row, then "end".
//
// A table error is printed as "error <message>" and ends the helper with 1.
#include "datastore/table.h"

#include <iostream>
#include <string>
#include <unistd.h>

namespace {

int holdPref(TData &data)
{
    TTable &table = data.tblPref;
    table.open();
    table.edit();
    std::cout << "editing" << std::endl;
    std::string command;
    std::string weight;
    if (!(std::cin >> command >> weight) || command != "post")
        return 2;
    for (const char *name : {"WGT_AMT", "WGT_COL", "WGT_DTI", "WGT_FEE", "WGT_GUT", "WGT_HB", "WGT_LTV", "WGT_RATE",
                             "WGT_SCORE", "WGT_TERM"})
        table.fieldByName(name).setAsFloat(std::stoi(weight));
    table.post();
    std::cout << "posted" << std::endl;
    return 0;
}

int holdAmort(TData &data)
{
    TTable &table = data.tblAmort;
    table.open();
    std::cout << "open " << table.recordCount() << std::endl;
    std::string command;
    if (!(std::cin >> command) || command != "read")
        return 2;
    for (table.first(); !table.eof(); table.next()) {
        for (const TField *field : table.fields())
            std::cout << field->displayText() << ' ';
        std::cout << '\n';
    }
    std::cout << "end" << std::endl;
    return 0;
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc != 3 || chdir(argv[2]) != 0)
        return 2;
    const std::string command = argv[1];
    TData data;
    try {
        if (command == "hold-pref")
            return holdPref(data);
        if (command == "hold-amort")
            return holdAmort(data);
    } catch (const AppError &error) {
        std::cout << "error " << error.what() << std::endl;
        return 1;
    }
    return 2;
}
