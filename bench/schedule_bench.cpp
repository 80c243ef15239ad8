#include "amortization/reportlayout.h"
#include "amortization/schedule.h"

#include "calcutils/currency.h"
#include "datastore/table.h"
#include "tests/support/workdir.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

namespace {

// 100,000.00 at 12 % with a payment of exactly the monthly interest: the
// balance never drops, so every month asked for becomes a row.
void generate(TTable &table, int months)
{
    table.createTable(kAmortFieldDefinitions);
    GenerateSchedule(60, months, Currency::fromText("100000.00"), 12.0L, Currency::fromText("1000.00"),
                     EncodeDate(2024, 1, 15), table);
}

const ReportHeader kHeader{"01/15/2024", "Loan Amount: $100,000.00", "Rate: 12.000%", "Term: 60 months"};

void BM_Generate(benchmark::State &state)
{
    TemporaryWorkDir dir;
    TData data;
    const int months = static_cast<int>(state.range(0));
    for (auto _ : state)
        generate(data.tblAmort, months);
    state.SetItemsProcessed(state.iterations() * months);
}

void BM_ReadAndPaginate(benchmark::State &state)
{
    TemporaryWorkDir dir;
    TData data;
    const int months = static_cast<int>(state.range(0));
    generate(data.tblAmort, months);
    data.tblAmort.open();
    std::size_t pages = 0;
    for (auto _ : state) {
        const std::vector<ReportPage> layout = layoutReport(kHeader, readScheduleRows(data.tblAmort));
        pages = layout.size();
        benchmark::DoNotOptimize(layout.data());
    }
    data.tblAmort.close();
    state.counters["pages"] = static_cast<double>(pages);
    state.SetItemsProcessed(state.iterations() * months);
}

void BM_Paginate(benchmark::State &state)
{
    TemporaryWorkDir dir;
    TData data;
    const int months = static_cast<int>(state.range(0));
    generate(data.tblAmort, months);
    data.tblAmort.open();
    const std::vector<ScheduleRow> rows = readScheduleRows(data.tblAmort);
    data.tblAmort.close();
    for (auto _ : state) {
        const std::vector<ReportPage> layout = layoutReport(kHeader, rows);
        benchmark::DoNotOptimize(layout.data());
    }
    state.SetItemsProcessed(state.iterations() * months);
}

}  // namespace

BENCHMARK(BM_Generate)->Arg(360)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadAndPaginate)->Arg(360)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Paginate)->Arg(360)->Arg(10000)->Unit(benchmark::kMillisecond);
