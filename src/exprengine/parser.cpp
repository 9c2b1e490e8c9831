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

bool IsComparison(TokenKind kind) {
    switch (kind) {
    case TokenKind::Less:
    case TokenKind::Greater:
    case TokenKind::Equal:
    case TokenKind::LessEqual:
    case TokenKind::GreaterEqual:
    case TokenKind::NotEqual:
        return true;
    default:
        return false;
    }
}

TExprNodePtr MakeLogical(TokenKind kind, TExprNodePtr left, TExprNodePtr right) {
    if (kind == TokenKind::And)
        return std::make_unique<TBinaryAndOperation>(std::move(left), std::move(right));
    if (kind == TokenKind::Or)
        return std::make_unique<TBinaryOrOperation>(std::move(left), std::move(right));
    return std::make_unique<TBinaryXOrOperation>(std::move(left), std::move(right));
}

TExprNodePtr MakeComparison(TokenKind kind, TExprNodePtr left, TExprNodePtr right) {
    switch (kind) {
    case TokenKind::Less:
        return std::make_unique<TLessThanOperation>(std::move(left), std::move(right));
    case TokenKind::Greater:
        return std::make_unique<TGreaterThanOperation>(std::move(left), std::move(right));
    case TokenKind::Equal:
        return std::make_unique<TEqualOperation>(std::move(left), std::move(right));
    case TokenKind::LessEqual:
        return std::make_unique<TLessThanEqualOperation>(std::move(left), std::move(right));
    case TokenKind::GreaterEqual:
        return std::make_unique<TGreaterThanEqualOperation>(std::move(left), std::move(right));
    default:
        return std::make_unique<TUnequalOperation>(std::move(left), std::move(right));
    }
}

TExprNodePtr MakeMultiplicative(TokenKind kind, TExprNodePtr left, TExprNodePtr right) {
    switch (kind) {
    case TokenKind::Multiply:
        return std::make_unique<TMultiplyOperation>(std::move(left), std::move(right));
    case TokenKind::Divide:
        return std::make_unique<TDivideOperation>(std::move(left), std::move(right));
    case TokenKind::IntDiv:
        return std::make_unique<TIntDivOperation>(std::move(left), std::move(right));
    default:
        return std::make_unique<TModuloOperation>(std::move(left), std::move(right));
    }
}

// The binding levels of the binary operators, loosest first.
enum class TLevel { None, Logical, Comparison, Additive, Multiplicative };

TLevel LevelOf(TokenKind kind) {
    switch (kind) {
    case TokenKind::And:
    case TokenKind::Or:
    case TokenKind::Xor:
        return TLevel::Logical;
    case TokenKind::Plus:
    case TokenKind::Minus:
        return TLevel::Additive;
    case TokenKind::Multiply:
    case TokenKind::Divide:
    case TokenKind::IntDiv:
    case TokenKind::Modulo:
        return TLevel::Multiplicative;
    default:
        return IsComparison(kind) ? TLevel::Comparison : TLevel::None;
    }
}

// An operator waiting for its right operand.
struct TPendingOperator {
    TExprNodePtr left;
    TokenKind kind = TokenKind::EndOfText;
};

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
        if (parser_.nestingDepth_ >= MaxNestingDepth)
            RaiseParserError(msg::SErrNestedTooDeeply, {MaxNestingDepth});
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

namespace {

// Gives a waiting operator its right operand: the operand becomes the
// operator's node. The logical level matches no operands.
void Complete(TPendingOperator& pending, TExprNodePtr& operand, TLevel level) {
    if (!pending.left)
        return;
    TExprNodePtr left = std::move(pending.left);
    switch (level) {
    case TLevel::Logical:
        operand = MakeLogical(pending.kind, std::move(left), std::move(operand));
        return;
    case TLevel::Comparison:
        MatchOperands(left, operand);
        operand = MakeComparison(pending.kind, std::move(left), std::move(operand));
        return;
    case TLevel::Additive:
        MatchOperands(left, operand);
        if (pending.kind == TokenKind::Plus)
            operand = std::make_unique<TAddOperation>(std::move(left), std::move(operand));
        else
            operand = std::make_unique<TSubtractOperation>(std::move(left), std::move(operand));
        return;
    case TLevel::Multiplicative:
        MatchOperands(left, operand);
        operand = MakeMultiplicative(pending.kind, std::move(left), std::move(operand));
        return;
    case TLevel::None:
        return;
    }
}

} // namespace

