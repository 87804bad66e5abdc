#pragma once
// An animation carried along a natural cubic spline through the points of a
// trajectory path, optionally turning with the path and scaling along it.

#include "game/ui/animation.h"
#include "game/ui/cubic_spline.h"
#include "game/ui/trajectory_path.h"

#include <vector>

namespace Game {

class SplineAnimation : public Animation {
public:
    // `path` is not owned and must outlive the animation (or be replaced).
    SplineAnimation(int offsetX, int offsetY, float lengthScale, const TrajectoryPath* path, bool relative,
                    const int endRect[4], bool anchorAtEnd, bool arcLengthStepping);

    using Animation::SetPosition;
    void Draw(Kavo::Graphics* g) override { Animation::Draw(g); }
    void Update() override;
    void Update(float dt) override;
    void Refresh() override;
    void Restart() override;

    // Lays the spline through the path's points (relative: moved so that
    // the anchor point lands on the offset). No path or fewer than two
    // points leave the animation on its start, finished.
    void BuildPath(int offsetX, int offsetY, const TrajectoryPath* path, bool relative, bool anchorAtEnd);
    virtual bool IsFinished() { return mFinished; }
    virtual bool IsMoving() { return !mFinished; }

    const TrajectoryPath* mPath = nullptr;
    float mProgress = 0;
    bool mArcLengthStepping = false;
    int mPathMode = 0;
    float mLengthScale = 0;
    float mStep = 0.01f;
    std::vector<CubicSegment> mSplineX;
    std::vector<CubicSegment> mSplineY;
    int mEndRect[4] = {0, 0, 0, 0};
    bool mFinished = false;
    bool mKeepAngle = true;

private:
    void PlaceOnSegment(size_t segment, float remainder);
};

} // namespace Game
