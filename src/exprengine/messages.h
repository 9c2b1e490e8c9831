// The message texts of the expression engine, keyed by resource identifier,
// and the names the engine raises them by.
#pragma once

#include "formatting/message_table.h"

#include <string_view>

namespace orvex::engine {

using formatting::FormatResString;
using formatting::TMessageArg;
using formatting::TResourceString;

inline constexpr TResourceString kExprParsStrings[] = {
    {"cvexprpars.serrunknowncharacter", "Unknown character at pos %d: \"%s\""},
    {"cvexprpars.serrbadquotes", "Unterminated string"},
    {"cvexprpars.serrinvalidnumberchar", "Unexpected character in number : %s"},
    {"cvexprpars.serrinvalidnumber", "Invalid numerical value : %s"},
    {"cvexprpars.serrunterminatedidentifier", "Unterminated quoted identifier: %s"},
    {"cvexprpars.serrexpressiontoolong", "Expression too long (more than %d characters)"},
    {"cvexprpars.serrunexpectedendofexpression", "Unexpected end of expression"},
    {"cvexprpars.serrbracketexpected", "Expected ) bracket at position %d, but got %s"},
    {"cvexprpars.serrleftbracketexpected", "Expected ( bracket at position %d, but got %s"},
    {"cvexprpars.serrcommaexpected", "Expected comma (,) at position %d, but got %s"},
    {"cvexprpars.serrunknowntokenatpos", "Unknown token at pos %d : %s"},
    {"cvexprpars.serrunknownidentifier", "Unknown identifier: %s"},
    {"cvexprpars.serrunterminatedexpression",
     "Badly terminated expression. Found token at position %d : %s"},
    {"cvexprpars.serrinexpressionempty", "Cannot evaluate: empty expression"},
    {"cvexprpars.serrinexpression", "Cannot evaluate: error in expression"},
    {"cvexprpars.serrnestedtoodeeply", "Expression nested too deeply (more than %d levels)"},
    {"cvexprpars.serrtexttoolong", "Text too long (more than %d characters)"},
    {"cvexprpars.serrnooperand", "No operand for unary operation %s"},
    {"cvexprpars.serrnoleftoperand", "No left operand for binary operation %s"},
    {"cvexprpars.serrnorightoperand", "No right operand for binary operation %s"},
    {"cvexprpars.serrnonegation", "Cannot negate expression of type %s : %s"},
    {"cvexprpars.serrnonotoperation", "Cannot perform \"not\" on expression of type %s: %s"},
    {"cvexprpars.serrtypesdonotmatch", "Type mismatch: %s<>%s for expressions \"%s\" and \"%s\"."},
    {"cvexprpars.serrnonodetocheck", "Internal error: No node to check !"},
    {"cvexprpars.serrinvalidnodetype",
     "Node type (%s) not in allowed types (%s) for expression: %s"},
    {"cvexprpars.serrdivisionbyzero", "%s division by zero"},
    {"cvexprpars.serrinvalidinteger", "%s is not a valid integer value"},
    {"cvexprpars.serrinvalidresultcharacter", "\"%s\" is not a valid return type indicator"},
    {"cvexprpars.serrduplicateidentifier", "An identifier with name \"%s\" already exists."},
    {"cvexprpars.serrregistrysealed",
     "The built-in registry is sealed: parsers share it, so \"%s\" cannot be added to it; "
     "add it to a parser's identifiers instead."},
    {"cvexprpars.serrinvalidargumentcount", "Invalid argument count for function %s"},
    {"cvexprpars.serrinvalidargumenttype", "Invalid type for argument %d: Expected %s, got %s"},
    {"cvexprpars.serrinvalidresulttype",
     "Value handler for variable %s returned wrong type, expected \"%s\", got \"%s\""},
    {"cvexprpars.serrifneedsboolean", "First argument to IF must be of type boolean: %s"},
    {"cvexprpars.serrcaseneeds3", "Case statement needs to have at least 4 arguments"},
    {"cvexprpars.serrcaseevencount", "Case statement needs to have an even number of arguments"},
    {"cvexprpars.serrcaselabelnotaconst", "Case label %d \"%s\" is not a constant expression"},
    {"cvexprpars.serrcaselabeltype", "Case label %d \"%s\" needs type %s, but has type %s"},
    {"cvexprpars.serrcasevaluetype", "Case value %d \"%s\" needs type %s, but has type %s"},
};

// The texts of the built-in library's own failures.
inline constexpr TResourceString kExprBuiltinsStrings[] = {
    {"cvexprbuiltins.serrinvalidboolean", "'%s' is not a valid boolean value"},
};

// The entry of a resource identifier such as "cvexprpars.serrbadquotes".
consteval TResourceString EngineString(std::string_view id) {
    return formatting::FindResString(kExprParsStrings, id);
}

// The entry of a resource identifier such as "cvexprbuiltins.serrinvalidboolean".
consteval TResourceString BuiltinsString(std::string_view id) {
    return formatting::FindResString(kExprBuiltinsStrings, id);
}

namespace msg {
// Lexical errors.
inline constexpr TResourceString SErrUnknownCharacter =
    EngineString("cvexprpars.serrunknowncharacter");
inline constexpr TResourceString SErrBadQuotes = EngineString("cvexprpars.serrbadquotes");
inline constexpr TResourceString SErrInvalidNumberChar =
    EngineString("cvexprpars.serrinvalidnumberchar");
inline constexpr TResourceString SErrInvalidNumber = EngineString("cvexprpars.serrinvalidnumber");
inline constexpr TResourceString SErrUnterminatedIdentifier =
    EngineString("cvexprpars.serrunterminatedidentifier");
inline constexpr TResourceString SErrExpressionTooLong =
    EngineString("cvexprpars.serrexpressiontoolong");
// Parsing and evaluation.
inline constexpr TResourceString SErrUnexpectedEndOfExpression =
    EngineString("cvexprpars.serrunexpectedendofexpression");
inline constexpr TResourceString SErrBracketExpected =
    EngineString("cvexprpars.serrbracketexpected");
inline constexpr TResourceString SErrLeftBracketExpected =
    EngineString("cvexprpars.serrleftbracketexpected");
inline constexpr TResourceString SErrCommaExpected = EngineString("cvexprpars.serrcommaexpected");
inline constexpr TResourceString SErrUnknownTokenAtPos =
    EngineString("cvexprpars.serrunknowntokenatpos");
inline constexpr TResourceString SErrUnknownIdentifier =
    EngineString("cvexprpars.serrunknownidentifier");
inline constexpr TResourceString SErrUnterminatedExpression =
    EngineString("cvexprpars.serrunterminatedexpression");
inline constexpr TResourceString SErrInExpressionEmpty =
    EngineString("cvexprpars.serrinexpressionempty");
inline constexpr TResourceString SErrInExpression = EngineString("cvexprpars.serrinexpression");
inline constexpr TResourceString SErrNestedTooDeeply =
    EngineString("cvexprpars.serrnestedtoodeeply");
inline constexpr TResourceString SErrTextTooLong = EngineString("cvexprpars.serrtexttoolong");
// Type checks and evaluation of operator nodes.
inline constexpr TResourceString SErrNoOperand = EngineString("cvexprpars.serrnooperand");
inline constexpr TResourceString SErrNoLeftOperand = EngineString("cvexprpars.serrnoleftoperand");
inline constexpr TResourceString SErrNoRightOperand = EngineString("cvexprpars.serrnorightoperand");
inline constexpr TResourceString SErrNoNegation = EngineString("cvexprpars.serrnonegation");
inline constexpr TResourceString SErrNoNotOperation = EngineString("cvexprpars.serrnonotoperation");
inline constexpr TResourceString SErrTypesDoNotMatch =
    EngineString("cvexprpars.serrtypesdonotmatch");
inline constexpr TResourceString SErrNoNodeToCheck = EngineString("cvexprpars.serrnonodetocheck");
inline constexpr TResourceString SErrInvalidNodeType =
    EngineString("cvexprpars.serrinvalidnodetype");
inline constexpr TResourceString SErrDivisionByZero = EngineString("cvexprpars.serrdivisionbyzero");
inline constexpr TResourceString SErrInvalidInteger = EngineString("cvexprpars.serrinvalidinteger");
// Identifiers and function calls.
inline constexpr TResourceString SErrInvalidResultCharacter =
    EngineString("cvexprpars.serrinvalidresultcharacter");
inline constexpr TResourceString SErrDuplicateIdentifier =
    EngineString("cvexprpars.serrduplicateidentifier");
inline constexpr TResourceString SErrRegistrySealed = EngineString("cvexprpars.serrregistrysealed");
inline constexpr TResourceString SErrInvalidArgumentCount =
    EngineString("cvexprpars.serrinvalidargumentcount");
inline constexpr TResourceString SErrInvalidArgumentType =
    EngineString("cvexprpars.serrinvalidargumenttype");
inline constexpr TResourceString SErrInvalidResultType =
    EngineString("cvexprpars.serrinvalidresulttype");
// Conditionals.
inline constexpr TResourceString SErrIfNeedsBoolean = EngineString("cvexprpars.serrifneedsboolean");
inline constexpr TResourceString SErrCaseNeeds3 = EngineString("cvexprpars.serrcaseneeds3");
inline constexpr TResourceString SErrCaseEvenCount = EngineString("cvexprpars.serrcaseevencount");
inline constexpr TResourceString SErrCaseLabelNotAConst =
    EngineString("cvexprpars.serrcaselabelnotaconst");
inline constexpr TResourceString SErrCaseLabelType = EngineString("cvexprpars.serrcaselabeltype");
inline constexpr TResourceString SErrCaseValueType = EngineString("cvexprpars.serrcasevaluetype");
} // namespace msg

} // namespace orvex::engine
