// A copy killed at any moment of a post: the file still opens and holds
// every record the copy had finished posting, each one whole.
#include "faultsupport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <random>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr int kRounds = 40;
constexpr int kMaxDelayMicroseconds = 6000;

// Forks a child that runs post(n) for n = first, first + 1, ... and writes n
// on the pipe after each post has returned; kills it after the delay and
// returns the last n it reported, or first - 1 if none.
template<typename Post>
int postUntilKilled(int first, std::chrono::microseconds delay, Post post)
{
    int report[2];
    if (pipe(report) != 0)
        return -1;
    const pid_t pid = fork();
    if (pid == 0) {
        close(report[0]);
        try {
            for (int n = first;; ++n) {
                post(n);
                if (write(report[1], &n, sizeof n) != sizeof n)
                    _exit(1);
            }
        } catch (...) {
            _exit(1);
        }
    }
    close(report[1]);
    std::this_thread::sleep_for(delay);
    kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
    int last = first - 1;
    int n = 0;
    while (read(report[0], &n, sizeof n) == sizeof n)
        last = n;
    close(report[0]);
    // A child that stopped on its own hit a table error: report no posts.
    return WIFSIGNALED(status) ? last : -1;
}

class KillDuringPost : public testing::Test
{
protected:
    void SetUp() override
    {
        const unsigned seed = std::random_device{}();
        m_random.seed(seed);
        RecordProperty("seed", std::to_string(seed));
        std::cout << "delays seeded with " << seed << '\n';
    }
    std::chrono::microseconds nextDelay()
    {
        return std::chrono::microseconds(std::uniform_int_distribution<int>(0, kMaxDelayMicroseconds)(m_random));
    }

    TemporaryWorkDir m_dir;
    std::mt19937 m_random;
};

TEST_F(KillDuringPost, AppendedRowsSurvive)
{
    {
        TData data;
        data.tblAmort.createTable(kAmortFieldDefinitions);
    }
    int reported = 0;
    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        TData data;
        data.tblAmort.open();
        const int stored = data.tblAmort.recordCount();
        // Every row posted is in the file; at most one more that the child
        // wrote but did not live to report.
        ASSERT_GE(stored, reported);
        ASSERT_LE(stored, reported + 1);
        int n = 0;
        for (data.tblAmort.first(); !data.tblAmort.eof(); data.tblAmort.next()) {
            ++n;
            ASSERT_EQ(amortRowMismatch(data.tblAmort, n), "") << "row " << n;
        }
        ASSERT_EQ(n, stored);
        data.tblAmort.close();

        reported = postUntilKilled(stored + 1, nextDelay(), [](int row) {
            static TData child;
            if (!child.tblAmort.active())
                child.tblAmort.open();
            writeAmortRow(child.tblAmort, row);
        });
        ASSERT_GE(reported, stored) << "the posting child stopped on a table error";
    }

    const std::vector<std::string> independent = dbfreadLines("TEMPAMORT.DBF");
    ASSERT_FALSE(independent.empty());
    TData data;
    data.tblAmort.open();
    const int stored = data.tblAmort.recordCount();
    EXPECT_GE(stored, reported);
    EXPECT_EQ(independent.front(), "records " + std::to_string(stored));
    // dbfread goes by the end mark: it may see the one row written but not
    // yet counted, never a torn one.
    EXPECT_GE(independent.size(), static_cast<std::size_t>(stored) + 1);
    EXPECT_LE(independent.size(), static_cast<std::size_t>(stored) + 2);
    for (std::size_t i = 1; i < independent.size(); ++i)
        EXPECT_EQ(independent[i].substr(0, 4), std::to_string(2024 + (i - 1) / 12)) << independent[i];
}

TEST_F(KillDuringPost, PreferenceRecordNeverTorn)
{
    {
        TData data;
        seedPrefTable(data);
    }
    int reported = 0;
    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        TData data;
        data.tblPref.open();
        ASSERT_EQ(data.tblPref.recordCount(), 1);
        // Post n stores n as the average amount and n mod 100 tenths as the
        // score; the record holds one post's pair, never a mix.
        const int amount = data.tblPref.fieldByName("AVG_AMT").asInteger();
        const double result = data.tblPref.fieldByName("RESULT").asFloat();
        const int stored = amount == 100000 ? 0 : amount;
        ASSERT_GE(stored, reported);
        ASSERT_LE(stored, reported + 1);
        if (stored > 0)
            ASSERT_EQ(result, (stored % 100) / 10.0);
        ASSERT_EQ(data.tblPref.fieldByName("AVG_RATE").asFloat(), 12.0);
        ASSERT_EQ(data.tblPref.fieldByName("WGT_TERM").asInteger(), 2);
        data.tblPref.close();

        reported = postUntilKilled(stored + 1, nextDelay(), [](int n) {
            static TData child;
            TTable &table = child.tblPref;
            if (!table.active())
                table.open();
            table.edit();
            table.fieldByName("AVG_AMT").setAsFloat(n);
            table.fieldByName("RESULT").setAsFloat((n % 100) / 10.0);
            table.post();
        });
        ASSERT_GE(reported, stored) << "the posting child stopped on a table error";
    }
}

}  // namespace
