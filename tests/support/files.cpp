// Files for the tests.
#include "tests/support/files.h"

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace test_files {

std::vector<uint8_t> ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

bool WriteAll(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

bool WriteAll(const std::string& path, const std::vector<uint8_t>& bytes) {
    return WriteAll(path, std::string(bytes.begin(), bytes.end()));
}

ScratchFolder::ScratchFolder(const char* prefix) {
    static std::atomic<int> made{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    const auto folder = std::filesystem::temp_directory_path() /
                        (std::string(prefix) + std::to_string(stamp) + "_" +
                         std::to_string(made++));
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    path_ = folder.string();
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string ScratchFolder::PathOf(const std::string& name) const {
    return (std::filesystem::path(path_) / name).string();
}

bool RunGenerator(const char* program, const std::string& folder) {
#ifdef ZO_GENERATOR_EMULATOR
    // A cross build's generator runs under the emulator that runs this test program.
    const std::string runner = ZO_GENERATOR_EMULATOR " ";
#else
    const std::string runner;
#endif
    const std::string command = runner + "\"" + program + "\" \"" + folder + "\"";
    return std::system(command.c_str()) == 0;
}

}  // namespace test_files
