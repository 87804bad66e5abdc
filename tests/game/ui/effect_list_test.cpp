#include "game/ui/effect_list.h"

#include "game/ui/effect_base.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace Game {
namespace {

// Writes what happens to it into a shared log; finishes in its own Update
// once `updatesLeft` reaches 0.
class LoggingEffect : public EffectBase {
public:
    LoggingEffect(std::vector<std::string>& log, std::string name, int layer, int updatesLeft)
        : mLog(log), mName(std::move(name)), mUpdatesLeft(updatesLeft) {
        mLayer = layer;
    }
    ~LoggingEffect() override { mLog.push_back("delete " + mName); }

    using EffectBase::Update;
    void Update() override {
        mLog.push_back("update " + mName);
        if (--mUpdatesLeft <= 0)
            mDone = true;
    }
    void Update(float) override { mLog.push_back("updateF " + mName); }
    void Draw(Kavo::Graphics*) override { mLog.push_back("draw " + mName); }
    void DrawOverlay(Kavo::Graphics*) override { mLog.push_back("overlay " + mName); }

private:
    std::vector<std::string>& mLog;
    std::string mName;
    int mUpdatesLeft;
};

using Log = std::vector<std::string>;

TEST(EffectListTest, OwningListDeletesEachEffectInTheUpdateItFinishes) {
    Log log;
    {
        EffectList list(true);
        list.Add(new LoggingEffect(log, "a", 0, 2));
        list.Add(new LoggingEffect(log, "b", 0, 1));
        list.Add(new LoggingEffect(log, "c", 0, 1));
        list.Add(new LoggingEffect(log, "d", 0, 1));
        list.Add(new LoggingEffect(log, "e", 0, 3));

        list.Update();
        // The three finished neighbours go in the same pass, each right
        // after its own update; none is skipped.
        EXPECT_EQ(
            log, (Log{"update a", "update b", "delete b", "update c", "delete c", "update d", "delete d", "update e"}));
        ASSERT_EQ(list.GetCount(), 2u);

        log.clear();
        list.Update();
        EXPECT_EQ(log, (Log{"update a", "delete a", "update e"}));
        ASSERT_EQ(list.GetCount(), 1u);

        // Clear deletes whatever is left and keeps the list owning.
        log.clear();
        list.Clear();
        EXPECT_EQ(log, (Log{"delete e"}));
        EXPECT_TRUE(list.mAutoRemove);
        list.Add(new LoggingEffect(log, "f", 0, 5));
        log.clear();
    }
    EXPECT_EQ(log, (Log{"delete f"})); // the owning list's destructor
}

TEST(EffectListTest, DrawsByLayerAndUpdatesEveryLayer) {
    Log log;
    EffectList list(true);
    list.Add(new LoggingEffect(log, "normal", 0, 9));
    list.Add(new LoggingEffect(log, "overlay", 1, 9));
    list.Add(new LoggingEffect(log, "hidden", 2, 9));

    list.Draw(nullptr);
    EXPECT_EQ(log, (Log{"draw normal", "overlay overlay"}));

    log.clear();
    list.Update();
    list.UpdateF(0.5f);
    EXPECT_EQ(log, (Log{"update normal", "update overlay", "update hidden", "updateF normal", "updateF overlay",
                        "updateF hidden"}));
}

TEST(EffectListTest, ListWithoutOwnershipNeverDeletes) {
    Log log;
    LoggingEffect a(log, "a", 0, 1);
    LoggingEffect b(log, "b", 1, 1);
    {
        EffectList list;
        list.Add(&a);
        list.Add(&b);
        list.Update();
        list.Update();
        EXPECT_TRUE(a.IsDone());
        EXPECT_EQ(list.GetCount(), 2u);
    }
    EXPECT_EQ(log, (Log{"update a", "update b", "update a", "update b"}));
}

TEST(EffectListTest, EffectAddedDuringUpdateIsKept) {
    Log log;
    EffectList list(true);
    // An effect that spawns a follower into the list it lives in, then ends.
    class Spawner : public EffectBase {
    public:
        Spawner(EffectList& list, Log& log) : mList(list), mLog(log) {}
        using EffectBase::Update;
        void Update() override {
            mList.Add(new LoggingEffect(mLog, "child", 0, 1));
            mDone = true;
        }
        EffectList& mList;
        Log& mLog;
    };
    list.Add(new Spawner(list, log));
    list.Update();
    // The follower took the spawner's place and ran in the same pass.
    EXPECT_EQ(log, (Log{"update child", "delete child"}));
    EXPECT_TRUE(list.IsEmpty());
}

} // namespace
} // namespace Game
