#include "game/screens/board_screen.h"

#include "framework/app/kavo_app_base.h"
#include "framework/graphics/image.h"
#include "framework/widget/hyperlink_widget.h"
#include "framework/widget/widget_flags.h"
#include "game/app/game_app.h"
#include "game/app/sound_facade.h"
#include "game/board/bonus.h"
#include "game/board/bonus_registry.h"
#include "game/bonus/targeting_bonus.h"
#include "game/effects/item_fade_list.h"
#include "game/effects/reshuffle_effect.h"
#include "game/screens/board_effect_maker.h"
#include "game/screens/fade_overlay.h"
#include "game/screens/game_board_effects.h"
#include "game/ui/resource_ids.h"
#include "game/ui/tip_window.h"
#include "game/ui/user_manager.h"

namespace Game {

namespace {

// The point of a layout item; (0, 0) when the layout lacks it.
LayoutPoint PointOf(const Layout& layout, const char* name) {
    return layout.GetPoint(name).value_or(LayoutPoint{});
}

void PlaceSprite(ImageSprite& sprite, const LayoutPoint& point, Kavo::Image* image) {
    sprite.SetImage(image);
    sprite.mX = static_cast<float>(point.x);
    sprite.mY = static_cast<float>(point.y);
}

} // namespace

BoardScreen::BoardScreen(BoardScreenHooks hooks) : GameDialog(kId, false), mHooks(std::move(hooks)) {
    // The board moves on every update, under the dialogs it opens too (its
    // own pause count holds it), and is painted again after each.
    mWidgetFlagsMod.mAddFlags |= Kavo::WIDGETFLAGS_UPDATE | Kavo::WIDGETFLAGS_MARK_DIRTY;
    if (!mHooks.mEffects)
        mHooks.mEffects = std::make_shared<GameBoardEffects>();
    mLayout = std::make_unique<Layout>(kLayoutFile, this);
    ReadControls();

    mTimerPoint = PointOf(*mLayout, "Timer");
    mTimer.SetPosition(static_cast<float>(mTimerPoint.x), static_cast<float>(mTimerPoint.y));
    mTimer.mListener = this;

    const LayoutPoint bonuses = PointOf(*mLayout, "Bonuses");
    PlaceSprite(mPlate, bonuses, IMAGE_MAIN_PLASHKA);
    PlaceSprite(mPlateTop, PointOf(*mLayout, "PlashkaTop"), IMAGE_MAIN_PLASHKATOP);
    const char* goalPlaces[3] = {"PlaceStuff", "PlaceFood", "PlaceDrink"};
    for (int i = 0; i < 3; ++i) {
        ImageSprite& icon = mGoalIcons[static_cast<size_t>(i)];
        PlaceSprite(icon, PointOf(*mLayout, goalPlaces[i]), IMAGE_ICON_ITEMS);
        if (Kavo::Image* image = icon.GetImage())
            icon.mSourceRect = image->GetCelRect(i, 0);
    }

    mRewardXY = PointOf(*mLayout, "RewardXY");
    mBoard.mListener = this;
    mTiles.mListener = this;
    mBoard.SetOrigin(kBoardX, kBoardY);
    mTiles.SetOrigin(static_cast<float>(kBoardX), static_cast<float>(kBoardY));

    if (mHooks.mMakeBonuses) {
        if (auto registry = BonusRegistrySlot().Get())
            mHooks.mMakeBonuses(*registry);
    }
    PlaceBonuses();

    const LayoutPoint goalBars = PointOf(*mLayout, "StuffValues");
    PlaceGoalBars(static_cast<float>(goalBars.x), static_cast<float>(goalBars.y));
    mTimerRect = Kavo::IntRect(mTimerPoint.x, mTimerPoint.y, goalBars.x + 10, goalBars.y + 10);
    mRemoveItems = PointOf(*mLayout, "RemoveItems");
    mX2Start = PointOf(*mLayout, "X2Start");
    mX2End = PointOf(*mLayout, "X2End");
    PlaceSprite(mSpecialIcon, PointOf(*mLayout, "BonusIndex"), nullptr);
    mSpecialIconValid = true;

    const LayoutPoint room = PointOf(*mLayout, "RoomValue");
    const LayoutPoint menu = PointOf(*mLayout, "MenuValue");
    mRoomBar.mX = static_cast<float>(room.x);
    mRoomBar.mY = static_cast<float>(room.y);
    mMenuBar.mX = static_cast<float>(menu.x);
    mMenuBar.mY = static_cast<float>(menu.y);
    if (Kavo::Image* rating = IMAGE_PROGRESSBARRATING) {
        mRoomBar.SetImage(rating, rating->GetCelRect(0, 0));
        mMenuBar.SetImage(rating, rating->GetCelRect(1, 0));
    }
    // Fractions of a whole, a hundredth a step.
    for (ProgressBar* bar : {&mRoomBar, &mMenuBar}) {
        bar->mMaximum = 1.0f;
        bar->mStep = 0.01f;
    }
    PlaceSprite(mRatingBack, PointOf(*mLayout, "RatingBack"), IMAGE_PROGRESSBARRATINGBACK);

    mPausedSprite.SetImage(IMAGE_PAUSED);
    mPausedSprite.mCentered = true;
    const int width = Kavo::gAppBase != nullptr ? Kavo::gAppBase->GetWidth() : 1024;
    const int height = Kavo::gAppBase != nullptr ? Kavo::gAppBase->GetHeight() : 768;
    mPausedSprite.mX = static_cast<float>(width / 2);
    mPausedSprite.mY = static_cast<float>(height / 2);
}

BoardScreen::~BoardScreen() {
    mTileSpread.reset();
    mHintMarker.reset();
    mTipArrow.reset();
    mFadeOverlay.reset();
    for (EffectList& list : mEffects)
        list.Clear();
    mLayout.reset();
}

void BoardScreen::ReadControls() {
    mMenuButton = mLayout->GetControl("Menu");
    mEyeLabel = mLayout->GetControl("EyeLbl");
    Kavo::HyperlinkWidget** fields[5] = {&mStuffLabel, &mFoodLabel, &mDrinkLabel, &mMoneyLabel, &mLevelLabel};
    const char* names[5] = {"StuffLbl", "FoodLbl", "DrinkLbl", "MoneyLbl", "LevelLbl"};
    for (int i = 0; i < 5; ++i) {
        *fields[i] = mLayout->GetControlAs<Kavo::HyperlinkWidget>(names[i]);
        // A label the layout lacks is left out.
        if (*fields[i] != nullptr)
            mLabels.push_back(*fields[i]);
    }
}

void BoardScreen::PlaceBonuses() {
    auto registry = BonusRegistrySlot().Get();
    if (registry == nullptr)
        return;
    const LayoutPoint origin = PointOf(*mLayout, "Bonuses");
    for (size_t i = 0; i < registry->GetCount(); ++i) {
        Bonus& bonus = *registry->Get(i);
        const int w = bonus.mImage != nullptr ? bonus.mImage->GetWidth() : static_cast<int>(bonus.mWidth);
        const int h = bonus.mImage != nullptr ? bonus.mImage->GetHeight() : static_cast<int>(bonus.mHeight);
        bonus.mX = static_cast<float>(origin.x + static_cast<int>(i) * kBonusPitch - w / 2 + 28);
        bonus.mY = static_cast<float>(origin.y - h / 2 + 11);
        bonus.mWidth = static_cast<float>(w);
        bonus.mHeight = static_cast<float>(h);
        bonus.mListener = this;
        for (Kavo::IntRect& rect : bonus.mCellRects)
            rect = Kavo::IntRect(0, 0, w, h);
        bonus.mEnabled = false;
        // The aiming bonuses read the board under the mouse and light their
        // targets in the list the knife, line break and recolour empty.
        if (auto* aiming = dynamic_cast<TargetingBonus*>(&bonus)) {
            aiming->mBoard = &mBoard;
            aiming->mHighlights = &mEffects[6];
        }
    }
}

BoardEffectMaker& BoardScreen::Effects() {
    return *mHooks.mEffects;
}

UserRecord* BoardScreen::Record() {
    UserManager* users = UserManager::GetInstance();
    return users != nullptr ? users->GetCurrentRecord() : nullptr;
}

void BoardScreen::ActiveCentre(float& x, float& y) const {
    const int column = mBoard.mColStart + mBoard.mWidth / 2;
    const int row = mBoard.mRowStart + mBoard.mHeight / 2;
    x = static_cast<float>(mBoard.ColumnToX(column, mBoard.mWidth % 2 != 0));
    y = static_cast<float>(mBoard.RowToY(row, mBoard.mHeight % 2 != 0));
}

void BoardScreen::SetShaded(bool on) {
    if (on && mPauseCount == 0) {
        OpenFadeOverlay(FadeOverlay::kPauseAlpha);
        mPauseCount = 1;
    } else if (!on && mPauseCount > 0) {
        CloseFadeOverlay();
        --mPauseCount;
    }
}

void BoardScreen::OpenFadeOverlay(float alpha) {
    mFadeOverlay = std::make_unique<FadeOverlay>(alpha);
    if (Kavo::gAppBase != nullptr) {
        mFadeOverlay->mWidth = Kavo::gAppBase->GetWidth();
        mFadeOverlay->mHeight = Kavo::gAppBase->GetHeight();
    }
}

void BoardScreen::CloseFadeOverlay() {
    if (mFadeOverlay != nullptr)
        mFadeOverlay->Close();
}

bool BoardScreen::HoldTimer() {
    const bool wasRunning = mTimer.mState == TimerDial::kMoving;
    if (wasRunning)
        mTimer.mState = TimerDial::kFinished;
    return wasRunning;
}

void BoardScreen::ReleaseTimer() {
    if (mTimer.mState == TimerDial::kFinished)
        mTimer.mState = TimerDial::kMoving;
}

bool BoardScreen::ClockHeld(int32_t closing) const {
    if (mSecretShown || mTimeFreeze != nullptr)
        return true;
    GameApp* app = gGameApp;
    if (app == nullptr)
        return false;
    for (const int32_t id :
         {TipWindow::kDialogId, int32_t{kBonusUnlockDialog}, int32_t{kSecretDialog}, int32_t{kPuzzleDialog}})
        if (id != closing && app->GetDialog(id) != nullptr)
            return true;
    return false;
}

void BoardScreen::ReleaseTimerIfFree(int32_t closing) {
    if (!ClockHeld(closing))
        ReleaseTimer();
}

void BoardScreen::OnLeave() {
    SndStopMusic(500);
}

} // namespace Game
