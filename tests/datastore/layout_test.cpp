#include "testsupport.h"

#include <ctime>
#include <gtest/gtest.h>

namespace {

struct Descriptor
{
    const char *name;
    char type;
    int offset;
    int width;
    int decimals;
};

// Today's date as the header stores it: years since 1900, month, day.
std::vector<unsigned char> todayBytes()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {static_cast<unsigned char>(local.tm_year), static_cast<unsigned char>(local.tm_mon + 1),
            static_cast<unsigned char>(local.tm_mday)};
}

void expectHeader(const std::vector<unsigned char> &bytes, std::uint32_t records, std::uint32_t headerLength,
                  std::uint32_t recordLength, const std::vector<Descriptor> &descriptors)
{
    ASSERT_GE(bytes.size(), headerLength);
    EXPECT_EQ(bytes[0], 0x03);
    EXPECT_EQ(std::vector<unsigned char>(bytes.begin() + 1, bytes.begin() + 4), todayBytes());
    EXPECT_EQ(leValue(bytes, 4, 4), records);
    EXPECT_EQ(leValue(bytes, 8, 2), headerLength);
    EXPECT_EQ(leValue(bytes, 10, 2), recordLength);
    EXPECT_EQ(bytes[29], 0x01);  // OEM, US MS-DOS code page
    for (std::size_t i : {12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 30, 31})
        EXPECT_EQ(bytes[i], 0) << "header byte " << i;
    for (std::size_t i = 0; i < descriptors.size(); ++i) {
        const Descriptor &d = descriptors[i];
        SCOPED_TRACE(d.name);
        const std::size_t at = 32 + 32 * i;
        std::string name(11, '\0');
        std::copy_n(d.name, std::char_traits<char>::length(d.name), name.begin());
        EXPECT_EQ(std::string(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                              bytes.begin() + static_cast<std::ptrdiff_t>(at + 11)),
                  name);
        EXPECT_EQ(bytes[at + 11], static_cast<unsigned char>(d.type));
        EXPECT_EQ(leValue(bytes, at + 12, 4), static_cast<std::uint32_t>(d.offset));
        EXPECT_EQ(bytes[at + 16], d.width);
        EXPECT_EQ(bytes[at + 17], d.decimals);
    }
    EXPECT_EQ(bytes[headerLength - 1], 0x0D);
}

const std::vector<Descriptor> kAmortDescriptors = {
    {"C_FLD1", 'C', 1, 4, 0},   {"D_FLD1", 'D', 5, 8, 0},   {"N_FLD1", 'N', 13, 12, 2}, {"N_FLD2", 'N', 25, 12, 2},
    {"N_FLD3", 'N', 37, 12, 2}, {"N_FLD4", 'N', 49, 12, 2}, {"N_FLD5", 'N', 61, 12, 2}};

const std::vector<Descriptor> kPrefDescriptors = {
    {"LAST_UPD", 'C', 1, 10, 0},  {"AVG_AMT", 'N', 11, 14, 0},  {"AVG_DTI", 'N', 25, 3, 0},
    {"AVG_FEE", 'N', 28, 5, 2},   {"AVG_LTV", 'N', 33, 3, 0},   {"AVG_RATE", 'N', 36, 7, 3},
    {"AVG_SCORE", 'N', 43, 3, 0}, {"AVG_TERM", 'N', 46, 3, 0},  {"WGT_AMT", 'N', 49, 1, 0},
    {"WGT_COL", 'N', 50, 1, 0},   {"WGT_DTI", 'N', 51, 1, 0},   {"WGT_FEE", 'N', 52, 1, 0},
    {"WGT_GUT", 'N', 53, 1, 0},   {"WGT_HB", 'N', 54, 1, 0},    {"WGT_LTV", 'N', 55, 1, 0},
    {"WGT_RATE", 'N', 56, 1, 0},  {"WGT_SCORE", 'N', 57, 1, 0}, {"WGT_TERM", 'N', 58, 1, 0},
    {"RESULT", 'N', 59, 4, 1}};

TEST(FileLayout, EmptyAmortTable)
{
    TempDir dir;
    TTable table(dir.file("TEMPAMORT.DBF"));
    table.createTable(kAmortFieldDefinitions);
    const auto bytes = readBytes(table.fileName());
    // 32 + 7 * 32 + 1 = 257 header bytes, then only the end mark.
    expectHeader(bytes, 0, 257, 73, kAmortDescriptors);
    ASSERT_EQ(bytes.size(), 258u);
    EXPECT_EQ(bytes[257], 0x1A);
}

