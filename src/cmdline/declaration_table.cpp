#include "cmdline/declaration_table.h"

#include "cmdline/cmdline_context.h"
#include "cmdline/declarations.h"
#include "cmdline/find_param.h"
#include "cmdline/param_names.h"

#include <algorithm>
#include <array>
#include <vector>

namespace orvex::cmdline {
namespace {

constexpr std::int32_t kNoMatch = -1;

bool MatchesAnyWord(const TCmdLineContext& context, const TParamDeclaration& declaration,
                    std::string_view argument) {
    for (const std::string_view word : declaration.NameWords())
        if (MatchesParamName(context, word, argument))
            return true;
    return false;
}

// The index of the first argument each entry's names match, in one pass
// over the arguments. Matching depends on the texts alone, not on what an
// earlier entry claimed, so each entry's search can start right there.
void FindFirstMatches(const TCmdLineContext& context, const TParamStatusArray& table,
                      std::span<const TParamDeclaration> declarations,
                      std::span<std::int32_t> first) {
    std::fill(first.begin(), first.end(), kNoMatch);
    std::size_t unmatched = declarations.size();
    for (std::size_t i = 0; i < table.size() && unmatched > 0; ++i) {
        const std::string& text = table[i].Text;
        if (!CanStartOption(context, text))
            continue;
        for (std::size_t k = 0; k < declarations.size(); ++k) {
            if (first[k] != kNoMatch || !MatchesAnyWord(context, declarations[k], text))
                continue;
            first[k] = static_cast<std::int32_t>(i);
            --unmatched;
        }
    }
}

template <typename T> T* VariableOf(const TParamBinding& binding) {
    T* const* variable = std::get_if<T*>(&binding.Variable);
    return variable != nullptr ? *variable : nullptr;
}

int ValueCountOf(TParamKind kind) {
    return kind == TParamKind::Switch ? 0 : 1;
}

// The flags the declaration operation of the kind passes on to the search.
int SearchFlagsOf(const TParamDeclaration& declaration) {
    const bool ownFlags =
        declaration.Kind == TParamKind::Switch || declaration.Kind == TParamKind::Int;
    return ownFlags ? declaration.Flags : 0;
}

std::string DefaultTextOf(const TParamDeclaration& declaration, const TParamBinding& binding) {
    if (declaration.Kind != TParamKind::Int || (declaration.Flags & pfDefaultFromVariable) == 0)
        return {};
    const std::int32_t* variable = VariableOf<std::int32_t>(binding);
    return variable != nullptr ? std::to_string(*variable) : std::string();
}

// What the declaration operation of the kind does after its search.
void Finish(TCmdLineContext& context, const TParamDeclaration& declaration,
            const TParamBinding& binding, TFindParamRec& result) {
    switch (declaration.Kind) {
    case TParamKind::Switch:
        break;
    case TParamKind::FlagSwitch:
        if (bool* variable = VariableOf<bool>(binding))
            *variable = result.Found;
        break;
    case TParamKind::Text:
        if (std::string* variable = VariableOf<std::string>(binding))
            *variable = result.Value;
        break;
    case TParamKind::Word: {
        const std::uint16_t value =
            FinishWordParam(context, result, static_cast<std::uint16_t>(declaration.Fallback));
        if (std::uint16_t* variable = VariableOf<std::uint16_t>(binding))
            *variable = value;
        break;
    }
    case TParamKind::Int: {
        const std::int32_t value = FinishIntParam(context, result, declaration.Fallback);
        if (std::int32_t* variable = VariableOf<std::int32_t>(binding))
            *variable = value;
        break;
    }
    }
}

} // namespace

void DeclareParams(TCmdLineContext& context, TParamStatusArray& table,
                   std::span<const TParamDeclaration> declarations,
                   std::span<const TParamBinding> bindings) {
    // An earlier table's names come first in the known names.
    if (!context.PendingDeclarations.empty())
        ResolvedKnownParamNames(context);
    context.PendingDeclarations = declarations;
    // A program's table fits the array; a bigger one takes the heap.
    std::array<std::int32_t, 32> few;
    std::vector<std::int32_t> many(declarations.size() > few.size() ? declarations.size() : 0);
    const std::span<std::int32_t> first =
        many.empty() ? std::span<std::int32_t>(few).first(declarations.size())
                     : std::span<std::int32_t>(many);
    FindFirstMatches(context, table, declarations, first);
    const int last = static_cast<int>(table.size()) - 1;
    TFindParamRec unbound;
    for (std::size_t k = 0; k < declarations.size(); ++k) {
        const TParamDeclaration& declaration = declarations[k];
        const TParamBinding& binding = bindings[k];
        TFindParamRec& result = binding.Result != nullptr ? *binding.Result : unbound;
        if (declaration.Kind == TParamKind::Text)
            if (std::string* variable = VariableOf<std::string>(binding))
                variable->clear();
        BeginParamSearch(result, DefaultTextOf(declaration, binding), {});
        if (first[k] != kNoMatch) {
            const TNameWords words = declaration.NameWords();
            SearchParamWords(context, result, table, words.Span(), first[k], last,
                             ValueCountOf(declaration.Kind), SearchFlagsOf(declaration));
        }
        Finish(context, declaration, binding, result);
    }
}

std::string& ResolvedKnownParamNames(TCmdLineContext& context) {
    for (const TParamDeclaration& declaration : context.PendingDeclarations)
        AddKnownNames(context.KnownParamNames, declaration.Names);
    context.PendingDeclarations = {};
    return context.KnownParamNames;
}

} // namespace orvex::cmdline
