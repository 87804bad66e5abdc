// The demo-synced file operations and values, and writing the recording.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "framework/app/demo_file.h"
#include "framework/app/demo_session.h"
#include "framework/app/kavo_app_base.h"
#include "framework/pak/pak_interface.h"
#include "framework/util/mersenne_twister.h"
#include "framework/util/path_util.h"
#include "framework/util/system_util.h"
#include "platform/file_system.h"
#include "platform/threads.h"

namespace Kavo {

bool KavoAppBase::OnDemoThread() const {
    return mPrimaryThreadId == 0 || platform::GetCurrentThreadId() == mPrimaryThreadId;
}

bool KavoAppBase::FileExists(const std::string& path) {
    if (mPlayingDemo && OnDemoThread())
        return mManualShutdown || Demo().ReadOutcome(DemoEvent::FileExists);
    PakFile* file = PakOpenFile(path, "rb");
    const bool exists = file != nullptr;
    if (file != nullptr)
        PakCloseFile(file);
    if (mRecordingDemo && OnDemoThread())
        Demo().WriteOutcome(DemoEvent::FileExists, exists);
    return exists;
}

bool KavoAppBase::LoadFileToBuffer(const std::string& path, Buffer& buffer, bool doNotSync) {
    const bool synced = !doNotSync;
    if (mPlayingDemo && synced && OnDemoThread())
        return !mManualShutdown && Demo().ReadFileRead(buffer);
    bool ok = false;
    if (PakFile* file = PakOpenFile(path, "rb")) {
        PakSeekFile(file, 0, SEEK_END);
        const long size = PakTellFile(file);
        PakSeekFile(file, 0, SEEK_SET);
        if (size >= 0) {
            std::vector<uint8_t> bytes(static_cast<size_t>(size));
            ok = PakReadFile(bytes.data(), 1, bytes.size(), file) == bytes.size();
            if (ok) {
                buffer.Clear();
                buffer.WriteBytes(bytes.data(), static_cast<int>(bytes.size()));
            }
        }
        PakCloseFile(file);
    }
    if (mRecordingDemo && synced && OnDemoThread())
        Demo().WriteFileRead(ok, buffer);
    return ok;
}

bool KavoAppBase::WriteBytesToFile(const std::string& path, const void* data, size_t count) {
    if (mPlayingDemo && OnDemoThread())
        return mManualShutdown || Demo().ReadOutcome(DemoEvent::FileWrite);
    MkDir(GetFileDir(path));
    bool ok = false;
    if (std::FILE* file = platform::OpenFile(path, "w+b")) {
        ok = count == 0 || std::fwrite(data, 1, count, file) == count;
        ok = std::fclose(file) == 0 && ok;
    }
    if (mRecordingDemo && OnDemoThread())
        Demo().WriteOutcome(DemoEvent::FileWrite, ok);
    return ok;
}

bool KavoAppBase::SaveBufferToFile(const std::string& path, const Buffer& buffer) {
    const int count = (buffer.GetWriteBitPos() + 7) / 8;
    return WriteBytesToFile(path, buffer.GetDataPtr(), static_cast<size_t>(count));
}

void KavoAppBase::RecordOrReplayBuffer(Buffer& buffer) {
    if (mRecordingDemo)
        Demo().WriteData(buffer);
    else if (mPlayingDemo && !mManualShutdown)
        Demo().ReadData(buffer);
}

std::string KavoAppBase::RecordOrReplayString(const std::string& value) {
    if (!mRecordingDemo && !mPlayingDemo)
        return value;
    Buffer buffer;
    buffer.WriteString(value);
    RecordOrReplayBuffer(buffer);
    return buffer.ReadString();
}

bool KavoAppBase::RecordOrReplayData(bool value) {
    if (!mRecordingDemo && !mPlayingDemo)
        return value;
    Buffer buffer;
    buffer.WriteByte(value ? 1 : 0);
    RecordOrReplayBuffer(buffer);
    return buffer.ReadByte() != 0;
}

namespace {

void WriteDouble(Buffer& buffer, double value) {
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    buffer.WriteLong(static_cast<int32_t>(bits & 0xFFFFFFFFu));
    buffer.WriteLong(static_cast<int32_t>(bits >> 32));
}

double ReadDouble(Buffer& buffer) {
    const auto low = static_cast<uint32_t>(buffer.ReadLong());
    const auto high = static_cast<uint32_t>(buffer.ReadLong());
    const uint64_t bits = (static_cast<uint64_t>(high) << 32) | low;
    double value = 0.0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

} // namespace

void KavoAppBase::KeepStartSettingsInDemo() {
    Buffer settings;
    WriteDouble(settings, mMusicVolume);
    WriteDouble(settings, mSfxVolume);
    settings.WriteLong(mMuteCount);
    settings.WriteBoolean(mIsWindowed);
    settings.WriteLong(mPreferredX);
    settings.WriteLong(mPreferredY);
    settings.WriteBoolean(mCustomCursorsEnabled);
    settings.WriteBoolean(mWaitForVSync);
    settings.WriteBoolean(mLastShutdownWasGraceful);
    const int recordedLength = settings.GetDataLen();
    RecordOrReplayBuffer(settings);
    // A replay that stopped here, or a file that holds other bytes, keeps
    // the settings read.
    if (settings.GetDataLen() != recordedLength)
        return;
    mMusicVolume = ReadDouble(settings);
    mSfxVolume = ReadDouble(settings);
    mMuteCount = settings.ReadLong();
    mIsWindowed = settings.ReadBoolean();
    mPreferredX = settings.ReadLong();
    mPreferredY = settings.ReadLong();
    mCustomCursorsEnabled = settings.ReadBoolean();
    mWaitForVSync = settings.ReadBoolean();
    mLastShutdownWasGraceful = settings.ReadBoolean();
    ApplyCursor();
}

bool KavoAppBase::ReadDemoFileHeader(std::string& error) {
    DemoFile demo;
    if (!LoadDemoFile(mDemoFileName, mProdName, demo, error)) {
        // The player is told which file would not play, whatever the reason.
        if (error.find(mDemoFileName) == std::string::npos)
            error += "\nThe demo file: " + mDemoFileName;
        return false;
    }
    mRandSeed = demo.mHeader.mRandSeed;
    GetRandGenerator().Seed(mRandSeed);
    auto session = std::make_unique<DemoSession>(*this);
    session->StartReplay(demo);
    SetDemoRecorder(std::move(session));
    return true;
}

bool KavoAppBase::CanWriteDemoFile(std::string& error) {
    MakeDemoFolder();
    // Opened to append, so that a file already there keeps its bytes until
    // the recording replaces it; one made only for this test goes again.
    const bool existed = platform::FileExists(mDemoFileName);
    std::FILE* file = platform::OpenFile(mDemoFileName, "ab");
    if (file == nullptr) {
        error = "Cannot create the demo file " + mDemoFileName + ": " + std::strerror(errno);
        return false;
    }
    std::fclose(file);
    if (!existed)
        platform::RemoveFile(mDemoFileName);
    return true;
}

void KavoAppBase::MakeDemoFolder() {
    // The user-data folder, where the demo goes by default, may not exist
    // yet (a crash early in the first run); a folder the user named must.
    const std::string folder = GetUserDataFolder();
    if (!folder.empty() && mDemoFileName.rfind(folder, 0) == 0)
        platform::MakeDirectories(folder);
}

bool KavoAppBase::WriteDemoFile() {
    if (!mRecordingDemo || Demo().Finish())
        return true;
    mDemoFailed = true;
    ShowFatalError("Cannot write the demo file " + mDemoFileName + ": " + std::strerror(errno) +
                   "; the recording is lost.");
    return false;
}

void KavoAppBase::ReplayStopped(const std::string& text) {
    mDemoFailed = true;
    mManualShutdown = true;
    // Not here, inside whatever game code met the damage: the loop's next
    // frame closes the application.
    mCloseRequestedByOtherThread = true;
    ShowFatalError(text);
}

} // namespace Kavo
