#include "exprengine/compiled_program.h"

#include "exprengine/arithmetic.h"
#include "exprengine/errors.h"
#include "exprengine/expr_node.h"
#include "formatting/error.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace orvex::engine {
namespace {

using formatting::CheckFloat;

double F(std::uint64_t bits) {
    return std::bit_cast<double>(bits);
}
std::int64_t I(std::uint64_t bits) {
    return std::bit_cast<std::int64_t>(bits);
}
bool B(std::uint64_t bits) {
    return (bits & 0xFFu) != 0; // the boolean is the low-order byte
}
std::uint64_t Bits(double value) {
    return std::bit_cast<std::uint64_t>(value);
}
std::uint64_t Bits(std::int64_t value) {
    return std::bit_cast<std::uint64_t>(value);
}
std::uint64_t Bits(bool value) {
    return value ? 1u : 0u;
}

// A double result with the faults the tree raises; the test for a finite
// result keeps the usual case to one comparison.
std::uint64_t Checked(double result, double left, double right) {
    if (!std::isfinite(result)) [[unlikely]]
        result = CheckFloat(result, left, right);
    return Bits(result);
}

[[noreturn]] void RaiseDivisionByZero(TResultType type) {
    RaiseParserError(msg::SErrDivisionByZero, {TypeNameOf(type)});
}

// --- TCompiledProgram ------------------------------------------------------

bool IsFloatOperation(TOpCode op) {
    return op == TOpCode::AddF || op == TOpCode::SubF || op == TOpCode::MulF || op == TOpCode::DivF;
}

} // namespace

void TCompiledProgram::CopyResultText(TExpressionResult& result) const {
    result.StringValue = texts_[resultSlot_];
}

// Each instruction runs through its handler, which returns the next
// instruction; the operations are small functions of the two operand
// payloads, each made a handler by Handler<>.
void TCompiledProgram::RunCode() {
    const TInstruction* in = code_.data();
    const TInstruction* const end = in + code_.size();
    while (in != end)
        in = in->Handler(*this, in);
}

struct TCompiledProgram::TOps {
    using TIn = TInstruction;

    template <std::uint64_t (*Operation)(std::uint64_t, std::uint64_t, const TIn&)>
    static const TIn* Handler(TCompiledProgram& /*program*/, const TIn* in) {
        *in->Dst = Operation(*in->A, *in->B, *in);
        return in + 1;
    }

    // The double operations with the tree's faults.
    template <TOpCode Op> static double Float(double left, double right, TResultType leftType) {
        if constexpr (Op == TOpCode::AddF) {
            return std::bit_cast<double>(Checked(left + right, left, right));
        } else if constexpr (Op == TOpCode::SubF) {
            return std::bit_cast<double>(Checked(left - right, left, right));
        } else if constexpr (Op == TOpCode::MulF) {
            return std::bit_cast<double>(Checked(left * right, left, right));
        } else {
            if (right == 0.0) // both zeros; a NaN divisor is not zero
                RaiseDivisionByZero(leftType);
            return std::bit_cast<double>(Checked(left / right, left, right));
        }
    }
    template <TOpCode Op>
    static std::uint64_t FloatOp(std::uint64_t a, std::uint64_t b, const TIn& in) {
        return Bits(Float<Op>(F(a), F(b), in.LeftType));
    }
    template <TOpCode First, TOpCode Second, bool OnRight>
    static const TIn* Pair(TCompiledProgram& /*program*/, const TIn* in) {
        const double first = Float<First>(F(*in->A), F(*in->B), in->LeftType);
        const double other = F(*in->C);
        *in->Dst = Bits(OnRight ? Float<Second>(other, first, in->SecondLeftType)
                                : Float<Second>(first, other, in->SecondLeftType));
        return in + 1;
    }
    template <TOpCode First, bool OnRight> static THandler PairWith(TOpCode second) {
        switch (second) {
        case TOpCode::AddF:
            return &Pair<First, TOpCode::AddF, OnRight>;
        case TOpCode::SubF:
            return &Pair<First, TOpCode::SubF, OnRight>;
        case TOpCode::MulF:
            return &Pair<First, TOpCode::MulF, OnRight>;
        default:
            return &Pair<First, TOpCode::DivF, OnRight>;
        }
    }
    template <bool OnRight> static THandler PairFor(TOpCode first, TOpCode second) {
        switch (first) {
        case TOpCode::AddF:
            return PairWith<TOpCode::AddF, OnRight>(second);
        case TOpCode::SubF:
            return PairWith<TOpCode::SubF, OnRight>(second);
        case TOpCode::MulF:
            return PairWith<TOpCode::MulF, OnRight>(second);
        default:
            return PairWith<TOpCode::DivF, OnRight>(second);
        }
    }

