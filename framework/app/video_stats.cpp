#include "framework/app/video_stats.h"

#include <algorithm>
#include <climits>

#include "framework/util/string_util.h"

namespace Kavo {

namespace {

std::string Kilobytes(uint64_t bytes) {
    return FormatThousands(static_cast<int>(std::min<uint64_t>(bytes / 1024, INT_MAX)));
}

} // namespace

std::string BuildVideoStatsText(const VideoStats& stats) {
    uint64_t textureTotal = 0;
    for (const TextureFacts& texture : stats.textures)
        textureTotal += texture.bytes;
    const uint64_t used = stats.videoTotal >= stats.videoFree ? stats.videoTotal - stats.videoFree : 0;

    std::string text = FormatString("3D-Mode is %s (3D is %s on this system)\r\n\r\n", stats.is3D ? "ON" : "OFF",
                                    stats.capability.c_str());
    text += FormatString("Num Images: %d\r\n", stats.numImages);
    text += FormatString("Num Sounds: %d\r\n", stats.numSounds);
    text += "Video Memory: " + Kilobytes(used) + "/" + Kilobytes(stats.videoTotal) + " KB\r\n";
    text += "Texture Memory: " + Kilobytes(textureTotal) + " KB\r\n";
    for (const int32_t code : kTextureFormatCodes) {
        int count = 0;
        uint64_t bytes = 0;
        for (const TextureFacts& texture : stats.textures) {
            if (texture.formatCode == code) {
                ++count;
                bytes += texture.bytes;
            }
        }
        text += TextureFormatName(code) + FormatString(": %d - ", count) + Kilobytes(bytes) + " KB\r\n";
    }
    return text;
}

} // namespace Kavo
