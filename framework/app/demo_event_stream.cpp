#include "framework/app/demo_event_stream.h"

namespace Kavo {

namespace {
constexpr int32_t kMaxTimeStep = 15;
constexpr int kHeaderBits = 4 + 1;
} // namespace

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
