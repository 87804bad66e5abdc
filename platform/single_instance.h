#pragma once
// One running copy per user: the first instance holds a record lock on a
// file (released by the system when the process ends, and never held by a
// child the process forks); a later one finds it held and knocks on the first one's door (a datagram
// socket) before it leaves. The first instance sees the knock from its
// message loop as a posted message.

#include <string>
#include <string_view>

#include "platform/window.h"

namespace platform {

class SingleInstance {
public:
    SingleInstance() = default;
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // Takes the lock named `name` (program text). True for the first
    // instance; false when another process (or another SingleInstance of this
    // process) holds it. The lock file lives in RuntimeFolder().
    bool Acquire(std::string_view name);
    bool IsOwner() const { return mLockFd >= 0; }
    // From a later instance: tells the owner. False when nobody listens.
    bool NotifyOwner();
    // The owner: posts `message` to `window` for each knock, checked on every
    // PeekMessage of any thread.
    void SetNotifyTarget(WindowHandle window, MessageId message);
    // The owner: true when knocks arrived since the last call (all consumed).
    bool PollNotification();
    void Release();

    // $KAVO_RUNTIME_DIR, else $XDG_RUNTIME_DIR, else the temporary folder.
    static std::string RuntimeFolder();

private:
    std::string mName; // disk text
    std::string mLockPath;
    int mLockFd = -1;
    int mSocketFd = -1;
    int mPollerId = 0;
};

} // namespace platform
