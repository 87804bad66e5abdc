#pragma once
// The monitor's beam, for displays that can tell which line is being drawn.
// Real hardware behind this layer cannot, so a display without a beam
// answers every scan-line question with DDERR_UNSUPPORTED; tests give it a
// FakeBeam to drive timed presentation.

#include <cstdint>
#include <functional>

#include "platform/result_codes.h"

namespace platform {

class ScanBeam {
public:
    virtual ~ScanBeam() = default;
    // DD_OK with the line, or DDERR_VERTICALBLANKINPROGRESS while the beam
    // is in the blank.
    virtual HResult GetScanLine(std::uint32_t& line) = 0;
    // Returns when the vertical blank begins.
    virtual void WaitForVerticalBlank() = 0;
};

// A beam that moves a fixed number of lines on every read. Lines at or past
// `visibleLines` (up to `totalLines`) are the vertical blank; after the last
// one the beam starts again at 0.
class FakeBeam final : public ScanBeam {
public:
    FakeBeam(std::uint32_t visibleLines, std::uint32_t totalLines, std::uint32_t linesPerRead,
             std::uint32_t startLine = 0)
        : mVisible(visibleLines), mTotal(totalLines > visibleLines ? totalLines : visibleLines + 1),
          mStep(linesPerRead), mLine(startLine % mTotal) {}

    HResult GetScanLine(std::uint32_t& line) override;
    void WaitForVerticalBlank() override;

    // Runs after every read (e.g. to move a virtual clock on).
    void SetOnRead(std::function<void()> onRead) { mOnRead = std::move(onRead); }
    std::uint32_t Line() const { return mLine; }
    int Reads() const { return mReads; }

private:
    std::uint32_t mVisible;
    std::uint32_t mTotal;
    std::uint32_t mStep;
    std::uint32_t mLine;
    int mReads = 0;
    std::function<void()> mOnRead;
};

} // namespace platform
