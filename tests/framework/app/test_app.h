#pragma once
// An application that runs start-up headless and records its hooks.

#include <deque>
#include <string>
#include <vector>

#include "framework/app/kavo_app_base.h"
#include "framework/graphics/dd_interface.h"

namespace app_test {

class TestApp : public Kavo::KavoAppBase {
public:
    explicit TestApp(const std::string& workFolder) {
        mProdName = "KavoTest";
        mRegKey = "KavoTest";
        mChangeDirTo = workFolder;
    }

    std::vector<std::string> mCalls;
    std::deque<int32_t> mDisplayScript;
    bool mDisplay3D = false; // the scripted display starts in 3D mode
    int mShutdownHooks = 0;

    void PreInitHook() override { mCalls.push_back("PreInitHook"); }
    void LoadSettings() override {
        mCalls.push_back("LoadSettings");
        KavoAppBase::LoadSettings();
    }
    void ReadCommandLine() override { mCalls.push_back("ReadCommandLine"); }
    bool ChangeDirHook(const std::string& folder) override {
        mCalls.push_back("ChangeDirHook");
        return KavoAppBase::ChangeDirHook(folder);
    }
    void NotifyRunningInstance() override {
        mCalls.push_back("NotifyRunningInstance");
        KavoAppBase::NotifyRunningInstance();
    }
    void PreCreateWindowHook() override {
        mCalls.push_back("PreCreateWindowHook");
        if (!mDisplayScript.empty()) {
            mDDInterface = new Kavo::DDInterface(this, GetDisplayLock());
            mDDInterface->ScriptInitResults(mDisplayScript);
            mDDInterface->mIs3D = mDisplay3D;
        }
    }
    void CreateMainWindow() override {
        mCalls.push_back("CreateMainWindow");
        KavoAppBase::CreateMainWindow();
    }
    Kavo::MusicInterface* CreateMusicPlayer(platform::WindowHandle owner) override {
        mCalls.push_back("CreateMusicPlayer");
        return KavoAppBase::CreateMusicPlayer(owner);
    }
    void SetSfxVolume(double volume) override {
        mCalls.push_back("SetSfxVolume");
        KavoAppBase::SetSfxVolume(volume);
    }
    void SetMusicVolume(double volume) override {
        mCalls.push_back("SetMusicVolume");
        KavoAppBase::SetMusicVolume(volume);
    }
    void InitHook() override { mCalls.push_back("InitHook"); }
    void ShutdownHook() override { ++mShutdownHooks; }
};

} // namespace app_test
