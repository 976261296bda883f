// The committed collage and line-engine tables are exactly what tools/make_kolda_tables writes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/files.h"

namespace {

TEST(GeneratedKoldaTables, GeneratorReproducesTheCommittedSource) {
    const test_files::ScratchFolder folder("zo_kolda_tables_");
    ASSERT_TRUE(test_files::RunGenerator(ZO_MAKE_KOLDA_TABLES, folder.Path()));
    const std::vector<uint8_t> committed =
        test_files::ReadAll(std::string(ZO_SOURCE_DIR) + "/styles/kolda/kolda_tables.cpp");
    EXPECT_FALSE(committed.empty());
    EXPECT_TRUE(test_files::ReadAll(folder.PathOf("kolda_tables.cpp")) == committed)
        << "regenerate styles/kolda/kolda_tables.cpp with make_kolda_tables";
}

}  // namespace
