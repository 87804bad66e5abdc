#pragma once
// The "Video Stats" report text: the 3D mode, image and sound counts, video
// and texture memory, and the texture memory by pixel format.

#include <cstdint>
#include <string>
#include <vector>

#include "framework/app/texture_facts.h"

namespace Kavo {

struct VideoStats {
    bool is3D = false;
    // "Recommended", "Supported" or "Unsupported".
    std::string capability;
    int32_t numImages = 0;
    int32_t numSounds = 0;
    uint64_t videoTotal = 0; // bytes
    uint64_t videoFree = 0;
    // The textures of the live images.
    std::vector<TextureFacts> textures;
};

// Lines ending in CR LF; sizes in KB with thousands separators.
std::string BuildVideoStatsText(const VideoStats& stats);

} // namespace Kavo
