#include "cmdline/build_info.h"

#include "build_stamp.h"

namespace orvex::cmdline {

#define ORVEX_STRINGIFY_TEXT(x) #x
#define ORVEX_STRINGIFY(x) ORVEX_STRINGIFY_TEXT(x)

std::string_view BuildDate() {
    return ORVEX_BUILD_DATE;
}

std::string_view BuildDateTime() {
    return ORVEX_BUILD_DATE_TIME;
}

std::string_view ArchitectureText() {
#if defined(__x86_64__) || defined(_M_X64) || defined(_M_AMD64)
    return " x64";
#elif defined(__i386__) || defined(_M_IX86)
    return " x86";
#elif defined(__aarch64__) || defined(_M_ARM64)
    return " arm64";
#elif defined(__arm__) || defined(_M_ARM)
    return " arm";
#elif defined(__riscv) && __riscv_xlen == 64
    return " riscv64";
#elif defined(__powerpc64__)
    return " ppc64";
#elif defined(__s390x__)
    return " s390x";
#else
    return "";
#endif
}

std::string_view CompilerText() {
    // Clang also defines the GCC macros, so it is asked first.
#if defined(__clang__) && defined(__apple_build_version__)
    return "Apple Clang " ORVEX_STRINGIFY(__clang_major__) "." ORVEX_STRINGIFY(
        __clang_minor__) "." ORVEX_STRINGIFY(__clang_patchlevel__);
#elif defined(__clang__)
    return "Clang " ORVEX_STRINGIFY(__clang_major__) "." ORVEX_STRINGIFY(
        __clang_minor__) "." ORVEX_STRINGIFY(__clang_patchlevel__);
#elif defined(__GNUC__)
    return "GCC " ORVEX_STRINGIFY(__GNUC__) "." ORVEX_STRINGIFY(__GNUC_MINOR__) "." ORVEX_STRINGIFY(
        __GNUC_PATCHLEVEL__);
#elif defined(_MSC_VER)
    return "MSVC " ORVEX_STRINGIFY(_MSC_VER) " (" ORVEX_STRINGIFY(_MSC_FULL_VER) ")";
#else
    return "an unknown compiler";
#endif
}

} // namespace orvex::cmdline
