// Helpers of the Windows tests.
#include "tests/win32/win32_test_support.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <set>
#include <sstream>

#include "imaging/fnv1a.h"
#include "imaging/dib.h"
#include "imaging/fpu_precision.h"
#include "plugin/driver.h"
#include "plugin/filter_settings.h"

const char* const kTestPluginNames[5] = {"ZoTest_Mor", "ZoTest_Kol", "ZoTest_Gri", "ZoTest_Zav",
                                         "ZoTest_Tev"};

std::string TestPluginPath(const char* name) {
    return std::string(ZO_TEST_PLUGIN_DIR) + "/" + name + ".dll";
}

void SetHeaderInt32(std::vector<uint8_t>* picture, int offset, int32_t value) {
    std::memcpy(picture->data() + offset, &value, 4);
}

std::vector<uint8_t> MakeHostPicture(int32_t width, int32_t height, int32_t pelsPerMeter,
                                     uint16_t bitCount, uint32_t compression, size_t extraBytes) {
    const bool rows = width > 0 && height > 0 && bitCount == 24 && compression == 0 &&
                      RowBytes24(width) * height <= (int64_t{1} << 26);
    const int64_t rowBytes = RowBytes24(width);
    std::vector<uint8_t> picture(40 + (rows ? static_cast<size_t>(rowBytes * height) : extraBytes));
    SetHeaderInt32(&picture, 0, 40);
    SetHeaderInt32(&picture, 4, width);
    SetHeaderInt32(&picture, 8, height);
    picture[12] = 1;
    std::memcpy(picture.data() + 14, &bitCount, 2);
    SetHeaderInt32(&picture, 16, static_cast<int32_t>(compression));
    SetHeaderInt32(&picture, 24, pelsPerMeter);
    SetHeaderInt32(&picture, 28, pelsPerMeter);
    if (!rows) {
        for (size_t i = 40; i < picture.size(); ++i) picture[i] = static_cast<uint8_t>(i * 7);
        return picture;
    }
    for (int32_t y = 0; y < height; ++y) {
        uint8_t* row = picture.data() + 40 + rowBytes * y;
        for (int64_t i = 0; i < rowBytes; ++i)
            row[i] = i < 3 * width ? static_cast<uint8_t>(i * 37 + y * 91 + (i % 3) * 53) : 0xEE;
    }
    return picture;
}

std::vector<uint8_t> ReferencePainting(const std::vector<uint8_t>& picture, int32_t pelsPerMeter) {
    int32_t width, height;
    std::memcpy(&width, picture.data() + 4, 4);
    std::memcpy(&height, picture.data() + 8, 4);
    std::unique_ptr<TDib> image = TDib::Create24(width, height);
    if (!image) return {};
    std::memcpy(image->Bits(), picture.data() + 40, image->ImageBytes());
    image->SetPelsPerMeter(pelsPerMeter, pelsPerMeter);
    const FilterSettings settings;
    FilterCall call;
    const int phases = CallExpert(call, 0, image.get(), settings, 0, nullptr, GetModuleHandleA(nullptr));
    for (int step = 1; step <= phases; ++step)
        if (CallExpert(call, step, image.get(), settings, 0, nullptr, GetModuleHandleA(nullptr)) < 0)
            break;
    DeleteExpert(call);
    std::vector<uint8_t> painted(picture.begin(), picture.begin() + 40);
    painted.insert(painted.end(), image->Bits(), image->Bits() + image->ImageBytes());
    return painted;
}

uint64_t PixelChecksum(const std::vector<uint8_t>& picture) {
    return picture.size() > 40 ? Fnv1a64(picture.data() + 40, picture.size() - 40) : 0;
}

HWND MakeHostWindow(const char* name, int x, int y, int width, int height) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = name;
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, name, name, WS_OVERLAPPEDWINDOW, x, y, width, height, nullptr,
                           nullptr, GetModuleHandleA(nullptr), nullptr);
}

HWND TestHostWindow() {
    // Away from the screen's corner, so that the dialog centred over it is on the screen whole
    // and its pixels can be read back.
    static HWND window = MakeHostWindow("ZoTestHost", 400, 300, 200, 100);
    return window;
}

// ---- plug-in copies -------------------------------------------------------------------------

namespace {

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = entry.cFileName;
            if (name == "." || name == "..") continue;
            const std::string path = folder + "\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(path);
            else DeleteFileA(path.c_str());
        } while (FindNextFileA(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryA(folder.c_str());
}

}  // namespace

