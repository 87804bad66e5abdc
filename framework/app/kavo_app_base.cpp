#include "framework/app/kavo_app_base.h"

#include <numeric>

#include "framework/app/app_resource_services.h"
#include "framework/app/app_widget_host.h"
#include "framework/app/demo_hooks.h"
#include "framework/app/window_position_keeper.h"
#include "framework/graphics/dd_interface.h"
#include "framework/graphics/image.h"
#include "framework/graphics/memory_image.h"
#include "framework/imagelib/image_lib.h"
#include "framework/resource/resource_manager.h"
#include "framework/sound/dsound_manager.h"
#include "framework/sound/music_interface.h"
#include "framework/util/debug_trace.h"
#include "framework/widget/dialog.h"
#include "framework/widget/widget_manager.h"
#include "platform/clock.h"
#include "platform/drivers.h"
#include "platform/file_system.h"
#include "platform/message_box.h"
#include "platform/system_info.h"

namespace Kavo {

namespace {
constexpr int kMetricTabletPc = 86;
} // namespace

void KavoAppBase::SetDemoRecorder(std::unique_ptr<DemoRecorder> recorder) {
    mDemoRecorder = recorder ? std::move(recorder) : std::make_unique<DemoRecorder>();
}

platform::ProcessSlot<KavoAppBase>& AppBaseSlot() {
    static platform::ProcessSlot<KavoAppBase> slot;
    return slot;
}

KavoAppBase::KavoAppBase() : mAppInstalled(AppBaseSlot(), *this) {
    // The settings store is chosen before anything reads or writes it: one
    // installed already (a test's) is used as it is, otherwise a store bound
    // to the user's settings file lives as long as the application.
    if (!platform::RegistryStoreSlot().Get()) {
        mOwnSettingsStore.emplace(platform::RegistryStoreSlot(), platform::NewRegistryStore());
        BindSettingsFile(platform::DefaultRegistryFile());
    }

    // The application is the live images' host until it is destroyed.
    if (!ImageRegistrySlot().Get())
        mOwnImageRegistry.emplace(ImageRegistrySlot(), std::make_shared<ImageRegistry>());
    mImageRegistry = ImageRegistrySlot().Get();
    mImageRegistry->AttachHost(*this);
    if (!ProfilerSlot().Get())
        mOwnProfiler.emplace(ProfilerSlot(), std::make_shared<Profiler>());

    // The services that Initialize insists on; their absence is reported
    // there, not here.
    mHasDisplayService = platform::GetVideoDriver()->HasDisplay();
    mHasSoundService = platform::GetAudioDriver()->HasOutputDevice();
    ImageLib::LoadJpeg2000Library();
    mNotifyGameMessage = 0;
    mOnlyAllowOneCopyToRun = true;

    const std::string modulePath = platform::GetExecutablePath();
    mProductVersion = ReadFileProductVersion(modulePath);
    mChangeDirTo = platform::GetExecutableFolder();

    mTimeLoaded = platform::GetTickMs();

    const int32_t divisor = std::gcd(4, 3);
    mAspectNum = 4 / divisor;
    mAspectDen = 3 / divisor;
    mLastTimerTime = platform::GetTickMs();
    mNextDrawTick = mLastTimerTime;
    for (int i = 0; i < 512; ++i)
        mAdd8BitMaxTable[i] = static_cast<uint8_t>(i < 256 ? i : 255);

    SetString("DIALOG_BUTTON_OK", L"OK");
    SetString("DIALOG_BUTTON_CANCEL", L"Cancel");
    SetString("UPDATE_CHECK_TITLE", L"Update Check");
    SetString("UPDATE_CHECK_BODY", L"Checking if there are any updates available for this product ...");
    SetString("UP_TO_DATE_TITLE", L"Up to Date");
    SetString("UP_TO_DATE_BODY", L"There are no updates available for this product at this time.");
    SetString("NEW_VERSION_TITLE", L"New Version");
    SetString("NEW_VERSION_BODY",
              L"There is an update available for this product.  Would you like to visit the web site to "
              L"download it?");

    mDemoPrefix = "kavoapp";
    mDemoFileName = mDemoPrefix + ".dmo";

    mWidgetManager = new WidgetManager(this);
    mWidgetManager->SetAppHost(std::make_unique<AppWidgetHost>(this));
    mResourceManager = new ResourceManager(std::make_unique<AppResourceServices>(*this));

    if (platform::GetSystemMetric(kMetricTabletPc) != 0) {
        mIsNotTablet = false;
        mIsTablet = true;
    }
}

KavoAppBase::~KavoAppBase() {
    CloseApp();
    if (mOwnSettingsStore)
        platform::SetRegistrySaveFailureHandler(nullptr);
    StopCursorThread();

    // Hardware acceleration: keep the user's choice, or ask when it was
    // switched on during this run.
    bool checkMisbehaving = true;
    if (mUserChanged3DSetting) {
        bool stored = false;
        bool store = false;
        if (RegistryReadBoolean("Is3D", &stored)) {
            store = true;
        } else if (mDDInterface != nullptr && mDDInterface->mD3DInterface != nullptr &&
                   !mDDInterface->mD3DInterface->mWasUsed) {
            store = true;
        } else if (mDDInterface != nullptr && mDDInterface->mIs3D) {
            // Whatever the answer, the second question is not asked.
            checkMisbehaving = false;
            const int answer =
                MsgBox(GetString("HARDWARE_ACCEL_SWITCHED_ON",
                                 "Hardware Acceleration was switched on during this session.\r\n"
                                 "If this resulted in slower performance, it should be switched off.\r\n"
                                 "Would you like to keep Hardware Acceleration switched on?"),
                       mMsgBoxCaptionPrefix + " " +
                           GetString("HARDWARE_ACCEL_CONFIRMATION", "Hardware Acceleration Confirmation"),
                       platform::kMbYesNo | platform::kMbIconQuestion);
            mDDInterface->mIs3D = answer == platform::kIdYes;
            store = mDDInterface->mIs3D;
        }
        if (store)
            RegistryWriteInteger("Is3D", mDDInterface != nullptr && mDDInterface->mIs3D ? 1 : 0);
    }
    if (checkMisbehaving && mDDInterface != nullptr && mDDInterface->mD3DInterface != nullptr &&
        mDDInterface->mD3DInterface->mPreDrawError && !mIsScreenSaver) {
        const int answer = MsgBox(
            GetString("HARDWARE_ACCEL_NOT_WORKING",
                      "Hardware Acceleration may not have been working correctly during this session.\r\n"
                      "If you noticed graphics problems, you may want to turn off Hardware "
                      "Acceleration.\r\nWould you like to keep Hardware Acceleration switched on?"),
            mMsgBoxCaptionPrefix + " " + GetString("HARDWARE_ACCEL_CONFIRMATION", "Hardware Acceleration Confirmation"),
            platform::kMbYesNo | platform::kMbIconQuestion);
        if (answer == platform::kIdNo)
            RegistryWriteInteger("Is3D", 0);
    }

    for (auto& [id, dialog] : mDialogMap) {
        if (mWidgetManager != nullptr)
            mWidgetManager->RemoveWidget(dialog);
        delete dialog;
    }
    mDialogMap.clear();
    mDialogList.clear();

    // The loading thread may still use everything below: wait for it first.
    while (mLoadingThreadStarted && !mLoadingThreadCompleted)
        platform::SleepMs(20);
    if (mLoadingThread.IsStarted())
        mLoadingThread.Join();

    for (SafeDeleteEntry& entry : mSafeDeleteList)
        delete entry.mWidget;
    mSafeDeleteList.clear();

    if (mInvisHWnd != nullptr) {
        platform::SetWindowUserData(mInvisHWnd, nullptr);
        platform::DestroyWindow(mInvisHWnd);
        mInvisHWnd = nullptr;
    }
    delete mWidgetManager;
    mWidgetManager = nullptr;
    delete mResourceManager;
    mResourceManager = nullptr;
    for (auto& [key, record] : mSharedImageMap)
        delete record.mImage.load();
    mSharedImageMap.clear();
    delete mDDInterface;
    mDDInterface = nullptr;
    delete mMusicInterface;
    mMusicInterface = nullptr;
    delete mSoundManager;
    mSoundManager = nullptr;
    if (mHWnd != nullptr) {
        platform::SetWindowUserData(mHWnd, nullptr);
        platform::DestroyWindow(mHWnd);
        mHWnd = nullptr;
    }

    const auto video = platform::GetVideoDriver();
    for (platform::CursorId cursor : {mHandCursor, mDraggingCursor}) {
        if (cursor != 0)
            video->DestroyCursor(cursor);
    }
    mHandCursor = 0;
    mDraggingCursor = 0;
    mDemoBuffer.Clear();
    mInstance.Release();

    // Images that outlive the application stay in the registry and never
    // call it again once it has detached.
    mImageRegistry->DetachHost();
}

} // namespace Kavo
