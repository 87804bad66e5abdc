// Presenting one 1024x768 x8r8g8b8 frame: through the SDL video driver
// (SDL's offscreen video driver unless SDL_VIDEODRIVER says otherwise, so
// the time is our process's CPU and no display server's), through the
// surface layer's windowed blit into the primary (alone, and on to the SDL
// driver) and through a full-screen flip on to the SDL driver; each against
// memcpy of the frame. Ends with the time per pixel and the ratio
// ours / memcpy. Build with -DKAVO_BUILD_BENCH=ON and run
//   build/bench/present_bench --benchmark_repetitions=5
//
// What is timed is the CPU part of a present, the one our process pays:
// converting the frame into the window's picture (the window's own surface
// when the frame needs no scaling, else a texture the renderer scales) and
// handing it to SDL. The display server's copy to the screen is not in it:
// on the offscreen driver there is none, and on X11 it is the server's CPU.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "bench/pixman_util.h"
#include "platform/drivers.h"
#include "platform/headless/headless_platform.h"
#include "platform/sdl/sdl_video_driver.h"
#include "platform/surface/display.h"
#include "platform/surface/surface.h"
#include "platform/surface/video_driver_presenter.h"
#include "platform/window.h"

namespace {

using namespace platform;

constexpr int kWidth = 1024;
constexpr int kHeight = 768;

void Finish(benchmark::State& state) {
    const double pixels = double{kWidth} * kHeight;
    state.counters["pixels"] = pixels;
    state.SetBytesProcessed(static_cast<int64_t>(static_cast<double>(state.iterations()) * pixels * 4));
}

std::vector<std::uint32_t> Frame() {
    std::vector<std::uint32_t> frame = KavoBench::Pattern(kWidth, kHeight);
    for (std::uint32_t& p : frame)
        p &= 0xFFFFFF;
    return frame;
}

void Memcpy(benchmark::State& state) {
    const std::vector<std::uint32_t> from = Frame();
    std::vector<std::uint32_t> to(from.size());
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size() * 4);
        benchmark::ClobberMemory();
    }
    Finish(state);
}

LResult PlainProc(WindowHandle window, MessageId message, WParam wParam, LParam lParam) {
    return DefWindowProc(window, message, wParam, lParam);
}

// The headless platform with the SDL video driver over it and one window
// of the frame's size at the desktop's corner.
struct SdlWindow {
    HeadlessPlatform platform;
    std::shared_ptr<SdlVideoDriver> video = std::make_shared<SdlVideoDriver>();
    Installed<VideoDriver> installed{VideoDriverSlot(), video};
    WindowHandle window = nullptr;

    SdlWindow() {
        if (!video->Started())
            return;
        RegisterWindowClass({"PresentBench", 0, PlainProc});
        window = CreateWindow({"PresentBench", "bench", kWsPopup | kWsVisible, 0, 0, 0, kWidth, kHeight, nullptr});
    }
    ~SdlWindow() { ResetWindowSystem(); }
};

void SdlPresent(benchmark::State& state) {
    SdlWindow sdl;
    if (!sdl.window) {
        state.SkipWithError(("no SDL window: " + sdl.video->Error()).c_str());
        return;
    }
    const std::vector<std::uint32_t> frame = Frame();
    const FrameView view{frame.data(), kWidth * 4, kWidth, kHeight, PixelFormat::Xrgb8888()};
    for (auto _ : state) {
        if (!sdl.video->Present(sdl.window, view, {0, 0, kWidth, kHeight})) {
            state.SkipWithError("Present failed");
            return;
        }
    }
    Finish(state);
}

// The surface layer of a desktop of the frame's size; with `toSdl` the
// primary's changes go on to the SDL driver.
struct SurfaceDesktop {
    SdlWindow sdl;
    std::shared_ptr<DisplayEnvironment> environment = std::make_shared<DisplayEnvironment>();
    std::optional<Installed<DisplayEnvironment>> installed;
    Display* display = nullptr;
    Surface* primary = nullptr;
    Surface* draw = nullptr;
    std::string error;

