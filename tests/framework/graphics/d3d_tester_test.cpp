// The 3D capability test on the software device and on devices made to
// fail: its scenes, the stored outcome, the memory check, the driver lists,
// and the display's decision from it.
#include <fstream>

#include <gtest/gtest.h>

#include "framework/graphics/d3d_tester.h"
#include "framework/util/directx_error.h"
#include "platform/device3d/recording_device3d.h"
#include "platform/device3d/software_device3d.h"
#include "tests/framework/graphics/renderer_fixture.h"

namespace display_test {
namespace {

// Adds with ONE/ONE as if it were an ordinary alpha blend: the card the
// additive scene is there to catch.
class NoAdditiveDevice : public platform::SoftwareDevice3D {
public:
    platform::HResult SetRenderState(platform::RenderState state, std::uint32_t value) override {
        if ((state == platform::RenderState::SrcBlend || state == platform::RenderState::DestBlend) &&
            value == uint32_t(platform::Blend::One))
            return platform::D3D_OK;
        return platform::SoftwareDevice3D::SetRenderState(state, value);
    }
};

class TesterTest : public Renderer3D {
protected:
    void SetUp() override {
        Renderer3D::SetUp();
        // A 300 KB desktop: 5 MB of card memory stays below 6 MB with it.
        environment->settings.desktopWidth = 320;
        environment->settings.desktopHeight = 240;
        owner.settings3D.mRegKey = "KavoTest";
        Open();
    }

    // A fresh tester run on the display with the given device.
    std::unique_ptr<Kavo::D3DTester> Run(std::shared_ptr<platform::Device3D> device = nullptr) {
        if (device != nullptr)
            UseDevice(std::move(device));
        else
            installedProvider.reset();
        auto tester = std::make_unique<Kavo::D3DTester>();
        tester->mDriverListFolder = Platform().Folder();
        platform::Display* display = nullptr;
        EXPECT_EQ(platform::CreateDisplay(&display), platform::DD_OK);
        tester->Test(window, display, &owner);
        display->Release();
        return tester;
    }

    uint32_t StoredDword(const char* name) {
        platform::RegKey key;
        uint32_t value = 0, size = sizeof value, type = 0;
        EXPECT_EQ(platform::RegOpenKey(platform::kRegCurrentUser, "SOFTWARE\\KavoTest\\Test3D", key), platform::kRegOk);
        platform::RegQueryValue(key, name, &type, &value, &size);
        platform::RegCloseKey(key);
        return value;
    }

    void WriteList(const char* name, const std::string& text) {
        std::ofstream(Platform().Folder() + "/" + name) << text;
    }

