#include "builtins_test_support.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace orvex::engine {
namespace {

using test::B;
using test::Call;
using test::D;
using test::Eval;
using test::F;
using test::I;
using test::S;
using test::TCallCase;
using test::TOutcomeCase;

class ConversionCall : public testing::TestWithParam<TCallCase> {};

TEST_P(ConversionCall, GivesValueOrError) {
    EXPECT_EQ(Call(GetParam().name, GetParam().args), GetParam().outcome);
}

INSTANTIATE_TEST_SUITE_P(
    Integers, ConversionCall,
    testing::Values(
        TCallCase{"inttostr", {I(-42)}, "S:-42"},
        TCallCase{
            "inttostr", {I(std::numeric_limits<std::int64_t>::min())}, "S:-9223372036854775808"},
        TCallCase{"strtoint", {S("123")}, "I:123"}, TCallCase{"strtoint", {S(" -7 ")}, "I:-7"},
        TCallCase{"strtoint", {S("$FF")}, "I:255"},
        TCallCase{"strtoint", {S("-2147483648")}, "I:-2147483648"},
        TCallCase{"strtoint", {S("2147483648")}, "E:'2147483648' is not an integer value"},
        TCallCase{"strtoint", {S("1.5")}, "E:'1.5' is not an integer value"},
        TCallCase{"strtoint", {S("")}, "E:'' is not an integer value"},
        TCallCase{"strtointdef", {S("12"), I(5)}, "I:12"},
        TCallCase{"strtointdef", {S("x"), I(5)}, "I:5"},
        TCallCase{"strtointdef", {S("2147483648"), I(-1)}, "I:-1"}));

INSTANTIATE_TEST_SUITE_P(
    Floats, ConversionCall,
    testing::Values(TCallCase{"floattostr", {F(2.5)}, "S:2.5"},
                    TCallCase{"floattostr", {F(1.0 / 3)}, "S:0.333333333333333"},
                    TCallCase{"floattostr", {F(1e20)}, "S:1E20"},
                    TCallCase{"floattostr", {I(3)}, "S:3"},
                    TCallCase{"strtofloat", {S("2.5")}, "F:2.5"},
                    TCallCase{"strtofloat", {S("-1e3")}, "F:-1000"},
                    TCallCase{"strtofloat", {S("x")}, "E:'x' is not a valid floating point value"},
                    TCallCase{"strtofloatdef", {S("x"), F(1.5)}, "F:1.5"},
                    TCallCase{"strtofloatdef", {S("0.25"), F(1.5)}, "F:0.25"},
                    TCallCase{"formatfloat", {S("0.00"), F(2.5)}, "S:2.50"},
                    TCallCase{"formatfloat", {S("#,##0.#"), F(1234.56)}, "S:1,234.6"},
                    TCallCase{"formatfloat", {S("0.00E+00"), F(12345)}, "S:1.23E+04"},
                    TCallCase{"formatfloat", {S("0;0;0;0;0"), F(1)}, "E:Invalid float format"}));

// Booleans are written as "-1" and "0"; they are read from "true" and
// "false" in any letter case or from a number, which is true when it is not
// zero. The error names the text.
INSTANTIATE_TEST_SUITE_P(
    Booleans, ConversionCall,
    testing::Values(
        TCallCase{"booltostr", {B(true)}, "S:-1"}, TCallCase{"booltostr", {B(false)}, "S:0"},
        TCallCase{"strtobool", {S("TRUE")}, "B:true"},
        TCallCase{"strtobool", {S("False")}, "B:false"},
        TCallCase{"strtobool", {S(" true ")}, "B:true"},
        TCallCase{"strtobool", {S("-1")}, "B:true"}, TCallCase{"strtobool", {S("0")}, "B:false"},
        TCallCase{"strtobool", {S("2.5")}, "B:true"}, TCallCase{"strtobool", {S("0.0")}, "B:false"},
        TCallCase{"strtobool", {S("yes")}, "E:'yes' is not a valid boolean value"},
        TCallCase{"strtobool", {S("")}, "E:'' is not a valid boolean value"},
        TCallCase{"strtobool", {S("truex")}, "E:'truex' is not a valid boolean value"},
        TCallCase{"strtobooldef", {S("yes"), B(true)}, "B:true"},
        TCallCase{"strtobooldef", {S("false"), B(true)}, "B:false"}));

INSTANTIATE_TEST_SUITE_P(
    Dates, ConversionCall,
    testing::Values(TCallCase{"formatdatetime",
                              {S("yyyy-mm-dd hh:nn:ss.zzz"), D(45351.75)},
                              "S:2024-02-29 18:00:00.000"},
                    TCallCase{
                        "formatdatetime", {S("dddd d mmmm"), D(45351)}, "S:Thursday 29 February"},
                    TCallCase{"strtodate", {S("x")}, "E:'x' is not a valid date"},
                    TCallCase{"strtotime", {S("25:00")}, "E:'25:00' is not a valid time"},
                    TCallCase{"strtodatetime", {S("x")}, "E:'x' is not a valid date and time"},
                    TCallCase{"strtotime", {S("18:00")}, "D:0.75"},
                    TCallCase{"strtodatedef", {S("x"), D(1.5)}, "D:1.5"},
                    TCallCase{"strtotimedef", {S("x"), I(2)}, "D:2"},
                    TCallCase{"strtodatetimedef", {S("x"), D(-1)}, "D:-1"},
                    TCallCase{"strtotimedef", {S("06:00"), D(-1)}, "D:0.25"}));

class ConversionExpression : public testing::TestWithParam<TOutcomeCase> {};

TEST_P(ConversionExpression, EvaluatesThroughTheParser) {
    EXPECT_EQ(Eval(GetParam().text), GetParam().outcome);
}

// The locale's own date and time texts read back to the same value.
INSTANTIATE_TEST_SUITE_P(
    Calls, ConversionExpression,
    testing::Values(
        TOutcomeCase{"booltostr(true)", "S:-1"}, TOutcomeCase{"booltostr(1 > 2)", "S:0"},
        TOutcomeCase{"strtoint('12') + 1", "I:13"}, TOutcomeCase{"inttostr(6 * 7) + '!'", "S:42!"},
        TOutcomeCase{"formatfloat('0.00', 2)", "S:2.00"},
        TOutcomeCase{"strtofloat(floattostr(0.1)) = 0.1", "B:true"},
        TOutcomeCase{"strtobool(booltostr(true))", "B:true"},
        TOutcomeCase{"strtodate(datetostr(45351)) = 45351", "B:true"},
        TOutcomeCase{"strtotime(timetostr(0.75)) = 0.75", "B:true"},
        TOutcomeCase{"strtodatetime(datetostr(45351) + ' ' + timetostr(0.75))", "D:45351.75"},
        TOutcomeCase{"strtoint('x')", "E:'x' is not an integer value"},
        TOutcomeCase{"inttostr(1.5)",
                     "E:Invalid type for argument 1: Expected rtInteger, got rtFloat"}));

} // namespace
} // namespace orvex::engine
