// Writes the About box's cover picture of each plug-in into the folder given: moravel.bmp,
// kolda.bmp, grisov.bmp, zavet.bmp and tevu.bmp, 150 × 170 pixels at 8 bits with a colour table
// of 256 entries. All five show one landscape (sky, sun, hills, a tree, a house, a field and a
// path) as the plug-in's style would paint it: short oil strokes with ridges of paint, torn
// paper pieces with a printed sheet among them, graphite lines and hatching, pale washes with
// pooled rims over pencil lines, and a few flat inks with halftone dots and a shifted key
// plate. The colour table is 16 ramps of 16 shades each; a style picks its ramps and paints
// shades of them. Integer arithmetic and one hash only: the output is the same on every host.
//
// Usage: make_covers <output folder>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tools/tool_output.h"

namespace {

constexpr int kWidth = 150;
constexpr int kHeight = 170;
constexpr int kRamps = 16;
constexpr int kShades = 16;
// The shade that shows a ramp's own colour; below it darker, above it toward white.
constexpr int kBaseShade = 10;

struct Rgb {
    int red, green, blue;
};

// ---- the scene ----------------------------------------------------------------------------------

enum Region : int {
    kSky, kSun, kFarHill, kField, kPath, kTrunk, kCrown, kWall, kRoof, kDoor, kWindow,
    kRegionCount
};

int Clamp(int v, int low, int high) { return std::min(std::max(v, low), high); }

// The far hills' top edge: two rounded humps over a low ridge.
int FarHillTop(int x) {
    const int west = 30 - (x - 38) * (x - 38) / 45;
    const int east = 22 - (x - 118) * (x - 118) / 55;
    return 104 - std::max({west, east, 4});
}

// The field's top edge, falling gently to the east.
int FieldTop(int x) { return 124 + x / 16; }

// x, y top-down, as the picture is seen.
Region RegionAt(int x, int y) {
    const int crownX = x - 34, crownY = y - 84;
    if (crownX * crownX * 26 * 26 + crownY * crownY * 21 * 21 <= 21 * 21 * 26 * 26) return kCrown;
    if (x >= 31 && x < 38 && y >= 96 && y < 140) return kTrunk;
    if (x >= 80 && x < 112 && y >= 110 && y < 136) {
        if (x >= 93 && x < 100 && y >= 122) return kDoor;
        if (x >= 84 && x < 90 && y >= 116 && y < 123) return kWindow;
        return kWall;
    }
    // The roof: a triangle from (76, 110) and (116, 110) up to (96, 92).
    if (y >= 92 && y < 110 && std::abs(x - 96) * 18 <= (y - 92) * 20) return kRoof;
    if (y >= FieldTop(x)) {
        // The path winds from the door down to the bottom edge.
        const int centre = 96 + (y - 136) * (y - 136) / 40 - (y - 136) / 2;
        const int half = 3 + (y - 124) / 6;
        if (y >= 136 && std::abs(x - centre) <= half) return kPath;
        return kField;
    }
    if (y >= FarHillTop(x)) return kFarHill;
    const int sunX = x - 112, sunY = y - 40;
    if (sunX * sunX + sunY * sunY <= 15 * 15) return kSun;
    return kSky;
}

bool IsForeground(Region r) { return r == kTrunk || r == kCrown || r >= kWall || r == kSun; }

// ---- hashing and noise ---------------------------------------------------------------------------

uint32_t Hash(int x, int y, uint32_t seed) {
    const uint32_t a = static_cast<uint32_t>(x), b = static_cast<uint32_t>(y);
    uint32_t h = a * 0x9E3779B1u ^ (b + 0x7F4A7C15u) * 0x85EBCA77u ^ seed * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}

// Smooth value noise in -amplitude .. amplitude over cells of `cell` pixels.
int Noise(int x, int y, int cell, int amplitude, uint32_t seed) {
    const int cx = x / cell, cy = y / cell;
    const int fx = x % cell, fy = y % cell;
    auto corner = [&](int i, int j) {
        const uint32_t spread = static_cast<uint32_t>(2 * amplitude + 1);
        return static_cast<int>(Hash(cx + i + 64, cy + j + 64, seed) % spread) - amplitude;
    };
    const int top = corner(0, 0) * (cell - fx) + corner(1, 0) * fx;
    const int bottom = corner(0, 1) * (cell - fx) + corner(1, 1) * fx;
    const int sum = top * (cell - fy) + bottom * fy;
    const int scale = cell * cell;
    return sum >= 0 ? (sum + scale / 2) / scale : -((-sum + scale / 2) / scale);
}

int Jitter(int x, int y, uint32_t seed, int spread) {  // -spread .. spread
    return static_cast<int>(Hash(x, y, seed) % static_cast<uint32_t>(2 * spread + 1)) - spread;
}

bool IsEdge(int x, int y) {
    const Region r = RegionAt(x, y);
    return (x + 1 < kWidth && RegionAt(x + 1, y) != r) || (y + 1 < kHeight && RegionAt(x, y + 1) != r);
}

// Pixels to the nearest other region, up to `limit`.
int EdgeDistance(int x, int y, int limit) {
    const Region r = RegionAt(x, y);
    for (int d = 1; d <= limit; ++d) {
        const int near[4][2] = {{x - d, y}, {x + d, y}, {x, y - d}, {x, y + d}};
        for (const auto& p : near) {
            const int px = Clamp(p[0], 0, kWidth - 1), py = Clamp(p[1], 0, kHeight - 1);
            if (RegionAt(px, py) != r) return d;
        }
    }
    return limit + 1;
}

// ---- the picture ---------------------------------------------------------------------------------

// Ramp and shade per pixel; the style's colour table turns them into an index.
class Cover {
public:
    Cover() : pixels_(kWidth * kHeight, 0) {}
    void Set(int x, int y, int ramp, int shade) {
        pixels_[y * kWidth + x] = static_cast<uint8_t>(ramp * kShades + Clamp(shade, 0, kShades - 1));
    }
    uint8_t At(int x, int y) const { return pixels_[y * kWidth + x]; }

private:
    std::vector<uint8_t> pixels_;
};

// A style: its ramps' colours (unused ramps are grey) and its painting.
struct Style {
    const char* file;
    Rgb ramps[kRamps];
    void (*paint)(Cover* cover);
};

// The styles that give every region its own colour paint region r with ramp r; the ramps after
// the regions' hold the paper, the graphite and the print.
constexpr int kPaperRamp = 11;
constexpr int kGraphiteRamp = 12;
constexpr int kPrintRamp = 13;
static_assert(kRegionCount <= kPaperRamp, "a region's ramp is one of the regions' own");

// The sky is lighter toward the horizon.
int SkyShade(int y) { return kBaseShade - 1 + y * 4 / 100; }

// Oil paint: short strokes laid on a jittered grid, each along its region's direction, with a
// light ridge on one side and a dark one on the other where the paint stands up.
void PaintOil(Cover* cover) {
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) cover->Set(x, y, RegionAt(x, y), kBaseShade - 1);
    const int directions[8][2] = {{4, 0}, {4, 1}, {4, -1}, {3, 2}, {3, -2}, {2, 3}, {2, -3}, {0, 4}};
    for (int gy = -2; gy < kHeight + 2; gy += 3) {
        for (int gx = -2; gx < kWidth + 2; gx += 3) {
            const int cx = gx + Jitter(gx, gy, 11, 1), cy = gy + Jitter(gx, gy, 12, 1);
            const Region r = RegionAt(Clamp(cx, 0, kWidth - 1), Clamp(cy, 0, kHeight - 1));
            int d = 0;
            switch (r) {
            case kSky: d = (cy / 9) % 2 == 0 ? 0 : 1; break;
            case kFarHill: d = cx < 75 ? 2 : 1; break;
            case kField: d = 1 + Jitter(cx, cy, 13, 0); break;
            case kPath: d = 7; break;
            case kTrunk: d = 7; break;
            case kRoof: d = cx < 96 ? 4 : 3; break;
            case kWall: d = 0; break;
            default: d = static_cast<int>(Hash(cx, cy, 14) % 8);
            }
            const int dx = directions[d][0], dy = directions[d][1];
            // Small shapes get short dabs, so that the house keeps its door and window.
            const int length = r >= kWall ? 1 : r == kCrown || r == kSun || r == kTrunk ? 3 : 5;
            int shade = r == kSky ? SkyShade(cy) : kBaseShade - 1;
            shade += Jitter(cx, cy, 15, r == kSky ? 1 : 2);
            if (r == kCrown) shade += (cx - 34) / 8 - (cy - 84) / 8;  // lit from the upper right
            for (int v = -6; v <= 6; ++v) {
                for (int u = -6; u <= 6; ++u) {
                    const int along = u * dx + v * dy;    // × 4
                    const int across = -u * dy + v * dx;  // × 4
                    if (std::abs(along) > length * 4 || std::abs(across) > 5) continue;
                    const int px = cx + u, py = cy + v;
                    if (px < 0 || px >= kWidth || py < 0 || py >= kHeight) continue;
                    const int ridge = across > 3 ? 2 : across < -3 ? -2 : 0;
                    cover->Set(px, py, r, shade + ridge);
                }
            }
        }
    }
}

