#include "platform/sdl/letterbox.h"

#include <cstdint>

namespace platform {
namespace {

// a * b / c rounded toward minus infinity, without overflow for screen sizes.
int ScaleFloor(int a, int b, int c) {
    const std::int64_t product = std::int64_t{a} * b;
    std::int64_t quotient = product / c;
    if ((product % c != 0) && ((product < 0) != (c < 0)))
        --quotient;
    return static_cast<int>(quotient);
}

} // namespace

Letterbox::Letterbox(int clientWidth, int clientHeight, int outputWidth, int outputHeight)
    : mClientWidth(clientWidth), mClientHeight(clientHeight) {
    if (clientWidth <= 0 || clientHeight <= 0 || outputWidth <= 0 || outputHeight <= 0)
        return;
    // Fit the width when the output is relatively taller, else the height.
    int width = outputWidth;
    int height = ScaleFloor(clientHeight, outputWidth, clientWidth);
    if (height > outputHeight) {
        height = outputHeight;
        width = ScaleFloor(clientWidth, outputHeight, clientHeight);
    }
    const int left = (outputWidth - width) / 2;
    const int top = (outputHeight - height) / 2;
    mView = {left, top, left + width, top + height};
}

Point Letterbox::ToClient(Point output) const {
    if (mView.Width() <= 0 || mView.Height() <= 0)
        return output;
    return {ScaleFloor(output.x - mView.left, mClientWidth, mView.Width()),
            ScaleFloor(output.y - mView.top, mClientHeight, mView.Height())};
}

Rect Letterbox::ToOutput(const Rect& client) const {
    if (mClientWidth <= 0 || mClientHeight <= 0)
        return client;
    return {mView.left + ScaleFloor(client.left, mView.Width(), mClientWidth),
            mView.top + ScaleFloor(client.top, mView.Height(), mClientHeight),
            mView.left + ScaleFloor(client.right, mView.Width(), mClientWidth),
            mView.top + ScaleFloor(client.bottom, mView.Height(), mClientHeight)};
}

} // namespace platform
