#include "testsupport.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

struct BadFile
{
    const char *name;
    std::function<void(std::vector<unsigned char> &)> damage;
};

// A TEMPAMORT file of two records: header 257 bytes, records of 73.
std::vector<unsigned char> goodFile(const TempDir &dir)
{
    TTable table(dir.file("GOOD.DBF"));
    table.createTable(kAmortFieldDefinitions);
    table.open();
    appendAmortRow(table, 2024, 1, 15, 1, 100, 10, 90, 910);
    appendAmortRow(table, 2024, 2, 15, 2, 100, 9, 91, 819);
    table.close();
    return readBytes(table.fileName());
}

void setLe(std::vector<unsigned char> &bytes, std::size_t offset, std::uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes[offset + static_cast<std::size_t>(i)] = static_cast<unsigned char>(value >> (8 * i));
}

class BadFiles : public testing::TestWithParam<BadFile>
{
};

TEST_P(BadFiles, AreRefusedWithoutWriting)
{
    TempDir dir;
    std::vector<unsigned char> bytes = goodFile(dir);
    GetParam().damage(bytes);
    const std::string path = dir.file("TEMPAMORT.DBF");
    writeBytes(path, bytes);

    FailingWrites counting;
    TTable table(path, counting.hooks());
    try {
        table.open();
        FAIL() << "opened";
    } catch (const AppError &e) {
        EXPECT_NE(std::string(e.what()).find("TEMPAMORT.DBF"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(table.active());
    EXPECT_EQ(table.fields().size(), 0u);
    EXPECT_EQ(counting.writes, 0);
    EXPECT_EQ(readBytes(path), bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Damage, BadFiles,
    testing::Values(BadFile{"empty_file", [](auto &b) { b.clear(); }},
                    BadFile{"text_file",
                            [](auto &b) {
                                const std::string text = "This is not a table, only a few words of text in a file.\n";
                                b.assign(text.begin(), text.end());
                            }},
                    BadFile{"memo_table_version", [](auto &b) { b[0] = 0x83; }},
                    BadFile{"truncated_in_the_first_header_bytes", [](auto &b) { b.resize(20); }},
                    BadFile{"truncated_in_the_descriptors", [](auto &b) { b.resize(100); }},
                    BadFile{"truncated_in_the_records", [](auto &b) { b.resize(257 + 73 + 10); }},
                    BadFile{"record_length_disagrees_with_the_fields", [](auto &b) { setLe(b, 10, 72, 2); }},
                    BadFile{"header_longer_than_the_file", [](auto &b) { setLe(b, 8, 0xFFFF, 2); }},
                    BadFile{"header_length_too_small", [](auto &b) { setLe(b, 8, 20, 2); }},
                    BadFile{"header_length_cuts_a_descriptor", [](auto &b) { setLe(b, 8, 257 - 40, 2); }},
                    BadFile{"absurd_record_count", [](auto &b) { setLe(b, 4, 0xFFFFFFFF, 4); }},
                    BadFile{"record_count_one_too_many", [](auto &b) { setLe(b, 4, 3, 4); }},
                    BadFile{"missing_terminator", [](auto &b) { b[256] = ' '; }},
                    BadFile{"unknown_field_type", [](auto &b) { b[32 + 11] = 'M'; }},
                    BadFile{"date_of_wrong_width", [](auto &b) { b[64 + 16] = 9; }},
                    BadFile{"numeric_decimals_too_many", [](auto &b) { b[96 + 17] = 11; }},
                    BadFile{"blank_field_name", [](auto &b) { std::fill_n(b.begin() + 32, 11, 0); }},
                    BadFile{"field_name_with_control_bytes", [](auto &b) { b[33] = 0x07; }},
                    BadFile{"duplicate_field_name", [](auto &b) { std::copy_n(b.begin() + 96, 11, b.begin() + 128); }}),
    [](const testing::TestParamInfo<BadFile> &info) { return std::string(info.param.name); });

TEST(BadFieldText, NumericGarbageIsAnErrorNotAValue)
{
    TempDir dir;
    std::vector<unsigned char> bytes = goodFile(dir);
    std::fill_n(bytes.begin() + 257 + 13, 12, '*');
    const std::string path = dir.file("TEMPAMORT.DBF");
    writeBytes(path, bytes);
    TTable table(path);
    table.open();
    EXPECT_THROW(table.fieldByName("N_FLD1").asFloat(), AppError);
    EXPECT_EQ(table.fieldByName("N_FLD2").asFloat(), 100.0);
}

TEST(BadFieldText, InvalidDateIsAnError)
{
    TempDir dir;
    std::vector<unsigned char> bytes = goodFile(dir);
    std::copy_n("20241341", 8, bytes.begin() + 257 + 5);
    const std::string path = dir.file("TEMPAMORT.DBF");
    writeBytes(path, bytes);
    TTable table(path);
    table.open();
    EXPECT_THROW(table.fieldByName("D_FLD1").asDate(), AppError);
}

}  // namespace
