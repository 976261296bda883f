// Writes kolda_tables.cpp (committed as styles/kolda/kolda_tables.cpp) into a folder: the
// collage painter's 32 angles and the line engine's curve blending weights. Both are computed in long double (the x87 extended format) and
// written with 17 significant digits, which read back to the same doubles in every build; the
// committed file is compared with a fresh run by the tests.
//
// Usage: make_kolda_tables <output folder>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

namespace {

constexpr int kAngles = 32;
constexpr int kBlendRows = 100;
constexpr long double kAngleFactor = 6.28L;  // not 2π: the table falls a little short of a turn
constexpr long double kBlendExponent = 1.7715533L;

int32_t Truncated(long double v) { return static_cast<int32_t>(v); }

// Half of s^a; the same expression for w0 of row r and w2 of row 100 - r keeps them equal.
long double HalfPower(int numerator) {
    return powl(static_cast<long double>(numerator) / kBlendRows, kBlendExponent) / 2;
}

void WriteAngles(std::FILE* out, const char* name, long double (*f)(long double)) {
    std::fprintf(out, "const int32_t %s[kCollageAngles] = {\n   ", name);
    for (int i = 0; i < kAngles; ++i) {
        const long double angle = static_cast<long double>(i) * kAngleFactor / kAngles;
        std::fprintf(out, " %d,", Truncated(1000 * f(angle)));
        if (i % 8 == 7) std::fprintf(out, i + 1 < kAngles ? "\n   " : "\n");
    }
    std::fprintf(out, "};\n\n");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_kolda_tables <output folder>\n");
        return 2;
    }
    const std::string path = std::string(argv[1]) + "/kolda_tables.cpp";
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) {
        std::fprintf(stderr, "make_kolda_tables: cannot write %s\n", path.c_str());
        return 1;
    }
    std::fprintf(out,
                 "// Written by tools/make_kolda_tables; regenerate rather than edit (the tests "
                 "compare).\n"
                 "#include \"styles/kolda/kolda_tables.h\"\n\n");
    WriteAngles(out, "kCollageSine", [](long double a) { return sinl(a); });
    WriteAngles(out, "kCollageCosine", [](long double a) { return cosl(a); });
    std::fprintf(out, "const double kCurveBlend[kCurveBlendRows][3] = {\n");
    for (int row = 0; row < kBlendRows; ++row) {
        const long double w0 = HalfPower(kBlendRows - row);
        const long double w2 = HalfPower(row);
        const long double w1 = 1 - w0 - w2;
        std::fprintf(out, "    {%.17g, %.17g, %.17g},\n", static_cast<double>(w0),
                     static_cast<double>(w1), static_cast<double>(w2));
    }
    std::fprintf(out, "};\n");
    return std::fclose(out) == 0 ? 0 : 1;
}
