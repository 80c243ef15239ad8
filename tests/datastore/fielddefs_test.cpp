#include "datastore/dbfformat.h"
#include "datastore/fielddefs.h"

#include "calcutils/errors.h"

#include <gtest/gtest.h>

namespace {

struct ExpectedField
{
    const char *name;
    char type;
    int width;
    int decimals;
    int offset;
    FieldKind kind;
};

void expectLayout(const char *definitions, const std::vector<ExpectedField> &expected, std::uint32_t recordLength)
{
    const dbf::Layout layout = dbf::layoutFor(parseFieldDefinitions(definitions));
    ASSERT_EQ(layout.fields.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(layout.fields[i].name, expected[i].name);
        EXPECT_EQ(layout.fields[i].type, expected[i].type);
        EXPECT_EQ(layout.fields[i].width, expected[i].width);
        EXPECT_EQ(layout.fields[i].decimals, expected[i].decimals);
        EXPECT_EQ(layout.offsets[i], expected[i].offset);
        EXPECT_EQ(fieldKind(layout.fields[i]), expected[i].kind);
    }
    EXPECT_EQ(layout.recordLength, recordLength);
}

TEST(FieldDefinitions, AmortTextIsTheDocumentedOne)
{
    EXPECT_STREQ(kAmortFieldDefinitions,
                 "C_FLD1  , Char       ,   4       ;D_FLD1  , Date                   ;N_FLD1  , Numeric    ,  12  ,  2 "
                 ";N_FLD2  , Numeric    ,  12  ,  2 ;N_FLD3  , Numeric    ,  12  ,  2 ;N_FLD4  , Numeric    ,  12  ,  "
                 "2 ;N_FLD5  , Numeric    ,  12  ,  2 ;");
}

TEST(FieldDefinitions, AmortLayout)
{
    using K = FieldKind;
    expectLayout(kAmortFieldDefinitions,
                 {{"C_FLD1", 'C', 4, 0, 1, K::Text},
                  {"D_FLD1", 'D', 8, 0, 5, K::Date},
                  {"N_FLD1", 'N', 12, 2, 13, K::Float},
                  {"N_FLD2", 'N', 12, 2, 25, K::Float},
                  {"N_FLD3", 'N', 12, 2, 37, K::Float},
                  {"N_FLD4", 'N', 12, 2, 49, K::Float},
                  {"N_FLD5", 'N', 12, 2, 61, K::Float}},
                 73);
}

TEST(FieldDefinitions, PrefLayout)
{
    using K = FieldKind;
    expectLayout(kPrefFieldDefinitions,
                 {{"LAST_UPD", 'C', 10, 0, 1, K::Text},
                  {"AVG_AMT", 'N', 14, 0, 11, K::Float},
                  {"AVG_DTI", 'N', 3, 0, 25, K::SmallInt},
                  {"AVG_FEE", 'N', 5, 2, 28, K::Float},
                  {"AVG_LTV", 'N', 3, 0, 33, K::SmallInt},
                  {"AVG_RATE", 'N', 7, 3, 36, K::Float},
                  {"AVG_SCORE", 'N', 3, 0, 43, K::SmallInt},
                  {"AVG_TERM", 'N', 3, 0, 46, K::SmallInt},
                  {"WGT_AMT", 'N', 1, 0, 49, K::SmallInt},
                  {"WGT_COL", 'N', 1, 0, 50, K::SmallInt},
                  {"WGT_DTI", 'N', 1, 0, 51, K::SmallInt},
                  {"WGT_FEE", 'N', 1, 0, 52, K::SmallInt},
                  {"WGT_GUT", 'N', 1, 0, 53, K::SmallInt},
                  {"WGT_HB", 'N', 1, 0, 54, K::SmallInt},
                  {"WGT_LTV", 'N', 1, 0, 55, K::SmallInt},
                  {"WGT_RATE", 'N', 1, 0, 56, K::SmallInt},
                  {"WGT_SCORE", 'N', 1, 0, 57, K::SmallInt},
                  {"WGT_TERM", 'N', 1, 0, 58, K::SmallInt},
                  {"RESULT", 'N', 4, 1, 59, K::Float}},
                 63);
}

TEST(FieldDefinitions, BlanksCaseAndKindsOfNumeric)
{
    const auto defs = parseFieldDefinitions("  amt,numeric,5,0;big , NUMERIC , 4 , 1 ; d,date;");
    ASSERT_EQ(defs.size(), 3u);
    EXPECT_EQ(defs[0].name, "AMT");
    EXPECT_EQ(fieldKind(defs[0]), FieldKind::Float);  // width 5 is past the small whole numbers
    EXPECT_EQ(fieldKind(defs[1]), FieldKind::Float);  // decimals make it a float
    EXPECT_EQ(defs[2].type, 'D');
    EXPECT_EQ(defs[2].width, 8);
}

struct BadDefinition
{
    const char *name;
    const char *text;
};

class BadFieldDefinitions : public testing::TestWithParam<BadDefinition>
{
};

TEST_P(BadFieldDefinitions, AreRefused)
{
    EXPECT_THROW(parseFieldDefinitions(GetParam().text), AppError);
}

INSTANTIATE_TEST_SUITE_P(
    Grammar, BadFieldDefinitions,
    testing::Values(
        BadDefinition{"empty_text", ""}, BadDefinition{"entry_without_semicolon", "A, Char, 4"},
        BadDefinition{"unknown_type", "A, Memo, 4;"}, BadDefinition{"date_with_width", "D, Date, 8;"},
        BadDefinition{"char_without_width", "A, Char;"}, BadDefinition{"numeric_without_decimals", "N, Numeric, 12;"},
        BadDefinition{"name_longer_than_ten", "ABCDEFGHIJK, Char, 4;"},
        BadDefinition{"name_with_a_blank", "A B, Char, 4;"},
        BadDefinition{"name_starting_with_a_digit", "1A, Char, 4;"},
        BadDefinition{"decimals_leave_no_room_for_the_point", "N, Numeric, 3, 2;"},
        BadDefinition{"numeric_wider_than_twenty", "N, Numeric, 21, 2;"},
        BadDefinition{"char_of_width_zero", "A, Char, 0;"}, BadDefinition{"width_not_a_number", "A, Char, four;"},
        BadDefinition{"duplicate_name", "A, Char, 4; a, Date;"}, BadDefinition{"extra_item", "A, Char, 4, 1;"},
        BadDefinition{"text_after_the_last_entry", "A, Char, 4; B"}),
    [](const testing::TestParamInfo<BadDefinition> &info) { return std::string(info.param.name); });

}  // namespace
