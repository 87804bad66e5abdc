#pragma once
// The demo recorder of a run that records or plays: writes the events of
// the window procedure, the loop and the synced operations into the
// application's demo buffer, and replays them at the updates they were
// recorded at. The playback keys steer the replay.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/app/demo_controls.h"

#include "framework/app/demo_event_stream.h"
#include "framework/app/demo_file.h"
#include "framework/app/demo_recorder.h"

namespace Kavo {

class KavoAppBase;

class DemoSession : public DemoRecorder, public DemoControlsListener {
public:
    explicit DemoSession(KavoAppBase& app);

    // Replay: takes the loaded stream, markers and length into the application.
    void StartReplay(DemoFile& demo);

    void ReplayDueEvents() override;
    int32_t TargetUpdate() const override { return mTargetUpdate; }
    bool FastForwardToEnd() const override { return mFastForwardToEnd; }
    bool LoadingCompleted() const override { return mDemoLoaded; }
    int32_t StopUpdate() const override;
    platform::Point MousePosition() const override { return {mMouseX, mMouseY}; }
    void PlaybackKey(int32_t key) override;
    bool ControlsOpen() const override { return mControls != nullptr && mControls->IsOpen(); }
    void ControlsMessage(const platform::Message& message) override;
    void UpdateControls() override;
    void DrawControls(Image* screen) override;
    bool ReadRegistryRead(uint32_t* type, void* data, uint32_t* size) override;
    bool ReadOutcome(DemoEvent event) override;
    bool ReadFileRead(Buffer& buffer) override;
    bool ReadHttpResult(int32_t id, int32_t& result, std::string& body) override;
    bool ReadData(Buffer& buffer) override;
    bool ReadStartingFocus(bool& active) override;

    void WriteMessage(const platform::Message& message) override;
    void WriteMouseInWindow(bool inside) override;
    void WriteLoadingCompleted() override;
    void WriteRegistryRead(bool ok, uint32_t type, const void* data, uint32_t size) override;
    void WriteOutcome(DemoEvent event, bool ok) override;
    void WriteFileRead(bool ok, const Buffer& buffer) override;
    void WriteHttpResult(int32_t id, int32_t result, const std::string& body) override;
    void WriteData(const Buffer& buffer) override;
    void WriteScreenMode(int32_t refreshRate) override;
    void WriteFiller() override;
    bool Finish() override;

    // Volumes to zero and back (the 's' key).
    void ToggleDemoSound();
    // The replay dialogs ('l' and 'j').
    void ShowMarkerList();
    void ShowJumpToTime();
    DemoControls* Controls() { return mControls.get(); }

    void MarkerChosen(int32_t updateCount) override;
    void JumpTimeEntered(const std::string& text) override;
    void ControlsClosed() override;
    // The markers of the file played (a recording adds its own).
    std::vector<DemoMarker> mMarkers;
    DemoEventStream& Stream() { return mStream; }

private:
    // Why a replay cannot go on.
    enum class StopReason {
        kFileEnds,   // the file ends before the recorded run did
        kUnreadable, // the file holds what no recording writes
        kOtherWay,   // the run asks for another event than the recording holds next
    };
    // Ends the stream and, unless the run is closing anyway, has the
    // application say why and close. `detail` ends the text of kOtherWay.
    void StopReplay(StopReason why, const std::string& detail = {});
    // The run asked for `wanted` where the recording holds the pending event.
    void StopOnOtherEvent(const char* wanted);
    // Done with the header of the event being replayed, if it is still the
    // pending one.
    void LeaveReplayedEvent();
    // The header of the next synced event (fillers skipped), which must be
    // `code`; otherwise, or at the end of the stream, the replay stops.
    bool NextSyncedHeader(DemoEvent code);
    // Whether the event's body still has `bits` bits; a body cut by the end
    // of the stream stops the replay.
    bool HasBody(int64_t bits);
    // Reads `count` recorded bytes after checking they are in the stream;
    // otherwise ends the replay.
    bool ReadRecordedBytes(int64_t count, Buffer& into);
    // A 32-bit length and that many bytes, which replace the buffer.
    bool ReadLengthAndBytes(Buffer& buffer);
    void ReplayOne();
    void WriteBytes(const Buffer& buffer);

    KavoAppBase& mApp;
    DemoEventStream mStream;
    int32_t mMouseX = 0;
    int32_t mMouseY = 0;
    int32_t mButtonsHeld = 0;
    // The stream's count of the event being replayed, while its handlers
    // run; -1 otherwise.
    int32_t mReplayingEvent = -1;
    bool mDemoLoaded = false;
    bool mStopped = false;
    int32_t mTargetUpdate = 0;
    bool mFastForwardToEnd = false;
    std::unique_ptr<DemoControls> mControls; // made when a dialog is first opened
};

} // namespace Kavo