// Collage: every region a piece of paper with torn edges that show the white core of the
// sheet, a grain of its own, a shadow cast down to the right by the pieces in front, the sky
// in strips of three papers and the wall cut from a printed page.
void PaintCollage(Cover* cover) {
    auto torn = [](int x, int y, uint32_t seed) {
        const int tx = Clamp(x + Noise(x, y, 5, 3, seed), 0, kWidth - 1);
        const int ty = Clamp(y + Noise(x, y, 5, 3, seed + 1), 0, kHeight - 1);
        return RegionAt(tx, ty);
    };
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const Region r = torn(x, y, 21);
            const Region fringe = torn(x + 1, y + 1, 21);
            if (fringe != r && IsForeground(fringe)) {
                cover->Set(x, y, kPaperRamp, 14 + Jitter(x, y, 22, 1));
                continue;
            }
            int shade = kBaseShade - 1 + Noise(x, y, 8, 1, 23) + Jitter(x, y, 24, 1) / 2;
            if (r == kSky) shade = 8 + (y / 16) % 3 * 2 + Jitter(x, y, 24, 1) / 2;
            if (r == kWall) {
                // A printed page: lines of type, with gaps between words and paragraphs.
                const bool line = y % 4 == 0 && y % 20 != 0 && Hash(x / 4, y, 25) % 5 != 0;
                cover->Set(x, y, kPrintRamp, line ? 4 : 14);
                continue;
            }
            const Region caster = torn(Clamp(x - 2, 0, kWidth - 1), Clamp(y - 2, 0, kHeight - 1), 21);
            if (caster != r && IsForeground(caster) && !IsForeground(r)) shade -= 4;
            cover->Set(x, y, r, shade);
        }
    }
}

