// The built binary at the platform's limits: what the operating system hands
// over (one argument as long as it allows, tens of thousands of arguments),
// what it takes back (a hundred thousand decimals on standard output, the
// exit code of a refused nesting), and the nesting the real main thread's
// stack must carry.
#include "frontend/exit_codes.h"
#include "limit_inputs.h"
#include "subprocess.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvex::limits {
namespace {

using testsupport::ProcessResult;

// The program's streams are in text mode on Windows, where each line end
// arrives as CR LF.
#ifdef _WIN32
const std::string kLineEnd = "\r\n";
#else
const std::string kLineEnd = "\n";
#endif

ProcessResult RunBinary(const std::vector<std::string>& arguments) {
    std::vector<std::string> commandLine{ORVEX_LIMITS_BINARY};
    commandLine.insert(commandLine.end(), arguments.begin(), arguments.end());
    return testsupport::RunProcess(ORVEX_LIMITS_BINARY, commandLine);
}

void ExpectResult(const ProcessResult& result, const std::string& out) {
    EXPECT_FALSE(result.terminatedBySignal);
    EXPECT_EQ(result.exitCode, frontend::kExitSuccess);
    EXPECT_EQ(result.standardError, "");
    EXPECT_EQ(result.standardOutput.size(), out.size());
    EXPECT_TRUE(result.standardOutput == out) << result.standardOutput.substr(0, 200);
}

TEST(Binary, TakesTheLongestArgument) {
    const TFlatSum sum = FlatSum(kLongArgumentBytes);
    ExpectResult(RunBinary({sum.Text}), std::to_string(sum.Value) + kLineEnd);
}

TEST(Binary, TakesTensOfThousandsOfArguments) {
#ifdef _WIN32
    constexpr int kCount = 10000; // two characters each on a 32,767-character line
#else
    constexpr int kCount = 50000;
#endif
    ExpectResult(RunBinary(OneCharacterArguments(kCount)), std::to_string(kCount / 2) + kLineEnd);
}

TEST(Binary, WritesAHundredThousandDecimals) {
    ExpectResult(RunBinary({"2/3", "-d:100000"}),
                 "0.6666666666666666" + std::string(100000 - 16, '0') + kLineEnd);
}

// The deepest nesting of the costliest constructs runs on the process's own
// main thread.
TEST(Binary, CarriesTheDeepestNesting) {
    for (const std::string& expression :
         {Nested(kNestingLimit, "(", ")"), Nested(kNestingLimit, "1+abs(", ")"),
          Nested(kNestingLimit, "if(true,", ",0)"), Repeated("1^-", kNestingLimit) + "1"}) {
        const ProcessResult result = RunBinary({expression});
        EXPECT_FALSE(result.terminatedBySignal);
        EXPECT_EQ(result.exitCode, frontend::kExitSuccess) << result.standardError.substr(0, 200);
        EXPECT_FALSE(result.standardOutput.empty());
    }
}

TEST(Binary, RefusesOneLevelMoreWithTheEvaluationErrorCode) {
    const ProcessResult result = RunBinary({Nested(kNestingLimit + 1, "(", ")")});
    EXPECT_FALSE(result.terminatedBySignal);
    EXPECT_EQ(result.exitCode, frontend::kExitEvaluationError);
    EXPECT_EQ(result.standardOutput, "");
    EXPECT_TRUE(
        result.standardError.ends_with(kLineEnd + "ERROR!  " + kTooDeep + kLineEnd + kLineEnd));
}

} // namespace
} // namespace orvex::limits
