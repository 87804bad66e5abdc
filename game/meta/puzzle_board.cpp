#include "game/meta/puzzle_board.h"

#include "framework/app/kavo_app_base.h"
#include "framework/graphics/graphics.h"
#include "game/board/board_random.h"
#include "game/meta/puzzle_board_listener.h"
#include "game/ui/hardware_3d.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace Game {

namespace {

constexpr float kRadiansToDegrees = 57.29578f;
constexpr float kDegreesToRadians = 0.017453292f;
constexpr float kTurnStep = 0.05f;

int Sign(int v) {
    return (v > 0) - (v < 0);
}

// A turn counts as upright when it is a whole number of full turns, to the
// nearest degree (four quarter turns add up to a hair off -360).
bool IsUpright(float radians) {
    const long degrees = std::lround(radians * kRadiansToDegrees);
    return std::labs(degrees) % 360 == 0;
}

// An empty image of the kind the display draws fastest, or a plain one.
std::unique_ptr<Kavo::MemoryImage> NewTileImage() {
    if (Kavo::KavoAppBase* app = Kavo::gAppBase)
        return std::unique_ptr<Kavo::MemoryImage>(app->NewDisplayImage());
    return std::make_unique<Kavo::MemoryImage>();
}

// The piece's own picture with a black outline along its top and left edge
// (the outline is one pixel wider and higher than the piece).
std::unique_ptr<Kavo::MemoryImage> CutPiece(Kavo::Image* picture, const Kavo::IntRect& source) {
    std::unique_ptr<Kavo::MemoryImage> image = NewTileImage();
    image->Create(source.mWidth, source.mHeight);
    Kavo::Graphics g(image.get());
    g.DrawImage(picture, -source.mX, -source.mY);
    g.SetColor(Kavo::Color(0, 0, 0, 255));
    g.DrawRect(0, 0, source.mWidth, source.mHeight);
    return image;
}

} // namespace

void PuzzleBoard::Setup(Kavo::Image* picture, int rows, int cols, bool turning, bool shuffle) {
    mPicture = picture;
    mTurning = turning;
    mTiles.clear();
    mState = kIdle;
    mSelectedCol = mSelectedRow = mTargetCol = mTargetRow = mHoverCol = mHoverRow = -1;
    if (picture == nullptr || picture->mWidth < 1 || picture->mHeight < 1) {
        mRows = mCols = 1;
        mTileWidth = mTileHeight = 0;
        return;
    }
    mRows = std::clamp(rows, 1, picture->mHeight);
    mCols = std::clamp(cols, 1, picture->mWidth);
    mTileWidth = picture->mWidth / mCols;
    mTileHeight = picture->mHeight / mRows;
    const int count = mRows * mCols;
    mTiles.resize(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        PuzzleTile& tile = mTiles[static_cast<size_t>(i)];
        tile.mIndex = i;
        tile.mSource = Kavo::IntRect(mTileWidth * (i % mCols), mTileHeight * (i / mCols), mTileWidth, mTileHeight);
        tile.mImage = CutPiece(picture, tile.mSource);
        if (turning) {
            const float quarterTurns[4] = {0.0f, -90.0f, -180.0f, -270.0f};
            tile.mAngle = tile.mTargetAngle = quarterTurns[RandomIndex(4)] * kDegreesToRadians;
        }
    }
    Shuffle(shuffle);
}

void PuzzleBoard::Shuffle(bool shuffle) {
    if (shuffle && mTiles.size() < 3) {
        ShuffleList(mTiles);
        shuffle = false;
    }
    while (shuffle) {
        ShuffleList(mTiles);
        shuffle = IsSolved();
    }
    for (size_t i = 0; i < mTiles.size(); ++i)
        PlaceAtCell(mTiles[i], static_cast<int>(i));
}

bool PuzzleBoard::IsSolved() const {
    for (size_t i = 1; i < mTiles.size(); ++i)
        if (std::abs(mTiles[i].mIndex - mTiles[i - 1].mIndex) != 1)
            return false;
    if (mTurning)
        for (const PuzzleTile& tile : mTiles)
            if (!IsUpright(tile.mAngle) || !IsUpright(tile.mTargetAngle))
                return false;
    return true;
}

bool PuzzleBoard::CellAt(int x, int y, int& col, int& row) const {
    // Points left of or above the origin are off the board, also within
    // the first tile's width, where the division would round toward 0.
    if (mTiles.empty() || x < mOriginX || y < mOriginY)
        return false;
    col = (x - mOriginX) / mTileWidth;
    row = (y - mOriginY) / mTileHeight;
    return col < mCols && row < mRows;
}

bool PuzzleBoard::IsNeighbourOfSelected(int col, int row) const {
    if (mSelectedCol < 0)
        return false;
    const int dc = std::abs(col - mSelectedCol);
    const int dr = std::abs(row - mSelectedRow);
    return (dc == 1 && dr == 0) || (dc == 0 && dr == 1);
}