// Drawing: graphite on cream paper; outlines with the pencil's gaps, hatching that gets
// denser with the region's tone, and a few strokes for the sun's rays.
void PaintDrawing(Cover* cover) {
    const int tones[kRegionCount] = {0, 0, 2, 1, 0, 4, 3, 0, 3, 4, 4};
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const Region r = RegionAt(x, y);
            const int wobble = Noise(x, y, 12, 1, 31);
            const int t = tones[r];
            bool hatch = false;
            if (t >= 1) hatch = (x + y + wobble + 60) % 6 == 0;
            if (t >= 2) hatch = hatch || (x - y + wobble + 600) % 6 == 0;
            if (t >= 3) hatch = hatch || (x + y + wobble + 60) % 3 == 0;
            if (t >= 4) hatch = hatch || (x + wobble + 60) % 3 == 0;
            const int rayX = x - 112, rayY = y - 40;
            const int reach = rayX * rayX + rayY * rayY;
            const bool ray = reach > 20 * 20 && reach < 30 * 30 &&
                             (rayX == 0 || rayY == 0 || rayX == rayY || rayX == -rayY);
            if (IsEdge(x, y) && Hash(x, y, 32) % 9 != 0) {
                cover->Set(x, y, kGraphiteRamp, 3 + Jitter(x, y, 33, 1));
            } else if (ray) {
                cover->Set(x, y, kGraphiteRamp, 8 + Jitter(x, y, 34, 1));
            } else if (hatch) {
                // Darker regions are hatched with a heavier hand.
                cover->Set(x, y, kGraphiteRamp, 14 - 2 * t + Jitter(x, y, 34, 1));
            } else {
                cover->Set(x, y, kPaperRamp, 14 + Jitter(x, y, 35, 1) / 2);
            }
        }
    }
}

