#include "cmdline/param_number.h"

#include "context_fixture.h"

#include <gtest/gtest.h>

namespace orvex::cmdline {
namespace {

using testing::ContextUnderTest;

struct NumberCase {
    std::string text;
    std::int64_t fallback;
    std::uint64_t expected;
    bool defaulted;
};

class ParamNumberTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(ParamNumberTest, ReadsTheDocumentedForms) {
    const NumberCase& c = GetParam();
    ContextUnderTest run({});
    run.context.NumberDefaulted = !c.defaulted;
    EXPECT_EQ(ParamNumber(run.context, c.text, c.fallback), c.expected) << '"' << c.text << '"';
    EXPECT_EQ(run.context.NumberDefaulted, c.defaulted) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Table, ParamNumberTest,
    ::testing::Values(NumberCase{"4", 2, 4, false}, NumberCase{"2", 2, 2, true},
                      NumberCase{"1,000.9", 7, 1000, false}, NumberCase{"1.999", 7, 1, false},
                      NumberCase{".5", 7, 7, true}, NumberCase{"$10", 7, 16, false},
                      NumberCase{"0x10", 7, 16, false}, NumberCase{"0X1f", 7, 31, false},
                      NumberCase{"x10", 7, 16, false}, NumberCase{"X10", 7, 16, false},
                      NumberCase{"%101", 7, 5, false}, NumberCase{"&17", 7, 15, false},
                      NumberCase{"%102", 7, 7, true}, NumberCase{"&8", 7, 7, true},
                      NumberCase{"$", 7, 7, true}, NumberCase{"0x", 7, 7, true},
                      NumberCase{" \t+12", 7, 12, false}, NumberCase{"+$ff", 7, 255, false},
                      NumberCase{"12 ", 7, 7, true}, NumberCase{"+", 7, 7, true},
                      NumberCase{"-5", 2, 2, true}, NumberCase{"abc", 2, 2, true},
                      NumberCase{"", 2, 2, true}, NumberCase{"2+3", 2, 2, true},
                      NumberCase{"++1", 2, 2, true}, NumberCase{"1,2,3", 2, 123, false},
                      NumberCase{"18446744073709551615", 0, 18446744073709551615ULL, false},
                      NumberCase{"18446744073709551616", 3, 3, true},
                      NumberCase{"$FFFFFFFFFFFFFFFF", 0, 18446744073709551615ULL, false},
                      NumberCase{"5", -1, 5, false},
                      NumberCase{"z", -1, 18446744073709551615ULL, true},
                      NumberCase{std::string(255, '0'), 9, 0, false},
                      NumberCase{std::string(256, '0'), 9, 9, true}));

} // namespace
} // namespace orvex::cmdline
