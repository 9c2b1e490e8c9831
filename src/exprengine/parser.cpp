// The parser: one pass of recursive descent over the scanner's tokens that
// builds the typed tree, matching the operands' types as it goes.
//
// The grammar it accepts, loosest binding first (EBNF over the scanner's
// tokens; the keywords among them ignore case):
//
//   logical        = [ "not" ] comparison { ( "and" | "or" | "xor" ) comparison } ;
//   comparison     = additive [ ( "=" | "<>" | "<" | ">" | "<=" | ">=" ) additive ] ;
//   additive       = multiplicative { ( "+" | "-" ) multiplicative } ;
//   multiplicative = signed { ( "*" | "/" | "div" | "mod" ) signed } ;
//   signed         = [ "+" | "-" ] operand [ "^" signed ] ;
//   operand        = "(" logical ")" | number | string | "true" | "false" | call ;
//   call           = name [ "(" logical { "," logical } ")" ]
//                  | "if" "(" logical "," logical "," logical ")"
//                  | "case" "(" logical "," logical "," logical "," logical
//                           { "," logical } ")" ;
//
// A whole text is one logical followed by its end. The rules the EBNF does
// not show:
//
// - A second comparison ends the expression. comparison takes at most one
//   operator, so in "1<2<3" the second "<" is left over: the text is badly
//   terminated (inside parentheses or an argument list, the ")" or ","
//   is missing).
// - "not" binds only the first comparison: "not a = b and c" is
//   (not (a = b)) and c. It may open a logical only (the text, a
//   parenthesis, an argument); after an operator it is an unknown token.
// - The sign takes the whole power: -2^2 is -(2^2). The exponent is signed
//   again, so 2^-1 is 0.5, and "^" is right-associative: 2^3^2 is 2^9.
// - One sign only: in "--1" the second "-" is an unknown token, while
//   "1--1" is 1 minus -1.
// - The text must go on after "not", "and", "or", "xor", a comparison and a
//   binary "+" or "-" ("Unexpected end of expression"); after a sign, "*",
//   "/", "div", "mod" or "^" the end is an unknown token instead.
// - A name's definition decides its parentheses: none for a variable or a
//   function without parameters ("pi()" is badly terminated), exactly n
//   arguments for a function of n parameters, at least n for one whose
//   last parameter repeats.
// - Every binary level but the logical one matches its operands' types
//   (MatchOperands) before making the node.
// - Parentheses, argument lists and exponents are levels of nesting, at
//   most kMaxNestingDepth deep; a flat chain of operators nests nothing.
#include "exprengine/parser.h"

#include "exprengine/builtins.h"

#include "exprengine/boolean_nodes.h"
#include "exprengine/builtin_manager.h"
#include "exprengine/char_classes.h"
#include "exprengine/comparison_nodes.h"
#include "exprengine/conditional_nodes.h"
#include "exprengine/const_node.h"
#include "exprengine/convert_nodes.h"
#include "exprengine/errors.h"
#include "exprengine/function_nodes.h"
#include "exprengine/math_nodes.h"
#include "exprengine/number_literal.h"

