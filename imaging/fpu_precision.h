// Tone tables are built in long double, and their values depend on the x87 unit's precision
// control: at extended precision (64-bit significand) both builds give the same tables. A host
// may have lowered the precision (many set 53 bits), so work that builds tables runs inside an
// ExtendedPrecisionScope, which sets extended precision and restores the caller's on exit.
#pragma once

#include <cstdint>

class ExtendedPrecisionScope {
public:
    ExtendedPrecisionScope() {
#if defined(__i386__) || defined(__x86_64__)
        __asm__ volatile("fnstcw %0" : "=m"(saved_));
        uint16_t extended = static_cast<uint16_t>(saved_ | 0x0300);  // precision control = 11b
        __asm__ volatile("fldcw %0" : : "m"(extended));
#endif
    }
    ~ExtendedPrecisionScope() {
#if defined(__i386__) || defined(__x86_64__)
        __asm__ volatile("fldcw %0" : : "m"(saved_));
#endif
    }
    ExtendedPrecisionScope(const ExtendedPrecisionScope&) = delete;
    ExtendedPrecisionScope& operator=(const ExtendedPrecisionScope&) = delete;

    // The precision-control bits of the x87 control word now (3 is extended).
    static int CurrentPrecisionControl() {
#if defined(__i386__) || defined(__x86_64__)
        uint16_t word;
        __asm__ volatile("fnstcw %0" : "=m"(word));
        return (word >> 8) & 3;
#else
        return 3;
#endif
    }

private:
    uint16_t saved_ = 0;
};
