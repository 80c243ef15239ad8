// Two running copies on one working directory: the helper is the other copy.
#include "faultsupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string prefRecord()
{
    const std::string bytes = fileBytes("ZIVORODI.DBF");
    // Header of 32 bytes, 19 descriptors of 32, the terminator.
    return bytes.substr(32 + 19 * 32 + 1, 63);
}

std::string lockMessage(TTable &table)
{
    try {
        table.edit();
    } catch (const AppError &error) {
        return error.what();
    }
    return "edit succeeded";
}

TEST(TwoCopies, ScoreRefusedWhileTheOtherCopyEditsPreferences)
{
    TemporaryWorkDir dir;
    TData data;
    seedPrefTable(data);
    ASSERT_EQ(prefRecord(), prefRecordBytes('2', " 0.0"));

    // This copy has the scoring window open; the other copy's preference
    // window holds the record.
    data.tblPref.open();
    Helper other("hold-pref", dir.path().string());
    ASSERT_EQ(other.readLine(), "editing");

    EXPECT_EQ(lockMessage(data.tblPref), "Record locked by another user.");
    EXPECT_EQ(data.tblPref.state(), TableState::Browse);
    EXPECT_EQ(prefRecord(), prefRecordBytes('2', " 0.0"));

    other.send("post 4");
    EXPECT_EQ(other.readLine(), "posted");
    EXPECT_EQ(other.wait(), 0);
    EXPECT_EQ(prefRecord(), prefRecordBytes('4', " 0.0"));

    // The score now posts over the other copy's weights without losing them.
    data.tblPref.edit();
    data.tblPref.fieldByName("RESULT").setAsFloat(5.25);
    data.tblPref.post();
    EXPECT_EQ(prefRecord(), prefRecordBytes('4', " 5.3"));
    EXPECT_EQ(data.tblPref.fieldByName("WGT_AMT").asInteger(), 4);
    data.tblPref.close();
}

TEST(TwoCopies, PreferencesRefusedWhileTheOtherCopyPostsAScore)
{
    TemporaryWorkDir dir;
    TData data;
    seedPrefTable(data);

    data.tblPref.open();
    data.tblPref.edit();
    data.tblPref.fieldByName("RESULT").setAsFloat(7.5);

    Helper other("hold-pref", dir.path().string());
    EXPECT_EQ(other.readLine(), "error Record locked by another user.");
    EXPECT_EQ(other.wait(), 1);

    data.tblPref.post();
    data.tblPref.close();
    EXPECT_EQ(prefRecord(), prefRecordBytes('2', " 7.5"));

    // With the lock gone the other copy's preferences go through.
    Helper again("hold-pref", dir.path().string());
    ASSERT_EQ(again.readLine(), "editing");
    again.send("post 3");
    EXPECT_EQ(again.readLine(), "posted");
    EXPECT_EQ(again.wait(), 0);
    EXPECT_EQ(prefRecord(), prefRecordBytes('3', " 7.5"));
}

TEST(TwoCopies, ScheduleCannotBeRecreatedUnderAnOpenPreview)
{
    TemporaryWorkDir dir;
    TData data;
    data.tblAmort.createTable(kAmortFieldDefinitions);
    data.tblAmort.open();
    for (int n = 1; n <= 360; ++n)
        writeAmortRow(data.tblAmort, n);
    data.tblAmort.close();
    const std::string before = fileBytes("TEMPAMORT.DBF");

    Helper preview("hold-amort", dir.path().string());
    ASSERT_EQ(preview.readLine(), "open 360");

    try {
        data.tblAmort.createTable(kAmortFieldDefinitions);
        ADD_FAILURE() << "the schedule was re-created under the other copy";
    } catch (const AppError &error) {
        EXPECT_STREQ(error.what(), "Cannot create table 'TEMPAMORT.DBF': the file is in use by another user");
    }
    EXPECT_FALSE(data.tblAmort.active());
    EXPECT_EQ(fileBytes("TEMPAMORT.DBF"), before);

    preview.send("read");
    // Row 1: 2024, the 15th of January, payment 1, 1234.56, 0.25, -1.5, 999999998.99.
    EXPECT_EQ(preview.readLine(), "2024 01/15/2024 1 1234.56 0.25 -1.5 999999998.99 ");
    std::vector<std::string> rows{"first"};
    for (std::string line = preview.readLine(); !line.empty() && line != "end"; line = preview.readLine())
        rows.push_back(line);
    EXPECT_EQ(rows.size(), 360u);
    // Row 360: December 2053, 360 * 0.25 = 90, -360 * 1.5 = -540.
    EXPECT_EQ(rows.back(), "2053 12/15/2053 360 1234.56 90 -540 999999639.99 ");
    EXPECT_EQ(preview.wait(), 0);

    // Once the other copy has closed it, the schedule is re-created empty.
    data.tblAmort.createTable(kAmortFieldDefinitions);
    data.tblAmort.open();
    EXPECT_EQ(data.tblAmort.recordCount(), 0);
    data.tblAmort.close();
}

}  // namespace
