#pragma once

namespace Game {

// A cell by column and row; -1 when none.
struct CellPos {
    int mColumn = -1;
    int mRow = -1;
    bool operator==(const CellPos&) const = default;
};

} // namespace Game
