// The colour map: its table from a resource or a file, the tone tables it builds and the
// re-colouring of a picture through its hue grid.
#include "engine/color_map.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <utility>

#include "engine/status_text.h"
#include "imaging/math_tbl.h"

namespace {

// Adds the offset to a table strength, limits it to 0..8 and writes it back; when it is above
// 0, builds the remap: s/8 of the matched correction, faded out linearly within 256 >> s of
// black and of white so that both ends stay fixed.
void BuildRemap(int16_t& tableStrength, int offset, const int32_t histogram[256],
                const uint8_t target[256], MathTbl& match, uint8_t remap[256]) {
    int s = tableStrength + offset;
    if (s < 0) s = 0;
    if (s > 8) s = 8;
    tableStrength = static_cast<int16_t>(s);
    if (s == 0) return;
    const int d = 256 >> s;
    // The caller keeps one table for both quantities: a target that does not rise leaves the
    // previous mapping in place.
    match.Match(histogram, target);
    match.Smooth(10);
    const uint8_t* m = match.Table();
    for (int i = 0; i < 256; ++i) {
        const int correction = (s * (m[i] - i)) / 8;
        int w = i < 255 - i ? i : 255 - i;
        if (d < w) w = d;
        // |correction| never exceeds the distance to the nearer end, so the entry stays 0..255.
        remap[i] = static_cast<uint8_t>(i + (correction * w) / d);
    }
}

}  // namespace

ColorMap::ColorMap(char* status)
    : ColorMap(status, std::unique_ptr<ColorMapTable>(new (std::nothrow) ColorMapTable())) {}

ColorMap::ColorMap(char* status, std::unique_ptr<ColorMapTable> table)
    : table_(std::move(table)), status_(status) {
    StatusCopy(status_, texts::kColorMapPrefix);
    for (int i = 0; i < 256; ++i) {
        lightHistogram_[i] = 0;
        chromaHistogram_[i] = 0;
        lightRemap_[i] = static_cast<uint8_t>(i);
        chromaRemap_[i] = static_cast<uint8_t>(i);
    }
}

ColorMap::~ColorMap() = default;

int ColorMap::Setup(TDib* source, TDib* target, int lightOffset, int chromaOffset) {
    valid_ = 0;
    if (!table_) return 0;
    // Both images are walked as 24-bit rows of one geometry; anything else would be read or
    // written past its rows.
    if (source == nullptr || target == nullptr || source->BitCount() != 24 ||
        target->BitCount() != 24 || source->Width() != target->Width() ||
        source->Height() != target->Height()) {
        StatusAppend(status_, texts::kSetup);
        return 0;
    }
    source_ = source;
    target_ = target;
    width_ = source->Width();
    height_ = source->Height();
    rowBytes_ = source->RowBytes();
    lightOffset_ = lightOffset;
    chromaOffset_ = chromaOffset;
    valid_ = 1;
    return 1;
}

int ColorMap::LoadFromResource(platform::ModuleHandle module, const char* name) {
    if (!table_) return 0;
    platform::ResourceBytes bytes;
    if (!platform::FindResourceBytes(module, name, "CMP", &bytes)) {
        StatusAppend(status_, texts::kHandleResource);
        return 0;
    }
    if (bytes.data == nullptr) {
        StatusAppend(status_, texts::kLockResource);
        return 0;
    }
    if (bytes.size < static_cast<size_t>(kColorMapTableBytes)) {
        StatusAppend(status_, texts::kLoadResource);
        return 0;
    }
    std::memcpy(table_.get(), bytes.data, kColorMapTableBytes);
    return 1;
}

int ColorMap::LoadFile(const char* path) {
    if (!table_) return 0;
    ColorMapTable loaded;
    size_t got = 0;
    if (path != nullptr) {
        if (std::FILE* file = std::fopen(path, "rb")) {
            got = std::fread(&loaded, 1, kColorMapTableBytes, file);
            std::fclose(file);
        }
    }
    // A short file would leave part of the table from before: refuse it whole.
    if (got != static_cast<size_t>(kColorMapTableBytes)) {
        StatusAppend(status_, texts::kLoadFile);
        return 0;
    }
    *table_ = loaded;
    return 1;
}

