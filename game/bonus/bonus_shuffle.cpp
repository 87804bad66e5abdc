#include "game/bonus/bonus_shuffle.h"

#include "framework/graphics/image.h"
#include "game/board/board.h"
#include "game/board/board_random.h"
#include "game/bonus/bonus_identity.h"
#include "game/bonus/bonus_tweakables.h"
#include "game/effects/effect_draw.h"
#include "game/effects/effect_random.h"
#include "game/effects/flyer.h"
#include "game/effects/particle.h"
#include "game/effects/trajectories.h"
#include "game/ui/resource_ids.h"

#include <algorithm>
#include <cmath>

namespace Game {

namespace {

constexpr int kSparksPerBurst = 5;

} // namespace

BonusShuffle::BonusShuffle(IniDocument* settings) : Bonus(settings) {
    ApplyBonusIdentity(*this, kBonusShuffle, settings);
    mBlender.LoadFile(kBlenderFile);
}

BonusShuffle::~BonusShuffle() = default;

void BonusShuffle::OnCharged() {
    mBlender.SetPosition(mX, mY);
    mBlender.Restart();
}

void BonusShuffle::Update() {
    if (mBlender.IsRunning())
        mBlender.Update();
    Bonus::Update();
}

void BonusShuffle::Draw(Kavo::Graphics* g) {
    if (mBlender.IsRunning()) {
        mBlender.SetColor(Kavo::Color(255, 255, 255, static_cast<int>(mAlpha)));
        mBlender.Draw(g);
    } else {
        Bonus::Draw(g);
    }
    for (auto& item : mFlyingItems) {
        item->mAlpha = mAlpha;
        item->Draw(g);
    }
    // Without 3D hardware a third of the sparks is enough.
    const size_t stride = static_cast<size_t>(ParticleDrawStride(3));
    for (size_t i = 0; i < mSparks.size(); i += stride)
        mSparks[i]->Draw(g, mAlpha);
}

void BonusShuffle::Use(int x, int y) {
    mState = kUsed;
    mPercent = 0;
    mCharge = 0;
    if (mListener != nullptr)
        mListener->OnBonusTaken(mIndex, &mListenerRecord, x, y, 0);
    mFlyingItems.clear();
    if (mBoard != nullptr) {
        for (const ShufflePair& pair : mBoard->mShuffle) {
            const float dx = static_cast<float>((pair.mC2 - pair.mC1) * kCellSize);
            const float dy = static_cast<float>((pair.mR2 - pair.mR1) * kCellSize);
            const float bow = 0.1f * std::sqrt(dx * dx + dy * dy);
            FlyItem(pair.mC1, pair.mR1, pair.mC2, pair.mR2, bow);
            FlyItem(pair.mC2, pair.mR2, pair.mC1, pair.mR1, -bow);
        }
    }
    mShowCounter = 0;
}

void BonusShuffle::FlyItem(int c1, int r1, int c2, int r2, float bow) {
    if (!Board::IsInGrid(c1, r1) || !Board::IsInGrid(c2, r2))
        return;
    const BoardCell& cell = mBoard->Cell(c1, r1);
    if (cell.mItem < 0 || cell.mChain != 0)
        return;
    auto path = Trajectories::MakeArc(mBoard->ColumnToX(c1, true), mBoard->RowToY(r1, true),
                                      mBoard->ColumnToX(c2, true), mBoard->RowToY(r2, true), bow);
    const float length = path->mTotalLength;
    auto item = std::make_unique<PathAnimation>(std::move(path), length);
    item->LoadFile(kItemAnimFile);
    Kavo::Image* picture = cell.mItemSprite.GetImage();
    ShowImageInAnimation(*item, picture, WholeImageRect(picture));
    item->Restart();
    mFlyingItems.push_back(std::move(item));
}

void BonusShuffle::StartSparks(float x, float y) {
    Kavo::Image* rings = IMAGE_SHUFFLE_RINGS;
    const SparkRecipe recipe = ShuffleSparkRecipe();
    for (int i = 0; i < kSparksPerBurst; ++i) {
        const float angle = DegreesToRadians(static_cast<float>(RandomAngleDegrees()));
        const Kavo::IntRect source =
            rings != nullptr ? rings->GetCelRect(RandomModulo(rings->mNumCols)) : Kavo::IntRect();
        const float sparkX = x + static_cast<float>(RandomInt(-20, 20));
        const float sparkY = y + static_cast<float>(RandomInt(-20, 20));
        mSparks.push_back(MakeRectSpark(recipe, rings, source, sparkX, sparkY, angle));
    }
}

void BonusShuffle::UpdateF(float fraction) {
    if (mState != kUsed)
        return;
    ++mShowCounter;
    bool flying = false;
    for (size_t i = 0; i < mFlyingItems.size(); ++i) {
        PathAnimation& item = *mFlyingItems[i];
        if (item.IsFinished())
            continue;
        item.Update(fraction);
        if (item.IsFinished())
            continue;
        flying = true;
        if (i % 5 == 0 && mShowCounter % 20 == 0)
            StartSparks(item.mX, item.mY);
    }
    for (auto& spark : mSparks)
        spark->Update(fraction);
    std::erase_if(mSparks, [](const std::unique_ptr<RectParticle>& spark) { return spark->IsDone(); });
    if (flying || !mSparks.empty())
        return;
    Reset();
    if (mListener != nullptr)
        mListener->OnBonusApply(mIndex);
    mFlyingItems.clear();
}

} // namespace Game
