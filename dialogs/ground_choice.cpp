// The ground dialog's choice.
#include "dialogs/ground_choice.h"

GroundChoice::GroundChoice(int openingIndex) : opening_(openingIndex), current_(openingIndex) {}

int GroundChoice::OpeningLine() const {
    return list_.count > 0 ? GroundLine(opening_, list_.count) : -1;
}

int GroundChoice::Select(int selection) {
    if (selection >= 0 && selection < list_.count) current_ = selection;
    return current_;
}

const char* GroundChoice::Description() const {
    return current_ >= 0 && current_ < list_.count ? list_.entries[current_].description : "";
}
