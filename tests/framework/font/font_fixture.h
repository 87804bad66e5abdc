#pragma once
// A headless environment with recording font services: every file whose
// name contains "sheet" loads as a 64 x 32 image, anything else fails, and
// fatal errors are kept. Descriptors are written into a temporary folder.

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/font/font_services.h"
#include "framework/graphics/memory_image.h"
#include "tests/platform/temp_folder.h"
#include "tests/support/headless_environment.h"

namespace Kavo {

class RecordingFontServices : public FontServices {
public:
    std::vector<std::string> mFatalErrors;
    std::vector<std::string> mRequested;
    int mCopies = 0;

    SharedImageHandle GetSharedImage(const std::string& fileName, const std::string&) override {
        mRequested.push_back(fileName);
        if (fileName.find("sheet") == std::string::npos)
            return SharedImageHandle();
        auto& entry = mImages[fileName];
        if (!entry) {
            entry = std::make_unique<Entry>();
            entry->mImage.Create(64, 32);
            entry->mShared.mImage = &entry->mImage;
        }
        return SharedImageHandle(&entry->mShared);
    }
    MemoryImage* CopyImageViaGraphics(Image* image) override {
        ++mCopies;
        return DrawImageCopy(image);
    }
    void ShowFatalError(const std::string& message) override { mFatalErrors.push_back(message); }

private:
    struct Entry {
        MemoryImage mImage;
        SharedImage mShared;
    };
    std::map<std::string, std::unique_ptr<Entry>> mImages;
};

class FontFixture : public HeadlessEnvironment {
protected:
    // Writes the text to a file of the temporary folder and returns its path.
    std::string WriteFile(const std::string& name, const std::string& text) {
        const std::string path = mFolder.Sub(name);
        std::FILE* file = std::fopen(path.c_str(), "wb");
        EXPECT_NE(file, nullptr);
        if (file) {
            std::fwrite(text.data(), 1, text.size(), file);
            std::fclose(file);
        }
        return path;
    }

    platform_test::TempFolder mFolder;
    // Declared before the slot installer, so that it outlives it.
    RecordingFontServices mServices;
    platform::Installed<FontServices> mInstalled{FontServicesSlot(), mServices};
};

} // namespace Kavo