    static std::uint64_t AddI(std::uint64_t a, std::uint64_t b, const TIn&) {
        return Bits(WrapAdd(I(a), I(b)));
    }
    static std::uint64_t SubI(std::uint64_t a, std::uint64_t b, const TIn&) {
        return Bits(WrapSubtract(I(a), I(b)));
    }
    static std::uint64_t MulI(std::uint64_t a, std::uint64_t b, const TIn&) {
        return Bits(WrapMultiply(I(a), I(b)));
    }
    // Both amounts are scaled by 10000, so the product is scaled twice.
    static std::uint64_t MulC(std::uint64_t a, std::uint64_t b, const TIn&) {
        return Bits(WrapMultiply(I(a), I(b)) / 10000);
    }
    static std::uint64_t DivI(std::uint64_t a, std::uint64_t b, const TIn&) {
        if (I(b) == 0)
            RaiseDivisionByZero(rtInteger);
        return Bits(static_cast<double>(I(a)) / static_cast<double>(I(b)));
    }
    static std::uint64_t DivC(std::uint64_t a, std::uint64_t b, const TIn&) {
        if (I(b) == 0)
            RaiseDivisionByZero(rtCurrency);
        return Bits(FloatToCurrency(static_cast<double>(I(a)) / static_cast<double>(I(b))));
    }
    static std::uint64_t IntDiv(std::uint64_t a, std::uint64_t b, const TIn&) {
        if (I(b) == 0)
            RaiseDivisionByZero(rtInteger);
        return Bits(formatting::CheckedToInt64(
            std::trunc(static_cast<double>(I(a)) / static_cast<double>(I(b)))));
    }
    static std::uint64_t Mod(std::uint64_t a, std::uint64_t b, const TIn&) {
        return Bits(IntegerModulo(I(a), I(b)));
    }
    static std::uint64_t PowF(std::uint64_t a, std::uint64_t b, const TIn&) {
        return Bits(PowerRule(F(a), F(b)));
    }
    static std::uint64_t AndB(std::uint64_t a, std::uint64_t b, const TIn&) {
        return Bits(B(a) && B(b));
    }
    static std::uint64_t AndI(std::uint64_t a, std::uint64_t b, const TIn&) { return a & b; }
    static std::uint64_t OrB(std::uint64_t a, std::uint64_t b, const TIn&) {
        return Bits(B(a) || B(b));
    }
    static std::uint64_t OrI(std::uint64_t a, std::uint64_t b, const TIn&) { return a | b; }
    static std::uint64_t XorB(std::uint64_t a, std::uint64_t b, const TIn&) {
        return Bits(B(a) != B(b));
    }
    static std::uint64_t XorI(std::uint64_t a, std::uint64_t b, const TIn&) { return a ^ b; }
    static std::uint64_t EqB(std::uint64_t a, std::uint64_t b, const TIn&) {
        return Bits(B(a) == B(b));
    }
    static std::uint64_t EqI(std::uint64_t a, std::uint64_t b, const TIn&) { return Bits(a == b); }
    static std::uint64_t NeI(std::uint64_t a, std::uint64_t b, const TIn&) { return Bits(a != b); }
    static std::uint64_t EqF(std::uint64_t a, std::uint64_t b, const TIn&) {
        return Bits(F(a) == F(b));
    }
    static std::uint64_t NeF(std::uint64_t a, std::uint64_t b, const TIn&) {
        return Bits(!(F(a) == F(b)));
    }
    static std::uint64_t LtI(std::uint64_t a, std::uint64_t b, const TIn&) {
        return Bits(I(a) < I(b));
    }
    static std::uint64_t GeI(std::uint64_t a, std::uint64_t b, const TIn&) {
        return Bits(!(I(a) < I(b)));
    }
    static std::uint64_t LtF(std::uint64_t a, std::uint64_t b, const TIn&) {
        return Bits(F(a) < F(b));
    }
    static std::uint64_t GeF(std::uint64_t a, std::uint64_t b, const TIn&) {
        return Bits(!(F(a) < F(b)));
    }
    static std::uint64_t GtI(std::uint64_t a, std::uint64_t b, const TIn&) {
        return Bits(I(a) > I(b));
    }
    static std::uint64_t LeI(std::uint64_t a, std::uint64_t b, const TIn&) {
        return Bits(!(I(a) > I(b)));
    }
    static std::uint64_t GtF(std::uint64_t a, std::uint64_t b, const TIn&) {
        return Bits(F(a) > F(b));
    }
    static std::uint64_t LeF(std::uint64_t a, std::uint64_t b, const TIn&) {
        return Bits(!(F(a) > F(b)));
    }
    static std::uint64_t NegI(std::uint64_t a, std::uint64_t, const TIn&) {
        return Bits(WrapNegate(I(a)));
    }
    // Flips the sign bit, NaN included.
    static std::uint64_t NegF(std::uint64_t a, std::uint64_t, const TIn&) { return Bits(-F(a)); }
    static std::uint64_t NotB(std::uint64_t a, std::uint64_t, const TIn&) { return Bits(!B(a)); }
    static std::uint64_t NotI(std::uint64_t a, std::uint64_t, const TIn&) { return ~a; }
    static std::uint64_t IntToF(std::uint64_t a, std::uint64_t, const TIn&) {
        return Bits(static_cast<double>(I(a)));
    }
    static std::uint64_t IntToC(std::uint64_t a, std::uint64_t, const TIn&) {
        return Bits(WrapMultiply(I(a), 10000));
    }
    static std::uint64_t FToC(std::uint64_t a, std::uint64_t, const TIn&) {
        return Bits(FloatToCurrency(F(a)));
    }
    static std::uint64_t CToF(std::uint64_t a, std::uint64_t, const TIn&) {
        return Bits(static_cast<double>(I(a)) / 10000.0);
    }
    static std::uint64_t Load(std::uint64_t a, std::uint64_t, const TIn&) { return a; }

