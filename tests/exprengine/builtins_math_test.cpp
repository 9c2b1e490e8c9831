#include "builtins_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace orvex::engine {
namespace {

using test::B;
using test::C;
using test::Call;
using test::D;
using test::Eval;
using test::F;
using test::I;
using test::S;
using test::TCallCase;
using test::TOutcomeCase;

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();

class MathCall : public testing::TestWithParam<TCallCase> {};

TEST_P(MathCall, GivesValueOrFault) {
    EXPECT_EQ(Call(GetParam().name, GetParam().args), GetParam().outcome);
}

// Whole and fractional parts: round halves to even, everything else cuts
// toward zero.
INSTANTIATE_TEST_SUITE_P(
    Parts, MathCall,
    testing::Values(TCallCase{"round", {F(2.5)}, "I:2"}, TCallCase{"round", {F(3.5)}, "I:4"},
                    TCallCase{"round", {F(-0.5)}, "I:0"}, TCallCase{"round", {F(-2.5)}, "I:-2"},
                    TCallCase{"round", {F(-1.5)}, "I:-2"}, TCallCase{"round", {F(2.4999)}, "I:2"},
                    TCallCase{"round", {F(-2.6)}, "I:-3"},
                    TCallCase{"round", {F(4503599627370497.0)}, "I:4503599627370497"},
                    TCallCase{"trunc", {F(-2.7)}, "I:-2"}, TCallCase{"trunc", {F(2.7)}, "I:2"},
                    TCallCase{"int", {F(-2.7)}, "F:-2"}, TCallCase{"int", {F(2.7)}, "F:2"},
                    TCallCase{"frac", {F(2.75)}, "F:0.75"},
                    TCallCase{"frac", {F(-2.75)}, "F:-0.75"}, TCallCase{"frac", {F(1e20)}, "F:0"},
                    TCallCase{"abs", {F(-3.5)}, "F:3.5"}, TCallCase{"abs", {F(-0.0)}, "F:0"},
                    TCallCase{"abs", {F(2.0)}, "F:2"}));

// A nested call hands its argument over in the type its expression has:
// integers and currency amounts count at their value.
INSTANTIATE_TEST_SUITE_P(
    ArgumentTypes, MathCall,
    testing::Values(TCallCase{"abs", {I(-3)}, "F:3"}, TCallCase{"abs", {C(-25000)}, "F:2.5"},
                    TCallCase{"sqr", {I(4)}, "F:16"}, TCallCase{"sqrt", {C(160000)}, "F:4"},
                    TCallCase{"trunc", {C(-27500)}, "I:-2"}, TCallCase{"round", {I(7)}, "I:7"},
                    TCallCase{"int", {D(45351.75)}, "F:45351"}, TCallCase{"frac", {I(-5)}, "F:0"}));

INSTANTIATE_TEST_SUITE_P(
    Powers, MathCall,
    testing::Values(TCallCase{"sqr", {F(-1.5)}, "F:2.25"}, TCallCase{"sqrt", {F(16)}, "F:4"},
                    TCallCase{"sqrt", {F(2.25)}, "F:1.5"}, TCallCase{"exp", {F(0)}, "F:1"},
                    TCallCase{"exp", {F(-1000)}, "F:0"}, TCallCase{"ln", {F(1)}, "F:0"},
                    TCallCase{"log", {F(1)}, "F:0"}, TCallCase{"cos", {F(0)}, "F:1"},
                    TCallCase{"sin", {F(0)}, "F:0"}, TCallCase{"arctan", {F(0)}, "F:0"}));

// Faults are raised explicitly instead of producing NaN or infinity.
INSTANTIATE_TEST_SUITE_P(
    Faults, MathCall,
    testing::Values(TCallCase{"sqrt", {F(-1)}, "E:Invalid floating point operation"},
                    TCallCase{"ln", {F(-1)}, "E:Invalid floating point operation"},
                    TCallCase{"log", {F(-1)}, "E:Invalid floating point operation"},
                    TCallCase{"ln", {F(0)}, "E:Floating point division by zero"},
                    TCallCase{"ln", {I(0)}, "E:Floating point division by zero"},
                    TCallCase{"log", {F(0)}, "E:Floating point division by zero"},
                    TCallCase{"exp", {F(1000)}, "E:Floating point overflow"},
                    TCallCase{"sqr", {F(1e200)}, "E:Floating point overflow"},
                    TCallCase{"round", {F(1e300)}, "E:Invalid floating point operation"},
                    TCallCase{"round", {F(-1e300)}, "E:Invalid floating point operation"},
                    TCallCase{
                        "round", {F(9223372036854775808.0)}, "E:Invalid floating point operation"},
                    TCallCase{"round", {F(-9223372036854775808.0)}, "I:-9223372036854775808"},
                    TCallCase{"round", {F(NaN)}, "E:Invalid floating point operation"},
                    TCallCase{"trunc", {F(1e300)}, "E:Invalid floating point operation"},
                    TCallCase{"trunc", {F(-Inf)}, "E:Invalid floating point operation"},
                    TCallCase{"cos", {F(Inf)}, "E:Invalid floating point operation"},
                    TCallCase{"frac", {F(Inf)}, "E:Invalid floating point operation"}));

TEST(MathFunctions, TranscendentalValues) {
    const auto value = [](std::string_view name, double x) {
        const std::string shown = Call(name, {F(x)});
        EXPECT_EQ(shown.substr(0, 2), "F:") << name << " " << shown;
        return std::stod(shown.substr(2));
    };
    EXPECT_NEAR(value("log", 1000), 3.0, 1e-15);
    EXPECT_NEAR(value("log", 205.75), 2.3133398, 1e-7);
    EXPECT_NEAR(value("ln", std::exp(1.0)), 1.0, 1e-15);
    EXPECT_NEAR(value("exp", 2.0575), 7.8263794, 1e-7);
    EXPECT_NEAR(value("arctan", 1) * 4, 3.141592653589793, 1e-15);
    EXPECT_NEAR(value("sin", 3.141592653589793 / 6), 0.5, 1e-15);
    EXPECT_NEAR(value("cos", 3.141592653589793 / 3), 0.5, 1e-15);
    // Huge arguments are no fault for the trigonometric functions.
    EXPECT_LE(std::fabs(value("cos", 1e300)), 1.0);
    EXPECT_LE(std::fabs(value("sin", -1e300)), 1.0);
}

class MathExpression : public testing::TestWithParam<TOutcomeCase> {};

TEST_P(MathExpression, EvaluatesThroughTheParser) {
    EXPECT_EQ(Eval(GetParam().text), GetParam().outcome);
}

// As the whole expression a call's integer argument is converted to float by
// the argument check; nested deeper it arrives as an integer.
INSTANTIATE_TEST_SUITE_P(
    RootAndNested, MathExpression,
    testing::Values(TOutcomeCase{"abs(-3)", "F:3"}, TOutcomeCase{"abs(-3) + 1", "F:4"},
                    TOutcomeCase{"1 + abs(round(-2.5))", "F:3"}, TOutcomeCase{"round(-0.5)", "I:0"},
                    TOutcomeCase{"round(3.5) + 1", "I:5"}, TOutcomeCase{"int(-2.7)", "F:-2"},
                    TOutcomeCase{"sqrt(16) + round(2.5)", "F:6"},
                    TOutcomeCase{"42 - sqr(7)", "F:-7"}, TOutcomeCase{"sqrt(10000) ^ 0.5", "F:10"},
                    TOutcomeCase{"pi * 2", "F:6.283185307179586"},
                    TOutcomeCase{"sin(pi / 2)", "F:1"}, TOutcomeCase{"ROUND(2.5)", "I:2"}));

INSTANTIATE_TEST_SUITE_P(
    Faults, MathExpression,
    testing::Values(
        TOutcomeCase{"sqrt(-1)", "E:Invalid floating point operation"},
        TOutcomeCase{"ln(0)", "E:Floating point division by zero"},
        TOutcomeCase{"log(0) + 1", "E:Floating point division by zero"},
        TOutcomeCase{"exp(1000)", "E:Floating point overflow"},
        TOutcomeCase{"round(1e300)", "E:Invalid floating point operation"},
        TOutcomeCase{"abs('x')", "E:Invalid type for argument 1: Expected rtFloat, got rtString"},
        TOutcomeCase{"round(true)",
                     "E:Invalid type for argument 1: Expected rtFloat, got rtBoolean"}));

} // namespace
} // namespace orvex::engine
