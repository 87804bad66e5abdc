#include <cmath>
#include <limits>
#include <memory>

#include "framework/raster/tri_clip.h"
#include "framework/raster/tri_raster.h"

namespace Kavo {

namespace {

int32_t FormatGroup(int32_t format) {
    switch (format) {
    case kTriFormatRGB888:
        return TriRasterRGB888;
    case kTriFormatRGB565:
        return TriRasterRGB565;
    case kTriFormatRGB555:
        return TriRasterRGB555;
    default:
        return TriRasterARGB8888;
    }
}

// The members compute in byte lanes; a channel outside 0..255 would spill
// into its neighbour.
int32_t TintChannel(int32_t channel) {
    return ClampChannel(channel);
}

int32_t TexelCount(const TriTextureView& texture) {
    if (texture.bits == nullptr || texture.width <= 0 || texture.height <= 0)
        return 0;
    const int64_t count = int64_t{texture.width} * texture.height;
    return count > std::numeric_limits<int32_t>::max() ? 0 : static_cast<int32_t>(count);
}

bool HasFinitePosition(const TriVertex& v) {
    return std::isfinite(v.x) && std::isfinite(v.y);
}

void ToFixed(const TriVertex& in, TriFixedVertex& out, const TriTextureView* texture, bool vertexColors) {
    out.x = TriFloatToInt(in.x * 65536.0f);
    out.y = TriFloatToInt(in.y * 65536.0f);
    if (texture != nullptr) {
        out.u = TriFloatToInt(static_cast<float>(texture->width) * in.u * 65536.0f);
        out.v = TriFloatToInt(static_cast<float>(texture->height) * in.v * 65536.0f);
    }
    if (vertexColors) {
        out.alpha = static_cast<int32_t>((in.color >> 8) & 0xFF0000u);
        out.red = static_cast<int32_t>(in.color & 0xFF0000u);
        out.green = static_cast<int32_t>((in.color & 0xFF00u) << 8);
        out.blue = static_cast<int32_t>((in.color & 0xFFu) << 16);
    }
}

} // namespace

int32_t TriFloatToInt(float value) {
    if (std::isnan(value))
        return 0;
    if (value >= 2147483648.0f)
        return std::numeric_limits<int32_t>::max();
    if (value < -2147483648.0f)
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

void TriRasterRenderFan(const IntRect& clip, const Color& tint, const TriVertex* vertices, int32_t count,
                        TriTextureView* texture, void* bits, int32_t pitch, int32_t format, bool linear,
                        bool vertexColors) {
    // Right and bottom are the exclusive pixel edges: a corner may lie on them,
    // and the walk leaves the pixels on a right or bottom edge undrawn.
    const float left = static_cast<float>(clip.mX);
    const float right = static_cast<float>(int64_t{clip.mX} + clip.mWidth);
    const float top = static_cast<float>(clip.mY);
    const float bottom = static_cast<float>(int64_t{clip.mY} + clip.mHeight);

    const TriTintColor tintColor{TintChannel(tint.mAlpha), TintChannel(tint.mRed), TintChannel(tint.mGreen),
                                 TintChannel(tint.mBlue)};
    int32_t index = FormatGroup(format);
    if (tintColor.alpha != 255 || tintColor.red != 255 || tintColor.green != 255 || tintColor.blue != 255)
        index |= TriRasterTint;
    if (vertexColors)
        index |= TriRasterVertexColors;
    if (linear)
        index |= TriRasterLinear;

    TriRasterParams params;
    if (texture != nullptr) {
        if (texture->updateAlphaFlags != nullptr)
            texture->updateAlphaFlags(*texture, texture->context);
        index |= TriRasterTextured;
        if (texture->hasAlpha || texture->hasTransparency || linear)
            index |= TriRasterTextureAlpha;
        params.texels = texture->bits;
        params.width = texture->width;
        params.texelCount = TexelCount(*texture);
    }
    if (count < 3)
        return;

    const std::shared_ptr<const TriRasterMemberTable> installed = TriRasterTableSlot().Get();
    const TriRasterFunc draw = (installed != nullptr ? *installed : TriRasterTable)[index];
    if (draw == nullptr)
        return;

    TriClipVertexPool pool;
    TriClipList polygon;
    TriFixedVertex fixed[kTriClipListSize];
    for (int32_t t = 0; t + 2 < count; ++t) {
        const bool odd = (t & 1) != 0;
        const TriVertex* const triangle[3] = {&vertices[t], &vertices[odd ? t + 2 : t + 1],
                                              &vertices[odd ? t + 1 : t + 2]};
        // A position that is not finite has no place in fixed point.
        if (!HasFinitePosition(*triangle[0]) || !HasFinitePosition(*triangle[1]) || !HasFinitePosition(*triangle[2]))
            continue;
        const int n = TriRasterClipPolygon(triangle, polygon, left, right, top, bottom, pool);
        for (int k = 0; k < n; ++k)
            ToFixed(*polygon[k], fixed[k], texture, vertexColors);
        // The fan (0,1,2), (0,2,3), ...; a member takes three corners in a row.
        for (int k = 2; k < n; ++k) {
            const TriFixedVertex corners[3] = {fixed[0], fixed[k - 1], fixed[k]};
            draw(corners, bits, pitch, &params, &tintColor);
        }
    }
}

} // namespace Kavo
