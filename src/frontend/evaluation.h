// Evaluation and result rendering: the prepared expression is evaluated once
// with the engine, and its result written as a truth word, a number through
// the number pattern (optionally in binary, octal or hexadecimal) or text.
// Every error on the way is turned into words on standard error and an exit
// code from 80 to 82.
#pragma once

#include "cmdline/output_streams.h"
#include "formatting/format_settings.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace orvex::frontend {

struct TRenderOptions {
    std::int32_t Multiplier = 1; // 1, or 100 with the percent option
    std::string ResultSuffix;    // "" or "%"; follows numeric output only
    bool Binary = false, Octal = false, Hexadecimal = false; // the driver sets at most one
    bool NoPrefix = false;       // radix output without "%", "&" or "0x"
    bool ShowExpression = false; // the expression line already went to standard output
};

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

// Evaluates `expression` once and prints the result to `out` (standard output)
// or the error to `err` (standard error). Returns the exit code: -1 or -2 for
// a true or false result, 80, 81 or 82 on an error, otherwise `exitCode`
// unchanged.
int EvaluateAndPrint(const std::string& expression, std::uint16_t minimumLength,
                     std::uint16_t blockSize, const std::string& numberPattern,
                     const TRenderOptions& options, const formatting::TFormatSettings& settings,
                     cmdline::TTextSink& out, cmdline::TTextSink& err, int exitCode);

} // namespace orvex::frontend
