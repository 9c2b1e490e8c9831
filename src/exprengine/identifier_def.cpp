#include "exprengine/identifier_def.h"

#include "exprengine/arithmetic.h"
#include "exprengine/engine_settings.h"
#include "exprengine/errors.h"
#include "exprengine/identifier_defs.h"
#include "formatting/date_time.h"
#include "formatting/number_pattern.h"
#include "formatting/number_text.h"

namespace orvex::engine {
namespace {

// The value of a text under a type; an empty text gives false, 0 or "".
TExpressionResult ValueOfText(std::string_view text, TResultType type) {
    TExpressionResult value;
    value.ValueType = type;
    if (text.empty())
        return value;
    const auto& settings = EngineFormatSettings();
    switch (type) {
    case rtBoolean:
        value.SetBooleanValue(text == "True");
        break;
    case rtInteger:
        value.SetIntegerValue(formatting::TextToInt(text));
        break;
    case rtFloat:
        value.SetFloatValue(formatting::TextToFloat(text, settings));
        break;
    case rtDateTime:
        value.SetDateTimeValue(formatting::StrToDateTime(text, settings));
        break;
    case rtString:
        value.StringValue.assign(text);
        break;
    case rtCurrency:
        value.SetCurrencyValue(FloatToCurrency(formatting::TextToFloat(text, settings)));
        break;
    }
    return value;
}

} // namespace

TResultType CharToResultType(char letter) {
    switch (letter) {
    case 'B':
    case 'b':
        return rtBoolean;
    case 'I':
    case 'i':
        return rtInteger;
    case 'F':
    case 'f':
        return rtFloat;
    case 'D':
    case 'd':
        return rtDateTime;
    case 'S':
    case 's':
        return rtString;
    case 'C':
    case 'c':
        return rtCurrency;
    default:
        RaiseParserError(msg::SErrInvalidResultCharacter, {std::string(1, letter)});
    }
}

void TExprIdentifierDef::Assign(const TExprIdentifierDef& source) {
    identifierType_ = source.identifierType_;
    name_ = source.name_;
    valueText_ = source.valueText_;
    parameterTypes_ = source.parameterTypes_;
    onGetFunctionValue_ = source.onGetFunctionValue_;
    onGetVariableValue_ = source.onGetVariableValue_;
    nodeType_ = source.nodeType_;
    variableArgumentCount_ = source.variableArgumentCount_;
    functionCallback_ = source.functionCallback_;
    variableCallback_ = source.variableCallback_;
    value_ = source.value_;
    pure_ = source.pure_;
    Changed();
}

void TExprIdentifierDef::Changed() {
    if (collection_ != nullptr)
        collection_->Changed();
}

void TBuiltInExprIdentifierDef::Assign(const TExprIdentifierDef& source) {
    TExprIdentifierDef::Assign(source);
    if (const auto* builtIn = dynamic_cast<const TBuiltInExprIdentifierDef*>(&source))
        category_ = builtIn->category_;
}

void TExprIdentifierDef::SetName(std::string_view name) {
    if (name == name_)
        return;
    if (!name.empty() && collection_ != nullptr && collection_->IndexOfIdentifier(name) != -1)
        RaiseParserError(msg::SErrDuplicateIdentifier, {name});
    name_.assign(name);
    if (collection_ != nullptr)
        collection_->Changed(); // the lookup table is keyed by name
}

std::string TExprIdentifierDef::Value() const {
    const auto& settings = EngineFormatSettings();
    switch (value_.ValueType) {
    case rtBoolean:
        return value_.BooleanValue() ? "True" : "False";
    case rtInteger:
        return std::to_string(value_.IntegerValue());
    case rtFloat:
        return formatting::GeneralText(value_.FloatValue(), settings);
    case rtDateTime:
        return formatting::FormatDateTime("cccc", value_.DateTimeValue(), settings);
    case rtString:
        return value_.StringValue;
    case rtCurrency:
        return formatting::GeneralText(static_cast<double>(value_.CurrencyValue()) / 10000.0,
                                       settings);
    }
    return {};
}

void TExprIdentifierDef::SetValue(std::string_view text) {
    // Convert first, so that a text that does not convert changes nothing.
    TExpressionResult value = ValueOfText(text, value_.ValueType);
    valueText_.assign(text);
    value_ = std::move(value);
}

void TExprIdentifierDef::SetParameterTypes(std::string_view letters) {
    for (const char letter : letters)
        CharToResultType(letter);
    parameterTypes_.assign(letters);
}

void TExprIdentifierDef::SetResultType(TResultType type) {
    if (type == value_.ValueType)
        return;
    value_ = ValueOfText(valueText_, type);
}

int TExprIdentifierDef::ArgumentCount() const {
    const int count = static_cast<int>(parameterTypes_.size());
    return variableArgumentCount_ ? -count : count;
}

void TExprIdentifierDef::FetchValue() {
    const TResultType declared = value_.ValueType;
    if (onGetVariableValue_)
        onGetVariableValue_(value_, name_);
    else if (variableCallback_)
        variableCallback_(value_, name_);
    const TResultType returned = value_.ValueType;
    if (returned == declared)
        return;
    value_.ValueType = declared;
    if (declared == rtFloat && returned == rtInteger) {
        value_.SetFloatValue(static_cast<double>(value_.IntegerValue()));
        return;
    }
    RaiseParserError(msg::SErrInvalidResultType,
                     {name_, TypeNameOf(declared), TypeNameOf(returned)});
}

} // namespace orvex::engine
