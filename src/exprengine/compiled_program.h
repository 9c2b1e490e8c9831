// The compiled form of a checked tree: a flat program of typed instructions
// that gives the same values and raises the same errors as evaluating the
// tree, at a fraction of the cost.
//
// Values live as plain 64-bit payloads in one array (texts beside them, only
// for values whose type is rtString); an instruction reads its operands
// through pointers into that array or straight from a variable's record, so a
// constant operand costs no instruction of its own. Constant sub-expressions
// of pure operations are computed while compiling, by the tree's own code, so
// their values are the tree's bit for bit; one that raises is left to run and
// raise at its place.
//
// The tree stays authoritative. Each node emits its own instructions
// (TExprNode::Emit); a node that cannot, or whose value's type is only known
// at run time (aggregates, "case", a host's node class), is evaluated through
// the tree by a call instruction, and so is every node above it whose
// operation depends on that type.
#pragma once

#include "exprengine/expression_result.h"
#include "exprengine/identifier_def.h"
#include "exprengine/result_type.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace orvex::engine {

class TExprNode;
class TBinaryOperation;
class TUnaryOperator;

// The operations the program knows. The letters say how the payloads are
// read: I a 64-bit integer (currency too), F a double (date-time too), B the
// boolean in the low byte.
enum class TOpCode : std::uint8_t {
    AddI,
    AddF,
    SubI,
    SubF,
    MulI,
    MulC,
    MulF,
    DivI,
    DivF,
    DivC,
    IntDiv,
    Mod,
    PowF,
    AndB,
    AndI,
    OrB,
    OrI,
    XorB,
    XorI,
    EqB,
    NeB,
    EqI,
    NeI,
    EqF,
    NeF,
    LtI,
    GeI,
    LtF,
    GeF,
    GtI,
    LeI,
    GtF,
    LeF,
    NegI,
    NegF,
    NotB,
    NotI,
    IntToF,
    IntToC,
    FToC,
    CToF,
    // Two of AddF, SubF, MulF, DivF in one instruction: the first on a and
    // b, the second on its result and c (or c and its result), as in a chain
    // "x*2+1" or "1-x*2".
    FPair,
    // The value passes unchanged (only its type may change): no instruction.
    Alias,
    // The node's own combination (binary) or completion (unary) of tree
    // records.
    Generic,
    GenericUnary,
    // Plumbing.
    Load,
    LoadText,
    FetchVariable,
    Call,
    TreeCall,
    Move,
    JumpIfFalse,
    Jump,
};

// A value while the program is being built: its type, and where it will be
// at run time (a slot, a variable's payload) or, for a constant, the value.
// The small members come first so that the value packs into 24 bytes: it is
// passed and returned by value for every node compiled.
struct TProgramValue {
    TResultType Type = rtBoolean;
    // The type is only known at run time: the value came from the tree and
    // nothing that depends on its type can be compiled.
    bool Dynamic = false;
    bool Constant = false;
    std::int32_t Slot = -1;                  // -1: not stored yet (a constant)
    std::uint64_t Payload = 0;               // a constant's payload
    const std::uint64_t* External = nullptr; // a variable's payload, read in place

    // A constant that is not a text (a text needs its slot).
    static TProgramValue Known(TResultType type, std::uint64_t payload) {
        TProgramValue value;
        value.Type = type;
        value.Constant = true;
        value.Payload = payload;
        return value;
    }
    // The same value seen as another type.
    TProgramValue As(TResultType type) const {
        TProgramValue value = *this;
        value.Type = type;
        return value;
    }
};

class TProgramBuilder;

class TCompiledProgram {
  public:
    TCompiledProgram();
    TCompiledProgram(const TCompiledProgram&) = delete;
    TCompiledProgram& operator=(const TCompiledProgram&) = delete;
    ~TCompiledProgram();

    // Fills the result as evaluating the tree would. A program folded to a
    // constant runs no code at all.
    void Run(TExpressionResult& result) {
        if (!code_.empty())
            RunCode();
        result.ValueType = resultType_;
        result.SetPayload(*resultPayload_);
        if (resultType_ == rtString)
            CopyResultText(result);
    }

    // For tests and measurements.
    std::size_t InstructionCount() const { return code_.size(); }

