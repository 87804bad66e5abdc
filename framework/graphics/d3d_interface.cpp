#include "framework/graphics/d3d_interface.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <type_traits>

#include "framework/graphics/memory_image.h"
#include "framework/graphics/texture_data.h"
#include "framework/util/directx_error.h"
#include "platform/device3d/device3d_provider.h"
#include "platform/device3d/render_target_view.h"
#include "platform/surface/surface_flags.h"

namespace Kavo {

static_assert(sizeof(TLVertex) == sizeof(platform::TLVertex) && std::is_trivially_copyable_v<TLVertex> &&
                  std::is_trivially_copyable_v<platform::TLVertex>,
              "the renderer's vertices are handed to the device as they are");

namespace {

constexpr int kTrianglesPerBatch = 100;

TLVertex MakeVertex(float x, float y, uint32_t color, float u = 0.0f, float v = 0.0f) {
    TLVertex vertex;
    vertex.mX = x;
    vertex.mY = y;
    vertex.mZ = 0.0f;
    vertex.mRhw = 1.0f;
    vertex.mDiffuse = color;
    vertex.mSpecular = 0;
    vertex.mU = u;
    vertex.mV = v;
    return vertex;
}

bool Outside(const TLVertex& v, const IntRect& clip) {
    return v.mX < float(clip.mX) || v.mX >= float(clip.mX + clip.mWidth) || v.mY < float(clip.mY) ||
           v.mY >= float(clip.mY + clip.mHeight);
}

// The part of srcRect inside the image; dx, dy: how far its corner moved.
IntRect SourceInImage(const TextureData& data, const IntRect& srcRect, int& dx, int& dy) {
    const int left = std::max(srcRect.mX, 0);
    const int top = std::max(srcRect.mY, 0);
    const int right = std::min(srcRect.mX + srcRect.mWidth, data.mWidth);
    const int bottom = std::min(srcRect.mY + srcRect.mHeight, data.mHeight);
    dx = left - srcRect.mX;
    dy = top - srcRect.mY;
    return {left, top, std::max(right - left, 0), std::max(bottom - top, 0)};
}

// The piece under source position (x, y) and the part of it that the rest
// of the request (width x height from there) uses.
struct PiecePart {
    const TexturePiece* mPiece = nullptr;
    int mWidth = 0;
    int mHeight = 0;
    float mU0 = 0, mV0 = 0, mU1 = 0, mV1 = 0;
};

PiecePart LookUpPiece(const TextureData& data, int x, int y, int width, int height) {
    PiecePart part;
    const int column = x / data.mPieceWidth;
    const int row = y / data.mPieceHeight;
    if (column >= data.mPiecesAcross || row >= data.mPiecesDown)
        return part;
    part.mPiece = &data.Piece(column, row);
    const int ox = x % data.mPieceWidth;
    const int oy = y % data.mPieceHeight;
    const float tw = float(part.mPiece->mWidth);
    const float th = float(part.mPiece->mHeight);
    part.mWidth = std::min(ox + width, part.mPiece->mWidth) - ox;
    part.mHeight = std::min(oy + height, part.mPiece->mHeight) - oy;
    part.mU0 = float(ox) / tw;
    part.mV0 = float(oy) / th;
    part.mU1 = float(ox + part.mWidth) / tw;
    part.mV1 = float(oy + part.mHeight) / th;
    return part;
}

Matrix3x3 Translation(float x, float y) {
    Matrix3x3 m;
    m.Translate(x, y);
    return m;
}

} // namespace

D3DInterface::D3DInterface() = default;

D3DInterface::~D3DInterface() {
    Cleanup();
}

bool D3DInterface::Check(platform::HResult result, const char* context) {
    if (platform::Succeeded(result))
        return true;
    mErrorString = std::string(context) + ": " + GetDirectXErrorString(result);
    if (mOwner != nullptr)
        mOwner->Write3DRuntimeError(mErrorString);
    return false;
}

bool D3DInterface::Init(platform::Display*, platform::WindowHandle window, int width, int height,
                        platform::Surface* drawSurface, bool) {
    Cleanup();
    mHWnd = window;
    mWidth = width;
    mHeight = height;
    if (drawSurface == nullptr) {
        mErrorString = "No draw surface";
        return false;
    }
    mDrawSurface = drawSurface;
    mDrawSurface->AddRef();

    if (!Check(platform::CreateDevice3D(mDevice), "QueryInterface IID_IDirect3D7"))
        return false;
    platform::SurfaceDesc locked;
    if (!Check(mDrawSurface->Lock(locked, platform::kLockWait), "CreateDevice IID_IDirect3DHALDevice"))
        return false;
    mDrawSurface->Unlock();
    if (!Check(mDevice->SetRenderTarget(platform::ViewOfLockedSurface(locked)), "CreateDevice IID_IDirect3DHALDevice"))
        return false;
    platform::DeviceCaps caps;
    if (!Check(mDevice->GetCaps(caps), "GetCaps"))
        return false;
    if (caps.maxTextureWidth == 0) {
        mLimits = TextureLimits{64, 64, 64, 64, 1};
    } else {
        mLimits.mMinWidth = int32_t(std::max<uint32_t>(caps.minTextureWidth, 1));
        mLimits.mMinHeight = int32_t(std::max<uint32_t>(caps.minTextureHeight, 1));
        mLimits.mMaxWidth = int32_t(std::min<uint32_t>(caps.maxTextureWidth, 1024));
        mLimits.mMaxHeight = int32_t(std::min<uint32_t>(std::max<uint32_t>(caps.maxTextureHeight, 1), 1024));
        mLimits.mMaxAspectRatio =
            caps.maxTextureAspectRatio == 0 ? 65536 : int32_t(std::min<uint32_t>(caps.maxTextureAspectRatio, 65536));
    }
    std::vector<platform::PixelFormat> formats;
    if (!Check(mDevice->EnumTextureFormats(formats), "EnumTextureFormats"))
        return false;
    mSupportedFormats = 0;
    for (const platform::PixelFormat& format : formats)
        mSupportedFormats |= static_cast<uint32_t>(platform::ClassifyPixelFormat(format));
    if (!caps.paletteAlpha)
        mSupportedFormats &= ~static_cast<uint32_t>(platform::TextureFormat::Palette8);

    if (!Check(mDevice->SetViewport({0, 0, width, height, 0.0f, 1.0f}), "SetViewport"))
        return false;
    return Check(mDevice->Clear(0, nullptr, platform::kClearTarget, 0xFF000000u, 1.0f, 0), "Clear");
}

void D3DInterface::Cleanup() {
    EndScene();
    {
        const SetLock guard(mLock);
        for (MemoryImage* image : mImageSet)
            DeleteTextureData(image);
        mImageSet.clear();
    }
    mDevice.reset();
    if (mDrawSurface != nullptr) {
        mDrawSurface->Release();
        mDrawSurface = nullptr;
    }
    mSceneBegun = false;
}

bool D3DInterface::BeginDrawing() {
    if (mDevice == nullptr || mDrawSurface == nullptr)
        return false;
    if (mOwner != nullptr && mOwner->IsWindowMinimized())
        return false;
    if (mSceneBegun)
        return true;
    // The device draws straight into the surface's memory, which stays put
    // for the surface's life; the lock only tells where it is.
    platform::SurfaceDesc locked;
    platform::HResult result = mDrawSurface->Lock(locked, platform::kLockWait);
    if (platform::Succeeded(result)) {
        mDrawSurface->Unlock();
        result = mDevice->SetRenderTarget(platform::ViewOfLockedSurface(locked));
    }
    mRenderTargetLost = platform::Failed(result);
    if (mRenderTargetLost || !Check(mDevice->BeginScene(), "BeginScene")) {
        mPreDrawError = true;
        return false;
    }
    mPreDrawError = false;
    using platform::RenderState;
    using platform::TextureStageState;
    mDevice->SetRenderState(RenderState::AlphaBlendEnable, 1);
    mDevice->SetRenderState(RenderState::SrcBlend, uint32_t(platform::Blend::SrcAlpha));
    mDevice->SetRenderState(RenderState::DestBlend, uint32_t(platform::Blend::InvSrcAlpha));
    mDevice->SetRenderState(RenderState::Lighting, 0);
    mDevice->SetTextureStageState(0, TextureStageState::MinFilter, uint32_t(platform::TextureFilter::Point));
    mDevice->SetTextureStageState(0, TextureStageState::MagFilter, uint32_t(platform::TextureFilter::Point));
    mDevice->SetTextureStageState(0, TextureStageState::MipFilter, platform::kMipFilterNone);
    mDevice->SetTextureStageState(0, TextureStageState::AlphaOp, uint32_t(platform::TextureOp::Modulate));
    mDevice->SetTextureStageState(0, TextureStageState::AddressU, uint32_t(platform::TextureAddress::Clamp));
    mDevice->SetTextureStageState(0, TextureStageState::AddressV, uint32_t(platform::TextureAddress::Clamp));
    mDevice->SetRenderState(RenderState::DitherEnable, 0);
    mDevice->SetRenderState(RenderState::SpecularEnable, 0);
    mDevice->SetRenderState(RenderState::ZWriteEnable, 0);
    mDevice->SetRenderState(RenderState::ZEnable, 0);
    mDevice->SetRenderState(RenderState::CullMode, uint32_t(platform::Cull::None));
    mSceneBegun = true;
    mLinearFilter = false;
    mWasUsed = true;
    return true;
}

void D3DInterface::EndScene() {
    if (!mSceneBegun)
        return;
    if (mDevice != nullptr)
        mDevice->EndScene();
    mSceneBegun = false;
}

void D3DInterface::SetBlendMode(int drawMode) {
    mDevice->SetRenderState(platform::RenderState::SrcBlend, uint32_t(platform::Blend::SrcAlpha));
    mDevice->SetRenderState(platform::RenderState::DestBlend,
                            uint32_t(drawMode == 0 ? platform::Blend::InvSrcAlpha : platform::Blend::One));
}

void D3DInterface::SetLinearFilter(bool linear) {
    if (linear == mLinearFilter)
        return;
    const auto filter = uint32_t(linear ? platform::TextureFilter::Linear : platform::TextureFilter::Point);
    const char* context = linear ? "SetTextureStageState LINEAR" : "SetTextureStageState Point";
    using platform::TextureStageState;
    Check(mDevice->SetTextureStageState(0, TextureStageState::MinFilter, filter), context);
    Check(mDevice->SetTextureStageState(0, TextureStageState::MagFilter, filter), context);
    Check(mDevice->SetTextureStageState(0, TextureStageState::MipFilter, filter), context);
    mLinearFilter = linear;
}

bool D3DInterface::SetTexture(const std::shared_ptr<platform::Texture>& texture, const char* context) {
    return mDevice != nullptr && Check(mDevice->SetTexture(0, texture), context);
}

void D3DInterface::DrawVertices(platform::PrimitiveType type, const TLVertex* vertices, int count,
                                const char* context) {
    std::array<platform::TLVertex, VertexList::kInPlaceCount> inPlace;
    std::vector<platform::TLVertex> heap;
    platform::TLVertex* out = inPlace.data();
    if (count > VertexList::kInPlaceCount) {
        heap.resize(size_t(count));
        out = heap.data();
    }
    std::memcpy(static_cast<void*>(out), vertices, sizeof(TLVertex) * size_t(count));
    Check(mDevice->DrawPrimitive(type, platform::kFvfTransformedTextured, out, count, 0), context);
}

void D3DInterface::DrawClipped(const VertexList& polygon, const IntRect& clip) {
    // Points on the right or bottom bound are kept: the area is the same as
    // with the bound excluded, and the fill rule leaves that edge undrawn.
    VertexList a = polygon;
    VertexList b;
    a.ClipPolygonMin(0, float(clip.mX), b);
    a.Clear();
    b.ClipPolygonMin(1, float(clip.mY), a);
    b.Clear();
    a.ClipPolygonMax(0, float(clip.mX + clip.mWidth), b);
    a.Clear();
    b.ClipPolygonMax(1, float(clip.mY + clip.mHeight), a);
    if (a.Count() >= 3)
        DrawVertices(platform::PrimitiveType::TriangleFan, a.Data(), a.Count(), "DrawPrimitive (Tri) 2");
}

void D3DInterface::FillRect(const IntRect& rect, const Color& color, int drawMode) {
    if (!BeginDrawing())
        return;
    SetBlendMode(drawMode);
    SetTexture(nullptr, "SetTexture NULL");
    const float left = float(rect.mX) - 0.5f;
    const float top = float(rect.mY) - 0.5f;
    const float right = left + float(rect.mWidth);
    const float bottom = top + float(rect.mHeight);
    const uint32_t packed = color.ToInt();
    std::array<TLVertex, 4> v = {MakeVertex(left, top, packed), MakeVertex(left, bottom, packed),
                                 MakeVertex(right, top, packed), MakeVertex(right, bottom, packed)};
    if (!mTransformStack.empty()) {
        for (TLVertex& vertex : v) {
            mTransformStack.back().Apply(vertex.mX, vertex.mY, vertex.mX, vertex.mY);
            vertex.mX -= 0.5f;
            vertex.mY -= 0.5f;
        }
    }
    DrawVertices(platform::PrimitiveType::TriangleStrip, v.data(), 4, "DrawPrimitive (Rect)");
}

void D3DInterface::DrawLine(double x1, double y1, double x2, double y2, const Color& color, int drawMode) {
    if (!BeginDrawing())
        return;
    SetBlendMode(drawMode);
    SetTexture(nullptr, "SetTexture NULL");
    float ax = float(x1), ay = float(y1), bx = float(x2), by = float(y2);
    if (!mTransformStack.empty()) {
        mTransformStack.back().Apply(ax, ay, ax, ay);
        mTransformStack.back().Apply(bx, by, bx, by);
    }
    const uint32_t packed = color.ToInt();
    // The short last segment makes the device draw the end pixel.
    const std::array<TLVertex, 3> v = {MakeVertex(ax, ay, packed), MakeVertex(bx, by, packed),
                                       MakeVertex(bx + 0.5f, by + 0.5f, packed)};
    DrawVertices(platform::PrimitiveType::LineStrip, v.data(), 3, "DrawPrimitive (Line)");
}

void D3DInterface::FillPoly(const Point* points, int count, const IntRect& clipRect, const Color& color, int drawMode,
                            int transX, int transY) {
    if (points == nullptr || count < 3 || !BeginDrawing())
        return;
    SetBlendMode(drawMode);
    SetTexture(nullptr, "SetTexture NULL");
    const uint32_t packed = color.ToInt();
    VertexList polygon;
    for (int i = 0; i < count; ++i) {
        float x = float(points[i].mX + transX);
        float y = float(points[i].mY + transY);
        if (!mTransformStack.empty())
            mTransformStack.back().Apply(x, y, x, y);
        polygon.Append(MakeVertex(x, y, packed));
    }
    DrawClipped(polygon, clipRect);
}

void D3DInterface::Blt(Image* image, float x, float y, const IntRect& srcRect, const Color& color, int drawMode,
                       bool linearFilter) {
    auto* source = dynamic_cast<MemoryImage*>(image);
    if (source == nullptr || !BeginDrawing() || !CreateImageTexture(source))
        return;
    if (!mTransformStack.empty()) {
        DrawTransformed(source, Translation(x, y), nullptr, color, drawMode, srcRect, true, 0.0f, 0.0f, false);
        return;
    }
    SetBlendMode(drawMode);
    SetLinearFilter(linearFilter);
    TextureData& data = *source->mTextureData;
    int dx = 0, dy = 0;
    const IntRect src = SourceInImage(data, srcRect, dx, dy);
    if (src.mWidth <= 0 || src.mHeight <= 0)
        return;
    const uint32_t packed = color.ToInt();
    const int right = src.mX + src.mWidth;
    const int bottom = src.mY + src.mHeight;
    float destY = y + float(dy);
    for (int sy = src.mY; sy < bottom;) {
        float destX = x + float(dx);
        int rowHeight = 0;
        for (int sx = src.mX; sx < right;) {
            const PiecePart part = LookUpPiece(data, sx, sy, right - sx, bottom - sy);
            if (part.mPiece == nullptr || part.mWidth <= 0 || part.mHeight <= 0)
                return;
            const float l = destX - 0.5f, t = destY - 0.5f;
            const std::array<TLVertex, 4> v = {
                MakeVertex(l, t, packed, part.mU0, part.mV0),
                MakeVertex(l, t + float(part.mHeight), packed, part.mU0, part.mV1),
                MakeVertex(l + float(part.mWidth), t, packed, part.mU1, part.mV0),
                MakeVertex(l + float(part.mWidth), t + float(part.mHeight), packed, part.mU1, part.mV1)};
            SetTexture(part.mPiece->mTexture, "SetTexture gTexture");
            DrawVertices(platform::PrimitiveType::TriangleStrip, v.data(), 4, "DrawPrimitive (Tri) 1");
            destX += float(part.mWidth);
            sx += part.mWidth;
            rowHeight = part.mHeight;
        }
        sy += rowHeight;
        destY += float(rowHeight);
    }
}

void D3DInterface::BltClipF(Image* image, float x, float y, const IntRect& srcRect, const IntRect& clipRect,
                            const Color& color, int drawMode) {
    BltTransformed(image, Translation(x, y), clipRect, color, drawMode, srcRect, true, 0.0f, 0.0f, false);
}

void D3DInterface::BltMirror(Image* image, float x, float y, const IntRect& srcRect, const Color& color, int drawMode) {
    auto* source = dynamic_cast<MemoryImage*>(image);
    if (source == nullptr || !BeginDrawing() || !CreateImageTexture(source))
        return;
    Matrix3x3 m;
    m.Translate(-float(srcRect.mWidth), 0.0f);
    m.Scale(-1.0f, 1.0f);
    m.Translate(x, y);
    DrawTransformed(source, m, nullptr, color, drawMode, srcRect, false, 0.0f, 0.0f, false);
}

void D3DInterface::StretchBlt(Image* image, const IntRect& destRect, const IntRect& srcRect, const IntRect& clipRect,
                              const Color& color, int drawMode, bool fastStretch, bool mirror) {
    auto* source = dynamic_cast<MemoryImage*>(image);
    if (source == nullptr || srcRect.mWidth == 0 || srcRect.mHeight == 0 || !BeginDrawing() ||
        !CreateImageTexture(source))
        return;
    Matrix3x3 m;
    const float sx = float(destRect.mWidth) / float(srcRect.mWidth);
    const float sy = float(destRect.mHeight) / float(srcRect.mHeight);
    if (mirror) {
        m.Translate(-float(srcRect.mWidth), 0.0f);
        m.Scale(-sx, sy);
    } else {
        m.Scale(sx, sy);
    }
    m.Translate(float(destRect.mX), float(destRect.mY));
    DrawTransformed(source, m, &clipRect, color, drawMode, srcRect, !fastStretch, 0.0f, 0.0f, false);
}

void D3DInterface::BltRotated(Image* image, float x, float y, const IntRect& clipRect, const Color& color, int drawMode,
                              double angle, float centerX, float centerY, const IntRect& srcRect) {
    auto* source = dynamic_cast<MemoryImage*>(image);
    if (source == nullptr || !BeginDrawing() || !CreateImageTexture(source))
        return;
    Matrix3x3 m;
    m.Translate(-centerX, -centerY);
    m.RotateRad(float(angle));
    m.Translate(x + centerX, y + centerY);
    DrawTransformed(source, m, &clipRect, color, drawMode, srcRect, true, 0.0f, 0.0f, false);
}

void D3DInterface::BltTransformed(Image* image, const Matrix3x3& matrix, const IntRect& clipRect, const Color& color,
                                  int drawMode, const IntRect& srcRect, bool blend, float x, float y, bool center) {
    auto* source = dynamic_cast<MemoryImage*>(image);
    if (source == nullptr || !BeginDrawing() || !CreateImageTexture(source))
        return;
    DrawTransformed(source, matrix, &clipRect, color, drawMode, srcRect, blend, x, y, center);
}

void D3DInterface::DrawTransformed(MemoryImage* image, const Matrix3x3& matrix, const IntRect* clip, const Color& color,
                                   int drawMode, const IntRect& srcRect, bool blend, float x, float y, bool center) {
    SetBlendMode(drawMode);
    if (mTransformStack.empty()) {
        SetLinearFilter(blend);
        WalkPieces(*image->mTextureData, matrix, srcRect, color.ToInt(), clip, x, y, center);
        return;
    }
    SetLinearFilter(true);
    Matrix3x3 inner = matrix;
    if (x != 0.0f || y != 0.0f) {
        if (center)
            Matrix3x3::Multiply(inner, Translation(-float(srcRect.mWidth) * 0.5f, -float(srcRect.mHeight) * 0.5f),
                                inner);
        Matrix3x3::Multiply(Translation(x, y), inner, inner);
        x = y = 0.0f;
        center = false;
    }
    Matrix3x3 composed;
    Matrix3x3::Multiply(mTransformStack.back(), inner, composed);
    WalkPieces(*image->mTextureData, composed, srcRect, color.ToInt(), clip, x, y, center);
}

void D3DInterface::WalkPieces(TextureData& data, const Matrix3x3& m, const IntRect& srcRect, uint32_t color,
                              const IntRect* clip, float x, float y, bool center) {
    if (srcRect.mWidth == 0 || srcRect.mHeight == 0)
        return;
    const float shift = center ? 0.0f : 0.5f;
    int dx = 0, dy = 0;
    // A source rectangle reaching past the image draws the part inside it,
    // where it would have been.
    const IntRect src = SourceInImage(data, srcRect, dx, dy);
    if (src.mWidth <= 0 || src.mHeight <= 0)
        return;
    const float startX = (center ? -float(srcRect.mWidth) * 0.5f : 0.0f) + float(dx);
    const float startY = (center ? -float(srcRect.mHeight) * 0.5f : 0.0f) + float(dy);
    auto corner = [&](float a, float b, uint32_t packed, float u, float v) {
        return MakeVertex(m.m[0][0] * a + m.m[0][1] * b + m.m[0][2] + x - shift,
                          m.m[1][0] * a + m.m[1][1] * b + m.m[1][2] + y - shift, packed, u, v);
    };
    const int right = src.mX + src.mWidth;
    const int bottom = src.mY + src.mHeight;
    float py = startY;
    for (int sy = src.mY; sy < bottom;) {
        float px = startX;
        int rowHeight = 0;
        for (int sx = src.mX; sx < right;) {
            const PiecePart part = LookUpPiece(data, sx, sy, right - sx, bottom - sy);
            if (part.mPiece == nullptr || part.mWidth <= 0 || part.mHeight <= 0)
                return;
            const float pr = px + float(part.mWidth);
            const float pb = py + float(part.mHeight);
            const std::array<TLVertex, 4> v = {
                corner(px, py, color, part.mU0, part.mV0), corner(px, pb, color, part.mU0, part.mV1),
                corner(pr, py, color, part.mU1, part.mV0), corner(pr, pb, color, part.mU1, part.mV1)};
            SetTexture(part.mPiece->mTexture, "SetTexture gTexture");
            if (clip != nullptr &&
                std::any_of(v.begin(), v.end(), [&](const TLVertex& t) { return Outside(t, *clip); })) {
                VertexList polygon;
                polygon.Append(v[0]);
                polygon.Append(v[1]);
                polygon.Append(v[3]);
                polygon.Append(v[2]);
                DrawClipped(polygon, *clip);
            } else {
                DrawVertices(platform::PrimitiveType::TriangleStrip, v.data(), 4, "DrawPrimitive (Tri) 3");
            }
            px = pr;
            sx += part.mWidth;
            rowHeight = part.mHeight;
        }
        sy += rowHeight;
        py += float(rowHeight);
    }
}

void D3DInterface::DrawTrianglesTex(const TriVertex (*vertices)[3], int triangleCount, const Color& color, int drawMode,
                                    Image* texture, float transX, float transY, bool blend) {
    auto* source = dynamic_cast<MemoryImage*>(texture);
    if (vertices == nullptr || triangleCount <= 0 || source == nullptr || !BeginDrawing() ||
        !CreateImageTexture(source))
        return;
    SetBlendMode(drawMode);
    SetLinearFilter(blend);
    TextureData& data = *source->mTextureData;
    const uint32_t packed = color.ToInt();
    if (data.mMaxTotalU > 1.0f || data.mMaxTotalV > 1.0f) {
        DrawTrianglesSplit(data, vertices, triangleCount, packed, transX, transY);
        return;
    }
    SetTexture(data.mPieces.front().mTexture, "SetTexture gTexture");
    VertexList batch;
    for (int i = 0; i < triangleCount; ++i) {
        for (const TriVertex& t : vertices[i])
            batch.Append(MakeVertex(transX + t.x, transY + t.y, t.color != 0 ? t.color : packed, t.u * data.mMaxTotalU,
                                    t.v * data.mMaxTotalV));
        if (batch.Count() == kTrianglesPerBatch * 3 || i == triangleCount - 1) {
            DrawVertices(platform::PrimitiveType::TriangleList, batch.Data(), batch.Count(), "DrawPrimitive (TriList)");
            batch.Clear();
        }
    }
}

void D3DInterface::DrawTrianglesSplit(TextureData& data, const TriVertex (*vertices)[3], int triangleCount,
                                      uint32_t color, float transX, float transY) {
    const TexturePiece& first = data.mPieces.front();
    for (int i = 0; i < triangleCount; ++i) {
        std::array<TLVertex, 3> corners;
        float minU = data.mMaxTotalU, minV = data.mMaxTotalV, maxU = 0.0f, maxV = 0.0f;
        for (int k = 0; k < 3; ++k) {
            const TriVertex& t = vertices[i][k];
            corners[size_t(k)] = MakeVertex(transX + t.x, transY + t.y, t.color != 0 ? t.color : color,
                                            t.u * data.mMaxTotalU, t.v * data.mMaxTotalV);
            minU = std::min(minU, corners[size_t(k)].mU);
            minV = std::min(minV, corners[size_t(k)].mV);
            maxU = std::max(maxU, corners[size_t(k)].mU);
            maxV = std::max(maxV, corners[size_t(k)].mV);
        }
        const int firstColumn = std::max(0, int(std::floor(minU)));
        const int endColumn = std::min(data.mPiecesAcross, int(std::ceil(maxU)));
        const int firstRow = std::max(0, int(std::floor(minV)));
        const int endRow = std::min(data.mPiecesDown, int(std::ceil(maxV)));
        for (int row = firstRow; row < endRow; ++row) {
            for (int column = firstColumn; column < endColumn; ++column) {
                const TexturePiece& piece = data.Piece(column, row);
                VertexList a;
                for (TLVertex v : corners) {
                    v.mU -= float(column);
                    v.mV -= float(row);
                    // The last row and column hold smaller textures: their
                    // coordinates are stretched to the piece's own size.
                    if (row == data.mPiecesDown - 1)
                        v.mV *= float(first.mHeight) / float(piece.mHeight);
                    if (column == data.mPiecesAcross - 1)
                        v.mU *= float(first.mWidth) / float(piece.mWidth);
                    a.Append(v);
                }
                VertexList b;
                a.ClipPolygonMin(3, 0.0f, b);
                a.Clear();
                b.ClipPolygonMin(4, 0.0f, a);
                b.Clear();
                a.ClipPolygonMax(3, 1.0f, b);
                a.Clear();
                b.ClipPolygonMax(4, 1.0f, a);
                if (a.Count() > 2) {
                    SetTexture(piece.mTexture, "SetTexture gTexture");
                    DrawVertices(platform::PrimitiveType::TriangleFan, a.Data(), a.Count(), "DrawPrimitive (Tri) 4");
                }
            }
        }
    }
}

} // namespace Kavo
