#include "game/ui/image_desc.h"

#include "engine/base/string_tools.h"
#include "framework/graphics/graphics.h"
#include "framework/imagelib/image_codecs.h"
#include "game/ui/hardware_3d.h"
#include "game/ui/ini_document.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

namespace Game {

namespace {

// How many steps of `size` from `start` still end inside a picture side.
int64_t StepsThatFit(int64_t start, int64_t size, int64_t wanted) {
    constexpr int64_t side = Kavo::ImageLib::kMaxImageSide;
    if (wanted <= 0 || start < 0 || size < 0 || start + size > side)
        return 0;
    // A frame without extent never leaves the picture: the count caps it.
    if (size == 0)
        return wanted;
    return std::min(wanted, (side - start) / size);
}

} // namespace

void ImageDesc::AddGrid(Kavo::IntRect first, int cols, int rows) {
    // Frames past the largest picture the game can load could never show;
    // the count keeps a grid of tiny frames from taking all the memory.
    const int64_t fitCols = StepsThatFit(first.mX, first.mWidth, cols);
    const int64_t fitRows = StepsThatFit(first.mY, first.mHeight, rows);
    for (int64_t row = 0; row < fitRows; ++row) {
        for (int64_t col = 0; col < fitCols; ++col) {
            if (mRects.size() >= static_cast<size_t>(kMaxFrames))
                return;
            if (row != 0 || col != 0)
                mRects.emplace_back(static_cast<int>(first.mX + first.mWidth * col),
                                    static_cast<int>(first.mY + first.mHeight * row), first.mWidth, first.mHeight);
        }
    }
}

bool ImageDesc::LoadFromSection(const IniSection& section) {
    section.GetString("ImageFile", "", mImageFile);
    section.GetString("AlphaFile", "", mAlphaFile);
    section.GetString("Attributes", "", mAttributes);
    const int cols = section.GetInt("ColCount", 0);
    const int rows = section.GetInt("RowCount", 0);

    mRects.clear();
    std::vector<std::string> pieces;
    com_string::Split(section.GetString("Rects").c_str(), ';', pieces);
    for (const std::string& piece : pieces) {
        int v[4] = {0, 0, 0, 0};
        std::sscanf(piece.c_str(), "%d,%d,%d,%d", &v[0], &v[1], &v[2], &v[3]);
        mRects.emplace_back(v[0], v[1], v[2], v[3]);
    }
    if (!mRects.empty())
        AddGrid(mRects.front(), cols, rows);
    SetCurrentRect(section.GetInt("ActiveRect", 0));
    return true;
}

bool ImageDesc::LoadFile(const std::string& path) {
    IniDocument doc;
    doc.Load(path, true);
    if (doc.GetSectionCount() == 0)
        return false;
    return LoadFromSection(*doc.GetSection("Main"));
}

Kavo::IntRect ImageDesc::GetRect(int index) const {
    if (index < 0 || static_cast<size_t>(index) >= mRects.size())
        return Kavo::IntRect();
    return mRects[static_cast<size_t>(index)];
}

void ImageDesc::Draw(Kavo::Graphics* g, float x, float y, bool centred) {
    if (mImage == nullptr || mCurrentRect.mWidth <= 0 || mCurrentRect.mHeight <= 0)
        return;
    if (centred) {
        x -= static_cast<float>(mCurrentRect.mWidth / 2);
        y -= static_cast<float>(mCurrentRect.mHeight / 2);
    }
    if (UsesHardware3D())
        g->DrawImageF(mImage, x, y, mCurrentRect);
    else
        g->DrawImage(mImage, static_cast<int>(x), static_cast<int>(y), mCurrentRect);
}

void ImageDesc::DrawTransformed(Kavo::Graphics* g, Kavo::LazyTransform& transform) {
    if (mImage == nullptr || mCurrentRect.mWidth <= 0 || mCurrentRect.mHeight <= 0)
        return;
    const float x = static_cast<float>(mOffsetX);
    const float y = static_cast<float>(mOffsetY);
    if (UsesHardware3D())
        g->DrawImageTransformF(mImage, transform, mCurrentRect, x, y);
    else
        g->DrawImageTransform(mImage, transform, mCurrentRect, x, y);
}

void ImageDesc::Copy(const ImageDesc& other) {
    mImage = other.mImage;
    mRects = other.mRects;
    mCurrentRect = other.mCurrentRect;
    mName = other.mName;
    mOffsetX = other.mOffsetX;
    mOffsetY = other.mOffsetY;
}

} // namespace Game
