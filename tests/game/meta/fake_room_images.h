#pragma once
// Room pictures by name, as the resource manager would keep them; each
// deletion is noted. It owns the pictures, so one deleted while still
// drawn is a use after free that the sanitizer build reports.

#include "game/meta/room_image_source.h"
#include "tests/framework/graphics/recording_image.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace Game::Test {

class FakeRoomImages : public RoomImageSource {
public:
    bool HasImage(const std::string& name) override { return mImages.count(name) != 0; }
    Kavo::Image* LoadImageWithFlags(const std::string& name, const std::string&) override {
        auto& image = mImages[name];
        image = std::make_unique<Kavo::RecordingImage>(100, 100);
        return image.get();
    }
    Kavo::Image* GetImageById(const std::string& name) override {
        auto it = mImages.find(name);
        return it != mImages.end() ? it->second.get() : nullptr;
    }
    void DeleteImage(const std::string& name) override {
        mImages.erase(name);
        mDeleted.push_back(name);
    }

    std::map<std::string, std::unique_ptr<Kavo::RecordingImage>> mImages;
    std::vector<std::string> mDeleted;
};

} // namespace Game::Test
