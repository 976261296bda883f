// FNV-1a, 64 bits: the checksum by which paintings are compared between builds and runs.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr uint64_t kFnv1a64Basis = 0xcbf29ce484222325ull;

// The hash of data, continuing from `hash` (the basis for a fresh one).
inline uint64_t Fnv1a64(const uint8_t* data, size_t size, uint64_t hash = kFnv1a64Basis) {
    for (size_t i = 0; i < size; ++i) {
        hash ^= data[i];
        hash *= 0x100000001b3ull;
    }
    return hash;
}
