// Draws a strip whose vertices, flags, tint, clip and texture come from the
// input (any float bits, NaN and infinities included) into a destination
// buffer of exactly its size, so any write outside it is caught.
#include "framework/raster/tri_raster.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

class Input {
public:
    Input(const uint8_t* data, size_t size) : mData(data), mSize(size) {}
    template <typename T>
    T Take() {
        T value{};
        size_t n = std::min(sizeof(T), mSize - mPos);
        std::memcpy(&value, mData + mPos, n);
        mPos += n;
        return value;
    }

private:
    const uint8_t* mData;
    size_t mSize;
    size_t mPos = 0;
};

constexpr int32_t kFormats[4] = {Kavo::kTriFormatARGB8888, Kavo::kTriFormatRGB888, Kavo::kTriFormatRGB565,
                                 Kavo::kTriFormatRGB555};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Input in(data, size);
    const int width = 1 + in.Take<uint8_t>() % 64;
    const int height = 1 + in.Take<uint8_t>() % 64;
    const uint8_t flags = in.Take<uint8_t>();
    const int32_t format = kFormats[flags & 3];
    const bool textured = flags & 4;
    const bool linear = flags & 8;
    const bool vertexColors = flags & 16;
    const Kavo::Color tint(in.Take<uint8_t>(), in.Take<uint8_t>(), in.Take<uint8_t>(), in.Take<uint8_t>());

    // Callers always hand a clip inside their destination; where it lies
    // there is up to the input.
    Kavo::IntRect clip(in.Take<int8_t>(), in.Take<int8_t>(), in.Take<uint8_t>(), in.Take<uint8_t>());
    clip = clip.Intersection(Kavo::IntRect(0, 0, width, height));

    const int textureWidth = 1 + in.Take<uint8_t>() % 16;
    const int textureHeight = 1 + in.Take<uint8_t>() % 16;
    std::vector<uint32_t> texels(static_cast<size_t>(textureWidth) * textureHeight);
    for (uint32_t& texel : texels)
        texel = in.Take<uint32_t>();
    Kavo::TriTextureView texture;
    texture.bits = texels.data();
    texture.width = textureWidth;
    texture.height = textureHeight;
    texture.hasAlpha = flags & 32;
    texture.hasTransparency = flags & 64;

    const int count = in.Take<uint8_t>() % 9;
    std::vector<Kavo::TriVertex> vertices(static_cast<size_t>(count));
    for (Kavo::TriVertex& v : vertices) {
        v.x = in.Take<float>();
        v.y = in.Take<float>();
        v.u = in.Take<float>();
        v.v = in.Take<float>();
        v.color = in.Take<uint32_t>();
    }

    const int bytesPerPixel = (format == Kavo::kTriFormatRGB565 || format == Kavo::kTriFormatRGB555) ? 2 : 4;
    std::vector<uint8_t> destination(static_cast<size_t>(width) * height * bytesPerPixel, 0x5A);
    Kavo::TriRasterRenderFan(clip, tint, vertices.data(), count, textured ? &texture : nullptr, destination.data(),
                             width * bytesPerPixel, format, linear, vertexColors);
    return 0;
}
