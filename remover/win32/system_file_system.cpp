// Deletion, folder removal and the self-removal's batch file through the system.
#include "remover/win32/system_file_system.h"

#include <windows.h>

namespace {

// The installer's templates in the product folder and the batch file they become in the
// folder above (the Windows folder).
const char* const kTemplates[2] = {"VaravUr.ba$", "VaravUr.pi$"};
const char* const kStarted[2] = {"..\\VaravUr.bat", "..\\VaravUr.pif"};

}  // namespace

RemoveOutcome SystemFileSystem::RemoveFile(const std::string& path) {
    if (DeleteFileA(path.c_str())) return RemoveOutcome::kRemoved;
    return RemoveOutcomeOfError(GetLastError());
}

void SystemFileSystem::RemoveFolder(const std::string& path) { RemoveDirectoryA(path.c_str()); }

void SystemFileSystem::StartSelfRemoval() {
    for (int i = 0; i < 2; ++i) {
        SetFileAttributesA(kTemplates[i], FILE_ATTRIBUTE_ARCHIVE);
        // A batch file left by an earlier run is replaced, never started in place of this one.
        MoveFileExA(kTemplates[i], kStarted[i], MOVEFILE_REPLACE_EXISTING);
        SetFileAttributesA(kStarted[i], FILE_ATTRIBUTE_ARCHIVE);
    }
    SetCurrentDirectoryA("..");
    WinExec("VaravUr.bat", SW_HIDE);
}
