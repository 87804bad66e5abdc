#pragma once
// The sample layouts of the message boxes, the choose-user, options and
// name-entry dialogs, the tip window and the title screen.

#include <string>

namespace Kavo::SampleContent {

bool WriteUsersContent(const std::string& root);

} // namespace Kavo::SampleContent
