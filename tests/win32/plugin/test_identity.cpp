// The identity of a test plug-in: the small test engine under one product's title, chosen by
// the build (ZO_TEST_TITLE is one of the five title names). The engine reports what each
// painting received in ZO_TEST_SEEN ("key=value;...", the last painting's values), and
// ZO_TEST_ENGINE=fail makes its second phase fail, so the tests see the real dialog's
// paintings from outside. ZO_TEST_SCREEN_COLORS puts a colour count in place of the screen's;
// help requests are recorded in ZO_TEST_HELP ("command:path", and ":" and the key's bytes in
// hex for a partial key) instead of opening WinHelp; the dialogs' message boxes are noted in
// ZO_TEST_BOX_FLAGS (their style) and then shown, for the tests to find and answer;
// ZO_TEST_PROGRESS names the bitmap to load in place of the progress picture.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

#include "dialogs/win32/help.h"
#include "dialogs/win32/message_box.h"
#include "dialogs/win32/progress_picture.h"
#include "dialogs/win32/screen_colors.h"
#include "imaging/fpu_precision.h"
#include "plugin/plugin_module.h"
#include "plugin/plugin_titles.h"
#include "tests/support/test_expert.h"

namespace {

std::string Variable(const char* name) {
    char value[64];
    const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length > 0 && length < sizeof value ? std::string(value) : std::string();
}

void Add(std::string* seen, const char* key, long long value) {
    char item[64];
    std::snprintf(item, sizeof item, "%s=%lld;", key, value);
    *seen += item;
}

class ReportingExpert : public test_style::Expert {
public:
    int Initialize() override {
        const int result = test_style::Expert::Initialize();
        std::string seen;
        Add(&seen, "initialized", result);
        Add(&seen, "material", materialLevel);
        Add(&seen, "touch", touchLevel);
        Add(&seen, "color", colorLevel);
        Add(&seen, "deform", deformLevel);
        Add(&seen, "focus", focusLevel);
        Add(&seen, "engineWidth", source->Width());
        Add(&seen, "engineXPpm", source->XPelsPerMeter());
        Add(&seen, "engineYPpm", source->YPelsPerMeter());
        Add(&seen, "engineDpi", dpi);
        Add(&seen, "groundSet", ground != nullptr ? 1 : 0);
        if (ground != nullptr) {
            Add(&seen, "groundSide", ground->textureSide);
            Add(&seen, "groundMinimum", ground->minimum);
            Add(&seen, "groundMiddle", ground->middle);
            Add(&seen, "groundMaximum", ground->maximum);
        }
        Add(&seen, "enginePrecision", ExtendedPrecisionScope::CurrentPrecisionControl());
        Add(&seen, "regionCount", regionCount);
        for (int i = 0; i < regionCount && i < 2; ++i) {
            const std::string prefix = "region" + std::to_string(i);
            const EllipseRegion& r = regions[i];
            Add(&seen, (prefix + "CenterX").c_str(), r.centerX);
            Add(&seen, (prefix + "CenterY").c_str(), r.centerY);
            Add(&seen, (prefix + "Length").c_str(), r.length);
            Add(&seen, (prefix + "Width").c_str(), r.width);
            Add(&seen, (prefix + "RatioPercent").c_str(), static_cast<long long>(r.ratio * 100 + 0.5));
        }
        const std::string before = Variable("ZO_TEST_PAINTINGS");
        const long long paintings = before.empty() ? 1 : std::atoll(before.c_str()) + 1;
        Add(&seen, "paintings", paintings);
        SetEnvironmentVariableA("ZO_TEST_PAINTINGS", std::to_string(paintings).c_str());
        SetEnvironmentVariableA("ZO_TEST_SEEN", seen.c_str());
        return result;
    }
};

ExpertBase* NewReportingExpert() {
    test_style::Expert::failingPhase = Variable("ZO_TEST_ENGINE") == "fail" ? 2 : 0;
    if (test_style::Expert::refuseNew) return nullptr;
    return new (std::nothrow) ReportingExpert;
}

void RecordHelp(HWND, const char* path, UINT command, ULONG_PTR data) {
    std::string request = std::to_string(command) + ":" + path;
    // The key's bytes in hex: Wine hands a code page 932 value of the environment back cut to
    // as many bytes as it has characters.
    if (command == HELP_PARTIALKEY) {
        request += ":";
        for (const char* p = reinterpret_cast<const char*>(data); *p != '\0'; ++p) {
            char hex[3];
            std::snprintf(hex, sizeof hex, "%02x", static_cast<unsigned char>(*p));
            request += hex;
        }
    }
    SetEnvironmentVariableA("ZO_TEST_HELP", request.c_str());
}

int NoteBox(HWND, const char*, const char*, UINT flags) {
    SetEnvironmentVariableA("ZO_TEST_BOX_FLAGS", std::to_string(flags).c_str());
    return 0;
}

// Set once when the plug-in loads.
const int kInjectedColors = [] {
    SetHelpHandlerForTests(RecordHelp);
    SetMessageBoxWatcherForTests(NoteBox);
    const int colors = std::atoi(Variable("ZO_TEST_SCREEN_COLORS").c_str());
    if (colors > 0) SetScreenColorCountForTests(colors);
    static const std::string progressName = Variable("ZO_TEST_PROGRESS");
    if (!progressName.empty()) SetProgressPictureNameForTests(progressName.c_str());
    return colors;
}();

}  // namespace

const PluginIdentity kPluginIdentity = {ZO_TEST_TITLE, NewReportingExpert};