    template <void (TCompiledProgram::*Run)(const TIn&)>
    static const TIn* Member(TCompiledProgram& program, const TIn* in) {
        (program.*Run)(*in);
        return in + 1;
    }
    static const TIn* JumpIfFalse(TCompiledProgram& program, const TIn* in) {
        return B(*in->A) ? in + 1 : program.code_.data() + in->Jump;
    }
    static const TIn* Jump(TCompiledProgram& program, const TIn* in) {
        return program.code_.data() + in->Jump;
    }

    static THandler For(const TIn& in) {
        switch (in.Op) {
        case TOpCode::AddI:
            return &Handler<&AddI>;
        case TOpCode::AddF:
            return &Handler<&FloatOp<TOpCode::AddF>>;
        case TOpCode::SubI:
            return &Handler<&SubI>;
        case TOpCode::SubF:
            return &Handler<&FloatOp<TOpCode::SubF>>;
        case TOpCode::MulI:
            return &Handler<&MulI>;
        case TOpCode::MulC:
            return &Handler<&MulC>;
        case TOpCode::MulF:
            return &Handler<&FloatOp<TOpCode::MulF>>;
        case TOpCode::DivI:
            return &Handler<&DivI>;
        case TOpCode::DivF:
            return &Handler<&FloatOp<TOpCode::DivF>>;
        case TOpCode::DivC:
            return &Handler<&DivC>;
        case TOpCode::IntDiv:
            return &Handler<&IntDiv>;
        case TOpCode::Mod:
            return &Handler<&Mod>;
        case TOpCode::PowF:
            return &Handler<&PowF>;
        case TOpCode::AndB:
            return &Handler<&AndB>;
        case TOpCode::AndI:
            return &Handler<&AndI>;
        case TOpCode::OrB:
            return &Handler<&OrB>;
        case TOpCode::OrI:
            return &Handler<&OrI>;
        case TOpCode::XorB:
            return &Handler<&XorB>;
        case TOpCode::XorI:
            return &Handler<&XorI>;
        case TOpCode::EqB:
            return &Handler<&EqB>;
        case TOpCode::NeB:
            return &Handler<&XorB>; // unequal booleans
        case TOpCode::EqI:
            return &Handler<&EqI>;
        case TOpCode::NeI:
            return &Handler<&NeI>;
        case TOpCode::EqF:
            return &Handler<&EqF>;
        case TOpCode::NeF:
            return &Handler<&NeF>;
        case TOpCode::LtI:
            return &Handler<&LtI>;
        case TOpCode::GeI:
            return &Handler<&GeI>;
        case TOpCode::LtF:
            return &Handler<&LtF>;
        case TOpCode::GeF:
            return &Handler<&GeF>;
        case TOpCode::GtI:
            return &Handler<&GtI>;
        case TOpCode::LeI:
            return &Handler<&LeI>;
        case TOpCode::GtF:
            return &Handler<&GtF>;
        case TOpCode::LeF:
            return &Handler<&LeF>;
        case TOpCode::NegI:
            return &Handler<&NegI>;
        case TOpCode::NegF:
            return &Handler<&NegF>;
        case TOpCode::NotB:
            return &Handler<&NotB>;
        case TOpCode::NotI:
            return &Handler<&NotI>;
        case TOpCode::IntToF:
            return &Handler<&IntToF>;
        case TOpCode::IntToC:
            return &Handler<&IntToC>;
        case TOpCode::FToC:
            return &Handler<&FToC>;
        case TOpCode::CToF:
            return &Handler<&CToF>;
        case TOpCode::Load:
            return &Handler<&Load>;
        case TOpCode::FPair:
            return in.PairedOnRight ? PairFor<true>(in.First, in.Second)
                                    : PairFor<false>(in.First, in.Second);
        case TOpCode::Generic:
        case TOpCode::GenericUnary:
            return &Member<&TCompiledProgram::RunGeneric>;
        case TOpCode::Call:
            return &Member<&TCompiledProgram::RunCall>;
        case TOpCode::TreeCall:
            return &Member<&TCompiledProgram::RunTreeCall>;
        case TOpCode::LoadText:
        case TOpCode::FetchVariable:
            return &Member<&TCompiledProgram::RunFetch>;
        case TOpCode::Move:
            return &Member<&TCompiledProgram::RunMove>;
        case TOpCode::JumpIfFalse:
            return &JumpIfFalse;
        case TOpCode::Jump:
            return &Jump;
        case TOpCode::Alias:
            break; // makes no instruction
        }
        return &Jump;
    }
};

