// The filter call.
#include "plugin/win32/run_filter.h"

#include "imaging/resolution.h"
#include "plugin/driver.h"
#include "plugin/filter_call.h"
#include "plugin/output_dpi.h"
#include "plugin/win32/load_settings.h"
#include "plugin/win32/main_dialog.h"

namespace {

constexpr int kDefaultImageDpi = 80;
constexpr int kMaxImageDpi = 32767;

// Set for the length of a filter call. A call made while one runs (from inside the dialog)
// is refused before it touches anything: the first call's state is its own.
bool callInProgress = false;

// The engine's phases one after another, without a dialog. 1 when every phase succeeded.
int PaintWithoutDialog(FilterCall& call) {
    int result = 1;
    const int phases = PaintStep(call, 0, nullptr, call.settings, 0, nullptr);
    if (phases < 1) result = 0;  // an engine that could not start has painted nothing
    for (int step = 1; result == 1 && step <= phases; ++step)
        if (PaintStep(call, step, nullptr, call.settings, 0, nullptr) < 0) result = 0;
    DeleteExpert(call);
    return result;
}

}  // namespace

int ImageDpiFromPelsPerMeter(int32_t pelsPerMeter) {
    if (pelsPerMeter <= 0) return kDefaultImageDpi;
    const int dpi = DpiFromPelsPerMeter(pelsPerMeter);
    return dpi > kMaxImageDpi ? kMaxImageDpi : dpi;
}

int RunFilter(platform::ModuleHandle module, HWND hostWindow, uint8_t* picture, bool withDialog) {
    // Other forms (bit counts, compression, top-down rows, sizes beyond the process) are
    // refused before anything is loaded, so the host's pixels and both files stay as they are.
    BitmapInfoHeader header;
    if (callInProgress || !ReadHostHeader(picture, &header)) return 0;
    callInProgress = true;

    int result = 0;
    {
        FilterCall call;
        LoadSettings(call, module);
        call.environment.imageDpi =
            static_cast<int16_t>(ImageDpiFromPelsPerMeter(header.xPelsPerMeter));

        int dpi = 0;
        GetOutputDpi(call.environment, call.settings.sizeIndex, header.width, header.height,
                     &dpi);
        LoadMaterial(call.ground, call.settings.groundIndex, dpi, &call.settings);

        if (CopyImageIn(call, picture, dpi) == 1) {
            if (withDialog) {
                if (RunMainDialog(hostWindow, call) == 1) {
                    CopyImageOut(call, picture);
                    WriteSettingsFile(call.settingsPath, call.settings);
                }
                SaveScreenSettings(call);
                result = 1;
            } else {
                result = PaintWithoutDialog(call);
                if (result == 1) CopyImageOut(call, picture);
            }
        }
        KeepSettingsRecord(call.settings);
    }  // the call's engine, ground and image go here
    callInProgress = false;
    return result;
}
