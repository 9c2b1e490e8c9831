// Evaluation and result rendering: the prepared expression is evaluated once
// with the engine, and its result written as a truth word, a number through
// the number pattern (optionally in binary, octal or hexadecimal) or text.
// Every error on the way is turned into words on standard error and one of
// the evaluation's exit codes.
#pragma once

#include "cmdline/output_streams.h"
#include "formatting/format_settings.h"
#include "frontend/run_settings.h"

#include <string>
#include <string_view>

namespace orvex::frontend {

// How an error is reported: a fixed text and its own exit code, or, with an
// empty text, the error's own message and exit code 80.
struct TErrorClass {
    std::string_view Text;
    int ExitCode;
};

// The class of an error raised with the text of `resourceId` (empty for an
// error in words of its own). It depends on which text was raised, never on
// the words of the message, which may quote the user's expression.
TErrorClass ClassifyError(std::string_view resourceId);

// Writes "Expression Evaluated: " and the expression (control characters in
// caret notation), then ends the line.
void WriteExpressionLine(cmdline::TTextSink& out, const std::string& expression);

// Evaluates `expression` once and prints the result, shaped by the plan's
// pattern, multiplier, suffix and radix, to `out` (standard output), or the
// error to `err` (standard error). Returns the exit code: kExitTrue or
// kExitFalse for a truth word, an error's code, otherwise `exitCode`
// unchanged. A truth word already written stays written when a later step
// fails.
int EvaluateAndPrint(const std::string& expression, const TEvaluationPlan& plan,
                     const formatting::TFormatSettings& settings, cmdline::TTextSink& out,
                     cmdline::TTextSink& err, int exitCode);

} // namespace orvex::frontend
