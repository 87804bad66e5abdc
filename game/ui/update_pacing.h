#pragma once
// Whether the application steps the screens' float updates itself, paced by
// the display's refresh; when it does not, a screen's Update ends with its
// own UpdateF(1.0).

namespace Game {

bool PacedByRefresh();

} // namespace Game
