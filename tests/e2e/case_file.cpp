#include "case_file.h"

#include <charconv>

namespace orvex::e2e {
namespace {

constexpr std::string_view noEndOfLine = "{{noeol}}";

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            lines.push_back(text.substr(start));
            return lines;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
}

// Wildcard match of one line where "*" stands for any run of characters.
bool LineMatches(std::string_view pattern, std::string_view text) {
    constexpr std::string_view star = "{{*}}";
    std::size_t p = 0, t = 0;
    std::size_t starP = std::string_view::npos, starT = 0;
    while (t < text.size()) {
        if (pattern.compare(p, star.size(), star) == 0) {
            starP = p += star.size();
            starT = t;
        } else if (p < pattern.size() && pattern[p] == text[t]) {
            ++p;
            ++t;
        } else if (starP != std::string_view::npos) {
            p = starP;
            t = ++starT;
        } else {
            return false;
        }
    }
    while (pattern.compare(p, star.size(), star) == 0)
        p += star.size();
    return p == pattern.size();
}

std::string ReplaceAll(std::string text, std::string_view from, std::string_view to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

// Joins the collected lines of an expected block into the expected bytes.
std::string BlockText(const std::vector<std::string_view>& lines) {
    std::string text;
    for (std::string_view line : lines) {
        text += line;
        text += '\n';
    }
    if (text.size() > noEndOfLine.size() &&
        std::string_view(text).substr(text.size() - noEndOfLine.size() - 1) ==
            std::string(noEndOfLine) + '\n')
        text.resize(text.size() - noEndOfLine.size() - 1);
    return text;
}

// Appends the body of a $'...' word starting at `at` to `word`; returns the
// position of the closing quote.
std::optional<std::size_t> AppendAnsiQuoted(std::string_view line, std::size_t at,
                                            std::string& word) {
    for (; at < line.size(); ++at) {
        const char c = line[at];
        if (c == '\'')
            return at;
        if (c != '\\' || at + 1 == line.size()) {
            word += c;
            continue;
        }
        const char escape = line[++at];
        if (escape == 'x' && at + 2 < line.size()) {
            unsigned value = 0;
            const auto [end, ec] =
                std::from_chars(line.data() + at + 1, line.data() + at + 3, value, 16);
            if (ec != std::errc() || end != line.data() + at + 3)
                return std::nullopt;
            word += static_cast<char>(value);
            at += 2;
        } else if (escape == 'e') {
            word += '\x1b';
        } else if (escape == 'n') {
            word += '\n';
        } else if (escape == 't') {
            word += '\t';
        } else {
            word += escape;
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<std::vector<std::string>> SplitShellWords(std::string_view line) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == ' ' || c == '\t') {
            if (inWord)
                words.push_back(std::move(word));
            word.clear();
            inWord = false;
        } else if (c == '$' && i + 1 < line.size() && line[i + 1] == '\'') {
            const std::optional<std::size_t> close = AppendAnsiQuoted(line, i + 2, word);
            if (!close)
                return std::nullopt;
            i = *close;
            inWord = true;
        } else if (c == '\'') {
            const std::size_t close = line.find('\'', i + 1);
            if (close == std::string_view::npos)
                return std::nullopt;
            word.append(line.substr(i + 1, close - i - 1));
            i = close;
            inWord = true;
        } else if (c == '"') {
            for (++i; i < line.size() && line[i] != '"'; ++i) {
                if (line[i] == '\\' && i + 1 < line.size() &&
                    (line[i + 1] == '"' || line[i + 1] == '\\'))
                    ++i;
                word += line[i];
            }
            if (i >= line.size())
                return std::nullopt;
            inWord = true;
        } else if (c == '\\' && i + 1 < line.size()) {
            word += line[++i];
            inWord = true;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words.push_back(std::move(word));
    return words;
}

ParsedCases ParseCaseFile(std::string_view fileName, std::string_view content) {
    ParsedCases parsed;
    std::vector<std::string_view> lines = SplitLines(content);
    if (!lines.empty() && lines.back().empty())
        lines.pop_back();
    TestCase* current = nullptr;
    std::string* block = nullptr;
    std::vector<std::string_view> blockLines;
    auto fail = [&](int lineNumber, std::string_view why) {
        parsed.cases.clear();
        parsed.error =
            std::string(fileName) + ":" + std::to_string(lineNumber) + ": " + std::string(why);
        return parsed;
    };
    auto closeBlock = [&] {
        if (block != nullptr)
            *block = BlockText(blockLines);
        block = nullptr;
        blockLines.clear();
    };
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int lineNumber = static_cast<int>(i) + 1;
        std::string_view line = lines[i];
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (StartsWith(line, "=== ")) {
            closeBlock();
            parsed.cases.push_back(TestCase{});
            current = &parsed.cases.back();
            current->file = std::string(fileName);
            current->line = lineNumber;
            current->name = std::string(Trimmed(line.substr(4)));
            continue;
        }
        if (StartsWith(line, "--- ")) {
            if (current == nullptr)
                return fail(lineNumber, "output block before the first case");
            closeBlock();
            const std::string_view stream = Trimmed(line.substr(4));
            if (stream == "stdout")
                block = &current->expectedStdout;
            else if (stream == "stderr")
                block = &current->expectedStderr;
            else
                return fail(lineNumber, "unknown output block");
            continue;
        }
        if (block != nullptr) {
            blockLines.push_back(line);
            continue;
        }
        if (Trimmed(line).empty() || line.front() == '#')
            continue;
        if (current == nullptr)
            return fail(lineNumber, "directive before the first case");
        if (StartsWith(line, "args:")) {
            auto words = SplitShellWords(line.substr(5));
            if (!words)
                return fail(lineNumber, "unbalanced quotes in args");
            current->arguments = std::move(*words);
        } else if (StartsWith(line, "env:")) {
            auto words = SplitShellWords(line.substr(4));
            if (!words)
                return fail(lineNumber, "unbalanced quotes in env");
            current->hasEnvironment = true;
            current->environment.insert(current->environment.end(), words->begin(), words->end());
        } else if (StartsWith(line, "locales:")) {
            auto words = SplitShellWords(line.substr(8));
            if (!words)
                return fail(lineNumber, "unbalanced quotes in locales");
            current->locales = std::move(*words);
        } else if (StartsWith(line, "stdout:")) {
            const std::string_view target = Trimmed(line.substr(7));
            if (target != "pipe" && target != "full" && target != "closed" &&
                target != "broken-pipe")
                return fail(lineNumber, "unknown stdout target");
            current->standardOutput = std::string(target);
        } else if (StartsWith(line, "program:")) {
            current->program = std::string(Trimmed(line.substr(8)));
        } else if (StartsWith(line, "exit:")) {
            const std::string_view code = Trimmed(line.substr(5));
            const auto [end, ec] =
                std::from_chars(code.data(), code.data() + code.size(), current->exitCode);
            if (ec != std::errc() || end != code.data() + code.size())
                return fail(lineNumber, "exit code is not a number");
        } else {
            return fail(lineNumber, "unknown directive");
        }
    }
    closeBlock();
    return parsed;
}

bool OutputMatches(std::string_view expected, std::string_view actual, std::string_view exeDir) {
    const std::string pattern = ReplaceAll(std::string(expected), "{{exe_dir}}", exeDir);
    const std::vector<std::string_view> patternLines = SplitLines(pattern);
    const std::vector<std::string_view> actualLines = SplitLines(actual);
    if (patternLines.size() != actualLines.size())
        return false;
    for (std::size_t i = 0; i < patternLines.size(); ++i)
        if (!LineMatches(patternLines[i], actualLines[i]))
            return false;
    return true;
}

} // namespace orvex::e2e
