// A program's options as one constant table, declared in one go. The table
// claims exactly what the same declarations made one by one, in table order,
// would claim, and fills the same records and variables; but the arguments
// are matched against all names in one pass, the name words are split when
// the table is compiled, and the known-names text is only built when
// something reads it.
#pragma once

#include "cmdline/param_table.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace orvex::cmdline {

struct TCmdLineContext;

// Which declaration operation an entry stands for.
enum class TParamKind : std::uint8_t {
    Switch,     // DeclareSwitch: no value, the entry's flags
    FlagSwitch, // DeclareFlagSwitch: one optional value, the variable := Found
    Text,       // DeclareTextParam
    Word,       // DeclareWordParam with the entry's fallback
    Int,        // DeclareIntParam with the entry's fallback and flags
};

inline constexpr std::size_t kMaxNameWords = 8;

// The words of one entry's name list, as NameWords hands them out.
struct TNameWords {
    std::array<std::string_view, kMaxNameWords> Words{};
    std::size_t Count = 0;

    const std::string_view* begin() const { return Words.data(); }
    const std::string_view* end() const { return Words.data() + Count; }
    std::span<const std::string_view> Span() const& { return {Words.data(), Count}; }
    std::span<const std::string_view> Span() const&& = delete; // would outlive the words
};

struct TParamDeclaration {
    // Splits the name list while compiling; a list of more than
    // kMaxNameWords words does not compile. The words are kept as places in
    // the list rather than as texts of their own: the table then holds one
    // pointer per entry, which the loader fixes up at every start.
    consteval TParamDeclaration(std::string_view names, TParamKind kind, std::int32_t fallback = 0,
                                int flags = 0)
        : Names(names), Kind(kind), Fallback(fallback), Flags(flags) {
        std::size_t at = 0;
        while (at < names.size()) {
            while (at < names.size() && IsNameDelimiter(names[at]))
                ++at;
            const std::size_t begin = at;
            while (at < names.size() && !IsNameDelimiter(names[at]))
                ++at;
            if (at == begin)
                continue;
            if (WordCount == kMaxNameWords)
                throw "too many words in one name list";
            if (at > UINT16_MAX)
                throw "name list too long";
            WordPlaces[WordCount++] = {static_cast<std::uint16_t>(begin),
                                       static_cast<std::uint16_t>(at - begin)};
        }
    }

    constexpr TNameWords NameWords() const {
        TNameWords words;
        for (; words.Count < WordCount; ++words.Count) {
            const TWordPlace place = WordPlaces[words.Count];
            words.Words[words.Count] = Names.substr(place.At, place.Size);
        }
        return words;
    }

    std::string_view Names;
    TParamKind Kind;
    std::int32_t Fallback;
    int Flags;
    struct TWordPlace {
        std::uint16_t At = 0;
        std::uint16_t Size = 0;
    };
    std::array<TWordPlace, kMaxNameWords> WordPlaces{};
    std::uint8_t WordCount = 0;

  private:
    static constexpr bool IsNameDelimiter(char c) { return c == ' ' || c == ',' || c == ';'; }
};

// Where one entry's outcome goes: its record, and the variable of its kind
// (bool for FlagSwitch, text for Text, unsigned 16-bit for Word, signed
// 32-bit for Int). A missing or mismatched variable is simply not set; an
// Int entry with pfDefaultFromVariable then defaults to an empty text.
struct TParamBinding {
    TFindParamRec* Result = nullptr;
    std::variant<std::monostate, bool*, std::string*, std::uint16_t*, std::int32_t*> Variable;
};

// Declares every entry of declarations over the whole command line, as the
// declaration operations would one after the other. The table must outlive
// the context: its names join KnownParamNames only when they are read
// (ResolvedKnownParamNames). bindings holds one element per entry.
void DeclareParams(TCmdLineContext& context, TParamStatusArray& table,
                   std::span<const TParamDeclaration> declarations,
                   std::span<const TParamBinding> bindings);

// The context's KnownParamNames, completed with the names of a table
// declared with DeclareParams that nobody has read yet.
std::string& ResolvedKnownParamNames(TCmdLineContext& context);

} // namespace orvex::cmdline
