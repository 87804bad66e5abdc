#pragma once
// What the application loop, window procedure, settings, file operations
// and web transfers ask of the demo code. This base neither records nor
// plays: every question answers "no demo" and every write is dropped.
// DemoSession derives from it and is installed while a demo is recorded or
// played. The application decides between recording, replaying and the
// fixed answers after a close during the demo; the recorder only reads and
// writes events.

#include <cstdint>
#include <string>

#include "framework/app/demo_event_stream.h"
#include "framework/util/buffer.h"
#include "platform/geometry.h"
#include "platform/window.h"

namespace Kavo {

class Image;

class DemoRecorder {
public:
    virtual ~DemoRecorder() = default;

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
    // While a replay dialog is open the loop runs it instead of updates,
    // and the window's real input goes to it.
    virtual bool ControlsOpen() const { return false; }
    virtual void ControlsMessage(const platform::Message&) {}
    virtual void UpdateControls() {}
    virtual void DrawControls(Image*) {}
    // Recorded outcomes. A registry read copies at most *size bytes and
    // fails when the recorded value is larger; a file read refills the
    // buffer. Outcome-only events: registry write and delete, file
    // existence and file write.
    virtual bool ReadRegistryRead(uint32_t* /*type*/, void* /*data*/, uint32_t* /*size*/) { return false; }
    virtual bool ReadOutcome(DemoEvent) { return false; }
    virtual bool ReadFileRead(Buffer&) { return false; }
    // A web transfer's recorded result, only when a result of transfer `id`
    // is due now; false leaves the stream as it was.
    virtual bool ReadHttpResult(int32_t /*id*/, int32_t& /*result*/, std::string& /*body*/) { return false; }
    // Replaces the buffer by the recorded bytes; false (buffer unchanged)
    // when the stream holds no such event.
    virtual bool ReadData(Buffer&) { return false; }
    // The focus a new main window started with, recorded as an activation
    // when the window was made: read only when that event is due now;
    // false leaves the stream as it was.
    virtual bool ReadStartingFocus(bool& /*active*/) { return false; }

    // ---- Recording ----
    virtual void WriteMessage(const platform::Message&) {}
    virtual void WriteMouseInWindow(bool /*inside*/) {}
    virtual void WriteLoadingCompleted() {}
    virtual void WriteRegistryRead(bool /*ok*/, uint32_t /*type*/, const void* /*data*/, uint32_t /*size*/) {}
    virtual void WriteOutcome(DemoEvent, bool /*ok*/) {}
    virtual void WriteFileRead(bool /*ok*/, const Buffer&) {}
    virtual void WriteHttpResult(int32_t /*id*/, int32_t /*result*/, const std::string& /*body*/) {}
    virtual void WriteData(const Buffer&) {}
    virtual void WriteScreenMode(int32_t /*refreshRate*/) {}
    // An event without meaning that ends the stream (before a crash).
    virtual void WriteFiller() {}

    // End of the run: a recording is written to its file. False when the
    // file could not be written.
    virtual bool Finish() { return true; }
};

} // namespace Kavo
