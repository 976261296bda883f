// The fixture of the dialog tests: a fresh copy of a test plug-in, its settings file written
// by the test, and its filter call run on a host picture under the dialog driver.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "tests/win32/win32_test_support.h"

struct DialogFixture : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(plugin.Loaded());
        SetDialogMode("");
        TakeDialogReport();
    }
    // The settings file's seven fields: size, the five levels, the ground.
    void WriteSettings(std::initializer_list<int16_t> values) {
        int16_t fields[7] = {};
        int i = 0;
        for (int16_t v : values) fields[i++] = v;
        WriteFileBytes(plugin.DatPath(), SettingsBytes(fields));
    }
    int Run(std::vector<uint8_t>* picture) {
        return plugin.filterProc(TestHostWindow(), picture->data(), 0, 0);
    }
    PluginCopy plugin;
};
