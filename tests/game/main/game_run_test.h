#pragma once
// The game run as its program runs it, headless on the generated sample
// content: the tables and the board screen registered, the command line
// read (so a run can record a demo or replay one), and the application's
// own loop stepped on the virtual clock. Input is posted to the window as
// the system would post it, so a recording holds everything the run got.

#include "framework/graphics/memory_image.h"
#include "framework/util/rect.h"
#include "framework/util/system_util.h"
#include "framework/widget/button_widget.h"
#include "framework/widget/widget.h"
#include "game/app/game_app.h"
#include "game/main/board_screen_setup.h"
#include "game/main/game_tables.h"
#include "game/main/program_sound.h"
#include "platform/clock.h"
#include "platform/drivers.h"
#include "platform/file_system.h"
#include "platform/messages.h"
#include "platform/window.h"
#include "tests/framework/app/app_test_environment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace Game {

// The game's application as the tests run it: a dialog the game waits for
// (a message box) runs the loop from inside; each such nested step first
// gives the test its turn, to answer with input.
class RunGameApp : public GameApp {
public:
    using GameApp::GameApp;
    bool RunLoopStep(bool* updated) override {
        if (mUpdateAppDepth > 0 && mNestedStep)
            mNestedStep();
        return GameApp::RunLoopStep(updated);
    }
    std::function<void()> mNestedStep;
};

class GameRunTest : public app_test::AppTestEnvironment {
protected:
    ~GameRunTest() override { EndProgram(); }

    // The application and what the program installed for it, gone.
    void EndProgram() {
        mApp.reset();
        mBoardSetup.reset();
        mTables.reset();
        mSound.reset();
    }

    // A new application on the program's folder, initialised with these
    // command-line options ("-record", "-play", "-demofile=...").
    void Start(const std::vector<std::string>& options = {}) {
        // The previous run's tables go before the new ones install theirs:
        // each puts back what was installed before it.
        mApp.reset();
        mBoardSetup.reset();
        mTables.reset();
        mSound.reset();
        // The run starts on the next whole period of the virtual clock: the
        // program seeds its deals from the clock at start, and the time the
        // earlier runs took (which follows their loading thread's pace) must
        // not change the deal this one meets.
        platform::VirtualClock& clock = Platform().Clock();
        clock.AdvanceMicroseconds((kRunPeriodUs - clock.Microseconds() % kRunPeriodUs) % kRunPeriodUs);
        // A run asked to meet another deal starts that much later.
        clock.AdvanceMicroseconds(mStartOffsetUs);
        // The program's sound output, on the headless audio driver.
        mSound = std::make_unique<ProgramSound>();
        mApp = std::make_unique<RunGameApp>(KAVO_PROGRAM_FOLDER);
        mApp->mChangeDirTo = KAVO_SAMPLE_CONTENT;
        mApp->mIsWindowed = mWindowed;
        mUserDataRoot = platform::GetUserDataRoot(mApp->mProdName);
        mTables = std::make_unique<GameTables>();
        mBoardSetup = std::make_unique<BoardScreenSetup>();
        mTables->Register(mApp->mSteps);
        mBoardSetup->Register(mApp->mSteps, mTables->Goals());
        std::vector<const char*> argv{"kavo-game"};
        for (const std::string& option : options)
            argv.push_back(option.c_str());
        mApp->SetCommandLine(static_cast<int>(argv.size()), argv.data());
        mApp->Initialize();
        // Full screen (asked for, or the setting a full-screen run saved)
        // paces updates by the display's refresh, whose fraction of a
        // millisecond the virtual clock never sleeps: the loop paces
        // itself by the clock.
        mApp->mVSyncUpdates = false;
        mApp->BeginRun();
    }
    // The end of the run once the game has shut down (the recording is
    // written then), and the frame it showed last.
    void Finish() {
        ASSERT_TRUE(mApp->mShutdown);
        mApp->EndRun();
        mLastFrameHash = FrameHash();
        // The run's tables and board hooks end with it: a profile read
        // afterwards must not reach the board screen that is gone.
        mApp.reset();
        mBoardSetup.reset();
        mTables.reset();
        mSound.reset();
    }

    RunGameApp& App() { return *mApp; }

