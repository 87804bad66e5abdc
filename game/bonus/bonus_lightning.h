#pragma once
// The pepper: used at once. A pepper box shakes three times over the board,
// scattering pepper at the bottom of each shake, then the board screen
// applies the strike. When it charges a puff of pepper rises over the button
// and the button glows gold.

#include "game/board/bonus.h"
#include "game/bonus/path_animation.h"

#include <memory>
#include <vector>

namespace Game {

class Particle;
class TrMoveItems;

class BonusLightning : public Bonus {
public:
    static constexpr const char* kPepperPicture = "images/bonuses/pepper";
    static constexpr const char* kBoxFile = "data/pepperbox.anim";
    static constexpr const char* kPuffFile = "particles/pepper.ini";
    static constexpr int kShakeMoves = 6;

    struct Segment {
        float mX1 = 0;
        float mY1 = 0;
        float mX2 = 0;
        float mY2 = 0;
    };

    explicit BonusLightning(IniDocument* settings);
    ~BonusLightning() override;

    void Draw(Kavo::Graphics* g) override;
    void UpdateF(float fraction) override;
    void Update() override;
    void Reset() override;
    void Use(int x, int y) override;
    void OnCharged() override;

    std::unique_ptr<PathAnimation> mPepperBox;
    std::unique_ptr<Kavo::Image> mPepperImage;
    std::vector<std::unique_ptr<Particle>> mSparks;
    std::unique_ptr<TrMoveItems> mPuff;
    bool mPuffShown = false;
    int mPuffCounter = 0;
    int mPuffLength = 0;
    // The active part of the board, set by the board screen in OnBonusTaken.
    int mAreaLeft = 0;
    int mAreaTop = 0;
    int mAreaWidth = 0;
    int mAreaHeight = 0;
    Segment mSegments[3];
    Segment mCurrent;
    int mStepCounter = 0;
    int mPhase = 0;
    // Box moves started in the current show.
    int mMoves = 0;

private:
    // factor 1.0 for the way down, 2.0 for the way up.
    void MoveBox(float x1, float y1, float x2, float y2, float factor);
    void BurstSparks(float x, float y);
    void EndShow();
};

} // namespace Game
