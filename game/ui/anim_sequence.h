#pragma once
// A sprite that shows now and then: hidden for a number of steps, shown for
// a fixed number, then on to the next hidden length of the list.

#include "game/ui/image_sprite.h"

#include <vector>

namespace Game {

class AnimSequence : public ImageSprite {
public:
    void SetFrames(const std::vector<int>& hiddenLengths) { mHiddenLengths = hiddenLengths; }
    // The point the image is centred on.
    void SetPosition(int x, int y);
    // With no hidden lengths the image never shows.
    void Step();
    void Draw(Kavo::Graphics* g);
    bool IsShown() const { return mShown; }

    std::vector<int> mHiddenLengths;
    int mStepCounter = 0;
    int mShownCounter = 0;
    int mShownLength = 20;
    int mSequence = 0;
    bool mShown = false;
};

} // namespace Game
