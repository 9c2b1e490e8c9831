// The text built-ins. Texts are byte strings: positions and lengths count
// bytes, the first byte is position 1, and letter case means the ASCII
// letters only.
//
// copy and delete accept any position and length without reading outside
// the text: a position below 1 counts as 1, a length that reaches beyond the
// end stops at the end, and a length of zero or less, or a position after
// the last byte, selects nothing. delete removes exactly the bytes that copy
// with the same arguments returns.
#include "exprengine/builtin_library.h"

#include "exprengine/builtin_support.h"
#include "exprengine/errors.h"
#include "formatting/text.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvex::engine {

namespace {

using formatting::AsciiUpper;
using formatting::LowerCaseAscii;
using formatting::UpperCaseAscii;

// The bytes at 1-based position index and after, at most count of them, as
// a 0-based offset and a length inside the text.
struct TByteRange {
    std::size_t Offset = 0;
    std::size_t Length = 0;
};

TByteRange RangeInText(std::string_view text, std::int64_t index, std::int64_t count) {
    const auto size = static_cast<std::int64_t>(text.size());
    const std::int64_t start = std::max<std::int64_t>(index, 1);
    if (count <= 0 || start > size)
        return {};
    const std::int64_t available = size - start + 1;
    return {static_cast<std::size_t>(start - 1),
            static_cast<std::size_t>(std::min(count, available))};
}

// Searches for one pattern in time linear in the lengths (Knuth, Morris and
// Pratt). std::string::find compares the pattern afresh at every start, so a
// long pattern of repeated bytes in a long text of the same bytes, which a
// few nested calls build, would take hours.
class TTextSearch {
  public:
    // pattern must not be empty and must outlive the search.
    explicit TTextSearch(std::string_view pattern) : pattern_(pattern), border_(pattern.size()) {
        std::size_t matched = 0;
        for (std::size_t i = 1; i < pattern.size(); ++i) {
            matched = Extend(matched, pattern[i]);
            border_[i] = matched;
        }
    }

    // The offset of the first occurrence at or after from, or npos.
    std::size_t Find(std::string_view text, std::size_t from) const {
        std::size_t matched = 0;
        for (std::size_t i = from; i < text.size(); ++i) {
            matched = Extend(matched, text[i]);
            if (matched == pattern_.size())
                return i + 1 - matched;
        }
        return std::string_view::npos;
    }

  private:
    // The length matched after c, given the length matched before it; falls
    // back along the borders (the longest proper prefix of the match that is
    // also its suffix) until c continues a match or none is left.
    std::size_t Extend(std::size_t matched, char c) const {
        while (matched > 0 && c != pattern_[matched])
            matched = border_[matched - 1];
        return c == pattern_[matched] ? matched + 1 : 0;
    }

    std::string_view pattern_;
    std::vector<std::size_t> border_;
};

void AppendLimited(std::string& text, std::string_view piece) {
    if (text.size() + piece.size() > static_cast<std::size_t>(kMaxReplacedTextLength))
        RaiseParserError(msg::SErrTextTooLong, {kMaxReplacedTextLength});
    text.append(piece);
}

// Replaces the first occurrence of oldText, or every one when all is set,
// scanning left to right without overlaps; an empty oldText replaces nothing.
// The result is built within kMaxReplacedTextLength.
std::string StringReplace(std::string_view text, std::string_view oldText, std::string_view newText,
                          bool all, bool ignoreCase) {
    if (oldText.empty())
        return std::string(text);
    // ASCII folding keeps every byte in place, so positions found in the
    // folded copies are positions in the original text.
    const std::string foldedText = ignoreCase ? UpperCaseAscii(text) : std::string(text);
    const std::string foldedOld = ignoreCase ? UpperCaseAscii(oldText) : std::string(oldText);
    const TTextSearch search(foldedOld);
    std::string replaced;
    std::size_t from = 0;
    for (;;) {
        const std::size_t found = search.Find(foldedText, from);
        if (found == std::string::npos)
            break;
        AppendLimited(replaced, text.substr(from, found - from));
        AppendLimited(replaced, newText);
        from = found + oldText.size();
        if (!all)
            break;
    }
    AppendLimited(replaced, text.substr(from));
    return replaced;
}

// The difference of the first pair of differing upper-case bytes, taken as
// unsigned; -1 or 1 when one text is the start of the other.
std::int64_t CompareText(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const auto left = static_cast<unsigned char>(AsciiUpper(a[i]));
        const auto right = static_cast<unsigned char>(AsciiUpper(b[i]));
        if (left != right)
            return static_cast<std::int64_t>(left) - static_cast<std::int64_t>(right);
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

void Length(TExpressionResult& result, const TExprParameterArray& args) {
    result.SetIntegerValue(static_cast<std::int64_t>(TextArgument(args, 0).size()));
}

void Copy(TExpressionResult& result, const TExprParameterArray& args) {
    const std::string_view text = TextArgument(args, 0);
    const TByteRange range = RangeInText(text, IntegerArgument(args, 1), IntegerArgument(args, 2));
    result.StringValue = std::string(text.substr(range.Offset, range.Length));
}

void Delete(TExpressionResult& result, const TExprParameterArray& args) {
    const std::string_view text = TextArgument(args, 0);
    const TByteRange range = RangeInText(text, IntegerArgument(args, 1), IntegerArgument(args, 2));
    std::string remaining(text);
    remaining.erase(range.Offset, range.Length);
    result.StringValue = std::move(remaining);
}

// pos(t, s): where t first occurs in s, 0 when it does not (or is empty).
void Pos(TExpressionResult& result, const TExprParameterArray& args) {
    const std::string_view needle = TextArgument(args, 0);
    const std::string_view text = TextArgument(args, 1);
    const std::size_t found =
        needle.empty() ? std::string_view::npos : TTextSearch(needle).Find(text, 0);
    result.SetIntegerValue(found == std::string_view::npos ? 0
                                                           : static_cast<std::int64_t>(found) + 1);
}

void LowerCase(TExpressionResult& result, const TExprParameterArray& args) {
    result.StringValue = LowerCaseAscii(TextArgument(args, 0));
}

void UpperCase(TExpressionResult& result, const TExprParameterArray& args) {
    result.StringValue = UpperCaseAscii(TextArgument(args, 0));
}

void StringReplaceCallback(TExpressionResult& result, const TExprParameterArray& args) {
    result.StringValue =
        StringReplace(TextArgument(args, 0), TextArgument(args, 1), TextArgument(args, 2),
                      BooleanArgument(args, 3), BooleanArgument(args, 4));
}

void CompareTextCallback(TExpressionResult& result, const TExprParameterArray& args) {
    result.SetIntegerValue(CompareText(TextArgument(args, 0), TextArgument(args, 1)));
}

constexpr TBuiltinFunction kStringFunctions[] = {
    {"length", 'I', "S", &Length},
    {"copy", 'S', "SII", &Copy},
    {"delete", 'S', "SII", &Delete},
    {"pos", 'I', "SS", &Pos},
    {"lowercase", 'S', "S", &LowerCase},
    {"uppercase", 'S', "S", &UpperCase},
    {"stringreplace", 'S', "SSSBB", &StringReplaceCallback},
    {"comparetext", 'I', "SS", &CompareTextCallback},
};

} // namespace

void RegisterStringBuiltins(TExprBuiltInManager& manager) {
    RegisterFunctions(manager, bcStrings, kStringFunctions);
}

} // namespace orvex::engine
