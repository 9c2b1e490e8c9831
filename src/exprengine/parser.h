// The engine's public face: parses an expression text into a typed tree and
// evaluates it.
//
// A client creates a parser, chooses the visible built-in categories
// (BuiltIns), adds its own variables and functions (Identifiers), assigns
// the text (SetExpression parses at once and checks the root) and calls
// Evaluate as often as it likes.
#pragma once

#include "exprengine/builtin_category.h"
#include "exprengine/expr_node.h"
#include "exprengine/identifier_defs.h"
#include "exprengine/messages.h"
#include "exprengine/scanner.h"

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace orvex::engine {

// An operator the parser keeps waiting for its right operand (parser.cpp).
struct TPendingOperator;

class TExpressionParser {
  public:
    // Parentheses, argument lists (of functions, "if" and "case") and
    // exponents may nest this deep; one level more raises EExprParser
    // "Expression nested too deeply (more than 1000 levels)" instead of
    // exhausting the stack. Long flat chains of operators do not nest. At the
    // limit, parsing, evaluating, rendering and destroying the deepest texts
    // take at most about 470 KB of stack in an optimised build (argument
    // lists cost most, about 470 bytes a level), 650 KB unoptimised and
    // 1.3 MB with AddressSanitizer: well inside the 1 MiB of a Windows main
    // thread and the usual 8 MiB elsewhere.
    static constexpr int kMaxNestingDepth = 1000;

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
    // The first evaluation of a text walks the tree; the second compiles it
    // (see Compile) and every later one runs the compiled program, with the
    // same values and errors.
    TExpressionResult Evaluate() {
        TExpressionResult result;
        if (compiled_)
            program_.Run(result);
        else
            EvaluateUncompiled(result);
        return result;
    }

    // Compiles the parsed tree now rather than at the second evaluation.
    // Returns whether there is a compiled program: not for an empty or
    // failed expression, nor when the whole tree would run through the tree
    // anyway (an aggregate or "case" at the root, for example).
    bool Compile();
    bool IsCompiled() const { return compiled_; }

    // The client's own variables and functions; they shadow built-ins of the
    // same name.
    TExprIdentifierDefs& Identifiers() { return *identifiers_; }
    const TExprIdentifierDefs& Identifiers() const { return *identifiers_; }

    // The categories of the shared built-in registry this parser sees; none
    // by default.
    TBuiltInCategories BuiltIns() const { return builtIns_; }
    void SetBuiltIns(TBuiltInCategories categories);

    // The definition of a name (ASCII case ignored, only its first 255
    // characters count), or null.
    virtual TExprIdentifierDef* FindIdentifier(std::string_view name);

    // Marks the name lookup stale; the Identifiers collection calls it on
    // every change. Trees already built keep the definitions they found; a
    // compiled program is dropped, to be compiled again (a variable may have
    // got a handler).
    void InvalidateLookup() {
        lookupDirty_ = true;
        compiled_ = false; // the program stays intact: it may be running
    }

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
    [[noreturn]] void RaiseAtPosition(TResourceString message) const;

    // The grammar's levels, loosest first: ParseLogical covers and/or/xor,
    // comparisons, + - and * / div mod; ParseSigned the sign, parentheses,
    // "^" and the operands: literals, names, calls, if and case.
    TExprNodePtr ParseLogical();
    TExprNodePtr ParseSigned();
    TExprNodePtr ParseParenthesised();
    TExprNodePtr ParseLiteral() const;
    TExprNodePtr ParseNumber() const;
    TExprNodePtr ParseCall(TokenKind kind);
    static TExprNodePtr CreateCall(TokenKind kind, TExprIdentifierDef* definition,
                                   TExprArgumentArray arguments);
    void RebuildLookup();
    void EvaluateUncompiled(TExpressionResult& result);

    std::string expression_;
    std::unique_ptr<TExpressionScanner> scanner_;
    TExprNodePtr root_;
    std::unique_ptr<TExprIdentifierDefs> identifiers_;
    // Lower-cased names to definitions, not owned.
    std::unordered_map<std::string, TExprIdentifierDef*> lookupTable_;
    TBuiltInCategories builtIns_;
    bool lookupDirty_ = true;
    int nestingDepth_ = 0;
    TCompiledProgram program_;
    bool compiled_ = false;
    // Evaluations of the current text so far (counts to 2), and whether
    // compiling it gave nothing.
    int evaluations_ = 0;
    bool compileGainsNothing_ = false;
    // The operators ParseLogical keeps waiting for their right operands,
    // four per level of parentheses (see ParseLogical).
    std::vector<TPendingOperator> pending_;
};

// Wraps each operand in a conversion to the other's type where one exists:
// the left first, then the right against the possibly converted left.
void MatchOperands(TExprNodePtr& left, TExprNodePtr& right);
TExprNodePtr MatchOperand(TExprNodePtr subject, const TExprNode& other);

} // namespace orvex::engine
