#pragma once
// The double score: used at once, the board screen doubles the score for a
// while. A sparkle scene plays over the button when it charges.

#include "game/board/bonus.h"

#include <memory>

namespace Game {

class TrMoveItems;

class BonusX2 : public Bonus {
public:
    static constexpr const char* kSceneFile = "particles/x2.ini";

    explicit BonusX2(IniDocument* settings);
    ~BonusX2() override;

    void Draw(Kavo::Graphics* g) override;
    void UpdateF(float fraction) override;
    void Update() override;
    void Reset() override;
    // Tells the listener without counting a use.
    void Use(int x, int y) override;
    void OnCharged() override;

    std::unique_ptr<TrMoveItems> mSparkle;
};

} // namespace Game
