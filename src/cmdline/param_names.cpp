#include "cmdline/param_names.h"

#include "cmdline/cmdline_context.h"
#include "cmdline/text_helpers.h"

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

// argument starts with form followed by ":" or "=", letters without case.
bool HasAttachedValue(std::string_view form, std::string_view argument) {
    const std::size_t n = form.size() + 1;
    if (argument.size() < n)
        return false;
    const char separator = argument[n - 1];
    return (separator == ':' || separator == '=') &&
           platform::SameTextIgnoreCase(argument.substr(0, n - 1), form);
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

} // namespace

std::vector<std::string> SplitNameList(std::string_view names) {
    return SplitWords(names, NameDelimiters);
}

std::vector<std::string> AcceptedPrefixes(const TCmdLineContext& context, std::string_view word,
                                          int switchStyle) {
    if (word.size() == 1) {
        if (IsSpecialSwitchChar(word[0]) && AcceptsBareSpecials(switchStyle))
            return {"", "/", "-"};
        return {"/", "-"};
    }
    if (context.LongNamesNeedDoubleDash)
        return {"/", "--"};
    return {"/", "-", "--"};
}

std::vector<std::string> AcceptedForms(const TCmdLineContext& context, std::string_view word) {
    std::vector<std::string> forms = AcceptedPrefixes(context, word, context.SwitchStyle);
    for (std::string& form : forms)
        form += word;
    return forms;
}

bool MatchParamName(const TCmdLineContext& context, std::string_view word,
                    std::string_view argument, TFindParamRec& match) {
    return MatchAcceptedForms(context, AcceptedForms(context, word), argument, match);
}

bool MatchAcceptedForms(const TCmdLineContext& context, const std::vector<std::string>& forms,
                        std::string_view argument, TFindParamRec& match) {
    ResetMatch(match);
    bool matched = false;
    for (const std::string& form : forms) {
        if (argument.size() == form.size() && platform::SameTextIgnoreCase(argument, form)) {
            match.Found = true;
            match.Name = argument;
            matched = true;
            continue;
        }
        if (!matched && AcceptsAttachedValues(context.SwitchStyle) &&
            HasAttachedValue(form, argument)) {
            match.Name = argument.substr(0, form.size());
            match.Value = argument.substr(form.size() + 1, kMaxAttachedValue);
            match.Attached = true;
            return true;
        }
    }
    return matched;
}

void AddKnownNames(std::string& knownNames, std::string_view names) {
    for (const std::string& word : SplitQuotedWords(UpperCaseAscii(names))) {
        const std::string padded = " " + knownNames + " ";
        if (padded.find(" " + word + " ") == std::string::npos)
            knownNames += " " + word;
    }
    knownNames = TrimControl(knownNames);
}

void ExpandParamForms(const TCmdLineContext& context, std::string& forms, std::string_view names,
                      int switchStyle) {
    forms.clear();
    std::vector<std::string> suffixes{""};
    if (AcceptsAttachedValues(switchStyle))
        suffixes = {"", ":", "="};
    for (const std::string& word : SplitNameList(names)) {
        const std::vector<std::string> prefixes = AcceptedPrefixes(context, word, switchStyle);
        for (const std::string& suffix : suffixes)
            for (const std::string& prefix : prefixes) {
                const std::string form = prefix + word + suffix + " ";
                if (forms.find(form) == std::string::npos)
                    forms += form;
            }
    }
}

} // namespace orvex::cmdline
