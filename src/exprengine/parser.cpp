#include "exprengine/parser.h"

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
            TBuiltInExprIdentifierDef& definition = registry.IdentifierAt(index);
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

TExpressionResult TExpressionParser::Evaluate() {
    if (expression_.empty())
        RaiseParserError(msg::SErrInExpressionEmpty);
    if (!root_)
        RaiseParserError(msg::SErrInExpression);
    TExpressionResult result;
    root_->ComputeValue(result);
    return result;
}

void TExpressionParser::RequireMoreText() const {
    if (CurrentKind() == TokenKind::EndOfText)
        RaiseParserError(msg::SErrUnexpectedEndOfExpression);
}

void TExpressionParser::RaiseAtPosition(std::string_view resourceId) const {
    RaiseParserError(resourceId, {scanner_->Position(), scanner_->CurrentToken()});
}

// and, or, xor at one level, left-associative; "not" only before the first
// operand.
TExprNodePtr TExpressionParser::ParseLogical() {
    TExprNodePtr node;
    if (CurrentKind() == TokenKind::Not) {
        Advance();
        RequireMoreText();
        node = std::make_unique<TNotNode>(ParseComparison());
    } else {
        node = ParseComparison();
    }
    for (TokenKind kind = CurrentKind();
         kind == TokenKind::And || kind == TokenKind::Or || kind == TokenKind::Xor;
         kind = CurrentKind()) {
        Advance();
        RequireMoreText();
        TExprNodePtr right = ParseComparison();
        node = MakeLogical(kind, std::move(node), std::move(right));
    }
    return node;
}

// At most one comparison: a second one is left over and ends the expression.
TExprNodePtr TExpressionParser::ParseComparison() {
    TExprNodePtr left = ParseAdditive();
    const TokenKind kind = CurrentKind();
    if (!IsComparison(kind))
        return left;
    Advance();
    RequireMoreText();
    TExprNodePtr right = ParseAdditive();
    MatchOperands(left, right);
    return MakeComparison(kind, std::move(left), std::move(right));
}

TExprNodePtr TExpressionParser::ParseAdditive() {
    TExprNodePtr node = ParseMultiplicative();
    for (TokenKind kind = CurrentKind(); kind == TokenKind::Plus || kind == TokenKind::Minus;
         kind = CurrentKind()) {
        Advance();
        RequireMoreText();
        TExprNodePtr right = ParseMultiplicative();
        MatchOperands(node, right);
        if (kind == TokenKind::Plus)
            node = std::make_unique<TAddOperation>(std::move(node), std::move(right));
        else
            node = std::make_unique<TSubtractOperation>(std::move(node), std::move(right));
    }
    return node;
}

TExprNodePtr TExpressionParser::ParseMultiplicative() {
    TExprNodePtr node = ParseSigned();
    for (TokenKind kind = CurrentKind(); kind == TokenKind::Multiply || kind == TokenKind::Divide ||
                                         kind == TokenKind::IntDiv || kind == TokenKind::Modulo;
         kind = CurrentKind()) {
        Advance();
        TExprNodePtr right = ParseSigned();
        MatchOperands(node, right);
        node = MakeMultiplicative(kind, std::move(node), std::move(right));
    }
    return node;
}

// One sign only; a plus sign makes no node.
TExprNodePtr TExpressionParser::ParseSigned() {
    const TokenKind sign = CurrentKind();
    if (sign == TokenKind::Plus || sign == TokenKind::Minus)
        Advance();
    TExprNodePtr node = ParsePower();
    if (sign == TokenKind::Minus)
        node = std::make_unique<TNegateOperation>(std::move(node));
    return node;
}

// Right-associative: the exponent is a signed operand that may hold "^"
// itself, so each further "^" nests one level deeper.
TExprNodePtr TExpressionParser::ParsePower() {
    TExprNodePtr node = ParseFactor();
    while (CurrentKind() == TokenKind::Power) {
        Advance();
        TNestingGuard guard(*this);
        TExprNodePtr right = ParseSigned();
        MatchOperands(node, right);
        node = std::make_unique<TPowerOperation>(std::move(node), std::move(right));
    }
    return node;
}

TExprNodePtr TExpressionParser::ParseFactor() {
    if (CurrentKind() != TokenKind::LeftParen)
        return ParsePrimary();
    Advance();
    TNestingGuard guard(*this);
    TExprNodePtr node = ParseLogical();
    if (CurrentKind() != TokenKind::RightParen)
        RaiseAtPosition(msg::SErrBracketExpected);
    Advance();
    return node;
}

TExprNodePtr TExpressionParser::ParsePrimary() {
    TExprNodePtr node;
    switch (CurrentKind()) {
    case TokenKind::Number:
        node = ParseNumber();
        break;
    case TokenKind::String:
        node = TConstExpression::CreateString(scanner_->CurrentToken());
        break;
    case TokenKind::True:
    case TokenKind::False:
        node = TConstExpression::CreateBoolean(CurrentKind() == TokenKind::True);
        break;
    case TokenKind::Identifier:
        node = ParseCall();
        break;
    case TokenKind::If: {
        TExprArgumentArray arguments = ParseArguments(3);
        node = std::make_unique<TIfOperation>(std::move(arguments[0]), std::move(arguments[1]),
                                              std::move(arguments[2]));
        break;
    }
    case TokenKind::Case:
        node = std::make_unique<TCaseOperation>(ParseArguments(-4));
        break;
    default:
        RaiseAtPosition(msg::SErrUnknownTokenAtPos);
    }
    Advance();
    return node;
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

// A name: a variable, or a function with its arguments. A function without
// parameters takes no parentheses.
TExprNodePtr TExpressionParser::ParseCall() {
    TExprIdentifierDef* definition = FindIdentifier(scanner_->CurrentToken());
    if (definition == nullptr)
        RaiseParserError(msg::SErrUnknownIdentifier, {scanner_->CurrentToken()});
    const int count = definition->IdentifierType() == itVariable ? 0 : definition->ArgumentCount();
    TExprArgumentArray arguments;
    if (count != 0)
        arguments = ParseArguments(count);
    return CreateCallNode(*definition, std::move(arguments));
}

// "(" and the arguments up to ")", which stays the current token. A
// positive count must be met exactly; a negative count -k asks for k or more.
TExprArgumentArray TExpressionParser::ParseArguments(int count) {
    Advance();
    if (CurrentKind() != TokenKind::LeftParen)
        RaiseAtPosition(msg::SErrLeftBracketExpected);
    TNestingGuard guard(*this);
    const std::size_t minimum = static_cast<std::size_t>(count < 0 ? -count : count);
    TExprArgumentArray arguments;
    arguments.reserve(minimum);
    for (;;) {
        Advance();
        arguments.push_back(ParseLogical());
        const TokenKind next = CurrentKind();
        if (next != TokenKind::Comma &&
            (arguments.size() < minimum || (count < 0 && next != TokenKind::RightParen)))
            RaiseAtPosition(msg::SErrCommaExpected);
        if (count > 0 && arguments.size() == minimum)
            break;
        if (count < 0 && next == TokenKind::RightParen)
            break;
    }
    if (CurrentKind() != TokenKind::RightParen)
        RaiseAtPosition(msg::SErrBracketExpected);
    return arguments;
}

} // namespace orvex::engine
