#pragma once

#include "framework/util/rect.h"

namespace Kavo {

class FontLayer;
class Image;

// A descriptor layer selected for a font's point size, scale and tags, with
// the image its glyphs are cut from: the layer's own, or a scaled copy that
// this entry owns.
class ActiveFontLayer {
public:
    FontLayer* mBaseFontLayer = nullptr;
    Image* mScaledImage = nullptr;
    bool mOwnsImage = false;
    IntRect mScaledCharImageRects[256];

    ActiveFontLayer() = default;
    // An owned image is copied through the font services, so that the two
    // entries never free the same image.
    ActiveFontLayer(const ActiveFontLayer& other);
    ActiveFontLayer& operator=(const ActiveFontLayer&) = delete;
    virtual ~ActiveFontLayer();
};

} // namespace Kavo
