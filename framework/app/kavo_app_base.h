#pragma once
// The one application object of the process. It owns the windows, the
// display device, the widget, resource and sound managers, the settings and
// the frame timing; the game derives from it and overrides its hooks.
// Everything else reaches it through gAppBase.

#include <atomic>
#include <cstdint>
#include <list>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "framework/app/app_font_services.h"
#include "framework/app/demo_recorder.h"
#include "framework/app/texture_facts.h"
#include "framework/graphics/display_owner.h"
#include "framework/graphics/font.h"
#include "framework/graphics/image_host.h"
#include "framework/graphics/image_registry.h"
#include "framework/graphics/memory_image.h"
#include "framework/graphics/shared_image.h"
#include "framework/util/buffer.h"
#include "framework/util/notice_channel.h"
#include "framework/util/profiler.h"
#include "framework/util/rect.h"
#include "framework/widget/button_listener.h"
#include "framework/widget/dialog_listener.h"
#include "platform/process_slot.h"
#include "platform/registry.h"
#include "platform/single_instance.h"
#include "platform/threads.h"
#include "platform/video_driver.h"
#include "platform/window.h"

namespace Kavo {

class Font;

class DDInterface;
class DemoHooks;
class Dialog;
class DSoundManager;
class Image;
class MemoryImage;
class MusicInterface;
class ResourceManager;
class Widget;
class WidgetManager;
class KavoAppBase;

// The slot that holds the application while it exists (its constructor
// installs it, its destructor restores the previous occupant).
platform::ProcessSlot<KavoAppBase>& AppBaseSlot();

// gAppBase reads the slot: null before construction and after destruction.
struct AppBasePointer {
    KavoAppBase* get() const { return AppBaseSlot().Get().get(); }
    KavoAppBase* operator->() const { return get(); }
    operator KavoAppBase*() const { return get(); }
};
inline constexpr AppBasePointer gAppBase{};

// One entry of the list of widgets deleted once the loop has unwound.
struct SafeDeleteEntry {
    int32_t mUpdateAppDepth;
    Widget* mWidget;
};

class KavoAppBase : public ButtonListener, public DialogListener, public ImageHost, public DisplayOwner {
public:
    KavoAppBase();
    KavoAppBase(const KavoAppBase&) = delete;
    KavoAppBase& operator=(const KavoAppBase&) = delete;

