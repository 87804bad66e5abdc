#pragma once
// The texts of the two replay dialogs: the marker list's lines (each marker
// still ahead, with the time left from it to the end of the demo) and the
// jump time, "h:m:s" or any shorter form, counted back from the end.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "framework/app/demo_file.h"

namespace Kavo {

// At most this many characters of the jump time are read.
inline constexpr size_t kJumpTimeMaxChars = 500;

struct MarkerListEntry {
    std::string mText;        // "name (hh:mm:ss)"
    int32_t mUpdateCount = 0; // the marker's update, the jump target
};

// The markers after `updateCount`, in their order.
std::vector<MarkerListEntry> MarkerListEntries(const std::vector<DemoMarker>& markers, int32_t updateCount,
                                               int32_t demoLength, int32_t frameTime);

// Seconds in "h:m:s" (each part folded as t * 60 + part); text past
// kJumpTimeMaxChars is ignored and the count stops growing at a year.
int64_t JumpTimeSeconds(const std::string& text);

// The update (time + 1) seconds before the end of the demo.
int32_t JumpTargetUpdate(const std::string& text, int32_t demoLength, int32_t frameTime);

} // namespace Kavo
