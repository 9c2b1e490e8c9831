#include "cmdline/param_statistics.h"

#include "cmdline/cmdline_context.h"
#include "cmdline/declaration_table.h"
#include "cmdline/param_names.h"
#include "cmdline/substring_index.h"
#include "cmdline/text_helpers.h"
#include "formatting/text.h"

#include <algorithm>
#include <unordered_set>

namespace orvex::cmdline {
namespace {

constexpr std::string_view kHelpCandidates = "H HELP ? H2 HELP2 ?? VERSION-ONLY BUILD-ONLY INFO";

void Count(std::uint16_t& counter, std::string& list, std::string_view argument) {
    ++counter;
    AppendListForm(list, argument);
    list += ' ';
}

void CountByStatus(TParamStatisticsRec& s, std::int32_t status, std::string_view argument) {
    switch (status) {
    case psUnclaimed:
        Count(s.UnclaimedCount, s.UnclaimedList, argument);
        break;
    case psOption:
        Count(s.OptionCount, s.OptionList, argument);
        break;
    case psValue:
        Count(s.ValueCount, s.ValueList, argument);
        break;
    case psAttached:
        Count(s.AttachedCount, s.AttachedList, argument);
        break;
    case psError:
        Count(s.ErrorCount, s.ErrorList, argument);
        break;
    case psOther:
        Count(s.OtherCount, s.OtherList, argument);
        break;
    default:
        break;
    }
}

// How an argument is counted from the distinct test on: an empty one as two
// double quotes.
std::string_view CountedText(const std::string& argument) {
    return argument.empty() ? std::string_view("\"\"") : std::string_view(argument);
}

// Counts the argument with number `number` inside the examined range. The
// distinct test is a substring test on the upper-cased list of distinct
// arguments so far, so an argument that occurs inside an earlier one, or
// across the blank between two, is not distinct.
void CountInRange(TParamStatisticsRec& s, TSubstringIndex& distinct, std::size_t number,
                  const TParamStatusRec& argument) {
    Count(s.TotalCount, s.TotalList, argument.Text);
    const std::string_view text = CountedText(argument.Text);
    if (!argument.Text.empty())
        Count(s.NonEmptyCount, s.NonEmptyList, text);
    if (!distinct.Contains(number)) {
        const std::size_t listed = s.DistinctList.size();
        Count(s.DistinctCount, s.DistinctList, text);
        distinct.Append(std::string_view(s.DistinctList).substr(listed));
    }
    if (argument.Status != psOption && argument.Status != psValue)
        Count(s.NotOptionCount, s.NotOptionList, text);
    Count(s.ListedCount, s.ListedList, text);
    CountByStatus(s, argument.Status, text);
}

// The distinct test asks about each argument of the range in turn, as it
// is counted.
TSubstringIndex DistinctIndex(const TParamStatusArray& table, int first, int last) {
    std::vector<std::string_view> patterns;
    if (last >= first)
        patterns.reserve(static_cast<std::size_t>(last - first + 1));
    for (int i = first; i <= last; ++i)
        patterns.push_back(CountedText(table[static_cast<std::size_t>(i)].Text));
    return TSubstringIndex(std::move(patterns), true);
}

// One of the blank-separated words of list equals word, ASCII letters
// without case.
bool ContainsWordIgnoreCase(std::string_view list, std::string_view word) {
    bool found = false;
    ForEachWord(list, " ", [&](std::string_view candidate) {
        found = found || formatting::EqualsIgnoreAsciiCase(candidate, word);
    });
    return found;
}

// The claimed option words (attached values split off at ":") that are
// accepted forms of a declared name. A command line claims no option or a
// few, whose words are looked up in the list of forms itself; only many of
// them are worth a set of the forms.
void CollectKnownOptionWords(TParamStatisticsRec& s) {
    if (s.OptionList.empty() && s.AttachedList.empty())
        return;
    const std::vector<std::string> words = SplitWords(s.OptionList + s.AttachedList, " :");
    constexpr std::size_t kFewWords = 8;
    if (words.size() <= kFewWords) {
        for (const std::string& word : words)
            if (ContainsWordIgnoreCase(s.KnownForms, word))
                s.KnownOptionWords.append(word).append(1, ' ');
        return;
    }
    std::unordered_set<std::string> forms;
    ForEachWord(s.KnownForms, " ", [&forms](std::string_view form) {
        forms.insert(formatting::UpperCaseAscii(form));
    });
    for (const std::string& word : words)
        if (forms.contains(formatting::UpperCaseAscii(word)))
            s.KnownOptionWords.append(word).append(1, ' ');
}

// text followed by a blank contains word followed by a blank.
bool ContainsBeforeBlank(std::string_view text, std::string_view word) {
    for (std::size_t at = text.find(word); at != std::string_view::npos;
         at = text.find(word, at + 1)) {
        const std::size_t after = at + word.size();
        if (after == text.size() || text[after] == ' ')
            return true;
    }
    return false;
}

// The lists a long command line fills most: each holds at most what the
// list of all arguments in range holds, which is known before counting.
// Reserving that at once spares them the growth by doubling, which could
// leave each list with nearly twice the room it needs.
void ReserveLists(TParamStatisticsRec& s, const TParamStatusArray& table, int first, int last) {
    std::size_t bytes = 0;
    for (int i = first; i <= last; ++i) {
        const std::string& text = table[static_cast<std::size_t>(i)].Text;
        bytes += text.size() + 3; // quotes and the blank after it at most
    }
    for (std::string* list : {&s.TotalList, &s.NonEmptyList, &s.DistinctList, &s.ListedList,
                              &s.NotOptionList, &s.UnclaimedList})
        list->reserve(bytes);
}

void ShrinkLists(TParamStatisticsRec& s) {
    for (std::string* list : {&s.TotalList, &s.DistinctList, &s.NonEmptyList, &s.ListedList,
                              &s.OptionList, &s.ValueList, &s.NotOptionList, &s.AttachedList,
                              &s.ErrorList, &s.UnclaimedList, &s.OutOfRangeList, &s.OtherList})
        list->shrink_to_fit();
}

// The statistics proper. knownForms, when given, are the forms of the known
// names already expanded by the computation just before, which has also
// completed the help hint: another pass over the same candidates and names
// would add nothing to it.
void ComputeStatistics(TCmdLineContext& context, TParamStatisticsRec& statistics,
                       const TParamStatusArray& table, std::string_view knownNames,
                       bool checkOptions, int first, int last, const std::string* knownForms) {
    TParamStatisticsRec& s = statistics;
    std::string title = std::move(s.Title);
    s = TParamStatisticsRec{};
    s.Title = std::move(title);

    if (knownForms != nullptr) {
        s.KnownForms = *knownForms;
    } else {
        BuildHelpParamHint(context.HelpParamHint, context.KnownParamNames, kHelpCandidates);
        ExpandParamForms(context, s.KnownForms, knownNames, 0);
    }

    if (!table.empty()) {
        const int lastIndex = static_cast<int>(table.size()) - 1;
        first = std::max(first, 0);
        if (last < 0 || last > lastIndex)
            last = lastIndex;
        s.First = static_cast<std::int16_t>(first);
        s.Last = static_cast<std::int16_t>(last);
        ReserveLists(s, table, first, last);
        TSubstringIndex distinct = DistinctIndex(table, first, last);
        for (int i = 0; i <= lastIndex; ++i) {
            const TParamStatusRec& argument = table[static_cast<std::size_t>(i)];
            if (i >= first && i <= last) {
                CountInRange(s, distinct, static_cast<std::size_t>(i - first), argument);
                continue;
            }
            Count(s.OutOfRangeCount, s.OutOfRangeList, argument.Text);
            if (argument.Status == psOther)
                Count(s.OtherCount, s.OtherList, argument.Text);
        }
    }

    if (!s.KnownForms.empty()) {
        CollectKnownOptionWords(s);
        s.NoKnownOption = checkOptions && s.KnownOptionWords.empty();
    }
    s.Computed = true;
    s.Valid = first <= static_cast<int>(s.TotalCount) && s.UnclaimedList.empty() &&
              s.ErrorList.empty() && !s.NoKnownOption;
    ShrinkLists(s);
}

} // namespace

void BuildHelpParamHint(std::string& hint, std::string_view declaredNames,
                        std::string_view candidates) {
    ForEachQuotedWord(formatting::UpperCaseAscii(candidates), [&](std::string_view word) {
        if (!ContainsBeforeBlank(hint, word) && ContainsBeforeBlank(declaredNames, word))
            hint.append(word.size() == 1 ? " -" : " --").append(word);
    });
    formatting::TrimControlInPlace(hint);
}

void ComputeParamStatistics(TCmdLineContext& context, TParamStatisticsRec& statistics,
                            const TParamStatusArray& table, std::string_view knownNames,
                            bool checkOptions, int first, int last) {
    ComputeStatistics(context, statistics, table, knownNames, checkOptions, first, last, nullptr);
}

bool ValidateSyntax(TCmdLineContext& context, TParamStatisticsRec& statistics,
                    const TParamStatusArray& table, std::string_view knownNames, bool checkOptions,
                    int first, int last) {
    ComputeParamStatistics(context, statistics, table, knownNames, checkOptions, first, last);
    TParamStatisticsRec& defaults = context.DefaultSyntax;
    if (defaults.Computed)
        return statistics.Valid;
    const int lastIndex = static_cast<int>(table.size()) - 1;
    const bool wholeTable = first <= 0 && (last < 0 || last >= lastIndex);
    if (wholeTable) {
        // The same computation over the same arguments: only the title differs.
        std::string title = std::move(defaults.Title);
        defaults = statistics;
        defaults.Title = std::move(title);
    } else {
        // Both records list the forms of the same names.
        ComputeStatistics(context, defaults, table, knownNames, checkOptions, -1, -1,
                          &statistics.KnownForms);
    }
    return statistics.Valid;
}

void DeferSyntaxValidation(TCmdLineContext& context, bool checkOptions, int first, int last) {
    context.DeferredValidation = {true, checkOptions, first, last};
}

void CompleteSyntaxValidation(TCmdLineContext& context) {
    TCmdLineContext::TDeferredValidation& deferred = context.DeferredValidation;
    if (!deferred.Pending)
        return;
    deferred.Pending = false;
    ValidateSyntax(context, context.CustomSyntax, context.ParamStatus,
                   ResolvedKnownParamNames(context), deferred.CheckOptions, deferred.First,
                   deferred.Last);
}

const std::string& ReadHelpParamHint(TCmdLineContext& context) {
    CompleteSyntaxValidation(context);
    return context.HelpParamHint;
}

} // namespace orvex::cmdline
