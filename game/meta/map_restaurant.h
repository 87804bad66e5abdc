#pragma once
// One of the map's three restaurants: its place, its glow that fades in
// while the pointer is over it and out when the pointer leaves, and the
// rectangle that takes the pointer (the glow picture's size around the
// place).

#include "framework/util/rect.h"
#include "game/ui/image_sprite.h"
#include "game/ui/named_image.h"

namespace Kavo {
class Image;
} // namespace Kavo

namespace Game {

class MapRestaurant {
public:
    static constexpr float kGlowStep = 8.5f; // 0 to 255 in 30 updates

    // Without a place (the layout lacks its point) the restaurant is never
    // drawn nor hovered.
    MapRestaurant(int index, bool placed, int x, int y, Kavo::Image* glow);

    bool Contains(int x, int y) const;
    // Notes whether the pointer is inside, fading the glow in on entering
    // and out on leaving; true while hovered.
    bool TrackPointer(int x, int y);

    ImageSprite mPosition;
    NamedImage mGlow;
    Kavo::IntRect mHitRect;
    int mIndex;
    bool mPlaced;
    bool mHovered = false;
};

} // namespace Game
