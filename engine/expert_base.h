// ExpertBase: the base of every style engine. It holds what the driver fills before painting
// (picture, levels, regions, ground), owns the three work images and the reduced palette, and
// offers initialisation, the step that runs one phase, the release of the work images, and
// seven default painting phases that a style calls from its Step and may override.
#pragma once

#include <cstdint>
#include <memory>

#include "engine/ellipse_region.h"
#include "engine/low_color.h"
#include "engine/material_info.h"
#include "imaging/dib.h"
#include "platform/platform.h"

// The engine state handed to the part painters (the masses, the collage and the stroke
// painters of the styles), filled at the end of Initialize. The colour table and count are
// passed by address so that a painter made after ReduceColors sees them.
struct EngineContext {
    char* status;
    TDib* source;
    TDib* canvas;
    TDib* focusMap;
    TDib* colorIndexMap;
    LowColor* colorTable;
    int* colorCount;
    const MaterialInfo* ground;
    int width;
    int height;
    int diagonal;
    int rowBytes24;
    int rowBytes8;
    int dpi;
};

class ExpertBase {
public:
    ExpertBase();
    virtual ~ExpertBase();
    ExpertBase(const ExpertBase&) = delete;
    ExpertBase& operator=(const ExpertBase&) = delete;

    // Checks the source, takes its geometry, makes the work images, seeds the random generator
    // and fills the context. 1 when ready, 0 with a text in the status buffer.
    virtual int Initialize();
    // Runs the phase numbered by the phase counter. A style's override must, on success,
    // advance the counter and return the phase's percent (the last phase 100), and on failure
    // return -1 and leave the counter, so that the caller may run the phase again. The base has
    // no phases and returns 100.
    virtual int Step();
    // Deletes canvas, colour-index map and focus map. An override that keeps images of its own
    // releases them here too.
    virtual void ReleaseImages();
    // The default painting phases, which a style's Step calls in the order of its painting;
    // a style that overrides one replaces it in every step that calls it. 1 on success, 0 on
    // failure with a text in the status buffer.
    virtual int Prefilter();
    virtual int ReduceColors();
    virtual int CorrectFocus();
    virtual int Deform();
    virtual int MapColors();
    virtual int ExtraStage();
    virtual int Finish();

    // Seeds the random generator from about a hundred pixels of the source; 0 without a
    // 24-bit one.
    int SeedFromImage();

    // Filled by the driver.
    platform::ModuleHandle module = nullptr;
    TDib* source = nullptr;  // painted in place; not owned
    char* status = nullptr;  // the StatusBuffer; not owned
    int touchLevel = 1;
    int colorLevel = 1;
    int deformLevel = 1;
    int focusLevel = 1;
    int materialLevel = 1;
    int regionCount = 0;  // 0 or less means none
    EllipseRegion regions[kMaxRegions] = {};
    int phaseCounter = -1;
    int phaseCount = -1;  // set by the style's constructor
    const MaterialInfo* ground = nullptr;

    // Made by Initialize.
    EngineContext context = {};
    std::unique_ptr<TDib> canvas;         // 24 bits, the second image of every filter
    std::unique_ptr<TDib> focusMap;       // 8 bits, 0 background .. 255 subject
    std::unique_ptr<TDib> colorIndexMap;  // 8 bits, index into the colour table
    int colorCount = 0;
    LowColor colorTable[256] = {};
    int seed = 0;
    int width = 0;
    int height = 0;
    int diagonal = 0;
    int rowBytes24 = 0;
    int rowBytes8 = 0;
    int dpi = 0;
};