    // Runs the loop until one more update has run (or the game shut down).
    void Step() {
        const int32_t before = mApp->mUpdateCount;
        for (int i = 0; i < 1000 && !mApp->mShutdown && mApp->mUpdateCount == before; ++i) {
            mApp->RunLoopStep(nullptr);
            // The virtual clock's sleep only yields; the loading thread
            // needs real time to take the locks the main thread's redraws hold.
            if (mApp->mLoadingThreadStarted && !mApp->mLoadingThreadCompleted)
                std::this_thread::sleep_for(std::chrono::microseconds(300));
        }
    }
    template <typename Done>
    bool StepUntil(Done done, int limit) {
        for (int i = 0; i < limit && !done() && !mApp->mShutdown; ++i)
            Step();
        return done();
    }
    // Steps until the game has shut down; false if it has not within `limit` updates.
    bool RunToShutdown(int limit) {
        return StepUntil([&] { return mApp->mShutdown.load(); }, limit);
    }

    // Posts a message to the main window and lets the loop take it in.
    void Post(platform::MessageId message, platform::WParam wParam, platform::LParam lParam) {
        platform::PostMessage(mApp->mHWnd, message, wParam, lParam);
        mPosted = true;
    }
    // A move, press and release at (x, y) in window coordinates, posted
    // only: a loop running inside the game takes them in.
    void PostClick(int x, int y) {
        const platform::LParam at = platform::MakeLParam(x, y);
        // The loop's timer compares the system cursor with the window.
        platform::SetCursorPos(platform::ClientToScreen(App().mHWnd, {x, y}));
        Post(platform::kWmMouseMove, 0, at);
        Post(platform::kWmLButtonDown, platform::kMkLButton, at);
        Post(platform::kWmLButtonUp, 0, at);
    }
    // A move, press and release at (x, y) in window coordinates.
    void ClickAt(int x, int y) {
        PostClick(x, y);
        TakeInput();
    }
    // A click at the centre of the part of the widget that lies in the
    // window, once some of it does: a dialog may still be flying in, a tip
    // may stand partly off the edge, and a recording holds window
    // positions only.
    void Click(Kavo::Widget* widget) {
        ASSERT_NE(widget, nullptr);
        ASSERT_TRUE(widget->mVisible);
        auto visible = [&] {
            const Kavo::Point at = widget->GetAbsPos();
            const int left = std::max(at.mX, 0);
            const int top = std::max(at.mY, 0);
            const int right = std::min(at.mX + widget->mWidth, mApp->mWidth);
            const int bottom = std::min(at.mY + widget->mHeight, mApp->mHeight);
            return Kavo::IntRect(left, top, right - left, bottom - top);
        };
        ASSERT_TRUE(StepUntil([&] { return visible().mWidth > 0 && visible().mHeight > 0; }, 500))
            << widget->GetAbsPos().mX << "," << widget->GetAbsPos().mY << " " << widget->mWidth << "x"
            << widget->mHeight;
        const Kavo::IntRect part = visible();
        ClickAt(part.mX + part.mWidth / 2, part.mY + part.mHeight / 2);
    }
    void PressKey(int key) {
        Post(platform::kWmKeyDown, static_cast<platform::WParam>(key), 0);
        Post(platform::kWmKeyUp, static_cast<platform::WParam>(key), 0);
        TakeInput();
    }
    // Characters as the keyboard sends them, one WM_CHAR each.
    void Type(const std::string& text) {
        for (const char c : text)
            Post(platform::kWmChar, static_cast<unsigned char>(c), 0);
        TakeInput();
    }
    // The window's close box.
    void CloseWindow() {
        Post(platform::kWmClose, 0, 0);
        TakeInput();
    }
    // Runs the loop until it has taken the posted messages from the queue
    // and handled every one; an update may run first, as when input
    // arrives in the middle of a frame.
    void TakeInput() {
        bool taken = false;
        for (int i = 0; i < 1000 && mPosted; ++i) {
            // The steps that start in state 0 (3 becomes 0) read the queue.
            const bool readsQueue = mApp->mUpdateAppState == 0 || mApp->mUpdateAppState == 3;
            mApp->RunLoopStep(nullptr);
            taken = taken || readsQueue;
            mPosted = !taken || !mApp->mDeferredMessages.empty();
        }
        mPosted = false;
    }

