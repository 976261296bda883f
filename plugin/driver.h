// The engine driver: step 0 creates and initialises the plug-in's style engine on a picture,
// each later step runs one painting phase, DeleteExpert destroys the engine. The engine lives
// in the filter call; the status buffer that every engine component writes into belongs to
// the library.
#pragma once

#include "engine/ellipse_region.h"
#include "engine/status_text.h"
#include "imaging/dib.h"
#include "platform/platform.h"
#include "plugin/filter_call.h"
#include "plugin/filter_settings.h"

// Step <= 0: replaces the call's engine with a new one initialised on `image` and returns its
// phase count (>= 1), or -1. Step > 0: runs the engine's next phase and returns the percent
// done (0..100) or a negative value, after showing "Error at %d\n%s".
int CallExpert(FilterCall& call, int step, TDib* image, const FilterSettings& settings,
               int regionCount, const EllipseRegion* regions, platform::ModuleHandle module);

// CallExpert with the plug-in's module; without an image, the call's held image, and -1
// with no message when none is held.
int PaintStep(FilterCall& call, int step, TDib* image, const FilterSettings& settings,
              int regionCount, const EllipseRegion* regions);

// Destroys the call's engine, if any.
void DeleteExpert(FilterCall& call);

// The plug-in's status buffer (256 bytes), empty at load and never cleared by the driver.
char* StatusBuffer();
