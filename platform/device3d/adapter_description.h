#pragma once
// What a device says about itself: capabilities, texture formats, identity
// and video memory, and the texture requests those allow.

#include <vector>

#include "platform/device3d/device3d_types.h"
#include "platform/device3d/texture_format.h"
#include "platform/result_codes.h"

namespace platform {

struct AdapterDescription {
    DeviceCaps caps;
    std::vector<PixelFormat> formats;
    Device3DIdentifier identifier;
    VideoMemory memory;
};

// The software device: textures from 1 to 1024 texels a side of any aspect,
// the four formats with palette alpha, 64 MB of memory. Its identity names
// no known card and no driver file, so the capability test finds the card
// unsupported and warns: 3D is offered but 2D stays the default.
AdapterDescription SoftwareAdapter();

// D3DERR_TEXTURE_NO_SUPPORT for a format the adapter does not list,
// D3DERR_TEXTURE_BADSIZE for a size outside its limits or aspect ratio.
HResult CheckTextureRequest(const AdapterDescription& adapter, int width, int height, TextureFormat format);

} // namespace platform
