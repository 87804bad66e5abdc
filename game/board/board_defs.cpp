#include "game/board/board_defs.h"

#include "framework/app/kavo_app_base.h"
#include "framework/util/buffer.h"

#include <algorithm>
#include <cstdint>

namespace Game {

namespace {

int RemainingBytes(const Kavo::Buffer& buffer) {
    return std::max(0, (buffer.GetDataLenBits() - buffer.GetReadBitPos()) / 8);
}

// Reads through the buffer (zeros past its end) and notes whether any read
// found the data short.
class LayoutReader {
public:
    explicit LayoutReader(Kavo::Buffer& buffer) : mBuffer(buffer) {}

    int Byte() {
        Need(1);
        return mBuffer.ReadByte();
    }
    std::uint32_t Long() {
        Need(4);
        return static_cast<std::uint32_t>(mBuffer.ReadLong());
    }
    void EdgeList(std::vector<EdgePiece>& edges) {
        const std::uint32_t stored = Long();
        const std::uint32_t fits = static_cast<std::uint32_t>(RemainingBytes(mBuffer) / 2);
        if (stored > fits)
            mWhole = false;
        edges.resize(std::min(stored, fits));
        for (EdgePiece& piece : edges) {
            piece.first = mBuffer.ReadByte();
            piece.second = mBuffer.ReadByte();
        }
    }
    bool Whole() const { return mWhole; }

private:
    void Need(int bytes) {
        if (RemainingBytes(mBuffer) < bytes)
            mWhole = false;
    }

    Kavo::Buffer& mBuffer;
    bool mWhole = true;
};

} // namespace

platform::ProcessSlot<BoardDefs>& BoardDefsSlot() {
    static platform::ProcessSlot<BoardDefs> slot;
    return slot;
}

int InstalledBoardLayoutCount() {
    std::shared_ptr<BoardDefs> defs = BoardDefsSlot().Get();
    return defs == nullptr ? 0 : defs->GetCount();
}

bool BoardDefs::Fail(const std::string& text) {
    if (mErrorText.empty())
        mErrorText = text;
    return false;
}

bool BoardDefs::Load(const std::string& path) {
    Kavo::Buffer buffer;
    if (Kavo::KavoAppBase* app = Kavo::gAppBase)
        app->LoadFileToBuffer(path, buffer);
    return Read(buffer);
}

bool BoardDefs::Read(Kavo::Buffer& buffer) {
    mLayouts.clear();
    const std::uint32_t count = static_cast<std::uint32_t>(buffer.ReadLong());
    bool whole = true;
    for (std::uint32_t i = 0; i < count && RemainingBytes(buffer) > 0; ++i) {
        if (!ReadLayout(buffer, mLayouts.emplace_back()) && whole) {
            whole = false;
            Fail("The board layout file is cut inside layout " + std::to_string(i));
        }
    }
    if (!whole)
        return false;
    if (mLayouts.size() < count)
        return Fail("The board layout file holds " + std::to_string(mLayouts.size()) + " of " + std::to_string(count) +
                    " layouts");
    return true;
}

bool BoardDefs::ReadLayout(Kavo::Buffer& buffer, BoardLayout& layout) {
    LayoutReader reader(buffer);
    for (LayoutCell& cell : layout.mCells)
        cell.mValue = reader.Byte();
    for (LayoutCell& cell : layout.mCells)
        reader.EdgeList(cell.mOutEdges);
    for (LayoutCell& cell : layout.mCells)
        reader.EdgeList(cell.mInEdges);
    for (LayoutCell& cell : layout.mCells) {
        const int chain = reader.Byte();
        cell.mChain = std::min(chain & 0x0F, 3);
        cell.mChainStyle = std::min(chain >> 4, 1);
    }
    return reader.Whole();
}

const BoardLayout* BoardDefs::GetLayout(int index) const {
    if (index < 0 || index >= GetCount())
        return nullptr;
    return &mLayouts[static_cast<size_t>(index)];
}

} // namespace Game
