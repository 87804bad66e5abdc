#pragma once
// The values a 3D device exchanges with its caller: primitive types, render
// and texture-stage states with their numeric codes, the pre-transformed
// vertex, capabilities, viewport and adapter identity. The codes are the
// display interface's documented values, like the result codes of
// result_codes.h, so that logs and recorded calls read the usual numbers.

#include <array>
#include <cstdint>
#include <string>

namespace platform {

enum class PrimitiveType : std::uint32_t {
    PointList = 1,
    LineList = 2,
    LineStrip = 3,
    TriangleList = 4,
    TriangleStrip = 5,
    TriangleFan = 6,
};

// Render states the device understands (D3DRENDERSTATETYPE codes).
enum class RenderState : std::uint32_t {
    ZEnable = 7,
    ShadeMode = 9,
    ZWriteEnable = 14,
    SrcBlend = 19,
    DestBlend = 20,
    CullMode = 22,
    ZFunc = 23,
    DitherEnable = 26,
    AlphaBlendEnable = 27,
    FogEnable = 28,
    SpecularEnable = 29,
    Lighting = 137,
};

enum class Blend : std::uint32_t {
    Zero = 1,
    One = 2,
    SrcAlpha = 5,
    InvSrcAlpha = 6,
};

enum class Cull : std::uint32_t {
    None = 1,
    Clockwise = 2,
    CounterClockwise = 3,
};

enum class ShadeMode : std::uint32_t {
    Flat = 1,
    Gouraud = 2,
};

// Texture-stage states (D3DTEXTURESTAGESTATETYPE codes).
enum class TextureStageState : std::uint32_t {
    ColorOp = 1,
    ColorArg1 = 2,
    ColorArg2 = 3,
    AlphaOp = 4,
    AlphaArg1 = 5,
    AlphaArg2 = 6,
    AddressU = 13,
    AddressV = 14,
    MagFilter = 16,
    MinFilter = 17,
    MipFilter = 18,
};

enum class TextureOp : std::uint32_t {
    Disable = 1,
    SelectArg1 = 2,
    SelectArg2 = 3,
    Modulate = 4,
};

// Stage arguments: the only ones a stage of this device reads.
inline constexpr std::uint32_t kTextureArgCurrent = 1; // the diffuse colour on stage 0
inline constexpr std::uint32_t kTextureArgDiffuse = 0;
inline constexpr std::uint32_t kTextureArgTexture = 2;

enum class TextureAddress : std::uint32_t {
    Wrap = 1,
    Clamp = 3,
};

// Minification and magnification filters share the codes 1 (point) and 2
// (linear); the mip filter's 1 means none.
enum class TextureFilter : std::uint32_t {
    Point = 1,
    Linear = 2,
};

inline constexpr std::uint32_t kMipFilterNone = 1;

// Clear flags.
inline constexpr std::uint32_t kClearTarget = 1;
inline constexpr std::uint32_t kClearZBuffer = 2;

// The one vertex format: position with reciprocal w, diffuse, specular and one
// pair of texture coordinates.
inline constexpr std::uint32_t kFvfTransformedTextured = 0x1C4;

struct TLVertex {
    float x = 0;
    float y = 0;
    float z = 0;
    float rhw = 1;
    std::uint32_t diffuse = 0; // ARGB, alpha in the top byte
    std::uint32_t specular = 0;
    float u = 0;
    float v = 0;
    bool operator==(const TLVertex&) const = default;
};

struct DeviceCaps {
    std::uint32_t minTextureWidth = 1;
    std::uint32_t minTextureHeight = 1;
    std::uint32_t maxTextureWidth = 1024;
    std::uint32_t maxTextureHeight = 1024;
    std::uint32_t maxTextureAspectRatio = 0; // 0: no limit (read as 65536)
    bool paletteAlpha = true;                // palettes may carry per-entry alpha
};

struct Viewport {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    float minZ = 0;
    float maxZ = 1;
    bool operator==(const Viewport&) const = default;
};

struct ClearRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct Device3DIdentifier {
    std::string driver;
    std::string description;
    std::array<std::uint8_t, 16> deviceGuid{};
};

struct VideoMemory {
    std::uint32_t totalBytes = 0;
    std::uint32_t freeBytes = 0;
};

} // namespace platform
