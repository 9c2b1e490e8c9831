#include "docgen/man_page.h"

#include "docgen/option_forms.h"
#include "frontend/exit_codes.h"
#include "frontend/help.h"

#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace orvex::docgen {
namespace {

constexpr std::string_view kProgram = "orvex";

using TSection = std::vector<std::string>;

std::string_view Trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool IsRule(std::string_view line) {
    return !line.empty() && line.find_first_not_of('-') == std::string_view::npos;
}

// The extended help, split at its headings (a rule, the heading, the rule).
std::map<std::string, TSection, std::less<>> HelpSections() {
    cmdline::TStringSink text;
    frontend::PrintHelp(text, std::string(kProgram), true, false);
    std::vector<std::string> lines;
    std::istringstream input(text.Text());
    for (std::string line; std::getline(input, line);)
        lines.push_back(line);

    std::map<std::string, TSection, std::less<>> sections;
    TSection* current = nullptr;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i + 2 < lines.size() && IsRule(lines[i]) && lines[i + 2] == lines[i] &&
            lines[i + 1].size() == lines[i].size()) {
            current = &sections[lines[i + 1]];
            i += 2;
        } else if (current != nullptr) {
            current->push_back(lines[i]);
        }
    }
    return sections;
}

// Text made safe for a roff text line: backslashes and minus signs escaped,
// a leading control character neutralised. Apostrophe, circumflex, tilde and
// grave accent are named, so that they render as the ASCII characters a
// shell needs, not as typographic quotes or accents.
std::string Roff(std::string_view text) {
    std::string result;
    if (!text.empty() && text.front() == '.')
        result = "\\&";
    for (const char c : text) {
        switch (c) {
        case '\\':
            result += "\\e";
            break;
        case '-':
            result += "\\-";
            break;
        case '\'':
            result += "\\(aq";
            break;
        case '^':
            result += "\\(ha";
            break;
        case '~':
            result += "\\(ti";
            break;
        case '`':
            result += "\\(ga";
            break;
        default:
            result += c;
        }
    }
    return result;
}

// A "name ...... text" line split at its run of dots; false without one.
bool SplitAtLeader(std::string_view line, std::string_view& tag, std::string_view& text) {
    const std::size_t dots = line.find(" ..");
    if (dots == std::string_view::npos)
        return false;
    const std::size_t after = line.find_first_not_of(". ", dots);
    tag = Trim(line.substr(0, dots));
    text = after == std::string_view::npos ? std::string_view{} : Trim(line.substr(after));
    return true;
}

// Lines kept as they are (syntax and examples), without the leading blank;
// an empty line becomes vertical space.
void WriteVerbatim(std::ostream& out, const TSection& lines) {
    out << ".nf\n";
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = Trim(lines[i]);
        if (line.empty()) {
            if (i + 1 < lines.size())
                out << ".sp\n";
        } else {
            out << Roff(line) << '\n';
        }
    }
    out << ".fi\n";
}

void WriteTagged(std::ostream& out, std::string_view tag, std::string_view text) {
    out << ".TP\n.B " << Roff(tag) << '\n' << Roff(text) << '\n';
}

void WriteLeaderList(std::ostream& out, const TSection& lines) {
    std::string_view tag;
    std::string_view text;
    for (const std::string& line : lines)
        if (SplitAtLeader(line, tag, text))
            WriteTagged(out, tag, text);
}

