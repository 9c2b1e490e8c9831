// The common error base of the whole program and the runtime-style errors.
//
// An error carries its message and, when its text comes from a message
// table, the text's resource identifier. Callers tell errors apart by that
// identifier, never by searching the message: a message may hold the user's
// own text, which could then decide what kind of error it is.
#pragma once

#include "formatting/messages.h"

#include <cstdint>
#include <exception>
#include <initializer_list>
#include <string>
#include <string_view>

namespace orvex::formatting {

class Error : public std::exception {
  public:
    // An error in words of its own, with no resource identifier, such as one
    // a host's callback raises.
    explicit Error(std::string message) : message_(std::move(message)) {}
    // The text of a table entry with its placeholders filled by `args`. The
    // identifier is kept as a view: table entries refer to string literals.
    Error(TResourceString resource, std::initializer_list<TMessageArg> args = {})
        : message_(FormatResString(resource.Text, args)), resourceId_(resource.Id) {}

    const char* what() const noexcept override { return message_.c_str(); }
    const std::string& Message() const noexcept { return message_; }
    // The resource identifier of the message's text; empty for an error in
    // words of its own.
    std::string_view ResourceId() const noexcept { return resourceId_; }

  private:
    std::string message_;
    std::string_view resourceId_;
};

// A text that does not convert to the number, date or pattern asked for.
class EConvertError : public Error {
  public:
    using Error::Error;
};

// Integer division or remainder by zero: "Division by zero".
class EDivByZero : public Error {
  public:
    EDivByZero() : Error(FormattingString("formatting.sdivbyzero")) {}
};

// Floating-point faults. They are detected explicitly after each operation
// rather than by hardware traps, so they behave the same on every platform.
class EMathError : public Error {
  public:
    using Error::Error;
};
class EInvalidOp : public EMathError {
  public:
    EInvalidOp() : EMathError(FormattingString("formatting.sinvalidop")) {}
};
class EZeroDivide : public EMathError {
  public:
    EZeroDivide() : EMathError(FormattingString("formatting.szerodivide")) {}
};
class EOverflow : public EMathError {
  public:
    EOverflow() : EMathError(FormattingString("formatting.soverflow")) {}
};

// Raises the fault a double operation produced: a NaN result from operands
// that were not NaN is an invalid operation, an infinite result from finite
// operands an overflow. Pass the operands so that NaN or infinity a client
// supplied travels on without a fault, as it would through the hardware.
double CheckFloat(double result, double operand1, double operand2 = 0.0);

// A double converted to a 64-bit integer; NaN or a value outside the 64-bit
// range is an invalid operation instead of undefined behaviour.
std::int64_t CheckedToInt64(double value);

} // namespace orvex::formatting
