#include "framework/app/demo_event_stream.h"

namespace Kavo {

namespace {
constexpr int32_t kMaxTimeStep = 15;
constexpr int kHeaderBits = 4 + 1;
} // namespace

const char* DemoEventName(bool shortForm, DemoEvent code) {
    if (shortForm)
        return code == DemoEvent::MouseDelta ? "a mouse move" : "a mouse button";
    switch (code) {
    case DemoEvent::MouseAt:
        return "a mouse move";
    case DemoEvent::Activate:
        return "a change of the active window";
    case DemoEvent::Size:
        return "a change of the window's size";
    case DemoEvent::KeyDown:
        return "a key pressed";
    case DemoEvent::KeyUp:
        return "a key released";
    case DemoEvent::Char:
        return "a character typed";
    case DemoEvent::Close:
        return "the window's close";
    case DemoEvent::MouseEnter:
        return "the mouse entering the window";
    case DemoEvent::MouseLeave:
        return "the mouse leaving the window";
    case DemoEvent::LoadingCompleted:
        return "the end of loading";
    case DemoEvent::RegistryRead:
        return "a settings read";
    case DemoEvent::RegistryWrite:
        return "a settings write";
    case DemoEvent::RegistryDelete:
        return "a settings key deletion";
    case DemoEvent::FileExists:
        return "a test whether a file exists";
    case DemoEvent::FileRead:
        return "a file read";
    case DemoEvent::FileWrite:
        return "a file write";
    case DemoEvent::HttpResult:
        return "a web transfer's result";
    case DemoEvent::Data:
        return "other data from outside";
    case DemoEvent::MouseWheel:
        return "a turn of the mouse wheel";
    case DemoEvent::ScreenMode:
        return "a change of the screen mode";
    case DemoEvent::Filler:
        return "a pause";
    }
    return "an event no recording holds";
}

bool IsRecordedDemoEvent(bool shortForm, DemoEvent code) {
    if (shortForm)
        return true;
    // Codes 10, 19, 20, 22 and 24 to 30 are never written.
    const auto value = static_cast<int32_t>(code);
    return (value >= 0 && value <= 9) || (value >= 11 && value <= 18) || value == 21 || value == 23 || value == 31;
}

void DemoEventStream::WriteHeader(int32_t updateCount, bool shortForm, DemoEvent code) {
    int32_t step = updateCount - mLastEventUpdate;
    while (step > kMaxTimeStep) {
        mBuffer.WriteNumBits(kMaxTimeStep, 4);
        mBuffer.WriteNumBits(0, 1);
        mBuffer.WriteNumBits(static_cast<int32_t>(DemoEvent::Filler), 5);
        step -= kMaxTimeStep;
        ++mEventCount;
    }
    mBuffer.WriteNumBits(step, 4);
    mBuffer.WriteNumBits(shortForm ? 1 : 0, 1);
    mBuffer.WriteNumBits(static_cast<int32_t>(code), shortForm ? 1 : 5);
    mLastEventUpdate = updateCount;
    ++mEventCount;
}

int64_t DemoEventStream::BitsLeft() const {
    return static_cast<int64_t>(mBuffer.GetWriteBitPos()) - mBuffer.GetReadBitPos();
}

bool DemoEventStream::ReadHeader(int32_t updateCount) {
    if (mNeedHeader) {
        // A header cut by the end of the stream is not an event.
        if (mEnded || !HasBits(kHeaderBits + 1)) {
            mEnded = true;
            return false;
        }
        mLastEventUpdate += mBuffer.ReadNumBits(4, false);
        mShort = mBuffer.ReadNumBits(1, false) != 0;
        if (!mShort && !HasBits(5)) {
            mEnded = true;
            return false;
        }
        mCode = mBuffer.ReadNumBits(mShort ? 1 : 5, false);
        mNeedHeader = false;
        ++mEventCount;
    }
    return mLastEventUpdate == updateCount;
}

} // namespace Kavo
