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

[[noreturn]] void RaiseScannerError(TResourceString message,
                                    std::initializer_list<TMessageArg> args = {});
[[noreturn]] void RaiseParserError(TResourceString message,
                                   std::initializer_list<TMessageArg> args = {});

} // namespace orvex::engine
