// The entry point every fuzz target defines, as libFuzzer calls it. The
// driver (fuzz_driver.cpp) calls it the same way when libFuzzer is not used.
// A target checks what must hold for any input and traps when it does not.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace zenko::fuzzing {

inline std::string_view bytes_of(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// Stops the run where an invariant fails, so the sanitizers and the driver
// report the input.
inline void require(bool condition) {
    if (!condition) __builtin_trap();
}

}  // namespace zenko::fuzzing
