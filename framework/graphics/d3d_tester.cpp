#include "framework/graphics/d3d_tester.h"

#include <algorithm>
#include <cstring>
#include <ctime>
#include <fstream>

#include "framework/graphics/surface_readback.h"
#include "framework/util/directx_error.h"
#include "framework/util/string_util.h"
#include "platform/device3d/device3d_provider.h"
#include "platform/device3d/render_target_view.h"
#include "platform/file_system.h"
#include "platform/surface/surface_flags.h"

namespace Kavo {

namespace {

constexpr int kTargetSize = 100;
constexpr int kTextureSize = 64;
constexpr int kTolerance = 768; // squared distance over the three channels

bool Close(uint32_t pixel, uint32_t expected) {
    const int dr = int(pixel >> 16 & 0xFF) - int(expected >> 16 & 0xFF);
    const int dg = int(pixel >> 8 & 0xFF) - int(expected >> 8 & 0xFF);
    const int db = int(pixel & 0xFF) - int(expected & 0xFF);
    return dr * dr + dg * dg + db * db <= kTolerance;
}

std::string Trimmed(const std::string& line) {
    const char* space = " \t\r\n\v\f";
    const size_t first = line.find_first_not_of(space);
    if (first == std::string::npos)
        return {};
    return line.substr(first, line.find_last_not_of(space) - first + 1);
}

} // namespace

bool DriverListMatches(const std::string& path, const std::string& description, bool& opened) {
    std::ifstream file(path, std::ios::binary);
    opened = file.is_open();
    std::string line;
    while (opened && std::getline(file, line)) {
        for (size_t at = 0; at < line.size() || at == 0; at += 3999) {
            const std::string piece = Trimmed(line.substr(at, 3999));
            if (!piece.empty() && StringFindNoCase(description.c_str(), piece.c_str()) >= 0)
                return true;
            if (line.empty())
                break;
        }
    }
    return false;
}

void D3DTestImage::Create(int32_t width, int32_t height) {
    mWidth = std::max(width, 0);
    mHeight = std::max(height, 0);
    mBits.assign(size_t(mWidth) * size_t(mHeight), 0u);
}

D3DTester::~D3DTester() {
    ReleaseAll();
}

void D3DTester::CheckHResult(const char* step, platform::HResult result) {
    if (platform::Failed(result))
        throw TestException("DXError - " + std::string(step) + ": " + GetDirectXErrorString(result));
}

void D3DTester::ReleaseAll() {
    if (mDisplay != nullptr) {
        mDisplay->Release();
        mDisplay = nullptr;
    }
    mDevice.reset();
    if (mRenderTarget != nullptr) {
        mRenderTarget->Release();
        mRenderTarget = nullptr;
    }
    mTexture1.reset();
    mTexture2.reset();
    platform::RegCloseKey(mRegistryKey);
}

bool D3DTester::HasStoredValue(const char* name) {
    uint32_t size = 0;
    return mRegistryKey.open &&
           platform::RegQueryValue(mRegistryKey, name, nullptr, nullptr, &size) == platform::kRegOk;
}

void D3DTester::Test(platform::WindowHandle window, platform::Display* display, DisplayOwner* owner) {
    const Display3DSettings settings = owner != nullptr ? owner->Get3DSettings() : Display3DSettings{};
    if (owner != nullptr)
        mRegKey = settings.mRegKey;
    mUseRegistry = !mRegKey.empty();
    if (!settings.mReplayingDemo) {
        mResultToBeSaved = false;
        if (Setup(window, display)) {
            RunRenderTests();
        } else if (mUseRegistry && !mResultToBeSaved) {
            mFreshResult = !HasStoredValue("FailureReason");
            mResultToBeSaved = true;
        }
        if (mResultToBeSaved)
            WriteResult();
        ReleaseAll();
    }
    if (owner != nullptr) {
        mFailureReason = owner->RecordOrReplay3DText(mFailureReason);
        mWarning = owner->RecordOrReplay3DText(mWarning);
        mFreshResult = owner->RecordOrReplay3DFlag(mFreshResult);
    }
}

bool D3DTester::Setup(platform::WindowHandle window, platform::Display* display) {
    try {
        ReleaseAll();
        mDriverYear = 0;
        if (mUseRegistry)
            platform::RegCreateKey(platform::kRegCurrentUser, "SOFTWARE\\" + mRegKey + "\\Test3D", mRegistryKey);

        if (display != nullptr) {
            display->AddRef();
            mDisplay = display;
        } else {
            CheckHResult("DirectDrawCreateEx", platform::CreateDisplay(&mDisplay));
        }
        // The device stands for the adapter: it tells its identity and memory.
        CheckHResult("CreateDevice", platform::CreateDevice3D(mDevice));

        if (!ProbeDirect3D8(mDisplayGuid, mDriverName, mDriverDesc)) {
            platform::Device3DIdentifier identifier;
            CheckHResult("GetDeviceIdentifier", mDevice->GetDeviceIdentifier(identifier));
            mDisplayGuid = identifier.deviceGuid;
            mDriverName = identifier.driver;
            mDriverDesc = identifier.description;
        }

        platform::SurfaceDesc mode;
        platform::VideoMemory memory;
        if (platform::Succeeded(mDisplay->GetDisplayMode(mode)) &&
            platform::Succeeded(mDevice->GetAvailableVidMem(memory))) {
            // In 64 bits: a card with 4 GB or more must not wrap to little.
            const uint64_t desktop =
                uint64_t(mode.pixelFormat.bitCount / 8) * uint64_t(mode.width) * uint64_t(mode.height);
            const uint64_t megabytes = (desktop + memory.totalBytes) >> 20;
            if (megabytes < mMinVidMemory) {
                mFailureReason = "Not enough video memory.";
                return false;
            }
        }

        if (mUseRegistry) {
            if (ReadCachedResult())
                return false;
            mResultToBeSaved = true;
        }
        mFailureReason.clear();
        mWarning.clear();

        if (mDriverName.find_first_of("/\\\\") != std::string::npos) {
            const std::time_t written = std::time_t(platform::GetFileWriteTime(mDriverName));
            std::tm parts{};
            if (written != 0 && gmtime_r(&written, &parts) != nullptr)
                mDriverYear = parts.tm_year + 1900;
        }
        if (!IsDriverAccepted(mDriverDesc))
            mWarning = "Unsupported video card: " + mDriverDesc;

        CheckHResult("SetCooperativeLevel", mDisplay->SetCooperativeLevel(window, platform::kCoopNormal));
        platform::SurfaceDesc desc;
        desc.flags = platform::kDescCaps | platform::kDescWidth | platform::kDescHeight;
        desc.width = kTargetSize;
        desc.height = kTargetSize;
        desc.caps = platform::kCapsOffscreenPlain | platform::kCaps3DDevice;
        CheckHResult("CreateSurface (Primary)", mDisplay->CreateSurface(desc, &mRenderTarget));
        mReadBack.Create(kTargetSize, kTargetSize);

        platform::SurfaceDesc locked;
        CheckHResult("CreateDevice", mRenderTarget->Lock(locked, platform::kLockWait));
        mRenderTarget->Unlock();
        CheckHResult("CreateDevice", mDevice->SetRenderTarget(platform::ViewOfLockedSurface(locked)));

        std::vector<platform::PixelFormat> formats;
        CheckHResult("EnumTextureFormats", mDevice->EnumTextureFormats(formats));
        bool has8888 = false, has4444 = false;
        for (const platform::PixelFormat& format : formats) {
            has8888 |= platform::ClassifyPixelFormat(format) == platform::TextureFormat::Argb8888;
            has4444 |= platform::ClassifyPixelFormat(format) == platform::TextureFormat::Argb4444;
        }
        if (!has8888) {
            mWarning = "A8R8G8B8 texture format not supported.";
            if (!has4444) {
                mFailureReason = "A4R4G4B4 and A8R8G8B8 texture formats not supported.";
                return false;
            }
        }
        m32BitTextures = has8888;
        const platform::TextureFormat format =
            has8888 ? platform::TextureFormat::Argb8888 : platform::TextureFormat::Argb4444;
        CheckHResult("CreateSurface (TextureSurface1)",
                     mDevice->CreateTexture(kTextureSize, kTextureSize, format, mTexture1));
        CheckHResult("CreateSurface (TextureSurfacd2)",
                     mDevice->CreateTexture(kTextureSize, kTextureSize, format, mTexture2));
        return true;
    } catch (const TestException& e) {
        mFailureReason = e.what();
        return false;
    }
}

bool D3DTester::ReadCachedResult() {
    mFreshResult = true;
    if (!mRegistryKey.open)
        return false;
    auto readDword = [&](const char* name, uint32_t& out) {
        uint32_t type = 0, size = sizeof out;
        return platform::RegQueryValue(mRegistryKey, name, &type, &out, &size) == platform::kRegOk &&
               type == platform::kRegDword && size == sizeof out;
    };
    auto readText = [&](const char* name, std::string& out) {
        std::vector<char> buffer(4096, '\0');
        uint32_t type = 0, size = uint32_t(buffer.size());
        if (platform::RegQueryValue(mRegistryKey, name, &type, buffer.data(), &size) != platform::kRegOk ||
            type != platform::kRegString)
            return false;
        out.assign(buffer.data(), strnlen(buffer.data(), std::min<size_t>(size, buffer.size())));
        return true;
    };
    uint32_t version = 0, minimum = 0, recommended = 0;
    if (!readDword("Version", version) || version != 2 || !readDword("MinVidMemory", minimum) ||
        minimum != mMinVidMemory || !readDword("RecVidMemory", recommended) || recommended != mRecVidMemory)
        return false;
    AdapterGuid stored{};
    uint32_t type = 0, size = uint32_t(stored.size());
    if (platform::RegQueryValue(mRegistryKey, "DisplayGUID", &type, stored.data(), &size) != platform::kRegOk ||
        size != stored.size() || stored != mDisplayGuid)
        return false;
    std::string failure, warning;
    if (!readText("FailureReason", failure) || !readText("Warning", warning))
        return false;
    mFailureReason = failure;
    mWarning = warning;
    mFreshResult = false;
    return mFailureReason.empty();
}

void D3DTester::WriteResult() {
    if (!mRegistryKey.open)
        return;
    // One write of the settings file for the whole result.
    const platform::RegistryBatch batch;
    const uint32_t version = 2;
    platform::RegSetValue(mRegistryKey, "Version", platform::kRegDword, &version, sizeof version);
    platform::RegSetValue(mRegistryKey, "MinVidMemory", platform::kRegDword, &mMinVidMemory, sizeof mMinVidMemory);
    platform::RegSetValue(mRegistryKey, "RecVidMemory", platform::kRegDword, &mRecVidMemory, sizeof mRecVidMemory);
    platform::RegSetValue(mRegistryKey, "DisplayGUID", platform::kRegBinary, mDisplayGuid.data(),
                          uint32_t(mDisplayGuid.size()));
    platform::RegSetValue(mRegistryKey, "FailureReason", platform::kRegString, mFailureReason.c_str(),
                          uint32_t(mFailureReason.size() + 1));
    platform::RegSetValue(mRegistryKey, "Warning", platform::kRegString, mWarning.c_str(),
                          uint32_t(mWarning.size() + 1));
}

bool D3DTester::IsDriverAccepted(const std::string& description) {
    const std::string folder = mDriverListFolder.empty() ? std::string() : mDriverListFolder + "/";
    bool opened = false;
    if (DriverListMatches(folder + "vhwb.dat", description, opened))
        return false;
    const bool listed = DriverListMatches(folder + "vhw.dat", description, opened);
    if (opened)
        return listed;
    return mDriverYear >= 2002 || StringFindNoCase(description.c_str(), "nvidia") >= 0 ||
           StringFindNoCase(description.c_str(), "radeon") >= 0 || StringFindNoCase(description.c_str(), "ati ") >= 0;
}

bool D3DTester::RunRenderTests() {
    using platform::Blend;
    static const BlendTest kTests[] = {
        {Blend::SrcAlpha, Blend::InvSrcAlpha, false, 0xFF0000FF, 0xFFFFFFFF, 0x80FF0000, 0xFFFFFFFF, 0x7F007F,
         "Alpha blend Not Supported", "Alpha blend test not uniform."},
        {Blend::One, Blend::One, false, 0xFF404040, 0xFFFFFFFF, 0xFF404040, 0xFFFFFFFF, 0x808080,
         "Additive blend not supported.", "Additive blend test not uniform."},
        {Blend::SrcAlpha, Blend::One, false, 0xFF404040, 0xFFFFFFFF, 0x80808080, 0xFFFFFFFF, 0x808080,
         "AlphaAdd blend not supported.", "AlphaAdd blend test not uniform."},
        {Blend::SrcAlpha, Blend::InvSrcAlpha, true, 0xFF0000FF, 0xFFFFFFFF, 0xFFFF0000, 0x80FFFFFF, 0x7F007F,
         "AlphaModulated blend not supported.", "AlphaModulated blend test not uniform."},
    };
    for (const BlendTest& test : kTests)
        if (!RunBlendTest(test))
            return false;
    return RunClipTest();
}

void D3DTester::BeginTestScene(platform::Blend source, platform::Blend destination) {
    using platform::RenderState;
    CheckHResult("", mDevice->BeginScene());
    CheckHResult("Clear", mDevice->Clear(0, nullptr, platform::kClearTarget, 0xFF000000u, 1.0f, 0));
    CheckHResult("D3DRENDERSTATE_ALPHABLENDENABLE, TRUE", mDevice->SetRenderState(RenderState::AlphaBlendEnable, 1));
    CheckHResult(source == platform::Blend::One ? "D3DRENDERSTATE_SRCBLEND, D3DBLEND_ONE"
                                                : "D3DRENDERSTATE_SRCBLEND, D3DBLEND_SRCALPHA",
                 mDevice->SetRenderState(RenderState::SrcBlend, uint32_t(source)));
    CheckHResult(destination == platform::Blend::One ? "D3DRENDERSTATE_DESTBLEND, D3DBLEND_ONE"
                                                     : "D3DRENDERSTATE_DESTBLEND, D3DBLEND_INVSRCALPHA",
                 mDevice->SetRenderState(RenderState::DestBlend, uint32_t(destination)));
    CheckHResult("D3DRENDERSTATE_CULLMODE, D3DCULL_NONE",
                 mDevice->SetRenderState(RenderState::CullMode, uint32_t(platform::Cull::None)));
}

bool D3DTester::RunBlendTest(const BlendTest& test) {
    try {
        BeginTestScene(test.mSource, test.mDestination);
        if (test.mModulateAlpha)
            CheckHResult("D3DTSS_ALPHAOP, D3DTOP_MODULATE",
                         mDevice->SetTextureStageState(0, platform::TextureStageState::AlphaOp,
                                                       uint32_t(platform::TextureOp::Modulate)));
        D3DTestImage image;
        image.Create(kTextureSize, kTextureSize);
        std::fill(image.mBits.begin(), image.mBits.end(), test.mFirstPixels);
        DrawImage(image, 0, 0, test.mFirstColor);
        std::fill(image.mBits.begin(), image.mBits.end(), test.mSecondPixels);
        DrawImage(image, 0, 0, test.mSecondColor);
        CheckHResult("EndScene", mDevice->EndScene());
        CopyTarget();
    } catch (const TestException& e) {
        mDevice->EndScene();
        mFailureReason = e.what();
        return false;
    }
    const uint32_t first = mReadBack.At(0, 0);
    bool uniform = true;
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 10; ++x) {
            const uint32_t pixel = mReadBack.At(x, y);
            if (!Close(pixel, test.mExpected)) {
                mFailureReason = test.mFailure;
                return false;
            }
            uniform = uniform && pixel == first;
        }
    }
    if (!uniform)
        mWarning = test.mWarning;
    return true;
}

