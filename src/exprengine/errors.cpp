#include "exprengine/errors.h"

namespace orvex::engine {

void RaiseScannerError(TResourceString message, std::initializer_list<TMessageArg> args) {
    throw EExprScanner(message, args);
}

void RaiseParserError(TResourceString message, std::initializer_list<TMessageArg> args) {
    throw EExprParser(message, args);
}

} // namespace orvex::engine
