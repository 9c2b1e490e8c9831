// Test programs write their reports in binary mode: ctest reads a test
// listing line by line, and a CR that text mode puts before each line end
// would end up in every test name.
#include <fcntl.h>
#include <io.h>

#include <cstdio>

namespace {

const bool binaryTestOutput = [] {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    return true;
}();

} // namespace