    SurfaceDesktop(bool toSdl, bool flipping) {
        if (!sdl.window) {
            error = "no SDL window: " + sdl.video->Error();
            return;
        }
        environment->settings.desktopWidth = kWidth;
        environment->settings.desktopHeight = kHeight;
        environment->settings.desktopFormat = PixelFormat::Xrgb8888();
        if (toSdl)
            environment->presenter = std::make_shared<VideoDriverPresenter>();
        installed.emplace(DisplayEnvironmentSlot(), environment);
        if (CreateDisplay(&display) != DD_OK) {
            error = "no display";
            return;
        }
        SurfaceDesc desc;
        desc.flags = kDescCaps;
        desc.caps = kCapsPrimarySurface;
        if (flipping) {
            if (display->SetCooperativeLevel(sdl.window, kCoopExclusive | kCoopFullScreen) != DD_OK ||
                display->SetDisplayMode(kWidth, kHeight, 32) != DD_OK) {
                error = "no full screen";
                return;
            }
            desc.flags |= kDescBackBufferCount;
            desc.caps |= kCapsFlip | kCapsComplex;
            desc.backBufferCount = 1;
        } else if (display->SetCooperativeLevel(sdl.window, kCoopNormal) != DD_OK) {
            error = "no cooperative level";
            return;
        }
        if (display->CreateSurface(desc, &primary) != DD_OK) {
            error = "no primary";
            return;
        }
        SurfaceDesc off;
        off.flags = kDescCaps | kDescWidth | kDescHeight;
        off.width = kWidth;
        off.height = kHeight;
        off.caps = kCapsOffscreenPlain | kCapsSystemMemory;
        if (display->CreateSurface(off, &draw) != DD_OK)
            error = "no draw surface";
    }
    ~SurfaceDesktop() {
        if (draw)
            draw->Release();
        if (primary)
            primary->Release();
        if (display)
            display->Release();
    }
};

// The windowed present: the draw surface blitted 1:1 into the primary.
void SurfaceBlt(benchmark::State& state, bool toSdl) {
    SurfaceDesktop desktop(toSdl, false);
    if (!desktop.error.empty()) {
        state.SkipWithError(desktop.error.c_str());
        return;
    }
    const Rect whole{0, 0, kWidth, kHeight};
    for (auto _ : state) {
        if (desktop.primary->Blt(&whole, desktop.draw, &whole, kBltWait, nullptr) != DD_OK) {
            state.SkipWithError("Blt failed");
            return;
        }
        benchmark::ClobberMemory();
    }
    Finish(state);
}

// The full-screen present: the frame drawn into the back buffer is flipped
// to the front and shown.
void SurfaceFlip(benchmark::State& state) {
    SurfaceDesktop desktop(true, true);
    if (!desktop.error.empty()) {
        state.SkipWithError(desktop.error.c_str());
        return;
    }
    for (auto _ : state) {
        if (desktop.primary->Flip(nullptr, 0) != DD_OK) {
            state.SkipWithError("Flip failed");
            return;
        }
    }
    Finish(state);
}

} // namespace

int main(int argc, char** argv) {
    // Only the CPU of this process is measured: no display server.
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    std::printf("CPU part of a present, in this process, on SDL's \"%s\" video driver; no display server's copy "
                "to the screen is included.\n",
                std::getenv("SDL_VIDEODRIVER"));
    KavoBench::RegisterPair("present_sdl_driver", SdlPresent, Memcpy, "memcpy");
    KavoBench::RegisterPair(
        "present_surface_blt", [](benchmark::State& s) { SurfaceBlt(s, false); }, Memcpy, "memcpy");
    KavoBench::RegisterPair(
        "present_surface_blt_sdl", [](benchmark::State& s) { SurfaceBlt(s, true); }, Memcpy, "memcpy");
    KavoBench::RegisterPair("present_surface_flip_sdl", SurfaceFlip, Memcpy, "memcpy");
    return KavoBench::RunPairs(argc, argv, "memcpy");
}
