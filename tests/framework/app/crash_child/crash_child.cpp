// Installs the crash catcher and then faults, so that a test can look at the
// report the catcher leaves in the current folder.
//   kavo_crash_child segv|divide|terminate|abort-in-report|option
#include <cstdlib>
#include <exception>
#include <memory>
#include <string>

#include "framework/app/crash_catcher.h"
#include "framework/app/kavo_app_base.h"
#include "platform/dialog_presenter.h"
#include "platform/headless/headless_platform.h"

namespace {

// A crash window that itself fails, as a second fault during the report would.
class AbortingPresenter : public platform::DialogPresenter {
public:
    std::string Run(const platform::DialogLayout&) override { std::abort(); }
};

} // namespace

int main(int argc, char** argv) {
    auto catcher = std::make_shared<Kavo::CrashCatcher>();
    platform::Installed<Kavo::CrashCatcher> installed(Kavo::CrashCatcherSlot(), catcher);
    catcher->InstallHandlers();
    const std::string mode = argc > 1 ? argv[1] : "segv";
    platform::Installed<platform::DialogPresenter> presenter(
        platform::DialogPresenterSlot(),
        mode == "abort-in-report" ? std::make_shared<AbortingPresenter>() : std::shared_ptr<AbortingPresenter>());
    if (mode == "terminate")
        std::terminate();
    if (mode == "option") {
        // The "-crash" option of an application's command line.
        platform::HeadlessPlatform headless;
        Kavo::KavoAppBase app;
        app.SplitCommandLine("-crash");
    }
#if defined(__x86_64__)
    // Divided in assembly: the compiler and the sanitizers never see it.
    if (mode == "divide")
        asm volatile("xorl %%ecx, %%ecx\n\tmovl $1, %%eax\n\tcltd\n\tidivl %%ecx" ::: "eax", "ecx", "edx");
#endif
    Kavo::CrashNow();
}
