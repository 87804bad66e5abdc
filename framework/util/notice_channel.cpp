#include "framework/util/notice_channel.h"

#include <cstdio>

#include "platform/text_encoding.h"

namespace Kavo {

void NoticeChannel::SetHandler(Handler handler) {
    std::vector<std::string> pending;
    {
        std::lock_guard lock(mMutex);
        mHandler = std::move(handler);
        if (!mHandler)
            return;
        pending.swap(mPending);
    }
    for (const std::string& text : pending)
        mHandler(text);
}

void NoticeChannel::Tell(const std::string& text) {
    std::fprintf(stderr, "%s\n", platform::Cp1251ToUtf8(text).c_str());
    Handler handler;
    {
        std::lock_guard lock(mMutex);
        if (!mHandler) {
            mPending.push_back(text);
            return;
        }
        handler = mHandler;
    }
    handler(text);
}

} // namespace Kavo
