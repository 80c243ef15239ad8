#include "testsupport.h"

#include <gtest/gtest.h>
#include <unistd.h>

namespace {

class TableOperations : public testing::Test
{
protected:
    void SetUp() override { setShortDateFormat("MM/dd/yyyy", '/'); }

    // A schedule of rows numbered 1 to count, closed.
    void writeSchedule(int count)
    {
        amort.createTable(kAmortFieldDefinitions);
        amort.open();
        for (int k = 1; k <= count; ++k)
            appendAmortRow(amort, 2024, k, 15, k, 100, 10, 90, 1000 - 90 * k);
        amort.close();
    }

    std::vector<int> paymentNumbers(TTable &table)
    {
        std::vector<int> numbers;
        for (table.first(); !table.eof(); table.next())
            numbers.push_back(table.fieldByName("N_FLD1").asInteger());
        return numbers;
    }

    TempDir dir;
    TTable amort{dir.file("TEMPAMORT.DBF")};
    TTable pref{dir.file("ZIVORODI.DBF")};
};

TEST_F(TableOperations, CreateLeavesTheTableClosedAndEmpty)
{
    EXPECT_FALSE(amort.exists());
    amort.createTable(kAmortFieldDefinitions);
    EXPECT_TRUE(amort.exists());
    EXPECT_FALSE(amort.active());
    EXPECT_EQ(amort.state(), TableState::Inactive);
    amort.open();
    EXPECT_EQ(amort.state(), TableState::Browse);
    EXPECT_EQ(amort.recordCount(), 0);
    EXPECT_TRUE(amort.eof());
}

TEST_F(TableOperations, RecreatingLeavesAnEmptyTable)
{
    writeSchedule(3);
    amort.createTable(kAmortFieldDefinitions);
    amort.open();
    EXPECT_EQ(amort.recordCount(), 0);
    EXPECT_EQ(paymentNumbers(amort), std::vector<int>{});
    amort.close();
    EXPECT_EQ(readBytes(amort.fileName()).size(), 32u + 7 * 32 + 1 + 1);
}

TEST_F(TableOperations, CreateOfAnOpenTableFails)
{
    writeSchedule(1);
    amort.open();
    EXPECT_THROW(amort.createTable(kAmortFieldDefinitions), AppError);
    EXPECT_EQ(amort.recordCount(), 1);
}

TEST_F(TableOperations, CreateFailsWhileAnotherTableObjectHasTheFileOpen)
{
    writeSchedule(2);
    TTable other(amort.fileName());
    other.open();
    try {
        amort.createTable(kAmortFieldDefinitions);
        FAIL() << "no error";
    } catch (const AppError &e) {
        EXPECT_NE(std::string(e.what()).find("TEMPAMORT.DBF"), std::string::npos) << e.what();
    }
    other.close();
    EXPECT_EQ(recordText(readBytes(amort.fileName()), 1).substr(13, 12), "        2.00");
}

TEST_F(TableOperations, RowsReadBackInTheOrderAdded)
{
    writeSchedule(3);
    amort.open();
    EXPECT_EQ(amort.recordCount(), 3);
    EXPECT_EQ(paymentNumbers(amort), (std::vector<int>{1, 2, 3}));
    amort.first();
    EXPECT_EQ(amort.fieldByName("C_FLD1").asString(), "2024");
    EXPECT_EQ(amort.fieldByName("D_FLD1").asDate(), EncodeDate(2024, 1, 15));
    EXPECT_EQ(amort.fieldByName("N_FLD5").asFloat(), 910.0);
}

TEST_F(TableOperations, OpenPositionsOnTheFirstRecord)
{
    writeSchedule(2);
    amort.open();
    EXPECT_FALSE(amort.eof());
    EXPECT_EQ(amort.fieldByName("N_FLD1").asInteger(), 1);
}

TEST_F(TableOperations, EditOnAnEmptyTableAddsARecord)
{
    pref.createTable(kPrefFieldDefinitions);
    pref.open();
    pref.edit();
    EXPECT_EQ(pref.state(), TableState::Insert);
    pref.fieldByName("AVG_TERM").setAsInteger(60);
    pref.post();
    pref.close();
    pref.open();
    EXPECT_EQ(pref.recordCount(), 1);
    EXPECT_EQ(pref.fieldByName("AVG_TERM").asInteger(), 60);
}

TEST_F(TableOperations, EditChangesTheRecordInPlace)
{
    writeSchedule(2);
    amort.open();
    amort.next();
    amort.edit();
    EXPECT_EQ(amort.state(), TableState::Edit);
    amort.fieldByName("N_FLD2").setAsFloat(55.5);
    amort.post();
    EXPECT_EQ(amort.state(), TableState::Browse);
    amort.close();
    const auto bytes = readBytes(amort.fileName());
    EXPECT_EQ(leValue(bytes, 4, 4), 2u);
    EXPECT_EQ(recordText(bytes, 1).substr(25, 12), "       55.50");
    EXPECT_EQ(recordText(bytes, 0).substr(25, 12), "      100.00");
}

TEST_F(TableOperations, CloseDropsAnUnpostedInsert)
{
    writeSchedule(1);
    amort.open();
    amort.insert();
    amort.fieldByName("N_FLD1").setAsFloat(99);
    amort.close();
    EXPECT_FALSE(amort.active());
    amort.open();
    EXPECT_EQ(paymentNumbers(amort), std::vector<int>{1});
}

TEST_F(TableOperations, CloseDropsAnUnpostedEdit)
{
    writeSchedule(1);
    amort.open();
    amort.edit();
    amort.fieldByName("N_FLD1").setAsFloat(99);
    amort.close();
    amort.open();
    EXPECT_EQ(paymentNumbers(amort), std::vector<int>{1});
    amort.close();
    amort.close();
    EXPECT_FALSE(amort.active());
}

TEST_F(TableOperations, CancelRestoresTheRecord)
{
    writeSchedule(1);
    amort.open();
    amort.edit();
    amort.fieldByName("N_FLD1").setAsFloat(99);
    amort.cancel();
    EXPECT_EQ(amort.state(), TableState::Browse);
    EXPECT_EQ(amort.fieldByName("N_FLD1").asInteger(), 1);
}

TEST_F(TableOperations, DeletedRecordsAreHidden)
{
    writeSchedule(3);
    auto bytes = readBytes(amort.fileName());
    const std::size_t headerLength = leValue(bytes, 8, 2);
    bytes[headerLength + 73] = '*';
    writeBytes(amort.fileName(), bytes);
    amort.open();
    EXPECT_EQ(amort.recordCount(), 2);
    EXPECT_EQ(paymentNumbers(amort), (std::vector<int>{1, 3}));
}

TEST_F(TableOperations, FieldHeldAcrossACloseReadsBlank)
{
    writeSchedule(1);
    amort.open();
    TField &held = amort.fieldByName("N_FLD2");
    EXPECT_EQ(held.asFloat(), 100.0);
    amort.close();
    EXPECT_TRUE(held.isNull());
    EXPECT_EQ(held.asFloat(), 0.0);
    EXPECT_THROW(held.setAsFloat(1), AppError);
}

TEST_F(TableOperations, OpenOfAMissingFileNamesIt)
{
    try {
        amort.open();
        FAIL() << "no error";
    } catch (const AppError &e) {
        EXPECT_NE(std::string(e.what()).find("TEMPAMORT.DBF"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(amort.active());
}

TEST_F(TableOperations, OperationsOnAClosedTableFail)
{
    EXPECT_THROW(amort.insert(), AppError);
    EXPECT_THROW(amort.edit(), AppError);
    EXPECT_THROW(amort.post(), AppError);
    EXPECT_EQ(amort.recordCount(), 0);
    EXPECT_TRUE(amort.eof());
}

TEST_F(TableOperations, ObserversFollowEveryChange)
{
    pref.createTable(kPrefFieldDefinitions);
    int calls = 0;
    const int id = pref.addRecordObserver([&] { ++calls; });
    pref.open();
    EXPECT_EQ(calls, 1);
    pref.edit();
    EXPECT_EQ(calls, 2);
    pref.fieldByName("AVG_DTI").setAsInteger(30);
    EXPECT_EQ(calls, 3);
    pref.post();
    EXPECT_EQ(calls, 4);
    pref.removeObserver(id);
    pref.close();
    EXPECT_EQ(calls, 4);
}

TEST_F(TableOperations, PostFirstTakesThePendingText)
{
    pref.createTable(kPrefFieldDefinitions);
    pref.open();
    std::vector<std::string> order;
    std::string pendingText = "12.5";
    pref.addPendingWriter([&] {
        order.push_back("writer");
        pref.edit();
        pref.fieldByName("AVG_RATE").setAsString(pendingText);
    });
    pref.addRecordObserver([&] {
        if (pref.state() == TableState::Browse && pref.recordCount() == 1)
            order.push_back("posted");
    });
    pref.post();
    EXPECT_EQ(order, (std::vector<std::string>{"writer", "posted"}));
    pref.close();
    EXPECT_EQ(recordText(readBytes(pref.fileName()), 0).substr(36, 7), " 12.500");
}

TEST_F(TableOperations, FailingPendingWriterStopsThePost)
{
    pref.createTable(kPrefFieldDefinitions);
    pref.open();
    pref.addPendingWriter([&] {
        pref.edit();
        pref.fieldByName("WGT_AMT").setAsString("10");
    });
    EXPECT_THROW(pref.post(), AppError);
    EXPECT_EQ(pref.state(), TableState::Insert);
    pref.close();
    EXPECT_EQ(leValue(readBytes(pref.fileName()), 4, 4), 0u);
}

TEST_F(TableOperations, FileLongerThanItsCountOpens)
{
    writeSchedule(2);
    auto bytes = readBytes(amort.fileName());
    bytes.pop_back();  // no end mark
    writeBytes(amort.fileName(), bytes);
    amort.open();
    EXPECT_EQ(amort.recordCount(), 2);
    amort.close();
    bytes.insert(bytes.end(), 40, 'x');  // part of a record a stopped copy wrote
    writeBytes(amort.fileName(), bytes);
    amort.open();
    EXPECT_EQ(paymentNumbers(amort), (std::vector<int>{1, 2}));
    appendAmortRow(amort, 2024, 3, 15, 3, 100, 10, 90, 730);
    amort.close();
    amort.open();
    EXPECT_EQ(paymentNumbers(amort), (std::vector<int>{1, 2, 3}));
}

struct WriteFailure
{
    const char *name;
    int failAt;  // appending writes the record, the end mark, then the header
};

class FailedAppends : public TableOperations, public testing::WithParamInterface<WriteFailure>
{
};

TEST_P(FailedAppends, LeaveTheRecordCount)
{
    writeSchedule(1);
    FailingWrites failing;
    TTable table(amort.fileName(), failing.hooks());
    table.open();
    table.insert();
    table.fieldByName("N_FLD1").setAsFloat(2);
    failing.failAt = failing.writes + GetParam().failAt;
    EXPECT_THROW(table.post(), AppError);
    EXPECT_EQ(table.state(), TableState::Insert);
    EXPECT_EQ(leValue(readBytes(amort.fileName()), 4, 4), 1u);

    TTable reader(amort.fileName());
    reader.open();
    EXPECT_EQ(paymentNumbers(reader), std::vector<int>{1});
    reader.close();

    table.post();
    table.close();
    amort.open();
    EXPECT_EQ(paymentNumbers(amort), (std::vector<int>{1, 2}));
}

INSTANTIATE_TEST_SUITE_P(Seam, FailedAppends,
                         testing::Values(WriteFailure{"record_write_fails", 1}, WriteFailure{"end_mark_write_fails", 2},
                                         WriteFailure{"count_write_fails", 3}),
                         [](const testing::TestParamInfo<WriteFailure> &info) { return std::string(info.param.name); });

TEST_F(TableOperations, FailedCreateWriteIsReported)
{
    FailingWrites failing;
    failing.failAt = 1;
    TTable table(dir.file("TEMPAMORT.DBF"), failing.hooks());
    EXPECT_THROW(table.createTable(kAmortFieldDefinitions), AppError);
    EXPECT_FALSE(table.active());
}

TEST(DataModule, SetsTheDateFormatAndHoldsClosedTables)
{
    setShortDateFormat("dd.MM.yy", '.');
    TempDir dir;
    char previous[4096];
    ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
    ASSERT_EQ(chdir(dir.path().c_str()), 0);
    {
        TData data;
        EXPECT_EQ(DateToStr(EncodeDate(2024, 1, 15)), "01/15/2024");
        EXPECT_EQ(data.tblAmort.fileName(), "TEMPAMORT.DBF");
        EXPECT_EQ(data.tblPref.fileName(), "ZIVORODI.DBF");
        EXPECT_FALSE(data.tblAmort.active());
        EXPECT_FALSE(data.tblPref.active());
        EXPECT_EQ(&data.srcPref.table(), &data.tblPref);

        data.tblPref.createTable(kPrefFieldDefinitions);
        data.tblPref.open();
        data.tblPref.edit();
        data.tblPref.fieldByName("LAST_UPD").setAsString(DateToStr(EncodeDate(2024, 1, 15)));
        data.tblPref.post();
        data.tblPref.close();
    }
    EXPECT_EQ(recordText(readBytes(dir.file("ZIVORODI.DBF")), 0).substr(1, 10), "01/15/2024");
    ASSERT_EQ(chdir(previous), 0);
}

}  // namespace
