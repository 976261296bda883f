// The committed collage and line-engine tables are exactly what tools/make_kolda_tables writes.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(GeneratedKoldaTables, GeneratorReproducesTheCommittedSource) {
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    const auto fresh =
        std::filesystem::temp_directory_path() / ("zo_kolda_tables_" + std::to_string(stamp) + ".cpp");
    const std::string command =
        std::string("\"") + ZO_MAKE_KOLDA_TABLES + "\" \"" + fresh.string() + "\"";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    const std::string committed =
        ReadAll(std::filesystem::path(ZO_SOURCE_DIR) / "styles" / "kolda" / "kolda_tables.cpp");
    EXPECT_FALSE(committed.empty());
    EXPECT_TRUE(ReadAll(fresh) == committed)
        << "regenerate styles/kolda/kolda_tables.cpp with make_kolda_tables";
    std::filesystem::remove(fresh);
}

}  // namespace
