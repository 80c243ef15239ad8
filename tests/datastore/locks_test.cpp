#include "testsupport.h"

#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <set>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Another running copy of the program: a forked process that runs body and
// talks to the test through two pipes, one character at a time.
class OtherCopy
{
public:
    explicit OtherCopy(const std::function<void(OtherCopy &)> &body)
    {
        if (pipe(m_toChild) != 0 || pipe(m_toParent) != 0)
            throw std::runtime_error("pipe failed");
        m_pid = fork();
        if (m_pid < 0)
            throw std::runtime_error("fork failed");
        if (m_pid == 0) {
            m_child = true;
            int status = 0;
            try {
                body(*this);
            } catch (...) {
                status = 3;
            }
            _exit(status);
        }
    }
    ~OtherCopy()
    {
        if (m_pid > 0 && !m_waited) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
        }
        for (int fd : {m_toChild[0], m_toChild[1], m_toParent[0], m_toParent[1]})
            close(fd);
    }

    void say(char c) { [[maybe_unused]] auto n = write(m_child ? m_toParent[1] : m_toChild[1], &c, 1); }
    char hear()
    {
        char c = 0;
        return read(m_child ? m_toChild[0] : m_toParent[0], &c, 1) == 1 ? c : '\0';
    }
    // The exit status of the other copy, or -1 when it was killed.
    int wait()
    {
        int status = 0;
        waitpid(m_pid, &status, 0);
        m_waited = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    int m_toChild[2] = {-1, -1};
    int m_toParent[2] = {-1, -1};
    pid_t m_pid = -1;
    bool m_child = false;
    bool m_waited = false;
};

class TwoCopies : public testing::Test
{
protected:
    void SetUp() override
    {
        amort.createTable(kAmortFieldDefinitions);
        amort.open();
        appendAmortRow(amort, 2024, 1, 15, 1, 100, 10, 90, 910);
        amort.close();
        pref.createTable(kPrefFieldDefinitions);
        pref.open();
        pref.edit();
        pref.fieldByName("AVG_TERM").setAsInteger(60);
        pref.post();
        pref.close();
    }

    std::string messageOf(const std::function<void()> &action)
    {
        try {
            action();
        } catch (const AppError &e) {
            return e.what();
        }
        return {};
    }

    TempDir dir;
    TTable amort{dir.file("TEMPAMORT.DBF")};
    TTable pref{dir.file("ZIVORODI.DBF")};
};

TEST_F(TwoCopies, CreateFailsWhileTheOtherHasTheFileOpen)
{
    OtherCopy other([&](OtherCopy &self) {
        TTable table(amort.fileName());
        table.open();
        self.say('o');
        self.hear();
    });
    ASSERT_EQ(other.hear(), 'o');
    const auto before = readBytes(amort.fileName());
    const std::string message = messageOf([&] { amort.createTable(kAmortFieldDefinitions); });
    EXPECT_EQ(message, "Cannot create table '" + amort.fileName() + "': the file is in use by another user");
    EXPECT_EQ(readBytes(amort.fileName()), before);

    other.say('q');
    EXPECT_EQ(other.wait(), 0);
    amort.createTable(kAmortFieldDefinitions);
    amort.open();
    EXPECT_EQ(amort.recordCount(), 0);
}

TEST_F(TwoCopies, EditOfARecordTheOtherHasLockedFails)
{
    OtherCopy other([&](OtherCopy &self) {
        TTable table(pref.fileName());
        table.open();
        table.edit();
        table.fieldByName("AVG_TERM").setAsInteger(90);
        self.say('e');
        self.hear();
        table.post();
        self.say('p');
        self.hear();
    });
    ASSERT_EQ(other.hear(), 'e');
    pref.open();
    EXPECT_EQ(pref.fieldByName("AVG_TERM").asInteger(), 60);
    EXPECT_EQ(messageOf([&] { pref.edit(); }), "Record locked by another user.");
    EXPECT_EQ(pref.state(), TableState::Browse);

    other.say('p');
    ASSERT_EQ(other.hear(), 'p');
    pref.edit();
    // The edit reads the record again and sees the other copy's post.
    EXPECT_EQ(pref.fieldByName("AVG_TERM").asInteger(), 90);
    pref.fieldByName("AVG_TERM").setAsInteger(120);
    pref.post();
    other.say('q');
    EXPECT_EQ(other.wait(), 0);
    EXPECT_EQ(recordText(readBytes(pref.fileName()), 0).substr(46, 3), "120");
}

