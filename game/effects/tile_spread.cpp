#include "game/effects/tile_spread.h"

#include "framework/graphics/graphics.h"
#include "framework/graphics/image.h"
#include "game/board/board_tiles.h"
#include "game/effects/effect_draw.h"
#include "game/effects/effect_fade.h"
#include "game/effects/effect_random.h"

#include <algorithm>

namespace Game {

namespace {

size_t CellIndex(int column, int row) {
    return static_cast<size_t>(row * kBoardColumns + column);
}

// One axis toward its target; true once there (or past it).
bool MoveAxis(float& position, int& direction, float target, float distance) {
    if (direction == 0)
        return true;
    position += static_cast<float>(direction) * distance;
    if ((direction > 0 && position >= target) || (direction < 0 && position <= target)) {
        position = target;
        direction = 0;
    }
    return direction == 0;
}

} // namespace

TileSpread::TileSpread(const BoardTiles& tiles) : mTiles(tiles) {
    const int columnEnd = std::min(tiles.mColStart + tiles.mWidth, kBoardColumns);
    const int rowEnd = std::min(tiles.mRowStart + tiles.mHeight, kBoardRows);
    auto exists = [&](int column, int row) {
        return column >= std::max(tiles.mColStart, 0) && column < columnEnd && row >= std::max(tiles.mRowStart, 0) &&
               row < rowEnd && tiles.Tile(column, row).mExists;
    };
    const int middleRow = tiles.mRowStart + tiles.mHeight / 2;
    const int middleColumn = tiles.mColStart + tiles.mWidth / 2;
    int startColumn = -1;
    int startRow = -1;
    for (int k = 0; startRow < 0 && k <= 2 * kBoardRows; ++k) {
        const int row = middleRow + (k % 2 == 0 ? -(k / 2) : (k + 1) / 2);
        for (int column = middleColumn; startRow < 0 && column < columnEnd; ++column)
            if (exists(column, row)) {
                startColumn = column;
                startRow = row;
            }
        for (int column = std::min(middleColumn, columnEnd) - 1; startRow < 0 && column >= 0; --column)
            if (exists(column, row)) {
                startColumn = column;
                startRow = row;
            }
    }
    if (startRow < 0)
        return;

    std::vector<bool> visited(kBoardCellCount, false);
    visited[CellIndex(startColumn, startRow)] = true;
    SpreadPiece* start = AddPiece(startColumn, startRow);
    start->mAlpha = 0;
    start->mActive = true;
    start->mX = start->mTargetX;
    start->mY = start->mTargetY;

    // Depth first over the tiles that exist.
    auto spread = [&](auto& self, SpreadPiece& parent) -> void {
        static constexpr int kSteps[4][2] = {{0, -1}, {0, 1}, {-1, 0}, {1, 0}};
        for (const auto& step : kSteps) {
            const int column = parent.mColumn + step[0];
            const int row = parent.mRow + step[1];
            if (!exists(column, row) || visited[CellIndex(column, row)])
                continue;
            visited[CellIndex(column, row)] = true;
            SpreadPiece* child = AddPiece(column, row);
            child->mX = parent.mTargetX;
            child->mY = parent.mTargetY;
            child->mDx = step[0];
            child->mDy = step[1];
            parent.mChildren.push_back(child);
        }
        ShuffleList(parent.mChildren);
        for (SpreadPiece* child : parent.mChildren)
            self(self, *child);
    };
    spread(spread, *start);
}

SpreadPiece* TileSpread::AddPiece(int column, int row) {
    auto piece = std::make_unique<SpreadPiece>();
    const BoardTile& tile = mTiles.Tile(column, row);
    piece->mColumn = column;
    piece->mRow = row;
    piece->mTargetX = static_cast<float>(mTiles.ColumnLeft(column));
    piece->mTargetY = static_cast<float>(mTiles.RowTop(row));
    // As the tile layer draws it: the whole first deep picture for no tile
    // layers left, else this cell's cel of the deeper one.
    piece->mImage = mTiles.mDeepImages[static_cast<size_t>(std::clamp(tile.mValue, 0, 2))];
    if (piece->mImage != nullptr && tile.mValue > 0) {
        const int celWidth = piece->mImage->GetWidth() / kBoardColumns;
        const int celHeight = piece->mImage->GetHeight() / kBoardRows;
        piece->mSourceRect = Kavo::IntRect(column * celWidth, row * celHeight, celWidth, celHeight);
    }
    mPieces.push_back(std::move(piece));
    return mPieces.back().get();
}

void TileSpread::Update() {
    bool done = true;
    for (auto& piece : mPieces) {
        if (piece->mActive)
            piece->mAlpha = FadeAlpha(piece->mAlpha, mAlphaStep);
        if (piece->HasOffset() || piece->mAlpha < kOpaqueAlpha)
            done = false;
    }
    mDone = done;
}

void TileSpread::Move(float t) {
    for (auto& piece : mPieces) {
        if (!piece->mActive || !piece->HasOffset())
            continue;
        const float distance = t * piece->mSpeed;
        MoveAxis(piece->mX, piece->mDx, piece->mTargetX, distance);
        MoveAxis(piece->mY, piece->mDy, piece->mTargetY, distance);
    }
    for (auto& piece : mPieces) {
        if (!piece->mActive || piece->HasOffset() || piece->mAlpha < kOpaqueAlpha)
            continue;
        ++mArrivals;
        if (!SndIsPlaying(mSound))
            mSound = SndPlayByName("cellmove");
        for (SpreadPiece* child : piece->mChildren)
            child->mActive = true;
    }
}

void TileSpread::Draw(Kavo::Graphics* g) {
    if (mDone)
        return;
    g->PushState();
    g->SetColorizeImages(true);
    for (auto& piece : mPieces) {
        if (!piece->mActive)
            continue;
        g->SetColor(WhiteWithAlpha(piece->mAlpha));
        DrawEffectImage(g, piece->mImage, piece->mX, piece->mY, piece->mSourceRect);
    }
    g->PopState();
}

} // namespace Game
