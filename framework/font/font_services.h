#pragma once
// What the fonts need of the application: descriptor images from its table
// of shared images, copies of images made by drawing, and the fatal-error
// report. The application installs its own in FontServicesSlot();
// DefaultFontServices serves programs and tests that have no application.

#include <string>

#include "framework/graphics/shared_image.h"
#include "platform/process_slot.h"

namespace Kavo {

class Image;
class MemoryImage;

class FontServices {
public:
    virtual ~FontServices() = default;

    // The image of that file, loaded once and shared; the handle holds no
    // image when the file does not load.
    virtual SharedImageHandle GetSharedImage(const std::string& fileName, const std::string& variant) = 0;
    // A new memory image, owned by the caller, holding the whole image as
    // drawn through a drawing context.
    virtual MemoryImage* CopyImageViaGraphics(Image* image) = 0;
    // Reports the text as a fatal error (or records it, in a test); the font
    // stops loading either way.
    virtual void ShowFatalError(const std::string& message) = 0;
};

platform::ProcessSlot<FontServices>& FontServicesSlot();

// The copy every implementation may use: a new image of the same size and
// grid, cleared, with the image drawn over it at (0, 0).
MemoryImage* DrawImageCopy(Image* image);

} // namespace Kavo
