#include "platform/device3d/software_device3d.h"

#include <algorithm>
#include <utility>

#include "platform/device3d/line_rasterizer.h"
#include "platform/device3d/triangle_rasterizer.h"

namespace platform {

namespace {

Sampling SamplingFor(TextureFilter filter) {
    return filter == TextureFilter::Linear ? Sampling::Bilinear : Sampling::Point;
}

} // namespace

SoftwareDevice3D::SoftwareDevice3D(AdapterDescription adapter) : DeviceCore(std::move(adapter)) {}

HResult SoftwareDevice3D::Clear(int count, const ClearRect* rects, std::uint32_t flags, std::uint32_t color,
                                float /*z*/, std::uint32_t /*stencil*/) {
    const HResult check = CheckClear(count, rects, flags);
    if (Failed(check) || (flags & kClearTarget) == 0) {
        return check;
    }
    const Viewport& vp = CurrentViewport();
    const ClearRect whole{vp.x, vp.y, vp.x + vp.width, vp.y + vp.height};
    const SpanFunction fill = SelectSpanFunction(TargetPixelFormat(), Sampling::None, BlendKind::Replace, false);
    const SpanShader shader;
    const int bytes = TargetBytesPerPixel(TargetPixelFormat());
    auto* bits = static_cast<std::uint8_t*>(Target().bits);
    for (int i = 0; i < std::max(count, 1); ++i) {
        const ClearRect& r = count == 0 ? whole : rects[i];
        const int left = std::max(r.left, whole.left), right = std::min(r.right, whole.right);
        const int top = std::max(r.top, whole.top), bottom = std::min(r.bottom, whole.bottom);
        for (int y = top; y < bottom && left < right; ++y) {
            SpanCursor cursor;
            cursor.a = static_cast<std::int32_t>(color >> 24) << 16;
            cursor.r = static_cast<std::int32_t>((color >> 16) & 0xFF) << 16;
            cursor.g = static_cast<std::int32_t>((color >> 8) & 0xFF) << 16;
            cursor.b = static_cast<std::int32_t>(color & 0xFF) << 16;
            cursor.dst = bits + static_cast<std::ptrdiff_t>(y) * Target().pitch + left * bytes;
            fill(shader, cursor, right - left);
        }
    }
    return D3D_OK;
}

DrawSetup SoftwareDevice3D::MakeSetup() const {
    const DeviceState& state = States();
    const Viewport& vp = CurrentViewport();
    DrawSetup setup;
    setup.bits = static_cast<std::uint8_t*>(Target().bits);
    setup.pitch = Target().pitch;
    setup.format = TargetPixelFormat();
    setup.clipLeft = vp.x;
    setup.clipTop = vp.y;
    setup.clipRight = vp.x + vp.width;
    setup.clipBottom = vp.y + vp.height;
    setup.blend = ClassifyBlend(state.AlphaBlend(), state.Source(), state.Destination());
    setup.shader.source = state.Source();
    setup.shader.destination = state.Destination();
    setup.cull = state.CullMode();
    setup.flat = state.Flat();

    const Texture* texture = BoundTexture().get();
    setup.textured = texture != nullptr && state.ColorOp() != TextureOp::Disable;
    if (!setup.textured) {
        return setup; // the diffuse colour and alpha pass through
    }
    setup.shader.texels = texture->Argb();
    setup.shader.width = texture->Width();
    setup.shader.height = texture->Height();
    setup.shader.wrapU = state.WrapU();
    setup.shader.wrapV = state.WrapV();
    setup.magnify = SamplingFor(state.MagFilter());
    setup.minify = SamplingFor(state.MinFilter());
    // A channel or'ed to all ones drops out of texture × diffuse, leaving the
    // other argument: that is how the select operations work here.
    switch (state.ColorOp()) {
    case TextureOp::SelectArg1:
        setup.shader.diffuseOr |= 0x00FFFFFFu;
        break;
    case TextureOp::SelectArg2:
        setup.shader.texelOr |= 0x00FFFFFFu;
        break;
    default:
        break;
    }
    switch (state.AlphaOp()) {
    case TextureOp::Modulate:
        break;
    case TextureOp::SelectArg1:
        setup.shader.diffuseOr |= 0xFF000000u;
        break;
    default:
        setup.shader.texelOr |= 0xFF000000u;
        break;
    }
    return setup;
}

HResult SoftwareDevice3D::DrawPrimitive(PrimitiveType type, std::uint32_t vertexFormat, const TLVertex* vertices,
                                        int count, std::uint32_t /*flags*/) {
    const HResult check = CheckDraw(type, vertexFormat, vertices, count);
    if (Failed(check)) {
        return check;
    }
    const DrawSetup setup = MakeSetup();
    const TLVertex* v = vertices;
    switch (type) {
    case PrimitiveType::TriangleList:
        for (int i = 0; i + 2 < count; i += 3) {
            RasterizeTriangle(setup, v[i], v[i + 1], v[i + 2]);
        }
        break;
    case PrimitiveType::TriangleStrip:
        if (count == 4) {
            RasterizeStrip4(setup, v[0], v[1], v[2], v[3]);
            break;
        }
        // Every second triangle of a strip is wound the other way; swapping
        // its last two vertices keeps the winding culling sees consistent.
        for (int i = 0; i + 2 < count; ++i) {
            if (i % 2 == 0) {
                RasterizeTriangle(setup, v[i], v[i + 1], v[i + 2]);
            } else {
                RasterizeTriangle(setup, v[i], v[i + 2], v[i + 1]);
            }
        }
        break;
    case PrimitiveType::TriangleFan:
        for (int i = 1; i + 1 < count; ++i) {
            RasterizeTriangle(setup, v[0], v[i], v[i + 1]);
        }
        break;
    case PrimitiveType::LineStrip:
        for (int i = 0; i + 1 < count; ++i) {
            RasterizeLine(setup, v[i], v[i + 1]);
        }
        break;
    case PrimitiveType::LineList:
        for (int i = 0; i + 1 < count; i += 2) {
            RasterizeLine(setup, v[i], v[i + 1]);
        }
        break;
    default:
        break;
    }
    return D3D_OK;
}

} // namespace platform
