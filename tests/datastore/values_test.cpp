#include "testsupport.h"

#include "calcutils/numbertext.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

// Both layouts created and open; a row writes one value into a new record,
// posts it and reads the field's bytes back from the file.
class TableValues : public testing::Test
{
protected:
    void SetUp() override
    {
        setShortDateFormat("MM/dd/yyyy", '/');
        numberSeparators() = NumberSeparators{};
        amort.createTable(kAmortFieldDefinitions);
        pref.createTable(kPrefFieldDefinitions);
        amort.open();
        pref.open();
    }

    TTable &tableOf(const std::string &name) { return pref.findField(name) ? pref : amort; }

    // The text of the field in the last record of its file.
    std::string fileText(const std::string &name)
    {
        TTable &table = tableOf(name);
        std::size_t offset = 1;
        int width = 0;
        for (TField *f : table.fields()) {
            if (f->name() == name) {
                width = f->width();
                break;
            }
            offset += static_cast<std::size_t>(f->width());
        }
        const std::string record =
            recordText(readBytes(table.fileName()), static_cast<std::size_t>(table.recordCount() - 1));
        return record.substr(offset, static_cast<std::size_t>(width));
    }

    // Writes into a new record and posts it; the message of a refused write,
    // empty when the write was taken.
    std::string writeAndPost(const std::string &name, const std::function<void(TField &)> &write)
    {
        TTable &table = tableOf(name);
        table.insert();
        std::string message;
        try {
            write(table.fieldByName(name));
        } catch (const AppError &e) {
            message = e.what();
        }
        table.post();
        return message;
    }

    TempDir dir;
    TTable amort{dir.file("TEMPAMORT.DBF")};
    TTable pref{dir.file("ZIVORODI.DBF")};
};

struct FloatRow
{
    const char *name;
    const char *field;
    double value;
    const char *stored;  // the field's text in the file
};

class FloatWrites : public TableValues, public testing::WithParamInterface<FloatRow>
{
};

TEST_P(FloatWrites, StoreFixedPointText)
{
    const FloatRow &row = GetParam();
    EXPECT_EQ(writeAndPost(row.field, [&](TField &f) { f.setAsFloat(row.value); }), "");
    EXPECT_EQ(fileText(row.field), row.stored);
}

// The 18-digit expansions beside the rows are those of printf("%.17e").
INSTANTIATE_TEST_SUITE_P(
    Rounding, FloatWrites,
    testing::Values(FloatRow{"largest_amount_fits", "N_FLD2", 999999999.99, "999999999.99"},
                    FloatRow{"smallest_amount_fits", "N_FLD5", -99999999.99, "-99999999.99"},
                    FloatRow{"payment_number_one", "N_FLD1", 1, "        1.00"},
                    // 2.67499999999999982: below the half, so 2.67.
                    FloatRow{"binary_below_half_2_675", "N_FLD3", 2.675, "        2.67"},
                    FloatRow{"negative_binary_below_half", "N_FLD5", -2.675, "       -2.67"},
                    // 1.11499999999999999: 18 digits see it below the half, 15 would not.
                    FloatRow{"eighteen_digits_decide_1_115", "AVG_FEE", 1.115, " 1.11"},
                    // 0.125 is exact: a true half goes away from zero.
                    FloatRow{"exact_half_away_from_zero", "N_FLD4", 0.125, "        0.13"},
                    FloatRow{"negative_exact_half_away_from_zero", "N_FLD4", -0.125, "       -0.13"},
                    // 8.34500000000000064: above the half.
                    FloatRow{"binary_above_half_8_345", "N_FLD2", 8.345, "        8.35"},
                    FloatRow{"tiny_negative_shows_no_sign", "N_FLD5", -0.001, "        0.00"},
                    FloatRow{"whole_amount_half_away", "AVG_AMT", 100000.5, "        100001"},
                    // 12.0005000000000006: above the half at the third decimal.
                    FloatRow{"rate_three_decimals", "AVG_RATE", 12.0005, " 12.001"},
                    // 5.04999999999999982 keeps 5.0.
                    FloatRow{"score_one_decimal", "RESULT", 5.05, " 5.0"}, FloatRow{"score_ten", "RESULT", 10, "10.0"}),
    [](const testing::TestParamInfo<FloatRow> &info) { return std::string(info.param.name); });

struct RangeRow
{
    const char *name;
    const char *field;
    double value;
};

class OutOfRangeWrites : public TableValues, public testing::WithParamInterface<RangeRow>
{
};

TEST_P(OutOfRangeWrites, AreRefusedAndKeepTheValue)
{
    const RangeRow &row = GetParam();
    const std::string message = writeAndPost(row.field, [&](TField &f) {
        f.setAsFloat(1);
        f.setAsFloat(row.value);
    });
    EXPECT_EQ(message, "Numeric out of range.");
    EXPECT_EQ(tableOf(row.field).fieldByName(row.field).asFloat(), 1.0);
    EXPECT_EQ(std::stod(fileText(row.field)), 1.0);
}

