#pragma once

namespace Kavo {

// Keeps the desktop's other windows where they were while the application
// changes the display mode and back. Called with false it records the
// visible top-level windows not yet recorded; with true it moves them back.
// This desktop keeps other programs' windows in place across mode changes
// by itself, so there is nothing to record or move.
void KeepWindowPositions(bool restore);

} // namespace Kavo
