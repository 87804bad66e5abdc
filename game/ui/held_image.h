#pragma once

#include <string>

namespace Kavo {
class Image;
} // namespace Kavo

namespace Game {

// An image pointer that owns its image only when it was loaded by name.
class HeldImage {
public:
    HeldImage() = default;
    ~HeldImage() { Release(); }
    HeldImage(const HeldImage&) = delete;
    HeldImage& operator=(const HeldImage&) = delete;

    // Releases an owned image, then loads `name` through the application
    // (null without one) and owns the result.
    void Load(const std::string& name);
    // Holds `image` without owning it.
    void Set(Kavo::Image* image);
    // Deletes the image when owned; clears name and pointer.
    void Release();

    Kavo::Image* Get() const { return mImage; }
    const std::string& GetName() const { return mName; }

private:
    std::string mName;
    Kavo::Image* mImage = nullptr;
};

} // namespace Game
