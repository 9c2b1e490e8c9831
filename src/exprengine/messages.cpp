#include "exprengine/messages.h"

#include <utility>

namespace orvex::engine {
namespace {

using TMessageEntry = std::pair<std::string_view, std::string_view>;

constexpr TMessageEntry MessageTable[] = {
    {msg::SErrUnknownCharacter, "Unknown character at pos %d: \"%s\""},
    {msg::SErrBadQuotes, "Unterminated string"},
    {msg::SErrInvalidNumberChar, "Unexpected character in number : %s"},
    {msg::SErrInvalidNumber, "Invalid numerical value : %s"},
    {msg::SErrUnterminatedIdentifier, "Unterminated quoted identifier: %s"},
    {msg::SErrExpressionTooLong, "Expression too long (more than %d characters)"},
    {msg::SErrUnexpectedEndOfExpression, "Unexpected end of expression"},
    {msg::SErrBracketExpected, "Expected ) bracket at position %d, but got %s"},
    {msg::SErrLeftBracketExpected, "Expected ( bracket at position %d, but got %s"},
    {msg::SErrCommaExpected, "Expected comma (,) at position %d, but got %s"},
    {msg::SErrUnknownTokenAtPos, "Unknown token at pos %d : %s"},
    {msg::SErrUnknownIdentifier, "Unknown identifier: %s"},
    {msg::SErrUnterminatedExpression,
     "Badly terminated expression. Found token at position %d : %s"},
    {msg::SErrInExpressionEmpty, "Cannot evaluate: empty expression"},
    {msg::SErrInExpression, "Cannot evaluate: error in expression"},
    {msg::SErrNestedTooDeeply, "Expression nested too deeply (more than %d levels)"},
    {msg::SErrTextTooLong, "Text too long (more than %d characters)"},
    {msg::SErrNoOperand, "No operand for unary operation %s"},
    {msg::SErrNoLeftOperand, "No left operand for binary operation %s"},
    {msg::SErrNoRightOperand, "No right operand for binary operation %s"},
    {msg::SErrNoNegation, "Cannot negate expression of type %s : %s"},
    {msg::SErrNoNotOperation, "Cannot perform \"not\" on expression of type %s: %s"},
    {msg::SErrTypesDoNotMatch, "Type mismatch: %s<>%s for expressions \"%s\" and \"%s\"."},
    {msg::SErrNoNodeToCheck, "Internal error: No node to check !"},
    {msg::SErrInvalidNodeType, "Node type (%s) not in allowed types (%s) for expression: %s"},
    {msg::SErrDivisionByZero, "%s division by zero"},
    {msg::SErrInvalidInteger, "%s is not a valid integer value"},
    {msg::SErrInvalidResultCharacter, "\"%s\" is not a valid return type indicator"},
    {msg::SErrDuplicateIdentifier, "An identifier with name \"%s\" already exists."},
    {msg::SErrRegistrySealed,
     "The built-in registry is sealed: parsers share it, so \"%s\" cannot be added to it; "
     "add it to a parser's identifiers instead."},
    {msg::SErrInvalidArgumentCount, "Invalid argument count for function %s"},
    {msg::SErrInvalidArgumentType, "Invalid type for argument %d: Expected %s, got %s"},
    {msg::SErrInvalidResultType,
     "Value handler for variable %s returned wrong type, expected \"%s\", got \"%s\""},
    {msg::SErrIfNeedsBoolean, "First argument to IF must be of type boolean: %s"},
    {msg::SErrCaseNeeds3, "Case statement needs to have at least 4 arguments"},
    {msg::SErrCaseEvenCount, "Case statement needs to have an even number of arguments"},
    {msg::SErrCaseLabelNotAConst, "Case label %d \"%s\" is not a constant expression"},
    {msg::SErrCaseLabelType, "Case label %d \"%s\" needs type %s, but has type %s"},
    {msg::SErrCaseValueType, "Case value %d \"%s\" needs type %s, but has type %s"},
};

} // namespace

std::string_view EngineMessage(std::string_view resourceId) {
    for (const auto& [id, text] : MessageTable) {
        if (id == resourceId)
            return text;
    }
    return resourceId;
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
            text += next->Text();
            ++next;
            ++i;
        } else {
            text += c;
        }
    }
    return text;
}

} // namespace orvex::engine
