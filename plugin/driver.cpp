// The engine driver.
#include "plugin/driver.h"

#include <algorithm>
#include <cstring>

#include "plugin/error_box.h"
#include "plugin/plugin_module.h"

namespace {

char statusBuffer[kStatusSize] = "";

}  // namespace

char* StatusBuffer() { return statusBuffer; }

void DeleteExpert(FilterCall& call) { call.engine.reset(); }

int CallExpert(FilterCall& call, int step, TDib* image, const FilterSettings& settings,
               int regionCount, const EllipseRegion* regions, platform::ModuleHandle module) {
    if (step > 0) {
        if (!call.engine) {
            ShowError("Expert Instance Lost Error\n%s", statusBuffer);
            return -1;
        }
        const int result = call.engine->Step();
        if (result < 0) ShowError("Error at %d\n%s", result, statusBuffer);
        return result;
    }

    if (image == nullptr) {
        ShowError("invalid DIB Error\n%s", statusBuffer);
        return -1;
    }
    if (module == nullptr) {
        ShowError("invalid Expert Instance Error\n%s", statusBuffer);
        return -1;
    }
    DeleteExpert(call);
    call.engine.reset(kPluginIdentity.newExpert());
    ExpertBase* engine = call.engine.get();
    if (engine == nullptr) {
        ShowError("Out of Memory Error\n%s", statusBuffer);
        return -1;
    }
    engine->status = statusBuffer;
    engine->module = module;
    engine->source = image;
    engine->touchLevel = settings.touchLevel;
    engine->colorLevel = settings.colorLevel;
    engine->deformLevel = settings.deformLevel;
    engine->focusLevel = settings.focusLevel;
    engine->materialLevel = settings.materialLevel;
    engine->regionCount = std::min(regionCount, kMaxRegions);
    if (engine->regionCount > 0 && regions != nullptr) {
        std::memcpy(engine->regions, regions, sizeof(EllipseRegion) * engine->regionCount);
    } else if (engine->regionCount > 0) {
        engine->regionCount = 0;  // a count without records means no regions
    }
    engine->ground = settings.ground;
    engine->phaseCounter = 0;
    if (engine->Initialize() != 1) return -1;
    return engine->phaseCount;
}

int PaintStep(FilterCall& call, int step, TDib* image, const FilterSettings& settings,
              int regionCount, const EllipseRegion* regions) {
    if (image == nullptr) image = call.image.get();
    if (image == nullptr) return -1;
    return CallExpert(call, step, image, settings, regionCount, regions, PluginModule());
}
