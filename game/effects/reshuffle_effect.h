#pragma once
// The items vanishing in a ring that grows from a random cell, then, once the
// board has dealt anew, reappearing in a ring that shrinks back to it.

#include <vector>

namespace Kavo {
class Graphics;
class Image;
} // namespace Kavo

namespace Game {

class Board;
class EffectListener;

class ReshuffleEffect {
public:
    struct Record {
        float mAlpha = 255.0f;
        Kavo::Image* mImage = nullptr;
        float mX = 0; // the cell's pixel corner
        float mY = 0;
        bool mStarted = false;
        float mDistance = 0; // from the corner to the centre
    };

    // Reads the board's items now. The listener's second operation comes
    // when every item has vanished (the board deals its new items then; the
    // effect shows the board's pictures as they are after that call), the
    // first when every item is back.
    ReshuffleEffect(Board& board, EffectListener* listener);

    void Update();
    void Draw(Kavo::Graphics* g);
    bool IsDone() const { return mDone; }

    std::vector<Record> mRecords;
    float mCenterX = 0;
    float mCenterY = 0;
    float mRadiusStep = 10.0f;
    int mState = 0; // 0 vanishing, 1 appearing
    float mRadius = 0;
    EffectListener* mListener;
    float mAlphaStep = 10.0f;
    int mMaxRadius = 1000;
    bool mDone = false;
    int mUpdateCount = 0;

private:
    void Vanish();
    void Appear();
    void ReadImages();

    Board& mBoard;
};

} // namespace Game
