#include "cmdline/param_names.h"

#include "cmdline/cmdline_context.h"
#include "cmdline/text_helpers.h"
#include "formatting/text.h"

#include <array>
#include <cstdint>
#include <span>

namespace orvex::cmdline {
namespace {

constexpr std::size_t kMaxAttachedValue = 999;

bool AcceptsAttachedValues(int switchStyle) {
    return switchStyle == 2 || switchStyle == 3;
}
bool AcceptsBareSpecials(int switchStyle) {
    return switchStyle == 1 || switchStyle == 3;
}

bool IsSpecialSwitchChar(char c) {
    return SpecialSwitchChars.find(c) != std::string_view::npos;
}

// The accepted prefixes of a name word, in order, without allocating: the
// declarations ask for them once per argument and name word.
std::span<const std::string_view> PrefixesOf(const TCmdLineContext& context, std::string_view word,
                                             int switchStyle) {
    static constexpr std::string_view kBareShort[] = {"", "/", "-"};
    static constexpr std::string_view kShort[] = {"/", "-"};
    static constexpr std::string_view kLong[] = {"/", "--"};
    static constexpr std::string_view kLongWithSingleDash[] = {"/", "-", "--"};
    if (word.size() == 1) {
        if (IsSpecialSwitchChar(word[0]) && AcceptsBareSpecials(switchStyle))
            return kBareShort;
        return kShort;
    }
    if (context.LongNamesNeedDoubleDash)
        return kLong;
    return kLongWithSingleDash;
}

// text equals prefix + word, letters without case.
bool EqualsForm(std::string_view text, std::string_view prefix, std::string_view word) {
    return text.size() == prefix.size() + word.size() &&
           platform::SameTextIgnoreCase(text.substr(0, prefix.size()), prefix) &&
           platform::SameTextIgnoreCase(text.substr(prefix.size()), word);
}

// argument starts with the form prefix + word followed by ":" or "=",
// letters without case.
bool HasAttachedValue(std::string_view prefix, std::string_view word, std::string_view argument) {
    const std::size_t n = prefix.size() + word.size() + 1;
    if (argument.size() < n)
        return false;
    const char separator = argument[n - 1];
    return (separator == ':' || separator == '=') &&
           EqualsForm(argument.substr(0, n - 1), prefix, word);
}

// Clears the record without giving up the texts' storage: a search resets
// its match record once per argument and name word.
void ResetMatch(TFindParamRec& match) {
    match.Defaulted = match.Found = match.Attached = false;
    match.Index = match.Position = -1;
    match.Name.clear();
    match.Value.clear();
    match.Value2.clear();
}

// text followed by a blank contains word followed by a blank.
bool ContainsWholeWord(std::string_view text, std::string_view word) {
    for (std::size_t at = text.find(word); at != std::string_view::npos;
         at = text.find(word, at + 1)) {
        const std::size_t after = at + word.size();
        if ((at == 0 || text[at - 1] == ' ') && (after == text.size() || text[after] == ' '))
            return true;
    }
    return false;
}

// The list of forms as it grows: blank-terminated entries, none of which
// holds a blank of its own. A new form is left out when the list already
// contains it followed by a blank, which is the case exactly when an earlier
// entry ends with the form. The entries are kept in buckets by their last two
// characters, so that this test looks at a few entries only.
class TFormList {
  public:
    explicit TFormList(std::string& text) : text_(text) {
        text_.clear();
        heads_.fill(-1);
    }

    // The candidate is written at the end of the text and taken back when an
    // earlier entry already ends with it.
    void AddUnlessContained(std::string_view prefix, std::string_view word,
                            std::string_view suffix) {
        const std::size_t offset = text_.size();
        text_.append(prefix).append(word).append(suffix);
        const std::string_view form = std::string_view(text_).substr(offset);
        if (Contains(form)) {
            text_.resize(offset);
            return;
        }
        const std::size_t bucket = BucketOf(form);
        entries_.push_back({offset, form.size(), heads_[bucket]});
        heads_[bucket] = static_cast<std::int32_t>(entries_.size() - 1);
        text_.push_back(' ');
    }

  private:
    struct TEntry {
        std::size_t Offset;
        std::size_t Length;
        std::int32_t Next;
    };

    static std::size_t BucketOf(std::string_view form) {
        const auto last = static_cast<unsigned char>(form.back());
        const auto before =
            form.size() > 1 ? static_cast<unsigned char>(form[form.size() - 2]) : 0u;
        return (before * 31u + last) % kBuckets;
    }

