#include "framework/resource/resource_records.h"

#include "framework/resource/resource_app_services.h"

namespace Kavo {

void SoundRes::DeleteResource() {
    if (mSoundId >= 0)
        mServices->ReleaseSound(mSoundId);
    mSoundId = -1;
}

void FontRes::DeleteResource() {
    mFont.reset();
    mImage.reset();
}

} // namespace Kavo
