// The four work images of a painting at a small size, with a palette, a colour count, a status
// buffer and the EngineContext over them: the setting in which the part and stroke painters run.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "engine/expert_base.h"
#include "engine/status_text.h"
#include "imaging/dib.h"

struct EngineImages {
    std::unique_ptr<TDib> source;
    std::unique_ptr<TDib> canvas;
    std::unique_ptr<TDib> focus;
    std::unique_ptr<TDib> labels;
    LowColor palette[256] = {};
    int colorCount = 0;
    char status[kStatusSize] = "";

    // Black source and canvas, focus 0, label 0.
    EngineImages(int width, int height)
        : source(TDib::Create24(width, height)),
          canvas(TDib::Create24(width, height)),
          focus(TDib::Create8(width, height)),
          labels(TDib::Create8(width, height)) {
        for (TDib* image : {source.get(), canvas.get(), focus.get(), labels.get()})
            std::memset(image->Bits(), 0, image->ImageBytes());
    }

    int Width() const { return source->Width(); }
    int Height() const { return source->Height(); }

    EngineContext Context() {
        EngineContext c = {};
        c.status = status;
        c.source = source.get();
        c.canvas = canvas.get();
        c.focusMap = focus.get();
        c.colorIndexMap = labels.get();
        c.colorTable = palette;
        c.colorCount = &colorCount;
        c.width = Width();
        c.height = Height();
        c.rowBytes24 = source->RowBytes();
        c.rowBytes8 = labels->RowBytes();
        return c;
    }

    // Pixels as blue, green, red.
    static uint8_t* Pixel(TDib& image, int x, int y) { return image.Row(y) + 3 * x; }
    static void SetPixel(TDib& image, int x, int y, int blue, int green, int red) {
        uint8_t* p = Pixel(image, x, y);
        p[0] = static_cast<uint8_t>(blue);
        p[1] = static_cast<uint8_t>(green);
        p[2] = static_cast<uint8_t>(red);
    }
    static void FillPixels(TDib& image, int blue, int green, int red) {
        for (int y = 0; y < image.Height(); ++y)
            for (int x = 0; x < image.Width(); ++x) SetPixel(image, x, y, blue, green, red);
    }
    static void FillBytes(TDib& map, uint8_t value) {
        for (int y = 0; y < map.Height(); ++y) std::memset(map.Row(y), value, map.Width());
    }
    // An 8-bit map from rows in storage order (row 0 first).
    static void SetRows(TDib& map, const std::vector<std::vector<uint8_t>>& rows) {
        for (size_t y = 0; y < rows.size(); ++y)
            std::memcpy(map.Row(static_cast<int>(y)), rows[y].data(), rows[y].size());
    }
    static std::vector<std::vector<uint8_t>> Rows(const TDib& map) {
        std::vector<std::vector<uint8_t>> rows(map.Height());
        for (int y = 0; y < map.Height(); ++y)
            rows[y].assign(map.Row(y), map.Row(y) + map.Width());
        return rows;
    }
};