    // ---- Virtual operations, in their order ----
    // (The button and dialog notifications of the two listener bases lead.)
    virtual bool ProcessFrame(bool allowSleep);
    virtual void UpdateFrame();
    virtual bool UpdateApp();
    virtual void UpdateFrameF(float fraction);
    virtual void CreateMainWindow();
    virtual void ApplyCursor();
    virtual void ReapplyImageStorageFlags();
    virtual void DropAllSoftwareCaches();
    virtual void DropAllDerivedBuffers();
    virtual void LoadingThreadCompleted() {}
    ~KavoAppBase() override;
    virtual MusicInterface* CreateMusicPlayer(platform::WindowHandle owner);
    virtual void InitHook() {}
    virtual void ShutdownHook() {}
    virtual void PostRunHook() {}
    virtual void LoadingThreadProc() {}
    // The chosen settings with the end-of-run mark, as one write of the file.
    virtual void SaveSettings();
    virtual void LoadSettings();
    // Marks the settings as those of a run going on, once the command line
    // has said whether this run is a replay.
    void MarkRunInProgress();
    // The settings the player chooses (volumes, mute, screen mode and place,
    // cursors, vsync) as one write of the settings file: once per change of
    // the screen mode or the options, so that a run that is killed keeps them.
    void StoreSettings();
    // What the player must hear of the settings file (damaged and kept
    // aside, cannot be written): the game shows these in its window.
    NoticeChannel& SettingsNotices() { return mSettingsNotices; }
    virtual Dialog* NewDialog(int32_t id, bool isModal, const std::string& header, const std::string& lines,
                              const std::string& footer, int32_t buttonMode);
    virtual void PreCreateWindowHook() {}
    virtual void BeginPopup();
    virtual void EndPopup();
    virtual int MsgBoxW(const std::wstring& text, const std::wstring& caption, uint32_t flags);
    virtual int MsgBox(const std::string& text, const std::string& caption, uint32_t flags);
    virtual void ShowFatalErrorW(const std::wstring& text);
    virtual void ShowFatalError(const std::string& text);
    virtual void AppendScreenSaverError(const std::string& text);
    virtual void SafeDeleteObject(Widget* widget);
    virtual void ClearUpdateFlag(const std::string& webPage);
    virtual void CancelUpdateCheck(const std::string& webPage);
    virtual bool OpenWebPage(const std::string& url, bool closeAfter);
    virtual std::string ReadFileProductVersion(const std::string& path);
    virtual void HideApp();
    virtual std::string GetCrashInfoText();
    virtual void AddCrashReportFields(std::map<std::string, std::string>&) {}
    virtual void CloseApp();
    virtual void ReadCommandLine();
    virtual void SplitCommandLine(const std::string& text);
    virtual void HandleCmdLineParam(const std::string& name, const std::string& value);
    virtual void BringWindowToFront(platform::WParam wParam, platform::LParam lParam);
    virtual void NotifyRunningInstance();
    virtual void Run();
    // Run's parts around its loop, for a caller that steps the loop itself
    // (RunLoopStep until mShutdown): threads started and the window shown;
    // then the recording written, the statistics traced, settings saved.
    void BeginRun();
    void EndRun();
    virtual void Initialize();
    virtual void PreDisplayInitHook() {}
    virtual void PostDisplayInitHook() {}
    virtual bool ChangeDirHook(const std::string&) { return false; }
    virtual void PlaySample(int32_t soundId, int32_t pan);
    virtual void PlaySample(int32_t soundId);
    virtual double GetSoundManagerValue();
    virtual double GetMusicVolume();
    virtual double GetSfxVolume();
    virtual bool IsMuted();
    virtual void SetSfxVolumeDirect(double volume);
    virtual void SetMusicVolume(double volume);
    virtual void SetSfxVolume(double volume);
    virtual void Mute(bool automatic);
    virtual void Unmute(bool automatic);
    virtual double GetLoadingProgress();
    virtual MemoryImage* GetImage(const std::string& fileName, bool commitBits);
    virtual SharedImageHandle GetSharedImage(const std::string& fileName, const std::string& variant,
                                             bool* isNew = nullptr);
    virtual void SwitchScreenMode(bool wantWindowed, bool is3D, bool force);
    virtual void SwitchScreenMode(bool wantWindowed);
    virtual void ReapplyScreenMode();
    virtual void SetDisplayOption(bool option);
    virtual Dialog* DoDialog(int32_t id, bool isModal, const std::string& header, const std::string& lines,
                             const std::string& footer, int32_t buttonMode);
    virtual Dialog* GetDialog(int32_t id);
    virtual void AddDialog(Dialog* dialog);
    virtual void AddDialog(int32_t id, Dialog* dialog);
    virtual bool KillDialog(Dialog* dialog);
    virtual bool KillDialog(int32_t id);
    virtual bool KillDialog(int32_t id, bool removeWidget, bool deleteWidget);
    virtual int32_t GetDialogCount();
    virtual void ModalOpenedHook() {}
    virtual void ModalClosedHook() {}
    virtual void GotFocus() {}
    virtual void LostFocus() {}
    virtual bool IsConfirmKey(int32_t character);
    virtual bool HandleDeveloperKey(int32_t key);
    virtual bool DebugKeyHook(int32_t, bool, bool) { return false; }
    virtual void CloseRequestHook() {}
    virtual void D3DFailedHook() {}
    virtual std::string GetUpdateAppDataString() { return {}; }
    virtual bool KeyHook() { return false; }
    virtual void Redraw(const IntRect* region);
    virtual bool PresentScreen(const IntRect* region);
    virtual void PreInitHook() {}
    virtual void RunMainLoop();
    virtual bool RunLoopStep(bool* updated);
    virtual bool RunUntilUpdated();
    virtual bool AllowRestore() { return !mWindowDisabled; }

    // ---- Main loop ----
    void AccumulateTime();
    void ProcessSafeDeletes();