int ColorMap::SaveFile(const char* path) {
    if (!table_) return 0;
    bool written = false;
    if (path != nullptr) {
        if (std::FILE* file = std::fopen(path, "wb")) {
            written = std::fwrite(table_.get(), 1, kColorMapTableBytes, file) ==
                      static_cast<size_t>(kColorMapTableBytes);
            written = std::fclose(file) == 0 && written;
        }
    }
    if (!written) {
        StatusAppend(status_, texts::kSaveFile);
        return 0;
    }
    return 1;
}

int ColorMap::Run() {
    if (MakeTables() == 0) return 0;
    return Apply();
}

int ColorMap::MakeTables() {
    if (!valid_ || !table_) return 0;
    for (int i = 0; i < 256; ++i) {
        lightHistogram_[i] = 1;  // no bin empty, so the cumulative sums always rise
        chromaHistogram_[i] = 1;
    }
    const int stepX = (width_ / 100) | 1;
    const int stepY = (height_ / 100) | 1;
    for (int y = 0; y < height_; y += stepY) {
        const uint8_t* row = source_->Row(y);
        for (int x = 0; x < width_; x += stepX) {
            const uint8_t* pixel = row + 3 * x;
            HueColor color{pixel[2], pixel[1], pixel[0], 0, 0, 0};
            RgbToHcl(color);
            ++lightHistogram_[color.luma];
            ++chromaHistogram_[color.chroma];
        }
    }
    MathTbl match;
    BuildRemap(table_->lightStrength, lightOffset_, lightHistogram_, table_->lightTarget, match,
               lightRemap_);
    BuildRemap(table_->chromaStrength, chromaOffset_, chromaHistogram_, table_->chromaTarget,
               match, chromaRemap_);
    return 1;
}

ColorMap::PassSettings ColorMap::ReadPassSettings() const {
    return PassSettings{table_->lightStrength, table_->chromaStrength, table_->lightMinimum,
                        table_->lightMaximum, table_->chromaMinimum};
}

std::unique_ptr<uint8_t[]> ColorMap::AllocateExpanded() {
    return std::unique_ptr<uint8_t[]>(new (std::nothrow) uint8_t[kExpandedBytes]);
}

std::unique_ptr<uint8_t[]> ColorMap::ExpandKeys() {
    std::unique_ptr<uint8_t[]> expanded = AllocateExpanded();
    if (!expanded) {
        StatusAppend(status_, texts::kNoMemory);
        return nullptr;
    }
    const uint8_t* keys = &table_->hueKeys[0][0][0][0];
    uint8_t* out = expanded.get();
    for (int hue = 0; hue < kHues; ++hue) {
        const int key = hue / 21;
        const int t = hue % 21;
        const uint8_t* from = keys + key * kColorMapCellBytes;
        const uint8_t* to = keys + (key == kColorMapHueKeys - 1 ? 0 : key + 1) * kColorMapCellBytes;
        for (int b = 0; b < kColorMapCellBytes; ++b)
            *out++ = static_cast<uint8_t>(from[b] + ((to[b] - from[b]) * t) / 21);
    }
    return expanded;
}

int ColorMap::Apply() {
    if (!valid_ || !table_) return 0;
    const PassSettings pass = ReadPassSettings();
    const std::unique_ptr<uint8_t[]> expanded = ExpandKeys();
    if (!expanded) return 0;
    const uint8_t* grid = expanded.get();
    const uint8_t* sourceRow = source_->Bits();
    uint8_t* targetRow = target_->Bits();
    for (int y = 0; y < height_; ++y, sourceRow += rowBytes_, targetRow += rowBytes_) {
        const uint8_t* in = sourceRow;
        uint8_t* out = targetRow;
        for (int x = 0; x < width_; ++x, in += 3, out += 3) {
            HueColor color;
            LocatePixel(pass, in, color);
            int rgb[3];
            InterpolateGrid(grid, color, rgb);
            out[0] = static_cast<uint8_t>(rgb[2]);
            out[1] = static_cast<uint8_t>(rgb[1]);
            out[2] = static_cast<uint8_t>(rgb[0]);
        }
    }
    return 1;
}
