// The main dialog of the test plug-ins and of the Win32 test program: no window, it paints the
// held image at once through the driver (step 0, steps 1..n, DeleteExpert) and returns 1.
// ZO_TEST_DIALOG selects another ending: "cancel" returns 0 without painting, "fail" makes
// the engine's second phase fail, "nested" first starts a second filter call from inside this
// one. What the dialog saw is left in ZO_TEST_SEEN as "key=value;..." for the test to read.
#include "plugin/win32/main_dialog.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "imaging/fpu_precision.h"
#include "plugin/driver.h"
#include "plugin/plugin_module.h"
#include "plugin/win32/run_filter.h"
#include "tests/support/test_expert.h"

namespace {

std::string DialogMode() {
    char mode[32];
    const DWORD length = GetEnvironmentVariableA("ZO_TEST_DIALOG", mode, sizeof mode);
    return length > 0 && length < sizeof mode ? std::string(mode) : std::string();
}

void Add(std::string* seen, const char* key, long long value) {
    char item[64];
    std::snprintf(item, sizeof item, "%s=%lld;", key, value);
    *seen += item;
}

bool SameMaterial(const MaterialInfo& a, const MaterialInfo& b) {
    return a.textureSide == b.textureSide && a.texture == b.texture && a.red == b.red &&
           a.green == b.green && a.blue == b.blue && a.minimum == b.minimum &&
           a.middle == b.middle && a.maximum == b.maximum && a.strength == b.strength &&
           a.noiseScale == b.noiseScale && a.shift == b.shift;
}

// A second filter call while this one holds its image: it must be refused and leave the
// held image, the ground, the settings record and the environment as they were.
void RunNestedCall(HWND host, const FilterCall& call, std::string* seen) {
    const TDib* held = call.image.get();
    const std::string heldPixels(reinterpret_cast<const char*>(held->Bits()), held->ImageBytes());
    const MaterialInfo ground = call.ground.info;
    const MaterialInfo* groundReference = call.settings.ground;
    const FilterEnvironment before = call.environment;

    uint8_t picture[40 + 8] = {40, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0, 1, 0, 24};
    for (int i = 40; i < 48; ++i) picture[i] = static_cast<uint8_t>(i);
    uint8_t original[sizeof picture];
    std::memcpy(original, picture, sizeof picture);
    const int result = RunFilter(PluginModule(), host, picture, true);

    const FilterEnvironment& after = call.environment;
    const bool kept =
        call.image.get() == held &&
        std::memcmp(held->Bits(), heldPixels.data(), heldPixels.size()) == 0 &&
        SameMaterial(call.ground.info, ground) && call.settings.ground == groundReference &&
        after.screenMm == before.screenMm && after.screenDpi == before.screenDpi &&
        after.imageDpi == before.imageDpi;
    Add(seen, "nestedResult", result);
    Add(seen, "nestedKept", kept ? 1 : 0);
    Add(seen, "nestedUntouched", std::memcmp(picture, original, sizeof picture) == 0 ? 1 : 0);
}

int Finish(std::string* seen, int result) {
    Add(seen, "result", result);
    SetEnvironmentVariableA("ZO_TEST_SEEN", seen->c_str());
    return result;
}

}  // namespace

int RunMainDialog(HWND host, FilterCall& call) {
    const FilterSettings* settings = &call.settings;
    std::string seen;
    const std::string mode = DialogMode();
    Add(&seen, "host", static_cast<long long>(reinterpret_cast<uintptr_t>(host)));
    Add(&seen, "size", settings->sizeIndex);
    Add(&seen, "material", settings->materialLevel);
    Add(&seen, "touch", settings->touchLevel);
    Add(&seen, "color", settings->colorLevel);
    Add(&seen, "deform", settings->deformLevel);
    Add(&seen, "focus", settings->focusLevel);
    Add(&seen, "ground", settings->groundIndex);
    Add(&seen, "groundSet", settings->ground == &call.ground.info ? 1 : 0);
    if (settings->ground != nullptr) Add(&seen, "groundSide", settings->ground->textureSide);
    const FilterEnvironment& environment = call.environment;
    Add(&seen, "screenMm", environment.screenMm);
    Add(&seen, "screenDpi", environment.screenDpi);
    Add(&seen, "imageDpi", environment.imageDpi);
    Add(&seen, "precision", ExtendedPrecisionScope::CurrentPrecisionControl());
    if (const TDib* held = call.image.get()) Add(&seen, "heldPpm", held->XPelsPerMeter());

    if (mode == "cancel") return Finish(&seen, 0);
    if (mode == "nested") RunNestedCall(host, call, &seen);

    test_style::Expert::failingPhase = mode == "fail" ? 2 : 0;
    int result = 1;
    const int phases = PaintStep(call, 0, nullptr, *settings, 0, nullptr);
    if (const ExpertBase* engine = call.engine.get(); engine != nullptr && phases >= 1) {
        Add(&seen, "engineXPpm", engine->source->XPelsPerMeter());
        Add(&seen, "engineYPpm", engine->source->YPelsPerMeter());
        Add(&seen, "engineDpi", engine->dpi);
    }
    for (int step = 1; result == 1 && step <= phases; ++step)
        if (PaintStep(call, step, nullptr, *settings, 0, nullptr) < 0) result = 0;
    Add(&seen, "enginePrecision", ExtendedPrecisionScope::CurrentPrecisionControl());
    DeleteExpert(call);
    test_style::Expert::failingPhase = 0;
    return Finish(&seen, result);
}
