#include "docgen/man_page.h"

#include "frontend/help.h"

#include <map>
#include <sstream>
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
// a leading control character neutralised.
std::string Roff(std::string_view text) {
    std::string result;
    if (!text.empty() && (text.front() == '.' || text.front() == '\''))
        result = "\\&";
    for (const char c : text) {
        if (c == '\\')
            result += "\\e";
        else if (c == '-')
            result += "\\-";
        else
            result += c;
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

// " * text" lines as bullets; " *   text" as indented items; other text
// continues the item before it.
void WriteNotes(std::ostream& out, const TSection& lines) {
    for (const std::string& line : lines) {
        const std::string_view view = line;
        if (Trim(view).empty())
            continue;
        if (view.starts_with(" *   "))
            out << ".IP \"\" 4\n" << Roff(Trim(view.substr(2))) << '\n';
        else if (view.starts_with(" * "))
            out << ".IP \\(bu 2\n" << Roff(Trim(view.substr(2))) << '\n';
        else
            out << Roff(Trim(view)) << '\n';
    }
}

// Where a process status has 8 bits, the negative codes arrive modulo 256.
std::string EightBitNote(std::string_view code) {
    if (code == "-1")
        return " (255 on POSIX systems)";
    if (code == "-2")
        return " (254 on POSIX systems)";
    return {};
}

void WriteExitStatus(std::ostream& out, const TSection& lines) {
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
    }
    out << ".PP\n"
           "A process status of 8 bits, as on Linux and other POSIX systems, holds "
           "\\-1 as 255 and \\-2 as 254,\n"
           "so a true comparison and a help request share the status 255.\n"
           "On Windows the program returns the full 32\\-bit values.\n"
           "Codes 84 to 87 are reserved: this version does not set them.\n";
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
           "Quote expressions in POSIX shells: the shell itself treats\n"
           "\\fB*\\fR, \\fB(\\fR, \\fB)\\fR, \\fB<\\fR, \\fB>\\fR, \\fB&\\fR and \\fB!\\fR\n"
           "specially, and an unquoted\n"
           ".B *\n"
           "is replaced by file names.\n"
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
    out << ".SH EXAMPLES\n";
    WriteVerbatim(out, Section(sections, "SYNTAX EXAMPLES:"));
    out << ".SH NOTES\n.SS General usage\n";
    WriteNotes(out, Section(sections, "GENERAL USAGE NOTES:"));
    out << ".SS The calculator\n";
    WriteNotes(out, Section(sections, "APP SPECIFIC NOTES:"));
    WritePortability(out);
}

} // namespace orvex::docgen
