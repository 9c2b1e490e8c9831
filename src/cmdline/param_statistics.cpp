#include "cmdline/param_statistics.h"

#include "cmdline/cmdline_context.h"
#include "cmdline/param_names.h"
#include "cmdline/substring_index.h"
#include "cmdline/text_helpers.h"

#include <algorithm>
#include <unordered_set>

namespace orvex::cmdline {
namespace {

constexpr std::string_view kHelpCandidates = "H HELP ? H2 HELP2 ?? VERSION-ONLY BUILD-ONLY INFO";

void Count(std::uint16_t& counter, std::string& list, std::string_view argument) {
    ++counter;
    list += ListForm(argument);
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

// Counts one argument inside the examined range. The distinct test is a
// substring test on the upper-cased list of distinct arguments so far, so an
// argument that occurs inside an earlier one is not distinct.
void CountInRange(TParamStatisticsRec& s, TSubstringIndex& distinctUpper,
                  const TParamStatusRec& argument) {
    Count(s.TotalCount, s.TotalList, argument.Text);
    const std::string text = argument.Text.empty() ? std::string("\"\"") : argument.Text;
    if (!argument.Text.empty())
        Count(s.NonEmptyCount, s.NonEmptyList, text);
    if (!distinctUpper.Contains(UpperCaseAscii(text))) {
        const std::size_t listed = s.DistinctList.size();
        Count(s.DistinctCount, s.DistinctList, text);
        distinctUpper.Append(UpperCaseAscii(std::string_view(s.DistinctList).substr(listed)));
    }
    if (argument.Status != psOption && argument.Status != psValue)
        Count(s.NotOptionCount, s.NotOptionList, text);
    Count(s.ListedCount, s.ListedList, text);
    CountByStatus(s, argument.Status, text);
}

// The claimed option words (attached values split off at ":") that are
// accepted forms of a declared name.
void CollectKnownOptionWords(TParamStatisticsRec& s) {
    std::unordered_set<std::string> forms;
    for (const std::string& form : SplitWords(s.KnownForms, " "))
        forms.insert(UpperCaseAscii(form));
    for (const std::string& word : SplitWords(s.OptionList + s.AttachedList, " :"))
        if (forms.contains(UpperCaseAscii(word)))
            s.KnownOptionWords += word + " ";
}

} // namespace

void BuildHelpParamHint(std::string& hint, std::string_view declaredNames,
                        std::string_view candidates) {
    const std::string declared = std::string(declaredNames) + " ";
    for (const std::string& word : SplitQuotedWords(UpperCaseAscii(candidates))) {
        if ((hint + " ").find(word + " ") != std::string::npos)
            continue;
        if (declared.find(word + " ") == std::string::npos)
            continue;
        hint += (word.size() == 1 ? " -" : " --") + word;
    }
    hint = TrimControl(hint);
}

void ComputeParamStatistics(TCmdLineContext& context, TParamStatisticsRec& statistics,
                            const TParamStatusArray& table, std::string_view knownNames,
                            bool checkOptions, int first, int last) {
    TParamStatisticsRec& s = statistics;
    std::string title = std::move(s.Title);
    s = TParamStatisticsRec{};
    s.Title = std::move(title);

    BuildHelpParamHint(context.HelpParamHint, context.KnownParamNames, kHelpCandidates);
    ExpandParamForms(context, s.KnownForms, knownNames, 0);

    if (!table.empty()) {
        const int lastIndex = static_cast<int>(table.size()) - 1;
        first = std::max(first, 0);
        if (last < 0 || last > lastIndex)
            last = lastIndex;
        s.First = static_cast<std::int16_t>(first);
        s.Last = static_cast<std::int16_t>(last);
        TSubstringIndex distinctUpper;
        for (int i = 0; i <= lastIndex; ++i) {
            const TParamStatusRec& argument = table[static_cast<std::size_t>(i)];
            if (i >= first && i <= last) {
                CountInRange(s, distinctUpper, argument);
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
}

bool ValidateSyntax(TCmdLineContext& context, TParamStatisticsRec& statistics,
                    const TParamStatusArray& table, std::string_view knownNames, bool checkOptions,
                    int first, int last) {
    ComputeParamStatistics(context, statistics, table, knownNames, checkOptions, first, last);
    if (!context.DefaultSyntax.Computed)
        ComputeParamStatistics(context, context.DefaultSyntax, table, knownNames, checkOptions, -1,
                               -1);
    return statistics.Valid;
}

} // namespace orvex::cmdline
