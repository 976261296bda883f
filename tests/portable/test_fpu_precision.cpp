// The floating-point scope of the exports: precision, rounding and exceptions set and restored.
#include <gtest/gtest.h>

#include <cmath>

#include "imaging/fpu_precision.h"

#if defined(__i386__) || defined(__x86_64__)
namespace {

void SetControls(uint16_t x87, uint32_t sse) {
    __asm__ volatile("fnclex");
    __asm__ volatile("fldcw %0" : : "m"(x87));
    __asm__ volatile("ldmxcsr %0" : : "m"(sse));
}

// A host's environment: 53-bit precision with invalid, zero-divide and overflow unmasked (the
// x87 word 0x1332), and SSE rounding toward zero with flush-to-zero.
constexpr uint16_t kHostX87 = 0x1332;
constexpr uint32_t kHostSse = 0x1F80 | 0x6000 | 0x8000;

TEST(ExtendedPrecisionScope, SetsTheTableBuildingEnvironmentAndRestoresTheHosts) {
    const uint16_t testX87 = ExtendedPrecisionScope::CurrentX87Control();
    const uint32_t testSse = ExtendedPrecisionScope::CurrentSseControl();
    SetControls(kHostX87, kHostSse);
    long double quiet;
    {
        ExtendedPrecisionScope scope;
        EXPECT_EQ(ExtendedPrecisionScope::CurrentX87Control() & 0x0F3F, 0x033F);
        EXPECT_EQ(ExtendedPrecisionScope::CurrentSseControl() & 0xFFC0u, 0x1F80u);
        // Masked: an invalid operation gives a NaN instead of a trap, in both units.
        volatile long double zero = 0;
        quiet = zero / zero;
        volatile double zeroDouble = 0;
        EXPECT_TRUE(std::isnan(zeroDouble / zeroDouble));
    }
    EXPECT_TRUE(std::isnan(quiet));
    EXPECT_EQ(ExtendedPrecisionScope::CurrentX87Control() & 0x1F3F, kHostX87 & 0x1F3F);
    EXPECT_EQ(ExtendedPrecisionScope::CurrentSseControl() & 0xFFC0u, kHostSse & 0xFFC0u);
    // The flags raised inside were cleared: the host's next x87 instruction does not trap.
    volatile long double one = 1;
    EXPECT_EQ(one + one, 2.0L);
    SetControls(testX87, testSse);
}

TEST(ExtendedPrecisionScope, ExtendedPrecisionChangesLongDoubleResults) {
    // 1 + 2^-60 is representable only with a 64-bit significand.
    const uint16_t testX87 = ExtendedPrecisionScope::CurrentX87Control();
    const uint32_t testSse = ExtendedPrecisionScope::CurrentSseControl();
    SetControls(0x027F, testSse);  // 53-bit precision, everything masked
    volatile long double one = 1, tiny = std::ldexp(1.0L, -60);
    EXPECT_EQ(one + tiny, one);
    {
        ExtendedPrecisionScope scope;
        EXPECT_NE(one + tiny, one);
    }
    SetControls(testX87, testSse);
}

}  // namespace
#endif