    // The first button with this id under `container`.
    static Kavo::ButtonWidget* FindButton(Kavo::WidgetContainer* container, int32_t id) {
        if (container == nullptr)
            return nullptr;
        for (Kavo::Widget* widget : container->GetWidgets()) {
            if (auto* button = dynamic_cast<Kavo::ButtonWidget*>(widget); button != nullptr && button->mId == id)
                return button;
            if (Kavo::ButtonWidget* found = FindButton(widget, id))
                return found;
        }
        return nullptr;
    }

    // The first button of any id under `container`.
    static Kavo::ButtonWidget* FirstButton(Kavo::WidgetContainer* container) {
        if (container == nullptr)
            return nullptr;
        for (Kavo::Widget* widget : container->GetWidgets()) {
            if (auto* button = dynamic_cast<Kavo::ButtonWidget*>(widget))
                return button;
            if (Kavo::ButtonWidget* found = FirstButton(widget))
                return found;
        }
        return nullptr;
    }

    // A hash of the picture the video driver (the headless one, or the one
    // a window test installed over it) shows last (0: none), whatever pixel
    // format the screen mode presented it in.
    uint64_t FrameHash() {
        int width = 0, height = 0;
        std::vector<uint32_t> argb;
        if (!platform::GetVideoDriver()->ReadWindowPixels(mApp->mHWnd, width, height, argb))
            return 0;
        uint64_t hash = 1469598103934665603ULL;
        for (const uint32_t pixel : argb)
            hash = (hash ^ pixel) * 1099511628211ULL;
        return hash;
    }

    // The game's user-data folder (the players' files live in "Users").
    std::filesystem::path UserData() { return mUserDataRoot; }
    // Every file under the user-data folder with its bytes.
    std::map<std::string, std::string> UserFiles() {
        std::map<std::string, std::string> files;
        const std::filesystem::path root = UserData();
        if (!std::filesystem::exists(root))
            return files;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
            if (!entry.is_regular_file())
                continue;
            std::string bytes;
            platform::ReadWholeFile(entry.path().string(), bytes);
            files[std::filesystem::relative(entry.path(), root).string()] = bytes;
        }
        return files;
    }
    // Copies the user-data folder aside, or puts a copy back in its place.
    void SaveUserData(const std::filesystem::path& copy) {
        std::filesystem::remove_all(copy);
        std::filesystem::create_directories(UserData());
        std::filesystem::copy(UserData(), copy, std::filesystem::copy_options::recursive);
    }
    void RestoreUserData(const std::filesystem::path& copy) {
        std::filesystem::remove_all(UserData());
        std::filesystem::copy(copy, UserData(), std::filesystem::copy_options::recursive);
    }
    std::string DemoPath(const std::string& name) { return WorkFolder() + "/" + name + ".dmo"; }

    // Replays the demo just recorded on the folder as it stood before its
    // run: it must end within `limit` updates on the frame the recording
    // ended on, leaving the files the recording left.
    void ExpectReplayEndsAsRecorded(const std::string& demo, const std::filesystem::path& before,
                                    const std::map<std::string, std::string>& recordedFiles, int limit) {
        const uint64_t recordedFrame = mLastFrameHash;
        RestoreUserData(before);
        Start({"-play", "-demofile=" + DemoPath(demo)});
        ASSERT_TRUE(RunToShutdown(limit)) << "the replay of " << demo << " did not end; update " << App().mUpdateCount;
        Finish();
        EXPECT_NE(recordedFrame, 0u);
        EXPECT_EQ(mLastFrameHash, recordedFrame) << demo;
        EXPECT_EQ(UserFiles(), recordedFiles) << demo;
    }

    // The virtual clock's period on whose whole multiples runs start (the
    // fixture's clock starts on one).
    static constexpr uint64_t kRunPeriodUs = 5'000'000'000;

    uint64_t mLastFrameHash = 0;
    // Whether the next Start asks for a window (else full screen).
    bool mWindowed = true;
    // How long after the whole period the next Start begins: the program
    // seeds its deals from the clock, so each offset (in whole
    // milliseconds) deals another game.
    uint64_t mStartOffsetUs = 0;

private:
    std::unique_ptr<ProgramSound> mSound;
    std::unique_ptr<GameTables> mTables;
    std::unique_ptr<BoardScreenSetup> mBoardSetup;
    std::unique_ptr<RunGameApp> mApp;
    std::filesystem::path mUserDataRoot;
    bool mPosted = false;
};

} // namespace Game
