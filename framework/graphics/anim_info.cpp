#include "framework/graphics/anim_info.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace Kavo {

namespace {

int32_t ClampToInt32(int64_t v) {
    return static_cast<int32_t>(std::min<int64_t>(v, std::numeric_limits<int32_t>::max()));
}

} // namespace

void AnimInfo::Compute(int numCels, int beginFrameTime, int endFrameTime) {
    mNumCels = std::max(numCels, 1);
    mFrameDelay = std::max(mFrameDelay, 1);

    if (mAnimType == AnimType_PingPong && mNumCels >= 2) {
        mFrameMap.clear();
        for (int i = 0; i < mNumCels; ++i)
            mFrameMap.push_back(i);
        for (int i = mNumCels - 2; i >= 1; --i)
            mFrameMap.push_back(i);
    }
    if (!mFrameMap.empty())
        mNumCels = static_cast<int32_t>(mFrameMap.size());

    if (beginFrameTime >= 1) {
        if (mPerFrameDelay.empty())
            mPerFrameDelay.resize(1);
        mPerFrameDelay[0] = beginFrameTime;
    }
    if (endFrameTime >= 1) {
        if (mPerFrameDelay.size() < static_cast<size_t>(mNumCels))
            mPerFrameDelay.resize(mNumCels, 0);
        mPerFrameDelay[mNumCels - 1] = endFrameTime;
    }

    if (!mPerFrameDelay.empty()) {
        mPerFrameDelay.resize(mNumCels, 0);
        int64_t total = 0;
        for (int32_t& delay : mPerFrameDelay) {
            if (delay < 1)
                delay = mFrameDelay;
            total += delay;
        }
        mTotalAnimTime = ClampToInt32(total);
    } else {
        mTotalAnimTime = ClampToInt32(static_cast<int64_t>(mFrameDelay) * mNumCels);
    }

    if (!mFrameMap.empty())
        mFrameMap.resize(mNumCels);
}

int AnimInfo::GetPerFrameCel(int time) const {
    // An info that was never computed has no length: it rests on its first
    // frame instead of dividing by zero.
    if (mTotalAnimTime <= 0)
        return mFrameMap.empty() ? 0 : mFrameMap[0];
    // Time before the start shows the start, not a negative frame.
    time = std::max(time, 0);

    int numCels = std::max(mNumCels, 1);
    if (mAnimType == AnimType_Once && time >= mTotalAnimTime)
        return mFrameMap.empty() ? numCels - 1 : mFrameMap.back();

    int t = time % mTotalAnimTime;
    int frame;
    if (!mPerFrameDelay.empty()) {
        frame = numCels - 1;
        for (size_t i = 0; i < mPerFrameDelay.size(); ++i) {
            t -= mPerFrameDelay[i];
            if (t < 0) {
                frame = static_cast<int>(i);
                break;
            }
        }
    } else {
        frame = (t / std::max(mFrameDelay, 1)) % numCels;
    }

    if (!mFrameMap.empty() && static_cast<size_t>(frame) < mFrameMap.size())
        return mFrameMap[frame];
    return frame;
}

} // namespace Kavo
