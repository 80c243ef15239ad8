#pragma once

#include "datastore/table.h"
#include "tests/support/workdir.h"

#include <string>
#include <sys/types.h>
#include <vector>

std::string fileBytes(const std::string &path);

// The one record of ZIVORODI.DBF as a new file holds it after seeding with
// the default shared values, with every weight and the score given.
std::string prefRecordBytes(char weight, const std::string &result);
// Creates ZIVORODI.DBF in the working directory and posts that record with
// weights 2 and score 0, as the scoring window seeds it on first use.
void seedPrefTable(TData &data);

// Row n (1 for the first) of the test schedules: every field derived from n,
// so a row read back shows whether it is the one that was written.
void writeAmortRow(TTable &table, int n);
// Empty when the current row is row n, else what differs.
std::string amortRowMismatch(TTable &table, int n);

// The helper program, started with a command and the working directory; its
// standard input and output are pipes to this process.
class Helper
{
public:
    Helper(const std::string &command, const std::string &dir);
    ~Helper();
    Helper(const Helper &) = delete;
    Helper &operator=(const Helper &) = delete;

    void send(const std::string &line);
    // The next line of output without its newline; empty after five seconds
    // without one or at the end of the output.
    std::string readLine();
    // The exit status once the helper has ended; -1 if it was killed.
    int wait();

private:
    pid_t m_pid = -1;
    int m_in = -1;
    int m_out = -1;
    std::string m_buffer;
};

// Lines of what Debian's dbfread makes of a table: "records <n>" from the
// header, then one line per live record with its values in field order, and
// "error <text>" if it cannot read the file.
std::vector<std::string> dbfreadLines(const std::string &file);
