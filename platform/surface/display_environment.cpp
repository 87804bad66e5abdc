#include "platform/surface/display_environment.h"

namespace platform {

ProcessSlot<DisplayEnvironment>& DisplayEnvironmentSlot() {
    static ProcessSlot<DisplayEnvironment> slot;
    return slot;
}

} // namespace platform
