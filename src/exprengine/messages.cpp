#include "exprengine/messages.h"

#include <charconv>

#include <utility>

namespace orvex::engine {
namespace {

// The identifier and the text are held in place rather than pointed to, so
// that the table needs no relocation when the program loads.
struct TMessageEntry {
    char id[48];
    char text[160];
};

// A text too long for its field does not compile.
constexpr TMessageEntry Entry(std::string_view id, std::string_view text) {
    TMessageEntry entry{};
    for (std::size_t i = 0; i < id.size(); ++i)
        entry.id[i] = id[i];
    for (std::size_t i = 0; i < text.size(); ++i)
        entry.text[i] = text[i];
    return entry;
}

constexpr TMessageEntry MessageTable[] = {
    Entry(msg::SErrUnknownCharacter, "Unknown character at pos %d: \"%s\""),
    Entry(msg::SErrBadQuotes, "Unterminated string"),
    Entry(msg::SErrInvalidNumberChar, "Unexpected character in number : %s"),
    Entry(msg::SErrInvalidNumber, "Invalid numerical value : %s"),
    Entry(msg::SErrUnterminatedIdentifier, "Unterminated quoted identifier: %s"),
    Entry(msg::SErrExpressionTooLong, "Expression too long (more than %d characters)"),
    Entry(msg::SErrUnexpectedEndOfExpression, "Unexpected end of expression"),
    Entry(msg::SErrBracketExpected, "Expected ) bracket at position %d, but got %s"),
    Entry(msg::SErrLeftBracketExpected, "Expected ( bracket at position %d, but got %s"),
    Entry(msg::SErrCommaExpected, "Expected comma (,) at position %d, but got %s"),
    Entry(msg::SErrUnknownTokenAtPos, "Unknown token at pos %d : %s"),
    Entry(msg::SErrUnknownIdentifier, "Unknown identifier: %s"),
    Entry(msg::SErrUnterminatedExpression,
          "Badly terminated expression. Found token at position %d : %s"),
    Entry(msg::SErrInExpressionEmpty, "Cannot evaluate: empty expression"),
    Entry(msg::SErrInExpression, "Cannot evaluate: error in expression"),
    Entry(msg::SErrNestedTooDeeply, "Expression nested too deeply (more than %d levels)"),
    Entry(msg::SErrTextTooLong, "Text too long (more than %d characters)"),
    Entry(msg::SErrNoOperand, "No operand for unary operation %s"),
    Entry(msg::SErrNoLeftOperand, "No left operand for binary operation %s"),
    Entry(msg::SErrNoRightOperand, "No right operand for binary operation %s"),
    Entry(msg::SErrNoNegation, "Cannot negate expression of type %s : %s"),
    Entry(msg::SErrNoNotOperation, "Cannot perform \"not\" on expression of type %s: %s"),
    Entry(msg::SErrTypesDoNotMatch, "Type mismatch: %s<>%s for expressions \"%s\" and \"%s\"."),
    Entry(msg::SErrNoNodeToCheck, "Internal error: No node to check !"),
    Entry(msg::SErrInvalidNodeType, "Node type (%s) not in allowed types (%s) for expression: %s"),
    Entry(msg::SErrDivisionByZero, "%s division by zero"),
    Entry(msg::SErrInvalidInteger, "%s is not a valid integer value"),
    Entry(msg::SErrInvalidResultCharacter, "\"%s\" is not a valid return type indicator"),
    Entry(msg::SErrDuplicateIdentifier, "An identifier with name \"%s\" already exists."),
    Entry(msg::SErrRegistrySealed,
          "The built-in registry is sealed: parsers share it, so \"%s\" cannot be added to it; "
          "add it to a parser's identifiers instead."),
    Entry(msg::SErrInvalidArgumentCount, "Invalid argument count for function %s"),
    Entry(msg::SErrInvalidArgumentType, "Invalid type for argument %d: Expected %s, got %s"),
    Entry(msg::SErrInvalidResultType,
          "Value handler for variable %s returned wrong type, expected \"%s\", got \"%s\""),
    Entry(msg::SErrIfNeedsBoolean, "First argument to IF must be of type boolean: %s"),
    Entry(msg::SErrCaseNeeds3, "Case statement needs to have at least 4 arguments"),
    Entry(msg::SErrCaseEvenCount, "Case statement needs to have an even number of arguments"),
    Entry(msg::SErrCaseLabelNotAConst, "Case label %d \"%s\" is not a constant expression"),
    Entry(msg::SErrCaseLabelType, "Case label %d \"%s\" needs type %s, but has type %s"),
    Entry(msg::SErrCaseValueType, "Case value %d \"%s\" needs type %s, but has type %s"),
};

} // namespace

std::string_view EngineMessage(std::string_view resourceId) {
    for (const TMessageEntry& entry : MessageTable) {
        if (std::string_view(entry.id) == resourceId)
            return entry.text;
    }
    return resourceId;
}

void TMessageArg::AppendTo(std::string& text) const {
    if (!isNumber_) {
        text += text_;
        return;
    }
    char digits[24];
    const auto [end, error] = std::to_chars(digits, digits + sizeof digits, number_);
    text.append(digits, end);
}

std::string FormatEngineMessage(std::string_view resourceId,
                                std::initializer_list<TMessageArg> args) {
    const std::string_view pattern = EngineMessage(resourceId);
    const TMessageArg* next = args.begin();
    std::string text;
    text.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        const bool placeholder =
            c == '%' && i + 1 < pattern.size() && (pattern[i + 1] == 'd' || pattern[i + 1] == 's');
        if (placeholder && next != args.end()) {
            next->AppendTo(text);
            ++next;
            ++i;
        } else {
            text += c;
        }
    }
    return text;
}

} // namespace orvex::engine
