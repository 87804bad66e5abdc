#pragma once
// Font services for a program without the application object: images are
// read with the image library into memory images it keeps for as long as it
// lives, and fatal errors go to stderr and are kept for the caller to read.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/font/font_services.h"

namespace Kavo {

class DefaultFontServices : public FontServices {
public:
    DefaultFontServices();
    ~DefaultFontServices() override;
    DefaultFontServices(const DefaultFontServices&) = delete;
    DefaultFontServices& operator=(const DefaultFontServices&) = delete;

    // The file name and the variant, without regard to letter case, name one image.
    SharedImageHandle GetSharedImage(const std::string& fileName, const std::string& variant) override;
    MemoryImage* CopyImageViaGraphics(Image* image) override;
    void ShowFatalError(const std::string& message) override;

    std::vector<std::string> mFatalErrors;

private:
    struct Entry;
    std::map<std::string, std::unique_ptr<Entry>> mImages;
};

} // namespace Kavo
