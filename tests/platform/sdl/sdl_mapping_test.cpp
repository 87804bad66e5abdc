// The pure parts of the SDL drivers: the letterbox of full screen, key
// codes, control characters, cursor masks and frame conversion.

#include <gtest/gtest.h>

#include <SDL.h>

#include <vector>

#include "platform/messages.h"
#include "platform/sdl/letterbox.h"
#include "platform/sdl/sdl_cursor_image.h"
#include "platform/sdl/sdl_frame.h"
#include "platform/sdl/sdl_key_map.h"

namespace {

using namespace platform;

TEST(Letterbox, FitsTheClientAreaBetweenBarsAndMapsBothWays) {
    struct Case {
        int clientW, clientH, outW, outH;
        Rect view;
    };
    const Case cases[] = {
        {1024, 768, 1024, 768, {0, 0, 1024, 768}},     // windowed: 1:1
        {1024, 768, 1920, 1080, {240, 0, 1680, 1080}}, // wide desktop: bars left and right
        {1024, 768, 1280, 1024, {0, 32, 1280, 992}},   // 5:4 desktop: bars above and below
        {1024, 768, 800, 600, {0, 0, 800, 600}},       // smaller, same shape
        {1024, 768, 0, 0, {0, 0, 0, 0}},               // nothing to show on
    };
    for (const Case& c : cases) {
        const Letterbox box(c.clientW, c.clientH, c.outW, c.outH);
        EXPECT_EQ(box.View(), c.view) << c.outW << "x" << c.outH;
    }
    const Letterbox wide(1024, 768, 1920, 1080);
    EXPECT_EQ(wide.ToClient({240, 0}), (Point{0, 0}));
    EXPECT_EQ(wide.ToClient({1679, 1079}), (Point{1023, 767}));
    EXPECT_EQ(wide.ToClient({239, 540}).x, -1); // in the left bar: outside the client area
    EXPECT_EQ(wide.ToClient({1680, 540}).x, 1024);
    EXPECT_EQ(wide.ToOutput({0, 0, 1024, 768}), (Rect{240, 0, 1680, 1080}));
    EXPECT_EQ(wide.ToOutput({512, 384, 1024, 768}), (Rect{960, 540, 1680, 1080}));
}

TEST(SdlKeyMap, KeysBecomeVirtualKeyCodes) {
    struct Case {
        SDL_Keycode key;
        SDL_Scancode scancode;
        int vk;
    };
    const Case cases[] = {
        {SDLK_a, SDL_SCANCODE_A, 'A'},
        {SDLK_z, SDL_SCANCODE_Z, 'Z'},
        {SDLK_0, SDL_SCANCODE_0, '0'},
        {SDLK_9, SDL_SCANCODE_9, '9'},
        {SDLK_F1, SDL_SCANCODE_F1, 0x70},
        {SDLK_F12, SDL_SCANCODE_F12, 0x7B},
        {SDLK_LSHIFT, SDL_SCANCODE_LSHIFT, kVkShift},
        {SDLK_RCTRL, SDL_SCANCODE_RCTRL, kVkControl},
        {SDLK_RALT, SDL_SCANCODE_RALT, kVkMenu},
        {SDLK_UP, SDL_SCANCODE_UP, kVkUp},
        {SDLK_PAGEDOWN, SDL_SCANCODE_PAGEDOWN, kVkNext},
        {SDLK_KP_0, SDL_SCANCODE_KP_0, kVkNumpad0},
        {SDLK_KP_5, SDL_SCANCODE_KP_5, kVkNumpad0 + 5},
        {SDLK_BACKQUOTE, SDL_SCANCODE_GRAVE, kVkOem3},
        // A Cyrillic layout: the key in the place of Latin F is VK 'F'.
        {0x0430, SDL_SCANCODE_F, 'F'},
        {SDLK_UNKNOWN, SDL_SCANCODE_UNKNOWN, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(VirtualKeyFromSdl(c.key, c.scancode), c.vk) << c.key;
}

TEST(SdlKeyMap, ControlCharactersAsTheSystemTypesThem) {
    EXPECT_EQ(ControlCharacterFor('C', KMOD_LCTRL), 0x03);
    EXPECT_EQ(ControlCharacterFor('V', KMOD_RCTRL), 0x16);
    EXPECT_EQ(ControlCharacterFor('X', KMOD_LCTRL), 0x18);
    EXPECT_EQ(ControlCharacterFor('Z', KMOD_LCTRL), 0x1A);
    EXPECT_EQ(ControlCharacterFor('C', KMOD_LCTRL | KMOD_LALT), 0);
    EXPECT_EQ(ControlCharacterFor(kVkF1, KMOD_LCTRL), 0);
    EXPECT_EQ(ControlCharacterFor('C', KMOD_NONE), 0); // typed through text input
    EXPECT_EQ(ControlCharacterFor(kVkBack, KMOD_NONE), 0x08);
    EXPECT_EQ(ControlCharacterFor(kVkReturn, KMOD_LSHIFT), 0x0D);
    EXPECT_EQ(ControlCharacterFor(kVkReturn, KMOD_LALT), 0); // Alt+Enter switches the screen mode
    EXPECT_EQ(ControlCharacterFor(kVkEscape, KMOD_NONE), 0x1B);
}

TEST(SdlCursorImage, MonochromeMasksKeepBlackWhiteTransparentAndInverted) {
    // One byte: pixels 0-1 black, 2-3 white, 4-5 transparent, 6-7 inverted.
    const std::vector<std::uint8_t> andMask{0b00001111};
    const std::vector<std::uint8_t> xorMask{0b00110011};
    std::vector<std::uint8_t> data, mask;
    MonochromeToSdlBits(andMask, xorMask, data, mask);
    EXPECT_EQ(data, std::vector<std::uint8_t>{0b11000011});
    EXPECT_EQ(mask, std::vector<std::uint8_t>{0b11110000});
}

TEST(SdlFrame, EveryPresentableLayoutBecomesOpaqueArgb) {
    std::vector<std::uint32_t> out;
    // Full 5 and 6-bit channels stay full; the top bits repeat below.
    const std::uint16_t rgb565[] = {0xF800, 0x07E0, 0x8410};
    ASSERT_TRUE(FrameToArgb({rgb565, 6, 3, 1, PixelFormat::Rgb565()}, out));
    EXPECT_EQ(out, (std::vector<std::uint32_t>{0xFFFF0000, 0xFF00FF00, 0xFF848284}));
    const std::uint16_t rgb555[] = {0x7FFF};
    ASSERT_TRUE(FrameToArgb({rgb555, 2, 1, 1, PixelFormat::Rgb555()}, out));
    EXPECT_EQ(out, (std::vector<std::uint32_t>{0xFFFFFFFF}));
    const std::uint16_t bgr565[] = {0xF800};
    ASSERT_TRUE(FrameToArgb({bgr565, 2, 1, 1, PixelFormat::Bgr565()}, out));
    EXPECT_EQ(out, (std::vector<std::uint32_t>{0xFF0000FF}));
    const std::uint8_t rgb888[] = {0x33, 0x22, 0x11};
    ASSERT_TRUE(FrameToArgb({rgb888, 3, 1, 1, PixelFormat::Rgb888()}, out));
    EXPECT_EQ(out, (std::vector<std::uint32_t>{0xFF112233}));
    const std::uint32_t xrgb[] = {0x00123456, 0xAA654321};
    ASSERT_TRUE(FrameToArgb({xrgb, 8, 2, 1, PixelFormat::Xrgb8888()}, out));
    EXPECT_EQ(out, (std::vector<std::uint32_t>{0xFF123456, 0xFF654321}));

    EXPECT_FALSE(FrameToArgb({xrgb, 4, 2, 1, PixelFormat::Xrgb8888()}, out)); // rows too short
    EXPECT_FALSE(FrameToArgb({nullptr, 8, 2, 1, PixelFormat::Xrgb8888()}, out));
    PixelFormat odd = PixelFormat::Rgb565();
    odd.redMask = 0;
    EXPECT_FALSE(FrameToArgb({rgb565, 4, 2, 1, odd}, out));
    odd.redMask = 0xA000; // not one run of bits
    EXPECT_FALSE(FrameToArgb({rgb565, 4, 2, 1, odd}, out));
}

// A frame already in the window's layout is copied row by row with its alpha
// made opaque: padded rows on both sides, the padding of the output kept.
TEST(SdlFrame, XrgbFramesAreCopiedRowByRowIntoPaddedRows) {
    constexpr int kWidth = 5, kHeight = 3, kInPitch = 7, kOutPitch = 6;
    std::vector<std::uint32_t> in(kInPitch * kHeight);
    for (std::size_t i = 0; i < in.size(); ++i)
        in[i] = static_cast<std::uint32_t>(i * 0x01234567u);
    std::vector<std::uint32_t> out(kOutPitch * kHeight, 0xDEADBEEFu);
    ASSERT_TRUE(
        FrameToArgb({in.data(), kInPitch * 4, kWidth, kHeight, PixelFormat::Xrgb8888()}, out.data(), kOutPitch * 4));
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kOutPitch; ++x) {
            const std::uint32_t expected = x < kWidth ? in[y * kInPitch + x] | 0xFF000000u : 0xDEADBEEFu;
            EXPECT_EQ(out[y * kOutPitch + x], expected) << x << "," << y;
        }
    }
    EXPECT_FALSE(FrameToArgb({in.data(), kInPitch * 4, kWidth, kHeight, PixelFormat::Xrgb8888()}, out.data(),
                             (kWidth - 1) * 4)); // output rows too short
}

} // namespace
