#pragma once
// The base of the bonus buttons beside the board: each charges while the
// player breaks lines, lights up when full, is pressed, may wait for a
// target on the board and is then used, after which it charges again. The
// subclasses set their identity and add their own show.

#include "framework/util/color.h"
#include "framework/util/rect.h"
#include "game/board/bonus_listener.h"
#include "game/ui/animation.h"

#include <cstdint>
#include <string>

namespace Kavo {
class Buffer;
class Graphics;
class Image;
} // namespace Kavo

namespace Game {

class IniDocument;

class Bonus {
public:
    enum State { kReady = 0, kHover = 1, kPressed = 2, kCharging = 3, kArmed = 4, kUsed = 5 };

    static constexpr const char* kBlinkFile = "data/bonusblink.anim";
    static constexpr float kDefaultChargeMax = 600.0f;
    static constexpr int kLayerCount = 5;
    // Bytes of one save record.
    static constexpr int kRecordSize = 10;

    // Reads the hint colour from the settings document ("HintColor" of
    // section "Bonuses", hexadecimal); null settings give white.
    explicit Bonus(IniDocument* settings);
    virtual ~Bonus();
    Bonus(const Bonus&) = delete;
    Bonus& operator=(const Bonus&) = delete;

    virtual void Draw(Kavo::Graphics* g);
    virtual void DrawReady(Kavo::Graphics* g);
    virtual void DrawHover(Kavo::Graphics* g);
    // Layer 0 clipped to the charge: the button fills from the bottom.
    virtual void DrawCharging(Kavo::Graphics* g);
    virtual void DrawPressed(Kavo::Graphics* g);
    virtual void DrawArmed(Kavo::Graphics* g);
    virtual void DrawLayer(Kavo::Graphics* g, int layer);
    // The hint text beside the mouse while armed, for the first six uses,
    // while the application window has the focus.
    virtual void DrawHint(Kavo::Graphics* g);
    virtual void UpdateF(float fraction);
    virtual void Update();
    virtual void MouseUp(int x, int y, int button);
    virtual void MouseDown(int x, int y, int button);
    // Hover tracking; true over a button that can be pressed or is in use.
    virtual bool HitTest(int x, int y);
    virtual void Reset();
    virtual void OnArmed(int x, int y);
    virtual void Use(int x, int y);
    // Updates the percentage; true when full. Tells the listener the first
    // time it becomes full.
    virtual bool CheckCharged();
    virtual void OnCharged();
    virtual void AddCharge(float amount);
    virtual void SetCharge(float value);
    // hidden, enabled (a byte each), the charge in thousandths and the use
    // count (32 bits each, little-endian): kSavedSize bytes.
    static constexpr int kSavedSize = 1 + 1 + 4 + 4;
    virtual void Save(Kavo::Buffer& buffer);
    // Sets exactly the four saved fields; false when the buffer held fewer
    // than kSavedSize bytes for them.
    virtual bool Load(Kavo::Buffer& buffer);
    virtual void Stop();

    // The charge maximum under `key` of section "Bonuses", 600 when missing.
    static float ReadChargeMax(IniDocument* settings, const std::string& key);
    // trunc(charge x 100 / maximum), in double and clamped to the int range;
    // a maximum of 0 or less counts as 600.
    int PercentOf(float charge) const;
    bool Contains(int x, int y) const;

    std::string mName;
    bool mUseAtOnce = false;
    std::string mHintText;
    int32_t mUseCount = 0;
    float mX = 0;
    float mY = 0;
    float mWidth = 80.0f;
    float mHeight = 80.0f;
    Kavo::Image* mImage = nullptr;
    int32_t mIndex = 8;
    Kavo::Image* mCursorImage = nullptr;
    bool mEnabled = false;
    bool mHidden = true;
    int32_t mChargeTicks = 0;
    int32_t mPercent = 0;
    float mCharge = 0;
    float mChargeMax = kDefaultChargeMax;
    int32_t mState = kCharging;
    int32_t mTargetX = 0;
    int32_t mTargetY = 0;
    Kavo::IntRect mCellRects[kLayerCount];
    BonusListener* mListener = nullptr;
    BonusUseRecord mListenerRecord;
    Animation mBlink;
    bool mBlinkLoaded = false;
    float mAlpha = 255.0f;
    Kavo::Color mHintColor{255, 255, 255, 255};

private:
    void DrawBlink(Kavo::Graphics* g);
    void DrawChargeLine(Kavo::Graphics* g);
};

} // namespace Game
