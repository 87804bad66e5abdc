// The command line. Parsing comes with the command-line issue; until then
// only the screen-saver switch is known.
#include "framework/app/kavo_app_base.h"

namespace Kavo {

void KavoAppBase::ReadCommandLine() {}

void KavoAppBase::SplitCommandLine() {}

void KavoAppBase::HandleCmdLineParam(const std::string& name, const std::string&) {
    if (name == "-screensaver")
        mIsScreenSaver = true;
}

} // namespace Kavo
