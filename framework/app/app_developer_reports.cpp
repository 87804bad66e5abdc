// The developer reports: a screenshot of the draw surface, the dump of every
// live image, and the "Video Stats" box.
#include <algorithm>
#include <ctime>
#include <vector>

#include "framework/app/image_dump.h"
#include "framework/app/kavo_app_base.h"
#include "framework/app/screenshot_files.h"
#include "framework/app/video_stats.h"
#include "framework/graphics/dd_image.h"
#include "framework/graphics/dd_interface.h"
#include "framework/imagelib/image_lib.h"
#include "framework/sound/dsound_manager.h"
#include "framework/util/path_util.h"
#include "framework/util/system_util.h"
#include "platform/clock.h"
#include "platform/message_box.h"
#include "platform/surface/surface_flags.h"

namespace Kavo {

namespace {

std::string LocalDateTime() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[64];
    std::strftime(text, sizeof(text), "%a %b %d %H:%M:%S %Y", &local);
    return text;
}

} // namespace

void KavoAppBase::TakeScreenshot() {
    if (mDDInterface == nullptr || mDDInterface->mDrawSurface == nullptr)
        return;
    const std::string folder = GetUserDataFolder() + "_screenshots";
    MkDir(folder);
    const std::string path = NextScreenshotPath(folder + "/");

    DDImage screen(mDDInterface);
    screen.SetSurface(mDDInterface->mDrawSurface);
    if (const uint32_t* bits = screen.GetBits(); bits != nullptr && screen.PixelCount() > 0) {
        ImageLib::Image picture(screen.GetWidth(), screen.GetHeight());
        std::copy(bits, bits + picture.mBits.size(), picture.mBits.begin());
        ImageLib::SaveAsPng(path, picture);
    }
    mUpdateFTimeAcc = 0.0;
    mLastTimeCheck = platform::GetTickMs();
}

void KavoAppBase::DumpImages() {
    const std::string folder = GetUserDataFolder() + "_dump";
    if (!RecreateDumpFolder(folder))
        return;
    std::vector<MemoryImage*> images;
    mImageRegistry->ForEachImage([&images](MemoryImage* image) { images.push_back(image); });
    WriteImageDump(folder + "/", std::move(images), mTextureFactsReader, LocalDateTime());
}

void KavoAppBase::ShowProgramInfo() {
    if (mDDInterface == nullptr || mDDInterface->mDD == nullptr)
        return;
    VideoStats stats;
    uint32_t total = 0;
    uint32_t free = 0;
    if (!platform::Succeeded(mDDInterface->mDD->GetAvailableVidMem(platform::kCapsVideoMemory, &total, &free)))
        return;
    stats.videoTotal = total;
    stats.videoFree = free;
    stats.is3D = IsDisplay3D();
    stats.capability =
        HardwareAccelRecommended() ? "Recommended" : (HardwareAccelSupported() ? "Supported" : "Unsupported");
    stats.numImages = static_cast<int32_t>(GetMemoryImageCount());
    stats.numSounds = mSoundManager != nullptr ? mSoundManager->GetNumSounds() : 0;
    if (mTextureFactsReader) {
        mImageRegistry->ForEachImage([&](MemoryImage* image) {
            if (const auto facts = mTextureFactsReader(*image))
                stats.textures.push_back(*facts);
        });
    }
    MsgBox(BuildVideoStatsText(stats), "Video Stats", platform::kMbOk);
    mLastTimeCheck = platform::GetTickMs();
}

} // namespace Kavo
