// The files and folders that a removal deletes, and the start of the batch file that deletes
// the program itself after the last part.
#pragma once

#include <cstdint>
#include <string>

enum class RemoveOutcome {
    kRemoved,
    kAbsent,   // the system says there is no such file (or there can be none by that name)
    kRefused,  // the file is there and stays: access denied, in use, locked, not ready, ...
};

// How a failed deletion counts, from the system's error code (GetLastError). Only the codes
// that say the file is not there count as absent; every other failure keeps the file, so it
// is a refusal the user has to hear about.
RemoveOutcome RemoveOutcomeOfError(uint32_t systemError);

class FileSystem {
public:
    virtual ~FileSystem() = default;

    virtual RemoveOutcome RemoveFile(const std::string& path) = 0;
    // Removes the folder when it is empty; the result is not needed.
    virtual void RemoveFolder(const std::string& path) = 0;
    // Moves the installer's two batch-file templates from the current folder (the product
    // folder) into its parent as VaravUr.bat and VaravUr.pif, changes there and starts
    // VaravUr.bat hidden.
    virtual void StartSelfRemoval() = 0;
};