INSTANTIATE_TEST_SUITE_P(Widths, OutOfRangeWrites,
                         testing::Values(RangeRow{"one_billion_is_too_wide", "N_FLD1", 1000000000.00},
                                         RangeRow{"minus_hundred_million_is_too_wide", "N_FLD5", -100000000.00},
                                         RangeRow{"weight_ten", "WGT_AMT", 10},
                                         RangeRow{"negative_weight", "WGT_HB", -1},
                                         RangeRow{"term_of_four_digits", "AVG_TERM", 1000},
                                         RangeRow{"score_rounding_up_to_a_hundred", "RESULT", 99.95},
                                         RangeRow{"value_needing_an_exponent", "AVG_AMT", 1e300},
                                         RangeRow{"infinity", "N_FLD2", std::numeric_limits<double>::infinity()},
                                         RangeRow{"not_a_number", "N_FLD2", std::numeric_limits<double>::quiet_NaN()}),
                         [](const testing::TestParamInfo<RangeRow> &info) { return std::string(info.param.name); });

struct WholeRow
{
    const char *name;
    const char *field;
    double value;
    int reads;
};

class WholeNumberWrites : public TableValues, public testing::WithParamInterface<WholeRow>
{
};

TEST_P(WholeNumberWrites, RoundHalvesToEven)
{
    const WholeRow &row = GetParam();
    EXPECT_EQ(writeAndPost(row.field, [&](TField &f) { f.setAsFloat(row.value); }), "");
    EXPECT_EQ(pref.fieldByName(row.field).asInteger(), row.reads);
    EXPECT_EQ(std::stoi(fileText(row.field)), row.reads);
}

INSTANTIATE_TEST_SUITE_P(Ties, WholeNumberWrites,
                         testing::Values(WholeRow{"term_2_5_stores_2", "AVG_TERM", 2.5, 2},
                                         WholeRow{"term_3_5_stores_4", "AVG_TERM", 3.5, 4},
                                         WholeRow{"term_359_5_stores_360", "AVG_TERM", 359.5, 360},
                                         WholeRow{"minus_half_stores_0", "AVG_DTI", -0.5, 0},
                                         WholeRow{"weight_4_4_stores_4", "WGT_AMT", 4.4, 4},
                                         WholeRow{"score_of_three_digits", "AVG_SCORE", 999, 999},
                                         WholeRow{"negative_fills_the_width", "AVG_LTV", -99, -99}),
                         [](const testing::TestParamInfo<WholeRow> &info) { return std::string(info.param.name); });

struct TextRow
{
    const char *name;
    const char *field;
    const char *text;
    const char *stored;   // the field's text in the file
    const char *message;  // empty when the write is taken
};

class TextWrites : public TableValues, public testing::WithParamInterface<TextRow>
{
};

TEST_P(TextWrites, ConvertByTheFieldKind)
{
    const TextRow &row = GetParam();
    EXPECT_EQ(writeAndPost(row.field, [&](TField &f) { f.setAsString(row.text); }), row.message);
    EXPECT_EQ(fileText(row.field), row.stored);
}

INSTANTIATE_TEST_SUITE_P(Conversions, TextWrites,
                         testing::Values(TextRow{"year_text", "C_FLD1", "2024", "2024", ""},
                                         TextRow{"text_cut_to_width", "C_FLD1", "20245", "2024", ""},
                                         TextRow{"text_padded_on_the_right", "LAST_UPD", "1/5/2024", "1/5/2024  ", ""},
                                         TextRow{"fee_text", "AVG_FEE", "1.5", " 1.50", ""},
                                         TextRow{"fee_text_with_blanks", "AVG_FEE", " 2 ", " 2.00", ""},
                                         TextRow{"amount_with_exponent", "AVG_AMT", "1.5E5", "        150000", ""},
                                         TextRow{"term_text", "AVG_TERM", "360", "360", ""},
                                         TextRow{"term_in_hex", "AVG_TERM", "$1F", " 31", ""},
                                         TextRow{"empty_text_clears", "AVG_AMT", "", "              ", ""},
                                         TextRow{"thousands_separator_refused", "AVG_AMT", "12,000", "              ",
                                                 "'12,000' is not a valid floating point value for field 'AVG_AMT'"},
                                         TextRow{"letters_refused", "AVG_RATE", "abc", "       ",
                                                 "'abc' is not a valid floating point value for field 'AVG_RATE'"},
                                         TextRow{"fraction_refused_by_a_whole_number", "AVG_TERM", "2.5", "   ",
                                                 "'2.5' is not a valid integer value for field 'AVG_TERM'"},
                                         TextRow{"too_wide_text_number", "WGT_AMT", "10", " ", "Numeric out of range."},
                                         TextRow{"date_text", "D_FLD1", "01/15/2024", "20240115", ""}),
                         [](const testing::TestParamInfo<TextRow> &info) { return std::string(info.param.name); });

