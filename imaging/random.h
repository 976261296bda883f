// The one random generator of a plug-in module: a 32-bit linear congruential state, 0 when the
// module is loaded, seeded only by the engine before every painting. Every random decision of
// a painting draws from it in a fixed order, so the same picture gives the same painting.
#pragma once

#include <cstdint>

extern uint32_t RandomState;

// The state after s: s × 1566083941 + 1 (mod 2^32). For loops that keep the state in a local
// while they draw, and for tests that replay the draws.
constexpr uint32_t NextState(uint32_t s) { return s * 1566083941u + 1u; }

// One step of the generator, RandomState = NextState(RandomState); returns the new state. Inline
// because the stroke and noise loops draw several values per pixel.
inline uint32_t NextRandom() {
    RandomState = NextState(RandomState);
    return RandomState;
}

// state = seed; returns seed.
int SetSeed(int seed);

// state = the current calendar time in seconds (truncated to 32 bits); returns it.
int SeedFromTime();

// state = 1, then for each of the first 31 characters c[i]: state += (1 << i) × c[i] taken as a
// signed byte, in unsigned 32-bit arithmetic; returns the state. A null text seeds 1.
int SeedFromText(const char* text);

// ---- The ways a value is drawn from a state s (s is the state right after a step) ----------
// Every user draws through these so that all components read the state the same way.

// Top byte, 0..255.
constexpr uint32_t TopByteOf(uint32_t s) { return s >> 24; }

// Signed noise r = (s >> 17) - 16384, -16384..16383.
constexpr int32_t SignedNoiseOf(uint32_t s) { return static_cast<int32_t>(s >> 17) - 16384; }

// r × amplitude / 16384, the division truncating toward zero; 64-bit product so that any
// int amplitude is safe.
constexpr int32_t ScaleNoise(int32_t r, int32_t amplitude) {
    return static_cast<int32_t>(static_cast<int64_t>(r) * amplitude / 16384);
}

// Index ((s >> 16) × n) >> 16 in 32-bit unsigned arithmetic, 0..n - 1 for n up to 65536.
constexpr uint32_t IndexOf(uint32_t s, uint32_t n) { return ((s >> 16) * n) >> 16; }

// Chance: the event happens when s <= threshold (unsigned).
constexpr bool ChanceOf(uint32_t s, uint32_t threshold) { return s <= threshold; }

// Top five bits, 0..31.
constexpr uint32_t TopFiveBitsOf(uint32_t s) { return s >> 27; }

// ---- The same forms with their one step ---------------------------------------------------
inline uint32_t DrawTopByte() { return TopByteOf(NextRandom()); }
inline int32_t DrawSignedNoise() { return SignedNoiseOf(NextRandom()); }
inline int32_t DrawNoise(int32_t amplitude) { return ScaleNoise(DrawSignedNoise(), amplitude); }
inline uint32_t DrawIndex(uint32_t n) { return IndexOf(NextRandom(), n); }
inline bool DrawChance(uint32_t threshold) { return ChanceOf(NextRandom(), threshold); }
inline uint32_t DrawTopFiveBits() { return TopFiveBitsOf(NextRandom()); }
