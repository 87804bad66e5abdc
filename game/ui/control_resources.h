#pragma once
// The images and fonts that layout controls name. An image name is a file
// (loaded for the control, which then owns it) or the name of an image
// resource id (shared); a font is a font resource id (shared) or a bitmap
// font loaded from a descriptor (owned).

#include <memory>
#include <string>

#include "framework/graphics/font.h"
#include "framework/graphics/image.h"

namespace Game {

// The layouts' font when a control names no font resource.
inline constexpr const char* kDefaultControlFont = "fonts\\_ContinuumBold12";

struct ControlImage {
    Kavo::Image* image = nullptr;
    std::unique_ptr<Kavo::Image> owned; // set when the image came from a file
};

struct ControlFont {
    Kavo::Font* font = nullptr;
    std::unique_ptr<Kavo::Font> owned; // set for a font loaded from a descriptor
};

// The image of `imageName` when that is a file; otherwise the image resource
// named by `imageName`, or by `idName` when `imageName` is empty. A name of
// any other resource kind gives no image.
ControlImage LoadControlImage(const std::string& imageName, const std::string& idName = "");

// The font resource `fontId`; for an id that is no font resource, a bitmap
// font from `descriptor`, or from the default font when that is empty.
ControlFont LoadControlFont(int fontId, const std::string& descriptor);

} // namespace Game