PluginCopy::PluginCopy(const char* name) : name_(name) {
    static int counter = 0;
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    char folder[MAX_PATH + 64];
    std::snprintf(folder, sizeof folder, "%szo-%lu-%d", temp, GetCurrentProcessId(), ++counter);
    folder_ = folder;
    RemoveTree(folder_);
    CreateDirectoryA(folder_.c_str(), nullptr);
    const std::string target = folder_ + "\\" + name_ + ".dll";
    if (!CopyFileA(TestPluginPath(name).c_str(), target.c_str(), FALSE)) return;
    module_ = LoadLibraryA(target.c_str());
    if (module_ == nullptr) return;
    getTitle = Export<FilterGetTitleFunction>(module_, "FilterGetTitle");
    filterProc = Export<FilterProcFunction>(module_, "FilterProc");
    filterOption = Export<FilterOptionFunction>(module_, "FilterOption");
}

PluginCopy::~PluginCopy() {
    if (module_ != nullptr) FreeLibrary(module_);
    RemoveTree(folder_);
}

// ---- message boxes --------------------------------------------------------------------------

namespace {

std::vector<BoxCloser::Box> boxes;
std::set<HWND> closing;
std::function<void(const BoxCloser::Box&)> boxWatcher;

BOOL CALLBACK CollectStatic(HWND child, LPARAM text) {
    char className[32];
    GetClassNameA(child, className, sizeof className);
    char buffer[512];
    if (lstrcmpiA(className, "Static") == 0 && GetWindowTextA(child, buffer, sizeof buffer) > 0) {
        auto* out = reinterpret_cast<std::string*>(text);
        if (!out->empty()) *out += "|";
        *out += buffer;
    }
    return TRUE;
}

BOOL CALLBACK CloseBox(HWND window, LPARAM) {
    char className[32];
    GetClassNameA(window, className, sizeof className);
    if (std::strcmp(className, "#32770") != 0 || closing.count(window) != 0) return TRUE;
    if (IsPlugInDialog(window)) return TRUE;
    BoxCloser::Box box;
    char caption[256];
    GetWindowTextA(window, caption, sizeof caption);
    box.caption = caption;
    box.owner = GetWindow(window, GW_OWNER);
    if (box.owner != nullptr) {
        GetWindowTextA(box.owner, caption, sizeof caption);
        box.ownerCaption = caption;
    }
    EnumChildWindows(window, CollectStatic, reinterpret_cast<LPARAM>(&box.text));
    boxes.push_back(box);
    closing.insert(window);
    if (boxWatcher) boxWatcher(box);
    PostMessageA(window, WM_COMMAND, IDOK, 0);
    return TRUE;
}

void CALLBACK CloseBoxes(HWND, UINT, UINT_PTR, DWORD) {
    EnumThreadWindows(GetCurrentThreadId(), CloseBox, 0);
}

}  // namespace

BoxCloser::BoxCloser() {
    boxes.clear();
    closing.clear();
    timer_ = SetTimer(nullptr, 0, 50, CloseBoxes);
}

BoxCloser::~BoxCloser() {
    KillTimer(nullptr, timer_);
    boxWatcher = nullptr;
}

void BoxCloser::OnEachBox(std::function<void(const Box&)> watcher) {
    boxWatcher = std::move(watcher);
}

const std::vector<BoxCloser::Box>& BoxCloser::Boxes() const { return boxes; }

// ---- the dialog driver -----------------------------------------------------------------------

namespace {

struct Driver {
    std::string mode;
    std::vector<std::function<bool(HWND)>> steps;  // false: run again on the next tick
    std::map<std::string, long long> report;
    UINT_PTR timer = 0;
};

constexpr char kDrivenMark[] = "ZoTestDriven";   // noted
constexpr char kStepMark[] = "ZoTestStep";       // steps run so far, plus one

Driver& TheDriver() {
    static Driver driver;
    return driver;
}

// The ten grounds by their minimum, middle and maximum heights, in list order.
long long GroundIndexOf(long long minimum, long long middle, long long maximum) {
    const int heights[10][3] = {{255, 255, 255}, {199, 234, 250}, {174, 234, 253},
                                {167, 204, 242}, {126, 198, 255}, {106, 202, 238},
                                {2, 151, 243},   {71, 205, 250},  {109, 206, 255},
                                {87, 183, 230}};
    for (int i = 0; i < 10; ++i)
        if (heights[i][0] == minimum && heights[i][1] == middle && heights[i][2] == maximum) return i;
    return -1;
}

void CALLBACK DriveDialog(HWND, UINT, UINT_PTR, DWORD) {
    Driver& driver = TheDriver();
    HWND frame = FindFilterFrame();
    // A frame is noted once; the marks go with it (a later frame may get the same handle).
    if (frame == nullptr) return;
    HWND dialog = GetWindow(frame, GW_CHILD);
    if (dialog == nullptr) return;
    if (GetPropA(frame, kDrivenMark) == nullptr) {
        SetPropA(frame, kDrivenMark, reinterpret_cast<HANDLE>(1));
        SetPropA(frame, kStepMark, reinterpret_cast<HANDLE>(1));
        driver.report["dialog"] = 1;
        driver.report["size"] = SendDlgItemMessageA(dialog, kSizeListId, CB_GETCURSEL, 0, 0);
        driver.report["hostEnabled"] = IsWindowEnabled(TestHostWindow()) ? 1 : 0;
        driver.report["precision"] = ExtendedPrecisionScope::CurrentPrecisionControl();
        return;
    }
    const size_t next = reinterpret_cast<uintptr_t>(GetPropA(frame, kStepMark)) - 1;
    if (next > driver.steps.size()) return;  // ended already
    if (next < driver.steps.size()) {
        if (driver.steps[next](dialog))
            SetPropA(frame, kStepMark, reinterpret_cast<HANDLE>(next + 2));
        return;
    }
    SetPropA(frame, kStepMark, reinterpret_cast<HANDLE>(next + 2));
    const std::string& mode = driver.mode;
    if (mode == "none") return;
    if (mode == "cancel") {
        PostClick(dialog, IDCANCEL);
    } else if (mode == "close") {
        PostMessageA(frame, WM_SYSCOMMAND, SC_CLOSE, 0);
    } else {
        PostClick(dialog, kTableauButton);
        if (mode == "escape") PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
    }
}

}  // namespace

