#pragma once
// A small widget tree on a manager: widgets that log what reaches them into
// one shared list, a fake application host and a recording screen.

#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "framework/widget/widget.h"
#include "framework/widget/widget_app_host.h"
#include "framework/widget/widget_manager.h"
#include "tests/framework/graphics/fake_font.h"
#include "tests/framework/graphics/recording_image.h"
#include "tests/support/headless_environment.h"

#include <gmock/gmock.h>

namespace widget_test {

using Kavo::Graphics;
using Kavo::Widget;

using EventLog = std::vector<std::string>;

// Logs "name Event args" for every notification.
class LoggingWidget : public Widget {
public:
    LoggingWidget(std::string name, EventLog* log) : mName(std::move(name)), mLog(log) {}

    using Widget::DrawOverlay;

    std::function<void()> mOnUpdate;
    int32_t mOverlayPriority = -1; // queued from Draw when not negative

    void Update() override {
        Widget::Update();
        Log("Update");
        if (mOnUpdate)
            mOnUpdate();
    }
    void Draw(Graphics*) override {
        Log("Draw");
        if (mOverlayPriority >= 0)
            DeferOverlay(mOverlayPriority);
    }
    void DrawOverlay(Graphics*, int32_t priority) override { Log("Overlay " + std::to_string(priority)); }
    void MouseEnter() override { Log("Enter"); }
    void MouseLeave() override { Log("Leave"); }
    void MouseMove(int32_t x, int32_t y) override { Log("Move", x, y); }
    void MouseDown(int32_t x, int32_t y, int32_t clickCount) override {
        Log("Down", x, y, clickCount);
        Widget::MouseDown(x, y, clickCount);
    }
    void MouseUp(int32_t x, int32_t y, int32_t clickCount) override { Log("Up", x, y, clickCount); }
    void MouseDrag(int32_t x, int32_t y) override { Log("Drag", x, y); }
    void GotFocus() override {
        Widget::GotFocus();
        Log("GotFocus");
    }
    void LostFocus() override {
        Widget::LostFocus();
        Log("LostFocus");
    }
    void KeyDown(int32_t key) override {
        Log("KeyDown", key);
        Widget::KeyDown(key);
    }
    void KeyUp(int32_t key) override { Log("KeyUp", key); }
    void KeyChar(char character) override { Log("KeyChar", static_cast<int>(character)); }

private:
    template <typename... Args>
    void Log(const std::string& event, Args... args) {
        std::ostringstream line;
        line << mName << ' ' << event;
        ((line << ' ' << args), ...);
        mLog->push_back(line.str());
    }

    std::string mName;
    EventLog* mLog;
};

// The application side: a scripted loop step, the cursor states and killed
// dialogs it was given, and fake fonts it counts.
class FakeHost : public Kavo::WidgetAppHost {
public:
    std::function<bool()> mStep;
    std::vector<int32_t> mCursorStates;
    std::vector<int32_t> mKilledDialogs;
    std::vector<std::string> mFontsMade; // "face size"
    std::string mClipboard;
    bool mHighCharacters = false;
    std::vector<std::string> mCarets; // "x y" or "hide"

    bool LoopStep() override { return mStep ? mStep() : false; }
    void SetCursorState(int32_t state) override { mCursorStates.push_back(state); }
    void KillDialog(int32_t dialogId) override { mKilledDialogs.push_back(dialogId); }
    Kavo::Font* CreateSysFont(const std::string& face, int32_t pointSize) override {
        mFontsMade.push_back(face + " " + std::to_string(pointSize));
        return new Kavo::FakeFont(8, 20, 16);
    }
    void SetClipboardText(const std::string& text) override { mClipboard = text; }
    std::string GetClipboardText() override { return mClipboard; }
    bool AllowsHighCharacters() override { return mHighCharacters; }
    void PlaceCaret(int32_t x, int32_t y) override { mCarets.push_back(std::to_string(x) + " " + std::to_string(y)); }
    void HideCaret() override { mCarets.push_back("hide"); }
};

class WidgetTreeTest : public Kavo::HeadlessEnvironment {
protected:
    WidgetTreeTest() {
        auto host = std::make_unique<FakeHost>();
        mHost = host.get();
        mManager.SetAppHost(std::move(host));
        mManager.Resize(Kavo::IntRect(0, 0, 640, 480), Kavo::IntRect(0, 0, 640, 480));
        mManager.mImage = &mScreen;
    }

    // A widget at (x, y, width, height) added to the parent (the manager when null).
    LoggingWidget& Add(const std::string& name, int32_t x, int32_t y, int32_t width, int32_t height,
                       Kavo::WidgetContainer* parent = nullptr) {
        mWidgets.push_back(std::make_unique<LoggingWidget>(name, &mLog));
        LoggingWidget& widget = *mWidgets.back();
        widget.Resize(x, y, width, height);
        (parent != nullptr ? parent : &mManager)->AddWidget(&widget);
        return widget;
    }

    // Runs "move x y", "drag x y", "down x y code", "up x y code", "exit" lines.
    void Input(const std::vector<std::string>& lines) {
        for (const std::string& line : lines) {
            std::istringstream in(line);
            std::string op;
            int32_t x = 0;
            int32_t y = 0;
            int32_t code = 0;
            in >> op >> x >> y >> code;
            if (op == "move")
                mManager.MousePosition(x, y);
            else if (op == "drag")
                mManager.MouseDrag(x, y);
            else if (op == "down")
                mManager.MouseDown(x, y, code);
            else if (op == "up")
                mManager.MouseUp(x, y, code);
            else if (op == "exit")
                mManager.MouseExit();
            else
                ADD_FAILURE() << "unknown input " << line;
        }
    }

    // The log since the last call.
    EventLog TakeLog() { return std::exchange(mLog, {}); }

    EventLog mLog;
    Kavo::RecordingImage mScreen{640, 480};
    Kavo::WidgetManager mManager{nullptr};
    FakeHost* mHost = nullptr;
    // After the manager, so that the widgets leave it before it goes.
    std::vector<std::unique_ptr<LoggingWidget>> mWidgets;
};

} // namespace widget_test
