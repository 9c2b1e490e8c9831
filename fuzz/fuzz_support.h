// What every fuzz target shares: the libFuzzer entry point and the way a
// broken expectation is reported.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace orvex::fuzz {

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// A broken expectation is a finding like a crash: abort, so that libFuzzer
// keeps the input and the replayer fails.
inline void Expect(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "fuzz expectation failed: %s\n", what);
        std::abort();
    }
}

} // namespace orvex::fuzz
