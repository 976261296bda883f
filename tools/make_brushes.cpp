// Writes the ten brush bitmaps of the stroke styles into the folder given, as 24-bit BMP files:
// red = coverage (0 = not part of the brush, 255 = full paint), green = relief around 128
// (lighter above, darker below), blue 0. KNIFE1..KNIFE6 are palette-knife blades with rounded
// heels and tips, solid, with a spine ridge and fine lengthwise ridges in their relief; PEN0..PEN3
// are round pen dabs whose coverage falls ring by ring toward the rim. Only exactly rounded
// arithmetic (+, -, ×, /, floor): the output is the same on every host.
//
// Usage: make_brushes <output folder>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "tools/tool_output.h"

namespace {

constexpr int32_t kPelsPerMeter = 3780;  // 96 dots per inch
constexpr int kFlat = 128;
constexpr int kReliefLow = 48;
constexpr int kReliefHigh = 208;

struct Pixel {
    uint8_t coverage = 0;
    uint8_t relief = kFlat;
};

class Brush {
public:
    Brush(int width, int height) : width_(width), height_(height), pixels_(width * height) {}
    int Width() const { return width_; }
    int Height() const { return height_; }
    // (x, y) in storage order: row 0 is the bottom row as displayed.
    Pixel& At(int x, int y) { return pixels_[y * width_ + x]; }
    const Pixel& At(int x, int y) const { return pixels_[y * width_ + x]; }

    bool WriteBmp(const std::string& path) const {
        const int rowBytes = static_cast<int>(BitmapRowBytes(width_, 24));
        const uint32_t imageBytes = static_cast<uint32_t>(rowBytes * height_);
        BitmapInfoHeader header;
        header.width = width_;
        header.height = height_;
        header.bitCount = 24;
        header.sizeImage = imageBytes;
        header.xPelsPerMeter = kPelsPerMeter;
        header.yPelsPerMeter = kPelsPerMeter;
        std::vector<uint8_t> file;
        AppendBmpFileHeader(&file, 0, imageBytes);
        AppendInfoHeader(&file, header);
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                file.push_back(0);                 // blue
                file.push_back(At(x, y).relief);   // green
                file.push_back(At(x, y).coverage); // red
            }
            for (int pad = width_ * 3; pad < rowBytes; ++pad) file.push_back(0);
        }
        return WriteBytes(path, file);
    }

private:
    int width_;
    int height_;
    std::vector<Pixel> pixels_;
};

// ---- knives ----------------------------------------------------------------------------------

// A blade: a rectangle along an axis from the heel (u < 0) to the tip (u > 0), its four corners
// rounded with radii of their own. Positions are pixel centres (x + 0.5, y + 0.5).
struct Blade {
    double centreX, centreY;
    double axisX, axisY;  // unit vector from heel to tip
    double halfLength, halfWidth;
    // Corner radii: heel and tip, each on the side v < 0 and v > 0 (v = across, to the left
    // of the axis).
    double heelRight, heelLeft, tipRight, tipLeft;

    // Along (u) and across (v) coordinates of pixel (x, y).
    void Coordinates(double px, double py, double& u, double& v) const {
        const double dx = px - centreX, dy = py - centreY;
        u = dx * axisX + dy * axisY;
        v = dy * axisX - dx * axisY;
    }

    bool Contains(double px, double py) const {
        double u, v;
        Coordinates(px, py, u, v);
        const double au = std::fabs(u), av = std::fabs(v);
        if (au > halfLength || av > halfWidth) return false;
        const double r = u < 0 ? (v < 0 ? heelRight : heelLeft) : (v < 0 ? tipRight : tipLeft);
        const double cu = au - (halfLength - r), cv = av - (halfWidth - r);
        return !(cu > 0 && cv > 0 && cu * cu + cv * cv > r * r);
    }
};

// A triangle wave of period 1 between -1 and 1, 1 at whole numbers.
double Triangle(double p) { return 4.0 * std::fabs(p - std::floor(p) - 0.5) - 1.0; }

// Relief shapes across the blade, from t = v / halfWidth (-1 right edge .. 1 left edge) and
// s = u / halfLength (-1 heel .. 1 tip); any scale, stretched to 48..208 afterwards.
double SpineRelief(double s, double t) {
    const double spine = 1.0 - t * t;           // the blade's ridge down its middle
    const double ridges = Triangle(t * 2.5);    // fine ridges along its length
    const double heel = 0.15 * (1.0 - s);       // thicker paint toward the heel
    return 0.6 * spine + 0.3 * ridges + heel;
}

// KNIFE2's edges: light along the upper long side, dark along the lower.
double EdgedRelief(double s, double t) {
    const double edge = std::min(1.0, std::max(0.0, (std::fabs(t) - 0.55) / 0.45));
    return 0.3 * Triangle(t * 2.5) + 0.25 * (1.0 - t * t) + (t > 0 ? edge : -edge) + 0.05 * s;
}

// Samples per pixel side when measuring how much of an edge pixel the blade covers.
constexpr int kSubsamples = 8;

double CoveredFraction(const Blade& blade, int x, int y) {
    int inside = 0;
    for (int j = 0; j < kSubsamples; ++j)
        for (int i = 0; i < kSubsamples; ++i)
            inside += blade.Contains(x + (i + 0.5) / kSubsamples, y + (j + 0.5) / kSubsamples);
    return static_cast<double>(inside) / (kSubsamples * kSubsamples);
}