TEST_F(TableValues, CurrencyIsWrittenAsTheEqualReal)
{
    EXPECT_EQ(writeAndPost("N_FLD2", [](TField &f) { f.setAsCurrency(Currency::fromCount(22244400)); }), "");
    EXPECT_EQ(fileText("N_FLD2"), "     2224.44");
    // 2.675 as currency is exact, but its real is the binary 2.67499999...
    EXPECT_EQ(writeAndPost("N_FLD3", [](TField &f) { f.setAsCurrency(Currency::fromCount(26750)); }), "");
    EXPECT_EQ(fileText("N_FLD3"), "        2.67");
}

TEST_F(TableValues, DateKeepsTheCalendarDayOnly)
{
    const TDateTime day = EncodeDate(2024, 1, 15);
    EXPECT_EQ(writeAndPost("D_FLD1", [&](TField &f) { f.setAsDate(day + 0.75); }), "");
    EXPECT_EQ(fileText("D_FLD1"), "20240115");
    TField &date = amort.fieldByName("D_FLD1");
    EXPECT_EQ(date.asDate(), day);
    EXPECT_EQ(date.displayText(), "01/15/2024");
    EXPECT_EQ(date.asString(), "01/15/2024");
}

TEST_F(TableValues, BlankFieldsReadAsZero)
{
    pref.insert();
    pref.fieldByName("LAST_UPD").setAsString("01/15/2024");
    pref.post();
    for (const char *name : {"AVG_AMT", "AVG_TERM", "WGT_AMT", "RESULT"}) {
        SCOPED_TRACE(name);
        TField &f = pref.fieldByName(name);
        EXPECT_TRUE(f.isNull());
        EXPECT_EQ(f.asFloat(), 0.0);
        EXPECT_EQ(f.asInteger(), 0);
        EXPECT_EQ(f.displayText(), "");
    }
    EXPECT_EQ(amort.fieldByName("D_FLD1").asDate(), 0.0);
}

struct DisplayRow
{
    const char *name;
    const char *field;
    double value;
    const char *format;
    const char *shown;
};

class DisplayTexts : public TableValues, public testing::WithParamInterface<DisplayRow>
{
};

TEST_P(DisplayTexts, FollowTheFormat)
{
    const DisplayRow &row = GetParam();
    writeAndPost(row.field, [&](TField &f) { f.setAsFloat(row.value); });
    TField &f = tableOf(row.field).fieldByName(row.field);
    f.setDisplayFormat(row.format);
    EXPECT_EQ(f.displayText(), row.shown);
}

INSTANTIATE_TEST_SUITE_P(Formats, DisplayTexts,
                         testing::Values(DisplayRow{"rate_with_pattern", "AVG_RATE", 12.5, "##0.000", "12.500"},
                                         DisplayRow{"term_with_pattern", "AVG_TERM", 360, "##0", "360"},
                                         DisplayRow{"amount_with_pattern", "AVG_AMT", 100000, "##0", "100000"},
                                         DisplayRow{"payment_number_general", "N_FLD1", 1, "", "1"},
                                         DisplayRow{"amount_general", "N_FLD2", 1234.5, "", "1234.5"},
                                         DisplayRow{"negative_balance_general", "N_FLD5", -0.25, "", "-0.25"}),
                         [](const testing::TestParamInfo<DisplayRow> &info) { return std::string(info.param.name); });

TEST_F(TableValues, FieldsByNameIgnoreCase)
{
    EXPECT_EQ(&pref.fieldByName("avg_amt"), &pref.fieldByName("AVG_AMT"));
    EXPECT_EQ(pref.findField("Nope"), nullptr);
    try {
        pref.fieldByName("Nope");
        FAIL() << "no error";
    } catch (const AppError &e) {
        EXPECT_STREQ(e.what(), "Field 'Nope' not found");
    }
}

TEST_F(TableValues, ClosedTableHasNoFields)
{
    pref.close();
    EXPECT_EQ(pref.findField("AVG_AMT"), nullptr);
    try {
        pref.fieldByName("AVG_AMT");
        FAIL() << "no error";
    } catch (const AppError &e) {
        EXPECT_STREQ(e.what(), "Field 'AVG_AMT' not found");
    }
}

TEST_F(TableValues, WritesNeedEditOrInsert)
{
    EXPECT_THROW(pref.fieldByName("AVG_AMT").setAsFloat(1), AppError);
    EXPECT_THROW(pref.post(), AppError);
}

}  // namespace