void PuzzleBoard::PlaceAtCell(PuzzleTile& tile, int i) {
    tile.mX = tile.mRestX = static_cast<float>((i % mCols) * mTileWidth + mOriginX);
    tile.mY = tile.mRestY = static_cast<float>((i / mCols) * mTileHeight + mOriginY);
}

void PuzzleBoard::SetHover(int x, int y) {
    if (!CellAt(x, y, mHoverCol, mHoverRow))
        mHoverCol = mHoverRow = -1;
}

void PuzzleBoard::Click(int x, int y, int button) {
    int col = 0;
    int row = 0;
    if (mState != kIdle || !CellAt(x, y, col, row) || !TileAt(col, row).mActive)
        return;
    ++mPresses;
    PuzzleTile& clicked = TileAt(col, row);
    if (button != 1) {
        if (mTurning)
            clicked.mTargetAngle = (clicked.mTargetAngle * kRadiansToDegrees - 90.0f) * kDegreesToRadians;
        return;
    }
    if (mSelectedCol < 0) {
        if (clicked.IsSliding())
            return;
        mSelectedCol = col;
        mSelectedRow = row;
        if (mListener != nullptr)
            mListener->OnFirstSelect();
        return;
    }
    if (IsNeighbourOfSelected(col, row)) {
        PuzzleTile& selected = TileAt(mSelectedCol, mSelectedRow);
        mTargetCol = col;
        mTargetRow = row;
        const int sx = Sign(mSelectedCol - col);
        const int sy = Sign(mSelectedRow - row);
        if (sx == 0)
            std::swap(selected.mRestY, clicked.mRestY);
        else
            std::swap(selected.mRestX, clicked.mRestX);
        selected.mDx = -sx;
        selected.mDy = -sy;
        clicked.mDx = sx;
        clicked.mDy = sy;
        mState = kSliding;
        if (mListener != nullptr)
            mListener->OnMoveStart();
        return;
    }
    mSelectedCol = col;
    mSelectedRow = row;
    if (mListener != nullptr)
        mListener->OnWrongPick();
}

void PuzzleBoard::Drag(int x, int y) {
    if (mSelectedCol < 0 || mState != kIdle || mPresses == 0)
        return;
    ++mDrags;
    int col = 0;
    int row = 0;
    if (CellAt(x, y, col, row) && IsNeighbourOfSelected(col, row)) {
        Click(x, y, 1);
        mPresses = 0;
    }
}

void PuzzleBoard::UpdateSlides(float dt) {
    for (size_t i = 0; i < mTiles.size(); ++i) {
        PuzzleTile& tile = mTiles[i];
        if (!tile.mActive || !tile.IsSliding())
            continue;
        tile.mX += static_cast<float>(tile.mDx) * tile.mSpeed * dt;
        tile.mY += static_cast<float>(tile.mDy) * tile.mSpeed * dt;
        const int position = static_cast<int>(i);
        if ((tile.mDy > 0 && tile.mY >= tile.mRestY) || (tile.mDy < 0 && tile.mY <= tile.mRestY)) {
            tile.mY = tile.mRestY;
            tile.mDy = 0;
            tile.mRestY = static_cast<float>((position / mCols) * mTileHeight + mOriginY);
        }
        if ((tile.mDx > 0 && tile.mX >= tile.mRestX) || (tile.mDx < 0 && tile.mX <= tile.mRestX)) {
            tile.mX = tile.mRestX;
            tile.mDx = 0;
            tile.mRestX = static_cast<float>((position % mCols) * mTileWidth + mOriginX);
        }
    }
}

void PuzzleBoard::Update() {
    ++mTicks;
    if (mState == kSliding)
        FinishMove();
    if (mState == kIdle) {
        Blink();
        Turn();
    }
}

void PuzzleBoard::FinishMove() {
    for (const PuzzleTile& tile : mTiles)
        if (tile.mActive && tile.IsSliding())
            return;
    const int a = mSelectedRow * mCols + mSelectedCol;
    const int b = mTargetRow * mCols + mTargetCol;
    std::swap(mTiles[static_cast<size_t>(a)], mTiles[static_cast<size_t>(b)]);
    PlaceAtCell(mTiles[static_cast<size_t>(a)], a);
    PlaceAtCell(mTiles[static_cast<size_t>(b)], b);
    mSelectedCol = mSelectedRow = mTargetCol = mTargetRow = mHoverCol = mHoverRow = -1;
    if (IsSolved())
        Solve();
    else
        mState = kIdle;
}

void PuzzleBoard::Blink() {
    if (mTicks % 2 != 0)
        return;
    mBlinkAlpha += static_cast<float>(mBlinkDirection * 5);
    if (mBlinkDirection > 0 && mBlinkAlpha >= 255.0f) {
        mBlinkAlpha = 255.0f;
        mBlinkDirection = -1;
    } else if (mBlinkDirection < 0 && mBlinkAlpha < 0.0f) {
        mBlinkAlpha = 0.0f;
        mBlinkDirection = 1;
    }
    mSelectionColor = Kavo::Color(5, 5, 186, static_cast<int>(mBlinkAlpha));
}

