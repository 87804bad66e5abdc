#pragma once
// What the tests of effects share: a fixture that plays an effect to its end
// on the headless platform, and a switch that makes the game draw as on 3D
// hardware.

#include "framework/app/kavo_app_base.h"
#include "framework/graphics/dd_interface.h"
#include "framework/graphics/graphics.h"
#include "framework/graphics/memory_image.h"
#include "game/ui/effect_base.h"
#include "tests/support/headless_environment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

namespace Game {

class EffectTest : public Kavo::HeadlessEnvironment {
protected:
    static constexpr int kScreenWidth = 1024;
    static constexpr int kScreenHeight = 768;

    EffectTest() { mScreen.Create(kScreenWidth, kScreenHeight); }

    // Plays the effect as a screen does: per update the virtual clock moves
    // 10 ms, then Update(), Update(1.0f), Draw and DrawOverlay into a
    // 1024 x 768 memory image. Returns the update (counted from 1) on which
    // IsDone first held, or 0 with a failure when it still runs after
    // `bound` updates. A done effect is then played a few more updates on a
    // cleared screen, which must stay clear.
    int RunEffect(EffectBase& effect, int bound) {
        int doneAt = 0;
        for (int update = 1; update <= bound && doneAt == 0; ++update) {
            PlayOneUpdate(effect);
            if (effect.IsDone())
                doneAt = update;
        }
        if (doneAt == 0) {
            ADD_FAILURE() << "the effect was not done after " << bound << " updates";
            return 0;
        }
        std::uint32_t* bits = mScreen.GetBits();
        const size_t pixels = static_cast<size_t>(kScreenWidth) * kScreenHeight;
        std::fill(bits, bits + pixels, 0u);
        mScreen.BitsChanged();
        for (int i = 0; i < 3; ++i)
            PlayOneUpdate(effect);
        bits = mScreen.GetBits();
        EXPECT_TRUE(std::all_of(bits, bits + pixels, [](std::uint32_t p) { return p == 0; })) << "a done effect drew";
        EXPECT_TRUE(effect.IsDone());
        return doneAt;
    }

    Kavo::MemoryImage mScreen;

private:
    void PlayOneUpdate(EffectBase& effect) {
        Platform().Clock().Advance(10);
        effect.Update();
        effect.Update(1.0f);
        Kavo::Graphics g(&mScreen);
        effect.Draw(&g);
        effect.DrawOverlay(&g);
    }
};

// The game draws as on 3D hardware while this exists: a bare application
// whose display says it is 3D. One at a time, inside a HeadlessEnvironment.
class ScopedHardware3D {
public:
    ScopedHardware3D() {
        mApp.mDDInterface = new Kavo::DDInterface(&mApp, mApp.GetDisplayLock());
        mApp.mDDInterface->mIs3D = true;
    }

private:
    Kavo::KavoAppBase mApp;
};

} // namespace Game