// The node's own code on records of the operands' types: whatever the tree
// does for the pair, this does.
void TCompiledProgram::RunGeneric(const TInstruction& in) {
    left_.ValueType = in.LeftType;
    left_.SetPayload(*in.A);
    if (in.LeftType == rtString)
        left_.StringValue = texts_[in.ASlot];
    else
        left_.StringValue.clear();
    if (in.Op == TOpCode::Generic) {
        right_.ValueType = in.RightType;
        right_.SetPayload(*in.B);
        if (in.RightType == rtString)
            right_.StringValue = texts_[in.BSlot];
        else
            right_.StringValue.clear();
        static_cast<TBinaryOperation*>(in.Target)->Combine(left_, right_);
    } else {
        static_cast<TUnaryOperator*>(in.Target)->CompleteValue(left_);
    }
    *in.Dst = left_.Payload();
    if (in.Type == rtString)
        texts_[in.DstSlot].swap(left_.StringValue);
}

void TCompiledProgram::RunCall(const TInstruction& in) {
    TCall& call = *static_cast<TCall*>(in.Target);
    for (std::size_t index = 0; index < call.Arguments.size(); ++index) {
        const TInstruction& argument = call.Arguments[index];
        TExpressionResult& value = call.Values[index];
        value.ValueType = argument.LeftType;
        value.SetPayload(*argument.A);
        if (argument.LeftType == rtString)
            value.StringValue = texts_[argument.ASlot];
        else if (!value.StringValue.empty())
            value.StringValue.clear();
    }
    call.Result.StringValue.clear();
    call.Callback(call.Result, call.Values);
    *in.Dst = call.Result.Payload();
    if (in.Type == rtString)
        texts_[in.DstSlot] = call.Result.StringValue;
}