void PuzzleBoard::Turn() {
    bool reached = false;
    for (PuzzleTile& tile : mTiles) {
        if (!tile.mActive || !(tile.mAngle > tile.mTargetAngle))
            continue;
        tile.mAngle -= kTurnStep;
        if (tile.mAngle <= tile.mTargetAngle) {
            tile.mAngle = tile.mTargetAngle;
            reached = true;
        }
    }
    if (reached && IsSolved())
        Solve();
}

void PuzzleBoard::Solve() {
    mState = kSolved;
    if (mListener != nullptr)
        mListener->OnSolved();
}

void PuzzleBoard::Draw(Kavo::Graphics* g) {
    DrawShadows(g);
    for (PuzzleTile& tile : mTiles)
        if (tile.mActive && tile.mAngle == tile.mTargetAngle)
            DrawTile(g, tile);
    for (PuzzleTile& tile : mTiles)
        if (tile.mActive && tile.mAngle != tile.mTargetAngle)
            DrawTile(g, tile);
    if (mState != kIdle)
        return;
    if (mHoverCol >= 0 && (mHoverCol != mSelectedCol || mHoverRow != mSelectedRow))
        DrawFrame(g, mHoverCol, mHoverRow, Kavo::Color(127, 127, 127, 127));
    if (mSelectedCol >= 0)
        DrawFrame(g, mSelectedCol, mSelectedRow, mSelectionColor);
}

void PuzzleBoard::DrawShadows(Kavo::Graphics* g) {
    for (size_t i = 0; i < mTiles.size(); ++i) {
        const PuzzleTile& tile = mTiles[i];
        const int position = static_cast<int>(i);
        if (!tile.mActive || (position / mCols != mRows - 1 && position % mCols != mCols - 1))
            continue;
        const Kavo::IntRect dest(static_cast<int>(tile.mX) + 10, static_cast<int>(tile.mY) + 10, mTileWidth,
                                 mTileHeight);
        if (mShadow != nullptr && mPicture != nullptr) {
            // The part of the shadow picture that lies where the piece lies in
            // the postcard, scaled when the two differ in size.
            const Kavo::IntRect part(tile.mSource.mX * mShadow->mWidth / mPicture->mWidth,
                                     tile.mSource.mY * mShadow->mHeight / mPicture->mHeight,
                                     mTileWidth * mShadow->mWidth / mPicture->mWidth,
                                     mTileHeight * mShadow->mHeight / mPicture->mHeight);
            g->DrawImage(mShadow, dest, part);
        } else {
            g->SetColor(Kavo::Color(80, 80, 80, 200));
            g->FillRect(dest);
        }
    }
}

void PuzzleBoard::DrawTile(Kavo::Graphics* g, PuzzleTile& tile) {
    Kavo::Image* image = tile.mImage.get();
    const bool floats = UsesHardware3D();
    const float x = floats ? tile.mX : std::trunc(tile.mX);
    const float y = floats ? tile.mY : std::trunc(tile.mY);
    if (tile.mTargetAngle == 0.0f) {
        g->DrawImageF(image, x, y);
        return;
    }
    g->DrawImageRotatedF(image, x, y, tile.mAngle, static_cast<float>(mTileWidth) / 2.0f,
                         static_cast<float>(mTileHeight) / 2.0f);
}

void PuzzleBoard::DrawFrame(Kavo::Graphics* g, int col, int row, const Kavo::Color& color) {
    const PuzzleTile& tile = TileAt(col, row);
    g->SetColor(color);
    if (tile.mAngle == tile.mTargetAngle) {
        g->DrawRect(static_cast<int>(tile.mX), static_cast<int>(tile.mY), mTileWidth, mTileHeight);
        return;
    }
    // A turning tile's frame turns with it about the tile's centre.
    const float cx = tile.mX + static_cast<float>(mTileWidth) / 2.0f;
    const float cy = tile.mY + static_cast<float>(mTileHeight) / 2.0f;
    const float hw = static_cast<float>(mTileWidth) / 2.0f;
    const float hh = static_cast<float>(mTileHeight) / 2.0f;
    const float c = std::cos(tile.mAngle);
    const float s = std::sin(tile.mAngle);
    const float corners[4][2] = {{-hw, -hh}, {hw, -hh}, {hw, hh}, {-hw, hh}};
    int px[4];
    int py[4];
    for (int k = 0; k < 4; ++k) {
        px[k] = static_cast<int>(cx + corners[k][0] * c + corners[k][1] * s);
        py[k] = static_cast<int>(cy - corners[k][0] * s + corners[k][1] * c);
    }
    for (int k = 0; k < 4; ++k)
        g->DrawLine(px[k], py[k], px[(k + 1) % 4], py[(k + 1) % 4]);
}

} // namespace Game
