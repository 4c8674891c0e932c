// tests/support/Bytes.h
//
// Test data that no pattern of a wiping method repeats: the same bytes for the same seed, so
// a test can tell a file that kept every byte from one that was written over.
#pragma once
#include <cstddef>
#include <string>

namespace tests {

inline std::string bytesOf(size_t count, unsigned seed) {
    std::string bytes(count, '\0');
    for (size_t i = 0; i < count; ++i) {
        seed = seed * 1103515245u + 12345u;
        bytes[i] = static_cast<char>(seed >> 16);
    }
    return bytes;
}

}  // namespace tests
