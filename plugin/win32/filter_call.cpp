#include "plugin/win32/filter_call.h"

#include <cmath>

#include "imaging/int_helpers.h"
#include "plugin/driver.h"
#include "plugin/filter_settings.h"
#include "plugin/material.h"
#include "plugin/output_dpi.h"
#include "plugin/plugin_module.h"
#include "plugin/win32/load_settings.h"
#include "plugin/win32/main_dialog.h"

namespace {

constexpr int kDefaultImageDpi = 80;
constexpr int kMaxImageDpi = 32767;

// Set for the length of a filter call. A call made while one runs (from inside the dialog)
// is refused before it touches anything the first call holds: its image, its ground, the
// settings record and the environment.
bool callInProgress = false;

// The engine's phases one after another, without a dialog. 1 when every phase succeeded.
int PaintWithoutDialog(const FilterSettings& settings) {
    int result = 1;
    const int phases = PaintStep(0, nullptr, settings, 0, nullptr);
    if (phases < 1) result = 0;  // an engine that could not start has painted nothing
    for (int step = 1; result == 1 && step <= phases; ++step)
        if (PaintStep(step, nullptr, settings, 0, nullptr) < 0) result = 0;
    DeleteExpert();
    return result;
}

}  // namespace

int ImageDpiFromPelsPerMeter(int32_t pelsPerMeter) {
    if (pelsPerMeter <= 0) return kDefaultImageDpi;
    const double dpi = std::ceil(pelsPerMeter * 25.4 * 0.001);
    return dpi > kMaxImageDpi ? kMaxImageDpi : static_cast<int>(dpi);
}

int RunFilter(platform::ModuleHandle module, HWND hostWindow, uint8_t* picture, bool withDialog) {
    if (picture == nullptr || callInProgress || HeldImage() != nullptr) return 0;
    // Other forms (bit counts, compression, top-down rows, sizes beyond the process) are
    // refused before anything is loaded, so the host's pixels and both files stay as they are.
    if (!IsSupportedHostDib(picture)) return 0;
    callInProgress = true;

    const int width = ReadLittleInt32(picture + 4);
    const int height = ReadLittleInt32(picture + 8);
    const int imageDpi = ImageDpiFromPelsPerMeter(ReadLittleInt32(picture + 24));

    LoadSettings(module);
    FilterSettings* settings = PluginSettings();

    FilterEnvironment environment;
    GetEnvironment(&environment);
    environment.imageDpi = static_cast<int16_t>(imageDpi);
    SetEnvironment(environment);

    int dpi = 0;
    GetOutputDpi(settings->sizeIndex, width, height, &dpi);
    LoadMaterial(settings->groundIndex, dpi, settings);

    int result = 0;
    if (CopyImageIn(picture, dpi) == 1) {
        if (withDialog) {
            if (RunMainDialog(hostWindow, settings) == 1) {
                CopyImageOut(picture);
                WriteSettingsFile(SettingsFilePath(), *settings);
            }
            SaveScreenSettings();
            result = 1;
        } else {
            result = PaintWithoutDialog(*settings);
            if (result == 1) CopyImageOut(picture);
        }
    }

    FreeMaterial();
    DeleteImage();
    callInProgress = false;
    return result;
}
