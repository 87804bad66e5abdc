#include "game/ui/image_desc.h"

#include "engine/base/string_tools.h"
#include "framework/graphics/graphics.h"
#include "game/ui/hardware_3d.h"
#include "game/ui/ini_document.h"

#include <cstdio>

namespace Game {

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
    if (!mRects.empty()) {
        const Kavo::IntRect first = mRects.front();
        for (int row = 0; row < rows; ++row) {
            for (int col = 0; col < cols; ++col) {
                if (row != 0 || col != 0)
                    mRects.emplace_back(first.mX + first.mWidth * col, first.mY + first.mHeight * row, first.mWidth,
                                        first.mHeight);
            }
        }
    }
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
