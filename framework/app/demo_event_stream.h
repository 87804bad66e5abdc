#pragma once
// The bit-packed event stream of a demo. Every event starts with a header:
// 4 bits of updates since the previous event, a form bit (1 short, 0 long)
// and a 1-bit (short) or 5-bit (long) code. Gaps above 15 updates are
// bridged by filler events (long code 31, no body).

#include <cstdint>

#include "framework/util/buffer.h"

namespace Kavo {

enum class DemoEvent : int32_t {
    // Short events.
    MouseDelta = 0,
    MouseButton = 1,
    // Long events.
    MouseAt = 0,
    Activate = 1,
    Size = 2,
    KeyDown = 3,
    KeyUp = 4,
    Char = 5,
    Close = 6,
    MouseEnter = 7,
    MouseLeave = 8,
    LoadingCompleted = 9,
    RegistryRead = 11,
    RegistryWrite = 12,
    RegistryDelete = 13,
    FileExists = 14,
    FileRead = 15,
    FileWrite = 16,
    HttpResult = 17,
    Data = 18,
    MouseWheel = 21,
    ScreenMode = 23,
    Filler = 31,
};

// What the event stands for, in words for a message ("a file read").
const char* DemoEventName(bool shortForm, DemoEvent code);
// Whether a recording writes events of this form and code.
bool IsRecordedDemoEvent(bool shortForm, DemoEvent code);

class DemoEventStream {
public:
    explicit DemoEventStream(Buffer& buffer) : mBuffer(buffer) {}

    // ---- Recording ----
    // Writes fillers while more than 15 updates have passed, then the header.
    void WriteHeader(int32_t updateCount, bool shortForm, DemoEvent code);

    // ---- Replay ----
    // Reads the next header when none is pending. Returns whether the
    // pending event is due at `updateCount`. False at the end of the stream.
    bool ReadHeader(int32_t updateCount);
    // The pending event's body has been read; the next call reads a header.
    void BodyConsumed() { mNeedHeader = true; }
    bool HeaderPending() const { return !mNeedHeader; }
    bool IsShort() const { return mShort; }
    DemoEvent Code() const { return static_cast<DemoEvent>(mCode); }
    // Whether `bits` more bits can be read before the end of the stream.
    bool HasBits(int64_t bits) const { return BitsLeft() >= bits; }
    int64_t BitsLeft() const;
    // Past the last whole event: nothing more is replayed.
    bool AtEnd() const { return mEnded || mBuffer.GetReadBitPos() >= mBuffer.GetWriteBitPos(); }
    // Ends the replay here, as the end of the stream does.
    void End() { mEnded = true; }

    int32_t LastEventUpdate() const { return mLastEventUpdate; }
    int32_t EventCount() const { return mEventCount; }
    Buffer& Bits() { return mBuffer; }

private:
    Buffer& mBuffer;
    int32_t mLastEventUpdate = 0;
    int32_t mEventCount = 0;
    bool mNeedHeader = true;
    bool mShort = false;
    int32_t mCode = 0;
    bool mEnded = false;
};

} // namespace Kavo
