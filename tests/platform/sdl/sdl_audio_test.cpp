// The SDL audio driver on SDL's "dummy" output, which pulls sound in real
// time without a sound card, and without any output at all.

#include <gtest/gtest.h>

#include <SDL.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <string>
#include <thread>

#include "platform/sdl/sdl_audio_driver.h"
#include "tests/support/scoped_env.h"

namespace {

using namespace platform;
using namespace std::chrono_literals;

bool HasDummyOutput() {
    for (int i = 0; i < SDL_GetNumAudioDrivers(); ++i) {
        if (std::strcmp(SDL_GetAudioDriver(i), "dummy") == 0)
            return true;
    }
    return false;
}

template <typename Condition>
bool WaitFor(Condition condition) {
    for (int i = 0; i < 300 && !condition(); ++i)
        std::this_thread::sleep_for(10ms);
    return condition();
}

TEST(SdlAudioDriver, PullsFromTheCallbackPausesAndCloses) {
    if (!HasDummyOutput())
        GTEST_SKIP() << "this SDL has no dummy audio output";
    ScopedEnv output("SDL_AUDIODRIVER", "dummy");
    SdlAudioDriver driver;
    std::atomic<int> calls{0};
    std::atomic<std::size_t> lastFrames{0};
    std::atomic<bool> badBytes{false};
    const AudioFormat format{22050, 2, 16};
    ASSERT_TRUE(driver.Open(format, [&](std::uint8_t* out, std::size_t frames) {
        std::memset(out, 0x11, frames * 4);
        lastFrames = frames;
        ++calls;
    })) << driver.LastError();
    EXPECT_TRUE(driver.IsOpen());
    EXPECT_FALSE(driver.Open(format, [](std::uint8_t*, std::size_t) {})); // already open
    ASSERT_TRUE(WaitFor([&] { return calls >= 2; }));
    EXPECT_GT(lastFrames.load(), 0u);
    EXPECT_FALSE(badBytes.load());

    driver.Pause();
    const int paused = calls;
    std::this_thread::sleep_for(150ms);
    EXPECT_EQ(calls.load(), paused);
    driver.Resume();
    EXPECT_TRUE(WaitFor([&] { return calls > paused; }));

    driver.Close();
    EXPECT_FALSE(driver.IsOpen());
    const int closed = calls;
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(calls.load(), closed);
}

TEST(SdlAudioDriver, TheCallbackMayCloseItsOwnOutput) {
    if (!HasDummyOutput())
        GTEST_SKIP() << "this SDL has no dummy audio output";
    ScopedEnv output("SDL_AUDIODRIVER", "dummy");
    SdlAudioDriver driver;
    std::atomic<int> calls{0};
    ASSERT_TRUE(driver.Open({44100, 1, 8}, [&](std::uint8_t* out, std::size_t frames) {
        std::memset(out, 0x80, frames);
        if (++calls == 2)
            driver.Close();
    })) << driver.LastError();
    ASSERT_TRUE(WaitFor([&] { return !driver.IsOpen(); }));
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(calls.load(), 2);
    // The output can be opened again; the device left behind is let go.
    EXPECT_TRUE(driver.Open({44100, 2, 16}, [](std::uint8_t*, std::size_t) {})) << driver.LastError();
    driver.Close();
}

TEST(SdlAudioDriver, WithoutAnOutputOpenFailsWithAReasonAndNothingElseBreaks) {
    ScopedEnv output("SDL_AUDIODRIVER", "no-such-output");
    SdlAudioDriver driver;
    EXPECT_FALSE(driver.Open({44100, 2, 16}, [](std::uint8_t*, std::size_t) {}));
    EXPECT_NE(driver.LastError().find("no audio device"), std::string::npos) << driver.LastError();
    EXPECT_FALSE(driver.IsOpen());
    driver.Pause();
    driver.Resume();
    driver.Close();
    // Formats it could never play are refused before any device is asked.
    EXPECT_FALSE(driver.Open({44100, 3, 16}, [](std::uint8_t*, std::size_t) {}));
    EXPECT_FALSE(driver.Open({44100, 2, 16}, nullptr));
}

} // namespace
