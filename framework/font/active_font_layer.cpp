#include "framework/font/active_font_layer.h"

#include <algorithm>

#include "framework/font/font_services.h"
#include "framework/graphics/memory_image.h"

namespace Kavo {

ActiveFontLayer::ActiveFontLayer(const ActiveFontLayer& other)
    : mBaseFontLayer(other.mBaseFontLayer), mScaledImage(other.mScaledImage), mOwnsImage(other.mOwnsImage) {
    std::copy(std::begin(other.mScaledCharImageRects), std::end(other.mScaledCharImageRects),
              std::begin(mScaledCharImageRects));
    if (mOwnsImage && mScaledImage != nullptr) {
        std::shared_ptr<FontServices> services = FontServicesSlot().Get();
        mScaledImage =
            services ? services->CopyImageViaGraphics(other.mScaledImage) : DrawImageCopy(other.mScaledImage);
    }
}

ActiveFontLayer::~ActiveFontLayer() {
    if (mOwnsImage)
        delete mScaledImage;
}

} // namespace Kavo
