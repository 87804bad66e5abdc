#pragma once
// The colours of a trajectory line's editing drawings.

#include "framework/util/color.h"

namespace Game {

// The outline or curve: light green when its line is selected.
inline Kavo::Color TrOutlineColor(bool selected) {
    return selected ? Kavo::Color(170, 255, 170, 255) : Kavo::Color(170, 0, 170, 255);
}

// A handle: magenta when it is the selected handle of the selected line.
inline Kavo::Color TrHandleColor(bool highlighted) {
    return highlighted ? Kavo::Color(170, 0, 170, 255) : Kavo::Color(170, 255, 170, 255);
}

} // namespace Game
