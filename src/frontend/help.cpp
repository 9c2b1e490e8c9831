#include "frontend/help.h"

#include "cmdline/output_streams.h"
#include "formatting/message_table.h"
#include "formatting/packed_texts.h"

#include <array>
#include <charconv>
#include <span>
#include <string_view>

namespace orvex::frontend {

namespace {

// Which help sizes show a line.
enum class TAudience {
    Always,       // brief, normal and extended
    BriefOnly,    // the pointer to the full help
    Full,         // normal and extended
    NormalOnly,   // normal help without the verbose option
    ExtendedOnly, // help with the verbose option
};

enum class TLineKind {
    Heading,  // a rule of "-", the text, the same rule
    Text,     // the text as it is
    Example,  // a blank, the program name, the text
    Named,    // the text with every "%s" replaced by the program name
    Function, // an example: the text, the number in fixed notation, ")"
};

struct THelpLine {
    TAudience Audience;
    TLineKind Kind;
    std::string_view Text;
    bool EmptyLineAfter = false;
    double Number = 0.0; // Function lines only
    int Decimals = 0;    // Function lines only
};

constexpr bool kGap = true;

using A = TAudience;
using K = TLineKind;

// The whole manual, in output order.
// Packed (formatting/packed_texts.h): every run would otherwise pay for its
// pointers at start-up, and most runs print no help.
constexpr auto kHelpLines = formatting::PackTexts<&THelpLine::Text>([] {
    return std::to_array<THelpLine>({
        {A::Always, K::Heading, "CMD SYNTAX:"},
        {A::Always, K::Example, " <arithmetic_expression> [options]"},
        {A::Always, K::Example,
         " <arithmetic_expression> [-b] [-z] [-u|--np] [-d[:#]] [-p] [-s] [-f [format_text] "},
        {A::Always, K::Example,
         " <arithmetic_expression> [-b] [-z] [-u|--np] [-d[:#]] [-p] [-s] "
         "[[--hex|--bin|--oct] [-n] [--ml] [--bs]]",
         kGap},
        {A::Always, K::Example, " <logical/boolean_expression> [options]"},
        {A::Always, K::Example, " <logical/boolean_expression> [-b] [-s]", kGap},
        {A::Always, K::Example, " [-h|-?|--h2|--??] [-v]"},
        {A::Always, K::Example, " [-i|--Info|--Version-Only]", kGap},

        {A::BriefOnly, K::Named, "For more details, please type: %s -?  OR  %s --??"},

        {A::Full, K::Heading, "OPTION DEFINITIONS:"},
        {A::Full, K::Text,
         " -b, --banner .............. Display banner information on each program execution."},
        {A::Full, K::Text,
         " -z, --zero ................ Evaluate any invalid operands which are provided, as zero."},
        {A::Full, K::Text,
         " -f, --format .............. Display decimal output with a custom format.  (Default = "
         "#,##0.#"
         ")"},
        {A::Full, K::Text,
         " -d, --decimal-places ...... Controls the decimal places of fractional results.  "
         "(Default = 2)"},
        {A::Full, K::Text,
         " -u, --use-zeroes .......... Show all output with the significant decimal places.  "
         "(Zero Padding)"},
        {A::Full, K::Text,
         "     --np, --no-padding .... Turn off zero padding for the resulting calculation."},
        {A::Full, K::Text,
         " -p, --percent ............. Convert the results an arithmetic calculation to a "
         "percentage."},
        {A::Full, K::Text,
         " -s, --show-expression ..... Display the full expression that is being evaluated."},
        {A::Full, K::Text,
         "     --bin, --binary  ...... Display calculation result as a binary number."},
        {A::Full, K::Text,
         "     --oct, --octal ........ Display calculation result as an octal number."},
        {A::Full, K::Text,
         "     --hex, --hexadecimal .. Display calculation result as a hexadecimal number."},
        {A::Full, K::Text,
         "     --ml, --min-length .... Set minimum string length for numeric value."},
        {A::Full, K::Text,
         "     --bs, --block-size .... Set the block size for a space separator when displaying a "
         "number."},
        {A::Full, K::Text,
         " -n, --no-prefix ........... Do not display the prefix for Bin (%), Oct (&), or Hex (0x) "
         "output."},
        {A::Full, K::Text,
         " -v, --verbose, --build .... Display extended build information, plus application "
         "exit/return codes."},
        {A::Full, K::Text, " -h, --help, -? ............ Display this help message."},
        {A::Full, K::Text,
         "     --h2, --??, --help2 ... Display extended help information, plus exit/return codes."},
        {A::Full, K::Text,
         " -i, --info ................ Display banner and build information, then exit."},
        {A::ExtendedOnly, K::Text,
         "     --version-only ........ Display build information without banner, then exit."},
        {A::ExtendedOnly, K::Text, "     --audible-error ....... Enable a beep on syntax error."},
        {A::ExtendedOnly, K::Text,
         "     --error-delay ......... Enable a ~7 second delay on syntax error."},
        {A::ExtendedOnly, K::Text,
         "     --debug-mode .......... Enable debug mode, which includes enabling Audible Error "
         "and "
         "Error Delay.",
         kGap},
        {A::NormalOnly, K::Text,
         "     --version-only ........ Display build information without banner, then exit.", kGap},

        {A::Full, K::Heading, "VALID OPERATORS & FUNCTIONS:"},
        {A::Full, K::Text, " Arithmetic Operators ...... + - * / ** ^ div mod"},
        {A::Full, K::Text, " Boolean Operators ......... = != <> < <= > >=  not and or xor"},
        {A::Full, K::Text, " Basic Math Function ....... sumof count"},
        {A::Full, K::Text,
         " Algebraic Functions ....... cos sin arctan abs sqr sqrt exp ln log frac int round trunc",
         kGap},

        {A::Full, K::Heading, "SYNTAX EXAMPLES:"},
        {A::Full, K::Example, " 2 * 4  -b"},
        {A::Full, K::Example, " 1102 / 81"},
        {A::Full, K::Example, " -1102 div 81"},
        {A::Full, K::Example, " 1871 / 2457"},
        {A::Full, K::Example, " 1871 / 2457  -P"},
        {A::Full, K::Example, " 1871 / 2457  -P -D:3"},
        {A::Full, K::Example, " 1052.7 * 345.5"},
        {A::Full, K::Example, " 1052.7 * 345.5 --format"},
        {A::Full, K::Example, " 1052.7 * 345.5 --format \"0.0000\""},
        {A::Full, K::Example, " 5 * 6 + 7 / 2"},
        {A::Full, K::Example, " (5+7*12) - (44-2*3)  -S", kGap},
        {A::Full, K::Example, " $A + \"&17\" + 25"},
        {A::Full, K::Example, " %1010 * $A + 30"},
        {A::Full, K::Example, " %1010 * $A + 30  --hex"},
        {A::Full, K::Example, " %1010 * $A + 30  --oct"},
        {A::Full, K::Example, " %1010 * $A + 30  --bin"},
        {A::Full, K::Example, " \"K\" + 10240"},
        {A::Full, K::Example, " \"K\" + 16384  -S -Z", kGap},

        {A::ExtendedOnly, K::Example, " (10000 \"^\" 0.5) + (10000 ** 0.5)"},
        {A::ExtendedOnly, K::Example, " \"sqrt(10000) ^ 0.5\""},
        {A::ExtendedOnly, K::Example, " 42 - sqr(7)", kGap},
        {A::ExtendedOnly, K::Example, " 2422 \"<>\" 2422"},
        {A::ExtendedOnly, K::Example, " \"512 <= 100\""},
        {A::ExtendedOnly, K::Example, " \"(2 ^ 10) > (4 ^ 5)\""},
        {A::ExtendedOnly, K::Example, " \"(2 * 4 + 6) <= ( 5 * 3 / 2)\"", kGap},
        {A::ExtendedOnly, K::Example, " 17 and 5"},
        {A::ExtendedOnly, K::Example, " 64 or 7"},
        {A::ExtendedOnly, K::Example, " not (5 and 1)", kGap},
        {A::ExtendedOnly, K::Example, " SumOf(1,5,11,22,-3,6)"},
        {A::ExtendedOnly, K::Example, " Count(5,7,22,101,34,55,-10)"},
        {A::ExtendedOnly, K::Function, " sin(", false, 205.75, 2},
        {A::ExtendedOnly, K::Function, " cos(", false, 205.75, 2},
        {A::ExtendedOnly, K::Function, " exp(", false, 2.0575, 4},
        {A::ExtendedOnly, K::Function, " ln(", false, 205.75, 2},
        {A::ExtendedOnly, K::Function, " log(", false, 205.75, 2},
        {A::ExtendedOnly, K::Function, " int(", false, 205.75, 2},
        {A::ExtendedOnly, K::Function, " frac(", false, 205.75, 2},
        {A::ExtendedOnly, K::Function, " round(", false, 205.75, 2},
        {A::ExtendedOnly, K::Function, " trunc(", kGap, 205.75, 2},
        {A::ExtendedOnly, K::Example, " 16384 --bin --block-size=2"},
        {A::ExtendedOnly, K::Example, " %1010 --min-length=8"},
        {A::ExtendedOnly, K::Example, " %1111"},
        {A::ExtendedOnly, K::Example, " %1111  --Oct"},
        {A::ExtendedOnly, K::Example, " %1111  --Hex"},
        {A::ExtendedOnly, K::Example, " $3FFF"},
        {A::ExtendedOnly, K::Example, " $3FFF  --Bin"},
        {A::ExtendedOnly, K::Example, " $3FFF  --Oct -N"},
        {A::ExtendedOnly, K::Example, " \"&277\""},
        {A::ExtendedOnly, K::Example, " \"&277\" --Bin"},
        {A::ExtendedOnly, K::Example, " \"&277\" --Hex", kGap},
        {A::ExtendedOnly, K::Example, " -h", kGap},

        {A::ExtendedOnly, K::Heading, "GENERAL USAGE NOTES:"},
        {A::ExtendedOnly, K::Named,
         " * Entering %s with no parameters will display this help message."},
        {A::ExtendedOnly, K::Text,
         " * Parameters surrounded by <> are mandatory; Those surrounded by [] are optional."},
        {A::ExtendedOnly, K::Text,
         " * Parameters are case-insensitive, but may be shown in uppercase for clarity."},
        {A::ExtendedOnly, K::Text,
         " * Single-character parameters (e.g. -h) can be prefaced by \"-\" or \"/\"."},
        {A::ExtendedOnly, K::Text,
         " * Multi-character parameters (e.g. --help) should be prefaced by \"--\"."},
        {A::ExtendedOnly, K::Text,
         " * All parameters need to be separated from each other by at least one space."},
        {A::ExtendedOnly, K::Text,
         " * The -H, --?? --Version-Only and --Info parameters supersede all other options -- in "
         "that order."},
        {A::ExtendedOnly, K::Text,
         " * The -V parameter causes application build mode info to be shown whenever the banner "
         "is shown."},
        {A::ExtendedOnly, K::Text,
         " * Combining -H/-? and -V will display extended help info plus application exit/return "
         "codes."},
        {A::ExtendedOnly, K::Text,
         " * The --?? parameter behaves like the -H/-? and -V parameters combined."},
        {A::ExtendedOnly, K::Text,
         " * The -I parameter will ONLY show the banner, with build info, and quit.  It will "
         "process no other data."},
        {A::ExtendedOnly, K::Text,
         " * The application banner is only displayed when Help Syntax is display, or when -B is "
         "used.",
         kGap},

        {A::ExtendedOnly, K::Heading, "APP SPECIFIC NOTES:"},
        {A::ExtendedOnly, K::Text,
         " * Floating point results will be shown to six significant decimal places by default."},
        {A::ExtendedOnly, K::Text,
         " * Using /D changes the decimal places to 2, unless an optional number is supplied in "
         "the format of /D:#"},
        {A::ExtendedOnly, K::Text,
         " * /D automatically implies /U; Use /NP with /D if you do not want zero padding to occur "
         "with /D."},
        {A::ExtendedOnly, K::Text,
         " * /F supersedes /D if both are used together, and provides greater granularity in "
         "displaying decimal values."},
        {A::ExtendedOnly, K::Text,
         " * Compound parameters like /F and /D can be provided as: /F \"value\" OR /F:\"Value\" "
         "OR /F=\"Value\"."},
        {A::ExtendedOnly, K::Text, " * /NP supersedes /U if both options are provided."},
        {A::ExtendedOnly, K::Text,
         " * /Z is particularly useful in shell scripts where you want to ensure that you always "
         "have a valid value."},
        {A::ExtendedOnly, K::Text,
         " * Be advised that \"PI\" is a valid variable name, and will not be converted to 0 if "
         "using the /Z parameter."},
        {A::ExtendedOnly, K::Text,
         " * Logical operators MUST be surrounded by quotation marks; optional for arithmetic "
         "operators (except \"^\")."},
        {A::ExtendedOnly, K::Text,
         " * Alternative names for several arithmetic operators are supported as follows."},
        {A::ExtendedOnly, K::Text,
         " *   Modulus ............................ MOD, %%      -- NOTE: Changed from \"%\""},
        {A::ExtendedOnly, K::Text, " *   Integer Division (w/o remainder) ... DIV, //"},
        {A::ExtendedOnly, K::Text, " *   To the Power of .................... PWR, **, ^", kGap},
        {A::ExtendedOnly, K::Text,
         " * Binary, Octal, and Hexadecimal values are supported in equations when using their "
         "respective prefixes: %, &, $"},
        {A::ExtendedOnly, K::Text,
         " * Use --Bin, --Oct, and --Hex to display calculation results in Binary, Octal, or "
         "Hexadecimal, respectively."},
        {A::ExtendedOnly, K::Text,
         " * If more than one of the above parameters is used, precedence will go to the first one "
         "in the line."},
        {A::ExtendedOnly, K::Text,
         " * If any of the above parameters is used, the /U parameter will be ignored."},
        {A::ExtendedOnly, K::Text,
         " * Hexadecimal numbers can be prefixed by either \"$\" or \"0x\" (e.g. \"$FE\" or "
         "\"0xFE\")."},
        {A::ExtendedOnly, K::Text,
         " * Block size (--block-size) is primarily used as a separator for binary and hexadecimal "
         "numbers."},
        {A::ExtendedOnly, K::Text,
         " * Minimum block size is Bin=2, Oct=2, Hex=2;  Minimum length is Bin=2, Oct=1, Hex=1.",
         kGap},
        {A::ExtendedOnly, K::Text,
         " * Complex boolean expressions involving multiple NOT, AND, OR, and XOR operands are "
         "allowed."},
        {A::ExtendedOnly, K::Text,
         " * Only ONE boolean comparison involving \"= != <> < <= > >=\" can be evaluated in a "
         "single expression."},
        {A::ExtendedOnly, K::Text,
         " * The % character needs to be doubled when execution occurs in a Windows shell script."},
        {A::ExtendedOnly, K::Text,
         " * Operands which contain any of the following characters should be enclosed in double "
         "quotes to avoid"},
        {A::ExtendedOnly, K::Text,
         "   being processed incorrectly by the operating system:  !  <  >  ^  &  % "},
        {A::ExtendedOnly, K::Text,
         " * Double quotes may be placed around the individual operator/operand, or around the "
         "entire expression.",
         kGap},

        {A::ExtendedOnly, K::Heading, "EXIT/RETURN CODES:"},
        {A::ExtendedOnly, K::Text,
         " * Exit/Return Codes will be generated for the following conditions:"},
        {A::ExtendedOnly, K::Text, "     -2 - Boolean Comparison is FALSE"},
        {A::ExtendedOnly, K::Text, "     -1 - Boolean Comparison is TRUE"},
        {A::ExtendedOnly, K::Text, "      0 - Command Completed Successfully"},
        {A::ExtendedOnly, K::Text, "     64 - Missing Necessary/Essential Parameters"},
        {A::ExtendedOnly, K::Text, "     80 - Various Expression Evaluation Errors"},
        {A::ExtendedOnly, K::Text, "     81 - Divide by Zero Error"},
        {A::ExtendedOnly, K::Text, "     82 - Invalid Operators for Integer Division"},
        {A::ExtendedOnly, K::Text,
         "     83 - "
         "More than One Boolean Comparison Attempted"},
        {A::ExtendedOnly, K::Text,
         "     84 - "
         "String to Integer Conversion Error"},
        {A::ExtendedOnly, K::Text,
         "     85 - "
         "Invalid Binary Character Found"},
        {A::ExtendedOnly, K::Text,
         "     86 - "
         "Invalid Octal Character Found"},
        {A::ExtendedOnly, K::Text,
         "     87 - "
         "Invalid Hexadecimal Character Found"},
        {A::ExtendedOnly, K::Text, "    255 - Syntax Help Requested"},
    });
});

bool Shows(TAudience audience, bool verbose, bool brief) {
    switch (audience) {
    case TAudience::Always:
        return true;
    case TAudience::BriefOnly:
        return brief;
    case TAudience::Full:
        return !brief;
    case TAudience::NormalOnly:
        return !brief && !verbose;
    case TAudience::ExtendedOnly:
        return !brief && verbose;
    }
    return false;
}

std::string FixedText(double value, int decimals) {
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, decimals);
    return std::string(buffer.data(), result.ptr);
}

// Named lines fill their placeholders from this many copies of the program
// name; a line with more would show the rest unfilled.
constexpr std::size_t kNamedPlaceholders = 2;

consteval bool NamedLinesFit() {
    for (const THelpLine line : kHelpLines) {
        if (line.Kind != TLineKind::Named)
            continue;
        std::size_t count = 0;
        for (std::size_t at = 0; at + 1 < line.Text.size(); ++at)
            if (line.Text[at] == '%' && (line.Text[at + 1] == 's' || line.Text[at + 1] == 'd'))
                ++count;
        if (count > kNamedPlaceholders)
            return false;
    }
    return true;
}
static_assert(NamedLinesFit(), "a Named help line has more placeholders than names");

void WriteLine(cmdline::TTextSink& out, const THelpLine& line, const std::string& programName) {
    switch (line.Kind) {
    case TLineKind::Heading: {
        const auto ruleLength = static_cast<int>(line.Text.size());
        cmdline::WriteDashLine(out, ruleLength, false);
        out << line.Text << '\n';
        cmdline::WriteDashLine(out, ruleLength, false);
        return;
    }
    case TLineKind::Text:
        out << line.Text;
        break;
    case TLineKind::Example:
        out << ' ' << programName << line.Text;
        break;
    case TLineKind::Named:
        out << formatting::FormatResString(line.Text, {programName, programName});
        break;
    case TLineKind::Function:
        out << ' ' << programName << line.Text << FixedText(line.Number, line.Decimals) << ')';
        break;
    }
    // A marked line ends with an extra line end, which leaves an empty line.
    if (line.EmptyLineAfter)
        out << '\n';
    out << '\n';
}

} // namespace

void PrintHelp(cmdline::TTextSink& out, const std::string& programName, bool verbose, bool brief) {
    for (const THelpLine line : kHelpLines)
        if (Shows(line.Audience, verbose, brief))
            WriteLine(out, line, programName);
}

} // namespace orvex::frontend
