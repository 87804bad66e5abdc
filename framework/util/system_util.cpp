#include "framework/util/system_util.h"

#include "platform/file_system.h"

namespace Kavo {

namespace {

std::string& UserDataFolder() {
    static std::string folder;
    return folder;
}

} // namespace

bool IsWindows9x() {
    return false;
}

bool IsWindowsVistaOrLater() {
    return true;
}

void SetUserDataFolder(const std::string& path) {
    if (!IsWindowsVistaOrLater())
        return;
    std::string folder = path;
    if (!folder.empty() && folder.back() != '\\' && folder.back() != '/')
        folder += '\\';
    UserDataFolder() = folder;
}

std::string GetUserDataFolder() {
    return UserDataFolder();
}

bool GrantEveryoneFullAccess(const std::string& path) {
    return platform::MakeAccessibleToEveryone(path);
}

} // namespace Kavo
