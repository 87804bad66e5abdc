#pragma once
// The player's ten rewards (trophies for the stage goals), each in up to
// three levels. Opened with new awards it writes their levels into the
// current user's record and presents them one after another: each new
// picture appears large, flies to its place, and a burst plays behind it.
// Hovering a reward tells what was got and what comes next.

#include "game/effects/effect_listener.h"
#include "game/ui/game_dialog.h"
#include "game/ui/image_sprite.h"
#include "game/ui/layout.h"

#include <array>
#include <deque>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace Kavo {
class ButtonWidget;
class Image;
} // namespace Kavo

namespace Game {

class EffectBase;

class RewardDialog : public GameDialog, public EffectListener {
public:
    static constexpr int32_t kDialogId = 17;
    static constexpr const char* kLayoutFile = "UI/reward.txt";
    static constexpr int kRewardCount = 10;
    static constexpr int kMaxLevel = 2;
    static constexpr int kSwitchBack = 42;
    // The reward names, index order.
    static const std::array<const char*, kRewardCount> kRewardNames;

    struct Slot {
        ImageSprite mSprite;
        Kavo::IntRect mRect;
        LayoutPoint mHintAnchor;
        int mReward = 0;
        int mLevel = -1;
        bool mHovered = false;
    };
    struct Award {
        std::unique_ptr<Kavo::Image> mImage;
        int mX = 0;
        int mY = 0;
        int mReward = 0;
        int mLevel = 0;
    };

    explicit RewardDialog(const std::string& layoutFile = kLayoutFile);
    ~RewardDialog() override;

    // Builds the slots from the record and writes each (reward, level) pair
    // into it; pairs outside 0..9 or 0..2 are skipped. With awards the
    // presentation starts 70 updates later. The caller adds the dialog to
    // the application.
    void Show(const std::vector<std::pair<int, int>>& awards);
    bool IsShown() const { return mShown; }
    // Null: no hint. Otherwise what the slot's level got and what comes next.
    void SetHint(const Slot* slot);

    void OnPrepare() override;
    void Update() override;
    void UpdateF(float step) override;
    void Draw(Kavo::Graphics* g) override;
    void MouseMove(int32_t x, int32_t y) override;
    void ButtonDepress(int32_t buttonId) override;
    void OnEffectFinished(EffectBase* effect) override;

    const std::deque<Slot>& GetSlots() const { return mSlots; }
    const std::string& GetHintText() const { return mHintText; }
    const std::string& GetHint2Text() const { return mHint2Text; }
    LayoutPoint GetHintPlate() const { return mHintPlate; }
    size_t GetAppearCount() const { return mAppearEffects.size(); }
    int GetCurrentAward() const { return mCurrent; }
    // The button that closes the dialog.
    Kavo::ButtonWidget* GetDone() const { return mDone; }

    std::array<int32_t, kRewardCount> mLevels{};
    int mWaitTicks = 0;
    int mWaitLength = 70;
    bool mIdle = true;

private:
    void BuildSlots();
    void PresentAward(size_t k);
    LayoutPoint PointOf(const std::string& name) const;

    std::unique_ptr<Layout> mLayout;
    Kavo::ButtonWidget* mHint = nullptr;
    Kavo::ButtonWidget* mHint2 = nullptr;
    Kavo::ButtonWidget* mDone = nullptr;
    std::deque<Slot> mSlots;
    std::vector<std::unique_ptr<EffectBase>> mAppearEffects;
    std::vector<std::unique_ptr<EffectBase>> mBursts;
    std::vector<Award> mAwards;
    int mCurrent = 0;
    LayoutPoint mHintPlate{-1, -1};
    std::string mHintText;
    std::string mHint2Text;
    ImageSprite mBackground;
    bool mShown = false;
};

} // namespace Game
