#pragma once
// Layout tests: a temporary folder for layout files, the shared looks
// installed, and test images and a font bound to the resource ids the
// controls fall back to.

#include <memory>
#include <string>

#include "framework/graphics/memory_image.h"
#include "game/ui/control_desc.h"
#include "game/ui/resource_ids.h"
#include "platform/file_system.h"
#include "tests/framework/graphics/fake_font.h"
#include "tests/support/headless_environment.h"

namespace ui_test {

inline std::unique_ptr<Kavo::MemoryImage> TestImage(int width, int height) {
    auto image = std::make_unique<Kavo::MemoryImage>();
    image->Create(width, height);
    return image;
}

class UiFixture : public Kavo::HeadlessEnvironment {
protected:
    UiFixture() {
        Game::IMAGE_CHECKBOX = mCheckbox.get();
        Game::IMAGE_SLIDER_TRACK = mTrack.get();
        Game::IMAGE_SLIDER_THUMB = mThumb.get();
        Game::IMAGE_DIALOG_BUTTON = mDialogButton.get();
        Game::IMAGE_DIALOG_BOX = mDialogBox.get();
        Game::FONT_DEFAULT = &mFont;
    }
    ~UiFixture() override {
        Game::IMAGE_CHECKBOX = nullptr;
        Game::IMAGE_SLIDER_TRACK = nullptr;
        Game::IMAGE_SLIDER_THUMB = nullptr;
        Game::IMAGE_DIALOG_BUTTON = nullptr;
        Game::IMAGE_DIALOG_BOX = nullptr;
        Game::FONT_DEFAULT = nullptr;
    }

    // Writes the text (CR LF lines) into the test's folder; its path.
    std::string Write(const std::string& name, const std::string& text) {
        const std::string path = Platform().Folder() + "/" + name;
        EXPECT_TRUE(platform::WriteWholeFile(path, text));
        return path;
    }

    std::unique_ptr<Kavo::MemoryImage> mCheckbox = TestImage(40, 20);
    std::unique_ptr<Kavo::MemoryImage> mTrack = TestImage(100, 10);
    std::unique_ptr<Kavo::MemoryImage> mThumb = TestImage(10, 10);
    std::unique_ptr<Kavo::MemoryImage> mDialogButton = TestImage(30, 30);
    std::unique_ptr<Kavo::MemoryImage> mDialogBox = TestImage(60, 60);
    Kavo::FakeFont mFont{8, 20, 16};
    std::shared_ptr<Game::ControlDescs> mDescs = std::make_shared<Game::ControlDescs>();
    platform::Installed<Game::ControlDescs> mDescsInstalled{Game::ControlDescsSlot(), mDescs};
};

} // namespace ui_test
