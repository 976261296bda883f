// Making, reading back and clearing the fixture installation.
#include "tests/win32/remover/fixture_installation.h"

#include <windows.h>

#include <shlobj.h>

#include <algorithm>
#include <sstream>

#include "tests/support/remover/fake_seams.h"
#include "tests/support/files.h"
#include "tests/win32/remover/folder_tree.h"

namespace {

constexpr char kSentinelGroup[] = "Sentinel";

std::string FolderOf(const std::string& path) { return path.substr(0, path.rfind('\\')); }

void MakeFile(const std::string& path, const std::string& bytes) {
    MakeFolder(FolderOf(path));
    test_files::WriteAll(path, bytes);
}

// A key's value as the profile functions read it: one pair of double quotes around it goes.
std::string Value(const std::string& line) {
    const std::string value = line.substr(line.find('=') + 1);
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        return value.substr(1, value.size() - 2);
    return value;
}

// A group name that names a folder inside the Programs menu. The records of some scenarios
// hold names that must never be sent; the fixture makes and clears no folder for them either.
bool IsPlainGroup(const std::string& group) {
    return !group.empty() && group.find("..") == std::string::npos &&
           group.find_first_of(":\"/") == std::string::npos;
}

bool KeyIs(const std::string& line, const char* stem) {
    const size_t length = std::char_traits<char>::length(stem);
    return line.compare(0, length, stem) == 0 && line.size() > length &&
           line[length] >= '0' && line[length] <= '9' && line.find('=') != std::string::npos;
}

}  // namespace

FixtureInstallation::FixtureInstallation(const std::string& records,
                                         const std::vector<std::string>& extraFiles) {
    windows_ = SystemWindowsFolder();
    product_ = windows_ + "\\Zolvane";
    programs_ = ProgramsMenuFolder();

    // The files, groups and items the records name; what an earlier run left goes first.
    std::istringstream lines(records);
    std::string line, group;
    std::vector<std::string> links;
    while (std::getline(lines, line)) {
        if (line.rfind('[', 0) == 0) group.clear();
        // The group's folder as the installer's Program Manager made it.
        if (line.rfind("GROUP=", 0) == 0) {
            const std::string folder = SystemFolderName(Value(line));
            group = IsPlainGroup(folder) ? folder : "";
        }
        if (!group.empty()) groups_.push_back(group);
        if (KeyIs(line, "ITEM") && !group.empty() && !Value(line).empty())
            links.push_back(programs_ + "\\" + group + "\\" + Value(line) + ".lnk");
    }
    groups_.push_back(kSentinelGroup);
    std::sort(groups_.begin(), groups_.end());
    groups_.erase(std::unique(groups_.begin(), groups_.end()), groups_.end());
    Clear();

    for (const std::string& path : FileValues(records)) MakeFile(path, "installed " + path);
    for (const std::string& path : extraFiles) MakeFile(path, "extra " + path);
    for (const std::string& path : links) MakeFile(path, "link");
    MakeFile(std::string(kRoot) + "\\Sentinel.txt", "no part lists this file");
    MakeFile(programs_ + "\\" + kSentinelGroup + "\\Keep.lnk", "link");

    MakeFolder(product_);
    CopyFileA(ZO_ZOCLEAR_PROGRAM, Program().c_str(), FALSE);
    if (!records.empty()) {
        std::string text;
        for (char c : records) text += c == '\n' ? std::string("\r\n") : std::string(1, c);
        test_files::WriteAll(product_ + "\\ZOLVIN.INI", text);
    }
    // The installer's templates: the batch file leaves a marker in the folder it runs in.
    test_files::WriteAll(product_ + "\\VaravUr.ba$",
               std::string("@echo off\r\necho removed> ") + kMarker + "\r\n");
    test_files::WriteAll(product_ + "\\VaravUr.pi$", "program information");
    const DWORD hidden = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;
    SetFileAttributesA((product_ + "\\VaravUr.ba$").c_str(), hidden);
    SetFileAttributesA((product_ + "\\VaravUr.pi$").c_str(), hidden);
}

FixtureInstallation::~FixtureInstallation() { Clear(); }

void FixtureInstallation::Clear() const {
    RemoveTree(kRoot);
    for (const std::string& group : groups_) RemoveTree(programs_ + "\\" + group);
    for (const char* name : {"VaravUr.ba$", "VaravUr.pi$"})
        SetFileAttributesA((product_ + "\\" + name).c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveTree(product_);
    for (const char* name : {"VaravUr.bat", "VaravUr.pif", kMarker})
        DeleteFileA((windows_ + "\\" + name).c_str());
}

FixtureInstallation::State FixtureInstallation::Take() const {
    State state;
    for (const std::string& entry : TreeListing(kRoot))
        state.files.push_back(std::string(kRoot) + "\\" + entry);
    state.programs = TreeListing(programs_);
    for (const char* name : {"VaravUr.bat", "VaravUr.pif", kMarker})
        if (PathExists(windows_ + "\\" + name)) state.windows.push_back(name);
    state.product = TreeListing(product_);
    const std::string records = product_ + "\\ZOLVIN.INI";
    state.records = PathExists(records)
                        ? MemoryProfile(AsText(test_files::ReadAll(records))).Text()
                        : "<none>";
    return state;
}

std::string SystemWindowsFolder() {
    char folder[MAX_PATH] = "";
    GetWindowsDirectoryA(folder, sizeof folder);
    return folder;
}

std::string ProgramsMenuFolder() {
    char folder[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, CSIDL_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, folder);
    return folder;
}

std::vector<std::string> Without(const std::vector<std::string>& all,
                                 const std::vector<std::string>& gone) {
    std::vector<std::string> rest = all;
    for (const std::string& entry : gone) {
        const auto found = std::find(rest.begin(), rest.end(), entry);
        if (found == rest.end()) {
            rest.push_back("<not there before: " + entry + ">");
            continue;
        }
        rest.erase(found);
    }
    return rest;
}