// Notes of the help that hold at the Windows command prompt but not in a
// POSIX shell, with what the page says instead (nothing: left out).
std::string_view PosixNote(std::string_view note) {
    static constexpr std::pair<std::string_view, std::string_view> kRewrites[] = {
        {"* Entering orvex with no parameters will display this help message.",
         "* Run without any argument, orvex reports the missing expression and shows the "
         "syntax summary on standard error, with exit status 64; -h and --?? show the help."},
        {"* The application banner is only displayed when Help Syntax is display, or when -B is "
         "used.",
         "* The banner goes to standard error. It shows with -b and -v, with the help and -i, "
         "and before the report of a syntax error (status 64 or 83); a plain result comes "
         "without it."},
        {"* Logical operators MUST be surrounded by quotation marks; optional for arithmetic "
         "operators (except \"^\").",
         "* Put the expression in single quotes whenever it holds a character the shell acts "
         "on: blanks between words are harmless, but * ( ) < > & | ; ^ ! ~ ? [ ] $ and ` are "
         "not. Unquoted, * becomes file names, ( is a syntax error and < > redirect."},
        {"* The % character needs to be doubled when execution occurs in a Windows shell "
         "script.",
         "* POSIX shells leave % alone: the modulus operator %% is typed as it is."},
        {"* Operands which contain any of the following characters should be enclosed in double "
         "quotes to avoid",
         "* Double quotes are not enough for $: inside them the shell replaces $A or $3FFF by "
         "a variable's value (nothing when it is unset), so the calculator never sees the "
         "hexadecimal number. Use single quotes, or write 0x3FFF."},
        {"being processed incorrectly by the operating system:  !  <  >  ^  &  %", ""},
        {"* Double quotes may be placed around the individual operator/operand, or around the "
         "entire expression.",
         "* Quotes may surround single words or the whole expression: the calculator joins its "
         "arguments with blanks into one expression."},
    };
    const std::string_view trimmed = Trim(note);
    for (const auto& [windows, posix] : kRewrites)
        if (trimmed == windows)
            return posix;
    return note;
}

// " * text" lines as bullets; " *   text" as indented items; other text
// continues the item before it.
void WriteNotes(std::ostream& out, const TSection& lines) {
    for (const std::string& line : lines) {
        const std::string_view view = PosixNote(line);
        if (Trim(view).empty())
            continue;
        if (view.starts_with(" *   "))
            out << ".IP \"\" 4\n" << Roff(Trim(view.substr(2))) << '\n';
        else if (view.starts_with(" * ") || view.starts_with("* "))
            out << ".IP \\(bu 2\n" << Roff(Trim(Trim(view).substr(1))) << '\n';
        else
            out << Roff(Trim(view)) << '\n';
    }
}

// Where a process status has 8 bits, the negative codes arrive modulo 256.
std::string EightBitNote(std::string_view code) {
    for (const int negative : {frontend::kExitTrue, frontend::kExitFalse})
        if (code == std::to_string(negative))
            return " (" + std::to_string(frontend::EightBitStatus(negative)) + " on POSIX systems)";
    return {};
}

// The help's table of codes, with the failed write the help does not list.
void WriteExitStatus(std::ostream& out, const TSection& lines) {
    using namespace frontend;
    const std::string missingParameters = std::to_string(kExitMissingParameters);
    for (const std::string& line : lines) {
        const std::string_view view = Trim(line);
        if (view.starts_with("* ")) {
            out << Roff(view.substr(2)) << '\n';
            continue;
        }
        const std::size_t dash = view.find(" - ");
        if (dash == std::string_view::npos)
            continue;
        const std::string_view code = view.substr(0, dash);
        WriteTagged(out, std::string(code) + EightBitNote(code), view.substr(dash + 3));
        // The help predates the checked output; the page lists it in order.
        if (code == missingParameters)
            WriteTagged(out, std::to_string(kExitWriteError),
                        "Standard Output Could Not Be Written");
    }
    out << ".PP\n"
           "A process status of 8 bits, as on Linux and other POSIX systems, holds "
        << Roff(std::to_string(kExitTrue)) << " as " << EightBitStatus(kExitTrue) << " and "
        << Roff(std::to_string(kExitFalse)) << " as " << EightBitStatus(kExitFalse) << ",\n";
    if (EightBitStatus(kExitTrue) == kExitHelpRequested)
        out << "so a true comparison and a help request share the status " << kExitHelpRequested
            << ".\n";
    out << "On Windows the program returns the full 32\\-bit values.\n"
        << "Codes " << kFirstReservedExitCode << " to " << kLastReservedExitCode
        << " are reserved: this version does not set them.\n"
        << ".PP\n"
        << "Status " << kExitWriteError << " comes with the message\n"
        << ".IR \"program\" \": write error: \" message\n"
           "on standard error when the result cannot be written: a full device, a closed\n"
           "standard output, or a broken pipe while SIGPIPE is ignored.\n"
           ".PP\n"
        << "Status " << kExitInvalidIntegerDivision
        << " comes only from an integer division below the top of the\n"
           "expression, as in \\fB(7.5 div 2) + 1\\fR.\n"
           "At the top, a float operand of \\fBdiv\\fR or \\fBmod\\fR is a type error\n"
        << "(" << kExitEvaluationError << "), as in \\fB7.5 div 2\\fR.\n"
        << "A division by zero with \\fB/\\fR or \\fBdiv\\fR gives " << kExitDivideByZero
        << ", a remainder of a\n"
           "division by zero (\\fB7 mod 0\\fR) gives "
        << kExitEvaluationError << ".\n";
}

