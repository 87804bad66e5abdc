#pragma once
// The dialog of the penalty for a board whose time ran out: the stage's
// amount zooms from the window's size down onto the "Dest" point, a grey
// copy swells and fades, and the button closes it. The board screen takes
// the amount off the rating when it closes.

#include <cstdint>
#include <memory>

#include "framework/graphics/memory_image.h"
#include "framework/util/lazy_transform.h"
#include "game/ui/layout_dialog.h"

namespace Game {

class EffectBase;
class IniDocument;

class PenaltyDialog : public LayoutDialog {
public:
    enum Phase : int32_t { kWaiting = 0, kZooming = 1, kEcho = 2, kDone = 5 };
    static constexpr int32_t kDialogId = 8;
    static constexpr const char* kLayoutFile = "UI/penalty.txt";
    static constexpr int32_t kDefaultPenalty = 500;
    static constexpr int32_t kWaitUpdates = 150;
    static constexpr int32_t kZoomUpdates = 30;
    static constexpr int32_t kEnterKey = 13;
    static constexpr int32_t kEscapeKey = 27;

    // The amount of the current user's stage from the settings' "Penalty"
    // section (the application's settings when none are given).
    explicit PenaltyDialog(IniDocument* settings = nullptr);
    ~PenaltyDialog() override;

    void Update() override;
    void UpdateF(float fraction) override;
    void Draw(Kavo::Graphics* g) override;
    void KeyDown(int32_t key) override;
    void ButtonDepress(int32_t buttonId) override;

    int32_t mWaitTicks = 0;
    int32_t mPhase = kWaiting;
    int32_t mPenalty = kDefaultPenalty;
    int32_t mDestX = 0;
    int32_t mDestY = 0;
    Kavo::LazyTransform mEchoTransform;
    Kavo::LazyTransform mNumberTransform;
    Kavo::MemoryImage mRedNumber;
    Kavo::MemoryImage mGreyNumber;
    float mScale = 1.0f;
    float mEchoAlpha = 0.0f;
    float mScaleStep = 0.0f;
    float mAlphaStep = 0.0f;
    std::unique_ptr<EffectBase> mEffect;

private:
    void RenderNumber(Kavo::MemoryImage& image, const Kavo::Color& color, int width, int height);
    void EnterEcho();
};

} // namespace Game