    static platform::AdapterDescription Card(const std::string& description, uint32_t megabytes = 64) {
        platform::AdapterDescription adapter = platform::SoftwareAdapter();
        adapter.identifier.description = description;
        adapter.memory.totalBytes = megabytes << 20;
        return adapter;
    }
};

TEST_F(TesterTest, TheSoftwareDevicePassesTheScenesAndIsStored) {
    auto tester = Run();
    EXPECT_EQ(tester->mFailureReason, "");
    // Its identity names no known card: 3D is offered, not recommended.
    EXPECT_EQ(tester->mWarning, "Unsupported video card: Kavo Software Renderer");
    EXPECT_TRUE(tester->mFreshResult);
    // The clip scene is the last read back: stripes, shifted by two columns.
    EXPECT_EQ(tester->mReadBack.At(0, 0), 0xFF000000u);
    EXPECT_EQ(tester->mReadBack.At(1, 0), 0xFFFFFFFFu);
    EXPECT_EQ(tester->mReadBack.At(61, 61), 0xFFFFFFFFu);
    EXPECT_EQ(tester->mReadBack.At(62, 0), 0xFF000000u); // beyond the image
    EXPECT_EQ(StoredDword("Version"), 2u);
    EXPECT_EQ(StoredDword("MinVidMemory"), 6u);
    EXPECT_EQ(StoredDword("RecVidMemory"), 14u);

    // A rerun reuses the stored pass without drawing.
    auto recording = std::make_shared<platform::RecordingDevice3D>();
    auto again = Run(recording);
    EXPECT_EQ(again->mFailureReason, "");
    EXPECT_EQ(again->mWarning, tester->mWarning);
    EXPECT_FALSE(again->mFreshResult);
    EXPECT_TRUE(recording->CallsNamed("DrawPrimitive").empty());
}

TEST_F(TesterTest, AnOldVersionOrAStoredFailureIsTestedAgain) {
    for (const bool oldVersion : {true, false}) {
        SCOPED_TRACE(oldVersion ? "version 1" : "stored failure");
        Run(std::make_shared<NoAdditiveDevice>()); // stores a failure
        if (oldVersion) {
            Run(); // stores a pass
            platform::RegKey key;
            platform::RegOpenKey(platform::kRegCurrentUser, "SOFTWARE\\KavoTest\\Test3D", key);
            const uint32_t one = 1;
            platform::RegSetValue(key, "Version", platform::kRegDword, &one, sizeof one);
            platform::RegCloseKey(key);
        }
        auto recording = std::make_shared<platform::RecordingDevice3D>();
        auto tester = Run(recording);
        EXPECT_FALSE(recording->CallsNamed("DrawPrimitive").empty());
        EXPECT_EQ(StoredDword("Version"), 2u);
        // The recording device draws nothing, so the first scene fails.
        EXPECT_EQ(tester->mFailureReason, "Alpha blend Not Supported");
    }
}

TEST_F(TesterTest, FailuresNameTheirCause) {
    auto failedCreation = std::make_shared<FixedDeviceProvider>();
    struct Case {
        const char* name;
        std::function<std::unique_ptr<Kavo::D3DTester>()> run;
        std::string reason;
    } cases[] = {
        {"5 MB of video memory", [&] { return Run(std::make_shared<platform::SoftwareDevice3D>(Card("Radeon", 5))); },
         "Not enough video memory."},
        {"a card that adds like it blends", [&] { return Run(std::make_shared<NoAdditiveDevice>()); },
         "Additive blend not supported."},
        {"a device that cannot be made",
         [&] {
             provider->failure = platform::D3DERR_INITFAILED;
             auto tester = Run(std::make_shared<platform::SoftwareDevice3D>());
             provider->failure = platform::D3D_OK;
             return tester;
         },
         "DXError - CreateDevice: " + Kavo::GetDirectXErrorString(platform::D3DERR_INITFAILED)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto tester = c.run();
        EXPECT_EQ(tester->mFailureReason, c.reason);
        EXPECT_EQ(StoredDword("Version"), 2u); // written even so
    }
}

TEST_F(TesterTest, MemoryIsSummedWithoutWrappingAt4GB) {
    // 4 GB - 1 of card memory plus the desktop wraps to little in 32 bits.
    platform::AdapterDescription adapter = Card("NVIDIA");
    adapter.memory.totalBytes = 0xFFFFFFFFu;
    auto tester = Run(std::make_shared<platform::SoftwareDevice3D>(adapter));
    EXPECT_EQ(tester->mFailureReason, "");
    EXPECT_EQ(tester->mWarning, "");
}

TEST_F(TesterTest, DriverListsDecideBeforeTheCardsName) {
    Kavo::D3DTester tester;
    tester.mDriverListFolder = Platform().Folder();
    tester.mDriverYear = 1999;
    EXPECT_TRUE(tester.IsDriverAccepted("ATI Radeon 9000"));
    EXPECT_FALSE(tester.IsDriverAccepted("Some Card 3000"));
    tester.mDriverYear = 2005;
    EXPECT_TRUE(tester.IsDriverAccepted("Some Card 3000"));

    WriteList("vhw.dat", "  other card \r\n\r\nfine card\n");
    EXPECT_FALSE(tester.IsDriverAccepted("Some Card 3000")); // a 2005 driver the list does not name
    EXPECT_TRUE(tester.IsDriverAccepted("The FINE CARD xl"));
    WriteList("vhwb.dat", "fine card\n");
    EXPECT_FALSE(tester.IsDriverAccepted("The FINE CARD xl")); // refused first

    // The outcome of a refused card: a warning, 3D still usable.
    auto refused = Run(std::make_shared<platform::SoftwareDevice3D>(Card("Fine Card")));
    EXPECT_EQ(refused->mFailureReason, "");
    EXPECT_EQ(refused->mWarning, "Unsupported video card: Fine Card");
}

class Display3DTest : public Renderer3D {};

TEST_F(Display3DTest, TheDisplayTurns3DOnForACardThatPassesCleanly) {
    const struct {
        const char* description;
        bool is3D;
    } cases[] = {{"NVIDIA GeForce", true}, {"Kavo Software Renderer", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        platform::AdapterDescription adapter = platform::SoftwareAdapter();
        adapter.identifier.description = c.description;
        UseDevice(std::make_shared<platform::SoftwareDevice3D>(adapter));
        owner.settings3D.mAutoEnable3D = true;
        Open();
        ASSERT_EQ(dd->Init(window, true), Kavo::DDInterface::RESULT_OK) << dd->mErrorString;
        ASSERT_NE(dd->mD3DTester, nullptr);
        EXPECT_EQ(dd->mIs3D, c.is3D);
        EXPECT_EQ(Kavo::IsDisplay3D(), c.is3D);
        // In 3D the display image draws through the renderer.
        dd->mScreenImage->FillRect(Kavo::IntRect(2, 2, 3, 3), Kavo::Color(255, 0, 0), 0);
        EXPECT_EQ(dd->mD3DInterface->mWasUsed, c.is3D);
        // The test runs once per display.
        EXPECT_FALSE(dd->RunD3DTest(window));
        dd.reset();
    }
}

} // namespace
} // namespace display_test
