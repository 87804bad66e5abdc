#include "game/meta/shop_screen.h"

#include <algorithm>
#include <cstdio>

#include "framework/app/kavo_app_base.h"
#include "framework/graphics/graphics.h"
#include "framework/graphics/image.h"
#include "framework/util/string_util.h"
#include "framework/widget/hyperlink_widget.h"
#include "game/app/game_app.h"
#include "game/board/board_random.h"
#include "game/board/stage.h"
#include "game/effects/coin_effect.h"
#include "game/meta/secret_maps.h"
#include "game/meta/shop_screen_board.h"
#include "game/ui/resource_ids.h"
#include "game/ui/termins.h"
#include "game/ui/tip_window.h"
#include "game/ui/ui_sound.h"
#include "game/ui/user_manager.h"

namespace Game {

namespace {

constexpr int32_t kEscape = 27;
constexpr int32_t kEnter = 13;
constexpr float kNoValue = -1e8f;

// Counts the label toward `value`, or with `immediate` (or while it holds no
// value yet) shows the value at once.
void SetLabelTarget(NumberLabel& label, float value, bool immediate) {
    if (!immediate && label.mCurrent != kNoValue) {
        label.mTarget = value;
        label.mStep = value > label.mCurrent ? std::abs(label.mStep) : -std::abs(label.mStep);
        return;
    }
    label.mCurrent = value;
    label.mTarget = value;
    label.mLabel = Kavo::FormatThousands(static_cast<int>(value));
}

// The term's text with "%d" replaced by the number and "%%" by "%"; other
// '%' stay as they are (the text comes from a data file).
std::string FormatTermWithNumber(const std::string& text, int number) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && (text[i + 1] == 'd' || text[i + 1] == '%')) {
            out += text[i + 1] == 'd' ? std::to_string(number) : std::string("%");
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

// A kind's rating: its gain over its price; a price of 0 or less adds none.
float KindRating(float gain, int price) {
    return price > 0 ? gain / static_cast<float>(price) : 0.0f;
}

int CountOf(const Stage& stage, ShopKind kind) {
    switch (kind) {
    case kShopDrink:
        return stage.mDrinkCount;
    case kShopFood:
        return stage.mEatCount;
    default:
        return stage.mStuffCount;
    }
}

UserRecord* CurrentRecord() {
    UserManager* users = UserManager::GetInstance();
    return users != nullptr ? users->GetCurrentRecord() : nullptr;
}

Kavo::IntRect CelRect(Kavo::Image* image, int cel) {
    if (image == nullptr)
        return {};
    if (cel < image->mNumRows * image->mNumCols)
        return image->GetCelRect(cel);
    return Kavo::IntRect(0, 0, image->GetWidth(), image->GetHeight());
}

struct KindControls {
    const char* label;
    const char* percent;
    const char* bar;
    Kavo::Image* const* barImage;
};

} // namespace

ShopScreen::ShopScreen(const std::string& layoutPath, const StageFigures& figures, const Stage& stage,
                       ShopScreenBoard& board)
    : LayoutDialog(layoutPath, kDialogId, true), mBoard(board) {
    Layout* layout = GetLayout();
    mOk = layout->GetControl("Ok");
    mShop = layout->GetControl("Shop");
    UserManager* users = UserManager::GetInstance();
    for (int kind = 0; kind < kShopKindCount; ++kind) {
        mGains[kind] = users != nullptr ? users->GetStatC(kind) : 0.0f;
        mTotals[kind] = users != nullptr ? users->GetStatB(kind) : 0.0f;
    }

    mMoneyLabel = layout->GetControlAs<NumberLabel>("MoneyLblValue");
    if (mMoneyLabel != nullptr) {
        mMoneyLabel->mNumberListener = this;
        SetLabelTarget(*mMoneyLabel, static_cast<float>(figures.mMoney), true);
    }
    const KindControls controls[kShopKindCount] = {
        {"DrinkLblValue", "PercentDrinkLbl", "ProgressBarDrink", &IMAGE_PROGRESSBARDRINK},
        {"FoodLblValue", "PercentFoodLbl", "ProgressBarFood", &IMAGE_PROGRESSBARFOOD},
        {"StuffLblValue", "PercentStuffLbl", "ProgressBarStuff", &IMAGE_PROGRESSBARSTUFF},
    };
    for (int kind = 0; kind < kShopKindCount; ++kind) {
        const KindControls& c = controls[kind];
        const float speed = mGains[kind] * kCountRate;
        if (NumberLabel* label = layout->GetControlAs<NumberLabel>(c.label)) {
            mKindLabels[kind] = label;
            label->mNumberListener = this;
            label->mStep = speed;
            if (label->mCurrent == kNoValue)
                SetLabelTarget(*label, 0.0f, true);
        }
        mPercentLabels[kind] = layout->GetControlAs<Kavo::HyperlinkWidget>(c.percent);

        ProgressBar& bar = mBars[kind];
        bar.SetImage(*c.barImage, Kavo::IntRect());
        const float count = static_cast<float>(CountOf(stage, static_cast<ShopKind>(kind)));
        bar.mMaximum = count;
        // What the restaurant had before this stage, as far as the goal: a
        // stage that brought more than the goal must not start the bar, and
        // its share, below empty.
        bar.SetValue(std::max(0.0f, std::min(count, mTotals[kind] - mGains[kind])), true);
        bar.mStep = speed;
        if (auto point = layout->GetDesc(c.bar)) {
            bar.mX = static_cast<float>(point->x);
            bar.mY = static_cast<float>(point->y);
        }
        PlaceSprite(mBarBacks[kind], IMAGE_PROGRESSBARBACK, c.bar);
    }

    mPostcardLabel = layout->GetControlAs<Kavo::HyperlinkWidget>("PostcardLbl");
    if (mPostcardLabel != nullptr) {
        char text[32];
        std::snprintf(text, sizeof text, "%d/%d", figures.mPiecesFound, SecretMapPieceCount(figures.mSecretMapIndex));
        mPostcardLabel->mLabel = text;
    }

    PlaceSprite(mMoneyIcon, IMAGE_ICON_MONEY, "MoneyPrev");
    PlaceSprite(mPostcardIcon, IMAGE_ICON_POSTCARD, "PoscardPrev");
    mCoinTarget = layout->GetDesc("MoneyPrev").value_or(LayoutPoint{});
    const char* places[kShopKindCount] = {"PlaceDrink", "PlaceFood", "PlaceStuff"};
    const int cels[kShopKindCount] = {2, 1, 0};
    for (int kind = 0; kind < kShopKindCount; ++kind) {
        PlaceSprite(mPlaceIcons[kind], IMAGE_ICON_ITEMS, places[kind]);
        mPlaceIcons[kind].mSourceRect = CelRect(IMAGE_ICON_ITEMS, cels[kind]);
    }

    mTimeBonus = static_cast<int>((board.GetTimerDuration() - board.GetTimerValue()) * 0.01f);
    mRatingGain = static_cast<int>(KindRating(mGains[kShopDrink], stage.mDrinkPrice) +
                                   KindRating(mGains[kShopFood], stage.mEatPrice) +
                                   KindRating(mGains[kShopStuff], stage.mStuffPrice));
    if (users != nullptr) {
        users->AddRating(mRatingGain);
        if (mTimeBonus > 0)
            users->AddRating(mTimeBonus);
        users->Save();
    }

    const UserRecord* record = CurrentRecord();
    if (record != nullptr && record->mTipShown[kFirstTip] == 0)
        ShowShopButton(false);
}

ShopScreen::~ShopScreen() {
    if (UserRecord* record = CurrentRecord()) {
        record->mTipShown[kFirstTip] = 1;
        record->mTipShown[kSecondTip] = 1;
    }
}

void ShopScreen::PlaceSprite(ImageSprite& sprite, Kavo::Image* image, const std::string& point) {
    sprite.SetImage(image);
    if (auto p = GetLayout()->GetDesc(point)) {
        sprite.mX = static_cast<float>(p->x);
        sprite.mY = static_cast<float>(p->y);
    }
}

void ShopScreen::ShowShopButton(bool show) {
    if (show || mShop == nullptr)
        return;
    mShop->SetVisible(false);
    if (mOk != nullptr)
        mOk->Move((mWidth - mOk->mWidth) / 2 - 80, mOk->mY);
}

void ShopScreen::ShowTip(int32_t tipId, int32_t x, int32_t y) {
    GameApp* app = gGameApp;
    if (app == nullptr)
        return;
    app->CloseTip(false);
    const UserRecord* record = CurrentRecord();
    if (record == nullptr || record->mTipsEnabled == 0 || tipId < 0 || tipId >= UserRecord::kTipCount ||
        record->mTipShown[static_cast<size_t>(tipId)] != 0)
        return;
    auto* tip = new TipWindow(Termins::Lookup(GetTipName(tipId)));
    tip->Show(mX + x, mY + y);
    tip->mDialogListener = this;
    tip->mTipId = tipId;
    app->AddDialog(tip);
}

void ShopScreen::DialogButtonRelease(int32_t dialogId, int32_t) {
    GameApp* app = gGameApp;
    if (app == nullptr)
        return;
    const bool firstTip = dialogId == TipWindow::kDialogId && app->GetOpenTipId() == kFirstTip;
    app->CloseTip(false);
    if (firstTip && mShop != nullptr)
        ShowTip(kSecondTip, mShop->mX + mShop->mWidth / 2, mShop->mY);
}

void ShopScreen::FlyOut() {
    if (mState == FlyingOut || mState == Gone)
        return;
    mPendingResult = kOkButton;
    mState = FlyingOut;
}

void ShopScreen::ButtonDepress(int32_t buttonId) {
    if (buttonId != kOkButton && buttonId != kShopButton)
        return;
    PlayUiSound("MouseDown", true);
    if (buttonId == kShopButton) {
        if (GameApp* app = gGameApp)
            app->CloseTip(false);
        mShopRequested = true;
    }
    FlyOut();
}

void ShopScreen::KeyUp(int32_t key) {
    LayoutDialog::KeyUp(key);
    if (key == kEscape || key == kEnter)
        FlyOut();
}

void ShopScreen::Update() {
    LayoutDialog::Update();
    if (mState == Resting && mPhase == kFlyingIn) {
        mPhase = kCounting;
        bool counting = false;
        for (int kind = 0; kind < kShopKindCount; ++kind) {
            if (NumberLabel* label = mKindLabels[kind]) {
                SetLabelTarget(*label, mGains[kind], false);
                counting = counting || label->mCurrent != label->mTarget;
            }
            mBars[kind].SetValue(mTotals[kind], false);
        }
        // A label already at its target never reports: a stage that brought
        // nothing has nothing to count, and the coins go at once.
        if (!counting)
            NumberReached(nullptr);
    }
    if (mPhase >= kCounting) {
        for (ProgressBar& bar : mBars)
            bar.Update();
        ShowPercents();
    }
    if (mPhase == kTimeBonus)
        mBoard.UpdateTimerDial();
    ++mTicks;
    mCoins.Update();
}

void ShopScreen::ShowPercents() {
    const std::string format = Termins::Lookup("StageComplete");
    for (int kind = 0; kind < kShopKindCount; ++kind) {
        if (mPercentLabels[kind] == nullptr)
            continue;
        const ProgressBar& bar = mBars[kind];
        // An empty bar has no share to show.
        const int percent = bar.mMaximum > 0 ? TruncateToInt(bar.mCurrent / bar.mMaximum * 100.0f) : 0;
        mPercentLabels[kind]->mLabel = FormatTermWithNumber(format, std::min(100, percent));
    }
}

void ShopScreen::UpdateF(float step) {
    LayoutDialog::UpdateF(step);
    mCoins.UpdateF(step);
}

void ShopScreen::LaunchCoin(const ImageSprite& from, int count) {
    mCoins.Add(new CoinEffect(static_cast<int>(from.mX), static_cast<int>(from.mY), mCoinTarget.x, mCoinTarget.y, count,
                              this));
}

void ShopScreen::NumberReached(NumberLabel*) {
    if (mPhase == kCounting) {
        PlayUiSound("levelcompletestuffrating", false);
        mTicks = 0;
        for (ShopKind kind : {kShopStuff, kShopFood, kShopDrink})
            LaunchCoin(mPlaceIcons[kind], RandomInt(1, 3));
        mPhase = kCoinsFlying;
    } else if (mPhase == kRatingCounting) {
        const ImageSprite& back = mBarBacks[kShopFood];
        const int width = back.GetImage() != nullptr ? back.GetImage()->GetWidth() : 0;
        ShowTip(kFirstTip, static_cast<int32_t>(back.mX) + width / 2, static_cast<int32_t>(back.mY) - 20);
        if (mTimeBonus > 0) {
            mPhase = kTimeBonus;
            mTicks = 0;
            const LayoutPoint timer = mBoard.GetTimerPosition();
            auto* coin = new CoinEffect(timer.x - mX, timer.y - mY, mCoinTarget.x, mCoinTarget.y, 1, this);
            mTimeBonusCoin = coin;
            mCoins.Add(coin);
            mBoard.SetTimeBonusDisplay(static_cast<float>(mTimeBonus));
            PlayUiSound("levelcompletetimebonus", false);
        } else {
            mPhase = kFinished;
        }
    } else if (mPhase == kTimeBonus) {
        UserManager* users = UserManager::GetInstance();
        mBoard.SetRatingText(std::to_string(users != nullptr ? users->GetRating() : 0));
        mPhase = kFinished;
    }
}

void ShopScreen::OnEffectFinished(EffectBase* effect) {
    if (mPhase == kCoinsFlying) {
        mPhase = kRatingCounting;
        CountMoney(mRatingGain);
    } else if (mPhase == kTimeBonus && effect == mTimeBonusCoin) {
        // The rating's coins may still land once a gain of 0 has moved on
        // to the time bonus: only the timer's own coin counts it.
        mTimeBonusCoin = nullptr;
        CountMoney(mTimeBonus);
    }
}

void ShopScreen::CountMoney(int amount) {
    // A label already at its target never reports: an amount of 0 (or no
    // label to count it) is reached at once, so that the screen goes on
    // to the time bonus and finishes.
    if (mMoneyLabel == nullptr || amount == 0) {
        NumberReached(mMoneyLabel);
        return;
    }
    mMoneyLabel->mStep = static_cast<float>(amount) * kCountRate;
    SetLabelTarget(*mMoneyLabel, mMoneyLabel->mCurrent + static_cast<float>(amount), false);
}

void ShopScreen::Draw(Kavo::Graphics* g) {
    int32_t width = 1024;
    int32_t height = 768;
    if (Kavo::KavoAppBase* app = Kavo::gAppBase) {
        width = app->GetWidth();
        height = app->GetHeight();
    }
    // Coins fly in from beyond the dialog.
    g->SetClipRect(-mX, -mY, width, height);
    LayoutDialog::Draw(g);
    for (ImageSprite& back : mBarBacks)
        back.Draw(g, 255.0f);
    for (ProgressBar& bar : mBars)
        bar.Draw(g);
    mMoneyIcon.Draw(g, 255.0f);
    mPostcardIcon.Draw(g, 255.0f);
    for (ImageSprite& icon : mPlaceIcons)
        icon.Draw(g, 255.0f);
    mCoins.Draw(g);
    if (mOverlay != nullptr)
        mOverlay->Draw(g);
}

} // namespace Game
