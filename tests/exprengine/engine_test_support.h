// Helpers shared by the engine tests: a compact text for a result or an
// error, so that tables can list an expression and its outcome side by side.
#pragma once

#include "exprengine/expression_result.h"
#include "exprengine/parser.h"

#include <functional>
#include <string>
#include <string_view>

namespace orvex::engine::test {

// "I:7", "F:3.5", "B:true", "S:text", "D:2.5", "C:1.25"; floats in their
// shortest round-trip form.
std::string Show(const TExpressionResult& result);

// Parses and evaluates the text with a fresh parser, after prepare has set
// it up; an error gives "E:" and its message.
std::string Outcome(std::string_view text,
                    const std::function<void(TExpressionParser&)>& prepare = {});

// The error message the call raises, or "(no error)".
std::string ErrorOf(const std::function<void()>& action);

struct TOutcomeCase {
    std::string text;
    std::string outcome;
};

void PrintTo(const TOutcomeCase& outcomeCase, std::ostream* out);

} // namespace orvex::engine::test
