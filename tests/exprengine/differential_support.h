// Evaluating one text both ways, through the tree and through the compiled
// program, with hosts set up alike, and telling the outcomes apart exactly:
// the type, the payload's bits, the text of a string, or the error's message.
#pragma once

#include "exprengine/parser.h"

#include <cstdint>
#include <random>
#include <string>

namespace orvex::engine::test {

// A parser as a host sets one up: every built-in category, a variable of each
// type (b, i, f, d, s, c), a float variable fed by a handler (h), an integer
// function that counts its calls (tick, impure), a float function through a
// bound handler (twice) and a variadic float function (total).
class TDifferentialHost {
  public:
    TDifferentialHost();

    TExpressionParser& Parser() { return parser_; }
    // Gives the variables values drawn from the generator; both hosts of a
    // comparison get the same draws.
    void SetVariables(std::uint64_t seed);

  private:
    TExpressionParser parser_;
    std::int64_t ticks_ = 0;
    double handlerValue_ = 0;
};

// The outcome of evaluating the text: "<type>:<payload in hex>[:<text>]" or
// "E:<message>". Texts of values whose type is not rtString carry no meaning
// and are left out.
std::string TreeOutcome(TDifferentialHost& host, const std::string& text);
std::string CompiledOutcome(TDifferentialHost& host, const std::string& text);

// Random expressions over every operator, conversion, built-in (but the
// clock's) and variable type; mostly well typed at the root, sometimes not
// below it.
class TExpressionGenerator {
  public:
    explicit TExpressionGenerator(std::uint64_t seed) : random_(seed) {}
    std::string Next();

  private:
    std::string Of(char type, int depth);
    std::string Leaf(char type);
    std::string Wild(int depth);
    std::string Pick(std::initializer_list<const char*> choices);
    int Below(int bound) { return static_cast<int>(random_() % static_cast<unsigned>(bound)); }

    std::mt19937_64 random_;
};

} // namespace orvex::engine::test