void TCompiledProgram::RunTreeCall(const TInstruction& in) {
    TExpressionResult value;
    static_cast<TExprNode*>(in.Target)->ComputeValue(value);
    *in.Dst = value.Payload();
    if (in.Type == rtString)
        texts_[in.DstSlot] = std::move(value.StringValue);
}

void TCompiledProgram::RunFetch(const TInstruction& in) {
    auto& definition = *static_cast<TExprIdentifierDef*>(in.Target);
    if (in.Op == TOpCode::FetchVariable)
        definition.FetchValue();
    const TExpressionResult& value = definition.ValueRecord();
    *in.Dst = value.Payload();
    if (in.Type == rtString)
        texts_[in.DstSlot] = value.StringValue;
}

void TCompiledProgram::RunMove(const TInstruction& in) {
    *in.Dst = *in.A;
    if (in.Type == rtString)
        texts_[in.DstSlot] = texts_[in.ASlot];
}

// --- TProgramBuilder -------------------------------------------------------

TCompiledProgram::TCompiledProgram() = default;
TCompiledProgram::~TCompiledProgram() = default;

bool TProgramBuilder::Compile(TExprNode& root, TCompiledProgram& program) {
    if (!program.builder_)
        program.builder_.reset(new TProgramBuilder());
    TProgramBuilder& builder = *program.builder_;
    builder.program_ = &program;
    // Variables are read in place, where their operation runs, unless host
    // code can run in between and change them: then they are copied where
    // the tree reads them.
    builder.Reset(true);
    TProgramValue value = root.Emit(builder);
    if (builder.opaque_) {
        builder.Reset(false);
        value = root.Emit(builder);
    }
    return builder.Finish(value, program);
}

void TProgramBuilder::Rollback(const TMark& mark) {
    code_.resize(mark.Code);
    payloads_.resize(mark.Slots);
    if (texts_.size() > mark.Slots)
        texts_.resize(mark.Slots);
    calls_.resize(mark.Calls);
}

TProgramValue TProgramBuilder::Stored(TResultType type, std::int32_t slot) const {
    TProgramValue value;
    value.Type = type;
    value.Slot = slot;
    return value;
}

TExpressionResult TProgramBuilder::Record(const TProgramValue& value) const {
    TExpressionResult record;
    record.ValueType = value.Type;
    record.SetPayload(value.Payload);
    if (value.Type == rtString)
        record.StringValue = texts_[static_cast<std::size_t>(value.Slot)];
    return record;
}