// Light wash: pale washes that stop a little short of or past the pencil lines, darker where
// the water pooled at their rims, with blooms of white paper; the pencil lines light and
// broken.
void PaintWash(Cover* cover) {
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            if (IsEdge(x, y) && Hash(x, y, 41) % 4 != 0) {
                cover->Set(x, y, kGraphiteRamp, 11);
                continue;
            }
            const int wx = Clamp(x + Noise(x, y, 9, 2, 42), 0, kWidth - 1);
            const int wy = Clamp(y + Noise(x, y, 9, 2, 43), 0, kHeight - 1);
            const Region r = RegionAt(wx, wy);
            if (r == kWall || Noise(x, y, 14, 6, 44) > 4) {
                cover->Set(x, y, kPaperRamp, 15);
                continue;
            }
            int shade = r == kSky ? 12 + y / 45 : 12;
            if (EdgeDistance(wx, wy, 2) <= 2) shade -= 2;
            cover->Set(x, y, r, shade + Noise(x, y, 6, 1, 45));
        }
    }
}

// Silkscreen: a few flat inks; the sky a halftone of dots that grow toward the top, and the
// key plate's thick outlines printed two pixels right of and one below the colours.
void PaintSilkscreen(Cover* cover) {
    enum { kInkPaper = 0, kInkCyan, kInkMagenta, kInkYellow, kInkGreen, kInkOrange, kInkKey };
    const int inks[kRegionCount] = {kInkCyan, kInkYellow, kInkMagenta, kInkGreen, kInkOrange,
                                    kInkKey, kInkGreen, kInkYellow, kInkMagenta, kInkKey, kInkCyan};
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const int kx = x - 2, ky = y - 1;
            const bool key = kx >= 0 && ky >= 0 && (IsEdge(kx, ky) || (kx > 0 && IsEdge(kx - 1, ky)) ||
                                                    (ky > 0 && IsEdge(kx, ky - 1)));
            if (key) {
                cover->Set(x, y, kInkKey, kBaseShade);
                continue;
            }
            const Region r = RegionAt(x, y);
            int ink = inks[r];
            if (r == kSky) {
                const int cellX = x % 6 - 3, cellY = y % 6 - 3;
                const int radius = 3 - y / 30;  // 3 at the top, none near the horizon
                ink = cellX * cellX + cellY * cellY <= radius * radius ? kInkCyan : kInkPaper;
            }
            // The crown's second pass of green, printed darker through a coarse screen.
            const int shade = r == kCrown && (x / 3 + y / 3) % 2 == 0 ? kBaseShade - 3 : kBaseShade;
            cover->Set(x, y, ink, ink == kInkPaper ? kBaseShade : shade);
        }
    }
}

