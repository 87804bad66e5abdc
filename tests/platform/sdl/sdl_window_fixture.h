#pragma once
// A fresh headless platform with the SDL video driver installed over it,
// one real window of class "MainWindow" (double clicks on) whose
// procedure records every message, and a way to deliver pushed SDL events.
// Skips the test when no display is available.

#include <gtest/gtest.h>

#include <SDL.h>

#include <memory>
#include <vector>

#include "platform/drivers.h"
#include "platform/headless/headless_platform.h"
#include "platform/sdl/sdl_session.h"
#include "platform/sdl/sdl_video_driver.h"
#include "platform/window.h"

struct SeenMessage {
    platform::MessageId message = 0;
    platform::WParam wParam = 0;
    platform::LParam lParam = 0;
    bool operator==(const SeenMessage&) const = default;
};

inline std::vector<SeenMessage>& SeenMessages() {
    static std::vector<SeenMessage> seen;
    return seen;
}

inline platform::LResult RecordingProc(platform::WindowHandle window, platform::MessageId message,
                                       platform::WParam wParam, platform::LParam lParam) {
    SeenMessages().push_back({message, wParam, lParam});
    return platform::DefWindowProc(window, message, wParam, lParam);
}

class SdlWindowTest : public ::testing::Test {
protected:
    static constexpr int kClientWidth = 64;
    static constexpr int kClientHeight = 48;

    void SetUp() override {
        if (!platform::SdlDisplayAvailable())
            GTEST_SKIP() << "no display (DISPLAY or WAYLAND_DISPLAY) for SDL windows; run under xvfb-run";
        mPlatform = std::make_unique<platform::HeadlessPlatform>();
        mVideo = std::make_shared<platform::SdlVideoDriver>();
        ASSERT_TRUE(mVideo->Started()) << mVideo->Error();
        mInstalled = std::make_unique<platform::Installed<platform::VideoDriver>>(platform::VideoDriverSlot(), mVideo);
        mWindow = MakeWindow("MainWindow", platform::kCsDblClks, 100, 80);
        ASSERT_NE(mWindow, nullptr);
        Drain();
        SeenMessages().clear();
    }

    void TearDown() override {
        platform::ResetWindowSystem(); // the SDL windows go while the driver is installed
        mInstalled.reset();
        mVideo.reset();
        mPlatform.reset();
        SeenMessages().clear();
    }

    platform::WindowHandle MakeWindow(const char* className, std::uint32_t classStyle, int x, int y) {
        platform::RegisterWindowClass({className, classStyle, &RecordingProc});
        const std::uint32_t style = platform::kWsPopup;
        platform::WindowCreateInfo info{className, "Test", style, 0, x, y, kClientWidth, kClientHeight, nullptr};
        platform::WindowHandle window = platform::CreateWindow(info);
        if (window)
            platform::ShowWindow(window, platform::kSwShowNormal);
        return window;
    }

    Uint32 SdlId(platform::WindowHandle window) const { return SDL_GetWindowID(mVideo->SdlWindowOf(window)); }

    // Lets the window layer pump SDL's events and dispatches what it posts.
    void Drain() {
        platform::Message message;
        for (int pass = 0; pass < 3; ++pass) {
            while (platform::PeekMessage(message))
                platform::DispatchMessage(message);
        }
    }

    std::unique_ptr<platform::HeadlessPlatform> mPlatform;
    std::shared_ptr<platform::SdlVideoDriver> mVideo;
    std::unique_ptr<platform::Installed<platform::VideoDriver>> mInstalled;
    platform::WindowHandle mWindow = nullptr;
};