  private:
    friend class TProgramBuilder;

    struct TInstruction;
    struct TOps;
    using THandler = const TInstruction* (*)(TCompiledProgram& program, const TInstruction* in);

    // While the builder makes an instruction, an operand is either a
    // variable's payload (its pointer set, its slot field 0) or a slot (the
    // pointer null, the slot field the slot's number plus one); both zero is
    // an operand the instruction does not use. Finishing turns every operand
    // into a pointer and the slot fields into the slots' numbers.
    struct TInstruction {
        THandler Handler; // runs the instruction, returns the next one
        TOpCode Op;
        TResultType LeftType;  // the left operand's type (messages, Generic)
        TResultType RightType; // the right operand's type (Generic)
        TResultType Type;      // the result's type
        std::uint32_t ASlot;   // the operands' and result's text slots
        std::uint32_t BSlot;
        std::uint32_t DstSlot;
        std::uint32_t Jump; // the target of a jump
        const std::uint64_t* A;
        const std::uint64_t* B;
        std::uint64_t* Dst;
        void* Target; // the node, definition or call the instruction serves
        // FPair: the third operand, the two operations, whether c is the
        // second operation's left operand, and that operand's type.
        const std::uint64_t* C;
        TOpCode First;
        TOpCode Second;
        bool PairedOnRight;
        TResultType SecondLeftType;
        std::uint32_t CSlot; // only while building: C's slot
    };

    // A function call: its callback and where its arguments are.
    struct TCall {
        TExprFunctionCallback Callback = nullptr;
        std::vector<TInstruction> Arguments; // A (payload), ASlot (text), LeftType
        TExprParameterArray Values;
        TExpressionResult Result;
    };

    void RunCode();
    void CopyResultText(TExpressionResult& result) const;
    void RunGeneric(const TInstruction& in);
    void RunCall(const TInstruction& in);
    void RunTreeCall(const TInstruction& in);
    void RunFetch(const TInstruction& in);
    void RunMove(const TInstruction& in);

    std::vector<TInstruction> code_;
    std::vector<std::uint64_t> payloads_; // never resized while instructions point into it
    std::vector<std::string> texts_;
    std::vector<std::unique_ptr<TCall>> calls_;
    // Kept, with the capacity of its lists, for the next text to compile.
    std::unique_ptr<TProgramBuilder> builder_;
    TExpressionResult left_;
    TExpressionResult right_;
    TResultType resultType_ = rtBoolean;
    const std::uint64_t* resultPayload_ = nullptr;
    std::uint32_t resultSlot_ = 0;
};

// Turns a checked tree into a program; the nodes call back into it from
// their Emit methods.
class TProgramBuilder {
  public:
    // Compiles the tree into program. False when compiling gains nothing
    // (the whole tree would run through the tree anyway); the program is
    // then not to be run.
    static bool Compile(TExprNode& root, TCompiledProgram& program);

    // Where the builder stands, to go back to when a node has to run
    // through the tree after all.
    struct TMark {
        std::size_t Code;
        std::size_t Slots;
        std::size_t Calls;
    };
    TMark Mark() const { return {code_.size(), payloads_.size(), calls_.size()}; }
    void Rollback(const TMark& mark);

    // Whether an operation's instruction can stand for the tree's code.
    // Texts and the payloads of texts travel through the tree's records in
    // ways the program does not follow: a record keeps its text when a
    // non-text value is written into it. So where a text may meet another
    // type, the tree runs. A string's payload is never read, nor the text
    // of another type.
    static bool TextsAllow(TResultType result, TResultType left, TResultType right) {
        if (left == rtString || right == rtString)
            return left == right;
        return result != rtString;
    }
    static bool TextsAllow(TResultType result, TResultType operand) {
        return (result == rtString) == (operand == rtString);
    }

