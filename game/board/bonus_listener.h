#pragma once
// What a bonus button tells the board screen: the board decides what a
// bonus does to the board.

#include <cstdint>

namespace Kavo {
class Image;
} // namespace Kavo

namespace Game {

// Handed by address with the use notice; the bonus keeps it zeroed.
struct BonusUseRecord {
    int32_t mValues[4] = {};
};

class BonusListener {
public:
    virtual ~BonusListener() = default;
    // The bonus is being used at (x, y); `flags` is always 0.
    virtual void OnBonusTaken(int index, BonusUseRecord* record, int x, int y, int flags) = 0;
    // Right after OnBonusTaken: apply the bonus to the board.
    virtual void OnBonusApply(int index) = 0;
    virtual void OnBonusArmed(int index, Kavo::Image* cursorImage) = 0;
    virtual void OnBonusCancelled(int index) = 0;
    // The charge reached 100 % for the first time since the last use.
    virtual void OnBonusReady(int index) = 0;
    // An armed bonus asks whether it may be used at (x, y); `ok` comes in false.
    virtual void CanUseAt(int index, bool& ok, int x, int y) = 0;
    virtual void SetBonusCursor(int index, Kavo::Image* image, int variant) = 0;
};

} // namespace Game
