#include "platform/device3d/adapter_description.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>

namespace platform {

AdapterDescription SoftwareAdapter() {
    AdapterDescription adapter;
    adapter.caps = DeviceCaps{1, 1, 1024, 1024, 0, true};
    for (TextureFormat f :
         {TextureFormat::Argb8888, TextureFormat::Argb4444, TextureFormat::Rgb565, TextureFormat::Palette8}) {
        adapter.formats.push_back(DescribeTextureFormat(f));
    }
    adapter.identifier.driver = "kavosoft3d";
    adapter.identifier.description = "Kavo Software Renderer";
    adapter.identifier.deviceGuid = {0x4B, 0x61, 0x76, 0x6F, 0x53, 0x6F, 0x66, 0x74,
                                     0x33, 0x44, 0x00, 0x01, 0x9E, 0x21, 0x5C, 0x07};
    adapter.memory = VideoMemory{64u << 20, 64u << 20};
    return adapter;
}

HResult CheckTextureRequest(const AdapterDescription& adapter, int width, int height, TextureFormat format) {
    if (format == TextureFormat::None ||
        std::none_of(adapter.formats.begin(), adapter.formats.end(),
                     [&](const PixelFormat& f) { return ClassifyPixelFormat(f) == format; })) {
        return D3DERR_TEXTURE_NO_SUPPORT;
    }
    const DeviceCaps& caps = adapter.caps;
    if (width <= 0 || height <= 0 || static_cast<std::uint32_t>(width) < caps.minTextureWidth ||
        static_cast<std::uint32_t>(height) < caps.minTextureHeight ||
        static_cast<std::uint32_t>(width) > caps.maxTextureWidth ||
        static_cast<std::uint32_t>(height) > caps.maxTextureHeight) {
        return D3DERR_TEXTURE_BADSIZE;
    }
    const std::uint64_t aspect = caps.maxTextureAspectRatio == 0 ? 65536 : caps.maxTextureAspectRatio;
    const auto longer = static_cast<std::uint64_t>(std::max(width, height));
    const auto shorter = static_cast<std::uint64_t>(std::min(width, height));
    if (longer > aspect * shorter) {
        return D3DERR_TEXTURE_BADSIZE;
    }
    return D3D_OK;
}

} // namespace platform
