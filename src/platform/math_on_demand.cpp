// The C math library, loaded when a run first needs it.
//
// Most runs never call a function of the math library (`orvex 1+2` adds,
// formats and prints), yet loading it with the program costs about a tenth of
// such a run: the loader opens, maps, relocates and version-checks it, and
// every later symbol lookup passes it. The released program on GNU/Linux is
// therefore linked with this file and without the math library: the
// definitions below take the calls the program and its C++ runtime make, and
// the first of them opens the library and binds every function at once.
// Builds without this file (tests, sanitizers, Windows) call the library
// directly, and the results are the same, since the same functions run.
//
// The list is what the program refers to. A function missing here still
// works: the linker then takes it from the library, which is loaded at
// start-up again, and the end-to-end test of this file fails to say so.
#include <dlfcn.h>
#include <gnu/lib-names.h>
#include <sys/auxv.h>
#include <unistd.h>

#include <array>
#include <cstring>

namespace {

// The functions taken from the library, and their names there.
enum TMathFunction {
    mfAtan,
    mfCos,
    mfExp,
    mfFmod,
    mfLog,
    mfPow,
    mfRound,
    mfSin,
    mfSqrt,
    mfFegetround, // these two the C++ runtime's number reading refers to
    mfFesetround,
    kMathFunctionCount
};

// In the order above, each ended by a NUL: one array, no pointers for the
// loader to fix up at start-up.
constexpr char kMathFunctionNames[] =
    "atan\0cos\0exp\0fmod\0log\0pow\0round\0sin\0sqrt\0fegetround\0fesetround";

// Ends the run as the dynamic loader would have, had the library been
// missing at start-up: its message and its exit status. libm comes with the
// C library, so only a broken installation gets here. The program's name is
// asked for only here: a variable of the C library would cost every run a
// symbol lookup at start-up.
[[noreturn]] void FailToLoad(const char* reason) {
    const auto* program = reinterpret_cast<const char*>(getauxval(AT_EXECFN));
    const char* const parts[] = {program != nullptr ? program : "orvex",
                                 ": error while loading shared libraries: ", reason, "\n"};
    for (const char* part : parts) {
        if (write(STDERR_FILENO, part, std::strlen(part)) < 0)
            break;
    }
    _exit(127);
}

std::array<void*, kMathFunctionCount> LoadMathLibrary() {
    void* const library = dlopen(LIBM_SO, RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr)
        FailToLoad(dlerror());
    std::array<void*, kMathFunctionCount> functions{};
    const char* name = kMathFunctionNames;
    for (void*& function : functions) {
        function = dlsym(library, name);
        if (function == nullptr)
            FailToLoad(dlerror());
        name += std::strlen(name) + 1;
    }
    return functions;
}

// Loaded once per process, thread-safely, on the first call of any of the
// functions; the library stays open.
const std::array<void*, kMathFunctionCount>& MathFunctions() {
    static const std::array<void*, kMathFunctionCount> functions = LoadMathLibrary();
    return functions;
}

template <typename TSignature> TSignature* MathFunction(TMathFunction which) {
    return reinterpret_cast<TSignature*>(MathFunctions()[which]);
}

} // namespace

extern "C" {
double atan(double x) {
    return MathFunction<double(double)>(mfAtan)(x);
}
double cos(double x) {
    return MathFunction<double(double)>(mfCos)(x);
}
double exp(double x) {
    return MathFunction<double(double)>(mfExp)(x);
}
double fmod(double x, double y) {
    return MathFunction<double(double, double)>(mfFmod)(x, y);
}
double log(double x) {
    return MathFunction<double(double)>(mfLog)(x);
}
double pow(double x, double y) {
    return MathFunction<double(double, double)>(mfPow)(x, y);
}
double round(double x) {
    return MathFunction<double(double)>(mfRound)(x);
}
double sin(double x) {
    return MathFunction<double(double)>(mfSin)(x);
}
double sqrt(double x) {
    return MathFunction<double(double)>(mfSqrt)(x);
}
int fegetround() {
    return MathFunction<int()>(mfFegetround)();
}
int fesetround(int mode) {
    return MathFunction<int(int)>(mfFesetround)(mode);
}
}
