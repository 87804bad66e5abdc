#pragma once
// The one-time 3D capability test. It identifies the adapter, checks its
// video memory and the driver lists, then renders five small scenes into a
// 100 x 100 target and reads them back: two alpha blends, an additive, an
// alpha-additive and a clipped draw. The outcome is a failure reason (3D is
// not used) and a warning (3D works but is not recommended); it is stored
// under "Test3D" below the program's key and reused while the adapter and
// the memory thresholds stay the same.

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/graphics/d3d8_probe.h"
#include "framework/graphics/display_owner.h"
#include "platform/device3d/device3d.h"
#include "platform/registry.h"
#include "platform/result_codes.h"
#include "platform/surface/display.h"
#include "platform/surface/surface.h"
#include "platform/window.h"

namespace Kavo {

// Whether a line of the driver list file (trimmed; empty lines ignored;
// lines longer than 3999 characters count as several) occurs in the
// description, ignoring case. False when the file cannot be opened, with
// `opened` telling which.
bool DriverListMatches(const std::string& path, const std::string& description, bool& opened);

// ARGB pixels, row after row.
class D3DTestImage {
public:
    virtual ~D3DTestImage() = default;
    void Create(int32_t width, int32_t height);
    uint32_t& At(int32_t x, int32_t y) { return mBits[size_t(y) * size_t(mWidth) + size_t(x)]; }

    std::vector<uint32_t> mBits;
    int32_t mWidth = 0;
    int32_t mHeight = 0;
};

class D3DTester {
public:
    // Every failed device call inside a test.
    class TestException : public std::runtime_error {
    public:
        using std::runtime_error::runtime_error;
    };

    D3DTester() = default;
    virtual ~D3DTester();
    D3DTester(const D3DTester&) = delete;
    D3DTester& operator=(const D3DTester&) = delete;

    // The whole test on the display (null: one is made); the owner gives the
    // registry key and passes the outcome through its demo recorder.
    void Test(platform::WindowHandle window, platform::Display* display, DisplayOwner* owner);

    // 3D is usable when the reason is empty.
    bool Passed() const { return mFailureReason.empty(); }
    // 3D works and nothing argues against using it.
    bool Recommended() const { return Passed() && mWarning.empty(); }

    // True when the rendering tests must run.
    bool Setup(platform::WindowHandle window, platform::Display* display);
    // The five scenes in order, stopping at the first that fails.
    bool RunRenderTests();
    // True when a valid stored result is a pass.
    bool ReadCachedResult();
    void WriteResult();
    bool IsDriverAccepted(const std::string& description);
    void ReleaseAll();
    // Throws "DXError - <step>: <result name>" for a failure.
    void CheckHResult(const char* step, platform::HResult result);
    void CopyTarget();

    std::string mFailureReason;
    std::string mWarning;
    uint32_t mMinVidMemory = 6; // MB
    uint32_t mRecVidMemory = 14;
    bool mUseRegistry = true;
    bool mFreshResult = false;
    std::string mRegKey; // the program's key below "SOFTWARE\\"; empty: nothing stored
    // Where "vhwb.dat" and "vhw.dat" are looked for; empty: the current folder.
    std::string mDriverListFolder;
    int32_t mDriverYear = 0;
    AdapterGuid mDisplayGuid{};
    std::string mDriverName;
    std::string mDriverDesc;
    D3DTestImage mReadBack;

    platform::Display* mDisplay = nullptr; // a reference is held during a test
    platform::Surface* mRenderTarget = nullptr;
    std::shared_ptr<platform::Device3D> mDevice;
    std::shared_ptr<platform::Texture> mTexture1;
    std::shared_ptr<platform::Texture> mTexture2;
    platform::RegKey mRegistryKey;
    bool mResultToBeSaved = false;
    bool m32BitTextures = false;

private:
    struct BlendTest {
        platform::Blend mSource;
        platform::Blend mDestination;
        bool mModulateAlpha;
        uint32_t mFirstPixels, mFirstColor, mSecondPixels, mSecondColor;
        uint32_t mExpected;
        const char* mFailure;
        const char* mWarning;
    };
    bool RunBlendTest(const BlendTest& test);
    bool RunClipTest();
    void BeginTestScene(platform::Blend source, platform::Blend destination);
    void DrawImage(const D3DTestImage& image, int x, int y, uint32_t color);
    bool HasStoredValue(const char* name);
};

} // namespace Kavo
