// Images made for the caller: loaded from a file, or copied by drawing.
#include "framework/app/kavo_app_base.h"
#include "framework/graphics/dd_image.h"
#include "framework/graphics/graphics.h"
#include "framework/graphics/memory_image.h"
#include "framework/imagelib/load_image_bits.h"

namespace Kavo {

MemoryImage* KavoAppBase::NewDisplayImage() {
    return new DDImage(mDDInterface);
}

MemoryImage* KavoAppBase::GetImage(const std::string& fileName, bool commitBits) {
    std::unique_ptr<MemoryImage> image(NewDisplayImage());
    if (!LoadImageBits(*image, fileName, commitBits))
        return nullptr;
    return image.release();
}

MemoryImage* KavoAppBase::CopyImageViaGraphics(Image* image, const IntRect& rect) {
    MemoryImage* copy = NewDisplayImage();
    copy->Create(rect.mWidth, rect.mHeight);
    Graphics g(copy);
    g.DrawImage(image, -rect.mX, -rect.mY);
    copy->CopyAttributes(image);
    return copy;
}

MemoryImage* KavoAppBase::CopyImage(Image* image) {
    return CopyImageViaGraphics(image, IntRect(0, 0, image->mWidth, image->mHeight));
}

} // namespace Kavo
