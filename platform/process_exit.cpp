#include "platform/process_exit.h"

#include <cstdlib>

namespace platform {

ProcessSlot<ExitHook>& ExitHookSlot() {
    static ProcessSlot<ExitHook> slot;
    return slot;
}

void ExitProcess(int code) {
    if (const auto hook = ExitHookSlot().Get(); hook && *hook)
        (*hook)(code);
    std::exit(code);
}

} // namespace platform
