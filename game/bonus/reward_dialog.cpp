#include "game/bonus/reward_dialog.h"

#include "framework/app/kavo_app_base.h"
#include "framework/graphics/font.h"
#include "framework/graphics/graphics.h"
#include "framework/graphics/image.h"
#include "framework/graphics/memory_image.h"
#include "framework/widget/button_widget.h"
#include "framework/widget/widget_flags.h"
#include "game/app/game_app.h"
#include "game/effects/effect_reward.h"
#include "game/effects/tr_move_items.h"
#include "game/ui/resource_ids.h"
#include "game/ui/termins.h"
#include "game/ui/ui_sound.h"
#include "game/ui/user_manager.h"
#include "game/ui/user_record.h"

#include <cstdio>

namespace Game {

namespace {

constexpr const char* kBurstFile = "particles/behindreward.ini";

UserRecord* CurrentRecord() {
    UserManager* users = UserManager::GetInstance();
    return users != nullptr ? users->GetCurrentRecord() : nullptr;
}

std::string Numbered(const char* format, int i) {
    char text[32];
    std::snprintf(text, sizeof(text), format, i);
    return text;
}

// "Got" or "Get", the reward's name and a level number, in the term table.
std::string LevelText(const char* verb, const char* name, int number) {
    char key[64];
    std::snprintf(key, sizeof(key), "%s%s%d", verb, name, number);
    return Termins::Lookup(key);
}

std::string LevelPicture(const char* name, int level) {
    return std::string("images/rewards/") + name + std::to_string(level + 1);
}

} // namespace

const std::array<const char*, RewardDialog::kRewardCount> RewardDialog::kRewardNames = {
    "LinesCount",     "BonusCount",       "ScoresPerTime", "LinesPerTime",   "SameTypeCount",
    "ScoresPerBoard", "SameTypePerBoard", "BonusPerBoard", "ScoresPerStage", "RPuzzle",
};

RewardDialog::RewardDialog(const std::string& layoutFile) : GameDialog(kDialogId, true) {
    // The rewards fly and fade in on their own: the dialog is painted again
    // after every update.
    mWidgetFlagsMod.mAddFlags |= Kavo::WIDGETFLAGS_MARK_DIRTY;
    mLayout = std::make_unique<Layout>(layoutFile, this);
    mDone = mLayout->GetControlAs<Kavo::ButtonWidget>("Done");
    mHint = mLayout->GetControlAs<Kavo::ButtonWidget>("Hint");
    mHint2 = mLayout->GetControlAs<Kavo::ButtonWidget>("Hint2");
    // The dialog draws the two texts on its hint plate itself.
    for (Kavo::ButtonWidget* text : {mHint, mHint2})
        if (text != nullptr)
            text->SetVisible(false);
    mBackground.SetImage(IMAGE_REWARD_BACK);
    mLevels.fill(-1);
}

RewardDialog::~RewardDialog() {
    mAppearEffects.clear();
    mBursts.clear();
    mSlots.clear();
    mLayout.reset();
}

LayoutPoint RewardDialog::PointOf(const std::string& name) const {
    return mLayout->GetDesc(name).value_or(LayoutPoint{});
}

void RewardDialog::BuildSlots() {
    const UserRecord* record = CurrentRecord();
    mSlots.clear();
    for (int i = 0; i < kRewardCount; ++i) {
        const int stored = record != nullptr ? record->mMetaState[static_cast<size_t>(i)] : -1;
        // Profile bytes outside the three levels count as not earned.
        const int level = stored >= 0 && stored <= kMaxLevel ? stored : -1;
        mLevels[static_cast<size_t>(i)] = level;
        const char* name = kRewardNames[static_cast<size_t>(i)];
        Slot& slot = mSlots.emplace_back();
        slot.mSprite.LoadImage(level < 0 ? std::string("images/rewards/shadows/") + name : LevelPicture(name, level));
        slot.mReward = i;
        slot.mLevel = level;
        slot.mHintAnchor = PointOf(Numbered("RewardHint%d", i));
        const LayoutPoint centre = PointOf(Numbered("Reward%d", i));
        Kavo::Image* picture = slot.mSprite.GetImage();
        const int w = picture != nullptr ? picture->GetWidth() : 0;
        const int h = picture != nullptr ? picture->GetHeight() : 0;
        slot.mSprite.mX = static_cast<float>(centre.x);
        slot.mSprite.mY = static_cast<float>(centre.y);
        slot.mSprite.mCentered = true;
        slot.mRect = Kavo::IntRect(centre.x - w / 2, centre.y - h / 2, w, h);
    }
}

void RewardDialog::OnPrepare() {
    // Nothing pending: the slots show the record as it is now.
    if (mIdle && static_cast<size_t>(mCurrent) >= mAwards.size())
        BuildSlots();
    SetHint(nullptr);
    if (Kavo::gAppBase != nullptr)
        Kavo::gAppBase->SetCursorSlotImage(0, IMAGE_CUSTOM_POINTER);
}

void RewardDialog::Show(const std::vector<std::pair<int, int>>& awards) {
    BuildSlots();
    mAppearEffects.clear();
    mAwards.clear();
    UserRecord* record = CurrentRecord();
    for (const auto& [reward, level] : awards) {
        if (reward < 0 || reward >= kRewardCount || level < 0 || level > kMaxLevel)
            continue;
        Award& award = mAwards.emplace_back();
        const std::string picture = LevelPicture(kRewardNames[static_cast<size_t>(reward)], level);
        if (Kavo::gAppBase != nullptr)
            award.mImage.reset(Kavo::gAppBase->GetImage(picture, true));
        const LayoutPoint centre = PointOf(Numbered("Reward%d", reward));
        award.mX = centre.x;
        award.mY = centre.y;
        award.mReward = reward;
        award.mLevel = level;
        if (record != nullptr)
            record->mMetaState[static_cast<size_t>(reward)] = level;
    }
    mCurrent = 0;
    mWaitTicks = 0;
    mIdle = mAwards.empty();
    mShown = true;
}

void RewardDialog::PresentAward(size_t k) {
    Award& award = mAwards[k];
    PlayUiSound("getreward", false);
    mAppearEffects.push_back(
        std::make_unique<EffectReward>(award.mReward, award.mImage.get(), award.mX, award.mY, this));
}

void RewardDialog::OnEffectFinished(EffectBase*) {
    if (mCurrent < 0 || static_cast<size_t>(mCurrent) >= mAwards.size())
        return;
    const Award& award = mAwards[static_cast<size_t>(mCurrent)];
    for (Slot& slot : mSlots) {
        if (slot.mReward != award.mReward)
            continue;
        slot.mSprite.SetImage(award.mImage.get());
        slot.mSprite.mX = static_cast<float>(award.mX);
        slot.mSprite.mY = static_cast<float>(award.mY);
        slot.mLevel = award.mLevel;
        mLevels[static_cast<size_t>(award.mReward)] = award.mLevel;
    }
    auto burst = std::make_unique<TrMoveItems>();
    burst->Load(kBurstFile);
    burst->Start(static_cast<float>(award.mX), static_cast<float>(award.mY));
    mBursts.push_back(std::move(burst));
    ++mCurrent;
    // The next award follows at once, without a second wait.
    if (static_cast<size_t>(mCurrent) < mAwards.size())
        PresentAward(static_cast<size_t>(mCurrent));
}

void RewardDialog::Update() {
    GameDialog::Update();
    // By index: a finishing effect may start the next one.
    for (size_t i = 0; i < mAppearEffects.size(); ++i)
        mAppearEffects[i]->Update();
    std::erase_if(mAppearEffects, [](const std::unique_ptr<EffectBase>& effect) { return effect->IsDone(); });
    if (!mIdle && ++mWaitTicks >= mWaitLength) {
        mIdle = true;
        if (!mAwards.empty())
            PresentAward(0);
    }
    for (auto& burst : mBursts)
        burst->Update();
    std::erase_if(mBursts, [](const std::unique_ptr<EffectBase>& burst) { return burst->IsDone(); });
    // Without refresh-paced frames the smooth step follows every update.
    if (Kavo::gAppBase == nullptr || !Kavo::gAppBase->mVSyncUpdates)
        UpdateF(1.0f);
}

void RewardDialog::UpdateF(float step) {
    GameDialog::UpdateF(step);
    for (size_t i = 0; i < mAppearEffects.size(); ++i)
        mAppearEffects[i]->Update(step);
    for (auto& burst : mBursts)
        burst->Update(step);
}

void RewardDialog::SetHint(const Slot* slot) {
    mHintText.clear();
    mHint2Text.clear();
    if (slot == nullptr) {
        mHintPlate = LayoutPoint{-1, -1};
    } else {
        const char* name = kRewardNames[static_cast<size_t>(slot->mReward)];
        if (slot->mLevel < 0) {
            mHintText = LevelText("Get", name, 1);
        } else {
            mHintText = LevelText("Got", name, slot->mLevel + 1);
            if (slot->mLevel < kMaxLevel)
                mHint2Text = LevelText("Get", name, slot->mLevel + 2);
        }
    }
    if (mHint != nullptr)
        mHint->mLabel = mHintText;
    if (mHint2 != nullptr)
        mHint2->mLabel = mHint2Text;
}

void RewardDialog::MouseMove(int32_t x, int32_t y) {
    GameDialog::MouseMove(x, y);
    bool any = false;
    for (Slot& slot : mSlots) {
        const Kavo::IntRect& r = slot.mRect;
        const bool inside = x >= r.mX && x < r.mX + r.mWidth && y >= r.mY && y < r.mY + r.mHeight;
        if (inside && !slot.mHovered) {
            SetHint(&slot);
            mHintPlate = slot.mHintAnchor;
        }
        slot.mHovered = inside;
        any = any || inside;
    }
    if (!any)
        SetHint(nullptr);
}

void RewardDialog::ButtonDepress(int32_t buttonId) {
    if (mDone == nullptr || buttonId != mDone->mId)
        return;
    PlayUiSound("MouseDown", true);
    mShown = false;
    // Opened by the main menu's switch it switches back; the board screen's
    // own instance tells its listener.
    if (mSwitchFlag != 0) {
        mSwitchFlag = 0;
        if (GameApp* app = gGameApp)
            app->SwitchScreen(kSwitchBack);
    } else if (mDialogListener != nullptr) {
        mDialogListener->DialogButtonRelease(mId, 1);
    }
}

void RewardDialog::Draw(Kavo::Graphics* g) {
    g->PushState();
    mBackground.Draw(g, 255);
    for (auto& burst : mBursts)
        burst->Draw(g);
    for (Slot& slot : mSlots)
        slot.mSprite.Draw(g, 255);
    if (!mHintText.empty() && mHintPlate.x >= 0) {
        Kavo::Font* font = FONT_DEFAULT;
        const int lineHeight = font != nullptr ? font->GetHeight() : 0;
        const int height = 100 + lineHeight * (mHint2Text.empty() ? 1 : 2);
        if (Kavo::Image* plate = IMAGE_REWARD_HINT_WINDOW) {
            g->PushState();
            g->SetColor(Kavo::Color(255, 255, 255, 200));
            g->SetColorizeImages(true);
            g->DrawImageBox(Kavo::IntRect(mHintPlate.x, mHintPlate.y, PointOf("PlashkaWH").x, height), plate);
            g->PopState();
        }
        if (font != nullptr) {
            g->SetFont(font);
            g->SetColor(Kavo::Color(255, 255, 255, 255));
            g->DrawString(mHintText, mHintPlate.x + 35, mHintPlate.y + 25);
            if (!mHint2Text.empty())
                g->DrawString(mHint2Text, mHintPlate.x + 35, mHintPlate.y + 25 + lineHeight);
        }
    }
    for (auto& effect : mAppearEffects)
        effect->Draw(g);
    g->PopState();
}

} // namespace Game
