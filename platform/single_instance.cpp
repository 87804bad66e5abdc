#include "platform/single_instance.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <mutex>

#include "platform/text_encoding.h"

namespace platform {
namespace {

std::string SafeName(std::string_view utf8) {
    std::string out;
    for (char c : utf8)
        out += (c == '/' || c == '\0') ? '_' : c;
    return out;
}

// An abstract-namespace address: no file is left behind by a crash.
sockaddr_un SocketAddress(const std::string& lockPath, socklen_t& length) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string id =
        "kavo-" + std::to_string(getuid()) + "-" + std::to_string(std::hash<std::string>{}(lockPath));
    std::memcpy(address.sun_path + 1, id.data(), std::min(id.size(), sizeof(address.sun_path) - 2));
    length =
        static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + std::min(id.size(), sizeof(address.sun_path) - 2));
    return address;
}

std::string LockPath(const std::string& name) {
    return SingleInstance::RuntimeFolder() + "/" + name + ".lock";
}

// The locks this process holds, by path, with the process that took them.
// A record lock does not conflict with its own process, and closing any
// descriptor of the file would drop it, so a second taker in the process is
// refused here before it opens the file. A child made by fork() inherits
// the table but not the locks: its entries name the parent and do not count.
std::mutex gHeldMutex;
std::map<std::string, pid_t>& HeldLocks() {
    static std::map<std::string, pid_t> held;
    return held;
}

} // namespace

SingleInstance::~SingleInstance() {
    Release();
}

std::string SingleInstance::RuntimeFolder() {
    for (const char* variable : {"KAVO_RUNTIME_DIR", "XDG_RUNTIME_DIR"}) {
        const char* value = std::getenv(variable);
        if (value && *value)
            return value;
    }
    return std::filesystem::temp_directory_path().string();
}

bool SingleInstance::Acquire(std::string_view name) {
    Release();
    mName = SafeName(Cp1251ToUtf8(name));
    const std::string path = LockPath(mName);
    std::error_code ec;
    std::filesystem::create_directories(RuntimeFolder(), ec);
    const std::lock_guard<std::mutex> guard(gHeldMutex);
    const auto held = HeldLocks().find(path);
    if (held != HeldLocks().end() && held->second == getpid())
        return false;
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    // A record lock, not a lock of the open file: a child the process forks
    // (a desktop's message box may run in one) shares the open file but not
    // the lock, so it cannot keep the lock after this process has ended.
    struct flock whole {};
    whole.l_type = F_WRLCK;
    whole.l_whence = SEEK_SET;
    if (fcntl(fd, F_SETLK, &whole) != 0) {
        close(fd);
        return false;
    }
    mLockFd = fd;
    mLockPath = path;
    HeldLocks()[path] = getpid();
    mSocketFd = socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    socklen_t length = 0;
    const sockaddr_un address = SocketAddress(path, length);
    if (mSocketFd >= 0 && bind(mSocketFd, reinterpret_cast<const sockaddr*>(&address), length) != 0) {
        close(mSocketFd);
        mSocketFd = -1;
    }
    return true;
}

bool SingleInstance::NotifyOwner() {
    if (mName.empty())
        return false;
    const int fd = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    socklen_t length = 0;
    const sockaddr_un address = SocketAddress(LockPath(mName), length);
    const char knock = 'N';
    const bool sent = sendto(fd, &knock, 1, 0, reinterpret_cast<const sockaddr*>(&address), length) == 1;
    close(fd);
    return sent;
}

bool SingleInstance::PollNotification() {
    if (mSocketFd < 0)
        return false;
    bool knocked = false;
    char buffer[16];
    while (recv(mSocketFd, buffer, sizeof buffer, 0) > 0)
        knocked = true;
    return knocked;
}

void SingleInstance::SetNotifyTarget(WindowHandle window, MessageId message) {
    if (mPollerId)
        RemoveMessagePoller(mPollerId);
    mPollerId = AddMessagePoller([this, window, message] {
        if (PollNotification())
            PostMessage(window, message, 0, 0);
    });
}

void SingleInstance::Release() {
    if (mPollerId)
        RemoveMessagePoller(mPollerId);
    mPollerId = 0;
    if (mSocketFd >= 0)
        close(mSocketFd);
    mSocketFd = -1;
    if (mLockFd >= 0) {
        const std::lock_guard<std::mutex> guard(gHeldMutex);
        close(mLockFd); // closing drops the lock
        HeldLocks().erase(mLockPath);
    }
    mLockFd = -1;
    mLockPath.clear();
}

} // namespace platform
