// The tagged value that every evaluation step fills in place.
#pragma once

#include "exprengine/result_type.h"

#include <bit>
#include <cstdint>
#include <string>
#include <vector>

namespace orvex::engine {

// Text plus one 8-byte payload shared by the other types. The payload is kept
// as raw bits so that reading it under another type than the one last
// written (which unchecked nodes below the root may do) is well defined: the
// bits are simply reinterpreted.
struct TExpressionResult {
    std::string StringValue; // meaningful only for rtString
    TResultType ValueType = rtBoolean;

    // The boolean occupies the payload's low-order byte.
    bool BooleanValue() const noexcept { return (payload_ & 0xFFu) != 0; }
    void SetBooleanValue(bool value) noexcept { payload_ = value ? 1u : 0u; }

    std::int64_t IntegerValue() const noexcept { return std::bit_cast<std::int64_t>(payload_); }
    void SetIntegerValue(std::int64_t value) noexcept {
        payload_ = std::bit_cast<std::uint64_t>(value);
    }

    double FloatValue() const noexcept { return std::bit_cast<double>(payload_); }
    void SetFloatValue(double value) noexcept { payload_ = std::bit_cast<std::uint64_t>(value); }

    double DateTimeValue() const noexcept { return FloatValue(); }
    void SetDateTimeValue(double value) noexcept { SetFloatValue(value); }

    // Units of 1/10000.
    std::int64_t CurrencyValue() const noexcept { return IntegerValue(); }
    void SetCurrencyValue(std::int64_t scaled) noexcept { SetIntegerValue(scaled); }

    std::uint64_t Payload() const noexcept { return payload_; }
    // Where the payload is, for the compiled form, which reads a variable's
    // value in place.
    const std::uint64_t* PayloadAddress() const noexcept { return &payload_; }
    void SetPayload(std::uint64_t bits) noexcept { payload_ = bits; }

    // Complete values, for clients and callbacks.
    static TExpressionResult Boolean(bool value);
    static TExpressionResult Integer(std::int64_t value);
    static TExpressionResult Float(double value);
    static TExpressionResult DateTime(double value);
    static TExpressionResult String(std::string value);
    static TExpressionResult Currency(std::int64_t scaled);

  private:
    std::uint64_t payload_ = 0;
};

// The argument values a function callback receives, index 0 first.
using TExprParameterArray = std::vector<TExpressionResult>;

// A value taken as a double: an integer converted, a currency amount as its
// scaled integer divided by 10000, any other type's float payload as it is.
double ArgToFloat(const TExpressionResult& value);

} // namespace orvex::engine
