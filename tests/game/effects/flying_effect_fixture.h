#pragma once
// What the tests of the flying, knife, pepper and double-score effects
// share: the sample animations written to a temporary folder that is the
// current one, a path table with straight paths "Rank_3_4" and "Reward3"
// (300 pixels from the screen's centre), pictures bound to the resource ids
// the effects draw (IMAGE_RANK three 32 x 32 cels), an item catalogue whose
// item 1 is a 100 x 40 picture with an eight-piece broken picture, and a
// listener that notes on which update it was called.

#include "game/effects/effect_listener.h"
#include "game/ui/effect_base.h"
#include "tests/game/effects/effect_test.h"

#include "framework/graphics/memory_image.h"
#include "game/board/item_catalog.h"
#include "game/effects/trajectories.h"
#include "game/ui/game_resource_manager.h"

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace Game::Test {

class PictureResourceManager;

// Where the named paths start.
inline constexpr int kCentreX = 512;
inline constexpr int kCentreY = 384;
// The item of the 100 x 40 picture.
inline constexpr int kKnifeItem = 1;

// The update (counted from 1 as RunEffect counts) on which each call came,
// read from the virtual clock that RunEffect moves 10 ms per update.
class RecordingListener : public EffectListener {
public:
    explicit RecordingListener(const platform::VirtualClock& clock) : mClock(clock), mStart(clock.Microseconds()) {}
    void OnEffectFinished(EffectBase* effect) override {
        mFinished.push_back(Now());
        mFinishedBy = effect;
    }
    void OnEffectMiddle(EffectBase*, float x, float y) override {
        mMiddle.push_back(Now());
        mLastX = x;
        mLastY = y;
    }
    int Now() const { return static_cast<int>((mClock.Microseconds() - mStart) / 10000); }

    std::vector<int> mFinished;
    std::vector<int> mMiddle;
    EffectBase* mFinishedBy = nullptr;
    float mLastX = 0;
    float mLastY = 0;

private:
    const platform::VirtualClock& mClock;
    std::uint64_t mStart;
};

class FlyingEffectTest : public EffectTest {
protected:
    FlyingEffectTest();
    ~FlyingEffectTest() override;

    // One update as RunEffect plays it, without drawing.
    void Step(EffectBase& effect, int updates = 1);
    RecordingListener MakeListener() { return RecordingListener(Platform().Clock()); }
    Kavo::MemoryImage* Picture(int width, int height, int cols = 1);

    std::deque<std::unique_ptr<Kavo::MemoryImage>> mPictures;
    std::deque<Kavo::SharedImage> mRecords;
    std::shared_ptr<GameResourceManager> mManager;
    std::unique_ptr<platform::Installed<GameResourceManager>> mManagerSlot;
    std::shared_ptr<ItemCatalog> mCatalog = std::make_shared<ItemCatalog>();
    platform::Installed<ItemCatalog> mCatalogSlot{ItemCatalogSlot(), mCatalog};
    std::shared_ptr<Trajectories> mPaths = std::make_shared<Trajectories>();
    platform::Installed<Trajectories> mPathsSlot{TrajectoriesSlot(), mPaths};

private:
    std::string mPreviousFolder;
};

} // namespace Game::Test
