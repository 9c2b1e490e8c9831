// Reading of numeric option values.
#pragma once

#include <cstdint>
#include <string_view>

namespace orvex::cmdline {

struct TCmdLineContext;

// The unsigned 64-bit number in text: the part before the first "." with
// every "," removed, optional leading blanks and tabs, an optional "+", an
// optional base prefix ("$", "x", "0x" hexadecimal, "%" binary, "&" octal)
// and digits of that base up to the end. Anything else, including a minus
// sign, an empty text, more than 255 characters or a value beyond 64 bits,
// gives the fallback. Sets the context's NumberDefaulted when the result
// equals the fallback.
std::uint64_t ParamNumber(TCmdLineContext& context, std::string_view text, std::int64_t fallback);

} // namespace orvex::cmdline