    // ---- Main window and input queue ----
    int32_t InitDisplay();
    // The new main window's focus: the desktop's, recorded; in a replay the recorded one.
    void TakeStartingFocus();
    bool ProcessDeferredMessages(bool one);
    void HandleFocusChange();
    void ClearKeyStates();
    // The window procedure's body for the application's windows.
    platform::LResult WindowProc(platform::WindowHandle window, platform::MessageId message, platform::WParam wParam,
                                 platform::LParam lParam);

    // ---- Threads, cursors and the display mode ----
    // One pass of the cursor thread: follows the mouse with the software cursor.
    void CursorThreadStep();
    void WaitForLoadingThread();
    void SetCursorSlotImage(int32_t slot, Image* image);
    bool UsesHardware3D() const;
    void SetHardware3D(bool on, bool reinitialise);
    void RecordScreenMode();

    // ---- Dialog buttons as application buttons ----
    void DialogButtonPress(int32_t dialogId, int32_t buttonId) override;
    void DialogButtonRelease(int32_t dialogId, int32_t buttonId) override;
    void ButtonPressClicks(int32_t id, int32_t clickCount);

    // The demo code behind the loop's recording and replay branches; the
    // base neither records nor plays.
    DemoRecorder& Demo() { return *mDemoRecorder; }
    void SetDemoRecorder(std::unique_ptr<DemoRecorder> recorder);

    // ---- The live images (the image registry) and the display behind them ----
    // Memory images join the registry by themselves; these are for callers
    // that add or take out an image by hand.
    void RegisterMemoryImage(MemoryImage* image);
    void UnregisterMemoryImage(MemoryImage* image);
    // As the images' host: nothing until the display exists.
    const DisplayPixelFormat* GetDisplayFormat() const override;
    void RemoveTextures(MemoryImage* image) override;
    bool ReadBackTexture(MemoryImage* image, uint32_t* dest) override;
    bool IsDisplay3D() const;
    // As the display device's owner (app_display_owner.cpp).
    DisplayRequest GetDisplayRequest() const override;
    PresentPolicy GetPresentPolicy() const override;
    void SetRefreshPacingOff() override;
    Display3DSettings Get3DSettings() const override;
    void Write3DRuntimeError(const std::string& text) override;
    std::string RecordOrReplay3DText(const std::string& text) override;
    bool RecordOrReplay3DFlag(bool flag) override;
    bool IsWindowMinimized() const override;
    // Made with the application, before any display, and lent to the display
    // device to guard its surfaces.
    platform::CriticalSection& GetDisplayLock() { return mDisplayLock; }
    size_t GetMemoryImageCount();
    bool HasMemoryImage(MemoryImage* image);

    // ---- Developer reports (app_developer_reports.cpp) ----
    // The draw surface as "_screenshots/image<n>.png" in the user-data folder.
    void TakeScreenshot();
    // Every live image into "_dump" in the user-data folder, with a page.
    void DumpImages();
    // The "Video Stats" box.
    void ShowProgramInfo();
    // How the reports learn an image's texture size and format; set by the
    // 3D renderer's side. Empty: no image holds a texture.
    TextureFactsReader mTextureFactsReader = RendererTextureFacts;

    // ---- Strings, boxes, exit ----
    std::string GetString(const std::string& id, const std::string& defaultText) const;
    std::wstring GetStringW(const std::string& id, const std::wstring& defaultText) const;
    void SetString(const std::string& id, const std::wstring& text);
    // Restores a changed desktop mode, stops the framework's threads and
    // ends the process.
    [[noreturn]] void DoExit(int code);
    bool ShowResourceError(bool doExit);

    // ---- Settings in the registry (under "SOFTWARE\" + registry key) ----
    bool WriteRegValue(const std::string& valuePath, uint32_t type, const void* data, uint32_t size);
    bool ReadRegValue(const std::string& valuePath, uint32_t* type, void* data, uint32_t* size);
    bool RegistryWriteInteger(const std::string& valuePath, int32_t value);
    bool RegistryWriteBoolean(const std::string& valuePath, bool value);
    bool RegistryReadInteger(const std::string& valuePath, int32_t* value);
    bool RegistryReadBoolean(const std::string& valuePath, bool* value);
    bool DeleteRegKey(const std::string& keyName);
    void DeleteRegValue(const std::string& valuePath);

