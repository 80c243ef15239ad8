#include "testsupport.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace {

// Debian's python3-dbfread and python3-dbf live with the system Python,
// not with whatever python3 comes first on the path.
const char *const kPython = "/usr/bin/python3";

struct ScriptResult
{
    int status = -1;
    std::string output;
};

ScriptResult runScript(const std::string &script, const std::string &file)
{
    const std::string command =
        std::string(kPython) + " '" + DATASTORE_SCRIPT_DIR + "/" + script + "' '" + file + "' 2>&1";
    ScriptResult result;
    FILE *pipe = popen(command.c_str(), "r");
    if (!pipe)
        return result;
    char buffer[4096];
    std::size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        result.output.append(buffer, n);
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

TEST(IndependentReader, DbfreadReadsTheScheduleTable)
{
    TempDir dir;
    TTable table(dir.file("TEMPAMORT.DBF"));
    table.createTable(kAmortFieldDefinitions);
    table.open();
    appendAmortRow(table, 2024, 1, 15, 1, 2224.44, 1000, 1224.44, 98775.56);
    appendAmortRow(table, 2028, 12, 31, 60, 2224.44, 0.02, 2224.44, -0.25);
    table.close();

    const ScriptResult result = runScript("read_with_dbfread.py", table.fileName());
    ASSERT_EQ(result.status, 0) << result.output;
    EXPECT_EQ(result.output,
              "HEADER version=3 records=2 headerlen=257 recordlen=73 language=1 encoding=cp437\n"
              "FIELD C_FLD1 C 4 0\n"
              "FIELD D_FLD1 D 8 0\n"
              "FIELD N_FLD1 N 12 2\n"
              "FIELD N_FLD2 N 12 2\n"
              "FIELD N_FLD3 N 12 2\n"
              "FIELD N_FLD4 N 12 2\n"
              "FIELD N_FLD5 N 12 2\n"
              "RECORD C_FLD1='2024' D_FLD1=2024-01-15 N_FLD1=1.0 N_FLD2=2224.44 N_FLD3=1000.0 N_FLD4=1224.44 "
              "N_FLD5=98775.56\n"
              "RECORD C_FLD1='2028' D_FLD1=2028-12-31 N_FLD1=60.0 N_FLD2=2224.44 N_FLD3=0.02 N_FLD4=2224.44 "
              "N_FLD5=-0.25\n"
              "DELETED 0\n");
}

TEST(IndependentReader, DbfreadReadsThePreferenceTable)
{
    TempDir dir;
    TTable table(dir.file("ZIVORODI.DBF"));
    table.createTable(kPrefFieldDefinitions);
    table.open();
    table.edit();
    table.fieldByName("LAST_UPD").setAsString("01/15/2024");
    table.fieldByName("AVG_AMT").setAsString("100000");
    table.fieldByName("AVG_DTI").setAsString("30");
    table.fieldByName("AVG_FEE").setAsString("1.000");
    table.fieldByName("AVG_LTV").setAsString("70");
    table.fieldByName("AVG_RATE").setAsString("12.000");
    table.fieldByName("AVG_SCORE").setAsString("600");
    table.fieldByName("AVG_TERM").setAsString("60");
    const char *weights[] = {"WGT_AMT", "WGT_COL", "WGT_DTI",  "WGT_FEE",   "WGT_GUT",
                             "WGT_HB",  "WGT_LTV", "WGT_RATE", "WGT_SCORE", "WGT_TERM"};
    for (int i = 0; i < 10; ++i)
        table.fieldByName(weights[i]).setAsInteger(i % 5);
    table.fieldByName("RESULT").setAsFloat(4.25);
    table.post();
    table.close();

    const ScriptResult result = runScript("read_with_dbfread.py", table.fileName());
    ASSERT_EQ(result.status, 0) << result.output;
    EXPECT_EQ(result.output,
              "HEADER version=3 records=1 headerlen=641 recordlen=63 language=1 encoding=cp437\n"
              "FIELD LAST_UPD C 10 0\n"
              "FIELD AVG_AMT N 14 0\n"
              "FIELD AVG_DTI N 3 0\n"
              "FIELD AVG_FEE N 5 2\n"
              "FIELD AVG_LTV N 3 0\n"
              "FIELD AVG_RATE N 7 3\n"
              "FIELD AVG_SCORE N 3 0\n"
              "FIELD AVG_TERM N 3 0\n"
              "FIELD WGT_AMT N 1 0\n"
              "FIELD WGT_COL N 1 0\n"
              "FIELD WGT_DTI N 1 0\n"
              "FIELD WGT_FEE N 1 0\n"
              "FIELD WGT_GUT N 1 0\n"
              "FIELD WGT_HB N 1 0\n"
              "FIELD WGT_LTV N 1 0\n"
              "FIELD WGT_RATE N 1 0\n"
              "FIELD WGT_SCORE N 1 0\n"
              "FIELD WGT_TERM N 1 0\n"
              "FIELD RESULT N 4 1\n"
              // 4.25 is exact in binary: the half goes up to 4.3.
              "RECORD LAST_UPD='01/15/2024' AVG_AMT=100000 AVG_DTI=30 AVG_FEE=1.0 AVG_LTV=70 AVG_RATE=12.0 "
              "AVG_SCORE=600 AVG_TERM=60 WGT_AMT=0 WGT_COL=1 WGT_DTI=2 WGT_FEE=3 WGT_GUT=4 WGT_HB=0 WGT_LTV=1 "
              "WGT_RATE=2 WGT_SCORE=3 WGT_TERM=4 RESULT=4.3\n"
              "DELETED 0\n");
}

TEST(IndependentReader, TableWrittenByPythonDbfOpens)
{
    setShortDateFormat("MM/dd/yyyy", '/');
    TempDir dir;
    const std::string path = dir.file("TEMPAMORT.DBF");
    const ScriptResult result = runScript("write_with_dbf.py", path);
    ASSERT_EQ(result.status, 0) << result.output;

    TTable table(path);
    table.open();
    ASSERT_EQ(table.fields().size(), 7u);
    EXPECT_EQ(table.fields()[1]->kind(), FieldKind::Date);
    EXPECT_EQ(table.fields()[4]->width(), 12);
    EXPECT_EQ(table.fields()[4]->decimals(), 2);
    EXPECT_EQ(table.recordCount(), 2);  // the deleted row is hidden

    table.first();
    EXPECT_EQ(table.fieldByName("C_FLD1").asString(), "2024");
    EXPECT_EQ(table.fieldByName("D_FLD1").displayText(), "01/15/2024");
    EXPECT_EQ(table.fieldByName("N_FLD1").asInteger(), 1);
    EXPECT_EQ(table.fieldByName("N_FLD2").asFloat(), 2224.44);
    EXPECT_EQ(table.fieldByName("N_FLD5").asFloat(), 98775.56);
    table.next();
    EXPECT_TRUE(table.fieldByName("D_FLD1").isNull());
    EXPECT_EQ(table.fieldByName("D_FLD1").asDate(), 0.0);
    EXPECT_EQ(table.fieldByName("N_FLD1").asInteger(), 2);
    EXPECT_EQ(table.fieldByName("N_FLD3").asFloat(), 987.75);
    EXPECT_EQ(table.fieldByName("N_FLD5").asFloat(), -0.25);
    table.next();
    EXPECT_TRUE(table.eof());

    // Our own append lands after python-dbf's rows and reads back there.
    appendAmortRow(table, 2024, 3, 15, 3, 1, 1, 1, 1);
    table.close();
    const ScriptResult check = runScript("read_with_dbfread.py", path);
    ASSERT_EQ(check.status, 0) << check.output;
    EXPECT_NE(check.output.find("RECORD C_FLD1='2024' D_FLD1=2024-03-15 N_FLD1=3.0"), std::string::npos)
        << check.output;
    EXPECT_NE(check.output.find("DELETED 1\n"), std::string::npos) << check.output;
}

}  // namespace
