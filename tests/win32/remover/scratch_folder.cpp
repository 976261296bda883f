#include "tests/win32/remover/scratch_folder.h"

#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <fstream>
#include <sstream>

ScratchFolder::ScratchFolder(const char* name) {
    char temp[MAX_PATH];
    const DWORD length = GetTempPathA(sizeof temp, temp);
    path_ = std::string(temp, length) + name + "-" + std::to_string(GetCurrentProcessId());
    RemoveTree(path_);
    MakeFolder(path_);
}

ScratchFolder::~ScratchFolder() { RemoveTree(path_); }

bool PathExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
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
