#pragma once
// Where a window's client area shows inside a larger output (a full-screen
// desktop window): scaled as large as fits with its shape kept, centred,
// the rest left as black bars. Points and rectangles map both ways.

#include "platform/geometry.h"

namespace platform {

class Letterbox {
public:
    Letterbox() = default;
    // The client area is clientWidth x clientHeight; the output outputWidth
    // x outputHeight. Equal sizes give the 1:1 view.
    Letterbox(int clientWidth, int clientHeight, int outputWidth, int outputHeight);

    // The client area's place in the output.
    const Rect& View() const { return mView; }
    // An output point in client coordinates (outside the view it lies
    // outside the client area).
    Point ToClient(Point output) const;
    // A client rectangle in output coordinates.
    Rect ToOutput(const Rect& client) const;

private:
    int mClientWidth = 0;
    int mClientHeight = 0;
    Rect mView;
};

} // namespace platform
