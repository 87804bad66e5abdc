#include <gtest/gtest.h>

#include "surface_fixture.h"

namespace surface_test {
namespace {

using Rows = std::vector<std::vector<std::uint32_t>>;
using Surfaces = SurfaceLayer;

TEST_F(Surfaces, LockingALockedSurfaceIsBusyAndBlitsWaitForTheUnlock) {
    Open();
    Surface* a = Offscreen(4, 4);
    Surface* b = Offscreen(4, 4);
    SurfaceDesc desc;
    ASSERT_EQ(a->Lock(desc, kLockWait), DD_OK);
    SurfaceDesc again;
    EXPECT_EQ(a->Lock(again, kLockWait), DDERR_SURFACEBUSY);
    EXPECT_EQ(b->Blt(nullptr, a, nullptr, kBltWait, nullptr), DDERR_SURFACEBUSY);
    EXPECT_EQ(a->Blt(nullptr, b, nullptr, kBltWait, nullptr), DDERR_SURFACEBUSY);
    EXPECT_EQ(a->Unlock(), DD_OK);
    EXPECT_EQ(a->Unlock(), DDERR_NOTLOCKED);
    EXPECT_EQ(b->Blt(nullptr, a, nullptr, kBltWait, nullptr), DD_OK);
    a->Release();
    b->Release();
}

// Blits between 16-bit surfaces whose rows carry 12 bytes of padding; the
// padding must come through every blit untouched.
TEST_F(Surfaces, BlitCopiesStretchesKeysAndRefusesRectanglesOutsideTheSurface) {
    environment->settings.desktopFormat = PixelFormat::Rgb565();
    const Rows source = {{1, 2, 3}, {4, 5, 6}};
    struct Case {
        const char* name;
        Rect src;
        Rect dest;
        bool keyed;
        HResult expected;
        Rows result; // the destination (4 x 4, starting 0xEE everywhere)
    };
    const std::uint32_t E = 0xEE;
    const Case cases[] = {
        {"equal", {0, 0, 3, 2}, {1, 1, 4, 3}, false, DD_OK, {{E, E, E, E}, {E, 1, 2, 3}, {E, 4, 5, 6}, {E, E, E, E}}},
        {"enlarged",
         {0, 0, 2, 2},
         {0, 0, 4, 4},
         false,
         DD_OK,
         {{1, 1, 2, 2}, {1, 1, 2, 2}, {4, 4, 5, 5}, {4, 4, 5, 5}}},
        {"reduced", {0, 0, 3, 2}, {0, 0, 1, 1}, false, DD_OK, {{5, E, E, E}, {E, E, E, E}, {E, E, E, E}, {E, E, E, E}}},
        {"keyed", {0, 0, 3, 2}, {0, 0, 3, 2}, true, DD_OK, {{1, E, E, E}, {4, 5, 6, E}, {E, E, E, E}, {E, E, E, E}}},
        {"dest outside", {0, 0, 3, 2}, {2, 2, 5, 4}, false, DDERR_INVALIDRECT, {}},
        {"dest negative", {0, 0, 3, 2}, {-1, 0, 2, 2}, false, DDERR_INVALIDRECT, {}},
        {"src outside", {0, 0, 4, 2}, {0, 0, 4, 2}, false, DDERR_INVALIDRECT, {}},
        {"empty", {0, 0, 3, 2}, {2, 2, 2, 4}, false, DDERR_INVALIDRECT, {}},
    };
    Open();
    Surface* src = Offscreen(3, 2);
    Fill(src, source);
    const ColorKey key{2, 3}; // a range: 2 and 3 are skipped
    ASSERT_EQ(src->SetColorKey(kColorKeySrcBlt, &key), DD_OK);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Surface* dest = Offscreen(4, 4);
        Fill(dest, Rows(4, std::vector<std::uint32_t>(4, E)));
        SurfaceDesc desc;
        ASSERT_EQ(dest->Lock(desc, kLockWait), DD_OK);
        auto* padding = static_cast<std::uint8_t*>(desc.surface) + 8;
        std::memset(padding, 0xA5, 12);
        ASSERT_EQ(dest->Unlock(), DD_OK);

        const std::uint32_t flags = kBltWait | (c.keyed ? kBltKeySrc : 0);
        EXPECT_EQ(dest->Blt(&c.dest, src, &c.src, flags, nullptr), c.expected);
        if (c.expected == DD_OK) {
            EXPECT_EQ(Read(dest), c.result);
        } else {
            EXPECT_EQ(Read(dest), Rows(4, std::vector<std::uint32_t>(4, E)));
        }
        for (int i = 0; i < 12; ++i) {
            EXPECT_EQ(padding[i], 0xA5);
        }
        dest->Release();
    }
    src->Release();
}

TEST_F(Surfaces, BlitRefusesMismatchedFormatsAndKeylessKeyedBlits) {
    Open();
    Surface* a = Offscreen(2, 2);
    SurfaceDesc desc;
    desc.flags = kDescCaps | kDescWidth | kDescHeight | kDescPixelFormat;
    desc.width = desc.height = 2;
    desc.pixelFormat = PixelFormat::Rgb565();
    Surface* b = nullptr;
    ASSERT_EQ(display->CreateSurface(desc, &b), DD_OK);
    EXPECT_EQ(a->Blt(nullptr, b, nullptr, kBltWait, nullptr), DDERR_INVALIDPIXELFORMAT);
    EXPECT_EQ(a->Blt(nullptr, a, nullptr, kBltWait | kBltKeySrc, nullptr), DDERR_NOCOLORKEY);
    EXPECT_EQ(a->Blt(nullptr, nullptr, nullptr, kBltWait, nullptr), DDERR_INVALIDPARAMS);
    ColorKey key;
    EXPECT_EQ(a->GetColorKey(kColorKeySrcBlt, key), DDERR_NOCOLORKEY);
    a->Release();
    b->Release();
}

TEST_F(Surfaces, ColourFillAndOverlappingBlitWithinOneSurface) {
    Open();
    Surface* s = Offscreen(4, 1);
    Fill(s, {{1, 2, 3, 4}});
    const Rect from{0, 0, 3, 1}, to{1, 0, 4, 1};
    ASSERT_EQ(s->Blt(&to, s, &from, kBltWait, nullptr), DD_OK);
    EXPECT_EQ(Read(s), Rows({{1, 1, 2, 3}}));
    BltEffects fill;
    fill.fillColor = 0x00ABCDEF;
    const Rect two{2, 0, 4, 1};
    ASSERT_EQ(s->Blt(&two, nullptr, nullptr, kBltColorFill | kBltWait, &fill), DD_OK);
    EXPECT_EQ(Read(s), Rows({{1, 1, 0x00ABCDEF, 0x00ABCDEF}}));
    s->Release();
}

TEST_F(Surfaces, ClipperLimitsBlitsIntoThePrimaryToTheWindowAndTheWindowIsPresented) {
    Open();
    Surface* primary = Primary();
    Clipper* clipper = nullptr;
    ASSERT_EQ(display->CreateClipper(0, &clipper), DD_OK);
    Rect region;
    EXPECT_EQ(clipper->GetClipRect(region), DDERR_NOCLIPLIST);
    ASSERT_EQ(clipper->SetHWnd(0, window), DD_OK);
    ASSERT_EQ(primary->SetClipper(clipper), DD_OK);
    clipper->Release();
    const Point origin = ClientToScreen(window, {0, 0});
    ASSERT_EQ(clipper->GetClipRect(region), DD_OK);
    EXPECT_EQ(region, (Rect{origin.x, origin.y, origin.x + 320, origin.y + 240}));

    // A 4 x 4 frame placed so that it hangs one pixel over the window's left and top edges.
    Surface* frame = Offscreen(4, 4);
    Fill(frame, {{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}, {13, 14, 15, 16}});
    const std::uint32_t outside = 0x00123456;
    BltEffects fill;
    fill.fillColor = outside;
    const Rect aroundCorner{origin.x - 1, origin.y - 1, origin.x + 1, origin.y + 1};
    // Fills are clipped too: only the pixel inside the window changes.
    ASSERT_EQ(primary->Blt(&aroundCorner, nullptr, nullptr, kBltColorFill, &fill), DD_OK);
    EXPECT_EQ(Get(primary, origin.x - 1, origin.y - 1), 0u);
    primary->SetClipper(nullptr);
    ASSERT_EQ(primary->Blt(&aroundCorner, nullptr, nullptr, kBltColorFill, &fill), DD_OK);
    ASSERT_EQ(display->CreateClipper(0, &clipper), DD_OK);
    ASSERT_EQ(clipper->SetHWnd(0, window), DD_OK);
    ASSERT_EQ(primary->SetClipper(clipper), DD_OK);
    clipper->Release();

    presenter->shown.clear();
    const Rect dest{origin.x - 1, origin.y - 1, origin.x + 3, origin.y + 3};
    ASSERT_EQ(primary->Blt(&dest, frame, nullptr, kBltWait, nullptr), DD_OK);
    EXPECT_EQ(Get(primary, origin.x - 1, origin.y - 1), outside); // outside the window: untouched
    EXPECT_EQ(Get(primary, origin.x, origin.y), 6u);              // the picture is not shifted
    EXPECT_EQ(Get(primary, origin.x + 2, origin.y + 2), 16u);

    ASSERT_EQ(presenter->shown.size(), 1u);
    const PrimaryFrame& shown = presenter->shown[0].frame;
    EXPECT_EQ(shown.window, window);
    EXPECT_EQ(shown.windowArea, region);
    EXPECT_EQ(shown.changed, (Rect{origin.x, origin.y, origin.x + 3, origin.y + 3}));
    EXPECT_EQ(presenter->shown[0].firstChangedPixel, 6u);
    EXPECT_EQ(shown.width, 640);
    EXPECT_EQ(shown.pitch, 640 * 4 + 12);

    // Reads do not present; writes through a lock do.
    presenter->shown.clear();
    Get(primary, 0, 0);
    EXPECT_TRUE(presenter->shown.empty());
    Fill(primary, {{7}});
    ASSERT_EQ(presenter->shown.size(), 1u);
    EXPECT_EQ(presenter->shown[0].frame.changed, (Rect{0, 0, 640, 480}));

    // Blits into other surfaces are not presented.
    presenter->shown.clear();
    ASSERT_EQ(frame->Blt(nullptr, frame, nullptr, kBltWait, nullptr), DD_OK);
    EXPECT_TRUE(presenter->shown.empty());
    frame->Release();
    primary->Release();
}

TEST_F(Surfaces, FlipSwapsFrontAndBackAndFlipToGdiSurfaceUndoesAnOddFlip) {
    Open(kCoopFullScreen | kCoopExclusive);
    ASSERT_EQ(display->SetDisplayMode(320, 200, 32), DD_OK);
    SurfaceDesc desc;
    desc.flags = kDescCaps | kDescBackBufferCount;
    desc.caps = kCapsPrimarySurface | kCapsFlip | kCapsComplex;
    desc.backBufferCount = 1;
    Surface* primary = nullptr;
    ASSERT_EQ(display->CreateSurface(desc, &primary), DD_OK);
    Surface* back = nullptr;
    ASSERT_EQ(primary->GetAttachedSurface(kCapsBackBuffer, &back), DD_OK);
    EXPECT_EQ(back->Width(), 320);
    EXPECT_TRUE(back->Caps() & kCapsBackBuffer);
    Surface* none = nullptr;
    EXPECT_EQ(back->GetAttachedSurface(kCapsBackBuffer, &none), DDERR_NOTFOUND);
    EXPECT_EQ(back->Flip(nullptr, kFlipWait), DDERR_NOTFLIPPABLE);

    Fill(primary, {{1}});
    Fill(back, {{2}});
    presenter->shown.clear();
    ASSERT_EQ(primary->Flip(nullptr, kFlipWait), DD_OK);
    EXPECT_EQ(Get(primary, 0, 0), 2u);
    EXPECT_EQ(Get(back, 0, 0), 1u);
    ASSERT_EQ(presenter->shown.size(), 1u);
    EXPECT_EQ(presenter->shown[0].firstChangedPixel, 2u);
    EXPECT_EQ(presenter->shown[0].frame.windowArea, (Rect{0, 0, 320, 200}));

    SurfaceDesc locked;
    ASSERT_EQ(back->Lock(locked, kLockWait), DD_OK);
    EXPECT_EQ(primary->Flip(back, kFlipWait), DDERR_SURFACEBUSY);
    ASSERT_EQ(back->Unlock(), DD_OK);

    ASSERT_EQ(display->FlipToGdiSurface(), DD_OK);
    EXPECT_EQ(Get(primary, 0, 0), 1u);
    ASSERT_EQ(display->FlipToGdiSurface(), DD_OK); // already showing: nothing moves
    EXPECT_EQ(Get(primary, 0, 0), 1u);
    back->Release();
    primary->Release();
}

TEST_F(Surfaces, PalettesHold256EntriesAndAreSharedByReference) {
    Open();
    std::vector<PaletteEntry> colours(kPaletteSize);
    for (int i = 0; i < kPaletteSize; ++i) {
        colours[i] = {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i), 7, 0};
    }
    Palette* palette = nullptr;
    ASSERT_EQ(display->CreatePalette(0, colours.data(), &palette), DD_OK);
    PaletteEntry read[2];
    ASSERT_EQ(palette->GetEntries(0, 254, 2, read), DD_OK);
    EXPECT_EQ(read[1], colours[255]);
    const PaletteEntry red{255, 0, 0, 0};
    ASSERT_EQ(palette->SetEntries(0, 255, 1, &red), DD_OK);
    ASSERT_EQ(palette->GetEntries(0, 255, 1, read), DD_OK);
    EXPECT_EQ(read[0], red);
    EXPECT_EQ(palette->SetEntries(0, 255, 2, colours.data()), DDERR_INVALIDPARAMS);
    EXPECT_EQ(palette->GetEntries(0, -1, 1, read), DDERR_INVALIDPARAMS);
    EXPECT_EQ(palette->GetEntries(0, 0, 1, nullptr), DDERR_INVALIDPARAMS);

    Surface* s = Offscreen(1, 1);
    Palette* attached = nullptr;
    EXPECT_EQ(s->GetPalette(&attached), DDERR_NOPALETTEATTACHED);
    ASSERT_EQ(s->SetPalette(palette), DD_OK);
    EXPECT_EQ(palette->Release(), 1u);
    ASSERT_EQ(s->GetPalette(&attached), DD_OK);
    EXPECT_EQ(attached, palette);
    EXPECT_EQ(attached->Release(), 1u);
    EXPECT_EQ(environment->live->palettes.load(), 1);
    s->Release(); // drops the palette with it
    EXPECT_EQ(environment->live->palettes.load(), 0);
}

} // namespace
} // namespace surface_test
