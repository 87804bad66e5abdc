#pragma once
// How effects treat the frame animations they play.

namespace Kavo {
class Image;
} // namespace Kavo

namespace Game {

class Animation;

// Done, or never able to run: an animation without frames (its file was
// missing) counts as finished so that nothing waits for it forever.
bool IsAnimationFinished(Animation& animation);

// Shows `image` in place of the sprite description's image. The animation
// gets a copy of its description of its own, so the cached description that
// other animations share keeps its image.
void SetAnimationImage(Animation& animation, Kavo::Image* image);

// The image of the animation's sprite description, or null.
Kavo::Image* GetAnimationImage(const Animation& animation);

// Overwrites the first scale entry (the file's "Scale"), when there is one.
void SetFirstScale(Animation& animation, float scale);

} // namespace Game
