#pragma once
// An initialised test application for the loop, window and thread tests,
// with a widget manager that records the input it is given, and helpers
// that step the loop on the virtual clock.

#include <cstdint>
#include <string>
#include <vector>

#include "framework/widget/widget.h"
#include "framework/widget/widget_manager.h"
#include "platform/clock.h"
#include "test_app.h"

namespace app_test {

// Records mouse and character input as "name x,y,clicks" lines.
class RecordingWidgetManager : public Kavo::WidgetManager {
public:
    using WidgetManager::WidgetManager;
    std::vector<std::string> mInput;

    bool MouseDown(int32_t x, int32_t y, int32_t clickCount) override {
        mInput.push_back("down " + std::to_string(x) + "," + std::to_string(y) + "," + std::to_string(clickCount));
        return WidgetManager::MouseDown(x, y, clickCount);
    }
    bool MouseUp(int32_t x, int32_t y, int32_t clickCount) override {
        mInput.push_back("up " + std::to_string(x) + "," + std::to_string(y) + "," + std::to_string(clickCount));
        return WidgetManager::MouseUp(x, y, clickCount);
    }
    bool KeyChar(char character) override {
        mInput.push_back(std::string("char ") + character);
        return true;
    }
};

// Records what reaches it as the focus widget.
class RecordingWidget : public Kavo::Widget {
public:
    std::vector<int32_t> mWheel;
    std::vector<int32_t> mKeysUp;
    bool* mDeleted = nullptr;
    ~RecordingWidget() override {
        if (mDeleted != nullptr)
            *mDeleted = true;
    }
    void MouseWheel(int32_t delta) override { mWheel.push_back(delta); }
    void KeyUp(int32_t key) override { mKeysUp.push_back(key); }
};

class LoopApp : public TestApp {
public:
    explicit LoopApp(const std::string& workFolder) : TestApp(workFolder) {
        delete mWidgetManager;
        mWidgetManager = mRecorder = new RecordingWidgetManager(this);
        mPainted.Resize(0, 0, 10, 10);
        mWidgetManager->AddWidget(&mPainted);
    }
    ~LoopApp() override { mWidgetManager->RemoveWidget(&mPainted); }
    RecordingWidgetManager* mRecorder;
    // A widget that needs drawing after every update when asked to.
    Kavo::Widget mPainted;
    bool mDirtyEveryUpdate = false;
    int32_t mCloseAfterUpdates = -1;

    void UpdateFrame() override {
        TestApp::UpdateFrame();
        if (mDirtyEveryUpdate)
            mPainted.MarkDirty();
        if (mUpdateCount == mCloseAfterUpdates)
            CloseApp();
    }
    int32_t Presents() const { return mDDInterface->mPresentCount; }
};

inline bool TickBefore(uint32_t a, uint32_t b) {
    return static_cast<int32_t>(a - b) < 0;
}

// Steps the loop until the clock has moved `ms` on.
inline void RunFor(Kavo::KavoAppBase& app, uint32_t ms) {
    const uint32_t end = platform::GetTickMs() + ms;
    while (TickBefore(platform::GetTickMs(), end))
        app.RunLoopStep(nullptr);
}

// Steps the loop until the update count reaches `count` (at most `limit` steps).
inline void RunUntilUpdate(Kavo::KavoAppBase& app, int32_t count, int limit = 100000) {
    for (int i = 0; i < limit && app.mUpdateCount < count; ++i)
        app.RunLoopStep(nullptr);
}

} // namespace app_test
