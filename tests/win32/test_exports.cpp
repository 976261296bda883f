// The plug-in library's face to a host: the export names, the calling convention, the titles,
// and the x87 precision control given back as the host had it.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "imaging/fpu_precision.h"
#include "tests/win32/win32_test_support.h"

namespace {

#if defined(__i386__)
// Calls `function` with `count` 32-bit arguments pushed right to left and returns how many
// bytes of them are still on the stack when it returns: all of them when the caller removes
// the arguments (cdecl), none when the function does.
struct CallFrame {
    void* function;
    uint32_t arguments[4];
    uint32_t count;
};

int BytesLeftByCallee(CallFrame* frame) {
    int left;
    __asm__ volatile(
        "movl %%esp, %%esi\n\t"
        "movl 20(%%edi), %%ecx\n\t"
        "1:\n\t"
        "testl %%ecx, %%ecx\n\t"
        "jz 2f\n\t"
        "pushl (%%edi,%%ecx,4)\n\t"
        "decl %%ecx\n\t"
        "jmp 1b\n\t"
        "2:\n\t"
        "call *(%%edi)\n\t"
        "movl %%esi, %%ecx\n\t"
        "subl %%esp, %%ecx\n\t"
        "movl %%esi, %%esp\n\t"
        : "=c"(left)
        : "D"(frame)
        // Everything a cdecl callee may change, the SSE registers too.
        : "eax", "edx", "esi", "xmm0", "xmm1", "xmm2", "xmm3", "xmm4", "xmm5", "xmm6", "xmm7",
          "memory", "cc");
    return left;
}
#endif

uint16_t ControlWord() {
    uint16_t word;
    __asm__ volatile("fnstcw %0" : "=m"(word));
    return word;
}

void SetControlWord(uint16_t word) { __asm__ volatile("fldcw %0" : : "m"(word)); }

}  // namespace

TEST(Exports, ResolveByTheirPlainNamesOnly) {
    PluginCopy plugin;
    ASSERT_TRUE(plugin.Loaded());
    for (const char* name : {"FilterGetTitle", "FilterProc", "FilterOption"})
        EXPECT_NE(GetProcAddress(plugin.Module(), name), nullptr) << name;
    for (const char* name : {"_FilterProc", "FilterProc@16", "_FilterGetTitle@16", "DllEntryPoint",
                             "DllMain", "RunFilter"})
        EXPECT_EQ(GetProcAddress(plugin.Module(), name), nullptr) << name;
}

// Who removes the arguments is a question only on i686: x86-64 Windows has one calling
// convention, in which the caller always does.
#if defined(__i386__)
TEST(Exports, LeaveTheirArgumentsForTheCallerToRemove) {
    PluginCopy plugin;
    ASSERT_TRUE(plugin.Loaded());
    char title[32];
    int32_t p = 5, q = 5;
    CallFrame getTitle = {reinterpret_cast<void*>(plugin.getTitle),
                          {0, reinterpret_cast<uint32_t>(title), reinterpret_cast<uint32_t>(&p),
                           reinterpret_cast<uint32_t>(&q)},
                          4};
    EXPECT_EQ(BytesLeftByCallee(&getTitle), 16);
    EXPECT_EQ(p, 0);
    // Null pictures: the calls return at once, which is enough to see the stack.
    CallFrame proc = {reinterpret_cast<void*>(plugin.filterProc), {0, 0, 0, 0}, 4};
    EXPECT_EQ(BytesLeftByCallee(&proc), 16);
    uint8_t* none = nullptr;
    CallFrame option = {reinterpret_cast<void*>(plugin.filterOption),
                        {0, 0, reinterpret_cast<uint32_t>(&none)},
                        3};
    EXPECT_EQ(BytesLeftByCallee(&option), 12);
}
#endif

namespace {

struct TitleCase {
    std::string plugin;
    const char* title;  // UTF-8 here, code page 932 bytes once compiled
    size_t bytesWithZero;
};

// The titles of the plug-ins named `prefix` and their style's three letters.
std::vector<TitleCase> TitleCases(const char* prefix) {
    const struct {
        const char* style;
        const char* title;
        size_t bytesWithZero;
    } titles[] = {{"Mor", "Moravel (油彩)", 15},
                  {"Kol", "Kolda (コラ－ジュ)", 19},
                  {"Gri", "Grisov (ﾄﾞﾛ-ｲﾝｸﾞ)", 18},
                  {"Zav", "Zavet (淡彩)", 13},
                  {"Tev", "Tevu (ｼﾙｸｽｸﾘ-ﾝ)", 16}};
    std::vector<TitleCase> cases;
    for (const auto& t : titles)
        cases.push_back({std::string(prefix) + t.style, t.title, t.bytesWithZero});
    return cases;
}

std::string PluginName(const ::testing::TestParamInfo<TitleCase>& info) {
    return info.param.plugin;
}

}  // namespace