    // ---- Loading thread ----
    void BeginLoadingThread();

    // ---- Command line and demos ----
    // The program's arguments as the one command line ReadCommandLine parses.
    void SetCommandLine(int argc, const char* const* argv);
    // Reads the demo file named by mDemoFileName and makes it the replay.
    bool ReadDemoFileHeader(std::string& error);
    // Whether the recording can go to mDemoFileName: a file that cannot be
    // created there is found at the start, not when the run is over. False
    // with the error text naming the file.
    bool CanWriteDemoFile(std::string& error);
    // Writes the recording to mDemoFileName (only while recording). A file
    // that cannot be written (a full disk) is reported as a fatal error and
    // marks the run failed; false then.
    bool WriteDemoFile();
    // The replay met the end of its file or damaged data, or went another
    // way than its recording: says so, marks the run failed and closes the
    // application at the next frame, through the shutdown of any run; the
    // synced operations answer as after a close during the demo from here on.
    void ReplayStopped(const std::string& text);
    // The settings LoadSettings took from the registry, which it read before
    // the command line asked for a demo: recorded as the demo's first
    // event, and a replay starts from the recorded run's values instead of
    // the settings of the machine it plays on.
    void KeepStartSettingsInDemo();
    // Makes the user-data folder when the demo file lies in it.
    void MakeDemoFolder();
    // Demo-synced file operations: recorded while recording, answered from
    // the demo while playing, fixed answers after a close during the demo.
    // The demo's stream follows the main thread's updates: on any other
    // thread (the loading thread) these are neither recorded nor replayed
    // and see the real files, since no update count places them.
    bool FileExists(const std::string& path);
    bool LoadFileToBuffer(const std::string& path, Buffer& buffer, bool doNotSync = false);
    bool WriteBytesToFile(const std::string& path, const void* data, size_t count);
    bool SaveBufferToFile(const std::string& path, const Buffer& buffer);
    // Any other outside value: recorded, or replaced by the recorded one.
    void RecordOrReplayBuffer(Buffer& buffer);
    std::string RecordOrReplayString(const std::string& value);
    bool RecordOrReplayData(bool value);
    // Whether the caller runs on the thread whose operations the demo holds.
    bool OnDemoThread() const;

    // ---- Accessors the game reads ----
    int32_t GetWidth() const { return mWidth; }
    int32_t GetHeight() const { return mHeight; }
    bool IsWindowed() const { return mIsWindowed; }
    int32_t GetUpdateCount() const { return mUpdateCount; }
    double GetUpdateSpeed() const { return mUpdateMultiplier; }

