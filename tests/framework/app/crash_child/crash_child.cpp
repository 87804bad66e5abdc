// Installs the crash catcher and then faults, so that a test can look at the
// report the catcher leaves in the current folder.
//   kavo_crash_child segv|divide|terminate
#include <exception>
#include <memory>
#include <string>

#include "framework/app/crash_catcher.h"

int main(int argc, char** argv) {
    auto catcher = std::make_shared<Kavo::CrashCatcher>();
    platform::Installed<Kavo::CrashCatcher> installed(Kavo::CrashCatcherSlot(), catcher);
    catcher->InstallHandlers();
    const std::string mode = argc > 1 ? argv[1] : "segv";
    if (mode == "terminate")
        std::terminate();
#if defined(__x86_64__)
    // Divided in assembly: the compiler and the sanitizers never see it.
    if (mode == "divide")
        asm volatile("xorl %%ecx, %%ecx\n\tmovl $1, %%eax\n\tcltd\n\tidivl %%ecx" ::: "eax", "ecx", "edx");
#endif
    Kavo::CrashNow();
}
