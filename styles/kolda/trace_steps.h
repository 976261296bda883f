// The eight steps a line trace can take from a pixel and the turn between two headings, shared
// by the edge and the hatch tracing of ZoDrawing.
#pragma once

namespace trace_steps {

// Index 0 to the right, then turning counter-clockwise as the rows are stored (dy = +1 is one
// stored row up).
constexpr int kStepX[8] = {1, 1, 0, -1, -1, -1, 0, 1};
constexpr int kStepY[8] = {0, 1, 1, 1, 0, -1, -1, -1};

// The turn from heading `from` to heading `to` in steps of 45 degrees, 0..4.
constexpr int TurnBetween(int from, int to) {
    const int turn = from > to ? from - to : to - from;
    return turn > 4 ? 8 - turn : turn;
}

constexpr int kTurn90 = 2;
constexpr int kTurn135 = 3;

}  // namespace trace_steps
