#include "framework/font/font_services.h"

#include "framework/graphics/graphics.h"
#include "framework/graphics/memory_image.h"

namespace Kavo {

platform::ProcessSlot<FontServices>& FontServicesSlot() {
    static platform::ProcessSlot<FontServices> slot;
    return slot;
}

MemoryImage* DrawImageCopy(Image* image) {
    auto* copy = new MemoryImage();
    copy->Create(image->mWidth, image->mHeight);
    copy->CopyAttributes(image);
    copy->ClearRect(IntRect(0, 0, image->mWidth, image->mHeight));
    Graphics g(copy);
    g.DrawImage(image, 0, 0);
    return copy;
}

} // namespace Kavo