TProgramValue TProgramBuilder::FromRecord(const TExpressionResult& value) {
    TProgramValue constant = TProgramValue::Known(value.ValueType, value.Payload());
    if (value.ValueType == rtString) {
        constant.Slot = NewSlot(rtString, value.Payload());
        texts_[static_cast<std::size_t>(constant.Slot)] = value.StringValue;
    }
    return constant;
}

TProgramValue TProgramBuilder::StoredVariable(TExprIdentifierDef& definition, TResultType type) {
    if (definition.OnGetVariableValue() || definition.VariableCallback() != nullptr) {
        opaque_ = true;
        const std::int32_t slot = NewSlot(type);
        TInstruction& fetch = Emit(TOpCode::FetchVariable, type);
        fetch.Target = &definition;
        fetch.DstSlot = SlotRef(slot);
        return Stored(type, slot);
    }
    const std::int32_t slot = NewSlot(type);
    TInstruction& load = Emit(type == rtString ? TOpCode::LoadText : TOpCode::Load, type);
    load.Target = &definition;
    load.A = definition.ValueRecord().PayloadAddress();
    load.DstSlot = SlotRef(slot);
    return Stored(type, slot);
}

TProgramValue TProgramBuilder::TreeCall(TExprNode& node, bool typeKnown, TResultType type) {
    opaque_ = true;
    const std::int32_t slot = NewSlot(type);
    TInstruction& call = Emit(TOpCode::TreeCall, type);
    call.Target = &node;
    call.DstSlot = SlotRef(slot);
    TProgramValue value = Stored(type, slot);
    value.Dynamic = !typeKnown;
    return value;
}

TProgramValue TProgramBuilder::Binary(TBinaryOperation& node, TOpCode op, const TProgramValue& left,
                                      const TProgramValue& right) {
    const TResultType type = node.NodeResultType();
    if (op == TOpCode::Alias) {
        // Only the type changes; a text it would need is not there.
        if (type != rtString || left.Type == rtString) {
            return left.As(type);
        }
        op = TOpCode::Generic;
    }
    if (left.Constant && right.Constant) {
        std::uint64_t folded = 0;
        if (op != TOpCode::Generic && FoldFast(op, left, right, type, folded)) {
            return TProgramValue::Known(type, folded);
        }
        if (op == TOpCode::Generic) {
            TExpressionResult value = Record(left);
            try {
                node.Combine(value, Record(right));
                return FromRecord(value);
            } catch (...) {
                // It raises at its place when the program runs.
            }
        }
    }
    const TRef a = Place(left);
    const TRef b = Place(right);
    // A temporary left operand is not read again: the result takes its slot.
    const std::int32_t slot =
        !left.Constant && left.Slot >= 0 && (type != rtString || left.Type == rtString)
            ? left.Slot
            : NewSlot(type);
    if (IsFloatOperation(op) && !code_.empty() && IsFloatOperation(code_.back().Op) &&
        Pair(op, left, right, a, b, slot))
        return Stored(type, slot);
    TInstruction& in = Emit(op, type);
    in.A = a.External;
    in.ASlot = a.Slot;
    in.B = b.External;
    in.BSlot = b.Slot;
    in.DstSlot = SlotRef(slot);
    in.LeftType = left.Type;
    in.RightType = right.Type;
    if (op == TOpCode::Generic)
        in.Target = static_cast<void*>(&node);
    return Stored(type, slot);
}

// A constant operation computed now by the very code that would run it, so
// the value is the one the program would give; false when it raises, which
// it then does at its place when the program runs. Texts never take this
// way: their operations are Generic.
bool TProgramBuilder::FoldFast(TOpCode op, const TProgramValue& left, const TProgramValue& right,
                               TResultType type, std::uint64_t& folded) const {
    // Only what the operations read is set.
    TInstruction in;
    in.Op = op;
    in.Type = type;
    in.LeftType = left.Type;
    in.RightType = right.Type;
    in.A = &left.Payload;
    in.B = &right.Payload;
    in.Dst = &folded;
    try {
        TCompiledProgram::TOps::For(in)(*program_, &in);
        return true;
    } catch (...) {
        return false;
    }
}

