#pragma once

#include "amortization/reportlayout.h"
#include "tests/support/workdir.h"

#include "datastore/table.h"

#include <string>
#include <vector>

// The loan as the schedule window hands it over, with the defaults.
struct Loan
{
    std::string amount = "100000.00";
    std::string rate = "12.000";
    int term = 60;
    std::string payment = "0.00";
    int months = 60;
    int year = 2024;
    int month = 1;
    int day = 15;
};

// A schedule written through the real table layer in a temporary working
// directory and read back.
class ScheduleTable
{
public:
    // Creates TEMPAMORT.DBF and generates the loan's schedule into it;
    // errors of the generation pass to the caller.
    void generate(const Loan &loan);
    std::vector<ScheduleRow> rows();

    TemporaryWorkDir dir;
    TData data;
};
