#pragma once

#include "calcutils/currency.h"
#include "calcutils/dates.h"

class TTable;

// Fills the schedule table, which must exist, with one row per payment:
// at most monthsToPrint rows, ending after the first balance of zero or
// below. The term only shapes the level payment; a fixed payment other than
// 0 replaces it. rate is the annual rate in percent. The table is closed
// again whatever happens; an error keeps the rows posted before it.
void GenerateSchedule(int term, int monthsToPrint, Currency loan, long double rate, Currency payment, TDateTime first,
                      TTable &table);