TEST(FileLayout, EmptyPrefTable)
{
    TempDir dir;
    TTable table(dir.file("ZIVORODI.DBF"));
    table.createTable(kPrefFieldDefinitions);
    const auto bytes = readBytes(table.fileName());
    // 32 + 19 * 32 + 1 = 641 header bytes.
    expectHeader(bytes, 0, 641, 63, kPrefDescriptors);
    ASSERT_EQ(bytes.size(), 642u);
    EXPECT_EQ(bytes[641], 0x1A);
}

TEST(FileLayout, OneAmortRecord)
{
    TempDir dir;
    TTable table(dir.file("TEMPAMORT.DBF"));
    table.createTable(kAmortFieldDefinitions);
    table.open();
    appendAmortRow(table, 2024, 1, 15, 1, 2224.44, 1000, 1224.44, 98775.56);
    table.close();
    const auto bytes = readBytes(table.fileName());
    expectHeader(bytes, 1, 257, 73, kAmortDescriptors);
    EXPECT_EQ(recordText(bytes, 0),
              " "
              "2024"
              "20240115"
              "        1.00"
              "     2224.44"
              "     1000.00"
              "     1224.44"
              "    98775.56");
    ASSERT_EQ(bytes.size(), 257u + 73 + 1);
    EXPECT_EQ(bytes.back(), 0x1A);
}

TEST(FileLayout, OnePrefRecord)
{
    setShortDateFormat("MM/dd/yyyy", '/');
    TempDir dir;
    TTable table(dir.file("ZIVORODI.DBF"));
    table.createTable(kPrefFieldDefinitions);
    table.open();
    table.edit();
    table.fieldByName("LAST_UPD").setAsString(DateToStr(EncodeDate(2024, 1, 15)));
    table.fieldByName("AVG_AMT").setAsFloat(100000);
    table.fieldByName("AVG_DTI").setAsInteger(30);
    table.fieldByName("AVG_FEE").setAsFloat(1);
    table.fieldByName("AVG_LTV").setAsInteger(70);
    table.fieldByName("AVG_RATE").setAsFloat(12);
    table.fieldByName("AVG_SCORE").setAsInteger(600);
    table.fieldByName("AVG_TERM").setAsInteger(60);
    const char *weights[] = {"WGT_AMT", "WGT_COL", "WGT_DTI",  "WGT_FEE",   "WGT_GUT",
                             "WGT_HB",  "WGT_LTV", "WGT_RATE", "WGT_SCORE", "WGT_TERM"};
    for (int i = 0; i < 10; ++i)
        table.fieldByName(weights[i]).setAsFloat((i + 1) % 5);
    table.fieldByName("RESULT").setAsFloat(5.5);
    table.post();
    table.close();
    const auto bytes = readBytes(table.fileName());
    expectHeader(bytes, 1, 641, 63, kPrefDescriptors);
    EXPECT_EQ(recordText(bytes, 0),
              " "
              "01/15/2024"
              "        100000"
              " 30"
              " 1.00"
              " 70"
              " 12.000"
              "600"
              " 60"
              "1234012340"
              " 5.5");
    ASSERT_EQ(bytes.size(), 641u + 63 + 1);
    EXPECT_EQ(bytes.back(), 0x1A);
}

TEST(FileLayout, SecondRecordMovesTheEndMarkAndTheCount)
{
    TempDir dir;
    TTable table(dir.file("TEMPAMORT.DBF"));
    table.createTable(kAmortFieldDefinitions);
    table.open();
    appendAmortRow(table, 2024, 1, 15, 1, 1, 1, 1, 1);
    appendAmortRow(table, 2024, 2, 15, 2, 1, 1, 1, 0);
    table.close();
    const auto bytes = readBytes(table.fileName());
    EXPECT_EQ(leValue(bytes, 4, 4), 2u);
    ASSERT_EQ(bytes.size(), 257u + 2 * 73 + 1);
    EXPECT_EQ(bytes.back(), 0x1A);
    EXPECT_EQ(recordText(bytes, 1).substr(0, 13), " 202420240215");
}

}  // namespace
