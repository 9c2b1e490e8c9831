#include "exprengine/errors.h"

namespace orvex::engine {

void RaiseScannerError(std::string_view resourceId, std::initializer_list<TMessageArg> args) {
    throw EExprScanner(FormatEngineMessage(resourceId, args));
}

void RaiseParserError(std::string_view resourceId, std::initializer_list<TMessageArg> args) {
    throw EExprParser(FormatEngineMessage(resourceId, args));
}

} // namespace orvex::engine
