#include "docgen/posix_examples.h"

#include "formatting/text.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace orvex::docgen {
namespace {

// Characters no POSIX shell treats specially anywhere in a word.
bool IsShellSafe(std::string_view word) {
    return !word.empty() && std::all_of(word.begin(), word.end(), [](unsigned char c) {
        return std::isalnum(c) != 0 ||
               std::string_view("_+,./:=@%-").find(static_cast<char>(c)) != std::string_view::npos;
    });
}

std::string SingleQuoted(std::string_view text) {
    std::string result = "'";
    for (const char c : text)
        result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return result + "'";
}

std::string ShellWord(std::string_view text) {
    return IsShellSafe(text) ? std::string(text) : SingleQuoted(text);
}

// An option word: its name, without a value attached by ":" or "=", is one
// of the forms the framework accepts.
bool IsOption(std::string_view argument, const std::vector<std::string>& optionForms) {
    const std::string name =
        formatting::LowerCaseAscii(argument.substr(0, argument.find_first_of(":=", 1)));
    return std::find(optionForms.begin(), optionForms.end(), name) != optionForms.end();
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

std::vector<std::string> WindowsArguments(std::string_view line) {
    std::vector<std::string> arguments;
    std::string current;
    bool inWord = false;
    bool quoted = false;
    for (const char c : line) {
        if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if (c == ' ' && !quoted) {
            if (inWord)
                arguments.push_back(current);
            current.clear();
            inWord = false;
        } else {
            current += c;
            inWord = true;
        }
    }
    if (inWord)
        arguments.push_back(current);
    return arguments;
}

std::string PosixCommand(std::string_view program, const std::vector<std::string>& arguments,
                         const std::vector<std::string>& optionForms) {
    std::string command(program);
    std::vector<std::string> run; // expression words not yet written
    const auto flush = [&] {
        if (run.empty())
            return;
        const bool safe = std::all_of(run.begin(), run.end(), IsShellSafe);
        std::string joined;
        for (const std::string& word : run)
            joined += (joined.empty() ? "" : " ") + word;
        command += ' ' + (safe ? joined : SingleQuoted(joined));
        run.clear();
    };
    bool afterOption = false;
    for (const std::string& argument : arguments) {
        if (IsOption(argument, optionForms)) {
            flush();
            command += ' ' + ShellWord(argument);
            afterOption = true;
        } else if (afterOption) {
            // Possibly the option's value: it stays a word of its own.
            command += ' ' + ShellWord(argument);
            afterOption = false;
        } else {
            run.push_back(argument);
        }
    }
    flush();
    return command;
}

TExampleRunner ShellRunner(std::string programDir, std::string workFile) {
    return [programDir = std::move(programDir),
            workFile = std::move(workFile)](const std::string& command) {
        const std::string statusFile = workFile + ".status";
        const std::string script =
            "PATH=" + SingleQuoted(programDir) + ":$PATH LC_ALL=C; export PATH LC_ALL; " + command +
            " >" + SingleQuoted(workFile) + " 2>&1; echo $? >" + SingleQuoted(statusFile);
        TExampleOutput output;
        if (std::system(script.c_str()) != 0)
            output.Status = -1;
        output.Text = ReadAll(workFile);
        if (output.Status == 0)
            output.Status = std::atoi(ReadAll(statusFile).c_str());
        std::error_code ignored;
        std::filesystem::remove(workFile, ignored);
        std::filesystem::remove(statusFile, ignored);
        return output;
    };
}

} // namespace orvex::docgen
