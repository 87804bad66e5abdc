#include "game/board/board_tiles.h"

#include "framework/app/kavo_app_base.h"
#include "framework/graphics/graphics.h"
#include "game/board/board.h"
#include "game/board/board_tiles_listener.h"
#include "game/ui/resource_ids.h"

#include <algorithm>

namespace Game {

namespace {

constexpr float kSlideSpeed = 4.0f;
// The game area's height, for a layer leaving with no application around.
constexpr int kDefaultWindowHeight = 768;

int WindowHeight() {
    if (Kavo::KavoAppBase* app = Kavo::gAppBase)
        return app->GetHeight();
    return kDefaultWindowHeight;
}

} // namespace

BoardTiles::BoardTiles() : mDeepImages{IMAGE_DEEP0, IMAGE_DEEP1, IMAGE_DEEP2} {
    Reset();
}

void BoardTiles::SetOrigin(float x, float y) {
    mOriginX = mHomeX = x;
    mOriginY = mHomeY = y;
    for (int row = 0; row < kBoardRows; ++row) {
        for (int column = 0; column < kBoardColumns; ++column) {
            BoardTile& tile = Tile(column, row);
            tile.mPixelX = ColumnLeft(column);
            tile.mPixelY = RowTop(row);
            tile.mSpeed = kSlideSpeed;
        }
    }
}

void BoardTiles::Reset() {
    for (int row = 0; row < kBoardRows; ++row) {
        for (int column = 0; column < kBoardColumns; ++column) {
            BoardTile& tile = Tile(column, row);
            tile = BoardTile();
            tile.mPixelX = ColumnLeft(column);
            tile.mPixelY = RowTop(row);
            tile.mX = static_cast<float>(tile.mPixelX);
            tile.mY = static_cast<float>(tile.mPixelY);
        }
    }
}

void BoardTiles::SetLevel(const BoardLayout& layout) {
    Reset();
    for (size_t i = 0; i < mTiles.size(); ++i) {
        const LayoutCell& cell = layout.mCells[i];
        BoardTile& tile = mTiles[i];
        tile.mValue = cell.mValue & 15;
        tile.mExists = tile.mValue > 0;
        tile.mOutEdges = cell.mOutEdges;
        tile.mInEdges = cell.mInEdges;
    }
    mOriginX = mHomeX;
    mOriginY = mHomeY;
}

void BoardTiles::Update(float dt) {
    const float step = kSlideSpeed * dt;
    if (mState == kTilesArriving) {
        mOriginY += step;
        if (mOriginY >= mHomeY) {
            mOriginY = mHomeY;
            mState = kTilesInPlace;
            if (mListener != nullptr)
                mListener->OnTilesSpread();
        }
    } else if (mState == kTilesLeaving) {
        mOriginY += step;
        if (mOriginY >= static_cast<float>(WindowHeight() + 1)) {
            mState = kTilesHidden;
            if (mListener != nullptr)
                mListener->OnTilesGone();
        }
    }
}

void BoardTiles::Draw(Kavo::Graphics* g) const {
    if (!mVisible)
        return;
    g->PushState();
    g->SetColorizeImages(mAlpha != 255.0f);
    g->SetColor(Kavo::Color(255, 255, 255, static_cast<int>(mAlpha)));
    const int columnEnd = std::min(mColStart + mWidth, kBoardColumns);
    const int rowEnd = std::min(mRowStart + mHeight, kBoardRows);
    for (int row = std::max(mRowStart, 0); row < rowEnd; ++row) {
        for (int column = std::max(mColStart, 0); column < columnEnd; ++column) {
            const BoardTile& tile = Tile(column, row);
            if (!tile.mExists)
                continue;
            const int x = ColumnLeft(column);
            const int y = RowTop(row);
            // Values above 2 have no picture of their own: they show as 2.
            Kavo::Image* image = mDeepImages[static_cast<size_t>(std::clamp(tile.mValue, 0, 2))];
            if (image == nullptr)
                continue;
            if (tile.mValue <= 0) {
                g->DrawImage(image, x, y);
                continue;
            }
            // One large picture cut into the grid's cels gives the tile pattern.
            const int celWidth = image->GetWidth() / kBoardColumns;
            const int celHeight = image->GetHeight() / kBoardRows;
            g->DrawImage(image, x, y, Kavo::IntRect(column * celWidth, row * celHeight, celWidth, celHeight));
        }
    }
    g->PopState();
}

int BoardTiles::ColumnToX(int column, bool centre) const {
    const float x = static_cast<float>(column * kCellSize) + mOriginX;
    return static_cast<int>(centre ? x + kCellSize / 2.0f : x);
}

int BoardTiles::RowToY(int row, bool centre) const {
    const float y = static_cast<float>(row * kCellSize) + mOriginY;
    return static_cast<int>(centre ? y + kCellSize / 2.0f : y);
}

} // namespace Game