    // ---- Fields of the application, in their order ----
    uint32_t mRandSeed = 0;
    std::string mMsgBoxCaptionPrefix;
    std::string mCompanyName;
    std::string mProdName = "Product";
    std::string mTitle = "KavoApp";
    std::string mRegKey;
    std::string mChangeDirTo;
    int32_t mPreferredX = -1;
    int32_t mPreferredY = -1;
    int32_t mWidth = 640;
    int32_t mHeight = 480;
    int32_t mColorDepth = 16;
    double mMusicVolume = 0.85;
    double mSfxVolume = 0.85;
    double mDemoMusicVolume = 0.0;
    double mDemoSfxVolume = 0.0;
    bool mNoSoundNeeded = false;
    bool mWantFMod = false;
    bool mCmdLineParsed = false; // skip the command line when set
    std::string mCommandLine;    // the program's command line, program name first
    platform::SingleInstance mInstance;
    bool mOnlyAllowOneCopyToRun = true;
    platform::MessageId mNotifyGameMessage = 0;
    platform::CriticalSection mCritSect; // the application lock
    WidgetManager* mWidgetManager = nullptr;
    std::map<int32_t, Dialog*> mDialogMap;
    std::list<Dialog*> mDialogList;
    platform::ThreadId mPrimaryThreadId = 0;
    bool mIsHidden = false;
    std::atomic<bool> mShutdown{false};
    bool mExitToTop = false;
    bool mIsWindowed = true;
    bool mIsPhysWindowed = true;
    bool mFullScreenWindow = false; // the desktop's mode was changed for full screen
    bool mForceFullscreen = false;
    bool mForceWindowed = false; // windowed chosen after a full-screen failure
    bool mInitialized = false;
    uint32_t mTimeLoaded = 0;
    platform::WindowHandle mHWnd = nullptr;
    platform::WindowHandle mInvisHWnd = nullptr;
    bool mIsScreenSaver = false;
    bool mAllowMonitorPowersave = true;
    std::list<platform::Message> mDeferredMessages;
    int32_t mNumDeferredMessages = 0;
    bool mPopupActive = false;
    bool mIsNotTablet = true;
    bool mIsTablet = false;
    DDInterface* mDDInterface = nullptr;
    bool mDisplayOption = false;
    MusicInterface* mMusicInterface = nullptr;
    bool mSaveSettingsOnClose = false;
    std::string mProductVersion;
    bool mUpdateCheckWatch = false;
    bool mCloseAfterWebPage = false;
    std::string mWatchedWebPage;
    uint32_t mWebPageOpenTick = 0;
    uint32_t mWatchRunStartTick = 0;
    uint32_t mWatchLastTick = 0;
    std::shared_ptr<ImageRegistry> mImageRegistry;                              // the live-image set
    std::map<std::pair<std::string, std::string>, SharedImage> mSharedImageMap; // guarded by the display lock
    bool mDemoMute = false;
    bool mMuteOnLostFocus = true;
    int32_t mUpdatesThisFrame = 0;
    int32_t mFrameTime = 10;
    bool mIsDrawing = false;
    bool mLastDrawWasEmpty = false;
    bool mHasPendingDraw = true;
    double mPendingUpdatesAcc = 0.0;
    double mUpdateFTimeAcc = 0.0;
    uint32_t mLastTimeCheck = 0;
    uint32_t mLastInputTime = 0;
    int32_t mSleepCount = 0;
    std::atomic<int32_t> mDrawCount{0};
    int32_t mUpdateCount = 0;
    int32_t mUpdateAppState = 0;
    int32_t mUpdateAppDepth = 0;
    double mUpdateMultiplier = 1.0;
    bool mPaused = false;
    int32_t mFastForwardToUpdateNum = 0;
    bool mFastForwardToMarker = false;
    bool mFastForwardStep = false;
    uint32_t mLastTimerTime = 0;
    std::atomic<uint32_t> mNextDrawTick{0}; // read by the cursor thread
    int32_t mLoopMode = 0;
    int32_t mCursorNum = 0;
    DSoundManager* mSoundManager = nullptr;
    platform::CursorId mHandCursor = 0;
    platform::CursorId mDraggingCursor = 0;
    std::list<SafeDeleteEntry> mSafeDeleteList;
    bool mMouseIn = false;
    bool mRunning = false;
    bool mActive = true;
    bool mMinimized = false;
    bool mPhysMinimized = false;
    bool mIsDisabled = false;
    bool mWindowDisabled = false;
    bool mHasFocus = true;
    int32_t mDrawTime = 0;
    bool mShowFPS = false;
    int32_t mShowFPSMode = 0; // 0 frames per second, 1 mouse position
    // The developer overlay (app_overlays.cpp): its image, "Tahoma" font and
    // frame counter.
    std::unique_ptr<MemoryImage> mFPSImage;
    std::unique_ptr<Font> mFPSFont;
    int32_t mFPSFrames = 0;
    uint64_t mFPSStartMicros = 0;
    int32_t mFPSShown = -1;
    // While a demo plays: the time left in it, refreshed once per 1000 / S ms.
    std::unique_ptr<MemoryImage> mDemoTimeImage;
    uint32_t mDemoTimeTick = 0;
    bool mDemoTimeShown = false;
    // Builds the overlay image before a draw; draws it after the widgets.
    void BuildOverlay();
    void DrawOverlay();
    // Starts counting frames afresh (the overlays were switched on).
    void ResetFPSCounter();
    // In screen-saver mode, in front of the window procedure: user input
    // closes the application (small mouse jitter does not). True when it
    // answered the message (the answer in result). There is no password
    // check on this desktop.
    bool CheckScreenSaverPassword(platform::WindowHandle window, platform::MessageId message, platform::WParam wParam,
                                  platform::LResult& result);
    bool mScreenSaverClosing = false;
    bool mScreenSaverCursorRecorded = false;
    platform::Point mScreenSaverCursor;
    int32_t mScreenSaverMoves = 0;
    uint32_t mMonitorPowerTick = 0;
    bool mMonitorPowerSeen = false;
    void AttachScreenImage();
    int32_t mScreenBltTime = 0;
    bool mAutoStartLoadingThread = true;
    std::atomic<bool> mLoadingThreadStarted{false};
    std::atomic<bool> mLoadingThreadCompleted{false};
    bool mLoaded = false;
    bool mYieldMainThread = false;
    std::atomic<bool> mLoadingFailed{false}; // the resource-failure flag
    std::atomic<bool> mCloseRequestedByOtherThread{false};
    std::atomic<bool> mCursorThreadRunning{false};
    bool mForceRedraw = false;
    bool mUseWideWindowProc = false;
    std::atomic<int32_t> mNumLoadingThreadTasks{0}; // loading total
    std::atomic<int32_t> mCompletedLoadingThreadTasks{0};
    bool mRecordingDemo = false;
    bool mPlayingDemo = false;
    bool mManualShutdown = false; // closed during demo
    // The recording could not be written, or the replay stopped on its file:
    // the program ends with a failure.
    bool mDemoFailed = false;
    std::string mDemoPrefix = "kavoapp";
    std::string mDemoFileName = "kavoapp.dmo";
    Buffer mDemoBuffer;
    int32_t mDemoLength = 0;
    std::map<std::string, std::wstring> mStringMap;
    bool mDebugKeysEnabled = false;
    bool mEnableMaximizeButton = false;
    bool mCtrlDown = false;
    bool mAltDown = false;
    int32_t mSyncRefreshRate = 100;
    bool mVSyncUpdates = false;
    bool mVSyncBroken = false;
    int32_t mVSyncBrokenCount = 0;
    uint32_t mVSyncBrokenTestStartTick = 0;
    int32_t mVSyncBrokenTestUpdates = 0;
    bool mWaitForVSync = false;
    bool mSoftVSyncWait = true;
    bool mUserChanged3DSetting = false;
    bool mAutoEnable3D = false;
    bool mTest3D = false;
    int32_t mMinVidMemory3D = 6;
    int32_t mRecommendedVidMemory3D = 14;
    IntRect mScreenBounds;
    int32_t mAspectNum = 4;
    int32_t mAspectDen = 3;
    ResourceManager* mResourceManager = nullptr;

