// Every test runs at the x87 extended precision that the plug-in's exports set for their work,
// whatever the test runner's start-up left.
#include <gtest/gtest.h>

#include <memory>

#include "imaging/fpu_precision.h"

namespace {

class ExtendedPrecisionEnvironment : public ::testing::Environment {
public:
    void SetUp() override { scope_ = std::make_unique<ExtendedPrecisionScope>(); }
    void TearDown() override { scope_.reset(); }

private:
    std::unique_ptr<ExtendedPrecisionScope> scope_;
};

const auto* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new ExtendedPrecisionEnvironment);

}  // namespace

TEST(TestEnvironment, RunsAtExtendedPrecision) {
    EXPECT_EQ(ExtendedPrecisionScope::CurrentPrecisionControl(), 3);
}