    TProgramValue Constant(const TExpressionResult& value) {
        if (value.ValueType == rtString)
            return FromRecord(value); // the text needs its slot
        return TProgramValue::Known(value.ValueType, value.Payload());
    }
    // A variable's value as the tree reads it: fetched from its handler
    // first when it has one. The usual variable, neither a text nor with a
    // handler, costs no instruction: the operation that uses it reads it in
    // place.
    TProgramValue Variable(TExprIdentifierDef& definition, TResultType type) {
        if (type == rtString || !readVariablesInPlace_ || definition.OnGetVariableValue() ||
            definition.VariableCallback() != nullptr)
            return StoredVariable(definition, type);
        TProgramValue value;
        value.Type = type;
        value.External = definition.ValueRecord().PayloadAddress();
        return value;
    }
    // The node evaluated through the tree. typeKnown says whether the node
    // always sets its value's type to type.
    TProgramValue TreeCall(TExprNode& node, bool typeKnown, TResultType type);
    TProgramValue Binary(TBinaryOperation& node, TOpCode op, const TProgramValue& left,
                         const TProgramValue& right);
    TProgramValue Unary(TUnaryOperator& node, TOpCode op, const TProgramValue& operand);
    // A callback with its argument values; a pure callback over constants
    // is called now.
    TProgramValue Call(TExprNode& node, TExprFunctionCallback callback, bool pure,
                       const std::vector<TProgramValue>& arguments, TResultType type);
    // "if": only the chosen branch runs.
    TProgramValue Conditional(TExprNode& node, const TProgramValue& condition, TExprNode& whenTrue,
                              TExprNode& whenFalse, const TMark& start);

  private:
    friend class TCompiledProgram;
    TProgramBuilder() = default;

    void Reset(bool readVariablesInPlace) {
        readVariablesInPlace_ = readVariablesInPlace;
        opaque_ = false;
        code_.clear();
        payloads_.clear();
        texts_.clear();
        calls_.clear();
    }
    bool Finish(const TProgramValue& root, TCompiledProgram& program);

    using TInstruction = TCompiledProgram::TInstruction;
    // An operand as an instruction being built holds it (see TInstruction).
    struct TRef {
        const std::uint64_t* External = nullptr;
        std::uint32_t Slot = 0; // the slot's number plus one; 0: none
    };
    static std::uint32_t SlotRef(std::int32_t slot) { return static_cast<std::uint32_t>(slot) + 1; }
    // A variable copied into a slot by an instruction of its own.
    TProgramValue StoredVariable(TExprIdentifierDef& definition, TResultType type);
    // Joins the float operation op to the one just emitted, a float
    // operation too, when that one made one of its operands; a and b are
    // where left and right are.
    bool Pair(TOpCode op, const TProgramValue& left, const TProgramValue& right, const TRef& a,
              const TRef& b, std::int32_t slot);
    bool FoldFast(TOpCode op, const TProgramValue& left, const TProgramValue& right,
                  TResultType type, std::uint64_t& folded) const;

    std::int32_t NewSlot(TResultType type, std::uint64_t payload = 0) {
        const auto slot = static_cast<std::int32_t>(payloads_.size());
        payloads_.push_back(payload);
        if (type == rtString)
            texts_.resize(payloads_.size());
        return slot;
    }
    // Where an operand is at run time; a constant not stored yet gets a
    // slot of its own each time.
    TRef Place(const TProgramValue& value) {
        if (value.External != nullptr)
            return {value.External, 0};
        if (value.Slot < 0)
            return {nullptr, SlotRef(NewSlot(value.Type, value.Payload))};
        return {nullptr, SlotRef(value.Slot)};
    }
    TProgramValue Stored(TResultType type, std::int32_t slot) const;
    TInstruction& Emit(TOpCode op, TResultType type) {
        TInstruction& in = code_.emplace_back();
        in.Op = op;
        in.Type = type;
        return in;
    }
    TExpressionResult Record(const TProgramValue& value) const;
    TProgramValue FromRecord(const TExpressionResult& value);

    TCompiledProgram* program_ = nullptr; // the one being built
    bool readVariablesInPlace_ = true;
    // Host code may run (a handler, a callback, the tree): variables must
    // then be read where the tree reads them, not in place later.
    bool opaque_ = false;
    // The program's lists while they are built; finishing swaps them with the
    // program's, so that both keep their capacity for the next text.
    std::vector<TInstruction> code_;
    std::vector<std::uint64_t> payloads_;
    std::vector<std::string> texts_;
    std::vector<std::unique_ptr<TCompiledProgram::TCall>> calls_;
    TExprParameterArray foldValues_; // the arguments of a call computed ahead
};

} // namespace orvex::engine