    // Fields the widgets, resources and sound read.
    bool mNoFrameworkSound = false;
    bool mAllowHighCharacters = false;
    bool mUseSystemCaret = false;
    uint8_t mAdd8BitMaxTable[512];
    bool mCleanupSharedImages = false;
    int32_t mMuteCount = 0;
    int32_t mAutoMuteCount = 0;
    bool mCustomCursorsEnabled = false;
    bool mLastShutdownWasGraceful = true;

    // Loop state of the frame pacing.
    uint32_t mLastDrawTick = 0;      // the last present
    uint32_t mLastIdleCheckTick = 0; // the user-idle check, once a second
    uint32_t mRunStartTick = 0;
    uint32_t mLastCatchUpRedraw = 0; // demo catch-up redraws, once a second
    uint32_t mDisplayRetryTick = 0;  // recovery of a lost display, once a second
    bool mUserIdle = false;          // no update, draw or present while set
    bool mDisplayLost = false;       // the last present failed
    int32_t mRedrawDepth = 0;        // inside Redraw or the safe-delete pass
    bool mMinimizePending = false;
    Image* mCursorImages[13] = {};
    platform::CursorId mCursorOverride = 0;
    bool mSystemCursorShown = true;

protected:
    void ShutdownFrameworkThreads();
    void StartCursorThread();
    void StopCursorThread();
    void RunExtraUpdates(double updatesPerFrame, bool countInFrame);
    // What a replay's catch-up did in this frame.
    enum class CatchUp {
        None,    // the replay is not behind: the frame goes on as usual
        Redrawn, // updates ran and the progress was shown
        Stalled, // behind, but no update can run yet (loading has not ended)
    };
    CatchUp DemoCatchUp(double updatesPerFrame);
    // A frame in which nothing can update: the next step takes the window's
    // messages again, after sleeping a frame when allowed.
    bool IdleFrame(bool allowSleep);
    void RefreshCheck(uint32_t start);
    void CompleteLoading();
    void CheckUserIdle();
    void RecoverDisplay();
    // While a demo is recorded or played: the closing frame, drawn whole.
    void PresentClosingFrame();
    void QueueMessage(const platform::Message& message);
    void HandleDeferredMessage(const platform::Message& message);
    // Alt+Enter, freshly pressed, where the screen mode may change: it
    // switches the mode and goes no further.
    bool IsScreenModeToggle(const platform::Message& message) const;
    void HandleMouseMessage(const platform::Message& message);
    void WatchWebPage();
    void TrackMouse();
    void RestoreDesktopMode();
    void ReapplyVolumes();

