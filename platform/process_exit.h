#pragma once
// The one way out of the process for code that ends it on purpose. A hook
// installed in ExitHookSlot is called first with the exit code; tests
// install one that throws, so that they see the code and go on running.

#include <functional>

#include "platform/process_slot.h"

namespace platform {

using ExitHook = std::function<void(int code)>;
ProcessSlot<ExitHook>& ExitHookSlot();

// Calls the installed hook (if any), then ends the process with `code`.
[[noreturn]] void ExitProcess(int code);

} // namespace platform
