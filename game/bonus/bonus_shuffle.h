#pragma once
// The shuffle: used at once, the board screen shuffles the board model in
// OnBonusTaken and leaves the exchanged pairs in the board; the bonus flies
// every moved item along an arc to its new cell, with sparks, and applies
// once all have landed.

#include "game/board/bonus.h"
#include "game/bonus/path_animation.h"

#include <memory>
#include <vector>

namespace Game {

class Board;
class RectParticle;

class BonusShuffle : public Bonus {
public:
    static constexpr const char* kBlenderFile = "data/blender.anim";
    static constexpr const char* kItemAnimFile = "data/item.anim";

    explicit BonusShuffle(IniDocument* settings);
    ~BonusShuffle() override;

    void Draw(Kavo::Graphics* g) override;
    void UpdateF(float fraction) override;
    void Update() override;
    void Use(int x, int y) override;
    void OnCharged() override;

    Animation mBlender;
    std::vector<std::unique_ptr<PathAnimation>> mFlyingItems;
    std::vector<std::unique_ptr<RectParticle>> mSparks;
    int mShowCounter = 0;
    // Set by the board screen before the use.
    Board* mBoard = nullptr;

private:
    // One item of cell (c1, r1) flying to (c2, r2), when the cell holds one.
    void FlyItem(int c1, int r1, int c2, int r2, float bow);
    void StartSparks(float x, float y);
};

} // namespace Game