TExpressionParser::TExpressionParser()
    : scanner_(std::make_unique<TExpressionScanner>()),
      identifiers_(std::make_unique<TExprIdentifierDefs>(this)) {}

// The tree refers to the definitions, so it goes first.
TExpressionParser::~TExpressionParser() {
    lookupTable_.clear();
    root_.reset();
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

// Levels 1 to 4 of the grammar (logical, comparison, additive,
// multiplicative) in one loop instead of one step per level, so that a level
// of parentheses costs two stack frames rather than seven. Each level keeps
// at most one operator waiting for its right operand; an operator first
// completes the waiting ones of its own and of tighter levels, which makes
// every level left-associative. Tokens are read, operands matched and errors
// raised exactly where the step-per-level form would do it: "not" applies to
// the first comparison-level operand only, and a second comparison is not
// taken, which ends the expression.
TExprNodePtr TExpressionParser::ParseLogical() {
    TPendingOperator logical;
    TPendingOperator comparison;
    TPendingOperator additive;
    TPendingOperator multiplicative;
    bool negateFirst = false;
    if (CurrentKind() == TokenKind::Not) {
        Advance();
        RequireMoreText();
        negateFirst = true;
    }
    for (;;) {
        TExprNodePtr operand = ParseSigned();
        const TokenKind kind = CurrentKind();
        const TLevel level = LevelOf(kind);
        Complete(multiplicative, operand, TLevel::Multiplicative);
        if (level == TLevel::Multiplicative) {
            multiplicative = {std::move(operand), kind};
            Advance();
            continue;
        }
        Complete(additive, operand, TLevel::Additive);
        if (level == TLevel::Additive) {
            additive = {std::move(operand), kind};
            Advance();
            RequireMoreText();
            continue;
        }
        const bool secondComparison = level == TLevel::Comparison && comparison.left;
        Complete(comparison, operand, TLevel::Comparison);
        if (level == TLevel::Comparison && !secondComparison) {
            comparison = {std::move(operand), kind};
            Advance();
            RequireMoreText();
            continue;
        }
        if (negateFirst) {
            operand = std::make_unique<TNotNode>(std::move(operand));
            negateFirst = false;
        }
        Complete(logical, operand, TLevel::Logical);
        if (level == TLevel::Logical) {
            logical = {std::move(operand), kind};
            Advance();
            RequireMoreText();
            continue;
        }
        return operand;
    }
}

// Levels 5 to 8: one sign (a plus sign makes no node); then a parenthesised
// expression, a call or a literal; then "^" with a signed exponent that may
// hold "^" itself (right-associative, and tighter than the sign: -2^2 is
// -(2^2)). A level of parentheses costs this frame and ParseLogical's, an
// argument list ParseCall's in addition.
TExprNodePtr TExpressionParser::ParseSigned() {
    const TokenKind sign = CurrentKind();
    if (sign == TokenKind::Plus || sign == TokenKind::Minus)
        Advance();
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
    while (CurrentKind() == TokenKind::Power) {
        Advance();
        TNestingGuard guard(*this);
        TExprNodePtr exponent = ParseSigned();
        MatchOperands(node, exponent);
        node = std::make_unique<TPowerOperation>(std::move(node), std::move(exponent));
    }
    if (sign == TokenKind::Minus)
        node = std::make_unique<TNegateOperation>(std::move(node));
    return node;
}

// A parenthesised expression, from its "(" to its ")".
TExprNodePtr TExpressionParser::ParseParenthesised() {
    Advance();
    TNestingGuard guard(*this);
    TExprNodePtr node = ParseLogical();
    if (CurrentKind() != TokenKind::RightParen)
        RaiseAtPosition(msg::SErrBracketExpected);
    return node;
}

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

// A name, "if" or "case", with its arguments where it takes any: 3 for
// "if", at least 4 for "case", and for a name its definition's count
// (negative: that many or more), 0 for a variable. A call with 0 takes no
// parentheses. A positive count must be met exactly. The closing ")" stays
// the current token. The argument loop is kept in this one frame because an
// argument list is a level of nesting.
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
