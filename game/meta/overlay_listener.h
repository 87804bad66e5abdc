#pragma once
// Told by a panel when it opens a full-window view over its screen (the
// picture puzzle over the map) and when that view has closed.

namespace Game {

class OverlayListener {
public:
    virtual ~OverlayListener() = default;
    // The screen leaves the widget manager while the view shows.
    virtual void HideForOverlay() = 0;
    // The screen is back, with the focus.
    virtual void RestoreAfterOverlay() = 0;
};

} // namespace Game
