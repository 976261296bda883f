// The bounded status-text helpers.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "engine/status_text.h"

TEST(StatusText, CopyReplacesAndAppendAdds) {
    char status[kStatusSize] = "old text";
    StatusCopy(status, "Low:");
    StatusAppend(status, "Parameter.");
    EXPECT_STREQ(status, "Low:Parameter.");
}

TEST(StatusText, LongTextsAreCutAt255Bytes) {
    char status[kStatusSize + 16];
    std::memset(status, 'x', sizeof status);
    const std::string longText(400, 'a');
    StatusCopy(status, longText.c_str());
    EXPECT_EQ(std::strlen(status), 255u);
    EXPECT_EQ(status[256], 'x') << "nothing written past the buffer";
    StatusAppend(status, "more");
    EXPECT_EQ(std::strlen(status), 255u);
}

TEST(StatusText, CutNeverSplitsADoubleByteCharacter) {
    // 254 single bytes, then "メ" (two bytes): only one byte of room is left for it.
    std::string text(254, 'a');
    text += "メ";
    char status[kStatusSize];
    StatusCopy(status, text.c_str());
    EXPECT_EQ(std::strlen(status), 254u);

    char small[4];
    CopyTextBounded(small, sizeof small, "aメモ");
    EXPECT_STREQ(small, "aメ");
}

TEST(StatusText, FormatCutsLongResults) {
    char buffer[16];
    FormatTextBounded(buffer, sizeof buffer, "Error at %d\n%s", -1, "a long status text here");
    EXPECT_EQ(std::strlen(buffer), 15u);
    EXPECT_EQ(std::string(buffer, 12), "Error at -1\n");
}

TEST(StatusText, FormatCutNeverSplitsADoubleByteCharacter) {
    struct Case {
        int size;
        const char* text;
        const char* expected;
    } cases[] = {
        {7, "abcdeメ", "abcde"},    // one byte of room left for the two of メ
        {8, "abcdeメ", "abcdeメ"},  // it just fits
        {8, "abcdeメモ", "abcdeメ"},
        {1, "メ", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        char buffer[16];
        std::memset(buffer, 'x', sizeof buffer);
        FormatTextBounded(buffer, c.size, "%s", c.text);
        EXPECT_STREQ(buffer, c.expected);
        EXPECT_EQ(buffer[c.size], 'x') << "nothing written past the buffer";
    }
}