    // Services found at construction.
    bool mHasDisplayService = false;
    bool mHasSoundService = false;

private:
    platform::Installed<KavoAppBase> mAppInstalled;
    // Set when the application had to provide the settings store or the
    // image registry itself (nothing was installed before it).
    std::optional<platform::Installed<platform::RegistryStore>> mOwnSettingsStore;
    std::optional<platform::Installed<ImageRegistry>> mOwnImageRegistry;
    std::optional<platform::Installed<Profiler>> mOwnProfiler;
    platform::CriticalSection mDisplayLock;
    platform::Thread mLoadingThread;
    platform::Thread mCursorThread;
    platform::Event mCursorThreadStop{true, false};
    std::unique_ptr<DemoRecorder> mDemoRecorder = std::make_unique<DemoRecorder>();
    // Web transfers and the crash catcher reach the demo through these while
    // one records or plays.
    std::unique_ptr<DemoHooks> mDemoHooks;
    bool mScreenSaverErrorWritten = false;
    bool mCloseAppRan = false;
    // Binds the application's own settings store to its file; says what was
    // damaged, and once, that a save failed.
    void BindSettingsFile(const std::string& diskPath);
    // StoreSettings once the settings were read (a screen mode chosen).
    void KeepChosenSettings();
    NoticeChannel mSettingsNotices;
    std::atomic<bool> mToldSettingsNotSaved{false};
    // Set while KeepChosenSettings writes: a recording takes no note of it.
    bool mKeepingChosenSettings = false;

    // ---- Services for the game, the fonts and the widgets: clipboard,
    // images by file and by copy, colours, cursor mode, 3D answers and the
    // shared images ----
public:
    // Program text (Windows-1251). Nothing is set while a demo plays; what is
    // read goes through RecordOrReplayString.
    void SetClipboardText(const std::string& text);
    std::string GetClipboardText();

    void SetCursorMode(bool custom);

    // New images that belong to the caller (and GetImage above: null when
    // the file does not decode).
    MemoryImage* CopyImageViaGraphics(Image* image, const IntRect& rect);
    MemoryImage* CopyImage(Image* image);
    // An empty image of the kind the display draws fastest.
    MemoryImage* NewDisplayImage();

    // Whole numbers 0 to 255; see framework/graphics/color_space.h.
    uint32_t HslToRgb(int h, int s, int l);
    uint32_t RgbToHsl(int r, int g, int b);

    // From the display's 3D capability test; false until it has run.
    bool HardwareAccelSupported();
    bool HardwareAccelRecommended();

    // Drops every shared image nobody holds, when a handle's release asked
    // for it; once per update.
    void PurgeSharedImages();

private:
    // The fonts reach the application through these while it exists.
    platform::Installed<FontServices> mFontServicesInstalled{FontServicesSlot(),
                                                             std::make_shared<AppFontServices>(*this)};
};

} // namespace Kavo
