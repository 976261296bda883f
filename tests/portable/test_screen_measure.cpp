// The screen resolution dialog's measurement: which texts are lengths, the dpi of a length in
// extended precision, and when OK may accept the pair.
#include "dialogs/screen_measure.h"

#include <gtest/gtest.h>

#include <string>

using namespace screen_measure;

TEST(ScreenMeasure, OnlyDecimalDigitsAreALength) {
    const struct {
        const char* text;
        bool number;
        int value;
    } cases[] = {
        {"60", true, 60},      {"0", true, 0},        {"007", true, 7},
        {"2147483647", true, 2147483647},
        {"2147483648", false, 0},  // beyond an int
        {"-5", false, 0},      {"5x", false, 0},      {"", false, 0},
        {" 5", false, 0},      {"+5", false, 0},      {"5 ", false, 0},
    };
    for (const auto& c : cases) {
        int value = -1;
        EXPECT_EQ(ParseMillimetres(c.text, &value), c.number) << "'" << c.text << "'";
        if (c.number) EXPECT_EQ(value, c.value) << "'" << c.text << "'";
        else EXPECT_EQ(value, -1) << "'" << c.text << "' leaves the value";
    }
    int value = -1;
    EXPECT_FALSE(ParseMillimetres(nullptr, &value));
}

TEST(ScreenMeasure, DpiIsTruncatedFromExtendedPrecision) {
    const struct {
        int millimetres, dpi;
    } cases[] = {
        {60, 84},  {13, 390}, {12, 423}, {507, 10}, {1, 5079},
        // Whole in exact arithmetic, just below at a 64-bit significand (double gives one more).
        {127, 39}, {254, 19}, {20, 253}, {40, 126}, {508, 9},
        {5079, 1}, {5080, 0}, {32767, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DpiFromMillimetres(c.millimetres), c.dpi) << c.millimetres;
}

TEST(ScreenMeasure, TypedLengthsAreAcceptedForTenTo400Dpi) {
    const struct {
        const char* text;
        bool renewed;  // the dpi on show changes
        int dpi;       // on show afterwards (from 84)
        bool valid;
    } cases[] = {
        {"60", true, 84, true},    {"13", true, 390, true},  {"12", true, 423, false},
        {"507", true, 10, true},   {"508", true, 9, false},  {"", false, 84, false},
        {"0", false, 84, false},   {"-5", false, 84, false}, {"5x", false, 84, false},
    };
    for (const auto& c : cases) {
        ScreenMeasure measure(60, 84);
        measure.SetupDone();
        EXPECT_EQ(measure.TextChanged(c.text), c.renewed) << "'" << c.text << "'";
        EXPECT_EQ(measure.Dpi(), c.dpi) << "'" << c.text << "'";
        EXPECT_EQ(measure.Valid(), c.valid) << "'" << c.text << "'";
    }
}

TEST(ScreenMeasure, SetUpAcceptsTheStoredPairUnlessItsDpiIsBelowOne) {
    const struct {
        const char* name;
        int millimetres, dpi;  // stored
        int dpiShown;
        bool valid;
    } cases[] = {
        {"the defaults", 60, 84, 84, true},
        {"a length giving 423 dpi", 12, 400, 423, true},
        {"a length giving 9 dpi", 508, 10, 9, true},
        {"a length of 0 keeps the stored dpi", 0, 84, 84, true},
        {"a negative length keeps the stored dpi", -5, 84, 84, true},
        {"5080 mm gives 0 dpi", 5080, 84, 0, false},
    };
    for (const auto& c : cases) {
        ScreenMeasure measure(c.millimetres, c.dpi);
        EXPECT_FALSE(measure.Valid()) << c.name;
        // Set-up shows the stored length in the edit, which reports the change at once.
        measure.TextChanged(std::to_string(c.millimetres).c_str());
        measure.SetupDone();
        EXPECT_EQ(measure.Dpi(), c.dpiShown) << c.name;
        EXPECT_EQ(measure.Millimetres(), c.millimetres) << c.name << ": the pair OK writes";
        EXPECT_EQ(measure.Valid(), c.valid) << c.name;
    }
}

TEST(ScreenMeasure, AnEditAfterSetUpMustBeValidAgain) {
    ScreenMeasure measure(12, 400);
    measure.TextChanged("12");
    measure.SetupDone();
    ASSERT_TRUE(measure.Valid());
    measure.TextChanged("1");
    EXPECT_FALSE(measure.Valid()) << "deleting a digit: 1 mm is 5079 dpi";
    measure.TextChanged("12");
    EXPECT_FALSE(measure.Valid()) << "typed, the out-of-range pair is refused";
    measure.TextChanged("");
    EXPECT_EQ(measure.Millimetres(), 12) << "an empty text keeps the last length";
    EXPECT_EQ(measure.Dpi(), 423);
    EXPECT_FALSE(measure.Valid());
}
