#include "schedule.h"

#include "calcutils/calcutils.h"
#include "calcutils/realmath.h"
#include "datastore/table.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace {

// base^n by multiplying n times, the reciprocal for a negative n. Once the
// product has overflowed the fault is raised and further factors add nothing.
long double wholePower(long double base, int n)
{
    const long long count = n < 0 ? -static_cast<long long>(n) : n;
    long double product = 1.0L;
    for (long long i = 0; i < count && !std::isinf(product); ++i)
        product *= base;
    return n < 0 ? 1.0L / product : product;
}

Currency roundToCents(Currency value)
{
    return guardedFloat([value] { return Currency::fromReal(RoundDecimals(2, value.toReal())); });
}

Currency levelPayment(Currency loan, long double monthlyRate, int term)
{
    // The real quotient is checked before it becomes currency, so a zero
    // term reports the division rather than the conversion of its infinity.
    const long double exact = guardedFloat([&] {
        if (monthlyRate != 0.0L)
            return loan.toReal() * monthlyRate / (1.0L - 1.0L / wholePower(1.0L + monthlyRate, term));
        return loan.toReal() / static_cast<long double>(term);
    });
    return roundToCents(guardedFloat([exact] { return Currency::fromReal(exact); }));
}

std::string yearText(TDateTime date)
{
    char text[8];
    std::snprintf(text, sizeof text, "%04d", DecodeDate(date).year);
    return text;
}

// Closes the table on every way out of the generation.
class ClosingTable
{
public:
    explicit ClosingTable(TTable &table)
        : m_table(table)
    {
        m_table.open();
    }
    ~ClosingTable() { m_table.close(); }
    ClosingTable(const ClosingTable &) = delete;
    ClosingTable &operator=(const ClosingTable &) = delete;

private:
    TTable &m_table;
};

}  // namespace

void GenerateSchedule(int term, int monthsToPrint, Currency loan, long double rate, Currency payment, TDateTime first,
                      TTable &table)
{
    ClosingTable closing(table);

    const long double monthlyRate = guardedFloat([rate] { return rate / 1200.0L; });
    const Currency level = levelPayment(loan, monthlyRate, term);
    const Currency paid = payment != Currency() ? payment : level;

    Currency balance = loan;
    Currency last = loan;
    int number = 1;
    TDateTime due = first;
    while (monthsToPrint > 0 && last > Currency()) {
        const Currency interest =
            guardedFloat([&] { return Currency::fromReal(RoundDecimals(2, monthlyRate * balance.toReal())); });
        // The interest is in whole cents already; a payment or loan typed
        // beyond cents leaves digits in the other two.
        const Currency principal = roundToCents(paid - interest);
        last = roundToCents(balance - (paid - interest));

        table.insert();
        table.fieldByName("C_FLD1").setAsString(yearText(due));
        table.fieldByName("D_FLD1").setAsDate(due);
        table.fieldByName("N_FLD1").setAsCurrency(Currency::fromCount(number * 10000LL));
        table.fieldByName("N_FLD2").setAsCurrency(paid);
        table.fieldByName("N_FLD3").setAsCurrency(interest);
        table.fieldByName("N_FLD4").setAsCurrency(principal);
        table.fieldByName("N_FLD5").setAsCurrency(last);
        table.post();

        balance = balance - principal;
        ++number;
        --monthsToPrint;
        due = NextMonthSameDay(due);
    }
}
