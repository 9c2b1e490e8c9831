// Number patterns: the input's first line is the value, the rest the
// pattern. A first line that does not read as a number gives the value its
// bytes instead, so that NaN payloads, subnormals and infinities come up too.
// Each input is written with the default settings and with a comma decimal
// separator and no grouping.
#include "fuzz_support.h"

#include "formatting/error.h"
#include "formatting/number_pattern.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace {

using namespace orvex::formatting;

constexpr std::size_t kMaxInput = 4096;

double ValueOf(std::string_view line) {
    double value = 0;
    const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), value);
    if (error == std::errc{} && end == line.data() + line.size())
        return value;
    value = 0;
    std::memcpy(&value, line.data(), std::min(line.size(), sizeof value));
    return value;
}

TFormatSettings CommaSettings() {
    TFormatSettings settings;
    settings.DecimalSeparator = ',';
    settings.ThousandSeparator = '\0';
    return settings;
}

void Format(std::string_view pattern, double value, const TFormatSettings& settings) {
    try {
        FormatWithPattern(pattern, value, settings);
    } catch (const EConvertError&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > kMaxInput)
        return 0;
    static const TFormatSettings defaultSettings;
    static const TFormatSettings commaSettings = CommaSettings();
    const std::string_view input = orvex::fuzz::AsText(data, size);
    const std::size_t lineEnd = std::min(input.find('\n'), input.size());
    const double value = ValueOf(input.substr(0, lineEnd));
    const std::string_view pattern = input.substr(std::min(lineEnd + 1, input.size()));
    Format(pattern, value, defaultSettings);
    Format(pattern, value, commaSettings);
    return 0;
}
