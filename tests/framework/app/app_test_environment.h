#pragma once
// A headless world for one application test: virtual clock, in-memory
// registry, scripted message boxes, a scripted desktop for the application
// adapter, an exit hook that throws instead of ending, and temporary
// folders for the current folder, user data and the single-instance lock.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "framework/app/app_platform.h"
#include "framework/util/system_util.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/headless/headless_backend.h"
#include "platform/registry.h"
#include "platform/window.h"

namespace app_test {

// Thrown by the exit hook in place of ending the process.
struct ExitCalled {
    int code;
};

class AppTestEnvironment : public ::testing::Test {
protected:
    AppTestEnvironment()
        : mClock(5'000'000), mRoot(MakeRoot()), mPreviousFolder(platform::GetCurrentFolder()),
          mHeadless(std::make_shared<Kavo::HeadlessAppPlatform>()),
          mInstalledHeadless(Kavo::HeadlessAppPlatformSlot(), mHeadless),
          mInstalledExit(Kavo::AppExitHookSlot(),
                         std::make_shared<Kavo::AppExitHook>([](int code) { throw ExitCalled{code}; })) {
        platform::UseMemoryRegistry();
        platform::SetBackend(std::make_unique<platform::HeadlessBackend>());
        std::filesystem::create_directories(mRoot / "work");
        std::filesystem::create_directories(mRoot / "userdata");
        std::filesystem::create_directories(mRoot / "runtime");
        setenv("KAVO_USER_DATA_DIR", (mRoot / "userdata").c_str(), 1);
        setenv("KAVO_RUNTIME_DIR", (mRoot / "runtime").c_str(), 1);
        platform::SetCurrentFolder(WorkFolder());
    }

    ~AppTestEnvironment() override {
        platform::SetCurrentFolder(mPreviousFolder);
        platform::ResetWindowSystem();
        platform::SetBackend(nullptr);
        platform::UseMemoryRegistry();
        Kavo::SetUserDataFolder("");
        unsetenv("KAVO_USER_DATA_DIR");
        unsetenv("KAVO_RUNTIME_DIR");
        std::error_code ec;
        std::filesystem::remove_all(mRoot, ec);
    }

    platform::HeadlessBackend& Boxes() { return *platform::GetHeadlessBackend(); }
    Kavo::HeadlessAppPlatform& Desktop() { return *mHeadless; }
    platform::VirtualClock& Clock() { return mClock.Get(); }
    std::string WorkFolder() const { return (mRoot / "work").string(); }

private:
    static std::filesystem::path MakeRoot() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        auto root = std::filesystem::path(::testing::TempDir()) /
                    ("app_" + std::string(info ? info->name() : "x") + "_" + std::to_string(getpid()));
        std::filesystem::remove_all(root);
        return root;
    }

    platform::ScopedVirtualClock mClock;
    std::filesystem::path mRoot;
    std::string mPreviousFolder;
    std::shared_ptr<Kavo::HeadlessAppPlatform> mHeadless;
    platform::Installed<Kavo::HeadlessAppPlatform> mInstalledHeadless;
    platform::Installed<Kavo::AppExitHook> mInstalledExit;
};

} // namespace app_test
