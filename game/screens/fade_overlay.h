#pragma once
// A full-window black dimmer behind the windows that open over the board:
// it rises to its target alpha, holds, and after Close falls back to 0 and
// reports done, after which its owner deletes it.

namespace Kavo {
class Graphics;
} // namespace Kavo

namespace Game {

class FadeOverlay {
public:
    static constexpr float kPauseAlpha = 80.0f;
    static constexpr float kSecretAlpha = 150.0f;

    explicit FadeOverlay(float target = kPauseAlpha) : mTarget(target) {}
    virtual ~FadeOverlay() = default;

    // Fills the window with black at the current alpha (truncated).
    virtual void Draw(Kavo::Graphics* g);
    // Rising: one step while below the target, so the last step may pass it
    // by less than a step. Closing: one step down, done at 0.
    virtual void Update();
    void Close() { mClosing = true; }
    bool IsDone() const { return mDone; }

    float mAlpha = 0;
    bool mDone = false;
    bool mClosing = false;
    float mTarget;
    float mStep = 4.0f;
    // The area filled; the game's window by default.
    int mWidth = 1024;
    int mHeight = 768;
};

} // namespace Game
