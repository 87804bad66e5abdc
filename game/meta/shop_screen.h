#pragma once
// The stage-complete screen: it flies in over the won board, counts up the
// drink, food and stuff the stage brought, turns them into rating with
// flying coins, adds the time bonus, saves the user and lets the player go
// on ("Ok") or to the restaurant's shop ("Shop"). The rating and the time
// bonus are booked and saved when the screen is made; the counting only
// shows them.

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "game/effects/effect_listener.h"
#include "game/ui/effect_list.h"
#include "game/ui/image_sprite.h"
#include "game/ui/layout_dialog.h"
#include "game/ui/number_label.h"
#include "game/ui/progress_bar.h"

namespace Kavo {
class HyperlinkWidget;
class Widget;
} // namespace Kavo

namespace Game {

class ShopScreenBoard;
class Stage;

// What the board screen keeps of the stage for this screen.
struct StageFigures {
    int mMoney = 0;          // the value the money label starts from
    int mSecretMapIndex = 0; // the stage's secret map
    int mPiecesFound = 0;    // postcard pieces found so far
};

// The three kinds a stage brings, in the order of the user's statistics.
enum ShopKind { kShopDrink = 0, kShopFood = 1, kShopStuff = 2, kShopKindCount = 3 };

class ShopScreen : public LayoutDialog, public NumberLabelListener, public EffectListener {
public:
    static constexpr int32_t kDialogId = 15;
    static constexpr int32_t kOkButton = 1;
    static constexpr int32_t kShopButton = 2;
    static constexpr int32_t kFirstTip = 17;  // "TipLevelComplete1"
    static constexpr int32_t kSecondTip = 18; // "TipLevelComplete2"
    // A gain counts up in 150 updates.
    static constexpr float kCountRate = 0.006666667f;

    enum Phase { kFlyingIn = 0, kCounting = 1, kCoinsFlying = 2, kRatingCounting = 3, kTimeBonus = 4, kFinished = 5 };

    // Books the rating gain and the time bonus and saves the user at once.
    ShopScreen(const std::string& layoutPath, const StageFigures& figures, const Stage& stage, ShopScreenBoard& board);
    ~ShopScreen() override;

    // With false hides "Shop" and moves "Ok" 80 px left of the centre.
    void ShowShopButton(bool show);
    // Opens tip `tipId` beside the dialog point (x, y) unless the user has
    // tips off or has seen it; an open tip is closed first in any case.
    void ShowTip(int32_t tipId, int32_t x, int32_t y);

    void Update() override;
    void UpdateF(float step) override;
    void Draw(Kavo::Graphics* g) override;
    void KeyUp(int32_t key) override;
    void ButtonDepress(int32_t buttonId) override;
    void DialogButtonRelease(int32_t dialogId, int32_t buttonId) override;
    void NumberReached(NumberLabel* label) override;
    // A coin effect has landed.
    void OnEffectFinished(EffectBase* effect) override;

    Phase GetPhase() const { return mPhase; }
    int GetTimeBonus() const { return mTimeBonus; }
    int GetRatingGain() const { return mRatingGain; }
    bool IsShopRequested() const { return mShopRequested; }
    NumberLabel* GetMoneyLabel() const { return mMoneyLabel; }
    NumberLabel* GetKindLabel(ShopKind kind) const { return mKindLabels[kind]; }
    Kavo::HyperlinkWidget* GetPercentLabel(ShopKind kind) const { return mPercentLabels[kind]; }
    Kavo::HyperlinkWidget* GetPostcardLabel() const { return mPostcardLabel; }
    const ProgressBar& GetBar(ShopKind kind) const { return mBars[kind]; }
    const EffectList& GetCoins() const { return mCoins; }
    Kavo::Widget* GetOk() const { return mOk; }
    Kavo::Widget* GetShop() const { return mShop; }

    // Drawn last when set; not owned.
    EffectBase* mOverlay = nullptr;

private:
    void FlyOut();
    void PlaceSprite(ImageSprite& sprite, Kavo::Image* image, const std::string& point);
    void LaunchCoin(const ImageSprite& from, int count);
    void ShowPercents();
    // The money label counts up by `amount` (the rating gain, then the time bonus).
    void CountMoney(int amount);

    ShopScreenBoard& mBoard;
    Kavo::Widget* mOk = nullptr;
    Kavo::Widget* mShop = nullptr;
    int mTicks = 0;
    Phase mPhase = kFlyingIn;
    NumberLabel* mMoneyLabel = nullptr;
    std::array<NumberLabel*, kShopKindCount> mKindLabels{};
    Kavo::HyperlinkWidget* mPostcardLabel = nullptr;
    std::array<Kavo::HyperlinkWidget*, kShopKindCount> mPercentLabels{};
    ImageSprite mMoneyIcon;
    ImageSprite mPostcardIcon;
    std::array<ProgressBar, kShopKindCount> mBars;
    std::array<ImageSprite, kShopKindCount> mBarBacks;
    std::array<ImageSprite, kShopKindCount> mPlaceIcons;
    EffectList mCoins{true};
    LayoutPoint mCoinTarget;
    std::array<float, kShopKindCount> mGains{};
    std::array<float, kShopKindCount> mTotals{};
    int mTimeBonus = 0;
    int mRatingGain = 0;
    // The coin from the timer, while it flies (owned by the coin list).
    const EffectBase* mTimeBonusCoin = nullptr;
    bool mShopRequested = false;
};

} // namespace Game
