#include "cmdline/text_helpers.h"

#include "formatting/text.h"

namespace orvex::cmdline {

std::string RemoveAllIgnoreCase(std::string_view text, std::string_view pattern) {
    if (pattern.empty())
        return std::string(text);
    const std::string upperText = formatting::UpperCaseAscii(text);
    const std::string upperPattern = formatting::UpperCaseAscii(pattern);
    std::string result;
    std::size_t from = 0;
    for (std::size_t at = upperText.find(upperPattern); at != std::string::npos;
         at = upperText.find(upperPattern, from)) {
        result.append(text.substr(from, at - from));
        from = at + pattern.size();
    }
    result.append(text.substr(from));
    return result;
}

std::vector<std::string> SplitWords(std::string_view text, std::string_view delimiters) {
    std::vector<std::string> words;
    ForEachWord(text, delimiters, [&words](std::string_view word) { words.emplace_back(word); });
    return words;
}

std::vector<std::string> SplitQuotedWords(std::string_view text) {
    std::vector<std::string> words;
    std::string word;
    bool quoted = false;
    for (char c : text) {
        if (c == '"') {
            quoted = !quoted;
        } else if (c == ' ' && !quoted) {
            if (!word.empty())
                words.push_back(std::move(word));
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty())
        words.push_back(std::move(word));
    return words;
}

std::string ListForm(std::string_view argument) {
    std::string form;
    AppendListForm(form, argument);
    return form;
}

void AppendListForm(std::string& list, std::string_view argument) {
    const bool quoted = argument.empty() || argument.find(' ') != std::string_view::npos;
    if (quoted)
        list += '"';
    list += argument;
    if (quoted)
        list += '"';
}

} // namespace orvex::cmdline
