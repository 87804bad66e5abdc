// The table of images loaded once per file name and variant, shared by
// counted handles and dropped by the first purge after nobody holds them.
#include "framework/app/kavo_app_base.h"
#include "framework/graphics/memory_image.h"
#include "framework/util/string_util.h"

namespace Kavo {

SharedImageHandle KavoAppBase::GetSharedImage(const std::string& fileName, const std::string& variant, bool* isNew) {
    SharedImageHandle handle;
    bool inserted = false;
    {
        // The loading thread asks for shared images while the main thread
        // purges them; the handle's reference keeps the record until this
        // call has stored the image.
        platform::AutoCrit lock(mDisplayLock);
        auto [found, added] = mSharedImageMap.try_emplace({StringToUpper(fileName), StringToUpper(variant)});
        handle = SharedImageHandle(&found->second);
        inserted = added;
    }
    if (isNew != nullptr)
        *isNew = inserted;
    if (inserted) {
        // Loaded outside the lock: a second caller may get the record while
        // its image is still null. A '!' name asks for an empty image whose
        // pixels the caller makes.
        MemoryImage* image = !fileName.empty() && fileName[0] == '!' ? NewDisplayImage() : GetImage(fileName, false);
        platform::AutoCrit lock(mDisplayLock);
        handle.mSharedImage->mImage = image;
    }
    return handle;
}

void KavoAppBase::PurgeSharedImages() {
    platform::AutoCrit lock(mDisplayLock);
    if (!TakeSharedImagePurgeRequest())
        return;
    for (auto record = mSharedImageMap.begin(); record != mSharedImageMap.end();) {
        if (record->second.mRefCount == 0) {
            delete record->second.mImage.load();
            record = mSharedImageMap.erase(record);
        } else {
            ++record;
        }
    }
}

} // namespace Kavo
