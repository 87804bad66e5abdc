#include "game/effects/blink_coll_effect.h"

#include "game/board/board.h"
#include "game/effects/effect_animation.h"
#include "game/ui/resource_ids.h"

#include <algorithm>
#include <array>

namespace Game {

namespace {

// The frame at which the next diagonal starts.
constexpr int kNextGroupFrame = 5;

} // namespace

BlinkCollEffect::BlinkCollEffect(const Board& board) {
    mTemplate.LoadFile("data/BlinkColl.anim");
    SetAnimationImage(mTemplate, IMAGE_CELLBLINK);

    std::array<std::array<bool, kBoardColumns>, kBoardRows> marked{};
    int maxColumn = -1;
    for (int row = std::max(board.mRowStart, 0); row < std::min(board.mRowStart + board.mHeight, kBoardRows); ++row)
        for (int column = std::max(board.mColStart, 0);
             column < std::min(board.mColStart + board.mWidth, kBoardColumns); ++column)
            if (board.Cell(column, row).mItem >= 0) {
                marked[row][column] = true;
                maxColumn = std::max(maxColumn, column);
            }

    auto take = [&](int row, int column, std::vector<int>& group) {
        if (!marked[row][column])
            return;
        marked[row][column] = false;
        group.push_back(row * kBoardColumns + column);
    };
    // Diagonals that start on the top row, top to bottom: at least those
    // that do not reach the bottom row, which the second pass covers, so
    // that a board narrower than it is high blinks whole.
    for (int c = 0; c <= std::max(maxColumn, kBoardRows - 2); ++c) {
        std::vector<int> group;
        for (int r = 0; r < kBoardRows && c - r >= 0; ++r)
            take(r, c - r, group);
        if (!group.empty())
            mCellGroups.push_back(std::move(group));
    }
    // Those that start on the bottom row, bottom to top, in ascending order.
    std::vector<std::vector<int>> later;
    for (int s = kBoardColumns - 1; s >= 0; --s) {
        std::vector<int> group;
        for (int k = 0; k < kBoardRows && s + k < kBoardColumns; ++k)
            take(kBoardRows - 1 - k, s + k, group);
        if (!group.empty())
            later.push_back(std::move(group));
    }
    std::reverse(later.begin(), later.end());
    for (auto& group : later)
        mCellGroups.push_back(std::move(group));

    for (const std::vector<int>& group : mCellGroups) {
        std::vector<std::unique_ptr<Animation>> animations;
        for (int index : group) {
            const BoardCell& cell = board.mCells[static_cast<size_t>(index)];
            auto animation = std::make_unique<Animation>();
            animation->Assign(mTemplate);
            animation->SetPosition(cell.mTargetX, cell.mTargetY);
            animations.push_back(std::move(animation));
        }
        mAnimGroups.push_back(std::move(animations));
    }
    if (mAnimGroups.empty()) {
        mDone = true;
        return;
    }
    for (auto& animation : mAnimGroups[0])
        animation->Restart();
}

bool BlinkCollEffect::IsGroupFinished(size_t group) {
    return std::all_of(mAnimGroups[group].begin(), mAnimGroups[group].end(),
                       [](const std::unique_ptr<Animation>& a) { return IsAnimationFinished(*a) || a->IsHeld(); });
}

void BlinkCollEffect::Update() {
    if (mDone)
        return;
    const int last = static_cast<int>(mAnimGroups.size()) - 1;
    bool allFinished = true;
    bool atNextFrame = true;
    for (auto& animation : mAnimGroups[static_cast<size_t>(mCurrent)]) {
        animation->Update();
        allFinished = allFinished && IsAnimationFinished(*animation);
        atNextFrame = atNextFrame && animation->mCurrentFrame == kNextGroupFrame;
    }
    // The last group may be the current one or, with an even count, the
    // next one that played beside it (or never started: its animation is
    // too short to reach the frame that starts it).
    mDone = allFinished && (mCurrent == last || (mCurrent + 1 == last && IsGroupFinished(static_cast<size_t>(last))));
    if (mDone)
        return;
    if (allFinished && mCurrent + 2 <= last) {
        mCurrent += 2;
        for (auto& animation : mAnimGroups[static_cast<size_t>(mCurrent)])
            animation->Restart();
    }
    if (atNextFrame) {
        mNext = mCurrent + 1;
        if (mNext <= last)
            for (auto& animation : mAnimGroups[static_cast<size_t>(mNext)])
                if (!animation->IsRunning())
                    animation->Restart();
    }
    if (mNext > 0 && mNext <= last)
        for (auto& animation : mAnimGroups[static_cast<size_t>(mNext)])
            animation->Update();
}

void BlinkCollEffect::DrawGroup(Kavo::Graphics* g, size_t group) {
    for (auto& animation : mAnimGroups[group])
        animation->Draw(g);
}

void BlinkCollEffect::Draw(Kavo::Graphics* g) {
    if (mDone)
        return;
    DrawGroup(g, static_cast<size_t>(mCurrent));
    if (mNext != 0 && mNext < static_cast<int>(mAnimGroups.size()))
        DrawGroup(g, static_cast<size_t>(mNext));
}

} // namespace Game
