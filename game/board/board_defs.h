#pragma once
// The table of board layouts, read once at start-up from the binary file
// "data/boards.dat": a 32-bit count, then per layout four sections over the
// 160 cells in row-major order: tile bytes, lists of outer border pieces,
// lists of inner border pieces, chain bytes (low nibble level, high nibble
// style). Integers are little-endian; a layout's length depends on its lists.

#include "game/board/board_layout.h"
#include "platform/process_slot.h"

#include <string>
#include <vector>

namespace Kavo {
class Buffer;
} // namespace Kavo

namespace Game {

class BoardDefs {
public:
    // Reads the file through the application (nothing without one), then
    // Read. The table is emptied first.
    bool Load(const std::string& path);
    // Empties the table and reads the count and the layouts. A layout
    // starts only while bytes remain; one cut short is padded with empty
    // cells. False (the first reason kept) when the data ran short.
    bool Read(Kavo::Buffer& buffer);
    // The four sections of one layout. Every list count is cut to the pairs
    // the remaining bytes can hold; chain levels are clamped to 0..3 and
    // styles to 0..1. False when the data ran short.
    static bool ReadLayout(Kavo::Buffer& buffer, BoardLayout& layout);

    int GetCount() const { return static_cast<int>(mLayouts.size()); }
    // By 0-based index in file order; null outside the table.
    const BoardLayout* GetLayout(int index) const;
    const std::string& GetErrorText() const { return mErrorText; }

private:
    bool Fail(const std::string& text);

    std::vector<BoardLayout> mLayouts;
    std::string mErrorText;
};

// The table the application installed (null before it did).
platform::ProcessSlot<BoardDefs>& BoardDefsSlot();

// The number of layouts of the installed table, 0 without one; what the
// profile stores as the board count.
int InstalledBoardLayoutCount();

} // namespace Game
