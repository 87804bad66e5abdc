#include "tools/preview/preview_app.h"

#include "framework/graphics/dd_image.h"
#include "framework/graphics/dd_interface.h"
#include <algorithm>

#include "framework/imagelib/image_lib.h"
#include "framework/pak/pak_interface.h"
#include "framework/widget/widget_manager.h"
#include "platform/drivers.h"

namespace Kavo {

namespace {

// "Тювелин" in the program's Windows-1251 text.
constexpr const char* kProductName = "\xD2\xFE\xE2\xE5\xEB\xE8\xED";
constexpr const char* kProductVersion = "0.1";

// Updates allowed past --frames for a frame to reach the window before the
// preview gives up.
constexpr int32_t kPresentGraceUpdates = 500;

} // namespace

PreviewApp::PreviewApp(const PreviewOptions& options, const std::string& status) : mOptions(options), mStatus(status) {
    mProdName = kProductName;
    if (mProductVersion.empty())
        mProductVersion = kProductVersion;
    mTitle = mProdName + " " + mProductVersion + " preview";
    mRegKey = "Kavo\\Preview";
    mWidth = 1024;
    mHeight = 768;
    mCmdLineParsed = true;          // main read the options
    mOnlyAllowOneCopyToRun = false; // previews may run side by side
}

PreviewApp::~PreviewApp() {
    if (mBoard)
        mWidgetManager->RemoveWidget(mBoard.get());
}

void PreviewApp::Fail(const std::string& why) {
    if (mFailure.empty())
        mFailure = why;
    CloseApp();
}

void PreviewApp::InitHook() {
    // Start-up mounted "main.pak" of the current folder; the archive asked
    // for takes its place.
    if (!gPakInterface->MountArchive(mOptions.pak)) {
        Fail("cannot mount " + mOptions.pak);
        return;
    }
    std::string error;
    if (!mArt.Load(*mResourceManager, error, mMissingArt)) {
        Fail("resource manifest: " + error);
        return;
    }
    mBoard = std::make_unique<BoardWidget>(*this, mArt, mStatus);
    if (!mBoard->LoadFonts())
        mMissingArt += std::string(mMissingArt.empty() ? "" : ", ") + "the sample font (fonts/sample.txt)";
    mBoard->Resize(0, 0, mWidth, mHeight);
    mWidgetManager->AddWidget(mBoard.get());
    mWidgetManager->SetFocus(mBoard.get());
}

void PreviewApp::UpdateFrame() {
    KavoAppBase::UpdateFrame();
    if (mOptions.frames > 0 && mUpdateCount >= mOptions.frames + kPresentGraceUpdates)
        Fail("no frame reached the window in " + std::to_string(mUpdateCount) + " updates");
}

bool PreviewApp::PresentScreen(const IntRect* region) {
    const bool shown = KavoAppBase::PresentScreen(region);
    if (shown && mOptions.frames > 0 && mUpdateCount >= mOptions.frames)
        CloseApp(); // the shutdown hook writes the picture
    return shown;
}

void PreviewApp::ShutdownHook() {
    // Before the window is hidden: its last frame is still there to read.
    if (!mOptions.out.empty() && mFailure.empty())
        WriteSnapshot();
}

void PreviewApp::WriteSnapshot() {
    int width = 0, height = 0;
    std::vector<std::uint32_t> argb;
    if (mHWnd == nullptr || !platform::GetVideoDriver()->ReadWindowPixels(mHWnd, width, height, argb)) {
        mFailure = "the window has shown no frame to write";
        return;
    }
    ImageLib::Image picture(width, height);
    std::copy(argb.begin(), argb.end(), picture.GetBits());
    if (!ImageLib::SaveAsPng(mOptions.out, picture)) {
        mFailure = "cannot write " + mOptions.out;
        return;
    }
    mWritten = mOptions.out;
}

} // namespace Kavo
