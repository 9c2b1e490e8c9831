#include "builtins_test_support.h"

#include <gtest/gtest.h>

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

class BooleanCall : public testing::TestWithParam<TCallCase> {};

TEST_P(BooleanCall, GivesValue) {
    EXPECT_EQ(Call(GetParam().name, GetParam().args), GetParam().outcome);
}

// All 64 bits take part, the count is taken modulo 64 and shr fills with
// zero bits.
INSTANTIATE_TEST_SUITE_P(Shifts, BooleanCall,
                         testing::Values(TCallCase{"shl", {I(1), I(3)}, "I:8"},
                                         TCallCase{"shl", {I(1), I(64)}, "I:1"},
                                         TCallCase{"shl", {I(1), I(65)}, "I:2"},
                                         TCallCase{"shl", {I(1), I(63)}, "I:-9223372036854775808"},
                                         TCallCase{"shl", {I(3), I(63)}, "I:-9223372036854775808"},
                                         TCallCase{"shl", {I(1), I(-1)}, "I:-9223372036854775808"},
                                         TCallCase{"shl", {I(-1), I(0)}, "I:-1"},
                                         TCallCase{"shr", {I(-8), I(1)}, "I:9223372036854775804"},
                                         TCallCase{"shr", {I(-1), I(60)}, "I:15"},
                                         TCallCase{"shr", {I(-1), I(64)}, "I:-1"},
                                         TCallCase{"shr", {I(16), I(68)}, "I:1"},
                                         TCallCase{"shr", {I(1), I(1)}, "I:0"}));

// The choice reads the chosen argument only, at its value whatever type a
// nested call hands over.
INSTANTIATE_TEST_SUITE_P(Choices, BooleanCall,
                         testing::Values(TCallCase{"IFS", {B(true), S("yes"), S("no")}, "S:yes"},
                                         TCallCase{"IFS", {B(false), S("yes"), S("no")}, "S:no"},
                                         TCallCase{"IFF", {B(true), F(1.5), F(2.5)}, "F:1.5"},
                                         TCallCase{"IFF", {B(false), F(1.5), F(2.5)}, "F:2.5"},
                                         TCallCase{"IFF", {B(false), I(1), I(2)}, "F:2"},
                                         TCallCase{"IFF", {B(true), C(15000), F(0)}, "F:1.5"},
                                         TCallCase{"IFD", {B(true), D(45351.5), D(0)}, "D:45351.5"},
                                         TCallCase{"IFD", {B(false), D(0), I(7)}, "D:7"},
                                         TCallCase{"IFI", {B(true), I(1), I(2)}, "I:1"},
                                         TCallCase{"IFI", {B(false), I(1), I(2)}, "I:2"},
                                         TCallCase{"IFI", {B(false), F(1e300), I(2)}, "I:2"},
                                         TCallCase{"IFI", {B(true), F(-2.5), I(2)}, "I:-2"},
                                         TCallCase{"IFS", {B(true), I(5), S("no")}, "S:"},
                                         // A condition that is not a boolean holds when it is not
                                         // zero (or, for a text, not empty).
                                         TCallCase{"IFI", {I(256), I(1), I(2)}, "I:1"},
                                         TCallCase{"IFI", {I(0), I(1), I(2)}, "I:2"},
                                         TCallCase{"IFI", {F(0.5), I(1), I(2)}, "I:1"},
                                         TCallCase{"IFI", {S(""), I(1), I(2)}, "I:2"}));

class BooleanExpression : public testing::TestWithParam<TOutcomeCase> {};

TEST_P(BooleanExpression, EvaluatesThroughTheParser) {
    EXPECT_EQ(Eval(GetParam().text), GetParam().outcome);
}

// As the whole expression each argument is converted to its declared type
// where a conversion exists; nested, the integers of IFF still count at
// their value.
INSTANTIATE_TEST_SUITE_P(
    Calls, BooleanExpression,
    testing::Values(
        TOutcomeCase{"shl(1, 3)", "I:8"}, TOutcomeCase{"shl(1, 65)", "I:2"},
        TOutcomeCase{"shr(-8, 1)", "I:9223372036854775804"},
        TOutcomeCase{"shr(-1, 60) + 1", "I:16"}, TOutcomeCase{"IFF(true, 1, 2)", "F:1"},
        TOutcomeCase{"IFF(1 > 2, 1, 2) + 1", "F:3"}, TOutcomeCase{"IFF(true, 1, 2) + 0.5", "F:1.5"},
        TOutcomeCase{"IFI(1 < 2, 10, 20) * 2", "I:20"},
        TOutcomeCase{"IFS(true, 'yes', 'no')", "S:yes"},
        TOutcomeCase{"ifs(false, 'yes', 'no') + '!'", "S:no!"},
        TOutcomeCase{"IFD(false, 1.5, 2)", "D:2"},
        TOutcomeCase{"IFI(true, 1, 1 div 0)", "E:rtInteger division by zero"},
        TOutcomeCase{"IFI(true, 1.5, 2)",
                     "E:Invalid type for argument 2: Expected rtInteger, got rtFloat"},
        TOutcomeCase{"IFS(1, 'a', 'b')",
                     "E:Invalid type for argument 1: Expected rtBoolean, got rtInteger"},
        TOutcomeCase{"shl(1.5, 1)",
                     "E:Invalid type for argument 1: Expected rtInteger, got rtFloat"}));

} // namespace
} // namespace orvex::engine