// One example: the command after a "$ " prompt, then its output, then its
// exit status when that is not 0.
void WriteExample(std::ostream& out, const std::string& command, const TExampleRunner& run) {
    out << "$ " << Roff(command) << '\n';
    if (!run)
        return;
    const TExampleOutput output = run(command);
    std::istringstream lines(output.Text);
    for (std::string line; std::getline(lines, line);)
        out << (line.empty() ? "\\&" : Roff(line)) << '\n';
    if (output.Status != 0)
        out << "\\fI[exit status " << output.Status << "]\\fP\n";
}

// The help's examples as POSIX shell commands. The help's own request for
// the help is left out: its output is the whole help.
void WriteHelpExamples(std::ostream& out, const TSection& lines, const TExampleRunner& run) {
    const std::vector<std::string> forms = OptionForms();
    const std::string prefix = " " + std::string(kProgram) + " ";
    out << ".nf\n";
    bool first = true;
    for (const std::string& line : lines) {
        if (!line.starts_with(prefix))
            continue;
        const std::vector<std::string> arguments = WindowsArguments(line.substr(prefix.size()));
        if (arguments == std::vector<std::string>{"-h"})
            continue;
        if (!first)
            out << ".sp\n";
        first = false;
        WriteExample(out, PosixCommand(kProgram, arguments, forms), run);
    }
    out << ".fi\n";
}

// What the help never says about the expression language, each with
// examples that show it.
struct TLanguageNote {
    std::string_view Text;
    std::vector<std::string_view> Commands;
};

const std::vector<TLanguageNote>& LanguageNotes() {
    static const std::vector<TLanguageNote> kNotes = {
        {"The constants pi, true and false need no parentheses.",
         {"orvex 'pi * 2'", "orvex 'true or false'"}},
        {"if(condition, value, otherwise) evaluates only the branch it takes; "
         "case(selector, default, label1, value1, label2, value2, ...) gives the value after "
         "the first label equal to the selector, or the default.",
         {"orvex 'if(7 > 5, 1, 0)'", "orvex 'case(2, 0, 1, 10, 2, 20)'"}},
        {"sin, cos and arctan work in radians; log is the logarithm to base 10, ln the natural "
         "one.",
         {"orvex 'sin(pi / 2)'", "orvex 'log(1000)'"}},
        {"round rounds a value halfway between two integers to the even one, while -d rounds "
         "the printed decimals half away from zero.",
         {"orvex 'round(2.5)'", "orvex 2.5 -d:0"}},
        {"Binary, octal and hexadecimal output takes 32-bit integers, from -2147483648 to "
         "2147483647; negative numbers print in two's complement, and anything else is an "
         "error.",
         {"orvex -1 --hex", "orvex 4294967295 --hex"}},
        {"Results of more than 17 integer digits, and results printed as general text, show "
         "15 significant digits.",
         {"orvex '2 ** 70'"}},
    };
    return kNotes;
}

void WriteLanguageNotes(std::ostream& out, const TExampleRunner& run) {
    out << ".SS The expression language\n";
    for (const TLanguageNote& note : LanguageNotes()) {
        out << ".IP \\(bu 2\n" << Roff(note.Text) << "\n.nf\n";
        for (const std::string_view command : note.Commands) {
            out << ".sp\n";
            WriteExample(out, std::string(command), run);
        }
        out << ".fi\n";
    }
}

const TSection& Section(const std::map<std::string, TSection, std::less<>>& sections,
                        std::string_view heading) {
    static const TSection kEmpty;
    const auto found = sections.find(heading);
    return found == sections.end() ? kEmpty : found->second;
}

