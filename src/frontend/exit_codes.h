// The calculator's exit codes, in one place for the driver, the evaluation,
// the fuzz target, the tests and the manual page. The help text lists the
// same codes in fixed words; a test keeps the two in step.
//
// The negative codes are passed to the system unchanged. Where a process
// status has 8 bits they arrive modulo 256: -1 as 255 and -2 as 254, so a
// true comparison and a help request then share the status 255.
#pragma once

#include <array>

namespace orvex::frontend {

// A comparison evaluated false; "FALSE" was written to standard output.
inline constexpr int kExitFalse = -2;
// A comparison evaluated true; "TRUE" was written to standard output.
inline constexpr int kExitTrue = -1;
// A numeric or text result, the build line or the identity information.
inline constexpr int kExitSuccess = 0;
// The command line holds no argument at all: the missing-parameter report
// and the brief help went to standard error.
inline constexpr int kExitMissingParameters = 64;
// Standard output could not be written (a full device, a closed stream, a
// broken pipe); the reason went to standard error. Any road can end so, and
// this code replaces the one the road set.
inline constexpr int kExitWriteError = 74;
// The expression failed to parse, evaluate or render for a reason other
// than the two below; the error's own message went to standard error.
inline constexpr int kExitEvaluationError = 80;
// The error is a division by zero, of integers or of floating-point
// numbers, told apart by the message it was raised with, not by its words.
inline constexpr int kExitDivideByZero = 81;
// The error is an operand that is not a valid integer (an integer division
// with a float operand below the top of the expression).
inline constexpr int kExitInvalidIntegerDivision = 82;
// The prepared expression holds two or more comparisons; it was not
// evaluated.
inline constexpr int kExitTooManyComparisons = 83;
// The help lists these for conversion errors; no road sets them.
inline constexpr int kFirstReservedExitCode = 84;
inline constexpr int kLastReservedExitCode = 87;
// The help was asked for and written to standard output.
inline constexpr int kExitHelpRequested = 255;

// Every code a road of the program sets, in ascending order. A failed write
// to standard output can turn any of them into kExitWriteError.
inline constexpr std::array kRoadExitCodes{kExitFalse,
                                           kExitTrue,
                                           kExitSuccess,
                                           kExitMissingParameters,
                                           kExitEvaluationError,
                                           kExitDivideByZero,
                                           kExitInvalidIntegerDivision,
                                           kExitTooManyComparisons,
                                           kExitHelpRequested};

// The status a code arrives as where a process status has 8 bits.
constexpr int EightBitStatus(int exitCode) {
    return static_cast<int>(static_cast<unsigned>(exitCode) & 0xFFu);
}

} // namespace orvex::frontend
