#pragma once
// The sixteen ways a swap completes a run of three around an anchor cell
// holding item t: partners A and B hold t, and swapping S1 with S2 brings
// a third t into line with them. Offsets are (row, column) from the anchor.

#include <array>

namespace Game {

struct Offset {
    int mRow = 0;
    int mColumn = 0;
};

struct MovePattern {
    Offset mA;
    Offset mB;
    Offset mS1;
    Offset mS2;
};

// S1 and S2 lie inside the bounding box of the anchor, A and B.
inline constexpr std::array<MovePattern, 16> kMovePatterns{{
    {{-1, -1}, {-1, +1}, {-1, 0}, {0, 0}},  // the anchor moves up into row r-1
    {{+1, -1}, {+1, +1}, {+1, 0}, {0, 0}},  // down into row r+1
    {{-1, -1}, {+1, -1}, {0, -1}, {0, 0}},  // left into column c-1
    {{-1, +1}, {+1, +1}, {0, +1}, {0, 0}},  // right into column c+1
    {{0, -1}, {-1, +1}, {0, +1}, {-1, +1}}, // row r, from above on the right
    {{0, -1}, {+1, +1}, {0, +1}, {+1, +1}}, // row r, from below on the right
    {{-1, -1}, {0, +1}, {-1, -1}, {0, -1}}, // row r, from above on the left
    {{+1, -1}, {0, +1}, {+1, -1}, {0, -1}}, // row r, from below on the left
    {{-1, 0}, {+1, -1}, {+1, -1}, {+1, 0}}, // column c, from the left below
    {{-1, 0}, {+1, +1}, {+1, +1}, {+1, 0}}, // column c, from the right below
    {{+1, 0}, {-1, -1}, {-1, -1}, {-1, 0}}, // column c, from the left above
    {{+1, 0}, {-1, +1}, {-1, +1}, {-1, 0}}, // column c, from the right above
    {{0, -1}, {0, +2}, {0, +1}, {0, +2}},   // row r, along the row from the right
    {{0, +1}, {0, -2}, {0, -1}, {0, -2}},   // row r, along the row from the left
    {{-1, 0}, {+2, 0}, {+2, 0}, {+1, 0}},   // column c, along the column from below
    {{+1, 0}, {-2, 0}, {-2, 0}, {-1, 0}},   // column c, along the column from above
}};

} // namespace Game
