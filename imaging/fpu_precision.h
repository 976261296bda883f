// Tone tables are built in long double, and their values depend on the x87 unit's control
// word: at extended precision (64-bit significand) and round-to-nearest both builds give the
// same tables. A host may have lowered the precision (many set 53 bits), changed the rounding,
// or unmasked floating-point exceptions (so that a NaN the builders expect would trap inside
// the host's process). Work that paints therefore runs inside an ExtendedPrecisionScope: it sets
// extended precision, round-to-nearest and all exceptions masked for the x87 unit and for SSE,
// and restores the caller's control words on exit.
#pragma once

#include <cstdint>

class ExtendedPrecisionScope {
public:
    // x87: all six exceptions masked, precision control 11b (64 bits), rounding 00b (nearest).
    static constexpr uint16_t kX87Control = 0x037F;
    // SSE: all six exceptions masked, round-to-nearest, no flush-to-zero, no denormals-are-zero.
    static constexpr uint32_t kSseControl = 0x1F80;

    ExtendedPrecisionScope() {
#if defined(__i386__) || defined(__x86_64__)
        __asm__ volatile("fnstcw %0" : "=m"(savedX87_));
        __asm__ volatile("stmxcsr %0" : "=m"(savedSse_));
        const uint16_t x87 = static_cast<uint16_t>((savedX87_ & ~0x0F3F) | kX87Control);
        const uint32_t sse = kSseControl;
        __asm__ volatile("fldcw %0" : : "m"(x87));
        __asm__ volatile("ldmxcsr %0" : : "m"(sse));
#endif
    }
    ~ExtendedPrecisionScope() {
#if defined(__i386__) || defined(__x86_64__)
        // Exceptions raised while masked leave their flags; clear them so that a host that
        // unmasks them does not trap on its next x87 instruction.
        __asm__ volatile("fnclex");
        __asm__ volatile("fldcw %0" : : "m"(savedX87_));
        __asm__ volatile("ldmxcsr %0" : : "m"(savedSse_));
#endif
    }
    ExtendedPrecisionScope(const ExtendedPrecisionScope&) = delete;
    ExtendedPrecisionScope& operator=(const ExtendedPrecisionScope&) = delete;

    // The x87 control word now.
    static uint16_t CurrentX87Control() {
#if defined(__i386__) || defined(__x86_64__)
        uint16_t word;
        __asm__ volatile("fnstcw %0" : "=m"(word));
        return word;
#else
        return kX87Control;
#endif
    }
    // The SSE control and status register now.
    static uint32_t CurrentSseControl() {
#if defined(__i386__) || defined(__x86_64__)
        uint32_t word;
        __asm__ volatile("stmxcsr %0" : "=m"(word));
        return word;
#else
        return kSseControl;
#endif
    }
    // The precision-control bits of the x87 control word now (3 is extended).
    static int CurrentPrecisionControl() { return (CurrentX87Control() >> 8) & 3; }

private:
    uint16_t savedX87_ = 0;
    uint32_t savedSse_ = 0;
};