const Style kStyles[] = {
    {"moravel.bmp",
     {{92, 140, 206}, {246, 196, 70}, {88, 112, 140}, {104, 146, 58}, {196, 164, 112},
      {104, 64, 36}, {44, 104, 48}, {222, 204, 164}, {176, 56, 36}, {84, 48, 30}, {56, 80, 128},
      {240, 232, 214}, {60, 60, 60}, {80, 80, 80}, {128, 128, 128}, {160, 160, 160}},
     PaintOil},
    {"kolda.bmp",
     {{120, 170, 214}, {240, 170, 40}, {110, 120, 170}, {150, 180, 80}, {214, 150, 110},
      {120, 90, 60}, {60, 140, 90}, {200, 200, 200}, {200, 70, 90}, {70, 60, 110}, {60, 130, 170},
      {248, 244, 232}, {60, 60, 60}, {176, 170, 160}, {128, 128, 128}, {160, 160, 160}},
     PaintCollage},
    {"grisov.bmp",
     {{128, 128, 128}, {128, 128, 128}, {128, 128, 128}, {128, 128, 128}, {128, 128, 128},
      {128, 128, 128}, {128, 128, 128}, {128, 128, 128}, {128, 128, 128}, {128, 128, 128},
      {128, 128, 128}, {236, 226, 204}, {74, 70, 66}, {128, 128, 128}, {128, 128, 128},
      {128, 128, 128}},
     PaintDrawing},
    {"zavet.bmp",
     {{110, 160, 220}, {250, 200, 90}, {130, 150, 190}, {140, 190, 110}, {210, 170, 120},
      {140, 100, 70}, {90, 160, 100}, {240, 236, 228}, {220, 110, 90}, {130, 90, 70},
      {110, 130, 180}, {252, 250, 244}, {96, 96, 104}, {128, 128, 128}, {128, 128, 128},
      {128, 128, 128}},
     PaintWash},
    {"tevu.bmp",
     {{248, 244, 236}, {32, 170, 214}, {228, 40, 120}, {250, 206, 30}, {40, 150, 80},
      {244, 120, 30}, {30, 28, 56}, {128, 128, 128}, {128, 128, 128}, {128, 128, 128},
      {128, 128, 128}, {128, 128, 128}, {128, 128, 128}, {128, 128, 128}, {128, 128, 128},
      {128, 128, 128}},
     PaintSilkscreen},
};

// Shade s of a ramp: from 40 % of its colour at 0 up to the colour itself at kBaseShade, then
// toward white, 85 % of the way at the last shade.
Rgb Shade(const Rgb& base, int s) {
    auto channel = [s](int c) {
        if (s <= kBaseShade) return c * (40 + 60 * s / kBaseShade) / 100;
        return c + (255 - c) * (s - kBaseShade) * 17 / 100;
    };
    return {channel(base.red), channel(base.green), channel(base.blue)};
}

std::vector<uint8_t> CoverFile(const Style& style) {
    Cover cover;
    style.paint(&cover);
    const uint32_t rowBytes = static_cast<uint32_t>(BitmapRowBytes(kWidth, 8));
    const uint32_t pixelBytes = rowBytes * kHeight;
    BitmapInfoHeader header;
    header.width = kWidth;
    header.height = kHeight;
    header.bitCount = 8;
    header.sizeImage = pixelBytes;
    header.colorsUsed = kRamps * kShades;  // every entry of the table is used
    std::vector<uint8_t> b;
    AppendBmpFileHeader(&b, 4 * header.colorsUsed, pixelBytes);
    AppendInfoHeader(&b, header);
    for (const Rgb& ramp : style.ramps) {
        for (int s = 0; s < kShades; ++s) {
            const Rgb c = Shade(ramp, s);
            b.push_back(static_cast<uint8_t>(c.blue));
            b.push_back(static_cast<uint8_t>(c.green));
            b.push_back(static_cast<uint8_t>(c.red));
            b.push_back(0);
        }
    }
    for (int row = 0; row < kHeight; ++row) {  // the bottom row first
        const int y = kHeight - 1 - row;
        for (int x = 0; x < kWidth; ++x) b.push_back(cover.At(x, y));
        for (uint32_t pad = kWidth; pad < rowBytes; ++pad) b.push_back(0);
    }
    return b;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_covers <output folder>\n");
        return 2;
    }
    for (const Style& style : kStyles) {
        const std::string path = std::string(argv[1]) + "/" + style.file;
        if (!WriteBytes(path, CoverFile(style))) {
            std::fprintf(stderr, "make_covers: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
