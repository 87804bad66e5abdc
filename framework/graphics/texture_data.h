#pragma once
// The 3D renderer's copy of one memory image: the image cut into texture
// pieces, row by row. Made, refilled and deleted by the renderer only.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/device3d/texture.h"
#include "platform/device3d/texture_format.h"
#include "platform/device3d/texture_palette.h"

namespace Kavo {

struct TexturePiece {
    std::shared_ptr<platform::Texture> mTexture;
    int32_t mWidth = 0; // the texture's size, which may exceed the image part it holds
    int32_t mHeight = 0;
};

class TextureData {
public:
    std::vector<TexturePiece> mPieces; // row by row, mPiecesAcross to a row
    std::shared_ptr<platform::TexturePalette> mPalette;
    int32_t mWidth = 0; // the image's size when the pieces were built
    int32_t mHeight = 0;
    int32_t mPiecesAcross = 0;
    int32_t mPiecesDown = 0;
    int32_t mPieceWidth = 64; // the regular pieces
    int32_t mPieceHeight = 64;
    int32_t mBitsChangedCount = 0; // the image's count when the pieces were filled
    int32_t mTexMemSize = 0;       // bytes
    float mMaxTotalU = 0;          // image width / piece width
    float mMaxTotalV = 0;
    platform::TextureFormat mPixelFormat = platform::TextureFormat::None;
    uint32_t mImageFlags = 0; // the image's storage flags when built

    const TexturePiece& Piece(int column, int row) const { return mPieces[size_t(row * mPiecesAcross + column)]; }
};

} // namespace Kavo