void WriteDescription(std::ostream& out, const TSection& operators) {
    out << ".SH DESCRIPTION\n"
           ".B orvex\n"
           "evaluates the arithmetic or logical expression formed by its non\\-option arguments\n"
           "once, writes the result to standard output and exits with a status that scripts\n"
           "can test.\n"
           "Numbers print with up to six decimal places by default, with a fixed number of\n"
           "decimals, through a custom number pattern, as a percentage, or in binary, octal\n"
           "or hexadecimal.\n"
           "A logical expression with one comparison prints TRUE or FALSE and sets the exit\n"
           "status accordingly.\n"
           "Errors are reported in words on standard error.\n"
           ".PP\n"
           "Operators and functions:\n";
    WriteLeaderList(out, operators);
}

void WritePortability(std::ostream& out) {
    out << ".SH PORTABILITY\n"
           ".IP \\(bu 2\n"
           "Quote expressions in POSIX shells, best with single quotes: the shell itself\n"
           "treats \\fB*\\fR, \\fB(\\fR, \\fB)\\fR, \\fB<\\fR, \\fB>\\fR, \\fB&\\fR, \\fB|\\fR, "
           "\\fB;\\fR, \\fB!\\fR, \\fB?\\fR and \\fB$\\fR\n"
           "specially, an unquoted\n"
           ".B *\n"
           "is replaced by file names, and \\fB$\\fR is expanded inside double quotes too.\n"
           "Doubling the % character is needed only in Windows batch scripts.\n"
           ".IP \\(bu 2\n"
           "Options may also begin with \"/\"; on POSIX systems such an argument is never\n"
           "taken for a file name.\n"
           ".IP \\(bu 2\n"
           "The decimal and thousands separators of formatted results come from the\n"
           "environment's locale\n"
           ".RB ( LC_NUMERIC ,\n"
           ".BR LC_ALL );\n"
           "numbers inside expressions always use \".\".\n"
           "On Windows the system default locale applies.\n"
           ".IP \\(bu 2\n"
           "Lines end in a line feed; on Windows, in carriage return and line feed.\n"
           ".IP \\(bu 2\n"
           "The beep of\n"
           ".B \\-\\-audible\\-error\n"
           "goes to the controlling terminal, never into the output streams, and the wait of\n"
           ".B \\-\\-error\\-delay\n"
           "ends early when a key is pressed on the terminal.\n"
           ".IP \\(bu 2\n"
           "The build date in the banner and build line is the time of the build, or\n"
           "the time given by\n"
           ".B SOURCE_DATE_EPOCH\n"
           "for reproducible builds.\n";
}

} // namespace

void WriteManPage(std::ostream& out, const TManPageFacts& facts) {
    const auto sections = HelpSections();
    out << ".\\\" Generated from the program's help text by orvex_docgen; do not edit.\n"
        << ".TH ORVEX 1 \"" << facts.Date << "\" \"Orvex " << facts.Version
        << "\" \"User Commands\"\n"
        << ".SH NAME\n"
        << "orvex \\- " << Roff(facts.Description) << '\n'
        << ".SH SYNOPSIS\n";
    WriteVerbatim(out, Section(sections, "CMD SYNTAX:"));
    WriteDescription(out, Section(sections, "VALID OPERATORS & FUNCTIONS:"));
    out << ".SH OPTIONS\n"
           "Option names are case\\-insensitive.\n"
           "One\\-character names take \"\\-\" or \"/\", longer names \"\\-\\-\" or \"/\".\n"
           "Values are attached with \":\" or \"=\" or given as the next argument.\n";
    WriteLeaderList(out, Section(sections, "OPTION DEFINITIONS:"));
    out << ".SH EXIT STATUS\n";
    WriteExitStatus(out, Section(sections, "EXIT/RETURN CODES:"));
    out << ".SH EXAMPLES\n"
           "Each example is a command for a POSIX shell, followed by what it prints on\n"
           "standard output and standard error and, when it is not 0, its exit status.\n"
           "The examples under NOTES are shown the same way.\n"
           ".PP\n";
    WriteHelpExamples(out, Section(sections, "SYNTAX EXAMPLES:"), facts.RunExample);
    out << ".SH NOTES\n.SS General usage\n";
    WriteNotes(out, Section(sections, "GENERAL USAGE NOTES:"));
    out << ".SS The calculator\n";
    WriteNotes(out, Section(sections, "APP SPECIFIC NOTES:"));
    WriteLanguageNotes(out, facts.RunExample);
    WritePortability(out);
}

} // namespace orvex::docgen
