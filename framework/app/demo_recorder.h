#pragma once
// What the application loop, window procedure and settings ask of the demo
// code. This base neither records nor plays: every question answers "no
// demo" and every write is dropped. The demo reader and writer derive from
// it and are installed in the application's recorder slot.

#include <cstdint>
#include <string>

#include "platform/geometry.h"
#include "platform/window.h"

namespace Kavo {

class DemoRecorder {
public:
    virtual ~DemoRecorder() = default;

    virtual bool IsRecording() const { return false; }
    virtual bool IsPlaying() const { return false; }

    // ---- Playback ----
    // Replays the events due at the current update count.
    virtual void ReplayDueEvents() {}
    // The update the replay must reach before the loop waits for real time.
    virtual int32_t TargetUpdate() const { return 0; }
    virtual bool FastForwardToEnd() const { return false; }
    // Whether the recording has passed its loading-completed event.
    virtual bool LoadingCompleted() const { return false; }
    // The update count at which the replay stops updating (-1: never).
    virtual int32_t StopUpdate() const { return -1; }
    // The mouse position the replay last set (client coordinates).
    virtual platform::Point MousePosition() const { return {}; }
    // A WM_CHAR seen during playback: the playback keys.
    virtual void PlaybackKey(int32_t) {}
    // Recorded outcomes of the registry operations (events 11 to 13).
    virtual bool ReadRegistryRead(uint32_t* /*type*/, void* /*data*/, uint32_t* /*size*/) { return false; }
    virtual bool ReadRegistryWrite() { return false; }
    virtual bool ReadRegistryDelete() { return false; }

    // ---- Recording ----
    virtual void WriteMessage(const platform::Message&) {}
    virtual void WriteMouseInWindow(bool /*inside*/) {}
    virtual void WriteLoadingCompleted() {}
    virtual void WriteRegistryRead(bool /*ok*/, uint32_t /*type*/, const void* /*data*/, uint32_t /*size*/) {}
    virtual void WriteRegistryWrite(const std::string& /*valuePath*/, bool /*ok*/) {}
    virtual void WriteRegistryDelete(bool /*ok*/) {}
    virtual void WriteScreenMode(int32_t /*refreshRate*/) {}

    // End of the run: the recording is closed, the replay released.
    virtual void Finish() {}
};

} // namespace Kavo
