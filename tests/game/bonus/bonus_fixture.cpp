#include "tests/game/bonus/bonus_fixture.h"

#include "game/bonus/targeting_bonus.h"
#include "game/effects/anim_effect.h"
#include "game/ui/resource_ids.h"
#include "platform/file_system.h"

#include <algorithm>

namespace Game::Test {

namespace {

// Every picture global a bonus reads, each bound to a picture of its own.
struct BoundPicture {
    Kavo::Image** global;
    const char* name;
    int size;
};

const BoundPicture kPictures[] = {
    {&IMAGE_BONUS_KNIFE, "IMAGE_BONUS_KNIFE", 80},
    {&IMAGE_BONUS_KNIFE_CURSOR, "IMAGE_BONUS_KNIFE_CURSOR", 32},
    {&IMAGE_BONUS_SHUFFLE, "IMAGE_BONUS_SHUFFLE", 81},
    {&IMAGE_BONUS_BREAKLINE, "IMAGE_BONUS_BREAKLINE", 82},
    {&IMAGE_BONUS_BREAKLINE2, "IMAGE_BONUS_BREAKLINE2", 83},
    {&IMAGE_BONUS_BREAKLINECURH, "IMAGE_BONUS_BREAKLINECURH", 33},
    {&IMAGE_BONUS_BREAKLINECURV, "IMAGE_BONUS_BREAKLINECURV", 34},
    {&IMAGE_BONUS_HINT, "IMAGE_BONUS_HINT", 84},
    {&IMAGE_BONUS_TIMER, "IMAGE_BONUS_TIMER", 85},
    {&IMAGE_BONUS_PEPPER, "IMAGE_BONUS_PEPPER", 86},
    {&IMAGE_BONUS_PEPPER_GOLD, "IMAGE_BONUS_PEPPER_GOLD", 87},
    {&IMAGE_BONUS_RECOLOR, "IMAGE_BONUS_RECOLOR", 88},
    {&IMAGE_BONUS_X2, "IMAGE_BONUS_X2", 64},
    {&IMAGE_CUSTOM_POINTER, "IMAGE_CUSTOM_POINTER", 35},
    {&IMAGE_MENUTEXT, "IMAGE_MENUTEXT", 60},
    {&IMAGE_RECOLORARROWS, "IMAGE_RECOLORARROWS", 89},
    {&IMAGE_SHUFFLE_RINGS, "IMAGE_SHUFFLE_RINGS", 16},
};

const char kAnim[] = "[Main]\r\nSprite=Pic\r\nFrames=0,1\r\nFrameDelay=5\r\n"
                     "[Pic]\r\nImageFile=pic\r\nRects=0,0,10,10\r\nColCount=2\r\nRowCount=1\r\n";

} // namespace

int RecordingBonusListener::Count(const std::string& what) const {
    return static_cast<int>(std::count(mCalls.begin(), mCalls.end(), what));
}

BonusFixture::BonusFixture() : mPreviousFolder(platform::GetCurrentFolder()) {
    for (const BoundPicture& picture : kPictures)
        *picture.global = AddPicture(picture.name, picture.size);
    platform::SetCurrentFolder(Platform().Folder());
    platform::MakeDirectories(Platform().Folder() + "/data");
    for (const char* file : {"data/knifeblink.anim", "data/blender.anim", "data/pepperbox.anim"})
        EXPECT_TRUE(platform::WriteWholeFile(Platform().Folder() + "/" + file, kAnim));
}

BonusFixture::~BonusFixture() {
    platform::SetCurrentFolder(mPreviousFolder);
    for (const BoundPicture& picture : kPictures)
        *picture.global = nullptr;
}

void BonusFixture::Prepare(Bonus& bonus) {
    bonus.mX = kButtonX;
    bonus.mY = kButtonY;
    bonus.mEnabled = true;
    bonus.mHidden = false;
    bonus.mListener = &mListener;
    if (auto* targeting = dynamic_cast<TargetingBonus*>(&bonus)) {
        targeting->mBoard = &mBoard;
        targeting->mHighlights = &mHighlights;
    }
}

void BonusFixture::Charge(Bonus& bonus) {
    bonus.mCharge = bonus.mChargeMax;
}

std::vector<CellPos> BonusFixture::Highlighted() const {
    std::vector<CellPos> cells;
    for (size_t i = 0; i < mHighlights.GetCount(); ++i) {
        const auto* effect = dynamic_cast<const AnimEffect*>(mHighlights.Get(i));
        if (effect == nullptr)
            continue;
        cells.push_back(CellPos{mBoard.XToColumn(static_cast<int>(effect->mImage.mX)),
                                mBoard.YToRow(static_cast<int>(effect->mImage.mY))});
    }
    return cells;
}

} // namespace Game::Test
