// The paintings of samples/coffee.bmp that every build must give, as the filter call paints it
// with its settings file: the engine tests paint them directly, the Windows tests through the
// plug-in DLLs, and both compare with these values.
#pragma once

#include <cstdint>

struct PinnedPainting {
    const char* name;
    int level;        // every one of the five levels
    int groundIndex;  // of the ground list
    int dpi;          // the output resolution (84: the default screen, paper size 1)
    uint64_t checksum;  // FNV-1a of the painted rows, padding included
};

inline constexpr PinnedPainting kMoravelPaintings[] = {
    {"levels 1 on PAPER1", 1, 0, 84, 0x19fb7a907f076a74ull},
    {"levels 0 on PAPER3", 0, 2, 84, 0xea0a2b0ef9f4b7c8ull},
    {"levels 2 on CANVAS2", 2, 5, 84, 0x6b74af947b2da750ull},
};

inline constexpr PinnedPainting kZavetPaintings[] = {
    {"levels 1 on PAPER1", 1, 0, 84, 0xf05ea373edce5fa3ull},
    {"levels 0 on PAPER3", 0, 2, 84, 0xf5eb627b7598b2d6ull},
    {"levels 2 on CANVAS2", 2, 5, 84, 0xe6ff551bca74f1a1ull},
};

inline constexpr PinnedPainting kKoldaPaintings[] = {
    {"levels 1 on PAPER1", 1, 0, 84, 0xd208c95c4eaf28edull},
    {"levels 0 on PAPER3", 0, 2, 84, 0x0d43afb526daccc3ull},
    {"levels 2 on CANVAS2", 2, 5, 84, 0x2aea7ef89c71dfdeull},
};

inline constexpr PinnedPainting kGrisovPaintings[] = {
    {"levels 1 on PAPER1", 1, 0, 84, 0x493642558fefa50bull},
    {"levels 0 on PAPER3", 0, 2, 84, 0xc2acbb9934265836ull},
    {"levels 2 on CANVAS2", 2, 5, 84, 0x17a0943ea81d834bull},
};

inline constexpr PinnedPainting kTevuPaintings[] = {
    {"levels 1 on PAPER1", 1, 0, 84, 0xe633972ea66f5c56ull},
    {"levels 0 on PAPER3", 0, 2, 84, 0x8ebce3c21a4a476full},
    {"levels 2 on CANVAS2", 2, 5, 84, 0x2618fbf18e9ca488ull},
};
