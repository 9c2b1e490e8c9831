// The engine's public face: parses an expression text into a typed tree and
// evaluates it.
//
// A client creates a parser, chooses the visible built-in categories
// (BuiltIns), adds its own variables and functions (Identifiers), assigns
// the text (SetExpression parses at once and checks the root) and calls
// Evaluate as often as it likes.
#pragma once

#include "exprengine/expr_node.h"
#include "exprengine/scanner.h"

#include <memory>
#include <string>
#include <string_view>

namespace orvex::engine {

class TExpressionParser {
  public:
    // Parentheses, argument lists and exponents may nest this deep; one level
    // more raises EExprParser instead of exhausting the stack.
    static constexpr int MaxNestingDepth = 1000;

    TExpressionParser();
    TExpressionParser(const TExpressionParser&) = delete;
    TExpressionParser& operator=(const TExpressionParser&) = delete;
    virtual ~TExpressionParser();

    const std::string& Expression() const { return expression_; }
    // Parses the text and checks the root node; the same text again does
    // nothing. Raises EExprScanner or EExprParser; after an error there is no
    // tree until another text parses.
    virtual void SetExpression(std::string_view text);

    // Raises "Cannot evaluate: ..." without an expression or without a tree.
    TExpressionResult Evaluate();

    // The root of the parsed tree; absent for an empty or failed expression.
    // A host drives aggregates through it.
    TExprNode* Root() const { return root_.get(); }

  protected:
    TExpressionScanner& Scanner() { return *scanner_; }

  private:
    class TNestingGuard;

    TokenKind CurrentKind() const { return scanner_->CurrentTokenKind(); }
    void Advance() { scanner_->NextToken(); }
    void RequireMoreText() const;
    [[noreturn]] void RaiseAtPosition(std::string_view resourceId) const;

    TExprNodePtr ParseLogical();
    TExprNodePtr ParseComparison();
    TExprNodePtr ParseAdditive();
    TExprNodePtr ParseMultiplicative();
    TExprNodePtr ParseSigned();
    TExprNodePtr ParsePower();
    TExprNodePtr ParseFactor();
    TExprNodePtr ParsePrimary();
    TExprNodePtr ParseNumber() const;

    std::string expression_;
    std::unique_ptr<TExpressionScanner> scanner_;
    TExprNodePtr root_;
    int nestingDepth_ = 0;
};

// Wraps each operand in a conversion to the other's type where one exists:
// the left first, then the right against the possibly converted left.
void MatchOperands(TExprNodePtr& left, TExprNodePtr& right);
TExprNodePtr MatchOperand(TExprNodePtr subject, const TExprNode& other);

} // namespace orvex::engine
