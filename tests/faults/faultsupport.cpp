#include "faultsupport.h"

#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <poll.h>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

std::string fileBytes(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string prefRecordBytes(char weight, const std::string &result)
{
    // Flag, LAST_UPD, AVG_AMT(14), AVG_DTI(3), AVG_FEE(5,2), AVG_LTV(3),
    // AVG_RATE(7,3), AVG_SCORE(3), AVG_TERM(3), ten weights, RESULT(4,1).
    return std::string(" 01/15/2024        100000 30 1.00 70 12.000600 60") + std::string(10, weight) + result;
}

void seedPrefTable(TData &data)
{
    TTable &table = data.tblPref;
    table.createTable(kPrefFieldDefinitions);
    table.open();
    table.edit();
    table.fieldByName("LAST_UPD").setAsString("01/15/2024");
    table.fieldByName("AVG_AMT").setAsFloat(100000);
    table.fieldByName("AVG_RATE").setAsFloat(12);
    table.fieldByName("AVG_DTI").setAsFloat(30);
    table.fieldByName("AVG_FEE").setAsFloat(1);
    table.fieldByName("AVG_LTV").setAsFloat(70);
    table.fieldByName("AVG_SCORE").setAsFloat(600);
    table.fieldByName("AVG_TERM").setAsFloat(60);
    for (const char *name : {"WGT_AMT", "WGT_COL", "WGT_DTI", "WGT_FEE", "WGT_GUT", "WGT_HB", "WGT_RATE", "WGT_LTV",
                             "WGT_SCORE", "WGT_TERM"})
        table.fieldByName(name).setAsFloat(2);
    table.fieldByName("RESULT").setAsFloat(0);
    table.post();
    table.close();
}

namespace {

struct AmortRow
{
    std::string year;
    TDateTime due;
    double amounts[5];
};

AmortRow amortRow(int n)
{
    const int year = 2024 + (n - 1) / 12;
    return {std::to_string(year),
            EncodeDate(year, (n - 1) % 12 + 1, 15),
            {static_cast<double>(n), 1234.56, n * 0.25, -n * 1.5, 999999999.99 - n}};
}

const char *const kAmounts[] = {"N_FLD1", "N_FLD2", "N_FLD3", "N_FLD4", "N_FLD5"};

}  // namespace

void writeAmortRow(TTable &table, int n)
{
    const AmortRow row = amortRow(n);
    table.insert();
    table.fieldByName("C_FLD1").setAsString(row.year);
    table.fieldByName("D_FLD1").setAsDate(row.due);
    for (int i = 0; i < 5; ++i)
        table.fieldByName(kAmounts[i]).setAsFloat(row.amounts[i]);
    table.post();
}

std::string amortRowMismatch(TTable &table, int n)
{
    const AmortRow row = amortRow(n);
    std::ostringstream problems;
    if (table.fieldByName("C_FLD1").asString() != row.year)
        problems << "C_FLD1 " << table.fieldByName("C_FLD1").asString() << "; ";
    if (table.fieldByName("D_FLD1").asDate() != row.due)
        problems << "D_FLD1 " << table.fieldByName("D_FLD1").asDate() << "; ";
    for (int i = 0; i < 5; ++i) {
        // Stored with two decimals: the written values come back exactly
        // as the nearest double of their two-decimal text.
        const double stored = table.fieldByName(kAmounts[i]).asFloat();
        if (std::abs(stored - row.amounts[i]) > 0.001)
            problems << kAmounts[i] << ' ' << stored << "; ";
    }
    return problems.str();
}

Helper::Helper(const std::string &command, const std::string &dir)
{
    int toChild[2];
    int fromChild[2];
    if (pipe2(toChild, O_CLOEXEC) != 0 || pipe2(fromChild, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe failed");
    m_pid = fork();
    if (m_pid < 0)
        throw std::runtime_error("fork failed");
    if (m_pid == 0) {
        dup2(toChild[0], STDIN_FILENO);
        dup2(fromChild[1], STDOUT_FILENO);
        execl(FAULTS_HELPER, FAULTS_HELPER, command.c_str(), dir.c_str(), static_cast<char *>(nullptr));
        _exit(127);
    }
    close(toChild[0]);
    close(fromChild[1]);
    m_in = toChild[1];
    m_out = fromChild[0];
}

Helper::~Helper()
{
    if (m_in >= 0)
        close(m_in);
    if (m_out >= 0)
        close(m_out);
    if (m_pid > 0) {
        kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
    }
}

void Helper::send(const std::string &line)
{
    const std::string text = line + "\n";
    if (write(m_in, text.data(), text.size()) != static_cast<ssize_t>(text.size()))
        throw std::runtime_error("cannot write to the helper");
}

std::string Helper::readLine()
{
    for (;;) {
        const auto newline = m_buffer.find('\n');
        if (newline != std::string::npos) {
            std::string line = m_buffer.substr(0, newline);
            m_buffer.erase(0, newline + 1);
            return line;
        }
        pollfd fd{m_out, POLLIN, 0};
        if (poll(&fd, 1, 5000) <= 0)
            return {};
        char chunk[4096];
        const ssize_t n = read(m_out, chunk, sizeof chunk);
        if (n <= 0)
            return {};
        m_buffer.append(chunk, static_cast<std::size_t>(n));
    }
}

int Helper::wait()
{
    close(m_in);
    m_in = -1;
    int status = 0;
    const pid_t pid = m_pid;
    m_pid = -1;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

std::vector<std::string> dbfreadLines(const std::string &file)
{
    // The Debian dbfread belongs to the system Python, not to whichever
    // python3 comes first on the path.
    const std::string script =
        "import sys, dbfread\n"
        "try:\n"
        "    t = dbfread.DBF(sys.argv[1], load=True, char_decode_errors='strict')\n"
        "    print('records', t.header.numrecords)\n"
        "    for r in t.records:\n"
        "        print(' '.join(str(v) for v in r.values()))\n"
        "except Exception as e:\n"
        "    print('error', e)\n";
    const std::string command = "/usr/bin/python3 -c \"" + script + "\" '" + file + "'";
    std::vector<std::string> lines;
    FILE *python = popen(command.c_str(), "r");
    if (!python)
        return {"error cannot start python"};
    char line[1024];
    while (fgets(line, sizeof line, python)) {
        std::string text(line);
        if (!text.empty() && text.back() == '\n')
            text.pop_back();
        lines.push_back(text);
    }
    pclose(python);
    return lines;
}
