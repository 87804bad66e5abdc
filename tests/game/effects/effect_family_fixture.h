#pragma once
// What the tests of the board's effects share: the effect test bed with the
// current folder in its temporary folder holding the sample content of the
// effects, opaque pictures in the resource images the effects draw, a board,
// a recording listener and an adapter that plays plain effect objects like
// list effects.

#include "framework/graphics/memory_image.h"
#include "game/board/board.h"
#include "game/effects/effect_listener.h"
#include "game/ui/effect_base.h"
#include "tests/game/effects/effect_test.h"

#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace Game {

// Every call with the update on which it came (the owner sets mUpdate).
struct RecordingListener : EffectListener {
    void OnEffectFinished(EffectBase*) override { mCalls.emplace_back('F', mUpdate); }
    void OnEffectMiddle(EffectBase*, float, float) override {
        mCalls.emplace_back('M', mUpdate);
        if (mOnMiddle)
            mOnMiddle();
    }
    int Count(char kind) const;

    std::vector<std::pair<char, int>> mCalls;
    int mUpdate = 0;
    std::function<void()> mOnMiddle;
};

// A plain object played as a list effect.
class PlainEffect : public EffectBase {
public:
    std::function<void()> mUpdate = [] {};
    std::function<void(float)> mUpdateF = [](float) {};
    std::function<void(Kavo::Graphics*)> mDraw = [](Kavo::Graphics*) {};
    std::function<bool()> mIsDone;

    void Update() override { mUpdate(); }
    void Update(float t) override { mUpdateF(t); }
    void Draw(Kavo::Graphics* g) override { mDraw(g); }
    bool IsDone() override { return mIsDone(); }
};

class EffectFamilyTest : public EffectTest {
protected:
    EffectFamilyTest();
    ~EffectFamilyTest() override;

    // Writes a file of the test's own under the current folder.
    void WriteFile(const std::string& name, const std::string& text);
    // Sets the board from rows of text (tests/game/board/ascii_board.h).
    void SetBoard(const std::vector<std::string>& rows);
    // Update(), then Update(1.0f); `listener` learns the update's number.
    static void Step(EffectBase& effect, int update, RecordingListener* listener = nullptr);
    // Whether anything was drawn into the screen since it was last cleared.
    void ClearScreen();
    bool ScreenIsClear();

    Board mBoard;
    RecordingListener mListener;

private:
    Kavo::MemoryImage* Opaque(int width, int height);

    std::string mPreviousFolder;
    std::deque<Kavo::MemoryImage> mImages;
    std::vector<std::pair<Kavo::Image**, Kavo::Image*>> mSavedGlobals;
};

} // namespace Game