bool TProgramBuilder::Pair(TOpCode op, const TProgramValue& left, const TProgramValue& right,
                           const TRef& a, const TRef& b, std::int32_t slot) {
    TInstruction& last = code_.back();
    if (last.DstSlot == 0)
        return false;
    const bool leftMade = !left.Constant && SlotRef(left.Slot) == last.DstSlot;
    const bool rightMade = !right.Constant && SlotRef(right.Slot) == last.DstSlot;
    if (leftMade == rightMade)
        return false;
    const TRef& c = leftMade ? b : a;
    last.C = c.External;
    last.CSlot = c.Slot;
    last.First = last.Op;
    last.Op = TOpCode::FPair;
    last.Second = op;
    last.PairedOnRight = rightMade;
    last.SecondLeftType = left.Type;
    last.DstSlot = SlotRef(slot);
    return true;
}

TProgramValue TProgramBuilder::Unary(TUnaryOperator& node, TOpCode op,
                                     const TProgramValue& operand) {
    const TResultType type = node.NodeResultType();
    if (op == TOpCode::Alias) {
        if (type != rtString || operand.Type == rtString) {
            return operand.As(type);
        }
        op = TOpCode::Generic;
    }
    if (operand.Constant) {
        std::uint64_t folded = 0;
        if (op != TOpCode::Generic && FoldFast(op, operand, operand, type, folded)) {
            return TProgramValue::Known(type, folded);
        }
        if (op == TOpCode::Generic) {
            TExpressionResult value = Record(operand);
            try {
                node.CompleteValue(value);
                return FromRecord(value);
            } catch (...) {
                // It raises at its place when the program runs.
            }
        }
    }
    const TRef a = Place(operand);
    const std::int32_t slot =
        !operand.Constant && operand.Slot >= 0 && (type != rtString || operand.Type == rtString)
            ? operand.Slot
            : NewSlot(type);
    TInstruction& in = Emit(op, type);
    in.A = a.External;
    in.ASlot = a.Slot;
    in.DstSlot = SlotRef(slot);
    in.LeftType = operand.Type;
    if (op == TOpCode::Generic) {
        in.Op = TOpCode::GenericUnary;
        in.Target = static_cast<void*>(&node);
    }
    return Stored(type, slot);
}

TProgramValue TProgramBuilder::Call(TExprNode& node, TExprFunctionCallback callback, bool pure,
                                    const std::vector<TProgramValue>& arguments, TResultType type) {
    (void)node;
    if (!pure)
        opaque_ = true;
    const bool allConstant = std::all_of(arguments.begin(), arguments.end(),
                                         [](const TProgramValue& value) { return value.Constant; });
    if (pure && allConstant) {
        TExprParameterArray& values = foldValues_;
        values.resize(arguments.size());
        for (std::size_t index = 0; index < arguments.size(); ++index)
            values[index] = Record(arguments[index]);
        TExpressionResult result;
        try {
            callback(result, values);
            result.ValueType = type;
            return FromRecord(result);
        } catch (...) {
            // It raises at its place when the program runs.
        }
    }
    auto call = std::make_unique<TCompiledProgram::TCall>();
    call->Callback = callback;
    call->Arguments.resize(arguments.size());
    call->Values.resize(arguments.size());
    for (std::size_t index = 0; index < arguments.size(); ++index) {
        const TProgramValue& argument = arguments[index];
        const TRef place = Place(argument);
        TInstruction& in = call->Arguments[index];
        in.A = place.External;
        in.ASlot = place.Slot;
        in.LeftType = argument.Type;
    }
    calls_.push_back(std::move(call));
    const std::int32_t slot = NewSlot(type);
    TInstruction& in = Emit(TOpCode::Call, type);
    in.Jump = static_cast<std::uint32_t>(calls_.size() - 1);
    in.DstSlot = SlotRef(slot);
    return Stored(type, slot);
}