void SetDialogMode(const char* mode) {
    Driver& driver = TheDriver();
    driver.mode = mode;
    driver.steps.clear();
    SetEnvironmentVariableA("ZO_TEST_ENGINE", driver.mode == "fail" ? "fail" : nullptr);
    if (driver.timer == 0) driver.timer = SetTimer(nullptr, 0, 40, DriveDialog);
}

void SetDialogStep(std::function<void(HWND dialog)> step) {
    TheDriver().steps.clear();
    AddDialogStep(std::move(step));
}

void AddDialogStep(std::function<void(HWND dialog)> step) {
    TheDriver().steps.push_back([step = std::move(step)](HWND dialog) {
        step(dialog);
        return true;
    });
}

void AddDialogStepUntil(std::function<bool(HWND dialog)> step) {
    TheDriver().steps.push_back(std::move(step));
}

void AddToDialogReport(const char* key, long long value) { TheDriver().report[key] = value; }

std::string TakeHelpRequest() {
    char request[MAX_PATH + 128] = "";
    const DWORD length = GetEnvironmentVariableA("ZO_TEST_HELP", request, sizeof request);
    SetEnvironmentVariableA("ZO_TEST_HELP", nullptr);
    return length < sizeof request ? request : "<too long>";
}

std::string HelpRequest(UINT command, const std::string& folder, const char* key) {
    std::string request = std::to_string(command) + ":" + folder + "\\Zop2j.hlp";
    if (key == nullptr) return request;
    request += ":";
    for (const char* p = key; *p != '\0'; ++p) {
        char hex[3];
        std::snprintf(hex, sizeof hex, "%02x", static_cast<unsigned char>(*p));
        request += hex;
    }
    return request;
}

std::map<std::string, long long> TakeDialogReport() {
    std::map<std::string, long long> report;
    report.swap(TheDriver().report);
    char text[2048];
    const DWORD length = GetEnvironmentVariableA("ZO_TEST_SEEN", text, sizeof text);
    SetEnvironmentVariableA("ZO_TEST_SEEN", nullptr);
    SetEnvironmentVariableA("ZO_TEST_PAINTINGS", nullptr);
    if (length == 0 || length >= sizeof text) return report;
    std::istringstream items(text);
    std::string item;
    while (std::getline(items, item, ';')) {
        const size_t equals = item.find('=');
        if (equals != std::string::npos)
            report[item.substr(0, equals)] = std::stoll(item.substr(equals + 1));
    }
    if (report.count("groundMiddle") != 0)
        report["ground"] = GroundIndexOf(report["groundMinimum"], report["groundMiddle"],
                                         report["groundMaximum"]);
    return report;
}

// ---- files ----------------------------------------------------------------------------------

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string SettingsBytes(const int16_t fields[7], const uint8_t tail[10]) {
    std::string bytes(24, '\0');
    for (int i = 0; i < 7; ++i) {
        bytes[2 * i] = static_cast<char>(fields[i] & 0xFF);
        bytes[2 * i + 1] = static_cast<char>((static_cast<uint16_t>(fields[i]) >> 8) & 0xFF);
    }
    if (tail != nullptr)
        for (int i = 0; i < 10; ++i) bytes[14 + i] = static_cast<char>(tail[i]);
    return bytes;
}

std::string ProfileValue(const std::string& iniPath, const char* section, const char* key) {
    char value[128];
    GetPrivateProfileStringA(section, key, "<none>", value, sizeof value, iniPath.c_str());
    return value;
}
