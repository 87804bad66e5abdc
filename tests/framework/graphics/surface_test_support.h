#pragma once

// A pixel buffer standing for a locked display surface in the kernel
// tests: rows padded past their end and guard bytes after the last row, so
// that a kernel writing outside the surface shows.

#include <cstdint>
#include <cstring>
#include <vector>

#include "framework/graphics/surface_target.h"

namespace Kavo::SurfaceTest {

class TestSurface {
public:
    static constexpr uint8_t kGuard = 0xA5;
    static constexpr int kPad = 8; // bytes after each row and after the last

    TestSurface(int width, int height, int bitCount, uint32_t fill = 0)
        : mWidth(width), mHeight(height), mBitCount(bitCount), mBytes(bitCount / 8), mPitch(width * mBytes + kPad),
          mBuffer(static_cast<size_t>(mPitch) * height + kPad, kGuard) {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                Set(x, y, fill);
    }

    SurfaceTarget Target() { return SurfaceTarget{mBuffer.data(), mPitch, mBitCount, mWidth, mHeight}; }

    uint32_t At(int x, int y) const {
        uint32_t v = 0;
        std::memcpy(&v, mBuffer.data() + static_cast<size_t>(y) * mPitch + static_cast<size_t>(x) * mBytes, mBytes);
        return v;
    }
    void Set(int x, int y, uint32_t v) {
        std::memcpy(mBuffer.data() + static_cast<size_t>(y) * mPitch + static_cast<size_t>(x) * mBytes, &v, mBytes);
    }

    std::vector<uint32_t> Pixels() const {
        std::vector<uint32_t> out;
        for (int y = 0; y < mHeight; ++y)
            for (int x = 0; x < mWidth; ++x)
                out.push_back(At(x, y));
        return out;
    }

    // True while no byte outside the pixels was written.
    bool GuardsIntact() const {
        for (int y = 0; y <= mHeight; ++y) {
            const size_t from = y == mHeight ? static_cast<size_t>(mPitch) * mHeight
                                             : static_cast<size_t>(y) * mPitch + static_cast<size_t>(mWidth) * mBytes;
            for (size_t i = from; i < from + kPad; ++i)
                if (mBuffer[i] != kGuard)
                    return false;
        }
        return true;
    }

private:
    int mWidth, mHeight, mBitCount, mBytes, mPitch;
    std::vector<uint8_t> mBuffer;
};

} // namespace Kavo::SurfaceTest
