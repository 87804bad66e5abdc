#pragma once
// Texts the player must read (a damaged file kept aside, a save that
// failed): each goes to the error output at once and to the handler, which
// shows it in the window. Texts told before a handler is set wait for it.

#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace Kavo {

class NoticeChannel {
public:
    using Handler = std::function<void(const std::string& text)>;

    // Where notices go from now on; those waiting are handed over at once.
    void SetHandler(Handler handler);
    // Program text (cp1251); the error output gets it as UTF-8.
    void Tell(const std::string& text);

private:
    std::mutex mMutex;
    Handler mHandler;
    std::vector<std::string> mPending;
};

} // namespace Kavo
