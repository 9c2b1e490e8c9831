// Number reading: the engine's literal rules, the formatting layer's float
// and integer texts and the command line's option numbers, each on the whole
// input. Beyond not crashing, the readers must agree with each other where
// their rules overlap.
#include "cmdline/output_streams.h"
#include "fuzz_support.h"

#include "cmdline/cmdline_context.h"
#include "cmdline/param_number.h"
#include "exprengine/number_literal.h"
#include "formatting/error.h"
#include "formatting/number_text.h"
#include "platform/platform.h"

#include <sstream>

namespace {

using namespace orvex;
using fuzz::Expect;

constexpr std::size_t kMaxInput = 512;

const formatting::TFormatSettings& DefaultSettings() {
    static const formatting::TFormatSettings settings;
    return settings;
}

void CheckLiteralRules(std::string_view text) {
    std::int64_t radixValue = 0;
    std::int64_t decimalValue = 0;
    std::int64_t literalValue = 0;
    double floatValue = 0;
    const bool radix = engine::ReadRadixInteger(text, radixValue);
    const bool decimal = engine::ReadDecimalInteger(text, decimalValue);
    const bool floating = engine::ReadDecimalFloat(text, floatValue);
    Expect(engine::ReadIntegerLiteral(text, literalValue) == (radix || decimal),
           "ReadIntegerLiteral is either integer rule");
    Expect(!radix || literalValue == radixValue, "radix literal value");
    Expect(!decimal || literalValue == decimalValue, "decimal literal value");
    // Plain digits are a float literal too, of the nearest double.
    Expect(!decimal || (floating && floatValue == static_cast<double>(decimalValue)),
           "decimal integer read as a float");

    double textValue = 0;
    if (floating && formatting::TryTextToFloat(text, textValue, DefaultSettings()))
        Expect(textValue == floatValue, "literal and float text agree");
}

void CheckTextReaders(std::string_view text, const formatting::TFormatSettings& settings) {
    double tried = 0;
    if (formatting::TryTextToFloat(text, tried, settings))
        Expect(formatting::TextToFloat(text, settings) == tried, "TextToFloat value");
    else
        try {
            formatting::TextToFloat(text, settings);
            Expect(false, "TextToFloat reads what TryTextToFloat refused");
        } catch (const formatting::EConvertError&) {
        }

    std::int32_t triedInt = 0;
    if (formatting::TryTextToInt(text, triedInt))
        Expect(formatting::TextToInt(text) == triedInt, "TextToInt value");
    else
        try {
            formatting::TextToInt(text);
            Expect(false, "TextToInt reads what TryTextToInt refused");
        } catch (const formatting::EConvertError&) {
        }
}

// A number either reads, and then whatever the fallback, or the fallback
// comes back.
void CheckParamNumber(cmdline::TCmdLineContext& context, std::string_view text) {
    const std::uint64_t first = cmdline::ParamNumber(context, text, 7);
    const bool firstDefaulted = context.NumberDefaulted;
    const std::uint64_t second = cmdline::ParamNumber(context, text, -1);
    Expect(first == second || (first == 7 && second == ~std::uint64_t{0}),
           "ParamNumber reads independently of the fallback");
    Expect(firstDefaulted == (first == 7), "NumberDefaulted");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > kMaxInput)
        return 0;
    static orvex::cmdline::TStringSink out;
    static orvex::cmdline::TStringSink err;
    static platform::TNullConsole console;
    static cmdline::TCmdLineContext context(cmdline::TProcessFacts{{}, "/usr/bin/orvex", "orvex"},
                                            out, err, console);
    static const formatting::TFormatSettings commaSettings = [] {
        formatting::TFormatSettings settings;
        settings.DecimalSeparator = ',';
        return settings;
    }();

    const std::string_view text = fuzz::AsText(data, size);
    CheckLiteralRules(text);
    CheckTextReaders(text, DefaultSettings());
    CheckTextReaders(text, commaSettings);
    CheckParamNumber(context, text);
    return 0;
}
