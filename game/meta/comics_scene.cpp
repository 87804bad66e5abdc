#include "game/meta/comics_scene.h"

#include "framework/graphics/graphics.h"
#include "framework/graphics/image.h"
#include "game/app/game_app.h"
#include "game/ui/update_pacing.h"

namespace Game {

namespace {

// Where each scene's phone stops and its picture folder, layout and pages.
struct SceneData {
    const char* layout;
    const char* pages;
    const char* folder;
    int toBoard;
    float phoneStop;      // scene 1 slides left to it, the others right
    int32_t phoneFadeAt;  // the tick after which the phone fades
    int32_t phoneFadeLen; // over that many ticks
};

constexpr SceneData kScenes[] = {
    {"UI/comix.txt", "data/comix.txt", "images/comix", 37, 600.0f, 75, 75},
    {"UI/comix2.txt", "data/comix2.txt", "images/comix2", 39, 158.0f, 75, 75},
    {"UI/comix3.txt", "data/comix3.txt", "images/comix3", 40, 138.0f, 50, 50},
};

constexpr float kPhoneY = 235.0f;
constexpr int32_t kGirlComesAt = 100;
constexpr float kGirlSpeed = 0.02f;
constexpr float kAuntSpeed = 0.025f;
constexpr uint32_t kNoiseFadeMs = 50;

const SceneData& Data(int scene) {
    return kScenes[scene >= 1 && scene <= 3 ? scene - 1 : 0];
}

} // namespace

ComicsScene::ComicsScene(int scene) : GameDialog(0, false), mScene(scene >= 1 && scene <= 3 ? scene : 1) {
    mFolder = Data(mScene).folder;
    if (mScene == 1) {
        LoadLayout();
        mAuntEye.SetFrames({500, 400, 300, 500});
        mGirlEye.SetFrames({800, 700});
        mGirlEye.mShownLength = 100;
    }
}

ComicsScene::~ComicsScene() = default;

void ComicsScene::LoadLayout() {
    // A second showing replaces the layout, and "Skip" with it.
    mSkip = nullptr;
    mLayout.reset();
    mLayout = std::make_unique<Layout>(Data(mScene).layout, this);
    mSkip = mLayout->GetControl("Skip");
}

float ComicsScene::Width(const ImageSprite& sprite) {
    const Kavo::Image* image = sprite.GetImage();
    return image != nullptr ? static_cast<float>(image->GetWidth()) : 0.0f;
}

float ComicsScene::AppWidth() const {
    GameApp* app = gGameApp;
    return static_cast<float>(app != nullptr ? app->mWidth : GameApp::kGameWidth);
}

void ComicsScene::Begin() {
    mAuntNoise = mGirlNoise = 0;
    mTicks = 0;
    mState = PhoneRinging;
    mFade = 0.0f;
    mGirlArrived = mAuntArrived = mMonthShown = false;
    if (mSkip != nullptr)
        mSkip->SetVisible(true);

    mGirl.LoadImage(mFolder + "/girl");
    mAunt.LoadImage(mFolder + "/aunt");
    mPhone.LoadImage("images/comix/phone");
    mPhone.SetAlpha(255.0f);
    mCircle.Load("images/comix/circle");
    mPageView = std::make_unique<PageView>();
    mPageView->Load(Data(mScene).pages, this, 1);
    mPageView->SetBalloon(mCircle.Get());
    if (mScene == 1) {
        mCatEye.LoadFile("data/cateye.anim");
        mRingShine.LoadFile("data/ringshine.anim");
        mMonth.LoadFile("data/month.anim");
        for (Animation* anim : {&mCatEye, &mRingShine, &mMonth})
            anim->Restart();
        mAuntEye.LoadImage("images/comix/aunteye");
        mGirlEye.LoadImage("images/comix/girleye");
        if (const auto at = mLayout->GetDesc("AuntEye"))
            mAuntEye.SetPosition(at->x, at->y);
        if (const auto at = mLayout->GetDesc("GirlEye"))
            mGirlEye.SetPosition(at->x, at->y);
    } else if (mScene == 2) {
        mGlassBlink.LoadFile("data/ringshine.anim");
        mGlassBlink.Restart();
        if (const auto at = mLayout->GetDesc("GlassBlink"))
            mGlassBlink.SetPosition(at->x, at->y);
    }

    const float appWidth = AppWidth();
    const float phone = Width(mPhone);
    if (mScene == 1) {
        mGirl.mX = Width(mGirl) + appWidth;
        mAunt.mX = -Width(mAunt);
        mPosition = phone + appWidth;
    } else {
        mGirl.mX = -Width(mGirl);
        mAunt.mX = Width(mAunt) + appWidth;
        mPosition = -phone;
    }
    mPhone.mX = mPosition;
    mPhone.mY = kPhoneY;
    mSpeed = phone * kGirlSpeed;
    GameApp* app = gGameApp;
    if (app != nullptr)
        app->PlaySound("cellphone", true);
}

void ComicsScene::OnPrepare() {
    if (mScene != 1) {
        LoadLayout();
        Begin();
    }
}

void ComicsScene::OnEnter() {
    if (mScene == 1)
        Begin();
}

void ComicsScene::OnLeave() {
    if (SndIsEnabled()) {
        StopNoise(mAuntNoise);
        StopNoise(mGirlNoise);
    }
    mPhone.Release();
    mAuntEye.Release();
    mGirlEye.Release();
    mPageView.reset();
    mGirl.Release();
    mAunt.Release();
    mCircle.Release();
}

void ComicsScene::StartFade() {
    if (mSkip != nullptr)
        mSkip->SetVisible(false);
    mFade = 0.0f;
    mState = FadingOut;
}

void ComicsScene::ButtonDepress(int32_t buttonId) {
    if (buttonId == kSkipButton)
        StartFade();
}

void ComicsScene::PageEntryFinished(int32_t entryIndex) {
    if (mState == FadingOut)
        return;
    if (entryIndex == 1) {
        const float aunt = Width(mAunt);
        mPosition = mScene == 1 ? -aunt : aunt + AppWidth();
        mSpeed = aunt * kAuntSpeed;
        mAunt.mX = mPosition;
        mState = AuntComing;
    } else if (entryIndex == 15 && mScene == 1) {
        mMonthShown = true;
    }
}

void ComicsScene::PagesFinished() {
    StartFade();
}

void ComicsScene::StepAnimations() {
    if (mScene == 1) {
        if (mMonthShown)
            mMonth.Update();
        if (mGirlArrived)
            mGirlEye.Step();
        if (mAuntArrived)
            mAuntEye.Step();
    } else if (mScene == 2 && (mGirlArrived || mAuntArrived)) {
        mGlassBlink.Update();
    }
}

void ComicsScene::Update() {
    GameDialog::Update();
    StepAnimations();
    const SceneData& data = Data(mScene);
    switch (mState) {
    case PhoneFading:
        ++mTicks;
        if (mTicks > data.phoneFadeAt) {
            const int32_t alpha = 255 - (mTicks - data.phoneFadeAt) * 255 / data.phoneFadeLen;
            mPhone.SetAlpha(static_cast<float>(std::max(alpha, 0)));
        }
        if (mPageView)
            mPageView->Update();
        if (mTicks == kGirlComesAt && mState == PhoneFading) {
            mPosition = mScene == 1 ? Width(mGirl) + AppWidth() : -Width(mGirl);
            mGirl.mX = mPosition;
            mSpeed = Width(mGirl) * kGirlSpeed;
            mState = GirlComing;
        }
        break;
    case GirlTalking:
    case BothTalking:
        if (mPageView)
            mPageView->Update();
        if (mScene == 1 && mAuntArrived) {
            mCatEye.Update();
            mRingShine.Update();
        }
        break;
    case FadingOut:
        mFade += kFadeStep;
        if (mFade > 255.0f) {
            mFade = 255.0f;
            if (GameApp* app = gGameApp)
                app->SwitchScreen(data.toBoard);
        }
        break;
    default:
        break;
    }
    if (!PacedByRefresh())
        UpdateF(1.0f);
    MarkDirty();
}

void ComicsScene::UpdateF(float fraction) {
    const float appWidth = AppWidth();
    const SceneData& data = Data(mScene);
    const float step = mSpeed * fraction;
    switch (mState) {
    case PhoneRinging:
        // A phone without a picture has nothing to slide: it is there at once.
        if (mScene == 1)
            mPosition = step > 0.0f ? mPosition - step : data.phoneStop;
        else
            mPosition = step > 0.0f ? mPosition + step : data.phoneStop;
        mPhone.mX = mPosition;
        if ((mScene == 1 && mPosition <= data.phoneStop) || (mScene != 1 && mPosition >= data.phoneStop)) {
            if (mScene == 2)
                mPhone.mX = data.phoneStop;
            mState = PhoneFading;
            mTicks = 0;
            mPosition = mScene == 1 ? Width(mGirl) + appWidth : -Width(mGirl);
        }
        break;
    case GirlComing: {
        const float girl = Width(mGirl);
        if (mScene == 1) {
            mPosition = step > 0.0f ? mPosition - step : appWidth - girl;
            if (mPosition <= appWidth - girl) {
                mGirlArrived = true;
                mState = GirlTalking;
            }
        } else {
            mPosition = step > 0.0f ? mPosition + step : 0.0f;
            if (mPosition >= 0.0f) {
                mPosition = 0.0f;
                mGirlArrived = true;
                mState = GirlTalking;
            }
        }
        mGirl.mX = mPosition;
        break;
    }
    case AuntComing: {
        const float aunt = Width(mAunt);
        if (mScene == 1) {
            mPosition = step > 0.0f ? mPosition + step : 0.0f;
            if (mPosition >= 0.0f) {
                mPosition = 0.0f;
                mAuntArrived = true;
                mState = BothTalking;
            }
        } else {
            mPosition = step > 0.0f ? mPosition - step : appWidth - aunt;
            if (mPosition <= appWidth - aunt) {
                mAuntArrived = true;
                mState = BothTalking;
            }
        }
        mAunt.mX = mPosition;
        break;
    }
    default:
        break;
    }
}

void ComicsScene::Draw(Kavo::Graphics* g) {
    g->SetColor(Kavo::Color(0, 0, 0, 255));
    g->FillRect(0, 0, mWidth, mHeight);
    if (mLayout)
        mLayout->DrawImages(g, 0);
    if (mState > PhoneFading) {
        mGirl.Draw(g, 255.0f);
        if (mScene == 1 && mGirlArrived)
            mGirlEye.Draw(g);
    }
    if (mState > GirlTalking)
        mAunt.Draw(g, 255.0f);
    if (mScene == 1 && mMonthShown)
        mMonth.Draw(g);
    switch (mState) {
    case PhoneRinging:
        mPhone.Draw(g, 255.0f);
        break;
    case PhoneFading:
        mPhone.Draw(g, 255.0f);
        if (mPageView)
            mPageView->Draw(g);
        break;
    case GirlTalking:
    case BothTalking:
        if (mState == BothTalking && mScene == 1) {
            mAuntEye.Draw(g);
            mCatEye.Draw(g);
            mRingShine.DrawOverlay(g);
        }
        if (mScene == 2 && (mGirlArrived || mAuntArrived))
            mGlassBlink.Draw(g);
        if (mPageView)
            mPageView->Draw(g);
        break;
    case FadingOut:
        g->SetColor(Kavo::Color(0, 0, 0, static_cast<int32_t>(mFade)));
        g->FillRect(0, 0, static_cast<int32_t>(AppWidth()), mHeight);
        break;
    default:
        break;
    }
}

void ComicsScene::MouseDown(int32_t x, int32_t y, int32_t clickCount) {
    GameDialog::MouseDown(x, y, clickCount);
    if (mPageView)
        mPageView->Skip();
}

void ComicsScene::StartNoise(SoundHandle& handle, const std::string& wave) {
    if (handle == 0 || !SndIsPlaying(handle))
        handle = SndPlayByNameWave("noisesound", wave.c_str());
}

void ComicsScene::StopNoise(SoundHandle& handle) {
    if (handle != 0)
        SndStopSound(handle, kNoiseFadeMs, true);
    handle = 0;
}

void ComicsScene::MouseMove(int32_t x, int32_t y) {
    GameDialog::MouseMove(x, y);
    const int32_t half = static_cast<int32_t>(AppWidth()) / 2;
    const std::string number = std::to_string(mScene);
    // Scene 1 has the aunt on the left, the others on the right.
    const bool auntSide = mScene == 1 ? x < half : x > half;
    if (auntSide) {
        if (mState > GirlTalking) {
            StartNoise(mAuntNoise, "noise/auntnoise" + number);
            StopNoise(mGirlNoise);
        }
    } else if (mState > PhoneFading) {
        StartNoise(mGirlNoise, "noise/girlnoise" + number);
        StopNoise(mAuntNoise);
    }
}

} // namespace Game
