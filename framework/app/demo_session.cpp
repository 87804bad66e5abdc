#include "framework/app/demo_session.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "framework/app/kavo_app_base.h"
#include "framework/widget/widget_manager.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/messages.h"
#include "platform/registry.h"

namespace Kavo {

namespace {

constexpr int32_t kShortMoveLimit = 32;
constexpr char kJumpTimeValue[] = "DemoJumpTime";
constexpr uint32_t kJumpTimeReadLimit = 1000;

bool IsSyncedCode(DemoEvent code) {
    const auto value = static_cast<int32_t>(code);
    return value >= static_cast<int32_t>(DemoEvent::RegistryRead) && value <= static_cast<int32_t>(DemoEvent::Data);
}

// The button codes of short event 1: 1 left, 2 left double, 3 middle, -1
// right, -2 right double; 0 for a message that is no button change.
int32_t ButtonCode(platform::MessageId message, bool& down) {
    using namespace platform;
    down = message == kWmLButtonDown || message == kWmLButtonDblClk || message == kWmRButtonDown ||
           message == kWmRButtonDblClk || message == kWmMButtonDown;
    switch (message) {
    case kWmLButtonDown:
    case kWmLButtonUp:
        return 1;
    case kWmLButtonDblClk:
        return 2;
    case kWmRButtonDown:
    case kWmRButtonUp:
        return -1;
    case kWmRButtonDblClk:
        return -2;
    case kWmMButtonDown:
    case kWmMButtonUp:
        return 3;
    default:
        return 0;
    }
}

} // namespace

DemoSession::DemoSession(KavoAppBase& app) : mApp(app), mStream(app.mDemoBuffer) {}

void DemoSession::StartReplay(DemoFile& demo) {
    mApp.mDemoBuffer = demo.mEvents;
    mMarkers = demo.mMarkers;
    mApp.mDemoLength = demo.mDemoLength;
}

// ---- Recording ----

void DemoSession::WriteMessage(const platform::Message& message) {
    using namespace platform;
    Buffer& bits = mStream.Bits();
    const int32_t now = mApp.mUpdateCount;
    auto writeLong = [&](DemoEvent code) { mStream.WriteHeader(now, false, code); };
    switch (message.message) {
    case kWmActivateApp:
        if (message.window == mApp.mHWnd) {
            writeLong(DemoEvent::Activate);
            bits.WriteNumBits(message.wParam != 0 ? 1 : 0, 1);
        }
        return;
    case kWmSize:
        writeLong(DemoEvent::Size);
        bits.WriteNumBits(message.wParam == kSizeMinimized ? 1 : 0, 8);
        return;
    case kWmKeyDown:
    case kWmSysKeyDown:
    case kWmKeyUp:
    case kWmSysKeyUp:
        writeLong(message.message == kWmKeyDown || message.message == kWmSysKeyDown ? DemoEvent::KeyDown
                                                                                    : DemoEvent::KeyUp);
        bits.WriteNumBits(static_cast<int32_t>(message.wParam & 0xFF), 8);
        return;
    case kWmChar:
        writeLong(DemoEvent::Char);
        bits.WriteNumBits(0, 1);
        bits.WriteNumBits(static_cast<int32_t>(static_cast<int8_t>(message.wParam)), 8);
        return;
    case kWmClose:
        if (message.window == mApp.mHWnd || message.window == mApp.mInvisHWnd)
            writeLong(DemoEvent::Close);
        return;
    case kWmMouseWheel:
        writeLong(DemoEvent::MouseWheel);
        bits.WriteNumBits(HighSigned16(static_cast<std::intptr_t>(message.wParam)) / kWheelDelta, 8);
        return;
    default:
        break;
    }
    if (message.message < kWmMouseMove || message.message > kWmMButtonUp)
        return;
    const int32_t x = LowSigned16(message.lParam);
    const int32_t y = HighSigned16(message.lParam);
    const int32_t dx = x - mMouseX;
    const int32_t dy = y - mMouseY;
    if (std::abs(dx) < kShortMoveLimit && std::abs(dy) < kShortMoveLimit) {
        if (dx != 0 || dy != 0) {
            mStream.WriteHeader(now, true, DemoEvent::MouseDelta);
            bits.WriteNumBits(dx, 6);
            bits.WriteNumBits(dy, 6);
        }
    } else {
        writeLong(DemoEvent::MouseAt);
        bits.WriteNumBits(x, 12);
        bits.WriteNumBits(y, 12);
    }
    bool down = false;
    const int32_t button = ButtonCode(message.message, down);
    if (button != 0) {
        mStream.WriteHeader(now, true, DemoEvent::MouseButton);
        bits.WriteNumBits(down ? 1 : 0, 1);
        bits.WriteNumBits(button, 3);
    }
    mMouseX = x;
    mMouseY = y;
}

void DemoSession::WriteMouseInWindow(bool inside) {
    mStream.WriteHeader(mApp.mUpdateCount, false, inside ? DemoEvent::MouseEnter : DemoEvent::MouseLeave);
}

void DemoSession::WriteLoadingCompleted() {
    mStream.WriteHeader(mApp.mUpdateCount, false, DemoEvent::LoadingCompleted);
}

void DemoSession::WriteRegistryRead(bool ok, uint32_t type, const void* data, uint32_t size) {
    mStream.WriteHeader(mApp.mUpdateCount, false, DemoEvent::RegistryRead);
    Buffer& bits = mStream.Bits();
    bits.WriteNumBits(ok ? 1 : 0, 1);
    if (!ok)
        return;
    bits.WriteLong(static_cast<int32_t>(type));
    bits.WriteLong(static_cast<int32_t>(data != nullptr ? size : 0));
    if (data != nullptr)
        bits.WriteBytes(static_cast<const uint8_t*>(data), static_cast<int>(size));
}

void DemoSession::WriteOutcome(DemoEvent event, bool ok) {
    mStream.WriteHeader(mApp.mUpdateCount, false, event);
    mStream.Bits().WriteNumBits(ok ? 1 : 0, 1);
}

void DemoSession::WriteBytes(const Buffer& buffer) {
    const int count = (buffer.GetWriteBitPos() + 7) / 8;
    mStream.Bits().WriteLong(count);
    if (count > 0)
        mStream.Bits().WriteBytes(buffer.GetDataPtr(), count);
}

void DemoSession::WriteFileRead(bool ok, const Buffer& buffer) {
    mStream.WriteHeader(mApp.mUpdateCount, false, DemoEvent::FileRead);
    mStream.Bits().WriteNumBits(ok ? 1 : 0, 1);
    if (ok)
        WriteBytes(buffer);
}

void DemoSession::WriteHttpResult(int32_t id, int32_t result, const std::string& body) {
    mStream.WriteHeader(mApp.mUpdateCount, false, DemoEvent::HttpResult);
    mStream.Bits().WriteLong(id);
    mStream.Bits().WriteNumBits(result, 8);
    mStream.Bits().WriteString(body);
}

void DemoSession::WriteData(const Buffer& buffer) {
    mStream.WriteHeader(mApp.mUpdateCount, false, DemoEvent::Data);
    WriteBytes(buffer);
}

void DemoSession::WriteScreenMode(int32_t refreshRate) {
    mStream.WriteHeader(mApp.mUpdateCount, false, DemoEvent::ScreenMode);
    mStream.Bits().WriteNumBits(mApp.mIsWindowed ? 1 : 0, 8);
    mStream.Bits().WriteNumBits(refreshRate & 0xFF, 8);
}

void DemoSession::WriteFiller() {
    mStream.WriteHeader(mApp.mUpdateCount, false, DemoEvent::Filler);
}

bool DemoSession::Finish() {
    if (!mApp.mRecordingDemo)
        return true;
    const std::string image =
        SerializeDemoFile(mApp.mRandSeed, mApp.mProdName, mMarkers, mApp.mUpdateCount, mApp.mDemoBuffer);
    mApp.MakeDemoFolder();
    return platform::WriteWholeFile(mApp.mDemoFileName, image);
}

// ---- Replay ----

int32_t DemoSession::StopUpdate() const {
    if (mStream.HeaderPending() && mStream.LastEventUpdate() == mApp.mUpdateCount &&
        (mStream.IsShort() || !IsSyncedCode(mStream.Code())))
        return mApp.mUpdateCount;
    return -1;
}

void DemoSession::StopReplay(StopReason why, const std::string& detail) {
    mStream.End();
    // At the close of the run the stream may end where the recording did not
    // go on: the last settings saved after the file was written.
    if (mStopped || mApp.mShutdown)
        return;
    mStopped = true;
    const std::string update = std::to_string(mApp.mUpdateCount);
    // The name on a line of its own: a message box does not wrap a long path.
    switch (why) {
    case StopReason::kFileEnds:
        mApp.ReplayStopped("The demo file " + mApp.mDemoFileName +
                           "\nends before the run it recorded: the replay stops at update " + update + ".");
        break;
    case StopReason::kUnreadable:
        mApp.ReplayStopped("The demo file " + mApp.mDemoFileName + "\nis damaged: the replay stops at update " +
                           update + ".");
        break;
    case StopReason::kOtherWay:
        // The file read well: this run went another way than the recorded
        // one (other profiles, or a disk that was full in one of them).
        mApp.ReplayStopped("The replay of the demo file " + mApp.mDemoFileName +
                           "\nno longer matches its recording at update " + update + ": " + detail +
                           ". The replay stops.");
        break;
    }
}

void DemoSession::StopOnOtherEvent(const char* wanted) {
    const bool shortForm = mStream.IsShort();
    const DemoEvent held = mStream.Code();
    if (!IsRecordedDemoEvent(shortForm, held)) {
        StopReplay(StopReason::kUnreadable);
        return;
    }
    StopReplay(StopReason::kOtherWay, std::string("the game asked for ") + wanted + " where the recording holds " +
                                          DemoEventName(shortForm, held));
}

void DemoSession::ReplayDueEvents() {
    // The recorded run had ended by its demo length; a replay still running
    // past it lacks the rest of its events.
    if (!mApp.mShutdown && mApp.mUpdateCount > mApp.mDemoLength) {
        // Unless events are left that the run never took where they were due.
        if (mStream.HeaderPending() || mStream.BitsLeft() >= 8)
            StopReplay(StopReason::kOtherWay, "the recording ended at update " + std::to_string(mApp.mDemoLength) +
                                                  ", and this run did not take all its events");
        else
            StopReplay(StopReason::kFileEnds);
        return;
    }
    while (!mApp.mShutdown && mStream.ReadHeader(mApp.mUpdateCount)) {
        // The synced operations take their own events.
        if (!mStream.IsShort() && IsSyncedCode(mStream.Code()))
            return;
        mReplayingEvent = mStream.EventCount();
        ReplayOne();
        LeaveReplayedEvent();
        mReplayingEvent = -1;
    }
}

void DemoSession::ReplayOne() {
    Buffer& bits = mStream.Bits();
    WidgetManager* widgets = mApp.mWidgetManager;
    if (mStream.IsShort()) {
        if (mStream.Code() == DemoEvent::MouseDelta) {
            if (!HasBody(12))
                return;
            mMouseX += bits.ReadNumBits(6, true);
            mMouseY += bits.ReadNumBits(6, true);
            if (mButtonsHeld == 0)
                widgets->MouseMove(mMouseX, mMouseY);
            else
                widgets->MouseDrag(mMouseX, mMouseY);
        } else {
            if (!HasBody(4))
                return;
            const bool down = bits.ReadNumBits(1, false) != 0;
            const int32_t button = bits.ReadNumBits(3, true);
            if (down) {
                ++mButtonsHeld;
                widgets->MouseDown(mMouseX, mMouseY, button);
            } else {
                mButtonsHeld = mButtonsHeld > 0 ? mButtonsHeld - 1 : 0;
                widgets->MouseUp(mMouseX, mMouseY, button);
            }
        }
        return;
    }
    switch (mStream.Code()) {
    case DemoEvent::MouseAt:
        if (!HasBody(24))
            return;
        mMouseX = bits.ReadNumBits(12, false);
        mMouseY = bits.ReadNumBits(12, false);
        widgets->MousePosition(mMouseX, mMouseY);
        break;
    case DemoEvent::Activate:
        if (!HasBody(1))
            return;
        mApp.mActive = bits.ReadNumBits(1, false) != 0;
        mApp.HandleFocusChange();
        if (mApp.mActive && !mApp.mIsWindowed)
            widgets->MarkAllDirty();
        if (mApp.mUpdateCheckWatch && !mApp.mActive)
            mApp.CancelUpdateCheck(mApp.mWatchedWebPage);
        break;
    case DemoEvent::Size: {
        if (!HasBody(8))
            return;
        const bool minimized = bits.ReadNumBits(8, false) != 0;
        if (!mApp.mShutdown && minimized != mApp.mMinimized) {
            mApp.mMinimized = minimized;
            if (minimized) {
                mApp.Mute(true);
            } else {
                mApp.Unmute(true);
                widgets->MarkAllDirty();
            }
            mApp.HandleFocusChange();
        }
        break;
    }
    case DemoEvent::KeyDown:
    case DemoEvent::KeyUp: {
        if (!HasBody(8))
            return;
        const int32_t key = bits.ReadNumBits(8, false);
        if (mStream.Code() == DemoEvent::KeyDown)
            widgets->KeyDown(key);
        else
            widgets->KeyUp(key);
        break;
    }
    case DemoEvent::Char: {
        if (!HasBody(1))
            return;
        const int width = bits.ReadNumBits(1, false) != 0 ? 16 : 8;
        if (!HasBody(width))
            return;
        widgets->KeyChar(static_cast<char>(bits.ReadNumBits(width, false)));
        break;
    }
    case DemoEvent::Close:
        mStream.BodyConsumed();
        mApp.CloseApp();
        break;
    case DemoEvent::MouseEnter:
        mApp.mMouseIn = true;
        mApp.ApplyCursor();
        break;
    case DemoEvent::MouseLeave:
        widgets->MouseExit();
        mApp.mMouseIn = false;
        mApp.ApplyCursor();
        break;
    case DemoEvent::LoadingCompleted:
        mDemoLoaded = true;
        break;
    case DemoEvent::MouseWheel:
        if (!HasBody(8))
            return;
        widgets->MouseWheel(bits.ReadNumBits(8, true));
        break;
    case DemoEvent::ScreenMode: {
        if (!HasBody(16))
            return;
        const bool windowed = bits.ReadNumBits(8, false) != 0;
        mApp.mSyncRefreshRate = bits.ReadNumBits(8, false);
        // A switch in the middle of the run (Alt+Enter) forgot the keys
        // held then; so does its replay.
        if (windowed != mApp.mIsWindowed)
            mApp.ClearKeyStates();
        mApp.mIsWindowed = windowed;
        break;
    }
    case DemoEvent::Filler:
        break;
    default:
        // No recording writes the unused codes.
        StopReplay(StopReason::kUnreadable);
        break;
    }
}

bool DemoSession::ReadStartingFocus(bool& active) {
    if (!mStream.ReadHeader(mApp.mUpdateCount) || mStream.IsShort() || mStream.Code() != DemoEvent::Activate ||
        !mStream.HasBits(1))
        return false;
    active = mStream.Bits().ReadNumBits(1, false) != 0;
    mStream.BodyConsumed();
    return true;
}

void DemoSession::LeaveReplayedEvent() {
    // An operation that a replayed event's handler runs (a click that opens
    // a file) comes while that event's header is still pending; its body has
    // been read, and the operation's own event is the next one, as recorded.
    if (mStream.HeaderPending() && mStream.EventCount() == mReplayingEvent)
        mStream.BodyConsumed();
}

bool DemoSession::NextSyncedHeader(DemoEvent code) {
    LeaveReplayedEvent();
    for (;;) {
        mStream.ReadHeader(mApp.mUpdateCount);
        if (!mStream.HeaderPending()) {
            StopReplay(StopReason::kFileEnds);
            return false;
        }
        if (mStream.IsShort() || mStream.Code() != DemoEvent::Filler)
            break;
        mStream.BodyConsumed();
    }
    // The operation reads the body now; an event of another kind in its
    // place ends the replay (its body is not this operation's).
    mStream.BodyConsumed();
    if (mStream.IsShort() || mStream.Code() != code) {
        StopOnOtherEvent(DemoEventName(false, code));
        return false;
    }
    return true;
}

bool DemoSession::ReadRecordedBytes(int64_t count, Buffer& into) {
    if (count < 0 || !mStream.HasBits(count * 8)) {
        StopReplay(StopReason::kFileEnds);
        return false;
    }
    std::vector<uint8_t> bytes(static_cast<size_t>(count));
    if (count > 0)
        mStream.Bits().ReadBytes(bytes.data(), static_cast<int>(count));
    into.Clear();
    into.WriteBytes(bytes.data(), static_cast<int>(count));
    return true;
}

bool DemoSession::ReadRegistryRead(uint32_t* type, void* data, uint32_t* size) {
    if (!NextSyncedHeader(DemoEvent::RegistryRead) || !HasBody(1))
        return false;
    Buffer& bits = mStream.Bits();
    if (bits.ReadNumBits(1, false) == 0)
        return false;
    if (!HasBody(64))
        return false;
    const auto recordedType = static_cast<uint32_t>(bits.ReadLong());
    const auto recordedSize = static_cast<uint32_t>(bits.ReadLong());
    Buffer value;
    if (!ReadRecordedBytes(recordedSize, value))
        return false;
    if (type != nullptr)
        *type = recordedType;
    if (size == nullptr)
        return true;
    // The recorded value never overruns the caller's buffer.
    const uint32_t room = *size;
    *size = recordedSize;
    if (data != nullptr && recordedSize > 0)
        std::copy_n(value.GetDataPtr(), std::min(room, recordedSize), static_cast<uint8_t*>(data));
    return data == nullptr || recordedSize <= room;
}

bool DemoSession::ReadOutcome(DemoEvent event) {
    return NextSyncedHeader(event) && HasBody(1) && mStream.Bits().ReadNumBits(1, false) != 0;
}

bool DemoSession::ReadFileRead(Buffer& buffer) {
    if (!NextSyncedHeader(DemoEvent::FileRead) || !HasBody(1))
        return false;
    if (mStream.Bits().ReadNumBits(1, false) == 0)
        return false;
    return ReadLengthAndBytes(buffer);
}

bool DemoSession::ReadData(Buffer& buffer) {
    return NextSyncedHeader(DemoEvent::Data) && ReadLengthAndBytes(buffer);
}

bool DemoSession::HasBody(int64_t bits) {
    if (mStream.HasBits(bits))
        return true;
    StopReplay(StopReason::kFileEnds);
    return false;
}

bool DemoSession::ReadLengthAndBytes(Buffer& buffer) {
    if (!HasBody(32))
        return false;
    const int64_t count = static_cast<uint32_t>(mStream.Bits().ReadLong());
    Buffer recorded;
    if (!ReadRecordedBytes(count, recorded))
        return false;
    buffer = recorded;
    return true;
}

bool DemoSession::ReadHttpResult(int32_t id, int32_t& result, std::string& body) {
    LeaveReplayedEvent();
    for (;;) {
        if (!mStream.ReadHeader(mApp.mUpdateCount))
            return false;
        if (mStream.IsShort() || mStream.Code() != DemoEvent::Filler)
            break;
        mStream.BodyConsumed();
    }
    if (mStream.IsShort() || mStream.Code() != DemoEvent::HttpResult)
        return false;
    Buffer& bits = mStream.Bits();
    if (!HasBody(32 + 8 + 16))
        return false;
    // Another transfer's result stays where it is, header read, for its owner.
    const int bodyStart = bits.GetReadBitPos();
    if (bits.ReadLong() != id) {
        bits.SetReadBitPos(bodyStart);
        return false;
    }
    mStream.BodyConsumed();
    const int32_t recordedResult = bits.ReadNumBits(8, false);
    const int64_t length = static_cast<uint16_t>(bits.ReadShort());
    Buffer text;
    if (!ReadRecordedBytes(length, text))
        return false;
    result = recordedResult;
    body.assign(reinterpret_cast<const char*>(text.GetDataPtr()),
                text.GetDataPtr() != nullptr ? static_cast<size_t>(length) : 0);
    return true;
}

// ---- Playback keys ----

void DemoSession::PlaybackKey(int32_t key) {
    // An open dialog takes the keys itself.
    if (ControlsOpen())
        return;
    const int32_t length = mApp.mDemoLength;
    const int32_t frameTime = mApp.mFrameTime > 0 ? mApp.mFrameTime : 1;
    switch (key) {
    case '+':
        mApp.mUpdateMultiplier *= 1.5;
        break;
    case '-':
        mApp.mUpdateMultiplier *= 2.0 / 3.0;
        break;
    case '=':
        mApp.mUpdateMultiplier = 1.0;
        break;
    case 'p':
    case 'P':
        mApp.mPaused = !mApp.mPaused;
        mApp.mPendingUpdatesAcc = 0.0;
        mApp.mLastTimeCheck = platform::GetTickMs();
        break;
    case 'n':
    case 'N':
        mTargetUpdate = mApp.mUpdateCount + 1;
        mApp.mFastForwardStep = true;
        break;
    case 'm':
    case 'M':
        mFastForwardToEnd = true;
        break;
    case 's':
    case 'S':
        ToggleDemoSound();
        break;
    case 'l':
    case 'L':
        ShowMarkerList();
        break;
    case 'j':
    case 'J':
        ShowJumpToTime();
        break;
    case '0':
        mTargetUpdate = length;
        break;
    case '4':
    case '5':
    case '6':
    case '7':
    case '8':
    case '9': {
        static constexpr int32_t kMsBeforeEnd[] = {120000, 90000, 60000, 30000, 10000, 5000};
        mTargetUpdate = length - kMsBeforeEnd[key - '4'] / frameTime;
        break;
    }
    default:
        break;
    }
}

void DemoSession::ToggleDemoSound() {
    if (mApp.GetMusicVolume() == 0.0) {
        mApp.SetMusicVolume(mApp.mDemoMusicVolume);
    } else {
        mApp.mDemoMusicVolume = mApp.GetMusicVolume();
        mApp.SetMusicVolume(0.0);
    }
    if (mApp.GetSfxVolume() == 0.0) {
        mApp.SetSfxVolume(mApp.mDemoSfxVolume);
    } else {
        mApp.mDemoSfxVolume = mApp.GetSfxVolume();
        mApp.SetSfxVolume(0.0);
    }
}

// ---- Replay dialogs ----

// The jump time is kept under the application's key directly: the synced
// settings calls would read it from the demo being played.
namespace {

std::string ReadJumpTime(const std::string& regKey) {
    platform::RegKey key;
    if (regKey.empty() ||
        platform::RegOpenKey(platform::kRegCurrentUser, "SOFTWARE\\" + regKey, key) != platform::kRegOk)
        return {};
    char text[kJumpTimeReadLimit] = {};
    uint32_t size = sizeof text;
    uint32_t type = 0;
    const bool ok = platform::RegQueryValue(key, kJumpTimeValue, &type, text, &size) == platform::kRegOk &&
                    type == platform::kRegString;
    platform::RegCloseKey(key);
    if (!ok)
        return {};
    // The stored text may or may not carry its terminator.
    return std::string(text, ::strnlen(text, size));
}

void WriteJumpTime(const std::string& regKey, const std::string& text) {
    platform::RegKey key;
    if (regKey.empty() ||
        platform::RegCreateKey(platform::kRegCurrentUser, "SOFTWARE\\" + regKey, key) != platform::kRegOk)
        return;
    platform::RegSetValue(key, kJumpTimeValue, platform::kRegString, text.c_str(),
                          static_cast<uint32_t>(text.size() + 1));
    platform::RegCloseKey(key);
}

} // namespace

void DemoSession::ShowMarkerList() {
    if (mControls == nullptr)
        mControls = std::make_unique<DemoControls>(mApp, *this);
    mControls->ShowMarkerList(MarkerListEntries(mMarkers, mApp.mUpdateCount, mApp.mDemoLength, mApp.mFrameTime));
}

void DemoSession::ShowJumpToTime() {
    if (mControls == nullptr)
        mControls = std::make_unique<DemoControls>(mApp, *this);
    mControls->ShowJumpToTime(ReadJumpTime(mApp.mRegKey));
}

void DemoSession::ControlsMessage(const platform::Message& message) {
    if (mControls != nullptr)
        mControls->HandleMessage(message);
}

void DemoSession::UpdateControls() {
    if (mControls != nullptr)
        mControls->Update();
}

void DemoSession::DrawControls(Image* screen) {
    if (mControls != nullptr)
        mControls->Draw(screen);
}

void DemoSession::MarkerChosen(int32_t updateCount) {
    mTargetUpdate = updateCount;
}

void DemoSession::JumpTimeEntered(const std::string& text) {
    WriteJumpTime(mApp.mRegKey, text);
    mTargetUpdate = JumpTargetUpdate(text, mApp.mDemoLength, mApp.mFrameTime);
}

void DemoSession::ControlsClosed() {
    // The time the dialog was open is not owed to the replay.
    mApp.mLastTimeCheck = platform::GetTickMs();
    if (mApp.mWidgetManager != nullptr)
        mApp.mWidgetManager->MarkAllDirty();
}

} // namespace Kavo
