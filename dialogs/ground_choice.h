// What the ground dialog keeps while the user browses: the lines of the ground list, the ground
// on show and the one it opened with. Cancel goes back to the opening ground; OK keeps the one
// on show.
#pragma once

#include "plugin/ground_list.h"

class GroundChoice {
public:
    // `openingIndex` is the settings' ground index as the dialog finds it. No lines yet.
    explicit GroundChoice(int openingIndex);

    // The lines, filled from the ground list before the first selection.
    GroundList& Lines() { return list_; }
    const GroundList& Lines() const { return list_; }

    // The line to select at the start: the opening index's line, the one the ground loader
    // loads for it (an index outside the list still selects a line); -1 for an empty list.
    int OpeningLine() const;

    // A selection change: the line selected, or -1 when none is; with none the current index
    // stays. Returns the current index, the ground to load and to store.
    int Select(int selection);

    int Current() const { return current_; }
    // The index Cancel restores, exactly as the dialog found it.
    int Opening() const { return opening_; }
    // The description of the current line; empty when it is not a line of the list.
    const char* Description() const;

private:
    GroundList list_;
    int opening_;
    int current_;
};
