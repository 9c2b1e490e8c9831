// The common error base of the whole program and the runtime-style errors.
//
// Every error carries only its message. The calculator decides its exit code
// by searching that message for fixed words ("division by zero", "not a valid
// integer"), so the texts below are part of the program's interface.
#pragma once

#include <cstdint>
#include <exception>
#include <string>

namespace orvex::formatting {

class Error : public std::exception {
  public:
    explicit Error(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }
    const std::string& Message() const noexcept { return message_; }

  private:
    std::string message_;
};

// A text that does not convert to the number, date or pattern asked for.
class EConvertError : public Error {
  public:
    using Error::Error;
};

// Integer division or remainder by zero: "Division by zero".
class EDivByZero : public Error {
  public:
    EDivByZero() : Error("Division by zero") {}
};

// Floating-point faults. They are detected explicitly after each operation
// rather than by hardware traps, so they behave the same on every platform.
class EMathError : public Error {
  public:
    using Error::Error;
};
class EInvalidOp : public EMathError {
  public:
    EInvalidOp() : EMathError("Invalid floating point operation") {}
};
class EZeroDivide : public EMathError {
  public:
    EZeroDivide() : EMathError("Floating point division by zero") {}
};
class EOverflow : public EMathError {
  public:
    EOverflow() : EMathError("Floating point overflow") {}
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