TEST_F(TwoCopies, ReadersAreNotBlockedByAnEdit)
{
    pref.open();
    pref.edit();
    OtherCopy other([&](OtherCopy &self) {
        TTable table(pref.fileName());
        table.open();
        self.say(table.fieldByName("AVG_TERM").asInteger() == 60 ? 'y' : 'n');
    });
    EXPECT_EQ(other.hear(), 'y');
    EXPECT_EQ(other.wait(), 0);
}

TEST_F(TwoCopies, ClosingAnotherDescriptorOfTheFileKeepsTheLocks)
{
    pref.open();
    pref.edit();
    const int unrelated = ::open(pref.fileName().c_str(), O_RDONLY);
    ASSERT_GE(unrelated, 0);
    ::close(unrelated);

    OtherCopy other([&](OtherCopy &self) {
        TTable table(pref.fileName());
        const bool createRefused = !messageOf([&] { table.createTable(kPrefFieldDefinitions); }).empty();
        table.open();
        const bool editRefused = messageOf([&] { table.edit(); }) == "Record locked by another user.";
        self.say(createRefused ? 'c' : '-');
        self.say(editRefused ? 'e' : '-');
    });
    EXPECT_EQ(other.hear(), 'c');
    EXPECT_EQ(other.hear(), 'e');
    EXPECT_EQ(other.wait(), 0);
}

TEST_F(TwoCopies, AppendsNeverShareASlot)
{
    constexpr int kRows = 60;
    amort.createTable(kAmortFieldDefinitions);
    const auto appender = [&](int base) {
        return [&, base](OtherCopy &self) {
            TTable table(amort.fileName());
            table.open();
            self.say('r');
            self.hear();
            for (int i = 0; i < kRows; ++i)
                appendAmortRow(table, 2024, 1, 15, base + i, 1, 1, 1, 1);
        };
    };
    OtherCopy first(appender(1000));
    OtherCopy second(appender(2000));
    ASSERT_EQ(first.hear(), 'r');
    ASSERT_EQ(second.hear(), 'r');
    first.say('g');
    second.say('g');
    EXPECT_EQ(first.wait(), 0);
    EXPECT_EQ(second.wait(), 0);

    amort.open();
    EXPECT_EQ(amort.recordCount(), 2 * kRows);
    std::set<int> numbers;
    for (amort.first(); !amort.eof(); amort.next())
        numbers.insert(amort.fieldByName("N_FLD1").asInteger());
    EXPECT_EQ(numbers.size(), 2u * kRows);
    EXPECT_EQ(*numbers.begin(), 1000);
    EXPECT_EQ(*numbers.rbegin(), 2000 + kRows - 1);
    EXPECT_EQ(readBytes(amort.fileName()).size(), 257u + 2 * kRows * 73 + 1);
}

TEST_F(TwoCopies, CopyDyingBetweenRecordAndCountLeavesAValidFile)
{
    OtherCopy other([&](OtherCopy &) {
        FileHooks hooks = posixFileHooks();
        auto write = hooks.write;
        hooks.write = [write](int handle, const void *buffer, std::size_t size, std::uint64_t offset) -> long long {
            if (offset == 1)
                _exit(9);  // the header update comes last
            return write(handle, buffer, size, offset);
        };
        TTable table(amort.fileName(), hooks);
        table.open();
        appendAmortRow(table, 2024, 2, 15, 2, 100, 9, 91, 819);
    });
    EXPECT_EQ(other.wait(), 9);

    const auto bytes = readBytes(amort.fileName());
    EXPECT_EQ(leValue(bytes, 4, 4), 1u);
    EXPECT_EQ(bytes.size(), 257u + 2 * 73 + 1);
    amort.open();
    EXPECT_EQ(amort.recordCount(), 1);
    appendAmortRow(amort, 2024, 2, 15, 3, 100, 9, 91, 819);
    amort.close();
    amort.open();
    std::vector<int> numbers;
    for (amort.first(); !amort.eof(); amort.next())
        numbers.push_back(amort.fieldByName("N_FLD1").asInteger());
    EXPECT_EQ(numbers, (std::vector<int>{1, 3}));
}

}  // namespace
