#include "framework/resource/resource_manager.h"

namespace Kavo {

ResourceManager::ResourceManager(KavoAppBase* app) : mApp(app) {}

ResourceManager::~ResourceManager() = default;

bool ResourceManager::LoadManifest(const std::string& fileName) {
    // The manifest reader arrives with the resource loader; until then no
    // manifest can be taken in, and the caller learns which one.
    return Fail("Resource manifest reader not available: " + fileName);
}

bool ResourceManager::Fail(const std::string& error) {
    if (!mHasFailed) {
        mError = error;
        mHasFailed = true;
    }
    return false;
}

} // namespace Kavo
