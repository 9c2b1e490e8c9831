// Facts fixed when the program was built: the build stamps, the target
// architecture and the compiler.
#pragma once

#include <string_view>

namespace orvex::cmdline {

// "yyyy/mm/dd".
std::string_view BuildDate();
// "yyyy/mm/dd hh:nn:ss", 24-hour clock.
std::string_view BuildDateTime();
// " x64", " x86", " arm64", ...: with its leading blank, empty when unknown.
std::string_view ArchitectureText();
// The compiler's name and version, for example "GCC 12.2.0".
std::string_view CompilerText();

} // namespace orvex::cmdline