// softEdge: that many of the blade's edge pixels that it covers least get the partial
// coverage 128, 160 or 214 nearest to the part they cover.
Brush MakeKnife(int width, int height, const Blade& blade, double (*relief)(double, double),
                int softEdge = 0) {
    Brush brush(width, height);
    std::vector<double> raw(width * height, 0.0);
    double low = 1e9, high = -1e9;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (!blade.Contains(x + 0.5, y + 0.5)) continue;
            double u, v;
            blade.Coordinates(x + 0.5, y + 0.5, u, v);
            const double value = relief(u / blade.halfLength, v / blade.halfWidth);
            raw[y * width + x] = value;
            low = std::min(low, value);
            high = std::max(high, value);
            brush.At(x, y).coverage = 255;
        }
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (brush.At(x, y).coverage == 0) continue;
            const double t = (raw[y * width + x] - low) / (high - low);
            brush.At(x, y).relief =
                static_cast<uint8_t>(kReliefLow + std::floor(t * (kReliefHigh - kReliefLow) + 0.5));
        }
    }
    if (softEdge > 0) {
        struct Edge {
            double fraction;
            int x, y;
        };
        std::vector<Edge> edges;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                if (brush.At(x, y).coverage == 0) continue;
                const bool border = x == 0 || y == 0 || x == width - 1 || y == height - 1 ||
                                    !brush.At(x - 1, y).coverage || !brush.At(x + 1, y).coverage ||
                                    !brush.At(x, y - 1).coverage || !brush.At(x, y + 1).coverage;
                if (border) edges.push_back({CoveredFraction(blade, x, y), x, y});
            }
        }
        std::stable_sort(edges.begin(), edges.end(),
                         [](const Edge& a, const Edge& b) { return a.fraction < b.fraction; });
        const int levels[3] = {128, 160, 214};
        for (int k = 0; k < softEdge && k < static_cast<int>(edges.size()); ++k) {
            const double wanted = edges[k].fraction * 255.0;
            int best = levels[0];
            for (int level : levels)
                if (std::fabs(level - wanted) < std::fabs(best - wanted)) best = level;
            brush.At(edges[k].x, edges[k].y).coverage = static_cast<uint8_t>(best);
        }
    }
    return brush;
}

// ---- pens ------------------------------------------------------------------------------------

// One ring of a pen: pixels whose squared distance from the centre is at most `reach` (and
// above the ring before) get this coverage and relief.
struct Ring {
    double reach;
    int coverage;
    int relief;
};

Brush MakePen(int side, double centre, const std::vector<Ring>& rings) {
    Brush brush(side, side);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const double dx = x - centre, dy = y - centre;
            const double d2 = dx * dx + dy * dy;
            for (const Ring& ring : rings) {
                if (d2 > ring.reach) continue;
                brush.At(x, y).coverage = static_cast<uint8_t>(ring.coverage);
                brush.At(x, y).relief = static_cast<uint8_t>(ring.relief);
                break;
            }
        }
    }
    return brush;
}

struct Named {
    const char* name;
    Brush brush;
};

std::vector<Named> AllBrushes() {
    // Lying knives run from the heel on the left to the tip on the right, upright ones from the
    // heel at the bottom to the tip at the top; the diagonal ones from the top down.
    const Blade knife1{9.5, 19.5, 0.0, 1.0, 17.5, 5.5, 4.0, 4.5, 2.5, 2.5};
    const Blade knife2{19.5, 10.0, 1.0, 0.0, 17.5, 7.0, 5.0, 4.5, 2.5, 2.5};
    const Blade knife3{25.5, 25.5, 0.6, -0.8, 25.0, 10.0, 8.5, 8.5, 7.5, 7.5};
    const Blade knife4{24.5, 25.5, -0.6, -0.8, 25.0, 10.0, 8.5, 8.5, 7.5, 7.5};
    const Blade knife5{25.0, 49.5, 0.0, 1.0, 47.5, 23.0, 10.5, 9.0, 4.0, 4.0};
    const Blade knife6{49.5, 25.0, 1.0, 0.0, 47.5, 23.0, 9.0, 10.5, 4.0, 4.0};
    std::vector<Named> brushes;
    brushes.push_back({"KNIFE1", MakeKnife(20, 40, knife1, SpineRelief)});
    brushes.push_back({"KNIFE2", MakeKnife(40, 20, knife2, EdgedRelief)});
    brushes.push_back({"KNIFE3", MakeKnife(50, 50, knife3, SpineRelief)});
    brushes.push_back({"KNIFE4", MakeKnife(50, 50, knife4, SpineRelief, 31)});
    brushes.push_back({"KNIFE5", MakeKnife(50, 100, knife5, SpineRelief)});
    brushes.push_back({"KNIFE6", MakeKnife(100, 50, knife6, SpineRelief)});
    // Squared distances of pixel centres; the rings' reaches lie between possible values.
    brushes.push_back({"PEN0", MakePen(5, 2.0, {{0.5, 255, 128}, {1.5, 240, 128}, {2.5, 128, 128}})});
    brushes.push_back({"PEN1", MakePen(10, 4.0, {{0.5, 255, 128}, {1.5, 240, 128}, {2.5, 200, 128},
                                                 {5.5, 160, 128}})});
    brushes.push_back({"PEN2", MakePen(10, 4.5, {{4.0, 255, 128}, {9.0, 240, 128}, {16.0, 192, 96},
                                                 {25.0, 128, 64}})});
    brushes.push_back({"PEN3", MakePen(16, 7.0, {{6.5, 255, 128}, {12.5, 240, 128}, {20.5, 192, 128},
                                                 {30.5, 160, 96}, {42.5, 128, 128}, {56.5, 92, 64}})});
    return brushes;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_brushes <output folder>\n");
        return 2;
    }
    for (const Named& named : AllBrushes()) {
        const std::string path = std::string(argv[1]) + "/" + named.name + ".bmp";
        if (!named.brush.WriteBmp(path)) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
