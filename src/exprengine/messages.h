// The message texts of the expression engine, keyed by resource identifier.
//
// The calculator chooses its exit code by searching these texts for fixed
// words ("division by zero", "not a valid integer"), so their wording is part
// of the engine's interface.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace orvex::engine {

namespace msg {
// Lexical errors.
inline constexpr std::string_view SErrUnknownCharacter = "cvexprpars.serrunknowncharacter";
inline constexpr std::string_view SErrBadQuotes = "cvexprpars.serrbadquotes";
inline constexpr std::string_view SErrInvalidNumberChar = "cvexprpars.serrinvalidnumberchar";
inline constexpr std::string_view SErrInvalidNumber = "cvexprpars.serrinvalidnumber";
inline constexpr std::string_view SErrUnterminatedIdentifier =
    "cvexprpars.serrunterminatedidentifier";
inline constexpr std::string_view SErrExpressionTooLong = "cvexprpars.serrexpressiontoolong";
// Parsing and evaluation.
inline constexpr std::string_view SErrUnexpectedEndOfExpression =
    "cvexprpars.serrunexpectedendofexpression";
inline constexpr std::string_view SErrBracketExpected = "cvexprpars.serrbracketexpected";
inline constexpr std::string_view SErrLeftBracketExpected = "cvexprpars.serrleftbracketexpected";
inline constexpr std::string_view SErrCommaExpected = "cvexprpars.serrcommaexpected";
inline constexpr std::string_view SErrUnknownTokenAtPos = "cvexprpars.serrunknowntokenatpos";
inline constexpr std::string_view SErrUnknownIdentifier = "cvexprpars.serrunknownidentifier";
inline constexpr std::string_view SErrUnterminatedExpression =
    "cvexprpars.serrunterminatedexpression";
inline constexpr std::string_view SErrInExpressionEmpty = "cvexprpars.serrinexpressionempty";
inline constexpr std::string_view SErrInExpression = "cvexprpars.serrinexpression";
inline constexpr std::string_view SErrNestedTooDeeply = "cvexprpars.serrnestedtoodeeply";
inline constexpr std::string_view SErrTextTooLong = "cvexprpars.serrtexttoolong";
// Type checks and evaluation of operator nodes.
inline constexpr std::string_view SErrNoOperand = "cvexprpars.serrnooperand";
inline constexpr std::string_view SErrNoLeftOperand = "cvexprpars.serrnoleftoperand";
inline constexpr std::string_view SErrNoRightOperand = "cvexprpars.serrnorightoperand";
inline constexpr std::string_view SErrNoNegation = "cvexprpars.serrnonegation";
inline constexpr std::string_view SErrNoNotOperation = "cvexprpars.serrnonotoperation";
inline constexpr std::string_view SErrTypesDoNotMatch = "cvexprpars.serrtypesdonotmatch";
inline constexpr std::string_view SErrNoNodeToCheck = "cvexprpars.serrnonodetocheck";
inline constexpr std::string_view SErrInvalidNodeType = "cvexprpars.serrinvalidnodetype";
inline constexpr std::string_view SErrDivisionByZero = "cvexprpars.serrdivisionbyzero";
inline constexpr std::string_view SErrInvalidInteger = "cvexprpars.serrinvalidinteger";
// Identifiers and function calls.
inline constexpr std::string_view SErrInvalidResultCharacter =
    "cvexprpars.serrinvalidresultcharacter";
inline constexpr std::string_view SErrDuplicateIdentifier = "cvexprpars.serrduplicateidentifier";
inline constexpr std::string_view SErrRegistrySealed = "cvexprpars.serrregistrysealed";
inline constexpr std::string_view SErrInvalidArgumentCount = "cvexprpars.serrinvalidargumentcount";
inline constexpr std::string_view SErrInvalidArgumentType = "cvexprpars.serrinvalidargumenttype";
inline constexpr std::string_view SErrInvalidResultType = "cvexprpars.serrinvalidresulttype";
// Conditionals.
inline constexpr std::string_view SErrIfNeedsBoolean = "cvexprpars.serrifneedsboolean";
inline constexpr std::string_view SErrCaseNeeds3 = "cvexprpars.serrcaseneeds3";
inline constexpr std::string_view SErrCaseEvenCount = "cvexprpars.serrcaseevencount";
inline constexpr std::string_view SErrCaseLabelNotAConst = "cvexprpars.serrcaselabelnotaconst";
inline constexpr std::string_view SErrCaseLabelType = "cvexprpars.serrcaselabeltype";
inline constexpr std::string_view SErrCaseValueType = "cvexprpars.serrcasevaluetype";
} // namespace msg

// One substitution argument: a number for %d, a text for %s. It refers to
// its text, which lives until the message is made, and has nothing to
// destroy, so that a caller that raises an error costs the unwinding no
// clean-up step.
class TMessageArg {
  public:
    TMessageArg(std::int64_t number) : number_(number), isNumber_(true) {}
    TMessageArg(int number) : TMessageArg(std::int64_t{number}) {}
    TMessageArg(std::string_view text) : text_(text) {}
    TMessageArg(const std::string& text) : text_(text) {}
    TMessageArg(const char* text) : text_(text) {}

    // Appends the argument as the message shows it.
    void AppendTo(std::string& text) const;

  private:
    std::string_view text_;
    std::int64_t number_ = 0;
    bool isNumber_ = false;
};

// The text kept under a resource identifier; an unknown identifier gives the
// identifier itself.
std::string_view EngineMessage(std::string_view resourceId);

// The text with each %d and %s replaced by the next argument, left to right.
// Substituted texts are not scanned again, so a "%" inside them stays as it is.
std::string FormatEngineMessage(std::string_view resourceId,
                                std::initializer_list<TMessageArg> args = {});

} // namespace orvex::engine
