// The screen resolution dialog's arithmetic and state: a typed length in millimetres of the
// 200-pixel arrow gives the screen's dots per inch, and whether OK may accept the pair.
#pragma once

namespace screen_measure {

constexpr int kArrowPixels = 200;
constexpr int kLowestDpi = 10;
constexpr int kHighestDpi = 400;

// The typed length: true with its value only when the text is one or more decimal digits
// (no sign, no space, nothing after) whose value fits an int.
bool ParseMillimetres(const char* text, int* millimetres);

// 200 / mm × 25.4, truncated, for mm > 0. Computed in long double at extended precision in
// both builds, so that a quotient that is whole in exact arithmetic comes out just below it:
// 127 mm gives 39 and 508 mm gives 9. 5080 mm and more give 0.
int DpiFromMillimetres(int millimetres);

class ScreenMeasure {
public:
    // The caller's stored pair; not valid until set-up has shown it.
    ScreenMeasure(int millimetres, int dpi);

    // The edit's text changed: validity falls; a positive number becomes the length and gives a
    // new dpi, valid when it lies within 10..400. True when the dpi on show is to be renewed;
    // else (empty, not a number, 0) the dpi stays and the pair is not valid.
    bool TextChanged(const char* text);

    // Set-up has shown the stored pair: it is accepted as it stands, however far out of range,
    // unless its dpi is below 1 (no painting can be made at that resolution).
    void SetupDone();

    bool Valid() const { return valid_; }
    int Millimetres() const { return millimetres_; }
    int Dpi() const { return dpi_; }

private:
    bool valid_ = false;
    int millimetres_;
    int dpi_;
};

}  // namespace screen_measure
