#pragma once

#include <string>

namespace Kavo {

class KavoAppBase;

// The catalogue of images, fonts and sounds by id. Loading by groups from
// the manifest comes with the resource loader; what exists now is the
// catalogue's life and its first error text.
class ResourceManager {
public:
    explicit ResourceManager(KavoAppBase* app);
    virtual ~ResourceManager();
    ResourceManager(const ResourceManager&) = delete;
    ResourceManager& operator=(const ResourceManager&) = delete;

    // Reads the manifest; false leaves the first error text.
    bool LoadManifest(const std::string& fileName);
    const std::string& GetErrorText() const { return mError; }
    bool HadError() const { return mHasFailed; }

protected:
    // Keeps the first error text; later ones are dropped. Always false.
    bool Fail(const std::string& error);

    KavoAppBase* mApp;
    std::string mError;
    bool mHasFailed = false;
};

} // namespace Kavo