class Titles : public ::testing::TestWithParam<TitleCase> {};

TEST_P(Titles, AreTheProductTitleInCodePage932AndZeroTheInts) {
    const TitleCase& c = GetParam();
    PluginCopy plugin(c.plugin.c_str());
    ASSERT_TRUE(plugin.Loaded());
    char title[64];
    std::memset(title, 0xCC, sizeof title);
    int32_t p = 7, q = -7;
    EXPECT_EQ(plugin.getTitle(123, title, &p, &q), 1);
    EXPECT_EQ(p, 0);
    EXPECT_EQ(q, 0);
    EXPECT_EQ(std::string(title), std::string(c.title));
    EXPECT_EQ(std::strlen(title) + 1, c.bytesWithZero);
    EXPECT_EQ(static_cast<unsigned char>(title[c.bytesWithZero]), 0xCC) << "nothing past the zero";
}

INSTANTIATE_TEST_SUITE_P(AllPlugins, Titles, ::testing::ValuesIn(TitleCases("ZoTest_")),
                         PluginName);
// The product plug-ins carry the same titles as the test plug-ins that stand in for them.
INSTANTIATE_TEST_SUITE_P(ProductPlugins, Titles, ::testing::ValuesIn(TitleCases("Zo_")),
                         PluginName);

TEST(TitleBuffer, KoldaIsTheLongestAtNineteenBytes) {
    PluginCopy plugin("ZoTest_Kol");
    ASSERT_TRUE(plugin.Loaded());
    static const unsigned char kExpected[19] = {0x4B, 0x6F, 0x6C, 0x64, 0x61, 0x20, 0x28,
                                                0x83, 0x52, 0x83, 0x89, 0x81, 0x7C, 0x83,
                                                0x57, 0x83, 0x85, 0x29, 0x00};
    char title[19];
    int32_t p, q;
    ASSERT_EQ(plugin.getTitle(0, title, &p, &q), 1);
    EXPECT_EQ(std::memcmp(title, kExpected, sizeof kExpected), 0);
}

TEST(TitleBuffer, NullBufferIsRefusedWithoutAWrite) {
    PluginCopy plugin;
    ASSERT_TRUE(plugin.Loaded());
    int32_t p = 3, q = 3;
    EXPECT_EQ(plugin.getTitle(0, nullptr, &p, &q), 0);
    EXPECT_EQ(p, 0);
    EXPECT_EQ(q, 0);
    EXPECT_EQ(plugin.getTitle(0, nullptr, nullptr, nullptr), 0);
}

// A host that lowered the precision control (to 53 or 24 bits) gets its control word back
// unchanged from every export, and the painting in between runs at extended precision.
TEST(Precision, HostControlWordIsRestoredAndTheEngineRunsExtended) {
    PluginCopy plugin;
    ASSERT_TRUE(plugin.Loaded());
    const uint16_t original = ControlWord();
    for (uint16_t precisionBits : {uint16_t{0x0200}, uint16_t{0x0000}}) {
        SCOPED_TRACE(precisionBits);
        const uint16_t host = static_cast<uint16_t>((original & ~0x0300) | precisionBits);

        SetControlWord(host);
        auto picture = MakeHostPicture(4, 3);
        SetDialogMode("");
        BoxCloser boxes;
        const int procResult = plugin.filterProc(TestHostWindow(), picture.data(), 0, 0);
        const uint16_t afterProc = ControlWord();
        auto procReport = TakeDialogReport();
        char title[32];
        int32_t p, q;
        plugin.getTitle(0, title, &p, &q);
        const uint16_t afterTitle = ControlWord();
        uint8_t* pointer = picture.data();
        SetControlWord(host);
        const int optionResult = plugin.filterOption(TestHostWindow(), 0, &pointer);
        const uint16_t afterOption = ControlWord();
        auto optionReport = TakeDialogReport();
        SetControlWord(original);

        EXPECT_EQ(procResult, 1);
        EXPECT_EQ(optionResult, 1);
        EXPECT_EQ(afterProc, host);
        EXPECT_EQ(afterTitle, host);
        EXPECT_EQ(afterOption, host);
        for (auto* report : {&procReport, &optionReport}) {
            EXPECT_EQ((*report)["precision"], 3);
            EXPECT_EQ((*report)["enginePrecision"], 3);
        }
        EXPECT_TRUE(boxes.Boxes().empty());
    }
}
