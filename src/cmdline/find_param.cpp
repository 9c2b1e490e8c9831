#include "cmdline/find_param.h"

#include "cmdline/cmdline_context.h"
#include "cmdline/declaration_table.h"
#include "cmdline/param_names.h"
#include "cmdline/text_helpers.h"

namespace orvex::cmdline {
namespace {

bool CanBeTakenAsValue(const TParamStatusRec& argument) {
    return argument.Status == psUnclaimed || argument.Status == psValue;
}

void SetMarks(TParamStatusRec& argument, std::uint8_t first, std::uint8_t second,
              std::uint8_t third) {
    argument.Marks[0] = first;
    argument.Marks[1] = second;
    argument.Marks[2] = third;
}

// Takes the argument `offset` places after the option at `index` as one of
// its values. A missing or empty required value makes the option an error
// and not found; a value slot another option already holds makes it an
// error that is still found. The second value clears mark 0 where the first
// sets it.
void TakeFollowingValue(TFindParamRec& result, TParamStatusArray& table, int index, int offset,
                        bool required, std::string& value) {
    TParamStatusRec& option = table[static_cast<std::size_t>(index)];
    const std::uint8_t optionMark = offset == 1 ? 1 : 0;
    const std::size_t valueIndex = static_cast<std::size_t>(index + offset);
    if (valueIndex >= table.size()) {
        value.clear();
        if (required) {
            result.Found = false;
            option.Status = psError;
            SetMarks(option, optionMark, 0, 0);
        }
        return;
    }
    TParamStatusRec& following = table[valueIndex];
    value = following.Text;
    if (required && value.empty()) {
        result.Found = false;
        option.Status = psError;
        SetMarks(option, optionMark, 0, 0);
    } else if (CanBeTakenAsValue(following)) {
        following.Status = psValue;
        following.Marks[1] = 1;
    } else {
        option.Status = psError;
        option.Marks[0] = optionMark;
    }
}

// Claims the argument at index for a match; returns false when the value
// was attached, so no following argument is taken and no other word of the
// name list is tried on this argument.
bool ClaimMatch(TFindParamRec& result, TParamStatusArray& table, int index,
                const TFindParamRec& match, int valueCount, int flags) {
    TParamStatusRec& argument = table[static_cast<std::size_t>(index)];
    const bool firstRequired = (flags & (pfBothValuesRequired | pfFirstValueRequired)) != 0;
    const bool secondRequired = (flags & pfBothValuesRequired) != 0;
    argument.Status = psOption;
    argument.Marks[0] = 1;
    result.Name = argument.Text;
    result.Index = index;
    result.Position = index + 1;
    result.Found = true;
    if (match.Attached) {
        result.Name = match.Name;
        result.Value = match.Value;
        result.Attached = true;
        if (!(firstRequired && result.Value.empty())) {
            argument.Status = psAttached;
            argument.Marks = {1, 1, 1, 0};
            return false;
        }
        // A required value attached empty: try the following argument.
        argument.Status = psError;
        SetMarks(argument, 1, 0, 1);
    }
    if (valueCount >= 1)
        TakeFollowingValue(result, table, index, 1, firstRequired, result.Value);
    if (valueCount == 2)
        TakeFollowingValue(result, table, index, 2, secondRequired, result.Value2);
    return true;
}

} // namespace

void BeginParamSearch(TFindParamRec& result, std::string_view defaultValue1,
                      std::string_view defaultValue2) {
    // Field by field, so that a record used again keeps its texts' storage.
    result.Defaulted = result.Found = result.Attached = false;
    result.Index = result.Position = -1;
    result.Name.clear();
    result.Value.assign(defaultValue1);
    result.Value2.assign(defaultValue2);
}

void SearchParamWords(const TCmdLineContext& context, TFindParamRec& result,
                      TParamStatusArray& table, std::span<const std::string_view> words, int first,
                      int last, int valueCount, int flags) {
    TFindParamRec match;
    for (int i = first; i <= last; ++i) {
        const std::string& text = table[static_cast<std::size_t>(i)].Text;
        if (!CanStartOption(context, text))
            continue; // an expression part, most likely: no name can match
        for (const std::string_view word : words) {
            if (!MatchParamName(context, word, text, match))
                continue;
            if (!ClaimMatch(result, table, i, match, valueCount, flags))
                break;
        }
        if ((flags & pfClaimEveryOccurrence) == 0 && result.Index != -1)
            return;
    }
}

void FindParam(TCmdLineContext& context, TFindParamRec& result, TParamStatusArray& table,
               std::string_view names, int last, int first, int valueCount, int flags,
               std::string_view defaultValue1, std::string_view defaultValue2) {
    BeginParamSearch(result, defaultValue1, defaultValue2);
    AddKnownNames(ResolvedKnownParamNames(context), names);

    const int lastIndex = static_cast<int>(table.size()) - 1;
    if (last == -1 || last > lastIndex)
        last = lastIndex;
    if (first < 0)
        first = 0;
    if (last < first)
        return;

    std::vector<std::string_view> words;
    ForEachWord(names, NameDelimiters, [&words](std::string_view word) { words.push_back(word); });
    SearchParamWords(context, result, table, words, first, last, valueCount, flags);
}

} // namespace orvex::cmdline
