// The inputs at the platform's limits, shared by the in-process runs and the
// runs of the built binary, with the results they must give.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace orvex::limits {

// The longest single argument Linux passes to a program is 128 KiB; Windows
// limits the whole command line to 32,767 characters.
#ifdef _WIN32
inline constexpr std::size_t kLongArgumentBytes = 30 * 1024;
#else
inline constexpr std::size_t kLongArgumentBytes = 120 * 1024;
#endif

inline constexpr int kNestingLimit = 1000;

// A flat sum of single digits "1+2+...+9+1+..." of exactly the given length
// (odd), with its value.
struct TFlatSum {
    std::string Text;
    std::int64_t Value = 0;
};

inline TFlatSum FlatSum(std::size_t bytes) {
    TFlatSum sum;
    sum.Text.reserve(bytes);
    for (int term = 0; sum.Text.size() + 2 <= bytes; ++term) {
        const int digit = term % 9 + 1;
        if (term > 0)
            sum.Text += '+';
        sum.Text += static_cast<char>('0' + digit);
        sum.Value += digit;
    }
    return sum;
}

// count arguments "+", "1", "+", "1", ...: a sign and then a sum of ones.
inline std::vector<std::string> OneCharacterArguments(int count) {
    std::vector<std::string> arguments;
    arguments.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        arguments.emplace_back(i % 2 == 0 ? "+" : "1");
    return arguments;
}

inline std::string Repeated(const std::string& piece, int times) {
    std::string text;
    text.reserve(piece.size() * static_cast<std::size_t>(times));
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

// levels nested constructs around "1": open^levels 1 close^levels.
inline std::string Nested(int levels, const std::string& open, const std::string& close) {
    return Repeated(open, levels) + "1" + Repeated(close, levels);
}

inline const std::string kTooDeep = "Expression nested too deeply (more than 1000 levels)";

} // namespace orvex::limits
