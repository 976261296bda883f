// The main dialog of a plug-in built without its window: the held image is painted at once
// with the stored settings, exactly as the final painting does when the user starts it
// without changing anything, and the call ends as after that painting.
#include "plugin/driver.h"
#include "plugin/error_box.h"
#include "plugin/output_dpi.h"
#include "plugin/win32/main_dialog.h"
#include "imaging/resolution.h"

int RunMainDialog(HWND, FilterCall& call) {
    FilterSettings& settings = call.settings;
    TDib* image = call.image.get();
    if (image == nullptr) return 0;
    int dpi = 0;
    GetOutputDpi(call.environment, settings.sizeIndex, image->Width(), image->Height(), &dpi);
    LoadMaterial(call.ground, settings.groundIndex, dpi, &settings);
    const int32_t pelsPerMeter = PelsPerMeterFromDpi(dpi);
    image->SetPelsPerMeter(pelsPerMeter, pelsPerMeter);

    // An engine that cannot start paints nothing and the call ends as after a painting.
    int result = 1;
    const int phases = PaintStep(call, 0, nullptr, settings, 0, nullptr);
    for (int step = 1; step <= phases; ++step) {
        if (PaintStep(call, step, nullptr, settings, 0, nullptr) < 0) {
            ShowError("Painting Error");
            result = 0;
            break;
        }
    }
    DeleteExpert(call);
    return result;
}
