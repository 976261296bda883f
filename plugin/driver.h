// The engine driver: step 0 creates and initialises the plug-in's style engine on a picture,
// each later step runs one painting phase, DeleteExpert destroys the engine. The driver also
// owns the status buffer that every engine component writes into, and the one error box.
#pragma once

#include "engine/ellipse_region.h"
#include "engine/expert_base.h"
#include "engine/status_text.h"
#include "imaging/dib.h"
#include "platform/platform.h"
#include "plugin/filter_settings.h"

// Step <= 0: creates and initialises the engine and returns its phase count (>= 1), or -1.
// Step > 0: runs the engine's next phase and returns the percent done (0..100) or a negative
// value, after showing "Error at %d\n%s".
int CallExpert(int step, TDib* image, const FilterSettings& settings, int regionCount,
               const EllipseRegion* regions, platform::ModuleHandle module);

// CallExpert with the plug-in's module; without an image, the filter call's held image, and -1
// with no message when none is held.
int PaintStep(int step, TDib* image, const FilterSettings& settings, int regionCount,
              const EllipseRegion* regions);

// Destroys the engine, if any.
void DeleteExpert();

// The current engine, or null (for the tests and the dialogs' progress display).
ExpertBase* CurrentExpert();

// The plug-in's status buffer (256 bytes), empty at load and never cleared by the driver.
char* StatusBuffer();

// Formats the message (cut at 255 characters), shows it with the caption of string 200 and
// returns the box's result.
int ShowError(const char* format, ...) __attribute__((format(printf, 1, 2)));
