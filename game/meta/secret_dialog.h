#pragma once
// The dialog that opens over the board when a secret piece turns up: a dog in
// the corner, the postcard's frame with the pieces found so far, and the new
// piece flying from where it was found to its spot, with two glows and a
// flash at the end. The last piece of a map turns the pieces into the
// complete postcard with a burst of particles.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "game/meta/secret_maps.h"
#include "game/ui/anim_sequence.h"
#include "game/ui/animation.h"
#include "game/ui/held_image.h"
#include "game/ui/image_sprite.h"
#include "game/ui/layout_dialog.h"

namespace Game {

class AnimEffect;
class ParticleSystem;

class SecretDialog : public LayoutDialog {
public:
    static constexpr int32_t kDialogId = 5;
    static constexpr int32_t kCloseButton = 1;
    static constexpr int32_t kClosedResult = 1000;
    // A flight shorter than this starts this far off its spot instead.
    static constexpr float kShortFlight = 50.0f;
    static constexpr float kShortFlightShift = 25.0f;

    enum State { kFlyingFirstHalf = 0, kFlyingSecondHalf = 1, kCompleteWaiting = 2, kCompleteShown = 3, kPlaced = 4 };

    // `found`: the pieces found with this one; `mapName`: the current secret
    // map; (x, y): where on the screen the piece was found. Without a map or
    // a piece nothing flies: the dialog shows the dog, the text and the frame
    // it has, and its button still closes it.
    SecretDialog(int found, const std::string& mapName, float x, float y,
                 const std::string& layoutPath = "UI/Secret.txt");
    ~SecretDialog() override;

    void Update() override;
    void UpdateF(float step) override;
    void Draw(Kavo::Graphics* g) override;
    void ButtonDepress(int32_t buttonId) override;

    State GetState() const { return mState; }
    int GetFound() const { return mFound; }
    bool IsComplete() const { return mComplete; }
    FlyPoint GetStart() const { return mStart; }
    FlyPoint GetTarget() const { return mTarget; }
    FlyPoint GetPiecePosition() const { return mCurrent; }
    bool HasFlash() const { return mFlash != nullptr; }
    bool HasBurst() const { return mBurst != nullptr; }

private:
    void BuildSprites();
    void PlaceFlight();
    void EndFlight();
    void SetAnimationImage(Animation& animation, const std::string& file, Kavo::Image* image);
    void DrawPieces(Kavo::Graphics* g, int count);
    static float Distance(FlyPoint a, FlyPoint b);

    bool mHasMap = false;
    SecretMapEntry mMap;
    int mFound = 0;
    int mNewest = -1; // the piece that flies; -1 for none
    bool mComplete = false;
    FlyPoint mStart;
    FlyPoint mTarget;
    FlyPoint mCurrent;
    ImageSprite mFrame;
    std::vector<std::unique_ptr<ImageSprite>> mPieces;
    ImageSprite mCompletePostcard;
    ImageSprite mText;
    Animation mFlyingPiece;
    Animation mGlow1;
    Animation mGlow2;
    ImageSprite mDog;
    AnimSequence mDogEye;
    HeldImage mFlashImage;
    std::unique_ptr<AnimEffect> mFlash;
    std::unique_ptr<ParticleSystem> mBurst;
    State mState = kFlyingFirstHalf;
    int mUpdates = 0;
    int mWaitUpdates = 0;
    float mTotalDistance = 0;
    float mSpeed = 0;
    float mPieceAngle = 0;
    float mAngleStep = -0.12566f; // a full turn in 50 steps
    float mPieceScale = 0.2f;
    float mGlowScale1 = 0.7f;
    float mGlowStep1 = 0.2f;
    float mGlowScale2 = 0.5f;
    float mGlowAngle2 = -0.5f;
};

} // namespace Game
