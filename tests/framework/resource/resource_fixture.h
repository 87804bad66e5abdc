#pragma once
// A resource manager over a temporary folder: images load from its files
// through the image library, sounds are recorded by a fake sound manager
// that loads any file that exists (tests/support/fake_resource_services.h),
// and fonts read their pictures through the default font services.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "framework/font/default_font_services.h"
#include "framework/resource/resource_manager.h"
#include "tests/platform/temp_folder.h"
#include "tests/support/fake_resource_services.h"
#include "tests/support/headless_environment.h"
#include "tools/image_encoders/image_encoders.h"

namespace Kavo {

// Opens the records to the tests.
class TestResourceManager : public ResourceManager {
public:
    explicit TestResourceManager(std::unique_ptr<ResourceAppServices> services)
        : ResourceManager(std::move(services)) {}
    template <typename T>
    T* Find(ResMap& map, const std::string& id) {
        auto found = map.find(id);
        return found == map.end() ? nullptr : static_cast<T*>(found->second.get());
    }
    ImageRes* Image(const std::string& id) { return Find<ImageRes>(mImageMap, id); }
    SoundRes* Sound(const std::string& id) { return Find<SoundRes>(mSoundMap, id); }
    FontRes* FontRecord(const std::string& id) { return Find<FontRes>(mFontMap, id); }
    std::vector<std::string> GroupIds(const std::string& group) {
        std::vector<std::string> ids;
        for (BaseRes* res : mResGroupMap[group])
            ids.push_back(res->mId);
        return ids;
    }
};

class ResourceFixture : public HeadlessEnvironment {
protected:
    std::string Path(const std::string& name) const { return mFolder.Sub(name); }

    void WriteBytes(const std::string& name, const std::vector<uint8_t>& bytes) {
        std::FILE* file = std::fopen(Path(name).c_str(), "wb");
        ASSERT_NE(file, nullptr);
        if (!bytes.empty())
            std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
    void WriteText(const std::string& name, const std::string& text) {
        WriteBytes(name, std::vector<uint8_t>(text.begin(), text.end()));
    }
    // A w x h PNG whose every pixel is the colour.
    void WritePng(const std::string& name, int w, int h, uint32_t color) {
        WriteBytes(name, ImageEncoders::EncodePngArgb(w, h, std::vector<uint32_t>(size_t(w) * h, color)));
    }
    // Writes "<ResourceManifest>" + body + "</ResourceManifest>" and reads it.
    bool Load(const std::string& body, const std::string& name = "resources.xml") {
        WriteText(name, "<ResourceManifest>\n" + body + "\n</ResourceManifest>\n");
        return mManager.LoadManifest(Path(name));
    }
    // The SetDefaults line that makes paths relative to the folder.
    std::string FolderDefaults() const { return "<SetDefaults path=\"" + mFolder.Path() + "/\"/>"; }

    platform_test::TempFolder mFolder;
    DefaultFontServices mFontServices;
    platform::Installed<FontServices> mInstalledFonts{FontServicesSlot(), mFontServices};
    FakeResourceServices* mServices = new FakeResourceServices;
    TestResourceManager mManager{std::unique_ptr<ResourceAppServices>(mServices)};
};

} // namespace Kavo
