#include "game/ui/spline_animation.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace Game {

namespace {

// The arc-length walk takes at most this many steps per segment, so a
// hostile segment length cannot stall a frame.
constexpr float kMaxArcSteps = 10000.0f;
constexpr float kPi = 3.14159265358979f;

} // namespace

SplineAnimation::SplineAnimation(int offsetX, int offsetY, float lengthScale, const TrajectoryPath* path, bool relative,
                                 const int endRect[4], bool anchorAtEnd, bool arcLengthStepping)
    : mArcLengthStepping(arcLengthStepping), mLengthScale(lengthScale) {
    if (endRect != nullptr) {
        for (int i = 0; i < 4; ++i)
            mEndRect[i] = endRect[i];
    }
    BuildPath(offsetX, offsetY, path, relative, anchorAtEnd);
}

void SplineAnimation::BuildPath(int offsetX, int offsetY, const TrajectoryPath* path, bool relative, bool anchorAtEnd) {
    mPath = path;
    mSplineX.clear();
    mSplineY.clear();
    mPathMode = path != nullptr ? static_cast<int>(path->mPoints.size()) : 0;
    if (mPathMode < 2) {
        mFinished = true;
        if (mPathMode == 1) {
            mX = static_cast<float>(path->mPoints[0].x);
            mY = static_cast<float>(path->mPoints[0].y);
        }
        return;
    }
    const std::vector<PathPoint>& points = path->mPoints;
    const PathPoint& anchor = anchorAtEnd ? points.back() : points.front();
    std::vector<int> xs;
    std::vector<int> ys;
    // Far-off points from a file are held inside the int range, not wrapped.
    const auto shifted = [relative](int value, int from, int offset) {
        const int64_t moved = relative ? int64_t(value) - from + offset : value;
        return static_cast<int>(std::clamp<int64_t>(moved, INT32_MIN, INT32_MAX));
    };
    for (const PathPoint& point : points) {
        xs.push_back(shifted(point.x, anchor.x, offsetX));
        ys.push_back(shifted(point.y, anchor.y, offsetY));
    }
    mSplineX = SolveCubicSpline(mPathMode - 1, xs.data());
    mSplineY = SolveCubicSpline(mPathMode - 1, ys.data());
    mX = static_cast<float>(points.front().x);
    mY = static_cast<float>(points.front().y);
}

void SplineAnimation::Update() {
    if (mDone || mHeld)
        Animation::Restart();
    mStep = 0.01f;
    Animation::Update();
}

void SplineAnimation::Update(float dt) {
    mStep = dt * 0.01f;
    Refresh();
}

void SplineAnimation::Restart() {
    mProgress = 0;
    mFinished = mPathMode < 2;
    Animation::Restart();
    if (mPath != nullptr && !mPath->mPoints.empty()) {
        mX = static_cast<float>(mPath->mPoints.front().x);
        mY = static_cast<float>(mPath->mPoints.front().y);
    }
}

void SplineAnimation::Refresh() {
    if (mPathMode >= 2 && !mSplineX.empty()) {
        mProgress += mStep;
        float distance = mProgress * mLengthScale;
        // Reaching the end finishes, so a path of no length finishes at once.
        if (distance >= mPath->mTotalLength) {
            distance = mPath->mTotalLength;
            mFinished = true;
        }
        float remainder = distance;
        size_t last = mSplineX.size();
        size_t found = mSplineX.size();
        for (size_t i = 0; i < mSplineX.size(); ++i) {
            const float length = mPath->mPoints[i].segmentLength;
            if (!(length > 0))
                continue; // nothing to move along, and a zero divisor
            last = i;
            remainder -= length;
            if (remainder <= 0) {
                found = i;
                break;
            }
        }
        if (found == mSplineX.size() && last != mSplineX.size()) {
            found = last; // rounding left a sliver past the end: the end itself
            remainder = 0;
        }
        if (found != mSplineX.size())
            PlaceOnSegment(found, remainder);
    }
    Animation::Refresh();
}

void SplineAnimation::PlaceOnSegment(size_t segment, float remainder) {
    const PathPoint& here = mPath->mPoints[segment];
    const PathPoint& next = mPath->mPoints[segment + 1];
    const float length = here.segmentLength;
    const CubicSegment& sx = mSplineX[segment];
    const CubicSegment& sy = mSplineY[segment];
    float t = 1.0f - std::fabs(remainder) / length;
    if (mArcLengthStepping) {
        const float steps = std::fmin(length, kMaxArcSteps);
        const float dt = steps >= 1.0f ? 1.0f / steps : 1.0f;
        const float wanted = length - std::fabs(remainder);
        float walked = 0;
        float u = 0;
        while (walked < wanted && u < 1.0f) {
            const float nextU = std::fmin(1.0f, u + dt);
            walked += std::hypot(sx.At(nextU) - sx.At(u), sy.At(nextU) - sy.At(u));
            u = nextU;
        }
        t = u;
    }
    mX = sx.At(t);
    mY = sy.At(t);
    if (!mKeepAngle) {
        const float direction = std::atan2(sy.At(t + 0.01f) - mY, sx.At(t + 0.01f) - mX);
        mAngle = direction + kPi + (next.angle - here.angle) * here.angleFactor * t + here.angle;
    }
    mScale = here.scale + (next.scale - here.scale) * here.scaleFactor * t;
}

} // namespace Game
