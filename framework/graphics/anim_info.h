#pragma once

#include <cstdint>
#include <vector>

namespace Kavo {

// Which cel of an image shows at a given time. Times are in whatever unit
// the caller uses for both the delays and the query (the manifest gives
// milliseconds).
class AnimInfo {
public:
    enum AnimType : int32_t {
        AnimType_None = 0,
        AnimType_Once = 1,
        AnimType_PingPong = 2,
        AnimType_Loop = 3,
    };

    int32_t mAnimType = AnimType_None;
    int32_t mFrameDelay = 1;
    int32_t mNumCels = 1;
    std::vector<int32_t> mPerFrameDelay; // empty: every frame lasts mFrameDelay
    std::vector<int32_t> mFrameMap;      // empty: frame n shows cel n
    int32_t mTotalAnimTime = 0;

    // Run once the type, frame delay, per-frame delays and frame map are set.
    void Compute(int numCels, int beginFrameTime = 0, int endFrameTime = 0);

    int GetPerFrameCel(int time) const;
};

} // namespace Kavo