bool D3DTester::RunClipTest() {
    try {
        BeginTestScene(platform::Blend::SrcAlpha, platform::Blend::InvSrcAlpha);
        D3DTestImage stripes;
        stripes.Create(kTextureSize, kTextureSize);
        for (int y = 0; y < kTextureSize; ++y)
            for (int x = 0; x < kTextureSize; ++x)
                stripes.At(x, y) = x % 2 == 1 ? 0xFFFFFFFFu : 0xFF000000u;
        DrawImage(stripes, -2, -2, 0xFFFFFFFF);
        CheckHResult("EndScene", mDevice->EndScene());
        CopyTarget();
    } catch (const TestException& e) {
        mDevice->EndScene();
        mFailureReason = e.what();
        return false;
    }
    for (int y = 0; y < kTextureSize - 2; ++y) {
        for (int x = 0; x < kTextureSize - 2; ++x) {
            if (!Close(mReadBack.At(x, y), x % 2 == 1 ? 0xFFFFFFu : 0u)) {
                mWarning = "Clip problem detected.";
                return true;
            }
        }
    }
    return true;
}

void D3DTester::DrawImage(const D3DTestImage& image, int x, int y, uint32_t color) {
    for (int ty = 0; ty < image.mHeight; ty += kTextureSize) {
        for (int tx = 0; tx < image.mWidth; tx += kTextureSize) {
            const int w = std::min(kTextureSize, image.mWidth - tx);
            const int h = std::min(kTextureSize, image.mHeight - ty);
            platform::LockedTexture locked;
            CheckHResult("Lock Texture", mTexture1->Lock(platform::kLockWait | platform::kLockWriteOnly, locked));
            auto* bits = static_cast<uint8_t*>(locked.bits);
            if (w < kTextureSize || h < kTextureSize)
                for (int row = 0; row < locked.height; ++row)
                    std::memset(bits + ptrdiff_t(row) * locked.pitch, 0,
                                size_t(locked.width) * (m32BitTextures ? 4 : 2));
            for (int row = 0; row < h; ++row) {
                uint8_t* out = bits + ptrdiff_t(row) * locked.pitch;
                for (int column = 0; column < w; ++column) {
                    const uint32_t c = image.mBits[size_t(ty + row) * size_t(image.mWidth) + size_t(tx + column)];
                    if (m32BitTextures) {
                        std::memcpy(out + column * 4, &c, 4);
                    } else {
                        const auto texel =
                            uint16_t((c >> 28) << 12 | (c >> 20 & 0xF) << 8 | (c >> 12 & 0xF) << 4 | (c >> 4 & 0xF));
                        std::memcpy(out + column * 2, &texel, 2);
                    }
                }
            }
            CheckHResult("Texture Unlock", mTexture1->Unlock());
            CheckHResult("SetTexture theTexture", mDevice->SetTexture(0, mTexture1));
            const float left = float(x + tx) - 0.5f;
            const float top = float(y + ty) - 0.5f;
            const float u = float(w) / kTextureSize;
            const float v = float(h) / kTextureSize;
            const float size = kTextureSize;
            const platform::TLVertex vertices[4] = {
                {left, top, 0, 1, color, 0, 0, 0},
                {left, top + size, 0, 1, color, 0, 0, v},
                {left + size, top, 0, 1, color, 0, u, 0},
                {left + size, top + size, 0, 1, color, 0, u, v},
            };
            CheckHResult("DrawPrimitive", mDevice->DrawPrimitive(platform::PrimitiveType::TriangleStrip,
                                                                 platform::kFvfTransformedTextured, vertices, 4, 0));
            CheckHResult("SetTexture NULL", mDevice->SetTexture(0, nullptr));
        }
    }
}

void D3DTester::CopyTarget() {
    platform::SurfaceDesc locked;
    CheckHResult("CopyPrimary Lock", mRenderTarget->Lock(locked, platform::kLockWait));
    const LockedSurface surface{locked.surface,
                                locked.pitch,
                                locked.width,
                                locked.height,
                                locked.pixelFormat.redMask,
                                locked.pixelFormat.greenMask,
                                locked.pixelFormat.blueMask};
    const uint32_t bits = locked.pixelFormat.bitCount;
    if (bits == 32 || bits == 16)
        ReadSurfacePixels(mReadBack.mBits.data(), mReadBack.mWidth, mReadBack.mHeight, surface, int(bits / 8));
    mRenderTarget->Unlock();
    if (bits == 24)
        throw TestException("Can't test 24-bit mode.");
    if (bits != 32 && bits != 16)
        throw TestException("Invalid Color Depth");
}

} // namespace Kavo