namespace orvex::engine {
namespace {

// The binding levels of the binary operators, loosest first. "^" binds
// tighter than all of them and belongs to signed (ParseSigned).
enum class TLevel { None, Logical, Comparison, Additive, Multiplicative };

using TMakeOperator = TExprNodePtr (*)(TExprNodePtr left, TExprNodePtr right);

template <typename TNode> TExprNodePtr MakeOperator(TExprNodePtr left, TExprNodePtr right) {
    return std::make_unique<TNode>(std::move(left), std::move(right));
}

// A binary operator: its level and the node it makes.
struct TBinaryOperator {
    TLevel Level = TLevel::None;
    TMakeOperator Make = nullptr;
};

// The precedence table.
TBinaryOperator BinaryOperatorOf(TokenKind kind) {
    switch (kind) {
    case TokenKind::And:
        return {TLevel::Logical, MakeOperator<TBinaryAndOperation>};
    case TokenKind::Or:
        return {TLevel::Logical, MakeOperator<TBinaryOrOperation>};
    case TokenKind::Xor:
        return {TLevel::Logical, MakeOperator<TBinaryXOrOperation>};
    case TokenKind::Equal:
        return {TLevel::Comparison, MakeOperator<TEqualOperation>};
    case TokenKind::NotEqual:
        return {TLevel::Comparison, MakeOperator<TUnequalOperation>};
    case TokenKind::Less:
        return {TLevel::Comparison, MakeOperator<TLessThanOperation>};
    case TokenKind::Greater:
        return {TLevel::Comparison, MakeOperator<TGreaterThanOperation>};
    case TokenKind::LessEqual:
        return {TLevel::Comparison, MakeOperator<TLessThanEqualOperation>};
    case TokenKind::GreaterEqual:
        return {TLevel::Comparison, MakeOperator<TGreaterThanEqualOperation>};
    case TokenKind::Plus:
        return {TLevel::Additive, MakeOperator<TAddOperation>};
    case TokenKind::Minus:
        return {TLevel::Additive, MakeOperator<TSubtractOperation>};
    case TokenKind::Multiply:
        return {TLevel::Multiplicative, MakeOperator<TMultiplyOperation>};
    case TokenKind::Divide:
        return {TLevel::Multiplicative, MakeOperator<TDivideOperation>};
    case TokenKind::IntDiv:
        return {TLevel::Multiplicative, MakeOperator<TIntDivOperation>};
    case TokenKind::Modulo:
        return {TLevel::Multiplicative, MakeOperator<TModuloOperation>};
    default:
        // Any other token (operand, ")", ",", "^", "not", the end) is no
        // binary operator: it ends the operator sequence, and ParseLogical
        // leaves it to its caller, which expects a ")" or "," there, or the
        // end of the text, and otherwise reports the token.
        return {};
    }
}

// Names count with their first 255 characters, ASCII letters folded to lower
// case.
std::string LookupKey(std::string_view name) {
    std::string key(name.substr(0, 255));
    for (char& c : key)
        c = AsciiLower(c);
    return key;
}

} // namespace

// Counts one level of nesting for as long as it lives.
class TExpressionParser::TNestingGuard {
  public:
    explicit TNestingGuard(TExpressionParser& parser) : parser_(parser) {
        if (parser_.nestingDepth_ >= kMaxNestingDepth)
            RaiseParserError(msg::SErrNestedTooDeeply, {kMaxNestingDepth});
        ++parser_.nestingDepth_;
    }
    TNestingGuard(const TNestingGuard&) = delete;
    TNestingGuard& operator=(const TNestingGuard&) = delete;
    ~TNestingGuard() { --parser_.nestingDepth_; }

