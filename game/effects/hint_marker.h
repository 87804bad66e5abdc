#pragma once
// The marker of a hinted move: a pulsing picture between the move's two
// cells for 100 updates.

#include "game/effects/pulse_marker.h"
#include "game/ui/held_image.h"

namespace Game {

class HintMarker : public PulseMarker {
public:
    // Pixel centres of the two cells; cells of one column take
    // IMAGE_HINT_VERT pulsing in y, others IMAGE_HINT_HORZ pulsing in x.
    HintMarker(int x1, int y1, int x2, int y2);

    void Update();
    // Tinted white with `alpha` unless it is 255.
    void Draw(Kavo::Graphics* g, int alpha);
    bool IsDone() const { return mDone; }

    int mUpdateCount = 0;
    bool mDone = false;
};

// The arrow of a tip between two cells, pulsing until its owner deletes it.
class TipArrow : public PulseMarker {
public:
    // Cells of one column take "images/tips/vert" pulsing in y, others
    // "images/tips/horz" pulsing in x.
    TipArrow(int x1, int y1, int x2, int y2);

    void Update() { Pulse(); }
    void Draw(Kavo::Graphics* g) const { DrawImage(g); }

private:
    HeldImage mHeld;
};

} // namespace Game