    bool EndsWith(const TEntry& entry, std::string_view form) const {
        if (entry.Length < form.size())
            return false;
        const std::size_t from = entry.Offset + entry.Length - form.size();
        for (std::size_t i = 0; i < form.size(); ++i)
            if (text_[from + i] != form[i])
                return false;
        return true;
    }

    bool Contains(std::string_view form) const {
        // A one-character form ends entries whatever comes before it.
        if (form.size() == 1) {
            for (const TEntry& entry : entries_)
                if (EndsWith(entry, form))
                    return true;
            return false;
        }
        for (std::int32_t e = heads_[BucketOf(form)]; e >= 0;
             e = entries_[static_cast<std::size_t>(e)].Next)
            if (EndsWith(entries_[static_cast<std::size_t>(e)], form))
                return true;
        return false;
    }

    static constexpr std::size_t kBuckets = 256;
    std::string& text_;
    std::vector<TEntry> entries_;
    std::array<std::int32_t, kBuckets> heads_;
};

} // namespace

std::vector<std::string> SplitNameList(std::string_view names) {
    return SplitWords(names, NameDelimiters);
}

std::vector<std::string> AcceptedPrefixes(const TCmdLineContext& context, std::string_view word,
                                          int switchStyle) {
    const std::span<const std::string_view> prefixes = PrefixesOf(context, word, switchStyle);
    return {prefixes.begin(), prefixes.end()};
}

bool MatchParamName(const TCmdLineContext& context, std::string_view word,
                    std::string_view argument, TFindParamRec& match) {
    ResetMatch(match);
    bool matched = false;
    for (const std::string_view prefix : PrefixesOf(context, word, context.SwitchStyle)) {
        // Neither test can succeed unless the argument starts like the form;
        // no letter can start one.
        const char first = prefix.empty() ? word[0] : prefix[0];
        if (argument.empty() || argument[0] != first)
            continue;
        if (EqualsForm(argument, prefix, word)) {
            match.Found = true;
            match.Name = argument;
            matched = true;
            continue;
        }
        if (!matched && AcceptsAttachedValues(context.SwitchStyle) &&
            HasAttachedValue(prefix, word, argument)) {
            const std::size_t formLength = prefix.size() + word.size();
            match.Name = argument.substr(0, formLength);
            match.Value = argument.substr(formLength + 1, kMaxAttachedValue);
            match.Attached = true;
            return true;
        }
    }
    return matched;
}

// An argument matches when it equals some form or, where values may be
// attached, starts with some form followed by ":" or "=".
bool MatchesParamName(const TCmdLineContext& context, std::string_view word,
                      std::string_view argument) {
    const bool attachable = AcceptsAttachedValues(context.SwitchStyle);
    for (const std::string_view prefix : PrefixesOf(context, word, context.SwitchStyle)) {
        const char first = prefix.empty() ? word[0] : prefix[0];
        if (argument.empty() || argument[0] != first)
            continue;
        if (EqualsForm(argument, prefix, word) ||
            (attachable && HasAttachedValue(prefix, word, argument)))
            return true;
    }
    return false;
}

bool CanStartOption(const TCmdLineContext& context, std::string_view argument) {
    if (argument.empty())
        return false;
    const char first = argument[0];
    return first == '/' || first == '-' ||
           (AcceptsBareSpecials(context.SwitchStyle) && IsSpecialSwitchChar(first));
}

void AddKnownNames(std::string& knownNames, std::string_view names) {
    ForEachQuotedWord(formatting::UpperCaseAscii(names), [&knownNames](std::string_view word) {
        if (!ContainsWholeWord(knownNames, word))
            knownNames.append(1, ' ').append(word);
    });
    formatting::TrimControlInPlace(knownNames);
}

void ExpandParamForms(const TCmdLineContext& context, std::string& forms, std::string_view names,
                      int switchStyle) {
    static constexpr std::string_view kPlain[] = {""};
    static constexpr std::string_view kAttached[] = {"", ":", "="};
    const std::span<const std::string_view> suffixes =
        AcceptsAttachedValues(switchStyle) ? std::span<const std::string_view>(kAttached)
                                           : std::span<const std::string_view>(kPlain);
    TFormList list(forms);
    // Enough for the forms of most lists at once.
    forms.reserve(8 * names.size());
    ForEachWord(names, NameDelimiters, [&](std::string_view word) {
        const std::span<const std::string_view> prefixes = PrefixesOf(context, word, switchStyle);
        for (const std::string_view suffix : suffixes)
            for (const std::string_view prefix : prefixes)
                list.AddUnlessContained(prefix, word, suffix);
    });
}

} // namespace orvex::cmdline
