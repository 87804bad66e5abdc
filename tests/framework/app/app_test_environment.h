#pragma once
// The shared headless fixture plus what an application test needs on top:
// an exit hook that throws instead of ending, a work folder inside the
// fixture's temporary folder as the current folder, and a runtime folder
// there for the single-instance lock.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "framework/util/system_util.h"
#include "platform/file_system.h"
#include "platform/process_exit.h"
#include "tests/support/headless_environment.h"

namespace app_test {

// Thrown by the exit hook in place of ending the process.
struct ExitCalled {
    int code;
};

class AppTestEnvironment : public Kavo::HeadlessEnvironment {
protected:
    AppTestEnvironment() : mPreviousFolder(platform::GetCurrentFolder()) {
        // A clock well past zero, so that a tick of 0 is never taken for "unset".
        Platform().Clock().Advance(5'000'000);
        std::filesystem::create_directories(WorkFolder());
        std::filesystem::create_directories(RuntimeFolder());
        if (const char* previous = std::getenv("KAVO_RUNTIME_DIR"))
            mPreviousRuntime = previous;
        setenv("KAVO_RUNTIME_DIR", RuntimeFolder().c_str(), 1);
        platform::SetCurrentFolder(WorkFolder());
    }

    ~AppTestEnvironment() override {
        platform::SetCurrentFolder(mPreviousFolder);
        Kavo::SetUserDataFolder("");
        if (mPreviousRuntime)
            setenv("KAVO_RUNTIME_DIR", mPreviousRuntime->c_str(), 1);
        else
            unsetenv("KAVO_RUNTIME_DIR");
    }

    std::string WorkFolder() { return Platform().Folder() + "/work"; }
    std::string RuntimeFolder() { return Platform().Folder() + "/runtime"; }

private:
    std::string mPreviousFolder;
    std::optional<std::string> mPreviousRuntime;
    platform::Installed<platform::ExitHook> mThrowOnExit{
        platform::ExitHookSlot(), std::make_shared<platform::ExitHook>([](int code) { throw ExitCalled{code}; })};
};

} // namespace app_test
