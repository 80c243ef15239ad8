// A disk that refuses to grow the file: the post that does not fit fails with
// a clear error, and every record posted before stays in a sound table.
#include "faultsupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct FullDisk
{
    const char *name;
    long long fileSizeLimit;
    int posted;
};

// What the child saw: the rows it posted before the failure and the error.
struct ChildReport
{
    int posted = -1;
    std::string error;
    int recordCount = -1;
};

// In a child, since the limit and the ignored signal are the process's own:
// appends rows until a post fails, then reports on the pipe.
ChildReport appendUntilFull(long long limit)
{
    int report[2];
    if (pipe(report) != 0)
        return {};
    const pid_t pid = fork();
    if (pid == 0) {
        close(report[0]);
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit fileSize{static_cast<rlim_t>(limit), static_cast<rlim_t>(limit)};
        setrlimit(RLIMIT_FSIZE, &fileSize);
        std::string text;
        try {
            TData data;
            data.tblAmort.open();
            int posted = 0;
            try {
                for (int n = 1; n <= 1000; ++n) {
                    writeAmortRow(data.tblAmort, n);
                    posted = n;
                }
                text = std::to_string(posted) + "\n(no error)\n";
            } catch (const AppError &error) {
                text = std::to_string(posted) + "\n" + error.what() + "\n";
            }
            text += std::to_string(data.tblAmort.recordCount()) + "\n";
        } catch (const AppError &error) {
            text = "-1\n" + std::string(error.what()) + "\n-1\n";
        }
        const ssize_t ignored = write(report[1], text.data(), text.size());
        static_cast<void>(ignored);
        _exit(0);
    }
    close(report[1]);
    std::string text;
    char chunk[512];
    for (ssize_t n; (n = read(report[0], chunk, sizeof chunk)) > 0;)
        text.append(chunk, static_cast<std::size_t>(n));
    close(report[0]);
    waitpid(pid, nullptr, 0);

    ChildReport seen;
    const auto first = text.find('\n');
    const auto second = text.find('\n', first + 1);
    if (second == std::string::npos)
        return seen;
    seen.posted = std::stoi(text.substr(0, first));
    seen.error = text.substr(first + 1, second - first - 1);
    seen.recordCount = std::stoi(text.substr(second + 1));
    return seen;
}

class WriteFailure : public testing::TestWithParam<FullDisk>
{
};

TEST_P(WriteFailure, EarlierRecordsSurvive)
{
    TemporaryWorkDir dir;
    {
        TData data;
        data.tblAmort.createTable(kAmortFieldDefinitions);
    }

    const ChildReport child = appendUntilFull(GetParam().fileSizeLimit);
    EXPECT_EQ(child.posted, GetParam().posted);
    EXPECT_EQ(child.error, "Cannot write table 'TEMPAMORT.DBF': File too large");
    // The failed post added nothing, in the copy that made it either.
    EXPECT_EQ(child.recordCount, GetParam().posted);

    // Nothing of the refused row is left behind the end mark.
    const std::string bytes = fileBytes("TEMPAMORT.DBF");
    EXPECT_EQ(bytes.size(), 258u + 73u * static_cast<unsigned>(GetParam().posted));
    EXPECT_EQ(bytes.back(), '\x1a');

    TData data;
    data.tblAmort.open();
    EXPECT_EQ(data.tblAmort.recordCount(), GetParam().posted);
    int n = 0;
    for (data.tblAmort.first(); !data.tblAmort.eof(); data.tblAmort.next()) {
        ++n;
        EXPECT_EQ(amortRowMismatch(data.tblAmort, n), "") << "row " << n;
    }
    EXPECT_EQ(n, GetParam().posted);
    data.tblAmort.close();

    const std::vector<std::string> independent = dbfreadLines("TEMPAMORT.DBF");
    ASSERT_FALSE(independent.empty());
    EXPECT_EQ(independent.front(), "records " + std::to_string(GetParam().posted));
    EXPECT_EQ(independent.size(), static_cast<std::size_t>(GetParam().posted) + 1);
    // dbfread's view of the first row: year text, date, five floats.
    if (independent.size() > 1)
        EXPECT_EQ(independent[1], "2024 2024-01-15 1.0 1234.56 0.25 -1.5 999999998.99");
}

// The empty table is 257 header bytes and the end mark; every row adds 73.
// So n rows and their end mark need 258 + 73 n bytes.
INSTANTIATE_TEST_SUITE_P(FileSizeLimits, WriteFailure,
                         testing::Values(
                             // 4096 - 258 = 3838 = 73 * 52 + 42: the 53rd row is cut in its middle.
                             FullDisk{"RowCutInItsMiddle", 4096, 52},
                             // 258 + 73 * 10 - 1: the 10th row fits, its end mark does not.
                             FullDisk{"NoRoomForTheEndMark", 987, 9},
                             // 258 + 73 * 20: room for 20 rows exactly, not one byte more.
                             FullDisk{"ExactlyFullAfterTwentyRows", 1718, 20},
                             // The empty table's own size: not even the first row.
                             FullDisk{"NoRoomForAnyRow", 258, 0}),
                         [](const testing::TestParamInfo<FullDisk> &info) { return std::string(info.param.name); });

}  // namespace
