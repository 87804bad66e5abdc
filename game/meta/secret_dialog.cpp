#include "game/meta/secret_dialog.h"

#include <algorithm>
#include <cmath>

#include "framework/app/kavo_app_base.h"
#include "framework/graphics/graphics.h"
#include "framework/graphics/image.h"
#include "game/board/board_random.h"
#include "game/effects/anim_effect.h"
#include "game/effects/flyer.h"
#include "game/effects/particle_system.h"
#include "game/ui/resource_ids.h"
#include "game/ui/ui_sound.h"

namespace Game {

namespace {

constexpr int kPuppyEvery = 500;
constexpr int kCompleteWait = 100;

void WindowSize(int32_t& width, int32_t& height) {
    Kavo::KavoAppBase* app = Kavo::gAppBase;
    width = app != nullptr ? app->GetWidth() : 1024;
    height = app != nullptr ? app->GetHeight() : 768;
}

int ImageWidth(const ImageSprite& sprite) {
    return sprite.GetImage() != nullptr ? sprite.GetImage()->GetWidth() : 0;
}

int ImageHeight(const ImageSprite& sprite) {
    return sprite.GetImage() != nullptr ? sprite.GetImage()->GetHeight() : 0;
}

// Puts the sprite's image with its centre at (x, y).
void CentreSprite(ImageSprite& sprite, float x, float y) {
    sprite.mX = x - static_cast<float>(ImageWidth(sprite) / 2);
    sprite.mY = y - static_cast<float>(ImageHeight(sprite) / 2);
}

} // namespace

SecretDialog::SecretDialog(int found, const std::string& mapName, float x, float y, const std::string& layoutPath)
    : LayoutDialog(layoutPath, kDialogId, true) {
    auto maps = SecretMapsSlot().Get();
    if (const SecretMapEntry* entry = maps != nullptr ? maps->FindByName(mapName) : nullptr) {
        mHasMap = true;
        mMap = *entry;
    }
    const int pieces = mMap.GetPieceCount();
    mFound = std::clamp(found, 0, pieces);
    mComplete = pieces > 0 && mFound == pieces;
    mNewest = mFound - 1;
    mStart = {x, y};
    BuildSprites();
    PlayUiSound("postcardpartfound", false);
    mState = mNewest >= 0 ? kFlyingFirstHalf : kPlaced;
    PlaceFlight();
}

SecretDialog::~SecretDialog() = default;

void SecretDialog::BuildSprites() {
    mFrame.LoadImage(mMap.mFrame);
    CentreSprite(mFrame, mMap.mX, mMap.mY);
    for (const SecretMapItem& item : mMap.mItems) {
        auto sprite = std::make_unique<ImageSprite>();
        sprite->LoadImage(item.mName);
        CentreSprite(*sprite, mMap.mX + item.mX, mMap.mY + item.mY);
        mPieces.push_back(std::move(sprite));
    }
    if (mComplete) {
        mCompletePostcard.LoadImage(mMap.mMap);
        CentreSprite(mCompletePostcard, mMap.mX, mMap.mY);
    }
    mText.SetImage(IMAGE_SECRETPART_TEXT);
    if (auto point = GetLayout()->GetDesc("Text")) {
        mText.mX = static_cast<float>(point->x);
        mText.mY = static_cast<float>(point->y);
    }

    Kavo::Image* newest = mNewest >= 0 ? mPieces[static_cast<size_t>(mNewest)]->GetImage() : nullptr;
    SetAnimationImage(mFlyingPiece, "data/empty.anim", newest);
    SetAnimationImage(mGlow1, "data/empty1.anim", IMAGE_GLOW);
    SetAnimationImage(mGlow2, "data/empty1.anim", IMAGE_GLOW);

    int32_t width = 0;
    int32_t height = 0;
    WindowSize(width, height);
    mDog.LoadImage("images/dog");
    mDog.mX = static_cast<float>(width - ImageWidth(mDog));
    mDog.mY = static_cast<float>(height - ImageHeight(mDog));
    mDogEye.LoadImage("images/dogeye");
    const LayoutPoint eye = GetLayout()->GetDesc("DogEye").value_or(LayoutPoint{});
    mDogEye.SetPosition(static_cast<int>(mDog.mX) + eye.x, static_cast<int>(mDog.mY) + eye.y);
    mDogEye.SetFrames({500, 400, 300, 500});
}

void SecretDialog::SetAnimationImage(Animation& animation, const std::string& file, Kavo::Image* image) {
    animation.LoadFile(file);
    ShowImageInAnimation(animation, image, WholeImageRect(image));
    animation.Restart();
}

float SecretDialog::Distance(FlyPoint a, FlyPoint b) {
    return std::hypot(b.x - a.x, b.y - a.y);
}

void SecretDialog::PlaceFlight() {
    if (mNewest < 0)
        return;
    const SecretMapItem& item = mMap.mItems[static_cast<size_t>(mNewest)];
    mTarget = {mMap.mX + item.mX, mMap.mY + item.mY};
    mTotalDistance = Distance(mStart, mTarget);
    // A piece found almost on its spot still makes a visible flight.
    if (mTotalDistance < kShortFlight) {
        mStart = {mStart.x + kShortFlightShift, mStart.y + kShortFlightShift};
        mTotalDistance = Distance(mStart, mTarget);
    }
    mCurrent = mStart;
    mFlyingPiece.SetPosition(mCurrent.x, mCurrent.y);
    mSpeed = mTotalDistance * 0.01f;
}

void SecretDialog::UpdateF(float step) {
    LayoutDialog::UpdateF(step);
    if (mState == kFlyingFirstHalf || mState == kFlyingSecondHalf) {
        const FlyPoint d = Normalize2D(mTarget.x - mCurrent.x, mTarget.y - mCurrent.y);
        mCurrent = {mCurrent.x + d.x * mSpeed, mCurrent.y + d.y * mSpeed};
        mPieceAngle += mAngleStep;
        mGlowAngle2 -= (mState == kFlyingFirstHalf ? 0.25f : 0.2f) * mAngleStep;
        mFlyingPiece.mScale = mPieceScale;
        mFlyingPiece.mAngle = mPieceAngle;
        mFlyingPiece.SetPosition(mCurrent.x, mCurrent.y);
        mGlow1.mScale = mGlowScale1;
        mGlow1.mAngle = mPieceAngle + mAngleStep * 0.5f;
        mGlow1.SetPosition(mCurrent.x, mCurrent.y);
        mGlow2.mScale = mGlowScale2;
        mGlow2.mAngle = mGlowAngle2;
        mGlow2.SetPosition(mCurrent.x, mCurrent.y);
        for (Animation* animation : {&mFlyingPiece, &mGlow1, &mGlow2})
            animation->Update(step);
        const float flown = Distance(mStart, mCurrent);
        if (mState == kFlyingFirstHalf && flown >= mTotalDistance * 0.5f)
            mState = kFlyingSecondHalf;
        else if (mState == kFlyingSecondHalf && flown >= mTotalDistance)
            EndFlight();
    }
    if (mBurst != nullptr) {
        mBurst->Update(step);
        if (mBurst->IsDone())
            mBurst.reset();
    }
}

void SecretDialog::EndFlight() {
    const SecretMapItem& item = mMap.mItems[static_cast<size_t>(mNewest)];
    mFlashImage.Load(item.mGlowName);
    mFlash = std::make_unique<AnimEffect>(static_cast<int>(item.mExtraX), static_cast<int>(item.mExtraY),
                                          mFlashImage.Get(), 0, 50, true, 1);
    if (mComplete) {
        mState = kCompleteWaiting;
        mWaitUpdates = 0;
    } else {
        mState = kPlaced;
    }
}

void SecretDialog::Update() {
    LayoutDialog::Update();
    if (++mUpdates % kPuppyEvery == 0)
        PlayUiSound(RandomIndex(2) == 0 ? "puppy" : "puppy2", false);
    if (mState == kFlyingFirstHalf) {
        mPieceScale += 0.009f;
        mGlowScale1 += mGlowStep1;
        if (mGlowScale1 < 0.7f || mGlowScale1 > 0.9f)
            mGlowStep1 = -mGlowStep1;
        mGlowScale2 += 0.01f;
        for (Animation* animation : {&mFlyingPiece, &mGlow1, &mGlow2})
            animation->Update();
    } else if (mState == kFlyingSecondHalf) {
        if (mPieceScale > 1.0f)
            mPieceScale -= 0.002f;
        mGlowScale1 -= 0.008f;
        mGlowScale2 -= 0.008f;
        for (Animation* animation : {&mFlyingPiece, &mGlow1, &mGlow2})
            animation->Update();
    } else if (mState == kCompleteWaiting && ++mWaitUpdates >= kCompleteWait) {
        PlayUiSound("postcartcomplete", false);
        mBurst = std::make_unique<ParticleSystem>("particles/mapready.ini", 50.0f);
        mBurst->MoveTo(mTarget.x, mTarget.y);
        mState = kCompleteShown;
    }
    mDogEye.Step();
    if (mFlash != nullptr) {
        mFlash->Update();
        if (mFlash->IsDone())
            mFlash.reset();
    }
}

void SecretDialog::DrawPieces(Kavo::Graphics* g, int count) {
    for (int i = 0; i < count && i < static_cast<int>(mPieces.size()); ++i)
        mPieces[static_cast<size_t>(i)]->Draw(g, 255.0f);
}

void SecretDialog::Draw(Kavo::Graphics* g) {
    int32_t width = 0;
    int32_t height = 0;
    WindowSize(width, height);
    g->SetClipRect(-mX, -mY, width, height);
    LayoutDialog::Draw(g);
    mText.Draw(g, 255.0f);
    // The rest lies at screen positions.
    g->PushState();
    g->mTransX = 0;
    g->mTransY = 0;
    mDog.Draw(g, 255.0f);
    switch (mState) {
    case kFlyingFirstHalf:
    case kFlyingSecondHalf:
        DrawPieces(g, mNewest);
        if (mFlash != nullptr)
            mFlash->Draw(g);
        mFrame.Draw(g, 255.0f);
        mGlow1.DrawOverlay(g);
        mGlow2.DrawOverlay(g);
        mFlyingPiece.DrawOverlay(g);
        break;
    case kCompleteWaiting:
    case kPlaced:
        DrawPieces(g, mFound);
        if (mFlash != nullptr)
            mFlash->Draw(g);
        mFrame.Draw(g, 255.0f);
        break;
    case kCompleteShown:
        mCompletePostcard.Draw(g, 255.0f);
        break;
    }
    if (mBurst != nullptr)
        mBurst->Draw(g);
    mDogEye.Draw(g);
    g->PopState();
}

void SecretDialog::ButtonDepress(int32_t buttonId) {
    if (buttonId == -1)
        return;
    PlayUiSound("MouseDown", true);
    if (buttonId != kCloseButton)
        return;
    mResult = kClosedResult;
    if (mDialogListener != nullptr)
        mDialogListener->DialogButtonRelease(mId, kCloseButton);
}

} // namespace Game