TProgramValue TProgramBuilder::Conditional(TExprNode& node, const TProgramValue& condition,
                                           TExprNode& whenTrue, TExprNode& whenFalse,
                                           const TMark& start) {
    const TRef test = Place(condition);
    const std::size_t jumpToFalse = code_.size();
    TInstruction& jump = Emit(TOpCode::JumpIfFalse, rtBoolean);
    jump.A = test.External;
    jump.ASlot = test.Slot;

    const TProgramValue first = whenTrue.Emit(*this);
    if (first.Dynamic) {
        Rollback(start);
        return TreeCall(node, false, node.NodeResultType());
    }
    const std::int32_t slot = NewSlot(first.Type);
    auto move = [this, slot](const TProgramValue& value) {
        const TRef from = Place(value);
        TInstruction& in = Emit(TOpCode::Move, value.Type);
        in.A = from.External;
        in.ASlot = from.Slot;
        in.DstSlot = SlotRef(slot);
    };
    move(first);
    const std::size_t jumpToEnd = code_.size();
    Emit(TOpCode::Jump, rtBoolean);
    code_[jumpToFalse].Jump = static_cast<std::uint32_t>(code_.size());

    const TProgramValue second = whenFalse.Emit(*this);
    // Branches of different types give a value whose type only the run
    // decides.
    if (second.Dynamic || second.Type != first.Type) {
        Rollback(start);
        return TreeCall(node, false, node.NodeResultType());
    }
    move(second);
    code_[jumpToEnd].Jump = static_cast<std::uint32_t>(code_.size());
    return Stored(first.Type, slot);
}

bool TProgramBuilder::Finish(const TProgramValue& root, TCompiledProgram& program) {
    if (root.Dynamic)
        return false;
    if (code_.size() == 1 && code_.front().Op == TOpCode::TreeCall)
        return false; // the whole tree runs through the tree anyway
    const TRef resultRef = Place(root);

    // One slot more, always zero, for the operands an instruction does not
    // use. The payloads never move after this: the instructions point into
    // them.
    const std::size_t zeroSlot = payloads_.size();
    payloads_.push_back(0);
    program.payloads_.swap(payloads_);
    // Texts exist up to the last slot of a string; no other slot's is read.
    program.texts_.swap(texts_);
    std::uint64_t* const payloads = program.payloads_.data();
    // An operand of an instruction built (see TInstruction) made a pointer,
    // its slot field the slot's number (0 for none).
    auto resolve = [payloads, zeroSlot](auto*& pointer, std::uint32_t& slot) {
        if (slot != 0) {
            --slot;
            pointer = payloads + slot;
        } else if (pointer == nullptr) {
            pointer = payloads + zeroSlot;
        }
    };

    for (const std::unique_ptr<TCompiledProgram::TCall>& call : calls_) {
        for (TInstruction& argument : call->Arguments)
            resolve(argument.A, argument.ASlot);
    }
    for (TInstruction& in : code_) {
        resolve(in.A, in.ASlot);
        resolve(in.B, in.BSlot);
        resolve(in.C, in.CSlot);
        resolve(in.Dst, in.DstSlot);
        if (in.Op == TOpCode::Call)
            in.Target = calls_[in.Jump].get();
        in.Handler = TCompiledProgram::TOps::For(in);
    }
    program.code_.swap(code_);
    program.calls_.swap(calls_);
    program.resultType_ = root.Type;
    const std::uint64_t* resultPayload = resultRef.External;
    std::uint32_t resultSlot = resultRef.Slot;
    resolve(resultPayload, resultSlot);
    program.resultPayload_ = resultPayload;
    program.resultSlot_ = resultSlot;
    return true;
}

} // namespace orvex::engine
