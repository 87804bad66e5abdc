#pragma once
// What the program installs around its application for the whole run: the
// crash catcher, so that every fault nothing else handles (and the "-crash"
// option) ends in a crash report; the current player's name for the texts
// that greet them; and an orderly close, through the application's own
// shutdown, when the process is asked to end (SIGTERM, SIGINT). main() makes
// one before the application, and the tests that start the game as the
// program does make theirs the same way.

#include <memory>
#include <mutex>

#include "platform/process_slot.h"

namespace Kavo {
class CrashCatcher;
class KavoAppBase;
} // namespace Kavo

namespace platform {
class TerminationRequests;
}

namespace Game {

class UserNameSource;

class ProgramServices {
public:
    ProgramServices();
    ~ProgramServices();
    ProgramServices(const ProgramServices&) = delete;
    ProgramServices& operator=(const ProgramServices&) = delete;

    // From now on a request to end closes `app` as its window's close box
    // would; null stops that (before the application goes away).
    void CloseOnTermination(Kavo::KavoAppBase* app);

private:
    void OnTermination();

    std::shared_ptr<Kavo::CrashCatcher> mCatcher;
    platform::Installed<Kavo::CrashCatcher> mCatcherInstalled;
    platform::Installed<UserNameSource> mUserNames;
    std::mutex mAppMutex;
    Kavo::KavoAppBase* mApp = nullptr; // guarded by mAppMutex
    bool mRequested = false;           // guarded by mAppMutex
    std::unique_ptr<platform::TerminationRequests> mTermination;
};

} // namespace Game
