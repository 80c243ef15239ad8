#include "scheduletable.h"

#include "amortization/schedule.h"

#include "calcutils/currency.h"

void ScheduleTable::generate(const Loan &loan)
{
    data.tblAmort.createTable(kAmortFieldDefinitions);
    GenerateSchedule(loan.term, loan.months, Currency::fromText(loan.amount), Currency::fromText(loan.rate).toReal(),
                     Currency::fromText(loan.payment), EncodeDate(loan.year, loan.month, loan.day), data.tblAmort);
}

std::vector<ScheduleRow> ScheduleTable::rows()
{
    data.tblAmort.open();
    std::vector<ScheduleRow> result = readScheduleRows(data.tblAmort);
    data.tblAmort.close();
    return result;
}
