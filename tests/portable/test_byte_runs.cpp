// The word-at-a-time run searches against their byte-by-byte definitions, on rows whose runs
// start and end on every side of the eight-byte words.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "imaging/byte_runs.h"

namespace {

// Rows of 40 bytes: long runs of one value broken at chosen places, and values with bit 7 set.
std::vector<std::vector<uint8_t>> Rows() {
    std::vector<std::vector<uint8_t>> rows;
    for (int breakAt : {0, 1, 7, 8, 9, 15, 16, 23, 31, 39}) {
        std::vector<uint8_t> row(40, 5);
        row[breakAt] = 133;  // 5 with bit 7 set
        if (breakAt + 11 < 40) row[breakAt + 11] = 6;
        rows.push_back(row);
    }
    std::vector<uint8_t> mixed(40);
    for (int i = 0; i < 40; ++i)
        mixed[i] = static_cast<uint8_t>((i * 37) % 7 == 0 ? 255 : 5 + (i / 13));
    rows.push_back(mixed);
    rows.push_back(std::vector<uint8_t>(40, 5));
    rows.push_back(std::vector<uint8_t>(40, 200));
    return rows;
}

TEST(ByteRuns, EveryStartAndEndAgreesWithTheByteLoop) {
    for (const auto& row : Rows()) {
        const uint8_t* p = row.data();
        for (uint8_t value : {5, 6, 133}) {
            for (int from = 0; from <= 40; ++from) {
                for (int end = from; end <= 40; ++end) {
                    int runEnd = from;
                    while (runEnd < end && p[runEnd] == value) ++runEnd;
                    ASSERT_EQ(byte_runs::RunEnd(p, from, end, value), runEnd)
                        << int(value) << " " << from << ".." << end;

                    // The run before `end`, not below `from`.
                    int runStart = end;
                    while (runStart > from && p[runStart - 1] == value) --runStart;
                    ASSERT_EQ(byte_runs::RunStart(p, from, end, value), runStart)
                        << int(value) << " " << from << ".." << end;
                }
            }
        }
        for (int from = 0; from <= 40; ++from) {
            for (int end = from; end <= 40; ++end) {
                int below = from;
                while (below < end && (p[below] & 0x80) != 0) ++below;
                ASSERT_EQ(byte_runs::FirstBelow128(p, from, end), below) << from << ".." << end;
            }
        }
    }
}

}  // namespace
