#pragma once
// A comics cut-scene: a ringing telephone, then the girl and the aunt slide
// in while a page view plays the scene's captions; a fade to black ends it
// with a switch to the board. "Skip" goes straight to the fade, a click
// shows the current caption whole, and the pointer over a character's half
// of the screen plays that character's noise. Scene 1 plays before the
// first stage, 2 and 3 before the second and third restaurants.

#include <cstdint>
#include <memory>
#include <string>

#include "game/app/sound_facade.h"
#include "game/ui/anim_sequence.h"
#include "game/ui/animation.h"
#include "game/ui/game_dialog.h"
#include "game/ui/held_image.h"
#include "game/ui/image_sprite.h"
#include "game/ui/layout.h"
#include "game/ui/page_view.h"

namespace Game {

class ComicsScene : public GameDialog, public PageViewListener {
public:
    enum State : int32_t {
        PhoneRinging = 0,
        PhoneFading = 1,
        GirlComing = 2,
        GirlTalking = 3,
        AuntComing = 4,
        BothTalking = 5,
        FadingOut = 6
    };
    static constexpr int32_t kSkipButton = 1;
    static constexpr float kFadeStep = 2.0f;

    // `scene` is 1, 2 or 3.
    explicit ComicsScene(int scene);
    ~ComicsScene() override;

    void Update() override;
    void UpdateF(float fraction) override;
    void Draw(Kavo::Graphics* g) override;
    void MouseMove(int32_t x, int32_t y) override;
    void MouseDown(int32_t x, int32_t y, int32_t clickCount) override;
    void OnPrepare() override;
    void OnEnter() override;
    void OnLeave() override;
    void ButtonDepress(int32_t buttonId) override;
    void PageEntryFinished(int32_t entryIndex) override;
    void PagesFinished() override;

    int GetScene() const { return mScene; }
    State GetState() const { return mState; }
    float GetFade() const { return mFade; }
    float GetPosition() const { return mPosition; }
    bool IsMonthShown() const { return mMonthShown; }
    bool HasGirlArrived() const { return mGirlArrived; }
    bool HasAuntArrived() const { return mAuntArrived; }
    Kavo::Widget* GetSkip() const { return mSkip; }
    const PageView* GetPageView() const { return mPageView.get(); }
    const ImageSprite& GetGirl() const { return mGirl; }
    const ImageSprite& GetAunt() const { return mAunt; }
    const ImageSprite& GetPhone() const { return mPhone; }
    SoundHandle GetAuntNoise() const { return mAuntNoise; }
    SoundHandle GetGirlNoise() const { return mGirlNoise; }

private:
    void LoadLayout();
    // Step 1 to 4 of a showing: pictures, positions, captions.
    void Begin();
    void StartFade();
    void StepAnimations();
    void StartNoise(SoundHandle& handle, const std::string& wave);
    void StopNoise(SoundHandle& handle);
    static float Width(const ImageSprite& sprite);
    float AppWidth() const;

    int mScene;
    std::string mFolder; // "images/comix", "images/comix2", "images/comix3"
    std::unique_ptr<Layout> mLayout;
    Kavo::Widget* mSkip = nullptr;
    std::unique_ptr<PageView> mPageView;
    HeldImage mCircle;
    ImageSprite mGirl;
    ImageSprite mAunt;
    ImageSprite mPhone;
    float mPosition = 0.0f;
    float mSpeed = 0.0f;
    int32_t mTicks = 0;
    State mState = PhoneRinging;
    float mFade = 0.0f;
    bool mGirlArrived = false;
    bool mAuntArrived = false;
    // Scene 1: the cat's eye, the ring's shine, the month; the blinking eyes.
    Animation mCatEye;
    Animation mRingShine;
    Animation mMonth;
    AnimSequence mAuntEye;
    AnimSequence mGirlEye;
    bool mMonthShown = false;
    // Scene 2: the glass's blink.
    Animation mGlassBlink;
    SoundHandle mAuntNoise = 0;
    SoundHandle mGirlNoise = 0;
};

class ComicsScene1 : public ComicsScene {
public:
    ComicsScene1() : ComicsScene(1) {}
};

class ComicsScene2 : public ComicsScene {
public:
    ComicsScene2() : ComicsScene(2) {}
};

class ComicsScene3 : public ComicsScene {
public:
    ComicsScene3() : ComicsScene(3) {}
};

} // namespace Game
