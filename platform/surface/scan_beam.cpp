#include "platform/surface/scan_beam.h"

namespace platform {

HResult FakeBeam::GetScanLine(std::uint32_t& line) {
    const std::uint32_t current = mLine;
    mLine = (mLine + mStep) % mTotal;
    ++mReads;
    if (mOnRead) {
        mOnRead();
    }
    if (current >= mVisible) {
        return DDERR_VERTICALBLANKINPROGRESS;
    }
    line = current;
    return DD_OK;
}

void FakeBeam::WaitForVerticalBlank() {
    mLine = mVisible;
}

} // namespace platform
