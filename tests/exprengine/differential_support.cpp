#include "differential_support.h"

#include "formatting/error.h"

#include <cinttypes>
#include <cstdio>
#include <limits>

namespace orvex::engine::test {
namespace {

void SumOfArguments(TExpressionResult& result, const TExprParameterArray& args) {
    double sum = 0;
    for (const TExpressionResult& arg : args)
        sum += ArgToFloat(arg);
    result.SetFloatValue(sum);
}

std::string Describe(const TExpressionResult& result) {
    // A text's payload carries no meaning either.
    if (result.ValueType == rtString)
        return "4:" + result.StringValue;
    char payload[32];
    std::snprintf(payload, sizeof payload, "%d:%016" PRIx64, static_cast<int>(result.ValueType),
                  result.Payload());
    return payload;
}

// Sets the text anew (the same text twice would keep the tree and its count
// of evaluations) and drives the aggregates over two records.
void Prepare(TExpressionParser& parser, const std::string& text) {
    parser.SetExpression("");
    parser.SetExpression(text);
    if (parser.Root()->ContainsAggregate()) {
        parser.Root()->ResetAggregate();
        parser.Root()->AccumulateAggregate();
        parser.Root()->AccumulateAggregate();
    }
}

template <typename TAction> std::string Outcome(TAction action) {
    try {
        return Describe(action());
    } catch (const formatting::Error& error) {
        return std::string("E:") + error.what();
    }
}

} // namespace

TDifferentialHost::TDifferentialHost() {
    parser_.SetBuiltIns(
        TBuiltInCategories{bcMath, bcStrings, bcDateTime, bcBoolean, bcConversion, bcAggregate});
    TExprIdentifierDefs& identifiers = parser_.Identifiers();
    identifiers.AddVariable("b", rtBoolean, "");
    identifiers.AddVariable("i", rtInteger, "");
    identifiers.AddVariable("f", rtFloat, "");
    identifiers.AddVariable("d", rtDateTime, "");
    identifiers.AddVariable("s", rtString, "");
    identifiers.AddVariable("c", rtCurrency, "");
    identifiers.AddFloatVariable("x", 0); // keeps its value
    identifiers.AddFloatVariable("h", 0).SetOnGetVariableValue(
        [this](TExpressionResult& value, const std::string&) {
            handlerValue_ += 0.5;
            value.SetFloatValue(handlerValue_);
        });
    identifiers.AddFunctionHandler("tick", 'I', "",
                                   [this](TExpressionResult& result, const TExprParameterArray&) {
                                       result.SetIntegerValue(++ticks_);
                                   });
    identifiers.AddFunctionHandler("twice", 'F', "F",
                                   [](TExpressionResult& result, const TExprParameterArray& args) {
                                       result.SetFloatValue(2 * ArgToFloat(args.at(0)));
                                   });
    identifiers.AddFunction("total", 'F', "F+", &SumOfArguments).SetPure(true);
}

void TDifferentialHost::SetVariables(std::uint64_t seed) {
    std::mt19937_64 random(seed);
    auto pick = [&random](auto... choices) {
        using T = std::common_type_t<decltype(choices)...>;
        const T values[] = {static_cast<T>(choices)...};
        return values[random() % sizeof...(choices)];
    };
    constexpr double inf = std::numeric_limits<double>::infinity();
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    constexpr std::int64_t maxInt = std::numeric_limits<std::int64_t>::max();
    constexpr std::int64_t minInt = std::numeric_limits<std::int64_t>::min();
    TExprIdentifierDefs& identifiers = parser_.Identifiers();
    auto value = [&identifiers](const char* name) -> TExpressionResult& {
        return identifiers[identifiers.IndexOfIdentifier(name)].ValueRecord();
    };
    value("b").SetBooleanValue(random() % 2 == 0);
    value("i").SetIntegerValue(pick(std::int64_t{0}, 1, -1, 2, 3, 100, maxInt, minInt,
                                    static_cast<std::int64_t>(random() % 2000) - 1000));
    value("f").SetFloatValue(pick(0.0, -0.0, 1.5, -2.25, 1e308, 0.1, inf, nan,
                                  static_cast<double>(random() % 20000) / 64.0 - 150.0));
    value("d").SetDateTimeValue(pick(0.0, 43000.5, -700.25, 1e6, 45123.75));
    value("s").StringValue = pick("", "abc", "a'b", "x y", "12");
    value("c").SetCurrencyValue(pick(std::int64_t{0}, 10000, -25000, 12345678, maxInt,
                                     static_cast<std::int64_t>(random() % 200000) - 100000));
    ticks_ = 0;
    handlerValue_ = 0;
}

std::string TreeOutcome(TDifferentialHost& host, const std::string& text) {
    TExpressionParser& parser = host.Parser();
    return Outcome([&] {
        Prepare(parser, text);
        return parser.Evaluate(); // the first evaluation walks the tree
    });
}

std::string CompiledOutcome(TDifferentialHost& host, const std::string& text) {
    TExpressionParser& parser = host.Parser();
    return Outcome([&] {
        Prepare(parser, text);
        parser.Compile();
        return parser.Evaluate();
    });
}

// --- TExpressionGenerator --------------------------------------------------

std::string TExpressionGenerator::Pick(std::initializer_list<const char*> choices) {
    return *(choices.begin() + Below(static_cast<int>(choices.size())));
}

std::string TExpressionGenerator::Next() {
    static constexpr char kTypes[] = {'B', 'I', 'F', 'D', 'S', 'C'};
    return Of(kTypes[Below(6)], 1 + Below(5));
}

std::string TExpressionGenerator::Leaf(char type) {
    switch (type) {
    case 'B':
        return Pick({"true", "false", "b"});
    case 'I':
        return Pick({"0", "1", "7", "(-3)", "2", "9223372036854775807", "$FFFFFFFFFFFFFFFF", "%101",
                     "i", "i", "tick"});
    case 'F':
        return Pick({"1.5", "0.0", "2.5e-3", "1e308", "0.1", "3.0", "f", "f", "h", "pi"});
    case 'D':
        return "d";
    case 'S':
        return Pick({"'abc'", "''", "'a'", "s", "'it''s'"});
    default:
        return "c";
    }
}

// Any operator over operands of any types: below the root no check runs,
// so the nodes meet values they would refuse at the root.
std::string TExpressionGenerator::Wild(int depth) {
    static constexpr char kTypes[] = {'B', 'I', 'F', 'D', 'S', 'C'};
    const std::string left = Of(kTypes[Below(6)], depth);
    const std::string right = Of(kTypes[Below(6)], depth);
    switch (Below(4)) {
    case 0:
        return "(-" + left + ")";
    case 1:
        return "(not " + left + ")";
    default:
        return "(" + left +
               Pick({"+", "-", "*", "/", " div ", " mod ", "^", " and ", " or ", " xor ", "=", "<>",
                     "<", ">", "<=", ">="}) +
               right + ")";
    }
}

std::string TExpressionGenerator::Of(char type, int depth) {
    if (depth <= 0 || Below(5) == 0)
        return Leaf(type);
    const int d = depth - 1;
    auto of = [this, d](char t) { return Of(t, d); };
    // A branch of another type, or another wild value, below the root.
    if (Below(25) == 0)
        return "if(" + of('B') + "," + of(type) + "," + Wild(d) + ")";
    if (Below(40) == 0)
        return "if(" + Pick({"true", "false"}) + "," + of(type) + "," + Wild(d) + ")";
    switch (type) {
    case 'B':
        switch (Below(7)) {
        case 0: {
            static constexpr char kOrdered[] = {'I', 'F', 'D', 'S', 'C'};
            const char t = kOrdered[Below(5)];
            return "(" + of(t) + Pick({"<", ">", "<=", ">=", "=", "<>"}) + of(t) + ")";
        }
        case 1:
            return "(" + of('B') + Pick({"=", "<>"}) + of('B') + ")";
        case 2:
            return "(" + of('B') + Pick({" and ", " or ", " xor "}) + of('B') + ")";
        case 3:
            return "(not " + of('B') + ")";
        case 4:
            return "if(" + of('B') + "," + of('B') + "," + of('B') + ")";
        case 5:
            return "strtobooldef(" + of('S') + "," + of('B') + ")";
        default:
            return "(" + of('I') + Pick({"<", "=", ">="}) + of('F') + ")";
        }
    case 'I':
        switch (Below(12)) {
        case 0:
        case 1:
            return "(" + of('I') +
                   Pick({"+", "-", "*", " div ", " mod ", " and ", " or ", " xor "}) + of('I') +
                   ")";
        case 2:
            return "(" + Pick({"-", "not "}) + of('I') + ")";
        case 3:
            return Pick({"shl(", "shr("}) + of('I') + "," + of('I') + ")";
        case 4:
            return Pick({"round(", "trunc("}) + of('F') + ")";
        case 5:
            return Pick({"length(", "strtointdef("}) + of('S') +
                   (Below(2) == 0 ? ")" : "," + of('I') + ")");
        case 6:
            return "IFI(" + of('B') + "," + of('I') + "," + of('I') + ")";
        case 7:
            return "if(" + of('B') + "," + of('I') + "," + of('I') + ")";
        case 8:
            return "case(" + of('I') + "," + of('I') + ",1," + of('I') + ",2," + of('I') + ")";
        case 9:
            return Pick({"pos(", "comparetext("}) + of('S') + "," + of('S') + ")";
        case 10:
            return Pick({"extractyear(", "dayofweek(", "extractmonth("}) + of('D') + ")";
        default:
            return Pick({"count", "tick"});
        }
    case 'F':
        switch (Below(13)) {
        case 0:
        case 1:
            return "(" + of('F') + Pick({"+", "-", "*", "/", "^"}) + of('F') + ")";
        case 2:
            return "(" + of('I') + Pick({"+", "*", "/", "^"}) + of(Below(2) == 0 ? 'F' : 'I') + ")";
        case 3:
            return "(" + of('C') + Pick({"+", "-", "*", "/", "^"}) + of('F') + ")";
        case 4:
            return "(-" + of('F') + ")";
        case 5:
        case 6:
            return Pick({"sin(", "cos(", "arctan(", "abs(", "sqr(", "sqrt(", "exp(", "ln(", "log(",
                         "frac(", "int("}) +
                   of(Below(3) == 0 ? 'I' : 'F') + ")";
        case 7:
            return "IFF(" + of('B') + "," + of('F') + "," + of('I') + ")";
        case 8:
            return "if(" + of('B') + "," + of('F') + "," + of('F') + ")";
        case 9:
            return Pick({"twice(", "sum(", "avg(", "min(", "max("}) + of('F') + ")";
        case 10:
            return "total(" + of('F') + "," + of('I') + "," + of('C') + ")";
        case 11:
            return "strtofloatdef(" + of('S') + "," + of('F') + ")";
        default:
            return "case(" + of('S') + "," + of('F') + ",'a'," + of('F') + ",'abc'," + of('F') +
                   ")";
        }
    case 'C':
        switch (Below(5)) {
        case 0:
        case 1:
            return "(" + of('C') + Pick({"+", "-", "*", "/"}) + of('C') + ")";
        case 2:
            return "(-" + of('C') + ")";
        case 3:
            return "(" + of('C') + Pick({"+", "-", "*"}) + of('I') + ")";
        default:
            return "(" + of('F') + Pick({"+", "*", "/"}) + of('C') + ")";
        }
    case 'D':
        switch (Below(5)) {
        case 0:
            return "(" + of('D') + Pick({"+", "-"}) + of('D') + ")";
        case 1:
            return "(" + of('D') + Pick({"+", "-"}) + of(Pick({"I", "F", "C"})[0]) + ")";
        case 2:
            return "IFD(" + of('B') + "," + of('D') + "," + of('D') + ")";
        case 3:
            return "encodedate(" + Pick({"2020", "1999", "0"}) + "," + of('I') + ",1)";
        default:
            return "(" + of('F') + "+" + of('D') + ")";
        }
    default: // 'S'
        switch (Below(10)) {
        case 0:
        case 1:
            return "(" + of('S') + "+" + of('S') + ")";
        case 2:
            return Pick({"copy(", "delete("}) + of('S') + "," + of('I') + "," + of('I') + ")";
        case 3:
            return Pick({"uppercase(", "lowercase("}) + of('S') + ")";
        case 4:
            return Pick({"inttostr(", "booltostr("}) + of(Below(2) == 0 ? 'I' : 'B') + ")";
        case 5:
            return Pick({"floattostr(", "formatfloat('0.00',"}) + of('F') + ")";
        case 6:
            return "IFS(" + of('B') + "," + of('S') + "," + of('S') + ")";
        case 7:
            return "if(" + of('B') + "," + of('S') + "," + of('S') + ")";
        case 8:
            return "case(" + of('S') + "," + of('S') + ",'a'," + of('S') + ",'b'," + of('S') + ")";
        default:
            return "stringreplace(" + of('S') + "," + of('S') + "," + of('S') + "," + of('B') +
                   "," + of('B') + ")";
        }
    }
}

} // namespace orvex::engine::test
