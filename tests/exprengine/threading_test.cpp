// The threading contract: one parser per thread, any number of threads, the
// shared built-in registry read by all of them and changed by none. Run under
// ThreadSanitizer by the tsan preset.
#include "exprengine/builtin_manager.h"
#include "exprengine/errors.h"
#include "exprengine/parser.h"
#include "formatting/error.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

namespace orvex::engine {
namespace {

constexpr int kThreads = 8;
// The AddressSanitizer build, many times slower, takes a fifth of the rounds;
// the ThreadSanitizer build, which this test is for, takes them all.
#if defined(__SANITIZE_ADDRESS__)
constexpr int kRounds = 2000;
#else
constexpr int kRounds = 10000;
#endif

// Texts over every kind of built-in the registry holds, variables, "if",
// "case", conversions and an error.
constexpr std::array<const char*, 8> kTexts = {
    "sin(x)*2+sqrt(abs(x))",
    "if(x > 5000, round(x), trunc(-x)) + shl(1, 3)",
    "case(i mod 3, 'none', 0, 'zero', 1, uppercase('one'))",
    "length(inttostr(i)) + pos('3', floattostr(x))",
    "formatfloat('0.00', x/7)",
    "extractyear(encodedate(2020, 1, 1) + x)",
    "strtofloatdef('1.5', 0) * x - ln(x + 1)",
    "i div (i mod 2)",
};

// One thread's work, the same on every thread: its own parser, a new text
// each round, evaluated twice (through the tree, then compiled); every tenth
// of the way a new parser, so that name lookups are built afresh from the
// shared registry. The digest of all values and errors tells the threads'
// results apart.
std::uint64_t Work() {
    std::uint64_t digest = 0;
    auto parser = std::make_unique<TExpressionParser>();
    auto setUp = [](TExpressionParser& fresh) {
        fresh.SetBuiltIns(
            TBuiltInCategories{bcMath, bcStrings, bcDateTime, bcBoolean, bcConversion});
        fresh.Identifiers().AddFloatVariable("x", 0);
        fresh.Identifiers().AddVariable("i", rtInteger, "0");
    };
    setUp(*parser);
    for (int round = 0; round < kRounds; ++round) {
        if (round % (kRounds / 10) == 0) {
            parser = std::make_unique<TExpressionParser>();
            setUp(*parser);
        }
        const int value = (round * 7) % 10000;
        parser->Identifiers()[0].ValueRecord().SetFloatValue(value * 1.25);
        parser->Identifiers()[1].ValueRecord().SetIntegerValue(value);
        parser->SetExpression(kTexts[static_cast<std::size_t>(round) % kTexts.size()]);
        for (int pass = 0; pass < 2; ++pass) {
            try {
                const TExpressionResult result = parser->Evaluate();
                digest = digest * 31 + result.Payload() + result.StringValue.size();
            } catch (const formatting::Error& error) {
                digest = digest * 31 + std::string(error.what()).size();
            }
        }
    }
    return digest;
}

TEST(EngineThreads, ParseAndEvaluateOnEightThreadsAtOnce) {
    std::array<std::uint64_t, kThreads> digests{};
    {
        std::vector<std::jthread> threads;
        for (std::size_t thread = 0; thread < kThreads; ++thread)
            threads.emplace_back([&digests, thread] { digests[thread] = Work(); });
    }
    for (std::size_t thread = 1; thread < kThreads; ++thread)
        EXPECT_EQ(digests[thread], digests[0]) << "thread " << thread;
}

TEST(EngineThreads, TheSharedRegistryIsSealed) {
    EXPECT_TRUE(BuiltinManager().Sealed());
    TExprBuiltInManager registry;
    registry.AddFloatVariable(bcUser, "e", 2.718281828459045);
    registry.Seal();
    try {
        registry.AddFloatVariable(bcUser, "tau", 6.283185307179586);
        ADD_FAILURE() << "registration after sealing was taken";
    } catch (const EExprParser& error) {
        EXPECT_STREQ(error.what(), "The built-in registry is sealed: parsers share it, so \"tau\" "
                                   "cannot be added to it; add it to a parser's identifiers "
                                   "instead.");
    }
    EXPECT_EQ(registry.IdentifierCount(), 1);
}

} // namespace
} // namespace orvex::engine