  private:
    TExpressionParser& parser_;
};

TExprNodePtr MatchOperand(TExprNodePtr subject, const TExprNode& other) {
    if (subject->NodeResultType() == other.NodeResultType())
        return subject;
    return ConvertTo(std::move(subject), other.NodeResultType());
}

void MatchOperands(TExprNodePtr& left, TExprNodePtr& right) {
    left = MatchOperand(std::move(left), *right);
    right = MatchOperand(std::move(right), *left);
}

// An operator waiting for its right operand.
struct TPendingOperator {
    TExprNodePtr Left;
    TMakeOperator Make = nullptr;
};

namespace {

// Gives a waiting operator its right operand: the operand becomes the
// operator's node. The logical level takes its operands as they are.
void Complete(TPendingOperator& pending, TExprNodePtr& operand, TLevel level) {
    if (!pending.Left)
        return;
    TExprNodePtr left = std::move(pending.Left);
    if (level != TLevel::Logical)
        MatchOperands(left, operand);
    operand = pending.Make(std::move(left), std::move(operand));
}

} // namespace

TExpressionParser::TExpressionParser()
    : scanner_(std::make_unique<TExpressionScanner>()),
      identifiers_(std::make_unique<TExprIdentifierDefs>(this)) {}

// The tree refers to the definitions, so it goes first.
TExpressionParser::~TExpressionParser() {
    lookupTable_.clear();
    root_.reset();
    pending_.clear();
}

void TExpressionParser::SetBuiltIns(TBuiltInCategories categories) {
    if (categories == builtIns_)
        return;
    builtIns_ = categories;
    lookupDirty_ = true;
}

TExprIdentifierDef* TExpressionParser::FindIdentifier(std::string_view name) {
    // Building the lookup fills the shared built-in registry on first use,
    // which costs more than parsing a short text; a name that is neither
    // one of this parser's identifiers nor an enabled built-in's is answered
    // without it. (Keys are cut to 255 bytes, so longer names take the
    // lookup.)
    if (lookupDirty_ && name.size() < 255 && identifiers_->IndexOfIdentifier(name) < 0 &&
        !IsBuiltinName(name, builtIns_))
        return nullptr;
    if (lookupDirty_)
        RebuildLookup();
    const auto found = lookupTable_.find(LookupKey(name));
    return found != lookupTable_.end() ? found->second : nullptr;
}

// Built-ins first, then the client's own identifiers: a later entry of the
// same key wins, so a client identifier hides a built-in.
void TExpressionParser::RebuildLookup() {
    lookupTable_.clear();
    if (!builtIns_.Empty()) {
        const TExprBuiltInManager& registry = BuiltinManager();
        for (int index = 0; index < registry.IdentifierCount(); ++index) {
            TBuiltInExprIdentifierDef& definition = registry.DefinitionAt(index);
            if (builtIns_.Contains(definition.Category()))
                lookupTable_[LookupKey(definition.Name())] = &definition;
        }
    }
    for (int index = 0; index < identifiers_->Count(); ++index) {
        TExprIdentifierDef& definition = (*identifiers_)[index];
        lookupTable_[LookupKey(definition.Name())] = &definition;
    }
    lookupDirty_ = false;
}

void TExpressionParser::SetExpression(std::string_view text) {
    if (text == expression_)
        return;
    compiled_ = false;
    evaluations_ = 0;
    compileGainsNothing_ = false;
    root_.reset();
    pending_.clear(); // what a failed parse left waiting
    expression_.assign(text);
    scanner_->SetSource(text);
    if (text.empty())
        return;
    nestingDepth_ = 0;
    Advance();
    TExprNodePtr root = ParseLogical();
    if (CurrentKind() != TokenKind::EndOfText)
        RaiseAtPosition(msg::SErrUnterminatedExpression);
    root->Check();
    root_ = std::move(root);
}

// A one-shot evaluation, such as the calculator's, walks the tree and pays
// nothing for compiling.
void TExpressionParser::EvaluateUncompiled(TExpressionResult& result) {
    if (expression_.empty())
        RaiseParserError(msg::SErrInExpressionEmpty);
    if (!root_)
        RaiseParserError(msg::SErrInExpression);
    if (evaluations_ < 2)
        ++evaluations_;
    if (evaluations_ >= 2 && Compile()) {
        program_.Run(result);
        return;
    }
    root_->ComputeValue(result);
}

bool TExpressionParser::Compile() {
    if (compiled_)
        return true;
    if (!root_ || compileGainsNothing_)
        return false;
    compiled_ = TProgramBuilder::Compile(*root_, program_);
    compileGainsNothing_ = !compiled_;
    return compiled_;
}

void TExpressionParser::RequireMoreText() const {
    if (CurrentKind() == TokenKind::EndOfText)
        RaiseParserError(msg::SErrUnexpectedEndOfExpression);
}

void TExpressionParser::RaiseAtPosition(TResourceString message) const {
    RaiseParserError(message, {scanner_->Position(), scanner_->CurrentToken()});
}

// logical        = [ "not" ] comparison { ( "and" | "or" | "xor" ) comparison } ;
// comparison     = additive [ ( "=" | "<>" | "<" | ">" | "<=" | ">=" ) additive ] ;
// additive       = multiplicative { ( "+" | "-" ) multiplicative } ;
// multiplicative = signed { ( "*" | "/" | "div" | "mod" ) signed } ;
//
// The four binary levels in one loop over the precedence table instead of
// one function each, so that a level of parentheses costs two stack frames
// rather than seven. Each level keeps at most one operator waiting for its
// right operand; an operator first completes the waiting ones of tighter
// levels and of its own, which makes every level left-associative. Tokens
// are read, operands matched and errors raised exactly where a function per
// level would do it.
//
// The waiting operators live on the parser's stack, not in this frame: an
// error raised while an operand is read passes this frame without stopping
// to clean up, which keeps the unwinding of an error short. The stack grows
// by four entries per level of parentheses; an error leaves them to the
// next SetExpression or the destructor. Entries are found by index, since a
// nested level may move the stack.
TExprNodePtr TExpressionParser::ParseLogical() {
    const std::size_t base = pending_.size();
    pending_.resize(base + 4);
    const auto waiting = [this, base](TLevel level) -> TPendingOperator& {
        return pending_[base + static_cast<std::size_t>(level) - 1];
    };
    bool negateFirst = false;
    if (CurrentKind() == TokenKind::Not) {
        Advance();
        RequireMoreText();
        negateFirst = true;
    }
    for (;;) {
        TExprNodePtr operand = ParseSigned();
        const TBinaryOperator next = BinaryOperatorOf(CurrentKind());
        Complete(waiting(TLevel::Multiplicative), operand, TLevel::Multiplicative);
        if (next.Level == TLevel::Multiplicative) {
            waiting(TLevel::Multiplicative) = {std::move(operand), next.Make};
            Advance(); // an end here is the operand's unknown token
            continue;
        }
        Complete(waiting(TLevel::Additive), operand, TLevel::Additive);
        if (next.Level == TLevel::Additive) {
            waiting(TLevel::Additive) = {std::move(operand), next.Make};
            Advance();
            RequireMoreText();
            continue;
        }
        // A comparison when one is waiting already is left unread: it ends
        // the expression.
        const bool secondComparison =
            next.Level == TLevel::Comparison && waiting(TLevel::Comparison).Left;
        Complete(waiting(TLevel::Comparison), operand, TLevel::Comparison);
        if (next.Level == TLevel::Comparison && !secondComparison) {
            waiting(TLevel::Comparison) = {std::move(operand), next.Make};
            Advance();
            RequireMoreText();
            continue;
        }
        // The first comparison is complete: "not" takes it and nothing more.
        if (negateFirst) {
            operand = std::make_unique<TNotNode>(std::move(operand));
            negateFirst = false;
        }
        Complete(waiting(TLevel::Logical), operand, TLevel::Logical);
        if (next.Level == TLevel::Logical) {
            waiting(TLevel::Logical) = {std::move(operand), next.Make};
            Advance();
            RequireMoreText();
            continue;
        }
        pending_.resize(base);
        return operand;
    }
}

// signed  = [ "+" | "-" ] operand [ "^" signed ] ;
// operand = "(" logical ")" | number | string | "true" | "false" | call ;
//
// The sign is applied last, so it takes the whole power: -2^2 is -(2^2).
// The exponent is a signed of its own, which takes every further "^": the
// power is right-associative and its exponent may carry a sign. A plus sign
// makes no node. A level of parentheses costs this frame and
// ParseLogical's, an argument list ParseCall's in addition.
TExprNodePtr TExpressionParser::ParseSigned() {
    const TokenKind sign = CurrentKind();
    if (sign == TokenKind::Plus || sign == TokenKind::Minus)
        Advance(); // an end here is the operand's unknown token
    // The operand initialises the node, which does not exist before: an
    // error raised while reading it finds nothing here to clean up, which
    // keeps the unwinding of an error short.
    const TokenKind kind = CurrentKind();
    TExprNodePtr node =
        kind == TokenKind::Identifier || kind == TokenKind::If || kind == TokenKind::Case
            ? ParseCall(kind)
        : kind == TokenKind::LeftParen ? ParseParenthesised()
                                       : ParseLiteral();
    Advance(); // past the literal, the name or the closing ")"
    if (CurrentKind() == TokenKind::Power) {
        Advance();
        TNestingGuard guard(*this);
        TExprNodePtr exponent = ParseSigned(); // leaves no "^" behind
        MatchOperands(node, exponent);
        node = std::make_unique<TPowerOperation>(std::move(node), std::move(exponent));
    }
    if (sign == TokenKind::Minus)
        node = std::make_unique<TNegateOperation>(std::move(node));
    return node;
}

// "(" logical ")"
//
// Leaves the ")" as the current token, as the other operands leave their
// last token.
TExprNodePtr TExpressionParser::ParseParenthesised() {
    Advance();
    TNestingGuard guard(*this);
    TExprNodePtr node = ParseLogical();
    if (CurrentKind() != TokenKind::RightParen)
        RaiseAtPosition(msg::SErrBracketExpected);
    return node;
}

// number | string | "true" | "false"
//
// Any other token cannot start an operand: ")", ",", "not", an operator
// (the second sign of "--1") or the end of the text.
TExprNodePtr TExpressionParser::ParseLiteral() const {
    switch (CurrentKind()) {
    case TokenKind::Number:
        return ParseNumber();
    case TokenKind::String:
        return TConstExpression::CreateString(scanner_->CurrentToken());
    case TokenKind::True:
    case TokenKind::False:
        return TConstExpression::CreateBoolean(CurrentKind() == TokenKind::True);
    default:
        RaiseAtPosition(msg::SErrUnknownTokenAtPos);
    }
}

// number
//
// An integer when the text reads as a 64-bit integer, otherwise a float.
TExprNodePtr TExpressionParser::ParseNumber() const {
    const std::string& text = scanner_->CurrentToken();
    std::int64_t integer = 0;
    if (ReadIntegerLiteral(text, integer))
        return TConstExpression::CreateInteger(integer);
    double real = 0.0;
    if (!ReadDecimalFloat(text, real))
        RaiseScannerError(msg::SErrInvalidNumber, {text});
    return TConstExpression::CreateFloat(real);
}

// call = name [ "(" logical { "," logical } ")" ]
//      | "if" "(" logical "," logical "," logical ")"
//      | "case" "(" logical "," logical "," logical "," logical { "," logical } ")" ;
//
// The number of arguments: 3 for "if", at least 4 for "case", and for a
// name its definition's count (negative: that many or more), 0 for a
// variable. A call with 0 takes no parentheses; a positive count must be
// met exactly. The closing ")" stays the current token. The argument loop
// is kept in this one frame because an argument list is a level of nesting.
TExprNodePtr TExpressionParser::ParseCall(TokenKind kind) {
    TExprIdentifierDef* definition = nullptr;
    int count = kind == TokenKind::If ? 3 : -4;
    if (kind == TokenKind::Identifier) {
        definition = FindIdentifier(scanner_->CurrentToken());
        if (definition == nullptr)
            RaiseParserError(msg::SErrUnknownIdentifier, {scanner_->CurrentToken()});
        count = definition->IdentifierType() == itVariable ? 0 : definition->ArgumentCount();
    }
    TExprArgumentArray arguments;
    if (count != 0) {
        Advance();
        if (CurrentKind() != TokenKind::LeftParen)
            RaiseAtPosition(msg::SErrLeftBracketExpected);
        TNestingGuard guard(*this);
        const std::size_t minimum = static_cast<std::size_t>(count < 0 ? -count : count);
        for (;;) {
            Advance();
            arguments.push_back(ParseLogical());
            const TokenKind next = CurrentKind();
            if (next != TokenKind::Comma &&
                (arguments.size() < minimum || (count < 0 && next != TokenKind::RightParen)))
                RaiseAtPosition(msg::SErrCommaExpected);
            if ((count > 0 && arguments.size() == minimum) ||
                (count < 0 && next == TokenKind::RightParen))
                break;
        }
        if (CurrentKind() != TokenKind::RightParen)
            RaiseAtPosition(msg::SErrBracketExpected);
    }
    return CreateCall(kind, definition, std::move(arguments));
}

TExprNodePtr TExpressionParser::CreateCall(TokenKind kind, TExprIdentifierDef* definition,
                                           TExprArgumentArray arguments) {
    if (kind == TokenKind::If) {
        return std::make_unique<TIfOperation>(std::move(arguments[0]), std::move(arguments[1]),
                                              std::move(arguments[2]));
    }
    if (kind == TokenKind::Case)
        return std::make_unique<TCaseOperation>(std::move(arguments));
    return CreateCallNode(*definition, std::move(arguments));
}

} // namespace orvex::engine
