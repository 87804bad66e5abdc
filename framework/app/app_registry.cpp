// Settings under "SOFTWARE\" + the registry key of the current user.
#include "framework/app/kavo_app_base.h"
#include "platform/registry.h"
#include "platform/text_encoding.h"

namespace Kavo {

namespace {

// Splits a value path at its last '\' into the key below the application's
// key and the value name.
void SplitValuePath(const std::string& appKey, const std::string& valuePath, std::string& key, std::string& name) {
    const size_t slash = valuePath.rfind('\\');
    if (slash == std::string::npos) {
        key = appKey;
        name = valuePath;
    } else {
        key = appKey + "\\" + valuePath.substr(0, slash);
        name = valuePath.substr(slash + 1);
    }
}

} // namespace

bool KavoAppBase::WriteRegValue(const std::string& valuePath, uint32_t type, const void* data, uint32_t size) {
    if (mRegKey.empty())
        return false;
    // A replay never touches the registry: it answers what the recording saw.
    if (mPlayingDemo && OnDemoThread())
        return mManualShutdown || Demo().ReadOutcome(DemoEvent::RegistryWrite);
    std::string keyPath;
    std::string name;
    SplitValuePath("SOFTWARE\\" + mRegKey, valuePath, keyPath, name);
    platform::RegKey key;
    if (platform::RegOpenKey(platform::kRegCurrentUser, keyPath, key) != platform::kRegOk &&
        platform::RegCreateKey(platform::kRegCurrentUser, keyPath, key) != platform::kRegOk) {
        if (mRecordingDemo && OnDemoThread() && !mKeepingChosenSettings)
            Demo().WriteOutcome(DemoEvent::RegistryWrite, false);
        return false;
    }
    platform::RegSetValue(key, name, type, data, size);
    platform::RegCloseKey(key);
    if (mRecordingDemo && OnDemoThread() && !mKeepingChosenSettings)
        Demo().WriteOutcome(DemoEvent::RegistryWrite, true);
    return true;
}

bool KavoAppBase::ReadRegValue(const std::string& valuePath, uint32_t* type, void* data, uint32_t* size) {
    if (mRegKey.empty())
        return false;
    if (mPlayingDemo && OnDemoThread())
        return !mManualShutdown && Demo().ReadRegistryRead(type, data, size);
    std::string keyPath;
    std::string name;
    SplitValuePath("SOFTWARE\\" + mRegKey, valuePath, keyPath, name);
    platform::RegKey key;
    bool ok = platform::RegOpenKey(platform::kRegCurrentUser, keyPath, key) == platform::kRegOk;
    if (ok) {
        ok = platform::RegQueryValue(key, name, type, data, size) == platform::kRegOk;
        platform::RegCloseKey(key);
    }
    if (mRecordingDemo && OnDemoThread())
        Demo().WriteRegistryRead(ok, ok ? *type : 0, data, ok ? *size : 0);
    return ok;
}

bool KavoAppBase::RegistryWriteInteger(const std::string& valuePath, int32_t value) {
    return WriteRegValue(valuePath, platform::kRegDword, &value, sizeof value);
}

bool KavoAppBase::RegistryWriteBoolean(const std::string& valuePath, bool value) {
    return RegistryWriteInteger(valuePath, value ? 1 : 0);
}

bool KavoAppBase::RegistryReadInteger(const std::string& valuePath, int32_t* value) {
    uint32_t type = 0;
    int32_t data = 0;
    uint32_t size = sizeof data;
    if (!ReadRegValue(valuePath, &type, &data, &size) || type != platform::kRegDword)
        return false;
    *value = data;
    return true;
}

bool KavoAppBase::RegistryReadBoolean(const std::string& valuePath, bool* value) {
    int32_t data = 0;
    if (!RegistryReadInteger(valuePath, &data))
        return false;
    *value = data != 0;
    return true;
}

bool KavoAppBase::DeleteRegKey(const std::string& keyName) {
    if (mRegKey.empty())
        return false;
    if (mPlayingDemo && OnDemoThread())
        return mManualShutdown || Demo().ReadOutcome(DemoEvent::RegistryDelete);
    const bool ok =
        platform::RegDeleteKey(platform::kRegCurrentUser, "SOFTWARE\\" + mRegKey + "\\" + keyName) == platform::kRegOk;
    if (mRecordingDemo && OnDemoThread())
        Demo().WriteOutcome(DemoEvent::RegistryDelete, ok);
    return ok;
}

void KavoAppBase::DeleteRegValue(const std::string& valuePath) {
    if (mRegKey.empty())
        return;
    std::string keyPath;
    std::string name;
    SplitValuePath("SOFTWARE\\" + mRegKey, valuePath, keyPath, name);
    platform::RegKey key;
    if (platform::RegOpenKey(platform::kRegCurrentUser, keyPath, key) != platform::kRegOk)
        return;
    platform::RegDeleteValue(key, name);
    platform::RegCloseKey(key);
}

void KavoAppBase::BindSettingsFile(const std::string& diskPath) {
    const std::string shown = platform::Utf8ToCp1251(diskPath);
    std::string copy;
    switch (platform::UseRegistryFile(diskPath, &copy)) {
    case platform::RegistryFileState::kRead:
        break;
    case platform::RegistryFileState::kKeptAside:
        mSettingsNotices.Tell("The settings file " + shown +
                              " was damaged: what could be read is kept, and the file was copied to " +
                              platform::Utf8ToCp1251(copy) + ".");
        break;
    case platform::RegistryFileState::kNotKept:
        // Every save fails until the copy is made: this says it already.
        mToldSettingsNotSaved = true;
        mSettingsNotices.Tell("The settings file " + shown +
                              " was damaged, and it could not be copied aside: it is left as it is, and your "
                              "settings cannot be saved.");
        break;
    }
    platform::SetRegistrySaveFailureHandler([this](const std::string& file) {
        if (!mToldSettingsNotSaved.exchange(true))
            mSettingsNotices.Tell("Your settings cannot be saved: the file " + platform::Utf8ToCp1251(file) +
                                  " cannot be written.");
    });
}

void KavoAppBase::LoadSettings() {
    // Reading may make the key: one write of the file at most.
    const platform::RegistryBatch batch;
    mSaveSettingsOnClose = true;
    // A game may rename its key through its string table.
    mRegKey = GetString("RegistryKey", mRegKey);
    if (mRegKey.empty())
        return;
    int32_t value = 0;
    if (RegistryReadInteger("MusicVolume", &value))
        mMusicVolume = value * 0.01;
    if (RegistryReadInteger("SfxVolume", &value))
        mSfxVolume = value * 0.01;
    if (RegistryReadInteger("Muted", &value))
        mMuteCount = value;
    if (RegistryReadInteger("ScreenMode", &value))
        mIsWindowed = value == 0;
    RegistryReadInteger("PreferredX", &mPreferredX);
    RegistryReadInteger("PreferredY", &mPreferredY);
    if (RegistryReadInteger("CustomCursors", &value)) {
        mCustomCursorsEnabled = value != 0;
        ApplyCursor();
    }
    if (RegistryReadInteger("WaitForVSync", &value))
        mWaitForVSync = value != 0;
    if (RegistryReadInteger("InProgress", &value))
        mLastShutdownWasGraceful = value == 0;
}

void KavoAppBase::MarkRunInProgress() {
    // Cleared again by SaveSettings at a normal end: a 1 found at the next
    // start means this run did not end normally. A replay saves no settings
    // and leaves them as it found them.
    if (!mIsScreenSaver && !mPlayingDemo)
        RegistryWriteInteger("InProgress", 1);
}

void KavoAppBase::SaveSettings() {
    const platform::RegistryBatch batch;
    StoreSettings();
    RegistryWriteInteger("InProgress", 0);
}

void KavoAppBase::StoreSettings() {
    const platform::RegistryBatch batch;
    RegistryWriteInteger("MusicVolume", static_cast<int32_t>(mMusicVolume * 100));
    RegistryWriteInteger("SfxVolume", static_cast<int32_t>(mSfxVolume * 100));
    RegistryWriteInteger("Muted", mMuteCount - mAutoMuteCount > 0 ? 1 : 0);
    RegistryWriteInteger("ScreenMode", mIsWindowed ? 0 : 1);
    RegistryWriteInteger("PreferredX", mPreferredX);
    RegistryWriteInteger("PreferredY", mPreferredY);
    RegistryWriteInteger("CustomCursors", mCustomCursorsEnabled ? 1 : 0);
    RegistryWriteInteger("WaitForVSync", mWaitForVSync ? 1 : 0);
}

} // namespace Kavo
