#pragma once
// The sprite that the flying effects carry along a path: a spline animation
// on the path's own (absolute) points whose length scale is its speed, so
// that it has arrived once progress x speed reaches the path's length.

#include "framework/util/rect.h"
#include "game/ui/spline_animation.h"

#include <memory>
#include <string>

namespace Kavo {
class Graphics;
class Image;
} // namespace Kavo

namespace Game {

struct TrajectoryPath;

// A flyer starting at (x, y) on `path` (not owned; null or a single point:
// arrived from the start) built with the length scale `step`, then moving at
// `speed`; it shows the frames of `animFile` when one is given.
std::unique_ptr<SplineAnimation> MakeFlyer(const TrajectoryPath* path, int x, int y, float step, float speed,
                                           const std::string& animFile);

// The path of exactly that name in the installed table; null without a
// table or such a path.
const TrajectoryPath* FindNamedPath(const std::string& name);

// Makes every frame of the animation show `source` of `image` (a copy of its
// description that it owns; the cached one stays as it is). A null image
// leaves the animation without a picture.
void ShowImageInAnimation(Animation& animation, Kavo::Image* image, const Kavo::IntRect& source);

// The whole picture as a source rectangle; empty for no picture.
Kavo::IntRect WholeImageRect(const Kavo::Image* image);

// Whether the animation has a picture to draw.
bool HasSpriteImage(const Animation& animation);

} // namespace Game

namespace Game {

struct ScreenPoint {
    int x = 0;
    int y = 0;
};

// The picture (or its source rectangle) scaled by `scale` and centred on
// (x, y), white at `alpha`: the stage before a picture flies off.
void DrawScaledAt(Kavo::Graphics* g, Kavo::Image* image, const Kavo::IntRect& source, float scale, int x, int y,
                  float alpha);

// Half the application's window size; (0, 0) without an application.
ScreenPoint ScreenCentre();

} // namespace Game
