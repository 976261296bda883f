// Folder trees through the system: made, removed and listed.
#include "tests/win32/remover/folder_tree.h"

#include <windows.h>

#include <shellapi.h>

#include <algorithm>

bool PathExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string SystemFolderName(const std::string& name) {
    const size_t end = name.find_last_not_of(" .");
    return end == std::string::npos ? std::string() : name.substr(0, end + 1);
}

void MakeFolder(const std::string& path) {
    for (size_t i = 3; i <= path.size(); ++i)
        if (i == path.size() || path[i] == '\\')
            CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
}

bool RemoveTree(const std::string& path) {
    if (!PathExists(path)) return true;
    std::string from = path;
    from.push_back('\0');
    SHFILEOPSTRUCTA operation = {};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationA(&operation);
    return !PathExists(path);
}

namespace {

void List(const std::string& root, const std::string& relative, std::vector<std::string>* out) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((root + "\\" + relative + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            out->push_back(relative + name + "\\");
            List(root, relative + name + "\\", out);
        } else {
            out->push_back(relative + name);
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

}  // namespace

std::vector<std::string> TreeListing(const std::string& root) {
    std::vector<std::string> listing;
    List(root, "", &listing);
    std::sort(listing.begin(), listing.end());
    return listing;
}

bool HeldFile::Take(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    Release();
    handle_ = file;
    return true;
}

void HeldFile::Release() {
    HANDLE file = handle_.exchange(nullptr);
    if (file != nullptr) CloseHandle(file);
}
