#include "exprengine/errors.h"
#include "exprengine/expression_result.h"
#include "exprengine/messages.h"

#include <gtest/gtest.h>

#include <bit>

namespace orvex::engine {
namespace {

TEST(Values, TypeNamesAreTheMemberIdentifiers) {
    EXPECT_EQ(TypeNameOf(rtBoolean), "rtBoolean");
    EXPECT_EQ(TypeNameOf(rtInteger), "rtInteger");
    EXPECT_EQ(TypeNameOf(rtFloat), "rtFloat");
    EXPECT_EQ(TypeNameOf(rtDateTime), "rtDateTime");
    EXPECT_EQ(TypeNameOf(rtString), "rtString");
    EXPECT_EQ(TypeNameOf(rtCurrency), "rtCurrency");
    // Sets print in enumeration order, whatever order they were written in.
    EXPECT_EQ(TypeNamesOf({rtCurrency, rtInteger, rtBoolean}), "rtBoolean,rtInteger,rtCurrency");
    EXPECT_EQ(TypeNamesOf(TResultTypes::All()),
              "rtBoolean,rtInteger,rtFloat,rtDateTime,rtString,rtCurrency");
}

TEST(Values, PayloadIsSharedBetweenTheNonTextTypes) {
    TExpressionResult value;
    EXPECT_EQ(value.ValueType, rtBoolean);
    EXPECT_FALSE(value.BooleanValue());
    value.SetFloatValue(1.0);
    EXPECT_EQ(value.IntegerValue(), std::bit_cast<std::int64_t>(1.0));
    value.SetIntegerValue(0x100);
    EXPECT_FALSE(value.BooleanValue()); // the boolean is the low-order byte only
    value.SetIntegerValue(-1);
    EXPECT_TRUE(value.BooleanValue());
    EXPECT_EQ(value.CurrencyValue(), -1);
    value.SetDateTimeValue(2.5);
    EXPECT_EQ(value.FloatValue(), 2.5);
}

TEST(Values, ArgToFloatTakesEachTypeAtItsValue) {
    EXPECT_EQ(ArgToFloat(TExpressionResult::Integer(-3)), -3.0);
    EXPECT_EQ(ArgToFloat(TExpressionResult::Currency(25000)), 2.5);
    EXPECT_EQ(ArgToFloat(TExpressionResult::Float(1.25)), 1.25);
    EXPECT_EQ(ArgToFloat(TExpressionResult::DateTime(3.5)), 3.5);
}

TEST(Messages, SubstitutesLeftToRightWithoutRescanning) {
    EXPECT_EQ(FormatResString(msg::SErrUnknownCharacter.Text, {7, "%s"}),
              "Unknown character at pos 7: \"%s\"");
    EXPECT_EQ(FormatResString(msg::SErrBadQuotes.Text), "Unterminated string");
    EXPECT_EQ(FormatResString(msg::SErrTypesDoNotMatch.Text, {"rtInteger", "rtString", "1", "'a'"}),
              "Type mismatch: rtInteger<>rtString for expressions \"1\" and \"'a'\".");
}

TEST(Messages, RaiseHelpersUseTheRightClass) {
    EXPECT_THROW(RaiseScannerError(msg::SErrBadQuotes), EExprScanner);
    EXPECT_THROW(RaiseParserError(msg::SErrInExpression), EExprParser);
}

TEST(Messages, RaisedErrorsCarryTheirResourceIdentifier) {
    try {
        RaiseParserError(msg::SErrDivisionByZero, {"rtInteger"});
        FAIL() << "no error raised";
    } catch (const EExprParser& error) {
        EXPECT_EQ(error.ResourceId(), "cvexprpars.serrdivisionbyzero");
        EXPECT_EQ(error.Message(), "rtInteger division by zero");
    }
}

} // namespace
} // namespace orvex::engine
