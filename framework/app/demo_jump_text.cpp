#include "framework/app/demo_jump_text.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "framework/util/string_util.h"

namespace Kavo {

namespace {

constexpr int64_t kMaxJumpSeconds = 365LL * 24 * 3600;

} // namespace

std::vector<MarkerListEntry> MarkerListEntries(const std::vector<DemoMarker>& markers, int32_t updateCount,
                                               int32_t demoLength, int32_t frameTime) {
    std::vector<MarkerListEntry> entries;
    for (const DemoMarker& marker : markers) {
        if (marker.mUpdateCount <= updateCount)
            continue;
        const int64_t left = std::max<int64_t>(0, (int64_t{demoLength} - marker.mUpdateCount) * frameTime / 1000);
        entries.push_back({FormatString("%s (%02d:%02d:%02d)", marker.mName.c_str(), static_cast<int>(left / 3600),
                                        static_cast<int>(left / 60 % 60), static_cast<int>(left % 60)),
                           marker.mUpdateCount});
    }
    return entries;
}

int64_t JumpTimeSeconds(const std::string& text) {
    const std::string bounded = text.substr(0, kJumpTimeMaxChars);
    int64_t seconds = 0;
    size_t start = 0;
    for (;;) {
        const size_t colon = bounded.find(':', start);
        const std::string part = bounded.substr(start, colon == std::string::npos ? std::string::npos : colon - start);
        const int64_t number = std::clamp<int64_t>(std::atoll(part.c_str()), -kMaxJumpSeconds, kMaxJumpSeconds);
        seconds = std::clamp<int64_t>(seconds * 60 + number, -kMaxJumpSeconds, kMaxJumpSeconds);
        if (colon == std::string::npos)
            return seconds;
        start = colon + 1;
    }
}

int32_t JumpTargetUpdate(const std::string& text, int32_t demoLength, int32_t frameTime) {
    const int64_t step = frameTime > 0 ? frameTime : 1;
    const int64_t target = int64_t{demoLength} - (JumpTimeSeconds(text) + 1) * 1000 / step;
    return static_cast<int32_t>(std::clamp<int64_t>(target, std::numeric_limits<int32_t>::min(), demoLength));
}

} // namespace Kavo
