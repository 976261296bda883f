// A fixture installation of the product in the test's Wine prefix, as the installer leaves it:
// ZOLVIN.INI and the removal program with its two batch-file templates in the product folder
// (the Windows folder's "Zolvane"), every file the records list under C:\ZoFixture, a folder of
// the Programs menu per group with a ".lnk" item per title, and a sentinel group and files that
// no part lists. Everything it made goes when it does.
#pragma once

#include <string>
#include <vector>

class FixtureInstallation {
public:
    // `records`: the text of ZOLVIN.INI ("\n" line ends; written with "\r\n"), or empty for
    // no records file. `extraFiles`: further files to make (full paths).
    explicit FixtureInstallation(const std::string& records,
                                 const std::vector<std::string>& extraFiles = {});
    ~FixtureInstallation();
    FixtureInstallation(const FixtureInstallation&) = delete;
    FixtureInstallation& operator=(const FixtureInstallation&) = delete;

    // What a removal may change, to compare before and after.
    struct State {
        std::vector<std::string> files;      // below C:\ZoFixture, as "C:\ZoFixture\..."
        std::vector<std::string> programs;   // the Programs menu, relative to it
        std::vector<std::string> windows;    // the Windows folder's VaravUr.* and the marker
        std::vector<std::string> product;    // the product folder
        std::string records;                 // ZOLVIN.INI in canonical form (or "<none>")
    };
    State Take() const;

    const std::string& ProductFolder() const { return product_; }
    const std::string& WindowsFolder() const { return windows_; }
    const std::string& ProgramsFolder() const { return programs_; }
    std::string Program() const { return product_ + "\\Zoclear.exe"; }

    static constexpr const char* kRoot = "C:\\ZoFixture";
    // What the fixture's batch file leaves in the Windows folder when it runs.
    static constexpr const char* kMarker = "VaravUr.ran";

private:
    void Clear() const;

    std::string windows_, product_, programs_;
    std::vector<std::string> groups_;
};

// The Windows folder and the Programs menu's folder of this prefix.
std::string SystemWindowsFolder();
std::string ProgramsMenuFolder();

// `all` without the entries of `gone` (each must be there).
std::vector<std::string> Without(const std::vector<std::string>& all,
                                 const std::vector<std::string>& gone);
