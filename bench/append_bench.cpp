#include "calcutils/currency.h"
#include "calcutils/dates.h"
#include "datastore/fielddefs.h"
#include "datastore/table.h"
#include "tests/support/workdir.h"

#include <benchmark/benchmark.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr int kRowsPerTable = 1000;

struct Row
{
    std::string year;
    TDateTime due;
    long long number;
    long long payment;
    long long interest;
    long long principal;
    long long balance;
};

// The same rows as append_with_dbf.py: a level payment on 100,000.00 at 1 %
// a month, in whole cents, one day apart from 15 January 2024; a paid-off
// loan starts again, so every amount fits its field.
std::vector<Row> scheduleRows(int count)
{
    std::vector<Row> rows;
    long long balance = 10000000;
    const long long payment = 222444;
    const TDateTime first = EncodeDate(2024, 1, 15);
    for (int number = 1; number <= count; ++number) {
        const long long interest = (balance + 50) / 100;
        const long long principal = payment - interest;
        balance -= principal;
        const TDateTime due = first + (number - 1);
        rows.push_back({std::to_string(DecodeDate(due).year), due, number, payment, interest, principal, balance});
        if (balance <= 0)
            balance = 10000000;
    }
    return rows;
}

Currency cents(long long value)
{
    return Currency::fromCount(value * 100);
}

// Each iteration creates a fresh schedule table and posts every row, as the
// schedule window does.
void BM_AppendRows(benchmark::State &state)
{
    TemporaryWorkDir dir;
    const std::vector<Row> rows = scheduleRows(kRowsPerTable);
    TTable table("TEMPAMORT.DBF");
    for (auto _ : state) {
        table.createTable(kAmortFieldDefinitions);
        table.open();
        for (const Row &row : rows) {
            table.insert();
            table.fieldByName("C_FLD1").setAsString(row.year);
            table.fieldByName("D_FLD1").setAsDate(row.due);
            table.fieldByName("N_FLD1").setAsCurrency(cents(row.number * 100));
            table.fieldByName("N_FLD2").setAsCurrency(cents(row.payment));
            table.fieldByName("N_FLD3").setAsCurrency(cents(row.interest));
            table.fieldByName("N_FLD4").setAsCurrency(cents(row.principal));
            table.fieldByName("N_FLD5").setAsCurrency(cents(row.balance));
            table.post();
        }
        table.close();
    }
    state.counters["records"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kRowsPerTable, benchmark::Counter::kIsRate);
}

// The seconds python-dbf reports for writing the same rows into a fresh
// table; the interpreter's start is not counted.
double pythonSeconds(const std::string &path)
{
    int output[2];
    if (pipe(output) != 0)
        return -1;
    const pid_t child = fork();
    if (child == 0) {
        dup2(output[1], STDOUT_FILENO);
        close(output[0]);
        close(output[1]);
        const std::string rows = std::to_string(kRowsPerTable);
        // Debian's python3-dbf lives with the system Python, not with
        // whatever python3 comes first on the path.
        execl("/usr/bin/python3", "python3", APPEND_WITH_DBF_SCRIPT, path.c_str(), rows.c_str(),
              static_cast<char *>(nullptr));
        _exit(127);
    }
    close(output[1]);
    std::string text;
    char buffer[64];
    ssize_t n;
    while ((n = read(output[0], buffer, sizeof buffer)) > 0)
        text.append(buffer, static_cast<std::size_t>(n));
    close(output[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (child < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0 || text.empty())
        return -1;
    return std::strtod(text.c_str(), nullptr);
}

void BM_AppendRowsPythonDbf(benchmark::State &state)
{
    TemporaryWorkDir dir;
    const std::string path = (dir.path() / "TEMPAMORT.DBF").string();
    for (auto _ : state) {
        std::filesystem::remove(path);
        const double seconds = pythonSeconds(path);
        if (seconds <= 0) {
            state.SkipWithError("python3-dbf did not write the table");
            break;
        }
        state.SetIterationTime(seconds);
    }
    state.counters["records"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kRowsPerTable, benchmark::Counter::kIsRate);
}

}  // namespace

BENCHMARK(BM_AppendRows)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AppendRowsPythonDbf)->UseManualTime()->Unit(benchmark::kMillisecond);
