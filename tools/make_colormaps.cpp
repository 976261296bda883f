// Writes the colour map table ("ColorMap", type "CMP", 1438 bytes) of each of the five plug-ins
// into a folder: <folder>/moravel.cmp, kolda.cmp, grisov.cmp, zavet.cmp, tevu.cmp.
//
// Each style is described by a few integers: its header, a grid of lightness and chroma per row
// and column of a hue key, a hue shift and a chroma scale per key, and the bumps of its target
// distributions. Everything is integer arithmetic, so the output is the same on every host; the
// committed files are compared with a fresh run by the tests.
//
// Usage: make_colormaps <output folder>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "imaging/hue_color.h"
#include "imaging/int_helpers.h"
#include "tools/tool_output.h"

namespace {

constexpr int kKeys = 12;
constexpr int kRows = 5;
constexpr int kColumns = 3;
constexpr int kTableBytes = 1438;

// One grid cell as lightness and chroma; the hue comes from the key.
struct Cell {
    int lightness;
    int chroma;
};

// A parabolic bump of a target distribution: `height` at `centre`, 0 at `radius` from it.
struct Bump {
    int centre;
    int radius;
    int height;
};

struct Style {
    const char* file;
    int16_t header[5];  // light strength, chroma strength, light minimum and maximum, chroma minimum
    // Rows light to dark (lightness 255 - 64 row), columns grey to saturated (chroma 128 column).
    // Row 0 of every column is white or a faint tint; row 4 stays near black.
    Cell cells[kRows][kColumns];
    int hueShift[kKeys];     // added to the key's hue 21 k
    int chromaScale[kKeys];  // in sixteenths
    int lightFloor;          // at least 1: the cumulative sums must rise past bin 0
    Bump lightBumps[3];
    int chromaFloor;
    Bump chromaBumps[3];
};

// Oil: rich and warm. Saturated cells at the edge of the gamut, warm low-chroma darks, hues
// pulled toward the earth colours and ultramarine, lightness weighted to the rich middle.
const Style kMoravel = {
    "moravel.cmp",
    {4, 4, 16, 240, 5},
    {{{255, 0}, {255, 0}, {255, 0}},
     {{206, 0}, {206, 98}, {206, 98}},
     {{128, 0}, {128, 142}, {115, 230}},
     {{56, 16}, {56, 112}, {56, 112}},
     {{4, 8}, {4, 8}, {4, 8}}},
    {0, 0, -2, -6, -6, -4, -2, 2, 4, 2, 4, 4},
    {16, 16, 16, 15, 14, 14, 14, 15, 16, 16, 16, 16},
    2,
    {{110, 100, 60}, {190, 50, 25}, {0, 0, 0}},
    1,
    {{50, 80, 40}, {130, 70, 25}, {0, 0, 0}},
};

// Collage: coloured papers. Muted dyes a little short of full chroma, cream greys, faintly
// tinted highlights, a paper-light lightness target with moderate chroma.
const Style kKolda = {
    "kolda.cmp",
    {3, 3, 16, 242, 8},
    {{{255, 0}, {247, 14}, {245, 20}},
     {{206, 10}, {198, 84}, {192, 110}},
     {{134, 10}, {138, 104}, {126, 160}},
     {{70, 8}, {74, 64}, {68, 96}},
     {{8, 4}, {8, 6}, {8, 8}}},
    {0, -2, -3, 3, 0, 0, 0, 0, 0, 3, 0, -3},
    {16, 16, 15, 14, 13, 13, 14, 14, 15, 15, 15, 16},
    2,
    {{165, 85, 50}, {90, 50, 15}, {0, 0, 0}},
    1,
    {{60, 70, 50}, {120, 40, 10}, {0, 0, 0}},
};

// Drawing: restrained. Low chroma everywhere, near-neutral greys, a light paper-heavy
// lightness target and a chroma target gathered near grey.
const Style kGrisov = {
    "grisov.cmp",
    {4, 0, 16, 242, 8},
    {{{255, 0}, {255, 0}, {255, 0}},
     {{200, 4}, {196, 30}, {192, 48}},
     {{128, 4}, {130, 50}, {124, 80}},
     {{62, 4}, {64, 30}, {60, 44}},
     {{5, 2}, {5, 2}, {5, 4}}},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {16, 16, 15, 14, 14, 14, 15, 16, 16, 16, 16, 16},
    3,
    {{190, 100, 45}, {90, 60, 15}, {0, 0, 0}},
    1,
    {{0, 60, 60}, {0, 0, 0}, {0, 0, 0}},
};

// Light wash: pale and airy. Every row lifted toward the light, soft chroma, washed tints in
// the highlights, a high lightness target and a low chroma target.
const Style kZavet = {
    "zavet.cmp",
    {4, 4, 0, 255, 0},
    {{{255, 0}, {248, 14}, {246, 18}},
     {{222, 4}, {214, 60}, {210, 80}},
     {{162, 6}, {168, 90}, {160, 130}},
     {{100, 8}, {108, 70}, {100, 100}},
     {{10, 4}, {10, 6}, {10, 8}}},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {15, 15, 15, 15, 15, 15, 15, 15, 15, 15, 15, 15},
    2,
    {{205, 70, 60}, {140, 60, 20}, {0, 0, 0}},
    1,
    {{30, 60, 60}, {90, 50, 10}, {0, 0, 0}},
};

// Silkscreen: bold flat inks. Full-chroma cells, greys pushed apart, the in-between hues
// snapped toward the process inks, a lightness target of three flat bands and a chroma target
// split between grey and strong colour.
const Style kTevu = {
    "tevu.cmp",
    {4, 2, 0, 255, 0},
    {{{255, 0}, {255, 0}, {255, 0}},
     {{222, 0}, {200, 110}, {190, 128}},
     {{128, 0}, {128, 200}, {124, 248}},
     {{44, 0}, {64, 120}, {64, 128}},
     {{4, 0}, {6, 8}, {6, 10}}},
    {0, 0, 0, -6, 0, 6, 0, 6, 0, -6, 0, -4},
    {16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16},
    1,
    {{40, 30, 40}, {130, 30, 50}, {220, 30, 50}},
    1,
    {{10, 20, 30}, {170, 60, 50}, {0, 0, 0}},
};

// The oil style's red key, rows light to dark, columns grey, middle, saturated (red, green,
// blue); it fixes the character of the whole set.
const uint8_t kMoravelRedKey[kRows][kColumns][3] = {
    {{255, 255, 255}, {255, 255, 255}, {255, 255, 255}},
    {{206, 206, 206}, {255, 157, 157}, {255, 157, 157}},
    {{128, 128, 128}, {199, 57, 57}, {230, 0, 0}},
    {{64, 48, 48}, {112, 0, 0}, {112, 0, 0}},
    {{8, 0, 5}, {8, 0, 5}, {8, 0, 5}},
};

// floor + the bumps, limited to 0..255.
void FillTarget(int floor, const Bump (&bumps)[3], uint8_t* target) {
    for (int i = 0; i < 256; ++i) {
        int value = floor;
        for (const Bump& bump : bumps) {
            if (bump.radius <= 0) continue;
            const int distance = i - bump.centre;
            const int inside = bump.radius * bump.radius - distance * distance;
            if (inside > 0) value += bump.height * inside / (bump.radius * bump.radius);
        }
        target[i] = static_cast<uint8_t>(value > 255 ? 255 : value);
    }
}

std::vector<uint8_t> BuildTable(const Style& style) {
    std::vector<uint8_t> table(kTableBytes, 0);
    for (int i = 0; i < 5; ++i)
        WriteLittleUint16(&table[2 * i], static_cast<uint16_t>(style.header[i]));
    FillTarget(style.lightFloor, style.lightBumps, &table[10]);
    FillTarget(style.chromaFloor, style.chromaBumps, &table[266]);
    for (int key = 0; key < kKeys; ++key) {
        const int hue = ((21 * key + style.hueShift[key]) % 252 + 252) % 252;
        uint8_t* out = &table[522 + 45 * key];
        for (int row = 0; row < kRows; ++row) {
            for (int column = 0; column < kColumns; ++column) {
                const Cell& cell = style.cells[row][column];
                // The engine's own conversion; it limits the chroma to what the lightness allows.
                HueColor color = {0, 0, 0, hue, cell.chroma * style.chromaScale[key] / 16,
                                  cell.lightness};
                HclToRgb(color);
                *out++ = static_cast<uint8_t>(color.red);
                *out++ = static_cast<uint8_t>(color.green);
                *out++ = static_cast<uint8_t>(color.blue);
            }
        }
    }
    return table;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_colormaps <output folder>\n");
        return 2;
    }
    const std::string folder = argv[1];
    const Style* styles[] = {&kMoravel, &kKolda, &kGrisov, &kZavet, &kTevu};
    for (const Style* style : styles) {
        std::vector<uint8_t> table = BuildTable(*style);
        if (style == &kMoravel) {
            const uint8_t* key = &kMoravelRedKey[0][0][0];
            for (int b = 0; b < 45; ++b) table[522 + b] = key[b];
        }
        const std::string path = folder + "/" + style->file;
        if (!WriteBytes(path, table)) {
            std::fprintf(stderr, "make_colormaps: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
