// Small text operations the framework shares: words, quoted words and
// lists. Letter case and trimming come from formatting/text.h; names typed by
// the user are compared through the platform.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvex::cmdline {

// Every occurrence of pattern removed from text, letters compared without
// case. An empty pattern removes nothing.
std::string RemoveAllIgnoreCase(std::string_view text, std::string_view pattern);

// Words separated by runs of any of the delimiters; no empty words.
std::vector<std::string> SplitWords(std::string_view text, std::string_view delimiters);

// Calls visit with each word of SplitWords, as a view into text. The
// delimiter sets are a few characters, tested directly rather than through
// a search per character.
template <typename TVisit>
void ForEachWord(std::string_view text, std::string_view delimiters, TVisit visit) {
    const auto isDelimiter = [delimiters](char c) {
        for (const char d : delimiters)
            if (c == d)
                return true;
        return false;
    };
    std::size_t at = 0;
    while (at < text.size()) {
        while (at < text.size() && isDelimiter(text[at]))
            ++at;
        const std::size_t begin = at;
        while (at < text.size() && !isDelimiter(text[at]))
            ++at;
        if (at > begin)
            visit(text.substr(begin, at - begin));
    }
}

// Words separated by blanks, where a double-quoted run belongs to one word
// (the quotes themselves are dropped); no empty words.
std::vector<std::string> SplitQuotedWords(std::string_view text);

// Calls visit with each word of SplitQuotedWords; views into text when it
// holds no double quote.
template <typename TVisit> void ForEachQuotedWord(std::string_view text, TVisit visit) {
    if (text.find('"') == std::string_view::npos) {
        ForEachWord(text, " ", visit);
        return;
    }
    for (const std::string& word : SplitQuotedWords(text))
        visit(std::string_view(word));
}

// How an argument appears in a blank-separated list: between double quotes
// when it is empty or contains a blank.
std::string ListForm(std::string_view argument);

// ListForm appended to a list.
void AppendListForm(std::string& list, std::string_view argument);

} // namespace orvex::cmdline
