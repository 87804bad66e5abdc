#include "game/main/program_services.h"

#include "framework/app/crash_catcher.h"
#include "framework/app/kavo_app_base.h"
#include "game/ui/user_name_source.h"
#include "platform/box_process.h"
#include "platform/termination_requests.h"

namespace Game {

ProgramServices::ProgramServices()
    : mCatcher(std::make_shared<Kavo::CrashCatcher>()), mCatcherInstalled(Kavo::CrashCatcherSlot(), mCatcher),
      mUserNames(UserNameSourceSlot(), std::make_shared<ProfileUserNameSource>()),
      mTermination(std::make_unique<platform::TerminationRequests>([this] { OnTermination(); })) {
    mCatcher->InstallHandlers();
}

ProgramServices::~ProgramServices() {
    // The signals first, so that no request arrives half-way through.
    mTermination.reset();
    mCatcher->RestoreHandlers();
}

void ProgramServices::CloseOnTermination(Kavo::KavoAppBase* app) {
    const std::lock_guard<std::mutex> guard(mAppMutex);
    mApp = app;
    // A request that came while no application was there is not lost.
    if (mApp != nullptr && mRequested)
        mApp->mCloseRequestedByOtherThread = true;
}

void ProgramServices::OnTermination() {
    // On the listener's thread: the application only takes note, as its
    // CloseApp does when called from another thread, and its main loop
    // closes at the next frame (settings saved, profile intact). The flag is
    // set here directly because a request may come before Initialize, when
    // the application does not know its main thread yet and CloseApp would
    // close on this one.
    const std::lock_guard<std::mutex> guard(mAppMutex);
    mRequested = true;
    if (mApp != nullptr)
        mApp->mCloseRequestedByOtherThread = true;
    // A box the main thread waits in (an error's, which waits for Ok) would
    // hold the close back until someone clicks: it closes now, and the main
    // thread goes on to end the program as the error ends it.
    platform::EndBoxProcesses();
}

} // namespace Game
