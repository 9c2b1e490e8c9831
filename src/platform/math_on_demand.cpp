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

#include <cstring>

namespace {

struct TMathLibrary {
    double (*Atan)(double);
    double (*Cos)(double);
    double (*Exp)(double);
    double (*Fmod)(double, double);
    double (*Log)(double);
    double (*Pow)(double, double);
    double (*Round)(double);
    double (*Sin)(double);
    double (*Sqrt)(double);
    // The C++ runtime's number reading refers to these two.
    int (*Fegetround)();
    int (*Fesetround)(int);
};

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

template <typename TFunction> void Bind(void* library, TFunction& function, const char* name) {
    void* const symbol = dlsym(library, name);
    if (symbol == nullptr)
        FailToLoad(dlerror());
    function = reinterpret_cast<TFunction>(symbol);
}

TMathLibrary LoadMathLibrary() {
    void* const library = dlopen(LIBM_SO, RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr)
        FailToLoad(dlerror());
    TMathLibrary math{};
    Bind(library, math.Atan, "atan");
    Bind(library, math.Cos, "cos");
    Bind(library, math.Exp, "exp");
    Bind(library, math.Fmod, "fmod");
    Bind(library, math.Log, "log");
    Bind(library, math.Pow, "pow");
    Bind(library, math.Round, "round");
    Bind(library, math.Sin, "sin");
    Bind(library, math.Sqrt, "sqrt");
    Bind(library, math.Fegetround, "fegetround");
    Bind(library, math.Fesetround, "fesetround");
    return math;
}

// Loaded once per process, thread-safely; the library stays open.
const TMathLibrary& MathLibrary() {
    static const TMathLibrary math = LoadMathLibrary();
    return math;
}

} // namespace

extern "C" {
double atan(double x) {
    return MathLibrary().Atan(x);
}
double cos(double x) {
    return MathLibrary().Cos(x);
}
double exp(double x) {
    return MathLibrary().Exp(x);
}
double fmod(double x, double y) {
    return MathLibrary().Fmod(x, y);
}
double log(double x) {
    return MathLibrary().Log(x);
}
double pow(double x, double y) {
    return MathLibrary().Pow(x, y);
}
double round(double x) {
    return MathLibrary().Round(x);
}
double sin(double x) {
    return MathLibrary().Sin(x);
}
double sqrt(double x) {
    return MathLibrary().Sqrt(x);
}
int fegetround() {
    return MathLibrary().Fegetround();
}
int fesetround(int mode) {
    return MathLibrary().Fesetround(mode);
}
}
