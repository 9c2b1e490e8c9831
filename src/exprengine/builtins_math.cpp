// The built-ins of category bcMath.
#include "exprengine/builtin_library.h"
#include "exprengine/builtin_manager.h"
#include "exprengine/builtins.h"

namespace orvex::engine {

void RegisterMathBuiltins(TExprBuiltInManager& manager) {
    manager.AddFloatVariable(bcMath, "pi", 3.141592653589793);
    RegisterMathFunctions(manager);
}

} // namespace orvex::engine
