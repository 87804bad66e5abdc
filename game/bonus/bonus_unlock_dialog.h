#pragma once
// The fly-in dialog that presents a newly unlocked bonus: a live copy of its
// button, which plays its charged show after a short pause and then every
// 500 updates, over the bonus's description text.

#include "game/ui/layout_dialog.h"

#include <memory>

namespace Kavo {
class ButtonWidget;
} // namespace Kavo

namespace Game {

class Bonus;

class BonusUnlockDialog : public LayoutDialog {
public:
    static constexpr const char* kLayoutFile = "UI/BonusUnlock.txt";
    // An id the board screen does not answer: closing is all it does.
    static constexpr int32_t kDialogId = 60;
    static constexpr int kFirstShow = 50;
    static constexpr int kShowInterval = 500;

    explicit BonusUnlockDialog(const std::string& layoutFile = kLayoutFile);
    ~BonusUnlockDialog() override;

    // Takes the bonus (one never registered), puts it on the "BonusXY"
    // point as large as its picture, full but not yet shown as charged, and
    // shows the text of its name followed by "Hint".
    void SetBonus(std::unique_ptr<Bonus> bonus);
    Bonus* GetBonus() const { return mBonus.get(); }

    void Update() override;
    void UpdateF(float step) override;
    void Draw(Kavo::Graphics* g) override;
    // Escape and Enter press button 1.
    void KeyUp(int32_t key) override;

    Kavo::ButtonWidget* mMessage = nullptr;
    int mTicks = 0;
    int mPhase = 0;

private:
    void Recharge();

    std::unique_ptr<Bonus> mBonus;
};

} // namespace Game
